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

// The beamwidth is the half-power full width: 10 log10(2) = 3.0103 dB down
// at half the beamwidth either side of the tilted beam, less within it.
TEST(DowntiltAttenuation, HalfPowerAtHalfTheBeamwidth)
{
    constexpr long double kDegree = std::numbers::pi_v<long double> / 180.0L;
    const long double halfPower = 10.0L * std::log10(2.0L);
    const long double height = 100.0L;
    for (long double beamwidth : {6.5L, 10.0L, 20.0L, 40.0L, 65.0L, 90.0L}) {
        // The tilt puts the upper half-power ray 5 degrees below the horizon.
        const long double tilt = beamwidth / 2.0L + 5.0L;
        const auto distanceAt = [&](long double belowHorizon) { return height / std::tan(belowHorizon * kDegree); };
        for (long double side : {-1.0L, 1.0L}) {
            const long double drop =
                DowntiltAttenuation(distanceAt(tilt + side * beamwidth / 2.0L), height, beamwidth, tilt);
            EXPECT_NEAR(drop, 3.0L, 0.05L) << double(beamwidth) << ' ' << double(side);
            EXPECT_NEAR(drop, halfPower, 1e-9L) << double(beamwidth) << ' ' << double(side);
            const long double inside =
                DowntiltAttenuation(distanceAt(tilt + side * beamwidth / 4.0L), height, beamwidth, tilt);
            EXPECT_LT(inside, 1.0L) << double(beamwidth) << ' ' << double(side);
            EXPECT_GT(inside, 0.5L) << double(beamwidth) << ' ' << double(side);
        }
    }
}

using D = DowntiltField;

Outcome<DowntiltPlotResult, D> Plot(long double height, long double beamwidth, long double downtilt)
{
    return DowntiltPlot({{D::Gain, 10}, {D::Height, height}, {D::Beamwidth, beamwidth}, {D::Downtilt, downtilt}});
}

// Inputs without meaning are refused at their field, after all four are
// read: a mast below the ground, a beam of no width (it divided by zero) or
// wider than 180 degrees, a tilt beyond the vertical.
TEST(DowntiltPlot, RefusesInputsWithoutMeaning)
{
    const struct {
        long double height;
        long double beamwidth;
        long double downtilt;
        const char* message;
        D field;
    } cases[] = {
        {-1, 20, 7, "Height must not be negative", D::Height},
        {-1e-4000L, 0, 7, "Height must not be negative", D::Height},
        {50, 0, 7, "Beamwidth must be 0 < B <= 180 deg", D::Beamwidth},
        {50, -20, 7, "Beamwidth must be 0 < B <= 180 deg", D::Beamwidth},
        {50, 180.001L, 7, "Beamwidth must be 0 < B <= 180 deg", D::Beamwidth},
        {50, 1e4932L, 7, "Beamwidth must be 0 < B <= 180 deg", D::Beamwidth},
        {50, 20, 91, "Downtilt must be -90 <= T <= 90 deg", D::Downtilt},
        {50, 20, -1e4932L, "Downtilt must be -90 <= T <= 90 deg", D::Downtilt},
    };
    for (const auto& c : cases) {
        const auto plot = Plot(c.height, c.beamwidth, c.downtilt);
        ASSERT_FALSE(plot.Ok()) << c.message;
        EXPECT_EQ(plot.Error().message, c.message);
        EXPECT_EQ(plot.Error().field, c.field);
    }
    // A mast at the ground, the widest beam, an uptilt and a tilt straight
    // down are drawn.
    EXPECT_TRUE(Plot(0, 20, 7).Ok());
    EXPECT_TRUE(Plot(50, 180, 7).Ok());
    EXPECT_TRUE(Plot(50, 20, -5).Ok());
    EXPECT_TRUE(Plot(50, 20, 90).Ok());
    EXPECT_EQ(std::lround(15.0L * Plot(50, 20, 7).Value().curve[0].attenuationDb), 22); // the plot's first pixel
}

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
