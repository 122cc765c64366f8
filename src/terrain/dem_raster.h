#pragma once

#include "terrain/great_circle.h"
#include "terrain/profile.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Elevation rasters opened through GDAL (SRTM .hgt, GeoTIFF, VRT, anything
// GDAL reads), sampled at places given in WGS84 degrees. Only the blocks a
// sample touches are read, and a bounded number of them kept.
namespace zandrevio {

class DemRaster {
public:
    // Opens the files as one elevation surface. Several files of the same
    // coordinate system become one mosaic (an in-memory VRT), so that a
    // sample between two tiles takes pixels from both; files of different
    // systems are tried one by one at each place. Refused: no file, a file
    // GDAL cannot open as a raster, a raster without a band or georeference,
    // a coordinate system GDAL cannot transform WGS84 degrees into; and, the
    // first time, GDAL itself where it cannot be loaded.
    //
    // GDAL and the hundred libraries it needs are loaded here, the first time
    // elevation data is read, never at start: the reader is the module
    // zandrevio_dem (dem_gdal.cpp), opened by DemModule().
    static TerrainOutcome<std::shared_ptr<DemRaster>> Open(const std::vector<std::filesystem::path>& files);

    virtual ~DemRaster() = default;
    DemRaster(const DemRaster&) = delete;
    DemRaster& operator=(const DemRaster&) = delete;

    enum class Sample { Height, Outside, NoData, Unreadable };
    // The height (m) at a place, bilinear between the four pixel centres
    // around it; Outside where those pixels are not all in the data, NoData
    // where one of them that carries weight is a no-data cell, Unreadable
    // where GDAL failed to read them (ReadFault says why).
    virtual Sample HeightAt(GeoPoint place, long double& heightM) = 0;
    virtual const std::string& ReadFault() const = 0;

    // The raster's pixel size in metres at a latitude: the smaller of its
    // two sides (a geographic raster's columns narrow with the cosine of the
    // latitude).
    virtual long double PixelSizeM(long double latitudeDeg) const = 0;

protected:
    DemRaster() = default;
};

// What the module zandrevio_dem gives: the opening of rasters through GDAL.
using DemOpenFunction = void (*)(const std::vector<std::filesystem::path>& files,
                                 TerrainOutcome<std::shared_ptr<DemRaster>>& opened);
// The name of that function in the module.
inline constexpr const char* kDemOpenSymbol = "zandrevio_open_dem";

// The module's open function, loaded the first time it is asked for, or why
// it cannot be: the module is looked for in $ZANDREVIO_DEM_MODULE (a file),
// beside the program or library this code is linked into, where it is
// installed, then where the build wrote it.
struct MapRaster;
using MapWriteFunction = void (*)(const MapRaster& map, const std::filesystem::path& file, std::string& fault);
using ContourWriteFunction = void (*)(const MapRaster& map, int band, const std::vector<double>& levels,
                                      const std::filesystem::path& file, std::string& fault);
struct ColourScale;
using OverlayWriteFunction = void (*)(const MapRaster& map, int band, const ColourScale& scale,
                                      const std::filesystem::path& file, std::string& fault);
// "NAME SIZE SHA256" of a file, or why it cannot be read.
using MosaicFunction = void (*)(const std::vector<std::filesystem::path>& tiles, const std::filesystem::path& file,
                                std::string& fault);
using FingerprintFunction = void (*)(const std::filesystem::path& file, std::string& fingerprint);
struct DemModuleLoad {
    DemOpenFunction open = nullptr;
    MapWriteFunction write = nullptr;        // the GeoTIFF writer of maps (coverage/map_raster.h)
    ContourWriteFunction contours = nullptr; // and their contours
    OverlayWriteFunction overlay = nullptr;   // and their KMZ overlays
    FingerprintFunction fingerprint = nullptr; // a file's size and SHA-256, for a map's record
    MosaicFunction mosaic = nullptr;           // tiles joined into one VRT
    std::string fault;
};
const DemModuleLoad& DemModule();

} // namespace zandrevio
