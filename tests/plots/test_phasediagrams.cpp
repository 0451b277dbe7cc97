#include <QAction>
#include <QFile>
#include <QtTest>

#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_div.h>

#include "plots/phasediagrams.h"

namespace {

QString fixture(const QString &name)
{
    QFile file(QStringLiteral(VORPEN_TEST_DIR "/data/") + name);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

PhaseData *pair(const QString &component, double t0, double c1, double c2, double m1, double m2)
{
    auto *data = new PhaseData();
    data->diagramType = QStringLiteral("linear");
    data->componentName = component;
    data->phaseOne = QStringLiteral("LIQUID");
    data->phaseTwo = QStringLiteral("FCC");
    data->referenceTemperature = t0;
    data->concentrationOne = c1;
    data->concentrationTwo = c2;
    data->slopeOne = m1;
    data->slopeTwo = m2;
    return data;
}

QList<QwtPlotItem *> itemsOf(QwtPlot *plot, int rtti)
{
    return plot->itemList(rtti);
}

int horizontalLines(QwtPlot *plot)
{
    int count = 0;
    for (QwtPlotItem *item : itemsOf(plot, QwtPlotItem::Rtti_PlotMarker)) {
        if (static_cast<QwtPlotMarker *>(item)->lineStyle() == QwtPlotMarker::HLine)
            ++count;
    }
    return count;
}

// Opens the diagram of `component` the way the menu entry does.
QwtPlot *plotComponent(PhaseDiagrams &diagrams, const QString &component)
{
    QAction action(QStringLiteral("Component ") + component);
    QObject::connect(&action, &QAction::triggered, &diagrams, &PhaseDiagrams::slotPlot);
    action.trigger();
    for (PhaseData *data : diagrams.phaseData()) {
        if (data->componentName == component)
            return data->plot;
    }
    return nullptr;
}

} // namespace

class TestPhaseDiagrams : public QObject
{
    Q_OBJECT
private slots:
    void linesMeetWhereBothFormulasAgree();
    void meetingPointAboveTheCapIsDrawnAtTheCap();
    void parallelLinesMeetAtTheReferencePoint();
    void rangesCoverReferenceAndMeetingPoints();
    void pairsAreColouredInTurn();

    void linearBlockGivesOneRecordPerComponent();
    void linearTQBlockTakesPhaseNamesFromItsComments();
    void unreadableBlocksAreNotPlotted_data();
    void unreadableBlocksAreNotPlotted();

