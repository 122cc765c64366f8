#include "cli/output.h"

#include <rapidjson/encodings.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

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
}

struct JsonWriter::Parts {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> writer{buffer};
    std::string scratch;
};

JsonWriter::JsonWriter()
    : m_parts(std::make_unique<Parts>())
{
}

JsonWriter::~JsonWriter() = default;

void JsonWriter::Append(std::string& line, const Answer& answer)
{
    rapidjson::StringBuffer& buffer = m_parts->buffer;
    buffer.Clear();
    rapidjson::Writer<rapidjson::StringBuffer>& json = m_parts->writer;
    json.Reset(buffer);
    std::string& scratch = m_parts->scratch;
    const auto text = [&](const std::string& value) {
        const std::string_view valid = ValidUtf8(value, scratch);
        json.String(valid.data(), static_cast<rapidjson::SizeType>(valid.size()));
    };
    const auto results = [&](const std::vector<ResultText>& all) {
        json.StartObject();
        for (const ResultText& result : all) {
            text(result.name);
            json.StartObject();
            json.Key("value");
            text(result.value);
            json.Key("unit");
            text(result.unit);
            json.EndObject();
        }
        json.EndObject();
    };
    json.StartObject();
    json.Key("calculation");
    text(answer.calculation);
    json.Key("inputs");
    json.StartObject();
    for (const auto& [name, value] : answer.inputs) {
        text(name);
        text(value);
    }
    json.EndObject();
    json.Key("results");
    results(answer.results);
    json.Key("warnings");
    json.StartArray();
    for (const std::string& warning : answer.warnings) {
        text(warning);
    }
    json.EndArray();
    json.Key("error");
    if (answer.Failed()) {
        text(answer.error);
    } else {
        json.Null();
    }
    if (!answer.matches.empty()) {
        json.Key("matches");
        json.StartArray();
        for (const std::vector<ResultText>& match : answer.matches) {
            results(match);
        }
        json.EndArray();
    }
    if (!answer.curve.empty()) {
        json.Key("curve");
        json.StartArray();
        for (const auto& [distance, gain] : answer.curve) {
            json.StartObject();
            json.Key("distance");
            text(distance);
            json.Key("gain");
            text(gain);
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
    line.append(buffer.GetString(), buffer.GetSize());
    line += '\n';
}

void AppendJson(std::string& line, const Answer& answer)
{
    JsonWriter().Append(line, answer);
}

} // namespace zandrevio::cli
