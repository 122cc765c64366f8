#include "itm/itm_parameters.h"

#include "numeric/checked_trig.h"
#include "numeric/radio.h"

namespace zandrevio::itm {

using fp::Real;

Real WaveNumber(Real frequencyMHz)
{
    // ITM 1.2.2 Algorithm, §Preparatory calculations: k = f / f0, f0 = 47.7 MHz·m.
    return frequencyMHz / 47.7L;
}

Real SurfaceRefractivity(Real n0, Real surfaceElevationM)
{
    // ITM 1.2.2 Algorithm, §Preparatory calculations: N_s = N_0 exp(−z_s / 9460 m); at sea level N_0 itself.
    return surfaceElevationM == 0.0L ? n0 : n0 * fp::Exp(-surfaceElevationM / 9460.0L);
}

Real EffectiveCurvature(Real surfaceRefractivity)
{
    // ITM 1.2.2 Algorithm, §Preparatory calculations: γ_e = 157e-9 (1 − 0.04665 exp(N_s / 179.3)).
    return 157e-9L * (1.0L - 0.04665L * fp::Exp(surfaceRefractivity / 179.3L));
}

Complex GroundImpedance(Real permittivity, Real conductivity, Real waveNumber, Polarization polarization)
{
    // ITM 1.2.2 Algorithm, §Preparatory calculations: ε'_r = ε_r + i Z_0 σ / k, Z_0 = 376.62 Ω.
    const Complex relative{permittivity, 376.62L * conductivity / waveNumber};
    // ITM 1.2.2 Algorithm, §Preparatory calculations: Z_g = √(ε'_r − 1), divided by ε'_r for vertical polarization.
    const Complex root = Sqrt(relative - Complex{1.0L, 0.0L});
    return polarization == Polarization::Vertical ? root / relative : root;
}

PathSums SumsOf(const PathParameters& path)
{
    const Real curvature = path.curvature;
    // ITM 1.2.2 Algorithm, §The reference attenuation: d_Lsj = √(2 h_ej / γ_e), d_Ls = d_Ls1 + d_Ls2.
    const Real smooth =
        fp::Sqrt(2.0L * path.effectiveHeightsM[0] / curvature) + fp::Sqrt(2.0L * path.effectiveHeightsM[1] / curvature);
    // ITM 1.2.2 Algorithm, §The reference attenuation: d_L = d_L1 + d_L2.
    const Real horizons = Real(path.horizonDistancesM[0]) + path.horizonDistancesM[1];
    // ITM 1.2.2 Algorithm, §The reference attenuation: θ_e = max(θ_e1 + θ_e2, −d_L γ_e).
    const Real angles = Real(path.horizonAnglesRad[0]) + path.horizonAnglesRad[1];
    const Real least = -horizons * curvature;
    return {smooth, horizons, angles > least ? angles : least};
}

void PrepareAreaTerminals(PathParameters& path, const std::array<ItmSiting, 2>& siting)
{
    const Real dh = path.terrainIrregularityM;
    const Real curvature = path.curvature;
    for (std::size_t j = 0; j < 2; ++j) {
        const Real hg = path.heightsM[j];
        Real he = hg;
        if (siting[j] != ItmSiting::Random) {
            // ITM 1.2.2 Algorithm, §Area prediction mode: B = 4 for careful siting, 9 for very careful,
            // scaled by sin(π h_g / 10) below 5 m.
            Real b = siting[j] == ItmSiting::Careful ? 4.0L : 9.0L;
            if (hg < 5.0L) {
                b = b * fp::Sin(radio::kPi / 10.0L * hg);
            }
            // ITM 1.2.2 Algorithm, §Area prediction mode: h_e = h_g + (1 + B) exp(−min(20, 2 h_g / Δh)),
            // Δh taken as at least 1 mm.
            const Real ratio = 2.0L * hg / (dh > 1e-3L ? dh : Real(1e-3L));
            he = hg + (1.0L + b) * fp::Exp(-(ratio < 20.0L ? ratio : Real(20.0L)));
        }
        // ITM 1.2.2 Algorithm, §Area prediction mode: the smooth-earth horizon d_Ls = √(2 h_e / γ_e).
        const Real smooth = fp::Sqrt(2.0L * he / curvature);
        // ITM 1.2.2 Algorithm, §Area prediction mode: d_L = d_Ls exp(−0.07 √(Δh / max(h_e, 5 m))).
        const Real distance = smooth * fp::Exp(-0.07L * fp::Sqrt(dh / (he > 5.0L ? he : Real(5.0L))));
        // ITM 1.2.2 Algorithm, §Area prediction mode: θ_e = (0.65 Δh (d_Ls / d_L − 1) − 2 h_e) / d_Ls.
        const Real angle = (0.65L * dh * (smooth / distance - 1.0L) - 2.0L * he) / smooth;
        path.effectiveHeightsM[j] = he.Value();
        path.horizonDistancesM[j] = distance.Value();
        path.horizonAnglesRad[j] = angle.Value();
    }
}

} // namespace zandrevio::itm
