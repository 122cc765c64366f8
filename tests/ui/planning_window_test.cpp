// The Planning page's three buttons, wired to the core: the tables of
// worked values are the core's tests'.
#include "WindowFixture.h"

#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"

#include <QRadioButton>

namespace zandrevio::test {
namespace {

class PlanningWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(5);
    }
};

TEST_F(PlanningWindow, CellRangeOfTheStartBudget)
{
    Press("BitBtn21");
    EXPECT_EQ(TextOf("StaticText73"), "150.01");
    EXPECT_EQ(TextOf("StaticText74"), "2.467");
    EXPECT_EQ(TextOf("StaticText75"), "15.812");
    EXPECT_EQ(TextOf("StaticText76"), "");
    // The curve crosses the red sensitivity line at the green radius line,
    // halfway across the plot.
    const QImage& plot = Find<PlotImage>("Image2")->Surface();
    int blue = 0;
    for (int x = 0; x < plot.width(); ++x) {
        for (int y = 0; y < plot.height(); ++y) {
            blue += plot.pixelColor(x, y) == QColor(Qt::blue) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 100);
    EXPECT_TRUE(feedback.Take().isEmpty());

    Enter("Edit35", "900");
    Press("BitBtn21");
    EXPECT_EQ(TextOf("StaticText76"), "frequency outside 1500-2000 MHz, the range of COST-231 Hata");
    Enter("Edit38", "0");
    Press("BitBtn21");
    ExpectRefused("Transmit power must be greater than 0", "Edit38");
}

TEST_F(PlanningWindow, ChannelToFrequenciesAndBack)
{
    ScrollTo("ListBox21", 9); // LTE
    Enter("SpinEdit5", "1575");
    Press("BitBtn22");
    EXPECT_EQ(TextOf("Edit46"), "1747.5");
    EXPECT_EQ(TextOf("Edit47"), "1842.5");
    EXPECT_EQ(TextOf("StaticText77"), "3");

    Enter("Edit47", "2140.03");
    Press("BitBtn23");
    EXPECT_EQ(feedback.Take(), QStringList({"beep", "error: Note the frequency error !"}));
    EXPECT_EQ(Find<SpinField>("SpinEdit5")->text(), "300");
    EXPECT_EQ(TextOf("StaticText78"), "30000");
    EXPECT_EQ(Find<ResultLabel>("StaticText78")->TextColor(), QColor(Qt::red));
    EXPECT_EQ(TextOf("StaticText79"), "1: 300, 4: 2250, 10: 4450, 65: 65836, 66: 66736");

    Click(Find<RadioGroup>("RadioGroup6")->Button(0));
    Enter("Edit46", "100");
    Press("BitBtn23");
    ExpectRefused("LTE uplink frequency must be 410..416.9, 450..457.4, 663..802.9, 807..861.9, 880..914.9, "
                  "1427..1516.9, 1626.5..1660.4, 1695..1784.9, 1850..2024.9, 2300..2399.9, 2483.5..2494.9, "
                  "2496..2689.9, 3300..3799.9, 5150..5924.9 MHz",
                  "Edit46");
}

// A channel on the NR global raster that no band holds: its frequencies,
// no band, and a note that says so.
TEST_F(PlanningWindow, AnNrArfcnOutsideEveryBandIsNotedNotRefused)
{
    ScrollTo("ListBox21", 10); // NR
    Enter("SpinEdit5", "3279165");
    Press("BitBtn22");
    EXPECT_EQ(feedback.Take(), QStringList({"error: No NR band holds NR-ARFCN 3279165"}));
    EXPECT_EQ(TextOf("Edit47"), "99999.96");
    EXPECT_EQ(TextOf("StaticText77"), "");
    EXPECT_EQ(TextOf("StaticText79"), "");
}

} // namespace
} // namespace zandrevio::test
