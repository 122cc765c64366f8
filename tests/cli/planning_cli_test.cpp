#include "run_calc.h"

#include <gtest/gtest.h>

namespace zandrevio::test {
namespace {

struct Case {
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
};

// The planning calculations on the command line: their texts, warnings and
// refusals; the figures themselves are the core's tests'.
TEST(PlanningCalc, EachCommandWritesItsResultsWarningsAndRefusals)
{
    const Case cases[] = {
        {{"band", "--standard", "lte", "--channel", "1575"},
         0,
         "band 3\nchannel 1575\nuplink-channel 19575\nuplink 1747.5 MHz\ndownlink-channel 1575\ndownlink 1842.5 MHz\n",
         ""},
        {{"band", "--standard", "DCS 1800", "--downlink", "1805.25"},
         0,
         "band DCS 1800\nchannel 512\nuplink-channel 512\nuplink 1710.2 MHz\ndownlink-channel 512\ndownlink 1805.2 "
         "MHz\nfrequency-error 50000 Hz\n",
         "zandrevio-calc: Note the frequency error !\n"},
        {{"band", "--standard", "pcs-1900", "--channel", "811"},
         1,
         "",
         "zandrevio-calc: PCS 1900 ARFCN must be 512..810\n"},
        {{"band", "--standard", "gsm"}, 2, "", nullptr},
        {{"path-loss", "--model", "cost-231", "--frequency", "1800", "--distance", "1", "--bs-height", "30",
          "--ms-height", "1.5"},
         0,
         "loss 136.2 dB\n",
         ""},
        {{"path-loss", "--model", "hata", "--distance", "30"},
         0,
         "loss 171.31 dB\n",
         "zandrevio-calc: distance outside 1-20 km, the range of Hata's model\n"},
        {{"path-loss", "--model", "cost-231", "--area", "open"},
         1,
         "",
         "zandrevio-calc: COST-231 Hata has no Open area\n"},
        {{"cell-range", "--max-path-loss", "150"}, 0, "max-path-loss 150 dB\nradius 2.465 km\narea 15.786 km2\n", ""},
        {{"cell-range", "--max-path-loss", "150", "--power", "20"}, 2, "", nullptr},
        {{"service-level", "--traffic", "10", "--servers", "14"},
         0,
         "servers 14\ntraffic 10 Erl\nwaiting-probability 0.17413\nservice-level 0.88835\naverage-speed-of-answer "
         "7.8359 s\noccupancy 0.71429\n",
         ""},
        {{"service-level", "--traffic", "10", "--servers", "10"},
         1,
         "",
         "zandrevio-calc: Number of servers must be greater than the traffic\n"},
        {{"extended-erlang-b", "--traffic", "5.5", "--recall", "0.5", "--blocking", "0.03"},
         0,
         "channels 11\nblocking 0.01504\noffered-traffic 5.5417 Erl\n",
         ""},
        {{"extended-erlang-b", "--traffic", "5.5", "--recall", "50", "--channels", "10"},
         1,
         "",
         "zandrevio-calc: Recall factor must be 0 <= R <= 1\n"},
        {{"table", "extended-erlang-b", "--traffic", "5.5", "--gos", "0.03", "--format", "csv"},
         0,
         "traffic,0.03\n5.5,11\n",
         ""},
        {{"table", "erlang-c-service-level", "--traffic", "10", "--service-level", "0.8,0.99", "--format", "csv"},
         0,
         "traffic,0.8,0.99\n10,14,18\n",
         ""},
        {{"table", "erlang-c-service-level", "--channels", "10"}, 2, "", nullptr},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0] << ' ' << c.args[1] << run.err;
        EXPECT_EQ(run.out, c.out) << c.args[0] << ' ' << c.args[1];
        if (c.err != nullptr) {
            EXPECT_EQ(run.err, c.err) << c.args[0] << ' ' << c.args[1];
        }
    }
}

// A channel on the global raster that no band holds: its frequency, with a
// warning that says so.
TEST(PlanningCalc, AnNrArfcnOutsideEveryBandGivesItsFrequencyWithAWarning)
{
    const CalcRun run = RunCalc({"band", "--standard", "nr", "--channel", "3279165"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("downlink 99999.96 MHz\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "zandrevio-calc: No NR band holds NR-ARFCN 3279165\n");
    EXPECT_EQ(RunCalc({"band", "--standard", "nr", "--channel", "3279166"}).err,
              "zandrevio-calc: NR-ARFCN must be 0..3279165\n");
}

TEST(PlanningCalc, ABandOfSeveralBandsListsThemAllAndRunsInABatch)
{
    const CalcRun nr = RunCalc({"--json", "band", "--standard", "nr", "--channel", "632628"});
    EXPECT_NE(nr.out.find("\"bands\":{\"value\":\"n77, n78\""), std::string::npos) << nr.out;
    // A frequency's bands carry each band's channel, as the window lists them.
    const CalcRun lte = RunCalc({"--json", "band", "--standard", "lte", "--downlink", "2140"});
    EXPECT_NE(lte.out.find("\"bands\":{\"value\":\"1: 300, 4: 2250, 10: 4450, 65: 65836, 66: 66736\""),
              std::string::npos)
        << lte.out;
    const CalcRun batch = RunCalc({"batch"},
                                  "calculation,standard,channel,traffic,recall,blocking\n"
                                  "band,e-gsm-900,975,,,\n"
                                  "extended-erlang-b,,,5.5,0.5,0.03\n");
    EXPECT_EQ(
        batch.out,
        "calculation,standard,channel,traffic,recall,blocking,band,channel-result,uplink-channel,uplink,"
        "downlink-channel,downlink,frequency-error,bands,channels,blocking-result,offered-traffic,warnings,error\n"
        "band,e-gsm-900,975,,,,E-GSM 900,975,975,880.2,975,925.2,,E-GSM 900,,,,,\n"
        "extended-erlang-b,,,5.5,0.5,0.03,,,,,,,,,11,0.01504,5.5417,,\n");
}

} // namespace
} // namespace zandrevio::test
