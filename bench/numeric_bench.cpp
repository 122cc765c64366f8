#include "numeric/format.h"
#include "numeric/parse_real.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ParseReal(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(zandrevio::ParseReal("824.03"));
        benchmark::DoNotOptimize(zandrevio::ParseReal("1.5e-4940"));
    }
}
BENCHMARK(BM_ParseReal);

void BM_FormatResult(benchmark::State& state)
{
    long double x = 1234.5678L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zandrevio::FormatResult(x));
        benchmark::DoNotOptimize(zandrevio::FormatFull(1e-4940L));
    }
}
BENCHMARK(BM_FormatResult);

} // namespace
