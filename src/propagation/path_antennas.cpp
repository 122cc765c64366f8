#include "propagation/path_antennas.h"

#include "numeric/checked_trig.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "numeric/radio.h"
#include "patterns/pattern_entries.h"

#include <cmath>

namespace zandrevio {

namespace {
const ResultSpec kTxPatternGain{"Transmitter's gain toward the path (pattern)", "tx-pattern-gain", "dBi",
                                ResultFormat::Hundredths};
const ResultSpec kTxPatternElevation{"Transmitter's elevation angle of the path", "tx-pattern-elevation", "deg",
                                     ResultFormat::Hundredths};
const ResultSpec kRxPatternGain{"Receiver's gain toward the path (pattern)", "rx-pattern-gain", "dBi",
                                ResultFormat::Hundredths};
const ResultSpec kRxPatternElevation{"Receiver's elevation angle of the path", "rx-pattern-elevation", "deg",
                                     ResultFormat::Hundredths};

constexpr std::string_view kEnds[] = {"tx", "rx"};

// An angle option: a number within +-most degrees.
long double AngleOf(const Request& request, const std::string& option, long double most)
{
    long double angle = 0;
    try {
        angle = ParseReal(request.TextOr(option, ""));
    } catch (...) {
        throw RequestError(option, "'" + std::string(request.TextOr(option, "")) + "' is not a number of degrees");
    }
    if (!(std::fabs(angle) <= most)) {
        throw RequestError(option, "must be an angle from " + FormatFull(-most) + " to " + FormatFull(most) +
                                       " degrees");
    }
    return angle;
}

// The elevation angle from a point toward a height `rise` metres above it
// at `distanceKm`, over an earth of radius `radiusKm`: ITU-R P.452-17
// Attachment 2 to Annex 1, §5.1 (θ = (h_i - h_ts)/d_i - d_i/(2 a_e)), in its
// arctangent form, which holds for steep short paths too.
long double ElevationDeg(long double rise, long double distanceKm, long double radiusKm)
{
    const long double drop = 1000.0L * distanceKm * distanceKm / (2.0L * radiusKm); // the earth's bulge, m
    return fp::Atan2(rise - drop, 1000.0L * distanceKm) * 180.0L / radio::kPi;
}
} // namespace

const std::vector<OptionSpec>& LinkAntennaOptions()
{
    static const std::vector<OptionSpec> options = {
        {"tx-pattern", "Transmitter's pattern file", FieldKind::Text, "", {},
         "an MSI or NSMA file: its gain toward the path replaces --tx-gain", "FILE"},
        {"tx-azimuth", "Transmitter's antenna azimuth (deg)", FieldKind::Real, "", {},
         "the bearing of its boresight; pointed at the receiver where not given", {}, {}, {}, false, true},
        {"tx-downtilt", "Transmitter's mechanical downtilt (deg)", FieldKind::Real, "0", {}, "down positive", {}, {},
         {}, false, true},
        {"rx-pattern", "Receiver's pattern file", FieldKind::Text, "", {},
         "an MSI or NSMA file: its gain toward the path replaces --rx-gain", "FILE"},
        {"rx-azimuth", "Receiver's antenna azimuth (deg)", FieldKind::Real, "", {},
         "the bearing of its boresight; pointed at the transmitter where not given", {}, {}, {}, false, true},
        {"rx-downtilt", "Receiver's mechanical downtilt (deg)", FieldKind::Real, "0", {}, "down positive", {}, {},
         {}, false, true},
    };
    return options;
}

Outcome<LinkAntennas, std::string_view> LinkAntennasOf(const Request& request)
{
    LinkAntennas antennas;
    for (const std::string_view end : kEnds) {
        const std::string prefix(end);
        const std::string patternOption = prefix + "-pattern";
        if (!request.Has(patternOption)) {
            for (const char* own : {"-azimuth", "-downtilt"}) {
                if (request.Has(prefix + own)) {
                    throw RequestError(prefix + own, "belongs to an antenna's pattern: give --" + patternOption);
                }
            }
            continue;
        }
        if (request.Has(prefix + "-gain")) {
            throw RequestError(patternOption, "gives the gain: give --" + prefix + "-gain or --" + patternOption +
                                                  ", not both");
        }
        // The option's own name, as the registry holds it, for the refusal.
        const std::string_view option = end == "tx" ? LinkAntennaOptions()[0].name : LinkAntennaOptions()[3].name;
        auto read = PatternOf(option, std::string(request.TextOr(patternOption, "")));
        if (!read.Ok()) {
            return read.Error();
        }
        LinkAntenna antenna{read.Value(), std::nullopt, 0.0L};
        if (request.Has(prefix + "-azimuth")) {
            antenna.azimuthDeg = AngleOf(request, prefix + "-azimuth", 360.0L);
        }
        if (request.Has(prefix + "-downtilt")) {
            antenna.downtiltDeg = AngleOf(request, prefix + "-downtilt", 90.0L);
        }
        (end == "tx" ? antennas.tx : antennas.rx) = std::move(antenna);
    }
    return antennas;
}

EndElevations ElevationsAlong(const TerrainProfile& profile, long double txAltitudeM, long double rxAltitudeM,
                              long double effectiveRadiusKm)
{
    const std::vector<ProfilePoint>& points = profile.points;
    const long double length = profile.LengthKm();
    EndElevations elevations;
    elevations.txDeg = ElevationDeg(rxAltitudeM - txAltitudeM, length, effectiveRadiusKm);
    elevations.rxDeg = ElevationDeg(txAltitudeM - rxAltitudeM, length, effectiveRadiusKm);
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        const long double fromTx = points[i].distanceKm;
        const long double fromRx = length - fromTx;
        if (fromTx > 0.0L) {
            const long double toPoint = ElevationDeg(points[i].heightM - txAltitudeM, fromTx, effectiveRadiusKm);
            if (toPoint > elevations.txDeg) {
                elevations.txDeg = toPoint;
                elevations.txBlocked = true;
            }
        }
        if (fromRx > 0.0L) {
            const long double toPoint = ElevationDeg(points[i].heightM - rxAltitudeM, fromRx, effectiveRadiusKm);
            if (toPoint > elevations.rxDeg) {
                elevations.rxDeg = toPoint;
                elevations.rxBlocked = true;
            }
        }
    }
    return elevations;
}

