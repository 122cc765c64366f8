// The Path page's choice of model and its availability: Longley-Rice over
// the example hop as the core gives it, its fields shown only while it is
// chosen, the hop's outage from the budget's fade margin, and the refusals
// of both at their fields.
#include "WindowFixture.h"

#include "fixed_link/availability.h"
#include "itm/itm.h"
#include "propagation/path_link.h"
#include "propagation/path_model.h"
#include "fixed_link/polarization_tilt.h"
#include "fixed_link/rain_attenuation.h"
#include "terrain/path_source.h"
#include "widgets/FieldTable.h"
#include "widgets/RadioGroup.h"
#include "widgets/ResultLabel.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

namespace zandrevio::test {
namespace {

const std::string kHillHop = ZANDREVIO_SOURCE_DIR "/docs/examples/hill-hop.csv";

template <typename Field>
Inputs<Field> StartInputs(const CalculationSpec<Field>& calculation)
{
    Inputs<Field> in;
    for (const FieldSpec<Field>& spec : calculation.fields) {
        if (spec.kind == FieldKind::Choice) {
            in.Set(spec.field, static_cast<long double>(StartIndex(calculation, spec.field)));
        } else if (spec.kind != FieldKind::Text) {
            in.Set(spec.field, Input::Text(std::string(spec.start)));
        }
    }
    return in;
}

class PathModelsWindow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(6);
        Put(Find<QLineEdit>("ProfileFileField"), QString::fromStdString(kHillHop));
        Put(Find<QLineEdit>("FrequencyField"), "7000");
        Put(Find<QLineEdit>("TxHeightField"), "30");
        Put(Find<QLineEdit>("RxHeightField"), "30");
    }

    void ChooseLongleyRice() { Click(Find<RadioGroup>("ModelGroup")->Button(1)); }

    static TerrainProfile Profile()
    {
        const auto loaded = LoadPathProfile({kHillHop, {}, "", "", ""});
        EXPECT_TRUE(loaded.Ok());
        return loaded.Value().profile;
    }

    // The delta-Bullington link of the page's values, with its budget.
    static Inputs<PathField> LinkInputs()
    {
        Inputs<PathField> in = StartInputs(kPath);
        in.Set(PathField::Frequency, 7000.0L).Set(PathField::TxHeight, 30.0L).Set(PathField::RxHeight, 30.0L);
        return in;
    }
    static PathResult CoreLink()
    {
        const auto link = PathLink(Profile(), LinkInputs());
        EXPECT_TRUE(link.Ok());
        return link.Value();
    }

    static ItmResult CoreItm()
    {
        Inputs<ItmField> in = StartInputs(kItm);
        in.Set(ItmField::Frequency, 7000.0L).Set(ItmField::TxHeight, 30.0L).Set(ItmField::RxHeight, 30.0L);
        in.Set(ItmField::Polarization, static_cast<long double>(StartIndex(kPath, PathField::Polarization)));
        const auto itm = ItmPointToPoint(Profile(), in);
        EXPECT_TRUE(itm.Ok()) << (itm.Ok() ? "" : itm.Error().message);
        return itm.Value();
    }
};

TEST_F(PathModelsWindow, LongleyRiceOverTheExampleHopShowsTheCoresLossAndMode)
{
    ChooseLongleyRice();
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    const ItmResult itm = CoreItm();
    const PathBudget link = PathBudgetAt(LinkInputs(), itm.lossDb).Value();
    EXPECT_EQ(TextOf("PathLossResult"), ResultText(kPathResultLoss, itm.lossDb));
    EXPECT_EQ(TextOf("ModeResult"), QString::fromUtf8(ItmModeWord(itm.mode).data()));
    EXPECT_EQ(TextOf("ReceivedPowerResult"), ResultText(kPathResultReceivedPower, *link.receivedPowerDbm));
    EXPECT_EQ(TextOf("FadeMarginResult"), ResultText(kPathResultFadeMargin, *link.fadeMarginDb));
    // The geometry stays the link's.
    EXPECT_EQ(TextOf("DistanceResult"), "40");
    EXPECT_EQ(TextOf("WorstPointResult"), "22.8");
    QStringList warnings;
    for (const std::string& warning : itm.warnings) {
        warnings << QString::fromStdString(warning);
    }
    EXPECT_EQ(Find<NoteLabel>("PathWarnings")->Notes(), warnings);
}

TEST_F(PathModelsWindow, ChoosingAModelShowsItsFieldsAndResults)
{
    EXPECT_FALSE(Find<QWidget>("ItmGroup")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<QWidget>("ModeCaption")->isVisibleTo(window.get()));
    EXPECT_TRUE(Find<QWidget>("FreeSpaceLossCaption")->isVisibleTo(window.get()));
    ChooseLongleyRice();
    EXPECT_TRUE(Find<QWidget>("ClimatePicker")->isVisibleTo(window.get()));
    EXPECT_TRUE(Find<QWidget>("ConductivityField")->isVisibleTo(window.get()));
    EXPECT_TRUE(Find<QWidget>("ModeResult")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<QWidget>("FreeSpaceLossResult")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<QWidget>("DiffractionLossCaption")->isVisibleTo(window.get()));
    Click(Find<RadioGroup>("ModelGroup")->Button(0));
    EXPECT_FALSE(Find<QWidget>("ItmGroup")->isVisibleTo(window.get()));
    EXPECT_TRUE(Find<QWidget>("DiffractionLossResult")->isVisibleTo(window.get()));
    Press("CalculateButton");
    EXPECT_EQ(TextOf("PathLossResult"), ResultText(kPathResultLoss, CoreLink().pathLossDb));
}

