#include <QAction>
#include <QFile>
#include <QtMath>
#include <QtTest>

#include <cmath>
#include <memory>

#include "plots/anisotropyplots.h"
#include "plots/anisotropyseries.h"
#include "plots/polarplot.h"

namespace {

QString fixture(const QString &name)
{
    QFile file(QStringLiteral(VORPEN_TEST_DIR "/data/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

double cubicStiffness(double e1, double phi)
{
    return 1.0 - e1 * std::cos(4.0 * phi);
}

// Counts the samples a series computes, to see the bounding rectangle's cache at work.
class CountingSeries : public generalData
{
public:
    CountingSeries() : generalData(radiusIntervall, winkelIntervall, 200) {}
    mutable int evaluations = 0;

protected:
    double radiusAt(double phi) const override
    {
        ++evaluations;
        return 1.0 + 0.5 * std::cos(phi);
    }
};

} // namespace

class TestAnisotropy : public QObject
{
    Q_OBJECT
private slots:
    void cubicSamplesRunOverTheFullTurn();
    void reducedFormsAgreeWithCubic();
    void mobilityMirrorsStiffness();
    void boundingRectangleIsComputedOnce();

    void coefficientRules_data();
    void coefficientRules();
    void pairSymmetryFallsBackToPhaseOne();

    void drivingFile64GivesAnisotropicInteractions();
    void drivingFile64WithoutPhaseDataGivesNothing();
    void unsupportedSymmetryOpensAnEmptyPlot();
};

void TestAnisotropy::cubicSamplesRunOverTheFullTurn()
{
    Cubic2DequivStiff series(radiusIntervall, winkelIntervall, 200, 0.05);
    QCOMPARE(series.size(), size_t(200));
    QCOMPARE(series.sample(0).azimuth(), 0.0);
    QCOMPARE(series.sample(0).radius(), 0.95);
    QVERIFY(qFuzzyCompare(series.sample(25).azimuth(), 45.0));
    QVERIFY(qFuzzyCompare(series.sample(25).radius(), 1.05));
    QVERIFY(qFuzzyCompare(series.sample(199).azimuth(), 358.2));
}

void TestAnisotropy::reducedFormsAgreeWithCubic()
{
    const QwtInterval &r = radiusIntervall;
    const QwtInterval &w = winkelIntervall;
    const Tetragonal2DequivStiff tetragonal(r, w, 200, 0.05, 1.0);
    const Orthorhombic2DequivStiff orthorhombic(r, w, 200, 0.05, 1.0, 1.0);
    for (size_t i = 0; i < 200; i += 7) {
        const double phi = 2.0 * M_PI * double(i) / 200.0;
        QVERIFY(qFuzzyCompare(tetragonal.sample(i).radius(), cubicStiffness(0.05, phi)));
        QVERIFY(qFuzzyCompare(orthorhombic.sample(i).radius(), cubicStiffness(0.05, phi)));
    }
}

void TestAnisotropy::mobilityMirrorsStiffness()
{
    const QwtInterval &r = radiusIntervall;
    const QwtInterval &w = winkelIntervall;
    const Hexagonal2DequivStiff hexagonalStiffness(r, w, 200, 0.1);
    const Hexagonal2DequivMobil hexagonal(r, w, 200, 0.1);
    const Tetragonal2DequivMobil tetragonal(r, w, 200, 0.1, 1.5);
    const Orthorhombic2DequivMobil orthorhombic(r, w, 200, 0.1, 0.8, 1.5);
    for (size_t i = 0; i < 200; i += 5) {
        const double phi = qDegreesToRadians(hexagonal.sample(i).azimuth());
        const double s2 = std::sin(phi) * std::sin(phi);
        const double cubic = 1.0 + 0.1 * std::cos(4.0 * phi);
        QVERIFY(qFuzzyCompare(hexagonal.sample(i).radius(), 1.0 + 0.1 * std::cos(6.0 * phi)));
        QVERIFY(qFuzzyCompare(hexagonal.sample(i).radius() + hexagonalStiffness.sample(i).radius(),
                              2.0));
        QVERIFY(qFuzzyCompare(tetragonal.sample(i).radius(), (1.5 * s2 + 1.0 - s2) * cubic));
        QVERIFY(qFuzzyCompare(orthorhombic.sample(i).radius(), (1.5 * s2 - s2 + 0.8) * cubic));
    }
}

void TestAnisotropy::boundingRectangleIsComputedOnce()
{
    CountingSeries series;
    const QRectF first = series.boundingRect();
    const int evaluations = series.evaluations;
    QCOMPARE(evaluations, 200);
    QCOMPARE(series.boundingRect(), first);
    QCOMPARE(series.evaluations, evaluations);
    QVERIFY(first.width() >= 0.0);
}

void TestAnisotropy::coefficientRules_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("symmetry");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("no values") << QStringList() << "cubic" << QList<double>{0, 0, 0};
    QTest::newRow("cubic uses the first value")
        << QStringList{"0.05", "0.7"} << "cubic" << QList<double>{0.05, 0, 0};
    QTest::newRow("tetragonal, one value")
        << QStringList{"0.05"} << "tetragonal" << QList<double>{0.05, 0, 1};
    QTest::newRow("tetragonal, two values")
        << QStringList{"0.05", "1.4"} << "tetragonal" << QList<double>{0.05, 0, 1.4};
    QTest::newRow("orthorhombic, one value")
        << QStringList{"0.05"} << "orthorhombic" << QList<double>{0.05, 1, 1};
    QTest::newRow("orthorhombic, two values")
        << QStringList{"0.05", "1.4"} << "orthorhombic" << QList<double>{0.05, 1, 1.4};
    QTest::newRow("orthorhombic, three values")
        << QStringList{"0.05", "0.8", "1.4"} << "orthorhombic" << QList<double>{0.05, 0.8, 1.4};
}

void TestAnisotropy::coefficientRules()
{
    QFETCH(QStringList, values);
    QFETCH(QString, symmetry);
    QFETCH(QList<double>, expected);
    double coefficients[3] = {-1, -1, -1};
    coefficientsFromValues(values, symmetry, coefficients);
    QCOMPARE(QList<double>({coefficients[0], coefficients[1], coefficients[2]}), expected);
    coefficientsFromLine(values.join(QStringLiteral("  ")), symmetry, coefficients);
    QCOMPARE(QList<double>({coefficients[0], coefficients[1], coefficients[2]}), expected);
}

void TestAnisotropy::pairSymmetryFallsBackToPhaseOne()
{
    AnisotropyData data;
    data.setPhaseOne({QStringLiteral("FCC"), QStringLiteral("cubic"), false});
    data.setPhaseTwo({QStringLiteral("LIQUID"), QStringLiteral("isotropic"), false});
    QCOMPARE(data.pairSymmetry(), QStringLiteral("cubic"));
    data.setPhaseTwo({QStringLiteral("HCP"), QStringLiteral("hexagonal"), false});
    QCOMPARE(data.pairSymmetry(), QStringLiteral("hexagonal"));
}

void TestAnisotropy::drivingFile64GivesAnisotropicInteractions()
{
    AnisotropyPlots plots(QStringLiteral("alloy"), nullptr);
    QVERIFY(plots.polarPlotData(fixture(QStringLiteral("anisotropy_64.txt"))));
    QCOMPARE(plots.symmetries.size(), 4);
    QCOMPARE(plots.symmetries[1].symmetry, QStringLiteral("cubic"));
    QVERIFY(plots.symmetries[2].faceted);

    // Phase 2 is faceted and 0 / 3 is "aniso_special_orient": two records are left.
    QCOMPARE(plots.records.size(), 2);
    const AnisotropyData *cubic = plots.records[0];
    QCOMPARE(cubic->title, QStringLiteral("phase interaction 0 / 1"));
    QCOMPARE(cubic->phaseOneSymmetry, QStringLiteral("isotropic"));
    QCOMPARE(cubic->phaseTwoSymmetry, QStringLiteral("cubic"));
    QCOMPARE(cubic->stiffness[0], 0.05);
    QCOMPARE(cubic->mobility[0], 0.3);

    const AnisotropyData *orthorhombic = plots.records[1];
    QCOMPARE(orthorhombic->title, QStringLiteral("phase interaction 1 / 3"));
    QCOMPARE(orthorhombic->phaseOneName, QStringLiteral("1"));
    QCOMPARE(orthorhombic->phaseTwoName, QStringLiteral("3"));
    QCOMPARE(QList<double>({orthorhombic->stiffness[0], orthorhombic->stiffness[1],
                            orthorhombic->stiffness[2]}),
             QList<double>({0.04, 1.0, 1.0}));
    QCOMPARE(QList<double>(
                 {orthorhombic->mobility[0], orthorhombic->mobility[1], orthorhombic->mobility[2]}),
             QList<double>({0.02, 0.9, 1.2}));
}

void TestAnisotropy::drivingFile64WithoutPhaseDataGivesNothing()
{
    AnisotropyPlots plots(QStringLiteral("alloy"), nullptr);
    QVERIFY(plots.polarPlotData(QStringLiteral("# Phase diagram\nanisotropic\n")));
    QVERIFY(plots.records.isEmpty());

    const QStringList lines = {QStringLiteral("anisotropic")};
    std::unique_ptr<AnisotropyData> untitled(plots.insertAnisotropyData(lines, 0));
    QVERIFY(untitled->title.isEmpty());
}

void TestAnisotropy::unsupportedSymmetryOpensAnEmptyPlot()
{
    AnisotropyPlots plots(QStringLiteral("alloy"), nullptr);
    auto *data = new AnisotropyData();
    data->title = QStringLiteral("Interaction A / B");
    data->phaseOneSymmetry = QStringLiteral("isotropic");
    data->phaseTwoSymmetry = QStringLiteral("none");
    plots.records.append(data);
    QAction action(data->title);
    connect(&action, &QAction::triggered, &plots, &AnisotropyPlots::createCurves);
    action.trigger();
    QVERIFY(data->plot);
    QCOMPARE(data->plot->items().size(), 1);
    QVERIFY(!data->stiffnessCurve);
    QCOMPARE(data->plot->size(), QSize(400, 400));
    QVERIFY(data->plot->testAttribute(Qt::WA_DeleteOnClose));
}

QTEST_MAIN(TestAnisotropy)
#include "test_anisotropy.moc"
