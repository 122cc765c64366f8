// The Antenna page's pattern file: Browse, Calculate with its results and
// both polar plots, a refusal at its field, and the plots' copy and save.
#include "WindowFixture.h"

#include "../terrain/temp_directory.h"
#include "patterns/PatternPlot.h"
#include "widgets/CopyResults.h"
#include "widgets/PlotImage.h"

#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QTimer>

#include <cmath>
#include <fstream>

namespace zandrevio::test {
namespace {

const QRgb kBlue = qRgb(0, 0, 255);

class PatternWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(3);
        // A sector 65 degrees wide, 10 high, its beam 6 degrees down, 15.85 dBd.
        msi = (directory.Path() / "sector.msi").string();
        std::ofstream out(msi);
        out << "NAME Sector 65\nGAIN 15.85 dBd\nTILT ELECTRICAL 6\nHORIZONTAL 360\n";
        for (int a = 0; a < 360; ++a) {
            const double phi = a > 180 ? a - 360 : a;
            out << a << " " << std::min(12.0 * (phi / 65) * (phi / 65), 30.0) << "\n";
        }
        out << "VERTICAL 360\n";
        for (int a = 0; a < 360; ++a) {
            const double d = a > 180 ? a - 360 : a;
            out << a << " " << (std::fabs(d) <= 90 ? std::min(12.0 * ((d - 6) / 10) * ((d - 6) / 10), 30.0) : 30.0)
                << "\n";
        }
    }

    static void WhenFileDialogOpens(std::function<void(QFileDialog&)> answer)
    {
        QTimer::singleShot(0, [answer = std::move(answer)] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(*dialog);
        });
    }

    int BluePixels(const char* plot)
    {
        const QImage& surface = Find<PlotImage>(plot)->Surface();
        int blue = 0;
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                blue += surface.pixel(x, y) == kBlue;
            }
        }
        return blue;
    }

    TempDirectory directory;
    std::string msi;
};

// Browse puts the file chosen into the field; Calculate gives the core's
// figures and draws both cuts, each described for a screen reader.
TEST_F(PatternWindow, BrowseThenCalculateDrawsBothCutsAndGivesTheFigures)
{
    QStringList filters;
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        filters = dialog.nameFilters();
        dialog.selectFile(QString::fromStdString(msi));
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    Press("PatternBrowseButton");
    EXPECT_EQ(TextOf("PatternPatternField"), QString::fromStdString(msi));
    EXPECT_EQ(filters, QStringList({"Antenna patterns (*.msi *.pln *.txt *.nsm *.adf)", "All files (*)"}));
    Enter("PatternBearingField", "30");
    Enter("PatternElevationField", "-6");
    Press("PatternButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    EXPECT_EQ(TextOf("PatternGainResult"), "15.44");
    EXPECT_EQ(TextOf("PatternHorizontalBeamwidthResult"), "64.99");
    EXPECT_EQ(TextOf("PatternVerticalBeamwidthResult"), "10");
    EXPECT_EQ(TextOf("PatternFrontToBackResult"), "30");
    EXPECT_EQ(TextOf("PatternElectricalTiltResult"), "6");
    EXPECT_GT(BluePixels("HorizontalPatternImage"), 100);
    EXPECT_GT(BluePixels("VerticalPatternImage"), 100);
    EXPECT_EQ(Find<PlotImage>("HorizontalPatternImage")->accessibleDescription(),
              "Horizontal pattern of Sector 65 in dB from the main beam: half-power beamwidth 64.99 degrees, "
              "front-to-back ratio 30 dB");
    // The beam drawn where the cut has it: boresight up in the horizontal plot,
    // 6 degrees below the horizon on the right in the vertical one.
    const QImage& vertical = Find<PlotImage>("VerticalPatternImage")->Surface();
    const QPointF centre(vertical.width() / 2.0, 20 + (vertical.height() - 20) / 2.0);
    const qreal radius = std::min(vertical.width(), vertical.height() - 20) / 2.0 - 22.0;
    const QPoint peak(static_cast<int>(centre.x() + radius * std::cos(6 * M_PI / 180)),
                      static_cast<int>(centre.y() + radius * std::sin(6 * M_PI / 180)));
    int near = 0;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            near += vertical.pixel(peak.x() + dx, peak.y() + dy) == kBlue;
        }
    }
    EXPECT_GT(near, 0);

    // Cancelled, Browse leaves the field as it was.
    WhenFileDialogOpens([](QFileDialog& dialog) { dialog.reject(); });
    Press("PatternBrowseButton");
    EXPECT_EQ(TextOf("PatternPatternField"), QString::fromStdString(msi));
}

// A file at fault is refused at the file's field with its line; the plots
// of the last pattern are cleared, not left beside the refusal.
TEST_F(PatternWindow, AFaultyFileIsRefusedAtItsFieldAndClearsThePlots)
{
    Put(Find<QLineEdit>("PatternPatternField"), QString::fromStdString(msi));
    Press("PatternButton");
    ASSERT_GT(BluePixels("HorizontalPatternImage"), 100);
    const std::string broken = (directory.Path() / "broken.msi").string();
    std::ofstream(broken) << "NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n90 ten\n";
    Put(Find<QLineEdit>("PatternPatternField"), QString::fromStdString(broken));
    Press("PatternButton");
    ExpectRefused(QString::fromStdString("The pattern " + broken + ", line 5 (HORIZONTAL): 'ten' is not a number"),
                  "PatternPatternField");
    EXPECT_EQ(BluePixels("HorizontalPatternImage"), 0);
    EXPECT_EQ(BluePixels("VerticalPatternImage"), 0);
}

// Each plot copies and saves its picture, SVG as vectors; Copy results
// gives the form's fields and figures.
TEST_F(PatternWindow, ThePlotsCopyAndSaveAndTheResultsCopy)
{
    Put(Find<QLineEdit>("PatternPatternField"), QString::fromStdString(msi));
    Press("PatternButton");
    auto* plot = Find<PlotImage>("VerticalPatternImage");
    const QString file = QString::fromStdString((directory.Path() / "vertical.svg").string());
    WhenFileDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(file);
        static_cast<QDialog&>(dialog).accept(); // QFileDialog keeps its accept protected
    });
    plot->ContextMenu()->actions().at(1)->trigger();
    EXPECT_TRUE(feedback.Take().isEmpty());
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_FALSE(bytes.contains("<image"));
    for (const char* text : {"Vertical", "0 dB", "-30", "270"}) {
        EXPECT_TRUE(bytes.contains(text)) << text;
    }
    QGuiApplication::clipboard()->clear();
    plot->ContextMenu()->actions().front()->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), PatternPictureSize());
    const QString copied = ResultsText(*Find<QWidget>("PatternPanel"));
    EXPECT_TRUE(copied.contains("Main beam gain")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("18")) << copied.toStdString();
}

} // namespace
} // namespace zandrevio::test
