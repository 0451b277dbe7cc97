// The diffusion data: 6.4 gave one typed entry per phase and component, 7.0 gives one entry per
// phase with a one-letter code per component.
#include "syntax/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QHash>

namespace {

// The 6.4 entries of one phase, gathered into one 7.0 "diagonal" entry.
struct PhaseDiffusion
{
    QStringList codes;
    QStringList coefficients;
    QStringList energies;
    QStringList files;

    void take(const Node *entry)
    {
        if (entry->name.contains(QLatin1String("DDDiffusionCoefficient")))
            coefficients += entry->values;
        else if (entry->name.contains(QLatin1String("DDActivationEnergy")))
            energies += entry->values;
        else if (entry->name.contains(QLatin1String("DDFilename")))
            files += entry->values;
    }

    QString text() const
    {
        if (codes.isEmpty())
            return QString();
        QString text =
            QStringLiteral("\ndiagonal ") + codes.join(QLatin1Char(' ')) + QStringLiteral("\n");
        for (const QStringList *line : {&coefficients, &energies})
            text += line->isEmpty() ? QString() : line->join(QLatin1Char(' ')) + QLatin1Char('\n');
        for (const QString &file : files)
            text += file + QLatin1Char('\n');
        return text;
    }
};

} // namespace

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
    const int components = qMax(1, numberOf(QStringLiteral("NumberOfComponents")));
    QString text;
    PhaseDiffusion phase;
    bool coded = false;
    for (Node *child : qAsConst(sectionOf(QStringLiteral("DDType"))->children)) {
        const bool typed =
            child->name.startsWith(QLatin1String("DDType")) && !child->values.isEmpty();
        if (typed) {
            coded = codes.contains(child->values.first());
            if (!coded || phase.codes.size() == components) {
                text += phase.text();
                phase = PhaseDiffusion();
            }
            if (coded) {
                phase.codes << codes.value(child->values.first());
                continue;
            }
            // Its type is a "line" type, yet each entry begins a line of its own.
            text += QLatin1Char('\n');
        }
        if (coded && !child->name.startsWith(QLatin1String("EndOf")))
            phase.take(child);
        else
            text += printed(child);
    }
    return text + phase.text();
}

void Conversion::diffusionData(Node *visited)
{
    Node *section = closeSection(visited);
    if (Node *anchor = sectionOf(QStringLiteral("DiffusionData")))
        section->values.append(printedChildren(anchor));
}
