// Each calculation's description against the window at start: every field
// is one control of its panel, found by its caption, holding the start
// value the description gives and the choices in the description's order.
#include "WindowFixture.h"

#include "antenna/downtilt.h"
#include "antenna/isolation.h"
#include "channels/band_plans.h"
#include "channels/channel_plan.h"
#include "feeder/cable_catalogue.h"
#include "feeder/matching.h"
#include "propagation/cell_range.h"
#include "propagation/link_budget.h"
#include "propagation/path_link.h"
#include "traffic/traffic_calculations.h"
#include "units/field_strength.h"
#include "units/unit_tables.h"
#include "widgets/EntryField.h"
#include "widgets/RadioGroup.h"

#include <QGroupBox>
#include <QRadioButton>

#include <optional>

namespace zandrevio::test {
namespace {

QString Q(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList Texts(std::span<const Choice> choices)
{
    QStringList texts;
    for (const Choice& choice : choices) {
        texts << Q(choice.text);
    }
    return texts;
}

class Contract : public WindowTest {
protected:
    // The controls of the panel that answer to a caption: fields and pickers
    // by their accessible name, groups by their title.
    QList<QWidget*> Named(QWidget* panel, const QString& caption)
    {
        QList<QWidget*> found;
        for (QWidget* widget : panel->findChildren<QWidget*>()) {
            const bool field =
                qobject_cast<QLineEdit*>(widget) != nullptr && !widget->inherits("zandrevio::SpinEditor");
            const bool control = field || qobject_cast<SpinField*>(widget) || qobject_cast<UnitPicker*>(widget);
            auto* group = qobject_cast<QGroupBox*>(widget);
            if ((control && widget->accessibleName() == caption) || (group && group->title() == caption)) {
                found << widget;
            }
        }
        return found;
    }

    // A choice shown as loose radio buttons, in a titled group or on the
    // panel itself beside a caption label: their texts and the one checked.
    template <typename Field>
    static void CheckButtons(QWidget* holder, const CalculationSpec<Field>& calculation, const FieldSpec<Field>& spec,
                             const std::string& what)
    {
        QStringList shown;
        int checked = -1;
        for (QRadioButton* button : holder->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
            if (button->isChecked()) {
                checked = static_cast<int>(shown.size());
            }
            shown << button->text();
        }
        EXPECT_EQ(shown, Texts(spec.choices)) << what;
        EXPECT_EQ(checked, StartIndex(calculation, spec.field)) << what;
    }

    template <typename Field>
    void Check(const char* panelName, const CalculationSpec<Field>& calculation,
               std::span<const Choice> dependentChoices = {}, std::optional<Field> following = std::nullopt)
    {
        auto* panel = Find<QWidget>(panelName);
        for (const FieldSpec<Field>& spec : calculation.fields) {
            const std::string what = std::string(calculation.name) + " " + std::string(spec.caption);
            const QList<QWidget*> found = Named(panel, Q(spec.caption));
            if (found.isEmpty() && spec.kind == FieldKind::Choice) {
                // A caption label with loose radio buttons on the panel.
                CheckButtons(panel, calculation, spec, what);
                continue;
            }
            ASSERT_EQ(found.size(), 1) << what;
            QWidget* widget = found.front();
            if (auto* spin = qobject_cast<SpinField*>(widget)) {
                EXPECT_EQ(spin->text(), Q(spec.start)) << what;
            } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
                EXPECT_EQ(field->text(), Q(spec.start)) << what;
            } else if (auto* picker = qobject_cast<UnitPicker*>(widget)) {
                // A picker whose items follow another choice shows those of the start.
                const bool dependent = spec.choices.empty() || (following && spec.field == *following);
                const auto choices = dependent ? dependentChoices : spec.choices;
                QStringList items;
                for (int i = 0; i < picker->count(); ++i) {
                    items << picker->item(i)->text();
                }
                EXPECT_EQ(items, Texts(choices)) << what;
                EXPECT_EQ(picker->TopIndex(), ChoiceIndex(choices, spec.start)) << what;
            } else if (auto* group = qobject_cast<RadioGroup*>(widget)) {
                QStringList items;
                for (int i = 0; group->Button(i) != nullptr; ++i) {
                    items << group->Button(i)->text();
                }
                EXPECT_EQ(items, Texts(spec.choices)) << what;
                EXPECT_EQ(group->ItemIndex(), StartIndex(calculation, spec.field)) << what;
            } else {
                CheckButtons(widget, calculation, spec, what);
            }
        }
    }
};

TEST_F(Contract, EveryFieldOfEveryCalculationIsOneControlWithItsStartAndChoices)
{
    ShowEveryPage(); // every page but the first is built when first shown
    Check("ChannelPlanPanel", kChannelToFrequencies);
    Check("ChannelPlanPanel", kFrequencyToChannel);
    Check("PropagationPanel", kLinkBudget);
    for (const auto* calculation :
         {&kChannelsForGos, &kTrafficForGos, &kGosForTraffic, &kSubscriberTraffic, &kSubscribersForTraffic}) {
        Check("TrafficPanel", *calculation);
    }
    Check("CablePanel", kCableLoss, CableChoices(CableImpedance::Ohm50));
    for (const auto* calculation :
         {&kVswrFromPowers, &kCorrectedAntennaVswr, &kCableLossFromShortVswr, &kReflectionFromVswr}) {
        Check("CablePanel", *calculation);
    }
    Check("IsolationPanel", kAntennaIsolation);
    Check("DowntiltPanel", kDowntiltPlot);
    Check("FieldStrengthPanel", kFieldStrengthConversion);
    Check("UnitConversionPanel", kTrafficUnitConversion);
    Check("UnitConversionPanel", kLengthUnitConversion);
    Check("UnitConversionPanel", kWeightUnitConversion);
    Check("CellRangePanel", kMaximumPathLoss);
    // The window's cell range: the range's fields, then the budget's.
    std::vector<Choice> cost231Areas;
    for (PlanningArea area : AreasOf(PathLossModel::Cost231)) {
        cost231Areas.push_back(kPlanningAreas[static_cast<int>(area)]);
    }
    Check("CellRangePanel", kCellRangeOfBudget, cost231Areas, std::optional(CellRangeField::Area));
    Check("BandPlanPanel", kBandChannelToFrequencies);
    Check("BandPlanPanel", kBandFrequencyToChannel);
    Check("PathPanel", kPath);
}

TEST_F(Contract, TheCablePickerFollowsTheImpedance)
{
    ShowPage(2);
    Click(Find<RadioGroup>("RadioGroup2")->Button(1));
    auto* cables = Find<UnitPicker>("ListBox9");
    QStringList items;
    for (int i = 0; i < cables->count(); ++i) {
        items << cables->item(i)->text();
    }
    EXPECT_EQ(items, Texts(CableChoices(CableImpedance::Ohm75)));
}

} // namespace
} // namespace zandrevio::test
