// The Planning page's buttons, wired to the core: the tables of worked
// values are the core's tests'.
#include "WindowFixture.h"

#include "widgets/CopyResults.h"
#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"
#include "widgets/UnitPicker.h"

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

// Below the cell's range and the band plans: Erlang C queues and blocked calls that retry.
TEST_F(PlanningWindow, TheQueueAndTheRetriesTakeEitherOfTheirGivens)
{
    // 10 Erl on 14 servers, 180 s calls, 20 s target: P(wait) 0.17413, 88.8 % answered in time.
    Press("QueueButton");
    EXPECT_EQ(TextOf("QueueWaitingProbabilityResult"), "0.17413");
    EXPECT_EQ(TextOf("QueueServiceLevelResult"), "0.88835");
    EXPECT_EQ(TextOf("QueueAverageSpeedOfAnswerResult"), "7.8359");
    // The servers for 80 %: 13 answer 79.6 % in time, so 14; the same traffic from 200 calls an hour.
    Click(Find<RadioGroup>("QueueServersOrGroup")->Button(1));
    Click(Find<RadioGroup>("QueueTrafficOrGroup")->Button(1));
    EXPECT_FALSE(Find<QLineEdit>("QueueTrafficField")->isEnabled());
    EXPECT_TRUE(Find<QLineEdit>("QueueIntervalField")->isEnabled());
    Enter("QueueCallsField", "200");
    Press("QueueButton");
    EXPECT_EQ(TextOf("QueueServersResult"), "14");
    EXPECT_EQ(TextOf("QueueTrafficResult"), "10");

    // 5.5 Erl of fresh calls, half of the blocked retrying, on 11 channels; then the channels for 2 %.
    Press("RetryButton");
    EXPECT_EQ(TextOf("RetryBlockingResult"), "0.01504");
    EXPECT_EQ(TextOf("RetryOfferedTrafficResult"), "5.5417");
    Click(Find<RadioGroup>("RetryChannelsOrGroup")->Button(1));
    Enter("RetryBlockingField", "0.02");
    Press("RetryButton");
    EXPECT_EQ(TextOf("RetryChannelsResult"), "11");
    EXPECT_TRUE(feedback.Take().isEmpty());
    Enter("RetryRecallField", "1.5");
    Press("RetryButton");
    ExpectRefused("Recall factor must be 0 <= R <= 1", "RetryRecallField");
}

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

TEST_F(PlanningWindow, ABudgetOutOfReachIsRefusedAtTheFieldThatTookItThere)
{
    // A sensitivity of +110 dBm leaves the budget a negative path loss.
    Enter("Edit42", "110");
    Press("BitBtn21");
    const QStringList heard = feedback.Take();
    ASSERT_EQ(heard.size(), 2);
    EXPECT_EQ(heard[0], "beep");
    EXPECT_TRUE(heard[1].startsWith("error: Maximum allowed path loss must be ")) << heard[1].toStdString();
    auto* sensitivity = Find<QLineEdit>("Edit42");
    EXPECT_TRUE(sensitivity->hasFocus());
    EXPECT_EQ(sensitivity->selectedText(), "110");

    Enter("Edit42", "-104");
    Enter("Edit44", "300");
    Press("BitBtn21");
    EXPECT_EQ(feedback.Take().size(), 2);
    EXPECT_TRUE(Find<QLineEdit>("Edit44")->hasFocus());
}

