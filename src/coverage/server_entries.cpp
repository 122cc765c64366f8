// coverage --sites FILE: many sites over one grid, the best server and the
// interference, for a whole area or one tile of it.
#include "coverage/server_entries.h"

#include "coverage/coverage_entries.h"
#include "coverage/long_work.h"
#include "coverage/map_raster.h"
#include "coverage/server_map.h"
#include "coverage/site_table.h"
#include "numeric/format.h"
#include "numeric/parse_real.h"
#include "terrain/dem_raster.h"
#include "terrain/path_source.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <fcntl.h>
#include <unistd.h>

namespace zandrevio {

namespace {

// The options of a map of many sites alone.
const std::vector<OptionSpec>& ServerOptions()
{
    static const std::vector<OptionSpec> options = {
        {"sites", "Sites", FieldKind::Text, "", {},
         "a CSV table of sites: a row a site, a column per site option (site or from as LAT,LON, name, tx-height, "
         "frequency, power, tx-gain, tx-pattern, radius...), the command line's values where a cell is empty",
         "FILE"},
        {"threshold", "Level threshold (dBm)", FieldKind::Real, "-100", {},
         "the level the overlap band counts the sites above", {}, {}, {}, false, true},
        {"bbox", "Bounds", FieldKind::Text, "", {}, "the part of the map to compute, in degrees", "W,S,E,N"},
        {"tile-grid", "Tile size (deg)", FieldKind::Real, "", {},
         "tiles of this many degrees over the sites' area, anchored at multiples of it; without --tile, the plan"},
        {"tile", "Tile", FieldKind::Text, "", {},
         "the tile to compute, from 0: a number, env (SLURM_ARRAY_TASK_ID, else JOB_COMPLETION_INDEX) or env:VAR",
         "I"},
        {"manifest", "Manifest", FieldKind::Text, "", {},
         "a file each run adds one JSON line to: the tile, its bounds, its file, the inputs' checksums, the version",
         "FILE"},
    };
    return options;
}

const ResultSpec kServerSites{"Sites", "sites", "", ResultFormat::Whole};
const ResultSpec kServerSitesRead{"Sites reaching the area", "sites-read", "", ResultFormat::Whole};
const ResultSpec kServerWidth{"Columns", "columns", "", ResultFormat::Whole};
const ResultSpec kServerHeight{"Rows", "rows", "", ResultFormat::Whole};
const ResultSpec kServerServed{"Pixels served", "served", "", ResultFormat::Whole};
const ResultSpec kServerTiles{"Tiles", "tiles", "", ResultFormat::Whole};
const ResultSpec kServerTile{"Tile", "tile", "", ResultFormat::Whole};

ResultValue Number(const ResultSpec& spec, long double value)
{
    return {&spec, value, {}, spec.unit, spec.format};
}

// The options a site's row may not set: the map's own.
constexpr std::string_view kMapOnly[] = {"dem",    "sites",        "output", "format",    "lattice-out", "contours",
                                         "contours-out", "threads", "bbox", "tile-grid", "tile",        "manifest",
                                         "threshold", "resolution"};

bool MapOnly(std::string_view option)
{
    return std::find(std::begin(kMapOnly), std::end(kMapOnly), option) != std::end(kMapOnly);
}

// W,S,E,N in degrees.
Bounds BoundsOf(std::string_view option, std::string_view text)
{
    long double values[4] = {};
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t end = i < 3 ? text.find(',', start) : text.size();
        try {
            if (end == std::string_view::npos) {
                throw std::invalid_argument("short");
            }
            values[i] = ParseReal(text.substr(start, end - start), '.');
        } catch (...) {
            throw RequestError(option, "'" + std::string(text) + "' is not W,S,E,N in degrees, as 6,45,7,46");
        }
        start = end + 1;
    }
    const Bounds bounds{values[0], values[1], values[2], values[3]};
    if (!(bounds.west >= -180.0L && bounds.east <= 180.0L && bounds.west < bounds.east && bounds.south >= -90.0L &&
          bounds.north <= 90.0L && bounds.south < bounds.north)) {
        throw RequestError(option, "'" + std::string(text) +
                                       "' are no bounds: west below east within -180 to 180, south below north "
                                       "within -90 to 90");
    }
    return bounds;
}


// The tile's index: a number, or the scheduler's variable.
long long TileIndexOf(std::string_view text)
{
    std::string variable;
    if (text == "env") {
        for (const char* name : {"SLURM_ARRAY_TASK_ID", "JOB_COMPLETION_INDEX"}) {
            if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
                variable = name;
                break;
            }
        }
        if (variable.empty()) {
            throw RequestError("tile", "env: neither SLURM_ARRAY_TASK_ID nor JOB_COMPLETION_INDEX is set");
        }
    } else if (text.rfind("env:", 0) == 0) {
        variable = std::string(text.substr(4));
    }
    std::string number(text);
    if (!variable.empty()) {
        const char* value = std::getenv(variable.c_str());
        if (value == nullptr || *value == '\0') {
            throw RequestError("tile", variable + " is not set");
        }
        number = value;
    }
    char* end = nullptr;
    const long long index = std::strtoll(number.c_str(), &end, 10);
    if (number.empty() || end == nullptr || *end != '\0' || index < 0) {
        throw RequestError("tile", "'" + number + "' is not a tile's index, a whole number from 0");
    }
    return index;
}