TEST_F(PathModelsWindow, ALongleyRiceRefusalFocusesItsField)
{
    ChooseLongleyRice();
    Put(Find<QLineEdit>("ConductivityField"), "0");
    Press("CalculateButton");
    ExpectRefused("Ground conductivity must be greater than 0", "ConductivityField");
}

TEST_F(PathModelsWindow, TheAvailabilityFollowsTheBudgetsFadeMargin)
{
    Find<QGroupBox>("AvailabilityGroup")->setChecked(true);
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    const PathResult link = CoreLink();
    const TerrainProfile profile = Profile();
    Inputs<AvailabilityField> in = StartInputs(kAvailability);
    in.Set(AvailabilityField::Distance, link.distanceKm)
        .Set(AvailabilityField::Frequency, 7000.0L)
        .Set(AvailabilityField::Polarization, PolarizationInput("horizontal"))
        .Set(AvailabilityField::TxAltitude, profile.points.front().heightM + 30.0L)
        .Set(AvailabilityField::RxAltitude, profile.points.back().heightM + 30.0L)
        .Set(AvailabilityField::FadeMargin, *link.fadeMarginDb);
    const auto core = Availability(in);
    ASSERT_TRUE(core.Ok());
    const AvailabilityResult& hop = core.Value();
    EXPECT_EQ(TextOf("RainSpecificResult"), ResultText(kRainResultSpecificAttenuation, hop.rainSpecificDbPerKm));
    EXPECT_EQ(TextOf("RainAttenuationResult"), ResultText(kRainResultAttenuation, hop.rainAttenuation001Db));
    EXPECT_EQ(TextOf("GasAttenuationResult"), ResultText(kAvailabilityResultGasAttenuation, hop.gasAttenuationDb));
    EXPECT_EQ(TextOf("RainOutageResult"), ResultText(kAvailabilityResultRainOutage, hop.rainOutagePercent));
    EXPECT_EQ(TextOf("MultipathOutageResult"),
              ResultText(kAvailabilityResultMultipathOutage, hop.multipathOutagePercent));
    EXPECT_EQ(TextOf("OutageResult"), ResultText(kAvailabilityResultOutage, hop.outagePercent));
    EXPECT_EQ(TextOf("AvailabilityResult"), ResultText(kAvailabilityResultAvailability, hop.availabilityPercent));
    EXPECT_EQ(TextOf("OutageTimeResult"), ResultText(kAvailabilityResultOutageTime, hop.outageMinutesPerYear));
    EXPECT_TRUE(Find<QWidget>("OutageTimeUnit")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<QWidget>("AvailabilityNote")->isVisibleTo(window.get()));
    for (const std::string& warning : hop.warnings) {
        EXPECT_TRUE(Find<NoteLabel>("PathWarnings")->Notes().contains(QString::fromStdString(warning)));
    }
}

// Every value and warning is drawn in the page's own font: the hop's results
// at the foot with the details' room, the warnings below them as many lines
// as they take; a field too narrow for its value shows the value's head.
TEST_F(PathModelsWindow, TheHopsResultsAndWarningsAreDrawnFullSize)
{
    Find<QGroupBox>("AvailabilityGroup")->setChecked(true);
    Put(Find<QLineEdit>("FrequencyField"), "90000"); // beyond the methods' ranges: three warnings
    Put(Find<QLineEdit>("RainRateField"), "5");
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    for (const char* name : {"RainSpecificResult", "RainOutageResult", "OutageResult", "AvailabilityResult",
                             "OutageTimeResult"}) {
        auto* result = Find<ResultLabel>(name);
        EXPECT_FALSE(result->text().isEmpty()) << name;
        EXPECT_EQ(result->ShownFont(), result->font()) << name << ' ' << result->text().toStdString();
    }
    auto* warnings = Find<NoteLabel>("PathWarnings");
    ASSERT_EQ(warnings->Notes().size(), 3);
    EXPECT_EQ(warnings->ShownFont(), warnings->font());
    EXPECT_GE(warnings->geometry().top(), Find<QWidget>("HopGroup")->geometry().bottom());

    auto* k = Find<QLineEdit>("KFactorField");
    FocusOn(k);
    k->setText("1.333333333333333");
    FocusOn(Find<QLineEdit>("FrequencyField"));
    EXPECT_EQ(k->cursorPosition(), 0);
}

TEST_F(PathModelsWindow, WithoutTheBudgetTheAvailabilityIsANote)
{
    Find<QGroupBox>("BudgetGroup")->setChecked(false);
    Find<QGroupBox>("AvailabilityGroup")->setChecked(true);
    Press("CalculateButton");
    EXPECT_TRUE(feedback.Take().isEmpty());
    EXPECT_TRUE(Find<QWidget>("AvailabilityNote")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<NoteLabel>("AvailabilityNote")->Notes().isEmpty());
    EXPECT_FALSE(Find<QWidget>("OutageResult")->isVisibleTo(window.get()));
    EXPECT_FALSE(TextOf("PathLossResult").isEmpty());
}

TEST_F(PathModelsWindow, AnAvailabilityRefusalFocusesItsField)
{
    Find<QGroupBox>("AvailabilityGroup")->setChecked(true);
    Put(Find<QLineEdit>("LatitudeField"), "91");
    Press("CalculateButton");
    ExpectRefused("Latitude must be from -90 to 90°", "LatitudeField");
    // The field lies below the plot: the page scrolls down to it.
    EXPECT_GT(Find<QScrollArea>("PathScroll")->verticalScrollBar()->value(), 0);
}

} // namespace
} // namespace zandrevio::test
