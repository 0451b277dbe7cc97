#include "plots/anisotropyplots.h"

#include "plots/polarplot.h"

AnisotropyPlots::AnisotropyPlots(QString baseName, QWidget *parent)
    : QWidget(parent), baseName(baseName)
{
}

AnisotropyPlots::~AnisotropyPlots()
{
    for (AnisotropyData *data : qAsConst(records)) {
        if (data->windowOpen && data->plot)
            data->plot->close();
    }
    clearRecords();
}

void AnisotropyPlots::clearRecords()
{
    qDeleteAll(records);
    records.clear();
}
