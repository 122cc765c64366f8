#pragma once

#include "propagation/path_analysis.h"
#include "terrain/great_circle.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The area a site serves, as a polar lattice of points around it: each
// point's value is the path from the site to that point, computed by the
// very code `path` (and `itm`) runs over elevation data, on the very
// profile they cut.
//
// The lattice: a step S along each radial (the resolution, on nanometres),
// points at j S for j = 1 .. J, J the whole steps within the radius; N
// radials, N the least multiple of 8 that keeps neighbouring radials within
// one step of each other at the radius (N >= 2 pi R / S), the i-th at the
// bearing 360 i / N degrees (on nanodegrees). The point (i, j) is the place
// j S from the site along the great circle leaving it at that bearing.
//
// One profile serves a radial: the heights at j S are sampled once, and each
// point's profile takes from them the samples the cut `path --dem --from
// SITE --to POINT --step S` makes (the cut of a point j S away falls on j S
// steps exactly); a sample that falls between them (the first steps, whose
// cuts take at least two intervals) is read from the rasters as the cut
// reads it. A point whose recomputed bearing or length misses its radial's
// is cut afresh, so every value is the command's, to the last bit.
namespace zandrevio {

struct CoverageLattice;

struct CoverageRequest {
    std::vector<std::filesystem::path> rasters;
    GeoPoint site;
    long double radiusKm = 0;
    std::optional<long double> resolutionM; // none: the rasters' pixel at the site
    // The path's inputs as `path` reads them (frequency, heights, k, the
    // budget), with Longley-Rice's where it is the model; its source names
    // the options of a refusal.
    PathAnalysisInputs path;
    unsigned threads = 1;
    // Where only part of the lattice is wanted (a tile of a map): given the
    // lattice's shape, the last step wanted along each radial (0: none).
    // The points computed are the very points of the whole lattice; the
    // others are left uncomputed and not counted as without data.
    std::function<std::vector<std::size_t>(const CoverageLattice&)> wanted;
};

// What a lattice point's code band holds: the model's range or the line of
// sight (1 line of sight, 2 diffraction, 3 troposcatter; delta-Bullington:
// 1 clear, 2 obstructed), plus 10 where the model warned.
inline constexpr int kCoverageWarnedCode = 10;

struct CoveragePoint {
    long double lossDb = 0;   // the path loss
    long double levelDbm = 0; // the received level, where a power is given
    std::uint32_t warning = 0; // 1 + the index of its first warning in the lattice's list; 0 none
    std::int8_t code = 0;
    bool computed = false; // no: the profile left the data or met a no-data cell
};

struct CoverageLattice {
    GeoPoint site{};
    long double stepM = 0;
    bool level = false; // a power was given: the points have their received level
    std::size_t radials = 0;
    std::size_t steps = 0;                // J
    std::vector<CoveragePoint> points;    // radial by radial, j = 1 .. J along each
    std::vector<std::string> warnings;    // each distinct warning once, in lattice order
    std::size_t uncomputed = 0;           // points without data
    std::string firstGap;                 // why the first of them has none, and where
    std::vector<std::size_t> lastSteps;   // where only part is wanted: the last step computed per radial
    std::size_t refused = 0;              // points whose path the model refused
    std::string firstRefusal;             // the first refusal
    bool cancelled = false;

    const CoveragePoint& At(std::size_t radial, std::size_t step) const { return points[radial * steps + step - 1]; }
    // The place of a point, as its radial reaches it.
    GeoPoint Place(std::size_t radial, std::size_t step) const;
};

// The most points a lattice may hold (about 1 GB).
inline constexpr std::size_t kMaxCoveragePoints = 25'000'000;
// The most threads a map is shared between (each holds its own reader).
inline constexpr std::size_t kMaxCoverageThreads = 256;

// Progress (points done of all) is reported now and then from the worker
// threads; `cancel` set ends the work at the next radial, the lattice then
// marked cancelled.
struct CoverageControl {
    std::function<void(std::size_t done, std::size_t all)> progress;
    std::atomic<bool>* cancel = nullptr;
};

// A fault of any thread (std::bad_alloc, say) is thrown once every thread
// has stopped. Refused at an option, as `path` refuses: a radius not above 0, a site off
// the globe or off the data, a resolution not above 0 or so fine the lattice
// would pass kMaxCoveragePoints, and every refusal of the path's own inputs.
Outcome<CoverageLattice, std::string_view> ComputeCoverage(const CoverageRequest& request,
                                                           const CoverageControl& control = {});

// The lattice's bearing of radial i of n, and the distance of step j of S.
long double LatticeBearingDeg(std::size_t radial, std::size_t radials);
long double LatticeDistanceM(std::size_t step, long double stepM);

} // namespace zandrevio
