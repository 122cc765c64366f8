#include "propagation/budget_patterns.h"

#include "calculation/request.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "numeric/radio.h"
#include "patterns/pattern_entries.h"
#include "propagation/cell_range.h"
#include "propagation/link_budget.h"
#include "propagation/path_antennas.h"

#include <cmath>
#include <cstdio>

namespace zandrevio {

namespace {
const ResultSpec kBsPatternGain{"BS gain toward the mobile (pattern)", "bs-pattern-gain", "dBi",
                                ResultFormat::Hundredths};
const ResultSpec kBsPatternElevation{"Elevation of the mobile from the BS", "bs-pattern-elevation", "deg",
                                     ResultFormat::Hundredths};

// The cell's edge is searched this finely before it is halved to the millimetre.
constexpr int kEdgeSamples = 2000;

struct BsAntenna {
    std::shared_ptr<const AntennaPattern> pattern;
    long double downtiltDeg = 0;
    long double msAzimuthDeg = 0;

    // The gain toward a mobile `km` away, and the elevation it lies at.
    long double GainAt(long double km, long double bsHeightM, long double msHeightM, long double& elevationDeg) const
    {
        const TerrainProfile flat{{{0.0L, 0.0L}, {km, 0.0L}}};
        elevationDeg = ElevationsAlong(flat, bsHeightM, msHeightM, 4.0L / 3.0L * radio::kEarthRadiusKm).txDeg;
        return GainToward(*pattern, {0.0L, downtiltDeg}, msAzimuthDeg, elevationDeg);
    }
};

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

// The antenna a request gives, or none; a file at fault is the reply's refusal.
std::optional<BsAntenna> BsAntennaOf(const Request& request, Reply& refusal)
{
    if (!request.Has("bs-pattern")) {
        for (const char* own : {"bs-downtilt", "ms-azimuth"}) {
            if (request.Has(own)) {
                throw RequestError(own, "belongs to the BS antenna's pattern: give --bs-pattern");
            }
        }
        return std::nullopt;
    }
    if (request.Has("bs-gain")) {
        throw RequestError("bs-pattern", "gives the BS gain: give --bs-gain or --bs-pattern, not both");
    }
    const auto read = PatternOf(BsPatternOptions().front().name, std::string(request.TextOr("bs-pattern", "")));
    if (!read.Ok()) {
        refusal.error = read.Error().message;
        refusal.errorOption = read.Error().field;
        return std::nullopt;
    }
    BsAntenna antenna{read.Value()};
    if (request.Has("bs-downtilt")) {
        antenna.downtiltDeg = AngleOf(request, "bs-downtilt", 90.0L);
    }
    if (request.Has("ms-azimuth")) {
        antenna.msAzimuthDeg = AngleOf(request, "ms-azimuth", 360.0L);
    }
    return antenna;
}

// The request with the BS gain given exactly, in dBi.
Request WithBsGain(Request request, long double gainDbi, bool withUnit)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg", gainDbi);
    request.Replace("bs-gain", gainDbi, text);
    if (withUnit) {
        request.Replace("bs-gain-unit", 1.0L, "dBi");
    }
    return request;
}

void AddGain(Reply& reply, long double gainDbi, long double elevationDeg)
{
    reply.results.push_back({&kBsPatternGain, gainDbi, {}, kBsPatternGain.unit, kBsPatternGain.format});
    reply.results.push_back(
        {&kBsPatternElevation, elevationDeg, {}, kBsPatternElevation.unit, kBsPatternElevation.format});
}

long double ResultNamed(const Reply& reply, std::string_view name)
{
    for (const ResultValue& value : reply.results) {
        if (value.spec != nullptr && value.spec->name == name) {
            return value.value;
        }
    }
    return 0.0L;
}
} // namespace

const std::vector<OptionSpec>& BsPatternOptions()
{
    static const std::vector<OptionSpec> options = {
        {"bs-pattern", "BS pattern file", FieldKind::Text, "", {},
         "an MSI or NSMA file: its gain toward the mobile replaces --bs-gain", "FILE"},
        {"bs-downtilt", "BS mechanical downtilt (deg)", FieldKind::Real, "0", {}, "down positive", {}, {}, {}, false,
         true},
        {"ms-azimuth", "Mobile off the BS boresight (deg)", FieldKind::Real, "0", {},
         "clockwise, 0 on boresight", {}, {}, {}, false, true},
    };
    return options;
}

