// What keyboard and screen-reader users meet: keys that pass every field,
// pickers that step from the unit shown, groups read by their own caption,
// results shown whole.
#include "WindowFixture.h"

#include "widgets/CalculateButton.h"
#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"

#include <QAccessible>
#include <QScrollBar>

#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <algorithm>
#include <cmath>

namespace zandrevio::test {
namespace {

class Keyboard : public WindowTest {
protected:
    int Page() { return Find<QTabWidget>("PageControl1")->currentIndex(); }
};

TEST_F(Keyboard, CtrlTabInAFieldSwitchesThePage)
{
    ShowPage(0);
    auto* field = Find<QLineEdit>("Edit29");
    FocusOn(field);
    QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Page(), 1);
    EXPECT_EQ(field->text(), "10");
    auto* spin = Find<SpinField>("SpinEdit1")->Editor();
    FocusOn(spin);
    QTest::keyClick(spin, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Page(), 0);
    EXPECT_TRUE(feedback.Take().isEmpty()); // no beep
}

TEST_F(Keyboard, APageIsBuiltWhenFirstShownAndFocusedAsEveryPage)
{
    EXPECT_EQ(window->findChild<QWidget*>("TrafficPanel"), nullptr);
    EXPECT_EQ(window->findChild<QWidget*>("UnitConversionPanel"), nullptr);
    auto* field = Find<QLineEdit>("Edit29");
    FocusOn(field);
    QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(Page(), 1);
    auto* models = Find<RadioGroup>("Model");
    EXPECT_EQ(QApplication::focusWidget(), models->Button(models->ItemIndex()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<SpinField>("SpinEdit1")->Editor());
}

TEST_F(Keyboard, CtrlTabToThePlanningPageFocusesItsFirstControl)
{
    ShowPage(4);
    auto* field = Find<QLineEdit>("Edit8");
    FocusOn(field);
    QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(Page(), 5);
    auto* models = Find<RadioGroup>("RadioGroup5");
    EXPECT_EQ(QApplication::focusWidget(), models->Button(models->ItemIndex()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("ListBox20"));
}

TEST_F(Keyboard, CtrlTabToThePathPageFocusesItsSourceAndTabGoesOnToTheFile)
{
    ShowPage(5);
    auto* field = Find<QLineEdit>("Edit35");
    FocusOn(field);
    QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(Page(), 6);
    auto* sources = Find<RadioGroup>("ProfileSourceGroup");
    EXPECT_EQ(QApplication::focusWidget(), sources->Button(sources->ItemIndex()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("ProfileFileField"));
    // Enter on Calculate calculates: here the refusal of no file named.
    auto* calculate = Find<QPushButton>("CalculateButton");
    FocusOn(calculate);
    QTest::keyClick(calculate, Qt::Key_Return);
    EXPECT_EQ(feedback.Take(),
              QStringList({"beep", "error: Give a profile's CSV file, or elevation rasters with the two ends"}));
    EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>("ProfileFileField"));
}

TEST_F(Keyboard, ArrowKeysStepThePickerFromTheUnitShown)
{
    ShowPage(4);
    auto* picker = Find<UnitPicker>("ListBox7");
    ASSERT_EQ(picker->item(picker->TopIndex())->text(), "mm");
    FocusOn(picker);
    QTest::keyClick(picker, Qt::Key_Down);
    EXPECT_EQ(picker->item(picker->TopIndex())->text(), "inch");
    QTest::keyClick(picker, Qt::Key_Up);
    QTest::keyClick(picker, Qt::Key_Up);
    EXPECT_EQ(picker->item(picker->TopIndex())->text(), "cm");
    // The unit shown is the current item, as a screen reader reads it, also
    // when the scroll bar changes it.
    EXPECT_EQ(picker->currentRow(), picker->TopIndex());
    ScrollTo("ListBox7", 6);
    EXPECT_EQ(picker->currentRow(), 6);
    QTest::keyClick(picker, Qt::Key_End);
    EXPECT_EQ(picker->item(picker->TopIndex())->text(), "yd");
    QTest::keyClick(picker, Qt::Key_Down);
    EXPECT_EQ(picker->TopIndex(), 7);
}

TEST_F(Keyboard, EveryRadioGroupIsReadByItsOwnCaption)
{
    ShowEveryPage(); // every page but the first is built when first shown
    for (auto* group : window->findChildren<RadioGroup*>()) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(group);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), group->title()) << group->objectName().toStdString();
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("RadioGroup3"))->text(QAccessible::Name),
              "Separation");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("Imp"))->text(QAccessible::Name), "Impedans [Ohm]");
}

