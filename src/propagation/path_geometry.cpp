#include "propagation/path_geometry.h"

namespace zandrevio {

using fp::Real;

Real EffectiveEarthRadiusKm(Real kFactor)
{
    return radio::kEarthRadiusKm * kFactor;
}

// The term 500 d_i (d − d_i) / a_e (m, distances in km) that ITU-R P.1812-6
// §4.3.1 adds to each profile height.
Real EarthBulgeM(Real d1Km, Real d2Km, Real radiusKm)
{
    return 500.0L * d1Km * d2Km / radiusKm;
}

// ITU-R P.526-15 eq. (2), n = 1: R1 = √(λ d1 d2 / (d1 + d2)), distances in metres.
Real FresnelRadiusM(Real d1Km, Real d2Km, Real wavelengthM)
{
    return fp::Sqrt(wavelengthM * (d1Km * 1000.0L) * (d2Km * 1000.0L) / ((d1Km + d2Km) * 1000.0L));
}

PathGeometry AnalysePathGeometry(const TerrainProfile& profile, Real wavelengthM, Real txHeightM, Real rxHeightM,
                                 Real radiusKm)
{
    const auto& points = profile.points;
    const Real d = profile.LengthKm();
    const Real txTop = txHeightM + points.front().heightM;
    const Real rxTop = rxHeightM + points.back().heightM;
    PathGeometry geometry{{}, d.Value(), true, true, 0.0L, 0.0L};
    geometry.points.reserve(points.size());
    bool first = true;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Real d1 = points[i].distanceKm;
        const Real d2 = d - d1;
        const bool end = i == 0 || i + 1 == points.size();
        const Real bulge = end ? Real(0.0L) : EarthBulgeM(d1, d2, radiusKm);
        const Real line = txTop + (rxTop - txTop) * d1 / d;
        const Real radius = end ? Real(0.0L) : FresnelRadiusM(d1, d2, wavelengthM);
        const Real clearance = line - (points[i].heightM + bulge);
        geometry.points.push_back(
            {d1.Value(), points[i].heightM, bulge.Value(), line.Value(), radius.Value(), clearance.Value()});
        if (end) {
            continue;
        }
        const Real fraction = clearance / radius;
        if (first || fraction < geometry.worstClearance) {
            geometry.worstClearance = fraction.Value();
            geometry.worstPointKm = d1.Value();
            first = false;
        }
        geometry.lineOfSight = geometry.lineOfSight && clearance > 0.0L;
        geometry.fresnel60 = geometry.fresnel60 && fraction >= 0.6L;
    }
    return geometry;
}

} // namespace zandrevio
