#include "propagation/path_link.h"

#include <gtest/gtest.h>

#include <string>

namespace zandrevio {
namespace {

using F = PathField;
using In = Inputs<PathField>;

In Link(long double mhz, long double txM, long double rxM, long double k = 4.0L / 3.0L,
        Polarization polarization = Polarization::Horizontal)
{
    return {{F::Frequency, mhz},
            {F::TxHeight, txM},
            {F::RxHeight, rxM},
            {F::KFactor, k},
            {F::Polarization, static_cast<long double>(polarization)}};
}

// Flat ground at sea level `km` long in `intervals` equal steps, `hills`
// raising some of its points.
TerrainProfile Flat(long double km, int intervals, std::initializer_list<ProfilePoint> hills = {})
{
    TerrainProfile profile;
    for (int i = 0; i <= intervals; ++i) {
        profile.points.push_back({km * i / intervals, 0.0L});
    }
    for (const ProfilePoint& hill : hills) {
        for (ProfilePoint& point : profile.points) {
            if (point.distanceKm == hill.distanceKm) {
                point.heightM = hill.heightM;
            }
        }
    }
    return profile;
}

PathResult Calculate(const TerrainProfile& profile, const In& in)
{
    const auto outcome = PathLink(profile, in);
    EXPECT_TRUE(outcome.Ok()) << (outcome.Ok() ? "" : outcome.Error().message);
    return outcome.Ok() ? outcome.Value() : PathResult{};
}

bool Warns(const PathResult& result, const std::string& words)
{
    for (const std::string& warning : result.warnings) {
        if (warning.find(words) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// 10 km over flat ground between 10 m masts at 7 GHz (F1 = 10.347 m at the
// middle), the earth made flat (k = 10⁶): a hill at 5 km leaves the stated
// fraction of F1 clear.
TEST(PathLink, ClearanceOfWorkedProfiles)
{
    struct Case {
        long double hillM;
        long double clearance;
        bool lineOfSight;
        bool fresnel60;
    };
    const Case cases[] = {
        {2.756818L, 0.7L, true, true},
        {4.826299L, 0.5L, true, false},
        {15.0L, -0.483213L, false, false},
    };
    for (const Case& c : cases) {
        const PathResult result = Calculate(Flat(10.0L, 10, {{5.0L, c.hillM}}), Link(7000.0L, 10.0L, 10.0L, 1.0e6L));
        EXPECT_NEAR(result.clearance, c.clearance, 1e-6L) << c.hillM;
        EXPECT_EQ(result.worstPointKm, 5.0L) << c.hillM;
        EXPECT_EQ(result.lineOfSight, c.lineOfSight) << c.hillM;
        EXPECT_EQ(result.fresnel60, c.fresnel60) << c.hillM;
        EXPECT_NEAR(result.points[5].fresnelRadiusM, 10.347402L, 1e-6L);
        EXPECT_NEAR(result.points[5].clearanceM, 10.0L - c.hillM, 1e-5L);
    }
}

// Flat ground 10 km long under 30 m masts at 2 GHz: the ground stays below
// −0.78 of the edge parameter (so Bullington gives 0) and the smooth earth's
// h_se (28.5 m) above h_req (10.7 m), so the spherical earth gives 0 too:
// the path loss is free space's alone.
TEST(PathLink, FlatLineOfSightPathLosesNothingToDiffraction)
{
    const PathResult result = Calculate(Flat(10.0L, 100), Link(2000.0L, 30.0L, 30.0L));
    EXPECT_TRUE(result.lineOfSight);
    EXPECT_TRUE(result.fresnel60);
    EXPECT_EQ(result.diffractionLossDb, 0.0L);
    EXPECT_NEAR(result.pathLossDb, 118.468383L, 1e-6L);
    EXPECT_EQ(result.distanceKm, 10.0L);
    EXPECT_TRUE(result.warnings.empty());
    // The bulge at the middle, 5 × 5 km / (2 × 8494.7 km).
    EXPECT_NEAR(result.points[50].bulgeM, 1.471512L, 1e-6L);
    EXPECT_NEAR(result.points[50].lineOfSightM, 30.0L, 1e-12L);
}

// A smooth sphere (every height 0): Bullington's losses over the actual and
// the smooth profile are the same, so the loss is the spherical earth's
// wherever that is the larger, as in the cases below; the values are
// P.526-15's (see SphericalEarth.LossAgainstTheResidueSeriesFirstTerm).
TEST(PathLink, SmoothSphereGivesTheSphericalEarthLoss)
{
    struct Case {
        long double km, txM, rxM, mhz;
        Polarization polarization;
        long double loss;
    };
    const Case cases[] = {
        {100, 30, 30, 1000, Polarization::Horizontal, 65.208265L},
        {100, 30, 30, 1000, Polarization::Vertical, 65.199564L},
        {60, 50, 20, 200, Polarization::Horizontal, 29.949098L},
        {40, 30, 30, 1000, Polarization::Horizontal, 13.820821L},
    };
    for (const Case& c : cases) {
        const PathResult result = Calculate(Flat(c.km, 1000), Link(c.mhz, c.txM, c.rxM, 4.0L / 3.0L, c.polarization));
        EXPECT_EQ(result.diffraction.actualDb, result.diffraction.smoothDb) << c.km;
        EXPECT_NEAR(result.diffractionLossDb, c.loss, 1e-3L) << c.km;
        // The smooth-earth horizon of two 30 m masts is 45 km away.
        EXPECT_EQ(result.lineOfSight, c.km < 45) << c.km;
        EXPECT_EQ(Warns(result, "far beyond the radio horizon"), c.loss > kFarBeyondHorizonDb) << c.km;
    }
}

// 1 W, 30 dBi and 2 dB of feeder at each end over the flat path above:
// 30 + 30 − 2 − 118.47 + 30 − 2 dBm, and 80 dB above a −80 dBm receiver.
TEST(PathLink, BudgetOfTheWorkedPath)
{
    In in = Link(2000.0L, 30.0L, 30.0L);
    in.Set(F::Power, 1.0L).Set(F::TxGain, 30.0L).Set(F::RxGain, 30.0L);
    in.Set(F::TxFeederLoss, 2.0L).Set(F::RxFeederLoss, 2.0L);
    const PathResult withoutSensitivity = Calculate(Flat(10.0L, 100), in);
    ASSERT_TRUE(withoutSensitivity.receivedPowerDbm.has_value());
    EXPECT_NEAR(*withoutSensitivity.receivedPowerDbm, -32.468383L, 1e-6L);
    EXPECT_FALSE(withoutSensitivity.fadeMarginDb.has_value());

    in.Set(F::Sensitivity, -80.0L);
    const PathResult result = Calculate(Flat(10.0L, 100), in);
    ASSERT_TRUE(result.fadeMarginDb.has_value());
    EXPECT_NEAR(*result.fadeMarginDb, 47.531617L, 1e-6L);

    EXPECT_FALSE(Calculate(Flat(10.0L, 100), Link(2000.0L, 30.0L, 30.0L)).receivedPowerDbm.has_value());
}

TEST(PathLink, WarnsOfFrequenciesOutsideTheMethodsRanges)
{
    const TerrainProfile profile = Flat(10.0L, 100);
    const char* const warning = "frequency outside 30 MHz-50 GHz, the range of ITU-R P.1812-6 and P.452-17";
    EXPECT_TRUE(Warns(Calculate(profile, Link(20.0L, 30.0L, 30.0L)), warning));
    EXPECT_TRUE(Calculate(profile, Link(30.0L, 30.0L, 30.0L)).warnings.empty());
    EXPECT_TRUE(Calculate(profile, Link(7000.0L, 30.0L, 30.0L)).warnings.empty());
    EXPECT_TRUE(Calculate(profile, Link(50000.0L, 30.0L, 30.0L)).warnings.empty());
    EXPECT_TRUE(Warns(Calculate(profile, Link(80000.0L, 30.0L, 30.0L)), warning));
}

TEST(PathLink, Refusals)
{
    struct Case {
        In in;
        TerrainProfile profile;
        F field;
        const char* message;
    };
    In noPower = Link(2000.0L, 30.0L, 30.0L);
    noPower.Set(F::Power, 0.0L);
    const TerrainProfile good = Flat(10.0L, 10);
    const Case cases[] = {
        {Link(0.0L, 30.0L, 30.0L), good, F::Frequency, "Frequency must be within the radio spectrum"},
        {Link(1e-300L, 30.0L, 30.0L), good, F::Frequency, "Frequency must be within the radio spectrum"},
        {Link(2000.0L, 30.0L, 30.0L), TerrainProfile{{{0, 0}, {2, 1e300L}, {4, 0}}}, F::Profile,
         "height of point 2 of the profile: 1E300 m is no ground's height"},
        {Link(2000.0L, -1.0L, 30.0L), good, F::TxHeight, "antenna below ground"},
        {Link(2000.0L, 30.0L, -0.5L), good, F::RxHeight, "antenna below ground"},
        {Link(2000.0L, 30.0L, 30.0L, 0.0L), good, F::KFactor, "k-factor must be greater than 0"},
        {Link(2000.0L, 30.0L, 30.0L), Flat(10.0L, 1), F::Profile, "has 2 points; a path needs at least 3"},
        {Link(2000.0L, 30.0L, 30.0L), TerrainProfile{{{0, 0}, {2, 0}, {1, 0}}}, F::Profile, "Point 3 of the profile"},
        {Link(2000.0L, 30.0L, 30.0L), TerrainProfile{{{1, 0}, {2, 0}, {3, 0}}}, F::Profile, "starts at 1 km"},
        {noPower, good, F::Power, "power must be greater than 0"},
    };
    for (const Case& c : cases) {
        const auto outcome = PathLink(c.profile, c.in);
        ASSERT_FALSE(outcome.Ok()) << c.message;
        EXPECT_EQ(outcome.Error().field, c.field) << c.message;
        EXPECT_NE(outcome.Error().message.find(c.message), std::string::npos) << outcome.Error().message;
    }
}

TEST(PathLink, ResultsAreNamedForTheCommandLine)
{
    const char* names[] = {"distance",
                           "line-of-sight",
                           "clearance",
                           "worst-point",
                           "fresnel-60",
                           "free-space-loss",
                           "diffraction-loss",
                           "path-loss",
                           "received-power",
                           "fade-margin",
                           "bullington-loss",
                           "smooth-bullington-loss",
                           "spherical-earth-loss",
                           "edge-nu"};
    ASSERT_EQ(kPath.results.size(), std::size(names));
    for (std::size_t i = 0; i < kPath.results.size(); ++i) {
        EXPECT_EQ(kPath.results[i].name, names[i]);
    }
    EXPECT_EQ(kPathResultBearing.name, "bearing");
    EXPECT_EQ(kPathResultReverseBearing.name, "reverse-bearing");
}

} // namespace
} // namespace zandrevio
