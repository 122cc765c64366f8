// The Receiver page's buttons wired to the core: noise, the cascade typed in
// its table (added, removed and moved stages, cells refused where they are
// typed), the radiated power, and the intermodulation search with its lists.
#include "WindowFixture.h"

#include "receiver/ReceiverPlots.h"
#include "receiver/StageTable.h"
#include "receiver/cascade.h"
#include "receiver/intermodulation.h"
#include "receiver/noise.h"
#include "receiver/receiver_results.h"
#include "widgets/CopyResults.h"
#include "widgets/FieldTable.h"
#include "widgets/ItemViewFocus.h"
#include "widgets/PlotImage.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>
#include <QTableWidget>

namespace zandrevio::test {
namespace {

constexpr int kReceiverPage = 7;

class ReceiverWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(kReceiverPage);
        stages = Find<StageTable>("StageTable");
    }

    QStringList Column(int column) const
    {
        QStringList texts;
        for (int row = 0; row < stages->rowCount(); ++row) {
            texts << (stages->item(row, column) ? stages->item(row, column)->text() : QString());
        }
        return texts;
    }

    // Types into a cell as a user would: the cell made current, then keys.
    void TypeCell(int row, int column, const QString& keys)
    {
        stages->setFocus(Qt::MouseFocusReason);
        stages->setCurrentCell(row, column);
        QTest::keyClick(stages, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, stages);
        static_cast<QLineEdit*>(editor)->selectAll();
        QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents(); // the view takes the text once back in its loop
    }

    // The cell the refusal left open: current, focused in its editor with the
    // whole text selected.
    void ExpectCellOpen(int row, int column)
    {
        EXPECT_EQ(stages->currentRow(), row);
        EXPECT_EQ(stages->currentColumn(), column);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(stages->isAncestorOf(editor));
        EXPECT_EQ(editor->selectedText(), editor->text());
    }

    StageTable* stages = nullptr;
};

TEST_F(ReceiverWindow, EachCalculateButtonWritesItsResults)
{
    const struct {
        const char* button;
        std::vector<std::pair<const char*, const char*>> results;
    } cases[] = {
        // kT at 290 K is -173.98 dBm/Hz; 5 dB is a factor of 3.1623 and 627.06 K.
        {"NoiseButton",
         {{"NoiseDensityResult", "-173.98"},
          {"ThermalNoiseResult", "-120.96"},
          {"NoiseFloorResult", "-115.96"},
          {"SensitivityResult", "-106.96"},
          {"NoiseFactorResult", "3.1623"},
          {"NoiseTemperatureResult", "627.06"}}},
        // LNA 20 dB/1 dB/+30 dBm, cable -3 dB, mixer -7 dB/7 dB/+15 dBm:
        // F = 1.2589 + 0.9953/100 + 4.0119/50.12 = 1.3489 (1.30 dB, 101.19 K);
        // 1/IIP3 = 1/10 mW + 1/3.162 mW (the mixer's 22 dBm less 17 dB ahead).
        {"CascadeButton",
         {{"CascadeGainResult", "10"},
          {"CascadeNoiseFigureResult", "1.3"},
          {"CascadeTemperatureResult", "101.19"},
          {"Iip3Result", "3.81"},
          {"Oip3Result", "13.81"},
          {"CascadeFloorResult", "-119.67"},
          {"CascadeSensitivityResult", "-110.67"},
          {"SfdrResult", "82.31"}}},
        // 43 - 2 - 0 + 15 dBi; ERP 2.15 dB less.
        {"EirpButton",
         {{"EirpResult", "56"},
          {"ErpResult", "53.85"},
          {"EirpDbwResult", "26"},
          {"EirpWattsResult", "398.11"},
          {"ErpWattsResult", "242.66"}}},
        // 935.2, 947.6 and 959.8 MHz into 890-915 MHz: 2f1-f3 = 910.6 MHz among them.
        {"IntermodButton",
         {{"ProductCountResult", "8"},
          {"Order2Result", "0"},
          {"Order3Result", "1"},
          {"Order5Result", "4"},
          {"Order7Result", "3"}}},
    };
    for (const auto& c : cases) {
        Press(c.button);
        EXPECT_TRUE(feedback.Take().isEmpty()) << c.button;
        for (const auto& [result, text] : c.results) {
            EXPECT_EQ(TextOf(result), text) << c.button << ' ' << result;
        }
    }
    // The stages' own shares beside them, and the bars with the same figures.
    EXPECT_EQ(Column(StageTable::NoiseShare), QStringList({"74.21", "2.85", "22.94"}));
    EXPECT_EQ(Column(StageTable::NoiseFigureSoFar), QStringList({"1", "1.03", "1.3"}));
    EXPECT_EQ(Find<PlotImage>("NoiseShareImage")->accessibleDescription(),
              "Share of the added noise: LNA 74.21 %, Cable 2.85 %, Mixer 22.94 %");
    const QAbstractItemModel& products = *Find<QTableView>("ProductTable")->model();
    const auto cell = [&](int row, int column) { return products.index(row, column).data().toString(); };
    ASSERT_EQ(products.rowCount(), 8);
    EXPECT_EQ(cell(0, 0), "898");
    EXPECT_EQ(cell(0, 2), "4f1-3f2");
    EXPECT_EQ(cell(5, 0), "910.6");
    EXPECT_EQ(cell(5, 1), "3");
    EXPECT_EQ(cell(5, 2), "2f1-f3");
    EXPECT_EQ(Find<PlotImage>("IntermodImage")->accessibleDescription(),
              "3 carriers from 935.2 to 959.8 MHz; 1 receive bands; 8 products in the bands");
}

