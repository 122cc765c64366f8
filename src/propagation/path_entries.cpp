#include "propagation/path_entries.h"

#include "propagation/path_link.h"
#include "propagation/path_source_options.h"
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

const ResultSpec* const kPathResults[] = {
    &kPathResultDistance,           &kPathResultBearing,
    &kPathResultReverseBearing,     &kPathResultLineOfSight,
    &kPathResultClearance,          &kPathResultWorstPoint,
    &kPathResultFresnel60,          &kPathResultFreeSpaceLoss,
    &kPathResultDiffractionLoss,    &kPathResultLoss,
    &kPathResultReceivedPower,      &kPathResultFadeMargin,
    &kPathResultBullingtonLoss,     &kPathResultSmoothBullingtonLoss,
    &kPathResultSphericalEarthLoss, &kPathResultEdgeNu,
};

ResultValue Number(const ResultSpec& spec, long double value)
{
    return {&spec, value, {}, spec.unit, spec.format};
}

ResultValue YesNo(const ResultSpec& spec, bool yes)
{
    return {&spec, yes ? 1.0L : 0.0L, yes ? "yes" : "no", spec.unit, ResultFormat::Text};
}

std::vector<ResultValue> ResultsOf(const PathResult& path, const LoadedProfile& loaded)
{
    std::vector<ResultValue> results{Number(kPathResultDistance, path.distanceKm)};
    if (loaded.dem) {
        results.push_back(Number(kPathResultBearing, loaded.dem->bearingDeg));
        results.push_back(Number(kPathResultReverseBearing, loaded.dem->reverseBearingDeg));
    }
    results.push_back(YesNo(kPathResultLineOfSight, path.lineOfSight));
    results.push_back(Number(kPathResultClearance, path.clearance));
    results.push_back(Number(kPathResultWorstPoint, path.worstPointKm));
    results.push_back(YesNo(kPathResultFresnel60, path.fresnel60));
    results.push_back(Number(kPathResultFreeSpaceLoss, path.freeSpaceLossDb));
    results.push_back(Number(kPathResultDiffractionLoss, path.diffractionLossDb));
    results.push_back(Number(kPathResultLoss, path.pathLossDb));
    if (path.receivedPowerDbm) {
        results.push_back(Number(kPathResultReceivedPower, *path.receivedPowerDbm));
    }
    if (path.fadeMarginDb) {
        results.push_back(Number(kPathResultFadeMargin, *path.fadeMarginDb));
    }
    for (ResultValue& part : PathPartValues(path)) {
        results.push_back(std::move(part));
    }
    return results;
}

// The options the run read, with their texts: the source's as given, the
// link's fields as given or their start values.
void Echo(Reply& reply, const Request& request, const Inputs<PathField>& in)
{
    if (!request.Echo()) {
        return;
    }
    EchoPathSource(reply, request);
    EchoFields(reply, request, kPath, in);
}

Reply RunPath(const Request& request, const std::vector<std::string_view>&)
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
    const Inputs<PathField> in = InputsFrom(request, kPath, skip);
    Reply reply;
    const Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(PathSourceOf(request));
    if (!loaded.Ok()) {
        Echo(reply, request, in);
        RefusePathSource(reply, loaded.Error());
        return reply;
    }
    const Outcome<PathResult, PathField> path = PathLink(loaded.Value().profile, in);
    Echo(reply, request, in);
    if (!path.Ok()) {
        Refuse(reply, kPath, path.Error());
        return reply;
    }
    if (request.Has("profile-out")) {
        const std::string failed =
            WriteProfileCsvFile(std::string(request.TextOr("profile-out", "")), loaded.Value().profile);
        if (!failed.empty()) {
            reply.error = failed;
            reply.errorOption = "profile-out";
            return reply;
        }
    }
    reply.results = ResultsOf(path.Value(), loaded.Value());
    reply.warnings = path.Value().warnings;
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

Calculation PathCalculation()
{
    Variant variant;
    variant.options = PathSourceOptions(true);
    for (OptionSpec option : OptionsOf(kPath)) {
        if (std::find(std::begin(kBudget), std::end(kBudget), option.name) != std::end(kBudget)) {
            option.start = {}; // no budget unless asked for
        }
        variant.options.push_back(option);
    }
    variant.results.assign(std::begin(kPathResults), std::end(kPathResults));
    variant.run = RunPath;
    Calculation path;
    path.variants = {std::move(variant)};
    path.rules = {
        {{{"profile"}, {"dem", "from", "to"}}, 1, false, "--profile FILE, or --dem FILES with --from and --to"}};
    return path;
}

} // namespace zandrevio
