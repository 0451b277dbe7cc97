#ifndef VORPEN_POLARPLOT_H
#define VORPEN_POLARPLOT_H

#include <QBrush>
#include <QFrame>
#include <QList>

#include <qwt_scale_div.h>
#include <qwt_scale_map.h>
#include <qwt_text.h>

#include "plots/polaritem.h"

class QwtAbstractLegend;
class QwtTextLabel;

// A polar plot widget: a title, a round canvas with attached items and an optional legend
// below. Azimuth scale values map onto one full turn starting at the azimuth origin.
class PolarPlot : public QFrame
{
    Q_OBJECT
public:
    explicit PolarPlot(QWidget *parent = nullptr);
    ~PolarPlot() override;

    void setTitle(const QwtText &title);
    QwtText title() const;

    void setPlotBackground(const QBrush &brush);
    const QBrush &plotBackground() const { return background; }

    // Divides [min, max] into major ticks `step` apart.
    void setScale(Polar::Scale scale, double min, double max, double step);
    const QwtScaleDiv &scaleDiv(Polar::Scale scale) const { return scaleDivs[scale]; }

    // Angle in radians, counter-clockwise from the right, where the azimuth scale starts.
    void setAzimuthOrigin(double origin);
    double azimuthOrigin() const { return origin; }

    // Puts the legend below the plot; the plot takes ownership.
    void insertLegend(QwtAbstractLegend *legend);
    QwtAbstractLegend *legend() const { return legendWidget; }

    QWidget *canvas() const { return canvasWidget; }
    // Bounding square of the plot circle in canvas coordinates.
    QRectF plotRect() const;
    QwtScaleMap scaleMap(Polar::Scale scale) const;
    const QList<PolarItem *> &items() const { return attached; }

    void replot();
    void drawCanvas(QPainter *painter) const;

private:
    friend class PolarItem;
    void attachItem(PolarItem *item);
    void detachItem(PolarItem *item);
    void itemChanged(PolarItem *item);
    void updateLegend(PolarItem *item, const QList<QwtLegendData> &data);

    QwtTextLabel *titleLabel;
    QWidget *canvasWidget;
    QwtAbstractLegend *legendWidget = nullptr;
    QBrush background;
    QwtScaleDiv scaleDivs[Polar::ScaleCount];
    double origin = 0.0;
    QList<PolarItem *> attached;
};

#endif
