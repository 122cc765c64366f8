// The Irregular Terrain Model on hostile inputs: every answer is a finite
// loss or a refusal naming a field; nothing throws, hangs or yields NaN.
#include "itm/itm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace zandrevio {
namespace {

using F = ItmField;
constexpr long double kNaN = std::numeric_limits<long double>::quiet_NaN();
constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

Inputs<F> Base()
{
    return {{F::Frequency, 300.0L},   {F::TxHeight, 30.0L},
            {F::RxHeight, 10.0L},     {F::Polarization, 1},
            {F::Climate, 4},          {F::Refractivity, 301.0L},
            {F::Permittivity, 15.0L}, {F::Conductivity, 0.005L},
            {F::Variability, 3},      {F::Time, 50.0L},
            {F::Location, 50.0L},     {F::Situation, 50.0L},
            {F::Distance, 50.0L},     {F::TerrainIrregularity, 90.0L},
            {F::TxSiting, 1},         {F::RxSiting, 2}};
}

TerrainProfile Ridge(int points, long double km, long double top)
{
    TerrainProfile profile;
    for (int i = 0; i < points; ++i) {
        const long double d = km * i / (points - 1);
        profile.points.push_back({d, top * std::exp(-std::pow((d - km / 3.0L) / (km / 10.0L), 2.0L))});
    }
    return profile;
}

// A finite loss, or a refusal of a field of kItm or of the profile.
template <typename Outcome>
void ExpectBounded(const Outcome& outcome, const std::string& what)
{
    if (outcome.Ok()) {
        EXPECT_TRUE(std::isfinite(outcome.Value().lossDb)) << what;
    } else {
        EXPECT_FALSE(outcome.Error().message.empty()) << what;
    }
}

void ExpectBoundedBothModes(const Inputs<F>& in, const std::string& what)
{
    const TerrainProfile profile = Ridge(300, 40.0L, 400.0L);
    EXPECT_NO_THROW(ExpectBounded(ItmArea(in), what + " (area)"));
    EXPECT_NO_THROW(ExpectBounded(ItmPointToPoint(profile, in), what + " (point-to-point)"));
}

TEST(ItmHostileInputs, NotANumberInAnyRealFieldIsRefusedThere)
{
    for (const F field : {F::Frequency, F::TxHeight, F::RxHeight, F::Refractivity, F::Permittivity, F::Conductivity,
                          F::Time, F::Location, F::Situation, F::Distance, F::TerrainIrregularity}) {
        Inputs<F> in = Base();
        in.Set(field, kNaN);
        const auto outcome = ItmArea(in);
        ASSERT_FALSE(outcome.Ok()) << SpecOf(kItm, field).option;
        EXPECT_EQ(outcome.Error().field, field) << outcome.Error().message;
    }
}

TEST(ItmHostileInputs, ExtremesOfEachFieldGiveALossOrARefusal)
{
    struct Extreme {
        F field;
        long double value;
    };
    const Extreme extremes[] = {
        {F::Frequency, 1e-6L},
        {F::Frequency, 20000.0L},
        {F::Frequency, 1e12L},
        {F::Frequency, kInfinity},
        {F::TxHeight, 1e-6L},
        {F::TxHeight, 1e6L},
        {F::RxHeight, 1e30L},
        {F::RxHeight, kInfinity},
        {F::Refractivity, 0.0L},
        {F::Refractivity, 548.0L},
        {F::Refractivity, 1e9L},
        {F::Permittivity, 1e30L},
        {F::Conductivity, 1e-30L},
        {F::Conductivity, 1e300L},
        {F::Time, 0.01L},
        {F::Time, 99.99L},
        {F::Location, 1e-9L},
        {F::Situation, 99.9999L},
        {F::Distance, 1e-9L},
        {F::Distance, 1e30L},
        {F::Distance, kInfinity},
        {F::TerrainIrregularity, 1e30L},
        {F::TerrainIrregularity, kInfinity},
    };
    for (const Extreme& e : extremes) {
        for (const int polarization : {0, 1}) {
            Inputs<F> in = Base();
            in.Set(F::Polarization, polarization);
            in.Set(e.field, e.value);
            ExpectBoundedBothModes(in, std::string(SpecOf(kItm, e.field).option) + " = " + std::to_string(e.value));
        }
    }
}

TEST(ItmHostileInputs, BreakdownsAreRefusedAtTheLikeliestField)
{
    struct Breakdown {
        F field;
        long double value;
        F named;
    };
    // A frequency of 10 kHz, a ground beyond any real one (vertical polarization: the smooth earth's
    // normalised impedance passes 1.607), terrain of 10,000 km irregularity.
    const Breakdown breakdowns[] = {{F::Frequency, 0.01L, F::Frequency},
                                    {F::Frequency, 1e-300L, F::Frequency}, // below the radio spectrum
                                    {F::Permittivity, 1e6L, F::Permittivity},
                                    {F::Conductivity, 1e6L, F::Conductivity},
                                    {F::TerrainIrregularity, 1e7L, F::TerrainIrregularity}};
    for (const Breakdown& b : breakdowns) {
        Inputs<F> in = Base();
        in.Set(b.field, b.value);
        const auto outcome = ItmArea(in);
        ASSERT_FALSE(outcome.Ok()) << SpecOf(kItm, b.field).option;
        EXPECT_EQ(outcome.Error().field, b.named) << outcome.Error().message;
    }
}

TEST(ItmHostileInputs, AtTheEdgeOf20GHzOnlyTheSoftLimitIsPassed)
{
    Inputs<F> in = Base();
    in.Set(F::Frequency, 20000.0L);
    const auto outcome = ItmArea(in);
    ASSERT_TRUE(outcome.Ok());
    ASSERT_EQ(outcome.Value().warnings.size(), 1u);
    EXPECT_NE(outcome.Value().warnings[0].find("40 MHz-10 GHz"), std::string::npos);
}

TEST(ItmHostileInputs, HostileProfilesGiveALossOrARefusal)
{
    const TerrainProfile zeroSpacing{{{0.0L, 10.0L}, {1.0L, 10.0L}, {1.0L, 10.0L}, {2.0L, 10.0L}}};
    const TerrainProfile flatSea(Ridge(101, 30.0L, 0.0L));
    const TerrainProfile himalaya(Ridge(200, 30.0L, 1e6L));
    const TerrainProfile threePoints{{{0.0L, 0.0L}, {0.001L, 5000.0L}, {0.002L, 0.0L}}};
    const TerrainProfile continental{{{0.0L, 0.0L}, {3000.0L, 100.0L}, {6000.0L, 0.0L}}};
    TerrainProfile crowded; // 5000 points, spaced at random between 1 mm and 1 km
    std::uint32_t seed = 7;
    long double d = 0.0L;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        crowded.points.push_back({d, 100.0L * std::sin(d)});
        d += 1e-6L + (seed >> 8) / 16777216.0L * 1e-3L * (i % 2 == 0 ? 1.0L : 1000.0L);
    }
    const TerrainProfile* profiles[] = {&zeroSpacing, &flatSea, &himalaya, &threePoints, &continental, &crowded};
    for (const TerrainProfile* profile : profiles) {
        EXPECT_NO_THROW(ExpectBounded(ItmPointToPoint(*profile, Base()), "profile"));
    }
    EXPECT_FALSE(ItmPointToPoint(zeroSpacing, Base()).Ok());
}

