// Start to first paint: the main window built (FormCreate included), shown
// and painted once, as the program starts.
#include "shell/Zandrevio.h"

#include <QApplication>
#include <QPixmap>

#include <benchmark/benchmark.h>

namespace {

void BM_StartToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        zandrevio::TZandrevio window;
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}

BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
