#include "patterns/antenna_pattern.h"
#include "patterns/pattern_gain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

namespace zandrevio {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// 3GPP TR 38.901 V17.0.0 Table 7.3-1, a sector antenna: A_H(φ) =
// min(12 (φ/φ3dB)^2, A_m), A_V = min(12 ((θ - θtilt)/θ3dB)^2, SLA_V), the
// whole min(A_H + A_V, A_m); here by depression d (θ - 90) with the beam
// 6 degrees down, φ3dB 65, θ3dB 10, A_m = SLA_V = 30 dB, 18 dBi.
long double SectorH(long double azimuth)
{
    return std::min(12.0L * (azimuth / 65.0L) * (azimuth / 65.0L), 30.0L);
}
long double SectorV(long double depression)
{
    return std::min(12.0L * ((depression - 6.0L) / 10.0L) * ((depression - 6.0L) / 10.0L), 30.0L);
}
long double Sector(long double azimuth, long double elevation)
{
    return std::min(SectorH(azimuth) + SectorV(-elevation), 30.0L);
}

// A pattern of 1-degree cuts of `attenuation` (azimuth, elevation): the
// horizontal cut along the beam's peak, the vertical through boresight.
AntennaPattern PatternOf(const std::function<long double(long double, long double)>& attenuation,
                         long double peakElevation)
{
    AntennaPattern pattern;
    pattern.name = "sector";
    pattern.gainDbi = 18.0L;
    std::vector<PatternCut::Point> horizontal;
    std::vector<PatternCut::Point> vertical;
    for (int angle = 0; angle < 360; ++angle) {
        const long double signed_ = angle > 180 ? angle - 360 : angle;
        horizontal.push_back({static_cast<long double>(angle), attenuation(signed_, peakElevation)});
        // Ahead (depressions -90 to 90) at azimuth 0; behind at 180, where d = 180 + e.
        const bool ahead = std::fabs(signed_) <= 90.0L;
        const long double elevation = ahead ? -signed_ : (signed_ > 0 ? signed_ - 180.0L : signed_ + 180.0L);
        vertical.push_back({static_cast<long double>(angle), attenuation(ahead ? 0.0L : 180.0L, elevation)});
    }
    pattern.horizontal = PatternCut(horizontal);
    pattern.vertical = PatternCut(vertical);
    return pattern;
}

AntennaPattern ReadBack(const AntennaPattern& pattern)
{
    const PatternRead read = ReadPattern(MsiText(pattern));
    EXPECT_TRUE(std::holds_alternative<AntennaPattern>(read)) << std::get<PatternFault>(read).Text();
    return std::get<AntennaPattern>(read);
}

// The bearing and elevation of a direction given in the frame of an antenna
// at `azimuth`, tilted down by `tilt`: the mounting undone.
std::pair<long double, long double> WorldDirection(long double azimuth, long double tilt, long double phi,
                                                   long double elevation)
{
    const long double r = kPi / 180.0L;
    const long double forward = std::cos(elevation * r) * std::cos(phi * r);
    const long double right = std::cos(elevation * r) * std::sin(phi * r);
    const long double up = std::sin(elevation * r);
    // Tilted up again by `tilt`.
    const long double levelForward = forward * std::cos(tilt * r) + up * std::sin(tilt * r);
    const long double levelUp = -forward * std::sin(tilt * r) + up * std::cos(tilt * r);
    return {azimuth + std::atan2(right, levelForward) / r, std::asin(levelUp) / r};
}

// Written as MSI and read back, the published sector pattern gives its own
// value at every degree of both cuts, ahead and behind.
TEST(AntennaPattern, ThePublishedSectorReadsBackOnBothCuts)
{
    const AntennaPattern pattern = ReadBack(PatternOf(Sector, -6.0L));
    const AntennaMounting level{0.0L, 0.0L};
    for (int azimuth = -180; azimuth <= 180; ++azimuth) {
        EXPECT_EQ(GainToward(pattern, level, azimuth, -6.0L), 18.0L - Sector(azimuth, -6.0L)) << azimuth;
    }
    for (int elevation = -90; elevation <= 90; ++elevation) {
        EXPECT_EQ(GainToward(pattern, level, 0.0L, elevation), 18.0L - Sector(0, elevation)) << elevation;
        EXPECT_EQ(GainToward(pattern, level, 180.0L, elevation), 18.0L - Sector(180, elevation)) << elevation;
    }
    const PatternFigures figures = FiguresOf(pattern);
    EXPECT_NEAR(figures.horizontalBeamwidthDeg, 65.0L, 0.05L);
    EXPECT_NEAR(figures.verticalBeamwidthDeg, 10.0L, 0.05L);
    EXPECT_EQ(figures.frontToBackDb, 30.0L);
    EXPECT_EQ(figures.electricalTiltDeg, 6.0L);
}

// Turned to 120 degrees and tilted 4 down, the antenna gives the pattern's
// value at the direction as the antenna sees it: on its cuts for the
// published sector, and everywhere for a pattern that is the sum of its cuts.
TEST(AntennaPattern, TurnedAndTiltedGivesThePatternAtTheTurnedAngles)
{
    const AntennaMounting mounting{120.0L, 4.0L};
    const AntennaPattern sector = ReadBack(PatternOf(Sector, -6.0L));
    const auto sum = [](long double phi, long double e) {
        return 20.0L * (1.0L - std::cos(phi * kPi / 180.0L)) / 2.0L + SectorV(-e) / 2.0L;
    };
    const AntennaPattern summed = ReadBack(PatternOf(sum, -6.0L));
    for (int phi = -180; phi <= 180; phi += 5) {
        for (int elevation = -85; elevation <= 85; elevation += 5) {
            const auto [bearing, up] = WorldDirection(120.0L, 4.0L, phi, elevation);
            EXPECT_NEAR(GainToward(summed, mounting, bearing, up), 18.0L - sum(phi, elevation), 1e-9L)
                << phi << " " << elevation;
            if (phi == 0 || std::abs(phi) == 180 || elevation == -6) {
                EXPECT_NEAR(GainToward(sector, mounting, bearing, up), 18.0L - Sector(phi, elevation), 1e-9L)
                    << phi << " " << elevation;
            }
        }
    }
    // Untilted, the turn alone: boresight at 120, the back at 300.
    EXPECT_EQ(GainToward(sector, {120.0L, 0.0L}, 120.0L, -6.0L), 18.0L);
    EXPECT_EQ(GainToward(sector, {120.0L, 0.0L}, 300.0L, -6.0L), 18.0L - 30.0L);
}

std::string MsiFile(const std::string& gainLine, const std::string& extra = "")
{
    std::string text = "NAME test\n" + gainLine + "\n" + extra + "HORIZONTAL 4\n0 0\n90 10\n180 25\n270 10\n";
    return text + "VERTICAL 4\n0 0\n90 20\n180 25\n270 20\n";
}

// A gain in dBd is 2.15 dB above the same number in dBi (a half-wave
// dipole's gain); MSI's unit is dBd where the file does not say.
TEST(AntennaPattern, DbdIsTheDipolesGainAboveDbi)
{
    const auto gainOf = [](const std::string& text) {
        return std::get<AntennaPattern>(ReadPattern(text)).gainDbi;
    };
    EXPECT_EQ(gainOf(MsiFile("GAIN 15 dBd")), gainOf(MsiFile("GAIN 15 dBi")) + 2.15L);
    EXPECT_EQ(gainOf(MsiFile("GAIN 15")), gainOf(MsiFile("GAIN 15 dBd")));
    EXPECT_EQ(gainOf(MsiFile("gain 15dBi")), 15.0L);
    // A byte-order mark before either format; 360 degrees as 0 again.
    EXPECT_EQ(gainOf("\xEF\xBB\xBF" + MsiFile("GAIN 15 dBi")), 15.0L);
    const AntennaPattern wrapped = std::get<AntennaPattern>(
        ReadPattern("GAIN 15 dBi\nHORIZONTAL 3\n90 10\n270 10\n360 2\nVERTICAL 2\n0 0\n180 20\n"));
    EXPECT_EQ(wrapped.horizontal.At(0.0L), 2.0L);
    EXPECT_EQ(wrapped.horizontal.Points().size(), 3u);
    const std::string nsma = "REVNUM:,TIA/EIA-804-B\nMODNUM:,X1\nGUNITS:,DBD/DBR\nMDGAIN:,15\n"
                             "PATCUT:,AZ\nPOLARI:,V/V\nNUPOIN:,3\nFSTLST:,-180,180\n-180,-25,\n0,0,\n180,-25,\n"
                             "PATCUT:,EL\nPOLARI:,V/V\nNUPOIN:,3\nFSTLST:,-90,90\n-90,-20,\n0,0,\n90,-20,\nENDFIL:,EOF\n";
    EXPECT_EQ(gainOf(nsma), 17.15L);
}

// An NSMA file reads to the cuts MSI holds: the azimuth as it is, the
// elevation (up) as a depression (down), relative gains as attenuations;
// the co-polar cut is taken over a cross-polar one given first.
TEST(AntennaPattern, NsmaReadsToTheSameCuts)
{
    const std::string nsma = "REVNUM:,TIA/EIA-804-B\r\nANTMAN:,Maker\r\nMODNUM:,DISH-6\r\nLOWFRQ:,5925\r\n"
                             "HGHFRQ:,6425\r\nGUNITS:,DBI/DBR\r\nMDGAIN:,38.6\r\nELTILT:,0\r\nPATCUT:,AZ\r\n"
                             "POLARI:,H/V\r\nNUPOIN:,2\r\nFSTLST:,-180,0\r\n-180,-60,\r\n0,-30,\r\n"
                             "PATCUT:,AZ\r\nPOLARI:,H/H\r\nNUPOIN:,5\r\nFSTLST:,-180,180\r\n-180,-50,\r\n-10,-30,\r\n"
                             "0,0,\r\n10,-30,\r\n180,-50,\r\nPATCUT:,EL\r\nPOLARI:,H/H\r\nNUPOIN:,3\r\n"
                             "FSTLST:,-10,10\r\n-10,-40,\r\n0,0,\r\n10,-30,\r\nENDFIL:,EOF\r\n";
    const PatternRead read = ReadPattern(nsma);
    ASSERT_TRUE(std::holds_alternative<AntennaPattern>(read)) << std::get<PatternFault>(read).Text();
    const AntennaPattern& pattern = std::get<AntennaPattern>(read);
    EXPECT_EQ(pattern.format, PatternFormat::Nsma);
    EXPECT_EQ(pattern.name, "DISH-6");
    EXPECT_EQ(pattern.maker, "Maker");
    EXPECT_EQ(*pattern.frequencyMHz, 6175.0L);
    EXPECT_EQ(pattern.polarization, "H/H");
    EXPECT_EQ(pattern.horizontal.At(350.0L), 30.0L);
    EXPECT_EQ(pattern.horizontal.At(180.0L), 50.0L);
    EXPECT_EQ(pattern.vertical.At(10.0L), 40.0L);  // 10 below: the elevation -10
    EXPECT_EQ(pattern.vertical.At(350.0L), 30.0L); // 10 above
    EXPECT_EQ(GainToward(pattern, {0.0L, 0.0L}, 10.0L, 0.0L), 38.6L - 30.0L);
}

// A file at fault is refused at its line and field, whatever the fault.
TEST(AntennaPattern, RefusesAFaultyFileAtItsLine)
{
    const struct {
        std::string text;
        std::size_t line;
        const char* field;
        const char* says;
    } cases[] = {
        {MsiFile("GAIN 15 dBx"), 2, "GAIN", "neither dBd nor dBi"},
        {MsiFile("GAIN 75 dBi"), 2, "GAIN", "out of range"},
        {MsiFile("GAIN 15", "GAIN 16\n"), 3, "GAIN", "given twice"},
        {"NAME x\nHORIZONTAL 4\n0 0\n90 10\n180 25\n270 10\n", 0, "GAIN", "no GAIN line"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n90 10\n", 0, "VERTICAL", "no vertical cut"},
        {"NAME x\nGAIN 15\nHORIZONTAL 3\n0 0\n90 10\n", 3, "HORIZONTAL", "file ends after 2"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n90 ten\n", 5, "HORIZONTAL", "'ten' is not a number"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n90 -3\n", 5, "HORIZONTAL", "out of range"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n360.5 3\n", 5, "HORIZONTAL", "out of range"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n360 3\n", 5, "HORIZONTAL", "360 degrees is 0 again"},
        {"NAME x\nGAIN 15\nHORIZONTAL 3\n0 0\n90 3\nVERTICAL 1\n0 0\n", 3, "HORIZONTAL",
         "announces 3 points and has 2"},
        {"NAME x\nGAIN 15 dB\x01\n", 2, "GAIN", "'dB\\x01'"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nNUPOIN:,2.5\n", 4, "NUPOIN", "whole"},
        {"REVNUM:,x\nMDGAIN:,10,dBd\nGUNITS:,DBI/DBR\n", 3, "GUNITS", "disagrees"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nPOLARI:,V/H\nNUPOIN:,1\n0,0,\nPATCUT:,EL\nPOLARI:,V/H\nNUPOIN:,1\n"
         "0,0,\n", 3, "POLARI", "cross-polar"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n90 0\n10 3\n", 5, "HORIZONTAL", "must rise"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2\n0 0\n90 3 4\n", 5, "HORIZONTAL", "not 'angle attenuation'"},
        {"NAME x\nGAIN 15\nHORIZONTAL 1\n0 0\n90 3\n", 5, "", "more points than"},
        {"NAME x\nGAIN 15\nHORIZONTAL 2.5\n", 3, "HORIZONTAL", "whole"},
        {"NAME x\nGAIN 15\nTILT SIDEWAYS 3\n", 3, "TILT", "ELECTRICAL or MECHANICAL"},
        {"", 0, "", "empty"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nNUPOIN:,2\n0,0,\n", 4, "NUPOIN", "file ends after 1"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nNUPOIN:,1\n0,0,\n", 0, "PATCUT", "no elevation (EL) cut"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nNUPOIN:,1\n0,3,\n", 5, "relative gain", "out of range"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,XY\n", 3, "PATCUT", "AZ or EL"},
        {"REVNUM:,x\nPATCUT:,AZ\nNUPOIN:,1\n0,0,\nPATCUT:,EL\nNUPOIN:,1\n0,0,\n", 0, "MDGAIN", "no mid-band gain"},
        {"REVNUM:,x\nMDGAIN:,10\n5,0,\n", 3, "", "neither a field"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nNUPOIN:,3\n-180,-9,\n0,0,\n180,-8,\n", 7, "PATCUT AZ", "given twice"},
        {"REVNUM:,x\nENDFIL:,EOF\nMDGAIN:,10\n", 3, "", "after ENDFIL"},
        {"REVNUM:,x\nMDGAIN:,10\nPATCUT:,AZ\nNUPOIN:,3\nPATCUT:,EL\n", 5, "PATCUT", "announces 3 points and has 0"},
    };
    for (const auto& [text, line, field, says] : cases) {
        const PatternRead read = ReadPattern(text);
        ASSERT_TRUE(std::holds_alternative<PatternFault>(read)) << text;
        const PatternFault& fault = std::get<PatternFault>(read);
        EXPECT_EQ(fault.line, line) << text << "\n" << fault.Text();
        EXPECT_EQ(fault.field, field) << text << "\n" << fault.Text();
        EXPECT_NE(fault.message.find(says), std::string::npos) << fault.Text();
    }
}

} // namespace
} // namespace zandrevio
