#include "traffic/traffic_entries.h"

#include "traffic/queueing.h"
#include "traffic/traffic_calculations.h"

namespace zandrevio {

namespace {
using S = ServiceLevelResult;
using E = ExtendedErlangBResult;

const std::vector<ResultOf<S>> kServiceResults = {
    {&kServersResult, Member<&S::servers>},
    {&kQueueTrafficResult, Member<&S::traffic>},
    {&kWaitingProbabilityResult, Member<&S::waitingProbability>},
    {&kServiceLevelResult, Member<&S::serviceLevel>},
    {&kAverageSpeedOfAnswerResult, Member<&S::averageSpeedOfAnswer>},
    {&kOccupancyResult, Member<&S::occupancy>},
};
const std::vector<ResultOf<E>> kRetryResults = {
    {&kRetryChannelsResult, Member<&E::channels>},
    {&kRetryBlockingResult, Member<&E::blocking>},
    {&kRetryOfferedResult, Member<&E::offeredTraffic>},
};
} // namespace

Calculation TrafficCalculation()
{
    using F = TrafficField;
    Calculation traffic;
    traffic.variants = {
        MakeVariant<F, std::int32_t>({"traffic", "gos"}, kChannelsForGos, ChannelsForGos,
                                     {{&kChannelsResult, Whole<std::int32_t>}}),
        MakeVariant<F, long double>({"channels", "gos"}, kTrafficForGos, TrafficForGos,
                                    {{&kTrafficResult, Whole<long double>}}),
        MakeVariant<F, GosResult>(
            {"channels", "traffic"}, kGosForTraffic, GosForTraffic,
            {{&kGosResult, Member<&GosResult::gos>}, {&kBlockingResult, Member<&GosResult::blocking>}}),
    };
    traffic.rules = {{{{"channels"}, {"traffic"}, {"gos"}}, 2}};
    return traffic;
}

Calculation SubscribersCalculation()
{
    using F = TrafficField;
    Calculation subscribers;
    subscribers.variants = {
        MakeVariant<F, long double>({"subscribers"}, kSubscriberTraffic, SubscriberTraffic,
                                    {{&kSubscriberTrafficResult, Whole<long double>}}),
        MakeVariant<F, long double>({"traffic"}, kSubscribersForTraffic, SubscribersForTraffic,
                                    {{&kSubscribersResult, Whole<long double>}}),
    };
    subscribers.rules = {{{{"subscribers"}, {"traffic"}}}};
    return subscribers;
}

Calculation ServiceLevelCalculation()
{
    Calculation service;
    service.variants = {
        MakeVariant<ServiceField, S>({"servers"}, kServiceLevel, ServiceLevel, kServiceResults),
        MakeVariant<ServiceField, S>({"target-service-level"}, kServersForServiceLevel, ServersForServiceLevel,
                                     kServiceResults),
    };
    // --interval qualifies --calls, and has a start of its own; --calls has none.
    service.rules = {{{{"traffic"}, {"calls", "interval"}}, 1, false, {}, true},
                     {{{"servers"}, {"target-service-level"}}}};
    return service;
}

Calculation ExtendedErlangBCalculation()
{
    Calculation retries;
    retries.variants = {
        MakeVariant<RetryField, E>({"channels"}, kExtendedBlocking, ExtendedErlangBBlocking, kRetryResults),
        MakeVariant<RetryField, E>({"blocking"}, kExtendedChannels, ExtendedErlangBChannels, kRetryResults),
    };
    retries.rules = {{{{"channels"}, {"blocking"}}}};
    return retries;
}

} // namespace zandrevio
