#include "cli/batch.h"

#include "cli/batch_sweep.h"
#include "cli/csv_records.h"
#include "cli/output.h"

#include "cli/fd_stream.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <thread>
#include <unistd.h>

namespace zandrevio::cli {

namespace {
constexpr std::size_t kMaxColumns = 1000;
constexpr const char* kCalculationColumn = "calculation";

// RFC 4180: a field with the delimiter, a quote or a line end is quoted,
// its quotes doubled.
void AppendField(std::string& line, const std::string& text, char delimiter)
{
    const bool quote = std::any_of(text.begin(), text.end(),
                                   [&](char c) { return c == delimiter || c == '"' || c == '\r' || c == '\n'; });
    if (!quote) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        line += c;
        if (c == '"') {
            line += '"';
        }
    }
    line += '"';
}

void AppendRow(std::string& line, const std::vector<std::string>& fields, const BatchFormat& format)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += format.delimiter;
        }
        AppendField(line, fields[i], format.delimiter);
    }
    line += format.crlf ? "\r\n" : "\n";
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return text;
}

// Whether any calculation takes an option of this name.
bool AnyOption(const std::string& name)
{
    for (const Command& command : Commands()) {
        for (const OptionInfo& option : command.options) {
            if (option.name == name) {
                return true;
            }
        }
    }
    return false;
}

