#include "cli/command_kit.h"
#include "propagation/cell_range.h"
#include "propagation/path_loss.h"
#include "traffic/queueing.h"

namespace zandrevio::cli {

namespace {
Answer PathLossCommand(const Request& request, const Settings& settings)
{
    return AnswerOf(PathLoss(InputsFrom(request, kPathLoss)), [&](Answer& answer, const PathLossResult& loss) {
        answer.results.push_back(Result(kPathLossResult, loss.lossDb, settings));
        answer.warnings = loss.warnings;
    });
}

// The maximum allowed path loss given, or worked out from the budget.
Answer CellRangeCommand(const Request& request, const Settings& settings)
{
    Inputs<CellRangeField> in = InputsFrom(request, kCellRange);
    Answer answer;
    if (!request.Has("max-path-loss")) {
        const auto mapl = MaximumPathLoss(InputsFrom(request, kMaximumPathLoss));
        if (!mapl.Ok()) {
            answer.error = mapl.Error().message;
            return answer;
        }
        in.Set(CellRangeField::MaxPathLoss, mapl.Value());
    } else {
        for (const FieldSpec<CellRangeField>& budget : kMaximumPathLoss.fields) {
            if (request.Has(budget.option)) {
                throw UsageError("cell-range takes --max-path-loss or the budget's options, not both");
            }
        }
    }
    const long double mapl = in.Real(CellRangeField::MaxPathLoss);
    return AnswerOf(CellRange(in), [&](Answer& out, const CellRangeResult& range) {
        out.results.push_back(Result(kMaxPathLossResult, mapl, settings));
        ResultText radius = Result(kCellRadiusResult, range.radiusKm, settings);
        out.results.push_back(radius);
        out.results.push_back(Result(kCellAreaResult, range.areaKm2, settings));
        out.warnings = range.warnings;
    });
}

void WriteService(Answer& answer, const ServiceLevelResult& level, const Settings& settings)
{
    answer.results.push_back(Count(kServersResult, level.servers));
    answer.results.push_back(Result(kQueueTrafficResult, level.traffic, settings));
    answer.results.push_back(Result(kWaitingProbabilityResult, level.waitingProbability, settings));
    answer.results.push_back(Result(kServiceLevelResult, level.serviceLevel, settings));
    answer.results.push_back(Result(kAverageSpeedOfAnswerResult, level.averageSpeedOfAnswer, settings));
    answer.results.push_back(Result(kOccupancyResult, level.occupancy, settings));
}

Answer ServiceLevelCommand(const Request& request, const Settings& settings)
{
    if (request.Has("traffic") == (request.Has("calls") || request.Has("interval"))) {
        throw UsageError("service-level takes --traffic, or --calls with --interval");
    }
    if (request.Has("servers") == request.Has("target-service-level")) {
        throw UsageError("service-level takes one of --servers and --target-service-level");
    }
    const bool byServers = request.Has("servers");
    const bool givenTraffic = request.Has("traffic");
    // The inputs of the calculation, less the form of the traffic not given.
    Inputs<ServiceField> used;
    for (const FieldSpec<ServiceField>& spec : (byServers ? kServiceLevel : kServersForServiceLevel).fields) {
        const bool traffic = spec.field == ServiceField::Traffic;
        const bool calls = spec.field == ServiceField::Calls || spec.field == ServiceField::Interval;
        if ((traffic && !givenTraffic) || (calls && givenTraffic)) {
            continue;
        }
        const std::string_view text = request.TextOr(spec.option, spec.start);
        if (spec.kind == FieldKind::Whole) {
            used.Set(spec.field, static_cast<long double>(ParseWhole(spec.option, text)));
        } else {
            used.Set(spec.field, Input::Text(std::string(text)));
        }
    }
    const auto level = byServers ? ServiceLevel(used) : ServersForServiceLevel(used);
    return AnswerOf(level, [&](Answer& answer, const ServiceLevelResult& r) { WriteService(answer, r, settings); });
}

Answer ExtendedErlangBCommand(const Request& request, const Settings& settings)
{
    if (request.Has("channels") == request.Has("blocking")) {
        throw UsageError("extended-erlang-b takes one of --channels and --blocking");
    }
    const bool byChannels = request.Has("channels");
    const auto outcome = byChannels ? ExtendedErlangBBlocking(InputsFrom(request, kExtendedBlocking))
                                    : ExtendedErlangBChannels(InputsFrom(request, kExtendedChannels));
    return AnswerOf(outcome, [&](Answer& answer, const ExtendedErlangBResult& r) {
        answer.results.push_back(Count(kRetryChannelsResult, r.channels));
        answer.results.push_back(Result(kRetryBlockingResult, r.blocking, settings));
        answer.results.push_back(Result(kRetryOfferedResult, r.offeredTraffic, settings));
    });
}

} // namespace

void AddPlanningCommands(std::vector<Command>& commands)
{
    commands.push_back({"path-loss", "Path loss by free space, two-wave, Hata or COST-231 Hata, with validity warnings",
                        OptionsOf(kPathLoss), Names({kPathLossResult}), PathLossCommand});
    commands.push_back({"cell-range",
                        "Maximum allowed path loss, cell radius and hexagonal cell area by Hata or COST-231 Hata",
                        Union({&kCellRange, &kMaximumPathLoss}),
                        Names({kMaxPathLossResult, kCellRadiusResult, kCellAreaResult}), CellRangeCommand});
    commands.push_back({"service-level",
                        "Erlang C queues: waiting probability, service level, speed of answer; or servers needed",
                        WithoutStarts(Union({&kServiceLevel, &kServersForServiceLevel}),
                                      {"traffic", "calls", "interval", "servers", "target-service-level"}),
                        Names({kServersResult, kQueueTrafficResult, kWaitingProbabilityResult, kServiceLevelResult,
                               kAverageSpeedOfAnswerResult, kOccupancyResult}),
                        ServiceLevelCommand});
    commands.push_back({"extended-erlang-b", "Blocking with retries, or channels for a blocking, by Extended Erlang B",
                        WithoutStarts(Union({&kExtendedBlocking, &kExtendedChannels}), {"channels", "blocking"}),
                        Names({kRetryChannelsResult, kRetryBlockingResult, kRetryOfferedResult}),
                        ExtendedErlangBCommand});
}

} // namespace zandrevio::cli
