#include "plots/polarcurve.h"

#include <QPainter>
#include <QPolygonF>

#include <qwt_graphic.h>
#include <qwt_scale_map.h>

PolarCurve::PolarCurve(const QwtText &title)
{
    setTitle(title);
}

PolarCurve::~PolarCurve() = default;

void PolarCurve::setStyle(CurveStyle style)
{
    curveStyle = style;
    itemChanged();
}

void PolarCurve::setPen(const QPen &pen)
{
    curvePen = pen;
    itemChanged();
}

void PolarCurve::setLegendAttribute(LegendAttribute attribute, bool on)
{
    if (on)
        legendAttributes |= attribute;
    else
        legendAttributes &= ~attribute;
    itemChanged();
}

bool PolarCurve::testLegendAttribute(LegendAttribute attribute) const
{
    return legendAttributes & attribute;
}

void PolarCurve::setData(QwtSeriesData<QwtPointPolar> *data)
{
    series.reset(data);
    itemChanged();
}

void PolarCurve::draw(QPainter *painter, const QwtScaleMap &azimuthMap,
                      const QwtScaleMap &radialMap, const QPointF &pole) const
{
    if (curveStyle != Lines || !series)
        return;
    QPolygonF polyline;
    polyline.reserve(int(series->size()));
    for (size_t i = 0; i < series->size(); ++i) {
        const QwtPointPolar point = series->sample(i);
        polyline.append(polarToPosition(pole, radialMap.transform(point.radius()),
                                        azimuthMap.transform(point.azimuth())));
    }
    painter->setPen(curvePen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(polyline);
}

QList<QwtLegendData> PolarCurve::legendData() const
{
    QwtLegendData entry;
    entry.setValue(QwtLegendData::TitleRole, QVariant::fromValue(title()));
    const QSizeF iconSize(16.0, 8.0);
    QwtGraphic icon;
    icon.setDefaultSize(iconSize);
    if (testLegendAttribute(LegendShowLine)) {
        QPainter painter(&icon);
        painter.setPen(curvePen);
        painter.drawLine(
            QLineF(0.0, iconSize.height() / 2.0, iconSize.width(), iconSize.height() / 2.0));
    }
    entry.setValue(QwtLegendData::IconRole, QVariant::fromValue(icon));
    return {entry};
}
