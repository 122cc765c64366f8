#include "run_calc.h"
#include "terrain/test_rasters.h"

#include <gtest/gtest.h>

#include <gdal_priv.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace zandrevio::test {
namespace {

namespace fs = std::filesystem;

// A map of many sites, read back with GDAL: its bands by global pixel
// (the grid's column from -180 and row from 90).
struct ServerMap {
    double pixel = 0;
    long long firstColumn = 0, firstRow = 0;
    int width = 0, height = 0;
    std::vector<std::vector<float>> bands; // best-server, best-level, margin, ci, overlap

    float At(int band, long long column, long long row) const
    {
        return bands[band][static_cast<std::size_t>((row - firstRow) * width + (column - firstColumn))];
    }
    double Longitude(long long column) const { return -180.0 + (column + 0.5) * pixel; }
};

ServerMap ReadMap(const std::string& file)
{
    GDALAllRegister();
    ServerMap map;
    GDALDataset* data = GDALDataset::Open(file.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY);
    EXPECT_NE(data, nullptr) << file;
    if (data == nullptr) {
        return map;
    }
    double transform[6];
    data->GetGeoTransform(transform);
    map.pixel = transform[1];
    map.firstColumn = std::llround((transform[0] + 180.0) / map.pixel);
    map.firstRow = std::llround((90.0 - transform[3]) / map.pixel);
    map.width = data->GetRasterXSize();
    map.height = data->GetRasterYSize();
    EXPECT_EQ(data->GetRasterCount(), 5);
    for (int band = 1; band <= data->GetRasterCount(); ++band) {
        std::vector<float> values(static_cast<std::size_t>(map.width) * map.height);
        EXPECT_EQ(data->GetRasterBand(band)->RasterIO(GF_Read, 0, 0, map.width, map.height, values.data(), map.width,
                                                      map.height, GDT_Float32, 0, 0),
                  CE_None);
        map.bands.push_back(std::move(values));
    }
    GDALClose(data);
    return map;
}

class ServersCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zandrevio-servers-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        // Hills from 45 to 45.2 N, 6 to 6.2 E, and a plain 100 m high.
        m_hills = WriteRaster(m_dir, "hills.tif", {200, 200, 6.0, 45.2, 0.001, [](int column, int row) {
                                                       return 300.0 + 150.0 * std::sin(column / 9.0) * std::cos(row / 7.0);
                                                   }}).string();
        m_plain = WriteRaster(m_dir, "plain.tif", {400, 400, 6.0, 45.2, 0.001, [](int, int) { return 100.0; }}).string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Sites(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir / name) << text;
        return Path(name);
    }

    fs::path m_dir;
    std::string m_hills;
    std::string m_plain;
};

