#include "itm/itm_attenuation.h"

#include "numeric/checked_trig.h"
#include "itm/itm_diffraction.h"
#include "itm/itm_line_of_sight.h"
#include "itm/itm_scatter.h"

namespace zandrevio::itm {

using fp::Max;
using fp::Min;
using fp::Real;

namespace {
// FORTRAN's DIM(a, b): a − b where positive, else 0.
Real Excess(Real a, Real b)
{
    return a > b ? a - b : Real(0.0L);
}

// The straight line A_ed + m_d s through the diffraction attenuation at two distances past the horizons.
struct Line {
    Real intercept;
    Real slope;
    Real At(Real distanceM) const { return intercept + slope * distanceM; }
};

// ITM 1.2.2 Algorithm, §Line-of-sight attenuation: A_ref = A_el + K_1 s + K_2 ln(s / d_Ls), fitted to
// A_los at d_0 and d_1 and to the diffraction line at d_2 = d_Ls. Written here as A_el' + K_1 s + K_2 ln s.
Real LineOfSightAt(const PathParameters& path, const PathSums& sums, const Line& diffraction, Real distanceM)
{
    const LineOfSightRange los(path, sums, diffraction.intercept, diffraction.slope);
    const Real k = path.waveNumber;
    const Real d2 = sums.smoothHorizonsM;
    const Real a2 = diffraction.At(d2);
    // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: d_0 = 1.908 k h_e1 h_e2, and d_1.
    Real d0 = 1.908L * k * path.effectiveHeightsM[0] * path.effectiveHeightsM[1];
    Real d1 = 0.0L;
    if (diffraction.intercept >= 0.0L) {
        d0 = Min(d0, 0.5L * sums.horizonsM);
        d1 = d0 + 0.25L * (sums.horizonsM - d0);
    } else {
        d1 = Max(-diffraction.intercept / diffraction.slope, 0.25L * sums.horizonsM);
    }
    const Real a1 = los.At(d1);
    Real k1 = 0.0L;
    Real k2 = 0.0L;
    bool threePoints = false;
    if (d0 < d1) {
        // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: K_2 from the three points, not below 0.
        const Real a0 = los.At(d0);
        const Real q = fp::Ln(d2 / d0);
        k2 = Max(0.0L, ((d2 - d0) * (a1 - a0) - (d1 - d0) * (a2 - a0)) / ((d2 - d0) * fp::Ln(d1 / d0) - (d1 - d0) * q));
        threePoints = diffraction.intercept >= 0.0L || k2 > 0.0L;
        if (threePoints) {
            // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: K_1 = (A_2 − A_0 − K_2 ln(d_2 / d_0)) / (d_2 − d_0);
            // a negative K_1 is set to 0 and K_2 refitted through A_0 and A_2 alone.
            k1 = (a2 - a0 - k2 * q) / (d2 - d0);
            if (k1 < 0.0L) {
                k1 = 0.0L;
                k2 = Excess(a2, a0) / q;
                if (k2 == 0.0L) {
                    k1 = diffraction.slope;
                }
            }
        }
    }
    if (!threePoints) {
        // ITM 1.2.2 Algorithm, §Line-of-sight attenuation: else the straight line through A_1 and A_2,
        // K_2 = 0; a flat one takes the diffraction's slope m_d.
        k2 = 0.0L;
        k1 = d2 == d1 ? Real(0.0L) : Excess(a2, a1) / (d2 - d1);
        if (k1 == 0.0L) {
            k1 = diffraction.slope;
        }
    }
    const Real intercept = a2 - k1 * d2 - k2 * fp::Ln(d2);
    return intercept + k1 * distanceM + k2 * fp::Ln(distanceM);
}
} // namespace

ReferenceAttenuation ComputeReference(const PathParameters& path, Real distanceM)
{
    const PathSums sums = SumsOf(path);
    const Real k = path.waveNumber;
    const Real curvature = path.curvature;
    // ITM 1.2.2 Algorithm, §Diffraction attenuation: the line through A_d at d_3 = max(d_Ls, d_L + 1.3787 X_ae)
    // and d_4 = d_3 + 2.7574 X_ae, X_ae = (k γ_e²)^(−⅓).
    const Real xae = fp::Power(k * curvature * curvature, -1.0L / 3.0L);
    const Real d3 = Max(sums.smoothHorizonsM, 1.3787L * xae + sums.horizonsM);
    const Real d4 = d3 + 2.7574L * xae;
    const DiffractionRange diffraction(path, sums);
    const Real a3 = diffraction.At(d3);
    const Real a4 = diffraction.At(d4);
    const Real slope = (a4 - a3) / (d4 - d3);
    const Line diffractionLine{a3 - slope * d3, slope};

    ReferenceAttenuation result{
        0.0L,         ItmMode::Diffraction, sums.smoothHorizonsM.Value(), 0.0L, diffractionLine.intercept.Value(),
        slope.Value()};
    Real reference = 0.0L;
    if (distanceM < sums.smoothHorizonsM) {
        result.mode = ItmMode::LineOfSight;
        reference = LineOfSightAt(path, sums, diffractionLine, distanceM);
    } else {
        // ITM 1.2.2 Algorithm, §Troposcatter attenuation: the scatter line through A_scat at d_5 = d_L + 200 km
        // and d_6 = d_5 + 200 km, the far one first.
        ScatterRange scatter(path, sums);
        const Real d5 = sums.horizonsM + 200e3L;
        const Real d6 = d5 + 200e3L;
        const Real a6 = scatter.At(d6);
        const Real a5 = scatter.At(d5);
        Real scatterSlope = slope;
        Real scatterIntercept = diffractionLine.intercept;
        Real from = 10e6L; // no troposcatter: diffraction all the way
        if (a5 < 1000.0L) {
            // ITM 1.2.2 Algorithm, §Troposcatter attenuation: m_s = (A_6 − A_5) / 200 km; scatter from
            // d_x = max(d_Ls, d_L + 0.3 X_ae ln(47.7 k), where the lines cross), A_es = (m_d − m_s) d_x + A_ed.
            scatterSlope = (a6 - a5) / 200e3L;
            const Real crossing = (a5 - diffractionLine.intercept - scatterSlope * d5) / (slope - scatterSlope);
            from = Max(sums.smoothHorizonsM, Max(sums.horizonsM + 0.3L * xae * fp::Ln(47.7L * k), crossing));
            scatterIntercept = (slope - scatterSlope) * from + diffractionLine.intercept;
        }
        result.scatterFromM = from.Value();
        if (distanceM > from) {
            result.mode = ItmMode::Troposcatter;
            reference = scatterIntercept + scatterSlope * distanceM;
        } else {
            reference = diffractionLine.At(distanceM);
        }
    }
    // ITM 1.2.2 Algorithm, §The reference attenuation: A_ref is never below 0.
    result.db = Max(reference, 0.0L).Value();
    return result;
}

} // namespace zandrevio::itm
