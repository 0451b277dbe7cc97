// The phase interactions, joined with the phase-diagram data that 6.4 gave in sections of their
// own.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

namespace {

// Which pair of phases an interaction entry is about, as 6.4 counted them.
struct PhasePair
{
    int one = 0;
    int two = 1;
    int limit = 0;
    bool distinct = false;

    void step(const Node *child)
    {
        if (nameContains(child, "PIPhaseOne") && !child->values.isEmpty())
            one = child->values.first().toInt();
        if (!nameContains(child, "PIPhaseTwo"))
            return;
        if (!child->values.isEmpty())
            two = child->values.first().toInt();
        distinct = one != two;
        if (++two == limit) {
            ++one;
            two = one;
        }
    }
};

} // namespace

void Conversion::interactions(Node *visited)
{
    Node *section = closeSection(visited);
    target->leaveSection(section->parent);
    QString text;
    if (Node *entries = sectionOf(QStringLiteral("PIPhaseOne"))) {
        const bool concentration = concentrationCoupling();
        Node *diagrams = sectionOf(concentration ? QStringLiteral("PDType")
                                                 : QStringLiteral("EquilibriumTemperature"));
        Node *latentHeat = sectionOf(QStringLiteral("TDLatentHeat"));
        if (latentHeat && latentHeat->children.isEmpty())
            latentHeat = nullptr;
        target->expectedPhaseCount = numberOf(QStringLiteral("NumberOfPhases")) + 1;
        PhasePair pair;
        pair.limit = target->expectedPhaseCount;
        int diagramIndex = 0;
        int latentHeatIndex = 0;
        bool misorientation = false;
        bool enabled = false;
        for (Node *child : qAsConst(entries->children)) {
            if (child->name().startsWith(QLatin1String("EndOf"))) {
                text += child->values.isEmpty() ? QStringLiteral("\n") : printed(child);
                continue;
            }
            pair.step(child);
            if (nameContains(child, "DeltaGOptions")) {
                text += printedChildren(child);
            } else if (nameContains(child, "MisorientationBlock")) {
                if (misorientation) {
                    for (Node *part : qAsConst(child->children))
                        text +=
                            nameContains(part, "SpecialOrientations") && !part->children.isEmpty()
                                ? printedChildren(part->children.first())
                                : printed(part);
                }
            } else {
                text += printed(child);
            }
            if (nameContains(child, "PIMisorientation") && !child->values.isEmpty())
                misorientation = child->values.first() == QLatin1String("misorientation");
            if (nameContains(child, "PIEnabled") && !child->values.isEmpty())
                enabled = child->values.first() == QLatin1String("phase_interaction");
            if (nameContains(child, "AnisotropyCoeff2") && enabled && pair.distinct) {
                if (diagrams)
                    text += phaseDiagramData(diagrams, diagramIndex, latentHeat, latentHeatIndex);
                enabled = false;
            }
        }
        const QStringList criteria = values(QStringLiteral("PDRedistBehDirectionCriteria"));
        if (!criteria.isEmpty())
            text += printed(QStringLiteral("PDRedistBehDirectionCriteria"));
    }
    section->values.append(text);
    if (parameter(QStringLiteral("DDType"))) {
        Node *receiver = section;
        for (Node *child : qAsConst(section->children)) {
            if (child->name() == QLatin1String("DiffusionData")) {
                receiver = child;
                break;
            }
        }
        receiver->values.append(diffusionText());
    }
}

// The data of the next pair with an enabled interaction of two different phases.
QString Conversion::phaseDiagramData(Node *diagrams, int &diagramIndex, Node *latentHeat,
                                     int &latentHeatIndex)
{
    QString text;
    const QVector<Node *> &entries = diagrams->children;
    if (!concentrationCoupling()) {
        while (diagramIndex < entries.size()) {
            Node *entry = entries.at(diagramIndex++);
            text += printed(entry);
            if (nameContains(entry, "Entropy"))
                break;
        }
        if (latentHeat && latentHeatIndex < latentHeat->children.size()) {
            text += printed(latentHeat->children.at(latentHeatIndex));
            latentHeatIndex += 2;
        }
        return text;
    }
    while (diagramIndex < entries.size()) {
        Node *entry = entries.at(diagramIndex++);
        if (nameContains(entry, "PDRedistBehaviour")) {
            text += printed(entry) + printedChildren(entry);
            ++diagramIndex; // the end marker of the 6.4 block
            break;
        }
        if (!nameContains(entry, "PDDatabase") && !nameContains(entry, "PDLinear")) {
            text += printed(entry);
            continue;
        }
        for (Node *part : qAsConst(entry->children)) {
            const bool perComponent = nameContains(part, "PDLinTQPerComponent") ||
                                      nameContains(part, "PDLinConcentrations") ||
                                      nameContains(part, "PDLinSlopes");
            text += perComponent ? printedChildren(part) : printed(part);
        }
    }
    return text;
}
