#include "antenna/downtilt.h"
#include "antenna/isolation.h"
#include "numeric/app_error.h"
#include "numeric/format.h"
#include "separator_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

namespace zandrevio {
namespace {

using test::SeparatorGuard;

TEST(MiddleLineGain, RoundsHalvesToEven)
{
    EXPECT_EQ(MiddleLineGain(10), 5);
    EXPECT_EQ(MiddleLineGain(7.5L), 2);
    EXPECT_EQ(MiddleLineGain(8.5L), 4);
    EXPECT_EQ(MiddleLineGain(0), -5);
}

using I = IsolationField;
constexpr long double kDbi = 1, kFeet = 1;

// Both gains 0 dBd, the spacing in metres.
Inputs<I> Isolation(long double frequency, long double spacing, SeparationKind separation)
{
    return {{I::Spacing, spacing},     {I::SpacingUnit, 0},
            {I::Frequency, frequency}, {I::Gain1, 0},
            {I::Gain1Unit, 0},         {I::Gain2, 0},
            {I::Gain2Unit, 0},         {I::Separation, static_cast<long double>(separation)}};
}

std::string Shown(const Inputs<I>& in)
{
    const auto isolation = AntennaIsolation(in);
    EXPECT_TRUE(isolation.Ok()) << (isolation.Ok() ? "" : isolation.Error().message);
    return isolation.Ok() ? FormatResultHundredths(isolation.Value()) : "";
}

TEST(AntennaIsolation, WorkedValues)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(Shown(Isolation(850, 10, SeparationKind::Horizontal)), "46.73");
    EXPECT_EQ(Shown(Isolation(850, 10, SeparationKind::Vertical)), "75.33");
    Inputs<I> mixed = Isolation(900, 5, SeparationKind::Horizontal);
    mixed.Set(I::Gain1, 10).Set(I::Gain1Unit, kDbi).Set(I::Gain2, 7);
    EXPECT_EQ(Shown(mixed), "26.36");
    EXPECT_EQ(Shown(Isolation(900, 3, SeparationKind::Vertical)), "58.39");
    Inputs<I> feet = Isolation(850, 30, SeparationKind::Horizontal);
    feet.Set(I::SpacingUnit, kFeet);
    EXPECT_EQ(Shown(feet), "45.95");
}

TEST(AntennaIsolation, ASpacingOfOneWavelengthIsAccepted)
{
    SeparatorGuard guard('.');
    Inputs<I> dbi = Isolation(600, 0.5L, SeparationKind::Horizontal);
    dbi.Set(I::Gain1Unit, kDbi).Set(I::Gain2Unit, kDbi);
    EXPECT_EQ(Shown(dbi), "21.98");
    EXPECT_EQ(Shown(Isolation(600, 0.5L, SeparationKind::Horizontal)), "17.68");
    EXPECT_EQ(Shown(Isolation(600, 0.5L, SeparationKind::Vertical)), "25.95");
    EXPECT_EQ(AntennaIsolation(Isolation(600, 0.49L, SeparationKind::Horizontal)).Error().message,
              "spacing must be > wave length");
    EXPECT_EQ(AntennaIsolation(Isolation(600, 0.49L, SeparationKind::Vertical)).Error().message,
              "separation must be > wave length");
}

TEST(AntennaIsolation, TheFrequencyIsCheckedBeforeTheSpacing)
{
    EXPECT_TRUE(AntennaIsolation(Isolation(450, 10, SeparationKind::Horizontal)).Ok());
    EXPECT_TRUE(AntennaIsolation(Isolation(960, 10, SeparationKind::Vertical)).Ok());
    for (long double f : {449.0L, 961.0L}) {
        const auto isolation = AntennaIsolation(Isolation(f, 0.01L, SeparationKind::Horizontal));
        EXPECT_EQ(isolation.Error().message, "Frequency must be   450 < F < 960 MHz");
        EXPECT_EQ(isolation.Error().field, I::Frequency);
    }
}

TEST(AntennaIsolation, VerticalReadsButIgnoresTheGains)
{
    Inputs<I> in = Isolation(850, 10, SeparationKind::Vertical);
    in.Set(I::Gain1, 30).Set(I::Gain2Unit, kDbi);
    EXPECT_EQ(AntennaIsolation(in).Value(), AntennaIsolation(Isolation(850, 10, SeparationKind::Vertical)).Value());
    Inputs<I> read = Isolation(850, 10, SeparationKind::Vertical);
    read.Set(I::Gain1, []() -> long double { throw ConversionFailure(""); });
    EXPECT_THROW(AntennaIsolation(read), ConversionFailure);
}

} // namespace
} // namespace zandrevio
