#include "syntax/node.h"

#include "syntax/conditiongroups.h"

bool Node::hasName(QStringView text) const
{
    const QString &head = definition->name;
    if (!copy)
        return text == QStringView(head);
    const QString &suffix = copy->suffix;
    return text.size() == head.size() + suffix.size() && text.left(head.size()) == head &&
           text.mid(head.size()) == QStringView(suffix);
}

void Node::writeName(QString &text) const
{
    text.resize(0);
    text += definition->name;
    if (copy)
        text += copy->suffix;
}

// Conditions of a copy refer to the copies of its siblings; "E:" entries keep to the definition.
QString Node::cname() const
{
    const QString &written = definition->cname;
    if (!copy || written.isEmpty())
        return written;
    // Most conditions name one sibling.
    if (!written.contains(QLatin1Char(',')) && !written.startsWith(QLatin1String("E:")))
        return written + copy->suffix;
    const auto suffixOf = [this](const QStringRef &entry) -> const QString & {
        return entry.startsWith(QLatin1String("E:")) ? copy->outerSuffix : copy->suffix;
    };
    QString renamed;
    forEachConditionName(written, [&renamed, &suffixOf](const QStringRef &entry, bool first) {
        if (!first)
            renamed += QLatin1Char(',');
        renamed += entry;
        renamed += suffixOf(entry);
    });
    return renamed;
}
