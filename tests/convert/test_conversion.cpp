// The rules of the 6.4 to 7.0 conversion, on 6.4 trees given just the values a rule reads.
#include "convert/conversionresult.h"
#include "keywordcheck.h"
#include "syntax/node.h"
#include "syntax/syntaxanalyzer.h"
#include "tests/support/handmadenode.h"

#include <QtTest>

#include <memory>

namespace {

using Values = QHash<QString, QStringList>;

// A 6.4 tree without analysis: every parameter of the grammar, holding only the given values.
struct Source
{
    SyntaxAnalyzer tree{QStringLiteral("ZEL_Syntax_6-4.xml")};

    explicit Source(const Values &values)
    {
        for (auto it = values.begin(); it != values.end(); ++it)
            tree.setValues(it.key(), it.value());
    }
    Node *sectionOf(const QString &name)
    {
        Node *found = nullptr;
        tree.getValues(name, false, found);
        return found->parent;
    }
    // Makes the counted section of name hold count entries, as an analysis would.
    Node *repeat(const QString &name, int count)
    {
        Node *section = sectionOf(name);
        tree.copySection(section, count - 1, QString());
        return section;
    }
};

struct Converted
{
    std::unique_ptr<SyntaxAnalyzer> target;
    bool warnings = false;
    QStringList log;
    QString text;

    QStringList values(const QString &name)
    {
        Node *found = nullptr;
        return target->getValues(name, false, found);
    }
};

// Keywords that any conversion of the running test put where they are no option.
QStringList keywordsOutside;

Converted convert(Source &source)
{
    Converted result;
    result.target = std::make_unique<SyntaxAnalyzer>(QStringLiteral("ZEL_Syntax_7-0.xml"));
    result.target->conversionLog = [&result](const QString &message) { result.log << message; };
    result.warnings = result.target->convert(&source.tree);
    result.text = result.target->printTree(false);
    keywordsOutside << keywordsOutsideOptions(*result.target);
    return result;
}

const QStringList concentration = {QStringLiteral("phase"), QStringLiteral("concentration")};

} // namespace

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(MyRes); }
    void cleanup()
    {
        const QStringList outside = keywordsOutside;
        keywordsOutside.clear();
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join(QStringLiteral(", "))));
    }
    void couplingValues_data();
    void couplingValues();
    void temperatureField();
    void restartStructureOnly();
    void movingFrame();
    void concentrationSolverTimeStepping();
    void defaultRule();
    void genericComponents();
    void genericPhases();
    void liquidInserted();
    void diffusionCodes();
    void initialConcentrations();
    void enthalpyUpdateIntervals();
    void farFieldOptions_data();
    void farFieldOptions();
    void stressOrientation_data();
    void stressOrientation();
    void fileNames_data();
    void fileNames();
    void acceptance();
};

void TestConversion::couplingValues_data()
{
    QTest::addColumn<QStringList>("coupling");
    QTest::addColumn<QStringList>("converted");
    QTest::addColumn<QString>("coarsening");
    QTest::newRow("coarse temperature") << QStringList{"phase", "temperature_coarse"}
                                        << QStringList{"phase", "temperature"} << "coursening";
    QTest::newRow("temperature") << QStringList{"phase", "temperature"}
                                 << QStringList{"phase", "temperature"} << "no_coarsening";
}

void TestConversion::couplingValues()
{
    QFETCH(QStringList, coupling);
    QFETCH(QStringList, converted);
    QFETCH(QString, coarsening);
    Source source({{"TypeOfCoupling", coupling}, {"TSCoarseningFactor", {"4.0"}}});
    Converted result = convert(source);
    QCOMPARE(result.values("TypeOfCoupling"), converted);
    QCOMPARE(result.values("TSCoarsening"), QStringList{coarsening});
    // The factor is asked for exactly when the 7.0 keyword opens it.
    QCOMPARE(result.values("TSCoarseningFactor").isEmpty(), coarsening == "no_coarsening");
}

void TestConversion::temperatureField()
{
    Source polar({{"TypeOfCoupling", {"phase", "temperature"}},
                  {"1DTemperatureField", {"1d_temp_polar"}},
                  {"LHEnabled", {"lat_heat"}}});
    Converted result = convert(polar);
    QCOMPARE(result.values("ThermalConditions"), QStringList{"1d_temp"});
    QCOMPARE(result.values("1DTempTypeCoordinates"), QStringList{"polar"});

    Source latentHeat({{"TypeOfCoupling", {"phase", "concentration", "temperature"}},
                       {"1DTemperatureField", {"no_1d_temp"}},
                       {"LHEnabled", {"lat_heat_3d"}},
                       {"CellsY", {"1"}}});
    result = convert(latentHeat);
    QCOMPARE(result.values("ThermalConditions"), QStringList{"lat_heat"});
    QCOMPARE(result.values("3DCorrection"), QStringList{"3d_correction"});
}

