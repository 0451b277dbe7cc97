#include <QtTest>

#include "plots/anisotropyplots.h"
#include "plots/phasediagrams.h"
#include "syntax/syntaxanalyzer.h"
#include "valuetreebuilder.h"

namespace {

// The definition name matches no resource, so the tree starts empty.
std::unique_ptr<SyntaxAnalyzer> emptyAnalyzer()
{
    return std::make_unique<SyntaxAnalyzer>(QStringLiteral("hand-built.xml"));
}

void addComponents(Node *root, const QStringList &names)
{
    Node *collection = addSection(addSection(root, QStringLiteral("Components")),
                                  QStringLiteral("ComponentsCollection"));
    for (int i = 0; i < names.size(); ++i)
        addNode(collection, QStringLiteral("Component") + (i ? QStringLiteral("_%1").arg(i) : ""),
                {names[i]});
    addNode(collection, QStringLiteral("Component_%1").arg(names.size()));
    addNode(collection, QStringLiteral("EndOfComponents"), {QStringLiteral("end_of_components")});
    addNode(root, QStringLiteral("ConcentrationUnit"), {QStringLiteral("atom_percent")});
}

// A "linear" diagram: per component (c1, c2) and (m1, m2).
void addLinearDiagram(Node *collection, const QString &suffix, double t0,
                      const QList<QList<double>> &components, int slopeEntries = -1)
{
    Node *diagram = addSection(collection, QStringLiteral("PhaseDiagram") + suffix);
    addNode(diagram, QStringLiteral("PDType") + suffix, {QStringLiteral("linear")});
    addSection(diagram, QStringLiteral("PDDatabase") + suffix);
    Node *tq = addSection(diagram, QStringLiteral("PDLinearTQ") + suffix);
    addNode(tq, QStringLiteral("PDLinTQT0") + suffix, {QStringLiteral("1")});
    Node *linear = addSection(diagram, QStringLiteral("PDLinear") + suffix);
    addNode(linear, QStringLiteral("PDLinTempRefPoint") + suffix, {QString::number(t0)});
    Node *concentrations = addSection(linear, QStringLiteral("PDLinConcentrations") + suffix);
    Node *slopes = addSection(linear, QStringLiteral("PDLinSlopes") + suffix);
    for (const QList<double> &c : components) {
        addNode(concentrations, QStringLiteral("PDLinConcRefOne"), {QString::number(c[0])});
        addNode(concentrations, QStringLiteral("PDLinConcRefTwo"), {QString::number(c[1])});
        if (slopeEntries-- == 0)
            continue;
        addNode(slopes, QStringLiteral("PDLinSlopeRefOne"), {QString::number(c[2])});
        addNode(slopes, QStringLiteral("PDLinSlopeRefTwo"), {QString::number(c[3])});
    }
}

void addTQDiagram(Node *collection, const QString &suffix, double t0, const QList<double> &values)
{
    Node *diagram = addSection(collection, QStringLiteral("PhaseDiagram") + suffix);
    addNode(diagram, QStringLiteral("PDType") + suffix, {QStringLiteral("linearTQ")});
    Node *linear = addSection(diagram, QStringLiteral("PDLinear") + suffix);
    addNode(linear, QStringLiteral("PDLinTempRefPoint") + suffix, {QStringLiteral("1")});
    Node *tq = addSection(diagram, QStringLiteral("PDLinearTQ") + suffix);
    addNode(tq, QStringLiteral("PDLinTQT0") + suffix, {QString::number(t0)});
    Node *perComponent = addSection(tq, QStringLiteral("PDLinTQPerComponent") + suffix);
    for (double value : values)
        addNode(perComponent, QStringLiteral("PDLinTQEntry"), {QString::number(value)});
}

// Symmetry entries of the phases after the matrix; `identical` names the phase an entry
// copies, -1 for one with options of its own.
void addPhaseData(Node *root, const QList<QPair<int, QString>> &phases)
{
    Node *collection = addSection(addSection(root, QStringLiteral("SolidPhases")),
                                  QStringLiteral("PhaseDataCollection"));
    for (int i = 0; i < phases.size(); ++i) {
        const QString suffix = i ? QStringLiteral("_%1").arg(i) : QString();
        const int identical = phases[i].first;
        addNode(collection, QStringLiteral("PhaseIdentical") + suffix);
        addNode(collection, QStringLiteral("IdenticalToPhase") + suffix,
                identical < 0 ? QStringList() : QStringList{QString::number(identical)});
        Node *options = addSection(collection, QStringLiteral("PhaseDataOptions") + suffix);
        const QStringList anisotropy = phases[i].second.split(QLatin1Char(' '));
        addNode(options, QStringLiteral("Anisotropy") + suffix, {anisotropy[0]});
        addNode(options, QStringLiteral("CrystallSymmetry") + suffix, {anisotropy[1]});
        addNode(collection, QStringLiteral("EndOfPD") + suffix);
    }
}

void addAnisotropicInteraction(Node *collection, const QString &suffix, const QString &kind,
                               const QStringList &stiffness, const QStringList &mobility)
{
    addInteractionStart(collection, suffix, QStringLiteral("phase_interaction"));
    addNode(collection, QStringLiteral("PIAnisotropy") + suffix, {kind});
    addNode(collection, QStringLiteral("AnisotropyCoeff1") + suffix, stiffness);
    addNode(collection, QStringLiteral("AnisotropyCoeff2") + suffix, mobility);
}

Node *interactions(Node *root)
{
    return addSection(addSection(root, QStringLiteral("PhaseInteractions")),
                      QStringLiteral("PICollection"));
}

} // namespace

