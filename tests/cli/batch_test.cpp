#include "run_calc.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zandrevio::test {
namespace {

std::size_t Lines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

TEST(Batch, EachRowGivesOneRowInOrderWithItsResultsOrItsError)
{
    const std::string input = "calculation,model,channels,traffic,gos\n"
                              "traffic,erlang-b,15,,0.02\n"
                              "traffic,erlang-c,,9,0.02\n"
                              "traffic,erlang-b,,x,0.02\n"
                              "traffic,erlang-b,0,,0.02\n"
                              "no-such,,,,\n"
                              "vswr,,1,,\n";
    const CalcRun run = RunCalc({"batch", "-"}, input);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "calculation,model,channels,traffic,gos,channels-result,traffic-result,gos-result,vswr,"
                       "warnings,error\r\n"
                       "traffic,erlang-b,15,,0.02,,9.0096,,,,\r\n"
                       "traffic,erlang-c,,9,0.02,17,,,,,\r\n"
                       "traffic,erlang-b,,x,0.02,,,,,,'x' is not a valid floating point value.\r\n"
                       "traffic,erlang-b,0,,0.02,,,,,,Number of channels must be  greater then 0\r\n"
                       "no-such,,,,,,,,,,unknown calculation 'no-such'\r\n"
                       "vswr,,1,,,,,,,,vswr has no option --channels\r\n");
    EXPECT_EQ(run.err, "zandrevio-calc: 4 of 6 rows failed\n");
}

TEST(Batch, TakesWhatSpreadsheetsSave)
{
    // A byte-order mark, CRLF line ends, quoted fields with commas, quotes and line ends.
    const std::string input = "\xEF\xBB\xBF\"calculation\",\"cable\",\"length\"\r\n"
                              "cable-loss,\"1/2\"\" Foam\",\"30,48\"\r\n"
                              "\"convert length\",,\"multi\r\nline\"\r\n";
    const CalcRun run = RunCalc({"--decimal-comma", "batch"}, input);
    EXPECT_EQ(run.out, "calculation,cable,length,loss,value,warnings,error\r\n"
                       "cable-loss,\"1/2\"\" Foam\",\"30,48\",\"2,22\",,,\r\n"
                       "convert length,,\"multi\r\nline\",,,,convert-length has no option --length\r\n");
}

TEST(Batch, JsonLinesGiveOneObjectPerRow)
{
    const CalcRun run = RunCalc({"--json", "batch"}, "calculation,vswr\nshort-vswr,3\nshort-vswr,1\n");
    EXPECT_EQ(run.out, "{\"calculation\":\"short-vswr\",\"inputs\":{\"vswr\":\"3\"},\"results\":{\"loss\":{\"value\":"
                       "\"3.01\",\"unit\":\"dB\"}},\"warnings\":[],\"error\":null}\n"
                       "{\"calculation\":\"short-vswr\",\"inputs\":{\"vswr\":\"1\"},\"results\":{},\"warnings\":[],"
                       "\"error\":\"VSWR must be greater than 1\"}\n");
}

TEST(Batch, AHugeRowOrFieldIsThatRowsError)
{
    std::string input = "calculation,vswr\nshort-vswr,3\nshort-vswr";
    for (int i = 0; i < 10000; ++i) {
        input += ",1";
    }
    input += "\nshort-vswr," + std::string(1 << 20, '7') + "\nshort-vswr,10\n";
    const CalcRun run = RunCalc({"batch"}, input);
    EXPECT_EQ(Lines(run.out), 5u);
    EXPECT_NE(run.out.find("short-vswr,1,,,\"the row has 10001 fields, the header 2\"\r\n"), std::string::npos);
    EXPECT_NE(run.out.find(",,,a field is longer than 65536 bytes\r\n"), std::string::npos);
    EXPECT_NE(run.out.find("short-vswr,10,0.87,,\r\n"), std::string::npos);
}

TEST(Batch, AFileWithoutACalculationColumnIsAUsageError)
{
    EXPECT_EQ(RunCalc({"batch"}, "model,gos\n").status, 2);
    EXPECT_EQ(RunCalc({"batch"}, "").status, 2);
    EXPECT_EQ(RunCalc({"batch", "/no/such/file.csv"}).status, 2);
}

} // namespace
} // namespace zandrevio::test
