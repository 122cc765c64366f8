#include "run_calc.h"
#include "numeric/format.h"
#include "terrain/test_rasters.h"

#include <gtest/gtest.h>

#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_priv.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zandrevio::test {
namespace {

namespace fs = std::filesystem;

// A ridge 400 m high running north-south 2 km east of the site, over a
// plain 100 m high; 0.001° pixels from 45 to 45.1 N, 6 to 6.1 E.
class CoverageCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zandrevio-coverage-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_raster = WriteRaster(m_dir, "ridge.tif",
                               {100, 100, 6.0, 45.1, 0.001, [](int column, int) {
                                    return column >= 74 && column <= 76 ? 500.0 : 100.0;
                                }})
                       .string();
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // The test's map, an option given in `extra` in place of the test's own.
    std::vector<std::string> Coverage(std::vector<std::string> extra) const
    {
        std::vector<std::string> own = {"--dem",       m_raster, "--from",      kSite, "--radius",    "3",
                                        "--resolution", "250",    "--tx-height", "30",  "--frequency", "900"};
        std::vector<std::string> args = {"coverage"};
        for (std::size_t i = 0; i < own.size(); i += 2) {
            if (std::find(extra.begin(), extra.end(), own[i]) == extra.end()) {
                args.insert(args.end(), {own[i], own[i + 1]});
            }
        }
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    }

    static constexpr const char* kSite = "45.05,6.05";
    fs::path m_dir;
    std::string m_raster;
};

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> cells;
    std::stringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) {
        cells.push_back(cell);
    }
    return cells;
}

std::string LineOf(const std::string& out, const std::string& name)
{
    const std::size_t at = out.find(name + " ");
    return at == std::string::npos ? std::string() : out.substr(at, out.find('\n', at) - at);
}

// Each point of the lattice is the link `itm` and `path --model itm` compute
// to it over the same data at the lattice's step, to the last of 18 digits;
// the map starts as `itm` does (a receiver 10 m up, vertical), `path` as a
// fixed link.
TEST_F(CoverageCli, EveryLatticePointIsTheLinksOwnValue)
{
    const CalcRun run = RunCalc(Coverage({"--lattice-out", Path("lattice.csv"), "--power", "10", "--threads", "2"}));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("radials 80\nsteps 12\nstep 250 m\npoints 960\nno-data 0\n"), std::string::npos)
        << run.out;
    std::stringstream lattice(Read("lattice.csv"));
    std::string line;
    std::getline(lattice, line);
    EXPECT_EQ(line, "radial,step,bearing,distance,latitude,longitude,loss,level,code,warning");
    int checked = 0;
    for (int row = 0; std::getline(lattice, line); ++row) {
        if (row % 37 != 0 && row % 80 != 1) { // every step of one radial, and a spread of others
            continue;
        }
        const std::vector<std::string> cells = Split(line);
        ASSERT_GE(cells.size(), 9u) << line;
        const std::string to = cells[4] + "," + cells[5];
        const std::string loss = FormatAs(ResultFormat::Hundredths, std::strtold(cells[6].c_str(), nullptr), 18);
        const std::string level = FormatAs(ResultFormat::Hundredths, std::strtold(cells[7].c_str(), nullptr), 18);
        const CalcRun itm = RunCalc({"--digits", "18", "itm", "--dem", m_raster, "--from", kSite, "--to", to, "--step",
                                     "250", "--tx-height", "30", "--frequency", "900"});
        ASSERT_EQ(itm.status, 0) << itm.err;
        EXPECT_EQ(LineOf(itm.out, "loss"), "loss " + loss + " dB") << line;
        const CalcRun path = RunCalc({"--digits", "18", "path", "--model", "itm", "--dem", m_raster, "--from", kSite,
                                      "--to", to, "--step", "250", "--tx-height", "30", "--rx-height", "10", "--polarization", "vertical",
                                      "--frequency", "900", "--power", "10"});
        ASSERT_EQ(path.status, 0) << path.err;
        EXPECT_EQ(LineOf(path.out, "received-power"), "received-power " + level + " dBm") << line;
        ++checked;
    }
    EXPECT_GT(checked, 30);
}

