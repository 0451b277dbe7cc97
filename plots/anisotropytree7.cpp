#include "plots/anisotropyplots.h"

#include "plots/valuetree.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

namespace {

// Symmetry and facets of one phase from its "PhaseDataOptions"; false when "Anisotropy" is
// missing its value.
bool readPhaseOptions(const Node *options, const QString &name, QList<PhaseSymmetry> &symmetries)
{
    bool faceted = false;
    for (const Node *child : options->children) {
        if (child->name().startsWith(QLatin1String("Anisotropy"))) {
            if (child->values.isEmpty())
                return false;
            faceted = firstValue(child).toLower().contains(QLatin1String("faceted"));
        } else if (child->name().startsWith(QLatin1String("CrystallSymmetry"))) {
            const QString symmetry =
                child->values.isEmpty() ? QStringLiteral("isotropic") : firstValue(child).toLower();
            symmetries.append({name, symmetry, faceted});
        }
    }
    return true;
}

// The symmetry of every phase, phase 0 isotropic; false when a phase refers to itself or to
// a later phase, or when there are more entries than phases.
bool readSymmetries(SyntaxAnalyzer *analyzer, const QStringList &names,
                    QList<PhaseSymmetry> &symmetries)
{
    Node *identical = nullptr;
    analyzer->getValues(QStringLiteral("PhaseIdentical"), false, identical);
    if (!identical || !identical->parent)
        return false;
    int phase = 0;
    bool skip = false;
    for (const Node *child : qAsConst(identical->parent->children)) {
        if (child->name().startsWith(QLatin1String("IdenticalTo"))) {
            if (++phase >= names.size())
                return false;
            if (!child->values.isEmpty()) {
                const int same = firstValue(child).toInt();
                if (same >= phase || same < 0 || same >= symmetries.size())
                    return false;
                PhaseSymmetry copy = symmetries[same];
                copy.phaseName = names[phase];
                symmetries.append(copy);
                skip = true;
                continue;
            }
        }
        if (!skip && child->name().contains(QLatin1String("PhaseDataOptions")) &&
            !readPhaseOptions(child, names.value(phase), symmetries))
            return false;
        skip = false;
    }
    return true;
}

} // namespace

bool AnisotropyPlots::getAnisoDataFromTree7(SyntaxAnalyzer *analyzer)
{
    clearRecords();
    const QStringList names = phaseNamesOfTree(analyzer);
    if (names.isEmpty())
        return false;
    symmetries = {{names.first(), QStringLiteral("isotropic"), false}};
    if (!readSymmetries(analyzer, names, symmetries)) {
        symmetries.clear();
        return false;
    }

    Node *enabled = nullptr;
    analyzer->getValues(QStringLiteral("PIEnabled"), false, enabled);
    if (!enabled || !enabled->parent)
        return true;
    InteractionPair pair(names.size());
    AnisotropyData *current = nullptr;
    for (const Node *child : qAsConst(enabled->parent->children)) {
        pair.visit(child);
        const QString &name = child->name();
        if (name.startsWith(QLatin1String("PIPhaseOne"))) {
            current = nullptr;
        } else if (name.startsWith(QLatin1String("PIAnisotropy"))) {
            const bool anisotropic = firstValue(child).toLower() == QLatin1String("anisotropic");
            const PhaseSymmetry one = symmetries.value(pair.one);
            const PhaseSymmetry two = symmetries.value(pair.two);
            if (pair.enabled && anisotropic && !one.faceted && !two.faceted) {
                current = new AnisotropyData();
                current->setPhaseOne(one);
                current->setPhaseTwo(two);
                current->title = QStringLiteral("Interaction ") + one.phaseName +
                                 QStringLiteral(" / ") + two.phaseName;
                records.append(current);
            }
        } else if (current && name.startsWith(QLatin1String("AnisotropyCoeff1"))) {
            coefficientsFromValues(child->values, current->pairSymmetry(), current->stiffness);
        } else if (current && name.startsWith(QLatin1String("AnisotropyCoeff2"))) {
            coefficientsFromValues(child->values, current->pairSymmetry(), current->mobility);
        }
    }
    return true;
}
