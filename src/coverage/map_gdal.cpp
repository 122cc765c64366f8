// The GeoTIFF writer of maps, in the module zandrevio_dem beside the
// elevation reader: GDAL is loaded only when a map or elevation data is.
#include "coverage/map_raster.h"

#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <nettle/sha2.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <mutex>

namespace {

std::string LastGdalError(const char* fallback)
{
    const char* message = CPLGetLastErrorMsg();
    return message != nullptr && *message != '\0' ? std::string(message) : std::string(fallback);
}

// "NAME SIZE SHA256" of a file, or why it cannot be read.
std::string Fingerprint(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return file.string() + " unreadable";
    }
    sha256_ctx context;
    sha256_init(&context);
    std::array<char, 1 << 16> buffer{};
    std::uint64_t size = 0;
    while (in) {
        in.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        sha256_update(&context, got, reinterpret_cast<const std::uint8_t*>(buffer.data()));
        size += got;
    }
    std::array<std::uint8_t, SHA256_DIGEST_SIZE> digest{};
    sha256_digest(&context, digest.size(), digest.data());
    std::string text = file.string() + " " + std::to_string(size) + " ";
    for (const std::uint8_t byte : digest) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        text += hex;
    }
    return text;
}

void WriteMap(const zandrevio::MapRaster& map, const std::filesystem::path& file, std::string& fault)
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
    if (driver == nullptr) {
        fault = "GDAL has no GeoTIFF driver";
        CPLPopErrorHandler();
        return;
    }
    CPLStringList options;
    options.SetNameValue("COMPRESS", "DEFLATE");
    options.SetNameValue("PREDICTOR", "3"); // floating point: deflates better, loses nothing
    options.SetNameValue("TILED", "YES");
    GDALDataset* dataset = driver->Create(file.c_str(), map.width, map.height, static_cast<int>(map.bands.size()),
                                          GDT_Float32, options.List());
    if (dataset == nullptr) {
        fault = LastGdalError("the map could not be created");
        CPLPopErrorHandler();
        return;
    }
    double transform[6] = {map.westM, map.pixelM, 0.0, map.northM, 0.0, -map.pixelM};
    dataset->SetGeoTransform(transform);
    OGRSpatialReference system;
    if (system.importFromProj4(map.projection.c_str()) == OGRERR_NONE) {
        dataset->SetSpatialRef(&system);
    }
    for (const auto& [name, value] : map.metadata) {
        dataset->SetMetadataItem(name.c_str(), value.c_str());
    }
    for (std::size_t i = 0; i < map.sources.size(); ++i) {
        const std::string name = "ELEVATION_FILE_" + std::to_string(i + 1);
        dataset->SetMetadataItem(name.c_str(), Fingerprint(map.sources[i]).c_str());
    }
    bool written = true;
    for (std::size_t i = 0; i < map.bands.size() && written; ++i) {
        GDALRasterBand* band = dataset->GetRasterBand(static_cast<int>(i) + 1);
        band->SetNoDataValue(map.noData);
        band->SetDescription(map.bandNames[i].c_str());
        written = band->RasterIO(GF_Write, 0, 0, map.width, map.height, const_cast<float*>(map.bands[i].data()),
                                 map.width, map.height, GDT_Float32, 0, 0) == CE_None;
    }
    // Closing writes what is still buffered: its failure (a full disk) is the map's.
    GDALClose(GDALDataset::ToHandle(dataset));
    if (!written || CPLGetLastErrorType() >= CE_Failure) {
        fault = LastGdalError("the map could not be written");
    }
    CPLPopErrorHandler();
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
zandrevio_write_map(const zandrevio::MapRaster& map, const std::filesystem::path& file, std::string& fault)
{
    WriteMap(map, file, fault);
}
