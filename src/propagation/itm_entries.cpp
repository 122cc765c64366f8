#include "propagation/itm_entries.h"

#include "propagation/itm.h"
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

std::vector<ResultValue> ResultsOf(const ItmResult& result)
{
    return {{&kItmResultLoss, result.lossDb, {}, kItmResultLoss.unit, kItmResultLoss.format},
            {&kItmResultMode, 0.0L, std::string(ItmModeWord(result.mode)), kItmResultMode.unit, ResultFormat::Text}};
}

Reply RunItm(const Request& request, const std::vector<std::string_view>&)
{
    const bool area = AreaMode(request);
    const Inputs<ItmField> in = InputsFrom(
        request, kItm, area ? std::vector<std::string_view>{} : std::vector(std::begin(kArea), std::end(kArea)));
    Reply reply;
    std::optional<Outcome<ItmResult, ItmField>> outcome;
    if (area) {
        outcome.emplace(ItmArea(in));
    } else {
        EchoPathSource(reply, request);
        const Outcome<LoadedProfile, PathSourceField> loaded = LoadPathProfile(PathSourceOf(request));
        if (!loaded.Ok()) {
            RefusePathSource(reply, loaded.Error());
            return reply;
        }
        outcome.emplace(ItmPointToPoint(loaded.Value().profile, in));
    }
    EchoFields(reply, request, kItm, in);
    if (!outcome->Ok()) {
        Refuse(reply, kItm, outcome->Error());
        return reply;
    }
    reply.results = ResultsOf(outcome->Value());
    reply.warnings = outcome->Value().warnings;
    return reply;
}
std::vector<std::string_view> SkipOf(bool area)
{
    return area ? std::vector<std::string_view>{} : std::vector<std::string_view>(std::begin(kArea), std::end(kArea));
}
} // namespace

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
    variant.results = {&kItmResultLoss, &kItmResultMode};
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
