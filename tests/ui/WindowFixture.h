#pragma once

#include "QtPrinters.h"
#include "RecordingFeedback.h"
#include "separator_guard.h"
#include "shell/AboutBox.h"
#include "shell/Zandrevio.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zandrevio::test {

// A freshly started main window, shown and active, with the beep and the
// boxes recorded instead of shown.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<TZandrevio>();
        aboutBox = std::make_unique<TAboutBox>();
        window->SetAboutBox(aboutBox.get());
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void TearDown() override
    {
        window.reset();
        aboutBox.reset();
    }

    template <typename T = QWidget>
    T* Find(const char* name) const
    {
        auto* widget = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString TextOf(const char* name) const
    {
        if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(name))) {
            return label->text();
        }
        if (auto* edit = window->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            return edit->text();
        }
        ADD_FAILURE() << "no text control " << name;
        return {};
    }

    // Gives the named field the focus as a click would.
    void FocusOn(QWidget* widget)
    {
        widget->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }

    // Replaces a field's text as a paste over the whole text would.
    void Put(QLineEdit* field, const QString& text) { field->setText(text); }

    // Clicks a button as the mouse would; radio buttons and check boxes
    // near their indicator, where they take the click.
    void Click(QWidget* button)
    {
        QPoint where = button->rect().center();
        if (button->inherits("QRadioButton") || button->inherits("QCheckBox")) {
            where = QPoint(6, button->height() / 2);
        }
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
        QApplication::processEvents();
    }

    void Type(QWidget* widget, const QString& keys) { QTest::keyClicks(widget, keys); }

    // Brings a page to the front, as a click on its tab would.
    void ShowPage(int page)
    {
        Find<QTabWidget>("PageControl1")->setCurrentIndex(page);
        QApplication::processEvents();
    }

    // Turns to every page, ending on the last, as a user looking round would:
    // every page but the first is built when first shown.
    // Brings each page to the front in turn (building it where it is built
    // when first shown) and looks at it.
    template <typename Look>
    void ForEachPage(Look look)
    {
        auto* pages = Find<QTabWidget>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            ShowPage(page);
            look(pages, page);
        }
    }

    void ShowEveryPage()
    {
        auto* pages = Find<QTabWidget>("PageControl1");
        for (int page = 0; page < pages->count(); ++page) {
            ShowPage(page);
        }
    }

    // Replaces a field's whole text by typing over it.
    void Enter(const char* field, const QString& text)
    {
        if (auto* spin = window->findChild<SpinField*>(QString::fromLatin1(field))) {
            spin->Editor()->selectAll();
            Type(spin->Editor(), text);
            return;
        }
        auto* edit = Find<QLineEdit>(field);
        edit->selectAll();
        Type(edit, text);
    }

    // Scrolls a picker to a row with its scroll bar, as the user would.
    void ScrollTo(const char* picker, int row)
    {
        auto* bar = Find<UnitPicker>(picker)->verticalScrollBar();
        while (bar->value() < row) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        }
        while (bar->value() > row) {
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        }
    }

    void Press(const char* button) { Click(Find<QWidget>(button)); }

    // A refused calculation: the beep (where it sounds one), the message,
    // and the field to correct selected and focused.
    void ExpectRefused(const QString& message, QLineEdit* field, bool beep = true)
    {
        QStringList expected{"error: " + message};
        if (beep) {
            expected.prepend("beep");
        }
        EXPECT_EQ(feedback.Take(), expected);
        EXPECT_TRUE(field->hasFocus()) << field->objectName().toStdString();
        EXPECT_EQ(field->selectedText(), field->text()) << field->objectName().toStdString();
    }

    void ExpectRefused(const QString& message, const char* field, bool beep = true)
    {
        if (auto* spin = window->findChild<SpinField*>(QString::fromLatin1(field))) {
            ExpectRefused(message, spin->Editor(), beep);
            return;
        }
        ExpectRefused(message, Find<QLineEdit>(field), beep);
    }

    SeparatorGuard separator{'.'};
    RecordingFeedback feedback;
    std::unique_ptr<TZandrevio> window;
    std::unique_ptr<TAboutBox> aboutBox;
};

} // namespace zandrevio::test
