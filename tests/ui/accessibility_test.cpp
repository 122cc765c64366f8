#include "WindowFixture.h"

#include "widgets/EntryField.h"
#include "widgets/SpinField.h"
#include "widgets/UnitPicker.h"

#include <QFileDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <QRegularExpression>

namespace zandrevio::test {
namespace {

class Accessibility : public WindowTest {
protected:
    // Walks the Tab chain from the page's tab, one key at a time, until it
    // comes round again; names the controls met (a radio group by its own
    // name, a spin field's text part by the spin field's).
    QStringList TabChain(int page)
    {
        auto* pages = Find<QTabWidget>("PageControl1");
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        QWidget* start = pages->tabBar();
        start->setFocus(Qt::TabFocusReason);
        QStringList names;
        for (int i = 0; i < 100; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            if (now == start || now == nullptr) {
                break;
            }
            QWidget* named = now;
            while (named != nullptr && named->objectName().isEmpty()) {
                named = named->parentWidget();
            }
            QString name = named ? named->objectName() : QStringLiteral("?");
            names << name.remove(QRegularExpression("Item[0-9]+$"));
        }
        return names;
    }
};

TEST_F(Accessibility, TheTabOrderFollowsTheVisualOrderOnEveryPage)
{
    // Results and plots take the focus too, each after the button that writes it.
    const QStringList expected[] = {
        QString("BitBtn5 RadioGroup1 SpinEdit3 BitBtn9 RadioButton1 Edit11 BitBtn10 StaticText69 StaticText70 "
                "StaticText68 RadioButton3 Edit29 Edit4 ListBox17 Edit6 ListBox11 Edit10 ListBox18 Edit9 ListBox16 "
                "Edit20 ListBox19 Edit30 BitBtn19 StaticText55 StaticText58")
            .split(' '),
        QString("BitBtn5 Model SpinEdit1 BitBtn1 Edit1 BitBtn2 Edit2 BitBtn3 SpinEdit4 Edit27 BitBtn18 StaticText30 "
                "Edit28 BitBtn11 StaticText32")
            .split(' '),
        QString("BitBtn5 RadioGroup2 ListBox9 Edit14 ListBox10 Edit15 BitBtn12 StaticText4 Edit21 Edit22 BitBtn14 "
                "StaticText19 Edit23 Edit24 BitBtn15 StaticText23 Edit25 BitBtn16 StaticText27 Edit26 ListBox15 "
                "BitBtn17 StaticText31")
            .split(' '),
        QString("BitBtn5 Edit17 ListBox12 Edit16 BitBtn13 Edit19 ListBox14 Edit18 ListBox13 StaticText41 RadioGroup3 "
                "Edit31 Edit32 Edit33 Edit34 BitBtn20 Image1 PatternBrowseButton PatternPatternField "
                "PatternBearingField PatternElevationField PatternAzimuthField PatternDowntiltField PatternButton "
                "PatternGainResult PatternAttenuationResult PatternMaxGainResult PatternHorizontalBeamwidthResult "
                "PatternVerticalBeamwidthResult PatternFrontToBackResult PatternElectricalTiltResult "
                "HorizontalPatternImage VerticalPatternImage")
            .split(' '),
        QString("BitBtn5 Button1 Edit3 ListBox1 BitBtn4 StaticText36 ListBox2 Imp SpinEdit2 Edit5 ListBox4 BitBtn6 "
                "StaticText37 ListBox3 Edit7 ListBox5 BitBtn7 StaticText38 ListBox7 Edit8 ListBox6 BitBtn8 "
                "StaticText39 ListBox8")
            .split(' '),
        QString(
            "BitBtn5 RadioGroup5 ListBox20 Edit35 Edit36 Edit37 Edit38 Edit39 Edit40 Edit41 Edit42 Edit43 Edit44 "
            "Edit45 BitBtn21 Image2 StaticText73 StaticText74 StaticText75 ListBox21 SpinEdit5 BitBtn22 RadioGroup6 "
            "Edit46 Edit47 BitBtn23 StaticText77 StaticText78 StaticText79 QueueTrafficOrGroup QueueServersOrGroup "
            "QueueTrafficField QueueHandlingTimeField QueueTargetTimeField QueueServersField QueueButton "
            "QueueServersResult QueueTrafficResult QueueWaitingProbabilityResult QueueServiceLevelResult "
            "QueueAverageSpeedOfAnswerResult QueueOccupancyResult RetryChannelsOrGroup RetryTrafficField "
            "RetryRecallField RetryChannelsField RetryButton RetryChannelsResult RetryBlockingResult "
            "RetryOfferedTrafficResult")
            .split(' '),
        // The ends and the step are skipped while the profile is a CSV file's, Longley-Rice's fields
        // while the model is delta-Bullington's, the availability's while it is off; the Details of the
        // loss come after the plot, then the rain's form.
        QString("BitBtn5 ProfileSourceGroup ProfileFileField BrowseButton FrequencyField KFactorField TxHeightField "
                "RxHeightField PolarizationGroup ModelGroup BudgetGroup PowerField TxGainField TxFeederLossField "
                "RxGainField RxFeederLossField SensitivityField AvailabilityGroup CalculateButton DistanceResult "
                "LineOfSightResult ClearanceResult "
                "WorstPointResult Fresnel60Result FreeSpaceLossResult DiffractionLossResult PathLossResult "
                "ReceivedPowerResult FadeMarginResult PathImage DetailsBullingtonLossResult "
                "DetailsSmoothBullingtonLossResult "
                "DetailsSphericalEarthLossResult DetailsEdgeNuResult RainRainRateField RainFrequencyField "
                "RainPolarizationField RainDistanceField RainPercentField RainButton RainSpecificAttenuationResult "
                "RainRainAttenuationResult")
            .split(' '),
        // The cascade's table is one stop: the arrows move between its cells.
        QString("BitBtn5 BandwidthField TemperatureField NoiseFigureField SnrField NoiseButton NoiseDensityResult "
                "ThermalNoiseResult ThermalNoiseWattsResult NoiseFloorResult SensitivityResult NoiseFactorResult "
                "NoiseTemperatureResult StageTable AddStageButton RemoveStageButton MoveUpButton MoveDownButton "
                "CascadeButton CascadeGainResult CascadeNoiseFigureResult CascadeTemperatureResult Iip3Result "
                "Oip3Result Ip1dbResult Op1dbResult CascadeFloorResult CascadeSensitivityResult SfdrResult "
                "NoiseShareImage PowerField FeederLossField OtherLossField AntennaGainField GainUnitGroup "
                "DistanceField EirpButton EirpResult ErpResult EirpDbwResult ErpDbwResult EirpWattsResult "
                "ErpWattsResult FluxDensityResult FieldStrengthResult CarrierField AddCarrierButton "
                "RemoveCarrierButton CarrierList BandLowField BandHighField AddBandButton RemoveBandButton BandList "
                "HighestOrderField OddOrdersBox IntermodButton ProductCountResult Order2Result Order3Result "
                "Order4Result Order5Result Order6Result Order7Result ProductTable IntermodImage SignalEbnoOrGroup "
                "SignalBitRateField SignalBandwidthField SignalEbnoField SignalButton SignalEbnoResult "
                "SignalSnrResult SignalCn0Result CapacitySnrOrGroup CapacityBandwidthField CapacitySnrField "
                "CapacityButton CapacityCapacityResult CapacityEfficiencyResult CapacitySnrResult")
            .split(' '),
        // The sites' table is one stop; Cancel is off until a map is under way.
        QString("BitBtn5 DemField CoverageBrowseButton SiteTable AddSiteButton RemoveSiteButton LoadSitesButton "
                "RadiusField ResolutionField RxHeightField ThresholdField ModelGroup PolarizationPicker ClimatePicker "
                "RefractivityField PermittivityField ConductivityField MdvarField TimeField LocationField "
                "SituationField CoverageButton BandPicker "
                "SaveMapButton CopyCoverageButton CoverageMapView ReadoutLabel SummaryLabel")
            .split(' '),
    };
    for (int page = 0; page < 9; ++page) {
        EXPECT_EQ(TabChain(page), expected[page]) << "page " << page;
    }
}

TEST_F(Accessibility, EveryFieldAndPickerIsNamedAfterItsCaption)
{
    ShowEveryPage(); // every page but the first is built when first shown
    for (auto* field : window->findChildren<EntryField*>()) {
        EXPECT_FALSE(field->accessibleName().isEmpty()) << field->objectName().toStdString();
    }
    for (auto* picker : window->findChildren<UnitPicker*>()) {
        EXPECT_FALSE(picker->accessibleName().isEmpty()) << picker->objectName().toStdString();
    }
    for (auto* spin : window->findChildren<SpinField*>()) {
        EXPECT_FALSE(spin->Editor()->accessibleName().isEmpty()) << spin->objectName().toStdString();
        EXPECT_EQ(spin->Editor()->accessibleName(), spin->accessibleName());
    }
    EXPECT_EQ(Find<QWidget>("Edit1")->accessibleName(), "Traffic (Erlang)");
    EXPECT_EQ(Find<SpinField>("SpinEdit1")->Editor()->accessibleName(), "Number of channels");
    EXPECT_EQ(Find<QWidget>("ListBox19")->accessibleName(), "Distance unit");
    EXPECT_EQ(Find<QWidget>("Edit27")->accessibleName(), "Calling rate per subscriber (mErl/sub)");
}

TEST_F(Accessibility, EveryButtonWorksWithSpace)
{
    ForEachPage([&](QTabWidget* pages, int page) {
        for (auto* button : pages->widget(page)->findChildren<QPushButton*>()) {
            if (!button->isVisible() || !button->isEnabled()) {
                continue;
            }
            QSignalSpy clicked(button, &QPushButton::clicked);
            // A button that opens a file dialog (Browse): closed as it opens.
            QTimer::singleShot(0, [] {
                if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                    dialog->reject();
                }
            });
            button->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button, Qt::Key_Space);
            EXPECT_EQ(clicked.count(), 1) << button->objectName().toStdString();
        }
    });
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
        aboutShown = QApplication::activeModalWidget() == aboutBox.get();
        aboutBox->accept();
    });
    auto* about = Find<QPushButton>("BitBtn5");
    about->setFocus(Qt::TabFocusReason);
    QTest::keyClick(about, Qt::Key_Space);
    EXPECT_TRUE(aboutShown);
}

} // namespace
} // namespace zandrevio::test
