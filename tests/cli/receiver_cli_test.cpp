#include "run_calc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// The products that land in the receive band, by frequency, with the
// count per order; alone as CSV where asked; a band typed the wrong way
// round is refused, naming it.
TEST(ReceiverCli, IntermodulationListsTheProductsInTheBand)
{
    const std::vector<std::string> search = {"intermod", "--carrier", "935.2",       "--carrier", "936",
                                             "--band",   "930-940",   "--max-order", "5"};
    const CalcRun run = RunCalc(search);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "products 4\norder-2 0\norder-3 2\norder-4 0\norder-5 2\n"
              "frequency (MHz)\torder\tproduct\tband\n"
              "933.6\t5\t3f1-2f2\t1\n934.4\t3\t2f1-f2\t1\n936.8\t3\t2f2-f1\t1\n937.6\t5\t3f2-2f1\t1\n");
    std::vector<std::string> csv = search;
    csv.insert(csv.end(), {"--format", "csv", "--orders", "odd"});
    EXPECT_EQ(RunCalc(csv).out,
              "frequency,order,product,band\n933.6,5,3f1-2f2,1\n934.4,3,2f1-f2,1\n"
              "936.8,3,2f2-f1,1\n937.6,5,3f2-2f1,1\n");
    const CalcRun json = RunCalc({"--json", "intermod", "--carrier", "935.2", "--carrier", "936", "--band", "934-935"});
    EXPECT_NE(json.out.find("\"rows\":[{\"frequency\":{\"value\":\"934.4\",\"unit\":\"MHz\"}"), std::string::npos)
        << json.out;
    const CalcRun backwards = RunCalc({"intermod", "--carrier", "935.2", "--band", "940-930"});
    EXPECT_EQ(backwards.status, 1);
    EXPECT_NE(backwards.err.find("Band 1"), std::string::npos) << backwards.err;
    const CalcRun typo = RunCalc({"intermod", "--carrier", "935.2", "--band", "930"});
    EXPECT_EQ(typo.status, 2);
    EXPECT_EQ(typo.err, "zandrevio-calc: --band: '930' (band 1) is not LOW-HIGH in MHz\n");
}

} // namespace
} // namespace zandrevio::test
