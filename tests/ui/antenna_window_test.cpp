#include "WindowFixture.h"

#include "antenna/DowntiltPlot.h"
#include "widgets/EntryField.h"
#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/UnitPicker.h"

#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

class AntennaWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(3);
    }

    QRgb Pixel(int x, int y) { return Find<PlotImage>("Image1")->Surface().pixel(x, y); }

    int BluePixels()
    {
        const QImage& surface = Find<PlotImage>("Image1")->Surface();
        int blue = 0;
        for (int y = 0; y < surface.height(); ++y) {
            for (int x = 0; x < surface.width(); ++x) {
                blue += surface.pixel(x, y) == kBlue;
            }
        }
        return blue;
    }
};

TEST_F(AntennaWindow, StartState)
{
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentWidget()->objectName(), "Cable");
    EXPECT_EQ(Find<RadioGroup>("RadioGroup3")->ItemIndex(), 0);
    EXPECT_TRUE(Find<QWidget>("Edit19")->isVisible());
    EXPECT_TRUE(Find<QWidget>("Edit18")->isVisible());
    EXPECT_EQ(TextOf("StaticText41"), "47");
    EXPECT_EQ(TextOf("StaticText12"), "                  Gain");
    EXPECT_EQ(Find<QWidget>("Edit33")->toolTip(), "Vertical Beamwidth (half power point)");
    EXPECT_EQ(TextOf("Label25"), "10");
    EXPECT_EQ(TextOf("Label26"), "0");
    const char* captions[] = {"Label21", "Label22", "Label23", "Label24"};
    const char* texts[] = {"0,2", "0,6", "1,0", "1,4"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(TextOf(captions[i]), texts[i]);
    }
    EXPECT_EQ(Find<PlotImage>("Image1")->Surface().size(), QSize(350, 151));
    EXPECT_EQ(qAlpha(Pixel(175, 75)), 0) << "blank before the first draw";
}

