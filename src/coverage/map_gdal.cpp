// The GeoTIFF writer of maps, in the module zandrevio_dem beside the
// elevation reader: GDAL is loaded only when a map or elevation data is.
#include "coverage/map_raster.h"

#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_alg.h>
#include <gdal_utils.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>
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
    if (in.bad()) {
        return file.string() + " unreadable after " + std::to_string(size) + " bytes";
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

// Places a dataset as the map lies: its grid and its projection; false
// where GDAL refuses either.
bool Georeference(GDALDataset* dataset, const zandrevio::MapRaster& map)
{
    double transform[6] = {map.westM, map.pixelM, 0.0, map.northM, 0.0, -map.pixelM};
    OGRSpatialReference system;
    return dataset->SetGeoTransform(transform) == CE_None &&
        system.importFromProj4(map.projection.c_str()) == OGRERR_NONE && dataset->SetSpatialRef(&system) == CE_None;
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
    bool written = Georeference(dataset, map);
    for (const auto& [name, value] : map.metadata) {
        written = written && dataset->SetMetadataItem(name.c_str(), value.c_str()) == CE_None;
    }
    for (std::size_t i = 0; i < map.sources.size(); ++i) {
        const std::string name = "ELEVATION_FILE_" + std::to_string(i + 1);
        written = written && dataset->SetMetadataItem(name.c_str(), Fingerprint(map.sources[i]).c_str()) == CE_None;
    }
    for (std::size_t i = 0; i < map.antennas.size(); ++i) {
        const std::string name = "ANTENNA_FILE_" + std::to_string(i + 1);
        written = written && dataset->SetMetadataItem(name.c_str(), Fingerprint(map.antennas[i]).c_str()) == CE_None;
    }
    for (std::size_t i = 0; i < map.bands.size() && written; ++i) {
        GDALRasterBand* band = dataset->GetRasterBand(static_cast<int>(i) + 1);
        band->SetDescription(map.bandNames[i].c_str());
        written = band->SetNoDataValue(map.noData) == CE_None && band->RasterIO(GF_Write, 0, 0, map.width, map.height, const_cast<float*>(map.bands[i].data()),
                                 map.width, map.height, GDT_Float32, 0, 0) == CE_None;
    }
    // Closing writes what is still buffered: its failure (a full disk) is the map's.
    GDALClose(GDALDataset::ToHandle(dataset));
    if (!written || CPLGetLastErrorType() >= CE_Failure) {
        fault = LastGdalError("the map could not be written");
    }
    CPLPopErrorHandler();
}

// A dataset in memory; null where GDAL has no MEM driver or no memory.
GDALDataset* MemoryDataset(int width, int height, int bands, GDALDataType type)
{
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("MEM");
    return driver == nullptr ? nullptr : driver->Create("", width, height, bands, type, nullptr);
}

// The band as a dataset in memory, georeferenced as the map.
GDALDataset* InMemory(const zandrevio::MapRaster& map, int band)
{
    GDALDataset* memory = MemoryDataset(map.width, map.height, 1, GDT_Float32);
    if (memory == nullptr) {
        return nullptr;
    }
    GDALRasterBand* target = memory->GetRasterBand(1);
    if (!Georeference(memory, map) || target->SetNoDataValue(map.noData) != CE_None ||
        target->RasterIO(GF_Write, 0, 0, map.width, map.height,
                         const_cast<float*>(map.bands[static_cast<std::size_t>(band)].data()), map.width, map.height,
                         GDT_Float32, 0, 0) != CE_None) {
        GDALClose(GDALDataset::ToHandle(memory));
        return nullptr;
    }
    return memory;
}

void WriteContours(const zandrevio::MapRaster& map, int band, const std::vector<double>& levels,
                   const std::filesystem::path& file, std::string& fault)
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    const bool kml = file.extension() == ".kml";
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(kml ? "KML" : "GeoJSON");
    GDALDataset* memory = InMemory(map, band);
    GDALDataset* vectors =
        driver == nullptr ? nullptr : driver->Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (memory == nullptr || vectors == nullptr) {
        fault = LastGdalError("the contours could not be created");
    } else {
        OGRSpatialReference system;
        if (system.importFromProj4(map.projection.c_str()) != OGRERR_NONE) {
            fault = LastGdalError("the map's projection is not understood");
        }
        CPLStringList layerOptions;
        if (!kml) {
            layerOptions.SetNameValue("RFC7946", "YES"); // WGS84 degrees, as GeoJSON requires
        }
        const std::string name = map.bandNames[static_cast<std::size_t>(band)];
        OGRLayer* layer = fault.empty()
            ? vectors->CreateLayer("contours", &system, wkbLineString, layerOptions.List())
            : nullptr;
        OGRFieldDefn field(name.c_str(), OFTReal);
        if (layer == nullptr || layer->CreateField(&field) != OGRERR_NONE) {
            fault = fault.empty() ? LastGdalError("the contours could not be created") : fault;
        } else {
            std::string fixed = "FIXED_LEVELS=";
            for (std::size_t i = 0; i < levels.size(); ++i) {
                fixed += (i == 0 ? "" : ",") + std::to_string(levels[i]);
            }
            CPLStringList options;
            options.AddString(fixed.c_str());
            // The field by its index, as the generator reads it.
            const int field = layer->GetLayerDefn()->GetFieldIndex(name.c_str());
            options.AddString(("ELEV_FIELD=" + std::to_string(field)).c_str());
            options.AddString(("NODATA=" + std::to_string(map.noData)).c_str());
            if (GDALContourGenerateEx(memory->GetRasterBand(1), OGRLayer::ToHandle(layer), options.List(), nullptr,
                                      nullptr) != CE_None) {
                fault = LastGdalError("the contours could not be traced");
            }
        }
    }
    if (memory != nullptr) {
        GDALClose(GDALDataset::ToHandle(memory));
    }
    if (vectors != nullptr) {
        GDALClose(GDALDataset::ToHandle(vectors));
    }
    if (fault.empty() && CPLGetLastErrorType() >= CE_Failure) {
        fault = LastGdalError("the contours could not be written");
    }
    CPLPopErrorHandler();
}