// Tiles of any size, computed in any order and with any number of threads,
// join into the very pixels of the one run over the whole area; a site
// whose circle misses a tile is not read for it.
TEST_F(ServersCli, TilesJoinIntoTheOneRunsPixels)
{
    const std::string sites = Sites("sites.csv", "name,site,frequency,power,tx-height\n"
                                                 "North,\"45.13,6.08\",900,20,30\n"
                                                 "East,\"45.11,6.12\",900,20,25\n"
                                                 "South,\"45.07,6.09\",1800,30,30\n");
    const std::vector<std::string> common = {"coverage", "--dem", m_hills, "--sites", sites, "--radius", "2",
                                             "--resolution", "150"};
    std::vector<std::string> whole = common;
    whole.insert(whole.end(), {"--output", Path("whole.tif"), "--threads", "1"});
    const CalcRun one = RunCalc(whole);
    ASSERT_EQ(one.status, 0) << one.err;
    const ServerMap reference = ReadMap(Path("whole.tif"));
    ASSERT_GT(reference.width, 10);

    for (const char* size : {"0.013", "0.05"}) {
        std::vector<std::string> plan = common;
        plan.insert(plan.end(), {"--tile-grid", size});
        const CalcRun planned = RunCalc(plan);
        ASSERT_EQ(planned.status, 0) << planned.err;
        const int tiles = std::atoi(planned.out.substr(planned.out.find("tiles ") + 6).c_str());
        ASSERT_GT(tiles, 1);
        std::map<std::pair<long long, long long>, std::vector<float>> mosaic;
        // Backwards, on two threads: neither order nor threads may change a pixel.
        for (int tile = tiles - 1; tile >= 0; --tile) {
            std::vector<std::string> run = plan;
            run.insert(run.end(), {"--tile", std::to_string(tile), "--output", Path("tile-{tile}.tif"), "--threads",
                                   "2", "--manifest", Path("manifest.jsonl")});
            const CalcRun part = RunCalc(run);
            ASSERT_EQ(part.status, 0) << part.err;
            const ServerMap piece = ReadMap(Path("tile-" + std::to_string(tile) + ".tif"));
            for (long long row = piece.firstRow; row < piece.firstRow + piece.height; ++row) {
                for (long long column = piece.firstColumn; column < piece.firstColumn + piece.width; ++column) {
                    std::vector<float> values;
                    for (int band = 0; band < 5; ++band) {
                        values.push_back(piece.At(band, column, row));
                    }
                    EXPECT_TRUE(mosaic.emplace(std::pair{row, column}, values).second) << "a pixel in two tiles";
                }
            }
        }
        for (long long row = reference.firstRow; row < reference.firstRow + reference.height; ++row) {
            for (long long column = reference.firstColumn; column < reference.firstColumn + reference.width;
                 ++column) {
                const auto found = mosaic.find({row, column});
                ASSERT_NE(found, mosaic.end()) << size << ": no tile holds " << row << "," << column;
                for (int band = 0; band < 5; ++band) {
                    // Byte for byte: the same float, no-data alike.
                    EXPECT_EQ(std::memcmp(&found->second[band], &reference.bands[band][static_cast<std::size_t>(
                                              (row - reference.firstRow) * reference.width + column -
                                              reference.firstColumn)],
                                          sizeof(float)),
                              0)
                        << size << " band " << band << " at " << row << "," << column;
                }
            }
        }
    }
    // best-server at a pixel's centre gives the map's figures there.
    int compared = 0;
    for (long long row = reference.firstRow; row < reference.firstRow + reference.height; row += 7) {
        for (long long column = reference.firstColumn; column < reference.firstColumn + reference.width;
             column += 11) {
            if (reference.At(0, column, row) == -9999.0F) {
                continue;
            }
            char at[64];
            std::snprintf(at, sizeof at, "%.17g,%.17g", 90.0 - (row + 0.5) * reference.pixel,
                          reference.Longitude(column));
            std::vector<std::string> point = {"--digits", "18", "best-server", "--at", at};
            point.insert(point.end(), common.begin() + 1, common.end());
            const CalcRun best = RunCalc(point);
            ASSERT_EQ(best.status, 0) << best.err;
            const auto value = [&](const std::string& name) {
                const std::size_t found = best.out.find(name + " ");
                return found == std::string::npos ? std::string() : best.out.substr(found + name.size() + 1,
                                                                                    best.out.find('\n', found) -
                                                                                        found - name.size() - 1);
            };
            EXPECT_EQ(std::stof(value("best-server")), reference.At(0, column, row)) << at;
            EXPECT_EQ(std::stof(value("best-level")), reference.At(1, column, row)) << at;
            if (reference.At(3, column, row) != -9999.0F) {
                EXPECT_EQ(std::stof(value("ci")), reference.At(3, column, row)) << at;
            }
            ++compared;
        }
    }
    EXPECT_GT(compared, 5);

    // One manifest line a tile run, each naming its tile, its file and the inputs' checksums.
    std::ifstream manifest(Path("manifest.jsonl"));
    std::string line;
    std::getline(manifest, line);
    EXPECT_NE(line.find("\"file\":\"" + Path("tile-")), std::string::npos) << line;
    EXPECT_NE(line.find(sites + " " + std::to_string(fs::file_size(sites)) + " "), std::string::npos) << line;

    // A site far from the tile, even one off the data, is not read for it.
    const std::string far = Sites("far.csv", "name,site,power\nNear,\"45.1,6.1\",20\nAway,\"40,2\",20\n");
    const CalcRun tile = RunCalc({"coverage", "--dem", m_hills, "--sites", far, "--radius", "2", "--resolution",
                                  "150", "--bbox", "6.05,45.05,6.15,45.15", "--output", Path("near.tif")});
    ASSERT_EQ(tile.status, 0) << tile.err;
    EXPECT_NE(tile.out.find("sites 2\nsites-read 1\n"), std::string::npos) << tile.out;
}

