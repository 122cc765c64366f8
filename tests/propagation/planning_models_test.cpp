#include "numeric/app_error.h"
#include "numeric/format.h"
#include "propagation/cell_range.h"
#include "propagation/path_loss.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio {
namespace {

using test::SeparatorGuard;
using P = PathLossField;
using C = CellRangeField;

Inputs<P> Loss(PathLossModel model, PlanningArea area, long double f, long double d, long double hb, long double hm)
{
    return {{P::Model, static_cast<long double>(model)},
            {P::Area, static_cast<long double>(area)},
            {P::Frequency, f},
            {P::Distance, d},
            {P::BsHeight, hb},
            {P::MsHeight, hm}};
}

struct LossCase {
    PathLossModel model;
    PlanningArea area;
    long double frequency, distance, bsHeight, msHeight;
    const char* shown;
    std::size_t warnings;
};

// COST 231 final report 4.4.1: 1800 MHz, 30 m, 1.5 m, 1 km, medium city
// 136.20 dB, metropolitan centre 3 dB more; the RF page's Hata and free
// space unchanged; the other cases worked by hand from the formulas.
TEST(PathLoss, PublishedValuesAndTheirWarnings)
{
    SeparatorGuard guard('.');
    const LossCase cases[] = {
        {PathLossModel::Cost231, PlanningArea::MediumCity, 1800, 1, 30, 1.5L, "136.2", 0},
        {PathLossModel::Cost231, PlanningArea::Suburban, 1800, 1, 30, 1.5L, "136.2", 0},
        {PathLossModel::Cost231, PlanningArea::Metropolitan, 1800, 1, 30, 1.5L, "139.2", 0},
        {PathLossModel::Cost231, PlanningArea::MediumCity, 2100, 25, 20, 12, "160.73", 4},
        {PathLossModel::Hata, PlanningArea::LargeCity, 869, 2, 30, 1, "137.93", 0},
        {PathLossModel::Hata, PlanningArea::MediumCity, 1800, 0.5L, 30, 1.5L, "123.65", 2},
        {PathLossModel::FreeSpace, PlanningArea::MediumCity, 850, 10, 50, 2, "111.03", 0},
        {PathLossModel::TwoWave, PlanningArea::MediumCity, 850, 2, 50, 2, "97.05", 1},
        {PathLossModel::TwoWave, PlanningArea::MediumCity, 850, 10, 50, 2, "120.05", 0},
    };
    for (const auto& c : cases) {
        const auto loss = PathLoss(Loss(c.model, c.area, c.frequency, c.distance, c.bsHeight, c.msHeight));
        ASSERT_TRUE(loss.Ok()) << c.shown;
        EXPECT_EQ(FormatResultHundredths(loss.Value().lossDb), c.shown);
        EXPECT_EQ(loss.Value().warnings.size(), c.warnings) << c.shown;
    }
    const auto outside = PathLoss(Loss(PathLossModel::Hata, PlanningArea::Open, 1800, 30, 30, 1.5L));
    EXPECT_EQ(outside.Value().warnings,
              (std::vector<std::string>{"frequency outside 150-1500 MHz, the range of Hata's model",
                                        "distance outside 1-20 km, the range of Hata's model"}));
}

TEST(PathLoss, RefusesAreasAModelLacksAndInputsThatAreNotPositive)
{
    EXPECT_EQ(PathLoss(Loss(PathLossModel::Cost231, PlanningArea::Open, 1800, 1, 30, 1.5L)).Error().message,
              "COST-231 Hata has no Open area");
    EXPECT_EQ(PathLoss(Loss(PathLossModel::Hata, PlanningArea::Metropolitan, 900, 1, 30, 1.5L)).Error().field, P::Area);
    EXPECT_EQ(PathLoss(Loss(PathLossModel::FreeSpace, PlanningArea::MediumCity, 0, 1, 30, 1.5L)).Error().field,
              P::Frequency);
    EXPECT_EQ(PathLoss(Loss(PathLossModel::Hata, PlanningArea::MediumCity, 900, -1, 30, 1.5L)).Error().field,
              P::Distance);
}

TEST(PathLoss, EachModelOffersTheAreasItHas)
{
    using A = PlanningArea;
    EXPECT_EQ(AreasOf(PathLossModel::Cost231), (std::vector<A>{A::MediumCity, A::Suburban, A::Metropolitan}));
    EXPECT_EQ(AreasOf(PathLossModel::Hata), (std::vector<A>{A::MediumCity, A::LargeCity, A::Suburban, A::Open}));
    EXPECT_EQ(AreasOf(PathLossModel::FreeSpace).size(), std::size(kPlanningAreas));
}

Inputs<C> Budget()
{
    return {{C::Power, 20},         {C::BsGain, 17},      {C::MsGain, 0},   {C::FeederLoss, 3},
            {C::Sensitivity, -104}, {C::FadingMargin, 8}, {C::BodyLoss, 3}, {C::PenetrationLoss, 0}};
}

Inputs<C> Range(long double mapl, int model = 1, PlanningArea area = PlanningArea::MediumCity)
{
    return {{C::Model, model},    {C::Area, static_cast<long double>(area)},
            {C::Frequency, 1800}, {C::BsHeight, 30},
            {C::MsHeight, 1.5L},  {C::MaxPathLoss, mapl}};
}

// 20 W is 43.01 dBm: 43.01 + 17 + 0 - 3 - 8 - 3 - 0 + 104 = 150.01 dB. COST-231 at
// 1800 MHz, 30 m and 1.5 m reaches it where 136.20 + 35.22 log10 d = 150.
TEST(CellRange, TheBudgetsLossAndTheRadiusThatReachesIt)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(FormatResultHundredths(MaximumPathLoss(Budget()).Value()), "150.01");
    const auto range = CellRange(Range(150));
    ASSERT_TRUE(range.Ok());
    const long double slope = 44.9L - 6.55L * std::log10(30.0L);
    const long double closedForm =
        std::pow(10.0L, (150.0L - Cost231Loss(1, 1800, 30, 1.5L, PlanningArea::MediumCity).Value()) / slope);
    EXPECT_NEAR(range.Value().radiusKm, closedForm, 0.0005L);
    EXPECT_EQ(FormatFull(range.Value().radiusKm), "2.465");
    EXPECT_EQ(FormatResult(range.Value().areaKm2), "15.786");
    EXPECT_TRUE(range.Value().warnings.empty());
    EXPECT_EQ(FormatResult(HexagonArea(1)), "2.5981");
}