    void plotShowsEveryPairOfTheComponent();
    void sharedReferenceTemperatureIsDrawnOnce();
    void closingThePlotForgetsIt();
    void olderWindowKeepsItsOwnSamples();
};

void TestPhaseDiagrams::linesMeetWhereBothFormulasAgree()
{
    std::unique_ptr<PhaseData> data(pair(QStringLiteral("Cu"), 1000, 5, 1, -10, -20));
    QCOMPARE(data->meetingConcentration(), -3.0);
    QCOMPARE(data->meetingTemperature(), 1080.0);
    QCOMPARE(data->temperatureOne(-3.0), 1080.0);
    QCOMPARE(data->temperatureTwo(5.0), 920.0);
}

void TestPhaseDiagrams::meetingPointAboveTheCapIsDrawnAtTheCap()
{
    std::unique_ptr<PhaseData> data(pair(QStringLiteral("Cu"), 1000, 5, 1, -1000, -1001));
    QVERIFY(data->meetingTemperature() > 2999.0);
    QCOMPARE(data->meetingTemperature(), 3000.0);
}

void TestPhaseDiagrams::parallelLinesMeetAtTheReferencePoint()
{
    std::unique_ptr<PhaseData> data(pair(QStringLiteral("Cu"), 1000, 5, 1, -10, -10 + 1e-12));
    QVERIFY(data->linesParallel());
    QCOMPARE(data->meetingConcentration(), 0.0);
    QCOMPARE(data->meetingTemperature(), 1000.0);
}

void TestPhaseDiagrams::rangesCoverReferenceAndMeetingPoints()
{
    std::unique_ptr<PhaseData> meeting(pair(QStringLiteral("Cu"), 1000, 5, 1, -10, -20));
    std::unique_ptr<PhaseData> parallel(pair(QStringLiteral("Cu"), 900, 4, 2, -10, -10));
    PhaseDiagramRanges ranges;
    ranges.include(*meeting);
    QCOMPARE(ranges.concentrationMin, -3.0);
    QCOMPARE(ranges.concentrationMax, 5.0);
    QCOMPARE(ranges.temperatureMin, 1000.0);
    QCOMPARE(ranges.temperatureMax, 1080.0);
    ranges.include(*parallel);
    QCOMPARE(ranges.concentrationMin, -3.0);
    QCOMPARE(ranges.concentrationMax, 5.0);
    QCOMPARE(ranges.temperatureMin, 900.0);
}

void TestPhaseDiagrams::pairsAreColouredInTurn()
{
    QCOMPARE(phaseDiagramColour(0), QColor(Qt::black));
    QCOMPARE(phaseDiagramColour(1), QColor(255, 0, 0));
    QCOMPARE(phaseDiagramColour(6), QColor(0, 255, 255));
    QCOMPARE(phaseDiagramColour(7), QColor(Qt::black));
}

void TestPhaseDiagrams::linearBlockGivesOneRecordPerComponent()
{
    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromDrivingFile(fixture(QStringLiteral("phasediagram_64.txt")));
    const QList<PhaseData *> &records = diagrams.phaseData();
    QCOMPARE(records.size(), 6);

    const PhaseData *cu = records[0];
    QCOMPARE(cu->diagramType, QStringLiteral("linear"));
    QCOMPARE(cu->concentrationUnit, QStringLiteral("[wt%]"));
    QCOMPARE(cu->componentName, QStringLiteral("Cu"));
    QCOMPARE(cu->phaseOne, QStringLiteral("0"));
    QCOMPARE(cu->phaseTwo, QStringLiteral("1"));
    QCOMPARE(cu->referenceTemperature, 1000.0);
    QCOMPARE(cu->concentrationOne, 5.0);
    QCOMPARE(cu->concentrationTwo, 1.0);
    QCOMPARE(cu->slopeOne, -10.0);
    QCOMPARE(cu->slopeTwo, -20.0);

    // The second component follows the first record of its block.
    const PhaseData *ni = records[1];
    QCOMPARE(ni->componentName, QStringLiteral("Ni"));
    QCOMPARE(ni->referenceTemperature, 1000.0);
    QCOMPARE(ni->phaseTwo, QStringLiteral("1"));
    QCOMPARE(ni->concentrationOne, 2.5);
    QCOMPARE(ni->slopeTwo, -16.0);
}

void TestPhaseDiagrams::linearTQBlockTakesPhaseNamesFromItsComments()
{
    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromDrivingFile(fixture(QStringLiteral("phasediagram_64.txt")));
    const PhaseData *cu = diagrams.phaseData().value(2);
    QVERIFY(cu);
    QCOMPARE(cu->diagramType, QStringLiteral("linearTQ"));
    QCOMPARE(cu->componentName, QStringLiteral("Cu"));
    QCOMPARE(cu->phaseOne, QStringLiteral("FCC"));
    QCOMPARE(cu->phaseTwo, QStringLiteral("BCC"));
    QCOMPARE(cu->referenceTemperature, 1200.0);
    QCOMPARE(cu->concentrationOne, 2.0);
    QCOMPARE(cu->concentrationTwo, 0.5);
    QCOMPARE(cu->slopeOne, -5.0);
    QCOMPARE(cu->slopeTwo, -8.0);

    const PhaseData *ni = diagrams.phaseData().value(3);
    QVERIFY(ni);
    QCOMPARE(ni->componentName, QStringLiteral("Ni"));
    QCOMPARE(ni->phaseOne, QStringLiteral("FCC"));
    QCOMPARE(ni->concentrationOne, 1.5);
    QCOMPARE(ni->concentrationTwo, 3.0);
    QCOMPARE(ni->slopeOne, -2.0);
    QCOMPARE(ni->slopeTwo, -6.0);
}

void TestPhaseDiagrams::unreadableBlocksAreNotPlotted_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("type");
    const QString header = QStringLiteral("# Input of the phase diagram of phase 0 and phase 1:\n");
    QTest::newRow("comment from a database") << header + "# Phase diagram from a database\n"
                                             << "database";
    QTest::newRow("no reference temperature")
        << header + "linear\n# Concentration at Reference point 1 of Cu component\n5\n"
        << "invalid";
    QTest::newRow("value where a comment belongs")
        << header + "linear\n# Temperature of the reference point\n1000\n5\n"
        << "invalid";
    QTest::newRow("TQ value where a comment belongs")
        << header + "linearTQ\n# T0 [K]\n1000\nc0(Cu)/FCC\n2\n"
        << "invalid";
    QTest::newRow("unknown type") << header + "quadratic\n# Temperature of\n1000\n"
                                  << "invalid";
}

void TestPhaseDiagrams::unreadableBlocksAreNotPlotted()
{
    QFETCH(QString, block);
    QFETCH(QString, type);
    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromDrivingFile(block + "# Initial concentrations\n");
    QCOMPARE(diagrams.phaseData().size(), 1);
    QCOMPARE(diagrams.phaseData().first()->diagramType, type);
}