TEST_F(ReceiverWindow, TheWindowsCascadeIsTheCoresForTheStagesTyped)
{
    TypeCell(1, StageTable::Gain, "-4.5");
    TypeCell(2, StageTable::NoiseFigure, "9");
    Press("CascadeButton");
    const auto chain = std::get<CascadeResult>(
        Cascade({{"LNA", 20, 1, 30, 20}, {"Cable", -4.5L, {}, {}, {}}, {"Mixer", -7, 9, 15, 5}}, 200, 9));
    EXPECT_EQ(TextOf("CascadeNoiseFigureResult"), ResultText(kNoiseFigureResult, chain.noiseFigureDb));
    EXPECT_EQ(TextOf("Ip1dbResult"), ResultText(kCascadeIp1dbResult, *chain.ip1dbDbm));
    EXPECT_EQ(TextOf("SfdrResult"), ResultText(kCascadeSfdrResult, *chain.sfdrDb));
    // With no intercept typed anywhere the chain has none: those results stay empty.
    for (int row = 0; row < 3; ++row) {
        stages->item(row, StageTable::Oip3)->setText("");
        stages->item(row, StageTable::Op1db)->setText("");
    }
    Press("CascadeButton");
    EXPECT_EQ(TextOf("Iip3Result"), "");
    EXPECT_EQ(TextOf("SfdrResult"), "");
    EXPECT_EQ(Column(StageTable::Ip3Share), QStringList({"", "", ""}));
}

