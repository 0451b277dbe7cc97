#include "plots/polarplot.h"

#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include <qwt_abstract_legend.h>
#include <qwt_scale_engine.h>
#include <qwt_text_label.h>

namespace {

// The canvas only paints; everything it shows belongs to the plot.
class PolarCanvas : public QWidget
{
public:
    explicit PolarCanvas(PolarPlot *plot) : QWidget(plot), plot(plot)
    {
        setMinimumSize(100, 100);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        plot->drawCanvas(&painter);
    }

private:
    PolarPlot *plot;
};

} // namespace

PolarPlot::PolarPlot(QWidget *parent)
    : QFrame(parent), titleLabel(new QwtTextLabel(this)), canvasWidget(new PolarCanvas(this))
{
    QFont titleFont = font();
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    titleLabel->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleLabel);
    layout->addWidget(canvasWidget, 1);

    setScale(Polar::ScaleAzimuth, 0.0, 360.0, 45.0);
    setScale(Polar::ScaleRadius, 0.0, 1.0, 0.25);
}

PolarPlot::~PolarPlot()
{
    const QList<PolarItem *> items = attached;
    for (PolarItem *item : items)
        delete item;
}

void PolarPlot::setTitle(const QwtText &title)
{
    titleLabel->setText(title);
    titleLabel->setVisible(!title.isEmpty());
}

QwtText PolarPlot::title() const
{
    return titleLabel->text();
}

void PolarPlot::setPlotBackground(const QBrush &brush)
{
    background = brush;
    replot();
}

void PolarPlot::setScale(Polar::Scale scale, double min, double max, double step)
{
    QwtLinearScaleEngine engine;
    scaleDivs[scale] = engine.divideScale(min, max, 10, 5, step);
    replot();
}

void PolarPlot::setAzimuthOrigin(double azimuthOrigin)
{
    origin = azimuthOrigin;
    replot();
}

void PolarPlot::insertLegend(QwtAbstractLegend *legend)
{
    delete legendWidget;
    legendWidget = legend;
    if (!legendWidget)
        return;
    legendWidget->setParent(this);
    layout()->addWidget(legendWidget);
    for (PolarItem *item : qAsConst(attached))
        updateLegend(item, item->legendData());
}

QRectF PolarPlot::plotRect() const
{
    int margin = 0;
    for (const PolarItem *item : attached)
        margin = std::max(margin, item->marginHint());
    const QRectF area = QRectF(canvasWidget->rect()).adjusted(margin, margin, -margin, -margin);
    const double side = std::max(0.0, std::min(area.width(), area.height()));
    QRectF square(0.0, 0.0, side, side);
    square.moveCenter(area.center());
    return square;
}

QwtScaleMap PolarPlot::scaleMap(Polar::Scale scale) const
{
    QwtScaleMap map;
    const QwtScaleDiv &div = scaleDivs[scale];
    map.setScaleInterval(div.lowerBound(), div.upperBound());
    if (scale == Polar::ScaleAzimuth)
        map.setPaintInterval(origin, origin + 2.0 * M_PI);
    else
        map.setPaintInterval(0.0, plotRect().width() / 2.0);
    return map;
}

void PolarPlot::replot()
{
    canvasWidget->update();
}

void PolarPlot::drawCanvas(QPainter *painter) const
{
    const QRectF circle = plotRect();
    if (background.style() != Qt::NoBrush) {
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(background);
        painter->drawEllipse(circle);
        painter->restore();
    }
    const QwtScaleMap azimuthMap = scaleMap(Polar::ScaleAzimuth);
    const QwtScaleMap radialMap = scaleMap(Polar::ScaleRadius);
    for (const PolarItem *item : attached) {
        painter->save();
        item->draw(painter, azimuthMap, radialMap, circle.center());
        painter->restore();
    }
}

void PolarPlot::attachItem(PolarItem *item)
{
    attached.append(item);
    itemChanged(item);
}

void PolarPlot::detachItem(PolarItem *item)
{
    attached.removeAll(item);
    updateLegend(item, {});
    replot();
}

void PolarPlot::itemChanged(PolarItem *item)
{
    updateLegend(item, item->legendData());
    replot();
}

void PolarPlot::updateLegend(PolarItem *item, const QList<QwtLegendData> &data)
{
    if (!legendWidget)
        return;
    legendWidget->updateLegend(QVariant::fromValue(item), data);
    // The legend's scroll area would otherwise keep room for several rows below the plot.
    legendWidget->setFixedHeight(legendWidget->sizeHint().height());
}