// The tiles of `size` degrees over an area, anchored at multiples of it,
// numbered from 0 row by row from the north-west.
struct TilePlan {
    long long west = 0, north = 0; // in tiles
    long long columns = 0, rows = 0;
    long double size = 0;

    long long Count() const { return columns * rows; }
    Bounds Tile(long long index) const
    {
        const long long row = index / columns;
        const long long column = index % columns;
        const long double w = static_cast<long double>(west + column) * size;
        const long double n = static_cast<long double>(north - row) * size;
        return {w, n - size, w + size, n};
    }
};

TilePlan PlanOf(const Bounds& area, long double size)
{
    TilePlan plan;
    plan.size = size;
    plan.west = static_cast<long long>(std::floor(area.west / size));
    plan.north = static_cast<long long>(std::ceil(area.north / size));
    plan.columns = static_cast<long long>(std::ceil(area.east / size)) - plan.west;
    plan.rows = plan.north - static_cast<long long>(std::floor(area.south / size));
    return plan;
}

std::string Exact(long double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.21Lg", value);
    return text;
}

// A JSON string's text.
std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// Adds one line to the manifest in one write, so that runs at once never mix their lines.
std::string AppendLine(const std::string& file, const std::string& line)
{
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return "cannot write " + file + ": it cannot be opened";
    }
    const ssize_t written = ::write(fd, line.data(), line.size());
    const bool closed = ::close(fd) == 0;
    if (written != static_cast<ssize_t>(line.size()) || !closed) {
        return "cannot write " + file + ": the disk may be full";
    }
    return {};
}

// The sites of the table a request names, each with the command line's
// options and its row's over them; a fault is the reply's refusal.
std::vector<ServerSite> SitesOf(const Request& given, Reply& reply)
{
    const std::string sitesFile(given.TextOr("sites", ""));
    const auto table = ReadSiteTable(sitesFile);
    if (const std::string* fault = std::get_if<std::string>(&table)) {
        reply.error = "The sites " + sitesFile + ": " + *fault;
        reply.errorOption = "sites";
        return {};
    }
    const SiteTable& sites = std::get<SiteTable>(table);
    // Each column is a site's option, named as the option is (site for from).
    const Calculation coverage = CoverageCalculation();
    const Variant& single = coverage.variants.front();
    for (const std::string& column : sites.columns) {
        const bool option = std::any_of(single.options.begin(), single.options.end(),
                                        [&](const OptionSpec& spec) { return spec.name == column; });
        if (column != "name" && column != "site" && (!option || MapOnly(column))) {
            reply.error = "The sites " + sitesFile + ", line " + std::to_string(sites.headerLine) + ": the column '" +
                column + "' is " + (option ? "the map's, not a site's" : "no option of a site");
            reply.errorOption = "sites";
            return {};
        }
    }
    // Each site's request: the command line's options, its row's over them.
    std::vector<ServerSite> servers;
    for (const SiteRow& row : sites.rows) {
        Request request;
        for (const auto& [name, text] : given.Options()) {
            if (name != "sites" && name != "bbox" && name != "tile-grid" && name != "tile" && name != "manifest" &&
                name != "threshold" && name != "output" && name != "at") {
                request.Give(name, text);
            }
        }
        ServerSite site;
        site.line = row.line;
        for (std::size_t c = 0; c < sites.columns.size(); ++c) {
            const std::string& column = sites.columns[c];
            if (row.cells[c].empty()) {
                continue;
            }
            if (column == "name") {
                site.name = row.cells[c];
                continue;
            }
            const std::string option = column == "site" ? "from" : column;
            Request replaced;
            for (const auto& [name, text] : request.Options()) {
                if (name != option) {
                    replaced.Give(name, text);
                }
            }
            replaced.Give(option, row.cells[c]);
            request = std::move(replaced);
        }
        if (!request.Has("from")) {
            reply.error = "The sites " + sitesFile + ", line " + std::to_string(row.line) +
                ": the site has no place: give a site column (LAT,LON)";
            reply.errorOption = "sites";
            return {};
        }
        try {
            site.request = CoverageRequestOf(request);
            site.frequencyMHz = site.request.path.link.Real(PathField::Frequency);
        } catch (const std::exception& slip) {
            reply.error = "The sites " + sitesFile + ", line " + std::to_string(row.line) + ": " + slip.what();
            reply.errorOption = "sites";
            return {};
        }
        if (site.request.path.antennaFault) {
            reply.error = "The sites " + sitesFile + ", line " + std::to_string(row.line) + ": " +
                site.request.path.antennaFault->message;
            reply.errorOption = "sites";
            return {};
        }
        servers.push_back(std::move(site));
    }

    return servers;
}