TEST_F(ReceiverWindow, StagesAreAddedRemovedAndMovedByButtonsAndKeys)
{
    // Add puts an empty stage after the current one and opens its name.
    stages->setCurrentCell(0, StageTable::Gain);
    Press("AddStageButton");
    EXPECT_EQ(Column(StageTable::Name), QStringList({"LNA", "", "Cable", "Mixer"}));
    ExpectCellOpen(1, StageTable::Name);
    QTest::keyClicks(QApplication::focusWidget(), "Filter");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    TypeCell(1, StageTable::Gain, "-1.5");
    EXPECT_EQ(Column(StageTable::Gain), QStringList({"20", "-1.5", "-3", "-7"}));

    // The buttons act on the stage the table left current, the focus on them.
    stages->setCurrentCell(1, StageTable::Name);
    Press("MoveDownButton");
    EXPECT_EQ(Column(StageTable::Name), QStringList({"LNA", "Cable", "Filter", "Mixer"}));
    EXPECT_EQ(CurrentOrPutAside(*stages).row(), 2);
    Press("MoveUpButton");
    Press("MoveUpButton");
    EXPECT_EQ(Column(StageTable::Name), QStringList({"Filter", "LNA", "Cable", "Mixer"}));
    Press("MoveUpButton"); // the first stays first
    EXPECT_EQ(Column(StageTable::Name), QStringList({"Filter", "LNA", "Cable", "Mixer"}));
    Press("RemoveStageButton");
    EXPECT_EQ(Column(StageTable::Name), QStringList({"LNA", "Cable", "Mixer"}));

    // From the keyboard: Ctrl+Down moves, Delete removes, Insert adds.
    stages->setFocus(Qt::TabFocusReason);
    stages->setCurrentCell(0, StageTable::Name);
    QTest::keyClick(stages, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Column(StageTable::Name), QStringList({"Cable", "LNA", "Mixer"}));
    QTest::keyClick(stages, Qt::Key_Delete);
    EXPECT_EQ(Column(StageTable::Name), QStringList({"Cable", "Mixer"}));
    QTest::keyClick(stages, Qt::Key_Escape);
    QTest::keyClick(stages, Qt::Key_Insert);
    EXPECT_EQ(stages->rowCount(), 3);
}

TEST_F(ReceiverWindow, ACellOrAFieldTheChainCannotTakeIsRefusedThere)
{
    // A missing gain, a text that is no number, an active stage without a
    // noise figure: each box, then its cell open to correct.
    stages->item(1, StageTable::Gain)->setText("");
    Press("CascadeButton");
    EXPECT_EQ(feedback.Take(),
              QStringList({"beep", "error: Stage 2 (Cable) has no gain: type it in dB, negative for a loss"}));
    ExpectCellOpen(1, StageTable::Gain);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    stages->item(1, StageTable::Gain)->setText("-");
    Press("CascadeButton");
    const QStringList taken = feedback.Take();
    ASSERT_EQ(taken.size(), 1);
    EXPECT_TRUE(taken[0].startsWith("app: ")) << taken[0].toStdString();
    EXPECT_TRUE(taken[0].contains("'-'")) << taken[0].toStdString();
    ExpectCellOpen(1, StageTable::Gain);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    stages->item(1, StageTable::Gain)->setText("-3");
    stages->item(2, StageTable::Gain)->setText("12");
    stages->item(2, StageTable::NoiseFigure)->setText("");
    Press("CascadeButton");
    EXPECT_EQ(
        feedback.Take(),
        QStringList(
            {"beep", "error: Stage 3 (Mixer) has no noise figure; only a loss takes its loss as its noise figure"}));
    ExpectCellOpen(2, StageTable::NoiseFigure);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

    // The bandwidth the chain shares with the noise above.
    stages->item(2, StageTable::NoiseFigure)->setText("7");
    Put(Find<QLineEdit>("BandwidthField"), "0");
    Press("CascadeButton");
    ExpectRefused("Bandwidth must be greater than 0", "BandwidthField");

    // No stage at all: the table itself to add one.
    Put(Find<QLineEdit>("BandwidthField"), "200");
    while (stages->rowCount() > 0) {
        stages->removeRow(0);
    }
    Press("CascadeButton");
    EXPECT_EQ(feedback.Take(), QStringList({"beep", "error: The cascade has no stage"}));
    EXPECT_TRUE(stages->hasFocus());
}

