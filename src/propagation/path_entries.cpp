#include "propagation/path_entries.h"

#include "fixed_link/availability_entries.h"
#include "itm/itm_entries.h"
#include "propagation/path_analysis.h"
#include "propagation/path_link.h"
#include "propagation/path_model.h"
#include "propagation/path_source_options.h"
#include "fixed_link/rain_attenuation.h"
#include "terrain/path_source.h"
#include "terrain/profile_csv.h"

#include <algorithm>
#include <iterator>

namespace zandrevio {

namespace {
// The budget's options: given together with --power, each one not given
// left out (a gain or loss counts 0, without a sensitivity no fade margin).
constexpr std::string_view kBudget[] = {"power",          "tx-gain",        "rx-gain",
                                        "tx-feeder-loss", "rx-feeder-loss", "sensitivity"};

// Longley-Rice's own options, which --model itm reads: its frequency, antenna
// heights and polarization are the link's, and a path has no area mode.
constexpr std::string_view kItmShared[] = {"frequency",            "tx-height", "rx-height", "polarization", "distance",
                                           "terrain-irregularity", "tx-siting", "rx-siting"};
// The hop's own options, which --availability yes reads: the link gives the
// rest, and its budget the fade margin.
constexpr std::string_view kHopShared[] = {"distance",    "frequency",   "polarization",       "tx-altitude",
                                           "rx-altitude", "fade-margin", "target-availability"};

enum class Asked { No = 0, Yes = 1 };
constexpr Choice kYesNo[] = {{"no", "no"}, {"yes", "yes"}};

bool Among(std::span<const std::string_view> options, std::string_view option)
{
    return std::find(options.begin(), options.end(), option) != options.end();
}

// The options of a part of the path that only its switch reads: given
// without it, each is a slip.
std::vector<std::string_view> OwnOptions(const std::vector<OptionSpec>& all, std::span<const std::string_view> shared)
{
    std::vector<std::string_view> own;
    for (const OptionSpec& option : all) {
        if (!Among(shared, option.name)) {
            own.push_back(option.name);
        }
    }
    return own;
}

const std::vector<std::string_view>& ItmOwnOptions()
{
    static const std::vector<std::string_view> own = OwnOptions(OptionsOf(kItm), kItmShared);
    return own;
}
const std::vector<std::string_view>& HopOwnOptions()
{
    static const std::vector<std::string_view> own = OwnOptions(OptionsOf(kAvailability), kHopShared);
    return own;
}

ResultValue Number(const ResultSpec& spec, long double value)
{
    return {&spec, value, {}, spec.unit, spec.format};
}

ResultValue YesNo(const ResultSpec& spec, bool yes)
{
    return {&spec, yes ? 1.0L : 0.0L, yes ? "yes" : "no", spec.unit, ResultFormat::Text};
}

// The results of a path as every face writes them: the link's, then
// Longley-Rice's range and parts or delta-Bullington's, then the hop's.
std::vector<ResultValue> ResultsOf(const PathAnalysis& analysis)
{
    const PathResult& path = analysis.link;
    std::vector<ResultValue> results{Number(kPathResultDistance, path.distanceKm)};
    if (analysis.loaded.dem) {
        results.push_back(Number(kPathResultBearing, analysis.loaded.dem->bearingDeg));
        results.push_back(Number(kPathResultReverseBearing, analysis.loaded.dem->reverseBearingDeg));
    }
    results.push_back(YesNo(kPathResultLineOfSight, path.lineOfSight));
    results.push_back(Number(kPathResultClearance, path.clearance));
    results.push_back(Number(kPathResultWorstPoint, path.worstPointKm));
    results.push_back(YesNo(kPathResultFresnel60, path.fresnel60));
    // Longley-Rice gives its own free-space loss among its parts; the split
    // into free space and diffraction is delta-Bullington's.
    if (!analysis.itm) {
        results.push_back(Number(kPathResultFreeSpaceLoss, path.freeSpaceLossDb));
        results.push_back(Number(kPathResultDiffractionLoss, path.diffractionLossDb));
    }
    results.push_back(Number(kPathResultLoss, path.pathLossDb));
    if (path.receivedPowerDbm) {
        results.push_back(Number(kPathResultReceivedPower, *path.receivedPowerDbm));
    }
    if (path.fadeMarginDb) {
        results.push_back(Number(kPathResultFadeMargin, *path.fadeMarginDb));
    }
    if (analysis.itm) {
        results.push_back({&kItmResultMode, 0.0L, std::string(ItmModeWord(analysis.itm->mode)), "",
                           ResultFormat::Text});
    }
    for (ResultValue& part : analysis.itm ? ItmPartValues(*analysis.itm) : PathPartValues(path)) {
        results.push_back(std::move(part));
    }
    if (analysis.availability) {
        for (ResultValue& part : HopValues(*analysis.availability)) {
            results.push_back(std::move(part));
        }
    }
    for (ResultValue& gain : LinkGainValues(analysis.gains)) {
        results.push_back(std::move(gain));
    }
    return results;
}

// The options the run read, each once with its text: the source's as given,
// the link's, the model's and the hop's own as given or their start values.
void Echo(Reply& reply, const Request& request, const Inputs<PathField>& link,
          const std::optional<Inputs<ItmField>>& itm, const std::optional<Inputs<AvailabilityField>>& hop)
{
    if (!request.Echo()) {
        return;
    }
    EchoPathSource(reply, request);
    EchoFields(reply, request, kPath, link);
    reply.inputs.emplace_back("model", std::string(request.TextOr("model", "delta-bullington")));
    Reply own;
    if (itm) {
        EchoFields(own, request, kItm, *itm);
    }
    reply.inputs.emplace_back("availability", std::string(request.TextOr("availability", "no")));
    if (hop) {
        EchoFields(own, request, kAvailability, *hop);
    }
    for (auto& [option, text] : own.inputs) {
        if (Among(ItmOwnOptions(), option) || Among(HopOwnOptions(), option)) {
            reply.inputs.emplace_back(option, std::move(text));
        }
    }
}

// A part's own options given without the switch that reads them.
void CheckSwitched(const Request& request, const std::vector<std::string_view>& own, bool on, const char* part)
{
    if (on) {
        return;
    }
    for (std::string_view option : own) {
        if (request.Has(option)) {
            throw RequestError(option, std::string("belongs to ") + part);
        }
    }
}

} // namespace

PathAnalysisInputs PathInputsOf(const Request& request, std::string_view startModel, bool withAvailability)
{
    std::vector<std::string_view> skip;
    for (std::string_view option : kBudget) {
        if (request.Has(option) && !request.Has("power")) {
            throw RequestError("path: --" + std::string(option) + " belongs to the budget, which needs --power");
        }
        if (!request.Has(option)) {
            skip.push_back(option);
        }
    }
    const bool itm = static_cast<PathModel>(MatchChoice("model", kPathModels, request.TextOr("model", startModel))) ==
        PathModel::LongleyRice;
    const bool hop = withAvailability && static_cast<Asked>(MatchChoice("availability", kYesNo, request.TextOr("availability", "no"))) == Asked::Yes;
    CheckSwitched(request, ItmOwnOptions(), itm, "Longley-Rice, which needs --model itm");
    CheckSwitched(request, HopOwnOptions(), hop, "the availability, which needs --availability yes");
    if (hop && !(request.Has("power") && request.Has("sensitivity"))) {
        throw RequestError("availability",
                           "the availability takes the fade margin of the budget: give --power and --sensitivity");
    }
    // A pattern gives its end's gain: the typed gain is then not read.
    for (const char* end : {"tx", "rx"}) {
        if (request.Has(std::string(end) + "-pattern")) {
            skip.push_back(end[0] == 't' ? "tx-gain" : "rx-gain");
        }
    }
    PathAnalysisInputs in{PathSourceOf(request), InputsFrom(request, kPath, skip), std::nullopt, std::nullopt, false, {}, std::nullopt};
    if (itm) {
        in.itm = InputsFrom(request, kItm, {std::begin(kItmShared), std::end(kItmShared)});
    }
    if (hop) {
        in.availability = InputsFrom(request, kAvailability, {std::begin(kHopShared), std::end(kHopShared)});
    }
    const Outcome<LinkAntennas, std::string_view> antennas = LinkAntennasOf(request);
    if (antennas.Ok()) {
        in.antennas = antennas.Value();
    } else {
        in.antennaFault = antennas.Error();
    }
    return in;
}

namespace {
Reply RunPath(const Request& request, const std::vector<std::string_view>&)
{
    const PathAnalysisInputs in = PathInputsOf(request, "delta-bullington", true);
    Reply reply;
    const Outcome<PathAnalysis, std::string_view> analysed = AnalysePath(in);
    Echo(reply, request, in.link, in.itm, in.availability);
    if (!analysed.Ok()) {
        reply.error = analysed.Error().message;
        reply.errorOption = analysed.Error().field;
        reply.beep = analysed.Error().beep;
        return reply;
    }
    if (request.Has("profile-out")) {
        const std::string failed =
            WriteProfileCsvFile(std::string(request.TextOr("profile-out", "")), analysed.Value().loaded.profile);
        if (!failed.empty()) {
            reply.error = failed;
            reply.errorOption = "profile-out";
            return reply;
        }
    }
    reply.results = ResultsOf(analysed.Value());
    reply.warnings = analysed.Value().link.warnings;
    return reply;
}
} // namespace

std::vector<ResultValue> PathPartValues(const PathResult& path)
{
    return {Number(kPathResultBullingtonLoss, path.diffraction.actualDb),
            Number(kPathResultSmoothBullingtonLoss, path.diffraction.smoothDb),
            Number(kPathResultSphericalEarthLoss, path.diffraction.sphericalDb),
            Number(kPathResultEdgeNu, path.diffraction.edgeNu)};
}

std::vector<OptionSpec> PathModelOptions(std::string_view startModel)
{
    std::vector<OptionSpec> options;
    for (OptionSpec option : OptionsOf(kPath)) {
        if (std::find(std::begin(kBudget), std::end(kBudget), option.name) != std::end(kBudget)) {
            option.start = {}; // no budget unless asked for
        }
        options.push_back(option);
    }
    options.push_back({"model",
                               "Propagation model",
                               FieldKind::Choice,
                               startModel,
                               {std::begin(kPathModels), std::end(kPathModels)},
                               "delta-bullington (ITU-R P.526-15) or itm (Longley-Rice 1.2.2), over the same profile"});
    for (const OptionSpec& option : LinkAntennaOptions()) {
        options.push_back(option);
    }
    for (const OptionSpec& option : OptionsOf(kItm)) {
        if (Among(ItmOwnOptions(), option.name)) {
            options.push_back(option);
        }
    }
    return options;
}

Calculation PathCalculation()
{
    Variant variant;
    variant.options = PathSourceOptions(true);
    for (const OptionSpec& option : PathModelOptions("delta-bullington")) {
        variant.options.push_back(option);
    }
    variant.options.push_back({"availability",
                               "Availability",
                               FieldKind::Choice,
                               "no",
                               {std::begin(kYesNo), std::end(kYesNo)},
                               "the hop's outage from rain and multipath at the budget's fade margin"});
    for (const OptionSpec& option : OptionsOf(kAvailability)) {
        if (Among(HopOwnOptions(), option.name)) {
            variant.options.push_back(option);
        }
    }
    variant.results = {&kPathResultDistance,    &kPathResultBearing,         &kPathResultReverseBearing,
                       &kPathResultLineOfSight, &kPathResultClearance,       &kPathResultWorstPoint,
                       &kPathResultFresnel60,   &kPathResultFreeSpaceLoss,   &kPathResultDiffractionLoss,
                       &kPathResultLoss,        &kPathResultReceivedPower,   &kPathResultFadeMargin,
                       &kItmResultMode};
    for (const ResultValue& part : PathPartValues(PathResult{})) {
        variant.results.push_back(part.spec);
    }
    for (const ResultValue& part : ItmPartValues(ItmResult{})) {
        if (part.spec->name != kPathResultFreeSpaceLoss.name) { // the same result, by the model's own formula
            variant.results.push_back(part.spec);
        }
    }
    for (const ResultValue& part : HopValues(AvailabilityResult{})) {
        variant.results.push_back(part.spec);
    }
    for (const ResultSpec* gain : LinkGainResults()) {
        variant.results.push_back(gain);
    }
    variant.run = RunPath;
    Calculation path;
    path.variants = {std::move(variant)};
    path.rules = {
        {{{"profile"}, {"dem", "from", "to"}}, 1, false, "--profile FILE, or --dem FILES with --from and --to"}};
    return path;
}

} // namespace zandrevio
