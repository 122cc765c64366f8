#include "WindowFixture.h"

#include "widgets/PlotImage.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QTabBar>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

// Every caption fits its control and no two controls of one parent overlap:
// the layout is in fixed pixels, so a wider font would clip or collide.
class Layout : public WindowTest { };

int TextWidth(const QWidget* widget, const QString& text)
{
    return widget->fontMetrics().horizontalAdvance(text);
}

TEST_F(Layout, NoCaptionIsClipped)
{
    ForEachPage([&](QTabWidget* pages, int page) {
        for (auto* label : pages->widget(page)->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window.get()) || !label->pixmap().isNull()) {
                continue;
            }
            EXPECT_LE(TextWidth(label, label->text()), label->contentsRect().width() - label->indent())
                << label->objectName().toStdString() << " \"" << label->text().toStdString() << '"';
        }
        for (auto* button : pages->widget(page)->findChildren<QAbstractButton*>()) {
            if (!button->isVisibleTo(window.get()) || button->text().isEmpty()) {
                continue;
            }
            if (button->inherits("QRadioButton") || button->inherits("QCheckBox")) {
                EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
                continue;
            }
            const int room = button->width() - (button->icon().isNull() ? 8 : button->iconSize().width() + 12);
            EXPECT_LE(TextWidth(button, button->text()), room) << button->objectName().toStdString();
        }
    });
}

// The About button lies over the tab row's right end: every page's title
// shows whole left of it.
// A plot has a pixel for each of the screen's (sharp at a scale of 2, as this
// test is also run), and its drawing fills it, not a corner of it.
TEST_F(Layout, EveryPlotIsDrawnInTheScreensPixels)
{
    ShowPage(5);
    Press("BitBtn21"); // the cell range's curve, across the whole plot
    ShowEveryPage();
    for (auto* plot : window->findChildren<PlotImage*>()) {
        const QImage& surface = plot->Surface();
        EXPECT_EQ(surface.devicePixelRatio(), plot->devicePixelRatioF()) << plot->objectName().toStdString();
        EXPECT_EQ(surface.size(), (QSizeF(plot->size()) * plot->devicePixelRatioF()).toSize())
            << plot->objectName().toStdString();
    }
    const QImage& range = Find<PlotImage>("Image2")->Surface();
    int blueRight = 0;
    for (int x = range.width() * 3 / 4; x < range.width(); ++x) {
        for (int y = 0; y < range.height(); ++y) {
            blueRight += range.pixelColor(x, y) == QColor(Qt::blue) ? 1 : 0;
        }
    }
    EXPECT_GT(blueRight, 10) << "the curve reaches the plot's right quarter";
}

TEST_F(Layout, EveryPageTitleShowsWholeLeftOfTheAboutButton)
{
    auto* pages = Find<QTabWidget>("PageControl1");
    const QTabBar* bar = pages->tabBar();
    const int about = Find<QWidget>("BitBtn5")->geometry().left();
    ASSERT_EQ(bar->count(), 9);
    for (int i = 0; i < bar->count(); ++i) {
        const QRect tab = bar->tabRect(i);
        EXPECT_LT(pages->mapToParent(bar->mapToParent(tab.topRight())).x(), about) << bar->tabText(i).toStdString();
        EXPECT_LT(bar->fontMetrics().horizontalAdvance(bar->tabText(i)), tab.width()) << bar->tabText(i).toStdString();
    }
}

TEST_F(Layout, NoTwoControlsOverlap)
{
    ShowEveryPage(); // every page but the first is built when first shown
    for (auto* parent : window->findChildren<QWidget*>()) {
        if (parent->inherits("QTabWidget") || parent->inherits("QStackedWidget")) {
            continue;
        }
        QList<QWidget*> children;
        for (auto* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisibleTo(window.get()) && !child->objectName().isEmpty() && !child->isWindow()) {
                children << child;
            }
        }
        for (int i = 0; i < children.size(); ++i) {
            for (int j = i + 1; j < children.size(); ++j) {
                // The About button lies over the right end of the tab row.
                const bool about = children[i]->objectName() == "BitBtn5" || children[j]->objectName() == "BitBtn5";
                if (about) {
                    continue;
                }
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " overlaps "
                    << children[j]->objectName().toStdString();
            }
        }
    }
}

} // namespace
} // namespace zandrevio::test
