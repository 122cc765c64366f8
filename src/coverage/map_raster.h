#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// A map as GDAL writes it: float bands on a grid of square pixels in a
// projected system, with its no-data value and its metadata.
namespace zandrevio {

struct MapRaster {
    std::string projection;      // a PROJ string
    double westM = 0, northM = 0; // the outer corner of the first pixel
    double pixelM = 0;
    int width = 0, height = 0;
    float noData = -9999.0F;
    std::vector<std::string> bandNames;
    std::vector<std::vector<float>> bands; // row by row, the northern first
    std::vector<std::pair<std::string, std::string>> metadata;
    // Files the map was made from: each is named in the metadata with its
    // size and SHA-256 (ELEVATION_FILE_1, ...), so that it can be audited.
    std::vector<std::filesystem::path> sources;
    // The antenna pattern files it used, named likewise (ANTENNA_FILE_1, ...).
    std::vector<std::filesystem::path> antennas;
};

// The files of one run, written under temporary names and renamed together
// when every one is whole: an interrupted or failed run leaves no file, new
// or half written, and never a map beside another run's contours.
class WholeFiles {
public:
    WholeFiles() = default;
    ~WholeFiles(); // removes what was written and not committed
    WholeFiles(const WholeFiles&) = delete;
    WholeFiles& operator=(const WholeFiles&) = delete;

    // Writes `file` through `write` (which writes the name it is given and
    // says why not) under a temporary name; empty on success, else why not,
    // and nothing left behind.
    std::string Write(const std::filesystem::path& file,
                      const std::function<void(const std::filesystem::path&, std::string&)>& write);
    // Renames every file written to its name, all or none (the files there
    // before are put back); empty on success, else why not.
    std::string Commit();
    // The file a failed Commit names.
    const std::filesystem::path& Failed() const { return m_failed; }

private:
    static std::filesystem::path PartOf(const std::filesystem::path& file);
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> m_parts; // the file, its temporary
    std::filesystem::path m_failed;
};

// What the module zandrevio_dem gives beside its reader: the GeoTIFF writer.
using MapWriteFunction = void (*)(const MapRaster& map, const std::filesystem::path& file, std::string& fault);
inline constexpr const char* kMapWriteSymbol = "zandrevio_write_map";

// What the module gives for contours: the lines where band `band` (0 the
// first) crosses each of `levels`, as GeoJSON (RFC 7946, WGS84 degrees) or,
// for a name ending in ".kml", KML; written to `file` as it is.
using ContourWriteFunction = void (*)(const MapRaster& map, int band, const std::vector<double>& levels,
                                      const std::filesystem::path& file, std::string& fault);
inline constexpr const char* kContourWriteSymbol = "zandrevio_write_contours";

// The contours of a band, written through `files`; empty on success, else
// why not.
std::string WriteContours(WholeFiles& files, const MapRaster& map, int band, const std::vector<double>& levels,
                          const std::filesystem::path& file);

// A colour step of an overlay, at a value of the band.
struct ColourStep {
    double at;
    unsigned char red, green, blue;
};
// The colours of an overlay, steps in ascending value. Where higher values
// are stronger (a level) a step colours the values from its own up to the
// next step's and the values below the first are transparent; where lower
// values are stronger (a loss) a step colours the values from the step
// before up to its own and the values above the last are transparent:
// either way the weakest are left clear.
struct ColourScale {
    std::vector<ColourStep> steps;
    bool higherIsStronger = true;
    std::string unit;
};
// What the module gives for an overlay: band `band` coloured by `scale`
// (no-data transparent), in WGS84 degrees, as a KMZ for Google Earth and GIS
// tools: a ground overlay (PNG) with its legend (a screen overlay and the
// steps' table); written to `file` as it is.
using OverlayWriteFunction = void (*)(const MapRaster& map, int band, const ColourScale& scale,
                                      const std::filesystem::path& file, std::string& fault);
inline constexpr const char* kOverlayWriteSymbol = "zandrevio_write_overlay";

// The overlay as a KMZ, written through `files`; empty on success, else why
// not.
std::string WriteOverlay(WholeFiles& files, const MapRaster& map, int band, const ColourScale& scale,
                         const std::filesystem::path& file);

// Writes the map as a GeoTIFF (float32, deflated) through `files`: a map is
// there entirely or not at all. Empty on success, else why not.
std::string WriteMapRaster(WholeFiles& files, const MapRaster& map, const std::filesystem::path& file);

} // namespace zandrevio