const ResultSpec& BsPatternGainResult()
{
    return kBsPatternGain;
}
const ResultSpec& BsPatternElevationResult()
{
    return kBsPatternElevation;
}

Reply RunLinkBudgetWithPattern(const Variant& plain, const Request& request, const std::vector<std::string_view>& skip)
{
    Reply refusal;
    const std::optional<BsAntenna> antenna = BsAntennaOf(request, refusal);
    if (!antenna) {
        return refusal.Failed() ? refusal : plain.run(request, skip);
    }
    // The budget at 0 dBi checks every field first.
    Reply checked = plain.run(WithBsGain(request, 0.0L, true), skip);
    if (checked.Failed()) {
        return checked;
    }
    const Inputs<LinkField> in = InputsFrom(request, kLinkBudget);
    long double km = in.Real(LinkField::Distance);
    km = in.Choice<DistanceUnit>(LinkField::DistanceUnit) == DistanceUnit::Mile ? km * radio::kKmPerMile : km;
    long double heights[2] = {};
    for (int i = 0; i < 2; ++i) {
        const LinkField field = i == 0 ? LinkField::BsHeight : LinkField::MsHeight;
        const LinkField unit = i == 0 ? LinkField::BsHeightUnit : LinkField::MsHeightUnit;
        try {
            heights[i] = radio::LengthInMetres(in.Real(field), in.Choice<radio::ShortLengthUnit>(unit)).Value();
        } catch (...) {
            refusal.error = "The pattern's elevation angle needs both heights";
            refusal.errorOption = SpecOf(kLinkBudget, field).option;
            return refusal;
        }
    }
    long double elevation = 0;
    const long double gain = antenna->GainAt(km, heights[0], heights[1], elevation);
    Reply reply = plain.run(WithBsGain(request, gain, true), skip);
    if (!reply.Failed()) {
        AddGain(reply, gain, elevation);
    }
    return reply;
}

Reply RunCellRangeWithPattern(const Variant& plain, const Request& request, const std::vector<std::string_view>& skip)
{
    Reply refusal;
    const std::optional<BsAntenna> antenna = BsAntennaOf(request, refusal);
    if (!antenna) {
        return refusal.Failed() ? refusal : plain.run(request, skip);
    }
    if (request.Has("max-path-loss")) {
        throw RequestError("bs-pattern", "the pattern's gain enters the budget: give the budget's options, not "
                                         "--max-path-loss");
    }
    // No edge lies beyond the range at the main beam's gain.
    const long double peak = antenna->pattern->gainDbi;
    Reply widest = plain.run(WithBsGain(request, peak, false), skip);
    if (widest.Failed()) {
        return widest;
    }
    const long double farthest = ResultNamed(widest, kCellRadiusResult.name);
    // The level at a distance with the pattern's gain toward it, against the sensitivity.
    const Request zero = WithBsGain(request, 0.0L, false);
    const Inputs<CellRangeField> in = InputsFrom(zero, kCellRangeOfBudget);
    const long double sensitivity = in.Real(CellRangeField::Sensitivity);
    const long double bsHeight = in.Real(CellRangeField::BsHeight);
    const long double msHeight = in.Real(CellRangeField::MsHeight);
    const auto reaches = [&](long double km) {
        long double elevation = 0;
        const long double level = ReceivedLevels(in, km, 1).front().levelDbm + antenna->GainAt(km, bsHeight, msHeight,
                                                                                                  elevation);
        return level >= sensitivity;
    };
    // The farthest sample that reaches, then the edge between it and the next, halved to a millimetre.
    int last = kEdgeSamples;
    while (last > 0 && !reaches(farthest * last / kEdgeSamples)) {
        --last;
    }
    if (last == 0) {
        refusal.error = "The pattern's gain toward the mobile leaves no distance up to " +
            FormatResultHundredths(farthest) + " km at which the level reaches the sensitivity";
        refusal.errorOption = "bs-pattern";
        return refusal;
    }
    long double near = farthest * last / kEdgeSamples;
    long double far = farthest * (last + 1) / kEdgeSamples;
    if (last < kEdgeSamples) {
        while (far - near >= 1.0e-6L) {
            const long double middle = 0.5L * (near + far);
            (reaches(middle) ? near : far) = middle;
        }
    }
    long double elevation = 0;
    const long double gain = antenna->GainAt(near, bsHeight, msHeight, elevation);
    Reply reply = plain.run(WithBsGain(request, gain, false), skip);
    if (!reply.Failed()) {
        AddGain(reply, gain, elevation);
    }
    return reply;
}

} // namespace zandrevio
