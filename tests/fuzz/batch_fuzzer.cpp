// Any bytes as a batch: no crash, no hang, and every data row read comes
// out as exactly one row, in CSV and in JSON Lines.
#include "cli/batch.h"
#include "cli/csv_records.h"

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {
std::size_t Records(const std::string& text)
{
    std::istringstream in(text);
    std::size_t records = 0;
    zandrevio::cli::CsvReader reader;
    reader.Read(in, [&](const zandrevio::cli::CsvRecord&) { ++records; });
    return records;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const zandrevio::cli::Settings settings;
    for (bool json : {false, true}) {
        std::istringstream in(input);
        std::ostringstream out;
        zandrevio::cli::BatchCount count;
        try {
            count = zandrevio::cli::Batch(in, out, settings, json);
        } catch (const zandrevio::cli::UsageError&) {
            continue; // no header row, or none with a calculation column
        }
        const std::size_t header = Records(input);
        const std::string text = out.str();
        const std::size_t written =
            json ? static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) : Records(text) - 1;
        if (count.rows + 1 != header || written != count.rows) {
            std::abort();
        }
    }
    return 0;
}
