// The per-phase data: 7.0 gathers what 6.4 spread over one section per kind of data.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

namespace {

// The entries of one 6.4 per-phase section, taken a phase at a time.
struct PhaseSource
{
    Node *section = nullptr;
    int next = 0;

    bool hasEntries(int count) const { return section && next + count <= section->children.size(); }
    Node *at(int offset) const { return section->children.at(next + offset); }
    QStringList valuesAt(int offset) const
    {
        return section && next + offset < section->children.size() ? at(offset)->values
                                                                   : QStringList();
    }
};

bool endsPhase(const Node *child)
{
    if (nameContains(child, "Categorize"))
        return true;
    for (const Node *grandchild : child->children) {
        if (nameContains(grandchild, "Categorize"))
            return true;
    }
    return false;
}

} // namespace

// One phase's options; faceted phases carry their facet types without the counts of 6.4.
QString Conversion::ownPhaseData(Node *entry)
{
    if (!nameContains(entry, "PhaseDataOptions"))
        return printed(entry);
    QString text;
    for (Node *option : qAsConst(entry->children)) {
        const bool facets = nameContains(option, "FacetSection") && !option->children.isEmpty() &&
                            !option->children.first()->values.isEmpty();
        if (!facets) {
            text += printed(option);
            continue;
        }
        text += printed(option->children.value(0)) + printed(option->children.value(1));
        if (Node *types = option->children.value(2)) {
            for (Node *type : qAsConst(types->children))
                text += nameContains(type, "Orientations") ? printed(type) : printedChildren(type);
        }
    }
    return text;
}

void Conversion::phaseData(Node *visited)
{
    Node *section = closeSection(visited);
    Node *phases = sectionOf(QStringLiteral("PhaseIdentical"));
    if (!phases)
        return;

    PhaseSource molarVolumes;
    if (parameter(QStringLiteral("MolarVolumeType")) && concentrationCoupling())
        molarVolumes.section = sectionOf(QStringLiteral("MolarVolumeType"));
    PhaseSource latentHeat{sectionOf(QStringLiteral("LHThermalConductivityType")), 0};
    PhaseSource conductivity{sectionOf(QStringLiteral("TDConductivityType")), 3};
    PhaseSource heatCapacity{sectionOf(QStringLiteral("TDSpecHeatCapacityType")), 3};
    for (PhaseSource *matrixFirst : {&conductivity, &heatCapacity}) {
        if (!matrixFirst->hasEntries(1))
            matrixFirst->section = nullptr;
    }
    PhaseSource stress{sectionOf(QStringLiteral("StressMolarVolumeType")), 0};

    QString text;
    int child = 0;
    target->expectedPhaseCount = numberOf(QStringLiteral("NumberOfPhases"));
    while (target->expectedPhaseCount > 0) {
        bool ownData = false;
        QString phase;
        while (child < phases->children.size()) {
            Node *entry = phases->children.at(child++);
            if (nameContains(entry, "PhaseIdentical"))
                ownData = entry->values.isEmpty();
            phase += ownData ? ownPhaseData(entry) : printed(entry);
            if (endsPhase(entry))
                break;
        }
        --target->expectedPhaseCount;
        text += phase;
        if (!ownData)
            continue;
        if (molarVolumes.section) {
            text += molarVolumeText(molarVolumes.valuesAt(0), molarVolumes.valuesAt(1),
                                    molarVolumes.valuesAt(2));
            if (molarVolumes.hasEntries(6))
                text += furtherMolarVolumeEntries(molarVolumes.section, molarVolumes.next + 3);
            molarVolumes.next += 6;
        }
        if (latentHeat.hasEntries(7)) {
            for (int i = 0; i < 5; ++i)
                text += printed(latentHeat.at(i));
            latentHeat.next += 7;
        }
        for (PhaseSource *temperature : {&conductivity, &heatCapacity}) {
            if (temperature->hasEntries(3)) {
                for (int i = 0; i < 3; ++i)
                    text += printed(temperature->at(i));
                temperature->next += 3;
            }
        }
        if (stress.hasEntries(7)) {
            for (int i = 0; i < 5; ++i)
                text += printed(stress.at(i));
            text += printedChildren(stress.at(5)) + printedChildren(stress.at(6));
            stress.next += 7;
        }
    }
    section->values.append(text + updateIntervals());
}

// 7.0 has one enthalpy update interval; further 6.4 ones stay in the text for the user to
// check.
QString Conversion::updateIntervals()
{
    QString text;
    Node *intervals = sectionOf(QStringLiteral("LHEnthalpyUpdateInterval"));
    if (intervals && intervals->children.size() > 2) {
        bool first = true;
        for (int i = 0; i < intervals->children.size() - 2; ++i) {
            Node *entry = intervals->children.at(i);
            if (entry->name().startsWith(QLatin1String("EndOf")))
                continue;
            text += printed(entry);
            if (!first)
                text += QStringLiteral("  ! Conversion warning: check this value!");
            first = false;
        }
        source->setValues(QStringLiteral("LHEnthalpyUpdateInterval"),
                          intervals->children.at(intervals->children.size() - 2)->values);
    }
    return text + printed(QStringLiteral("MolarVolumeTQUpdateInterval")) +
           printed(QStringLiteral("StressMolarVolumeTQUpdateInterval"));
}