// Radius to loss to radius: the loss at the radius found is the target
// within half a metre's worth of slope, for both models and two areas.
TEST(CellRange, RadiusLossRadiusRoundTrips)
{
    for (int model : {0, 1}) {
        for (auto area : {PlanningArea::MediumCity, PlanningArea::Suburban}) {
            for (long double mapl = 110; mapl <= 190; mapl += 0.37L) {
                const auto range = CellRange(Range(mapl, model, area));
                ASSERT_TRUE(range.Ok()) << double(mapl);
                const auto back = ModelLoss(model == 0 ? PathLossModel::Hata : PathLossModel::Cost231, area,
                                            range.Value().radiusKm, 1800, 30, 1.5L);
                const long double perMetre = 35.3L / std::log(10.0L) / (range.Value().radiusKm * 1000.0L);
                EXPECT_NEAR(back.Value(), mapl, 0.501L * perMetre) << double(mapl);
            }
        }
    }
}

TEST(CellRange, RefusesWhatNoDistanceReaches)
{
    EXPECT_EQ(CellRange(Range(20)).Error().field, C::MaxPathLoss);
    EXPECT_EQ(CellRange(Range(900)).Error().field, C::MaxPathLoss);
    EXPECT_EQ(CellRange(Range(150, 0, PlanningArea::Metropolitan)).Error().message, "Hata has no Metropolitan centre");
    Inputs<C> zero = Budget();
    zero.Set(C::Power, 0);
    EXPECT_EQ(MaximumPathLoss(zero).Error().field, C::Power);
}

// The body and a building only take power away: a negative loss there would
// add to the budget (-3 dB of body loss gave 156.01 dB). A negative feeder
// loss (a mast amplifier) and a negative fading margin stay: 43.01 + 17 + 0
// + 2 + 1 - 0 - 0 + 104 = 167.01 dB.
TEST(CellRange, RefusesANegativeBodyOrPenetrationLoss)
{
    SeparatorGuard guard('.');
    Inputs<C> body = Budget();
    body.Set(C::BodyLoss, -3);
    body.Set(C::PenetrationLoss, []() -> long double { throw ConversionFailure("x"); });
    const auto refusedBody = MaximumPathLoss(body);
    ASSERT_FALSE(refusedBody.Ok());
    EXPECT_EQ(refusedBody.Error().message, "Body loss must not be negative");
    EXPECT_EQ(refusedBody.Error().field, C::BodyLoss);
    Inputs<C> penetration = Budget();
    penetration.Set(C::PenetrationLoss, -0.5L);
    const auto refusedPenetration = MaximumPathLoss(penetration);
    ASSERT_FALSE(refusedPenetration.Ok());
    EXPECT_EQ(refusedPenetration.Error().message, "Building penetration loss must not be negative");
    EXPECT_EQ(refusedPenetration.Error().field, C::PenetrationLoss);
    Inputs<C> kept = Budget();
    kept.Set(C::FeederLoss, -2).Set(C::FadingMargin, -1).Set(C::BodyLoss, 0);
    EXPECT_EQ(FormatResultHundredths(MaximumPathLoss(kept).Value()), "167.01");
}

} // namespace
} // namespace zandrevio
