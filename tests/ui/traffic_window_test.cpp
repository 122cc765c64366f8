#include "WindowFixture.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinField.h"

#include <QRadioButton>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

class TrafficWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(1);
    }

    void ChooseModel(int model) { Click(Find<RadioGroup>("Model")->Button(model)); }

    QString Spin(const char* name) { return Find<SpinField>(name)->text(); }
};

TEST_F(TrafficWindow, StartsWithErlangBFifteenChannelsAndTheStartGos)
{
    EXPECT_EQ(Find<RadioGroup>("Model")->ItemIndex(), 1);
    EXPECT_EQ(Spin("SpinEdit1"), "15");
    EXPECT_EQ(TextOf("Edit1"), "9");
    EXPECT_EQ(TextOf("Edit2"), "0.02");
    EXPECT_EQ(Spin("SpinEdit4"), "1000");
    EXPECT_EQ(TextOf("Edit27"), "35");
    EXPECT_EQ(TextOf("StaticText30"), "35");
    EXPECT_EQ(TextOf("Edit28"), "35");
    EXPECT_EQ(TextOf("StaticText32"), "1000");
}

TEST_F(TrafficWindow, TheStartGosIsWrittenWithTheLocaleSeparator)
{
    SeparatorGuard comma(',');
    TZandrevio other;
    other.BuildAllPages();
    EXPECT_EQ(other.findChild<QLineEdit*>("Edit2")->text(), "0,02");
}

