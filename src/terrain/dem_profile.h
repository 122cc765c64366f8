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

class DemRaster;

// The largest number of points a cut profile may have.
inline constexpr std::size_t kMaxDemProfilePoints = 1'000'000;

// A cut's length and step are taken to the nanometre, its bearing to the
// nanodegree: far below anything terrain can tell apart, and far above the
// rounding of a place's coordinates. So a cut to a place recomputed from
// the place's printed coordinates is the very cut a map's radial makes
// through it (coverage's lattice relies on it), to the last bit.
long double OnNanometres(long double metres);
long double OnNanodegrees(long double degrees);

// The distances (m) of a cut's points from its start, for a path `lengthM`
// long (on nanometres) and a step of at most `stepM` (on nanometres): n
// equal intervals, n the least that keeps them within the step (at least 2;
// a remainder under a billionth of a step makes none), the i-th point at
// i n-ths of the length on nanometres, the last at `lengthM`.
std::vector<long double> DemCutDistancesM(long double lengthM, long double stepM);

// Samples the rasters at the points of DemCutDistancesM along the great
// circle from `from` to `to` (leaving `from` at its bearing), each height
// bilinear between the four pixel centres around it. The step is `stepM`,
// or the pixel's size at the path's middle. Refused, naming the place: a latitude outside
// ±90° or a longitude outside ±180°, two ends at the same place or at
// antipodes, a step not greater than 0 or so small the profile would pass
// kMaxDemProfilePoints, a raster GDAL cannot open, a point outside the data,
// a point whose interpolation touches a no-data cell.
TerrainOutcome<DemPath> CutDemProfile(const DemPathRequest& request);
// The same over rasters already open (the request's files are not read).
TerrainOutcome<DemPath> CutDemProfile(DemRaster& raster, const DemPathRequest& request);

} // namespace zandrevio
