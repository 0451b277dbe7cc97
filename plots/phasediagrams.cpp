#include "plots/phasediagrams.h"

#include <qwt_plot.h>

PhaseDiagrams::PhaseDiagrams(QString title, QWidget *parent) : QWidget(parent), title(title) {}

PhaseDiagrams::~PhaseDiagrams()
{
    for (PhaseData *data : qAsConst(records)) {
        if (data->plot)
            data->plot->close();
    }
    clearRecords();
}

void PhaseDiagrams::clearRecords()
{
    qDeleteAll(records);
    records.clear();
}
