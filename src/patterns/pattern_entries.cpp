#include "patterns/pattern_entries.h"

#include "calculation/request.h"
#include "numeric/format.h"
#include "patterns/pattern_gain.h"

#include <cmath>
#include <filesystem>
#include <map>
#include <mutex>

namespace zandrevio {

namespace {

enum class PatternField { File, Bearing, Elevation, Azimuth, Downtilt };
const FieldSpec<PatternField> kPatternFields[] = {
    {PatternField::File, FieldKind::Text, "Pattern file", "pattern", "", {},
     "an MSI (Planet) or NSMA pattern file", "FILE"},
    {PatternField::Bearing, FieldKind::Real, "Bearing (deg)", "bearing", "0", {},
     "of the direction, clockwise from north", {}, true},
    {PatternField::Elevation, FieldKind::Real, "Elevation (deg)", "elevation", "0", {},
     "of the direction, up positive", {}, true},
    {PatternField::Azimuth, FieldKind::Real, "Azimuth (deg)", "azimuth", "0", {},
     "the antenna's: the bearing its boresight points to", {}, true},
    {PatternField::Downtilt, FieldKind::Real, "Downtilt (deg)", "downtilt", "0", {},
     "mechanical, down positive; the file's electrical tilt is already in its vertical cut", {}, true},
};
const CalculationSpec<PatternField> kPattern{"pattern", kPatternFields, {}};

const ResultSpec kPatternGain{"Gain toward it", "gain", "dBi", ResultFormat::Hundredths};
const ResultSpec kPatternAttenuation{"Below the main beam", "attenuation", "dB", ResultFormat::Hundredths};
const ResultSpec kPatternMaxGain{"Main beam gain", "max-gain", "dBi", ResultFormat::Hundredths};
const ResultSpec kPatternHorizontalWidth{"H beamwidth (3 dB)", "horizontal-beamwidth", "deg",
                                         ResultFormat::Hundredths};
const ResultSpec kPatternVerticalWidth{"V beamwidth (3 dB)", "vertical-beamwidth", "deg",
                                       ResultFormat::Hundredths};
const ResultSpec kPatternFrontToBack{"Front-to-back", "front-to-back", "dB", ResultFormat::Hundredths};
const ResultSpec kPatternTilt{"Electrical tilt", "electrical-tilt", "deg",
                              ResultFormat::Hundredths};

ResultValue Number(const ResultSpec& spec, long double value)
{
    return {&spec, value, {}, spec.unit, spec.format};
}

// An angle given in degrees: finite, and no more than a few turns.
long double AngleOf(const Inputs<PatternField>& in, PatternField field, std::string_view option, long double most)
{
    const long double angle = in.Real(field);
    if (!(std::fabs(angle) <= most)) {
        throw RequestError(option, "must be an angle from " + FormatFull(-most) + " to " + FormatFull(most) +
                                       " degrees");
    }
    return angle;
}

Reply RunPattern(const Request& request, const std::vector<std::string_view>&)
{
    const Inputs<PatternField> in = InputsFrom(request, kPattern);
    Reply reply;
    const auto read = PatternOf("pattern", std::string(request.TextOr("pattern", "")));
    if (!read.Ok()) {
        reply.error = read.Error().message;
        reply.errorOption = read.Error().field;
        return reply;
    }
    const std::shared_ptr<const AntennaPattern>& pattern = read.Value();
    const AntennaMounting mounting{AngleOf(in, PatternField::Azimuth, "azimuth", 360.0L),
                                   AngleOf(in, PatternField::Downtilt, "downtilt", 90.0L)};
    const long double bearing = AngleOf(in, PatternField::Bearing, "bearing", 360.0L);
    const long double elevation = AngleOf(in, PatternField::Elevation, "elevation", 90.0L);
    const long double gain = GainToward(*pattern, mounting, bearing, elevation);
    const PatternFigures figures = FiguresOf(*pattern);
    reply.results = {Number(kPatternGain, gain),
                     Number(kPatternAttenuation, pattern->gainDbi - gain),
                     Number(kPatternMaxGain, figures.gainDbi),
                     Number(kPatternHorizontalWidth, figures.horizontalBeamwidthDeg),
                     Number(kPatternVerticalWidth, figures.verticalBeamwidthDeg),
                     Number(kPatternFrontToBack, figures.frontToBackDb),
                     Number(kPatternTilt, figures.electricalTiltDeg)};
    reply.warnings = figures.warnings;
    return reply;
}

} // namespace

Outcome<std::shared_ptr<const AntennaPattern>, std::string_view> PatternOf(std::string_view option,
                                                                           const std::string& file)
{
    // Kept by name, size and time of change: a file rewritten is read again.
    struct Kept {
        std::uintmax_t size;
        std::filesystem::file_time_type changed;
        std::shared_ptr<const AntennaPattern> pattern;
    };
    static std::mutex lock;
    static std::map<std::string, Kept> kept;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    const std::filesystem::file_time_type changed = std::filesystem::last_write_time(file, error);
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = kept.find(file);
        if (!error && found != kept.end() && found->second.size == size && found->second.changed == changed) {
            return std::shared_ptr<const AntennaPattern>(found->second.pattern);
        }
    }
    PatternRead read = LoadPattern(file);
    if (const PatternFault* fault = std::get_if<PatternFault>(&read)) {
        // Named whatever the fault: a link may have two pattern files.
        return Refusal<std::string_view>{"The pattern " + file + (fault->line == 0 && fault->field.empty() ? ": " : ", ") +
                                             fault->Text(),
                                         option};
    }
    auto pattern = std::make_shared<const AntennaPattern>(std::move(std::get<AntennaPattern>(read)));
    const std::lock_guard<std::mutex> hold(lock);
    if (!error) {
        if (kept.size() >= 64) {
            kept.clear(); // a batch of many files: keep the latest few
        }
        kept[file] = {size, changed, pattern};
    }
    return std::shared_ptr<const AntennaPattern>(pattern);
}

Calculation PatternCalculation()
{
    Variant variant;
    variant.options = OptionsOf(kPattern);
    variant.results = {&kPatternGain,           &kPatternAttenuation, &kPatternMaxGain, &kPatternHorizontalWidth,
                       &kPatternVerticalWidth,  &kPatternFrontToBack, &kPatternTilt};
    variant.needs = {"pattern"};
    variant.run = RunPattern;
    Calculation pattern;
    pattern.variants = {std::move(variant)};
    return pattern;
}

} // namespace zandrevio
