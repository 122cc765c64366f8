#include "cli/output.h"

#include <rapidjson/encodings.h>
#include <rapidjson/stream.h>

#include <algorithm>
#include <array>
#include <memory>

namespace zandrevio::cli {

namespace {
void WriteLines(std::ostream& out, const std::vector<ResultText>& results)
{
    for (const ResultText& result : results) {
        out << result.name << ' ' << result.value;
        if (!result.unit.empty()) {
            out << ' ' << result.unit;
        }
        out << '\n';
    }
}

// The text, or where it is not UTF-8 (a byte of another encoding echoed
// from the input) a copy in `scratch` with each bad sequence replaced by
// U+FFFD, so that the line stays JSON.
std::string_view ValidUtf8(const std::string& text, std::string& scratch)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return text;
    }
    scratch.clear();
    std::size_t at = 0;
    bool replaced = false;
    while (at < text.size()) {
        // The decoder takes as many bytes as the lead byte promises: give it
        // a copy padded with zeros, never the bytes past the text's end.
        std::array<char, 8> window{};
        const std::size_t left = std::min<std::size_t>(4, text.size() - at);
        std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(at), left, window.begin());
        rapidjson::StringStream in(window.data());
        unsigned codepoint = 0;
        const bool valid = rapidjson::UTF8<>::Decode(in, &codepoint) && in.Tell() <= left;
        if (valid) {
            scratch.append(text, at, in.Tell());
            at += in.Tell();
        } else {
            scratch += "\xEF\xBF\xBD";
            replaced = true;
            ++at;
        }
    }
    return replaced ? std::string_view(scratch) : std::string_view(text);
}
} // namespace

void WritePlain(std::ostream& out, const Answer& answer)
{
    if (answer.matches.empty()) {
        WriteLines(out, answer.results);
    }
    for (const std::vector<ResultText>& match : answer.matches) {
        WriteLines(out, match);
    }
    for (const auto& [distance, gain] : answer.curve) {
        out << "curve " << distance << " km " << gain << " dB\n";
    }
    // A list: a header of its names with their units, then a line a row.
    if (!answer.rows.empty()) {
        std::string line;
        for (const ResultText& column : answer.rows.front()) {
            line += (line.empty() ? "" : "\t") + column.name + (column.unit.empty() ? "" : " (" + column.unit + ")");
        }
        out << line << '\n';
        for (const std::vector<ResultText>& row : answer.rows) {
            line.clear();
            for (std::size_t i = 0; i < row.size(); ++i) {
                line += (i > 0 ? "\t" : "") + row[i].value;
            }
            out << line << '\n';
        }
    }
}

void WriteRowsCsv(std::ostream& out, const Answer& answer)
{
    const auto field = [](const std::string& text) {
        if (text.find_first_of(",\"\r\n") == std::string::npos) {
            return text;
        }
        std::string quoted = "\"";
        for (const char c : text) {
            quoted += c == '"' ? "\"\"" : std::string(1, c);
        }
        return quoted + '"';
    };
    std::string line;
    if (!answer.rows.empty()) {
        for (const ResultText& column : answer.rows.front()) {
            line += (line.empty() ? "" : ",") + field(column.name);
        }
        out << line << '\n';
    }
    for (const std::vector<ResultText>& row : answer.rows) {
        line.clear();
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += (i > 0 ? "," : "") + field(row[i].value);
        }
        out << line << '\n';
    }
}

namespace {
// Appends a JSON string: quotes, backslashes and control characters escaped
// (RFC 8259 §7), every other byte as it is, the text already UTF-8.
void AppendString(std::string& line, std::string_view text)
{
    constexpr char kHex[] = "0123456789abcdef";
    line += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            line += "\\\"";
            break;
        case '\\':
            line += "\\\\";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        case '\t':
            line += "\\t";
            break;
        default:
            if (byte < 0x20) {
                line += "\\u00";
                line += kHex[byte >> 4];
                line += kHex[byte & 0xF];
            } else {
                line += c;
            }
        }
    }
    line += '"';
}
} // namespace

struct JsonWriter::Parts {
    std::string scratch;
};

JsonWriter::JsonWriter()
    : m_parts(std::make_unique<Parts>())
{
}

JsonWriter::~JsonWriter() = default;

void JsonWriter::Append(std::string& line, const Answer& answer, std::size_t inputLine, const Columns& columns)
{
    std::string& scratch = m_parts->scratch;
    const auto text = [&](const std::string& value) { AppendString(line, ValidUtf8(value, scratch)); };
    const auto results = [&](const std::vector<ResultText>& all) {
        line += '{';
        for (std::size_t i = 0; i < all.size(); ++i) {
            line += i > 0 ? "," : "";
            text(all[i].name);
            line += ":{\"value\":";
            text(all[i].value);
            line += ",\"unit\":";
            text(all[i].unit);
            line += '}';
        }
        line += '}';
    };
    line += '{';
    if (inputLine > 0) {
        line += "\"line\":" + std::to_string(inputLine) + ',';
    }
    line += "\"calculation\":";
    text(answer.calculation);
    if (!columns.empty()) {
        line += ",\"columns\":{";
        for (std::size_t i = 0; i < columns.size(); ++i) {
            line += i > 0 ? "," : "";
            text(std::string(columns[i].first));
            line += ':';
            text(std::string(columns[i].second));
        }
        line += '}';
    }
    line += ",\"inputs\":{";
    for (std::size_t i = 0; i < answer.inputs.size(); ++i) {
        line += i > 0 ? "," : "";
        text(answer.inputs[i].first);
        line += ':';
        text(answer.inputs[i].second);
    }
    line += "},\"results\":";
    results(answer.results);
    line += ",\"warnings\":[";
    for (std::size_t i = 0; i < answer.warnings.size(); ++i) {
        line += i > 0 ? "," : "";
        text(answer.warnings[i]);
    }
    line += "],\"error\":";
    if (answer.Failed()) {
        text(answer.error);
    } else {
        line += "null";
    }
    if (!answer.matches.empty()) {
        line += ",\"matches\":[";
        for (std::size_t i = 0; i < answer.matches.size(); ++i) {
            line += i > 0 ? "," : "";
            results(answer.matches[i]);
        }
        line += ']';
    }
    if (!answer.rows.empty()) {
        line += ",\"rows\":[";
        for (std::size_t i = 0; i < answer.rows.size(); ++i) {
            line += i > 0 ? "," : "";
            results(answer.rows[i]);
        }
        line += ']';
    }
    if (!answer.curve.empty()) {
        line += ",\"curve\":[";
        for (std::size_t i = 0; i < answer.curve.size(); ++i) {
            line += i > 0 ? ",{\"distance\":" : "{\"distance\":";
            text(answer.curve[i].first);
            line += ",\"gain\":";
            text(answer.curve[i].second);
            line += '}';
        }
        line += ']';
    }
    line += "}\n";
}

void AppendJson(std::string& line, const Answer& answer)
{
    JsonWriter().Append(line, answer);
}

} // namespace zandrevio::cli
