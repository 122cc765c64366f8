#include "run_calc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace zandrevio::test {
namespace {

using namespace std::string_view_literals;

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
    EXPECT_EQ(run.out,
              "calculation,model,channels,traffic,gos,channels-result,traffic-result,gos-result,blocking,vswr,"
              "warnings,error\n"
              "traffic,erlang-b,15,,0.02,,9.0096,,,,,\n"
              "traffic,erlang-c,,9,0.02,17,,,,,,\n"
              "traffic,erlang-b,,x,0.02,,,,,,,--traffic: 'x' is not a number\n"
              "traffic,erlang-b,0,,0.02,,,,,,,Number of channels must be  greater then 0\n"
              "no-such,,,,,,,,,,,unknown calculation 'no-such'\n"
              "vswr,,1,,,,,,,,,vswr has no option --channels\n");
    EXPECT_EQ(run.err, "zandrevio-calc: 4 of 6 rows failed\n");
}

// Rows alike but for their numbers run together; each row's line is the
// one it gets on its own: refusals, slips, warnings, words that change, a
// rule broken by every row of a run, a calculation that runs row by row.
TEST(Batch, RowsRunTogetherGiveWhatEachGivesAlone)
{
    const std::string header =
        "calculation,model,channels,traffic,gos,distance,frequency,site,tx,standard,power,ms-gain,gain\n";
    const std::vector<std::string> rows = {
        "traffic,erlang-b,15,,0.02,,,a,,,,,\n",
        "traffic,erlang-b,16,,0.05,,,b,,,,,\n",
        "traffic,erlang-b,2.5,,0.02,,,c,,,,,\n",
        "traffic,erlang-b,17,,-1,,,d,,,,,\n",
        "traffic,erlang-b,19,,0.1,,,d2,,,,,\n",
        "traffic,erlang-b,18,,x,,,e,,,,,\n",
        "traffic,erlang-c,18,,0.05,,,f,,,,,\n",
        "traffic,erlang-c,19,,0.05,,,g,,,,,\n",
        "traffic,erlang-b,,9,0.01,,,h,,,,,\n",
        "traffic,erlang-b,,10,0.01,,,i,,,,,\n",
        "traffic,erlang-b,3,4,0.01,,,j,,,,,\n",
        "traffic,erlang-b,3,5,0.01,,,k,,,,,\n",
        "path-loss,hata,,,,5,900,l,,,,,\n",
        "path-loss,hata,,,,30,1500,m,,,,,\n",
        "path-loss,hata,,,,1e999,900,n,,,,,\n",
        "channel,,,,,,,o,935.2,gsm,,,\n",
        "channel,,,,,,,p,935.4,gsm,,,\n",
        "traffic,erlang-b,20,,0.02,,,q,,,,,\n",
        // A fault in a run, and one in writing a result, are those rows' alone.
        "traffic,erlang-b,10,1e4000,,,,r,,,,,\n",
        "traffic,erlang-b,10,5,,,,s,,,,,\n",
        "link-budget,,,,,,,t,,,10,0,\n",
        "link-budget,,,,,,,u,,,11,-1e4000,\n",
        // A result made from the echo of what was typed.
        "downtilt,,,,,,,v,,,,,15.00\n",
        "downtilt,,,,,,,w,,,,,12\n",
    };
    // Each output line as column -> text (quoted fields as RFC 4180 has them).
    const auto records = [](const std::string& csv) {
        std::vector<std::vector<std::string>> lines(1, std::vector<std::string>(1));
        bool quoted = false;
        for (std::size_t i = 0; i < csv.size(); ++i) {
            const char c = csv[i];
            if (quoted && c == '"' && i + 1 < csv.size() && csv[i + 1] == '"') {
                lines.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && c == ',') {
                lines.back().emplace_back();
            } else if (!quoted && c == '\n') {
                lines.emplace_back(1);
            } else {
                lines.back().back() += c;
            }
        }
        lines.pop_back();
        return lines;
    };
    std::string all = header;
    for (const std::string& row : rows) {
        all += row;
    }
    const auto together = records(RunCalc({"batch", "-"}, all).out);
    ASSERT_EQ(together.size(), rows.size() + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(rows[r]);
        const auto alone = records(RunCalc({"batch", "-"}, header + rows[r]).out);
        ASSERT_EQ(alone.size(), 2u);
        for (std::size_t column = 0; column < together[0].size(); ++column) {
            const auto named = std::find(alone[0].begin(), alone[0].end(), together[0][column]);
            const std::string expected =
                named == alone[0].end() ? "" : alone[1][static_cast<std::size_t>(named - alone[0].begin())];
            EXPECT_EQ(together[r + 1][column], expected) << together[0][column];
        }
    }
    // JSON Lines, whose echo lists the options each row's run read; each object names its row's line
    // (2 when run alone).
    std::string alone;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::string object = RunCalc({"--json", "batch", "-"}, header + rows[r]).out;
        ASSERT_EQ(object.rfind("{\"line\":2,", 0), 0u) << object;
        alone += "{\"line\":" + std::to_string(r + 2) + object.substr(9);
    }
    EXPECT_EQ(RunCalc({"--json", "batch", "-"}, all).out, alone);
}

