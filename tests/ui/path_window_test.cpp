// The Path page's buttons wired to the core: a link over a profile's CSV
// file or over elevation data, its refusals at their fields, the plot's
// copy and save, and the file dialogs of Browse.
#include "WindowFixture.h"

#include "../terrain/temp_directory.h"
#include "../terrain/test_rasters.h"
#include "propagation/PathPlot.h"
#include "propagation/path_link.h"
#include "terrain/path_source.h"
#include "widgets/CopyResults.h"
#include "widgets/FieldTable.h"
#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"

#include <QAccessible>
#include <QClipboard>
#include <QFileDialog>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

#include <cmath>
#include <fstream>
#include <functional>

namespace zandrevio::test {
namespace {

// 20 km over a hill at 12 km that stands in the first Fresnel zone at 7 GHz
// without blocking the line between two 30 m masts.
constexpr const char* kHillCsv = "distance,height\n"
                                 "0,100\n2,98\n4,96\n6,101\n8,104\n10,110\n11,118\n12,121\n13,117\n14,110\n"
                                 "16,104\n18,99\n20,102\n";

// A small square of elevation data: 0.1° of 0.001° pixels from 45.1° N,
// 10° E, a ridge running north-south in its middle.
RasterShape Ridge()
{
    return {100,   100,
            10.0,  45.1,
            0.001, [](int column, int) { return 200.0 + 80.0 * std::exp(-((column - 50) * (column - 50)) / 50.0); }};
}

class PathWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(6);
        csv = WriteFile("hill.csv", kHillCsv);
    }

    std::string WriteFile(const std::string& name, const std::string& text)
    {
        const std::filesystem::path file = directory.Path() / name;
        std::ofstream(file) << text;
        return file.string();
    }

    // Chooses the profile's source as a click on its radio button would.
    void UseElevationData(bool dem) { Click(Find<RadioGroup>("ProfileSourceGroup")->Button(dem ? 1 : 0)); }

    // The link as the core gives it for the page's start values.
    static Outcome<PathResult, PathField> CoreLink(const PathSource& source, bool budget = true)
    {
        const auto loaded = LoadPathProfile(source);
        EXPECT_TRUE(loaded.Ok()) << (loaded.Ok() ? "" : loaded.Error().message);
        Inputs<PathField> in;
        for (const FieldSpec<PathField>& spec : kPath.fields) {
            if (!budget && spec.field >= PathField::Power) {
                continue;
            }
            if (spec.kind == FieldKind::Choice) {
                in.Set(spec.field, static_cast<long double>(StartIndex(kPath, spec.field)));
            } else {
                in.Set(spec.field, Input::Text(std::string(spec.start)));
            }
        }
        return PathLink(loaded.Value().profile, in);
    }

