// What a screen reader hears of the results: each read as "Caption: value
// unit" on every page. The announcements themselves are heard over AT-SPI
// (tests/atspi/), which the offscreen platform has not.
#include "WindowFixture.h"

#include "widgets/ResultLabel.h"

#include <QAccessible>
#include <QTabBar>
#include <QTabWidget>

namespace zandrevio::test {
namespace {

class ScreenReader : public WindowTest {
protected:
    static QString Heard(QWidget* widget)
    {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    }
};

TEST_F(ScreenReader, EveryResultIsReadWithItsCaptionValueAndUnit)
{
    ShowEveryPage(); // every page but the first is built when first shown
    const QList<ResultLabel*> results = window->findChildren<ResultLabel*>();
    // The Receiver page adds 7 of noise, 10 of the cascade, 8 radiated, 7 counts, 3 of Eb/N0 and 3 of
    // capacity; the Planning page 6 of the queue and 3 with retries; the Path page 4 details of
    // delta-Bullington, its start model, and 2 of rain; the Antenna page 7 of the pattern file.
    ASSERT_EQ(results.size(), 104);
    for (ResultLabel* label : results) {
        const std::string what = label->objectName().toStdString();
        EXPECT_FALSE(label->Caption().isEmpty()) << what;
        // A label announces a new text only when it has no name of its own.
        EXPECT_TRUE(label->accessibleName().isEmpty()) << what;
        label->setText("12.5");
        const QString unit = label->Unit().isEmpty() ? QString() : ' ' + label->Unit();
        EXPECT_EQ(Heard(label), label->Caption() + ": 12.5" + unit) << what;
    }
}

TEST_F(ScreenReader, ThePlanningPagesResultsAndWarningsAreRead)
{
    ShowPage(5);
    auto* radius = Find<ResultLabel>("StaticText74");
    Press("BitBtn21");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText73")), "Maximum allowed path loss: 150.01 dB");
    EXPECT_EQ(Heard(radius), "Cell radius: 2.467 km");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText75")), "Hexagonal cell area: 15.812 km2");
    auto* warnings = Find<QWidget>("StaticText76");
    EXPECT_EQ(Heard(warnings), "Warnings");
    Enter("Edit35", "900");
    Press("BitBtn21");
    EXPECT_EQ(Heard(warnings), "Warnings: frequency outside 1500-2000 MHz, the range of COST-231 Hata");

    ScrollTo("ListBox21", 9); // LTE
    Enter("SpinEdit5", "1575");
    Press("BitBtn22");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText77")), "Band: 3");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText78")), "Frequency Error: 0 Hz");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText79")), "Bands: 3");
}

TEST_F(ScreenReader, AResultIsReadInTheUnitItsPickerShows)
{
    ShowPage(4);
    Press("BitBtn4");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText36")), "Field strength: 30 dBm");
    Press("BitBtn7");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText38")), "Length: 25.4 mm");

    ShowPage(2);
    Enter("Edit26", "2");
    Press("BitBtn17");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText31")), "Reflection: 0.3333");
    ScrollTo("ListBox15", 1); // RL (dB)
    Press("BitBtn17");
    EXPECT_EQ(Heard(Find<QWidget>("StaticText31")), "Reflection: -9.5424 dB");
}

// The objects under `node` that tell a screen reader they have the focus.
QList<QAccessibleInterface*> Focused(QAccessibleInterface* node)
{
    QList<QAccessibleInterface*> focused;
    if (node->state().focused) {
        focused << node;
    }
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface* child = node->child(i)) {
            focused << Focused(child);
        }
    }
    return focused;
}

bool IsAncestor(QAccessibleInterface* ancestor, QAccessibleInterface* node)
{
    for (QAccessibleInterface* up = node->parent(); up != nullptr; up = up->parent()) {
        if (up == ancestor) {
            return true;
        }
    }
    return false;
}

TEST_F(ScreenReader, OneObjectAtATimeHasTheFocus)
{
    ForEachPage([&](QTabWidget* pages, int page) {
        pages->tabBar()->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 40; ++i) {
            // The focused objects are one path down the tree: a control and the
            // containers it holds the focus for (a list and its current item).
            const QList<QAccessibleInterface*> focused = Focused(QAccessible::queryAccessibleInterface(window.get()));
            QStringList names;
            for (QAccessibleInterface* node : focused) {
                names << node->text(QAccessible::Name);
            }
            ASSERT_FALSE(focused.isEmpty()) << "page " << page;
            for (QAccessibleInterface* node : focused) {
                EXPECT_TRUE(node == focused.back() || IsAncestor(node, focused.back()))
                    << "page " << page << ": " << names.join(", ").toStdString();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    });
}

} // namespace
} // namespace zandrevio::test
