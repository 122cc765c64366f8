#include "cli/command_kit.h"
#include "traffic/traffic_calculations.h"

namespace zandrevio::cli {

namespace {
// Two of channels, traffic and GOS give the third, as the page's three buttons.
Answer Traffic(const Request& request, const Settings& settings)
{
    const bool channels = request.Has("channels");
    const bool traffic = request.Has("traffic");
    const bool gos = request.Has("gos");
    if (channels + traffic + gos != 2) {
        throw UsageError("traffic takes two of --channels, --traffic and --gos");
    }
    if (!channels) {
        return AnswerOf(ChannelsForGos(InputsFrom(request, kChannelsForGos)),
                        [&](Answer& answer, std::int32_t n) { answer.results.push_back(Count(kChannelsResult, n)); });
    }
    if (!traffic) {
        return AnswerOf(TrafficForGos(InputsFrom(request, kTrafficForGos)), [&](Answer& answer, long double a) {
            answer.results.push_back(Result(kTrafficResult, a, settings));
        });
    }
    return AnswerOf(GosForTraffic(InputsFrom(request, kGosForTraffic)),
                    [&](Answer& answer, double g) { answer.results.push_back(Result(kGosResult, g, settings)); });
}

Answer Subscribers(const Request& request, const Settings& settings)
{
    if (request.Has("subscribers") == request.Has("traffic")) {
        throw UsageError("subscribers takes one of --subscribers and --traffic");
    }
    Answer answer;
    if (request.Has("subscribers")) {
        answer.results.push_back(
            Result(kSubscriberTrafficResult, SubscriberTraffic(InputsFrom(request, kSubscriberTraffic)), settings));
    } else {
        answer.results.push_back(
            Result(kSubscribersResult, SubscribersForTraffic(InputsFrom(request, kSubscribersForTraffic)), settings));
    }
    return answer;
}

} // namespace

void AddTrafficCommands(std::vector<Command>& commands)
{
    // Two of the three are given, none taken from the window.
    auto traffic = WithoutStarts(Union({&kChannelsForGos, &kTrafficForGos}), {"channels", "traffic", "gos"});
    commands.push_back({"traffic", "Channels, traffic and grade of service: two give the third", std::move(traffic),
                        Names({kChannelsResult, kTrafficResult, kGosResult}), Traffic});
    auto subscribers = WithoutStarts(Union({&kSubscriberTraffic, &kSubscribersForTraffic}), {"subscribers", "traffic"});
    commands.push_back({"subscribers", "Traffic of subscribers at a calling rate, and back", std::move(subscribers),
                        Names({kSubscriberTrafficResult, kSubscribersResult}), Subscribers});
}

} // namespace zandrevio::cli
