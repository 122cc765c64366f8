#include "itm/itm_line_of_sight.h"

#include "numeric/checked_trig.h"
#include "numeric/radio.h"
#include "itm/itm_complex.h"

namespace zandrevio::itm {

using fp::Real;

LineOfSightRange::LineOfSightRange(const PathParameters& path, const PathSums& sums, Real diffractionIntercept,
                                   Real diffractionSlope)
    : m_path(path)
    , m_intercept(diffractionIntercept)
    , m_slope(diffractionSlope)
{
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: w = 1 / (1 + D_1 k Δh / max(D_2, d_Ls)),
    // D_1 = 47.7 m, D_2 = 10 km. (The Fortran's 0.021 stands for 1 / 47.6 m and moves A_ref by up to
    // 0.02 dB from the reference's.)
    const Real reach = sums.smoothHorizonsM > 10e3L ? sums.smoothHorizonsM : Real(10e3L);
    m_weight = 1.0L / (1.0L + 47.7L * Real(path.waveNumber) * path.terrainIrregularityM / reach);
}

Real LineOfSightRange::At(Real distanceM) const
{
    const Real k = m_path.waveNumber;
    const Real he1 = m_path.effectiveHeightsM[0];
    const Real he2 = m_path.effectiveHeightsM[1];
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: σ_h(s) = 0.78 Δh(s) exp(−(Δh(s) / 16 m)^¼),
    // Δh(s) = (1 − 0.8 exp(−s / 50 km)) Δh.
    const Real spread = (1.0L - 0.8L * fp::Exp(-distanceM / 50e3L)) * m_path.terrainIrregularityM;
    const Real sigma = 0.78L * spread * fp::Exp(-fp::Power(spread / 16.0L, 0.25L));
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: the grazing angle, sin ψ = (h_e1 + h_e2) / √(s² + (h_e1 +
    // h_e2)²).
    const Real heights = he1 + he2;
    const Real sine = heights / fp::Sqrt(distanceM * distanceM + heights * heights);
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: the reflection coefficient
    // R_e = (sin ψ − Z_g) / (sin ψ + Z_g) exp(−min(10, k σ_h sin ψ)).
    const Real roughness = k * sigma * sine;
    const Complex grazing{sine, 0.0L};
    Complex reflection = (grazing - m_path.groundImpedance) / (grazing + m_path.groundImpedance) *
        fp::Exp(-(roughness < 10.0L ? roughness : Real(10.0L)));
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: where |R_e|² falls below ¼ or below sin ψ,
    // R_e is rescaled to |R_e|² = sin ψ.
    const Real squared = Norm(reflection);
    if (squared < 0.25L || squared < sine) {
        reflection = reflection * fp::Sqrt(sine / squared);
    }
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: the phase difference δ = 2 k h_e1 h_e2 / s, past π/2
    // bent towards π as δ' = π − (π/2)² / δ.
    Real phase = 2.0L * k * he1 * he2 / distanceM;
    if (phase > radio::kPi / 2.0L) {
        phase = radio::kPi - radio::kPi * radio::kPi / 4.0L / phase;
    }
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: A_t = −20 log10 |exp(−iδ') + R_e|, and
    // A_los = w A_t + (1 − w) (A_ed + m_d s).
    const Complex sum = Complex{fp::Cos(phase), -fp::Sin(phase)} + reflection;
    const Real twoRay = -10.0L * fp::Log10(Norm(sum));
    const Real diffraction = m_slope * distanceM + m_intercept;
    return (twoRay - diffraction) * m_weight + diffraction;
}

} // namespace zandrevio::itm
