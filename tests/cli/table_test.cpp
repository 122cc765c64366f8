#include "run_calc.h"

#include <gtest/gtest.h>

namespace zandrevio::test {
namespace {

// The classic Erlang B table: 15 channels carry 8.108 Erl at 1 % and
// 9.0096 Erl at 2 % (ITU-T E.501-style tables, rounded to 3 decimals).
TEST(Table, TheClassicErlangBRow)
{
    const CalcRun run = RunCalc({"table", "erlang-b", "--channels", "14-15", "--gos", "0.01,0.02", "--format", "csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "channels,0.01,0.02\r\n14,7.3517,8.2003\r\n15,8.1081,9.0096\r\n");
}

// Checked against Erlang C from Erlang B, C = N B / (N - A (1 - B)).
TEST(Table, ChannelsForEachTrafficInEveryFormat)
{
    const std::vector<std::string> byTraffic = {"table", "erlang-c", "--traffic", "9-10:0.5", "--gos", "0.02,0.1"};
    auto args = byTraffic;
    EXPECT_EQ(RunCalc(args).out, "traffic  0.02  0.1\n      9    17   14\n    9.5    17   15\n     10    18   16\n");
    args.insert(args.end(), {"--format", "markdown"});
    EXPECT_EQ(RunCalc(args).out,
              "| traffic | 0.02 | 0.1 |\n| ---: | ---: | ---: |\n| 9 | 17 | 14 |\n"
              "| 9.5 | 17 | 15 |\n| 10 | 18 | 16 |\n");
    args = byTraffic;
    args.insert(args.end(), {"--format", "json"});
    EXPECT_EQ(RunCalc(args).out.substr(0, 60),
              "{\"table\":\"erlang-c\",\"rows\":[{\"traffic\":\"9\",\"0.02\":\"17\",\"0.1\"");
}

TEST(Table, BadRangesAndModelsAreUsageErrors)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"table", "erlang-x", "--channels", "1-2"},
             {"table", "poisson"},
             {"table", "poisson", "--channels", "1-2", "--traffic", "3"},
             {"table", "poisson", "--channels", "5-1"},
             {"table", "poisson", "--channels", "1-1e9"},
             {"table", "poisson", "--traffic", "1-2:0"},
             {"table", "poisson", "--channels", "1.5"},
             {"table", "poisson", "--channels", "2", "--format", "pdf"},
         }) {
        EXPECT_EQ(RunCalc(args).status, 2) << args[1] << ' ' << args.back();
    }
}

TEST(Table, ARefusedCellShowsItsMessage)
{
    const CalcRun run = RunCalc({"table", "poisson", "--channels", "0", "--gos", "0.02", "--format", "csv"});
    EXPECT_EQ(run.out, "channels,0.02\r\n0,Number of channels must be  greater then 0\r\n");
}

} // namespace
} // namespace zandrevio::test
