#include "run_calc.h"

#include <gtest/gtest.h>

namespace zandrevio::test {
namespace {

// A chain is typed stage by stage, in order; its stages are written after
// the whole chain's results.
TEST(ReceiverCli, ACascadeIsTypedStageByStage)
{
    const CalcRun run = RunCalc({"cascade", "--stage", "name=LNA,gain=20,nf=1,oip3=30", "--stage", "name=cable,gain=-3",
                                 "--stage", "name=mixer,gain=-7,nf=7,oip3=15"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("stage LNA")),
              "gain 10 dB\nnoise-figure 1.3 dB\nnoise-temperature 101.19 K\niip3 3.81 dBm\noip3 13.81 dBm\n"
              "noise-floor -119.67 dBm\nsensitivity -110.67 dBm\nsfdr 82.31 dB\n");
    EXPECT_NE(run.out.find("stage mixer\nstage-gain 10 dB\nstage-noise-figure 1.3 dB\nnoise-share 22.94 %\n"
                           "ip3-share 75.97 %\n"),
              std::string::npos)
        << run.out;
    const CalcRun empty = RunCalc({"cascade"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "zandrevio-calc: The cascade has no stage\n");
}

// A batch row holds one value a column: a chain of stages is refused there.
TEST(ReceiverCli, ABatchRowCannotHoldAChain)
{
    const CalcRun run = RunCalc({"batch", "-"}, "calculation,stage,bandwidth\ncascade,gain=20,200\nnoise,,200\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("cascade takes lists: run it on its own, not as a batch row"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("-120.96"), std::string::npos) << run.out;
}

} // namespace
} // namespace zandrevio::test
