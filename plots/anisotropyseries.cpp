#include "plots/anisotropyseries.h"

#include <QtMath>

#include <cmath>

namespace {

// Weight of the out-of-plane direction: e2 along the vertical axis, 1 along the horizontal.
double tetragonalFactor(double e2, double phi)
{
    const double s = std::sin(phi);
    return e2 * s * s + (1.0 - s * s);
}

double orthorhombicFactor(double e2, double e3, double phi)
{
    return tetragonalFactor(e3, phi) - 1.0 + e2;
}

} // namespace

generalData::generalData(const QwtInterval &radialInterval, const QwtInterval &azimuthInterval,
                         size_t size)
    : radialInterval(radialInterval), azimuthInterval(azimuthInterval), count(size)
{
}

QwtPointPolar generalData::sample(size_t i) const
{
    const double width = azimuthInterval.isValid() ? azimuthInterval.width() : 0.0;
    const double phi = azimuthInterval.minValue() + double(i) * width / double(count);
    return QwtPointPolar(qRadiansToDegrees(phi), radiusAt(phi));
}

QRectF generalData::boundingRect() const
{
    if (d_boundingRect.width() < 0.0)
        d_boundingRect = qwtBoundingRect(*this);
    return d_boundingRect;
}

double Cubic2DequivStiff::radiusAt(double phi) const
{
    return 1.0 - e1 * std::cos(4.0 * phi);
}

double Cubic2DequivMobil::radiusAt(double phi) const
{
    return 1.0 + e1 * std::cos(4.0 * phi);
}

double Hexagonal2DequivStiff::radiusAt(double phi) const
{
    return 1.0 - e1 * std::cos(6.0 * phi);
}

double Hexagonal2DequivMobil::radiusAt(double phi) const
{
    return 1.0 + e1 * std::cos(6.0 * phi);
}

double Tetragonal2DequivStiff::radiusAt(double phi) const
{
    return tetragonalFactor(e2, phi) * (1.0 - e1 * std::cos(4.0 * phi));
}

double Tetragonal2DequivMobil::radiusAt(double phi) const
{
    return tetragonalFactor(e2, phi) * (1.0 + e1 * std::cos(4.0 * phi));
}

double Orthorhombic2DequivStiff::radiusAt(double phi) const
{
    return orthorhombicFactor(e2, e3, phi) * (1.0 - e1 * std::cos(4.0 * phi));
}

double Orthorhombic2DequivMobil::radiusAt(double phi) const
{
    return orthorhombicFactor(e2, e3, phi) * (1.0 + e1 * std::cos(4.0 * phi));
}