TEST_F(PlanningWindow, TheAreaPickerOffersTheAreasOfTheChosenModel)
{
    auto* areas = Find<UnitPicker>("ListBox20");
    const auto items = [areas] {
        QStringList texts;
        for (int i = 0; i < areas->count(); ++i) {
            texts << areas->item(i)->text();
        }
        return texts;
    };
    auto* models = Find<RadioGroup>("RadioGroup5");
    ASSERT_EQ(models->ItemIndex(), 1); // COST-231 Hata
    EXPECT_EQ(items(), QStringList({"Medium City", "Suburban area", "Metropolitan centre"}));
    ScrollTo("ListBox20", 2);
    Press("BitBtn21");
    EXPECT_TRUE(feedback.Take().isEmpty());
    EXPECT_NE(TextOf("StaticText74"), "2.467"); // 3 dB more loss in a metropolitan centre

    Click(models->Button(0));
    EXPECT_EQ(items(), QStringList({"Medium City", "Large City", "Suburban area", "Open area"}));
    EXPECT_EQ(areas->TopIndex(), 0); // Hata has no metropolitan centre
    ScrollTo("ListBox20", 2);
    Click(models->Button(1));
    EXPECT_EQ(areas->item(areas->TopIndex())->text(), "Suburban area");
    Press("BitBtn21");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(PlanningWindow, FrequencyToChannelWritesTheChannelsOtherFrequency)
{
    ScrollTo("ListBox21", 10); // NR
    Enter("SpinEdit5", "632628");
    Press("BitBtn22");
    ASSERT_EQ(TextOf("Edit46"), "3489.42");

    ScrollTo("ListBox21", 7); // DCS 1800
    Enter("Edit47", "1805.2");
    Press("BitBtn23");
    EXPECT_EQ(Find<SpinField>("SpinEdit5")->text(), "512");
    EXPECT_EQ(TextOf("Edit46"), "1710.2");
    EXPECT_EQ(TextOf("Edit47"), "1805.2");
}

TEST_F(PlanningWindow, LevelsGainsAndLossesTakeALeadingMinus)
{
    Enter("Edit42", "-110");
    EXPECT_EQ(TextOf("Edit42"), "-110");
    Enter("Edit40", "-2.5");
    EXPECT_EQ(TextOf("Edit40"), "-2.5");
    Enter("Edit43", "-1");
    EXPECT_EQ(TextOf("Edit43"), "-1");
    // Only in front, and once.
    Enter("Edit44", "3-");
    EXPECT_EQ(TextOf("Edit44"), "3");
    auto* body = Find<QLineEdit>("Edit44");
    body->setCursorPosition(0);
    Type(body, "--");
    EXPECT_EQ(body->text(), "-3");
    // A power, a frequency and heights are never negative.
    for (const char* field : {"Edit35", "Edit36", "Edit37", "Edit38"}) {
        Enter(field, "-5");
        EXPECT_EQ(TextOf(field), "5") << field;
    }
    EXPECT_TRUE(feedback.Take().isEmpty()); // no beep
}

TEST_F(PlanningWindow, EveryWarningIsShownAndCopied)
{
    // A mast of 300 m and a mobile at 12 m, at 900 MHz: three of the model's ranges left.
    Enter("Edit35", "900");
    Enter("Edit36", "300");
    Enter("Edit37", "12");
    Press("BitBtn21");
    auto* warnings = Find<NoteLabel>("StaticText76");
    ASSERT_GE(warnings->Notes().size(), 3);
    const QString copied = ResultsText(*Find<QWidget>("Planning"));
    EXPECT_TRUE(copied.contains("Warnings\t" + warnings->Notes().join("; ") + "\t\n")) << copied.toStdString();

    // The most a model warns of (four ranges) fits in the label's lines.
    const QRect before = warnings->geometry();
    warnings->SetNotes({"frequency outside 1500-2000 MHz, the range of COST-231 Hata",
                        "BS height outside 30-200 m, the range of COST-231 Hata",
                        "mobile height outside 1-10 m, the range of COST-231 Hata",
                        "distance outside 1-20 km, the range of COST-231 Hata"});
    const QRect room = warnings->contentsRect();
    EXPECT_LE(QFontMetrics(warnings->ShownFont()).boundingRect(room, Qt::TextWordWrap, warnings->text()).height(),
              room.height());
    EXPECT_GE(QFontInfo(warnings->ShownFont()).pixelSize(), 7);
    EXPECT_EQ(warnings->geometry(), before);
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