TEST_F(ReceiverWindow, NoiseAndRadiatedPowerAreRefusedAtTheirFields)
{
    const auto expectRefusedAt = [&](const char* field) {
        const QStringList taken = feedback.Take();
        ASSERT_FALSE(taken.isEmpty());
        EXPECT_TRUE(taken.last().startsWith("error: ")) << taken.last().toStdString();
        EXPECT_TRUE(Find<QLineEdit>(field)->hasFocus()) << field;
    };
    Put(Find<QLineEdit>("TemperatureField"), "0");
    Press("NoiseButton");
    expectRefusedAt("TemperatureField");
    Put(Find<QLineEdit>("TemperatureField"), "290");
    Put(Find<QLineEdit>("NoiseFigureField"), "-1");
    Press("NoiseButton");
    expectRefusedAt("NoiseFigureField");
    Put(Find<QLineEdit>("DistanceField"), "0");
    Press("EirpButton");
    expectRefusedAt("DistanceField");

    // dBd: the same gain is 2.15 dB more over an isotropic antenna.
    Put(Find<QLineEdit>("DistanceField"), "1");
    Click(Find<RadioGroup>("GainUnitGroup")->Button(1));
    Press("EirpButton");
    EXPECT_EQ(TextOf("EirpResult"), "58.15");
    EXPECT_EQ(TextOf("ErpResult"), "56");
}

TEST_F(ReceiverWindow, EbnoAndCapacityAreGivenByAnyOfTheirAlternatives)
{
    // Eb/N0 10 dB at 270.833 kbit/s in 200 kHz: SNR 10 + 10 log10(270.833/200) = 11.32 dB,
    // C/N0 10 + 10 log10(270833) = 64.33 dB-Hz.
    EXPECT_FALSE(Find<QLineEdit>("SignalSnrField")->isEnabled());
    Press("SignalButton");
    EXPECT_EQ(TextOf("SignalSnrResult"), "11.32");
    EXPECT_EQ(TextOf("SignalCn0Result"), "64.33");
    // Given the SNR instead: the Eb/N0 field stands aside and a minus is typed.
    Click(Find<RadioGroup>("SignalEbnoOrGroup")->Button(1));
    EXPECT_FALSE(Find<QLineEdit>("SignalEbnoField")->isEnabled());
    Enter("SignalSnrField", "-3");
    Press("SignalButton");
    EXPECT_EQ(TextOf("SignalEbnoResult"), "-4.32");
    Enter("SignalBitRateField", "0");
    Press("SignalButton");
    ExpectRefused("Bit rate must be greater than 0", "SignalBitRateField");
    EXPECT_EQ(TextOf("SignalEbnoResult"), "-4.32"); // a refusal leaves the results as they were

    // Shannon: 200 log2(1 + 10) = 691.89 kbit/s; 1000 kbit/s in 200 kHz needs 10 log10(2^5 - 1) dB.
    Press("CapacityButton");
    EXPECT_EQ(TextOf("CapacityCapacityResult"), "691.89");
    EXPECT_EQ(TextOf("CapacityEfficiencyResult"), "3.4594");
    Click(Find<RadioGroup>("CapacitySnrOrGroup")->Button(1));
    Press("CapacityButton");
    EXPECT_EQ(TextOf("CapacitySnrResult"), "14.91");
    EXPECT_TRUE(feedback.Take().isEmpty());
}

