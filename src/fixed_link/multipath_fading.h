#pragma once

#include "numeric/real.h"

#include <string>
#include <vector>

// Clear-air multipath fading on a terrestrial hop by ITU-R P.530-17 §2.3:
// the percentage of the average worst month for which a fade depth is
// exceeded (§2.3.2, which for deep fades is the detailed method of §2.3.1)
// and its conversion to the average year (§2.3.4).
namespace zandrevio {

// K from the refractivity gradient dN1 (N-units/km, not exceeded 1 % of
// the year in the lowest 65 m) and the terrain roughness sa (m).
fp::Real GeoclimaticFactor(fp::Real dN1, fp::Real saM);

// |εp| (mrad) from the antenna altitudes above sea level (m) and the
// path's length (km).
fp::Real PathInclinationMrad(fp::Real txAltitudeM, fp::Real rxAltitudeM, fp::Real distanceKm);

// What the fading of a hop follows from.
struct MultipathHop {
    long double geoclimaticFactor; // K
    long double distanceKm;
    long double frequencyGHz;
    long double inclinationMrad; // |εp|
    long double lowerAltitudeM;  // hL, the lower antenna's altitude above sea level
};

// pw (%) of §2.3.1's detailed method, for deep fades:
// K d^3.4 (1 + |εp|)^-1.03 f^0.8 10^(-0.00076 hL - A/10).
fp::Real DeepFadeWorstMonthPercent(const MultipathHop& hop, fp::Real fadeDepthDb);
// p0 (%), the multipath occurrence factor: the same at A = 0.
fp::Real MultipathOccurrenceFactor(const MultipathHop& hop);
// At (dB), where the deep-fading law meets the shallow-fading range.
fp::Real TransitionFadeDepth(fp::Real occurrenceFactor);
// The parts of §2.3.2 that do not depend on the fade depth, worked out
// once for a hop: p0, At, pt and qt.
struct MultipathFading {
    long double occurrenceFactor;  // p0 (%)
    long double transitionDb;      // At
    long double transitionPercent; // pt (%)
    long double transitionShape;   // qt
};
MultipathFading MultipathFadingOf(const MultipathHop& hop);

// pw (%) for any fade depth (§2.3.2): the deep-fading law from At on, the
// interpolation to the shallow range below it. At most 100.
fp::Real WorstMonthFadePercent(const MultipathFading& fading, fp::Real fadeDepthDb);
fp::Real WorstMonthFadePercent(const MultipathHop& hop, fp::Real fadeDepthDb);

// ΔG (dB), the worst month to average year conversion, at a latitude (°,
// north or south); at most 10.8 dB.
fp::Real GeoclimaticConversionDb(fp::Real latitudeDeg, fp::Real distanceKm, fp::Real inclinationMrad);
// p (%) of the average year from pw of the average worst month, at most 100.
fp::Real AverageYearPercent(fp::Real worstMonthPercent, fp::Real conversionDb);

// The warnings of a hop outside the ranges §2.3.1's method was derived
// over: 7.5-185 km, 0.45-37 GHz, |εp| up to 37 mrad, hL 17-2300 m, dN1 -860
// to -150 N/km, sa 6-850 m.
std::vector<std::string> MultipathRangeWarnings(const MultipathHop& hop, long double dN1, long double saM);

} // namespace zandrevio
