// The diffusion data: 7.0 writes the 6.4 diffusion types as one-letter codes of a diagonal
// matrix.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QHash>

// Entries already in a 7.0 form are carried over as they are.
QString Conversion::diffusionText()
{
    static const QHash<QString, QString> codes = {
        {QStringLiteral("diff"), QStringLiteral("d")},
        {QStringLiteral("no_diff"), QStringLiteral("n")},
        {QStringLiteral("from_file"), QStringLiteral("f")},
        {QStringLiteral("infinite"), QStringLiteral("i")},
        {QStringLiteral("infinite_restricted"), QStringLiteral("I")},
        {QStringLiteral("database_global"), QStringLiteral("g")},
        {QStringLiteral("database_local"), QStringLiteral("l")}};
    static const QStringList kept = {QStringLiteral("diagonal"), QStringLiteral("multi"),
                                     QStringLiteral("multi_plus"),
                                     QStringLiteral("maxfactor_local")};
    QString text;
    for (Node *child : qAsConst(sectionOf(QStringLiteral("DDType"))->children)) {
        if (!child->name().startsWith(QLatin1String("DDType")) || child->values.isEmpty())
            text += printed(child);
        // The type is a "line" type, yet each entry begins a line of its own.
        else if (kept.contains(child->values.first()))
            text += QLatin1Char('\n') + printed(child);
        else
            text += QStringLiteral("\ndiagonal ") + codes.value(child->values.first()) +
                    QStringLiteral("\n");
    }
    return text;
}

void Conversion::diffusionData(Node *visited)
{
    Node *section = closeSection(visited);
    if (Node *anchor = sectionOf(QStringLiteral("DiffusionData")))
        section->values.append(printedChildren(anchor));
}
