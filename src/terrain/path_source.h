#pragma once

#include "calculation/calculation.h"
#include "terrain/dem_profile.h"
#include "terrain/profile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a path's terrain comes from, as a user names it: a profile's CSV
// file, or elevation rasters with the two ends' coordinates. The window and
// the command line load it through here alike.
namespace zandrevio {

enum class PathSourceField { Profile, Dem, From, To, Step };

struct PathSource {
    std::filesystem::path csv;                  // a profile as CSV; empty where rasters are given
    std::vector<std::filesystem::path> rasters; // elevation rasters, one or tiles side by side
    std::string from;                           // "LAT,LON" of the transmitter, degrees
    std::string to;                             // "LAT,LON" of the receiver
    std::string step;                           // the spacing (m) as typed; empty: the rasters' own
};

struct LoadedProfile {
    TerrainProfile profile;
    // What a profile cut from rasters adds: the great-circle distance (km)
    // and the bearing from each end (degrees from true north).
    std::optional<DemPath> dem; // its profile left empty: `profile` holds it
};

// "LAT,LON" (or separated by a semicolon or spaces), decimal degrees with a
// full stop: north and east positive. Nothing where the text is not two
// numbers.
std::optional<GeoPoint> ParseCoordinates(std::string_view text);
// A terrain message as a sentence's start: its first letter a capital.
std::string Capitalised(std::string text);
// "FILE[,FILE...]": the files of a list, empty names left out.
std::vector<std::filesystem::path> SplitFileList(std::string_view text);

// The profile the source names, or the refusal naming the field at fault:
// neither or both of a CSV file and rasters, coordinates that are not two
// numbers, a step that is not a number; and whatever reading the CSV or
// cutting the rasters refuses.
Outcome<LoadedProfile, PathSourceField> LoadPathProfile(const PathSource& source);

} // namespace zandrevio
