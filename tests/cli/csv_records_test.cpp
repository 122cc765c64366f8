#include "cli/csv_records.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zandrevio::cli {
namespace {

std::vector<CsvRecord> Records(const std::string& text, bool splitPlainLines, char delimiter = ',',
                               std::size_t maxRecord = CsvReader::kMaxRecord)
{
    std::istringstream in(text);
    std::vector<CsvRecord> records;
    CsvReader reader(delimiter);
    reader.Keep(3);
    reader.MaxRecord(maxRecord);
    reader.SplitPlainLines(splitPlainLines);
    reader.Read(in, [&](const CsvRecord& record) { records.push_back(record); });
    return records;
}

// Lines split without libcsv give the records libcsv gives: the same fields,
// counts, lines and errors, whatever sits around them.
TEST(CsvRecords, PlainLinesReadAsLibcsvReadsThem)
{
    const std::string longField(CsvReader::kMaxField + 10, 'x');
    const std::vector<std::string> inputs = {
        "a,b,c\n1,2,3\n",
        "a,b,c\r\n1,2,3\r\n\r\n\n4,5,6",
        "\n\n,,\n,\n",
        "a,b\n1,\"2\n3\",4\n5,6\n",
        "a,b\n1,2\r3,4\n",
        "a,b\r\"\nab\n1,2\n",
        "a,b\n1,x\"y\n7,8\n",
        "a,b\n\"never closed\n1,2\n",
        "a,b,c,d,e\n1,2,3,4,5,6\n",
        "a\n" + longField + "\nb\n",
        "a;b\n1;2\n",
        std::string("a,b\n1,\0,\n", 9),
    };
    for (const std::string& input : inputs) {
        SCOPED_TRACE(input.substr(0, 40));
        const char delimiter = input.find(';') != std::string::npos ? ';' : ',';
        const std::vector<CsvRecord> split = Records(input, true, delimiter);
        const std::vector<CsvRecord> byLibcsv = Records(input, false, delimiter);
        ASSERT_EQ(split.size(), byLibcsv.size());
        for (std::size_t i = 0; i < split.size(); ++i) {
            EXPECT_EQ(split[i].fields, byLibcsv[i].fields) << i;
            EXPECT_EQ(split[i].count, byLibcsv[i].count) << i;
            EXPECT_EQ(split[i].overlong, byLibcsv[i].overlong) << i;
            EXPECT_EQ(split[i].line, byLibcsv[i].line) << i;
            EXPECT_EQ(split[i].error, byLibcsv[i].error) << i;
        }
    }
}

// A record past its bound (64 bytes here) is one failed row, and reading goes on after its end by the
// CSV rules: a quoted field's line breaks, CRs and quotes are passed over with it, a lone CR or a CR LF
// ends it, and no record after it is lost or made up.
TEST(CsvRecords, ARecordPastItsBoundIsOneFailedRowAndTheNextIsRead)
{
    const std::string quotedLines =
        "\"" + std::string(30, 'q') + "\n" + std::string(30, 'r') + "\n" + std::string(30, 's') + "\rx\"\"y\n,\nz\"";
    struct Case {
        std::string text;
        std::vector<std::string> good; // the first field of each record read whole, in order
        int failed;
    };
    const Case cases[] = {
        {"a,b\n" + quotedLines + ",1\n2,3\n", {"a", "2"}, 1},
        {"a,b\n" + std::string(100, 'x') + "\r2,3\n", {"a", "2"}, 1},
        {"a,b\n" + std::string(100, 'x') + "\r\n2,3\r\n", {"a", "2"}, 1},
        {"a,b\n1," + quotedLines + "\n\"4\n5\",6\n", {"a", "4\n5"}, 1},
        {"a,b\n" + quotedLines, {"a"}, 1},                         // the input ends in the record
        {"a,b\n\"" + std::string(200, 'n') + "\n2,3\n", {"a"}, 1}, // a quote never closed takes the rest
        // Blank lines between records are no record's bytes.
        {std::string(100, '\n') + "a,b\n" + std::string(100, '\n') + "1,2\n", {"a", "1"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 50));
        for (const bool split : {true, false}) {
            const std::vector<CsvRecord> records = Records(c.text, split, ',', 64);
            std::vector<std::string> good;
            int failed = 0;
            for (const CsvRecord& record : records) {
                if (record.error.empty()) {
                    good.push_back(record.fields.front());
                } else {
                    EXPECT_NE(record.error.find("longer than 64 bytes"), std::string::npos) << record.error;
                    ++failed;
                }
            }
            EXPECT_EQ(good, c.good);
            EXPECT_EQ(failed, c.failed);
        }
    }
    // The line of the record after it counts the lines passed over.
    const std::vector<CsvRecord> records = Records("a,b\n" + quotedLines + ",1\n2,3\n", true, ',', 64);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].line, 2u);
    EXPECT_EQ(records[2].line, 7u);
}

} // namespace
} // namespace zandrevio::cli