// The text of a number for KML and the legend: as short as it is exact.
std::string Short(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// A string written into the zip, or why not.
bool WriteEntry(const std::string& path, const std::string& text)
{
    VSILFILE* entry = VSIFOpenL(path.c_str(), "wb");
    if (entry == nullptr) {
        return false;
    }
    const bool written = VSIFWriteL(text.data(), 1, text.size(), entry) == text.size();
    return VSIFCloseL(entry) == 0 && written;
}

// A PNG of RGBA pixels into the zip.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba)
{
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("PNG");
    GDALDataset* image = driver == nullptr ? nullptr : MemoryDataset(width, height, 4, GDT_Byte);
    if (image == nullptr) {
        CPLError(CE_Failure, CPLE_AppDefined, "GDAL has no PNG or no MEM driver");
        return false;
    }
    bool written = true;
    for (int band = 0; band < 4 && written; ++band) {
        written = image->GetRasterBand(band + 1)->RasterIO(GF_Write, 0, 0, width, height,
                                                           const_cast<unsigned char*>(rgba.data()) + band, width,
                                                           height, GDT_Byte, 4, 4 * width) == CE_None;
    }
    GDALDataset* png = written ? driver->CreateCopy(path.c_str(), image, FALSE, nullptr, nullptr, nullptr) : nullptr;
    GDALClose(GDALDataset::ToHandle(image));
    if (png == nullptr) {
        return false;
    }
    GDALClose(GDALDataset::ToHandle(png));
    return CPLGetLastErrorType() < CE_Failure;
}

// The step that colours `value` on `scale`, or none (transparent).
const zandrevio::ColourStep* StepOf(const zandrevio::ColourScale& scale, float value)
{
    const zandrevio::ColourStep* colour = nullptr;
    if (scale.higherIsStronger) {
        for (const zandrevio::ColourStep& step : scale.steps) {
            colour = value >= step.at ? &step : colour;
        }
    } else {
        for (auto step = scale.steps.rbegin(); step != scale.steps.rend(); ++step) {
            colour = value <= step->at ? &*step : colour;
        }
    }
    return colour;
}

// What a step of the legend covers.
std::string Span(const zandrevio::ColourScale& scale, std::size_t i)
{
    const std::vector<zandrevio::ColourStep>& steps = scale.steps;
    if (scale.higherIsStronger) {
        return i + 1 < steps.size() ? Short(steps[i].at) + " to " + Short(steps[i + 1].at)
                                    : Short(steps[i].at) + " and above";
    }
    return i > 0 ? Short(steps[i - 1].at) + " to " + Short(steps[i].at) : Short(steps[i].at) + " and below";
}

void WriteOverlay(const zandrevio::MapRaster& map, int band, const zandrevio::ColourScale& scale,
                  const std::filesystem::path& file, std::string& fault)
{
    const std::vector<zandrevio::ColourStep>& steps = scale.steps;
    const std::string& unit = scale.unit;
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    // The band in WGS84 degrees, each pixel the map's nearest (no value is blended).
    GDALDataset* memory = InMemory(map, band);
    GDALDatasetH degrees = nullptr;
    if (memory != nullptr) {
        CPLStringList arguments;
        for (const char* argument : {"-of", "MEM", "-t_srs", "EPSG:4326", "-r", "near", "-dstnodata", "-9999"}) {
            arguments.AddString(argument);
        }
        GDALWarpAppOptions* options = GDALWarpAppOptionsNew(arguments.List(), nullptr);
        GDALDatasetH source = GDALDataset::ToHandle(memory);
        degrees = GDALWarp("", nullptr, 1, &source, options, nullptr);
        GDALWarpAppOptionsFree(options);
    }
    if (degrees == nullptr) {
        fault = LastGdalError("the overlay could not be projected");
    } else {
        GDALDataset* warped = GDALDataset::FromHandle(degrees);
        const int width = warped->GetRasterXSize();
        const int height = warped->GetRasterYSize();
        std::vector<float> values(static_cast<std::size_t>(width) * height);
        double transform[6];
        if (warped->GetGeoTransform(transform) != CE_None ||
            warped->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, width, height, values.data(), width, height,
                                               GDT_Float32, 0, 0) != CE_None) {
            fault = LastGdalError("the overlay could not be read back");
        }
        std::vector<unsigned char> rgba(values.size() * 4, 0);
        for (std::size_t i = 0; i < values.size() && fault.empty(); ++i) {
            const float value = values[i];
            if (value == -9999.0F || value == map.noData) {
                continue;
            }
            const zandrevio::ColourStep* colour = StepOf(scale, value);
            if (colour != nullptr) {
                rgba[4 * i] = colour->red;
                rgba[4 * i + 1] = colour->green;
                rgba[4 * i + 2] = colour->blue;
                rgba[4 * i + 3] = 170; // the terrain shows through
            }
        }
        // The legend: a bar of the steps, one colour a row, beside their values in the document's table.
        const int rows = static_cast<int>(steps.size());
        std::vector<unsigned char> legend(static_cast<std::size_t>(24) * 16 * rows * 4, 255);
        for (int r = 0; r < rows; ++r) {
            const zandrevio::ColourStep& step = steps[static_cast<std::size_t>(rows - 1 - r)]; // the highest on top
            for (int y = r * 16; y < r * 16 + 16; ++y) {
                for (int x = 0; x < 24; ++x) {
                    unsigned char* pixel = &legend[(static_cast<std::size_t>(y) * 24 + x) * 4];
                    pixel[0] = step.red;
                    pixel[1] = step.green;
                    pixel[2] = step.blue;
                }
            }
        }
        std::string table;
        for (std::size_t i = steps.size(); i-- > 0;) {
            char colour[8];
            std::snprintf(colour, sizeof colour, "%02x%02x%02x", steps[i].red, steps[i].green, steps[i].blue);
            table += "<tr><td bgcolor=\"#" + std::string(colour) + "\" width=\"24\"></td><td>" +
Span(scale, i) + " " + unit + "</td></tr>";
        }
        const double west = transform[0];
        const double north = transform[3];
        const double east = west + transform[1] * width;
        const double south = north + transform[5] * height;
        // Across the 180th meridian or a pole the warp cannot be one image.
        if (fault.empty() && (width <= 0 || height <= 0 || !(east - west < 180.0) || west < -180.0 || east > 180.0 ||
                              south < -90.0 || north > 90.0)) {
            fault = "the overlay would cross the 180th meridian or a pole: write the map as a GeoTIFF";
        }
        const std::string name = map.bandNames[static_cast<std::size_t>(band)];
        const std::string kml =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document><name>Coverage: " + name + "</name>\n"
            "<description><![CDATA[<table>" + table + "</table>]]></description>\n"
            "<GroundOverlay><name>" + name + " (" + unit + ")</name><Icon><href>overlay.png</href></Icon>"
            "<LatLonBox><north>" + Short(north) + "</north><south>" + Short(south) + "</south><east>" + Short(east) +
            "</east><west>" + Short(west) + "</west></LatLonBox></GroundOverlay>\n"
            "<ScreenOverlay><name>Legend</name><Icon><href>legend.png</href></Icon>"
            "<overlayXY x=\"0\" y=\"1\" xunits=\"fraction\" yunits=\"fraction\"/>"
            "<screenXY x=\"10\" y=\"10\" xunits=\"pixels\" yunits=\"insetPixels\"/></ScreenOverlay>\n"
            "</Document></kml>\n";
        const std::string zip = "/vsizip/" + file.string();
        if (fault.empty() && !(WriteEntry(zip + "/doc.kml", kml) && WritePng(zip + "/overlay.png", width, height, rgba) &&
                               WritePng(zip + "/legend.png", 24, 16 * rows, legend))) {
            fault = LastGdalError("the overlay could not be written");
        }
        GDALClose(degrees);
    }
    if (memory != nullptr) {
        GDALClose(GDALDataset::ToHandle(memory));
    }
    CPLPopErrorHandler();
}

