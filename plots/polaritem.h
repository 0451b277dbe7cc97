#ifndef VORPEN_POLARITEM_H
#define VORPEN_POLARITEM_H

#include <QList>
#include <QMetaType>
#include <QPointF>

#include <qwt_legend_data.h>
#include <qwt_text.h>

class PolarPlot;
class QPainter;
class QwtScaleMap;

namespace Polar {
enum Scale
{
    ScaleAzimuth,
    ScaleRadius,
    ScaleCount
};
enum Axis
{
    AxisAzimuth,
    AxisLeft,
    AxisRight,
    AxisTop,
    AxisBottom,
    AxisCount
};
} // namespace Polar

// Canvas position of a point at `radius` pixels from the pole; `angle` in radians counts
// counter-clockwise from the right-hand horizontal axis.
QPointF polarToPosition(const QPointF &pole, double radius, double angle);

// Something drawn on a PolarPlot. An attached item belongs to its plot, which deletes it.
class PolarItem
{
public:
    PolarItem();
    virtual ~PolarItem();

    void attach(PolarPlot *plot);
    void detach();
    PolarPlot *plot() const { return attachedPlot; }

    void setTitle(const QwtText &title);
    const QwtText &title() const { return itemTitle; }

    // azimuthMap maps scale values to radians, radialMap to pixels from the pole.
    virtual void draw(QPainter *painter, const QwtScaleMap &azimuthMap,
                      const QwtScaleMap &radialMap, const QPointF &pole) const = 0;
    // Room the item needs around the plot circle, in pixels.
    virtual int marginHint() const { return 0; }
    // Entries shown in the plot's legend; none by default.
    virtual QList<QwtLegendData> legendData() const { return {}; }

protected:
    // Tells the plot to repaint and to refresh the item's legend entry.
    void itemChanged();

private:
    PolarItem(const PolarItem &) = delete;
    PolarItem &operator=(const PolarItem &) = delete;

    PolarPlot *attachedPlot = nullptr;
    QwtText itemTitle;
};

Q_DECLARE_METATYPE(PolarItem *)

#endif