// The map and the lattice are the same bytes for any number of threads; the
// map reads back with GDAL: its bands, projection, no-data and metadata.
TEST_F(CoverageCli, TheMapIsTheSameForAnyThreadsAndReadsBack)
{
    ASSERT_EQ(RunCalc(Coverage({"--threads", "1", "--output", Path("one.tif"), "--lattice-out", Path("one.csv")}))
                  .status,
              0);
    ASSERT_EQ(RunCalc(Coverage({"--threads", "3", "--output", Path("three.tif"), "--lattice-out", Path("three.csv")}))
                  .status,
              0);
    EXPECT_EQ(Read("one.tif"), Read("three.tif"));
    EXPECT_EQ(Read("one.csv"), Read("three.csv"));
    // More threads than radials: as many as there are radials to share.
    ASSERT_EQ(RunCalc(Coverage({"--threads", "100000", "--lattice-out", Path("many.csv")})).status, 0);
    EXPECT_EQ(Read("one.csv"), Read("many.csv"));
    for (const fs::directory_entry& entry : fs::directory_iterator(m_dir)) {
        EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
    }

    GDALAllRegister();
    GDALDataset* map = GDALDataset::Open(Path("one.tif").c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetRasterXSize(), 25); // 2 × 12 + 1 pixels of 250 m
    ASSERT_EQ(map->GetRasterCount(), 2);  // loss and code: no power, no level
    EXPECT_STREQ(map->GetRasterBand(1)->GetDescription(), "loss");
    char* proj4 = nullptr;
    ASSERT_NE(map->GetSpatialRef(), nullptr);
    map->GetSpatialRef()->exportToProj4(&proj4);
    EXPECT_NE(std::string(proj4).find("+proj=aeqd +lat_0=45.05 +lon_0=6.05"), std::string::npos) << proj4;
    CPLFree(proj4);
    float corner = 0, east = 0, west = 0;
    ASSERT_EQ(map->GetRasterBand(1)->RasterIO(GF_Read, 0, 0, 1, 1, &corner, 1, 1, GDT_Float32, 0, 0), CE_None);
    ASSERT_EQ(map->GetRasterBand(1)->RasterIO(GF_Read, 24, 12, 1, 1, &east, 1, 1, GDT_Float32, 0, 0), CE_None);
    ASSERT_EQ(map->GetRasterBand(1)->RasterIO(GF_Read, 0, 12, 1, 1, &west, 1, 1, GDT_Float32, 0, 0), CE_None);
    int hasNoData = 0;
    EXPECT_EQ(corner, map->GetRasterBand(1)->GetNoDataValue(&hasNoData)); // beyond the radius
    EXPECT_TRUE(hasNoData);
    // 3 km east lies in the ridge's shadow, 3 km west on the open plain.
    EXPECT_GT(east, west + 10.0F);
    // Reproducible and auditable: the program, the inputs, the lattice, and
    // each elevation file with its size and SHA-256 (sha256sum's).
    EXPECT_EQ(std::string(map->GetMetadataItem("PROGRAM")).rfind("zandrevio-calc ", 0), 0u);
    // Every option in force, those left at their start too.
    const std::string inputs = map->GetMetadataItem("INPUTS");
    for (const char* option : {"--radius '3' --resolution '250'", "--model 'itm'", "--rx-height '10'",
                               "--frequency '900'", "--climate 'continental-temperate'"}) {
        EXPECT_NE(inputs.find(option), std::string::npos) << option << " in " << inputs;
    }
    EXPECT_EQ(std::string(map->GetMetadataItem("LATTICE")).rfind("80 radials from 0 degrees, 12 steps of 250 m", 0), 0u);
    // The line replays as it is written (shell quoting), to the same map.
    std::vector<std::string> replay;
    for (std::size_t at = 0; at < inputs.size();) {
        std::string word;
        while (at < inputs.size() && inputs[at] != ' ') {
            if (inputs[at] == '\'') {
                const std::size_t end = inputs.find('\'', at + 1);
                word += inputs.substr(at + 1, end - at - 1);
                at = end + 1;
            } else if (inputs[at] == '\\') {
                word += inputs[at + 1];
                at += 2;
            } else {
                word += inputs[at++];
            }
        }
        replay.push_back(word);
        ++at;
    }
    replay.insert(replay.end(), {"--output", Path("replayed.tif"), "--threads", "1"});
    const CalcRun replayed = RunCalc(replay);
    ASSERT_EQ(replayed.status, 0) << inputs << "\n" << replayed.err;
    EXPECT_EQ(Read("replayed.tif"), Read("one.tif"));
    std::string sum(64, ' ');
    FILE* tool = popen(("sha256sum '" + m_raster + "'").c_str(), "r");
    ASSERT_NE(tool, nullptr);
    ASSERT_EQ(std::fread(sum.data(), 1, sum.size(), tool), sum.size());
    pclose(tool);
    EXPECT_EQ(std::string(map->GetMetadataItem("ELEVATION_FILE_1")),
              m_raster + " " + std::to_string(fs::file_size(m_raster)) + " " + sum);
    GDALClose(map);
}

