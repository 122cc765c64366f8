#include "coverage/server_map.h"

#include "numeric/checked_trig.h"
#include "numeric/radio.h"
#include "terrain/great_circle.h"

#include <algorithm>
#include <cmath>

namespace zandrevio {

namespace {
constexpr long double kRadian = radio::kPi / 180.0L;
// Levels closer than this are a tie.
constexpr long double kTieDb = 1.0e-9L;

// The whole number at or above x, as the grid counts its pixels.
std::int64_t Up(long double x)
{
    return static_cast<std::int64_t>(std::ceil(x));
}
} // namespace

GeoPoint GridWindow::Centre(int column, int row) const
{
    return {90.0L - (static_cast<long double>(firstRow + row) + 0.5L) * pixelDeg,
            -180.0L + (static_cast<long double>(firstColumn + column) + 0.5L) * pixelDeg};
}

GridWindow GridOver(long double west, long double south, long double east, long double north, long double pixelDeg)
{
    // Column c's centre lies at -180 + (c + 1/2) p: within [west, east) for c from ceil((west + 180)/p - 1/2).
    GridWindow grid;
    grid.pixelDeg = pixelDeg;
    grid.firstColumn = Up((west + 180.0L) / pixelDeg - 0.5L);
    const std::int64_t endColumn = Up((east + 180.0L) / pixelDeg - 0.5L);
    // Row r's centre lies at 90 - (r + 1/2) p: within (south, north] for r from ceil((90 - north)/p - 1/2).
    grid.firstRow = Up((90.0L - north) / pixelDeg - 0.5L);
    const std::int64_t endRow = Up((90.0L - south) / pixelDeg - 0.5L);
    grid.width = static_cast<int>(std::max<std::int64_t>(0, endColumn - grid.firstColumn));
    grid.height = static_cast<int>(std::max<std::int64_t>(0, endRow - grid.firstRow));
    return grid;
}

long double PixelDegOf(long double resolutionM)
{
    return resolutionM / (radio::kEarthRadiusKm * 1000.0L * kRadian);
}

Bounds CircleBounds(GeoPoint site, long double radiusKm)
{
    const long double reach = radiusKm / radio::kEarthRadiusKm / kRadian; // degrees of great circle
    const long double north = site.latitudeDeg + reach;
    const long double south = site.latitudeDeg - reach;
    if (north >= 90.0L || south <= -90.0L) {
        return {-180.0L, std::max(south, -90.0L), 180.0L, std::min(north, 90.0L)}; // round a pole
    }
    // The circle's widest reach east and west, where its meridians touch it.
    const long double span =
        fp::Asin(std::min(1.0L, fp::Sin(reach * kRadian) / fp::Cos(site.latitudeDeg * kRadian))) / kRadian;
    return {site.longitudeDeg - span, south, site.longitudeDeg + span, north};
}

std::optional<std::pair<std::size_t, std::size_t>> LatticePointAt(const CoverageLattice& lattice,
                                                                  long double radiusKm, GeoPoint point)
{
    const long double rho = (fp::Real(radio::kEarthRadiusKm * 1000.0L) * CentralAngle(lattice.site, point)).Value();
    if (rho > radiusKm * 1000.0L) {
        return std::nullopt;
    }
    // The nearest radial and the nearest step, at least the first, as the single-site map takes them.
    const long double sector = 360.0L / static_cast<long double>(lattice.radials);
    const long double bearing = rho == 0.0L ? 0.0L : InitialBearingDeg(lattice.site, point).Value();
    const std::size_t radial = static_cast<std::size_t>(std::llround(bearing / sector)) % lattice.radials;
    const auto nearest = static_cast<std::size_t>(std::llround(rho / lattice.stepM));
    return std::pair{radial, std::min(std::max<std::size_t>(nearest, 1), lattice.steps)};
}

Outcome<ServerBands, std::string_view> ComputeServers(const std::vector<ServerSite>& sites, const GridWindow& grid,
                                                      long double thresholdDbm, const CoverageControl& control)
{
    std::vector<GeoPoint> centres;
    centres.reserve(static_cast<std::size_t>(grid.width) * static_cast<std::size_t>(grid.height));
    for (int row = 0; row < grid.height; ++row) {
        for (int column = 0; column < grid.width; ++column) {
            centres.push_back(grid.Centre(column, row));
        }
    }
    const long double west = grid.West();
    const long double north = grid.North();
    Outcome<ServerBands, std::string_view> bands = ComputeServersAt(
        sites, centres, {west, north - grid.height * grid.pixelDeg, west + grid.width * grid.pixelDeg, north},
        thresholdDbm, control);
    if (bands.Ok()) {
        ServerBands whole = bands.Value();
        whole.grid = grid;
        return whole;
    }
    return bands;
}

Outcome<ServerBands, std::string_view> ComputeServersAt(const std::vector<ServerSite>& sites,
                                                        const std::vector<GeoPoint>& points, const Bounds& area,
                                                        long double thresholdDbm, const CoverageControl& control)
{
    ServerBands bands;
    const std::size_t pixels = points.size();
    constexpr float kNone = ServerBands::kNoData;
    bands.bestServer.assign(pixels, kNone);
    bands.bestLevel.assign(pixels, kNone);
    bands.margin.assign(pixels, kNone);
    bands.ci.assign(pixels, kNone);
    bands.overlap.assign(pixels, kNone);
    bands.read.assign(sites.size(), false);
    // The levels kept while the sites are folded in, in their order.
    std::vector<long double> best(pixels, 0.0L);
    std::vector<long double> second(pixels, 0.0L);
    std::vector<std::int32_t> server(pixels, -1);
    std::vector<std::int32_t> reached(pixels, 0);
    std::vector<std::int32_t> above(pixels, 0);
    std::vector<long double> frequencies;
    std::vector<std::vector<long double>> powerSums; // mW, per frequency, per pixel
    std::vector<std::size_t> frequencyOf(sites.size(), 0);
    for (std::size_t s = 0; s < sites.size(); ++s) {
        const auto known = std::find(frequencies.begin(), frequencies.end(), sites[s].frequencyMHz);
        frequencyOf[s] = static_cast<std::size_t>(known - frequencies.begin());
        if (known == frequencies.end()) {
            frequencies.push_back(sites[s].frequencyMHz);
        }
    }
    const long double west = area.west;
    const long double north = area.north;
    const long double east = area.east;
    const long double south = area.south;

    for (std::size_t s = 0; s < sites.size(); ++s) {
        const ServerSite& site = sites[s];
        const auto refused = [&site](const std::string& message, std::string_view field) {
            return Refusal<std::string_view>{"line " + std::to_string(site.line) +
                                                 (site.name.empty() ? "" : " (" + site.name + ")") + ": " + message,
                                             field};
        };
        if (!site.request.path.link.Has(PathField::Power)) {
            return refused("the site has no power: a best-server map compares the sites' levels (give a power "
                           "column or --power)",
                           "sites");
        }
        // A site whose circle misses the window is not read at all.
        const Bounds circle = CircleBounds(site.request.site, site.request.radiusKm);
        bool overlaps = false;
        for (const long double turn : {-360.0L, 0.0L, 360.0L}) { // across the 180th meridian too
            overlaps = overlaps || (circle.west + turn < east && circle.east + turn > west);
        }
        if (!overlaps || circle.south >= north || circle.north <= south) {
            continue;
        }
        // The lattice point of each pixel, found once the lattice's shape is known.
        std::vector<std::int64_t> pointOf(pixels, -1);
        CoverageRequest request = site.request;
        request.wanted = [&](const CoverageLattice& shape) {
            std::vector<std::size_t> last(shape.radials, 0);
            for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
                // A cancel is heard here too: a fine grid's pixels take a while to place.
                if (pixel % 4096 == 0 && control.cancel != nullptr && control.cancel->load()) {
                    return std::vector<std::size_t>(shape.radials, 0);
                }
                const auto at = LatticePointAt(shape, request.radiusKm, points[pixel]);
                if (at) {
                    last[at->first] = std::max(last[at->first], at->second);
                    pointOf[pixel] = static_cast<std::int64_t>(at->first * shape.steps + at->second - 1);
                }
            }
            return last;
        };
        // Progress over all the sites: this one's share among them.
        CoverageControl own = control;
        if (control.progress) {
            own.progress = [&control, s, count = sites.size()](std::size_t done, std::size_t all) {
                constexpr std::size_t kShare = 1000;
                control.progress(s * kShare + (all == 0 ? kShare : done * kShare / all), count * kShare);
            };
        }
        const Outcome<CoverageLattice, std::string_view> computed = ComputeCoverage(request, own);
        if (!computed.Ok()) {
            return refused(computed.Error().message, computed.Error().field);
        }
        const CoverageLattice& lattice = computed.Value();
        if (lattice.cancelled) {
            bands.cancelled = true;
            return bands;
        }
        bands.read[s] = true;
        for (const std::string& warning : lattice.warnings) {
            if (std::find(bands.warnings.begin(), bands.warnings.end(), warning) == bands.warnings.end()) {
                bands.warnings.push_back(warning);
            }
        }
        std::vector<long double>* sums = nullptr;
        for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
            if (pointOf[pixel] < 0) {
                continue;
            }
            const CoveragePoint& point = lattice.points[static_cast<std::size_t>(pointOf[pixel])];
            if (!point.computed) {
                continue;
            }
            const long double level = point.levelDbm;
            // A tie stays with the site listed first (levels within kTieDb are
            // one: two alike sites differ by rounding alone); the tied level is the second's.
            if (server[pixel] < 0 || level > best[pixel] + kTieDb) {
                second[pixel] = best[pixel];
                best[pixel] = level;
                server[pixel] = static_cast<std::int32_t>(s);
            } else if (reached[pixel] == 1 || level > second[pixel]) {
                second[pixel] = level;
            }
            ++reached[pixel];
            above[pixel] += level >= thresholdDbm ? 1 : 0;
            if (sums == nullptr) {
                if (powerSums.size() <= frequencyOf[s]) {
                    powerSums.resize(frequencies.size());
                }
                powerSums[frequencyOf[s]].resize(pixels, 0.0L);
                sums = &powerSums[frequencyOf[s]];
            }
            (*sums)[pixel] += std::pow(10.0L, level / 10.0L);
        }
    }
    for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
        if (server[pixel] < 0) {
            continue;
        }
        bands.bestServer[pixel] = static_cast<float>(server[pixel] + 1);
        bands.bestLevel[pixel] = static_cast<float>(best[pixel]);
        bands.overlap[pixel] = static_cast<float>(above[pixel]);
        if (reached[pixel] > 1) {
            bands.margin[pixel] = static_cast<float>(std::max(0.0L, best[pixel] - second[pixel]));
        }
        // C/I: the best against the sum of the others on its frequency (none: no-data).
        const long double own = std::pow(10.0L, best[pixel] / 10.0L);
        const long double others = powerSums[frequencyOf[static_cast<std::size_t>(server[pixel])]][pixel] - own;
        if (others > 0.0L) {
            bands.ci[pixel] = static_cast<float>(best[pixel] - 10.0L * std::log10(others));
        }
    }
    return bands;
}

} // namespace zandrevio