TEST(Batch, TakesWhatSpreadsheetsSave)
{
    // A byte-order mark, CRLF line ends, quoted fields with commas, quotes and line ends.
    const std::string input = "\xEF\xBB\xBF\"calculation\",\"cable\",\"length\"\r\n"
                              "cable-loss,\"1/2\"\" Foam\",\"30,48\"\r\n"
                              "\"convert length\",,\"multi\r\nline\"\r\n";
    const CalcRun run = RunCalc({"--decimal-comma", "batch"}, input);
    EXPECT_EQ(run.out,
              "calculation,cable,length,loss,value,warnings,error\n"
              "cable-loss,\"1/2\"\" Foam\",\"30,48\",\"2,22\",,,\n"
              "convert length,,\"multi\r\nline\",,,,convert-length has no option --length\n");
}

// Each object names the line its row was read from and carries the columns that pass through, so
// that an answer is matched to its row.
TEST(Batch, JsonLinesGiveOneObjectPerRow)
{
    const CalcRun run =
        RunCalc({"--json", "batch"}, "calculation,vswr,Site\nshort-vswr,3,\"Hill\ntop\"\n\nshort-vswr,1,B\n");
    EXPECT_EQ(run.out,
              "{\"line\":2,\"calculation\":\"short-vswr\",\"columns\":{\"Site\":\"Hill\\ntop\"},\"inputs\":{"
              "\"vswr\":\"3\"},\"results\":{\"loss\":{\"value\":\"3.01\",\"unit\":\"dB\"}},\"warnings\":[],"
              "\"error\":null}\n"
              "{\"line\":5,\"calculation\":\"short-vswr\",\"columns\":{\"Site\":\"B\"},\"inputs\":{\"vswr\":"
              "\"1\"},\"results\":{},\"warnings\":[],\"error\":\"VSWR must be greater than 1\"}\n");
}

// A Latin-1 byte, a sequence cut short at the end and a control character in
// the echo still make a JSON line: U+FFFD for each bad byte, \u escapes.
TEST(Batch, JsonLinesStayJsonWhateverBytesTheRowHolds)
{
    const CalcRun run = RunCalc({"--json", "batch"}, "calculation,vswr\nshort-vswr,\"3\xE9\x01\xE2\x82\"\n");
    EXPECT_EQ(run.out,
              "{\"line\":2,\"calculation\":\"short-vswr\",\"inputs\":{\"vswr\":\"3\xEF\xBF\xBD\\u0001\xEF\xBF\xBD"
              "\xEF\xBF\xBD\"},\"results\":{},\"warnings\":[],\"error\":\"--vswr: '3\xEF\xBF\xBD\\u0001"
              "\xEF\xBF\xBD\xEF\xBF\xBD' is not a number\"}\n");
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
    EXPECT_NE(run.out.find("short-vswr,1,,,\"the row has 10001 fields, the header 2\"\n"), std::string::npos);
    EXPECT_NE(run.out.find(",,,a field is longer than 65536 bytes\n"), std::string::npos);
    EXPECT_NE(run.out.find("short-vswr,10,0.87,,\n"), std::string::npos);
}

TEST(Batch, AFileWithoutACalculationColumnIsAUsageError)
{
    EXPECT_EQ(RunCalc({"batch"}, "model,gos\n").status, 2);
    EXPECT_EQ(RunCalc({"batch"}, "").status, 2);
    EXPECT_EQ(RunCalc({"batch", "/no/such/file.csv"}).status, 2);
}

struct Refused {
    std::string_view input;
    const char* err;
};