// The map for Google Earth (a KMZ: its document, the overlay and the legend)
// and the received level's contours as GeoJSON in WGS84 degrees.
TEST_F(CoverageCli, WritesAnOverlayAndContours)
{
    const CalcRun run = RunCalc(Coverage({"--power", "20", "--format", "kmz", "--output", Path("map.kmz"),
                                          "--contours", "-60,-70", "--contours-out", Path("levels.geojson")}));
    ASSERT_EQ(run.status, 0) << run.err;
    GDALAllRegister();
    char** entries = VSIReadDir(("/vsizip/" + Path("map.kmz")).c_str());
    ASSERT_NE(entries, nullptr);
    EXPECT_EQ(CSLCount(entries), 3);
    for (const char* name : {"doc.kml", "overlay.png", "legend.png"}) {
        EXPECT_GE(CSLFindString(entries, name), 0) << name;
    }
    CSLDestroy(entries);
    const std::string kml = [&] {
        VSILFILE* doc = VSIFOpenL(("/vsizip/" + Path("map.kmz") + "/doc.kml").c_str(), "rb");
        std::string text(4096, '\0');
        text.resize(VSIFReadL(text.data(), 1, text.size(), doc));
        VSIFCloseL(doc);
        return text;
    }();
    EXPECT_NE(kml.find("<GroundOverlay>"), std::string::npos);
    EXPECT_NE(kml.find("-60 to -50 dBm"), std::string::npos) << kml;

    const std::string contours = Read("levels.geojson");
    EXPECT_NE(contours.find("\"level\": -60.0"), std::string::npos) << contours.substr(0, 400);
    EXPECT_NE(contours.find("\"level\": -70.0"), std::string::npos);
    EXPECT_NE(contours.find("[ 6.0"), std::string::npos); // longitudes about the site's, in degrees
    EXPECT_EQ(RunCalc(Coverage({"--contours", "-60,x"})).status, 2);
    // A map of loss colours the least losses (the strongest signals) and
    // leaves the greatest clear: the site's pixel is coloured.
    ASSERT_EQ(RunCalc(Coverage({"--format", "kmz", "--output", Path("loss.kmz")})).status, 0);
    GDALDataset* png = GDALDataset::Open(("/vsizip/" + Path("loss.kmz") + "/overlay.png").c_str(), GDAL_OF_RASTER);
    ASSERT_NE(png, nullptr);
    unsigned char alpha = 0;
    ASSERT_EQ(png->GetRasterBand(4)->RasterIO(GF_Read, png->GetRasterXSize() / 2, png->GetRasterYSize() / 2, 1, 1,
                                              &alpha, 1, 1, GDT_Byte, 0, 0),
              CE_None);
    EXPECT_EQ(alpha, 170);
    GDALClose(png);
    // In KML the level is the contour's own field too, not its name's.
    ASSERT_EQ(RunCalc(Coverage({"--power", "20", "--contours", "-60", "--contours-out", Path("levels.kml")})).status, 0);
    EXPECT_NE(Read("levels.kml").find("<SimpleData name=\"level\">-60</SimpleData>"), std::string::npos)
        << Read("levels.kml").substr(0, 800);
}