class TestValueTreeReaders : public QObject
{
    Q_OBJECT
private slots:
    void linearPairGivesOneRecordPerComponent();
    void surplusEntriesBelongToAnUnknownComponent();
    void disabledPairGivesNoRecord();
    void linearTQTakesFourOfSixEntries();
    void unequalSectionsEndTheWalk();
    void treeWithoutComponentsGivesNothing();

    void anisotropicInteractionsAreRecorded();
    void facetedPhaseGivesNoRecord();
    void identicalPhaseCopiesAnEarlierOne();
    void identicalToALaterPhaseFails();
    void treeWithoutPhasesFails();
};

void TestValueTreeReaders::linearPairGivesOneRecordPerComponent()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addComponents(root, {QStringLiteral("Al"), QStringLiteral("Cu"), QStringLiteral("Mg")});
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC")});
    Node *collection = interactions(root);
    addInteractionStart(collection, QString(), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QString(), 900, {{5, 1, -10, -20}, {2, 0.5, -4, -16}});

    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromTree7(analyzer.get());
    const QList<PhaseData *> &records = diagrams.phaseData();
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[0]->componentName, QStringLiteral("Cu"));
    QCOMPARE(records[1]->componentName, QStringLiteral("Mg"));
    for (const PhaseData *data : records) {
        QCOMPARE(data->diagramType, QStringLiteral("linear"));
        QCOMPARE(data->concentrationUnit, QStringLiteral("[at%]"));
        QCOMPARE(data->phaseOne, QStringLiteral("LIQUID"));
        QCOMPARE(data->phaseTwo, QStringLiteral("FCC"));
        QCOMPARE(data->referenceTemperature, 900.0);
    }
    QCOMPARE(records[1]->concentrationOne, 2.0);
    QCOMPARE(records[1]->concentrationTwo, 0.5);
    QCOMPARE(records[1]->slopeOne, -4.0);
    QCOMPARE(records[1]->slopeTwo, -16.0);
}

void TestValueTreeReaders::surplusEntriesBelongToAnUnknownComponent()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addComponents(root, {QStringLiteral("Al"), QStringLiteral("Cu")});
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC")});
    Node *collection = interactions(root);
    addInteractionStart(collection, QString(), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QString(), 900, {{5, 1, -10, -20}, {2, 0.5, -4, -16}});

    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromTree7(analyzer.get());
    QCOMPARE(diagrams.phaseData().size(), 2);
    QCOMPARE(diagrams.phaseData()[1]->componentName, QStringLiteral("unknown"));
}

