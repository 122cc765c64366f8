#include "propagation/cell_range.h"

#include "numeric/real.h"

#include <cmath>
#include <optional>

namespace zandrevio {

using fp::Real;
using Field = CellRangeField;

namespace {
const FieldSpec<Field> kBudgetFields[] = {
    {Field::Power, FieldKind::Real, "Transmit power (W)", "power", "20"},
    {Field::BsGain, FieldKind::Real, "BS antenna gain (dBi)", "bs-gain", "17"},
    {Field::MsGain, FieldKind::Real, "MS antenna gain (dBi)", "ms-gain", "0"},
    {Field::FeederLoss, FieldKind::Real, "Feeder loss (dB)", "feeder-loss", "3"},
    {Field::Sensitivity, FieldKind::Real, "Receiver sensitivity (dBm)", "sensitivity", "-104"},
    {Field::FadingMargin, FieldKind::Real, "Fading margin (dB)", "margin", "8"},
    {Field::BodyLoss, FieldKind::Real, "Body loss (dB)", "body-loss", "3"},
    {Field::PenetrationLoss, FieldKind::Real, "Building penetration loss (dB)", "penetration-loss", "0"},
};
const FieldSpec<Field> kRangeFields[] = {
    {Field::Model, FieldKind::Choice, "Model", "model", "COST-231 Hata", kCellRangeModels},
    {Field::Area, FieldKind::Choice, "Area", "area", "Medium City", kPlanningAreas},
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "1800"},
    {Field::BsHeight, FieldKind::Real, "BS height (m)", "bs-height", "30"},
    {Field::MsHeight, FieldKind::Real, "MS height (m)", "ms-height", "1.5"},
    {Field::MaxPathLoss, FieldKind::Real, "Maximum allowed path loss (dB)", "max-path-loss", "150"},
};

constexpr long double kNearestKm = 0.001L;
constexpr long double kFarthestKm = 10000.0L;
constexpr long double kMetreKm = 0.001L;
} // namespace

