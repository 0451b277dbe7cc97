#include "plots/polargrid.h"

#include <QPainter>

#include <cmath>

#include <qwt_round_scale_draw.h>
#include <qwt_scale_draw.h>
#include <qwt_scale_map.h>

#include "plots/polarplot.h"

namespace {

// Qwt's round scales count degrees clockwise from 12 o'clock within [-360, 360].
void setAngleRange(QwtRoundScaleDraw &scaleDraw, const QwtScaleMap &azimuthMap)
{
    double start = 90.0 - std::fmod(azimuthMap.p1() * 180.0 / M_PI, 360.0);
    if (start < 0.0)
        start += 360.0;
    const double turn = (azimuthMap.p2() - azimuthMap.p1()) * 180.0 / M_PI;
    scaleDraw.setAngleRange(start, start - turn);
}

} // namespace

PolarGrid::PolarGrid() = default;

void PolarGrid::showGrid(Polar::Scale scale, bool show)
{
    gridVisible[scale] = show;
    itemChanged();
}

void PolarGrid::showAxis(Polar::Axis axis, bool show)
{
    axisVisible[axis] = show;
    itemChanged();
}

void PolarGrid::setGridPen(const QPen &gridPen)
{
    pen = gridPen;
    itemChanged();
}

void PolarGrid::draw(QPainter *painter, const QwtScaleMap &azimuthMap, const QwtScaleMap &radialMap,
                     const QPointF &pole) const
{
    const double radius = radialMap.p2();
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    if (gridVisible[Polar::ScaleRadius])
        drawRadiusGrid(painter, radialMap, pole);
    if (gridVisible[Polar::ScaleAzimuth])
        drawAzimuthGrid(painter, azimuthMap, pole, radius);
    if (axisVisible[Polar::AxisAzimuth])
        drawAzimuthAxis(painter, azimuthMap, pole, radius);
    for (int axis = Polar::AxisLeft; axis < Polar::AxisCount; ++axis) {
        if (axisVisible[axis])
            drawRadiusAxis(painter, Polar::Axis(axis), pole, radius);
    }
}

int PolarGrid::marginHint() const
{
    if (!axisVisible[Polar::AxisAzimuth] || !plot())
        return 0;
    QwtRoundScaleDraw scaleDraw;
    scaleDraw.setScaleDiv(plot()->scaleDiv(Polar::ScaleAzimuth));
    return int(std::ceil(scaleDraw.extent(plot()->font()))) + 2;
}

void PolarGrid::drawRadiusGrid(QPainter *painter, const QwtScaleMap &radialMap,
                               const QPointF &pole) const
{
    const QList<double> ticks = plot()->scaleDiv(Polar::ScaleRadius).ticks(QwtScaleDiv::MajorTick);
    for (double value : ticks) {
        const double r = radialMap.transform(value);
        if (r > 0.0)
            painter->drawEllipse(pole, r, r);
    }
}

void PolarGrid::drawAzimuthGrid(QPainter *painter, const QwtScaleMap &azimuthMap,
                                const QPointF &pole, double radius) const
{
    const QList<double> ticks = plot()->scaleDiv(Polar::ScaleAzimuth).ticks(QwtScaleDiv::MajorTick);
    for (double value : ticks)
        painter->drawLine(pole, polarToPosition(pole, radius, azimuthMap.transform(value)));
}

void PolarGrid::drawAzimuthAxis(QPainter *painter, const QwtScaleMap &azimuthMap,
                                const QPointF &pole, double radius) const
{
    QwtRoundScaleDraw scaleDraw;
    scaleDraw.setScaleDiv(plot()->scaleDiv(Polar::ScaleAzimuth));
    setAngleRange(scaleDraw, azimuthMap);
    scaleDraw.setRadius(radius);
    scaleDraw.moveCenter(pole);
    scaleDraw.draw(painter, plot()->palette());
}

void PolarGrid::drawRadiusAxis(QPainter *painter, Polar::Axis axis, const QPointF &pole,
                               double radius) const
{
    const QwtScaleDiv &div = plot()->scaleDiv(Polar::ScaleRadius);
    QwtScaleDraw scaleDraw;
    switch (axis) {
    case Polar::AxisLeft:
        scaleDraw.setAlignment(QwtScaleDraw::BottomScale);
        scaleDraw.setScaleDiv(div.inverted());
        scaleDraw.move(pole.x() - radius, pole.y());
        break;
    case Polar::AxisRight:
        scaleDraw.setAlignment(QwtScaleDraw::BottomScale);
        scaleDraw.setScaleDiv(div);
        scaleDraw.move(pole);
        break;
    case Polar::AxisTop:
        scaleDraw.setAlignment(QwtScaleDraw::RightScale);
        scaleDraw.setScaleDiv(div);
        scaleDraw.move(pole.x(), pole.y() - radius);
        break;
    case Polar::AxisBottom:
        scaleDraw.setAlignment(QwtScaleDraw::RightScale);
        scaleDraw.setScaleDiv(div.inverted());
        scaleDraw.move(pole);
        break;
    default:
        return;
    }
    scaleDraw.setLength(radius);
    scaleDraw.draw(painter, plot()->palette());
}
