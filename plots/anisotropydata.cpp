#include "plots/anisotropydata.h"

void AnisotropyData::setPhaseOne(const PhaseSymmetry &phase)
{
    phaseOneName = phase.phaseName;
    phaseOneSymmetry = phase.symmetry;
    phaseOneFaceted = phase.faceted;
}

void AnisotropyData::setPhaseTwo(const PhaseSymmetry &phase)
{
    phaseTwoName = phase.phaseName;
    phaseTwoSymmetry = phase.symmetry;
    phaseTwoFaceted = phase.faceted;
}

QString AnisotropyData::pairSymmetry() const
{
    return phaseTwoSymmetry == QLatin1String("isotropic") ? phaseOneSymmetry : phaseTwoSymmetry;
}

void coefficientsFromValues(const QStringList &values, const QString &pairSymmetry,
                            double coefficients[3])
{
    coefficients[0] = coefficients[1] = coefficients[2] = 0.0;
    if (values.isEmpty())
        return;
    coefficients[0] = values[0].toDouble();
    if (pairSymmetry == QLatin1String("tetragonal")) {
        coefficients[2] = values.size() == 2 ? values[1].toDouble() : 1.0;
    } else if (pairSymmetry == QLatin1String("orthorhombic")) {
        coefficients[1] = values.size() == 3 ? values[1].toDouble() : 1.0;
        coefficients[2] = values.size() == 2   ? values[1].toDouble()
                          : values.size() == 3 ? values[2].toDouble()
                                               : 1.0;
    }
}

void coefficientsFromLine(const QString &line, const QString &pairSymmetry, double coefficients[3])
{
    coefficientsFromValues(line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts),
                           pairSymmetry, coefficients);
}
