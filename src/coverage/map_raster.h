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

// Writes the map as a GeoTIFF (float32, deflated) under a temporary name
// beside `file`, renamed to it when whole: a map is there entirely or not at
// all. Empty on success, else why not.
std::string WriteMapRaster(const MapRaster& map, const std::filesystem::path& file);

} // namespace zandrevio
