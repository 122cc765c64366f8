#include "WindowFixture.h"

#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/UnitPicker.h"

#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

class CableWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(2);
    }

    QStringList Cables()
    {
        QStringList names;
        auto* list = Find<UnitPicker>("ListBox9");
        for (int i = 0; i < list->count(); ++i) {
            names << list->item(i)->text();
        }
        return names;
    }
};

TEST_F(CableWindow, StartState)
{
    EXPECT_EQ(Find<QTabWidget>("PageControl1")->currentWidget()->objectName(), "Antenna");
    EXPECT_EQ(Find<RadioGroup>("RadioGroup2")->ItemIndex(), 0);
    EXPECT_EQ(Cables().size(), 13);
    EXPECT_EQ(Find<UnitPicker>("ListBox9")->TopIndex(), 0);
    EXPECT_EQ(Find<UnitPicker>("ListBox9")->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(Find<UnitPicker>("ListBox10")->palette().color(QPalette::Base), QColor(192, 192, 192));
    const char* fields[] = {"Edit14", "Edit15", "Edit21", "Edit22", "Edit23", "Edit24", "Edit25", "Edit26"};
    const char* texts[] = {"100", "850", "10", "0", "2", "0", "3", "3"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(TextOf(fields[i]), texts[i]) << fields[i];
    }
    EXPECT_EQ(TextOf("StaticText4"), "55");
    EXPECT_EQ(TextOf("StaticText19"), "1");
    EXPECT_EQ(TextOf("StaticText23"), "2");
    EXPECT_EQ(TextOf("StaticText27"), "3");
    EXPECT_EQ(TextOf("StaticText31"), "0.5");
    EXPECT_EQ(Find<QGroupBox>("GroupBox5")->title(), "Calculation of VSWR ");
}

TEST_F(CableWindow, CableLossOfTheChosenCable)
{
    Press("BitBtn12");
    EXPECT_EQ(TextOf("StaticText4"), "54.5");
    ScrollTo("ListBox10", 1);
    Press("BitBtn12");
    EXPECT_EQ(TextOf("StaticText4"), "16.61");
    ScrollTo("ListBox10", 0);
    for (auto [frequency, shown] : {std::pair{"450", "43.08"}, {"960", "56.68"}}) {
        Enter("Edit15", frequency);
        Press("BitBtn12");
        EXPECT_EQ(TextOf("StaticText4"), shown);
    }
    Enter("Edit15", "900");
    Enter("Edit14", "30.48");
    ScrollTo("ListBox9", 4);
    Press("BitBtn12");
    EXPECT_EQ(TextOf("StaticText4"), "2.26");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(CableWindow, TheImpedanceRefillsThePickerAndLeavesTheResult)
{
    ScrollTo("ListBox9", 12);
    Press("BitBtn12");
    const QString fifty = TextOf("StaticText4");
    Click(Find<RadioGroup>("RadioGroup2")->Button(1));
    EXPECT_EQ(Cables().size(), 8);
    EXPECT_EQ(Cables().first(), "RG-6A/U");
    EXPECT_EQ(Find<UnitPicker>("ListBox9")->TopIndex(), 0);
    EXPECT_EQ(TextOf("StaticText4"), fifty);
    ScrollTo("ListBox9", 7);
    EXPECT_EQ(Cables().at(7), "1/2\" Flex");
    ScrollTo("ListBox10", 1);
    Press("BitBtn12");
    EXPECT_EQ(TextOf("StaticText4"), "3.19");
    Click(Find<RadioGroup>("RadioGroup2")->Button(0));
    EXPECT_EQ(Cables().size(), 13);
    EXPECT_EQ(Cables().first(), "RG-58/U");
    EXPECT_EQ(Cables().last(), "1/2\" Flex");
}

TEST_F(CableWindow, TheFrequencyIsCheckedBeforeTheLengthIsRead)
{
    Enter("Edit15", "449.99");
    Find<QLineEdit>("Edit14")->setText("x");
    Press("BitBtn12");
    ExpectRefused("Frequency must be   450 < F < 960 MHz", "Edit15");
    Enter("Edit15", "850");
    Press("BitBtn12");
    EXPECT_EQ(feedback.Take(), QStringList{"app: 'x' is not a valid floating point value."});
    EXPECT_EQ(TextOf("StaticText4"), "55");
}

TEST_F(CableWindow, VswrFromPowers)
{
    Enter("Edit22", "1");
    Press("BitBtn14");
    EXPECT_EQ(TextOf("StaticText19"), "1.925");
    Enter("Edit22", "10");
    Press("BitBtn14");
    ExpectRefused("Forward power must be greater than reflected", "Edit21");
    // The forward power is checked before the reflected power is read.
    Find<QLineEdit>("Edit21")->setText("-1");
    Find<QLineEdit>("Edit22")->setText("x");
    Press("BitBtn14");
    Find<QLineEdit>("Edit21")->setText("10");
    Find<QLineEdit>("Edit22")->setText("-1");
    Press("BitBtn14");
    EXPECT_EQ(feedback.Take(),
              (QStringList{"beep", "error: Forward power must not be negative", "beep",
                           "error: Reflected power must not be negative"}));
    EXPECT_EQ(TextOf("StaticText19"), "1.925");
}

TEST_F(CableWindow, CorrectedVswr)
{
    Enter("Edit24", "1");
    Press("BitBtn15");
    EXPECT_EQ(TextOf("StaticText23"), "2.4461");
    Enter("Edit24", "4.78");
    Press("BitBtn15");
    ExpectRefused("Your VSWR measurement was wrong", "Edit23", false);
    Enter("Edit23", "0.5");
    Find<QLineEdit>("Edit24")->setText("x");
    Press("BitBtn15");
    ExpectRefused("VSWR must be greater than 1", "Edit23");
    Enter("Edit23", "1");
    Enter("Edit24", "3");
    Press("BitBtn15");
    EXPECT_EQ(TextOf("StaticText23"), "1");
}

TEST_F(CableWindow, LossFromAShortAndReflection)
{
    Press("BitBtn16");
    EXPECT_EQ(TextOf("StaticText27"), "3.01");
    Enter("Edit25", "1");
    Press("BitBtn16");
    ExpectRefused("VSWR must be greater than 1", "Edit25");
    Enter("Edit26", "2");
    Press("BitBtn17");
    EXPECT_EQ(TextOf("StaticText31"), "0.3333");
    ScrollTo("ListBox15", 1);
    Press("BitBtn17");
    EXPECT_EQ(TextOf("StaticText31"), "-9.5424");
    Enter("Edit26", "1.08");
    Press("BitBtn17");
    EXPECT_EQ(TextOf("StaticText31"), "-28.299");
    Enter("Edit26", "1");
    Press("BitBtn17");
    ExpectRefused("VSWR must be greater than 1", "Edit26");
    EXPECT_EQ(TextOf("StaticText31"), "-28.299");
}

} // namespace
} // namespace zandrevio::test
