#include "run_calc.h"
#include "numeric/format.h"
#include "terrain/test_rasters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zandrevio::test {
namespace {

namespace fs = std::filesystem;

// A sector antenna of 3GPP TR 38.901 Table 7.3-1 (65 degrees wide, 10 high,
// its beam 6 degrees down, 18 dBi) as an MSI file, and the links it serves.
class PatternCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "zandrevio-pattern-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        std::ofstream msi(m_dir / "sector.msi", std::ios::binary);
        msi << "NAME Sector 65\r\nMAKE Test\r\nFREQUENCY 1800\r\nGAIN 15.85 dBd\r\nTILT ELECTRICAL 6\r\n";
        msi << "HORIZONTAL 360\r\n";
        for (int a = 0; a < 360; ++a) {
            const double phi = a > 180 ? a - 360 : a;
            msi << a << " " << std::min(12.0 * (phi / 65) * (phi / 65), 30.0) << "\r\n";
        }
        msi << "VERTICAL 360\r\n";
        for (int a = 0; a < 360; ++a) {
            const double d = a > 180 ? a - 360 : a;
            msi << a << " " << (std::fabs(d) <= 90 ? std::min(12.0 * ((d - 6) / 10) * ((d - 6) / 10), 30.0) : 30.0)
                << "\r\n";
        }
        // A flat plain 100 m high and a ridge 3 km along a 10 km profile.
        std::ofstream(m_dir / "flat.csv") << "distance,height\n0,100\n5,100\n10,100\n";
        std::ofstream(m_dir / "ridge.csv") << "distance,height\n0,100\n3,400\n10,100\n";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    static long double Value(const std::string& out, const std::string& name)
    {
        const std::size_t at = out.find("\n" + name + " ");
        return at == std::string::npos ? -999.0L : std::strtold(out.c_str() + at + name.size() + 2, nullptr);
    }

    fs::path m_dir;
};

// The file's figures, and its gain toward a direction with the antenna turned and tilted.
TEST_F(PatternCli, GivesTheGainTowardADirectionAndTheFilesFigures)
{
    const CalcRun run = RunCalc({"pattern", "--pattern", Path("sector.msi"), "--bearing", "150", "--elevation", "-6",
                                 "--azimuth", "120"});
    ASSERT_EQ(run.status, 0) << run.err;
    // 30 degrees off boresight on the beam's peak: 12 (30/65)^2 = 2.56 dB down from 15.85 + 2.15 dBi.
    EXPECT_EQ(run.out, "gain 15.44 dBi\nattenuation 2.56 dB\nmax-gain 18 dBi\nhorizontal-beamwidth 64.99 deg\n"
                       "vertical-beamwidth 10 deg\nfront-to-back 30 dB\nelectrical-tilt 6 deg\n");
    // Tilted 4 degrees down mechanically, the horizon is 4 degrees above the beam's axis and 10 above its peak.
    const CalcRun tilted = RunCalc({"--digits", "18", "pattern", "--pattern", Path("sector.msi"), "--downtilt", "4"});
    ASSERT_EQ(tilted.status, 0) << tilted.err;
    EXPECT_NEAR(Value("\n" + tilted.out, "gain"), 18.0L - 12.0L * (-10.0L / 10) * (-10.0L / 10), 1e-12L);
}

