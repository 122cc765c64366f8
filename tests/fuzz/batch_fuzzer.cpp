// Any bytes as a batch, through the whole path (CSV in, rows out): no crash,
// no hang, and every data row read comes out as exactly one row, in order,
// its input columns as they were read, in CSV and in JSON Lines.
#include "cli/batch.h"
#include "cli/csv_records.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {
std::vector<zandrevio::cli::CsvRecord> Records(const std::string& text, bool splitPlainLines = true)
{
    std::istringstream in(text);
    std::vector<zandrevio::cli::CsvRecord> records;
    zandrevio::cli::CsvReader reader;
    reader.Keep(1002);
    reader.SplitPlainLines(splitPlainLines);
    reader.Read(in, [&](const zandrevio::cli::CsvRecord& record) { records.push_back(record); });
    return records;
}

void Check(bool holds)
{
    if (!holds) {
        std::abort();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > 200000) {
        return 0;
    }
    const std::string input(reinterpret_cast<const char*>(data), size);
    const zandrevio::cli::Settings settings;
    const std::vector<zandrevio::cli::CsvRecord> read = Records(input);
    // Plain lines split without libcsv read exactly as libcsv reads them.
    const std::vector<zandrevio::cli::CsvRecord> byLibcsv = Records(input, false);
    Check(read.size() == byLibcsv.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        Check(read[i].fields == byLibcsv[i].fields && read[i].count == byLibcsv[i].count &&
              read[i].overlong == byLibcsv[i].overlong && read[i].line == byLibcsv[i].line &&
              read[i].error == byLibcsv[i].error);
    }
    for (bool json : {false, true}) {
        std::istringstream in(input);
        std::ostringstream out;
        zandrevio::cli::BatchCount count;
        try {
            count = zandrevio::cli::Batch(in, out, settings, json);
        } catch (const zandrevio::cli::UsageError&) {
            continue; // no header row, or none with a calculation column, or one that cannot be read
        }
        Check(!read.empty() && count.rows + 1 == read.size());
        const std::string text = out.str();
        if (json) {
            Check(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) == count.rows);
            continue;
        }
        const std::vector<zandrevio::cli::CsvRecord> written = Records(text);
        Check(written.size() == read.size());
        const std::size_t columns = read.front().fields.size();
        for (std::size_t row = 1; row < read.size(); ++row) {
            // Each row's input columns come back as they were read, in order.
            const auto& before = read[row].fields;
            const auto& after = written[row].fields;
            for (std::size_t i = 0; i < std::min(columns, before.size()); ++i) {
                Check(i < after.size() && after[i] == before[i]);
            }
        }
    }
    return 0;
}
