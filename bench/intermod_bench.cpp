// An intermodulation search over a busy site: 28 GSM 900 downlink carriers
// on the 200 kHz raster, six channels apart across 925-960 MHz, and four
// carriers of the 1800 and 2100 bands; every product to the seventh order
// in the GSM 900 and 1800 uplinks (target well under 100 ms).
#include "receiver/intermodulation.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zandrevio;

IntermodSearch BusySite()
{
    IntermodSearch search;
    for (int k = 0; k < 28; ++k) {
        search.carriersMhz.push_back((9252 + 12 * k) / 10.0L);
    }
    for (const long double other : {1805.2L, 1842.6L, 1870.0L, 2112.4L}) {
        search.carriersMhz.push_back(other);
    }
    search.bands = {{880.0L, 915.0L}, {1710.0L, 1785.0L}};
    search.highestOrder = 7;
    return search;
}

void BM_BusySiteToSeventhOrder(benchmark::State& state)
{
    const IntermodSearch search = BusySite();
    std::size_t products = 0;
    for (auto _ : state) {
        const Outcome<IntermodResult, IntermodField> outcome = IntermodulationProducts(search);
        products = outcome.Value().products.size();
        benchmark::DoNotOptimize(products);
    }
    state.counters["products"] = static_cast<double>(products);
}
BENCHMARK(BM_BusySiteToSeventhOrder)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace
