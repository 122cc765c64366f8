// Results that leave the window: copied from a result, a field, a page and
// a plot.
#include "WindowFixture.h"

#include "widgets/CopyResults.h"
#include "widgets/PlotImage.h"
#include "widgets/ResultLabel.h"

#include <QAccessible>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <utility>

namespace zandrevio::test {
namespace {

class Copy : public WindowTest { };

TEST_F(Copy, AResultIsCopiedWholeAndReadWithItsCaptionAndUnit)
{
    ShowPage(0);
    Press("BitBtn19");
    auto* loss = Find<ResultLabel>("StaticText55");
    for (auto key : {Qt::Key_C, Qt::Key_Insert}) {
        QGuiApplication::clipboard()->clear();
        FocusOn(loss);
        QTest::keyClick(loss, key, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "111.03");
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(loss)->text(QAccessible::Name), "Propagation loss: 111.03 dB");
    EXPECT_EQ(Find<QLabel>("StaticText56")->buddy(), loss);
}

TEST_F(Copy, AFocusedResultShowsAMarkOnEveryPage)
{
    ForEachPage([&](QTabWidget* pages, int page) {
        for (auto* result : pages->widget(page)->findChildren<ResultLabel*>()) {
            // A result its calculation does not give (the Path page's
            // bearings of a profile's file) is hidden, and takes no focus.
            if (!result->isVisibleTo(window.get())) {
                continue;
            }
            result->setText("150.01");
            FocusOn(Find<QWidget>("BitBtn5"));
            const QImage unfocused = result->grab().toImage();
            result->setFocus(Qt::TabFocusReason);
            QApplication::processEvents();
            EXPECT_NE(result->grab().toImage(), unfocused) << result->objectName().toStdString();
        }
    });
}

TEST_F(Copy, AResultsTextIsSelectedWithKeysAndMouse)
{
    ShowPage(0);
    Press("BitBtn19");
    auto* loss = Find<ResultLabel>("StaticText55");
    loss->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(loss, Qt::Key_Home);
    QTest::keyClick(loss, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(loss, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(loss, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(loss->selectedText(), "111");
    QTest::keyClick(loss, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "111");

    auto* power = Find<ResultLabel>("StaticText58");
    const int y = power->height() / 2;
    QTest::mousePress(power, Qt::LeftButton, Qt::NoModifier, QPoint(power->width() - 3, y));
    QTest::mouseMove(power, QPoint(2, y));
    QTest::mouseRelease(power, Qt::LeftButton, Qt::NoModifier, QPoint(2, y));
    EXPECT_EQ(power->selectedText(), power->text());
}

TEST_F(Copy, CopyWorksInEveryField)
{
    ShowPage(1);
    auto* field = Find<QLineEdit>("Edit27");
    FocusOn(field);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "35");
    EXPECT_EQ(field->text(), "35");
    auto* spin = Find<SpinField>("SpinEdit1")->Editor();
    FocusOn(spin);
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "15");
    EXPECT_TRUE(feedback.Take().isEmpty()); // no beep
}

TEST_F(Copy, APagesResultsAreCaptionValueUnitLines)
{
    ShowPage(1);
    Press("BitBtn18");
    Press("BitBtn11");
    EXPECT_EQ(ResultsText(*Find<QWidget>("Traffic")),
              "Models\tErlang B\t\n"
              "Number of channels\t15\t\n"
              "Traffic 1\t9\tErlang\n"
              "GOS\t0.02\t\n"
              "Number of subscribers 1\t1000\t\n"
              "Calling rate per subscriber\t35\tmErl/sub\n"
              "Traffic 2\t35\tErl\n"
              "Traffic 3\t35\tErl\n"
              "Number of subscribers 2\t1000\t\n");
}

TEST_F(Copy, EachLineCarriesItsUnitAndEveryChoiceInUse)
{
    ShowPage(0);
    Press("BitBtn19");
    EXPECT_EQ(ResultsText(*Find<QWidget>("RF")),
              "Cellular Standards\tAMPS\t\n"
              "Channel number\t1023\t\n"
              "Frequencies\tBS RX\t\n"
              "BS RX frequency\t825\tMHz\n"
              "Duplex\t45\tMHz\n"
              "Channel Spacing\t30\tkHz\n"
              "Frequency Error\t0\tHz\n"
              "Propagation Models\tFree Space\t\n"
              "BS Power\t10\tWatts\n"
              "Antenna BS Gain\t10\tdBd\n"
              "Antenna BS Height\t50\tm\n"
              "Antenna MS Gain\t0\tdBd\n"
              "Antenna MS Height\t2\tm\n"
              "Distance\t10\tkm\n"
              "Frequency\t850\tMHz\n"
              "Propagation loss\t111.03\tdB\n"
              "MS Recieve Power\t-56.73\tdBm\n");
    ShowPage(4);
    Press("BitBtn4");
    EXPECT_TRUE(ResultsText(*Find<QWidget>("Units"))
                    .startsWith("Field strength value\t1\tW\nField strength\t30\tdBm\nImpedans [Ohm]\t50\t\n"));
}

TEST_F(Copy, EveryCaptionOnAPageIsUnique)
{
    ShowEveryPage(); // every page but the first is built when first shown
    auto* pages = Find<QTabWidget>("PageControl1");
    for (int page = 0; page < pages->count(); ++page) {
        QStringList captions;
        for (const QString& line : ResultsText(*pages->widget(page)).split('\n', Qt::SkipEmptyParts)) {
            captions << line.section('\t', 0, 0);
        }
        const auto all = captions.size();
        captions.removeDuplicates();
        EXPECT_EQ(captions.size(), all) << "page " << page;
    }
    const QString planning = ResultsText(*Find<QWidget>("Planning"));
    EXPECT_TRUE(planning.contains("Cell range: Frequency\t1800\tMHz\n")) << planning.toStdString();
    EXPECT_TRUE(planning.contains("Band plan: Frequency\tDownlink\t\n")) << planning.toStdString();
    EXPECT_TRUE(ResultsText(*Find<QWidget>("Antenna")).contains("Reflection Coefficients: VSWR\t3\t\n"));
}

TEST_F(Copy, APlotTakesTheFocusAndOpensItsMenuFromTheKeyboard)
{
    ShowPage(3);
    Press("BitBtn20");
    auto* plot = Find<PlotImage>("Image1");
    FocusOn(Find<QWidget>("BitBtn20"));
    const QImage unfocused = plot->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), plot);
    EXPECT_NE(plot->grab().toImage(), unfocused);

    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Menu, Qt::KeyboardModifiers(Qt::NoModifier)},
                                         std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)}}) {
        QStringList offered;
        QString active;
        QTimer::singleShot(0, [&offered, &active] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                active = menu->activeAction() != nullptr ? menu->activeAction()->text() : QString();
                for (QAction* action : menu->actions()) {
                    if (!action->isSeparator()) {
                        offered << action->text();
                    }
                }
                menu->close();
            }
        });
        QTest::keyClick(plot, key, modifiers);
        EXPECT_EQ(offered, QStringList({"Copy image", "Save image as...", "Copy results"})) << key;
        EXPECT_EQ(active, "Copy image") << key; // arrows and Enter work at once
    }
}

TEST_F(Copy, ASaveWithoutExtensionTakesTheTypeChosen)
{
    EXPECT_EQ(PlotFileName("/tmp/plot", "SVG image (*.svg)"), "/tmp/plot.svg");
    EXPECT_EQ(PlotFileName("/tmp/plot", "PNG image (*.png)"), "/tmp/plot.png");
    EXPECT_EQ(PlotFileName("/tmp/plot.png", "SVG image (*.svg)"), "/tmp/plot.png");
    EXPECT_EQ(PlotFileName("/tmp/plot.SVG", "PNG image (*.png)"), "/tmp/plot.SVG");
    EXPECT_EQ(PlotFileName("", "SVG image (*.svg)"), "");
}

// The text of a plot saved under a name in a fresh folder.
QString Saved(PlotImage& plot, const QString& name)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(name);
    EXPECT_TRUE(plot.SavePicture(file, "Plot"));
    QFile saved(file);
    EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
    return QString::fromUtf8(saved.readAll());
}

TEST_F(Copy, APlotIsCopiedAndSavedWithItsAxesAndScaleAndAsVectorsInSvg)
{
    ShowPage(5);
    Press("BitBtn21");
    auto* range = Find<PlotImage>("Image2");
    const QString svg = Saved(*range, "range.svg");
    EXPECT_FALSE(svg.contains("<image")) << svg.left(300).toStdString();
    EXPECT_TRUE(svg.contains("<path") || svg.contains("<polyline")) << svg.left(300).toStdString();
    for (const char* text : {"Distance (km)", "Received level (dBm)", "Sensitivity", "Cell radius", "4.934 km"}) {
        EXPECT_TRUE(svg.contains(text)) << text;
    }
    // The picture's description is the plot's text alternative.
    // Escaped: the file stays well-formed XML whatever the description holds.
    range->setAccessibleDescription("Received level <falls> with distance");
    EXPECT_TRUE(Saved(*range, "described.svg").contains("<desc>Received level &lt;falls&gt; with distance</desc>"));
    QGuiApplication::clipboard()->clear();
    range->ContextMenu()->actions().front()->trigger(); // Copy image
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(486, 300));

    ShowPage(3);
    Press("BitBtn20");
    auto* downtilt = Find<PlotImage>("Image1");
    const QString drawn = Saved(*downtilt, "downtilt.svg");
    EXPECT_FALSE(drawn.contains("<image"));
    for (const char* text : {"Gain [dB]", "d [km]", ">10<", ">1,4<"}) {
        EXPECT_TRUE(drawn.contains(text)) << text;
    }
    const QImage picture = downtilt->Picture();
    EXPECT_GT(picture.width(), downtilt->width());
    EXPECT_GT(picture.height(), downtilt->height());
    QTemporaryDir folder;
    ASSERT_TRUE(downtilt->SavePicture(folder.filePath("downtilt.png"), "Downtilt"));
    EXPECT_EQ(QImage(folder.filePath("downtilt.png")).size(), picture.size());
}

TEST_F(Copy, ThePlotSavesAsPngAndSvg)
{
    ShowPage(3);
    Press("BitBtn20");
    const QImage& plot = Find<PlotImage>("Image1")->Surface();
    QTemporaryDir folder;
    ASSERT_TRUE(SavePlot(plot, folder.filePath("plot.png"), "Downtilt"));
    EXPECT_EQ(QImage(folder.filePath("plot.png")).size(), plot.size());
    ASSERT_TRUE(SavePlot(plot, folder.filePath("plot.svg"), "Downtilt"));
    QFile svg(folder.filePath("plot.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_TRUE(text.contains("<svg")) << text.left(200).toStdString();
    EXPECT_TRUE(text.contains("<image")) << text.left(200).toStdString();
}

} // namespace
} // namespace zandrevio::test
