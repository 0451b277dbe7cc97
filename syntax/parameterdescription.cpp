#include "syntax/parameterdescription.h"

#include "syntax/node.h"

#include <QCoreApplication>
#include <QVector>

#include <algorithm>

namespace {

int editDistance(const QString &a, const QString &b)
{
    QVector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            const int substitution = diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
            diagonal = above;
        }
    }
    return row[b.size()];
}

QString tr(const char *text)
{
    return QCoreApplication::translate("ParameterDescription", text);
}

} // namespace

QString sectionPath(const Node *node)
{
    QStringList sections;
    // The root stands for the whole file and has no name of its own worth showing.
    for (const Node *section = node->parent; section && section->parent; section = section->parent)
        sections.prepend(section->name());
    return sections.join(QStringLiteral(" / "));
}

QString describeParameter(const Node *parameter)
{
    QString text =
        parameter->name() + QStringLiteral(" (") + parameter->type() + QStringLiteral(")");
    const QString path = sectionPath(parameter);
    if (!path.isEmpty())
        text += tr(" in ") + path;
    if (!parameter->options().isEmpty())
        text += tr(", options: ") + parameter->options().join(QStringLiteral(", "));
    return text;
}

QString closestOption(const QString &token, const QStringList &options)
{
    QString best;
    int bestDistance = 0;
    const QString given = token.toLower();
    for (const QString &option : options) {
        const int distance = editDistance(given, option.toLower());
        if (best.isEmpty() || distance < bestDistance) {
            best = option;
            bestDistance = distance;
        }
    }
    return best;
}
