#include "fixed_link/gas_line_tables.h"
#include "fixed_link/gaseous_attenuation.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

const GasConditions kStandard{}; // 1013.25 hPa, 15 °C, 7.5 g/m³

// ITU-R P.676-13 Figure 1 (sea level, 15 °C, 7.5 g/m³) read for its
// landmarks: the 60 GHz oxygen complex near 15 dB/km, the 22.235 GHz water
// vapour line near 0.2 dB/km in all, the 118.75 GHz oxygen line, the
// 183.31 GHz water vapour line near 30 dB/km, and below 10 GHz a hundredth
// of a dB/km or less.
TEST(GaseousAttenuation, LandmarksOfTheRecommendationsFigure)
{
    struct Row {
        long double ghz, oxygenLow, oxygenHigh, vapourLow, vapourHigh;
    };
    const Row rows[] = {
        {1.0L, 0.004L, 0.007L, 0.0L, 0.0001L}, {10.0L, 0.006L, 0.01L, 0.001L, 0.01L},
        {22.235L, 0.01L, 0.02L, 0.14L, 0.2L},  {60.0L, 13.0L, 16.0L, 0.1L, 0.2L},
        {118.75L, 1.0L, 2.0L, 0.4L, 0.8L},     {183.31L, 0.005L, 0.03L, 24.0L, 32.0L},
    };
    for (const Row& row : rows) {
        const GasSpecificAttenuation gamma = GasSpecificAttenuationAt(row.ghz, kStandard);
        EXPECT_GT(gamma.oxygenDbPerKm, row.oxygenLow) << row.ghz;
        EXPECT_LT(gamma.oxygenDbPerKm, row.oxygenHigh) << row.ghz;
        EXPECT_GE(gamma.waterVapourDbPerKm, row.vapourLow) << row.ghz;
        EXPECT_LT(gamma.waterVapourDbPerKm, row.vapourHigh) << row.ghz;
    }
}

// ITU-R SG 3 validation examples (CG-3M3J-13-ValEx, rev 8.3.0): P.676-13
// Annex 1 specific attenuation for 1013.25 hPa of dry air, 288.15 K and
// 7.5 g/m³ of water vapour. Each value agrees to 1e-6 of itself, or to half
// its last printed digit where it is printed with fewer digits than that
// (γw at 1 GHz, 5.09e-5, has three); the total is checked against the sum of
// the two.
TEST(GaseousAttenuation, ValidationExamples)
{
    struct Example {
        long double ghz, oxygen, vapour, vapourTolerance;
    };
    constexpr long double kTolerance = 1e-6L;
    const Example examples[] = {
        {12.0L, 0.00869826406877357L, 0.00953538822024593L, kTolerance},
        {20.0L, 0.0118835504778076L, 0.0970473048151117L, kTolerance},
        {60.0L, 14.6234747964861L, 0.154841841L, kTolerance},
        {90.0L, 0.0388697110724235L, 0.341973394L, kTolerance},
        {130.0L, 0.0415090835995228L, 0.751844704L, kTolerance},
        {1.0L, 0.005388658L, 5.09e-5L, 0.005e-5L / 5.09e-5L},
        {22.0L, 0.013130223L, 0.174207033L, kTolerance},
        {183.0L, 0.012733909L, 27.66500831L, kTolerance},
        {325.0L, 0.030098959L, 37.86211053L, kTolerance},
    };
    const GasConditions air{1013.25L, 15.0L, 7.5L};
    for (const Example& example : examples) {
        const GasSpecificAttenuation gamma = GasSpecificAttenuationAt(example.ghz, air);
        EXPECT_NEAR(gamma.oxygenDbPerKm, example.oxygen, kTolerance * example.oxygen) << example.ghz;
        EXPECT_NEAR(gamma.waterVapourDbPerKm, example.vapour, example.vapourTolerance * example.vapour) << example.ghz;
        EXPECT_NEAR(GasAttenuationOverHop(example.ghz, air, 1.0L).Value(), example.oxygen + example.vapour,
                    kTolerance * example.oxygen + example.vapourTolerance * example.vapour)
            << example.ghz;
    }
}

// The lines stand above their neighbourhood: 22.235 GHz for water vapour,
// 118.750 GHz for oxygen.
TEST(GaseousAttenuation, LinesArePeaks)
{
    const long double vapourLine = GasSpecificAttenuationAt(22.235L, kStandard).waterVapourDbPerKm;
    EXPECT_GT(vapourLine, GasSpecificAttenuationAt(18.0L, kStandard).waterVapourDbPerKm);
    EXPECT_GT(vapourLine, GasSpecificAttenuationAt(27.0L, kStandard).waterVapourDbPerKm);
    const long double oxygenLine = GasSpecificAttenuationAt(118.750334L, kStandard).oxygenDbPerKm;
    EXPECT_GT(oxygenLine, 10.0L * GasSpecificAttenuationAt(110.0L, kStandard).oxygenDbPerKm);
    EXPECT_GT(oxygenLine, 10.0L * GasSpecificAttenuationAt(128.0L, kStandard).oxygenDbPerKm);
}

TEST(GaseousAttenuation, DryAirAndThinAir)
{
    GasConditions dry;
    dry.waterVapourGm3 = 0.0L;
    EXPECT_EQ(GasSpecificAttenuationAt(22.235L, dry).waterVapourDbPerKm, 0.0L);
    // Vapour adds to the lines' widths only a little: γo barely moves.
    EXPECT_NEAR(GasSpecificAttenuationAt(60.0L, dry).oxygenDbPerKm /
                    GasSpecificAttenuationAt(60.0L, kStandard).oxygenDbPerKm,
                1.0L, 0.05L);
    // Half the air, far less oxygen attenuation off the line centres.
    GasConditions thin;
    thin.dryPressureHpa = 506.625L;
    EXPECT_LT(GasSpecificAttenuationAt(30.0L, thin).oxygenDbPerKm,
              0.5L * GasSpecificAttenuationAt(30.0L, kStandard).oxygenDbPerKm);
    // Twice the vapour, about twice γw off the line (its self-broadening adds a little more).
    GasConditions humid;
    humid.waterVapourGm3 = 15.0L;
    const long double ratio = GasSpecificAttenuationAt(15.0L, humid).waterVapourDbPerKm /
        GasSpecificAttenuationAt(15.0L, kStandard).waterVapourDbPerKm;
    EXPECT_GT(ratio, 1.9L);
    EXPECT_LT(ratio, 2.3L);
}

TEST(GaseousAttenuation, HopAttenuationIsTheSpecificTimesTheLength)
{
    const GasSpecificAttenuation gamma = GasSpecificAttenuationAt(38.0L, kStandard);
    EXPECT_NEAR(GasAttenuationOverHop(38.0L, kStandard, 12.5L).Value(),
                (gamma.oxygenDbPerKm + gamma.waterVapourDbPerKm) * 12.5L, 1e-15L);
}

TEST(GaseousAttenuation, TablesAndRange)
{
    EXPECT_EQ(OxygenLines().size(), 44u);
    EXPECT_EQ(OxygenLines().front().frequencyGHz, 50.474214L);
    EXPECT_EQ(WaterVapourLines().front().frequencyGHz, 22.235080L);
    EXPECT_TRUE(GasRangeWarnings(1.0L).empty());
    EXPECT_TRUE(GasRangeWarnings(1000.0L).empty());
    EXPECT_EQ(GasRangeWarnings(0.5L).size(), 1u);
}

} // namespace
} // namespace zandrevio
