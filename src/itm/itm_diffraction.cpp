#include "itm/itm_diffraction.h"

#include "numeric/checked_trig.h"

namespace zandrevio::itm {

using fp::Max;
using fp::Min;
using fp::Real;

namespace {

// ITM 1.2.2 Algorithm, §Preparatory calculations: the terrain's spread at distance s,
// Δh(s) = (1 − 0.8 exp(−s / 50 km)) Δh.
Real SpreadAt(Real distanceM, Real dh)
{
    return (1.0L - 0.8L * fp::Exp(-distanceM / 50e3L)) * dh;
}

// ITM 1.2.2 Algorithm, §Preparatory calculations: the rms deviation of the terrain within the
// first Fresnel zone, σ_h(s) = 0.78 Δh(s) exp(−(Δh(s) / 16 m)^¼).
Real RmsDeviationAt(Real distanceM, Real dh)
{
    const Real spread = SpreadAt(distanceM, dh);
    return 0.78L * spread * fp::Exp(-fp::Power(spread / 16.0L, 0.25L));
}

// ITM 1.2.2 Algorithm, §Diffraction attenuation: the normalised distance and the impedance
// factor of a smooth earth of radius a, α = (k a)^⅓, K = 1 / (|Z_g| α).
struct Normalised {
    Real alpha;
    Real k;
};
Normalised NormaliseFor(Real radiusM, Real waveNumber, Real impedance)
{
    const Real alpha = fp::Power(radiusM * waveNumber, 1.0L / 3.0L);
    return {alpha, impedance / alpha};
}
} // namespace

Real KnifeEdge(Real v2)
{
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: A(v) = 6.02 + 9.11 v − 1.27 v² for v² < 5.76,
    // else 12.953 + 20 log10 v.
    if (v2 < 5.76L) {
        return 6.02L + 9.11L * fp::Sqrt(v2) - 1.27L * v2;
    }
    return 12.953L + 4.343L * fp::Ln(v2);
}

Real HeightGain(Real x, Real k)
{
    if (x < 200.0L) {
        // ITM 1.2.2 Algorithm, §Diffraction attenuation: F(x, K) for x < 200, with w = −ln K.
        const Real w = -fp::Ln(k);
        if (k < 1e-5L || x * w * w * w > 5495.0L) {
            return x > 1.0L ? 17.372L * fp::Ln(x) - 117.0L : Real(-117.0L);
        }
        return 2.5e-5L * x * x / k - 8.686L * w - 15.0L;
    }
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: F(x, K) = 0.05751 x − 10 log10 x from 200 on,
    // blended below 2000 with 20 log10 x − 117 by w = 0.0134 x exp(−0.005 x).
    const Real far = 0.05751L * x - 4.343L * fp::Ln(x);
    if (x < 2000.0L) {
        const Real w = 0.0134L * x * fp::Exp(-0.005L * x);
        return (1.0L - w) * far + w * (17.372L * fp::Ln(x) - 117.0L);
    }
    return far;
}

DiffractionRange::DiffractionRange(const PathParameters& path, const PathSums& sums)
    : m_path(path)
    , m_sums(sums)
{
    const Real k = path.waveNumber;
    const Real curvature = path.curvature;
    const Real dh = path.terrainIrregularityM;
    const Real hg1 = path.heightsM[0];
    const Real hg2 = path.heightsM[1];
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the weighting factor's first part,
    // √(1 + (h_e1 h_e2 − h_g1 h_g2) / (h_g1 h_g2 + H_3)), H_3 = 10 m in point-to-point mode, else 0.
    const Real structural = hg1 * hg2;
    const Real lift = Real(path.effectiveHeightsM[0]) * path.effectiveHeightsM[1] - structural;
    m_weightHeights = fp::Sqrt(1.0L + lift / (structural + (path.pointToPoint ? 10.0L : 0.0L)));
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: its second, (d_L + θ_e / γ_e) / s.
    m_weightDistance = sums.horizonsM + sums.angleRad / curvature;
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the clutter factor
    // A_fo = min(15, 5 log10(1 + 4.77e-4 h_g1 h_g2 k σ_h(d_Ls))).
    const Real sigma = RmsDeviationAt(sums.smoothHorizonsM, dh);
    m_clutter = Min(15.0L, 2.171L * fp::Ln(1.0L + 4.77e-4L * hg1 * hg2 * k * sigma));
    m_impedance = 1.0L / Abs(path.groundImpedance);
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: each terminal's height gain over an earth of
    // radius a_j = d_Lj² / (2 h_ej), at x_j = B(K_j) α_j d_Lj / a_j, B(K) = 151 (1.607 − K).
    m_heightGains = 20.0L;
    m_horizonX = 0.0L;
    for (std::size_t j = 0; j < 2; ++j) {
        const Real dl = path.horizonDistancesM[j];
        const Real radius = 0.5L * dl * dl / path.effectiveHeightsM[j];
        const Normalised n = NormaliseFor(radius, k, m_impedance);
        const Real x = (1.607L - n.k) * 151.0L * n.alpha * dl / radius;
        m_horizonX = m_horizonX + x;
        m_heightGains = m_heightGains + HeightGain(x, n.k);
    }
}

Real DiffractionRange::At(Real distanceM) const
{
    const Real k = m_path.waveNumber;
    const Real dl1 = m_path.horizonDistancesM[0];
    const Real dl2 = m_path.horizonDistancesM[1];
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the angle θ = θ_e + s γ_e over the distance
    // s − d_L between the horizons.
    const Real theta = m_sums.angleRad + distanceM * m_path.curvature;
    const Real between = distanceM - m_sums.horizonsM;
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the double knife edge A_k = A(v1) + A(v2),
    // v_j² = k θ² (s − d_L) d_Lj / (4π (s − d_L + d_Lj)), 1 / 4π = 0.0795775.
    const Real q = 0.0795775L * k * between * theta * theta;
    const Real knifeEdges = KnifeEdge(q * dl1 / (between + dl1)) + KnifeEdge(q * dl2 / (between + dl2));
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the rounded earth between the horizons, of
    // radius (s − d_L) / θ: A_r = G(x_0) − F(x_1, K_1) − F(x_2, K_2) − 20, G(x) = 0.05751 x − 10 log10 x.
    const Normalised n = NormaliseFor(between / theta, k, m_impedance);
    const Real x = (1.607L - n.k) * 151.0L * n.alpha * theta + m_horizonX;
    const Real rounded = 0.05751L * x - 4.343L * fp::Ln(x) - m_heightGains;
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the weight of the rounded earth,
    // w = 25.1 / (25.1 + √(Q)), Q = (first + second / s) min(k Δh(s), 6283.2).
    const Real rough = Min(SpreadAt(distanceM, m_path.terrainIrregularityM) * k, 6283.2L);
    const Real weight = 25.1L / (25.1L + fp::Sqrt((m_weightHeights + m_weightDistance / distanceM) * rough));
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: A_d = (1 − w) A_k + w A_r + A_fo.
    return weight * rounded + (1.0L - weight) * knifeEdges + m_clutter;
}

} // namespace zandrevio::itm
