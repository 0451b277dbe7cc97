#ifndef VORPEN_ANISOTROPYSERIES_H
#define VORPEN_ANISOTROPYSERIES_H

#include <qwt_interval.h>
#include <qwt_point_polar.h>
#include <qwt_series_data.h>

static const QwtInterval radiusIntervall(0.0, 2.0);
static const QwtInterval winkelIntervall(0.0, 6.283185307179586);

// Samples of a 2D anisotropy function r(phi) at `size` angles spread over the azimuth
// interval; azimuths are given in degrees.
class generalData : public QwtSeriesData<QwtPointPolar>
{
public:
    generalData(const QwtInterval &radialInterval, const QwtInterval &azimuthInterval, size_t size);

    size_t size() const override { return count; }
    QwtPointPolar sample(size_t i) const override;
    QRectF boundingRect() const override;

    const QwtInterval &radialRange() const { return radialInterval; }
    const QwtInterval &azimuthRange() const { return azimuthInterval; }

protected:
    // The anisotropy function at `phi` radians.
    virtual double radiusAt(double phi) const = 0;

private:
    QwtInterval radialInterval;
    QwtInterval azimuthInterval;
    size_t count;
};

class Cubic2DequivStiff : public generalData
{
public:
    Cubic2DequivStiff(const QwtInterval &radial, const QwtInterval &azimuth, size_t size, double e1)
        : generalData(radial, azimuth, size), e1(e1)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
};

class Cubic2DequivMobil : public generalData
{
public:
    Cubic2DequivMobil(const QwtInterval &radial, const QwtInterval &azimuth, size_t size, double e1)
        : generalData(radial, azimuth, size), e1(e1)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
};

class Hexagonal2DequivStiff : public generalData
{
public:
    Hexagonal2DequivStiff(const QwtInterval &radial, const QwtInterval &azimuth, size_t size,
                          double e1)
        : generalData(radial, azimuth, size), e1(e1)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
};

class Hexagonal2DequivMobil : public generalData
{
public:
    Hexagonal2DequivMobil(const QwtInterval &radial, const QwtInterval &azimuth, size_t size,
                          double e1)
        : generalData(radial, azimuth, size), e1(e1)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
};

class Tetragonal2DequivStiff : public generalData
{
public:
    Tetragonal2DequivStiff(const QwtInterval &radial, const QwtInterval &azimuth, size_t size,
                           double e1, double e2)
        : generalData(radial, azimuth, size), e1(e1), e2(e2)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
    double e2;
};

class Tetragonal2DequivMobil : public generalData
{
public:
    Tetragonal2DequivMobil(const QwtInterval &radial, const QwtInterval &azimuth, size_t size,
                           double e1, double e2)
        : generalData(radial, azimuth, size), e1(e1), e2(e2)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
    double e2;
};

class Orthorhombic2DequivStiff : public generalData
{
public:
    Orthorhombic2DequivStiff(const QwtInterval &radial, const QwtInterval &azimuth, size_t size,
                             double e1, double e2, double e3)
        : generalData(radial, azimuth, size), e1(e1), e2(e2), e3(e3)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
    double e2;
    double e3;
};

class Orthorhombic2DequivMobil : public generalData
{
public:
    Orthorhombic2DequivMobil(const QwtInterval &radial, const QwtInterval &azimuth, size_t size,
                             double e1, double e2, double e3)
        : generalData(radial, azimuth, size), e1(e1), e2(e2), e3(e3)
    {
    }

protected:
    double radiusAt(double phi) const override;

private:
    double e1;
    double e2;
    double e3;
};

#endif