// Inputs drawn over many decades of each field, in both modes: a bounded,
// repeatable sweep.
TEST(ItmHostileInputs, RandomInputsOverManyDecades)
{
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<long double>(state >> 11) / 9007199254740992.0L;
    };
    auto decades = [&](long double lo, long double hi) { return lo * std::pow(hi / lo, next()); };
    int answered = 0;
    for (int run = 0; run < 200; ++run) {
        Inputs<F> in = Base();
        in.Set(F::Frequency, decades(1.0L, 1e6L));
        in.Set(F::TxHeight, decades(0.01L, 1e5L));
        in.Set(F::RxHeight, decades(0.01L, 1e5L));
        in.Set(F::Polarization, static_cast<int>(next() * 2));
        in.Set(F::Climate, static_cast<int>(next() * 7));
        in.Set(F::Refractivity, next() * 600.0L);
        in.Set(F::Permittivity, decades(1.0L, 1e4L));
        in.Set(F::Conductivity, decades(1e-6L, 1e4L));
        in.Set(F::Variability, static_cast<int>(next() * 4) + 10 * static_cast<int>(next() * 4));
        in.Set(F::Time, decades(1e-4L, 99.9999L));
        in.Set(F::Location, decades(1e-4L, 99.9999L));
        in.Set(F::Situation, decades(1e-4L, 99.9999L));
        in.Set(F::Distance, decades(1e-3L, 1e5L));
        in.Set(F::TerrainIrregularity, decades(1e-3L, 1e5L));
        in.Set(F::TxSiting, static_cast<int>(next() * 3));
        in.Set(F::RxSiting, static_cast<int>(next() * 3));
        ExpectBoundedBothModes(in, "run " + std::to_string(run));
        answered += ItmArea(in).Ok() ? 1 : 0;
    }
    // Most of the sweep lies where the model answers: the refusals are the exception.
    EXPECT_GT(answered, 150);
}

} // namespace
} // namespace zandrevio
