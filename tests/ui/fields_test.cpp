#include "QtPrinters.h"
#include "RecordingFeedback.h"
#include "separator_guard.h"
#include "widgets/EntryField.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zandrevio::test {
namespace {

// A window holding one field of each kind, as the pages hold them.
class Fields : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(300, 200);
        decimal = new DecimalField(&form);
        decimal->setGeometry(10, 10, 80, 21);
        integer = new IntegerField(&form);
        integer->setGeometry(10, 40, 80, 21);
        spin = new SpinField(&form);
        spin->setGeometry(10, 70, 97, 21);
        picker = new UnitPicker(&form);
        picker->setGeometry(10, 100, 80, 20);
        picker->SetItems({"m", "km", "cm", "mm", "inch", "ft", "mile", "yd"});
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    static void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(w, key, modifiers);
    }

    SeparatorGuard separator{'.'};
    RecordingFeedback feedback;
    QWidget form;
    DecimalField* decimal = nullptr;
    IntegerField* integer = nullptr;
    SpinField* spin = nullptr;
    UnitPicker* picker = nullptr;
};

TEST_F(Fields, DecimalFieldTakesDigitsAndOneSeparatorSilently)
{
    QTest::keyClicks(decimal, "1-2e a+3.4.5,6");
    EXPECT_EQ(decimal->text(), "123.456");
    EXPECT_TRUE(feedback.events.isEmpty());
}

TEST_F(Fields, BothSeparatorKeysTypeTheLocaleSeparator)
{
    SeparatorGuard comma(',');
    QTest::keyClicks(decimal, "2.5");
    EXPECT_EQ(decimal->text(), "2,5");
    decimal->clear();
    QTest::keyClicks(decimal, "2,5");
    EXPECT_EQ(decimal->text(), "2,5");
}

TEST_F(Fields, ASecondSeparatorIsRefusedEvenOverTheSelectedFirst)
{
    decimal->setText("1.5");
    decimal->setSelection(1, 1);
    QTest::keyClick(decimal, '.');
    EXPECT_EQ(decimal->text(), "1.5");
    decimal->selectAll();
    QTest::keyClick(decimal, ',');
    EXPECT_EQ(decimal->text(), "1.5");
}

