#include "receiver/cascade.h"
#include "receiver/cascade_stages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zandrevio {
namespace {

CascadeStage Stage(std::string_view text, std::size_t index = 0)
{
    auto stage = ParseStage(text, index);
    if (const auto* failed = std::get_if<std::string>(&stage)) {
        ADD_FAILURE() << *failed;
        return {};
    }
    return std::get<CascadeStage>(stage);
}

// The classic chain: an LNA (20 dB, NF 1 dB, OIP3 30 dBm), a 3 dB cable
// (NF its loss) and a mixer (-7 dB, NF 7 dB, OIP3 15 dBm). By hand, Friis:
// F = 1.2589 + 0.9953/100 + 4.0119/50.119 = 1.3489, NF 1.2999 dB, 101.19 K;
// 1/OIP3 = 1/(1000 mW x 0.1) + 1/31.62 mW gives 13.807 dBm; SFDR 2/3 of
// IIP3 less the floor in 200 kHz. (Figures to more digits: mpmath at 30 digits.)
TEST(Cascade, TheClassicChainByHand)
{
    const std::vector<CascadeStage> chain = {Stage("name=LNA,gain=20,nf=1,oip3=30"), Stage("name=cable,gain=-3"),
                                             Stage("name=mixer,gain=-7,nf=7,oip3=15")};
    const auto outcome = Cascade(chain, 200.0L, 9.0L);
    ASSERT_TRUE(std::holds_alternative<CascadeResult>(outcome));
    const CascadeResult& result = std::get<CascadeResult>(outcome);
    EXPECT_NEAR(result.gainDb, 10.0L, 1e-15L);
    EXPECT_NEAR(result.noiseFigureDb, 1.29987936223589562L, 1e-15L);
    EXPECT_NEAR(result.noiseTemperatureK, 101.188369420308491L, 1e-13L);
    EXPECT_NEAR(*result.oip3Dbm, 13.8066895193390543L, 1e-15L);
    EXPECT_NEAR(*result.iip3Dbm, 3.80668951933905434L, 1e-15L);
    EXPECT_NEAR(result.noiseFloorDbm, -119.665007875352397L, 1e-12L);
    EXPECT_NEAR(result.sensitivityDbm, -110.665007875352397L, 1e-12L);
    EXPECT_NEAR(*result.sfdrDb, 82.3144649297943008L, 1e-12L);
    EXPECT_FALSE(result.op1dbDbm);
    EXPECT_NEAR(result.stages[0].noiseShare, 74.2065218072762681L, 1e-13L);
    EXPECT_NEAR(result.stages[2].noiseShare, 22.9411141019248948L, 1e-13L);
    EXPECT_NEAR(result.stages[0].noiseShare + result.stages[1].noiseShare + result.stages[2].noiseShare, 100.0L,
                1e-13L);
    EXPECT_NEAR(*result.stages[0].ip3Share + *result.stages[2].ip3Share, 100.0L, 1e-13L);
    EXPECT_FALSE(result.stages[1].ip3Share); // a cable is linear
    EXPECT_NEAR(result.stages[1].gainDb, 17.0L, 1e-15L);
}

// One stage alone is itself; a compression point carries as an intercept
// does, and the input's is the output's less the gain plus the 1 dB.
TEST(Cascade, OneStageAndCompression)
{
    const auto outcome = Cascade({Stage("gain=15,nf=2.5,oip3=35,p1db=20")}, 1000.0L, 0.0L);
    const CascadeResult& result = std::get<CascadeResult>(outcome);
    EXPECT_NEAR(result.noiseFigureDb, 2.5L, 1e-15L);
    EXPECT_NEAR(*result.oip3Dbm, 35.0L, 1e-14L);
    EXPECT_NEAR(*result.iip3Dbm, 20.0L, 1e-14L);
    EXPECT_NEAR(*result.op1dbDbm, 20.0L, 1e-14L);
    EXPECT_NEAR(*result.ip1dbDbm, 6.0L, 1e-14L);
    EXPECT_NEAR(result.stages[0].noiseShare, 100.0L, 1e-13L);
}

TEST(Cascade, RefusalsNameTheStage)
{
    const auto refusal = [](const std::vector<CascadeStage>& chain) {
        const auto outcome = Cascade(chain, 200.0L, 0.0L);
        return std::holds_alternative<CascadeRefusal>(outcome) ? std::get<CascadeRefusal>(outcome).message
                                                               : std::string("(none)");
    };
    EXPECT_EQ(refusal({}), "The cascade has no stage");
    EXPECT_EQ(refusal({Stage("name=LNA,gain=20")}),
              "Stage 1 (LNA) has no noise figure; only a loss takes its loss as its noise figure");
    EXPECT_EQ(refusal({Stage("name=LNA,gain=20,nf=1"), Stage("name=odd,gain=3,nf=-1", 1)}),
              "Stage 2 (odd): the noise figure must not be negative");
    EXPECT_TRUE(std::holds_alternative<CascadeRefusal>(Cascade({Stage("gain=-3")}, 0.0L, 0.0L)));
    struct Typed {
        std::string_view text;
        std::string_view message;
    };
    for (const Typed& typed : std::vector<Typed>{
             {"name=mixer,nf=7", "Stage 2 (mixer) has no gain: give gain=dB, negative for a loss"},
             {"gain=20,noise=1", "Stage 2: no key 'noise' (name, gain, nf, oip3, p1db)"},
             {"gain=twenty", "Stage 2: gain 'twenty' is not a number"},
             {"gain", "Stage 2: 'gain' is not key=value"},
         }) {
        const auto stage = ParseStage(typed.text, 1);
        ASSERT_TRUE(std::holds_alternative<std::string>(stage)) << typed.text;
        EXPECT_EQ(std::get<std::string>(stage), typed.message);
    }
}

} // namespace
} // namespace zandrevio
