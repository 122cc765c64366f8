#include "propagation/delta_bullington.h"

#include "numeric/checked_trig.h"
#include "propagation/knife_edge.h"

namespace zandrevio {

using fp::Real;

BullingtonLoss Bullington(const TerrainProfile& profile, Real txTopM, Real rxTopM, Real radiusKm, Real wavelengthM,
                          bool flat)
{
    const auto& points = profile.points;
    const std::size_t last = points.size() - 1;
    const Real d = profile.LengthKm();
    const Real hts = txTopM;
    const Real hrs = rxTopM;
    const Real curvature = 1.0L / radiusKm; // C_e
    // The profile height raised by the earth's curvature: h_i + 500 C_e d_i (d − d_i).
    auto raised = [&](std::size_t i) {
        const Real di = points[i].distanceKm;
        return (flat ? Real(0.0L) : Real(points[i].heightM)) + 500.0L * curvature * di * (d - di);
    };
    // ITU-R P.1812-6 eq. (14): S_tim = max[(h_i + 500 C_e d_i (d − d_i) − h_ts) / d_i].
    Real stim = (raised(1) - hts) / points[1].distanceKm;
    for (std::size_t i = 2; i < last; ++i) {
        const Real slope = (raised(i) - hts) / points[i].distanceKm;
        stim = slope > stim ? slope : stim;
    }
    // ITU-R P.1812-6 eq. (15): S_tr = (h_rs − h_ts) / d.
    const Real str = (hrs - hts) / d;
    Real nu = 0.0L;
    if (stim < str) {
        // ITU-R P.1812-6 eq. (16): ν_max = max[(h_i + 500 C_e d_i (d − d_i) − (h_ts (d − d_i) + h_rs d_i) / d)
        // √(0.002 d / (λ d_i (d − d_i)))].
        for (std::size_t i = 1; i < last; ++i) {
            const Real di = points[i].distanceKm;
            const Real v =
                (raised(i) - (hts * (d - di) + hrs * di) / d) * fp::Sqrt(0.002L * d / (wavelengthM * di * (d - di)));
            nu = i == 1 || v > nu ? v : nu;
        }
    } else {
        // ITU-R P.1812-6 eq. (18): S_rim = max[(h_i + 500 C_e d_i (d − d_i) − h_rs) / (d − d_i)].
        Real srim = (raised(1) - hrs) / (d - points[1].distanceKm);
        for (std::size_t i = 2; i < last; ++i) {
            const Real slope = (raised(i) - hrs) / (d - points[i].distanceKm);
            srim = slope > srim ? slope : srim;
        }
        // ITU-R P.1812-6 eq. (19): d_bp = (h_rs − h_ts + S_rim d) / (S_tim + S_rim).
        const Real dbp = (hrs - hts + srim * d) / (stim + srim);
        // ITU-R P.1812-6 eq. (20): ν_b = (h_ts + S_tim d_bp − (h_ts (d − d_bp) + h_rs d_bp) / d)
        // √(0.002 d / (λ d_bp (d − d_bp))).
        nu = (hts + stim * dbp - (hts * (d - dbp) + hrs * dbp) / d) *
            fp::Sqrt(0.002L * d / (wavelengthM * dbp * (d - dbp)));
    }
    // ITU-R P.1812-6 eqs. (17), (21): L_uc = J(ν).
    const Real edge = KnifeEdgeLoss(nu);
    // ITU-R P.1812-6 eq. (22): L_bull = L_uc + [1 − exp(−L_uc / 6)] (10 + 0.02 d).
    const Real loss = edge + (1.0L - fp::Exp(-edge / 6.0L)) * (10.0L + 0.02L * d);
    return {nu.Value(), edge.Value(), loss.Value()};
}

SmoothEarthHeights DiffractionSmoothEarth(const TerrainProfile& profile, Real txTopM, Real rxTopM)
{
    const auto& points = profile.points;
    const std::size_t last = points.size() - 1;
    const Real d = profile.LengthKm();
    // ITU-R P.1812-6 Attachment 1 §5.6.2: the least-squares line through the profile,
    // v1 = Σ (d_i − d_i−1)(h_i + h_i−1), v2 = Σ (d_i − d_i−1)[h_i (2 d_i + d_i−1) + h_i−1 (d_i + 2 d_i−1)].
    Real v1 = 0.0L;
    Real v2 = 0.0L;
    for (std::size_t i = 1; i <= last; ++i) {
        const Real di = points[i].distanceKm;
        const Real dp = points[i - 1].distanceKm;
        const Real hi = points[i].heightM;
        const Real hp = points[i - 1].heightM;
        v1 = v1 + (di - dp) * (hi + hp);
        v2 = v2 + (di - dp) * (hi * (2.0L * di + dp) + hp * (di + 2.0L * dp));
    }
    // ITU-R P.1812-6 Attachment 1 §5.6.2: h_stip = (2 v1 d − v2) / d², h_srip = (v2 − v1 d) / d².
    Real hst = (2.0L * v1 * d - v2) / (d * d);
    Real hsr = (v2 - v1 * d) / (d * d);
    // ITU-R P.1812-6 Attachment 1 §5.6.2: the obstruction H_i = h_i − (h_ts (d − d_i) + h_rs d_i) / d,
    // its greatest h_obs and the greatest slopes α_obt = max(H_i / d_i), α_obr = max(H_i / (d − d_i)).
    Real hobs = 0.0L;
    Real alphaT = 0.0L;
    Real alphaR = 0.0L;
    for (std::size_t i = 1; i < last; ++i) {
        const Real di = points[i].distanceKm;
        const Real h = Real(points[i].heightM) - (txTopM * (d - di) + rxTopM * di) / d;
        const Real toTx = h / di;
        const Real toRx = h / (d - di);
        hobs = i == 1 || h > hobs ? h : hobs;
        alphaT = i == 1 || toTx > alphaT ? toTx : alphaT;
        alphaR = i == 1 || toRx > alphaR ? toRx : alphaR;
    }
    if (hobs > 0.0L) {
        // ITU-R P.1812-6 Attachment 1 §5.6.2: lowered by h_obs g_t and h_obs g_r, g = α / (α_obt + α_obr).
        hst = hst - hobs * alphaT / (alphaT + alphaR);
        hsr = hsr - hobs * alphaR / (alphaT + alphaR);
    }
    // ITU-R P.1812-6 Attachment 1 §5.6.2: never above the ground at either end.
    const long double groundTx = points.front().heightM;
    const long double groundRx = points.back().heightM;
    return {hst > groundTx ? groundTx : hst.Value(), hsr > groundRx ? groundRx : hsr.Value()};
}

DeltaBullingtonLoss DeltaBullington(const TerrainProfile& profile, Real txTopM, Real rxTopM, Real radiusKm,
                                    Real frequencyMHz, Real wavelengthM, Polarization polarization)
{
    // ITU-R P.1812-6 §4.3.4: L_bulla, Bullington's loss of the actual profile.
    const BullingtonLoss actual = Bullington(profile, txTopM, rxTopM, radiusKm, wavelengthM);
    // ITU-R P.1812-6 §4.3.4: the antennas over the smooth earth, h'_ts = h_ts − h_std, h'_rs = h_rs − h_srd.
    const SmoothEarthHeights smoothEarth = DiffractionSmoothEarth(profile, txTopM, rxTopM);
    const Real txAbove = txTopM - smoothEarth.txM;
    const Real rxAbove = rxTopM - smoothEarth.rxM;
    // ITU-R P.1812-6 §4.3.4: L_bulls, Bullington's loss of the zero-height profile with those heights.
    const BullingtonLoss smooth = Bullington(profile, txAbove, rxAbove, radiusKm, wavelengthM, true);
    // ITU-R P.1812-6 §4.3.4: L_dsph, the spherical-earth loss over the path with the same heights.
    const Real spherical = SphericalEarthLoss(profile.LengthKm(), txAbove, rxAbove, radiusKm, frequencyMHz / 1000.0L,
                                              wavelengthM, polarization);
    // ITU-R P.1812-6 §4.3.4: L_d = L_bulla + max(L_dsph − L_bulls, 0).
    const Real excess = spherical - smooth.lossDb;
    const Real loss = actual.lossDb + (excess > 0.0L ? excess : Real(0.0L));
    return {actual.lossDb, smooth.lossDb, spherical.Value(), loss.Value(), actual.nu, smoothEarth};
}

} // namespace zandrevio
