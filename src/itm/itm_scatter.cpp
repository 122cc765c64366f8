#include "itm/itm_scatter.h"

#include "numeric/checked_trig.h"

namespace zandrevio::itm {

using fp::Max;
using fp::Min;
using fp::Real;

Real ScatterAngleDistance(Real thetaD)
{
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: F(θd) = a + b θd + c ln(θd), its three
    // pieces split at θd = 10 km and 70 km.
    if (thetaD <= 10e3L) {
        return 133.4L + 0.332e-3L * thetaD - 4.343L * fp::Ln(thetaD);
    }
    if (thetaD <= 70e3L) {
        return 104.6L + 0.212e-3L * thetaD - 1.086L * fp::Ln(thetaD);
    }
    return 71.8L + 0.157e-3L * thetaD + 2.171L * fp::Ln(thetaD);
}

Real FrequencyGainTerm(Real r, Real eta)
{
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: H_0(r, j) = 10 log10(1 + a_j r⁻² + b_j r⁻⁴) for
    // whole η_s = j (1 to 5), interpolated linearly between them.
    static constexpr long double kA[] = {25.0L, 80.0L, 177.0L, 395.0L, 705.0L};
    static constexpr long double kB[] = {24.0L, 45.0L, 68.0L, 80.0L, 105.0L};
    const Real x = 1.0L / (r * r);
    auto term = [&](std::size_t j) { return 4.343L * fp::Ln((kA[j] * x + kB[j]) * x + 1.0L); };
    if (!(eta < 5.0L)) {
        return term(4);
    }
    const auto whole = static_cast<std::size_t>(fp::Trunc(eta.Value()));
    const Real fraction = eta - static_cast<long double>(whole);
    const Real low = term(whole - 1);
    return fraction == 0.0L ? low : (1.0L - fraction) * low + fraction * term(whole);
}

ScatterRange::ScatterRange(const PathParameters& path, const PathSums& sums)
    : m_path(path)
    , m_sums(sums)
{
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: the asymmetry |d_L1 − d_L2| and the ratio of the
    // heights, taken from the terminal with the nearer horizon.
    const Real asymmetry = Real(path.horizonDistancesM[0]) - path.horizonDistancesM[1];
    const Real ratio = Real(path.effectiveHeightsM[1]) / path.effectiveHeightsM[0];
    m_asymmetry = asymmetry < 0.0L ? -asymmetry : asymmetry;
    m_heightRatio = asymmetry < 0.0L ? 1.0L / ratio : ratio;
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: η_s's refractivity factor
    // (5.67e-6 N_s − 2.32e-3) N_s + 0.031.
    const Real ns = path.surfaceRefractivity;
    m_etaFactor = (5.67e-6L * ns - 2.32e-3L) * ns + 0.031L;
}

std::optional<Real> ScatterRange::FrequencyGain(Real distanceM) const
{
    const Real k = m_path.waveNumber;
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: θ' = θ_e1 + θ_e2 + γ_e s, r_j = 2 k θ' h_ej.
    const Real theta = Real(m_path.horizonAnglesRad[0]) + m_path.horizonAnglesRad[1] + distanceM * m_path.curvature;
    const Real r1 = 2.0L * k * theta * m_path.effectiveHeightsM[0];
    const Real r2 = 2.0L * k * theta * m_path.effectiveHeightsM[1];
    if (r1 < 0.2L && r2 < 0.2L) {
        return std::nullopt;
    }
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: the asymmetry factors s = (s − d_a) / (s + d_a)
    // and q = (h_e ratio) / s, s held at least 0.1, q within 0.1 to 10.
    const Real sum = distanceM + m_asymmetry;
    const Real difference = distanceM - m_asymmetry;
    const Real symmetry = difference / sum;
    const Real q = Min(Max(0.1L, m_heightRatio / symmetry), 10.0L);
    const Real s = Max(0.1L, symmetry);
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: the height of the scatter volume
    // z_0 = (s − d_a)(s + d_a) θ' / (4 s) and η_s = (1 + η factor · exp(−min(1.7, z_0 / 8 km)⁶)) z_0 / 1.7556 km.
    const Real z0 = difference * sum * theta * 0.25L / distanceM;
    const Real eta = (m_etaFactor * fp::Exp(-fp::Power(Min(1.7L, z0 / 8.0e3L), 6.0L)) + 1.0L) * z0 / 1.7556e3L;
    const Real etaFloor = Max(eta, 1.0L);
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: H_0 = ½ (H_0(r_1) + H_0(r_2)) + ΔH_0, the asymmetry's
    // ΔH_0 = min(H_0, 6 (0.6 − log10 η_s) log10 s log10 q) (written 0.49 (1.38 − ln η_s) ln s ln q), not below 0.
    Real h0 = (FrequencyGainTerm(r1, etaFloor) + FrequencyGainTerm(r2, etaFloor)) * 0.5L;
    h0 = h0 + Min(h0, (1.38L - fp::Ln(etaFloor)) * fp::Ln(s) * fp::Ln(q) * 0.49L);
    h0 = Max(h0, 0.0L);
    if (eta < 1.0L) {
        // ITM 1.2.2 Algorithm, §Troposcatter attenuation: below η_s = 1, blended with its limit at η_s = 0,
        // 10 log10(((1 + √2 / r_1)(1 + √2 / r_2))² (r_1 + r_2) / (r_1 + r_2 + 2√2)).
        const Real product = (1.0L + 1.4142L / r1) * (1.0L + 1.4142L / r2);
        const Real limit = 4.343L * fp::Ln(product * product * (r1 + r2) / (r1 + r2 + 2.8284L));
        h0 = eta * h0 + (1.0L - eta) * limit;
    }
    return h0;
}

Real ScatterRange::At(Real distanceM)
{
    Real h0 = m_lastGain;
    if (!(m_lastGain > 15.0L)) {
        const std::optional<Real> gain = FrequencyGain(distanceM);
        if (!gain) {
            return kNoScatterDb;
        }
        h0 = *gain;
        // ITM 1.2.2 Algorithm, §Troposcatter attenuation: a gain above 15 dB gives way to the one kept
        // from the previous distance.
        if (h0 > 15.0L && m_lastGain >= 0.0L) {
            h0 = m_lastGain;
        }
    }
    m_lastGain = h0;
    // ITM 1.2.2 Algorithm, §Troposcatter attenuation: A_scat = F(θ s) + 10 log10(f θ⁴) (f in MHz)
    // − 0.1 (N_s − 301) exp(−θ s / 40 km) + H_0, θ = θ_e + γ_e s.
    const Real theta = m_sums.angleRad + distanceM * m_path.curvature;
    const Real thetaD = theta * distanceM;
    const Real frequency = 47.7L * Real(m_path.waveNumber);
    return ScatterAngleDistance(thetaD) + 4.343L * fp::Ln(frequency * fp::Power(theta, 4.0L)) -
        0.1L * (Real(m_path.surfaceRefractivity) - 301.0L) * fp::Exp(-thetaD / 40e3L) + h0;
}

} // namespace zandrevio::itm
