// The searches of the planning calculations at their worst inputs found:
// each must answer (or refuse) in under 10 ms.
#include "channels/band_plans.h"
#include "numeric/app_error.h"
#include "propagation/cell_range.h"
#include "traffic/queueing.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zandrevio;

template <typename Calculation>
void Run(benchmark::State& state, Calculation calculation)
{
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(calculation());
        } catch (const ApplicationError&) {
            // A fault is an answer too.
        }
    }
}

// The NR family holds the most bands, and n77's frequencies lie in three.
void BM_NrFrequencyInEveryBand(benchmark::State& state)
{
    const long double nr = static_cast<long double>(BandStandardChoices().size() - 1);
    Run(state, [&] {
        return BandFrequencyToChannel({{BandField::Standard, nr},
                                       {BandField::Direction, static_cast<long double>(LinkDirection::Downlink)},
                                       {BandField::Frequency, 3489.42L}})
            .Ok();
    });
}

// The radius halving from 1 m to 10000 km, at its far end.
void BM_CellRadiusAtTheFarEnd(benchmark::State& state)
{
    using C = CellRangeField;
    Run(state, [&] {
        return CellRange({{C::Model, 1},
                          {C::Area, 0},
                          {C::Frequency, 1800},
                          {C::BsHeight, 30},
                          {C::MsHeight, 1.5L},
                          {C::MaxPathLoss, 277}})
            .Ok();
    });
}

// The most traffic a queue takes, a target within 1e-15 of certainty and no
// time to answer in: the most servers the search climbs to.
void BM_ServersForAServiceLevelNearOne(benchmark::State& state)
{
    using S = ServiceField;
    Run(state, [&] {
        return ServersForServiceLevel({{S::Traffic, 10000},
                                       {S::HandlingTime, 1},
                                       {S::TargetTime, 0},
                                       {S::TargetServiceLevel, 1.0L - 1e-15L}})
            .Ok();
    });
}

// The most fresh traffic, nearly every blocked call retrying, and blocking
// targets near 0 and near 1.
void BM_ExtendedChannelsWorst(benchmark::State& state)
{
    using R = RetryField;
    const long double blocking = state.range(0) == 0 ? 1e-12L : 0.999L;
    Run(state, [&] {
        return ExtendedErlangBChannels({{R::Traffic, 1000}, {R::Recall, 0.999999L}, {R::Blocking, blocking}}).Ok();
    });
}

// The traffic of many channels at heavy blocking with almost every call
// retrying: each halving step settles the retries afresh.
void BM_ExtendedTrafficWorst(benchmark::State& state)
{
    using R = RetryField;
    Run(state, [&] {
        return ExtendedErlangBTraffic({{R::Recall, 0.999999L}, {R::Channels, 1000}, {R::Blocking, 0.5L}}).Ok();
    });
}

// The most channels a field holds, for every calculation that takes them.
void BM_MostChannels(benchmark::State& state)
{
    using R = RetryField;
    using S = ServiceField;
    constexpr long double kMost = 2147483647.0L;
    Run(state, [&] {
        return ExtendedErlangBBlocking({{R::Traffic, 1000}, {R::Recall, 0.999999L}, {R::Channels, kMost}}).Ok() &&
            ExtendedErlangBTraffic({{R::Recall, 0.999999L}, {R::Channels, kMost}, {R::Blocking, 0.5L}}).Ok() &&
            ServiceLevel({{S::Traffic, 10000}, {S::HandlingTime, 1}, {S::TargetTime, 0}, {S::Servers, kMost}}).Ok();
    });
}

BENCHMARK(BM_MostChannels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NrFrequencyInEveryBand)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CellRadiusAtTheFarEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ServersForAServiceLevelNearOne)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtendedChannelsWorst)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtendedTrafficWorst)->Unit(benchmark::kMillisecond);

} // namespace
