#include "WindowFixture.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/UnitPicker.h"

#include <QRadioButton>
#include <QScrollBar>

namespace zandrevio::test {
namespace {

class PropagationWindow : public WindowTest {
protected:
    // Scrolls a picker one row down with its scroll bar, as the user would.
    void ScrollDown(const char* picker)
    {
        Find<UnitPicker>(picker)->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }

    void Calculate() { Click(Find<QWidget>("BitBtn19")); }

    QStringList Results() { return {TextOf("StaticText55"), TextOf("StaticText58")}; }
};

TEST_F(PropagationWindow, StartsWithFreeSpaceAndTheAreaGroupDisabled)
{
    EXPECT_TRUE(Find<QRadioButton>("RadioButton3")->isChecked());
    EXPECT_EQ(Find<QRadioButton>("RadioButton4")->text(), "Two-wave ");
    EXPECT_FALSE(Find<QWidget>("RadioGroup4")->isEnabled());
    EXPECT_EQ(Find<RadioGroup>("RadioGroup4")->ItemIndex(), 0);
    EXPECT_EQ(Results(), (QStringList{"111", "-57"}));
    const char* fields[] = {"Edit29", "Edit4", "Edit6", "Edit10", "Edit9", "Edit20", "Edit30"};
    const char* texts[] = {"10", "10", "50", "0", "2", "10", "850"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(TextOf(fields[i]), texts[i]) << fields[i];
    }
    for (const char* picker : {"ListBox17", "ListBox11", "ListBox18", "ListBox16", "ListBox19"}) {
        EXPECT_EQ(Find<UnitPicker>(picker)->TopIndex(), 0) << picker;
    }
}

TEST_F(PropagationWindow, DefaultInputsUnderEveryModelAndArea)
{
    Calculate();
    EXPECT_EQ(Results(), (QStringList{"111.03", "-56.73"}));
    Click(Find<QRadioButton>("RadioButton4"));
    EXPECT_FALSE(Find<QWidget>("RadioGroup4")->isEnabled());
    Calculate();
    EXPECT_EQ(Results(), (QStringList{"120.05", "-65.75"}));
    Click(Find<QRadioButton>("RadioButton5"));
    EXPECT_TRUE(Find<QWidget>("RadioGroup4")->isEnabled());
    const QStringList expected[] = {
        {"155.2", "-100.9"}, {"155.43", "-101.13"}, {"145.41", "-91.11"}, {"126.94", "-72.64"}};
    for (int area = 3; area >= 0; --area) {
        Click(Find<RadioGroup>("RadioGroup4")->Button(area));
        Calculate();
        EXPECT_EQ(Results(), expected[area]) << area;
    }
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(PropagationWindow, TheAreaKeepsItsChoiceWhileDisabled)
{
    Click(Find<QRadioButton>("RadioButton5"));
    Click(Find<RadioGroup>("RadioGroup4")->Button(3));
    Click(Find<QRadioButton>("RadioButton3"));
    EXPECT_FALSE(Find<QWidget>("RadioGroup4")->isEnabled());
    Click(Find<RadioGroup>("RadioGroup4")->Button(1));
    EXPECT_EQ(Find<RadioGroup>("RadioGroup4")->ItemIndex(), 3);
    Click(Find<QRadioButton>("RadioButton5"));
    Calculate();
    EXPECT_EQ(Results(), (QStringList{"126.94", "-72.64"}));
}

TEST_F(PropagationWindow, EachRefusalWithItsFocus)
{
    Click(Find<QRadioButton>("RadioButton4"));
    Enter("Edit29", "0");
    Calculate();
    ExpectRefused("BS transmitter power must be  greater than 0", "Edit29");
    Enter("Edit29", "10");
    Enter("Edit20", "0.5");
    Calculate();
    ExpectRefused("Distance must be  greater than 0.5 km (0.3 ml)", "Edit20");
    Enter("Edit20", "10");
    Enter("Edit30", "960.1");
    Calculate();
    ExpectRefused("Frequency must be   450 < F < 960 MHz", "Edit30");
    Enter("Edit30", "450");
    Enter("Edit6", "19.99");
    Calculate();
    ExpectRefused("Height of BS must be  20 < Hb < 300 m (60 < Hb < 900 ft)", "Edit6");
    Enter("Edit6", "300");
    Enter("Edit9", "10.01");
    Calculate();
    ExpectRefused("Height of MS must be  1.5 < Hm < 10 m (5 < Hm < 30 ft) ", "Edit9");
    EXPECT_EQ(Results(), (QStringList{"111", "-57"}));
}

TEST_F(PropagationWindow, UnitsComeFromThePickers)
{
    Click(Find<QRadioButton>("RadioButton4"));
    ScrollDown("ListBox19");
    Enter("Edit20", "0.31");
    Calculate();
    ExpectRefused("Distance must be  greater than 0.5 km (0.3 ml)", "Edit20");
    Enter("Edit20", "0.311");
    ScrollDown("ListBox11");
    Enter("Edit6", "65");
    Calculate();
    ExpectRefused("Height of BS must be  20 < Hb < 300 m (60 < Hb < 900 ft)", "Edit6");
    Enter("Edit6", "66");
    ScrollDown("ListBox16");
    Enter("Edit9", "5");
    Calculate();
    EXPECT_TRUE(feedback.Take().isEmpty());
    // 1 W, 0 dBi on both ends, 1 km, 900 MHz.
    Click(Find<QRadioButton>("RadioButton3"));
    Find<UnitPicker>("ListBox19")->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    ScrollDown("ListBox17");
    ScrollDown("ListBox18");
    Enter("Edit29", "1");
    Enter("Edit4", "0");
    Enter("Edit20", "1");
    Enter("Edit30", "900");
    Calculate();
    EXPECT_EQ(Results(), (QStringList{"91.53", "-61.53"}));
}

TEST_F(PropagationWindow, FreeSpaceIgnoresTheHeightsAndChecksComeBeforeLaterReads)
{
    Find<QLineEdit>("Edit6")->setText("");
    Find<QLineEdit>("Edit9")->setText("abc");
    Calculate();
    EXPECT_EQ(Results(), (QStringList{"111.03", "-56.73"}));
    Click(Find<QRadioButton>("RadioButton5"));
    Calculate();
    EXPECT_EQ(feedback.Take(), QStringList{"app: '' is not a valid floating point value."});

    Find<QLineEdit>("Edit29")->setText("0");
    Find<QLineEdit>("Edit30")->setText("x");
    Calculate();
    EXPECT_EQ(feedback.Take(), (QStringList{"beep", "error: BS transmitter power must be  greater than 0"}));
    Find<QLineEdit>("Edit29")->setText("10");
    Calculate();
    EXPECT_EQ(feedback.Take(), QStringList{"app: 'x' is not a valid floating point value."});
    EXPECT_EQ(Results(), (QStringList{"111.03", "-56.73"}));
}

} // namespace
} // namespace zandrevio::test
