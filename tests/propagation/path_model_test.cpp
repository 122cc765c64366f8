// Another model's loss in a link: the budget follows it, the geometry stays;
// the antennas' altitudes from the profile's ends.
#include "propagation/path_model.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

PathResult Link()
{
    PathResult link{};
    link.distanceKm = 40.0L;
    link.freeSpaceLossDb = 141.0L;
    link.diffractionLossDb = 4.0L;
    link.pathLossDb = 145.0L;
    link.receivedPowerDbm = -60.0L;
    link.fadeMarginDb = 20.0L;
    link.warnings = {"beyond the method's range"};
    return link;
}

TEST(PathModel, AnotherLossMovesTheReceivedPowerAndTheFadeMarginByAsMuch)
{
    const PathResult itm = WithModelLoss(Link(), 150.0L, {"ITM's own"});
    EXPECT_EQ(itm.pathLossDb, 150.0L);
    EXPECT_EQ(*itm.receivedPowerDbm, -65.0L);
    EXPECT_EQ(*itm.fadeMarginDb, 15.0L);
    EXPECT_EQ(itm.freeSpaceLossDb, 141.0L);
    EXPECT_EQ(itm.distanceKm, 40.0L);
    EXPECT_EQ(itm.warnings, std::vector<std::string>{"ITM's own"});
}

TEST(PathModel, WithoutABudgetThereIsNoneToMove)
{
    PathResult link = Link();
    link.receivedPowerDbm.reset();
    link.fadeMarginDb.reset();
    const PathResult itm = WithModelLoss(link, 140.0L, {});
    EXPECT_FALSE(itm.receivedPowerDbm);
    EXPECT_FALSE(itm.fadeMarginDb);
    EXPECT_TRUE(itm.warnings.empty());
}

TEST(PathModel, AnAntennasAltitudeIsItsGroundPlusItsHeight)
{
    const TerrainProfile profile{{{0.0L, 100.0L}, {5.0L, 180.0L}, {10.0L, 120.0L}}};
    EXPECT_EQ(AntennaAltitudeM(profile, false, 30.0L), 130.0L);
    EXPECT_EQ(AntennaAltitudeM(profile, true, 25.0L), 145.0L);
}

} // namespace
} // namespace zandrevio