// Tiles joined into one VRT (GDAL's virtual mosaic), the files named as given.
void BuildMosaic(const std::vector<std::filesystem::path>& tiles, const std::filesystem::path& file, std::string& fault)
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
    CPLStringList names;
    for (const std::filesystem::path& tile : tiles) {
        names.AddString(tile.c_str());
    }
    int usageError = FALSE;
    GDALDatasetH mosaic = GDALBuildVRT(file.c_str(), names.size(), nullptr, names.List(), nullptr, &usageError);
    if (mosaic == nullptr) {
        fault = LastGdalError("the tiles could not be joined");
    } else {
        GDALClose(mosaic);
        if (CPLGetLastErrorType() >= CE_Failure) {
            fault = LastGdalError("the mosaic could not be written");
        }
    }
    CPLPopErrorHandler();
}

} // namespace

extern "C" __attribute__((visibility("default"))) void
zandrevio_build_mosaic(const std::vector<std::filesystem::path>& tiles, const std::filesystem::path& file,
                       std::string& fault)
{
    BuildMosaic(tiles, file, fault);
}

extern "C" __attribute__((visibility("default"))) void zandrevio_fingerprint(const std::filesystem::path& file,
                                                                            std::string& fingerprint)
{
    fingerprint = Fingerprint(file);
}

extern "C" __attribute__((visibility("default"))) void
zandrevio_write_overlay(const zandrevio::MapRaster& map, int band, const zandrevio::ColourScale& scale,
                        const std::filesystem::path& file, std::string& fault)
{
    WriteOverlay(map, band, scale, file, fault);
}

extern "C" __attribute__((visibility("default"))) void
zandrevio_write_contours(const zandrevio::MapRaster& map, int band, const std::vector<double>& levels,
                         const std::filesystem::path& file, std::string& fault)
{
    WriteContours(map, band, levels, file, fault);
}

extern "C" __attribute__((visibility("default"))) void
zandrevio_write_map(const zandrevio::MapRaster& map, const std::filesystem::path& file, std::string& fault)
{
    WriteMap(map, file, fault);
}