    // Runs `answer` on the file dialog as soon as it opens.
    static void WhenFileDialogOpens(std::function<void(QFileDialog&)> answer)
    {
        QTimer::singleShot(0, [answer = std::move(answer)] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
    }

    TempDirectory directory;
    std::string csv;
};

TEST_F(PathWindow, CalculateOverACsvProfileShowsTheCoresLink)
{
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    const auto core = CoreLink({csv, {}, "", "", ""});
    ASSERT_TRUE(core.Ok());
    const PathResult& link = core.Value();
    EXPECT_EQ(TextOf("DistanceResult"), "20");
    EXPECT_EQ(TextOf("LineOfSightResult"), link.lineOfSight ? "yes" : "no");
    EXPECT_EQ(TextOf("ClearanceResult"), ResultText(kPathResultClearance, link.clearance));
    EXPECT_EQ(TextOf("WorstPointResult"), "12");
    EXPECT_EQ(TextOf("Fresnel60Result"), link.fresnel60 ? "yes" : "no");
    EXPECT_EQ(TextOf("FreeSpaceLossResult"), ResultText(kPathResultFreeSpaceLoss, link.freeSpaceLossDb));
    EXPECT_EQ(TextOf("DiffractionLossResult"), ResultText(kPathResultDiffractionLoss, link.diffractionLossDb));
    EXPECT_EQ(TextOf("PathLossResult"), ResultText(kPathResultLoss, link.pathLossDb));
    EXPECT_EQ(TextOf("ReceivedPowerResult"), ResultText(kPathResultReceivedPower, *link.receivedPowerDbm));
    EXPECT_EQ(TextOf("FadeMarginResult"), ResultText(kPathResultFadeMargin, *link.fadeMarginDb));
    // The hill stands in the zone, not in the line.
    EXPECT_EQ(TextOf("LineOfSightResult"), "yes");
    EXPECT_EQ(TextOf("Fresnel60Result"), "no");
    EXPECT_EQ(TextOf("FreeSpaceLossResult"), "135.37");
    // A profile's file has no bearings; 7 GHz is within the method's range.
    EXPECT_FALSE(Find<QWidget>("BearingResult")->isVisible());
    EXPECT_FALSE(Find<QWidget>("ReverseBearingCaption")->isVisible());
    EXPECT_EQ(Find<NoteLabel>("PathWarnings")->Notes(), QStringList());

    auto* plot = Find<PlotImage>("PathImage");
    EXPECT_EQ(plot->accessibleDescription(), PathPlotDescription(link));
    EXPECT_TRUE(plot->accessibleDescription().contains("worst clearance"));
    int blue = 0;
    const QImage& surface = plot->Surface();
    for (int x = 0; x < surface.width(); ++x) {
        for (int y = 0; y < surface.height(); ++y) {
            blue += surface.pixelColor(x, y) == QColor(Qt::blue) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, surface.width() / 2); // the line of sight across
}

TEST_F(PathWindow, WithoutTheBudgetNoReceivedPowerIsShown)
{
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    auto* budget = Find<QGroupBox>("BudgetGroup");
    budget->setChecked(false);
    EXPECT_FALSE(Find<QWidget>("PowerField")->isEnabled());
    // A power the budget would refuse is not read.
    Put(Find<QLineEdit>("PowerField"), "0");
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    EXPECT_FALSE(Find<QWidget>("ReceivedPowerResult")->isVisible());
    EXPECT_FALSE(Find<QWidget>("FadeMarginUnit")->isVisible());
    EXPECT_EQ(TextOf("PathLossResult"),
              ResultText(kPathResultLoss, CoreLink({csv, {}, "", "", ""}, false).Value().pathLossDb));

    budget->setChecked(true);
    Put(Find<QLineEdit>("PowerField"), "2");
    Press("CalculateButton");
    EXPECT_TRUE(Find<QWidget>("ReceivedPowerResult")->isVisible());
    EXPECT_FALSE(TextOf("FadeMarginResult").isEmpty());
}

struct RefusalCase {
    const char* what;
    bool dem;
    std::vector<std::pair<const char*, const char*>> fields; // "$csv" and "$raster" stand for the files made
    const char* message;                                     // nullptr: the core's own, asked for the same source
    const char* focus;
};

const RefusalCase kRefusals[] = {
    {"no file named",
     false,
     {{"ProfileFileField", ""}},
     "Give a profile's CSV file, or elevation rasters with the two ends",
     "ProfileFileField"},
    {"a file that cannot be read",
     false,
     {{"ProfileFileField", "/nonexistent/profile.csv"}},
     nullptr,
     "ProfileFileField"},
    {"no elevation data named",
     true,
     {{"ProfileFileField", " , "}},
     "Give a profile's CSV file, or elevation rasters with the two ends",
     "ProfileFileField"},
    {"a transmitter's place that is no place",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "north"}, {"ToField", "45.05,10.09"}},
     "The transmitter's place must be LAT,LON in degrees, as 45.5,6.25",
     "FromField"},
    {"a receiver's place without its longitude",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "45.05,10.01"}, {"ToField", "45.05"}},
     "The receiver's place must be LAT,LON in degrees, as 45.5,6.25",
     "ToField"},
    {"a step that is no number",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "45.05,10.01"}, {"ToField", "45.05,10.09"}, {"StepField", "x"}},
     "The step must be a number of metres",
     "StepField"},
    {"a step of nothing",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "45.05,10.01"}, {"ToField", "45.05,10.09"}, {"StepField", "0"}},
     "The step must be greater than 0 m",
     "StepField"},
    {"a latitude off the globe",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "95,10.01"}, {"ToField", "45.05,10.09"}},
     nullptr,
     "FromField"},
    {"a longitude off the globe",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "45.05,10.01"}, {"ToField", "45.05,190"}},
     nullptr,
     "ToField"},
    {"both ends at one place",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "45.05,10.01"}, {"ToField", "45.05;10.01"}},
     "The transmitter and the receiver are at the same place",
     "ToField"},
    {"a place outside the data",
     true,
     {{"ProfileFileField", "$raster"}, {"FromField", "45.05,10.01"}, {"ToField", "46,10.09"}},
     nullptr,
     "ProfileFileField"},
    {"a negative height",
     false,
     {{"ProfileFileField", "$csv"}, {"TxHeightField", "-5"}},
     "Transmitter antenna below ground: its height must be 0 m or more",
     "TxHeightField"},
    {"a negative receiving height",
     false,
     {{"ProfileFileField", "$csv"}, {"RxHeightField", "-0.5"}},
     "Receiver antenna below ground: its height must be 0 m or more",
     "RxHeightField"},
    {"a zero frequency",
     false,
     {{"ProfileFileField", "$csv"}, {"FrequencyField", "0"}},
     "Frequency must be within the radio spectrum, 0.003 to 3000000 MHz",
     "FrequencyField"},
    {"a zero k-factor",
     false,
     {{"ProfileFileField", "$csv"}, {"KFactorField", "0"}},
     "The k-factor must be greater than 0",
     "KFactorField"},
    {"a zero power",
     false,
     {{"ProfileFileField", "$csv"}, {"PowerField", "0"}},
     "Transmitter power must be greater than 0",
     "PowerField"},
};

