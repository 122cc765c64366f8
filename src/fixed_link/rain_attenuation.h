#pragma once

#include "calculation/calculation.h"
#include "numeric/real.h"

#include <string>
#include <vector>

// Attenuation by rain on a terrestrial hop: the specific attenuation of
// ITU-R P.838-3 and the path's attenuation exceeded for a percentage of the
// year by ITU-R P.530-17 §2.4.1, and its inverse, the percentage of the year
// for which rain takes a given fade margin.
namespace zandrevio {

// The most rain a hop's R0.01 can be: ITU-R P.837's maps of the rate
// exceeded for 0.01 % of the year stay below 250 mm/h, and no rain gauge has
// measured 1000 mm/h for the 53 minutes that 0.01 % of a year is.
inline constexpr long double kMostRainRateMmH = 1000.0L;
inline constexpr const char* kRainRateMessage = "The rain rate R0.01 must be from 0 to 1000 mm/h";

// γR = k R^α (dB/km, R in mm/h).
struct RainCoefficients {
    long double k;
    long double alpha;
};

// The coefficients of horizontal and of vertical polarization at a
// frequency (GHz): P.838-3's fits, 1-1000 GHz.
RainCoefficients HorizontalRainCoefficients(fp::Real frequencyGHz);
RainCoefficients VerticalRainCoefficients(fp::Real frequencyGHz);
// The coefficients of a wave tilted τ from the horizontal (45° circular) on
// a path at elevation θ (degrees).
RainCoefficients RainCoefficientsOf(fp::Real frequencyGHz, fp::Real tiltDeg, fp::Real elevationDeg);
// γR in dB/km.
fp::Real RainSpecificAttenuation(const RainCoefficients& coefficients, fp::Real rainRateMmH);

// P.530-17's distance factor r, at most 2.5.
fp::Real RainDistanceFactor(fp::Real distanceKm, fp::Real rainRateMmH, fp::Real alpha, fp::Real frequencyGHz);

// Ap / A0.01 = C1 p^-(C2 + C3 log10 p), its constants at a frequency.
struct RainScaling {
    long double c1;
    long double c2;
    long double c3;
};
RainScaling RainScalingAt(fp::Real frequencyGHz);

// The scaling law holds for 0.001-1 % of the time.
inline constexpr long double kRainLeastPercent = 0.001L;
inline constexpr long double kRainMostPercent = 1.0L;

// Ap (dB) from A0.01, for p % of the time.
fp::Real RainAttenuationExceeded(fp::Real attenuation001Db, const RainScaling& scaling, fp::Real percent);

// Where the percentage of a fade margin fell on the scaling law.
enum class RainLawReach {
    Within,          // 0.001-1 %
    AboveOnePercent, // the law extended past 1 %
    BelowThousandth, // the law extended below 0.001 %, where it still falls
    // The margin beyond the most the law gives at its turning point: the
    // percentage of that point, an upper bound.
    BeyondLaw,
};

struct RainOutage {
    long double percent;
    RainLawReach reach;
};

// The percentage of the time (at most 100) for which rain takes more than
// `marginDb`: the scaling law solved for p in closed form.
RainOutage RainOutageOf(fp::Real attenuation001Db, const RainScaling& scaling, fp::Real marginDb);

// Rain over one hop, everything the percentages follow from.
struct RainHop {
    RainCoefficients coefficients;
    long double specificDbPerKm;
    long double distanceFactor;
    long double attenuation001Db;
    RainScaling scaling;
};
RainHop RainOverHop(fp::Real frequencyGHz, fp::Real rainRateMmH, fp::Real tiltDeg, fp::Real elevationDeg,
                    fp::Real distanceKm);

// The warnings of a hop outside the tested ranges: P.838-3 1-1000 GHz,
// P.530-17's rain method up to 100 GHz and 60 km.
std::vector<std::string> RainRangeWarnings(long double frequencyGHz, long double distanceKm);

// The rain calculation: the polarization is a text field (horizontal,
// vertical, circular or a tilt in degrees) read as its tilt in degrees, see
// PolarizationInput; the frequency in MHz, as everywhere in the program.
enum class RainAttenuationField { RainRate, Frequency, Polarization, Distance, Percent };
extern const CalculationSpec<RainAttenuationField> kRainAttenuation;
extern const ResultSpec kRainResultSpecificAttenuation;
extern const ResultSpec kRainResultAttenuation;

struct RainAttenuationResult {
    long double specificDbPerKm;
    long double attenuationDb; // exceeded for the percentage of time given
    std::vector<std::string> warnings;
};

// Refused: a rain rate below 0, a frequency or distance not above 0, a
// polarization not understood, a percentage outside 0.001-1 %.
Outcome<RainAttenuationResult, RainAttenuationField> RainAttenuation(const Inputs<RainAttenuationField>& in);

} // namespace zandrevio
