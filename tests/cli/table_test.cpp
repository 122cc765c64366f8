#include "run_calc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace zandrevio::test {
namespace {

// The classic Erlang B table: 15 channels carry 8.108 Erl at 1 % and
// 9.0096 Erl at 2 % (ITU-T E.501-style tables, rounded to 3 decimals).
TEST(Table, TheClassicErlangBRow)
{
    const CalcRun run = RunCalc({"table", "erlang-b", "--channels", "14-15", "--gos", "0.01,0.02", "--format", "csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "channels,0.01,0.02\n14,7.3517,8.2003\n15,8.108,9.0096\n");
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
    // The refusal and the help name every model a table takes, each with what it tabulates.
    const CalcRun wrong = RunCalc({"table", "erlang-x", "--channels", "1-2"});
    const CalcRun help = RunCalc({"table", "--help"});
    for (const char* model :
         {"erlang-b", "erlang-c", "poisson", "extended-erlang-b", "erlang-c-service-level", "itm", "availability"}) {
        EXPECT_NE(wrong.err.find(model), std::string::npos) << model;
        EXPECT_NE(help.out.find(std::string("  ") + model + ": "), std::string::npos) << model;
    }
}

TEST(Table, ARefusedCellShowsItsMessageAndFailsTheRun)
{
    const CalcRun run = RunCalc({"table", "erlang-b", "--channels", "0,15", "--gos", "0.02", "--format", "csv"});
    EXPECT_EQ(run.out, "channels,0.02\n0,Number of channels must be  greater then 0\n15,9.0096\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "zandrevio-calc: 1 of 2 cells failed\n");
}

// The global options work for tables as for every subcommand.
TEST(Table, TheGlobalOptionsWorkForTables)
{
    EXPECT_EQ(RunCalc({"--json", "table", "erlang-b", "--channels", "15", "--gos", "0.02"}).out,
              "{\"table\":\"erlang-b\",\"rows\":[{\"channels\":\"15\",\"0.02\":\"9.0096\"}]}\n");
    EXPECT_EQ(RunCalc({"table", "erlang-b", "--traffic", "9.87654", "--gos", "0.0123456", "--digits", "3"}).out,
              "traffic  0.0123\n   9.88      17\n");
    const CalcRun comma = RunCalc({"--decimal-comma", "table", "extended-erlang-b", "--traffic", "5,5", "--gos",
                                   "0,01;0,03", "--recall", "0,5", "--format", "csv"});
    EXPECT_EQ(comma.status, 0) << comma.err;
    EXPECT_EQ(comma.out, "traffic,\"0,01\",\"0,03\"\n\"5,5\",12,11\n");
}

// A list item that reads as a number is one, exponent and all; only what
// cannot be read as a number is a range. A value twice would be a column
// lost, and is refused.
TEST(Table, NumbersAreNumbersAndNoColumnIsLost)
{
    EXPECT_EQ(RunCalc({"table", "erlang-b", "--traffic", "9", "--gos", "1e-3,0.5", "--format", "csv"}).out,
              "traffic,0.001,0.5\n9,20,6\n");
    EXPECT_EQ(RunCalc({"table", "erlang-b", "--channels", "15", "--gos", "2e-2", "--format", "csv"}).out,
              "channels,0.02\n15,9.0096\n");
    const CalcRun twice = RunCalc({"table", "erlang-b", "--channels", "1-3", "--gos", "0.01,0.010"});
    EXPECT_EQ(twice.status, 2);
    EXPECT_EQ(twice.err, "zandrevio-calc: --gos: 0.01 is given twice\n");
}

// Rows go out as they are worked out: a long table is written in many
// pieces, not at its end.
TEST(Table, RowsAreWrittenAsTheyAreWorkedOut)
{
    struct Counting : std::stringbuf {
        int syncs = 0;
        int sync() override
        {
            ++syncs;
            return std::stringbuf::sync();
        }
    } buffer;
    std::ostream out(&buffer);
    std::ostringstream err;
    std::istringstream in;
    EXPECT_EQ(cli::RunCalc({"table", "erlang-b", "--channels", "1-2000", "--gos", "0.01"}, in, out, err), 0);
    EXPECT_GT(buffer.syncs, 50);
    const std::string text = buffer.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2001);
}

} // namespace
} // namespace zandrevio::test
