// Any bytes as a batch, through the whole path (CSV in, rows out): no crash,
// no hang, and every data row read comes out as exactly one row, in order,
// its input columns as they were read, in CSV and in JSON Lines. The reader
// itself, with a bound of 64 bytes a record so that records pass it often,
// gives the records an independent reading of the same rules gives, in the
// same order, each whole or failed alike.
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

constexpr std::size_t kSmallBound = 64;
constexpr std::size_t kKeep = 1002;

// A record as the rules read it, written here without libcsv: its fields
// (each cut at the reader's bound), how many, and whether it failed.
struct Expected {
    std::vector<std::string> fields;
    std::size_t count = 0;
    bool failed = false;
};

// RFC 4180 as the reader takes it: records end at a CR or an LF outside
// quotes (CR LF is one end), terminators between records are no record, a
// quote opens a field only at its start and a doubled quote inside one is a
// quote. A quote anywhere else fails the record and reading goes on after
// the next LF; a quoted field open at the end fails its record. A record
// whose bytes before its end pass the bound (counted piece by piece, a
// piece ending at each CR or LF) fails whole, and reading goes on after its
// end by the same rules, a quote out of place being then no matter.
std::vector<Expected> ReadByTheRules(std::string_view text, std::size_t bound)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    enum class State { Between, FieldStart, Unquoted, Quoted, QuoteSeen };
    std::vector<Expected> records;
    Expected record;
    std::string field;
    State state = State::Between;
    std::size_t pending = 0; // the record's bytes before the piece read now
    bool overBound = false;  // passing over a record past its bound
    const auto endField = [&] {
        if (record.fields.size() < kKeep) {
            record.fields.push_back(field.substr(0, zandrevio::cli::CsvReader::kMaxField));
        }
        ++record.count;
        field.clear();
    };
    const auto endRecord = [&](bool failed) {
        record.failed = failed || overBound;
        records.push_back(record);
        record = Expected{};
        field.clear();
        state = State::Between;
        overBound = false;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        // The piece from i: to the next CR or LF, with an LF right after a CR.
        std::size_t end = text.find_first_of("\r\n", i);
        end = end == std::string_view::npos ? text.size() : end + 1;
        if (end < text.size() && text[end - 1] == '\r' && text[end] == '\n') {
            ++end;
        }
        const std::string_view piece = text.substr(i, end - i);
        const std::size_t ending = piece.back() == '\n' ? (piece.size() > 1 && piece[piece.size() - 2] == '\r' ? 2 : 1)
            : piece.back() == '\r'                      ? 1
                                                        : 0;
        if (state == State::Between) {
            pending = 0;
        }
        if (!overBound && pending + piece.size() - ending > bound) {
            overBound = true;
        }
        pending += piece.size();
        bool skipToLf = false;
        for (std::size_t k = 0; k < piece.size() && !skipToLf; ++k) {
            const char c = piece[k];
            const bool terminator = c == '\r' || c == '\n';
            switch (state) {
            case State::Between:
                if (terminator) {
                    continue;
                }
                state = State::FieldStart;
                [[fallthrough]];
            case State::FieldStart:
                if (c == '"') {
                    state = State::Quoted;
                } else if (c == ',') {
                    endField();
                } else if (terminator) {
                    endField();
                    endRecord(false);
                    k = piece.size(); // the rest of the piece is its LF
                } else {
                    field += c;
                    state = State::Unquoted;
                }
                break;
            case State::Unquoted:
                if (c == ',') {
                    endField();
                    state = State::FieldStart;
                } else if (terminator) {
                    endField();
                    endRecord(false);
                    k = piece.size();
                } else if (c == '"' && !overBound) {
                    endRecord(true);
                    skipToLf = true;
                } else {
                    field += c;
                }
                break;
            case State::Quoted:
                if (c == '"') {
                    state = State::QuoteSeen;
                } else {
                    field += c;
                }
                break;
            case State::QuoteSeen:
                if (c == '"') {
                    field += c;
                    state = State::Quoted;
                } else if (c == ',') {
                    endField();
                    state = State::FieldStart;
                } else if (terminator) {
                    endField();
                    endRecord(false);
                    k = piece.size();
                } else if (!overBound) {
                    endRecord(true);
                    skipToLf = true;
                } else {
                    state = State::Unquoted; // passed over
                }
                break;
            }
        }
        i = end;
        if (skipToLf) {
            if (piece.back() != '\n') {
                const std::size_t lf = text.find('\n', i);
                i = lf == std::string_view::npos ? text.size() : lf + 1;
            }
        }
    }
    if (state != State::Between) {
        const bool open = state == State::Quoted;
        if (!open) {
            endField();
        }
        endRecord(open);
    }
    return records;
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
    // One block of the reader's (64 KiB): a piece cut at a block's end is checked at that cut.
    if (size < 65536) {
        std::istringstream in(input);
        std::vector<zandrevio::cli::CsvRecord> small;
        zandrevio::cli::CsvReader reader;
        reader.Keep(kKeep);
        reader.MaxRecord(kSmallBound);
        reader.Read(in, [&](const zandrevio::cli::CsvRecord& record) { small.push_back(record); });
        const std::vector<Expected> expected = ReadByTheRules(input, kSmallBound);
        Check(small.size() == expected.size());
        for (std::size_t i = 0; i < small.size(); ++i) {
            Check(small[i].error.empty() == !expected[i].failed);
            if (!expected[i].failed) {
                Check(small[i].fields == expected[i].fields && small[i].count == expected[i].count);
            }
        }
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
