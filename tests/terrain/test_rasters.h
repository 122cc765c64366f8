#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// Small elevation rasters written with GDAL for the terrain tests.
namespace zandrevio::test {

struct RasterShape {
    int columns;
    int rows;
    double west;  // the left edge, in the raster's coordinates
    double north; // the top edge
    double pixel; // the side of a pixel (degrees, or metres when projected)
    std::function<double(int column, int row)> height;
    std::optional<double> noData = std::nullopt;
    int epsg = 4326;
};

// Writes a one-band Float64 GeoTIFF `name` into `directory`; options are
// GDAL creation options such as "TILED=YES".
std::filesystem::path WriteRaster(const std::filesystem::path& directory, const std::string& name,
                                  const RasterShape& shape, const char* const* options = nullptr);

} // namespace zandrevio::test
