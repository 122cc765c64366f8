#pragma once

#include "numeric/radio.h"
#include "numeric/real.h"

// Paths over the earth taken as a sphere of the mean radius 6371 km (the
// IUGG mean radius of the WGS84 ellipsoid): over a radio path of a few
// hundred km the sphere's distances differ from the ellipsoid's by under
// 0.5 %, well within what a terrain profile's heights need.
namespace zandrevio {

// A place by its latitude (north positive) and longitude (east positive), in
// degrees.
struct GeoPoint {
    long double latitudeDeg;
    long double longitudeDeg;
};

// The angle at the earth's centre between two places (radians), by the
// haversine formula, exact to rounding at every distance.
fp::Real CentralAngle(GeoPoint a, GeoPoint b);
// The great-circle distance between two places on the sphere (km).
fp::Real GreatCircleKm(GeoPoint a, GeoPoint b);
// The direction in which the great circle leaves `from` towards `to`, in
// degrees from true north, clockwise, in [0, 360).
fp::Real InitialBearingDeg(GeoPoint from, GeoPoint to);
// The place `distanceKm` from `from` along the great circle that leaves it
// at `bearingDeg` (degrees from true north, clockwise); its longitude in
// [-180, 180].
GeoPoint Destination(GeoPoint from, fp::Real bearingDeg, fp::Real distanceKm);
// The places along the great circle from `a` to `b` (neither the same place
// nor antipodes): the ends' unit vectors are worked out once, so that each
// place costs two sines and two arc tangents.
class GreatCirclePath {
public:
    GreatCirclePath(GeoPoint a, GeoPoint b);
    fp::Real CentralAngle() const { return m_angle; }
    // The place a `fraction` (0 to 1) of the way from `a` to `b`.
    GeoPoint At(fp::Real fraction) const;

private:
    struct Vector {
        fp::Real x, y, z;
    };
    Vector m_a;
    Vector m_b;
    fp::Real m_angle;
    fp::Real m_sinAngle;
};

} // namespace zandrevio