void TestPhaseDiagrams::plotShowsEveryPairOfTheComponent()
{
    PhaseDiagrams diagrams(QStringLiteral("alloy_dri.txt"), nullptr);
    diagrams.getPhaseDataFromDrivingFile(fixture(QStringLiteral("phasediagram_64.txt")));
    QwtPlot *plot = plotComponent(diagrams, QStringLiteral("Cu"));
    QVERIFY(plot);
    QCOMPARE(plot->windowTitle(), QStringLiteral("alloy_dri.txt"));
    QCOMPARE(plot->title().text(), QStringLiteral("Phase Diagram: Component Cu"));
    QCOMPARE(plot->size(), QSize(800, 600));
    QVERIFY(plot->axisTitle(QwtPlot::xBottom).text().contains(QStringLiteral("Cu [wt%]")));

    // Pairs: (1000 K, meets at -3 / 1080) and (1200 K, meets at -2 / 1220).
    const QwtScaleDiv left = plot->axisScaleDiv(QwtPlot::yLeft);
    QCOMPARE(left.lowerBound(), 1000.0 - 0.05 * 220.0);
    QCOMPARE(left.upperBound(), 1220.0 + 0.05 * 220.0);
    const QwtScaleDiv bottom = plot->axisScaleDiv(QwtPlot::xBottom);
    QCOMPARE(bottom.lowerBound(), -3.0 - 0.0125 * 8.0);
    QCOMPARE(bottom.upperBound(), 5.0 + 0.25 * 8.0);

    const QList<QwtPlotItem *> curves = itemsOf(plot, QwtPlotItem::Rtti_PlotCurve);
    QCOMPARE(curves.size(), 4);
    auto *first = static_cast<QwtPlotCurve *>(curves[0]);
    auto *second = static_cast<QwtPlotCurve *>(curves[2]);
    QCOMPARE(first->pen().color(), QColor(Qt::black));
    QCOMPARE(second->pen().color(), QColor(255, 0, 0));
    QCOMPARE(second->title().text(), QStringLiteral("interaction FCC / BCC"));
    QCOMPARE(first->dataSize(), size_t(101));
    QCOMPARE(first->sample(0).x(), -3.0);
    QCOMPARE(first->sample(0).y(), 1080.0);
    QCOMPARE(horizontalLines(plot), 2);
    plot->close();
}

void TestPhaseDiagrams::sharedReferenceTemperatureIsDrawnOnce()
{
    QString text;
    for (int pair = 0; pair < 8; ++pair) {
        text += QStringLiteral("# Input of the phase diagram of phase 0 and phase %1:\n"
                               "linear\n# Temperature of the reference point\n1000\n"
                               "# Slope dT/dc of line at reference point 1 of Cu component\n"
                               "-%2\n")
                    .arg(pair + 1)
                    .arg(pair + 1);
    }
    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromDrivingFile(text);
    QwtPlot *plot = plotComponent(diagrams, QStringLiteral("Cu"));
    QVERIFY(plot);
    QCOMPARE(horizontalLines(plot), 1);
    const QList<QwtPlotItem *> curves = itemsOf(plot, QwtPlotItem::Rtti_PlotCurve);
    QCOMPARE(curves.size(), 16);
    QCOMPARE(static_cast<QwtPlotCurve *>(curves[2])->pen().color(), QColor(255, 0, 0));
    QCOMPARE(static_cast<QwtPlotCurve *>(curves[14])->pen().color(), QColor(Qt::black));
    plot->close();
}

void TestPhaseDiagrams::closingThePlotForgetsIt()
{
    PhaseDiagrams diagrams(QStringLiteral("test"), nullptr);
    diagrams.getPhaseDataFromDrivingFile(fixture(QStringLiteral("phasediagram_64.txt")));
    QPointer<QwtPlot> plot = plotComponent(diagrams, QStringLiteral("Ni"));
    QVERIFY(plot);
    plot->close();
    QTRY_VERIFY(!plot);
    QVERIFY(!diagrams.phaseData()[1]->plot);

    auto *owner = new PhaseDiagrams(QStringLiteral("test"), nullptr);
    owner->getPhaseDataFromDrivingFile(fixture(QStringLiteral("phasediagram_64.txt")));
    plot = plotComponent(*owner, QStringLiteral("Cu"));
    delete owner;
    QTRY_VERIFY(!plot);
}

void TestPhaseDiagrams::olderWindowKeepsItsOwnSamples()
{
    auto *diagrams = new PhaseDiagrams(QStringLiteral("test"), nullptr);
    diagrams->getPhaseDataFromDrivingFile(fixture(QStringLiteral("phasediagram_64.txt")));
    QPointer<QwtPlot> older = plotComponent(*diagrams, QStringLiteral("Cu"));
    QPointer<QwtPlot> newer = plotComponent(*diagrams, QStringLiteral("Cu"));
    QVERIFY(older && newer && older != newer);
    delete diagrams;
    QTRY_VERIFY(!newer);
    QVERIFY(older);
    auto *curve = static_cast<QwtPlotCurve *>(older->itemList(QwtPlotItem::Rtti_PlotCurve)[0]);
    QCOMPARE(curve->sample(0).y(), 1080.0);
    older->replot();
    delete older;
}

QTEST_MAIN(TestPhaseDiagrams)
#include "test_phasediagrams.moc"
