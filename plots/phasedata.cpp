#include "plots/phasedata.h"

#include <algorithm>
#include <cmath>

namespace {
const double parallelTolerance = 1e-10;
const double temperatureCap = 3000.0;
} // namespace

double PhaseData::temperatureOne(double c) const
{
    return (referenceTemperature - concentrationOne * slopeOne) + slopeOne * c;
}

double PhaseData::temperatureTwo(double c) const
{
    return (referenceTemperature - concentrationTwo * slopeTwo) + slopeTwo * c;
}

bool PhaseData::linesParallel() const
{
    return std::fabs(slopeTwo - slopeOne) < parallelTolerance;
}

double PhaseData::meetingConcentration() const
{
    if (linesParallel())
        return 0.0;
    return (temperatureOne(0.0) - temperatureTwo(0.0)) / (slopeTwo - slopeOne);
}

double PhaseData::meetingTemperature() const
{
    if (linesParallel())
        return referenceTemperature;
    return std::min(temperatureCap, temperatureTwo(meetingConcentration()));
}

void PhaseDiagramRanges::include(const PhaseData &data)
{
    const double cx = data.meetingConcentration();
    const double tx = data.meetingTemperature();
    const double c1 = data.concentrationOne;
    const double c2 = data.concentrationTwo;
    temperatureMax = std::max(temperatureMax, tx);
    temperatureMin = std::min(temperatureMin, std::min(tx, data.referenceTemperature));
    concentrationMin =
        std::min(concentrationMin, c2 < cx ? std::min({cx, c1, c2}) : std::min(c1, cx));
    concentrationMax =
        std::max(concentrationMax, c2 > cx ? std::max({cx, c1, c2}) : std::max(c1, cx));
}

QColor phaseDiagramColour(int n)
{
    static const QColor colours[] = {QColor(0, 0, 0),    QColor(255, 0, 0),   QColor(0, 0, 255),
                                     QColor(0, 255, 0),  QColor(255, 255, 0), QColor(255, 0, 255),
                                     QColor(0, 255, 255)};
    return colours[n % 7];
}
