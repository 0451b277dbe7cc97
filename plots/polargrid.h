#ifndef VORPEN_POLARGRID_H
#define VORPEN_POLARGRID_H

#include <QPen>

#include "plots/polaritem.h"

class QwtScaleDiv;

// Grid lines of both scales and the five axes of a polar plot: the azimuth axis around the
// circle and four radius axes from the pole to the left, right, top and bottom.
class PolarGrid : public PolarItem
{
public:
    PolarGrid();

    void showGrid(Polar::Scale scale, bool show = true);
    bool isGridVisible(Polar::Scale scale) const { return gridVisible[scale]; }

    void showAxis(Polar::Axis axis, bool show = true);
    bool isAxisVisible(Polar::Axis axis) const { return axisVisible[axis]; }

    void setGridPen(const QPen &pen);
    const QPen &gridPen() const { return pen; }

    void draw(QPainter *painter, const QwtScaleMap &azimuthMap, const QwtScaleMap &radialMap,
              const QPointF &pole) const override;
    int marginHint() const override;

private:
    void drawRadiusGrid(QPainter *painter, const QwtScaleMap &radialMap, const QPointF &pole) const;
    void drawAzimuthGrid(QPainter *painter, const QwtScaleMap &azimuthMap, const QPointF &pole,
                         double radius) const;
    void drawAzimuthAxis(QPainter *painter, const QwtScaleMap &azimuthMap, const QPointF &pole,
                         double radius) const;
    void drawRadiusAxis(QPainter *painter, Polar::Axis axis, const QPointF &pole,
                        double radius) const;

    bool gridVisible[Polar::ScaleCount] = {true, true};
    bool axisVisible[Polar::AxisCount] = {false, false, false, false, false};
    QPen pen = QPen(Qt::darkGray, 0, Qt::DotLine);
};

#endif
