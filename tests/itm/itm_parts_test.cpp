// The parts of the Irregular Terrain Model checked on their own: the
// inverse normal, the knife edge, the profile's statistics and horizons.
#include "itm/itm_diffraction.h"
#include "itm/itm_horizons.h"
#include "itm/itm_profile.h"
#include "itm/itm_variability.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio::itm {
namespace {

// Q⁻¹(q) of the standard normal distribution (Abramowitz and Stegun, Table 26.5).
struct Quantile {
    long double q;
    long double z;
};
constexpr Quantile kQuantiles[] = {
    {0.5L, 0.0L},       {0.1L, 1.281552L},   {0.9L, -1.281552L},  {0.05L, 1.644854L}, {0.025L, 1.959964L},
    {0.01L, 2.326348L}, {0.99L, -2.326348L}, {0.001L, 3.090232L}, {1e-4L, 3.719016L}, {0.9999L, -3.719016L},
};

TEST(ItmInverseNormal, KnownQuantilesWithinTheApproximationsError)
{
    for (const Quantile& k : kQuantiles) {
        EXPECT_NEAR(InverseComplementaryNormal(k.q).Value(), k.z, 4.5e-4L) << "q = " << k.q;
    }
}

TEST(ItmInverseNormal, HeldWithinAMillionthOfTheEnds)
{
    // Q⁻¹(1e-6) = 4.753424; 0 and 1 themselves give the same finite deviate.
    EXPECT_NEAR(InverseComplementaryNormal(0.0L).Value(), 4.753424L, 4.5e-4L);
    EXPECT_NEAR(InverseComplementaryNormal(1.0L).Value(), -4.753424L, 4.5e-4L);
}

TEST(ItmKnifeEdge, GrazingEdgeAndTheJoinOfItsTwoPieces)
{
    // A grazing edge (v = 0) loses 6.02 dB; the two pieces meet at v² = 5.76 within 0.02 dB.
    EXPECT_NEAR(KnifeEdge(0.0L).Value(), 6.02L, 1e-12L);
    EXPECT_NEAR(KnifeEdge(5.7599L).Value(), KnifeEdge(5.76L).Value(), 0.02L);
    // Far past the edge, 12.953 + 20 log10 v: v = 10 gives 32.95 dB.
    EXPECT_NEAR(KnifeEdge(100.0L).Value(), 12.953L + 4.343L * std::log(100.0L), 1e-12L);
}

TEST(ItmHeightGain, ItsPiecesNearlyJoinAt200And2000)
{
    // The model's pieces are not continuous: at 2000 the blend's weight 0.0134 x exp(−0.005 x) is
    // still 0.0012, a step of 0.08 dB; at 200 the small-x form is about 1 dB off.
    const long double k = 0.01L;
    EXPECT_NEAR(HeightGain(199.999L, k).Value(), HeightGain(200.0L, k).Value(), 1.0L);
    EXPECT_NEAR(HeightGain(1999.999L, k).Value(), HeightGain(2000.0L, k).Value(), 0.1L);
    // Far out, F = 0.05751 x − 10 log10 x.
    EXPECT_NEAR(HeightGain(5000.0L, k).Value(), 0.05751L * 5000.0L - 4.343L * std::log(5000.0L), 1e-12L);
}

TEST(ItmVariabilityModes, CodesAndTheirFlags)
{
    struct Code {
        int code;
        int kind;
        bool withoutLocation;
        bool withoutSituation;
    };
    const Code codes[] = {
        {0, 0, false, false}, {3, 3, false, false}, {12, 2, true, false}, {21, 1, false, true}, {33, 3, true, true}};
    for (const Code& c : codes) {
        const auto mode = VariabilityModeOf(c.code);
        ASSERT_TRUE(mode.has_value()) << c.code;
        EXPECT_EQ(mode->kind, c.kind);
        EXPECT_EQ(mode->withoutLocation, c.withoutLocation);
        EXPECT_EQ(mode->withoutSituation, c.withoutSituation);
    }
    for (const int bad : {-1, 4, 9, 14, 34, 40, 100}) {
        EXPECT_FALSE(VariabilityModeOf(bad).has_value()) << bad;
    }
}

TEST(ItmVariabilityModes, EachModeCombinesTheDeviatesItsOwnWay)
{
    const Deviates given{1.0L, 2.0L, 3.0L};
    const auto single = DeviatesOfMode(*VariabilityModeOf(0), given);
    const auto individual = DeviatesOfMode(*VariabilityModeOf(1), given);
    const auto mobile = DeviatesOfMode(*VariabilityModeOf(2), given);
    const auto broadcast = DeviatesOfMode(*VariabilityModeOf(3), given);
    EXPECT_EQ(single.time.Value(), 3.0L);
    EXPECT_EQ(single.location.Value(), 3.0L);
    EXPECT_EQ(individual.location.Value(), 3.0L);
    EXPECT_EQ(mobile.location.Value(), 1.0L);
    EXPECT_EQ(broadcast.location.Value(), 2.0L);
}

UniformProfile Straight(std::size_t intervals, long double spacing, long double base, long double rise)
{
    UniformProfile profile{{}, spacing};
    for (std::size_t i = 0; i <= intervals; ++i) {
        profile.heightsM.push_back(base + rise * static_cast<long double>(i));
    }
    return profile;
}

TEST(ItmProfile, ALineFitsAStraightSlopeExactlyAndItsDeltaHIsZero)
{
    const UniformProfile slope = Straight(100, 50.0L, 120.0L, 0.7L);
    const LineEnds line = FitLine(slope, 500.0L, 4500.0L);
    EXPECT_NEAR(line.atStart.Value(), 120.0L, 1e-9L);
    EXPECT_NEAR(line.atEnd.Value(), 190.0L, 1e-9L);
    EXPECT_NEAR(TerrainIrregularity(slope, 0.0L, 5000.0L).Value(), 0.0L, 1e-9L);
}

TEST(ItmProfile, DeltaHOfASquareWaveIsItsFullSwingOverTheDistanceFactor)
{
    // Heights alternating 0 and 100 m every 10 steps: the interdecile range of the residuals is the full
    // 100 m, divided by 1 − 0.8 exp(−d / 50 km).
    UniformProfile wave{{}, 100.0L};
    for (std::size_t i = 0; i <= 400; ++i) {
        wave.heightsM.push_back((i / 10) % 2 == 0 ? 0.0L : 100.0L);
    }
    const long double d = 40e3L;
    const long double dh = TerrainIrregularity(wave, 0.0L, d).Value();
    EXPECT_NEAR(dh * (1.0L - 0.8L * std::exp(-d / 50e3L)), 100.0L, 5.0L);
}

TEST(ItmProfile, UnevenlySpacedPointsAreResampledAtTheMeanSpacing)
{
    // Points of a straight slope at uneven spacing: the resampled heights lie on the slope.
    const TerrainProfile uneven{{{0.0L, 10.0L}, {0.3L, 13.0L}, {0.4L, 14.0L}, {1.1L, 21.0L}, {2.0L, 30.0L}}};
    const UniformProfile uniform = MakeUniform(uneven);
    ASSERT_EQ(uniform.heightsM.size(), 5u);
    EXPECT_NEAR(uniform.spacingM, 500.0L, 1e-9L);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(uniform.heightsM[i], 10.0L + 5.0L * static_cast<long double>(i), 1e-9L) << i;
    }
    // An evenly spaced profile keeps its heights as they are.
    const TerrainProfile even{{{0.0L, 1.0L}, {0.5L, 7.0L}, {1.0L, 2.0L}}};
    EXPECT_EQ(MakeUniform(even).heightsM, (std::vector<long double>{1.0L, 7.0L, 2.0L}));
}