// Two alike sites over a plain tie on the line halfway between them: C/I 0
// dB and no margin there, and the tie goes to the site listed first.
TEST_F(ServersCli, TwoAlikeSitesTieOnTheBisector)
{
    // Pixels of 150 m; the sites 1.5 km either side of a pixel's centre, at one latitude.
    const double pixel = 150.0 / (6371000.0 * std::numbers::pi / 180.0);
    const long long middle = std::llround((6.1 + 180.0) / pixel - 0.5);
    const double centre = -180.0 + (middle + 0.5) * pixel;
    char text[256];
    std::snprintf(text, sizeof text, "name,site,power\nWest,\"45.1,%.17g\",20\nEast,\"45.1,%.17g\",20\n",
                  centre - 10 * pixel, centre + 10 * pixel);
    const std::string sites = Sites("pair.csv", text);
    const CalcRun run = RunCalc({"coverage", "--dem", m_plain, "--sites", sites, "--radius", "3", "--resolution",
                                 "150", "--output", Path("pair.tif"), "--model", "delta-bullington"});
    ASSERT_EQ(run.status, 0) << run.err;
    const ServerMap map = ReadMap(Path("pair.tif"));
    int onTheLine = 0;
    for (long long row = map.firstRow; row < map.firstRow + map.height; ++row) {
        if (map.At(0, middle, row) == -9999.0F) {
            continue;
        }
        EXPECT_NEAR(map.At(3, middle, row), 0.0F, 1e-9F) << row; // C/I
        EXPECT_NEAR(map.At(2, middle, row), 0.0F, 1e-9F) << row; // margin
        EXPECT_EQ(map.At(0, middle, row), 1.0F) << row;          // the first listed
        ++onTheLine;
    }
    // Near the sites' own row a pixel east of the line is the eastern site's,
    // its C/I its margin (the sites alone on their frequency).
    const long long sitesRow = std::llround((90.0 - 45.1) / pixel - 0.5);
    for (long long row = sitesRow - 2; row <= sitesRow + 2; ++row) {
        EXPECT_EQ(map.At(0, middle + 1, row), 2.0F) << row;
        EXPECT_EQ(map.At(0, middle - 1, row), 1.0F) << row;
        EXPECT_GT(map.At(2, middle + 1, row), 1.0F) << row;
        EXPECT_NEAR(map.At(3, middle + 1, row), map.At(2, middle + 1, row), 1e-4F) << row;
    }
    EXPECT_GT(onTheLine, 10);
}

// Seven cells of a 7-cell reuse pattern on one frequency over a plain, the
// antennas high enough that the loss is free space's: at the cell's edge,
// R from its site, C/I is the sum of the six interferers' powers by their
// distances, and within the textbook's approximation (D/R)^2 / 6 for a
// reuse distance D = sqrt(3 N) R (Rappaport, Wireless Communications, 2nd
// ed., eq. 3.8 with a path-loss exponent of 2).
TEST_F(ServersCli, AHexagonalReusePatternGivesTheTextbookCi)
{
    const double R = 1.0; // km
    const double D = std::sqrt(21.0) * R;
    const double kmPerDegree = 6371.0 * std::numbers::pi / 180.0;
    const double lat0 = 45.1, lon0 = 6.2;
    std::string text = "name,site,power\nCentre,\"45.1,6.2\",10\n";
    std::vector<std::pair<double, double>> interferers;
    for (int k = 0; k < 6; ++k) {
        // The first tier of co-channel cells, D away, 60 degrees apart (turned off the axes).
        const double bearing = (19.1 + 60.0 * k) * std::numbers::pi / 180.0;
        const double lat = lat0 + D * std::cos(bearing) / kmPerDegree;
        const double lon = lon0 + D * std::sin(bearing) / (kmPerDegree * std::cos(lat0 * std::numbers::pi / 180.0));
        interferers.emplace_back(lat, lon);
        char row[128];
        std::snprintf(row, sizeof row, "Cell%d,\"%.15g,%.15g\",10\n", k + 1, lat, lon);
        text += row;
    }
    const std::string sites = Sites("reuse.csv", text);
    // The edge due east of the centre, R away: the one pixel there.
    const double pixel = 100.0 / (6371000.0 * std::numbers::pi / 180.0);
    const double edgeLon = lon0 + R / (kmPerDegree * std::cos(lat0 * std::numbers::pi / 180.0));
    char bbox[128];
    std::snprintf(bbox, sizeof bbox, "%.15g,%.15g,%.15g,%.15g", edgeLon - pixel / 2, lat0 - pixel / 2,
                  edgeLon + pixel / 2, lat0 + pixel / 2);
    const CalcRun run = RunCalc({"coverage", "--dem", m_plain, "--sites", sites, "--radius", "8", "--resolution",
                                 "100", "--bbox", bbox, "--model", "delta-bullington", "--frequency", "900",
                                 "--tx-height", "300", "--rx-height", "300", "--output", Path("reuse.tif")});
    ASSERT_EQ(run.status, 0) << run.err;
    const ServerMap map = ReadMap(Path("reuse.tif"));
    ASSERT_EQ(map.width * map.height, 1);
    EXPECT_EQ(map.bands[0][0], 1.0F); // the centre serves its edge
    // The six distances from the pixel's centre, as free space weighs them (1/d^2).
    const double pixelLat = 90.0 - (map.firstRow + 0.5) * map.pixel;
    const double pixelLon = map.Longitude(map.firstColumn);
    // Each distance as the map takes it: to the lattice's nearest step of 100 m.
    const auto km = [&](double lat, double lon) {
        const double p1 = pixelLat * std::numbers::pi / 180, p2 = lat * std::numbers::pi / 180;
        const double dl = (lon - pixelLon) * std::numbers::pi / 180;
        const double exact =
            6371.0 * std::acos(std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl));
        return std::round(exact / 0.1) * 0.1;
    };
    double interference = 0;
    for (const auto& [lat, lon] : interferers) {
        interference += std::pow(km(lat, lon), -2.0);
    }
    const double exact = 10.0 * std::log10(std::pow(km(lat0, lon0), -2.0) / interference);
    EXPECT_NEAR(map.bands[3][0], exact, 0.01);
    EXPECT_NEAR(map.bands[3][0], 10.0 * std::log10(D * D / (R * R) / 6.0), 1.5);
}

