#pragma once

#include "cli/answer.h"

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zandrevio::cli {

// The answer as `name value unit` lines (the curve as `curve D km G dB`).
void WritePlain(std::ostream& out, const Answer& answer);
// A calculation's list alone, as CSV: a header of its names, a line a row.
void WriteRowsCsv(std::ostream& out, const Answer& answer);
// Appends the answer as one JSON object and a line end: calculation,
// inputs, results (each its text and unit), warnings, error (null on
// success) and, for a plot, curve. Text that is not UTF-8 has U+FFFD in
// place of each bad sequence.
void AppendJson(std::string& line, const Answer& answer);

// The same, for many answers: the writer keeps its buffers between them.
class JsonWriter {
public:
    JsonWriter();
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;
    // A batch row's object: with the line of the input it was read from
    // (where not 0) and its columns that pass through, by their header's names.
    using Columns = std::vector<std::pair<std::string_view, std::string_view>>;
    void Append(std::string& line, const Answer& answer, std::size_t inputLine = 0, const Columns& columns = {});

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace zandrevio::cli
