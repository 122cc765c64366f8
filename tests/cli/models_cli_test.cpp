// Longley-Rice, rain and availability through the command line: published
// cases, round trips and refusals.
#include "run_calc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace zandrevio::test {
namespace {

std::string Result(const std::string& out, const std::string& name)
{
    const std::string line = "\n" + out;
    const std::size_t at = line.find("\n" + name + " ");
    if (at == std::string::npos) {
        return {};
    }
    const std::size_t start = at + name.size() + 1; // in `out`, one shorter
    return out.substr(start, out.find_first_of(" \n", start) - start);
}

// NTIA's first area-mode case: 10 m and 1 m over smooth ground at 16 km.
TEST(ItmCli, TheAreaModeGivesThePublishedLossAndItsMode)
{
    const CalcRun run = RunCalc({"itm", "--distance", "16", "--terrain-irregularity", "0", "--tx-height", "10",
                                 "--rx-height", "1", "--mdvar", "0", "--conductivity", "0.008", "--frequency", "230",
                                 "--polarization", "horizontal", "--time", "87"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.substr(0, run.out.find("free-space-loss")), "loss 152.5 dB\nrange line-of-sight\n");
}

// The loss is its parts: free space, A_ref and the variability, to the last digit; the path as the
// model sees it beside them.
TEST(ItmCli, TheLossIsTheSumOfItsParts)
{
    const std::string hop = ZANDREVIO_SOURCE_DIR "/docs/examples/hill-hop.csv";
    const CalcRun run = RunCalc({"--json", "--digits", "18", "itm", "--profile", hop, "--frequency", "7000", "--time",
                                 "90", "--location", "90"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto results = nlohmann::json::parse(run.out)["results"];
    const auto value = [&](const char* name) { return std::stold(results[name]["value"].get<std::string>()); };
    EXPECT_NEAR(value("free-space-loss") + value("reference-attenuation") + value("variability"), value("loss"),
                1e-14L);
    EXPECT_GT(value("variability"), 0.0L); // 90 % of the time at 90 % of locations: more loss than the median
    EXPECT_EQ(results["range"]["value"], "diffraction");
    for (const char* name :
         {"terrain-irregularity", "tx-horizon-distance", "rx-horizon-distance", "tx-horizon-angle", "rx-horizon-angle",
          "tx-effective-height", "rx-effective-height", "surface-refractivity"}) {
        EXPECT_TRUE(results.contains(name)) << name;
    }
    EXPECT_EQ(results["tx-horizon-angle"]["unit"], "mrad");
}

TEST(ItmCli, AProfileOrTheAreaModeNotBothAndRefusalsNameTheirField)
{
    const std::string hop = ZANDREVIO_SOURCE_DIR "/docs/examples/hill-hop.csv";
    const CalcRun over = RunCalc({"--json", "itm", "--profile", hop, "--frequency", "7000"});
    EXPECT_EQ(over.status, 0) << over.err;
    EXPECT_NE(over.out.find("\"range\":{\"value\":\"diffraction\""), std::string::npos) << over.out;

    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"itm", "--profile", hop, "--distance", "10"}, 2, "itm takes --profile FILE"},
        {{"itm"}, 2, "itm takes"},
        {{"itm", "--distance", "10", "--time", "0"}, 1, "Time"},
        {{"itm", "--distance", "10", "--climate", "arctic"}, 2, "--climate"},
        {{"itm", "--distance", "10", "--mdvar", "1.5"}, 2, "--mdvar"},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.out, "");
    }
}

// The margin a target needs gives that target back; the availability shows
// its outage's five digits.
TEST(AvailabilityCli, AMarginForATargetGivesTheTargetBack)
{
    const std::vector<std::string> hop = {"availability", "--distance",    "20", "--frequency",
                                          "18000",        "--rain-rate",   "42", "--tx-altitude",
                                          "120",          "--rx-altitude", "80"};
    std::vector<std::string> target = hop;
    target.insert(target.end(), {"--target-availability", "99.995", "--digits", "12"});
    const CalcRun margin = RunCalc(target);
    ASSERT_EQ(margin.status, 0) << margin.err;
    const std::string fadeMargin = Result(margin.out, "fade-margin");
    ASSERT_FALSE(fadeMargin.empty()) << margin.out;

    std::vector<std::string> back = hop;
    back.insert(back.end(), {"--fade-margin", fadeMargin});
    const CalcRun outage = RunCalc(back);
    ASSERT_EQ(outage.status, 0) << outage.err;
    EXPECT_EQ(Result(outage.out, "availability"), "99.995") << outage.out;
    EXPECT_EQ(Result(outage.out, "outage"), "0.005") << outage.out;

    std::vector<std::string> both = hop;
    both.insert(both.end(), {"--fade-margin", "30", "--target-availability", "99.99"});
    EXPECT_EQ(RunCalc(both).status, 2);
}

