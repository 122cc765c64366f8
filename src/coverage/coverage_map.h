#pragma once

#include "coverage/coverage_lattice.h"
#include "coverage/map_raster.h"

#include <filesystem>
#include <string>

// A lattice as a map and as a table.
namespace zandrevio {

// The map of a lattice in the site's azimuthal equidistant projection (on
// the sphere of the lattice's geometry, 6371 km): a pixel's distance from
// the centre is its great-circle distance from the site and its direction
// the bearing, so each pixel takes the value of the lattice point nearest
// in bearing (the nearest radial) and in distance (the nearest step, the
// first for the pixel of the site). Square pixels of the lattice's step, the
// site at the centre of the middle pixel; no-data beyond the radius and
// where the point has no data. Bands: "loss" (dB), "level" (dBm, where a
// power is given), "code" (CoveragePoint's code).
MapRaster MapOf(const CoverageLattice& lattice, long double radiusKm);

// The lattice as CSV: radial, step, bearing, distance (km), latitude,
// longitude, loss, level (where a power is given), code and warning, every
// number with the digits that read back to the same value. Written under a
// temporary name, renamed by `files`; empty on success, else why not.
std::string WriteLatticeCsv(WholeFiles& files, const CoverageLattice& lattice, const std::filesystem::path& file);

} // namespace zandrevio
