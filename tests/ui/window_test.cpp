#include "WindowFixture.h"

#include "numeric/decimal_separator.h"
#include "shell/ApplicationSetup.h"
#include "widgets/SpinField.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <clocale>
#include <functional>

namespace zandrevio::test {
namespace {

class Window : public WindowTest {
protected:
    // Runs `check` once the next modal box is open, then lets the test go on.
    static void WhenModalOpens(std::function<void(QWidget*)> check)
    {
        QTimer::singleShot(0, [check = std::move(check)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            check(modal);
        });
    }
};

TEST_F(Window, HasItsCaptionSizeAndNoMaximiseButton)
{
    EXPECT_EQ(window->objectName(), "Zandrevio");
    EXPECT_EQ(window->windowTitle(), "Zandrevio v. 1. 04");
    EXPECT_EQ(window->pos(), QPoint(36, 24));
    EXPECT_EQ(window->size(), QSize(600, 433));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    // The task bar finds the icon through the desktop entry's name.
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_EQ(QGuiApplication::desktopFileName(), "zandrevio");
}

TEST_F(Window, HasNinePagesWithTheirCaptionsAndNames)
{
    auto* pages = Find<QTabWidget>("PageControl1");
    EXPECT_EQ(pages->geometry(), QRect(2, 8, 593, 417));
    const char* captions[] = {"RF", "Traffic", "Cable", "Antenna", "Units", "Planning", "Path", "Receiver", "Coverage"};
    const char* names[] = {"RF", "Traffic", "Antenna", "Cable", "Units", "Planning", "Path", "Receiver", "Coverage"};
    ASSERT_EQ(pages->count(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(pages->tabText(i), captions[i]);
        EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
    }
    EXPECT_EQ(pages->currentIndex(), 0);
    auto* about = Find<QPushButton>("BitBtn5");
    EXPECT_EQ(about->geometry(), QRect(416, 8, 161, 33));
    EXPECT_EQ(about->text(), "About");
    EXPECT_TRUE(about->font().bold());
    EXPECT_FALSE(about->icon().isNull());
}

TEST_F(Window, ResizingTheFrameNeitherMovesNorStretchesAnything)
{
    const QRect pages = Find<QWidget>("PageControl1")->geometry();
    const QRect field = Find<QWidget>("Edit11")->geometry();
    window->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(Find<QWidget>("PageControl1")->geometry(), pages);
    EXPECT_EQ(Find<QWidget>("Edit11")->geometry(), field);
}

TEST_F(Window, AboutShowsTheBoxWhichOnlyOkEnterAndTheCloseBoxClose)
{
    int shown = 0;
    const auto checkAndClose = [&](std::function<void(QWidget*)> close) {
        WhenModalOpens([&, close](QWidget* modal) {
            ++shown;
            EXPECT_EQ(modal, aboutBox.get());
            EXPECT_EQ(modal->windowTitle(), "About Zandrevio");
            EXPECT_EQ(modal->findChild<QLabel*>("Version")->text(), "Version         1.04");
            EXPECT_EQ(modal->findChild<QLabel*>("ProductName")->text(), "Product Name");
            QTest::keyClick(modal, Qt::Key_Escape);
            EXPECT_TRUE(modal->isVisible()) << "Escape closed the box";
            close(modal);
        });
        Click(Find<QWidget>("BitBtn5"));
        EXPECT_FALSE(aboutBox->isVisible());
    };
    checkAndClose([](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); });
    checkAndClose([](QWidget* box) { QTest::mouseClick(box->findChild<QPushButton*>("OKButton"), Qt::LeftButton); });
    checkAndClose([](QWidget* box) { box->close(); });
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(TextOf("Edit11"), "825");
}

// The real boxes, not the recording: one "Error" box with its OK button.
TEST_F(Window, TheRealErrorBoxShowsTheMessageAndClosesWithEscape)
{
    SetFeedback(nullptr);
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenModalOpens([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        QTest::keyClick(box, Qt::Key_Escape);
    });
    Find<SpinField>("SpinEdit3")->setText("0");
    Click(Find<QWidget>("BitBtn10"));
    SetFeedback(&feedback);
    EXPECT_EQ(title, "Error");
    EXPECT_EQ(text, "AMPS channel number must be 1..799, 991..1023");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, 1);
    // The field gets the focus back as the window becomes active again.
    EXPECT_EQ(window->focusWidget(), Find<SpinField>("SpinEdit3")->Editor());
}

TEST_F(Window, TheRealApplicationErrorBoxIsCaptionedWithTheApplicationTitle)
{
    SetFeedback(nullptr);
    QString title;
    QString text;
    WhenModalOpens([&](QWidget* modal) {
        title = modal->windowTitle();
        text = qobject_cast<QMessageBox*>(modal)->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    Find<QLineEdit>("Edit11")->setText("");
    Click(Find<QWidget>("BitBtn9"));
    SetFeedback(&feedback);
    EXPECT_EQ(title, QApplication::applicationName());
    EXPECT_EQ(title, "ui_tests");
    EXPECT_EQ(text, "'' is not a valid floating point value.");
}

TEST_F(Window, ReadsTheSeparatorAgainWhenTheRegionalSettingsChange)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QEvent change(QEvent::LocaleChange);
    QApplication::sendEvent(qApp, &change);
    EXPECT_EQ(DecimalSeparator(), ',');
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    QLocale::setDefault(QLocale::c());
    QApplication::sendEvent(qApp, &change);
    EXPECT_EQ(DecimalSeparator(), '.');
}

} // namespace
} // namespace zandrevio::test
