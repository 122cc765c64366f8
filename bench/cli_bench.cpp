// The command line's costs beside the arithmetic: a batch of Erlang B
// channels-for-GOS rows (traffic 1 to 100 Erl, GOS 0.02), CSV in and out,
// against the core operation called in a loop over the same inputs; and a
// 200-row, 7-column table.
#include "cli/batch.h"
#include "cli/table.h"
#include "numeric/format.h"
#include "traffic/traffic_calculations.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

constexpr long double kGos = 0.02L;

long double TrafficOfRow(std::int64_t row, std::int64_t rows)
{
    return 1.0L + 99.0L * static_cast<long double>(row) / static_cast<long double>(rows);
}

void BM_CoreChannelsForGos(benchmark::State& state)
{
    using F = zandrevio::TrafficField;
    const std::int64_t rows = state.range(0);
    for (auto _ : state) {
        for (std::int64_t i = 0; i < rows; ++i) {
            const zandrevio::Inputs<F> in{{F::Model, 1}, {F::Traffic, TrafficOfRow(i, rows)}, {F::Gos, kGos}};
            benchmark::DoNotOptimize(zandrevio::ChannelsForGos(in));
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_BatchChannelsForGos(benchmark::State& state)
{
    const std::int64_t rows = state.range(0);
    std::string csv = "calculation,model,traffic,gos\n";
    for (std::int64_t i = 0; i < rows; ++i) {
        csv += "traffic,erlang-b," + zandrevio::FormatFull(TrafficOfRow(i, rows)) + ",0.02\n";
    }
    const zandrevio::cli::Settings settings;
    for (auto _ : state) {
        std::istringstream in(csv);
        std::ostringstream out;
        benchmark::DoNotOptimize(zandrevio::cli::Batch(in, out, settings, false));
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_TableTwoHundredRowsSevenColumns(benchmark::State& state)
{
    zandrevio::cli::TableOptions options;
    options.model = "erlang-b";
    options.channels = "1-200";
    const zandrevio::cli::Settings settings;
    for (auto _ : state) {
        std::ostringstream out;
        zandrevio::cli::WriteTable(out, zandrevio::cli::MakeTable(options, settings), "text", options.model);
        benchmark::DoNotOptimize(out.str());
    }
}

// Rates by the clock on the wall: the batch shares its rows between the cores.
BENCHMARK(BM_CoreChannelsForGos)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BatchChannelsForGos)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TableTwoHundredRowsSevenColumns)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
