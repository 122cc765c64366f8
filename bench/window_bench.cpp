// Start to first paint: the main window built (FormCreate included), shown
// and painted once, as the program starts; beside it a bare window of six
// pages with a few widgets, the least a Qt window of this kind costs. Both in
// the process's CPU time.
#include "shell/Zandrevio.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

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

BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_BareWindowToFirstPaint(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.resize(600, 433);
        auto* pages = new QTabWidget(&window);
        pages->setGeometry(0, 0, 600, 433);
        for (const char* name : {"RF", "Traffic", "Cable", "Antenna", "Units", "Planning"}) {
            auto* page = new QWidget;
            auto* layout = new QVBoxLayout(page);
            layout->addWidget(new QLabel(QStringLiteral("Caption"), page));
            layout->addWidget(new QLineEdit(QStringLiteral("10"), page));
            layout->addWidget(new QPushButton(QStringLiteral("Calculate"), page));
            pages->addTab(page, QString::fromLatin1(name));
        }
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());
    }
}

BENCHMARK(BM_BareWindowToFirstPaint)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

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
