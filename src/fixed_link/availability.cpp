#include "fixed_link/availability.h"

#include "numeric/checked_trig.h"
#include "numeric/format.h"
#include "numeric/radio.h"
#include "fixed_link/polarization_tilt.h"
#include "terrain/profile.h"

#include <algorithm>

namespace zandrevio {

using fp::Real;
using Field = AvailabilityField;

namespace {
const FieldSpec<Field> kFields[] = {
    {Field::Distance, FieldKind::Real, "Distance (km)", "distance", "20"},
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "18000"},
    {Field::Polarization,
     FieldKind::Text,
     "Polarization",
     "polarization",
     "horizontal",
     {},
     kPolarizationWords,
     "horizontal|vertical|circular|DEGREES"},
    {Field::RainRate,
     FieldKind::Real,
     "Rain rate R0.01 (mm/h)",
     "rain-rate",
     "42",
     {},
     "the rain rate exceeded for 0.01 % of an average year"},
    {Field::Dn1,
     FieldKind::Real,
     "Refractivity gradient dN1 (N/km)",
     "dn1",
     "-400",
     {},
     "the point refractivity gradient of the lowest 65 m not exceeded for 1 % of an average year"},
    {Field::Sa,
     FieldKind::Real,
     "Terrain roughness sa (m)",
     "sa",
     "20",
     {},
     "the standard deviation of terrain heights within 110 km by 110 km"},
    {Field::Latitude, FieldKind::Real, "Latitude (°)", "latitude", "45", {}, "north or south"},
    {Field::TxAltitude, FieldKind::Real, "Transmitter antenna altitude (m)", "tx-altitude", "0", {}, "above sea level"},
    {Field::RxAltitude, FieldKind::Real, "Receiver antenna altitude (m)", "rx-altitude", "0", {}, "above sea level"},
    {Field::Pressure, FieldKind::Real, "Dry air pressure (hPa)", "pressure", "1013.25"},
    {Field::Temperature, FieldKind::Real, "Temperature (°C)", "temperature", "15"},
    {Field::WaterVapour, FieldKind::Real, "Water vapour density (g/m³)", "water-vapour", "7.5"},
    {Field::FadeMargin, FieldKind::Real, "Fade margin (dB)", "fade-margin", "40"},
    {Field::TargetAvailability,
     FieldKind::Real,
     "Target availability (%)",
     "target-availability",
     "99.999",
     {},
     "of an average year"},
};

// A hop as read and checked: its climate and what the results add to it.
struct ReadHop {
    HopClimate climate;
    long double gasAttenuationDb;
    std::vector<std::string> warnings;
};

Real Degrees(Real radians)
{
    return radians * 180.0L / radio::kPi;
}

void Append(std::vector<std::string>& warnings, std::vector<std::string> more)
{
    warnings.insert(warnings.end(), more.begin(), more.end());
}

// Reads and checks the hop's fields in their order, then works out what
// does not depend on the margin.
Outcome<ReadHop, Field> ReadHopOf(const Inputs<Field>& in)
{
    const long double distance = in.Real(Field::Distance);
    if (!(distance > 0.0L && distance <= kLongestPathKm)) {
        return Refusal<Field>{"Distance must be greater than 0 and at most half a great circle, " +
                                  FormatFull(kLongestPathKm) + " km",
                              Field::Distance};
    }
    const long double frequencyMHz = in.Real(Field::Frequency);
    if (!radio::InRadioSpectrum(frequencyMHz)) {
        return Refusal<Field>{radio::kRadioSpectrumMessage, Field::Frequency};
    }
    const long double tilt = in.Real(Field::Polarization);
    if (!(tilt >= -90.0L && tilt <= 90.0L)) {
        return Refusal<Field>{"Polarization must be " + std::string(kPolarizationWords) + " from -90 to 90",
                              Field::Polarization};
    }
    const long double rainRate = in.Real(Field::RainRate);
    if (!(rainRate >= 0.0L && rainRate <= kMostRainRateMmH)) {
        return Refusal<Field>{kRainRateMessage, Field::RainRate};
    }
    const long double dN1 = in.Real(Field::Dn1);
    const long double sa = in.Real(Field::Sa);
    if (!(sa >= 0.0L)) {
        return Refusal<Field>{"The terrain roughness sa must be 0 m or more", Field::Sa};
    }
    const long double latitude = in.Real(Field::Latitude);
    if (!(latitude >= -90.0L && latitude <= 90.0L)) {
        return Refusal<Field>{"Latitude must be from -90 to 90°", Field::Latitude};
    }
    const long double txAltitude = in.Real(Field::TxAltitude);
    const long double rxAltitude = in.Real(Field::RxAltitude);
    GasConditions air;
    air.dryPressureHpa = in.Real(Field::Pressure);
    if (!(air.dryPressureHpa > 0.0L)) {
        return Refusal<Field>{"The dry air pressure must be greater than 0", Field::Pressure};
    }
    air.temperatureC = in.Real(Field::Temperature);
    if (!(air.temperatureC > -273.15L)) {
        return Refusal<Field>{"The temperature must be above absolute zero, -273.15 °C", Field::Temperature};
    }
    air.waterVapourGm3 = in.Real(Field::WaterVapour);
    if (!(air.waterVapourGm3 >= 0.0L)) {
        return Refusal<Field>{"The water vapour density must be 0 g/m³ or more", Field::WaterVapour};
    }

    const Real frequencyGHz = Real(frequencyMHz) / 1000.0L;
    ReadHop hop{ClimateOfHop(distance, frequencyGHz, tilt, rainRate, dN1, sa, latitude, txAltitude, rxAltitude),
                GasAttenuationOverHop(frequencyGHz, air, distance).Value(),
                RainRangeWarnings(frequencyGHz.Value(), distance)};
    Append(hop.warnings, MultipathRangeWarnings(hop.climate.multipath, dN1, sa));
    Append(hop.warnings, GasRangeWarnings(frequencyGHz.Value()));
    return hop;
}

void WarnOfRainReach(std::vector<std::string>& warnings, RainLawReach reach)
{
    switch (reach) {
    case RainLawReach::Within:
        break;
    case RainLawReach::AboveOnePercent:
        warnings.push_back("rain outage above 1 %, beyond the 0.001-1 % of ITU-R P.530-17's scaling law: "
                           "extrapolated");
        break;
    case RainLawReach::BelowThousandth:
        warnings.push_back("rain outage below 0.001 %, beyond the 0.001-1 % of ITU-R P.530-17's scaling law: "
                           "extrapolated");
        break;
    case RainLawReach::BeyondLaw:
        warnings.push_back("fade margin beyond the largest rain attenuation ITU-R P.530-17's scaling law gives: "
                           "the rain outage at its turning point is reported, an upper bound");
        break;
    }
}

AvailabilityResult ResultAt(ReadHop hop, Real fadeMarginDb)
{
    const OutageParts outage = OutageAt(hop.climate, fadeMarginDb);
    WarnOfRainReach(hop.warnings, outage.rainReach);
    return {hop.gasAttenuationDb,
            hop.climate.rain.specificDbPerKm,
            hop.climate.rain.attenuation001Db,
            outage.rainPercent,
            outage.multipathPercent,
            outage.worstMonthMultipathPercent,
            hop.climate.conversionDb,
            outage.totalPercent,
            (100.0L - Real(outage.totalPercent)).Value(),
            (Real(outage.totalPercent) / 100.0L * kMinutesPerYear).Value(),
            fadeMarginDb.Value(),
            std::move(hop.warnings)};
}
} // namespace