// A link's antennas by their patterns: each gain is the pattern's toward
// the other end (or its horizon), the budget takes it, and the results name
// it; both models read the same geometry.
TEST_F(PatternCli, APathTakesEachEndsPatternGainTowardTheOther)
{
    const std::vector<std::string> link = {"--profile", Path("flat.csv"), "--tx-height", "30", "--rx-height", "30",
                                           "--frequency", "1800", "--power", "40"};
    std::vector<std::string> typed = {"--digits", "18", "path"};
    typed.insert(typed.end(), link.begin(), link.end());
    std::vector<std::string> patterned = typed;
    patterned.insert(patterned.end(), {"--tx-pattern", Path("sector.msi"), "--rx-pattern", Path("sector.msi")});
    typed.insert(typed.end(), {"--tx-gain", "0", "--rx-gain", "0"});
    const CalcRun plain = RunCalc(typed);
    const CalcRun run = RunCalc(patterned);
    ASSERT_EQ(run.status, 0) << run.err;
    const long double txGain = Value("\n" + run.out, "tx-pattern-gain");
    const long double rxGain = Value("\n" + run.out, "rx-pattern-gain");
    const long double elevation = Value("\n" + run.out, "tx-pattern-elevation");
    // Over the plain both antennas look 0.0337 degrees down (the earth's bulge
    // at 4/3 of its radius): atan(-(10 km)^2 / (2 k a) / 10 km).
    EXPECT_NEAR(elevation, std::atan(-10.0L / (2.0L * 4.0L / 3.0L * 6371.0L)) * 180.0L / 3.14159265358979323846L,
                1e-9L);
    // Each looks along its boresight (pointed at the other end), just below
    // the horizon: the vertical cut read between its points at 0 and 1 degree
    // down (4.32 and 3 dB).
    const long double expected = 18.0L - (4.32L + (3.0L - 4.32L) * -elevation);
    EXPECT_NEAR(txGain, expected, 1e-9L);
    EXPECT_NEAR(rxGain, expected, 1e-9L);
    EXPECT_NEAR(Value("\n" + run.out, "received-power"), Value("\n" + plain.out, "received-power") + txGain + rxGain,
                1e-9L);
    // The pattern command gives the same gain for the same direction.
    const CalcRun same = RunCalc({"--digits", "18", "pattern", "--pattern", Path("sector.msi"), "--elevation",
                                  std::to_string(static_cast<double>(elevation))});
    EXPECT_NEAR(Value("\n" + same.out, "gain"), txGain, 1e-6L);

    // Behind a ridge the transmitter's pattern is read toward its horizon, with a warning; Longley-Rice alike.
    for (const char* model : {"delta-bullington", "itm"}) {
        std::vector<std::string> ridge = {"path", "--model", model, "--profile", Path("ridge.csv"),
                                          "--tx-height", "30", "--tx-pattern", Path("sector.msi")};
        const CalcRun blocked = RunCalc(ridge);
        ASSERT_EQ(blocked.status, 0) << blocked.err;
        EXPECT_NE(blocked.err.find("The terrain blocks the transmitter's view of the other end: its pattern is read "
                                   "toward its horizon, at 5.13 degrees"),
                  std::string::npos)
            << model << blocked.err;
    }
    // itm itself names the same gains.
    const CalcRun itm = RunCalc({"itm", "--profile", Path("ridge.csv"), "--tx-height", "30", "--frequency", "1800",
                                 "--tx-pattern", Path("sector.msi"), "--tx-azimuth", "90"});
    ASSERT_EQ(itm.status, 0) << itm.err;
    EXPECT_NE(itm.out.find("tx-pattern-elevation 5.13 deg"), std::string::npos) << itm.out;
}

