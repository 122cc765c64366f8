// The command line's costs beside the arithmetic: a batch of Erlang B
// channels-for-GOS rows (traffic 1 to 100 Erl, GOS 0.02), CSV in and CSV or
// JSON Lines out, on one thread, against the core operation called in a loop
// over the same inputs; and a 200-row, 7-column table. Times are CPU times of
// the whole process (the machine is shared); each batch reports its rate as a
// share of the core loop's ("of_core").
#include "cli/batch.h"
#include "cli/table.h"
#include "numeric/format.h"
#include "traffic/traffic_calculations.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <sstream>
#include <string>

namespace {

constexpr long double kGos = 0.02L;
constexpr std::int64_t kRows = 1000000;

long double TrafficOfRow(std::int64_t row, std::int64_t rows)
{
    return 1.0L + 99.0L * static_cast<long double>(row) / static_cast<long double>(rows);
}

void CoreLoop(std::int64_t rows)
{
    using F = zandrevio::TrafficField;
    for (std::int64_t i = 0; i < rows; ++i) {
        const zandrevio::Inputs<F> in{{F::Model, 1}, {F::Traffic, TrafficOfRow(i, rows)}, {F::Gos, kGos}};
        benchmark::DoNotOptimize(zandrevio::ChannelsForGos(in));
    }
}

// The core loop's rate in rows per CPU second, measured once.
double CoreRate()
{
    static const double rate = [] {
        const std::clock_t start = std::clock();
        CoreLoop(kRows);
        const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        return static_cast<double>(kRows) / seconds;
    }();
    return rate;
}

void BM_CoreChannelsForGos(benchmark::State& state)
{
    for (auto _ : state) {
        CoreLoop(state.range(0));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Batch(benchmark::State& state, bool json)
{
    const std::int64_t rows = state.range(0);
    std::string csv = "calculation,model,traffic,gos\n";
    for (std::int64_t i = 0; i < rows; ++i) {
        csv += "traffic,erlang-b," + zandrevio::FormatFull(TrafficOfRow(i, rows)) + ",0.02\n";
    }
    const zandrevio::cli::Settings settings;
    zandrevio::cli::BatchFormat format;
    format.threads = 1;
    const double core = CoreRate();
    double seconds = 0.0;
    for (auto _ : state) {
        std::istringstream in(csv);
        std::ostringstream out;
        const std::clock_t start = std::clock();
        benchmark::DoNotOptimize(zandrevio::cli::Batch(in, out, settings, json, format));
        seconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    state.SetItemsProcessed(state.iterations() * rows);
    const double rate = static_cast<double>(state.iterations() * rows) / seconds;
    state.counters["of_core"] = rate / core;
}

void BM_BatchCsvOneThread(benchmark::State& state)
{
    Batch(state, false);
}

void BM_BatchJsonLinesOneThread(benchmark::State& state)
{
    Batch(state, true);
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

BENCHMARK(BM_CoreChannelsForGos)->Arg(kRows)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_BatchCsvOneThread)->Arg(kRows)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_BatchJsonLinesOneThread)->Arg(kRows)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_TableTwoHundredRowsSevenColumns)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
