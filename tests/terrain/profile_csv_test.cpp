#include "terrain/profile_csv.h"

#include "temp_directory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>

namespace zandrevio {
namespace {

struct Readable {
    const char* what;
    std::string text;
};

// The same three points however they are written.
TEST(ProfileCsv, ReadsEveryAcceptedLayout)
{
    const Readable layouts[] = {
        {"header", "distance,height\n0,100\n0.5,120.5\n1.25,90\n"},
        {"header in capitals, units", "Distance (km),HEIGHT_m\n0,100\n0.5,120.5\n1.25,90\n"},
        {"columns ignored", "lat,lon,height,distance\n45,7,100,0\n45.1,7,120.5,0.5\n45.2,7,90,1.25\n"},
        {"no header", "0,100\n0.5,120.5\n1.25,90"},
        {"CRLF, byte-order mark",
         "\xEF\xBB\xBF"
         "distance,height\r\n0,100\r\n0.5,120.5\r\n1.25,90\r\n"},
        {"quotes, spaces, blank lines", "\"distance\",\"height\"\n\n\"0\", 100\n+0.5,1.205e2\n\n1.25,90\n"},
    };
    for (const Readable& layout : layouts) {
        const auto read = ReadProfileCsvText(layout.text);
        ASSERT_TRUE(read.Ok()) << layout.what << ": " << read.Error();
        const auto& points = read.Value().points;
        ASSERT_EQ(points.size(), 3u) << layout.what;
        EXPECT_EQ(points[1].distanceKm, 0.5L) << layout.what;
        EXPECT_EQ(points[1].heightM, 120.5L) << layout.what;
        EXPECT_EQ(read.Value().LengthKm(), 1.25L) << layout.what;
    }
}

struct Refused {
    std::string text;
    const char* message;
};

TEST(ProfileCsv, RefusesNamingTheLine)
{
    const Refused cases[] = {
        {"", "the profile is empty"},
        {"\n\n", "the profile is empty"},
        {"distance,height\n", "has 0 points"},
        {"distance,height\n0,1\n1,2\n", "has 2 points; a path needs at least 3"},
        {"distance,height\n0,1\n1,x\n2,3\n", "height at line 3 is not a number: \"x\""},
        {"distance,height\n0,1\n,1\n2,3\n", "distance at line 3 is not a number"},
        {"distance,height\n0,1\n1,nan\n2,3\n", "height at line 3 is not a finite number"},
        {"distance,height\n0,1\n1,2\n2,1e99999\n", "height at line 4 is not a finite number"},
        {"distance,height\n0,1\n1,inf\n", "height at line 3 is not a finite number"},
        {"distance,height\n0,1\n1,1e300\n2,3\n", "height at line 3: 1E300 m is no ground's height"},
        {"distance,height\n0,1\n1,-12000\n2,3\n", "height at line 3: -12000 m is no ground's height"},
        {"distance,height\n0,1\n1,2\n30000,3\n", "distance at line 4: 30000 km is longer than any path"},
        {"distance,height\n0.1,1\n1,2\n2,3\n", "first distance, at line 2, is 0.1 km"},
        {"distance,height\n0,1\n2,2\n2,3\n", "distance at line 4 (2 km) is not greater than the one before it"},
        {"distance,height\n0,1\n2,2\n1,3\n", "distance at line 4 (1 km)"},
        {"distance,height\n0,1\n1\n2,3\n", "line 3 has 1 of the 2 columns"},
        {"0,1,5\n1,2,5\n2,3,5\n", "line 1 has 3 columns: without a header"},
        {"distance,elevation\n0,1\n", "names no height column"},
        {"km,height\n0,1\n", "names no distance column"},
        {"distance,height,Height\n0,1,1\n", "names two height columns"},
        {"distance,height\n0,1\n1,2\"x\"\n", "not CSV: line 3 has a quote out of place"},
        {"distance,height\n0,1\n\"1,2\n", "quoted field starting at line 3 is never closed"},
        {std::string("distance,height\n0,1\n1,2\0\n", 25), "line 3 holds a NUL byte"},
        {"\xFF\xFE"
         "d\0i\0",
         "UTF-16"},
        {"distance,height\n0,1\n1," + std::string(70000, '1') + "\n", "row at line 3 is longer than 65536 bytes"},
    };
    for (const Refused& c : cases) {
        const auto read = ReadProfileCsvText(c.text);
        ASSERT_FALSE(read.Ok()) << c.message;
        EXPECT_NE(read.Error().find(c.message), std::string::npos) << read.Error();
    }
}

// A long profile is read record by record: 100,000 points.
TEST(ProfileCsv, ReadsALongProfile)
{
    std::ostringstream text;
    text << "distance,height\n";
    for (int i = 0; i < 100000; ++i) {
        text << i * 0.03 << ',' << (i % 97) << '\n';
    }
    const auto read = ReadProfileCsvText(text.str());
    ASSERT_TRUE(read.Ok()) << read.Error();
    EXPECT_EQ(read.Value().points.size(), 100000u);
}

// Written values read back to the same extended reals, through a file.
TEST(ProfileCsv, RoundTripsExactly)
{
    TerrainProfile profile{{{0.0L, 0.1L},
                            {1.0L / 3.0L, std::numbers::pi_v<long double>},
                            {0.7L, -12.345678901234567891L},
                            {1e-3L + 2.0L, 8848.86L},
                            {1234.5L, 1e-300L}}};
    test::TempDirectory directory;
    const auto path = directory.Path() / "profile.csv";
    ASSERT_EQ(WriteProfileCsvFile(path, profile), "");
    std::ifstream written(path, std::ios::binary);
    std::string header;
    std::getline(written, header);
    EXPECT_EQ(header, "distance,height");
    const auto read = ReadProfileCsvFile(path);
    ASSERT_TRUE(read.Ok()) << read.Error();
    ASSERT_EQ(read.Value().points.size(), profile.points.size());
    for (std::size_t i = 0; i < profile.points.size(); ++i) {
        EXPECT_EQ(read.Value().points[i].distanceKm, profile.points[i].distanceKm) << i;
        EXPECT_EQ(read.Value().points[i].heightM, profile.points[i].heightM) << i;
    }
}

// A file written again is replaced whole, and no temporary file stays.
TEST(ProfileCsv, WritingAgainReplacesTheFileWhole)
{
    test::TempDirectory directory;
    const auto path = directory.Path() / "profile.csv";
    ASSERT_EQ(WriteProfileCsvFile(path, TerrainProfile{{{0.0L, 1.0L}, {1.0L, 2.0L}, {2.0L, 3.0L}, {3.0L, 4.0L}}}), "");
    ASSERT_EQ(WriteProfileCsvFile(path, TerrainProfile{{{0.0L, 5.0L}, {1.0L, 6.0L}, {2.0L, 7.0L}}}), "");
    std::ifstream written(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), "distance,height\n0,5\n1,6\n2,7\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.Path()), {}), 1);
}

TEST(ProfileCsv, ReportsFilesThatFail)
{
    const TerrainProfile profile{{{0.0L, 1.0L}, {1.0L, 2.0L}, {2.0L, 3.0L}}};
    EXPECT_NE(WriteProfileCsvFile("/nonexistent-directory/profile.csv", profile).find("cannot create"),
              std::string::npos);
    EXPECT_EQ(WriteProfileCsvFile("/dev/full", profile), "/dev/full: No space left on device");
    const auto missing = ReadProfileCsvFile("/nonexistent-directory/profile.csv");
    ASSERT_FALSE(missing.Ok());
    EXPECT_NE(missing.Error().find("cannot open"), std::string::npos) << missing.Error();
    const auto directory = ReadProfileCsvFile("/");
    ASSERT_FALSE(directory.Ok());
    EXPECT_EQ(directory.Error(), "/ is a folder, not a profile's CSV file");
}

} // namespace
} // namespace zandrevio