TEST_F(ServersCli, RefusesASitesFaultAtItsLine)
{
    const struct {
        std::string table;
        const char* says;
    } cases[] = {
        {"name,site,frequncy\nA,\"45.1,6.1\",900\n", "line 1: the column 'frequncy' is no option of a site"},
        {"name,site,dem\nA,\"45.1,6.1\",x.tif\n", "line 1: the column 'dem' is the map's, not a site's"},
        {"name,site,power\nA,\"45.1,6.1\",20\nB,,20\n", "line 3: the site has no place"},
        {"name,site,power\nA,\"45.1,6.1\",20\nB,\"north\",20\n", "line 3: --from: 'north' is not LAT,LON"},
        {"name,site\nA,\"45.1,6.1\",20\n", "line 2: 3 cells under 2 columns"},
        {"name,site\nA,\"45.1,6.1\"\n", "line 2 (A): the site has no power"},
        {"name,site\n", "line 1: the header has no site below it"},
    };
    for (const auto& [table, says] : cases) {
        const std::string sites = Sites("bad.csv", table);
        const CalcRun run = RunCalc({"coverage", "--dem", m_hills, "--sites", sites, "--resolution", "150"});
        EXPECT_EQ(run.status, 1) << table;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
    const std::string good = Sites("good.csv", "site,power\n\"45.1,6.1\",20\n");
    const struct {
        std::vector<std::string> extra;
        const char* says;
    } slips[] = {
        {{}, "--resolution: a map of many sites needs --resolution"},
        {{"--resolution", "150", "--from", "45.1,6.1"}, "not both"},
        {{"--resolution", "150", "--tile", "3"}, "--tile: a tile is one of --tile-grid's"},
        {{"--resolution", "150", "--tile-grid", "0.05", "--tile", "99"}, "--tile: 99 is beyond the plan's"},
        {{"--resolution", "150", "--bbox", "7,45,6,46"}, "--bbox: '7,45,6,46' are no bounds"},
    };
    for (const auto& [extra, says] : slips) {
        std::vector<std::string> args = {"coverage", "--dem", m_hills, "--sites", good};
        args.insert(args.end(), extra.begin(), extra.end());
        const CalcRun run = RunCalc(args);
        EXPECT_EQ(run.status, 2) << says;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
    setenv("ZANDREVIO_TEST_TILE", "1", 1);
    const CalcRun byVariable = RunCalc({"coverage", "--dem", m_hills, "--sites", good, "--resolution", "150",
                                        "--tile-grid", "0.01", "--tile", "env:ZANDREVIO_TEST_TILE"});
    EXPECT_EQ(byVariable.status, 0) << byVariable.err;
    EXPECT_NE(byVariable.out.find("tile 1\n"), std::string::npos) << byVariable.out;
}

} // namespace
} // namespace zandrevio::test
