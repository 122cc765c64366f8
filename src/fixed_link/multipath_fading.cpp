#include "fixed_link/multipath_fading.h"

#include "numeric/checked_trig.h"
#include "numeric/format.h"
#include "numeric/radio.h"
#include "fixed_link/power_of_ten.h"

#include <algorithm>

namespace zandrevio {

using fp::Real;

namespace {
std::string Outside(const char* what, const char* range)
{
    return std::string(what) + " outside " + range +
        ", the range ITU-R P.530-17's multipath method was derived over: extrapolated";
}

} // namespace

Real GeoclimaticFactor(Real dN1, Real saM)
{
    // ITU-R P.530-17 §2.3.1 Step 1, eq. (4): K = 10^(-4.4 - 0.0027 dN1) (10 + sa)^-0.46
    return fp::Exp10(-4.4L - 0.0027L * dN1) * fp::Power(10.0L + saM, -0.46L);
}

Real PathInclinationMrad(Real txAltitudeM, Real rxAltitudeM, Real distanceKm)
{
    // ITU-R P.530-17 §2.3.1 Step 2, eq. (6): |εp| = |hr - he| / d (m over km: mrad)
    const Real rise = rxAltitudeM - txAltitudeM;
    return (rise < 0.0L ? -rise : rise) / distanceKm;
}

Real DeepFadeWorstMonthPercent(const MultipathHop& hop, Real fadeDepthDb)
{
    // ITU-R P.530-17 §2.3.1 Step 3, eq. (7), the detailed method's (the one whose K takes sa):
    // pw = K d^3.4 (1 + |εp|)^-1.03 f^0.8 10^(-0.00076 hL - A/10)
    return MultipathOccurrenceFactor(hop) * fp::Exp10(-fadeDepthDb / 10.0L);
}

Real MultipathOccurrenceFactor(const MultipathHop& hop)
{
    // ITU-R P.530-17 §2.3.2 Step 1, eq. (9): p0 = K d^3.4 (1 + |εp|)^-1.03 f^0.8 10^(-0.00076 hL)
    return hop.geoclimaticFactor * fp::Power(hop.distanceKm, 3.4L) * fp::Power(1.0L + hop.inclinationMrad, -1.03L) *
        fp::Power(hop.frequencyGHz, 0.8L) * fp::Exp10(-0.00076L * hop.lowerAltitudeM);
}

Real TransitionFadeDepth(Real occurrenceFactor)
{
    // ITU-R P.530-17 §2.3.2 Step 2, eq. (11): At = 25 + 1.2 log10 p0
    return 25.0L + 1.2L * fp::Log10(occurrenceFactor);
}

MultipathFading MultipathFadingOf(const MultipathHop& hop)
{
    const Real p0 = MultipathOccurrenceFactor(hop);
    const Real at = TransitionFadeDepth(p0);
    // ITU-R P.530-17 §2.3.2 Step 3a, eq. (13): pt = p0 10^(-At/10)
    const Real pt = p0 * fp::Exp10(-at / 10.0L);
    if (pt >= 100.0L || at <= 0.0L) {
        // A hop fading all the time already at At, or one whose At is not a
        // fade: no shallow range to interpolate.
        return {p0.Value(), at.Value(), pt.Value(), 0.0L};
    }
    // ITU-R P.530-17 §2.3.2 Step 3b, eq. (14): qa' = -20 log10(-ln((100 - pt) / 100)) / At
    const Real qaPrime = -20.0L * fp::Log10(-fp::Ln((100.0L - pt) / 100.0L)) / at;
    // ITU-R P.530-17 §2.3.2 Step 3c, eq. (15): qt = (qa' - 2) / [(1 + 0.3 10^(-At/20)) 10^(-0.016 At)] - 4.3
    // (10^(-At/20) + At/800)
    const Real qt = (qaPrime - 2.0L) / ((1.0L + 0.3L * fp::Exp10(-at / 20.0L)) * fp::Exp10(-0.016L * at)) -
        4.3L * (fp::Exp10(-at / 20.0L) + at / 800.0L);
    return {p0.Value(), at.Value(), pt.Value(), qt.Value()};
}

Real WorstMonthFadePercent(const MultipathFading& fading, Real fadeDepthDb)
{
    const Real a = fadeDepthDb;
    if (a >= fading.transitionDb) {
        // ITU-R P.530-17 §2.3.2 Step 3, eq. (12): pw = p0 10^(-A/10), A ≥ At
        return std::min(fading.occurrenceFactor * TenTo(-a / 10.0L), Real(100.0L));
    }
    if (fading.transitionPercent >= 100.0L) {
        return 100.0L;
    }
    const Real tenth = TenTo(-a / 20.0L);
    // ITU-R P.530-17 §2.3.2 Step 3d, eq. (16): qa = 2 + [1 + 0.3 10^(-A/20)] 10^(-0.016 A) [qt + 4.3 (10^(-A/20) +
    // A/800)]
    const Real qa =
        2.0L + (1.0L + 0.3L * tenth) * TenTo(-0.016L * a) * (fading.transitionShape + 4.3L * (tenth + a / 800.0L));
    // ITU-R P.530-17 §2.3.2 Step 3e, eq. (17): pw = 100 [1 - exp(-10^(-qa A / 20))]
    return 100.0L * (1.0L - fp::Exp(-TenTo(-qa * a / 20.0L)));
}

Real WorstMonthFadePercent(const MultipathHop& hop, Real fadeDepthDb)
{
    return WorstMonthFadePercent(MultipathFadingOf(hop), fadeDepthDb);
}

Real GeoclimaticConversionDb(Real latitudeDeg, Real distanceKm, Real inclinationMrad)
{
    const Real latitude = latitudeDeg < 0.0L ? -latitudeDeg : latitudeDeg;
    const Real cosine = fp::Cos(2.0L * latitude * radio::kPi / 180.0L);
    const Real magnitude = fp::Power(cosine < 0.0L ? -cosine : cosine, 0.7L);
    // ITU-R P.530-17 §2.3.4 Step 2: + for ξ ≤ 45°, - above
    const Real sum = latitude <= 45.0L ? 1.1L + magnitude : 1.1L - magnitude;
    // ITU-R P.530-17 §2.3.4 Step 2, eq. (23): ΔG = 10.5 - 5.6 log10(1.1 ± |cos 2ξ|^0.7) - 2.7 log10 d + 1.7 log10(1 +
    // |εp|)
    const Real conversion =
        10.5L - 5.6L * fp::Log10(sum) - 2.7L * fp::Log10(distanceKm) + 1.7L * fp::Log10(1.0L + inclinationMrad);
    // ITU-R P.530-17 §2.3.4 Step 2: ΔG ≤ 10.8 dB
    return std::min(conversion, Real(10.8L));
}

Real AverageYearPercent(Real worstMonthPercent, Real conversionDb)
{
    // ITU-R P.530-17 §2.3.4 Step 3, eq. (24): p = 10^(-ΔG/10) pw. A hop so long that ΔG is negative
    // would make a year worse than its worst month; no share of a year is above 100 %.
    return std::min(TenTo(-conversionDb / 10.0L) * worstMonthPercent, Real(100.0L));
}

std::vector<std::string> MultipathRangeWarnings(const MultipathHop& hop, long double dN1, long double saM)
{
    std::vector<std::string> warnings;
    if (hop.distanceKm < 7.5L || hop.distanceKm > 185.0L) {
        warnings.push_back(Outside("path length", "7.5-185 km"));
    }
    if (hop.frequencyGHz < 0.45L || hop.frequencyGHz > 37.0L) {
        warnings.push_back(Outside("frequency", "0.45-37 GHz"));
    }
    if (hop.inclinationMrad > 37.0L) {
        warnings.push_back(Outside("path inclination", "0-37 mrad"));
    }
    if (hop.lowerAltitudeM < 17.0L || hop.lowerAltitudeM > 2300.0L) {
        warnings.push_back(Outside("lower antenna altitude", "17-2300 m"));
    }
    if (dN1 < -860.0L || dN1 > -150.0L) {
        warnings.push_back(Outside("refractivity gradient dN1", "-860 to -150 N/km"));
    }
    if (saM < 6.0L || saM > 850.0L) {
        warnings.push_back(Outside("terrain roughness sa", "6-850 m"));
    }
    return warnings;
}

} // namespace zandrevio
