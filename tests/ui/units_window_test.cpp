#include "WindowFixture.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

class UnitsWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(4);
    }

    int Top(const char* picker) { return Find<UnitPicker>(picker)->TopIndex(); }

    QString TopText(const char* picker)
    {
        auto* list = Find<UnitPicker>(picker);
        return list->item(list->TopIndex())->text();
    }
};

TEST_F(UnitsWindow, StartState)
{
    EXPECT_EQ(TextOf("Label5"), "Convertion of Units");
    const char* pickers[] = {"ListBox1", "ListBox2", "ListBox4", "ListBox3",
                             "ListBox5", "ListBox7", "ListBox6", "ListBox8"};
    const char* shown[] = {"W", "dBm", "Erl", "CCS", "inch", "mm", "lb", "g"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(TopText(pickers[i]), shown[i]) << pickers[i];
    }
    EXPECT_EQ(Find<UnitPicker>("ListBox4")->item(1)->text(), "mE");
    EXPECT_EQ(Find<UnitPicker>("ListBox3")->item(1)->text(), "mErl");
    EXPECT_EQ(TextOf("StaticText36"), "30");
    EXPECT_EQ(TextOf("StaticText37"), "36");
    EXPECT_EQ(TextOf("StaticText38"), "25,4");
    EXPECT_EQ(TextOf("StaticText39"), "453,59");
    EXPECT_EQ(Find<RadioGroup>("Imp")->ItemIndex(), 0);
    EXPECT_EQ(Find<SpinField>("SpinEdit2")->text(), "850");
    EXPECT_EQ(TextOf("Edit3"), "1");
}

TEST_F(UnitsWindow, TheDefaultsReproduceTheStartCaptions)
{
    Press("BitBtn4");
    Press("BitBtn6");
    Press("BitBtn7");
    Press("BitBtn8");
    EXPECT_EQ(TextOf("StaticText36"), "30");
    EXPECT_EQ(TextOf("StaticText37"), "36");
    EXPECT_EQ(TextOf("StaticText38"), "25.4");
    EXPECT_EQ(TextOf("StaticText39"), "453.59");
    SeparatorGuard comma(',');
    Press("BitBtn7");
    EXPECT_EQ(TextOf("StaticText38"), "25,4");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(UnitsWindow, FieldStrengthThroughThePickersAndTheImpedance)
{
    Enter("Edit3", "0");
    ScrollTo("ListBox1", 4);
    ScrollTo("ListBox2", 5);
    Press("BitBtn4");
    EXPECT_EQ(TextOf("StaticText36"), "106.99");
    Click(Find<RadioGroup>("Imp")->Button(1));
    Press("BitBtn4");
    EXPECT_EQ(TextOf("StaticText36"), "108.75");
    Enter("Edit3", "40");
    ScrollTo("ListBox1", 5);
    ScrollTo("ListBox2", 6);
    Click(Find<RadioGroup>("Imp")->Button(2));
    auto* frequency = Find<SpinField>("SpinEdit2");
    frequency->Editor()->selectAll();
    Type(frequency->Editor(), "450");
    Press("BitBtn4");
    EXPECT_EQ(TextOf("StaticText36"), "61.156");
}

TEST_F(UnitsWindow, TheSignButtonAndTheRefusal)
{
    Press("Button1");
    EXPECT_EQ(TextOf("Edit3"), "-1");
    Press("Button1");
    EXPECT_EQ(TextOf("Edit3"), "1");
    Find<QLineEdit>("Edit3")->setText("");
    Press("Button1");
    EXPECT_EQ(TextOf("Edit3"), "-");
    Find<QLineEdit>("Edit3")->setText("12");
    Press("Button1");
    EXPECT_EQ(TextOf("Edit3"), "-12");
    Press("BitBtn4");
    EXPECT_EQ(feedback.Take(),
              (QStringList{"beep", "error: Field Strength in W, mW, uV, uV/m must be greater than 0"}));
    auto* value = Find<EntryField>("Edit3");
    EXPECT_TRUE(value->hasFocus());
    EXPECT_EQ(value->selectedText(), "-12");
    EXPECT_EQ(TextOf("StaticText36"), "30");
}

TEST_F(UnitsWindow, LeavingTheFrequencyMakesItPositive)
{
    auto* frequency = Find<SpinField>("SpinEdit2");
    FocusOn(frequency);
    frequency->Editor()->selectAll();
    Type(frequency->Editor(), "-450");
    FocusOn(Find<QWidget>("Edit3"));
    EXPECT_EQ(frequency->text(), "450");
    FocusOn(frequency);
    frequency->setText("abc");
    Press("BitBtn4");
    EXPECT_EQ(frequency->text(), "0");
    // A field strength per metre at 0 MHz has no meaning.
    ScrollTo("ListBox1", 3);
    Press("BitBtn4");
    EXPECT_EQ(feedback.Take(), (QStringList{"beep", "error: Frequency must be greater than 0"}));
    EXPECT_EQ(TextOf("StaticText36"), "30");
}

TEST_F(UnitsWindow, TrafficLengthAndWeight)
{
    ScrollTo("ListBox4", 3);
    Press("BitBtn6");
    EXPECT_EQ(TextOf("StaticText37"), "1.2");
    ScrollTo("ListBox5", 6);
    ScrollTo("ListBox7", 1);
    Press("BitBtn7");
    EXPECT_EQ(TextOf("StaticText38"), "1.609");
    ScrollTo("ListBox6", 1);
    ScrollTo("ListBox8", 4);
    Press("BitBtn8");
    EXPECT_EQ(TextOf("StaticText39"), "2.2046");
    Find<QLineEdit>("Edit8")->setText("x");
    Press("BitBtn8");
    EXPECT_EQ(feedback.Take(), QStringList{"app: 'x' is not a valid floating point value."});
    EXPECT_EQ(TextOf("StaticText39"), "2.2046");
}

} // namespace
} // namespace zandrevio::test
