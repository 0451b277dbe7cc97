#include "plots/phasediagrams.h"

#include "plots/valuetree.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

namespace {

QString unitOf(SyntaxAnalyzer *analyzer)
{
    Node *found = nullptr;
    const QString unit =
        analyzer->getValues(QStringLiteral("ConcentrationUnit"), false, found).value(0);
    if (unit == QLatin1String("weight_percent"))
        return QStringLiteral("[wt%]");
    if (unit == QLatin1String("atom_percent"))
        return QStringLiteral("[at%]");
    return QString();
}

// Solute and matrix component names, the matrix first; null `found` without a collection.
QStringList componentNames(SyntaxAnalyzer *analyzer, Node *&found)
{
    analyzer->getValues(QStringLiteral("Component"), false, found);
    QStringList names;
    if (!found || !found->parent)
        return names;
    for (const Node *child : qAsConst(found->parent->children)) {
        if (child->name().startsWith(QLatin1String("Component")) && !child->values.isEmpty())
            names.append(firstValue(child));
    }
    return names;
}

const Node *childStartingWith(const Node *section, const QString &prefix)
{
    for (const Node *child : section->children) {
        if (child->name().startsWith(prefix))
            return child;
    }
    return nullptr;
}

double numberOf(const Node *entry)
{
    return entry ? firstValue(entry).toDouble() : 0.0;
}

// The section after the type that holds the data of a "linear" or "linearTQ" diagram.
const Node *dataSection(const Node *diagram, const QString &type)
{
    const bool tq = type == QLatin1String("linearTQ");
    for (int i = 1; i < diagram->children.size(); ++i) {
        const QString &name = diagram->children[i]->name();
        if (name.startsWith(QLatin1String("PDLinearTQ")) == tq &&
            name.startsWith(QLatin1String("PDLinear")))
            return diagram->children[i];
    }
    return nullptr;
}

// Entries of one component in record order: c1, c2, m1, m2; null where the tree has none.
struct ComponentEntries
{
    const Node *entries[4];
};

// "linear" keeps (phase one, phase two) per component in two sections of equal length.
bool linearEntries(const Node *data, QList<ComponentEntries> &components)
{
    const Node *concentrations = childStartingWith(data, QStringLiteral("PDLinConcentrations"));
    const Node *slopes = childStartingWith(data, QStringLiteral("PDLinSlopes"));
    if (!concentrations || !slopes)
        return true;
    const QVector<Node *> &c = concentrations->children;
    const QVector<Node *> &m = slopes->children;
    if (c.size() != m.size())
        return false;
    for (int i = 0; i < c.size(); i += 2)
        components.append(ComponentEntries{{c[i], c.value(i + 1), m[i], m.value(i + 1)}});
    return true;
}

// "linearTQ" keeps six entries per component: c0 and m of both phases, then two unused.
void linearTQEntries(const Node *data, QList<ComponentEntries> &components)
{
    const Node *perComponent = childStartingWith(data, QStringLiteral("PDLinTQPerComponent"));
    if (!perComponent)
        return;
    const QVector<Node *> &e = perComponent->children;
    for (int i = 0; i < e.size(); i += 6)
        components.append(ComponentEntries{{e[i], e.value(i + 1), e.value(i + 2), e.value(i + 3)}});
}

} // namespace

void PhaseDiagrams::getPhaseDataFromTree7(SyntaxAnalyzer *analyzer)
{
    const QString unit = unitOf(analyzer);
    const QStringList phases = phaseNamesOfTree(analyzer);
    Node *component = nullptr;
    const QStringList components = componentNames(analyzer, component);
    Node *enabledNode = nullptr;
    analyzer->getValues(QStringLiteral("PIEnabled"), false, enabledNode);
    clearRecords();
    if (phases.isEmpty() || !component || !enabledNode || !enabledNode->parent)
        return;

    InteractionPair pair(phases.size());
    for (const Node *child : qAsConst(enabledNode->parent->children)) {
        pair.visit(child);
        if (!pair.enabled || !child->name().startsWith(QLatin1String("PhaseDiagram")) ||
            child->children.isEmpty())
            continue;
        const QString type = firstValue(child->children.first());
        const Node *data = nullptr;
        if (type == QLatin1String("linear") || type == QLatin1String("linearTQ"))
            data = dataSection(child, type);
        if (!data)
            continue;
        QList<ComponentEntries> entries;
        if (type == QLatin1String("linearTQ"))
            linearTQEntries(data, entries);
        else if (!linearEntries(data, entries))
            return;
        const Node *reference = childStartingWith(data, type == QLatin1String("linear")
                                                            ? QStringLiteral("PDLinTempRefPoint")
                                                            : QStringLiteral("PDLinTQT0"));
        for (int k = 0; k < entries.size(); ++k) {
            auto *record = new PhaseData();
            record->diagramType = type;
            record->concentrationUnit = unit;
            record->phaseOne = phases.value(pair.one);
            record->phaseTwo = phases.value(pair.two);
            record->referenceTemperature = numberOf(reference);
            record->componentName = components.value(k + 1, QStringLiteral("unknown"));
            record->concentrationOne = numberOf(entries[k].entries[0]);
            record->concentrationTwo = numberOf(entries[k].entries[1]);
            record->slopeOne = numberOf(entries[k].entries[2]);
            record->slopeTwo = numberOf(entries[k].entries[3]);
            records.append(record);
        }
    }
}