void TestConversion::restartStructureOnly()
{
    Source structure({{"RestartType", {"restart"}}, {"RestartStructureOnly", {"structure_only"}}});
    Converted result = convert(structure);
    QCOMPARE(result.values("RestartType"), QStringList{"new"});
    QCOMPARE(result.values("StructureFromRestartFile"), QStringList{"restart_file"});

    Source restart({{"RestartType", {"restart"}}});
    result = convert(restart);
    QCOMPARE(result.values("RestartType"), QStringList{"restart"});
    QCOMPARE(result.values("StructureFromRestartFile"), QStringList{"no_restart_file"});
}

void TestConversion::movingFrame()
{
    Source endOptional({{"EOMovingFrame", {"moving_frame"}},
                        {"EOMFCriterion", {"temperature"}},
                        {"EOMFMatrixPhase", {"0"}},
                        {"EOMFDistance", {"20.0"}},
                        {"EOMFTemperature", {"900.0"}},
                        {"EOMFOutput", {"no_output"}},
                        {"SOMFCriterion", {"phase_fraction"}}});
    Converted result = convert(endOptional);
    QCOMPARE(result.values("MovingFrame"), QStringList{"moving_frame"});
    QCOMPARE(result.values("MFCriterion"), QStringList{"temperature"});
    QCOMPARE(result.values("MFMatrixPhase"), QStringList{"0"});
    QCOMPARE(result.values("MFDistance"), QStringList{"20.0"});
    QCOMPARE(result.values("MFTemperature"), QStringList{"900.0"});
    QCOMPARE(result.values("MFOutput"), QStringList{"no_output"});

    // 7.0 requires the switch that 6.4 left optional.
    Source none({});
    QCOMPARE(convert(none).values("MovingFrame"), QStringList{"no_moving_frame"});
}

void TestConversion::concentrationSolverTimeStepping()
{
    Source source({{"TypeOfCoupling", concentration}, {"ConcSolverTimeStepping", {"0.5"}}});
    QCOMPARE(convert(source).values("ConcSolverTimeStepping"), QStringList{"0.95"});
}

void TestConversion::defaultRule()
{
    Source source({{"Language", {"german"}}, {"OutputsDefinitionMode", {"legacy"}}});
    Converted result = convert(source);
    QCOMPARE(result.values("Language"), QStringList{"german"});
    // 7.0 only: nothing to take over.
    QVERIFY(result.values("RescaleFactor").isEmpty());
    QVERIFY(result.values("Stress3DContinuumAbstraction").isEmpty());
}

void TestConversion::genericComponents()
{
    Source source({{"TypeOfCoupling", concentration}, {"NumberOfComponents", {"2"}}});
    QVERIFY(convert(source).text.contains("\nComp_0\nComp_1\nComp_2\n\nend_of_components\n"));
}

void TestConversion::genericPhases()
{
    Source source({{"NumberOfPhases", {"2"}}});
    Converted result = convert(source);
    QVERIFY(result.text.contains("\nmatrix\nphase_1\nphase_2\n\nend_of_phases\n"));
    QVERIFY(!result.warnings);
    QVERIFY(result.log.isEmpty());
}

void TestConversion::liquidInserted()
{
    Source source({{"TypeOfCoupling", concentration},
                   {"Database", {"database"}},
                   {"NumberOfPhases", {"4"}},
                   {"MatrixPhase", {"1"}},
                   {"MatrixName", {"FCC_A1"}}});
    Node *indices = source.repeat("Phase", 4);
    indices->children.at(0)->values = QStringList{"2"};
    indices->children.at(1)->values = QStringList{"BCC_A2"};
    indices->children.at(2)->values = QStringList{"3"};
    Converted result = convert(source);
    QVERIFY2(result.text.contains("\nliquid\n\n1 FCC_A1 \n2 BCC_A2 \n3 \nphase_4\nend_of_phases\n"),
             qPrintable(result.text));
    QVERIFY(result.warnings);
    QVERIFY(result.log.contains("Warning: More phases than database indices!\n"
                                "Check the new phase list. Liquid was inserted.\n"));
}

void TestConversion::diffusionCodes()
{
    Source source({{"TypeOfCoupling", concentration}, {"NumberOfComponents", {"1"}}});
    Node *entries = source.sectionOf("DDType");
    source.tree.copySection(entries, 1, QStringLiteral("_1"));
    entries->children.at(0)->values = QStringList{"infinite_restricted"};
    entries->children.at(2)->values = QStringList{"2.0e-5"};
    entries->children.at(6)->values = QStringList{"multi"};
    entries->children.at(7)->values = QStringList{"d"};
    entries->children.at(8)->values = QStringList{"1.0e-9"};
    const QString text = convert(source).text;
    QVERIFY2(text.contains("\ndiagonal I\n\n2.0e-5 \nmulti d \n1.0e-9 "), qPrintable(text));
}

