// The Irregular Terrain Model as a calculation: its description, refusals
// naming their fields, warnings at its limits, and the reliability table.
#include "itm/itm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace zandrevio {
namespace {

using F = ItmField;

Inputs<F> Area()
{
    return {{F::Frequency, 300.0L},   {F::TxHeight, 30.0L},
            {F::RxHeight, 10.0L},     {F::Polarization, 1},
            {F::Climate, 4},          {F::Refractivity, 301.0L},
            {F::Permittivity, 15.0L}, {F::Conductivity, 0.005L},
            {F::Variability, 3},      {F::Time, 50.0L},
            {F::Location, 50.0L},     {F::Situation, 50.0L},
            {F::Distance, 50.0L},     {F::TerrainIrregularity, 90.0L},
            {F::TxSiting, 0},         {F::RxSiting, 0}};
}

// Rolling hills, `km` long.
TerrainProfile Hills(int points, long double km)
{
    TerrainProfile profile;
    for (int i = 0; i < points; ++i) {
        const long double d = km * i / (points - 1);
        profile.points.push_back({d, 200.0L + 150.0L * std::sin(d / 3.0L) + 40.0L * std::sin(d * 1.7L)});
    }
    return profile;
}

bool Warns(const std::vector<std::string>& warnings, const std::string& part)
{
    return std::any_of(warnings.begin(), warnings.end(),
                       [&](const std::string& w) { return w.find(part) != std::string::npos; });
}

TEST(ItmCalculation, FieldsStartWhereTheModelsUsersStart)
{
    struct Start {
        F field;
        const char* option;
        const char* start;
    };
    const Start starts[] = {
        {F::Frequency, "frequency", nullptr},
        {F::Polarization, "polarization", "Vertical"},
        {F::Climate, "climate", "Continental temperate"},
        {F::Refractivity, "refractivity", "301"},
        {F::Permittivity, "permittivity", "15"},
        {F::Conductivity, "conductivity", "0.005"},
        {F::Variability, "mdvar", "3"},
        {F::Time, "time", "50"},
        {F::Location, "location", "50"},
        {F::Situation, "situation", "50"},
        {F::TerrainIrregularity, "terrain-irregularity", "90"},
        {F::TxSiting, "tx-siting", "Random"},
        {F::RxSiting, "rx-siting", "Random"},
    };
    for (const Start& s : starts) {
        const auto& described = SpecOf(kItm, s.field);
        EXPECT_EQ(described.option, s.option);
        if (s.start) {
            EXPECT_EQ(described.start, s.start) << s.option;
        }
    }
    EXPECT_EQ(StartIndex(kItm, F::Climate), static_cast<int>(ItmClimate::ContinentalTemperate));
    EXPECT_EQ(kItmClimates[6].key, "maritime-temperate-sea");
    EXPECT_EQ(kItmSitings[2].key, "very-careful");
    EXPECT_EQ(kItmResultLoss.name, "loss");
    EXPECT_EQ(kItmResultMode.name, "range");
    EXPECT_EQ(kItmResultMode.format, ResultFormat::Text);
    EXPECT_EQ(ItmModeWord(ItmMode::LineOfSight), "line-of-sight");
    EXPECT_EQ(ItmModeWord(ItmMode::Diffraction), "diffraction");
    EXPECT_EQ(ItmModeWord(ItmMode::Troposcatter), "troposcatter");
}

// Each refusal names its field.
struct Refused {
    F field;
    long double value;
};
const Refused kRefusals[] = {
    {F::Frequency, 0.0L},    {F::Frequency, -100.0L},  {F::TxHeight, 0.0L},
    {F::RxHeight, -1.0L},    {F::Polarization, 2},     {F::Climate, 7},
    {F::Climate, -1},        {F::Refractivity, -1.0L}, {F::Refractivity, 600.0L},
    {F::Permittivity, 0.5L}, {F::Conductivity, 0.0L},  {F::Variability, 4},
    {F::Variability, 40},    {F::Time, 0.0L},          {F::Location, 100.0L},
    {F::Situation, 150.0L},  {F::Distance, 0.0L},      {F::TerrainIrregularity, -1.0L},
    {F::TxSiting, 3},        {F::RxSiting, -1},
};

TEST(ItmCalculation, RefusalsNameTheirField)
{
    for (const Refused& r : kRefusals) {
        Inputs<F> in = Area();
        in.Set(r.field, r.value);
        const auto outcome = ItmArea(in);
        ASSERT_FALSE(outcome.Ok()) << SpecOf(kItm, r.field).option << " = " << r.value;
        EXPECT_EQ(outcome.Error().field, r.field) << outcome.Error().message;
    }
}

TEST(ItmCalculation, HorizontalPolarizationNeedsAPermittivityAboveOne)
{
    Inputs<F> in = Area();
    in.Set(F::Permittivity, 1.0L);
    EXPECT_TRUE(ItmArea(in).Ok()); // vertical
    in.Set(F::Polarization, 0);
    const auto outcome = ItmArea(in);
    ASSERT_FALSE(outcome.Ok());
    EXPECT_EQ(outcome.Error().field, F::Permittivity);
}

TEST(ItmCalculation, AFaultyProfileIsRefusedAsTheProfile)
{
    const TerrainProfile twoPoints{{{0.0L, 0.0L}, {10.0L, 0.0L}}};
    const TerrainProfile zeroSpacing{{{0.0L, 0.0L}, {0.0L, 0.0L}, {0.0L, 0.0L}}};
    const TerrainProfile notANumber{{{0.0L, 0.0L}, {5.0L, std::nanl("")}, {10.0L, 0.0L}}};
    for (const TerrainProfile* profile : {&twoPoints, &zeroSpacing, &notANumber}) {
        const auto outcome = ItmPointToPoint(*profile, Area());
        ASSERT_FALSE(outcome.Ok());
        EXPECT_EQ(outcome.Error().field, F::Profile) << outcome.Error().message;
    }
}

// The model's limits, each warned of beside the loss.
struct Limit {
    F field;
    long double value;
    const char* words;
};
const Limit kLimits[] = {
    {F::Frequency, 30.0L, "outside 40 MHz-10 GHz"}, {F::Frequency, 12000.0L, "outside 40 MHz-10 GHz"},
    {F::Frequency, 15.0L, "outside 20 MHz-20 GHz"}, {F::Frequency, 20001.0L, "outside 20 MHz-20 GHz"},
    {F::TxHeight, 0.8L, "outside 1-1000 m"},        {F::RxHeight, 2000.0L, "outside 1-1000 m"},
    {F::TxHeight, 0.3L, "outside 0.5-3000 m"},      {F::RxHeight, 4000.0L, "outside 0.5-3000 m"},
    {F::Distance, 1500.0L, "beyond 1000 km"},       {F::Distance, 0.5L, "outside 1-2000 km"},
    {F::Distance, 2500.0L, "outside 1-2000 km"},    {F::Refractivity, 200.0L, "outside 250-400"},
    {F::Refractivity, 450.0L, "outside 250-400"},   {F::Time, 0.01L, "extreme variability"},
    {F::Location, 99.99L, "extreme variability"},
};

TEST(ItmCalculation, LimitsOfValidityAreWarnedOfBesideTheLoss)
{
    const auto plain = ItmArea(Area());
    ASSERT_TRUE(plain.Ok());
    EXPECT_TRUE(plain.Value().warnings.empty());
    for (const Limit& limit : kLimits) {
        Inputs<F> in = Area();
        in.Set(limit.field, limit.value);
        const auto outcome = ItmArea(in);
        ASSERT_TRUE(outcome.Ok()) << outcome.Error().message;
        EXPECT_TRUE(Warns(outcome.Value().warnings, limit.words))
            << SpecOf(kItm, limit.field).option << " = " << limit.value;
        EXPECT_TRUE(std::isfinite(outcome.Value().lossDb));
    }
}

TEST(ItmCalculation, ModesFollowTheDistance)
{
    struct Range {
        long double km;
        ItmMode mode;
    };
    const Range ranges[] = {
        {5.0L, ItmMode::LineOfSight}, {60.0L, ItmMode::Diffraction}, {400.0L, ItmMode::Troposcatter}};
    for (const Range& r : ranges) {
        Inputs<F> in = Area();
        in.Set(F::Distance, r.km);
        const auto outcome = ItmArea(in);
        ASSERT_TRUE(outcome.Ok());
        EXPECT_EQ(outcome.Value().mode, r.mode) << r.km << " km";
    }
}

TEST(ItmReliabilityTable, EveryCellIsTheSingleCalculation)
{
    const long double times[] = {10.0L, 50.0L, 90.0L, 99.0L};
    const long double locations[] = {1.0L, 50.0L, 95.0L};
    const TerrainProfile profile = Hills(800, 60.0L);
    const auto table = ItmPointToPointTable(profile, Area(), times, locations);
    const auto areaTable = ItmAreaTable(Area(), times, locations);
    ASSERT_TRUE(table.Ok());
    ASSERT_TRUE(areaTable.Ok());
    ASSERT_EQ(table.Value().lossDb.size(), 12u);
    for (std::size_t t = 0; t < 4; ++t) {
        for (std::size_t l = 0; l < 3; ++l) {
            Inputs<F> in = Area();
            in.Set(F::Time, times[t]);
            in.Set(F::Location, locations[l]);
            EXPECT_NEAR(table.Value().LossDb(t, l), ItmPointToPoint(profile, in).Value().lossDb, 1e-12L);
            EXPECT_NEAR(areaTable.Value().LossDb(t, l), ItmArea(in).Value().lossDb, 1e-12L);
        }
    }
    // More reliability costs more loss, in time and in locations.
    EXPECT_LT(table.Value().LossDb(0, 1), table.Value().LossDb(3, 1));
    EXPECT_LT(table.Value().LossDb(1, 0), table.Value().LossDb(1, 2));
}

TEST(ItmReliabilityTable, APercentageOfTheListsOutsideItsRangeIsRefusedAtItsField)
{
    const long double good[] = {50.0L};
    const long double bad[] = {50.0L, 100.0L};
    const auto time = ItmAreaTable(Area(), bad, good);
    const auto location = ItmAreaTable(Area(), good, bad);
    ASSERT_FALSE(time.Ok());
    ASSERT_FALSE(location.Ok());
    EXPECT_EQ(time.Error().field, F::Time);
    EXPECT_EQ(location.Error().field, F::Location);
}

// An 800 m ridge halfway along 15.6 km of flat ground, 30 m masts at 7 GHz: the terrain blocks the view,
// yet the smooth earth of 30 m antennas reaches far past 15.6 km, so the path is in the model's
// line-of-sight range. Said in a warning; the same masts over flat ground see each other and get none.
TEST(ItmCalculation, ALineOfSightRangeOverBlockingTerrainIsWarnedOf)
{
    TerrainProfile ridge;
    TerrainProfile flat;
    for (int i = 0; i <= 156; ++i) {
        ridge.points.push_back({i / 10.0L, i == 78 ? 800.0L : 0.0L});
        flat.points.push_back({i / 10.0L, 0.0L});
    }
    Inputs<F> in = Area();
    in.Set(F::Frequency, 7000.0L);
    in.Set(F::TxHeight, 30.0L);
    in.Set(F::RxHeight, 30.0L);
    const auto blocked = ItmPointToPoint(ridge, in);
    ASSERT_TRUE(blocked.Ok()) << blocked.Error().message;
    EXPECT_EQ(blocked.Value().mode, ItmMode::LineOfSight);
    EXPECT_TRUE(Warns(blocked.Value().warnings, "terrain blocks the line of sight")) << blocked.Value().lossDb;
    const auto clear = ItmPointToPoint(flat, in);
    ASSERT_TRUE(clear.Ok());
    EXPECT_EQ(clear.Value().mode, ItmMode::LineOfSight);
    EXPECT_FALSE(Warns(clear.Value().warnings, "terrain blocks"));
}

} // namespace
} // namespace zandrevio