TEST_F(PathWindow, EveryRefusalShowsItsMessageAndSelectsItsField)
{
    const std::string raster = WriteRaster(directory.Path(), "ridge.tif", Ridge()).string();
    for (const RefusalCase& c : kRefusals) {
        SCOPED_TRACE(c.what);
        // Each case from the page's start values, in a window of its own.
        window = std::make_unique<TZandrevio>();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ShowPage(6);
        UseElevationData(c.dem);
        for (const auto& [name, text] : c.fields) {
            QString value = QString::fromUtf8(text);
            value.replace("$csv", QString::fromStdString(csv)).replace("$raster", QString::fromStdString(raster));
            Put(Find<QLineEdit>(name), value);
        }
        Press("CalculateButton");
        QString message = QString::fromUtf8(c.message != nullptr ? c.message : "");
        if (c.message == nullptr) {
            // What the core refuses the same source with, reading or cutting it.
            const std::string file = TextOf("ProfileFileField").toStdString();
            const PathSource source = c.dem ? PathSource{{},
                                                         SplitFileList(file),
                                                         TextOf("FromField").toStdString(),
                                                         TextOf("ToField").toStdString(),
                                                         ""}
                                            : PathSource{file, {}, "", "", ""};
            const auto loaded = LoadPathProfile(source);
            ASSERT_FALSE(loaded.Ok());
            message = QString::fromStdString(loaded.Error().message);
            EXPECT_FALSE(message.isEmpty());
        }
        ExpectRefused(message, c.focus);
        EXPECT_EQ(TextOf("DistanceResult"), "");
    }
}