Reply RunServers(const Request& given, const std::vector<std::string_view>&)
{
    if (given.Has("from")) {
        throw RequestError("sites", "a map is of one site (--from) or of many (--sites), not both");
    }
    for (const char* single : {"lattice-out", "contours", "contours-out"}) {
        if (given.Has(single)) {
            throw RequestError(single, "belongs to a map of one site (--from)");
        }
    }
    if (given.Has("format") && given.TextOr("format", "") != "geotiff") {
        throw RequestError("format", "a map of many sites is written as a GeoTIFF");
    }
    if (!given.Has("resolution")) {
        throw RequestError("resolution", "a map of many sites needs --resolution, the grid's pixel in metres");
    }
    const std::string sitesFile(given.TextOr("sites", ""));
    Reply reply;
    std::vector<ServerSite> servers = SitesOf(given, reply);
    if (reply.Failed()) {
        return reply;
    }

    // The area: the bounds given, a tile of the plan, or every site's circle.
    const long double pixelDeg = PixelDegOf(*servers.front().request.resolutionM);
    Bounds area{180.0L, 90.0L, -180.0L, -90.0L};
    for (const ServerSite& site : servers) {
        const Bounds circle = CircleBounds(site.request.site, site.request.radiusKm);
        area = {std::min(area.west, circle.west), std::min(area.south, circle.south),
                std::max(area.east, circle.east), std::max(area.north, circle.north)};
    }
    area = {std::max(area.west, -180.0L), area.south, std::min(area.east, 180.0L), area.north};
    std::optional<long long> tile;
    std::optional<TilePlan> plan;
    if (given.Has("bbox")) {
        if (given.Has("tile-grid") || given.Has("tile")) {
            throw RequestError("bbox", "the part is --bbox or a --tile of --tile-grid, not both");
        }
        area = BoundsOf("bbox", given.TextOr("bbox", ""));
    } else if (given.Has("tile-grid")) {
        long double size = 0;
        try {
            size = ParseReal(given.TextOr("tile-grid", ""));
        } catch (...) {
            throw RequestError("tile-grid", "'" + std::string(given.TextOr("tile-grid", "")) + "' is not a number");
        }
        if (!(size >= 0.001L && size <= 90.0L)) {
            throw RequestError("tile-grid", "a tile is 0.001 to 90 degrees");
        }
        plan = PlanOf(area, size);
        if (!given.Has("tile")) {
            reply.results = {Number(kServerSites, static_cast<long double>(servers.size())),
                             Number(kServerTiles, static_cast<long double>(plan->Count()))};
            return reply;
        }
        tile = TileIndexOf(given.TextOr("tile", ""));
        if (*tile >= plan->Count()) {
            throw RequestError("tile", std::to_string(*tile) + " is beyond the plan's " +
                                           std::to_string(plan->Count()) + " tiles (0 to " +
                                           std::to_string(plan->Count() - 1) + ")");
        }
        area = plan->Tile(*tile);
    } else if (given.Has("tile")) {
        throw RequestError("tile", "a tile is one of --tile-grid's");
    }
    const GridWindow grid = GridOver(area.west, area.south, area.east, area.north, pixelDeg);
    if (static_cast<long double>(grid.width) * grid.height > 200'000'000.0L) {
        throw RequestError("resolution", "the area would take more than 200 million pixels: cut it into tiles");
    }
    long double threshold = -100.0L;
    if (given.Has("threshold")) {
        try {
            threshold = ParseReal(given.TextOr("threshold", ""));
        } catch (...) {
            throw RequestError("threshold", "'" + std::string(given.TextOr("threshold", "")) + "' is not a level in dBm");
        }
    }

    LongWork work;
    work.control.progress = nullptr; // each site's progress is its own; the map's is the sites'
    const Outcome<ServerBands, std::string_view> computed = ComputeServers(servers, grid, threshold, work.control);
    if (!computed.Ok()) {
        reply.error = computed.Error().message;
        reply.errorOption = computed.Error().field;
        return reply;
    }
    const ServerBands& bands = computed.Value();
    if (bands.cancelled || InterruptHandler::Interrupted()) {
        reply.error = "Interrupted: no map written";
        return reply;
    }

    std::string output(given.TextOr("output", ""));
    if (tile) {
        // A name with {tile} takes the tile's index, as an array's tasks name their files.
        for (std::size_t at = output.find("{tile}"); at != std::string::npos; at = output.find("{tile}")) {
            output.replace(at, 6, std::to_string(*tile));
        }
    }
    const DemModuleLoad& module = DemModule();
    std::string inputs;
    if (!output.empty() || given.Has("manifest")) {
        if (module.fingerprint == nullptr) {
            reply.error = module.fault;
            return reply;
        }
        std::string fingerprint;
        module.fingerprint(sitesFile, fingerprint);
        inputs = fingerprint;
        for (const std::filesystem::path& dem : servers.front().request.rasters) {
            module.fingerprint(dem, fingerprint);
            inputs += "; " + fingerprint;
        }
    }
    if (!output.empty()) {
        const MapRaster map = ServerMapRaster(bands, servers, threshold, inputs, tile);
        WholeFiles files;
        std::string failed = WriteMapRaster(files, map, output);
        failed = failed.empty() && InterruptHandler::Interrupted() ? "Interrupted: no map written" : failed;
        failed = failed.empty() ? files.Commit() : failed;
        if (!failed.empty()) {
            reply.error = failed;
            reply.errorOption = "output";
            return reply;
        }
    }
    if (given.Has("manifest")) {
        const std::string line = std::string("{\"tile\":") + (tile ? std::to_string(*tile) : "null") +
            ",\"bounds\":[" + Exact(area.west) + "," + Exact(area.south) + "," + Exact(area.east) + "," +
            Exact(area.north) + "],\"pixels\":[" + std::to_string(grid.firstColumn) + "," +
            std::to_string(grid.firstRow) + "," + std::to_string(grid.width) + "," + std::to_string(grid.height) +
            "],\"file\":" + Quoted(output) + ",\"inputs\":" + Quoted(inputs) + ",\"version\":" +
            Quoted(ZANDREVIO_VERSION) + "}\n";
        const std::string failed = AppendLine(std::string(given.TextOr("manifest", "")), line);
        if (!failed.empty()) {
            reply.error = failed;
            reply.errorOption = "manifest";
            return reply;
        }
    }
    std::size_t served = 0;
    std::size_t read = 0;
    for (const float server : bands.bestServer) {
        served += server != ServerBands::kNoData ? 1 : 0;
    }
    for (const bool r : bands.read) {
        read += r ? 1 : 0;
    }
    reply.results = {Number(kServerSites, static_cast<long double>(servers.size())),
                     Number(kServerSitesRead, static_cast<long double>(read)),
                     Number(kServerWidth, grid.width), Number(kServerHeight, grid.height),
                     Number(kServerServed, static_cast<long double>(served))};
    if (plan) {
        reply.results.push_back(Number(kServerTiles, static_cast<long double>(plan->Count())));
        reply.results.push_back(Number(kServerTile, static_cast<long double>(*tile)));
    }
    reply.warnings = bands.warnings;
    return reply;
}