void TestValueTreeReaders::disabledPairGivesNoRecord()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addComponents(root, {QStringLiteral("Al"), QStringLiteral("Cu")});
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC"), QStringLiteral("BCC")});
    Node *collection = interactions(root);
    addInteractionStart(collection, QString(), QStringLiteral("no_phase_interaction"));
    addLinearDiagram(collection, QString(), 900, {{5, 1, -10, -20}});
    addInteractionStart(collection, QStringLiteral("_1"), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QStringLiteral("_1"), 800, {{5, 1, -10, -20}});

    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromTree7(analyzer.get());
    QCOMPARE(diagrams.phaseData().size(), 1);
    // The second entry counts on to the pair (0, 2).
    QCOMPARE(diagrams.phaseData()[0]->phaseTwo, QStringLiteral("BCC"));
    QCOMPARE(diagrams.phaseData()[0]->referenceTemperature, 800.0);
}

void TestValueTreeReaders::linearTQTakesFourOfSixEntries()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addComponents(root, {QStringLiteral("Fe"), QStringLiteral("C")});
    addPhases(root, {QStringLiteral("FCC"), QStringLiteral("BCC")});
    Node *collection = interactions(root);
    addInteractionStart(collection, QString(), QStringLiteral("phase_interaction"));
    addTQDiagram(collection, QString(), 1100, {0.8, 0.02, -50, -300, 7, 8});

    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromTree7(analyzer.get());
    QCOMPARE(diagrams.phaseData().size(), 1);
    const PhaseData *data = diagrams.phaseData().first();
    QCOMPARE(data->diagramType, QStringLiteral("linearTQ"));
    QCOMPARE(data->componentName, QStringLiteral("C"));
    QCOMPARE(data->referenceTemperature, 1100.0);
    QCOMPARE(data->concentrationOne, 0.8);
    QCOMPARE(data->concentrationTwo, 0.02);
    QCOMPARE(data->slopeOne, -50.0);
    QCOMPARE(data->slopeTwo, -300.0);
}

void TestValueTreeReaders::unequalSectionsEndTheWalk()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addComponents(root, {QStringLiteral("Al"), QStringLiteral("Cu"), QStringLiteral("Mg")});
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC"), QStringLiteral("BCC")});
    Node *collection = interactions(root);
    addInteractionStart(collection, QString(), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QString(), 900, {{5, 1, -10, -20}});
    addInteractionStart(collection, QStringLiteral("_1"), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QStringLiteral("_1"), 800, {{5, 1, -10, -20}, {1, 1, 1, 1}}, 1);
    addInteractionStart(collection, QStringLiteral("_2"), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QStringLiteral("_2"), 700, {{5, 1, -10, -20}});

    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromTree7(analyzer.get());
    QCOMPARE(diagrams.phaseData().size(), 1);
    QCOMPARE(diagrams.phaseData()[0]->referenceTemperature, 900.0);
}

void TestValueTreeReaders::treeWithoutComponentsGivesNothing()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC")});
    Node *collection = interactions(root);
    addInteractionStart(collection, QString(), QStringLiteral("phase_interaction"));
    addLinearDiagram(collection, QString(), 900, {{5, 1, -10, -20}});
    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromTree7(analyzer.get());
    QVERIFY(diagrams.phaseData().isEmpty());
}

void TestValueTreeReaders::anisotropicInteractionsAreRecorded()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC"), QStringLiteral("TET")});
    addPhaseData(root, {{-1, QStringLiteral("anisotropic Cubic")},
                        {-1, QStringLiteral("anisotropic tetragonal")}});
    Node *collection = interactions(root);
    addAnisotropicInteraction(collection, QString(), QStringLiteral("Anisotropic"),
                              {QStringLiteral("0.05")}, {QStringLiteral("0.2")});
    addAnisotropicInteraction(collection, QStringLiteral("_1"), QStringLiteral("anisotropic"),
                              {QStringLiteral("0.03"), QStringLiteral("1.4")},
                              {QStringLiteral("0.1")});
    addAnisotropicInteraction(collection, QStringLiteral("_2"),
                              QStringLiteral("aniso_special_orient"), {QStringLiteral("0.1")},
                              {QStringLiteral("0.1")});

    AnisotropyPlots plots(QStringLiteral("test"), nullptr);
    QVERIFY(plots.getAnisoDataFromTree7(analyzer.get()));
    QCOMPARE(plots.symmetries.size(), 3);
    QCOMPARE(plots.symmetries[1].symmetry, QStringLiteral("cubic"));
    QCOMPARE(plots.records.size(), 2);
    const AnisotropyData *cubic = plots.records[0];
    QCOMPARE(cubic->title, QStringLiteral("Interaction LIQUID / FCC"));
    QCOMPARE(cubic->stiffness[0], 0.05);
    QCOMPARE(cubic->mobility[0], 0.2);
    const AnisotropyData *tetragonal = plots.records[1];
    QCOMPARE(tetragonal->title, QStringLiteral("Interaction LIQUID / TET"));
    QCOMPARE(QList<double>(
                 {tetragonal->stiffness[0], tetragonal->stiffness[1], tetragonal->stiffness[2]}),
             QList<double>({0.03, 0.0, 1.4}));
    QCOMPARE(
        QList<double>({tetragonal->mobility[0], tetragonal->mobility[1], tetragonal->mobility[2]}),
        QList<double>({0.1, 0.0, 1.0}));
}

