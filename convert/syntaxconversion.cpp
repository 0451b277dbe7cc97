// The conversion's main loop, its table of rules and the helpers every rule uses.
#include "convert/conversion.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

bool SyntaxAnalyzer::convert(SyntaxAnalyzer *source)
{
    return Conversion(this, source).run();
}

Conversion::Conversion(SyntaxAnalyzer *target, SyntaxAnalyzer *source)
    : target(target), source(source)
{
}

bool Conversion::run()
{
    target->reset();
    warnings = false;
    movingFramePrefix.clear();
    // Not at a line start: optional continuations of a line carry values too.
    while (Node *visited = target->getDependableNext(false, 0))
        (this->*ruleFor(visited->name()))(visited);
    return warnings;
}

// The first rule whose name test matches wins, so the order matters.
const QVector<Conversion::NamedRule> &Conversion::rules()
{
    static const QVector<NamedRule> table = {
        {QStringLiteral("TypeOfCoupling"), false, &Conversion::typeOfCoupling},
        {QStringLiteral("ThermalConditions"), false, &Conversion::thermalConditions},
        {QStringLiteral("1DTempTypeCoordinates"), false, &Conversion::temperatureCoordinates},
        {QStringLiteral("Component"), false, &Conversion::components},
        {QStringLiteral("Phase"), false, &Conversion::phases},
        {QStringLiteral("OrientationInputType"), false, &Conversion::orientationInputType},
        {QStringLiteral("MatrixMolarVolumeType"), false, &Conversion::matrixMolarVolume},
        {QStringLiteral("MatrixTDConductivityType"), false, &Conversion::matrixConductivity},
        {QStringLiteral("MatrixFlowViscosity"), false, &Conversion::flowViscosity},
        {QStringLiteral("PhaseIdentical"), false, &Conversion::phaseData},
        {QStringLiteral("PIPhaseOne"), false, &Conversion::interactions},
        {QStringLiteral("DiffusionData"), false, &Conversion::diffusionData},
        {QStringLiteral("GrainGeometry"), false, &Conversion::grainGeometry},
        {QStringLiteral("GIFilePropVector"), false, &Conversion::fileProperties},
        {QStringLiteral("GISeedGeometry"), false, &Conversion::seedGeometry},
        {QStringLiteral("RestartType"), false, &Conversion::restartType},
        {QStringLiteral("StructureFromRestartFile"), false, &Conversion::structureFromRestartFile},
        {QStringLiteral("MovingFrame"), false, &Conversion::movingFrame},
        {QStringLiteral("MFCriterion"), true, &Conversion::movingFrameParameter},
        {QStringLiteral("MFMatrixPhase"), true, &Conversion::movingFrameParameter},
        {QStringLiteral("MFDistance"), true, &Conversion::movingFrameParameter},
        {QStringLiteral("MFTemperature"), true, &Conversion::movingFrameParameter},
        {QStringLiteral("MFOutput"), true, &Conversion::movingFrameParameter},
        {QStringLiteral("SeedPosition"), true, &Conversion::seedPositions},
        {QStringLiteral("OutputOption"), false, &Conversion::outputOption},
        {QStringLiteral("OutputTimes"), false, &Conversion::outputTimes},
        {QStringLiteral("FDCorrection"), false, &Conversion::fdCorrection},
        {QStringLiteral("3DCorrection"), false, &Conversion::correction3D},
        {QStringLiteral("LHPseudo3DDefinition"), false, &Conversion::pseudo3D},
        {QStringLiteral("StoichioEntry"), false, &Conversion::stoichiometry},
        {QStringLiteral("InitConcType"), false, &Conversion::initialConcentrations},
        {QStringLiteral("Temp1DValueInputType"), false, &Conversion::temperature1DOptions},
        {QStringLiteral("Diff1DFarField"), false, &Conversion::farField},
        {QStringLiteral("BCFlowVector"), false, &Conversion::flowVectors},
        {QStringLiteral("TSCoarsening"), false, &Conversion::coarsening},
        {QStringLiteral("ConcSolverTimeStepping"), false, &Conversion::concSolverTimeStepping},
    };
    return table;
}

Conversion::Rule Conversion::ruleFor(const QString &name) const
{
    for (const NamedRule &candidate : rules()) {
        if (candidate.contains ? name.contains(candidate.name) : name == candidate.name)
            return candidate.rule;
    }
    return &Conversion::defaultRule;
}

void Conversion::defaultRule(Node *visited)
{
    const QStringList found = values(visited->name());
    if (!found.isEmpty())
        visited->values = found;
}

QStringList Conversion::values(const QString &name)
{
    Node *found = nullptr;
    return source->getValues(name, false, found);
}

Node *Conversion::parameter(const QString &name)
{
    Node *found = nullptr;
    source->getValues(name, false, found);
    return found;
}

Node *Conversion::sectionOf(const QString &name)
{
    Node *found = parameter(name);
    return found ? found->parent : nullptr;
}

int Conversion::numberOf(const QString &name)
{
    const QStringList found = values(name);
    return found.size() == 1 ? found.first().toInt() : 0;
}

bool Conversion::concentrationCoupling()
{
    return values(QStringLiteral("TypeOfCoupling")).contains(QStringLiteral("concentration"));
}

QString Conversion::printed(Node *node)
{
    return node ? target->printNode(node) : QString();
}

QString Conversion::printed(const QString &name)
{
    return printed(parameter(name));
}

QString Conversion::printedChildren(Node *section)
{
    QString text;
    if (section) {
        for (Node *child : qAsConst(section->children))
            text += printed(child);
    }
    return text;
}

// A section stands for its children, down to depth levels; deeper sections print nothing.
QString Conversion::flattened(Node *node, int depth)
{
    if (!node->isSection())
        return printed(node);
    QString text;
    if (depth > 0) {
        for (Node *child : qAsConst(node->children))
            text += flattened(child, depth - 1);
    }
    return text;
}

// A section entry of a 6.4 block stands for its children.
QString Conversion::printedEntry(Node *entry)
{
    return entry->isSection() ? printedChildren(entry) : printed(entry);
}

Node *Conversion::closeSection(Node *visited)
{
    target->leaveSection(visited->parent);
    return visited->parent;
}

void Conversion::log(const QString &message)
{
    if (target->conversionLog)
        target->conversionLog(message);
}