TEST(Batch, AHeaderThatCannotBeReadIsAUsageErrorNamingTheColumn)
{
    const Refused cases[] = {
        {"calculation,traffic,gos,Traffic\n"sv, "zandrevio-calc: the column 'Traffic' is named twice\n"},
        {"site,traffic\ntraffic,9\n"sv, "zandrevio-calc: the header row has no 'calculation' column\n"},
        {"\xFF\xFE"
         "c\0a\0"sv,
         "zandrevio-calc: the batch is UTF-16 text: save it as UTF-8 CSV\n"},
        {"calculation,\"traffic\n"sv, "zandrevio-calc: the header row: unterminated quoted field starting at line 1\n"},
    };
    for (const Refused& c : cases) {
        const CalcRun run = RunCalc({"batch"}, std::string(c.input));
        EXPECT_EQ(run.status, 2) << c.input;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
}

// Quotes out of place fail their own row with the line, and every later row
// still comes back.
TEST(Batch, AQuoteOutOfPlaceFailsItsRowAndTheRestComeBack)
{
    const CalcRun run = RunCalc({"batch"},
                                "calculation,traffic,gos\n"
                                "traffic,9,0.02\n"
                                "traffic,9,0.0\"2\n"
                                "traffic,\"9\"x,0.02\n"
                                "traffic,9,0.01\n"
                                "traffic,\"9,0.05\n"
                                "traffic,9,0.05\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "calculation,traffic,gos,channels,traffic-result,gos-result,blocking,warnings,error\n"
              "traffic,9,0.02,15,,,,,\n"
              "traffic,9,,,,,,,\"a quote out of place at line 3: a field with a quote must be quoted whole, "
              "its quotes doubled\"\n"
              "traffic,,,,,,,,\"a quote out of place at line 4: a field with a quote must be quoted whole, its "
              "quotes doubled\"\n"
              "traffic,9,0.01,17,,,,,\n"
              "traffic,,,,,,,,unterminated quoted field starting at line 6\n");
    EXPECT_EQ(run.err, "zandrevio-calc: 3 of 5 rows failed\n");
}

// A record past the 4 MiB bound is one failed row, its rest passed over by the CSV rules: a 5 MB quoted
// field of many lines gives no row of its own lines, and the good row after it is read; a quote never
// closed takes the rest of the file with it.
TEST(Batch, ARecordPastItsBoundIsOneFailedRowAndTheNextIsRead)
{
    std::string field;
    for (int i = 0; i < 300000; ++i) {
        field += "0123456789abcdef\n";
    }
    const CalcRun run =
        RunCalc({"batch"}, "calculation,traffic,gos,note\ntraffic,9,0.02,\"" + field + "\"\ntraffic,9,0.01,good\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3) << run.out.substr(0, 300);
    EXPECT_NE(run.out.find(",\"the row is longer than 4194304 bytes, or a quoted field starting at line 2 is never "
                           "closed\"\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("\ntraffic,9,0.01,good,17,"), std::string::npos);
    EXPECT_EQ(run.err,
              "zandrevio-calc: the column 'note' is no option of any calculation: passed through as it is\n"
              "zandrevio-calc: 1 of 2 rows failed\n");

    const CalcRun unclosed = RunCalc({"batch"}, "calculation,traffic,gos\ntraffic,\"9" + field + "traffic,9,0.02\n");
    EXPECT_EQ(std::count(unclosed.out.begin(), unclosed.out.end(), '\n'), 2) << unclosed.out.substr(0, 300);
    EXPECT_EQ(unclosed.status, 1);
}

// A misspelt option is no option of any calculation: said once on the standard error and passed through,
// or, with --strict-columns, a usage error before any row is written.
TEST(Batch, AColumnNoCalculationReadsIsNamedOnce)
{
    const std::string input = "calculation,model,distance,frequncy\npath-loss,hata,5,1800\npath-loss,hata,6,1800\n";
    const CalcRun run = RunCalc({"batch"}, input);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err,
              "zandrevio-calc: the column 'frequncy' is no option of any calculation: passed through as it "
              "is\n");
    EXPECT_NE(run.out.find("path-loss,hata,5,1800,145.03,"), std::string::npos) << run.out;
    for (const bool json : {false, true}) {
        std::vector<std::string> args{"batch", "--strict-columns"};
        if (json) {
            args.insert(args.begin(), "--json");
        }
        const CalcRun strict = RunCalc(args, input);
        EXPECT_EQ(strict.status, 2);
        EXPECT_EQ(strict.out, "");
        EXPECT_EQ(strict.err,
                  "zandrevio-calc: the column 'frequncy' is no option of any calculation (--strict-columns)\n");
    }
}

TEST(Batch, ColumnsNoCalculationReadsPassThroughVerbatim)
{
    const CalcRun run = RunCalc({"batch"},
                                "Site,CALCULATION,Traffic,Gos,cell id\n"
                                "\" Hilltop \",Traffic,9,0.02, 17 \n"
                                "Valley,traffic,9,0.02,\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Site,CALCULATION,Traffic,Gos,cell id,channels,traffic-result,gos-result,blocking,warnings,error\n"
              " Hilltop ,Traffic,9,0.02, 17 ,15,,,,,\n"
              "Valley,traffic,9,0.02,,15,,,,,\n");
}

TEST(Batch, SemicolonsTabsAndCrLfAsSpreadsheetsSaveThem)
{
    const CalcRun semicolons = RunCalc({"--decimal-comma", "batch", "--delimiter", ";", "--crlf"},
                                       "calculation;traffic;gos\r\ntraffic;9;0,02\r\n");
    EXPECT_EQ(semicolons.out,
              "calculation;traffic;gos;channels;traffic-result;gos-result;blocking;warnings;error\r\n"
              "traffic;9;0,02;15;;;;;\r\n");
    const CalcRun tabs = RunCalc({"batch", "--delimiter", "TAB"}, "calculation\tchannels\tgos\ntraffic\t15\t0.01\n");
    EXPECT_EQ(tabs.out,
              "calculation\tchannels\tgos\tchannels-result\ttraffic\tgos-result\tblocking\twarnings\terror\n"
              "traffic\t15\t0.01\t\t8.108\t\t\t\t\n");
    EXPECT_EQ(RunCalc({"batch", "--delimiter", "|"}, "calculation\n").status, 2);
}

} // namespace
} // namespace zandrevio::test