// Over a calm sea (heights 0) each point's loss is Longley-Rice's over the
// smooth earth: the same model over a flat profile of that length.
TEST_F(CoverageCli, ASeaGivesTheSmoothEarthsLoss)
{
    const std::string sea = WriteRaster(m_dir, "sea.tif", {100, 100, 6.0, 45.1, 0.001, [](int, int) { return 0.0; }});
    const CalcRun run = RunCalc(Coverage({"--dem", sea, "--lattice-out", Path("sea.csv")}));
    ASSERT_EQ(run.status, 0) << run.err;
    // Radial 0, steps 3, 6, 9 and 12: 0.75 to 3 km due north.
    int checked = 0;
    std::string line;
    std::stringstream again(Read("sea.csv"));
    std::getline(again, line);
    for (int step = 1; std::getline(again, line) && step <= 12; ++step) {
        if (step % 3 != 0) {
            continue;
        }
        std::string profile = "distance,height\n";
        for (int k = 0; k <= step; ++k) {
            profile += std::to_string(0.25 * k) + ",0\n";
        }
        std::ofstream(m_dir / "flat.csv") << profile;
        const CalcRun flat = RunCalc({"--digits", "18", "itm", "--profile", Path("flat.csv"), "--tx-height", "30",
                                      "--frequency", "900"});
        ASSERT_EQ(flat.status, 0) << flat.err;
        const std::vector<std::string> cells = Split(line);
        const long double mapped = std::strtold(cells[6].c_str(), nullptr);
        const long double smooth = std::strtold(LineOf(flat.out, "loss").substr(5).c_str(), nullptr);
        EXPECT_NEAR(mapped, smooth, 1e-9L) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 4);
}

// The ridge's raster cut into two tiles side by side gives the same lattice;
// with the eastern tile missing, the points whose paths leave the data are
// left empty and the warning names the area.
TEST_F(CoverageCli, TwoTilesJoinAndAMissingOneIsNamed)
{
    const auto ridge = [](int offset) {
        return [offset](int column, int) { return column + offset >= 74 && column + offset <= 76 ? 500.0 : 100.0; };
    };
    const std::string west = WriteRaster(m_dir, "west.tif", {50, 100, 6.0, 45.1, 0.001, ridge(0)}).string();
    const std::string east = WriteRaster(m_dir, "east.tif", {50, 100, 6.05, 45.1, 0.001, ridge(50)}).string();
    ASSERT_EQ(RunCalc(Coverage({"--lattice-out", Path("one.csv")})).status, 0);
    ASSERT_EQ(RunCalc(Coverage({"--dem", west + "," + east, "--lattice-out", Path("two.csv")})).status, 0);
    EXPECT_EQ(Read("one.csv"), Read("two.csv"));

    const CalcRun half = RunCalc(Coverage({"--dem", west, "--from", "45.05,6.03", "--output", Path("half.tif")}));
    ASSERT_EQ(half.status, 0) << half.err;
    EXPECT_NE(half.out.find("no-data 167\n"), std::string::npos) << half.out;
    // East past the tile's edge at 6.05 E, west past the data's at 6.0 E.
    EXPECT_NE(half.err.find("167 of 960 points have no elevation data along their path and are left empty, at "
                            "bearings 31.5 to 148.5 degrees from 1.75 to 3 km and 234 to 306 degrees from 2.5 to 3 km"),
              std::string::npos)
        << half.err;
    EXPECT_NE(half.err.find("the path leaves the elevation data at"), std::string::npos) << half.err;
}

// Ctrl+C ends a long map within a second, by the signal, and leaves no file
// behind, whole or in part.
TEST_F(CoverageCli, CtrlCStopsAtOnceAndLeavesNoFile)
{
    const std::vector<std::string> args = Coverage({"--resolution", "5", "--output", Path("map.tif"), "--threads", "2"});
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        RunCalc(args);
        std::_Exit(0); // finished before the signal: the parent sees exit 0 and fails
    }
    usleep(500'000);
    kill(child, SIGINT);
    int status = 0;
    int waited = 0;
    while (waitpid(child, &status, WNOHANG) == 0 && waited < 100) {
        usleep(10'000); // a hundredth of a second
        ++waited;
    }
    if (waited == 100) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        FAIL() << "still running a second after Ctrl+C";
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1); // the raster alone
}