const ResultSpec kBestIndex{"Best server", "best-server", "", ResultFormat::Whole};
const ResultSpec kBestName{"Best server's name", "best-name", "", ResultFormat::Text};
const ResultSpec kBestLevel{"Best level", "best-level", "dBm", ResultFormat::Hundredths};
const ResultSpec kBestMargin{"Margin over the second", "margin", "dB", ResultFormat::Hundredths};
const ResultSpec kBestCi{"C/I", "ci", "dB", ResultFormat::Hundredths};
const ResultSpec kBestOverlap{"Sites above the threshold", "overlap", "", ResultFormat::Whole};

// best-server --sites FILE --at LAT,LON: the map's figures at one point.
Reply RunBestServer(const Request& given, const std::vector<std::string_view>&)
{
    if (!given.Has("resolution")) {
        throw RequestError("resolution", "the sites' lattices need --resolution, their step in metres");
    }
    const std::optional<GeoPoint> at = ParseCoordinates(given.TextOr("at", ""));
    if (!at || !(std::fabs(at->latitudeDeg) <= 90.0L && std::fabs(at->longitudeDeg) <= 180.0L)) {
        throw RequestError("at", "'" + std::string(given.TextOr("at", "")) + "' is not LAT,LON in degrees on the globe");
    }
    Reply reply;
    const std::vector<ServerSite> sites = SitesOf(given, reply);
    if (reply.Failed()) {
        return reply;
    }
    long double threshold = -100.0L;
    if (given.Has("threshold")) {
        try {
            threshold = ParseReal(given.TextOr("threshold", ""));
        } catch (...) {
            throw RequestError("threshold", "'" + std::string(given.TextOr("threshold", "")) + "' is not a level in dBm");
        }
    }
    const auto computed = ComputeServersAt(
        sites, {*at}, {at->longitudeDeg, at->latitudeDeg, at->longitudeDeg, at->latitudeDeg}, threshold);
    if (!computed.Ok()) {
        reply.error = computed.Error().message;
        reply.errorOption = computed.Error().field;
        return reply;
    }
    const ServerBands& bands = computed.Value();
    if (bands.bestServer.front() == ServerBands::kNoData) {
        reply.error = "No site reaches " + std::string(given.TextOr("at", "")) + " within its radius";
        reply.errorOption = "at";
        return reply;
    }
    const auto orNan = [](float value) {
        return value == ServerBands::kNoData ? std::numeric_limits<long double>::quiet_NaN()
                                             : static_cast<long double>(value);
    };
    const auto index = static_cast<std::size_t>(bands.bestServer.front());
    reply.results = {Number(kBestIndex, index),
                     {&kBestName, 0.0L, sites[index - 1].name, "", ResultFormat::Text},
                     Number(kBestLevel, bands.bestLevel.front()),
                     Number(kBestMargin, orNan(bands.margin.front())),
                     Number(kBestCi, orNan(bands.ci.front())),
                     Number(kBestOverlap, bands.overlap.front())};
    reply.warnings = bands.warnings;
    if (bands.margin.front() == ServerBands::kNoData) {
        reply.warnings.push_back("One site alone reaches the point: it has no margin over a second");
    }
    if (bands.ci.front() == ServerBands::kNoData) {
        reply.warnings.push_back("No other site on the best one's frequency reaches the point: its C/I is unbounded");
    }
    return reply;
}

