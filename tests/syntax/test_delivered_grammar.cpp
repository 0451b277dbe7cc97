// The delivered 7.0 definition driven through the engine: the walk order, the worked example
// of a driving file's first lines and the conditions and counts that use delivered names.
#include "analysisrun.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"

#include <QtTest>

namespace {

const QString version70 = QStringLiteral("ZEL_Syntax_7-0.xml");

// The first lines of a 7.0 driving file up to its geometry.
const QString opening = QStringLiteral("english\n"
                                       "run1\n"
                                       "overwrite zipped vtk\n"
                                       "binary_zip\n"
                                       "new\n"
                                       "100\n"
                                       "1\n"
                                       "100\n"
                                       "0.5\n");

// Names of the parameters the conditional walk offers when nothing is read.
QStringList offeredParameters(SyntaxAnalyzer &engine)
{
    QStringList names;
    engine.reset();
    while (Node *node = engine.getDependableNext(false, 0))
        names << node->name();
    return names;
}

} // namespace

class TestDeliveredGrammar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }
    void walkVisitsDocumentOrder();
    void workedExample();
    void zippedOnItsOwnLineFailsAtRestartType();
    void componentsCollection();
    void solidPhaseDataFollowsASecondPhase_data();
    void solidPhaseDataFollowsASecondPhase();
    void vtkModeFollowsWriteModeOptions_data();
    void vtkModeFollowsWriteModeOptions();
    void gesFileCondition_data();
    void gesFileCondition();
    void grainCentreHasOneEntryPerDimension_data();
    void grainCentreHasOneEntryPerDimension();
};

void TestDeliveredGrammar::walkVisitsDocumentOrder()
{
    SyntaxAnalyzer engine(version70);
    engine.reset();
    QStringList visited;
    for (int i = 0; i < 11; ++i)
        visited << engine.getNext()->name();
    QCOMPARE(visited, QStringList({"root", "Language", "Language", "SimulationName",
                                   "NameOfResults", "Write Mode", "WriteModeOptions", "VtkMode",
                                   "Restart", "RestartType", "RestartResetTime"}));
}

void TestDeliveredGrammar::workedExample()
{
    SyntaxAnalyzer engine(version70);
    const QString text = opening + "phase concentration\n";
    const AnalysisRun run = analyzeText(engine, text);
    // The file ends before the boundary conditions.
    QCOMPARE(run.valid, false);
    QCOMPARE(run.failed, QString("BCPhaseField"));
    QVERIFY(run.line >= text.count('\n'));
    QCOMPARE(valuesOf(engine, "Language"), QStringList{"english"});
    QCOMPARE(valuesOf(engine, "NameOfResults"), QStringList{"run1"});
    QCOMPARE(valuesOf(engine, "Write Mode"), QStringList{"overwrite"});
    QCOMPARE(valuesOf(engine, "WriteModeOptions"), QStringList({"zipped", "vtk"}));
    QCOMPARE(valuesOf(engine, "VtkMode"), QStringList{"binary_zip"});
    QCOMPARE(valuesOf(engine, "RestartType"), QStringList{"new"});
    QVERIFY(valuesOf(engine, "RestartResetTime").isEmpty());
    QVERIFY(valuesOf(engine, "RestartFile").isEmpty());
    QCOMPARE(valuesOf(engine, "CellsZ"), QStringList{"100"});
    QCOMPARE(valuesOf(engine, "Spacing"), QStringList{"0.5"});
    QVERIFY(valuesOf(engine, "RescaleFactor").isEmpty());
    QCOMPARE(valuesOf(engine, "TypeOfCoupling"), QStringList({"phase", "concentration"}));
}

void TestDeliveredGrammar::zippedOnItsOwnLineFailsAtRestartType()
{
    SyntaxAnalyzer engine(version70);
    const AnalysisRun run = analyzeText(engine, "english\nrun1\noverwrite\nzipped\nnew\n");
    QCOMPARE(run, invalid(3, "RestartType"));
}

void TestDeliveredGrammar::componentsCollection()
{
    SyntaxAnalyzer engine(version70);
    analyzeText(engine, opening + "phase concentration\nperiodic\nperiodic\nno_database\n"
                                  "weight_percent\nAl\nCu\nMg\nend_of_components\n");
    QCOMPARE(valuesOf(engine, "ConcentrationUnit"), QStringList{"weight_percent"});
    QCOMPARE(valuesOf(engine, "Component"), QStringList{"Al"});
    QCOMPARE(valuesOf(engine, "Component_1"), QStringList{"Cu"});
    QCOMPARE(valuesOf(engine, "Component_2"), QStringList{"Mg"});
    QCOMPARE(valuesOf(engine, "EndOfComponents_3"), QStringList{"end_of_components"});
    Node *unused = nullptr;
    QVERIFY(engine.getValues("Component_3", false, unused).isEmpty());
    QVERIFY(unused);
}

