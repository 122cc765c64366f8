#include "test_rasters.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <stdexcept>
#include <vector>

namespace zandrevio::test {

std::filesystem::path WriteRaster(const std::filesystem::path& directory, const std::string& name,
                                  const RasterShape& shape, const char* const* options)
{
    GDALAllRegister();
    const std::filesystem::path path = directory / name;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    GDALDatasetUniquePtr dataset(
        driver->Create(path.c_str(), shape.columns, shape.rows, 1, GDT_Float64, const_cast<char**>(options)));
    if (!dataset) {
        throw std::runtime_error("GDAL could not create " + path.string());
    }
    double geo[6] = {shape.west, shape.pixel, 0.0, shape.north, 0.0, -shape.pixel};
    dataset->SetGeoTransform(geo);
    OGRSpatialReference system;
    system.importFromEPSG(shape.epsg);
    dataset->SetSpatialRef(&system);
    GDALRasterBand* band = dataset->GetRasterBand(1);
    if (shape.noData) {
        band->SetNoDataValue(*shape.noData);
    }
    std::vector<double> row(static_cast<std::size_t>(shape.columns));
    for (int r = 0; r < shape.rows; ++r) {
        for (int c = 0; c < shape.columns; ++c) {
            row[static_cast<std::size_t>(c)] = shape.height(c, r);
        }
        if (band->RasterIO(GF_Write, 0, r, shape.columns, 1, row.data(), shape.columns, 1, GDT_Float64, 0, 0,
                           nullptr) != CE_None) {
            throw std::runtime_error("GDAL could not write " + path.string());
        }
    }
    return path;
}

} // namespace zandrevio::test
