// The Coverage page: its inputs and their refusals, Calculate in the
// background with Cancel, the map and its read-out, and what leaves it
// (GeoTIFF, PNG, SVG, Copy results), the same numbers as zandrevio-calc's.
#include "WindowFixture.h"

#include "../cli/run_calc.h"
#include "../terrain/temp_directory.h"
#include "../terrain/test_rasters.h"
#include "coverage/CoveragePanel.h"

#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTableWidget>
#include <QTimer>

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>

#include <cmath>
#include <fstream>

namespace zandrevio::test {
namespace {

class CoverageWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(8);
        dem = WriteRaster(directory.Path(), "hills.tif", {200, 200, 6.0, 45.2, 0.001, [](int column, int row) {
                                                              return 300.0 + 150.0 * std::sin(column / 9.0) *
                                                                  std::cos(row / 7.0);
                                                          }})
                  .string();
        panel = Find<CoveragePanel>("CoveragePanel");
    }

    static void WhenFileDialogOpens(std::function<void(QFileDialog&)> answer)
    {
        QTimer::singleShot(0, [answer = std::move(answer)] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
    }

    // Two sites, 1.5 km around each at 150 m, in a maritime climate at 90 % of the time.
    void TypeInputs()
    {
        Put(Find<QLineEdit>("DemField"), QString::fromStdString(dem));
        auto* climate = Find<QComboBox>("ClimatePicker");
        climate->setCurrentIndex(climate->findData("maritime-temperate-land"));
        Put(Find<QLineEdit>("TimeField"), "90");
        Put(Find<QLineEdit>("RadiusField"), "1.5");
        Put(Find<QLineEdit>("ResolutionField"), "150");
        auto* sites = Find<QTableWidget>("SiteTable");
        const char* rows[2][6] = {{"North", "45.13", "6.08", "30", "900", "20"},
                                  {"East", "45.11", "6.11", "25", "900", "20"}};
        Press("AddSiteButton");
        ASSERT_EQ(sites->rowCount(), 2);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 6; ++column) {
                sites->item(row, column)->setText(rows[row][column]);
            }
        }
    }

    // Calculate, and wait for the work to come back.
    void CalculateAndWait()
    {
        Press("CoverageButton");
        QElapsedTimer waited;
        waited.start();
        while (panel->Running() && waited.elapsed() < 60000) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QApplication::processEvents();
    }

    static std::vector<std::vector<float>> Bands(const std::string& file)
    {
        GDALAllRegister();
        std::vector<std::vector<float>> bands;
        GDALDataset* data = GDALDataset::Open(file.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY);
        EXPECT_NE(data, nullptr) << file;
        if (data == nullptr) {
            return bands;
        }
        for (int band = 1; band <= data->GetRasterCount(); ++band) {
            std::vector<float> values(static_cast<std::size_t>(data->GetRasterXSize()) * data->GetRasterYSize());
            EXPECT_EQ(data->GetRasterBand(band)->RasterIO(GF_Read, 0, 0, data->GetRasterXSize(),
                                                          data->GetRasterYSize(), values.data(),
                                                          data->GetRasterXSize(), data->GetRasterYSize(),
                                                          GDT_Float32, 0, 0),
                      CE_None);
            bands.push_back(std::move(values));
        }
        GDALClose(data);
        return bands;
    }

    TempDirectory directory;
    std::string dem;
    CoveragePanel* panel = nullptr;
};

// Calculate draws the map in the background; saved as a GeoTIFF it holds
// the very pixels zandrevio-calc coverage --sites writes for the same inputs.
TEST_F(CoverageWindow, CalculateDrawsTheMapTheCommandLineWrites)
{
    TypeInputs();
    CalculateAndWait();
    EXPECT_TRUE(feedback.Take().isEmpty());
    ASSERT_NE(panel->Map()->Data(), nullptr);
    EXPECT_EQ(Find<QProgressBar>("CoverageProgress")->value(), 1000);
    EXPECT_TRUE(TextOf("SummaryLabel").contains("% of the area the sites reach is at or above -100 dBm"));
    const std::string saved = (directory.Path() / "page.tif").string();
    ASSERT_TRUE(panel->SaveTo(QString::fromStdString(saved)));

    std::ofstream(directory.Path() / "sites.csv") << "name,site,tx-height,frequency,power\n"
                                                     "North,\"45.13,6.08\",30,900,20\nEast,\"45.11,6.11\",25,900,20\n";
    const std::string written = (directory.Path() / "calc.tif").string();
    const CalcRun run = RunCalc({"coverage", "--dem", dem, "--sites", (directory.Path() / "sites.csv").string(),
                                 "--radius", "1.5", "--resolution", "150", "--rx-height", "1.5", "--climate",
                                 "maritime-temperate-land", "--time", "90", "--output", written});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto page = Bands(saved);
    const auto calc = Bands(written);
    ASSERT_EQ(page.size(), 5u);
    EXPECT_EQ(page, calc);

    // The map's read-out: the point under the mouse, and from the keyboard its centre.
    auto* map = panel->Map();
    // Just east of the northern site.
    const QPointF near = map->ScreenOf({45.13L, 6.085L});
    QMouseEvent move(QEvent::MouseMove, near, map->mapToGlobal(near), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map, &move);
    EXPECT_TRUE(TextOf("ReadoutLabel").contains("terrain")) << TextOf("ReadoutLabel").toStdString();
    EXPECT_TRUE(TextOf("ReadoutLabel").contains("best server North")) << TextOf("ReadoutLabel").toStdString();
    EXPECT_TRUE(TextOf("ReadoutLabel").startsWith("45.1")) << TextOf("ReadoutLabel").toStdString();
    FocusOn(map);
    const double before = map->Zoom();
    QTest::keyClick(map, Qt::Key_Plus);
    EXPECT_GT(map->Zoom(), before);
    QTest::keyClick(map, Qt::Key_Left);
    EXPECT_FALSE(TextOf("ReadoutLabel").isEmpty());
    Find<QComboBox>("BandPicker")->setCurrentIndex(1);
    EXPECT_EQ(map->Band(), CoverageBand::BestServer);
    EXPECT_TRUE(map->accessibleDescription().contains("North serves")) << map->accessibleDescription().toStdString();
}

