#include "plots/polaritem.h"

#include <cmath>

#include "plots/polarplot.h"

QPointF polarToPosition(const QPointF &pole, double radius, double angle)
{
    return QPointF(pole.x() + radius * std::cos(angle), pole.y() - radius * std::sin(angle));
}

PolarItem::PolarItem() = default;

PolarItem::~PolarItem()
{
    detach();
}

void PolarItem::attach(PolarPlot *plot)
{
    if (plot == attachedPlot)
        return;
    detach();
    attachedPlot = plot;
    if (attachedPlot)
        attachedPlot->attachItem(this);
}

void PolarItem::detach()
{
    if (!attachedPlot)
        return;
    PolarPlot *plot = attachedPlot;
    attachedPlot = nullptr;
    plot->detachItem(this);
}

void PolarItem::setTitle(const QwtText &title)
{
    itemTitle = title;
    itemChanged();
}

void PolarItem::itemChanged()
{
    if (attachedPlot)
        attachedPlot->itemChanged(this);
}
