#ifndef VORPEN_ANISOTROPYDATA_H
#define VORPEN_ANISOTROPYDATA_H

#include <QString>
#include <QStringList>

class PolarCurve;
class PolarGrid;
class PolarPlot;

// Crystal symmetry of one phase, in phase order.
struct PhaseSymmetry
{
    QString phaseName;
    QString symmetry;
    bool faceted = false;
};

// The interface anisotropy of one phase interaction and the plot window showing it.
struct AnisotropyData
{
    bool windowOpen = false;
    QString title;
    QString phaseOneName = QStringLiteral("");
    QString phaseOneSymmetry;
    bool phaseOneFaceted = false;
    QString phaseTwoName = QStringLiteral("");
    QString phaseTwoSymmetry;
    bool phaseTwoFaceted = false;
    double stiffness[3] = {0.0, 0.0, 0.0};
    double mobility[3] = {0.0, 0.0, 0.0};
    PolarPlot *plot = nullptr;
    PolarGrid *grid = nullptr;
    PolarCurve *stiffnessCurve = nullptr;
    PolarCurve *mobilityCurve = nullptr;

    void setPhaseOne(const PhaseSymmetry &phase);
    void setPhaseTwo(const PhaseSymmetry &phase);
    // The symmetry that shapes the interface: phase two's, unless that phase is isotropic.
    QString pairSymmetry() const;
};

// Coefficients (c0, c1, c2) from the values of a 7.0 coefficient parameter.
void coefficientsFromValues(const QStringList &values, const QString &pairSymmetry,
                            double coefficients[3]);

// Coefficients (c0, c1, c2) from a 6.4 value line of a tetragonal or orthorhombic pair.
void coefficientsFromLine(const QString &line, const QString &pairSymmetry, double coefficients[3]);

#endif
