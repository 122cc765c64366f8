// A fixed link's availability: one run of the whole calculation (rain,
// multipath and the line-by-line gases; target under 1 ms), and a table of
// the fade margin for 100 hop lengths by 100 target availabilities (under
// 50 ms), each hop's climate worked out once for its row.
#include "fixed_link/availability.h"
#include "fixed_link/polarization_tilt.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace zandrevio;
using F = AvailabilityField;

Inputs<F> Link()
{
    return {{F::Distance, 20.0L},
            {F::Frequency, 18000.0L},
            {F::Polarization, PolarizationInput("vertical")},
            {F::RainRate, 42.0L},
            {F::Dn1, -400.0L},
            {F::Sa, 20.0L},
            {F::Latitude, 45.0L},
            {F::TxAltitude, 120.0L},
            {F::RxAltitude, 300.0L},
            {F::Pressure, 1013.25L},
            {F::Temperature, 15.0L},
            {F::WaterVapour, 7.5L},
            {F::FadeMargin, 40.0L},
            {F::TargetAvailability, 99.999L}};
}

void BM_OneAvailability(benchmark::State& state)
{
    const Inputs<F> in = Link();
    for (auto _ : state) {
        benchmark::DoNotOptimize(Availability(in).Value().availabilityPercent);
    }
}
BENCHMARK(BM_OneAvailability)->Unit(benchmark::kMicrosecond);

void BM_OneFadeMarginForAvailability(benchmark::State& state)
{
    const Inputs<F> in = Link();
    for (auto _ : state) {
        benchmark::DoNotOptimize(FadeMarginForAvailability(in).Value().fadeMarginDb);
    }
}
BENCHMARK(BM_OneFadeMarginForAvailability)->Unit(benchmark::kMicrosecond);

// Hops of 1 to 100 km against targets from 99 % to 99.9999 %, spaced
// evenly in the logarithm of the outage.
void BM_FadeMarginTable100By100(benchmark::State& state)
{
    for (auto _ : state) {
        long double sum = 0.0L;
        for (int row = 1; row <= 100; ++row) {
            const HopClimate hop =
                ClimateOfHop(static_cast<long double>(row), 18.0L, 90.0L, 42.0L, -400.0L, 20.0L, 45.0L, 120.0L, 300.0L);
            for (int column = 0; column < 100; ++column) {
                const long double outage = std::pow(10.0L, -4.0L * column / 99.0L);
                sum += FadeMarginForOutage(hop, outage).fadeMarginDb;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_FadeMarginTable100By100)->Unit(benchmark::kMillisecond);

} // namespace
