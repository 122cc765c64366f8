#include "itm/itm_horizons.h"

#include "numeric/checked_trig.h"

namespace zandrevio::itm {

using fp::Real;

namespace {
// ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: a terminal's smooth-earth horizon
// √(2 h_e / γ_e) shortened by the terrain, d_L = √(2 h_e / γ_e) exp(−0.07 √(Δh / max(h_e, 5 m))).
Real RoughHorizon(Real effectiveHeight, Real curvature, Real dh)
{
    const Real floor = effectiveHeight > 5.0L ? effectiveHeight : Real(5.0L);
    return fp::Sqrt(2.0L * effectiveHeight / curvature) * fp::Exp(-0.07L * fp::Sqrt(dh / floor));
}

// The height of the ground at a terminal above the line fitted there, or 0 where the line is higher.
Real AboveLine(Real ground, Real line)
{
    return ground > line ? ground - line : Real(0.0L);
}
} // namespace

Horizons FindHorizons(const UniformProfile& profile, const std::array<long double, 2>& heightsM, Real curvature)
{
    const std::size_t n = profile.Intervals();
    const Real spacing = profile.spacingM;
    const Real d = profile.LengthM();
    const Real za = Real(profile.heightsM.front()) + heightsM[0];
    const Real zb = Real(profile.heightsM.back()) + heightsM[1];
    const Real halfCurvature = 0.5L * curvature;
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: the angles start at each
    // terminal's view of the other, θ = ±(z_b − z_a) / d − γ_e d / 2, its horizon at d.
    Real angleTx = (zb - za) / d - halfCurvature * d;
    Real angleRx = (za - zb) / d - halfCurvature * d;
    Real distanceTx = d;
    Real distanceRx = d;
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: each inner point whose
    // elevation angle (h_i − z) / x − γ_e x / 2 exceeds the angle so far becomes the horizon.
    for (std::size_t i = 1; i < n; ++i) {
        const Real h = profile.heightsM[i];
        const Real x = spacing * static_cast<long double>(i);
        const Real fromTx = (h - za) / x - halfCurvature * x;
        if (fromTx > angleTx) {
            angleTx = fromTx;
            distanceTx = x;
        }
        const Real back = d - x;
        const Real fromRx = (h - zb) / back - halfCurvature * back;
        if (fromRx > angleRx) {
            angleRx = fromRx;
            distanceRx = back;
        }
    }
    return {{angleTx.Value(), angleRx.Value()}, {distanceTx.Value(), distanceRx.Value()}};
}

void PreparePointToPointTerminals(PathParameters& path, const UniformProfile& profile)
{
    const Real d = profile.LengthM();
    const Real curvature = path.curvature;
    const Horizons horizons = FindHorizons(profile, path.heightsM, curvature);
    // A terminal whose horizon falls short of the other sees terrain in between.
    path.terrainBlocksSight = horizons.distancesM[0] < d.Value();
    // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: the terrain is judged from
    // x_L1 = min(15 h_g1, 0.1 d_L1) to d − min(15 h_g2, 0.1 d_L2), away from each terminal's
    // foreground, d_Lj the terminal's horizon over the profile.
    auto foreground = [&](std::size_t j) {
        const Real reach = 15.0L * path.heightsM[j];
        const Real tenth = 0.1L * horizons.distancesM[j];
        return reach < tenth ? reach : tenth;
    };
    const Real x1 = foreground(0);
    const Real x2 = d - foreground(1);
    const Real dh = TerrainIrregularity(profile, x1, x2);
    path.terrainIrregularityM = dh.Value();
    const std::array<Real, 2> ground{profile.heightsM.front(), profile.heightsM.back()};
    std::array<Real, 2> he{};
    if (Real(horizons.distancesM[0]) + horizons.distancesM[1] > 1.5L * d) {
        // A line-of-sight path: the effective heights above the line fitted over [x_L1, x_L2], and
        // the horizons of the smooth earth rough as Δh says.
        const LineEnds line = FitLine(profile, x1, x2);
        he[0] = Real(path.heightsM[0]) + AboveLine(ground[0], line.atStart);
        he[1] = Real(path.heightsM[1]) + AboveLine(ground[1], line.atEnd);
        std::array<Real, 2> dl{RoughHorizon(he[0], curvature, dh), RoughHorizon(he[1], curvature, dh)};
        // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations: horizons that do not reach
        // across the path raise both heights by (d / (d_L1 + d_L2))².
        const Real reach = dl[0] + dl[1];
        if (reach <= d) {
            const Real scale = (d / reach) * (d / reach);
            for (std::size_t j = 0; j < 2; ++j) {
                he[j] = he[j] * scale;
                dl[j] = RoughHorizon(he[j], curvature, dh);
            }
        }
        for (std::size_t j = 0; j < 2; ++j) {
            const Real smooth = fp::Sqrt(2.0L * he[j] / curvature);
            // ITM 1.2.2 Algorithm, §Point-to-point preparatory calculations:
            // θ_e = (0.65 Δh (d_Ls / d_L − 1) − 2 h_e) / d_Ls.
            path.horizonAnglesRad[j] = ((0.65L * dh * (smooth / dl[j] - 1.0L) - 2.0L * he[j]) / smooth).Value();
            path.horizonDistancesM[j] = dl[j].Value();
        }
    } else {
        // A transhorizon path: each effective height above the line fitted over its own
        // foreground, from x_L to 0.9 of the way to its horizon; the horizons are the profile's.
        const Real txLine = FitLine(profile, x1, 0.9L * horizons.distancesM[0]).atStart;
        const Real rxLine = FitLine(profile, d - 0.9L * horizons.distancesM[1], x2).atEnd;
        he[0] = Real(path.heightsM[0]) + AboveLine(ground[0], txLine);
        he[1] = Real(path.heightsM[1]) + AboveLine(ground[1], rxLine);
        path.horizonAnglesRad = horizons.anglesRad;
        path.horizonDistancesM = horizons.distancesM;
    }
    path.effectiveHeightsM = {he[0].Value(), he[1].Value()};
}

} // namespace zandrevio::itm
