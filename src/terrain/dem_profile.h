#pragma once

#include "terrain/great_circle.h"
#include "terrain/profile.h"

#include <filesystem>
#include <optional>
#include <vector>

// A terrain profile cut from elevation rasters along the great circle
// between two places.
namespace zandrevio {

struct DemPathRequest {
    std::vector<std::filesystem::path> rasters; // one file, or tiles side by side
    GeoPoint from;                              // the transmitter
    GeoPoint to;                                // the receiver
    // The spacing of the points (m); none: the raster's pixel size at the
    // path's middle latitude.
    std::optional<long double> stepM;
};

struct DemPath {
    TerrainProfile profile;        // heights (m) at distances (km) from `from`
    long double distanceKm;        // the great-circle distance
    long double bearingDeg;        // from `from` towards `to`, degrees from true north
    long double reverseBearingDeg; // from `to` towards `from`
};

// The largest number of points a cut profile may have.
inline constexpr std::size_t kMaxDemProfilePoints = 1'000'000;

// Samples the rasters at evenly spaced points (at most `stepM` apart, at
// least 3 points) from `from` to `to`, each height bilinear between the four
// pixel centres around it. Refused, naming the place: a latitude outside
// ±90° or a longitude outside ±180°, two ends at the same place or at
// antipodes, a step not greater than 0 or so small the profile would pass
// kMaxDemProfilePoints, a raster GDAL cannot open, a point outside the data,
// a point whose interpolation touches a no-data cell.
TerrainOutcome<DemPath> CutDemProfile(const DemPathRequest& request);

} // namespace zandrevio