const ResultSpec kAvailabilityResultGasAttenuation{"Gas attenuation", "gas-attenuation", "dB",
                                                   ResultFormat::Hundredths};
const ResultSpec kAvailabilityResultRainOutage{"Rain outage", "rain-outage", "%", ResultFormat::Result};
const ResultSpec kAvailabilityResultMultipathOutage{"Multipath outage", "multipath-outage", "%", ResultFormat::Result};
const ResultSpec kAvailabilityResultWorstMonthMultipath{"Worst-month multipath", "worst-month-multipath", "%",
                                                        ResultFormat::Result};
const ResultSpec kAvailabilityResultWorstMonthToYear{"Month to year ΔG", "worst-month-to-year", "dB",
                                                     ResultFormat::Hundredths};
const ResultSpec kAvailabilityResultRainAttenuation{"Rain attenuation A0.01", "rain-attenuation", "dB",
                                                    ResultFormat::Hundredths};
const ResultSpec kAvailabilityResultOutage{"Outage", "outage", "%", ResultFormat::Result};
const ResultSpec kAvailabilityResultAvailability{"Availability", "availability", "%", ResultFormat::Nines};
const ResultSpec kAvailabilityResultOutageTime{"Outage time", "outage-time", "min/year", ResultFormat::Result};
const ResultSpec kAvailabilityResultFadeMargin{"Fade margin", "fade-margin", "dB", ResultFormat::Hundredths};
namespace {
const ResultSpec kResults[] = {
    kRainResultSpecificAttenuation,      kAvailabilityResultRainAttenuation, kAvailabilityResultGasAttenuation,
    kAvailabilityResultRainOutage,       kAvailabilityResultMultipathOutage, kAvailabilityResultWorstMonthMultipath,
    kAvailabilityResultWorstMonthToYear, kAvailabilityResultOutage,          kAvailabilityResultAvailability,
    kAvailabilityResultOutageTime,       kAvailabilityResultFadeMargin};
} // namespace
const CalculationSpec<Field> kAvailability{"availability", kFields, kResults};

