#include "run_calc.h"
#include "terrain/test_rasters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace zandrevio::test {
namespace {

namespace fs = std::filesystem;

// A scratch folder of profiles, removed after each test.
class PathCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zandrevio-path-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Write(const std::string& name, const std::string& text) const
    {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_dir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    // 30 km of sea-level ground, a point every km.
    std::string Flat() const
    {
        std::string csv = "distance,height\n";
        for (int km = 0; km <= 30; ++km) {
            csv += std::to_string(km) + ",0\n";
        }
        return Write("flat.csv", csv);
    }

    fs::path m_dir;
};

// ITU-R P.525: 7000 MHz over 30 km is 138.89 dB; antennas high enough that
// the ground keeps far out of the Fresnel zone add no diffraction loss.
TEST_F(PathCli, AClearHopIsFreeSpaceAndItsBudgetFollows)
{
    const CalcRun run =
        RunCalc({"path", "--profile",        Flat(), "--frequency",   "7000", "--tx-height", "150", "--rx-height",
                 "150",  "--power",          "1",    "--tx-gain",     "38",   "--rx-gain",   "38",  "--tx-feeder-loss",
                 "2",    "--rx-feeder-loss", "2",    "--sensitivity", "-70"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("distance 30 km\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("line-of-sight yes\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("fresnel-60 yes\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("free-space-loss 138.89 dB\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("diffraction-loss 0 dB\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("path-loss 138.89 dB\n"), std::string::npos) << run.out;
    // 30 dBm + 38 + 38 - 2 - 2 - 138.89 = -36.89 dBm; 33.11 dB above -70 dBm.
    EXPECT_NE(run.out.find("received-power -36.89 dBm\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("fade-margin 33.11 dB\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("bearing"), std::string::npos) << "a CSV profile has no bearings";
}

// The line of a result in an output, or "" where it has none.
std::string LineOf(const std::string& out, const std::string& name)
{
    const std::string text = '\n' + out;
    const std::size_t at = text.find('\n' + name + ' ');
    return at == std::string::npos ? std::string() : text.substr(at + 1, text.find('\n', at + 1) - at - 1);
}

// The number of a result's line.
long double ValueOf(const std::string& out, const std::string& name)
{
    const std::string line = LineOf(out, name);
    return line.empty() ? -1.0L : std::strtold(line.c_str() + name.size() + 1, nullptr);
}

// A path by Longley-Rice is `itm` over the same profile; the hop's availability
// takes its distance, frequency, polarization and heights from the link and
// its fade margin from the budget, as `availability` given them does.
TEST_F(PathCli, TheModelAndTheAvailabilityAreThoseOfTheirOwnCalculations)
{
    const std::string flat = Flat();
    const std::vector<std::string> link = {"--profile",   flat,  "--frequency",    "7000",         "--tx-height",
                                           "150",         "--rx-height", "150", "--polarization", "horizontal"};
    const auto with = [&](std::vector<std::string> head, const std::vector<std::string>& tail) {
        head.insert(head.end(), link.begin(), link.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    const CalcRun itm = RunCalc(with({"--digits", "12", "itm"}, {"--climate", "maritime-temperate-sea"}));
    const CalcRun byItm =
        RunCalc(with({"--digits", "12", "path"}, {"--model", "itm", "--climate", "maritime-temperate-sea"}));
    ASSERT_EQ(byItm.status, 0) << byItm.err;
    EXPECT_EQ(LineOf(byItm.out, "path-loss").substr(5), LineOf(itm.out, "loss"));
    for (const char* same : {"range", "free-space-loss", "variability", "tx-horizon-distance"}) {
        EXPECT_EQ(LineOf(byItm.out, same), LineOf(itm.out, same)) << same;
        EXPECT_FALSE(LineOf(byItm.out, same).empty()) << same;
    }
    EXPECT_EQ(LineOf(byItm.out, "diffraction-loss"), "") << "the split is delta-Bullington's";

    const CalcRun hop = RunCalc(with({"--digits", "18", "path"}, {"--power", "1", "--tx-gain", "38", "--rx-gain", "38",
                                                                  "--sensitivity", "-70", "--availability", "yes",
                                                                  "--rain-rate", "60", "--latitude", "52"}));
    ASSERT_EQ(hop.status, 0) << hop.err;
    const std::string margin = LineOf(hop.out, "fade-margin").substr(12);
    const CalcRun alone = RunCalc({"--digits", "18", "availability", "--distance", "30", "--frequency", "7000",
                                   "--polarization", "horizontal", "--tx-altitude", "150", "--rx-altitude", "150",
                                   "--rain-rate", "60", "--latitude", "52", "--fade-margin",
                                   margin.substr(0, margin.find(' '))});
    ASSERT_EQ(alone.status, 0) << alone.err;
    // The margin passes through 18 digits of text: the same to about as many.
    for (const char* same : {"rain-attenuation", "multipath-outage", "outage", "availability", "outage-time"}) {
        EXPECT_GT(ValueOf(hop.out, same), 0.0L) << same;
        EXPECT_NEAR(ValueOf(hop.out, same), ValueOf(alone.out, same), 1e-15L * ValueOf(alone.out, same)) << same;
    }

    // A part's options without its switch, or the hop without the budget's margin: slips naming the option.
    const CalcRun climate = RunCalc({"path", "--profile", flat, "--climate", "desert"});
    EXPECT_EQ(climate.status, 2);
    EXPECT_EQ(climate.err, "zandrevio-calc: --climate: belongs to Longley-Rice, which needs --model itm\n");
    const CalcRun noMargin = RunCalc({"path", "--profile", flat, "--availability", "yes", "--power", "1"});
    EXPECT_EQ(noMargin.status, 2);
    EXPECT_NE(noMargin.err.find("--availability: "), std::string::npos) << noMargin.err;
    // A refusal of a part names its own field.
    const CalcRun time = RunCalc({"path", "--profile", flat, "--model", "itm", "--time", "0"});
    EXPECT_EQ(time.status, 1);
    EXPECT_EQ(time.err, "zandrevio-calc: Time must be between 0 and 100 %, both excluded\n");
}

TEST_F(PathCli, WithoutAPowerThereIsNoBudget)
{
    const CalcRun run =
        RunCalc({"path", "--profile", Flat(), "--frequency", "7000", "--tx-height", "150", "--rx-height", "150"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("received-power"), std::string::npos);
    EXPECT_EQ(run.out.find("fade-margin"), std::string::npos);

    const CalcRun orphan = RunCalc({"path", "--profile", Flat(), "--sensitivity", "-70"});
    EXPECT_EQ(orphan.status, 2);
    EXPECT_NE(orphan.err.find("--sensitivity belongs to the budget, which needs --power"), std::string::npos)
        << orphan.err;
}

// What is refused, and how: a slip in the options is a usage error (2), a
// profile that cannot carry the path is the calculation's refusal (1), and
// nothing is written.
TEST_F(PathCli, BadSourcesAreRefusedNamingWhatIsWrong)
{
    const std::string flat = Flat();
    const std::string backwards = Write("backwards.csv", "distance,height\n0,1\n2,1\n1,1\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"path"}, 2, "path takes --profile FILE, or --dem FILES with --from and --to"},
        {{"path", "--profile", flat, "--dem", "x.tif"}, 2, "path takes"},
        {{"path", "--profile", Path("missing.csv")}, 1, "missing.csv"},
        {{"path", "--profile", backwards}, 1, "line 4"},
        {{"path", "--dem", Path("missing.tif"), "--from", "45,6", "--to", "45.1,6"}, 1, "missing.tif"},
        {{"path", "--dem", Path("missing.tif"), "--from", "north", "--to", "45.1,6"},
         2,
         "--from: 'north' is not LAT,LON"},
        {{"path", "--profile", flat, "--step", "ten"}, 2, "--step: 'ten' is not a number"},
        {{"path", "--profile", flat, "--tx-height", "-1"}, 1, "below ground"},
        {{"path", "--profile", flat, "--frequency", "0"}, 1, "Frequency must be within the radio spectrum"},
        {{"path", "--profile", flat, "--polarization", "circular"}, 2, "--polarization"},
        {{"path", "--profile", flat, "--profile-out", Path("no/such/folder/out.csv")}, 1, "out.csv"},
    };
    for (const auto& c : cases) {
        const CalcRun run = RunCalc(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args.back() << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.args.back();
    }
}

TEST_F(PathCli, TheProfileWrittenOutReadsBackToTheSameAnswer)
{
    const std::string profile = Write("hill.csv",
                                      "latitude,longitude,Distance,Height\n"
                                      "45,6,0,120\n45,6.1,3.5,180.25\n45,6.2,7.25,95\n45,6.3,12,110\n");
    const std::vector<std::string> link = {"--frequency", "2400", "--tx-height", "20", "--rx-height", "15"};
    std::vector<std::string> first = {"path", "--profile", profile, "--profile-out", Path("out.csv")};
    first.insert(first.end(), link.begin(), link.end());
    const CalcRun written = RunCalc(first);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(Read("out.csv"), "distance,height\n0,120\n3.5,180.25\n7.25,95\n12,110\n");

    std::vector<std::string> again = {"path", "--profile", Path("out.csv")};
    again.insert(again.end(), link.begin(), link.end());
    EXPECT_EQ(RunCalc(again).out, written.out);
}

TEST_F(PathCli, JsonAndBatchRowsCarryTheSameResults)
{
    const std::string flat = Flat();
    const CalcRun json = RunCalc({"--json", "path", "--profile", flat, "--tx-height", "150", "--rx-height", "150"});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find("\"free-space-loss\":{\"value\":\"138.89\",\"unit\":\"dB\"}"), std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("\"line-of-sight\":{\"value\":\"yes\",\"unit\":\"\"}"), std::string::npos) << json.out;

    const CalcRun batch = RunCalc({"batch", "-"},
                                  "calculation,profile,frequency,tx-height,rx-height,site\n"
                                  "path," +
                                      flat +
                                      ",7000,150,150,A\n"
                                      "path," +
                                      Path("missing.csv") + ",7000,150,150,B\n");
    EXPECT_EQ(batch.status, 1);
    EXPECT_NE(batch.out.find(",7000,150,150,A,30,,,yes,"), std::string::npos) << batch.out;
    // No received power, fade margin or range; then the parts of the loss.
    EXPECT_NE(batch.out.find(",138.89,0,138.89,,,,0,0,0,"), std::string::npos) << batch.out;
    EXPECT_NE(batch.out.find("missing.csv"), std::string::npos) << batch.out;
    EXPECT_EQ(batch.err,
              "zandrevio-calc: the column 'site' is no option of any calculation: passed through as it is\n"
              "zandrevio-calc: 1 of 2 rows failed\n");
}

// A plateau 500 m high from 45 to 46 N and 6 to 7 E: a hop across it east
// is clear, its bearings a little either side of east (the great circle),
// and a hop off its edge is refused naming where the data ends.
TEST_F(PathCli, ElevationDataGiveTheProfileAndTheBearings)
{
    const std::string raster =
        WriteRaster(m_dir, "plateau.tif", {100, 100, 6.0, 46.0, 0.01, [](int, int) { return 500.0; }}).string();
    const CalcRun run = RunCalc({"path", "--dem", raster, "--from", "45.5,6.2", "--to", "45.5;6.8", "--step", "500",
                                 "--tx-height", "100", "--rx-height", "100", "--profile-out", Path("cut.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("distance 46.762 km\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("bearing 89.79 \u00b0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("reverse-bearing 270.21 \u00b0\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("line-of-sight yes\n"), std::string::npos) << run.out;
    EXPECT_EQ(Read("cut.csv").substr(0, 22), "distance,height\n0,500\n");

    const CalcRun off = RunCalc({"path", "--dem", raster, "--from", "45.5,6.2", "--to", "45.5,7.3"});
    EXPECT_EQ(off.status, 1);
    EXPECT_EQ(off.err,
              "zandrevio-calc: The path leaves the elevation data at 62.560 km (latitude 45.50104, "
              "longitude 7.00271)\n");
    EXPECT_EQ(off.out, "");
}

} // namespace
} // namespace zandrevio::test