TEST_F(TrafficWindow, TheThreeButtonsReproduceEachOtherFromTheStartValues)
{
    Press("BitBtn3");
    EXPECT_EQ(TextOf("Edit2"), "0.02");
    Press("BitBtn1");
    EXPECT_EQ(Spin("SpinEdit1"), "15");
    Press("BitBtn2");
    EXPECT_EQ(TextOf("Edit1"), "9.0096");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(TrafficWindow, WorkedValuesUnderEachModel)
{
    const struct {
        int model;
        const char* gos;
        const char* channels;
        const char* traffic;
    } cases[] = {{0, "0.041", "17", "8.1531"}, {1, "0.02", "15", "9.0096"}, {2, "0.048", "17", "8.0352"}};
    for (const auto& c : cases) {
        ChooseModel(c.model);
        Enter("SpinEdit1", "15");
        Enter("Edit1", "9");
        Press("BitBtn3");
        EXPECT_EQ(TextOf("Edit2"), c.gos) << c.model;
        Enter("Edit2", "0.02");
        Press("BitBtn1");
        EXPECT_EQ(Spin("SpinEdit1"), c.channels) << c.model;
        Enter("SpinEdit1", "15");
        Press("BitBtn2");
        EXPECT_EQ(TextOf("Edit1"), c.traffic) << c.model;
    }
    ChooseModel(2);
    Enter("SpinEdit1", "10");
    Enter("Edit1", "10");
    Press("BitBtn3");
    EXPECT_EQ(TextOf("Edit2"), "1");
    Enter("SpinEdit1", "1");
    Enter("Edit2", "0.5");
    Press("BitBtn2");
    EXPECT_EQ(TextOf("Edit1"), "0.5"); // one server: the chance of waiting is the traffic
    ChooseModel(0);
    Enter("Edit1", "0");
    Enter("Edit2", "0.02");
    Press("BitBtn1");
    EXPECT_EQ(Spin("SpinEdit1"), "2");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(TrafficWindow, EachRefusalWithItsFocus)
{
    QLineEdit* channels = Find<SpinField>("SpinEdit1")->Editor();
    auto* gos = Find<EntryField>("Edit2");

    Enter("SpinEdit1", "0");
    Press("BitBtn3");
    ExpectRefused("Number of channels must be  greater then 0", channels);
    Press("BitBtn2");
    ExpectRefused("Number of channels must be  greater then 0", channels);

    ChooseModel(2);
    Enter("SpinEdit1", "9");
    Enter("Edit1", "9.5");
    Press("BitBtn3");
    ExpectRefused("Number of Channels must be greater than Traffic (ErlangC Model)", channels);
    EXPECT_EQ(TextOf("Edit2"), "0.02");

    Enter("Edit2", "1");
    Press("BitBtn1");
    ExpectRefused("GOS must be  0 < GOS <1", gos);
    Press("BitBtn2");
    ExpectRefused("GOS must be  0 < GOS <1", gos);
    EXPECT_EQ(TextOf("Edit1"), "9.5");
}

TEST_F(TrafficWindow, AGosRoundedToZeroIsThenRefused)
{
    Enter("SpinEdit1", "20");
    Enter("Edit1", "5");
    Press("BitBtn3");
    EXPECT_EQ(TextOf("Edit2"), "0");
    Press("BitBtn1");
    ExpectRefused("GOS must be  0 < GOS <1", Find<EntryField>("Edit2"));
}

TEST_F(TrafficWindow, FieldsAreReadInTheirOrder)
{
    Find<QLineEdit>("Edit1")->setText("x");
    Find<QLineEdit>("Edit2")->setText("y");
    Find<SpinField>("SpinEdit1")->setText("0");
    Press("BitBtn3");
    Press("BitBtn1");
    Press("BitBtn2");
    EXPECT_EQ(
        feedback.Take(),
        (QStringList{"app: 'x' is not a valid floating point value.", "app: 'x' is not a valid floating point value.",
                     "app: 'y' is not a valid floating point value."}));
    Find<QLineEdit>("Edit28")->setText("p");
    Find<QLineEdit>("Edit27")->setText("q");
    Press("BitBtn11");
    Press("BitBtn18");
    EXPECT_EQ(feedback.Take(),
              (QStringList{"app: 'p' is not a valid floating point value.",
                           "app: 'q' is not a valid floating point value."}));
    EXPECT_EQ(TextOf("StaticText30"), "35");
    EXPECT_EQ(TextOf("StaticText32"), "1000");
}

TEST_F(TrafficWindow, SubscribersAndTraffic)
{
    Enter("SpinEdit4", "1000");
    Enter("Edit27", "35");
    Press("BitBtn18");
    EXPECT_EQ(TextOf("StaticText30"), "35");
    Enter("SpinEdit4", "0");
    Press("BitBtn18");
    EXPECT_EQ(TextOf("StaticText30"), "0");
    Enter("Edit28", "10");
    Enter("Edit27", "3");
    Press("BitBtn11");
    EXPECT_EQ(TextOf("StaticText32"), "3333");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(TrafficWindow, ARateOfZeroFaultsAndLeavesTheResult)
{
    Enter("Edit27", "0");
    Press("BitBtn11");
    Enter("Edit28", "0");
    Press("BitBtn11");
    EXPECT_EQ(feedback.Take(),
              (QStringList{"app: Floating point division by zero.", "app: Invalid floating point operation."}));
    EXPECT_EQ(TextOf("StaticText32"), "1000");
}

TEST_F(TrafficWindow, ExtremeInputsAnswerWithoutFreezing)
{
    Enter("SpinEdit1", "2000000000");
    Press("BitBtn2");
    EXPECT_EQ(feedback.Take(), QStringList{"app: Floating point overflow."});
    EXPECT_EQ(TextOf("Edit1"), "9");
    Enter("SpinEdit1", "100");
    Enter("Edit2", "0.9999999");
    Press("BitBtn2");
    EXPECT_TRUE(feedback.Take().isEmpty());
    ChooseModel(0);
    Enter("Edit1", "9");
    Find<QLineEdit>("Edit2")->setText("1e-30");
    Press("BitBtn1");
    EXPECT_EQ(Spin("SpinEdit1"), "62");
}

} // namespace
} // namespace zandrevio::test