TEST_F(CoverageCli, RefusesAtTheOptionAtFault)
{
    const struct {
        std::vector<std::string> args;
        const char* error;
    } cases[] = {
        {{"--from", "45.5,6.05"}, "The site has no height in the elevation data"},
        {{"--radius", "0"}, "The radius must be greater than 0"},
        {{"--resolution", "0.0001", "--radius", "100"}, "give a coarser resolution"},
        {{"--frequency", "-5"}, "Frequency"},
    };
    for (const auto& [args, error] : cases) {
        const CalcRun run = RunCalc(Coverage(args));
        EXPECT_EQ(run.status, 1) << error;
        EXPECT_NE(run.err.find(error), std::string::npos) << run.err;
    }
    const CalcRun bare = RunCalc({"coverage", "--radius", "3"});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.err, "zandrevio-calc: coverage needs --dem and --from\n");
    const CalcRun missing =
        RunCalc({"coverage", "--dem", Path("missing.tif"), "--from", kSite, "--output", Path("m.tif")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("missing.tif"), std::string::npos) << missing.err;
    EXPECT_FALSE(fs::exists(Path("m.tif")));
    const CalcRun unwritable = RunCalc(Coverage({"--output", Path("no/such/folder/m.tif")}));
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_NE(unwritable.err.find("no/such/folder/m.tif"), std::string::npos) << unwritable.err;
    // The files of a run are renamed together: a lattice that cannot be
    // written leaves no map either.
    const CalcRun half = RunCalc(Coverage({"--output", Path("m.tif"), "--lattice-out", Path("no/such/l.csv")}));
    EXPECT_EQ(half.status, 1);
    EXPECT_NE(half.err.find("no/such/l.csv"), std::string::npos) << half.err;
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1) << half.err;
    // A lattice that cannot take its place (a folder there) leaves the map
    // there before as it was: the files are renamed all or none.
    std::ofstream(m_dir / "kept.tif") << "the map before";
    fs::create_directory(m_dir / "lattice.csv");
    const CalcRun blocked = RunCalc(Coverage({"--output", Path("kept.tif"), "--lattice-out", Path("lattice.csv")}));
    EXPECT_EQ(blocked.status, 1);
    EXPECT_NE(blocked.err.find("lattice.csv: it is a folder"), std::string::npos) << blocked.err;
    EXPECT_EQ(Read("kept.tif"), "the map before");
    fs::remove(m_dir / "kept.tif");
    fs::remove(m_dir / "lattice.csv");
    // A site's antenna by its pattern needs its azimuth: each point is not its boresight.
    std::ofstream(m_dir / "sector.msi") << "GAIN 15 dBi\nHORIZONTAL 2\n0 0\n180 25\nVERTICAL 2\n0 0\n180 25\n";
    const CalcRun pointed = RunCalc(Coverage({"--tx-pattern", Path("sector.msi")}));
    EXPECT_EQ(pointed.status, 2);
    EXPECT_NE(pointed.err.find("--tx-azimuth: a map's antenna needs its azimuth"), std::string::npos) << pointed.err;
    // Behind the ridge the pattern is read toward the horizon at every point, unannounced.
    const CalcRun turned = RunCalc(Coverage({"--tx-pattern", Path("sector.msi"), "--tx-azimuth", "90"}));
    EXPECT_EQ(turned.status, 0) << turned.err;
    EXPECT_EQ(turned.err.find("blocks"), std::string::npos) << turned.err;
    fs::remove(m_dir / "sector.msi");
    // A KMZ is drawn in degrees: not across the 180th meridian or over a pole.
    for (const char* site : {"89.99,6.05", "45.05,179.99"}) {
        const CalcRun overlay = RunCalc(Coverage({"--from", site, "--format", "kmz", "--output", Path("m.kmz")}));
        EXPECT_EQ(overlay.status, 2) << overlay.err;
        EXPECT_NE(overlay.err.find("write it as a GeoTIFF"), std::string::npos) << overlay.err;
    }
}

} // namespace
} // namespace zandrevio::test