TEST_F(Keyboard, EveryResultLabelShowsItsLongestTextWhole)
{
    ShowEveryPage(); // every page but the first is built when first shown
    const QString longest = "-1.2346E-4951";
    for (auto* label : window->findChildren<ResultLabel*>()) {
        const QRect before = label->geometry();
        label->setText(longest);
        EXPECT_LE(QFontMetrics(label->ShownFont()).horizontalAdvance(longest),
                  label->contentsRect().width() - 2 * label->indent())
            << label->objectName().toStdString();
        EXPECT_EQ(label->geometry(), before) << label->objectName().toStdString();
    }
}

TEST_F(Keyboard, EnterPressesAFocusedButtonAsSpaceDoes)
{
    ShowPage(1);
    auto* button = Find<QPushButton>("BitBtn3");
    FocusOn(button);
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(clicked.count(), 2);
}

TEST_F(Keyboard, TabbingIntoARadioGroupLandsOnItsCheckedButton)
{
    ShowPage(1);
    auto* model = Find<RadioGroup>("Model");
    FocusOn(Find<QPushButton>("BitBtn18"));
    // The Traffic page's chain ends at its last button and goes round to the group.
    for (int i = 0; i < 20 && !model->isAncestorOf(QApplication::focusWidget()); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget(), model->Button(model->ItemIndex()));
}

TEST_F(Keyboard, ButtonsPlotsAndTheWindowTellAScreenReaderWhatTheyAre)
{
    ShowEveryPage(); // every page but the first is built when first shown
    for (auto* button : window->findChildren<CalculateButton*>()) {
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        EXPECT_TRUE(name.startsWith("Calculate ") || name.startsWith("Convert ") || name.startsWith("Draw "))
            << button->objectName().toStdString() << ' ' << name.toStdString();
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("BitBtn9"))->text(QAccessible::Name),
              "Calculate channel number");
    EXPECT_FALSE(Find<QWidget>("Image1")->accessibleName().isEmpty());
    EXPECT_FALSE(Find<QWidget>("Image2")->accessibleName().isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.get())->role(), QAccessible::Window);
    EXPECT_EQ(aboutBox->findChild<QWidget*>("ProgramIcon")->accessibleName(), "Zandrevio");
}

TEST_F(Keyboard, TheSignButtonIsNamedChangeSign)
{
    ShowPage(4);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Find<QWidget>("Button1"))->text(QAccessible::Name), "Change sign");
}

// WCAG's relative luminance of a colour, and the contrast of two.
double Luminance(QColor c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST_F(Keyboard, AFocusedPickerIsMarkedAtThreeToOneAtLeast)
{
    ShowPage(4);
    auto* picker = Find<UnitPicker>("ListBox7");
    FocusOn(Find<QWidget>("Edit7"));
    const QImage unfocused = picker->grab().toImage();
    FocusOn(picker);
    const QImage focused = picker->grab().toImage();
    ASSERT_EQ(focused.size(), unfocused.size());
    // The pixels of the mark, changed at 3:1 against what they were: half the
    // row's width at least.
    int marked = 0;
    for (int y = 0; y < focused.height(); ++y) {
        for (int x = 0; x < focused.width(); ++x) {
            marked += Contrast(focused.pixelColor(x, y), unfocused.pixelColor(x, y)) >= 3.0 ? 1 : 0;
        }
    }
    EXPECT_GE(marked, picker->viewport()->width() / 2);
}

} // namespace
} // namespace zandrevio::test