long double ItmEarthRadiusKm(long double surfaceRefractivity)
{
    // ITM 1.2.2, qlrps: gme = gma (1 - 0.04665 exp(ns / 179.3)), gma = 157e-9 per metre
    return 1.0L / (157.0e-9L * (1.0L - 0.04665L * std::exp(surfaceRefractivity / 179.3L))) / 1000.0L;
}

LinkGains GainsAlong(const LinkAntennas& antennas, long double bearingDeg, long double reverseBearingDeg,
                     const EndElevations& elevations)
{
    LinkGains gains;
    const auto gainOf = [&gains](const LinkAntenna& antenna, long double bearing, long double elevation, bool blocked,
                                 const char* who) {
        const AntennaMounting mounting{antenna.azimuthDeg.value_or(bearing), antenna.downtiltDeg};
        if (blocked) {
            gains.warnings.push_back(std::string("The terrain blocks the ") + who +
                                     "'s view of the other end: its pattern is read toward its horizon, at " +
                                     FormatResultHundredths(elevation) + " degrees");
        }
        return EndGain{GainToward(*antenna.pattern, mounting, bearing, elevation), bearing, elevation, blocked};
    };
    if (antennas.tx) {
        gains.tx = gainOf(*antennas.tx, bearingDeg, elevations.txDeg, elevations.txBlocked, "transmitter");
    }
    if (antennas.rx) {
        gains.rx = gainOf(*antennas.rx, reverseBearingDeg, elevations.rxDeg, elevations.rxBlocked, "receiver");
    }
    return gains;
}

std::vector<ResultValue> LinkGainValues(const LinkGains& gains)
{
    std::vector<ResultValue> values;
    const auto add = [&values](const ResultSpec& spec, long double value) {
        values.push_back({&spec, value, {}, spec.unit, spec.format});
    };
    if (gains.tx) {
        add(kTxPatternGain, gains.tx->gainDbi);
        add(kTxPatternElevation, gains.tx->elevationDeg);
    }
    if (gains.rx) {
        add(kRxPatternGain, gains.rx->gainDbi);
        add(kRxPatternElevation, gains.rx->elevationDeg);
    }
    return values;
}

std::vector<const ResultSpec*> LinkGainResults()
{
    return {&kTxPatternGain, &kTxPatternElevation, &kRxPatternGain, &kRxPatternElevation};
}

} // namespace zandrevio
