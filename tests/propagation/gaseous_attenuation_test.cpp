#include "propagation/gas_line_tables.h"
#include "propagation/gaseous_attenuation.h"

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
        {1.0L, 0.004L, 0.007L, 0.0L, 0.0001L}, {10.0L, 0.006L, 0.01L, 0.001L, 0.005L},
        {22.235L, 0.01L, 0.02L, 0.14L, 0.2L},  {60.0L, 13.0L, 16.0L, 0.02L, 0.06L},
        {118.75L, 1.0L, 2.0L, 0.1L, 0.3L},     {183.31L, 0.005L, 0.03L, 24.0L, 32.0L},
    };
    for (const Row& row : rows) {
        const GasSpecificAttenuation gamma = GasSpecificAttenuationAt(row.ghz, kStandard);
        EXPECT_GT(gamma.oxygenDbPerKm, row.oxygenLow) << row.ghz;
        EXPECT_LT(gamma.oxygenDbPerKm, row.oxygenHigh) << row.ghz;
        EXPECT_GE(gamma.waterVapourDbPerKm, row.vapourLow) << row.ghz;
        EXPECT_LT(gamma.waterVapourDbPerKm, row.vapourHigh) << row.ghz;
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
