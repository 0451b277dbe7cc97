#include "plots/anisotropyplots.h"

#include <QAction>
#include <QIcon>

#include <algorithm>
#include <memory>

#include <qwt_legend.h>

#include "plots/anisotropyseries.h"
#include "plots/polarcurve.h"
#include "plots/polargrid.h"
#include "plots/polarplot.h"

namespace {

const size_t samplesPerCurve = 200;

PolarCurve *newCurve(const QColor &colour, const QString &title)
{
    auto *curve = new PolarCurve(QwtText(title));
    curve->setStyle(PolarCurve::Lines);
    curve->setPen(QPen(colour));
    curve->setLegendAttribute(PolarCurve::LegendShowLine, true);
    return curve;
}

// The stiffness and mobility series of the record's pair symmetry; none for other symmetries.
bool createSeries(const AnisotropyData &data, std::unique_ptr<generalData> &stiffness,
                  std::unique_ptr<generalData> &mobility)
{
    const QString symmetry = data.pairSymmetry();
    const double *k = data.stiffness;
    const double *m = data.mobility;
    const QwtInterval &r = radiusIntervall;
    const QwtInterval &w = winkelIntervall;
    const size_t n = samplesPerCurve;
    if (symmetry == QLatin1String("cubic")) {
        stiffness = std::make_unique<Cubic2DequivStiff>(r, w, n, k[0]);
        mobility = std::make_unique<Cubic2DequivMobil>(r, w, n, m[0]);
    } else if (symmetry == QLatin1String("hexagonal")) {
        stiffness = std::make_unique<Hexagonal2DequivStiff>(r, w, n, k[0]);
        mobility = std::make_unique<Hexagonal2DequivMobil>(r, w, n, m[0]);
    } else if (symmetry == QLatin1String("tetragonal")) {
        stiffness = std::make_unique<Tetragonal2DequivStiff>(r, w, n, k[0], k[2]);
        mobility = std::make_unique<Tetragonal2DequivMobil>(r, w, n, m[0], m[2]);
    } else if (symmetry == QLatin1String("orthorhombic")) {
        stiffness = std::make_unique<Orthorhombic2DequivStiff>(r, w, n, k[0], k[1], k[2]);
        mobility = std::make_unique<Orthorhombic2DequivMobil>(r, w, n, m[0], m[1], m[2]);
    } else {
        return false;
    }
    return true;
}

PolarPlot *newPlotWindow(PolarGrid *grid)
{
    auto *plot = new PolarPlot();
    plot->setWindowTitle(QObject::tr("2D-Anisotropy"));
    plot->setWindowIcon(QIcon(QStringLiteral(":/tbicons/icon.png")));
    plot->setScale(Polar::ScaleAzimuth, 0.0, 360.0, 45.0);
    plot->setScale(Polar::ScaleRadius, 0.0, 2.0, 0.5);
    plot->setAzimuthOrigin(winkelIntervall.maxValue());
    grid->showGrid(Polar::ScaleAzimuth, true);
    for (int axis = 0; axis < Polar::AxisCount; ++axis)
        grid->showAxis(Polar::Axis(axis), true);
    plot->setPlotBackground(QBrush(Qt::lightGray, Qt::SolidPattern));
    grid->attach(plot);
    plot->insertLegend(new QwtLegend());
    return plot;
}

} // namespace

void AnisotropyPlots::createCurves()
{
    auto *action = qobject_cast<QAction *>(sender());
    if (!action)
        return;
    const auto found = std::find_if(records.begin(), records.end(), [action](AnisotropyData *d) {
        return d->title == action->text();
    });
    if (found == records.end())
        return;
    AnisotropyData *data = *found;
    data->windowOpen = true;

    auto *grid = new PolarGrid();
    PolarPlot *plot = newPlotWindow(grid);
    PolarCurve *stiffnessCurve = nullptr;
    PolarCurve *mobilityCurve = nullptr;
    std::unique_ptr<generalData> stiffness;
    std::unique_ptr<generalData> mobility;
    if (createSeries(*data, stiffness, mobility)) {
        stiffnessCurve = newCurve(Qt::red, QStringLiteral("Stiffness"));
        mobilityCurve = newCurve(Qt::blue, QStringLiteral("Mobility"));
        stiffnessCurve->setData(stiffness.release());
        mobilityCurve->setData(mobility.release());
        stiffnessCurve->attach(plot);
        mobilityCurve->attach(plot);
    }

    plot->setTitle(QwtText(data->title));
    plot->show();
    plot->resize(400, 400);
    plot->setAttribute(Qt::WA_DeleteOnClose);
    connect(plot, &QObject::destroyed, this, &AnisotropyPlots::slotClosedPlot);
    data->plot = plot;
    data->grid = grid;
    data->stiffnessCurve = stiffnessCurve;
    data->mobilityCurve = mobilityCurve;
}

void AnisotropyPlots::slotClosedPlot(QObject *plot)
{
    for (AnisotropyData *data : qAsConst(records)) {
        if (data->plot == plot) {
            // The grid and the curves went with the window.
            data->plot = nullptr;
            data->grid = nullptr;
            data->stiffnessCurve = nullptr;
            data->mobilityCurve = nullptr;
            data->windowOpen = false;
            return;
        }
    }
}
