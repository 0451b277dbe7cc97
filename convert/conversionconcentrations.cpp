// The initial concentrations: 6.4 listed them per component, 7.0 lists them per phase.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

void Conversion::initialConcentrations(Node *visited)
{
    Node *section = closeSection(visited);
    Node *type = parameter(QStringLiteral("InitConcType"));
    if (!type || type->values.isEmpty())
        return;
    QString text =
        printed(type->parent->children.value(0)) + printed(type->parent->children.value(1));
    if (type->values.first() == QLatin1String("input")) {
        const int phases = numberOf(QStringLiteral("NumberOfPhases")) + 1;
        const int components = numberOf(QStringLiteral("NumberOfComponents"));
        Node *given = sectionOf(QStringLiteral("InputInitConc"));
        const int expected = components * phases;
        if (given && given->children.size() == expected) {
            for (int phase = 0; phase < phases; ++phase) {
                for (int component = 0; component < components; ++component)
                    text += printed(given->children.at(phases * component + phase));
            }
        } else {
            text += QStringLiteral("\nWARNING: Expected number of concentrations values is ") +
                    QString::number(expected) + QStringLiteral("\n") +
                    QStringLiteral("           skipping initial concentrations\n");
        }
    } else {
        text += printedChildren(sectionOf(QStringLiteral("InitConc")));
    }
    section->values.append(text + printed(QStringLiteral("InitialEquilibriumTemperature")));
}
