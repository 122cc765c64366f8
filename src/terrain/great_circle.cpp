#include "terrain/great_circle.h"

#include "numeric/checked_trig.h"
#include "numeric/radio.h"

namespace zandrevio {

using fp::Real;

namespace {
constexpr long double kRadiansPerDegree = radio::kPi / 180.0L;

Real Radians(long double degrees)
{
    return Real(degrees) * kRadiansPerDegree;
}
Real Degrees(Real radians)
{
    return radians / kRadiansPerDegree;
}
} // namespace

// Haversine: a = sin²(Δφ/2) + cos φ1 cos φ2 sin²(Δλ/2), δ = 2 atan2(√a, √(1 − a)).
Real CentralAngle(GeoPoint a, GeoPoint b)
{
    const Real phi1 = Radians(a.latitudeDeg);
    const Real phi2 = Radians(b.latitudeDeg);
    const Real halfDeltaPhi = (phi2 - phi1) / 2.0L;
    const Real halfDeltaLambda = Radians(b.longitudeDeg - a.longitudeDeg) / 2.0L;
    Real h = fp::Square(fp::Sin(halfDeltaPhi)) + fp::Cos(phi1) * fp::Cos(phi2) * fp::Square(fp::Sin(halfDeltaLambda));
    h = h > 1.0L ? Real(1.0L) : h; // rounding near the antipode
    return 2.0L * fp::Atan2(fp::Sqrt(h), fp::Sqrt(1.0L - h));
}

Real GreatCircleKm(GeoPoint a, GeoPoint b)
{
    return radio::kEarthRadiusKm * CentralAngle(a, b);
}

// θ = atan2(sin Δλ cos φ2, cos φ1 sin φ2 − sin φ1 cos φ2 cos Δλ), turned into [0, 360).
Real InitialBearingDeg(GeoPoint from, GeoPoint to)
{
    const Real phi1 = Radians(from.latitudeDeg);
    const Real phi2 = Radians(to.latitudeDeg);
    const Real deltaLambda = Radians(to.longitudeDeg - from.longitudeDeg);
    const Real y = fp::Sin(deltaLambda) * fp::Cos(phi2);
    const Real x = fp::Cos(phi1) * fp::Sin(phi2) - fp::Sin(phi1) * fp::Cos(phi2) * fp::Cos(deltaLambda);
    const Real bearing = Degrees(fp::Atan2(y, x));
    const Real turned = bearing < 0.0L ? bearing + 360.0L : bearing;
    return turned >= 360.0L ? Real(0.0L) : turned;
}

// The sphere's direct problem, δ = d / R:
// φ2 = asin(sin φ1 cos δ + cos φ1 sin δ cos θ),
// λ2 = λ1 + atan2(sin θ sin δ cos φ1, cos δ − sin φ1 sin φ2).
GeoPoint Destination(GeoPoint from, Real bearingDeg, Real distanceKm)
{
    const Real phi1 = Radians(from.latitudeDeg);
    const Real theta = bearingDeg * kRadiansPerDegree;
    const Real delta = distanceKm / radio::kEarthRadiusKm;
    const Real sinPhi1 = fp::Sin(phi1);
    const Real cosPhi1 = fp::Cos(phi1);
    const Real sinDelta = fp::Sin(delta);
    const Real cosDelta = fp::Cos(delta);
    Real sinPhi2 = sinPhi1 * cosDelta + cosPhi1 * sinDelta * fp::Cos(theta);
    sinPhi2 = sinPhi2 > 1.0L ? Real(1.0L) : sinPhi2 < -1.0L ? Real(-1.0L) : sinPhi2; // rounding at a pole
    const Real phi2 = fp::Asin(sinPhi2);
    const Real dLambda = fp::Atan2(fp::Sin(theta) * sinDelta * cosPhi1, cosDelta - sinPhi1 * sinPhi2);
    Real longitude = Real(from.longitudeDeg) + Degrees(dLambda);
    longitude = longitude > 180.0L ? longitude - 360.0L : longitude < -180.0L ? longitude + 360.0L : longitude;
    return {Degrees(phi2).Value(), longitude.Value()};
}

namespace {
// The unit vector of a place: (cos φ cos λ, cos φ sin λ, sin φ).
template <typename Vector>
Vector UnitVector(GeoPoint place)
{
    const Real phi = Radians(place.latitudeDeg);
    const Real lambda = Radians(place.longitudeDeg);
    return {fp::Cos(phi) * fp::Cos(lambda), fp::Cos(phi) * fp::Sin(lambda), fp::Sin(phi)};
}
} // namespace

GreatCirclePath::GreatCirclePath(GeoPoint a, GeoPoint b)
    : m_a(UnitVector<Vector>(a))
    , m_b(UnitVector<Vector>(b))
    , m_angle(zandrevio::CentralAngle(a, b))
    , m_sinAngle(fp::Sin(m_angle))
{
}

// The point at fraction f of the arc δ: the unit vectors of the ends weighted
// by sin((1 − f) δ) / sin δ and sin(f δ) / sin δ.
GeoPoint GreatCirclePath::At(Real fraction) const
{
    const Real wa = fp::Sin((1.0L - fraction) * m_angle) / m_sinAngle;
    const Real wb = fp::Sin(fraction * m_angle) / m_sinAngle;
    const Real x = wa * m_a.x + wb * m_b.x;
    const Real y = wa * m_a.y + wb * m_b.y;
    const Real z = wa * m_a.z + wb * m_b.z;
    const Real latitude = fp::Atan2(z, fp::Sqrt(x * x + y * y));
    const Real longitude = fp::Atan2(y, x);
    return {Degrees(latitude).Value(), Degrees(longitude).Value()};
}

} // namespace zandrevio