TEST_F(Fields, ControlCharactersAreSwallowedButEditingKeysWork)
{
    QApplication::clipboard()->setText("999");
    decimal->setText("12");
    decimal->end(false);
    Key(decimal, Qt::Key_V, Qt::ControlModifier);
    Key(decimal, Qt::Key_Return);
    Key(decimal, Qt::Key_Escape);
    Key(decimal, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(decimal->text(), "12");
    Key(decimal, Qt::Key_Backspace);
    EXPECT_EQ(decimal->text(), "1");
    Key(decimal, Qt::Key_Home);
    Key(decimal, Qt::Key_Delete);
    EXPECT_EQ(decimal->text(), "");
    QTest::keyClicks(integer, "4.2,x-7");
    EXPECT_EQ(integer->text(), "427");
    Key(integer, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(integer->text(), "427");
    EXPECT_TRUE(feedback.events.isEmpty());
}

TEST_F(Fields, TextFromAnInputMethodPassesTheFilterToo)
{
    QInputMethodEvent composed(QString(), {});
    composed.setCommitString(QStringLiteral("1a-2.3,4\u00e9"));
    QApplication::sendEvent(decimal, &composed);
    EXPECT_EQ(decimal->text(), "12.34");
}

TEST_F(Fields, TabStillMovesTheFocus)
{
    decimal->setFocus();
    Key(decimal, Qt::Key_Tab);
    EXPECT_TRUE(integer->hasFocus());
    EXPECT_EQ(decimal->text(), "");
}

TEST_F(Fields, LeavingAFieldForAnotherControlIsAnExit)
{
    int exits = 0;
    QObject::connect(decimal, &EntryField::exited, [&] { ++exits; });
    decimal->setFocus();
    integer->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(exits, 1);
    // Focus going to another window is not leaving the field.
    decimal->setFocus();
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(decimal, &away);
    EXPECT_EQ(exits, 1);
}

TEST_F(Fields, SpinFieldBeepsOnRefusedCharactersAndOnEnter)
{
    QLineEdit* editor = spin->Editor();
    editor->clear();
    QTest::keyClicks(editor, "-1a2");
    EXPECT_EQ(editor->text(), "-12");
    EXPECT_EQ(feedback.Take(), QStringList{"beep"});
    Key(editor, Qt::Key_Return);
    EXPECT_EQ(feedback.Take(), QStringList{"beep"});
    EXPECT_EQ(editor->text(), "-12");
    QTest::keyClick(editor, ',');
    EXPECT_EQ(feedback.Take(), QStringList{"beep"});
    QTest::keyClick(editor, '.');
    EXPECT_TRUE(feedback.Take().isEmpty());
    EXPECT_EQ(editor->text(), "-12.");
    EXPECT_EQ(spin->Value(), 0);
}

TEST_F(Fields, SpinFieldSteps)
{
    spin->setText("1023");
    Key(spin->Editor(), Qt::Key_Up);
    EXPECT_EQ(spin->text(), "1024");
    Key(spin->Editor(), Qt::Key_Down);
    Key(spin->Editor(), Qt::Key_Down);
    EXPECT_EQ(spin->text(), "1022");
    QTest::mouseClick(spin->UpButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "1023");
    spin->setText("abc");
    QTest::mouseClick(spin->DownButton(), Qt::LeftButton);
    EXPECT_EQ(spin->text(), "-1");
    spin->setText("2147483647");
    spin->Step(1);
    EXPECT_EQ(spin->text(), "2147483647");
    // Holding a step button repeats after 400 ms, then every 100 ms.
    EXPECT_TRUE(spin->UpButton()->autoRepeat());
    EXPECT_EQ(spin->UpButton()->autoRepeatDelay(), 400);
    EXPECT_EQ(spin->UpButton()->autoRepeatInterval(), 100);
    EXPECT_EQ(spin->DownButton()->autoRepeatDelay(), 400);
    EXPECT_EQ(spin->DownButton()->autoRepeatInterval(), 100);
}

TEST_F(Fields, UnitPickerShowsExactlyOneRow)
{
    EXPECT_EQ(picker->viewport()->height(), UnitPicker::kRowHeight);
    EXPECT_EQ(picker->TopIndex(), 0);
    picker->SetTopIndex(4);
    EXPECT_EQ(picker->TopIndex(), 4);
    EXPECT_EQ(picker->indexAt(QPoint(2, 2)).row(), 4);
}

TEST_F(Fields, UnitPickerScrollsWithTheBarTheWheelAndTheArrowKeys)
{
    picker->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(picker->TopIndex(), 1);
    picker->setCurrentRow(1);
    Key(picker, Qt::Key_Down);
    EXPECT_EQ(picker->TopIndex(), 2);
    Key(picker, Qt::Key_Up);
    EXPECT_EQ(picker->TopIndex(), 1);
    QWheelEvent wheel(QPointF(5, 5), picker->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(picker->viewport(), &wheel);
    EXPECT_GT(picker->TopIndex(), 1);
}

TEST_F(Fields, ClickingThePickerWithoutScrollingChangesNothing)
{
    picker->SetTopIndex(3);
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 8));
    QTest::mouseClick(picker->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 15));
    EXPECT_EQ(picker->TopIndex(), 3);
}

} // namespace
} // namespace zandrevio::test

namespace zandrevio::test {
namespace {

// A field's state after a menu action or a key: its text, selection and the clipboard.
QStringList StateAfter(QWidget& form, const std::function<void(DecimalField&)>& act)
{
    auto* field = new DecimalField(&form);
    field->setGeometry(10, 130, 80, 21);
    field->show();
    field->setText("3");
    field->end(false);
    QTest::keyClicks(field, "5");
    field->setSelection(1, 1);
    QGuiApplication::clipboard()->setText("7");
    act(*field);
    const QStringList state{field->text(), field->selectedText(), QGuiApplication::clipboard()->text()};
    delete field;
    return state;
}

TEST_F(Fields, TheFieldMenuShowsOnlyShortcutsTheFieldTakes)
{
    QStringList hinted;
    const auto menu = decimal->ContextMenu();
    for (QAction* action : menu->actions()) {
        const QString name = action->objectName();
        const QString hint = action->text().section('\t', 1);
        if (name.isEmpty() || hint.isEmpty()) {
            continue;
        }
        hinted << name;
        // The shortcut shown does what the action does.
        const QStringList byMenu = StateAfter(form, [&](DecimalField& field) {
            const auto ownMenu = field.ContextMenu();
            for (QAction* own : ownMenu->actions()) {
                if (own->objectName() == name) {
                    own->trigger();
                }
            }
        });
        const QStringList byKeys = StateAfter(form, [&](DecimalField& field) {
            QTest::keySequence(&field, QKeySequence(hint, QKeySequence::NativeText));
        });
        EXPECT_EQ(byKeys, byMenu) << name.toStdString() << ' ' << hint.toStdString();
    }
    // Undo (Ctrl+Z) and Select All (Ctrl+A) are swallowed by the key filter.
    EXPECT_EQ(hinted, QStringList({"edit-cut", "edit-copy", "edit-paste", "edit-delete"}));
    EXPECT_TRUE(feedback.Take().isEmpty());
}

} // namespace
} // namespace zandrevio::test
