#pragma once

#include "coverage/coverage_lattice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Many sites over one grid: which site serves each point, by how much it
// wins, the interference of the sites on its frequency, and how many sites
// reach a level there.
//
// The grid is one for the whole earth, in WGS84 degrees: square pixels of
// `pixelDeg` (the resolution's arc of a great circle on the lattice's
// sphere), the first column's west edge at -180 and the first row's north
// edge at 90. A map or a tile takes the pixels whose centres lie within its
// bounds (west and south edges in, east and north out), so that tiles side
// by side share no pixel and miss none, and a pixel's value is the same in
// any tile, in any order, for any thread count.
//
// A pixel takes from each site the value of its lattice point nearest in
// bearing and in distance from the site to the pixel's centre (the nearest
// radial and the nearest step, at least the first), as the single-site map
// does, where the centre lies within the site's radius.
namespace zandrevio {

struct GridWindow {
    long double pixelDeg = 0;
    std::int64_t firstColumn = 0; // global, from -180 eastward
    std::int64_t firstRow = 0;    // global, from 90 southward
    int width = 0;
    int height = 0;

    long double West() const { return -180.0L + static_cast<long double>(firstColumn) * pixelDeg; }
    long double North() const { return 90.0L - static_cast<long double>(firstRow) * pixelDeg; }
    GeoPoint Centre(int column, int row) const;
};

// The pixels whose centres lie within [west, east) x (south, north].
GridWindow GridOver(long double west, long double south, long double east, long double north, long double pixelDeg);

// The pixel size of a resolution in metres: its arc in degrees on the lattice's sphere.
long double PixelDegOf(long double resolutionM);

// The bounds (west, south, east, north) a site's circle lies within, on the
// grid's numbers; east may pass 180 and west -180 near the 180th meridian.
struct Bounds {
    long double west, south, east, north;
};
Bounds CircleBounds(GeoPoint site, long double radiusKm);

struct ServerSite {
    std::string name;
    std::size_t line = 0; // of the sites' file, for a refusal
    CoverageRequest request;
    long double frequencyMHz = 0;
};

// The bands, each a float a pixel, row by row from the north; no-data
// (kNoData) where no site reaches.
struct ServerBands {
    static constexpr float kNoData = -9999.0F;
    GridWindow grid;
    std::vector<float> bestServer; // 1 + the index of the strongest site; a tie (within 1e-9 dB) goes to the first listed
    std::vector<float> bestLevel;  // dBm
    std::vector<float> margin;     // dB over the second strongest; no-data where one site alone reaches
    std::vector<float> ci;         // dB, the best against the sum of the others on its frequency; no-data where none
    std::vector<float> overlap;    // how many sites reach the threshold
    std::vector<bool> read;        // each site: whether its radius reached the window and it was computed
    std::vector<std::string> warnings;
    bool cancelled = false;
};

// Refused at an option, or at a site's line ("line 3: ..."): a site without
// a power, and every refusal of a site's own map.
Outcome<ServerBands, std::string_view> ComputeServers(const std::vector<ServerSite>& sites, const GridWindow& grid,
                                                      long double thresholdDbm, const CoverageControl& control = {});

// The same at any points (their values those of a pixel centred on each),
// the sites' circles tried against `area`, the points' bounds.
Outcome<ServerBands, std::string_view> ComputeServersAt(const std::vector<ServerSite>& sites,
                                                        const std::vector<GeoPoint>& points, const Bounds& area,
                                                        long double thresholdDbm, const CoverageControl& control = {});

// A point's lattice indices in a site's lattice (radial, step), or none
// beyond its radius.
std::optional<std::pair<std::size_t, std::size_t>> LatticePointAt(const CoverageLattice& lattice,
                                                                  long double radiusKm, GeoPoint point);

} // namespace zandrevio
