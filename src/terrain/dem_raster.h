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
    // a coordinate system GDAL cannot transform WGS84 degrees into.
    static TerrainOutcome<std::shared_ptr<DemRaster>> Open(const std::vector<std::filesystem::path>& files);

    ~DemRaster();
    DemRaster(const DemRaster&) = delete;
    DemRaster& operator=(const DemRaster&) = delete;

    enum class Sample { Height, Outside, NoData, Unreadable };
    // The height (m) at a place, bilinear between the four pixel centres
    // around it; Outside where those pixels are not all in the data, NoData
    // where one of them that carries weight is a no-data cell, Unreadable
    // where GDAL failed to read them (ReadFault says why).
    Sample HeightAt(GeoPoint place, long double& heightM);
    const std::string& ReadFault() const { return m_readFault; }

    // The raster's pixel size in metres at a latitude: the smaller of its
    // two sides (a geographic raster's columns narrow with the cosine of the
    // latitude).
    long double PixelSizeM(long double latitudeDeg) const;

private:
    struct Source;
    DemRaster();
    std::vector<std::unique_ptr<Source>> m_sources;
    std::string m_readFault;
};

} // namespace zandrevio