// The layout of the output: the input columns, then each result column
// once (a result named as an input column gets "-result" added), then the
// warnings and the error.
struct Layout {
    std::vector<std::string> header;
    std::vector<std::string> options; // each column's option: its name in lower case, or "" where it passes through
    BatchFormat format;
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

// The command a row names, looked up once for a run of rows naming the same.
class CommandCache {
public:
    const Command* Find(const std::string& name)
    {
        if (name != m_name) {
            m_name = name;
            m_command = FindCommand(name);
        }
        return m_command;
    }

private:
    std::string m_name = "\n";
    const Command* m_command = nullptr;
};

// The header row: its columns, each one's option, and the calculation column.
void ReadHeader(Layout& layout, const CsvRecord& record)
{
    if (!record.error.empty()) {
        throw UsageError("the header row: " + record.error);
    }
    if (record.count > kMaxColumns || record.overlong) {
        throw UsageError("the header row has more than 1000 columns or an overlong name");
    }
    layout.header = record.fields;
    layout.calculation = layout.header.size();
    for (std::size_t i = 0; i < layout.header.size(); ++i) {
        const std::string name = Lower(layout.header[i]);
        for (std::size_t j = 0; j < i; ++j) {
            if (Lower(layout.header[j]) == name) {
                throw UsageError("the column '" + layout.header[i] + "' is named twice");
            }
        }
        if (name == kCalculationColumn) {
            layout.calculation = i;
        }
        layout.options.push_back(AnyOption(name) ? name : std::string());
    }
    if (layout.calculation == layout.header.size()) {
        throw UsageError(std::string("the header row has no '") + kCalculationColumn + "' column");
    }
    // A column no calculation reads passes through (a site, a cell id); it is said once, where a
    // misspelt option would otherwise be taken at its start value unseen.
    for (std::size_t i = 0; i < layout.header.size(); ++i) {
        if (i == layout.calculation || !layout.options[i].empty()) {
            continue;
        }
        const std::string why = "the column '" + layout.header[i] + "' is no option of any calculation";
        if (layout.format.strictColumns) {
            throw UsageError(why + " (--strict-columns)");
        }
        if (layout.format.notes != nullptr) {
            *layout.format.notes << "zandrevio-calc: " << why << ": passed through as it is\n";
        }
    }
}

// The first pass: the header and the calculations the rows name, in order.
Layout Plan(std::istream& in, std::ostream* spool, const BatchFormat& format)
{
    Layout layout;
    layout.format = format;
    std::vector<const Command*> seen;
    CommandCache plannedCommands;
    bool haveHeader = false;
    CsvReader reader(format.delimiter);
    reader.Keep(kMaxColumns + 1);
    reader.Read(
        in,
        [&](const CsvRecord& record) {
            if (!haveHeader) {
                haveHeader = true;
                ReadHeader(layout, record);
                reader.Keep(layout.calculation + 1);
                return;
            }
            if (record.fields.size() <= layout.calculation) {
                return;
            }
            const Command* command = plannedCommands.Find(record.fields[layout.calculation]);
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
    // A result named as an input column gets "-result" added, as often as
    // it takes to be unique.
    for (const std::string& name : layout.resultNames) {
        std::string column = name;
        while (std::any_of(layout.columns.begin(), layout.columns.end(),
                           [&](const std::string& taken) { return SameWithoutCase(taken, column); })) {
            column += "-result";
        }
        layout.columns.push_back(column);
    }
    layout.columns.emplace_back("warnings");
    layout.columns.emplace_back("error");
    return layout;
}

// One row's answer; a row the calculations cannot take gets its message.
Answer Run(const Layout& layout, const CsvRecord& record, const Settings& settings, CommandCache& commands)
{
    Answer answer;
    if (record.fields.size() > layout.calculation) {
        answer.calculation = record.fields[layout.calculation];
    }
    Request request;
    request.Reserve(layout.header.size());
    for (std::size_t i = 0; i < record.fields.size() && i < layout.header.size(); ++i) {
        // A column no calculation reads (a site, a cell id) passes through.
        if (i != layout.calculation && !layout.options[i].empty() && !record.fields[i].empty()) {
            request.Give(layout.options[i], record.fields[i]);
        }
    }
    if (settings.echoInputs) {
        answer.inputs = request.Options();
    }
    if (!record.error.empty()) {
        answer.error = record.error;
        return answer;
    }
    if (record.count > layout.header.size()) {
        answer.error = "the row has " + std::to_string(record.count) + " fields, the header " +
            std::to_string(layout.header.size());
        return answer;
    }
    if (record.overlong) {
        answer.error = "a field is longer than " + std::to_string(CsvReader::kMaxField) + " bytes";
        return answer;
    }
    const Command* command = commands.Find(answer.calculation);
    if (command == nullptr) {
        answer.error = answer.calculation.empty() ? "the row names no calculation"
                                                  : "unknown calculation '" + answer.calculation + "'";
        return answer;
    }
    if (!command->calculation->inBatch) {
        answer.error = command->name + " takes lists: run it on its own, not as a batch row";
        return answer;
    }
    try {
        return Execute(*command, std::move(request), settings);
    } catch (const UsageError& error) {
        answer.error = error.what();
    }
    return answer;
}

// Appends the row's output line: CSV, or one JSON object.
void AppendAnswer(std::string& line, const Layout& layout, const CsvRecord& record, const Answer& answer,
                  JsonWriter* json)
{
    if (json != nullptr) {
        JsonWriter::Columns passing;
        for (std::size_t i = 0; i < layout.header.size() && i < record.fields.size(); ++i) {
            if (i != layout.calculation && layout.options[i].empty()) {
                passing.emplace_back(layout.header[i], record.fields[i]);
            }
        }
        json->Append(line, answer, record.line, passing);
        return;
    }
    const char delimiter = layout.format.delimiter;
    for (std::size_t i = 0; i < layout.header.size(); ++i) {
        if (i > 0) {
            line += delimiter;
        }
        if (i < record.fields.size()) {
            AppendField(line, record.fields[i], delimiter);
        }
    }
    for (const std::string& name : layout.resultNames) {
        line += delimiter;
        if (name == "curve" && !answer.curve.empty()) {
            std::string curve;
            for (const auto& [distance, gain] : answer.curve) {
                curve += (curve.empty() ? "" : " ") + distance + ":" + gain;
            }
            AppendField(line, curve, delimiter);
            continue;
        }
        for (const ResultText& result : answer.results) {
            if (result.name == name) {
                AppendField(line, result.value, delimiter);
                break;
            }
        }
    }
    line += delimiter;
    std::string warnings;
    for (const std::string& warning : answer.warnings) {
        warnings += (warnings.empty() ? "" : "; ") + warning;
    }
    AppendField(line, warnings, delimiter);
    line += delimiter;
    AppendField(line, answer.error, delimiter);
    line += layout.format.crlf ? "\r\n" : "\n";
}

// Rows are run a chunk at a time, the chunk shared between two threads
// where the machine has two cores; the chunk is bounded in rows and bytes,
// so memory stays flat, and its lines are written in order.
class Chunks {
public:
    Chunks(const Layout& layout, const Settings& settings, bool json, std::ostream& out)
        : m_layout(layout)
        , m_settings(settings)
        , m_json(json)
        , m_out(out)
        , m_split(layout.format.threads == 0 ? std::thread::hardware_concurrency() > 1 : layout.format.threads > 1)
    {
        m_settings.echoInputs = json;
    }

    void Add(const CsvRecord& record)
    {
        // The slots keep their strings' buffers from chunk to chunk.
        if (m_size == m_records.size()) {
            m_records.emplace_back();
        }
        CsvRecord& slot = m_records[m_size++];
        slot.fields.assign(record.fields.begin(), record.fields.end());
        slot.count = record.count;
        slot.overlong = record.overlong;
        slot.line = record.line;
        slot.error = record.error;
        for (const std::string& field : record.fields) {
            m_bytes += field.size();
        }
        if (m_size >= kRows || m_bytes >= kBytes) {
            Flush();
        }
    }

    void Flush()
    {
        const std::size_t size = m_size;
        std::size_t failed = 0;
        if (m_split && size >= 64) {
            std::size_t firstFailed = 0;
            auto first = std::async(std::launch::async, [&] { firstFailed = RunRows(0, size / 2, m_lines[0]); });
            failed = RunRows(size / 2, size, m_lines[1]);
            first.get();
            Write(m_lines[0]);
            failed += firstFailed;
        } else {
            failed = RunRows(0, size, m_lines[1]);
        }
        Write(m_lines[1]);
        m_count.failed += failed;
        m_count.rows += size;
        m_size = 0;
        m_bytes = 0;
    }

    BatchCount Count() const { return m_count; }

private:
    static constexpr std::size_t kRows = 4096;
    static constexpr std::size_t kBytes = std::size_t{4} << 20;

    // Runs the rows into `lines`; how many failed.
    std::size_t RunRows(std::size_t begin, std::size_t end, std::string& lines)
    {
        CommandCache commands;
        std::optional<JsonWriter> json;
        if (m_json) {
            json.emplace();
        }
        std::size_t failed = 0;
        lines.clear();
        const SweepColumns columns{m_layout.options, m_layout.calculation, m_layout.header.size()};
        for (std::size_t i = begin; i < end;) {
            // Rows alike but for their numbers run as one sweep.
            SweepOutcome outcome;
            const CsvRecord& first = m_records[i];
            const Command* command = first.fields.size() > m_layout.calculation
                ? commands.Find(first.fields[m_layout.calculation])
                : nullptr;
            if (command != nullptr) {
                outcome =
                    SweepRows(*command, std::span(m_records).subspan(i, end - i), columns, m_settings,
                              [&](std::size_t row, const Answer& answer) {
                                  failed += answer.Failed() ? 1 : 0;
                                  AppendAnswer(lines, m_layout, m_records[i + row], answer, json ? &*json : nullptr);
                              });
            }
            i += outcome.swept;
            for (const std::size_t last = i + outcome.alone; i < last; ++i) {
                const Answer answer = Run(m_layout, m_records[i], m_settings, commands);
                failed += answer.Failed() ? 1 : 0;
                AppendAnswer(lines, m_layout, m_records[i], answer, json ? &*json : nullptr);
            }
        }
        return failed;
    }

    void Write(const std::string& lines)
    {
        m_out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
        if (!m_out) {
            throw OutputFailed("the output could not be written");
        }
    }

    const Layout& m_layout;
    Settings m_settings;
    bool m_json;
    std::ostream& m_out;
    bool m_split;
    std::vector<CsvRecord> m_records;
    std::size_t m_size = 0;
    std::size_t m_bytes = 0;
    std::array<std::string, 2> m_lines;
    BatchCount m_count;
};

// A temporary file in $TMPDIR (or /tmp) that is gone once closed: the spool
// of an input that cannot be read twice.
class Spool {
public:
    Spool()
    {
        const char* dir = std::getenv("TMPDIR");
        m_dir = dir != nullptr && *dir != '\0' ? dir : "/tmp";
        std::string path = m_dir + "/zandrevio-batch-XXXXXX";
        m_descriptor = mkstemp(path.data());
        if (m_descriptor < 0) {
            Fail(errno);
        }
        unlink(path.c_str());
        m_writer.emplace(dup(m_descriptor));
        m_stream.rdbuf(&*m_writer);
    }
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;
    ~Spool()
    {
        if (m_descriptor >= 0) {
            close(m_descriptor);
        }
    }

    std::ostream& Writer() { return m_stream; }
    // Checks every byte reached the file, then reads it from the start.
    std::istream& Reader()
    {
        if (!m_writer->Close()) {
            Fail(m_writer->Error());
        }
        if (lseek(m_descriptor, 0, SEEK_SET) != 0) {
            Fail(errno);
        }
        m_reader.emplace(m_descriptor);
        m_input.rdbuf(&*m_reader);
        return m_input;
    }
    // A write to the spool failed: why, and where.
    [[noreturn]] void Fail() { Fail(m_writer->Error()); }

private:
    [[noreturn]] void Fail(int error) const
    {
        throw SpoolError("cannot spool the standard input in " + m_dir + ": " + std::strerror(error));
    }

    std::string m_dir;
    int m_descriptor = -1;
    std::optional<FdOutput> m_writer;
    std::optional<FdInput> m_reader;
    std::ostream m_stream{nullptr};
    std::istream m_input{nullptr};
};
// JSON Lines need no columns: one pass, no spool.
BatchCount JsonLines(std::istream& in, std::ostream& out, const Settings& settings, const BatchFormat& format)
{
    Layout layout;
    layout.format = format;
    std::optional<Chunks> chunks;
    CsvReader reader(format.delimiter);
    reader.Keep(kMaxColumns + 1);
    reader.Read(in, [&](const CsvRecord& record) {
        if (!chunks) {
            ReadHeader(layout, record);
            reader.Keep(layout.header.size() + 1);
            chunks.emplace(layout, settings, true, out);
            return;
        }
        chunks->Add(record);
    });
    if (!chunks) {
        throw UsageError("the batch is empty: it needs a header row");
    }
    chunks->Flush();
    return chunks->Count();
}
} // namespace

BatchCount Batch(std::istream& in, std::ostream& out, const Settings& settings, bool json, const BatchFormat& format)
{
    // UTF-8 never starts with these bytes; UTF-16 starts with one of them.
    const auto lead = in.peek();
    if (lead == 0xFF || lead == 0xFE) {
        throw UsageError("the batch is UTF-16 text: save it as UTF-8 CSV");
    }
    if (json) {
        return JsonLines(in, out, settings, format);
    }
    const auto start = in.tellg();
    std::optional<Spool> spool;
    std::istream* source = &in;
    if (start == std::streampos(-1)) {
        spool.emplace();
    }
    Layout layout;
    try {
        layout = Plan(in, spool ? &spool->Writer() : nullptr, format);
    } catch (const CopyFailed&) {
        spool->Fail();
    }
    if (spool) {
        source = &spool->Reader();
    } else {
        in.clear();
        in.seekg(start);
    }

    if (!json) {
        std::string line;
        AppendRow(line, layout.columns, layout.format);
        out << line;
    }
    Chunks chunks(layout, settings, json, out);
    bool header = true;
    CsvReader reader(format.delimiter);
    reader.Keep(layout.header.size() + 1);
    reader.Read(*source, [&](const CsvRecord& record) {
        if (header) {
            header = false;
            return;
        }
        chunks.Add(record);
    });
    chunks.Flush();
    return chunks.Count();
}

int RunBatch(const BatchOptions& options, const Settings& settings, bool json, std::istream& in, std::ostream& out,
             std::ostream& err)
{
    std::ifstream file;
    std::istream* source = &in;
    if (options.file != "-") {
        std::error_code error;
        if (std::filesystem::is_directory(options.file, error)) {
            throw UsageError(options.file + " is a folder, not a CSV file");
        }
        file.open(options.file, std::ios::binary);
        if (!file) {
            throw UsageError("cannot read " + options.file + ": " + std::strerror(errno));
        }
        source = &file;
    }
    const BatchCount count = Batch(*source, out, settings, json, options.format);
    out.flush(); // the rows come before the summary
    if (count.failed > 0) {
        err << "zandrevio-calc: " << count.failed << " of " << count.rows << " rows failed\n";
        return 1;
    }
    return 0;
}

} // namespace zandrevio::cli
