// Start to first paint: the main window built (FormCreate included), shown
// and painted once, as the program starts; beside it a bare window of six
// pages with a few widgets, the least a Qt window of this kind costs. Both in
// the process's CPU time.
#include "receiver/ReceiverPanel.h"
#include "shell/Zandrevio.h"
#include "widgets/CopyResults.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

// The Receiver page with a busy site's carriers: 28 GSM 900 carriers six
// channels apart and four of the 1800 and 2100 bands. Its bands are the GSM
// 900 and 1800 uplinks (some 23,000 products to the seventh order) or, with
// `everything`, one band from 1 MHz to 100 GHz (some 715,000).
void FillBusySite(zandrevio::ReceiverPanel& panel, bool everything)
{
    auto* carrier = panel.findChild<QLineEdit*>(QStringLiteral("CarrierField"));
    auto* low = panel.findChild<QLineEdit*>(QStringLiteral("BandLowField"));
    auto* high = panel.findChild<QLineEdit*>(QStringLiteral("BandHighField"));
    panel.findChild<QListWidget*>(QStringLiteral("CarrierList"))->clear();
    panel.findChild<QListWidget*>(QStringLiteral("BandList"))->clear();
    QStringList carriers;
    for (int k = 0; k < 28; ++k) {
        carriers << QString::number((9252 + 12 * k) / 10.0, 'f', 1);
    }
    carriers << QStringLiteral("1805.2") << QStringLiteral("1842.6") << QStringLiteral("1870")
             << QStringLiteral("2112.4");
    for (const QString& text : carriers) {
        carrier->setText(text);
        panel.AddCarrierClick();
    }
    const std::vector<std::pair<const char*, const char*>> bands = everything
        ? std::vector<std::pair<const char*, const char*>>{{"1", "100000"}}
        : std::vector<std::pair<const char*, const char*>>{{"880", "915"}, {"1710", "1785"}};
    for (const auto& [from, to] : bands) {
        low->setText(QString::fromLatin1(from));
        high->setText(QString::fromLatin1(to));
        panel.AddBandClick();
    }
    panel.resize(760, 1400);
    panel.show();
    QApplication::processEvents();
}

// Calculate pressed and the page painted with its table of products and its plot.
void BM_BusySiteSearchShown(benchmark::State& state)
{
    zandrevio::ReceiverPanel panel;
    FillBusySite(panel, state.range(0) != 0);
    for (auto _ : state) {
        panel.IntermodClick();
        QApplication::processEvents();
        benchmark::DoNotOptimize(panel.grab());
    }
}

BENCHMARK(BM_BusySiteSearchShown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// "Copy results" of the page after that search: every product's cells.
void BM_BusySiteResultsCopied(benchmark::State& state)
{
    zandrevio::ReceiverPanel panel;
    FillBusySite(panel, state.range(0) != 0);
    panel.IntermodClick();
    QApplication::processEvents();
    for (auto _ : state) {
        benchmark::DoNotOptimize(zandrevio::ResultsText(panel));
    }
}

BENCHMARK(BM_BusySiteResultsCopied)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

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
