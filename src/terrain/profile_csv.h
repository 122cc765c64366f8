#pragma once

#include "terrain/profile.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// Terrain profiles as CSV text (RFC 4180, read strictly): either a header row
// naming a `distance` column (km) and a `height` column (m), in any case and
// among other columns (latitude, longitude...), or two unnamed numeric
// columns, distance then height. Numbers are written with a full stop.
namespace zandrevio {

// A row longer than this is refused rather than held: a profile's rows are a
// few dozen bytes.
inline constexpr std::size_t kMaxProfileRow = 64 * 1024;

// Reads a profile record by record. Refused, with the line at fault: no rows,
// a stream that fails, text that is not CSV, a header without the two
// columns, a cell that is not a number or not finite, a row too short, a
// first distance other than 0, distances not strictly increasing, fewer
// than 3 points.
TerrainOutcome<TerrainProfile> ReadProfileCsv(std::istream& in);
TerrainOutcome<TerrainProfile> ReadProfileCsvText(std::string_view text);
TerrainOutcome<TerrainProfile> ReadProfileCsvFile(const std::filesystem::path& path);

// Writes `distance,height` and one row a point, LF line ends, each number in
// the shortest text that reads back to the same value. Returns "" or why the
// writing failed.
std::string WriteProfileCsv(std::ostream& out, const TerrainProfile& profile);
std::string WriteProfileCsvFile(const std::filesystem::path& path, const TerrainProfile& profile);

} // namespace zandrevio
