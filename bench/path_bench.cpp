// A point-to-point path over terrain: the whole link calculation over a
// 10,000-point profile (target under 20 ms), and a profile cut from one
// 3601 by 3601 elevation tile, GDAL's reading included (under 50 ms).
#include "propagation/path_link.h"
#include "terrain/dem_profile.h"

#include <benchmark/benchmark.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace {

using namespace zandrevio;

// Rolling hills, 50 km long, up to a few hundred metres.
TerrainProfile Hills(int points)
{
    TerrainProfile profile;
    profile.points.reserve(static_cast<std::size_t>(points));
    for (int i = 0; i < points; ++i) {
        const long double km = 50.0L * i / (points - 1);
        profile.points.push_back({km, 200.0L + 150.0L * std::sin(km / 3.0L) + 40.0L * std::sin(km * 1.7L)});
    }
    return profile;
}

void BM_LinkOverTenThousandPoints(benchmark::State& state)
{
    const TerrainProfile profile = Hills(10000);
    using F = PathField;
    const Inputs<F> in{{F::Frequency, 7000.0L},   {F::TxHeight, 30.0L}, {F::RxHeight, 30.0L},
                       {F::KFactor, 4.0L / 3.0L}, {F::Polarization, 0}, {F::Power, 1.0L},
                       {F::Sensitivity, -80.0L}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(PathLink(profile, in).Ok());
    }
}
BENCHMARK(BM_LinkOverTenThousandPoints)->Unit(benchmark::kMillisecond);

// A 1° tile at one arc-second, 45-46° N 7-8° E, as an SRTM tile is laid
// out (16-bit heights, pixel centres on whole seconds), written once.
class Tile {
public:
    Tile()
    {
        GDALAllRegister();
        m_directory = std::filesystem::temp_directory_path() / ("zandrevio-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(m_directory);
        m_path = m_directory / "N45E007.tif";
        constexpr int kSide = 3601;
        GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GTiff");
        GDALDatasetUniquePtr dataset(driver->Create(m_path.c_str(), kSide, kSide, 1, GDT_Int16, nullptr));
        if (!dataset) {
            throw std::runtime_error("GDAL could not write the tile");
        }
        const double step = 1.0 / 3600.0;
        double geo[6] = {7.0 - step / 2, step, 0.0, 46.0 + step / 2, 0.0, -step};
        dataset->SetGeoTransform(geo);
        OGRSpatialReference wgs84;
        wgs84.importFromEPSG(4326);
        dataset->SetSpatialRef(&wgs84);
        std::vector<std::int16_t> row(kSide);
        for (int r = 0; r < kSide; ++r) {
            for (int c = 0; c < kSide; ++c) {
                row[static_cast<std::size_t>(c)] =
                    static_cast<std::int16_t>(1500.0 + 800.0 * std::sin(r / 300.0) * std::cos(c / 250.0));
            }
            if (dataset->GetRasterBand(1)->RasterIO(GF_Write, 0, r, kSide, 1, row.data(), kSide, 1, GDT_Int16, 0, 0,
                                                    nullptr) != CE_None) {
                throw std::runtime_error("GDAL could not write the tile");
            }
        }
    }
    ~Tile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_directory;
    std::filesystem::path m_path;
};

// Corner to corner across the tile, at the pixel's size (21.9 m there):
// about 6,200 points, each through GDAL's blocks of the file.
void BM_ProfileCutFromATile(benchmark::State& state)
{
    static const Tile tile;
    const DemPathRequest request{{tile.Path()}, {45.02L, 7.02L}, {45.98L, 7.98L}, std::nullopt};
    std::size_t points = 0;
    for (auto _ : state) {
        const auto cut = CutDemProfile(request);
        if (!cut.Ok()) {
            state.SkipWithError(cut.Error().c_str());
            break;
        }
        points = cut.Value().profile.points.size();
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_ProfileCutFromATile)->Unit(benchmark::kMillisecond);

} // namespace
