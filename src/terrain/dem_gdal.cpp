// The elevation reader behind DemRaster: GDAL, in the module zandrevio_dem
// that the program loads the first time elevation data is read.
#include "terrain/dem_raster.h"

#include "numeric/checked_trig.h"
#include "numeric/radio.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <gdal_utils.h>
#include <ogr_spatialref.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace zandrevio {

namespace {

// Windows kept at once, counted in pixels: 32 MB of heights.
constexpr std::size_t kCachedPixels = std::size_t{4} << 20;
// The windows read: the raster's blocks, cut to at most kWindow pixels a
// side, so that a raster stored in rows (an SRTM tile, a striped GeoTIFF)
// has only the stretch of a row near the path converted.
constexpr int kWindow = 256;

constexpr long double kMetresPerDegree = radio::kEarthRadiusKm * 1000.0L * radio::kPi / 180.0L;

void RegisterDrivers()
{
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

// GDAL's messages go to this object rather than to stderr, the last one
// kept for a refusal.
class QuietGdal {
public:
    QuietGdal()
    {
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;

    static std::string Message()
    {
        const char* message = CPLGetLastErrorMsg();
        return message != nullptr && *message != '\0' ? std::string(": ") + message : std::string();
    }
};

struct TransformDeleter {
    void operator()(OGRCoordinateTransformation* transform) const { OGRCoordinateTransformation::DestroyCT(transform); }
};
using Transform = std::unique_ptr<OGRCoordinateTransformation, TransformDeleter>;

// A box of georeferenced coordinates: one file's extent inside a mosaic.
struct Extent {
    double minX, minY, maxX, maxY;
    bool Holds(double x, double y) const { return x >= minX && x <= maxX && y >= minY && y <= maxY; }
};

Extent ExtentOf(GDALDataset& dataset, const double geo[6])
{
    const double x1 = geo[0] + dataset.GetRasterXSize() * geo[1];
    const double y1 = geo[3] + dataset.GetRasterYSize() * geo[5];
    return {std::min(geo[0], x1), std::min(geo[3], y1), std::max(geo[0], x1), std::max(geo[3], y1)};
}

struct Source;

class GdalRaster final : public DemRaster {
public:
    GdalRaster();
    ~GdalRaster() override;
    static void Open(const std::vector<std::filesystem::path>& files, TerrainOutcome<std::shared_ptr<DemRaster>>& out);
    Sample HeightAt(GeoPoint place, long double& heightM) override;
    const std::string& ReadFault() const override { return m_readFault; }
    long double PixelSizeM(long double latitudeDeg) const override;

private:
    static TerrainOutcome<std::shared_ptr<DemRaster>> OpenRasters(const std::vector<std::filesystem::path>& files);

    std::vector<std::unique_ptr<Source>> m_sources;
    std::string m_readFault;
};

struct Source {
    std::string name;
    GDALDatasetUniquePtr dataset;
    GDALRasterBand* band = nullptr;
    double geo[6] = {};
    double toPixel[6] = {};
    Transform toRaster; // WGS84 degrees to the raster's system; null where they are the same
    bool geographic = true;
    double metresPerUnit = 1.0;
    bool hasNoData = false;
    double noData = 0.0;
    double scale = 1.0;
    double offset = 0.0;
    int width = 0;
    int height = 0;
    int blockWidth = 0; // the window read at once
    int blockHeight = 0;
    std::vector<Extent> members; // a mosaic's files; empty for one file
    std::unordered_map<std::uint64_t, std::unique_ptr<double[]>> blocks;
    std::size_t cachedPixels = 0;

    // One pixel's value through the window cache; false where it cannot be read.
    bool Pixel(int column, int row, double& value)
    {
        const int bx = column / blockWidth;
        const int by = row / blockHeight;
        const std::uint64_t key = (static_cast<std::uint64_t>(by) << 32) | static_cast<std::uint32_t>(bx);
        auto found = blocks.find(key);
        if (found == blocks.end()) {
            const int x0 = bx * blockWidth;
            const int y0 = by * blockHeight;
            const int w = std::min(blockWidth, width - x0);
            const int h = std::min(blockHeight, height - y0);
            const std::size_t pixels = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
            auto block = std::make_unique_for_overwrite<double[]>(pixels);
            if (band->RasterIO(GF_Read, x0, y0, w, h, block.get(), w, h, GDT_Float64, 0, 0, nullptr) != CE_None) {
                return false;
            }
            if (cachedPixels + pixels > kCachedPixels) {
                blocks.clear();
                cachedPixels = 0;
            }
            cachedPixels += pixels;
            found = blocks.emplace(key, std::move(block)).first;
        }
        const int w = std::min(blockWidth, width - bx * blockWidth);
        value = found->second[static_cast<std::size_t>(row - by * blockHeight) * static_cast<std::size_t>(w) +
                              static_cast<std::size_t>(column - bx * blockWidth)];
        return true;
    }

    bool IsNoData(double value) const { return std::isnan(value) || (hasNoData && value == noData); }

    // Whether a mosaic has data at a pixel: its centre lies in one of the files.
    bool Covers(int column, int row) const
    {
        if (members.empty()) {
            return true;
        }
        const double x = geo[0] + (column + 0.5) * geo[1] + (row + 0.5) * geo[2];
        const double y = geo[3] + (column + 0.5) * geo[4] + (row + 0.5) * geo[5];
        for (const Extent& member : members) {
            if (member.Holds(x, y)) {
                return true;
            }
        }
        return false;
    }

    // The place in the raster's pixel coordinates (corner-based, GDAL's).
    bool PixelOf(GeoPoint place, double longitudeShift, double& px, double& py) const
    {
        double x = static_cast<double>(place.longitudeDeg) + longitudeShift;
        double y = static_cast<double>(place.latitudeDeg);
        if (toRaster && !toRaster->Transform(1, &x, &y)) {
            return false;
        }
        GDALApplyGeoTransform(const_cast<double*>(toPixel), x, y, &px, &py);
        return std::isfinite(px) && std::isfinite(py);
    }
};

GdalRaster::GdalRaster() = default;
GdalRaster::~GdalRaster() = default;

using Opened = TerrainOutcome<std::shared_ptr<DemRaster>>;

std::string Named(const std::filesystem::path& file)
{
    return file.string();
}

Opened GdalRaster::OpenRasters(const std::vector<std::filesystem::path>& files)
{
    RegisterDrivers();
    QuietGdal quiet;
    if (files.empty()) {
        return Opened::Failure("no elevation raster given");
    }
    std::shared_ptr<GdalRaster> raster(new GdalRaster());
    // Every file is opened first: a file GDAL cannot read is named, and the
    // coordinate systems are compared.
    for (const auto& file : files) {
        auto source = std::make_unique<Source>();
        source->name = Named(file);
        CPLErrorReset();
        source->dataset.reset(GDALDataset::Open(source->name.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
        if (!source->dataset) {
            return Opened::Failure("GDAL cannot open " + source->name + " as a raster" + QuietGdal::Message());
        }
        raster->m_sources.push_back(std::move(source));
    }
    bool sameSystem = true;
    const OGRSpatialReference* first = raster->m_sources.front()->dataset->GetSpatialRef();
    for (const auto& source : raster->m_sources) {
        const OGRSpatialReference* system = source->dataset->GetSpatialRef();
        sameSystem =
            sameSystem && ((first == nullptr) == (system == nullptr)) && (first == nullptr || first->IsSame(system));
    }
    if (raster->m_sources.size() > 1 && sameSystem) {
        std::vector<Extent> members;
        std::vector<const char*> names;
        for (const auto& source : raster->m_sources) {
            double geo[6];
            if (source->dataset->GetGeoTransform(geo) != CE_None) {
                return Opened::Failure(source->name + " has no georeference");
            }
            members.push_back(ExtentOf(*source->dataset, geo));
            names.push_back(source->name.c_str());
        }
        names.push_back(nullptr);
        CPLErrorReset();
        int usageError = 0;
        GDALDatasetH mosaic =
            GDALBuildVRT("", static_cast<int>(files.size()), nullptr, names.data(), nullptr, &usageError);
        if (mosaic == nullptr) {
            return Opened::Failure("GDAL cannot join the rasters into one mosaic" + QuietGdal::Message());
        }
        auto joined = std::make_unique<Source>();
        joined->name = "the mosaic of " + std::to_string(files.size()) + " rasters";
        joined->dataset.reset(GDALDataset::FromHandle(mosaic));
        joined->members = std::move(members);
        raster->m_sources.clear();
        raster->m_sources.push_back(std::move(joined));
    }
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    for (const auto& source : raster->m_sources) {
        GDALDataset& dataset = *source->dataset;
        if (dataset.GetRasterCount() < 1) {
            return Opened::Failure(source->name + " has no raster band");
        }
        if (dataset.GetGeoTransform(source->geo) != CE_None) {
            return Opened::Failure(source->name + " has no georeference");
        }
        if (!GDALInvGeoTransform(source->geo, source->toPixel)) {
            return Opened::Failure(source->name + " has a georeference that cannot be inverted");
        }
        source->band = dataset.GetRasterBand(1);
        source->width = dataset.GetRasterXSize();
        source->height = dataset.GetRasterYSize();
        if (source->width < 2 || source->height < 2) {
            return Opened::Failure(source->name + " is smaller than 2 by 2 pixels");
        }
        int hasNoData = 0;
        source->noData = source->band->GetNoDataValue(&hasNoData);
        source->hasNoData = hasNoData != 0;
        source->scale = source->band->GetScale();
        source->offset = source->band->GetOffset();
        source->band->GetBlockSize(&source->blockWidth, &source->blockHeight);
        source->blockWidth = source->blockWidth < 1 ? kWindow : std::min(source->blockWidth, kWindow);
        source->blockHeight = source->blockHeight < 1 ? kWindow : std::min(source->blockHeight, kWindow);
        // A raster without a coordinate system is taken as WGS84 degrees.
        const OGRSpatialReference* system = dataset.GetSpatialRef();
        if (system != nullptr) {
            OGRSpatialReference target(*system);
            target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
            source->geographic = target.IsGeographic() != 0;
            if (!source->geographic) {
                source->metresPerUnit = target.GetLinearUnits();
            }
            if (!target.IsSame(&wgs84)) {
                CPLErrorReset();
                source->toRaster.reset(OGRCreateCoordinateTransformation(&wgs84, &target));
                if (!source->toRaster) {
                    return Opened::Failure("GDAL cannot transform WGS84 degrees into the coordinate system of " +
                                           source->name + QuietGdal::Message());
                }
            }
        }
    }
    return std::shared_ptr<DemRaster>(std::move(raster));
}

void GdalRaster::Open(const std::vector<std::filesystem::path>& files, Opened& out)
{
    out = OpenRasters(files);
}

DemRaster::Sample GdalRaster::HeightAt(GeoPoint place, long double& heightM)
{
    QuietGdal quiet;
    bool noData = false;
    for (const auto& source : m_sources) {
        // A geographic raster may count longitudes from 0 to 360.
        for (double shift : {0.0, 360.0, -360.0}) {
            if (shift != 0.0 && !source->geographic) {
                break;
            }
            double px = 0.0;
            double py = 0.0;
            if (!source->PixelOf(place, shift, px, py)) {
                continue;
            }
            // Pixel centres sit at half-integer pixel coordinates.
            const double u = px - 0.5;
            const double v = py - 0.5;
            if (!(u >= 0.0 && v >= 0.0 && u <= source->width - 1 && v <= source->height - 1)) {
                continue;
            }
            const int c0 = std::min(static_cast<int>(std::floor(u)), source->width - 2);
            const int r0 = std::min(static_cast<int>(std::floor(v)), source->height - 2);
            const fp::Real fx = u - c0;
            const fp::Real fy = v - r0;
            const fp::Real weights[4] = {(1.0L - fx) * (1.0L - fy), fx * (1.0L - fy), (1.0L - fx) * fy, fx * fy};
            fp::Real height = 0.0L;
            bool inside = true;
            bool hole = false;
            for (int k = 0; k < 4 && inside; ++k) {
                if (weights[k] == 0.0L) {
                    continue;
                }
                const int column = c0 + k % 2;
                const int row = r0 + k / 2;
                double value = 0.0;
                if (!source->Covers(column, row)) {
                    inside = false;
                } else if (!source->Pixel(column, row, value)) {
                    m_readFault = "GDAL could not read " + source->name + QuietGdal::Message();
                    return Sample::Unreadable;
                } else if (source->IsNoData(value)) {
                    hole = true;
                } else {
                    height = height + weights[k] * (fp::Real(value) * source->scale + source->offset);
                }
            }
            if (!inside) {
                continue;
            }
            if (hole) {
                noData = true;
                continue;
            }
            heightM = height.Value();
            return Sample::Height;
        }
    }
    return noData ? Sample::NoData : Sample::Outside;
}

long double GdalRaster::PixelSizeM(long double latitudeDeg) const
{
    const Source& source = *m_sources.front();
    // The lengths of a pixel's sides, in the raster's units.
    const fp::Real across = fp::Sqrt(fp::Square(source.geo[1]) + fp::Square(source.geo[4]));
    const fp::Real down = fp::Sqrt(fp::Square(source.geo[2]) + fp::Square(source.geo[5]));
    if (!source.geographic) {
        return (std::min(across, down) * source.metresPerUnit).Value();
    }
    // A degree of longitude spans cos φ of a degree of latitude.
    const fp::Real width = fp::Cos(fp::Real(latitudeDeg) * radio::kPi / 180.0L) * across * kMetresPerDegree;
    return std::min(width.Value(), (down * kMetresPerDegree).Value());
}

} // namespace
} // namespace zandrevio

// The module's one entry point, found by name (kDemOpenSymbol).
extern "C" __attribute__((visibility("default"))) void
zandrevio_open_dem(const std::vector<std::filesystem::path>& files,
                   zandrevio::TerrainOutcome<std::shared_ptr<zandrevio::DemRaster>>& opened)
{
    zandrevio::GdalRaster::Open(files, opened);
}
