#include "cli/csv_records.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace zandrevio::cli {
namespace {

std::vector<CsvRecord> Records(const std::string& text, bool splitPlainLines, char delimiter = ',')
{
    std::istringstream in(text);
    std::vector<CsvRecord> records;
    CsvReader reader(delimiter);
    reader.Keep(3);
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

} // namespace
} // namespace zandrevio::cli