HopClimate ClimateOfHop(Real distanceKm, Real frequencyGHz, Real tiltDeg, Real rainRateMmH, Real dN1, Real saM,
                        Real latitudeDeg, Real txAltitudeM, Real rxAltitudeM)
{
    // The path's elevation, for the rain coefficients' cos²θ.
    const Real elevation = Degrees(fp::Atan2(rxAltitudeM - txAltitudeM, distanceKm * 1000.0L));
    const RainHop rain = RainOverHop(frequencyGHz, rainRateMmH, tiltDeg, elevation, distanceKm);
    const MultipathHop multipath{GeoclimaticFactor(dN1, saM).Value(), distanceKm.Value(), frequencyGHz.Value(),
                                 PathInclinationMrad(txAltitudeM, rxAltitudeM, distanceKm).Value(),
                                 std::min(txAltitudeM, rxAltitudeM).Value()};
    const Real conversion = GeoclimaticConversionDb(latitudeDeg, distanceKm, multipath.inclinationMrad);
    return {rain, multipath, MultipathFadingOf(multipath), conversion.Value()};
}

OutageParts OutageAt(const HopClimate& hop, Real fadeMarginDb)
{
    const RainOutage rain = RainOutageOf(hop.rain.attenuation001Db, hop.rain.scaling, fadeMarginDb);
    const Real worstMonth = WorstMonthFadePercent(hop.fading, fadeMarginDb);
    const Real multipath = AverageYearPercent(worstMonth, hop.conversionDb);
    // The outages of rain and of multipath fall in different weather: they add.
    const Real total = std::min(Real(rain.percent) + multipath, Real(100.0L));
    return {rain.percent, multipath.Value(), worstMonth.Value(), total.Value(), rain.reach};
}

namespace {
// The margin that would leave `outagePercent` if rain or multipath alone
// took it, whichever is larger: rain's Ap solved in closed form, multipath
// by the deep-fading law; a first guess of the search, 0 where neither
// gives one.
Real MarginForAlone(const HopClimate& hop, Real outagePercent)
{
    Real margin = 0.0L;
    if (hop.rain.attenuation001Db > 0.0L && outagePercent < 100.0L) {
        margin = RainAttenuationExceeded(hop.rain.attenuation001Db, hop.rain.scaling, outagePercent);
    }
    // p = 10^(-ΔG/10) p0 10^(-A/10) solved for A.
    const Real multipath = 10.0L * fp::Log10(Real(hop.fading.occurrenceFactor) / outagePercent) - hop.conversionDb;
    return std::max(margin, multipath);
}
} // namespace