TEST_F(PathWindow, ElevationDataGivesTheBearingsAndTheCoresLink)
{
    const std::string raster = WriteRaster(directory.Path(), "ridge.tif", Ridge()).string();
    // The ends and the step are the elevation data's: enabled with it only.
    EXPECT_FALSE(Find<QWidget>("FromField")->isEnabled());
    UseElevationData(true);
    EXPECT_TRUE(Find<QWidget>("FromField")->isEnabled());
    EXPECT_EQ(Find<QWidget>("ProfileFileField")->accessibleName(), "Elevation data files");
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(raster));
    Put(Find<QLineEdit>("FromField"), "45.05,10.01");
    Put(Find<QLineEdit>("ToField"), "45.06, 10.09");
    Put(Find<QLineEdit>("StepField"), "50");
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());

    const PathSource source{{}, {raster}, "45.05,10.01", "45.06, 10.09", "50"};
    const auto loaded = LoadPathProfile(source);
    ASSERT_TRUE(loaded.Ok());
    const auto core = CoreLink(source);
    ASSERT_TRUE(core.Ok());
    EXPECT_EQ(TextOf("DistanceResult"), ResultText(kPathResultDistance, core.Value().distanceKm));
    EXPECT_EQ(TextOf("BearingResult"), ResultText(kPathResultBearing, loaded.Value().dem->bearingDeg));
    EXPECT_EQ(TextOf("ReverseBearingResult"),
              ResultText(kPathResultReverseBearing, loaded.Value().dem->reverseBearingDeg));
    EXPECT_EQ(TextOf("PathLossResult"), ResultText(kPathResultLoss, core.Value().pathLossDb));
    EXPECT_TRUE(Find<QWidget>("BearingResult")->isVisible());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("BearingResult"))->text(QAccessible::Name),
              "Bearing: " + TextOf("BearingResult") + " °");

    // Back to a profile's file: no bearings.
    UseElevationData(false);
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    Press("CalculateButton");
    EXPECT_FALSE(Find<QWidget>("BearingResult")->isVisible());
}

TEST_F(PathWindow, BrowsePutsTheProfileChosenIntoTheFileField)
{
    QStringList filters;
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        dialog.selectFile(QString::fromStdString(csv));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    Press("BrowseButton");
    EXPECT_EQ(TextOf("ProfileFileField"), QString::fromStdString(csv));
    EXPECT_EQ(filters, QStringList({"Terrain profiles (*.csv)", "All files (*)"}));
    Press("CalculateButton");
    EXPECT_EQ(TextOf("DistanceResult"), "20");

    // Cancelled: the field keeps its name.
    WhenFileDialogOpens([](QFileDialog& dialog) { dialog.reject(); });
    Press("BrowseButton");
    EXPECT_EQ(TextOf("ProfileFileField"), QString::fromStdString(csv));
}

TEST_F(PathWindow, BrowseForElevationDataOffersTheRasterFiles)
{
    const std::string raster = WriteRaster(directory.Path(), "ridge.tif", Ridge()).string();
    UseElevationData(true);
    QStringList filters;
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
        dialog.selectFile(QString::fromStdString(raster));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    Press("BrowseButton");
    EXPECT_EQ(filters, QStringList({"Elevation data (*.hgt *.tif *.tiff *.vrt)", "All files (*)"}));
    EXPECT_EQ(TextOf("ProfileFileField"), QString::fromStdString(raster));
}

TEST_F(PathWindow, CopyImageCopiesThePictureWithItsAxesAndKey)
{
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    Press("CalculateButton");
    auto* plot = Find<PlotImage>("PathImage");
    const auto menu = plot->ContextMenu();
    QStringList offered;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            offered << action->text();
        }
    }
    ASSERT_EQ(offered, QStringList({"Copy image", "Save image as...", "Copy results"}));
    QGuiApplication::clipboard()->clear();
    menu->actions().front()->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), QSize(kPathPictureWidth, kPathPictureHeight));
    EXPECT_EQ(copied.convertToFormat(QImage::Format_ARGB32), plot->Picture());
}

// "Save image as..." through its dialog, the file's type by the name chosen.
class PathSave : public PathWindow, public ::testing::WithParamInterface<const char*> { };