void TestValueTreeReaders::facetedPhaseGivesNoRecord()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC")});
    addPhaseData(root, {{-1, QStringLiteral("Faceted_anisotropy cubic")}});
    addAnisotropicInteraction(interactions(root), QString(), QStringLiteral("anisotropic"),
                              {QStringLiteral("0.05")}, {QStringLiteral("0.2")});
    AnisotropyPlots plots(QStringLiteral("test"), nullptr);
    QVERIFY(plots.getAnisoDataFromTree7(analyzer.get()));
    QVERIFY(plots.symmetries[1].faceted);
    QVERIFY(plots.records.isEmpty());
}

void TestValueTreeReaders::identicalPhaseCopiesAnEarlierOne()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("HCP"), QStringLiteral("HCP2")});
    addPhaseData(root, {{-1, QStringLiteral("anisotropic hexagonal")},
                        {1, QStringLiteral("anisotropic cubic")}});
    Node *collection = interactions(root);
    addAnisotropicInteraction(collection, QString(), QStringLiteral("isotropic"), {}, {});
    addAnisotropicInteraction(collection, QStringLiteral("_1"), QStringLiteral("anisotropic"),
                              {QStringLiteral("0.02")}, {QStringLiteral("0.1")});
    AnisotropyPlots plots(QStringLiteral("test"), nullptr);
    QVERIFY(plots.getAnisoDataFromTree7(analyzer.get()));
    QCOMPARE(plots.symmetries.size(), 3);
    QCOMPARE(plots.symmetries[2].phaseName, QStringLiteral("HCP2"));
    QCOMPARE(plots.symmetries[2].symmetry, QStringLiteral("hexagonal"));
    QCOMPARE(plots.records.size(), 1);
    QCOMPARE(plots.records[0]->title, QStringLiteral("Interaction LIQUID / HCP2"));
    QCOMPARE(plots.records[0]->pairSymmetry(), QStringLiteral("hexagonal"));
}

void TestValueTreeReaders::identicalToALaterPhaseFails()
{
    auto analyzer = emptyAnalyzer();
    Node *root = analyzer->getRoot();
    addPhases(root, {QStringLiteral("LIQUID"), QStringLiteral("FCC"), QStringLiteral("BCC")});
    addPhaseData(root, {{2, QStringLiteral("anisotropic cubic")},
                        {-1, QStringLiteral("anisotropic cubic")}});
    addAnisotropicInteraction(interactions(root), QString(), QStringLiteral("anisotropic"),
                              {QStringLiteral("0.05")}, {QStringLiteral("0.2")});
    AnisotropyPlots plots(QStringLiteral("test"), nullptr);
    QVERIFY(!plots.getAnisoDataFromTree7(analyzer.get()));
    QVERIFY(plots.symmetries.isEmpty());
    QVERIFY(plots.records.isEmpty());
}

void TestValueTreeReaders::treeWithoutPhasesFails()
{
    auto analyzer = emptyAnalyzer();
    AnisotropyPlots plots(QStringLiteral("test"), nullptr);
    QVERIFY(!plots.getAnisoDataFromTree7(analyzer.get()));
    QVERIFY(plots.records.isEmpty());
}

QTEST_MAIN(TestValueTreeReaders)
#include "test_valuetreereaders.moc"
