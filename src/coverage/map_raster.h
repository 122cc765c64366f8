#pragma once

#include <filesystem>
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

// The contours of a band, written under a temporary name and renamed; empty
// on success, else why not.
std::string WriteContours(const MapRaster& map, int band, const std::vector<double>& levels,
                          const std::filesystem::path& file);

// A colour step of an overlay: values from `from` up (to the next step's)
// drawn in this colour.
struct ColourStep {
    double from;
    unsigned char red, green, blue;
};
// What the module gives for an overlay: band `band` coloured by `steps`
// (below the first step and no-data transparent), in WGS84 degrees, as a
// KMZ for Google Earth and GIS tools: a ground overlay (PNG) with its
// legend (a screen overlay and the steps' table); written to `file` as it is.
using OverlayWriteFunction = void (*)(const MapRaster& map, int band, const std::vector<ColourStep>& steps,
                                      const std::string& unit, const std::filesystem::path& file, std::string& fault);
inline constexpr const char* kOverlayWriteSymbol = "zandrevio_write_overlay";

// The overlay as a KMZ, under a temporary name and renamed; empty on
// success, else why not.
std::string WriteOverlay(const MapRaster& map, int band, const std::vector<ColourStep>& steps, const std::string& unit,
                         const std::filesystem::path& file);

// Writes the map as a GeoTIFF (float32, deflated) under a temporary name
// beside `file`, renamed to it when whole: a map is there entirely or not at
// all. Empty on success, else why not.
std::string WriteMapRaster(const MapRaster& map, const std::filesystem::path& file);

} // namespace zandrevio