void TestDeliveredGrammar::solidPhaseDataFollowsASecondPhase_data()
{
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("solidData");
    QTest::newRow("one phase") << "ferrite\n" << QStringList{"ferrite"} << false;
    QTest::newRow("two phases") << "liquid\nalpha\n" << QStringList{"liquid", "alpha"} << true;
    QTest::newRow("alias after the name") << "LIQUID liquid\nFCC_A1 fcc\n"
                                          << QStringList{"LIQUID", "FCC_A1"} << true;
}

void TestDeliveredGrammar::solidPhaseDataFollowsASecondPhase()
{
    QFETCH(QString, phases);
    QFETCH(QStringList, names);
    QFETCH(bool, solidData);
    SyntaxAnalyzer engine(version70);
    analyzeText(engine, opening + "phase\nperiodic\nno_database\n" + phases +
                            "end_of_phases\nangle_2d\nrecrystallisation\n");
    QCOMPARE(valuesOf(engine, "Phase").value(0), names.value(0));
    QCOMPARE(valuesOf(engine, "Phase_1").value(0), names.value(1));
    // Without solid phases the keyword is offered to the interactions, which refuse it.
    QCOMPARE(valuesOf(engine, "Recrystallisation"),
             solidData ? QStringList{"recrystallisation"} : QStringList());
}

void TestDeliveredGrammar::vtkModeFollowsWriteModeOptions_data()
{
    QTest::addColumn<QString>("writeMode");
    QTest::addColumn<bool>("asksForVtkMode");
    QTest::newRow("vtk") << "overwrite zipped vtk" << true;
    QTest::newRow("VTK in capitals") << "overwrite VTK" << true;
    QTest::newRow("no vtk") << "overwrite zipped" << false;
    QTest::newRow("no options") << "overwrite" << false;
}

void TestDeliveredGrammar::vtkModeFollowsWriteModeOptions()
{
    QFETCH(QString, writeMode);
    QFETCH(bool, asksForVtkMode);
    SyntaxAnalyzer engine(version70);
    const AnalysisRun run = analyzeText(engine, "english\nrun\n" + writeMode + "\nascii\n");
    QCOMPARE(run.failed, QString("RestartType"));
    QCOMPARE(valuesOf(engine, "VtkMode"), asksForVtkMode ? QStringList{"ascii"} : QStringList());
    // Without VtkMode the keyword is offered to the restart type, which refuses it; with it
    // the file ends before the restart type.
    QVERIFY2(asksForVtkMode ? run.line >= 4 : run.line == 3, qPrintable(QString::number(run.line)));
}

void TestDeliveredGrammar::gesFileCondition_data()
{
    QTest::addColumn<QString>("databaseLine");
    QTest::addColumn<bool>("asksForGesFile");
    QTest::newRow("database, no file on the line") << "database" << true;
    QTest::newRow("verbose database") << "database_verbose\n2" << true;
    QTest::newRow("file on the database line") << "database_consistent steel.GES5" << false;
    QTest::newRow("no database") << "no_database" << false;
}

void TestDeliveredGrammar::gesFileCondition()
{
    QFETCH(QString, databaseLine);
    QFETCH(bool, asksForGesFile);
    SyntaxAnalyzer engine(version70);
    analyzeText(engine, opening + "phase\nperiodic\n" + databaseLine + "\nalloy.GES5\n");
    QCOMPARE(valuesOf(engine, "GESFile"),
             asksForGesFile ? QStringList{"alloy.GES5"} : QStringList());
}

void TestDeliveredGrammar::grainCentreHasOneEntryPerDimension_data()
{
    QTest::addColumn<QString>("cellsY");
    QTest::addColumn<QString>("cellsZ");
    QTest::addColumn<int>("coordinates");
    QTest::newRow("2D in x and z") << "1"
                                   << "50" << 2;
    QTest::newRow("3D") << "20"
                        << "50" << 3;
    QTest::newRow("2D in x and y") << "20"
                                   << "1" << 2;
}

void TestDeliveredGrammar::grainCentreHasOneEntryPerDimension()
{
    QFETCH(QString, cellsY);
    QFETCH(QString, cellsZ);
    SyntaxAnalyzer engine(version70);
    engine.setValues("CellsX", {"100"});
    engine.setValues("CellsY", {cellsY});
    engine.setValues("CellsZ", {cellsZ});
    engine.setValues("GrainInputType", {"deterministic"});
    engine.setValues("NumberOfGrains", {"1"});
    engine.setValues("GrainGeometry", {"rectangular"});
    const QStringList offered = offeredParameters(engine);
    // Centre and extensions of the rectangle, one coordinate per dimension each.
    const auto coordinates = std::count_if(offered.begin(), offered.end(), [](const QString &n) {
        return n == "GrainPar" || n.startsWith("GrainPar_");
    });
    QTEST(int(coordinates) / 2, "coordinates");
    QCOMPARE(offered.count("GrainPar"), 2);
    QVERIFY(!offered.contains("RoundRadius"));
}

QTEST_GUILESS_MAIN(TestDeliveredGrammar)
#include "test_delivered_grammar.moc"