void TestConversion::initialConcentrations()
{
    const Values values = {{"TypeOfCoupling", concentration},
                           {"NumberOfComponents", {"2"}},
                           {"NumberOfPhases", {"1"}},
                           {"InitConcType", {"input"}},
                           {"InitialEquilibriumTemperature", {"900.0"}}};
    Source source(values);
    // 6.4 order: component 1 in phases 0 and 1, then component 2.
    Node *given = source.repeat("InputInitConc", 4);
    const QStringList concentrations = {"1.1", "1.2", "2.1", "2.2"};
    for (int i = 0; i < 4; ++i)
        given->children.at(i)->values = QStringList{concentrations.at(i)};
    QString text = convert(source).text;
    QVERIFY2(text.contains("\ninput \n1.1 \n2.1 \n1.2 \n2.2 \n900.0 "), qPrintable(text));

    Source wrongCount(values);
    given = wrongCount.repeat("InputInitConc", 3);
    text = convert(wrongCount).text;
    QVERIFY2(text.contains("\nWARNING: Expected number of concentrations values is 4\n"
                           "           skipping initial concentrations\n"),
             qPrintable(text));
}

void TestConversion::enthalpyUpdateIntervals()
{
    Source source({{"TypeOfCoupling", {"phase", "concentration", "temperature"}},
                   {"LHEnabled", {"lat_heat"}},
                   {"NumberOfPhases", {"1"}}});
    Node *intervals = source.repeat("LHEnthalpyUpdateInterval", 3);
    intervals->children.at(0)->values = QStringList{"1.0"};
    intervals->children.at(1)->values = QStringList{"end_of_update_intervals"};
    intervals->children.at(2)->values = QStringList{"2.0"};
    intervals->children.at(4)->values = QStringList{"3.0"};
    Converted result = convert(source);
    QVERIFY2(result.text.contains("\n1.0 \n2.0   ! Conversion warning: check this value!"),
             qPrintable(result.text));
    QVERIFY(!result.text.contains("end_of_update_intervals"));
    // 7.0 keeps one interval: the last one given.
    QCOMPARE(result.values("LHEnthalpyUpdateInterval"), QStringList{"3.0"});
}

void TestConversion::farFieldOptions_data()
{
    QTest::addColumn<QString>("farField");
    QTest::addColumn<QString>("expected");
    QTest::newRow("far field with fixed concentrations")
        << "1d_far_field"
        << "\nerror_function\n\ngradient \n\n0.5 0.7 \n";
    QTest::newRow("fixed concentrations without far field") << "no_1d_far_field"
                                                            << "\nno_1d_far_field\n\n0.5 0.7 \n";
}

void TestConversion::farFieldOptions()
{
    QFETCH(QString, farField);
    QFETCH(QString, expected);
    Source source({{"TypeOfCoupling", concentration},
                   {"NumberOfComponents", {"1"}},
                   {"Diff1DFarField", {farField}},
                   {"Diff1DFarFieldApproximation", {"error_function"}},
                   {"ConcFarFieldSetType", {"gradient"}},
                   {"BCConcSetting", {"fixed"}},
                   {"BCFixConc", {"0.5", "0.7"}}});
    Converted result = convert(source);
    QCOMPARE(result.values("Diff1DFarField"), QStringList{farField});
    QVERIFY2(result.text.contains(expected), qPrintable(result.text));
}

void TestConversion::stressOrientation_data()
{
    QTest::addColumn<QString>("cellsZ");
    QTest::addColumn<QStringList>("orientation");
    QTest::newRow("2D") << "1" << QStringList();
    QTest::newRow("3D") << "50" << QStringList{"angle_2d"};
}

void TestConversion::stressOrientation()
{
    QFETCH(QString, cellsZ);
    QFETCH(QStringList, orientation);
    Source source({{"TypeOfCoupling", {"phase", "stress"}},
                   {"CellsX", {"100"}},
                   {"CellsY", {"40"}},
                   {"CellsZ", {cellsZ}}});
    QCOMPARE(convert(source).values("OrientationInputType"), orientation);
}

void TestConversion::fileNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("converted");
    QTest::newRow("first _dri wins") << "/data/run_dri/a.dri"
                                     << "/data/run_v7-0_dri/a.dri";
    QTest::newRow(".dri") << "/data/a.dri"
                          << "/data/a_v7-0.dri";
    QTest::newRow("_dri.txt") << "/data/a_dri.txt"
                              << "/data/a_v7-0_dri.txt";
    QTest::newRow("neither") << "/data/a.txt"
                             << "/data/a.txt_v7-0";
}

void TestConversion::fileNames()
{
    QFETCH(QString, path);
    QFETCH(QString, converted);
    QCOMPARE(convertedFilePath(path), converted);
}

void TestConversion::acceptance()
{
    QVERIFY(verificationAccepted(true, nullptr));
    QVERIFY(verificationAccepted(false, nullptr));
    const auto stoppedAt = [](const QString &name) {
        Node stopped(handmadeDefinition(name));
        return verificationAccepted(false, &stopped);
    };
    QVERIFY(stoppedAt(QString()));
    QVERIFY(stoppedAt(QStringLiteral("OutTestOption_1")));
    QVERIFY(!stoppedAt(QStringLiteral("Outtestoption")));
    QVERIFY(!stoppedAt(QStringLiteral("Language")));
}

QTEST_GUILESS_MAIN(TestConversion)
#include "test_conversion.moc"