TEST_F(ReceiverWindow, CarriersAndBandsAreCheckedAsTheyAreAdded)
{
    auto* carriers = Find<QListWidget>("CarrierList");
    auto* bands = Find<QListWidget>("BandList");
    const struct {
        const char* field;
        const char* text;
        const char* button;
        const char* message;
        const char* focus;
    } refusals[] = {
        {"CarrierField", "0", "AddCarrierButton", "A carrier must be greater than 0 MHz", "CarrierField"},
        {"CarrierField", "947.60", "AddCarrierButton", "Carrier 2 is this frequency already", "CarrierField"},
        {"BandHighField", "880", "AddBandButton", "A band's high edge must be above its low edge", "BandHighField"},
        {"BandLowField", "0", "AddBandButton", "A band must have its low edge above 0 MHz", "BandLowField"},
    };
    for (const auto& r : refusals) {
        Put(Find<QLineEdit>(r.field), r.text);
        Press(r.button);
        ExpectRefused(r.message, r.focus);
        EXPECT_EQ(carriers->count(), 3) << r.text;
        EXPECT_EQ(bands->count(), 1) << r.text;
    }
    // A carrier typed with 17 digits is searched as typed, shown to 15.
    Put(Find<QLineEdit>("CarrierField"), "1805.0000000000001");
    Press("AddCarrierButton");
    EXPECT_EQ(carriers->item(3)->text(), "1805");
    Put(Find<QLineEdit>("BandLowField"), "1710");
    Put(Find<QLineEdit>("BandHighField"), "1785");
    Press("AddBandButton");
    EXPECT_EQ(bands->item(1)->text(), "1710 - 1785");
    Press("IntermodButton");
    EXPECT_TRUE(feedback.Take().isEmpty());

    // Remove takes the item the list left current; the last carrier removed,
    // the search asks for one.
    carriers->setCurrentRow(0);
    Press("RemoveCarrierButton");
    EXPECT_EQ(carriers->item(0)->text(), "947.6");
    while (carriers->count() > 0) {
        carriers->setCurrentRow(0);
        Press("RemoveCarrierButton");
    }
    Press("IntermodButton");
    ExpectRefused("Enter at least one carrier frequency", "CarrierField");
}

TEST_F(ReceiverWindow, TheOrdersSearchedAreThoseAsked)
{
    Click(Find<QCheckBox>("OddOrdersBox"));
    Press("IntermodButton");
    EXPECT_EQ(TextOf("ProductCountResult"), "8");
    EXPECT_EQ(TextOf("Order2Result"), "");
    EXPECT_EQ(TextOf("Order4Result"), "");
    EXPECT_EQ(TextOf("Order3Result"), "1");
    Enter("HighestOrderField", "3");
    Press("IntermodButton");
    EXPECT_EQ(TextOf("ProductCountResult"), "1");
    EXPECT_EQ(TextOf("Order5Result"), "");
    EXPECT_EQ(Find<QTableView>("ProductTable")->model()->rowCount(), 1);
    Enter("HighestOrderField", "8");
    Press("IntermodButton");
    ExpectRefused("Highest order must be from 2 to 7", "HighestOrderField");
}

