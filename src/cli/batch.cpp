#include "cli/batch.h"

#include "cli/csv_records.h"
#include "cli/output.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace zandrevio::cli {

namespace {
constexpr std::size_t kMaxColumns = 1000;
constexpr const char* kCalculationColumn = "calculation";

void WriteField(std::ostream& out, const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out << text;
        return;
    }
    out << '"';
    for (char c : text) {
        out << c;
        if (c == '"') {
            out << '"';
        }
    }
    out << '"';
}

void WriteRow(std::ostream& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            out << ',';
        }
        WriteField(out, fields[i]);
    }
    out << "\r\n";
}

// The layout of the output: the input columns, then each result column
// once (a result named as an input column gets "-result" added), then the
// warnings and the error.
struct Layout {
    std::vector<std::string> header;
    std::size_t calculation = 0;
    std::vector<std::string> columns; // the output header
    std::vector<std::string> resultNames;

    std::size_t ResultColumn(const std::string& name) const
    {
        for (std::size_t i = 0; i < resultNames.size(); ++i) {
            if (resultNames[i] == name) {
                return header.size() + i;
            }
        }
        return columns.size();
    }
};

// The first pass: the header and the calculations the rows name, in order.
Layout Plan(std::istream& in, std::ostream* spool)
{
    Layout layout;
    std::vector<const Command*> seen;
    bool haveHeader = false;
    CsvReader reader;
    reader.Keep(kMaxColumns + 1);
    reader.Read(
        in,
        [&](const CsvRecord& record) {
            if (!haveHeader) {
                haveHeader = true;
                if (record.count > kMaxColumns || record.overlong) {
                    throw UsageError("the header row has more than 1000 columns or an overlong name");
                }
                layout.header = record.fields;
                std::size_t i = 0;
                while (i < layout.header.size() && layout.header[i] != kCalculationColumn) {
                    ++i;
                }
                if (i == layout.header.size()) {
                    throw UsageError("the header row has no calculation column");
                }
                layout.calculation = i;
                reader.Keep(i + 1);
                return;
            }
            if (record.fields.size() <= layout.calculation) {
                return;
            }
            const Command* command = FindCommand(record.fields[layout.calculation]);
            if (command != nullptr && std::find(seen.begin(), seen.end(), command) == seen.end()) {
                seen.push_back(command);
            }
        },
        spool);
    if (!haveHeader) {
        throw UsageError("the batch is empty: it needs a header row");
    }
    layout.columns = layout.header;
    for (const Command* command : seen) {
        for (const std::string& name : command->results) {
            if (std::find(layout.resultNames.begin(), layout.resultNames.end(), name) == layout.resultNames.end()) {
                layout.resultNames.push_back(name);
            }
        }
    }
    for (const std::string& name : layout.resultNames) {
        const bool taken = std::find(layout.header.begin(), layout.header.end(), name) != layout.header.end();
        layout.columns.push_back(taken ? name + "-result" : name);
    }
    layout.columns.emplace_back("warnings");
    layout.columns.emplace_back("error");
    return layout;
}

// One row's answer; a row the calculations cannot take gets its message.
Answer Run(const Layout& layout, const CsvRecord& record, const Settings& settings)
{
    Answer answer;
    if (record.fields.size() > layout.calculation) {
        answer.calculation = record.fields[layout.calculation];
    }
    Request request;
    for (std::size_t i = 0; i < record.fields.size() && i < layout.header.size(); ++i) {
        if (i != layout.calculation && !record.fields[i].empty()) {
            request.Give(layout.header[i], record.fields[i]);
        }
    }
    answer.inputs = request.Options();
    if (record.count > layout.header.size()) {
        answer.error = "the row has " + std::to_string(record.count) + " fields, the header " +
            std::to_string(layout.header.size());
        return answer;
    }
    if (record.overlong) {
        answer.error = "a field is longer than " + std::to_string(CsvReader::kMaxField) + " bytes";
        return answer;
    }
    const Command* command = FindCommand(answer.calculation);
    if (command == nullptr) {
        answer.error = answer.calculation.empty() ? "the row names no calculation"
                                                  : "unknown calculation '" + answer.calculation + "'";
        return answer;
    }
    try {
        return Execute(*command, request, settings);
    } catch (const UsageError& error) {
        answer.error = error.what();
    }
    return answer;
}

void WriteCsv(std::ostream& out, const Layout& layout, const CsvRecord& record, const Answer& answer)
{
    std::vector<std::string> row(layout.columns.size());
    for (std::size_t i = 0; i < record.fields.size() && i < layout.header.size(); ++i) {
        row[i] = record.fields[i];
    }
    for (const ResultText& result : answer.results) {
        const std::size_t column = layout.ResultColumn(result.name);
        if (column < layout.columns.size()) {
            row[column] = result.value;
        }
    }
    if (!answer.curve.empty()) {
        std::string curve;
        for (const auto& [distance, gain] : answer.curve) {
            curve += (curve.empty() ? "" : " ") + distance + ":" + gain;
        }
        row[layout.ResultColumn("curve")] = curve;
    }
    std::string warnings;
    for (const std::string& warning : answer.warnings) {
        warnings += (warnings.empty() ? "" : "; ") + warning;
    }
    row[row.size() - 2] = warnings;
    row[row.size() - 1] = answer.error;
    WriteRow(out, row);
}

// A temporary file that is gone once closed: the spool of an input that
// cannot be read twice.
std::fstream TemporaryFile()
{
    char path[] = "/tmp/zandrevio-batch-XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0) {
        throw UsageError("no temporary file for the standard input");
    }
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary | std::ios::trunc);
    close(descriptor);
    std::remove(path);
    return file;
}
} // namespace

BatchCount Batch(std::istream& in, std::ostream& out, const Settings& settings, bool json)
{
    const auto start = in.tellg();
    std::fstream spool;
    std::istream* source = &in;
    if (start == std::streampos(-1)) {
        spool = TemporaryFile();
        source = &spool;
    }
    const Layout layout = Plan(in, source == &spool ? &spool : nullptr);
    if (source == &spool) {
        spool.flush();
        spool.seekg(0);
    } else {
        in.clear();
        in.seekg(start);
    }

    if (!json) {
        WriteRow(out, layout.columns);
    }
    BatchCount count;
    bool header = true;
    CsvReader reader;
    reader.Keep(layout.header.size() + 1);
    reader.Read(*source, [&](const CsvRecord& record) {
        if (header) {
            header = false;
            return;
        }
        const Answer answer = Run(layout, record, settings);
        ++count.rows;
        count.failed += answer.Failed() ? 1 : 0;
        if (json) {
            out << ToJson(answer).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
        } else {
            WriteCsv(out, layout, record, answer);
        }
    });
    return count;
}

int RunBatch(const BatchOptions& options, const Settings& settings, bool json, std::istream& in, std::ostream& out,
             std::ostream& err)
{
    std::ifstream file;
    std::istream* source = &in;
    if (options.file != "-") {
        file.open(options.file, std::ios::binary);
        if (!file) {
            throw UsageError("cannot read " + options.file);
        }
        source = &file;
    }
    const BatchCount count = Batch(*source, out, settings, json);
    if (count.failed > 0) {
        err << "zandrevio-calc: " << count.failed << " of " << count.rows << " rows failed\n";
        return 1;
    }
    return 0;
}

} // namespace zandrevio::cli