const ResultSpec kMosaicTiles{"Tiles joined", "tiles", "", ResultFormat::Whole};

// coverage-mosaic --tiles FILE,FILE... --output FILE.vrt: the tiles as one map.
Reply RunMosaic(const Request& given, const std::vector<std::string_view>&)
{
    const std::vector<std::filesystem::path> tiles = SplitFileList(given.TextOr("tiles", ""));
    Reply reply;
    for (const std::filesystem::path& tile : tiles) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(tile, error)) {
            reply.error = "The tile " + tile.string() + " is not there";
            reply.errorOption = "tiles";
            return reply;
        }
    }
    const DemModuleLoad& module = DemModule();
    if (module.mosaic == nullptr) {
        reply.error = module.fault;
        return reply;
    }
    WholeFiles files;
    std::string failed = files.Write(std::string(given.TextOr("output", "")),
                                     [&](const std::filesystem::path& part, std::string& fault) {
                                         module.mosaic(tiles, part, fault);
                                     });
    failed = failed.empty() ? files.Commit() : failed;
    if (!failed.empty()) {
        reply.error = failed;
        reply.errorOption = "output";
        return reply;
    }
    reply.results = {Number(kMosaicTiles, static_cast<long double>(tiles.size()))};
    return reply;
}

} // namespace

Calculation MosaicCalculation()
{
    Variant variant;
    variant.options = {
        {"tiles", "Tiles", FieldKind::Text, "", {}, "the tiles' maps (GeoTIFF), separated by commas", "FILE[,FILE...]"},
        {"output", "Mosaic", FieldKind::Text, "", {}, "the mosaic: a VRT naming the tiles", "FILE.vrt"},
    };
    variant.results = {&kMosaicTiles};
    variant.needs = {"tiles", "output"};
    variant.run = RunMosaic;
    Calculation mosaic;
    mosaic.variants = {std::move(variant)};
    return mosaic;
}

