#include "coverage/coverage_entries.h"

#include "coverage/coverage_lattice.h"
#include "coverage/coverage_map.h"
#include "coverage/long_work.h"
#include "coverage/server_entries.h"
#include "itm/itm.h"
#include "numeric/decimal_separator.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "numeric/radio.h"
#include "propagation/path_entries.h"
#include "propagation/path_source_options.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <thread>


namespace zandrevio {

namespace {

enum class CoverageField {
    Dem, Site, Radius, Resolution, Output, Format, LatticeOut, Contours, ContoursOut, Threads
};
enum class MapFormat { GeoTiff = 0, Kmz = 1 };
constexpr Choice kMapFormats[] = {{"GeoTIFF", "geotiff"}, {"KMZ", "kmz"}};
const FieldSpec<CoverageField> kCoverageFields[] = {
    {CoverageField::Dem, FieldKind::Text, "Elevation data", "dem", "", {},
     "raster files GDAL reads (SRTM .hgt, GeoTIFF, VRT), separated by commas", "FILE[,FILE...]"},
    // The site is the transmitter's place, named as on path and itm (and a
    // batch's "site" column stays a free label).
    {CoverageField::Site, FieldKind::Text, "Site", "from", "", {},
     "LAT,LON in degrees, north and east positive", "LAT,LON"},
    {CoverageField::Radius, FieldKind::Real, "Radius (km)", "radius", "10"},
    {CoverageField::Resolution, FieldKind::Real, "Resolution (m)", "resolution", "", {},
     "the step along each radial and the map's pixel; the rasters' pixel at the site where not given"},
    {CoverageField::Output, FieldKind::Text, "Map file", "output", "", {},
     "the map as a GeoTIFF: bands loss (dB), level (dBm, with --power) and code", "FILE"},
    {CoverageField::Format, FieldKind::Choice, "Map format", "format", "geotiff", kMapFormats,
     "geotiff (float32 bands and the metadata) or kmz (a colour overlay with its legend, for Google Earth and GIS "
     "tools)"},
    {CoverageField::LatticeOut, FieldKind::Text, "Lattice file", "lattice-out", "", {},
     "every lattice point as CSV, each number read back to its value", "FILE"},
    {CoverageField::Contours, FieldKind::Text, "Contour levels", "contours", "", {},
     "the received levels (dBm; with no power the losses, dB) whose contours are traced", "LEVEL[,LEVEL...]"},
    {CoverageField::ContoursOut, FieldKind::Text, "Contours file", "contours-out", "", {},
     "the contours as GeoJSON (WGS84), or KML for a name ending in .kml; the map's name with .geojson "
     "where not given",
     "FILE"},
    {CoverageField::Threads, FieldKind::Whole, "Threads", "threads", "0", {},
     "how many cores work on it, 0 for every one; the results are the same for any number"},
};
const CalculationSpec<CoverageField> kCoverage{"coverage", kCoverageFields, {}};

const ResultSpec kCoverageResultRadials{"Radials", "radials", "", ResultFormat::Whole};
const ResultSpec kCoverageResultSteps{"Steps along a radial", "steps", "", ResultFormat::Whole};
const ResultSpec kCoverageResultStep{"Step", "step", "m", ResultFormat::Full};
const ResultSpec kCoverageResultPoints{"Lattice points", "points", "", ResultFormat::Whole};
const ResultSpec kCoverageResultNoData{"Points without elevation data", "no-data", "", ResultFormat::Whole};
const ResultSpec kCoverageResultLeastLoss{"Least path loss", "least-loss", "dB", ResultFormat::Hundredths};
const ResultSpec kCoverageResultGreatestLoss{"Greatest path loss", "greatest-loss", "dB", ResultFormat::Hundredths};

ResultValue Number(const ResultSpec& spec, long double value)
{
    return {&spec, value, {}, spec.unit, spec.format};
}

// The link's options the map starts as `itm` starts them (a receiver 10 m
// up, 100 MHz), not as a fixed link's path.
constexpr std::string_view kItmStarts[] = {"frequency", "tx-height", "rx-height", "polarization"};

std::string_view ItmStart(std::string_view option)
{
    static const std::vector<OptionSpec> itm = OptionsOf(kItm);
    for (const OptionSpec& spec : itm) {
        if (spec.name == option) {
            return spec.start;
        }
    }
    return {};
}

// The overlay's colours: strong signals warm, weak ones cold, in 10 dB
// steps of level, or 15 dB steps of loss where no power is given.
const std::vector<ColourStep> kLevelColours = {
    {-120, 40, 40, 200},  {-110, 0, 160, 220},  {-100, 0, 180, 90}, {-90, 150, 210, 0},
    {-80, 250, 230, 0},   {-70, 250, 150, 0},   {-60, 230, 30, 30}, {-50, 200, 0, 160}};
const std::vector<ColourStep> kLossColours = {
    {80, 200, 0, 160},  {95, 230, 30, 30}, {110, 250, 150, 0},  {125, 250, 230, 0},
    {140, 150, 210, 0}, {155, 0, 180, 90}, {170, 0, 160, 220}, {185, 40, 40, 200}}; // up to each step

// Where the points without data lie, as a planner finds them on the map:
// each run of neighbouring radials that has some, its bearings and the
// distances from its nearest to its farthest.
std::string GapSectors(const CoverageLattice& lattice)
{
    struct Sector {
        std::size_t first, last, nearest, farthest;
    };
    std::vector<Sector> sectors;
    for (std::size_t radial = 0; radial < lattice.radials; ++radial) {
        std::size_t nearest = 0;
        std::size_t farthest = 0;
        for (std::size_t step = 1; step <= lattice.steps; ++step) {
            if (!lattice.At(radial, step).computed) {
                nearest = nearest == 0 ? step : nearest;
                farthest = step;
            }
        }
        if (nearest == 0) {
            continue;
        }
        if (!sectors.empty() && sectors.back().last + 1 == radial) {
            Sector& sector = sectors.back();
            sector.last = radial;
            sector.nearest = std::min(sector.nearest, nearest);
            sector.farthest = std::max(sector.farthest, farthest);
        } else {
            sectors.push_back({radial, radial, nearest, farthest});
        }
    }
    // A run through north is one sector.
    if (sectors.size() > 1 && sectors.front().first == 0 && sectors.back().last + 1 == lattice.radials) {
        sectors.front().first = sectors.back().first;
        sectors.front().nearest = std::min(sectors.front().nearest, sectors.back().nearest);
        sectors.front().farthest = std::max(sectors.front().farthest, sectors.back().farthest);
        sectors.pop_back();
    }
    std::string text;
    for (const Sector& sector : sectors) {
        text += (text.empty() ? "at bearings " : " and ") + FormatFull(LatticeBearingDeg(sector.first, lattice.radials)) +
            " to " + FormatFull(LatticeBearingDeg(sector.last, lattice.radials)) + " degrees from " +
            FormatFull(LatticeDistanceM(sector.nearest, lattice.stepM) / 1000.0L) + " to " +
            FormatFull(LatticeDistanceM(sector.farthest, lattice.stepM) / 1000.0L) + " km";
    }
    return text;
}

// What a map says of itself, so that it can be reproduced and audited: the
// program, every option in force, the lattice and its rule, the bands.
std::vector<std::pair<std::string, std::string>> MapMetadata(const Request& request, const CoverageLattice& lattice)
{
    // Each option as given or as it starts, those in force alone: Longley-Rice's
    // own with its model, an antenna's azimuth and tilt with its pattern. The
    // line replays as it is written, in the decimal separator in force.
    const bool comma = DecimalSeparator() == ',';
    std::string options = comma ? "--decimal-comma coverage" : "coverage";
    const Calculation coverage = CoverageCalculation();
    const std::vector<OptionSpec> itm = OptionsOf(kItm);
    const bool longleyRice = request.TextOr("model", "itm") == "itm";
    for (const OptionSpec& option : coverage.variants.front().options) {
        const std::string name(option.name);
        if (name == "output" || name == "lattice-out" || name == "contours-out" || name == "threads") {
            continue;
        }
        const bool itmOwn = std::any_of(itm.begin(), itm.end(), [&](const OptionSpec& o) { return o.name == name; }) &&
            std::find(std::begin(kItmStarts), std::end(kItmStarts), name) == std::end(kItmStarts);
        const bool antennaOwn = name.rfind("tx-", 0) == 0 && (name.ends_with("-azimuth") || name.ends_with("-downtilt"));
        if (!request.Has(name) && ((itmOwn && !longleyRice) || antennaOwn)) {
            continue;
        }
        std::string text(request.TextOr(name, option.start));
        if (!request.Has(name)) {
            // A start written as it is typed: a choice by its word, a number in the separator in force.
            for (const Choice& choice : option.choices) {
                if (choice.text == text) {
                    text = std::string(choice.key);
                }
            }
            if (comma && option.kind == FieldKind::Real) {
                std::replace(text.begin(), text.end(), '.', ',');
            }
        }
        if (text.empty()) {
            continue;
        }
        // Quoted for a POSIX shell: a quote inside as '\''.
        std::string quoted;
        for (const char c : text) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        options += " --" + name + " '" + quoted + "'";
    }
    std::string warnings;
    for (const std::string& warning : lattice.warnings) {
        warnings += (warnings.empty() ? "" : "; ") + warning;
    }
    return {
        {"PROGRAM", std::string("zandrevio-calc ") + ZANDREVIO_VERSION},
        {"INPUTS", options},
        {"LATTICE", std::to_string(lattice.radials) + " radials from 0 degrees, " + std::to_string(lattice.steps) +
                        " steps of " + FormatFull(lattice.stepM) +
                        " m along each; a pixel takes the point of the nearest radial and the nearest step"},
        {"BANDS", lattice.level ? "loss (dB), level (dBm), code" : "loss (dB), code"},
        {"CODE", "1 line of sight, 2 diffraction, 3 troposcatter (Longley-Rice's range), or 1 clear and 2 "
                 "obstructed (delta-Bullington); 10 more where the model warned"},
        {"WARNINGS", warnings},
    };
}

// A KMZ overlay is drawn in longitude and latitude: refused where the map
// reaches a pole or crosses the 180th meridian, which that grid cannot hold
// as one image. The map is the square about the radius, its pixels of up to
// `stepM`: its corners reach sqrt(2) times as far.
std::optional<std::string> OverlayRefusal(GeoPoint site, long double radiusKm, long double stepM)
{
    const long double reach = (radiusKm * 1000.0L + 1.5L * stepM) * std::sqrt(2.0L) /
        (radio::kEarthRadiusKm * 1000.0L); // radians of great circle
    const long double latitude = site.latitudeDeg * radio::kPi / 180.0L;
    const long double poleward = std::fabs(latitude) + reach;
    if (poleward >= radio::kPi / 2.0L - 1.0e-3L) {
        return "a KMZ overlay is drawn in longitude and latitude, and this map reaches a pole: write it as a GeoTIFF";
    }
    // The circle's widest reach east and west of the site.
    const long double span = std::asin(std::min(1.0L, std::sin(reach) / std::cos(latitude))) * 180.0L / radio::kPi;
    if (std::fabs(site.longitudeDeg) + span >= 180.0L) {
        return "a KMZ overlay is drawn in longitude and latitude, and this map crosses the 180th meridian: write it "
               "as a GeoTIFF";
    }
    return std::nullopt;
}

} // namespace

const ColourScale& LevelColourScale()
{
    static const ColourScale scale{kLevelColours, true, "dBm"};
    return scale;
}

CoverageRequest CoverageRequestOf(Request& request)
{
    for (std::string_view option : kItmStarts) {
        if (!request.Has(option)) {
            request.Give(std::string(option), std::string(ItmStart(option)));
        }
    }
    const Inputs<CoverageField> own = InputsFrom(request, kCoverage, {"resolution"});
    CoverageRequest coverage;
    // A site's antenna points somewhere: each point is not its boresight.
    if (request.Has("tx-pattern") && !request.Has("tx-azimuth")) {
        throw RequestError("tx-azimuth", "a map's antenna needs its azimuth, the bearing of its boresight");
    }
    coverage.path = PathInputsOf(request, "itm", false);
    coverage.rasters = SplitFileList(request.TextOr("dem", ""));
    const std::optional<GeoPoint> site = ParseCoordinates(request.TextOr("from", ""));
    if (!site) {
        throw RequestError("from", "'" + std::string(request.TextOr("from", "")) +
                                       "' is not LAT,LON in degrees, as 45.5,6.25");
    }
    coverage.site = *site;
    coverage.radiusKm = own.Real(CoverageField::Radius);
    if (request.Has("resolution")) {
        coverage.resolutionM = InputsFrom(request, kCoverage).Real(CoverageField::Resolution);
    }
    const std::int32_t threads = own.Whole(CoverageField::Threads);
    if (threads < 0) {
        throw RequestError("threads", "must be 0 (every core) or more");
    }
    coverage.threads = threads > 0 ? static_cast<unsigned>(threads) : std::max(1u, std::thread::hardware_concurrency());
    return coverage;
}

namespace {
Reply RunCoverage(const Request& given, const std::vector<std::string_view>&)
{
    for (const char* many : {"sites", "bbox", "tile-grid", "tile", "manifest", "threshold"}) {
        if (given.Has(many)) {
            throw RequestError(many, std::string(many) == "sites"
                                         ? "a map is of one site (--from) or of many (--sites), not both"
                                         : "belongs to a map of many sites (--sites)");
        }
    }
    Request request = given;
    const CoverageRequest coverage = CoverageRequestOf(request);
    const Inputs<CoverageField> own = InputsFrom(request, kCoverage, {"resolution"});
    Reply reply;

    // The contours' levels and file, checked before the work.
    std::vector<double> levels;
    if (request.Has("contours")) {
        const char separator = DecimalSeparator() == ',' ? ';' : ',';
        const std::string text(request.TextOr("contours", ""));
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find(separator, start), text.size());
            try {
                levels.push_back(static_cast<double>(ParseReal(std::string_view(text).substr(start, end - start))));
            } catch (...) {
                throw RequestError("contours", "'" + text + "' is not a list of levels, as -90" +
                                                   std::string(1, separator) + "-100");
            }
            start = end + 1;
        }
        if (!request.Has("contours-out") && !request.Has("output")) {
            throw RequestError("contours", "the contours need a file: give --contours-out or --output");
        }
    }
    const bool kmz = own.Choice<MapFormat>(CoverageField::Format) == MapFormat::Kmz;
    if (kmz && request.Has("output")) {
        // A site off the globe is the map's own refusal, at --from.
        const bool onTheGlobe =
            std::fabs(coverage.site.latitudeDeg) <= 90.0L && std::fabs(coverage.site.longitudeDeg) <= 180.0L;
        const long double step = coverage.resolutionM.value_or(coverage.radiusKm * 10.0L); // else a hundredth of it
        if (const std::optional<std::string> refusal = onTheGlobe
                ? OverlayRefusal(coverage.site, coverage.radiusKm, step)
                : std::nullopt) {
            throw RequestError("format", *refusal);
        }
    }
    LongWork work;
    const Outcome<CoverageLattice, std::string_view> computed = ComputeCoverage(coverage, work.control);
    if (computed.Ok() && computed.Value().cancelled) {
        reply.error = "Interrupted: no map written";
        return reply;
    }
    if (!computed.Ok()) {
        reply.error = computed.Error().message;
        reply.errorOption = computed.Error().field;
        reply.beep = computed.Error().beep;
        return reply;
    }
    const CoverageLattice& lattice = computed.Value();
    // Every file under a temporary name, renamed together once all are whole:
    // a fault or Ctrl+C leaves none of them.
    WholeFiles files;
    const auto written = [&reply](const std::string& failed, std::string_view option) {
        if (InterruptHandler::Interrupted()) {
            reply.error = "Interrupted: no map written";
            return false;
        }
        if (!failed.empty()) {
            reply.error = failed;
            reply.errorOption = option;
            return false;
        }
        return true;
    };
    if (request.Has("output")) {
        MapRaster map = MapOf(lattice, coverage.radiusKm);
        map.metadata = MapMetadata(request, lattice);
        map.sources = coverage.rasters;
        if (request.Has("tx-pattern")) {
            map.antennas = {std::string(request.TextOr("tx-pattern", ""))};
        }
        const std::string file(request.TextOr("output", ""));
        const ColourScale scale = lattice.level ? ColourScale{kLevelColours, true, "dBm"}
                                                : ColourScale{kLossColours, false, "dB"};
        if (!written(kmz ? WriteOverlay(files, map, lattice.level ? 1 : 0, scale, file)
                         : WriteMapRaster(files, map, file),
                     "output")) {
            return reply;
        }
    }
    if (request.Has("contours")) {
        MapRaster map = MapOf(lattice, coverage.radiusKm);
        const std::string file = request.Has("contours-out")
            ? std::string(request.TextOr("contours-out", ""))
            : std::filesystem::path(std::string(request.TextOr("output", ""))).replace_extension(".geojson").string();
        if (!written(WriteContours(files, map, lattice.level ? 1 : 0, levels, file), "contours-out")) {
            return reply;
        }
    }
    if (request.Has("lattice-out") &&
        !written(WriteLatticeCsv(files, lattice, std::string(request.TextOr("lattice-out", ""))), "lattice-out")) {
        return reply;
    }
    const std::string committed = files.Commit();
    if (!committed.empty()) {
        // The option of the file at fault.
        std::string_view option = "output";
        for (const std::string_view named : {"lattice-out", "contours-out"}) {
            if (request.Has(named) && files.Failed() == std::filesystem::path(std::string(request.TextOr(named, "")))) {
                option = named;
            }
        }
        written(committed, option);
        return reply;
    }
    long double least = 0.0L;
    long double greatest = 0.0L;
    bool any = false;
    for (const CoveragePoint& point : lattice.points) {
        if (point.computed) {
            least = any ? std::min(least, point.lossDb) : point.lossDb;
            greatest = any ? std::max(greatest, point.lossDb) : point.lossDb;
            any = true;
        }
    }
    reply.results = {Number(kCoverageResultRadials, static_cast<long double>(lattice.radials)),
                     Number(kCoverageResultSteps, static_cast<long double>(lattice.steps)),
                     Number(kCoverageResultStep, lattice.stepM),
                     Number(kCoverageResultPoints, static_cast<long double>(lattice.points.size())),
                     Number(kCoverageResultNoData, static_cast<long double>(lattice.uncomputed))};
    if (any) {
        reply.results.push_back(Number(kCoverageResultLeastLoss, least));
        reply.results.push_back(Number(kCoverageResultGreatestLoss, greatest));
    }
    reply.warnings = lattice.warnings;
    if (lattice.uncomputed > 0) {
        reply.warnings.push_back(std::to_string(lattice.uncomputed) + " of " +
                                 std::to_string(lattice.points.size()) +
                                 " points have no elevation data along their path and are left empty, " +
                                 GapSectors(lattice) + "; the first: " + lattice.firstGap);
    }
    if (lattice.refused > 0) {
        reply.warnings.push_back(std::to_string(lattice.refused) + " of " + std::to_string(lattice.points.size()) +
                                 " points are left empty: the model refused their paths; the first: " +
                                 lattice.firstRefusal);
    }
    return reply;
}

} // namespace

Calculation CoverageCalculation()
{
    Variant variant;
    variant.options = OptionsOf(kCoverage);
    for (OptionSpec option : PathModelOptions("itm")) {
        // The site's antenna turns with each radial; the receiver is a mobile's, of its typed gain.
        if (option.name == "rx-pattern" || option.name == "rx-azimuth" || option.name == "rx-downtilt") {
            continue;
        }
        if (std::find(std::begin(kItmStarts), std::end(kItmStarts), option.name) != std::end(kItmStarts)) {
            option.start = ItmStart(option.name);
        }
        variant.options.push_back(option);
    }
    variant.results = {&kCoverageResultRadials,  &kCoverageResultSteps,     &kCoverageResultStep,
                       &kCoverageResultPoints,   &kCoverageResultNoData,    &kCoverageResultLeastLoss,
                       &kCoverageResultGreatestLoss};
    variant.needs = {"dem", "from"};
    variant.run = RunCoverage;
    Calculation coverage;
    Variant servers = ServerVariant(variant);
    coverage.variants = {std::move(variant), std::move(servers)};
    return coverage;
}

} // namespace zandrevio
