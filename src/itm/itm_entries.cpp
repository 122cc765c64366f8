#include "itm/itm_entries.h"

#include "itm/itm.h"
#include "propagation/path_antennas.h"
#include "propagation/path_source_options.h"

#include <algorithm>
#include <iterator>

namespace zandrevio {

namespace {
// The area mode's options: any of them given chooses the area mode.
constexpr std::string_view kArea[] = {"distance", "terrain-irregularity", "tx-siting", "rx-siting"};

bool AreaMode(const Request& request)
{
    return std::any_of(std::begin(kArea), std::end(kArea), [&](std::string_view o) { return request.Has(o); });
}

long double Variability(const ItmResult& r)
{
    return r.VariabilityDb();
}
template <std::size_t J>
long double HorizonAngleMrad(const ItmResult& r)
{
    return r.horizonAnglesRad[J] * 1000.0L;
}
template <std::size_t J>
long double HorizonDistanceKm(const ItmResult& r)
{
    return r.horizonDistancesKm[J];
}
template <std::size_t J>
long double EffectiveHeightM(const ItmResult& r)
{
    return r.effectiveHeightsM[J];
}

// The loss and what it is made of, after the range (a text).
const std::vector<ResultOf<ItmResult>> kParts = {
    {&kItmResultFreeSpaceLoss, Member<&ItmResult::freeSpaceDb>},
    {&kItmResultReference, Member<&ItmResult::referenceDb>},
    {&kItmResultVariability, Variability},
    {&kItmResultTerrainIrregularity, Member<&ItmResult::terrainIrregularityM>},
    {&kItmResultTxHorizonDistance, HorizonDistanceKm<0>},
    {&kItmResultRxHorizonDistance, HorizonDistanceKm<1>},
    {&kItmResultTxHorizonAngle, HorizonAngleMrad<0>},
    {&kItmResultRxHorizonAngle, HorizonAngleMrad<1>},
    {&kItmResultTxEffectiveHeight, EffectiveHeightM<0>},
    {&kItmResultRxEffectiveHeight, EffectiveHeightM<1>},
    {&kItmResultSurfaceRefractivity, Member<&ItmResult::surfaceRefractivity>},
};

std::vector<ResultValue> ResultsOf(const ItmResult& result)
{
    std::vector<ResultValue> values{
        {&kItmResultLoss, result.lossDb, {}, kItmResultLoss.unit, kItmResultLoss.format},
        {&kItmResultMode, 0.0L, std::string(ItmModeWord(result.mode)), kItmResultMode.unit, ResultFormat::Text}};
    for (ResultValue& part : ItmPartValues(result)) {
        values.push_back(std::move(part));
    }
    return values;
}

Reply RunItm(const Request& request, const std::vector<std::string_view>&)
{
    const bool area = AreaMode(request);
    const Inputs<ItmField> in = InputsFrom(
        request, kItm, area ? std::vector<std::string_view>{} : std::vector(std::begin(kArea), std::end(kArea)));
    Reply reply;
    std::optional<Outcome<ItmResult, ItmField>> outcome;
    const Outcome<LinkAntennas, std::string_view> antennas = LinkAntennasOf(request);
    if (!antennas.Ok()) {
        reply.error = antennas.Error().message;
        reply.errorOption = antennas.Error().field;
        return reply;
    }
    LinkGains gains;
    if (area) {
        if (antennas.Value().Any()) {
            throw RequestError(request.Has("tx-pattern") ? "tx-pattern" : "rx-pattern",
                               "a pattern is read along a path: give --profile or --dem with --from and --to");
        }
        outcome.emplace(ItmArea(in));
    } else {
        EchoPathSource(reply, request);
        const Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(PathSourceOf(request));
        if (!loaded.Ok()) {
            RefusePathSource(reply, loaded.Error());
            return reply;
        }
        outcome.emplace(ItmPointToPoint(loaded.Value().profile, in));
        // Each pattern toward the other end, or its horizon where the terrain
        // blocks it, over the model's own effective earth.
        if (outcome->Ok() && antennas.Value().Any()) {
            const ItmResult& model = outcome->Value();
            const LoadedProfile& path = loaded.Value();
            const TerrainProfile& profile = path.profile;
            const EndElevations elevations =
                ElevationsAlong(profile, profile.points.front().heightM + in.Real(ItmField::TxHeight),
                                profile.points.back().heightM + in.Real(ItmField::RxHeight),
                                ItmEarthRadiusKm(model.surfaceRefractivity));
            gains = GainsAlong(antennas.Value(), path.dem ? path.dem->bearingDeg : 0.0L,
                               path.dem ? path.dem->reverseBearingDeg : 180.0L, elevations);
        }
    }
    EchoFields(reply, request, kItm, in);
    if (!outcome->Ok()) {
        Refuse(reply, kItm, outcome->Error());
        return reply;
    }
    reply.results = ResultsOf(outcome->Value());
    reply.warnings = outcome->Value().warnings;
    for (ResultValue& gain : LinkGainValues(gains)) {
        reply.results.push_back(std::move(gain));
    }
    reply.warnings.insert(reply.warnings.end(), gains.warnings.begin(), gains.warnings.end());
    return reply;
}
std::vector<std::string_view> SkipOf(bool area)
{
    return area ? std::vector<std::string_view>{} : std::vector<std::string_view>(std::begin(kArea), std::end(kArea));
}
} // namespace

std::vector<ResultValue> ItmPartValues(const ItmResult& result)
{
    return ResultsOf(result, kParts);
}

ItmTableReply ItmTableOf(const Request& request, std::span<const long double> timePercent,
                         std::span<const long double> locationPercent)
{
    const bool area = AreaMode(request);
    const Inputs<ItmField> in = InputsFrom(request, kItm, SkipOf(area));
    std::optional<Outcome<ItmReliabilityTable, ItmField>> table;
    if (area) {
        table.emplace(ItmAreaTable(in, timePercent, locationPercent));
    } else {
        const Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(PathSourceOf(request));
        if (!loaded.Ok()) {
            return {loaded.Error().message, {}, {}};
        }
        table.emplace(ItmPointToPointTable(loaded.Value().profile, in, timePercent, locationPercent));
    }
    if (!table->Ok()) {
        return {table->Error().message, {}, {}};
    }
    return {{}, table->Value().warnings, table->Value().lossDb};
}

Calculation ItmCalculation()
{
    Variant variant;
    variant.options = PathSourceOptions(false);
    for (const OptionSpec& option : OptionsOf(kItm)) {
        variant.options.push_back(option);
    }
    for (const OptionSpec& option : LinkAntennaOptions()) {
        variant.options.push_back(option);
    }
    variant.results = {&kItmResultLoss, &kItmResultMode};
    for (const ResultOf<ItmResult>& part : kParts) {
        variant.results.push_back(part.spec);
    }
    for (const ResultSpec* gain : LinkGainResults()) {
        variant.results.push_back(gain);
    }
    variant.run = RunItm;
    Calculation itm;
    itm.variants = {std::move(variant)};
    itm.rules = {{{{"profile"}, {"dem", "from", "to"}, {"distance", "terrain-irregularity", "tx-siting", "rx-siting"}},
                  1,
                  false,
                  "--profile FILE, --dem FILES with --from and --to, or the area mode's --distance"}};
    return itm;
}

} // namespace zandrevio