Calculation BestServerCalculation()
{
    const Calculation coverage = CoverageCalculation();
    Variant variant;
    for (const OptionSpec& option : coverage.variants.back().options) {
        const std::string_view name = option.name;
        if (name != "output" && name != "format" && name != "bbox" && name != "tile-grid" && name != "tile" &&
            name != "manifest" && name != "threads") {
            variant.options.push_back(option);
        }
    }
    variant.options.insert(variant.options.begin() + 1,
                           {"at", "Point", FieldKind::Text, "", {}, "LAT,LON in degrees, north and east positive",
                            "LAT,LON"});
    variant.results = {&kBestIndex, &kBestName, &kBestLevel, &kBestMargin, &kBestCi, &kBestOverlap};
    variant.needs = {"dem", "sites", "at"};
    variant.run = RunBestServer;
    Calculation best;
    best.variants = {std::move(variant)};
    return best;
}

Variant ServerVariant(const Variant& single)
{
    Variant variant;
    for (const OptionSpec& option : single.options) {
        if (option.name != "from" && option.name != "lattice-out" && option.name != "contours" &&
            option.name != "contours-out") {
            variant.options.push_back(option);
        }
    }
    for (const OptionSpec& option : ServerOptions()) {
        variant.options.push_back(option);
    }
    variant.results = {&kServerSites, &kServerSitesRead, &kServerWidth, &kServerHeight,
                       &kServerServed, &kServerTiles,    &kServerTile};
    variant.needs = {"dem", "sites"};
    variant.run = RunServers;
    return variant;
}

MapRaster ServerMapRaster(const ServerBands& bands, const std::vector<ServerSite>& servers, long double threshold,
                      const std::string& inputs, std::optional<long long> tile)
{
    const GridWindow& grid = bands.grid;
    MapRaster map;
    map.projection = "+proj=longlat +datum=WGS84 +no_defs";
    map.westM = static_cast<double>(grid.West());
    map.northM = static_cast<double>(grid.North());
    map.pixelM = static_cast<double>(grid.pixelDeg);
    map.width = grid.width;
    map.height = grid.height;
    map.noData = ServerBands::kNoData;
    map.bandNames = {"best-server", "best-level", "margin", "ci", "overlap"};
    map.bands = {bands.bestServer, bands.bestLevel, bands.margin, bands.ci, bands.overlap};
    std::string table = "index,name,latitude,longitude,frequency,radius,read";
    for (std::size_t s = 0; s < servers.size(); ++s) {
        const ServerSite& site = servers[s];
        table += "\n" + std::to_string(s + 1) + "," + Quoted(site.name) + "," + Exact(site.request.site.latitudeDeg) +
            "," + Exact(site.request.site.longitudeDeg) + "," + Exact(site.frequencyMHz) + "," +
            Exact(site.request.radiusKm) + "," + (bands.read[s] ? "yes" : "no");
    }
    map.metadata = {
        {"PROGRAM", std::string("zandrevio-calc ") + ZANDREVIO_VERSION},
        {"GRID", "WGS84 degrees, square pixels of " + Exact(grid.pixelDeg) +
                     " degrees (the resolution's arc on a sphere of 6371 km), column 0 west at -180, row 0 north "
                     "at 90; this map from column " + std::to_string(grid.firstColumn) + ", row " +
                     std::to_string(grid.firstRow)},
        {"RULE", "each site gives a pixel its lattice point of the nearest radial and the nearest step from the "
                 "site to the pixel's centre, within its radius; a tie of levels goes to the site listed first"},
        {"BANDS", "best-server (1 + the site's index), best-level (dBm), margin (dB over the second), ci (dB, "
                  "against the sum of the others on its frequency), overlap (sites at or above " +
                      Exact(threshold) + " dBm)"},
        {"SITES", table},
        {"INPUTS", inputs},
    };
    std::string warnings;
    for (const std::string& warning : bands.warnings) {
        warnings += (warnings.empty() ? "" : "; ") + warning;
    }
    map.metadata.push_back({"WARNINGS", warnings});
    if (tile) {
        map.metadata.push_back({"TILE", std::to_string(*tile)});
    }
    return map;
}

} // namespace zandrevio