// The budgets without terrain take the BS pattern's gain toward the mobile
// at the elevation its distance and the heights give (flat ground, 4/3
// earth); the cell's edge is the farthest distance the level still reaches
// the sensitivity with the gain toward it, as the pattern and path-loss
// commands give them.
TEST_F(PatternCli, TheBudgetsTakeTheBsPatternsGainTowardTheMobile)
{
    const auto elevationAt = [](long double km, long double bs, long double ms) {
        const long double drop = 1000.0L * km * km / (2.0L * 4.0L / 3.0L * 6371.0L);
        return std::atan((ms - bs - drop) / (1000.0L * km)) * 180.0L / 3.14159265358979323846L;
    };
    const auto gainAt = [this](long double elevation, const char* downtilt) {
        const CalcRun run = RunCalc({"--digits", "18", "pattern", "--pattern", Path("sector.msi"), "--elevation",
                                     FormatFull(elevation), "--downtilt", downtilt});
        return Value("\n" + run.out, "gain");
    };
    const CalcRun budget =
        RunCalc({"--digits", "18", "link-budget", "--model", "hata", "--distance", "2", "--bs-pattern",
                 Path("sector.msi")});
    ASSERT_EQ(budget.status, 0) << budget.err;
    const long double elevation = Value("\n" + budget.out, "bs-pattern-elevation");
    const long double gain = Value("\n" + budget.out, "bs-pattern-gain");
    EXPECT_NEAR(elevation, elevationAt(2.0L, 50.0L, 2.0L), 1e-12L);
    EXPECT_NEAR(gain, gainAt(elevation, "0"), 1e-12L);
    const CalcRun typed = RunCalc({"--digits", "18", "link-budget", "--model", "hata", "--distance", "2",
                                   "--bs-gain", FormatFull(gain), "--bs-gain-unit", "dBi"});
    EXPECT_NEAR(Value("\n" + budget.out, "received-power"), Value("\n" + typed.out, "received-power"), 1e-12L);

    const CalcRun range = RunCalc({"--digits", "18", "cell-range", "--bs-pattern", Path("sector.msi"),
                                   "--bs-downtilt", "4"});
    ASSERT_EQ(range.status, 0) << range.err;
    const long double radius = Value("\n" + range.out, "radius");
    const long double edgeGain = Value("\n" + range.out, "bs-pattern-gain");
    const CalcRun bare = RunCalc({"--digits", "18", "cell-range", "--bs-gain", "0"});
    const long double budget0 = Value("\n" + bare.out, "max-path-loss");
    EXPECT_NEAR(Value("\n" + range.out, "max-path-loss"), budget0 + edgeGain, 1e-12L);
    // 5 m inside the edge the level still reaches the sensitivity; 5 m beyond it no longer does.
    for (const long double step : {-0.005L, 0.005L}) {
        const long double km = radius + step;
        const CalcRun loss = RunCalc({"--digits", "18", "path-loss", "--model", "cost-231", "--frequency", "1800",
                                      "--bs-height", "30", "--ms-height", "1.5", "--distance", FormatFull(km)});
        const long double margin =
            budget0 + gainAt(elevationAt(km, 30.0L, 1.5L), "4") - Value("\n" + loss.out, "loss");
        EXPECT_EQ(margin >= 0.0L, step < 0.0L) << FormatFull(km) << " km: " << FormatFull(margin);
    }
}

TEST_F(PatternCli, RefusesAtTheOptionAtFault)
{
    std::ofstream(m_dir / "broken.msi") << "NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n90 ten\nVERTICAL 1\n0 0\n";
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"pattern", "--pattern", Path("broken.msi")}, 1, "broken.msi, line 5 (HORIZONTAL): 'ten' is not a number"},
        {{"pattern", "--pattern", Path("none.msi")}, 1, "cannot open"},
        {{"pattern", "--pattern", m_dir.string()}, 1, "is a folder"},
        {{"pattern", "--pattern", Path("sector.msi"), "--elevation", "91"}, 2, "--elevation: must be an angle"},
        {{"path", "--profile", Path("flat.csv"), "--power", "1", "--tx-gain", "3", "--tx-pattern", Path("sector.msi")},
         2, "give --tx-gain or --tx-pattern, not both"},
        {{"path", "--profile", Path("flat.csv"), "--rx-downtilt", "3"}, 2, "--rx-downtilt: belongs to an antenna's"},
        {{"path", "--profile", Path("flat.csv"), "--rx-pattern", Path("broken.msi")}, 1, "line 5 (HORIZONTAL)"},
        {{"itm", "--distance", "10", "--tx-pattern", Path("sector.msi")}, 2, "a pattern is read along a path"},
        {{"cell-range", "--bs-pattern", Path("sector.msi"), "--max-path-loss", "140"}, 2, "not --max-path-loss"},
        {{"link-budget", "--bs-pattern", Path("sector.msi"), "--bs-gain", "3"}, 2, "--bs-gain or --bs-pattern"},
        {{"link-budget", "--ms-azimuth", "3"}, 2, "--ms-azimuth: belongs to the BS antenna's pattern"},
    };
    for (const auto& [args, status, says] : cases) {
        const CalcRun run = RunCalc(args);
        EXPECT_EQ(run.status, status) << says << run.err;
        EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
    }
}

} // namespace
} // namespace zandrevio::test
