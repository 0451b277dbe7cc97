#include <QAction>
#include <QImage>
#include <QtMath>
#include <QtTest>

#include <cmath>

#include <qwt_legend.h>
#include <qwt_legend_label.h>

#include "plots/anisotropyplots.h"
#include "plots/polarcurve.h"
#include "plots/polargrid.h"
#include "plots/polarplot.h"

namespace {

// A radial spoke: two points at one azimuth, from radius `from` to radius `to`.
class Spoke : public QwtSeriesData<QwtPointPolar>
{
public:
    Spoke(double azimuth, double from, double to) : azimuth(azimuth), from(from), to(to) {}
    size_t size() const override { return 2; }
    QwtPointPolar sample(size_t i) const override
    {
        return QwtPointPolar(azimuth, i == 0 ? from : to);
    }
    QRectF boundingRect() const override { return qwtBoundingRect(*this); }

private:
    double azimuth, from, to;
};

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 180 && qGreen(pixel) < 120 && qBlue(pixel) < 120;
}

// True when a red pixel lies within two pixels of `at`.
bool redNear(const QImage &image, const QPointF &at)
{
    const QPoint centre = at.toPoint();
    for (int dx = -2; dx <= 2; ++dx) {
        for (int dy = -2; dy <= 2; ++dy) {
            const QPoint p = centre + QPoint(dx, dy);
            if (image.rect().contains(p) && isRed(image.pixel(p)))
                return true;
        }
    }
    return false;
}

// Canvas position of (azimuth in degrees counter-clockwise from the right, radius of 0..2).
QPointF expectedPosition(const PolarPlot &plot, double azimuth, double radius)
{
    const QRectF circle = plot.plotRect();
    const double pixels = radius / 2.0 * circle.width() / 2.0;
    const double angle = qDegreesToRadians(azimuth);
    return circle.center() + QPointF(pixels * std::cos(angle), -pixels * std::sin(angle));
}

QImage canvasImage(PolarPlot *plot)
{
    plot->show();
    plot->resize(400, 400);
    if (!QTest::qWaitForWindowExposed(plot))
        return QImage();
    return plot->canvas()->grab().toImage();
}

} // namespace

class TestPolarPlot : public QObject
{
    Q_OBJECT
private slots:
    void spokeIsDrawnCounterClockwiseFromTheRight();
    void detachedCurveLeavesLegendAndCanvas();
    void stiffnessCurveFollowsTheFormula();
};

void TestPolarPlot::spokeIsDrawnCounterClockwiseFromTheRight()
{
    PolarPlot plot;
    plot.setScale(Polar::ScaleAzimuth, 0.0, 360.0, 45.0);
    plot.setScale(Polar::ScaleRadius, 0.0, 2.0, 0.5);
    plot.setAzimuthOrigin(2.0 * M_PI);
    plot.setPlotBackground(QBrush(Qt::lightGray));
    auto *curve = new PolarCurve(QwtText(QStringLiteral("spoke")));
    curve->setPen(QPen(Qt::red, 2));
    curve->setData(new Spoke(30.0, 1.0, 2.0));
    curve->attach(&plot);

    const QImage image = canvasImage(&plot);
    QVERIFY(!image.isNull());
    QVERIFY(redNear(image, expectedPosition(plot, 30.0, 1.5)));
    QVERIFY2(!redNear(image, expectedPosition(plot, -30.0, 1.5)), "drawn clockwise");
    QVERIFY2(!redNear(image, expectedPosition(plot, 60.0, 1.5)), "drawn from the top");
    QVERIFY2(!redNear(image, expectedPosition(plot, 30.0, 0.5)), "drawn from the pole");
}

void TestPolarPlot::detachedCurveLeavesLegendAndCanvas()
{
    PolarPlot plot;
    auto *legend = new QwtLegend();
    plot.insertLegend(legend);
    auto *grid = new PolarGrid();
    grid->attach(&plot);
    auto *curve = new PolarCurve(QwtText(QStringLiteral("spoke")));
    curve->attach(&plot);
    QVERIFY(legend->legendWidget(QVariant::fromValue<PolarItem *>(curve)));
    QVERIFY(!legend->legendWidget(QVariant::fromValue<PolarItem *>(grid)));

    curve->detach();
    QCOMPARE(plot.items().size(), 1);
    QVERIFY(!legend->legendWidget(QVariant::fromValue<PolarItem *>(curve)));
    delete curve;
}

void TestPolarPlot::stiffnessCurveFollowsTheFormula()
{
    AnisotropyPlots plots(QStringLiteral("tetra"), nullptr);
    auto *data = new AnisotropyData();
    data->title = QStringLiteral("Interaction LIQUID / TET");
    data->phaseOneSymmetry = QStringLiteral("isotropic");
    data->phaseTwoSymmetry = QStringLiteral("tetragonal");
    const double k0 = 0.05, k2 = 1.6;
    data->stiffness[0] = k0;
    data->stiffness[2] = k2;
    data->mobility[0] = 0.02;
    data->mobility[2] = 1.0;
    plots.records.append(data);

    QAction action(data->title);
    connect(&action, &QAction::triggered, &plots, &AnisotropyPlots::createCurves);
    action.trigger();
    QVERIFY(data->windowOpen);
    QVERIFY(data->plot);
    QCOMPARE(data->plot->windowTitle(), QStringLiteral("2D-Anisotropy"));
    QCOMPARE(data->plot->title().text(), data->title);

    auto *legend = qobject_cast<QwtLegend *>(data->plot->legend());
    QVERIFY(legend);
    auto *label = qobject_cast<QwtLegendLabel *>(
        legend->legendWidget(QVariant::fromValue<PolarItem *>(data->stiffnessCurve)));
    QVERIFY(label);
    QCOMPARE(label->text().text(), QStringLiteral("Stiffness"));

    // At 54 degrees the stiffness is not the one at 36 degrees, where a curve counted
    // clockwise from the top would put it.
    const QImage image = canvasImage(data->plot);
    const double phi = qDegreesToRadians(54.0);
    const double s2 = std::sin(phi) * std::sin(phi);
    const double radius = (k2 * s2 + 1.0 - s2) * (1.0 - k0 * std::cos(4.0 * phi));
    QVERIFY(redNear(image, expectedPosition(*data->plot, 54.0, radius)));
    QVERIFY(!redNear(image, expectedPosition(*data->plot, 36.0, radius)));

    data->plot->close();
    QTRY_VERIFY(!data->windowOpen);
    QVERIFY(!data->plot);
}

QTEST_MAIN(TestPolarPlot)
#include "test_polarplot.moc"