TEST_F(ReceiverWindow, CopyResultsHoldsTheStagesTheListsAndTheProducts)
{
    Press("CascadeButton");
    Press("IntermodButton");
    const QString text = ResultsText(*Find<QWidget>("Receiver"));
    for (const char* line :
         {"Stages 2: Gain\t-3\tdB\n", "Stages 3: Noise share\t22.94\t%\n", "Cascade: Noise figure\t1.3\tdB\n",
          "Carriers 3\t959.8\tMHz\n", "Receive bands 1\t890 - 915\tMHz\n",
          "Products in the bands 6: Product\t2f1-f3\t\n", "Bandwidth\t200\tkHz\n", "Gain unit\tdBi\t\n"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line;
    }
    // The plots copy as pictures of their own size.
    EXPECT_EQ(Find<PlotImage>("IntermodImage")->Picture().size(), QSize(kIntermodPictureWidth, kIntermodPictureHeight));
    EXPECT_EQ(Find<PlotImage>("NoiseShareImage")->Picture().size(),
              QSize(kNoiseSharePictureWidth, kNoiseSharePictureHeight));
}

// A busy site: 28 GSM 900 carriers six channels apart and four more, every
// product to the seventh order in the GSM 900 and 1800 uplinks. Each is in
// the table and in Copy results, the last one too.
TEST_F(ReceiverWindow, EveryProductOfABusySiteIsListedAndCopied)
{
    auto* carriers = Find<QListWidget>("CarrierList");
    auto* bands = Find<QListWidget>("BandList");
    carriers->clear();
    bands->clear();
    for (int k = 0; k < 28; ++k) {
        Put(Find<QLineEdit>("CarrierField"), QString::number((9252 + 12 * k) / 10.0, 'f', 1));
        Press("AddCarrierButton");
    }
    for (const char* carrier : {"1805.2", "1842.6", "1870", "2112.4"}) {
        Put(Find<QLineEdit>("CarrierField"), carrier);
        Press("AddCarrierButton");
    }
    for (const auto& [low, high] : {std::pair{"880", "915"}, std::pair{"1710", "1785"}}) {
        Put(Find<QLineEdit>("BandLowField"), low);
        Put(Find<QLineEdit>("BandHighField"), high);
        Press("AddBandButton");
    }
    Press("IntermodButton");
    EXPECT_TRUE(feedback.Take().isEmpty());

    IntermodSearch search;
    for (int k = 0; k < 28; ++k) {
        search.carriersMhz.push_back((9252 + 12 * k) / 10.0L);
    }
    search.carriersMhz.insert(search.carriersMhz.end(), {1805.2L, 1842.6L, 1870.0L, 2112.4L});
    search.bands = {{880.0L, 915.0L}, {1710.0L, 1785.0L}};
    search.highestOrder = 7;
    const std::vector<IntermodProduct> expected = IntermodulationProducts(search).Value().products;
    ASSERT_GT(expected.size(), 20000U);
    const QAbstractItemModel& products = *Find<QTableView>("ProductTable")->model();
    ASSERT_EQ(products.rowCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(TextOf("ProductCountResult"), QString::number(expected.size()));
    const int last = products.rowCount() - 1;
    EXPECT_EQ(products.index(last, 2).data().toString(), QString::fromStdString(IntermodProductText(expected.back())));

    const QString text = ResultsText(*Find<QWidget>("Receiver"));
    EXPECT_EQ(text.count(QStringLiteral("\nProducts in the bands ")), 4 * products.rowCount());
    const QString lastLines = QStringLiteral("Products in the bands %1: Frequency\t%2\tMHz\n"
                                             "Products in the bands %1: Order\t%3\t\n"
                                             "Products in the bands %1: Product\t%4\t\n"
                                             "Products in the bands %1: Band\t%5\t\n")
                                  .arg(last + 1)
                                  .arg(products.index(last, 0).data().toString())
                                  .arg(expected.back().order)
                                  .arg(QString::fromStdString(IntermodProductText(expected.back())))
                                  .arg(expected.back().band + 1);
    EXPECT_TRUE(text.contains(lastLines)) << lastLines.toStdString();
    // The search's last lines, before the signal's form below it.
    EXPECT_TRUE(text.mid(text.indexOf(lastLines) + lastLines.size()).startsWith("Eb/N0, SNR and C/N0: Given\t"))
        << text.right(300).toStdString();
}

// Carriers' numbers go left to right over their lines; one that would print
// over the number before it is left out, whatever order the carriers came in.
TEST(IntermodPlot, CarrierNumbersNeverPrintOverOneAnother)
{
    EXPECT_EQ(LabelsThatFit({{300, 6}, {100, 6}, {106, 6}, {112, 6}, {200, 6}}),
              (std::vector<std::size_t>{1, 3, 4, 0}));
    EXPECT_EQ(LabelsThatFit({{100, 6}, {100, 6}}), (std::vector<std::size_t>{0}));
    EXPECT_TRUE(LabelsThatFit({}).empty());
}

// The plot draws one tick per order and half pixel: a product beside one of
// its order changes nothing, one of another order at the same frequency shows.
TEST(IntermodPlot, TicksOfOneOrderOnOnePixelAreDrawnOnce)
{
    const auto product = [](long double mhz, int order) {
        IntermodProduct p{};
        p.frequencyMhz = mhz;
        p.order = order;
        return p;
    };
    const auto draw = [](const std::vector<IntermodProduct>& products) {
        QImage surface(400, 120, QImage::Format_ARGB32_Premultiplied);
        DrawIntermodPlot(surface, IntermodPicture{{935.2L, 959.8L}, {{890.0L, 915.0L}}, products});
        return surface;
    };
    const QImage one = draw({product(910.6L, 3)});
    EXPECT_EQ(draw({product(910.6L, 3), product(910.6001L, 3)}), one);
    EXPECT_NE(draw({product(910.6L, 3), product(910.6L, 5)}), one);
    EXPECT_NE(draw({product(910.6L, 3), product(905.0L, 3)}), one);
}

// Frequencies a field takes but an axis cannot count: two ulps above 1e21
// MHz, and a span beyond the largest long double. Drawn, not hung.
TEST(IntermodPlot, AnAxisBeyondCountingStillDraws)
{
    IntermodProduct product{};
    product.frequencyMhz = 1.14e4932L;
    product.order = 2;
    for (const IntermodPicture& picture :
         {IntermodPicture{{1e21L}, {{1e21L, 1e21L + 128.0L}}, {}},
          IntermodPicture{{1e4932L, 1.4e4931L}, {{1.0L, 1.15e4932L}}, {product}}}) {
        QImage surface(400, 120, QImage::Format_ARGB32_Premultiplied);
        DrawIntermodPlot(surface, picture);
        EXPECT_NE(surface.pixel(200, 60), 0U);
    }
}

// A screen reader hears one focused object: the table's current stage only
// while the table has the focus, and the buttons still act on it.
// A screen reader hears the cell's editor as the cell it edits.
TEST_F(ReceiverWindow, ACellsEditorIsNamedAsItsCell)
{
    for (const auto& [column, name] : {std::pair{StageTable::Gain, "Stage gain (dB), stage 2"},
                                       std::pair{StageTable::Name, "Stage name, stage 2"}}) {
        stages->setFocus(Qt::MouseFocusReason);
        stages->setCurrentCell(1, column);
        QTest::keyClick(stages, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_TRUE(stages->isAncestorOf(editor));
        EXPECT_EQ(editor->accessibleName(), name);
        QTest::keyClick(editor, Qt::Key_Escape);
    }
}

// The item shown selected is the one Remove takes, also after the list has
// had the focus (which, without a current item, makes its first one current).
TEST_F(ReceiverWindow, RemoveTakesTheItemShownSelected)
{
    for (const auto& [list, field, add, remove] :
         {std::tuple{"CarrierList", "CarrierField", "AddCarrierButton", "RemoveCarrierButton"},
          std::tuple{"BandList", "BandLowField", "AddBandButton", "RemoveBandButton"}}) {
        auto* items = Find<QListWidget>(list);
        Enter(field, "1800");
        Enter("BandHighField", "1900");
        Press(add);
        const int added = items->count() - 1;
        ASSERT_EQ(items->selectedItems(), QList<QListWidgetItem*>({items->item(added)})) << list;
        const QString kept = items->item(0)->text();
        items->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        Find<QWidget>(remove)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        ASSERT_EQ(items->count(), added) << list;
        EXPECT_EQ(items->item(0)->text(), kept) << list;
        EXPECT_TRUE(items->findItems(QStringLiteral("1800"), Qt::MatchStartsWith).isEmpty()) << list;
    }
}

TEST_F(ReceiverWindow, TheCurrentStageIsPutAsideWhileTheFocusIsElsewhere)
{
    stages->setFocus(Qt::TabFocusReason);
    stages->setCurrentCell(2, StageTable::Gain);
    Find<QWidget>("MoveUpButton")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(stages->currentIndex().isValid());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(Column(StageTable::Name), QStringList({"LNA", "Mixer", "Cable"}));
    // Pressed again, the button moves it on; the table takes it back with the focus.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(Column(StageTable::Name), QStringList({"Mixer", "LNA", "Cable"}));
    EXPECT_FALSE(stages->currentIndex().isValid());
    stages->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(stages->currentRow(), 0);
    EXPECT_EQ(stages->currentColumn(), StageTable::Gain);
}

} // namespace
} // namespace zandrevio::test
