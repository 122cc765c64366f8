// The budget at a model's loss; the antennas' altitudes from the profile's ends.
#include "propagation/path_link.h"
#include "propagation/path_model.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

// 10 W is 40 dBm: 40 + 30 - 2 - 150 + 30 - 2 = -54 dBm, 26 dB above -80 dBm.
TEST(PathModel, TheBudgetIsTakenAtTheModelsLoss)
{
    Inputs<PathField> in;
    in.Set(PathField::Power, 10.0L)
        .Set(PathField::TxGain, 30.0L)
        .Set(PathField::TxFeederLoss, 2.0L)
        .Set(PathField::RxGain, 30.0L)
        .Set(PathField::RxFeederLoss, 2.0L)
        .Set(PathField::Sensitivity, -80.0L);
    const Outcome<PathBudget, PathField> budget = PathBudgetAt(in, 150.0L);
    ASSERT_TRUE(budget.Ok());
    EXPECT_NEAR(*budget.Value().receivedPowerDbm, -54.0L, 1e-15L);
    EXPECT_NEAR(*budget.Value().fadeMarginDb, 26.0L, 1e-15L);

    // No power, no budget; a power not above 0 refused at its field.
    EXPECT_FALSE(PathBudgetAt(Inputs<PathField>{}, 150.0L).Value().receivedPowerDbm);
    in.Set(PathField::Power, 0.0L);
    ASSERT_FALSE(PathBudgetAt(in, 150.0L).Ok());
    EXPECT_EQ(PathBudgetAt(in, 150.0L).Error().field, PathField::Power);
}

TEST(PathModel, AnAntennasAltitudeIsItsGroundPlusItsHeight)
{
    const TerrainProfile profile{{{0.0L, 100.0L}, {5.0L, 180.0L}, {10.0L, 120.0L}}};
    EXPECT_EQ(AntennaAltitudeM(profile, false, 30.0L), 130.0L);
    EXPECT_EQ(AntennaAltitudeM(profile, true, 25.0L), 145.0L);
}

} // namespace
} // namespace zandrevio