TEST(AvailabilityCli, RainAloneAndItsRefusals)
{
    const CalcRun rain = RunCalc({"rain-attenuation", "--rain-rate", "42", "--frequency", "18000", "--distance", "20",
                                  "--percent", "0.01", "--polarization", "vertical"});
    EXPECT_EQ(rain.status, 0) << rain.err;
    EXPECT_NE(rain.out.find("specific-attenuation "), std::string::npos);
    EXPECT_NE(rain.out.find("rain-attenuation "), std::string::npos);

    const CalcRun percent = RunCalc({"rain-attenuation", "--percent", "2"});
    EXPECT_EQ(percent.status, 1);
    EXPECT_EQ(percent.out, "");
    const CalcRun tilt = RunCalc({"availability", "--fade-margin", "30", "--polarization", "sideways"});
    EXPECT_EQ(tilt.status, 2);
    EXPECT_NE(tilt.err.find("olarization"), std::string::npos) << tilt.err;
}

// A reliability table's cell at 50 % of the time and locations is the itm
// subcommand's loss; what it refuses it says as itm does.
TEST(ItmTable, ACellIsTheLossAtItsPercentagesAndRefusalsAreItms)
{
    const std::vector<std::string> path = {"--distance", "50", "--frequency", "900", "--mdvar", "1"};
    std::vector<std::string> args = {"table", "itm", "--time", "10,50", "--location", "50,90", "--format", "csv"};
    args.insert(args.end(), path.begin(), path.end());
    const CalcRun table = RunCalc(args);
    ASSERT_EQ(table.status, 0) << table.err;
    std::vector<std::string> single = {"itm"};
    single.insert(single.end(), path.begin(), path.end());
    const std::string loss = Result(RunCalc(single).out, "loss");
    EXPECT_NE(table.out.find("\n50," + loss + ","), std::string::npos) << table.out << loss;
    EXPECT_EQ(table.out.substr(0, 11), "time,50,90\n");

    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"table", "itm", "--distance", "50", "--time", "0"}, 1, "Time must be between 0 and 100 %"},
        {{"table", "itm", "--frequency", "900"}, 2, "itm takes --profile FILE"},
        {{"table", "itm", "--distance", "50", "--gos", "0.1"}, 2, "table itm takes --time and --location"},
        {{"table", "erlang-b", "--channels", "1-3", "--frequency", "900"}, 2, "--frequency is not an option"},
        {{"table", "itm", "--distance", "50", "--location", "50,50"}, 2, "--location"},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args.back() << ": " << run.err;
    }
}

// Each cell of a margins table is the margin the availability subcommand
// finds for its row and column.
TEST(AvailabilityTable, ACellIsTheMarginForItsTarget)
{
    const CalcRun table = RunCalc({"table", "availability", "--distance", "5,15", "--frequency", "18000", "--rain-rate",
                                   "42", "--availability", "99.99,99.999", "--format", "csv"});
    ASSERT_EQ(table.status, 0) << table.err;
    const std::string margin = Result(RunCalc({"availability", "--distance", "15", "--frequency", "18000",
                                               "--rain-rate", "42", "--target-availability", "99.999"})
                                          .out,
                                      "fade-margin");
    EXPECT_EQ(table.out.substr(0, 23), "distance,99.99,99.999\n5");
    EXPECT_NE(table.out.find("\n15,"), std::string::npos) << table.out;
    EXPECT_EQ(table.out.substr(table.out.rfind(',') + 1), margin + "\n") << table.out;

    EXPECT_EQ(RunCalc({"table", "availability", "--distance", "5,10", "--frequency", "1,2"}).status, 2);
    EXPECT_EQ(RunCalc({"table", "availability", "--fade-margin", "30"}).status, 2);
    EXPECT_EQ(RunCalc({"table", "erlang-b", "--channels", "1-3", "--availability", "99.9"}).status, 2);
    const CalcRun refused = RunCalc({"table", "availability", "--rain-rate", "-1", "--availability", "99.9,99.99"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "zandrevio-calc: 2 of 2 cells failed\n");
}

} // namespace
} // namespace zandrevio::test
