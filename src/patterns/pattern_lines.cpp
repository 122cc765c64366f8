#include "patterns/pattern_lines.h"

#include "numeric/parse_real.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace zandrevio {

namespace pattern_lines {

std::vector<Line> LinesOf(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t number = 1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') {
            ++end;
        }
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        lines.push_back({number++, line});
        // CR LF is one line end; a lone CR or LF another.
        start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::vector<std::string_view> WordsOf(std::string_view line, char separator)
{
    std::vector<std::string_view> words;
    std::size_t i = 0;
    const auto isGap = [separator](char c) { return c == ' ' || c == '\t' || (separator != '\0' && c == separator); };
    while (i < line.size()) {
        if (isGap(line[i])) {
            // Between separators an empty field is a word of its own.
            if (separator != '\0' && line[i] == separator && (i == 0 || line[i - 1] == separator)) {
                words.emplace_back();
            }
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && !isGap(line[i])) {
            ++i;
        }
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool SameWord(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

void Fail(std::size_t line, std::string field, std::string message)
{
    throw Faulted{PatternFault{line, std::move(field), std::move(message)}};
}

long double NumberAt(std::size_t line, std::string_view field, std::string_view text, long double least,
                     long double most)
{
    long double value = 0;
    try {
        value = ParseReal(text, '.');
    } catch (...) {
        Fail(line, std::string(field), Quoted(text) + " is not a number");
    }
    if (!std::isfinite(value) || value < least || value > most) {
        char range[96];
        std::snprintf(range, sizeof range, "%Lg to %Lg", least, most);
        Fail(line, std::string(field), Quoted(text) + " is out of range, " + range);
    }
    return value;
}

PatternCut CutOf(std::vector<PatternCut::Point> points, const std::vector<std::size_t>& lines, std::string_view name)
{
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (!(points[i].angleDeg > points[i - 1].angleDeg)) {
            Fail(lines[i], std::string(name),
                 "the angles must rise from line to line: " + std::to_string(static_cast<double>(points[i].angleDeg)) +
                     " follows " + std::to_string(static_cast<double>(points[i - 1].angleDeg)));
        }
    }
    return PatternCut(std::move(points));
}

} // namespace pattern_lines

std::string PatternFault::Text() const
{
    std::string text = line == 0 ? std::string() : "line " + std::to_string(line);
    if (!field.empty()) {
        text += (text.empty() ? "" : " ") + ("(" + field + ")");
    }
    return text + (text.empty() ? "" : ": ") + message;
}

PatternCut::PatternCut(std::vector<Point> points)
    : m_points(std::move(points))
{
}

long double PatternCut::At(long double angleDeg) const
{
    long double angle = std::fmod(angleDeg, 360.0L);
    angle = angle < 0.0L ? angle + 360.0L : angle;
    angle = angle >= 360.0L ? 0.0L : angle;
    // The first point at or past the angle; the cut wraps at 360.
    const auto after = std::lower_bound(m_points.begin(), m_points.end(), angle,
                                        [](const Point& point, long double at) { return point.angleDeg < at; });
    if (after != m_points.end() && after->angleDeg == angle) {
        return after->attenuationDb;
    }
    const Point& next = after == m_points.end() ? m_points.front() : *after;
    const Point& last = after == m_points.begin() ? m_points.back() : *std::prev(after);
    long double span = next.angleDeg - last.angleDeg;
    long double along = angle - last.angleDeg;
    span = span <= 0.0L ? span + 360.0L : span;
    along = along < 0.0L ? along + 360.0L : along;
    if (span == 0.0L) {
        return last.attenuationDb; // a cut of one point
    }
    return last.attenuationDb + (next.attenuationDb - last.attenuationDb) * (along / span);
}

long double PatternCut::Deepest() const
{
    long double deepest = 0.0L;
    for (const Point& point : m_points) {
        deepest = std::max(deepest, point.attenuationDb);
    }
    return deepest;
}

PatternRead ReadPattern(std::string_view text)
{
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    // NSMA's files begin with their REVNUM field; anything else is read as MSI.
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return PatternFault{0, {}, "the file is empty"};
    }
    const std::string_view start = text.substr(first, 8);
    return start.size() == 8 && pattern_lines::SameWord(start, "REVNUM:,") ? ReadNsmaPattern(text)
                                                                          : ReadMsiPattern(text);
}

PatternRead LoadPattern(const std::filesystem::path& file)
{
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        return PatternFault{0, {}, file.string() + " is a folder, not a pattern file"};
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return PatternFault{0, {}, "cannot open " + file.string()};
    }
    // A pattern is a few tens of kilobytes: a file beyond 16 MiB is not one.
    constexpr std::size_t kMostBytes = std::size_t{16} << 20;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > kMostBytes) {
        return PatternFault{0, {}, file.string() + " is larger than 16 MiB, too large for a pattern file"};
    }
    // Read to its end (a file that grows, or a pipe, is still bounded).
    std::string text;
    std::array<char, 65536> block{};
    while (in && text.size() <= kMostBytes) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        text.append(block.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        return PatternFault{0, {}, "cannot read " + file.string()};
    }
    if (text.size() > kMostBytes) {
        return PatternFault{0, {}, file.string() + " is larger than 16 MiB, too large for a pattern file"};
    }
    PatternRead read = ReadPattern(text);
    // A file without a model's name is named by its own.
    if (auto* pattern = std::get_if<AntennaPattern>(&read); pattern != nullptr && pattern->name.empty()) {
        pattern->name = file.stem().string();
    }
    return read;
}

} // namespace zandrevio