TEST(ItmHorizons, AHillBetweenTheTerminalsIsBothHorizons)
{
    // 20 km of flat ground with a 300 m hill at 8 km; 10 m masts.
    UniformProfile profile{std::vector<long double>(201, 0.0L), 100.0L};
    profile.heightsM[80] = 300.0L;
    const Horizons horizons = FindHorizons(profile, {10.0L, 10.0L}, 1.0L / 8.5e6L);
    EXPECT_NEAR(horizons.distancesM[0], 8000.0L, 1e-9L);
    EXPECT_NEAR(horizons.distancesM[1], 12000.0L, 1e-9L);
    // θ_e1 = (300 − 10) / 8000 − 8000 / (2 · 8500 km).
    EXPECT_NEAR(horizons.anglesRad[0], 290.0L / 8000.0L - 8000.0L / 17e6L, 1e-12L);
}

TEST(ItmHorizons, OnALineOfSightPathEachTerminalSeesTheOther)
{
    const UniformProfile flat{std::vector<long double>(101, 0.0L), 100.0L};
    const Horizons horizons = FindHorizons(flat, {100.0L, 100.0L}, 1.0L / 8.5e6L);
    EXPECT_EQ(horizons.distancesM[0], 10000.0L);
    EXPECT_EQ(horizons.distancesM[1], 10000.0L);
}

} // namespace
} // namespace zandrevio::itm