const ResultSpec kMaxPathLossResult{"Maximum allowed path loss", "max-path-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kCellRadiusResult{"Cell radius", "radius", "km", ResultFormat::Full};
const ResultSpec kCellAreaResult{"Hexagonal cell area", "area", "km2", ResultFormat::Result};
namespace {
const ResultSpec kRangeResults[] = {kCellRadiusResult, kCellAreaResult};
} // namespace
const CalculationSpec<Field> kMaximumPathLoss{"cell-range", kBudgetFields, {&kMaxPathLossResult, 1}};
const CalculationSpec<Field> kCellRange{"cell-range", kRangeFields, kRangeResults};
namespace {
const FieldSpec<Field> kBudgetRangeFields[] = {
    kRangeFields[0],  kRangeFields[1],  kRangeFields[2],  kRangeFields[3],  kRangeFields[4],
    kBudgetFields[0], kBudgetFields[1], kBudgetFields[2], kBudgetFields[3], kBudgetFields[4],
    kBudgetFields[5], kBudgetFields[6], kBudgetFields[7],
};
const ResultSpec kBudgetRangeResults[] = {kMaxPathLossResult, kCellRadiusResult, kCellAreaResult};
} // namespace
const CalculationSpec<Field> kCellRangeOfBudget{"cell-range", kBudgetRangeFields, kBudgetRangeResults};

Outcome<long double, Field> MaximumPathLoss(const Inputs<Field>& in)
{
    const long double power = in.Real(Field::Power);
    if (!(power > 0.0L)) {
        return Refusal<Field>{"Transmit power must be greater than 0", Field::Power};
    }
    const Real powerDbm = 10.0L * fp::Log10(power) + 30.0L;
    // The fields in their order. A feeder loss below 0 may stand for a mast
    // amplifier's gain, a fading margin below 0 for a coverage below one
    // half; the body and a building only take power away.
    const long double bsGain = in.Real(Field::BsGain);
    const long double msGain = in.Real(Field::MsGain);
    const long double feederLoss = in.Real(Field::FeederLoss);
    const long double sensitivity = in.Real(Field::Sensitivity);
    const long double fadingMargin = in.Real(Field::FadingMargin);
    const long double bodyLoss = in.Real(Field::BodyLoss);
    if (!(bodyLoss >= 0.0L)) {
        return Refusal<Field>{"Body loss must not be negative", Field::BodyLoss};
    }
    const long double penetrationLoss = in.Real(Field::PenetrationLoss);
    if (!(penetrationLoss >= 0.0L)) {
        return Refusal<Field>{"Building penetration loss must not be negative", Field::PenetrationLoss};
    }
    const Real gains = Real(bsGain) + msGain;
    const Real losses = Real(feederLoss) + sensitivity + fadingMargin + bodyLoss + penetrationLoss;
    return (powerDbm + gains - losses).Value();
}

long double HexagonArea(long double radiusKm)
{
    return (1.5L * std::sqrt(3.0L) * Real(radiusKm) * radiusKm).Value();
}

const std::vector<ResultOf<CellRangeResult>> kCellRangeResults = {
    {&kMaxPathLossResult, Member<&CellRangeResult::maxPathLossDb>},
    {&kCellRadiusResult, Member<&CellRangeResult::radiusKm>},
    {&kCellAreaResult, Member<&CellRangeResult::areaKm2>},
};

namespace {
Outcome<CellRangeResult, Field> RangeAt(const Inputs<Field>& in, std::optional<long double> budget);
} // namespace

Outcome<CellRangeResult, Field> CellRange(const Inputs<Field>& in)
{
    return RangeAt(in, std::nullopt);
}

Outcome<CellRangeResult, Field> CellRangeOfBudget(const Inputs<Field>& in)
{
    const auto mapl = MaximumPathLoss(in);
    if (!mapl.Ok()) {
        return mapl.Error();
    }
    return RangeAt(in, mapl.Value());
}

namespace {
// The range at the maximum allowed path loss of the budget, or of its own
// field (read after the site, as the window reads it).
Outcome<CellRangeResult, Field> RangeAt(const Inputs<Field>& in, std::optional<long double> budget)
{
    const auto model = in.Index(Field::Model) == 0 ? PathLossModel::Hata : PathLossModel::Cost231;
    const auto area = in.Choice<PlanningArea>(Field::Area);
    const auto site = ReadSite(in, model, area, kCellRangeModels[in.Index(Field::Model)].text);
    if (!site.Ok()) {
        return site.Error();
    }
    const long double frequency = site.Value().frequencyMHz;
    const long double bsHeight = site.Value().bsHeightM;
    const long double msHeight = site.Value().msHeightM;
    const long double target = budget ? *budget : in.Real(Field::MaxPathLoss);
    const auto loss = [&](long double km) { return ModelLoss(model, area, km, frequency, bsHeight, msHeight).Value(); };
    long double near = kNearestKm;
    long double far = kFarthestKm;
    const long double nearLoss = loss(near);
    const long double farLoss = loss(far);
    if (!(farLoss > nearLoss)) {
        return Refusal<Field>{"The model's loss does not grow with distance at this height", Field::BsHeight};
    }
    if (!(target >= nearLoss && target <= farLoss)) {
        return Refusal<Field>{"Maximum allowed path loss must be " + FormatResultHundredths(nearLoss) + " to " +
                                  FormatResultHundredths(farLoss) + " dB: the loss from 1 m to 10000 km",
                              Field::MaxPathLoss};
    }
    // The loss grows with the distance: halve until the bracket is under a
    // millimetre (34 halvings), then take the nearest metre.
    while (far - near >= 0.001L * kMetreKm) {
        const long double middle = 0.5L * (near + far);
        if (loss(middle) < target) {
            near = middle;
        } else {
            far = middle;
        }
    }
    const long double radius = std::nearbyint(0.5L * (near + far) / kMetreKm) * kMetreKm;
    return CellRangeResult{target, radius, HexagonArea(radius),
                           ValidityWarnings(model, radius, frequency, bsHeight, msHeight)};
}
} // namespace

std::vector<LevelPoint> ReceivedLevels(const Inputs<Field>& in, long double farKm, int points)
{
    const auto model = in.Index(Field::Model) == 0 ? PathLossModel::Hata : PathLossModel::Cost231;
    const auto area = in.Choice<PlanningArea>(Field::Area);
    const long double frequency = in.Real(Field::Frequency);
    const long double bsHeight = in.Real(Field::BsHeight);
    const long double msHeight = in.Real(Field::MsHeight);
    // The budget without the sensitivity is the level at zero loss.
    const long double sensitivity = in.Real(Field::Sensitivity);
    const auto mapl = MaximumPathLoss(in);
    const long double atZeroLoss = (Real(mapl.Ok() ? mapl.Value() : 0.0L) + sensitivity).Value();
    std::vector<LevelPoint> levels;
    const long double step = farKm / static_cast<long double>(points);
    for (int i = 1; i <= points; ++i) {
        const long double km = step * static_cast<long double>(i);
        const Real loss = ModelLoss(model, area, km, frequency, bsHeight, msHeight);
        levels.push_back({km, (atZeroLoss - loss).Value()});
    }
    return levels;
}

} // namespace zandrevio
