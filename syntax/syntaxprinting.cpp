#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QHash>

namespace {

bool hasHeading(const Node *node)
{
    return node->show() == QLatin1String("major") || node->show() == QLatin1String("minor");
}

// The first parameter of an entry in some collections is a "line" type, yet each entry must
// begin on a line of its own. The walk passes siblings in document order, so it names the
// sibling before the node.
bool opensEntryLine(const Node *node, const Node *previousSibling)
{
    if (!node->nameContains(QLatin1String("PIEnabled")) &&
        !node->nameContains(QLatin1String("DDType")))
        return false;
    if (node->values.isEmpty())
        return false;
    return !previousSibling || previousSibling->values.isEmpty();
}

// Depth below the top-level section, for the indented variant.
QString indentation(const Node *node)
{
    int depth = 0;
    for (const Node *n = node->parent; n && n->parent && n->parent->parent; n = n->parent)
        ++depth;
    return QString(2 * depth, QLatin1Char(' '));
}

QString heading(const Node *node)
{
    const QChar underline =
        node->show() == QLatin1String("major") ? QLatin1Char('=') : QLatin1Char('-');
    return QStringLiteral("\n# ") + node->name() + QStringLiteral("\n# ") +
           QString(node->name().size(), underline) + QLatin1Char('\n');
}

bool containsEquals(const QStringList &values)
{
    for (const QString &value : values)
        if (value.contains(QLatin1Char('=')))
            return true;
    return false;
}

// A reader ignores everything up to the first "=" of a line, so a line whose values hold one is
// led by "= " to be read back as printed.
void guardEquals(QString &pending, int lineStart, bool &guarded, const QStringList &values)
{
    if (guarded || !containsEquals(values))
        return;
    pending.insert(lineStart, QStringLiteral("= "));
    guarded = true;
}

} // namespace

QString SyntaxAnalyzer::printTree(bool indent)
{
    QString text;
    QString pending;
    bool seedAtInterface = false;
    int lineStart = 0;
    bool lineGuarded = false;
    QHash<const Node *, const Node *> lastChildSeen;
    reset();
    while (Node *node = getNext()) {
        const Node *previousSibling = nullptr;
        if (node->parent) {
            const Node *&last = lastChildSeen[node->parent];
            previousSibling = last;
            last = node;
        }
        // A reread value is a look-ahead at the next line, which prints it anyway.
        if (node->cmode() == 4)
            continue;
        if (node->nameContains(QLatin1String("SeedPosition")) && !node->values.isEmpty()) {
            const QString &position = node->values.first();
            seedAtInterface =
                position == QLatin1String("interface") || position == QLatin1String("triple");
        }
        if (seedAtInterface && !node->defaultValue().isEmpty() &&
            node->nameContains(QLatin1String("SeedNucleationModel")))
            continue;
        if (node->type().contains(QLatin1String("line")) &&
            !opensEntryLine(node, previousSibling)) {
            for (const QString &value : qAsConst(node->values))
                pending += QLatin1Char(' ') + value;
            guardEquals(pending, lineStart, lineGuarded, node->values);
            continue;
        }
        if (!node->values.isEmpty()) {
            pending += QLatin1Char('\n');
            lineStart = pending.size();
            lineGuarded = false;
            pending += indent ? indentation(node) : QString();
        }
        if (hasHeading(node)) {
            text += pending + QLatin1Char('\n');
            pending = heading(node);
            lineStart = pending.size();
            lineGuarded = false;
        }
        pending += node->values.join(QLatin1Char(' '));
        guardEquals(pending, lineStart, lineGuarded, node->values);
    }
    return text + pending + QLatin1Char('\n');
}

QString SyntaxAnalyzer::printNode(Node *node)
{
    if (node->isSection() || node->values.isEmpty())
        return QString();
    QString text = node->type().contains(QLatin1String("line")) ? QString() : QStringLiteral("\n");
    for (const QString &value : qAsConst(node->values))
        text += value + QLatin1Char(' ');
    return text;
}