TEST_F(AntennaWindow, IsolationWorkedValuesAndSeparation)
{
    Press("BitBtn13");
    EXPECT_EQ(TextOf("StaticText41"), "46.73");
    Click(Find<RadioGroup>("RadioGroup3")->Button(1));
    EXPECT_FALSE(Find<QWidget>("Edit19")->isVisible());
    EXPECT_FALSE(Find<QWidget>("Edit18")->isVisible());
    EXPECT_TRUE(Find<QWidget>("ListBox14")->isVisible());
    EXPECT_TRUE(Find<QWidget>("StaticText11")->isVisible());
    Press("BitBtn13");
    EXPECT_EQ(TextOf("StaticText41"), "75.33");
    Click(Find<RadioGroup>("RadioGroup3")->Button(0));
    EXPECT_TRUE(Find<QWidget>("Edit19")->isVisible());
    Find<UnitPicker>("ListBox12")->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Enter("Edit17", "30");
    Press("BitBtn13");
    EXPECT_EQ(TextOf("StaticText41"), "45.95");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(AntennaWindow, IsolationRefusals)
{
    Enter("Edit16", "449");
    Enter("Edit17", "0.01");
    Press("BitBtn13");
    ExpectRefused("Frequency must be   450 < F < 960 MHz", "Edit16");
    Enter("Edit16", "600");
    Enter("Edit17", "0.49");
    Press("BitBtn13");
    ExpectRefused("spacing must be > wave length", "Edit17");
    Click(Find<RadioGroup>("RadioGroup3")->Button(1));
    Press("BitBtn13");
    ExpectRefused("separation must be > wave length", "Edit17");
    EXPECT_EQ(TextOf("StaticText41"), "47");
}

TEST_F(AntennaWindow, IsolationReadsSpacingFrequencyAndBothGains)
{
    Find<QLineEdit>("Edit17")->setText("x");
    Find<QLineEdit>("Edit16")->setText("y");
    Press("BitBtn13");
    Find<QLineEdit>("Edit17")->setText("10");
    Click(Find<RadioGroup>("RadioGroup3")->Button(1));
    Find<QLineEdit>("Edit16")->setText("850");
    Find<QLineEdit>("Edit18")->setText("");
    Press("BitBtn13");
    EXPECT_EQ(
        feedback.Take(),
        (QStringList{"app: 'x' is not a valid floating point value.", "app: '' is not a valid floating point value."}));
    EXPECT_EQ(TextOf("StaticText41"), "47");
}

TEST_F(AntennaWindow, DrawsTheGridAndTheDefaultCurve)
{
    Press("BitBtn20");
    const DowntiltCurvePoints curve = DowntiltCurve(50, 20, 7);
    for (const PlotPoint& point : curve) {
        if (point.x < 350) {
            EXPECT_EQ(Pixel(point.x, point.y), kBlue) << point.x << ',' << point.y;
        }
    }
    EXPECT_EQ(Pixel(0, 75), kBlack);
    EXPECT_EQ(Pixel(349, 75), kBlack);
    for (int x : {100, 200, 300}) {
        EXPECT_EQ(Pixel(x, 150), kBlack) << x;
        EXPECT_EQ(Pixel(x, 140), kBlack) << x;
    }
    EXPECT_EQ(Pixel(300, 0), kBlack);
    EXPECT_EQ(Pixel(340, 140), kWhite);
    EXPECT_EQ(Pixel(150, 140), kWhite);
    EXPECT_EQ(Pixel(50, 40), kWhite);
    EXPECT_EQ(TextOf("Label25"), "10");
    EXPECT_EQ(TextOf("Label26"), "5");
}

TEST_F(AntennaWindow, TheLabelsShowTheGainAsTypedAndTheMiddleLevelRounded)
{
    const struct {
        const char* gain;
        const char* middle;
    } cases[] = {{"7.5", "2"}, {"10.50", "6"}, {"0", "-5"}, {"8.5", "4"}};
    for (const auto& c : cases) {
        Enter("Edit31", c.gain);
        Press("BitBtn20");
        EXPECT_EQ(TextOf("Label25"), c.gain);
        EXPECT_EQ(TextOf("Label26"), c.middle) << c.gain;
    }
}

TEST_F(AntennaWindow, AFailedDrawLeavesTheClearedGridAndTheOldLabels)
{
    Press("BitBtn20");
    ASSERT_GT(BluePixels(), 0);
    Enter("Edit31", "12");
    Find<QLineEdit>("Edit33")->setText("x");
    Press("BitBtn20");
    EXPECT_EQ(feedback.Take(), QStringList{"app: 'x' is not a valid floating point value."});
    EXPECT_EQ(BluePixels(), 0);
    EXPECT_EQ(Pixel(0, 75), kBlack);
    EXPECT_EQ(TextOf("Label25"), "10");
    EXPECT_EQ(TextOf("Label26"), "5");
    Find<QLineEdit>("Edit33")->setText("0");
    Press("BitBtn20");
    EXPECT_EQ(feedback.Take(), (QStringList{"beep", "error: Beamwidth must be 0 < B <= 180 deg"}));
    EXPECT_EQ(BluePixels(), 0);
}

// A draw while the page is hidden (a pressed shortcut, the screenshots) must
// still be there when the page is shown.
TEST_F(AntennaWindow, ADrawWhileThePageIsHiddenIsKept)
{
    TZandrevio other;
    other.BuildAllPages();
    other.findChild<QPushButton*>("BitBtn20")->click();
    other.show();
    other.findChild<QTabWidget*>("PageControl1")->setCurrentIndex(3);
    QApplication::processEvents();
    EXPECT_EQ(other.findChild<PlotImage*>("Image1")->Surface().pixel(0, 75), kBlack);
}

TEST_F(AntennaWindow, AGainTooLargeToRoundLeavesBothLabels)
{
    Find<QLineEdit>("Edit31")->setText("1e308");
    Press("BitBtn20");
    EXPECT_EQ(feedback.Take(), QStringList{"app: Invalid floating point operation."});
    EXPECT_EQ(TextOf("Label25"), "10");
    EXPECT_EQ(TextOf("Label26"), "0");
    EXPECT_EQ(BluePixels(), 0);
}

TEST_F(AntennaWindow, DrawingTwiceGivesTheSamePictureAndNoTrace)
{
    Press("BitBtn20");
    const QImage first = Find<PlotImage>("Image1")->Surface().copy();
    Press("BitBtn20");
    EXPECT_EQ(Find<PlotImage>("Image1")->Surface(), first);
    Enter("Edit32", "0");
    Press("BitBtn20");
    EXPECT_EQ(Pixel(150, 95), kWhite);
    EXPECT_EQ(Pixel(150, 0), kBlue);
    // The height and downtilt fields take digits only.
    Type(Find<QWidget>("Edit34"), ".5");
    EXPECT_EQ(TextOf("Edit34"), "75");
}

} // namespace
} // namespace zandrevio::test
