#pragma once

#include "calculation/calculation.h"
#include "numeric/real.h"
#include "fixed_link/gaseous_attenuation.h"
#include "fixed_link/multipath_fading.h"
#include "fixed_link/rain_attenuation.h"

#include <string>
#include <vector>

// The availability of a fixed link: the percentages of the average year for
// which rain (ITU-R P.530-17 §2.4.1) and clear-air multipath (§2.3) take
// more than the fade margin, their sum the outage, and the inverse, the
// fade margin a target availability needs. The gases' attenuation (ITU-R
// P.676-13) is reported beside, for the budget: it is steady, so it is not
// taken off the margin here.
namespace zandrevio {

// The polarization is a text field (horizontal, vertical, circular or a
// tilt in degrees) that the calculation reads as its tilt in degrees: see
// PolarizationInput. FadeMargin is read by Availability, TargetAvailability
// by FadeMarginForAvailability.
enum class AvailabilityField {
    Distance,
    Frequency,
    Polarization,
    RainRate,
    Dn1,
    Sa,
    Latitude,
    TxAltitude,
    RxAltitude,
    Pressure,
    Temperature,
    WaterVapour,
    FadeMargin,
    TargetAvailability,
};

extern const CalculationSpec<AvailabilityField> kAvailability;
extern const ResultSpec kAvailabilityResultRainAttenuation;
extern const ResultSpec kAvailabilityResultGasAttenuation;
extern const ResultSpec kAvailabilityResultRainOutage;
extern const ResultSpec kAvailabilityResultMultipathOutage;
extern const ResultSpec kAvailabilityResultWorstMonthMultipath;
extern const ResultSpec kAvailabilityResultWorstMonthToYear;
extern const ResultSpec kAvailabilityResultOutage;
extern const ResultSpec kAvailabilityResultAvailability;
extern const ResultSpec kAvailabilityResultOutageTime;
extern const ResultSpec kAvailabilityResultFadeMargin;

// Everything about a hop that does not depend on its fade margin, worked
// out once: a table over margins or targets reuses it.
struct HopClimate {
    RainHop rain;
    MultipathHop multipath;
    MultipathFading fading;
    long double conversionDb; // ΔG, worst month to average year
};

// The outage of a hop at one fade margin, in % of the average year.
struct OutageParts {
    long double rainPercent;
    long double multipathPercent;
    long double worstMonthMultipathPercent; // pw, before the conversion to the year
    long double totalPercent;               // their sum, at most 100
    RainLawReach rainReach;
};

// The climate of a hop of `distanceKm` at `frequencyGHz`, a wave tilted
// `tiltDeg`, between antennas at the altitudes given (m above sea level),
// the inputs already checked.
HopClimate ClimateOfHop(fp::Real distanceKm, fp::Real frequencyGHz, fp::Real tiltDeg, fp::Real rainRateMmH,
                        fp::Real dN1, fp::Real saM, fp::Real latitudeDeg, fp::Real txAltitudeM, fp::Real rxAltitudeM);

OutageParts OutageAt(const HopClimate& hop, fp::Real fadeMarginDb);

// The fade margins the inverse searches between, and how close it comes.
inline constexpr long double kLeastFadeMarginDb = 0.0L;
inline constexpr long double kMostFadeMarginDb = 300.0L;
inline constexpr long double kFadeMarginToleranceDb = 1.0e-6L;

// The least fade margin (within kFadeMarginToleranceDb above it) whose
// outage is at most `outagePercent`: a bracket between 0 and
// kMostFadeMarginDb dB narrowed from the margins each outage alone would
// need, then by regula falsi (the Illinois variant) on the logarithm of the
// outage, at most kMostSearchSteps steps; nothing when even the most
// margin leaves more outage.
inline constexpr int kMostSearchSteps = 100;
struct MarginSearch {
    bool reached;
    long double fadeMarginDb;
    int steps; // the outages worked out
};
MarginSearch FadeMarginForOutage(const HopClimate& hop, fp::Real outagePercent);

inline constexpr long double kMinutesPerYear = 365.25L * 24.0L * 60.0L;

struct AvailabilityResult {
    long double gasAttenuationDb;
    long double rainSpecificDbPerKm;
    long double rainAttenuation001Db;
    long double rainOutagePercent;
    long double multipathOutagePercent;
    long double worstMonthMultipathPercent; // pw of the average worst month
    long double worstMonthToYearDb;         // ΔG
    long double outagePercent;
    long double availabilityPercent;
    long double outageMinutesPerYear;
    long double fadeMarginDb; // the margin given, or the one found
    std::vector<std::string> warnings;
};

// The outage at the fade margin given. Refused: a distance or frequency not
// above 0, a polarization not understood, a rain rate below 0, sa below 0, a
// latitude beyond ±90°, a pressure not above 0, a temperature at or below
// absolute zero, water vapour below 0, a fade margin not above 0.
Outcome<AvailabilityResult, AvailabilityField> Availability(const Inputs<AvailabilityField>& in);

// The fade margin for a target availability (% of the average year, above
// 0 and below 100), within kFadeMarginToleranceDb; refused, besides the
// refusals above, where no margin up to kMostFadeMarginDb reaches it.
Outcome<AvailabilityResult, AvailabilityField> FadeMarginForAvailability(const Inputs<AvailabilityField>& in);

} // namespace zandrevio
