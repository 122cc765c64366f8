// The worst inputs found for the three buttons of the Traffic page under
// each model: huge channel counts at small and large traffic, targets near 0
// and near 1. Every one must answer (or fault) well within 100 ms.
#include "numeric/app_error.h"
#include "traffic/traffic_calculations.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr std::int32_t kMostChannels = 2147483647;

template <typename Calculation>
void Run(benchmark::State& state, Calculation calculation)
{
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(calculation());
        } catch (const zandrevio::ApplicationError&) {
            // A fault is an answer too: the window shows it and goes on.
        }
    }
}

long double Model(const benchmark::State& state)
{
    return static_cast<long double>(state.range(0));
}

using F = zandrevio::TrafficField;

auto GosForTraffic(long double model, std::int32_t channels, long double traffic)
{
    return zandrevio::GosForTraffic({{F::Model, model}, {F::Channels, channels}, {F::Traffic, traffic}});
}

auto ChannelsForGos(long double model, long double traffic, long double target)
{
    return zandrevio::ChannelsForGos({{F::Model, model}, {F::Traffic, traffic}, {F::Gos, target}});
}

auto TrafficForGos(long double model, std::int32_t channels, long double target)
{
    return zandrevio::TrafficForGos({{F::Model, model}, {F::Channels, channels}, {F::Gos, target}});
}

void BM_GosHugeChannelsSmallTraffic(benchmark::State& state)
{
    Run(state, [&] { return GosForTraffic(Model(state), kMostChannels, 9.0L).Ok(); });
}

void BM_GosHugeChannelsLargeTraffic(benchmark::State& state)
{
    Run(state, [&] { return GosForTraffic(Model(state), kMostChannels, 11000.0L).Ok(); });
}

void BM_GosChannelsAtTheTraffic(benchmark::State& state)
{
    Run(state, [&] { return GosForTraffic(Model(state), 11300, 11299.0L).Ok(); });
}

void BM_ChannelsTinyGosSmallTraffic(benchmark::State& state)
{
    Run(state, [&] { return ChannelsForGos(Model(state), 9.0L, 1e-4900L).Ok(); });
}

void BM_ChannelsTinyGosLargeTraffic(benchmark::State& state)
{
    Run(state, [&] { return ChannelsForGos(Model(state), 11300.0L, 1e-4900L).Ok(); });
}

void BM_ChannelsGosNearOneLargeTraffic(benchmark::State& state)
{
    Run(state, [&] { return ChannelsForGos(Model(state), 11300.0L, 0.9999999L).Ok(); });
}

void BM_TrafficHugeChannels(benchmark::State& state)
{
    Run(state, [&] { return TrafficForGos(Model(state), kMostChannels, 0.02L).Ok(); });
}

void BM_TrafficGosNearOne(benchmark::State& state)
{
    Run(state, [&] { return TrafficForGos(Model(state), 100, 0.9999999L).Ok(); });
}

void BM_TrafficGosNearerOne(benchmark::State& state)
{
    Run(state, [&] { return TrafficForGos(Model(state), 1, 1.0L - 1e-19L).Ok(); });
}

void BM_TrafficManyChannelsGosNearOne(benchmark::State& state)
{
    Run(state, [&] { return TrafficForGos(Model(state), 2300, 0.999L).Ok(); });
}

void BM_TrafficManyChannelsTinyGos(benchmark::State& state)
{
    Run(state, [&] { return TrafficForGos(Model(state), 11000, 1e-4900L).Ok(); });
}

// A whole table as the command line and the Python module print it: the
// traffic of 1 to 200 channels at the seven usual grades of service.
void BM_TrafficTable(benchmark::State& state)
{
    constexpr long double kTableGos[] = {0.001L, 0.002L, 0.005L, 0.01L, 0.02L, 0.05L, 0.1L};
    Run(state, [&] {
        long double total = 0.0L;
        for (std::int32_t channels = 1; channels <= 200; ++channels) {
            for (const long double target : kTableGos) {
                total += TrafficForGos(Model(state), channels, target).Value();
            }
        }
        return total;
    });
}

#define FOR_EVERY_MODEL(bench) BENCHMARK(bench)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)
FOR_EVERY_MODEL(BM_GosHugeChannelsSmallTraffic);
FOR_EVERY_MODEL(BM_GosHugeChannelsLargeTraffic);
FOR_EVERY_MODEL(BM_GosChannelsAtTheTraffic);
FOR_EVERY_MODEL(BM_ChannelsTinyGosSmallTraffic);
FOR_EVERY_MODEL(BM_ChannelsTinyGosLargeTraffic);
FOR_EVERY_MODEL(BM_ChannelsGosNearOneLargeTraffic);
FOR_EVERY_MODEL(BM_TrafficHugeChannels);
FOR_EVERY_MODEL(BM_TrafficGosNearOne);
FOR_EVERY_MODEL(BM_TrafficGosNearerOne);
FOR_EVERY_MODEL(BM_TrafficManyChannelsGosNearOne);
FOR_EVERY_MODEL(BM_TrafficManyChannelsTinyGos);
FOR_EVERY_MODEL(BM_TrafficTable);

} // namespace