// A field at fault is refused at that field, a site's at its cell; nothing runs.
TEST_F(CoverageWindow, RefusesAtTheFieldAtFault)
{
    Press("CoverageButton");
    ExpectRefused("Give the elevation data: raster files GDAL reads, separated by commas", "DemField");
    TypeInputs();
    auto* sites = Find<QTableWidget>("SiteTable");
    sites->item(1, 1)->setText("north");
    Press("CoverageButton");
    EXPECT_FALSE(panel->Running());
    EXPECT_EQ(sites->currentRow(), 1);
    EXPECT_EQ(sites->currentColumn(), 1);
    EXPECT_TRUE(feedback.Take().join(" ").contains("East: --from: 'north,6.11' is not LAT,LON"));
    sites->item(1, 1)->setText("45.11");
    Put(Find<QLineEdit>("ResolutionField"), "0");
    Press("CoverageButton");
    EXPECT_FALSE(panel->Running());
    EXPECT_FALSE(feedback.Take().isEmpty());
}

// Cancel leaves the map before as it was; Remove and Add change the sites;
// Load reads a sites' CSV; Browse names the elevation data.
TEST_F(CoverageWindow, CancelKeepsTheMapAndTheSiteButtonsWork)
{
    TypeInputs();
    CalculateAndWait();
    const auto first = panel->Map()->Data();
    ASSERT_NE(first, nullptr);
    Put(Find<QLineEdit>("ResolutionField"), "5");
    Press("CoverageButton");
    EXPECT_TRUE(panel->Running());
    Press("CancelButton");
    QElapsedTimer waited;
    waited.start();
    while (panel->Running() && waited.elapsed() < 120000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_FALSE(panel->Running());
    EXPECT_EQ(panel->Map()->Data(), first); // cancelled: no new map, the old one kept
    EXPECT_EQ(Find<QProgressBar>("CoverageProgress")->value(), 0);

    auto* sites = Find<QTableWidget>("SiteTable");
    sites->setCurrentCell(0, 0);
    Press("RemoveSiteButton");
    EXPECT_EQ(sites->rowCount(), 1);
    EXPECT_EQ(sites->item(0, 0)->text(), "East");
    std::ofstream(directory.Path() / "load.csv") << "name,site,power\nHill,\"45.12,6.1\",40\nVale,\"45.1,6.09\",\n";
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString((directory.Path() / "load.csv").string()));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    Press("LoadSitesButton");
    ASSERT_EQ(sites->rowCount(), 2);
    EXPECT_EQ(sites->item(0, 0)->text(), "Hill");
    EXPECT_EQ(sites->item(0, 1)->text(), "45.12");
    EXPECT_EQ(sites->item(0, 5)->text(), "40");
    EXPECT_EQ(sites->item(1, 5)->text(), "20"); // an empty cell keeps the start
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(QString::fromStdString(dem));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    Put(Find<QLineEdit>("DemField"), "");
    Press("CoverageBrowseButton");
    EXPECT_EQ(TextOf("DemField"), QString::fromStdString(dem));
}

// The picture saves as PNG and SVG with its legend; Copy results gives the
// inputs and the summary.
TEST_F(CoverageWindow, SaveAndCopyResults)
{
    TypeInputs();
    CalculateAndWait();
    const QString png = QString::fromStdString((directory.Path() / "map.png").string());
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(png);
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    Press("SaveMapButton");
    EXPECT_EQ(QImage(png).size(), panel->Map()->PictureSize());
    const QString svg = QString::fromStdString((directory.Path() / "map.svg").string());
    ASSERT_TRUE(panel->SaveTo(svg));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("Level (dBm)"));
    EXPECT_TRUE(bytes.contains("North"));
    // The received level as a KMZ overlay: its document, the overlay and the legend.
    const QString kmz = QString::fromStdString((directory.Path() / "map.kmz").string());
    ASSERT_TRUE(panel->SaveTo(kmz));
    char** entries = VSIReadDir(("/vsizip/" + kmz.toStdString()).c_str());
    EXPECT_EQ(CSLCount(entries), 3);
    CSLDestroy(entries);
    Press("CopyCoverageButton");
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains("Resolution: 150 m")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("North serves")) << copied.toStdString();
}

} // namespace
} // namespace zandrevio::test