MarginSearch FadeMarginForOutage(const HopClimate& hop, Real outagePercent)
{
    int steps = 0;
    // How far the outage at a margin lies above the target, in ln(outage):
    // positive where the margin is too small. It falls as the margin grows.
    const Real lnTarget = fp::Ln(outagePercent);
    const auto excess = [&](Real margin) {
        ++steps;
        const Real outage = OutageAt(hop, margin).totalPercent;
        return outage > 0.0L ? fp::Ln(outage) - lnTarget : Real(-1.0e30L);
    };
    Real high = kMostFadeMarginDb;
    Real highExcess = 0.0L;
    bool highKnown = false; // the outage at the most margin is worked out last, where needed
    Real low = kLeastFadeMarginDb;
    Real lowExcess = 0.0L;
    bool lowKnown = false; // the outage at 0 dB is not worked out: 0 takes no log
    // The margins rain alone and multipath alone would need for the whole
    // outage, and for half of it: the margin sought lies between.
    const Real probes[] = {MarginForAlone(hop, outagePercent), MarginForAlone(hop, outagePercent / 2.0L)};
    int lastSide = 0; // the end the last step moved: -1 low, +1 high
    const Real half = kFadeMarginToleranceDb / 2.0L;
    while (high - low > kFadeMarginToleranceDb && steps < kMostSearchSteps) {
        const int probe = steps;
        Real margin = probe < 2     ? probes[probe]
            : lowKnown && highKnown ? low + (high - low) * lowExcess / (lowExcess - highExcess)
                                    : (low + high) / 2.0L;
        // Within the bracket and half the tolerance off its ends, so that a
        // step beside the margin sought closes it.
        margin = std::clamp(margin, low + half, high - half);
        const Real e = excess(margin);
        if (e > 0.0L) {
            low = margin;
            lowExcess = e;
            lowKnown = true;
            if (lastSide == -1 && highKnown) {
                highExcess = highExcess / 2.0L; // Illinois: the stale end's weight halved
            }
            lastSide = -1;
        } else {
            high = margin;
            highExcess = e;
            highKnown = true;
            if (lastSide == 1 && lowKnown) {
                lowExcess = lowExcess / 2.0L;
            }
            lastSide = 1;
        }
    }
    if (!highKnown && excess(high) > 0.0L) {
        return {false, high.Value(), steps}; // even the most margin leaves more outage
    }
    return {true, high.Value(), steps};
}

Outcome<AvailabilityResult, Field> Availability(const Inputs<Field>& in)
{
    auto hop = ReadHopOf(in);
    if (!hop.Ok()) {
        return hop.Error();
    }
    const long double margin = in.Real(Field::FadeMargin);
    if (!(margin > 0.0L)) {
        return Refusal<Field>{"The fade margin must be greater than 0", Field::FadeMargin};
    }
    return ResultAt(hop.Value(), margin);
}

Outcome<AvailabilityResult, Field> FadeMarginForAvailability(const Inputs<Field>& in)
{
    auto hop = ReadHopOf(in);
    if (!hop.Ok()) {
        return hop.Error();
    }
    const long double target = in.Real(Field::TargetAvailability);
    if (!(target > 0.0L && target < 100.0L)) {
        return Refusal<Field>{"The target availability must be above 0 and below 100 %", Field::TargetAvailability};
    }
    const MarginSearch search = FadeMarginForOutage(hop.Value().climate, 100.0L - Real(target));
    if (!search.reached) {
        return Refusal<Field>{"No fade margin up to " + FormatResult(kMostFadeMarginDb) +
                                  " dB reaches this availability: the rain outage does not fall below " +
                                  FormatResult(OutageAt(hop.Value().climate, kMostFadeMarginDb).totalPercent) + " %",
                              Field::TargetAvailability};
    }
    return ResultAt(hop.Value(), search.fadeMarginDb);
}

} // namespace zandrevio
