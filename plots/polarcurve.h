#ifndef VORPEN_POLARCURVE_H
#define VORPEN_POLARCURVE_H

#include <QPen>

#include <memory>

#include <qwt_point_polar.h>
#include <qwt_series_data.h>

#include "plots/polaritem.h"

// A curve through a series of polar points (azimuth in scale values, radius in scale values).
class PolarCurve : public PolarItem
{
public:
    enum CurveStyle
    {
        NoCurve,
        Lines
    };
    enum LegendAttribute
    {
        LegendShowLine = 0x1
    };

    explicit PolarCurve(const QwtText &title = QwtText());
    ~PolarCurve() override;

    void setStyle(CurveStyle style);
    CurveStyle style() const { return curveStyle; }

    void setPen(const QPen &pen);
    const QPen &pen() const { return curvePen; }

    void setLegendAttribute(LegendAttribute attribute, bool on = true);
    bool testLegendAttribute(LegendAttribute attribute) const;

    // The curve takes ownership of the data.
    void setData(QwtSeriesData<QwtPointPolar> *data);
    QwtSeriesData<QwtPointPolar> *data() const { return series.get(); }
    size_t dataSize() const { return series ? series->size() : 0; }

    void draw(QPainter *painter, const QwtScaleMap &azimuthMap, const QwtScaleMap &radialMap,
              const QPointF &pole) const override;
    QList<QwtLegendData> legendData() const override;

private:
    CurveStyle curveStyle = Lines;
    QPen curvePen;
    int legendAttributes = 0;
    std::unique_ptr<QwtSeriesData<QwtPointPolar>> series;
};

#endif