TEST_P(PathSave, SaveImageAsWritesTheTypeNamed)
{
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    Press("CalculateButton");
    auto* plot = Find<PlotImage>("PathImage");
    const QString file = QString::fromStdString((directory.Path() / "profile").string()) + GetParam();
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(file);
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    plot->ContextMenu()->actions().at(1)->trigger();
    EXPECT_TRUE(feedback.Take().isEmpty());
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << file.toStdString();
    const QByteArray bytes = saved.readAll();
    if (QString(GetParam()) == ".png") {
        EXPECT_EQ(QImage::fromData(bytes).size(), QSize(kPathPictureWidth, kPathPictureHeight));
        return;
    }
    // Vectors and texts, no bitmap.
    EXPECT_FALSE(bytes.contains("<image"));
    for (const char* text : {"Distance (km)", "Height (m)", "Line of sight", "First Fresnel zone", "60 % of F1",
                             "Worst point", "Terrain on the curved earth"}) {
        EXPECT_TRUE(bytes.contains(text)) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(PngAndSvg, PathSave, ::testing::Values(".png", ".svg"));

TEST_F(PathWindow, CopyResultsGivesTheSourceTheFieldsAndTheResults)
{
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    Press("CalculateButton");
    const QString copied = ResultsText(*Find<QWidget>("Path"));
    const QStringList lines = {
        "Source\tProfile file (CSV)\t\n", "Profile file\t" + QString::fromStdString(csv) + "\t\n",
        "Frequency\t7000\tMHz\n",         "Polarization\tHorizontal\t\n",
        "Transmitter power\t1\tW\n",      "Distance\t20\tkm\n",
        "Line of sight\tyes\t\n",         "Path loss\t" + TextOf("PathLossResult") + "\tdB\n",
    };
    for (const QString& line : lines) {
        EXPECT_TRUE(copied.contains(line)) << line.toStdString() << "\nin\n" << copied.toStdString();
    }
    // What the source does not use is not copied: the ends and bearings.
    EXPECT_FALSE(copied.contains("Transmitter place")) << copied.toStdString();
    EXPECT_FALSE(copied.contains("Bearing")) << copied.toStdString();
}

// Below the link: rain's attenuation alone, from its start values.
TEST_F(PathWindow, RainAttenuationIsCalculatedAndRefusedBelowTheLink)
{
    // 42 mm/h at 18 GHz, horizontal: k R^α = 4.0365 dB/km; over 10 km 24.12 dB for 0.01 %.
    Press("RainButton");
    EXPECT_EQ(TextOf("RainSpecificAttenuationResult"), "4.0365");
    EXPECT_EQ(TextOf("RainRainAttenuationResult"), "24.12");
    EXPECT_TRUE(feedback.Take().isEmpty());
    Enter("RainFrequencyField", "0.001");
    Press("RainButton");
    ExpectRefused("Frequency must be within the radio spectrum, 0.003 to 3000000 MHz", "RainFrequencyField");
    EXPECT_EQ(TextOf("RainRainAttenuationResult"), "24.12");
    // The page scrolls down to the field refused.
    EXPECT_GT(Find<QScrollArea>("PathScroll")->verticalScrollBar()->value(), 0);
}

TEST_F(PathWindow, ARefusalLeavesNoOldResultBesideIt)
{
    Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(csv));
    Find<QGroupBox>("AvailabilityGroup")->setChecked(true);
    Press("CalculateButton");
    ASSERT_FALSE(TextOf("PathLossResult").isEmpty());
    ASSERT_FALSE(TextOf("AvailabilityResult").isEmpty());
    ASSERT_FALSE(Find<QWidget>("PathImage")->accessibleDescription().isEmpty());
    Put(Find<QLineEdit>("FrequencyField"), "");
    Press("CalculateButton");
    EXPECT_EQ(feedback.Take(), QStringList({"app: '' is not a valid floating point value."}));
    for (const char* result : {"PathLossResult", "DistanceResult", "ClearanceResult", "AvailabilityResult"}) {
        EXPECT_EQ(TextOf(result), "") << result;
    }
    // A refusal at a field, too.
    Put(Find<QLineEdit>("FrequencyField"), "7000");
    Press("CalculateButton");
    ASSERT_FALSE(TextOf("PathLossResult").isEmpty());
    Put(Find<QLineEdit>("FrequencyField"), "-5");
    Press("CalculateButton");
    EXPECT_EQ(feedback.Take(),
              QStringList({"beep", "error: Frequency must be within the radio spectrum, 0.003 to 3000000 MHz"}));
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("FrequencyField"));
    EXPECT_EQ(TextOf("PathLossResult"), "");
    EXPECT_FALSE(Find<QWidget>("HopGroup")->isVisible());
    EXPECT_EQ(Find<QWidget>("PathImage")->accessibleDescription(), "");
    EXPECT_EQ(Find<PlotImage>("PathImage")->Picture().pixel(100, 60), QColor(Qt::transparent).rgba());
}

} // namespace
} // namespace zandrevio::test
