#pragma once

#include "patterns/antenna_pattern.h"

#include <string>
#include <string_view>
#include <vector>

// What both pattern readers share: the file's lines and their words, and the
// checked reading of a number.
namespace zandrevio::pattern_lines {

// A line without its end (LF, CR LF or a lone CR) and without the spaces
// around it.
struct Line {
    std::size_t number; // 1 the first
    std::string_view text;
};
std::vector<Line> LinesOf(std::string_view text);

// The words of a line, split at spaces and tabs (and at `separator`, where
// one is given).
std::vector<std::string_view> WordsOf(std::string_view line, char separator = '\0');

bool SameWord(std::string_view a, std::string_view b); // ignoring case

// A file's text as a message quotes it: control bytes as \xHH.
std::string Quoted(std::string_view text);

// A fault thrown inside a reader, caught at its end.
struct Faulted {
    PatternFault fault;
};
[[noreturn]] void Fail(std::size_t line, std::string field, std::string message);

// A finite number in [least, most], with '.' as its decimal separator.
long double NumberAt(std::size_t line, std::string_view field, std::string_view text, long double least,
                     long double most);

// The main beam's gain in dBi from a value in dBd or dBi (ANSI/IEEE Std
// 145-2013: a half-wave dipole's gain is 2.15 dBi).
inline constexpr long double kDipoleGainDbi = 2.15L;

// The checks every pattern meets once read: a gain within -20 to 60 dBi and
// each cut's points in ascending, distinct angles; `lines` the cut's first
// line, for the message.
PatternCut CutOf(std::vector<PatternCut::Point> points, const std::vector<std::size_t>& lines, std::string_view name);

} // namespace zandrevio::pattern_lines
