// The Longley-Rice model over a terrain profile: one loss over a
// 10,000-point profile (target under 5 ms), and a 10 by 10 reliability table
// over the same path (under 20 ms), whose geometry is worked out once.
#include "itm/itm.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace zandrevio;
using F = ItmField;

// Rolling hills, 50 km long, up to a few hundred metres.
TerrainProfile Hills(int points)
{
    TerrainProfile profile;
    profile.points.reserve(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i) {
        const long double km = 50.0L * i / (points - 1);
        profile.points.push_back({km, 200.0L + 150.0L * std::sin(km / 3.0L) + 40.0L * std::sin(km * 1.7L)});
    }
    return profile;
}

Inputs<F> Broadcast()
{
    return {{F::Frequency, 600.0L}, {F::TxHeight, 100.0L},     {F::RxHeight, 10.0L},     {F::Polarization, 0},
            {F::Climate, 4},        {F::Refractivity, 301.0L}, {F::Permittivity, 15.0L}, {F::Conductivity, 0.005L},
            {F::Variability, 3},    {F::Time, 50.0L},          {F::Location, 50.0L},     {F::Situation, 50.0L}};
}

void BM_ItmOverTenThousandPoints(benchmark::State& state)
{
    const TerrainProfile profile = Hills(10000);
    const Inputs<F> in = Broadcast();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ItmPointToPoint(profile, in).Ok());
    }
}
BENCHMARK(BM_ItmOverTenThousandPoints)->Unit(benchmark::kMillisecond);

void BM_ItmReliabilityTableTenByTen(benchmark::State& state)
{
    const TerrainProfile profile = Hills(10000);
    const Inputs<F> in = Broadcast();
    const long double percents[] = {1.0L, 5.0L, 10.0L, 20.0L, 50.0L, 70.0L, 80.0L, 90.0L, 95.0L, 99.0L};
    for (auto _ : state) {
        benchmark::DoNotOptimize(ItmPointToPointTable(profile, in, percents, percents).Ok());
    }
}
BENCHMARK(BM_ItmReliabilityTableTenByTen)->Unit(benchmark::kMillisecond);

} // namespace
