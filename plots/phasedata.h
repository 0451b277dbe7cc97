#ifndef VORPEN_PHASEDATA_H
#define VORPEN_PHASEDATA_H

#include <QColor>
#include <QString>

class QwtPlot;

// The linearised phase diagram of one phase pair for one solute component.
struct PhaseData
{
    static const int sampleCount = 101;

    double referenceTemperature = 0.0;
    QString diagramType;
    QString concentrationUnit;
    QString componentName;
    QString phaseOne;
    QString phaseTwo;
    double concentrationOne = 0.0;
    double concentrationTwo = 0.0;
    double slopeOne = 0.0;
    double slopeTwo = 0.0;
    double samplesX[sampleCount] = {};
    double samplesTwo[sampleCount] = {};
    double samplesOne[sampleCount] = {};
    QwtPlot *plot = nullptr;

    // Temperatures of the two phases' lines at concentration c.
    double temperatureOne(double c) const;
    double temperatureTwo(double c) const;
    bool linesParallel() const;
    // Where the lines meet, capped at 3000 K; the reference point (0, T0) for parallel lines.
    double meetingConcentration() const;
    double meetingTemperature() const;
};

// Value ranges of the records drawn in one phase-diagram plot.
struct PhaseDiagramRanges
{
    double concentrationMin = 1e20;
    double concentrationMax = -1e20;
    double temperatureMin = 1e20;
    double temperatureMax = -1e20;

    void include(const PhaseData &data);
};

// Colour of the n-th pair drawn in a plot, counted from 0.
QColor phaseDiagramColour(int n);

#endif
