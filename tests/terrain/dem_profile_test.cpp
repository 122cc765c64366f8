#include "terrain/dem_profile.h"

#include "numeric/radio.h"
#include "temp_directory.h"
#include "test_rasters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace zandrevio {
namespace {

using test::RasterShape;
using test::TempDirectory;
using test::WriteRaster;

// Degrees of latitude (or of longitude on the equator) per km on the sphere.
constexpr long double kDegreesPerKm = 180.0L / (radio::kPi * radio::kEarthRadiusKm);
constexpr double kPixel = 0.001; // degrees

// 100 by 100 pixels of 0.001° whose top-left corner is at 45.1° N, 10° E.
RasterShape Square(std::function<double(int, int)> height)
{
    return {100, 100, 10.0, 45.1, kPixel, std::move(height)};
}

// The latitude of a row's pixel centres in Square.
long double RowLatitude(int row)
{
    return 45.1L - (row + 0.5L) * kPixel;
}

// Along the meridian through column 50's centres, from row 90 north to row 10.
const GeoPoint kSouth{RowLatitude(90), 10.0505L};
const GeoPoint kNorth{RowLatitude(10), 10.0505L};

class DemProfile : public ::testing::Test {
protected:
    TempDirectory directory;
    std::filesystem::path Raster(const std::string& name, const RasterShape& shape)
    {
        return WriteRaster(directory.Path(), name, shape);
    }
};

// Heights rising 5 m a row northwards: bilinear interpolation samples a
// linear slope exactly, so each height follows from its distance alone.
TEST_F(DemProfile, SamplesALinearSlopeExactly)
{
    const auto file = Raster("slope.tif", Square([](int, int row) { return 1000.0 - 5.0 * row; }));
    const auto cut = CutDemProfile({{file}, kSouth, kNorth, std::nullopt});
    ASSERT_TRUE(cut.Ok()) << cut.Error();
    const auto& points = cut.Value().profile.points;
    ASSERT_GT(points.size(), 100u);
    for (const ProfilePoint& point : points) {
        const long double latitude = kSouth.latitudeDeg + point.distanceKm * kDegreesPerKm;
        const long double row = (45.1L - latitude) / kPixel - 0.5L;
        EXPECT_NEAR(point.heightM, 1000.0L - 5.0L * row, 1e-6L) << point.distanceKm << " km";
    }
    EXPECT_EQ(points.front().heightM, 1000.0L - 5.0L * 90);
    EXPECT_NEAR(points.back().heightM, 1000.0L - 5.0L * 10, 1e-6L);
}

// The default step is the pixel's shorter side at the path's latitude: here
// its width, 0.001° of longitude at 45.05° N.
TEST_F(DemProfile, StepsByThePixelSizeUnlessGivenOne)
{
    const auto file = Raster("flat.tif", Square([](int, int) { return 1234.5; }));
    const auto cut = CutDemProfile({{file}, kSouth, kNorth, std::nullopt});
    ASSERT_TRUE(cut.Ok()) << cut.Error();
    const long double width = 0.001L / kDegreesPerKm * std::cos(45.05L * radio::kPi / 180.0L) * 1000.0L;
    const long double length = cut.Value().distanceKm * 1000.0L;
    EXPECT_EQ(cut.Value().profile.points.size(), static_cast<std::size_t>(std::ceil(length / width)) + 1);
    for (const ProfilePoint& point : cut.Value().profile.points) {
        EXPECT_NEAR(point.heightM, 1234.5L, 1e-9L);
    }

    const auto coarse = CutDemProfile({{file}, kSouth, kNorth, 1000.0L});
    ASSERT_TRUE(coarse.Ok()) << coarse.Error();
    EXPECT_EQ(coarse.Value().profile.points.size(), 10u); // 8.9 km in 9 steps
    EXPECT_EQ(coarse.Value().profile.LengthKm(), coarse.Value().distanceKm);
}

// A ridge one pixel wide (row 50), sampled at every pixel centre: its full
// height on the ridge's centre line, nothing a pixel either side.
TEST_F(DemProfile, CrossesARidge)
{
    const auto file = Raster("ridge.tif", Square([](int, int row) { return row == 50 ? 500.0 : 0.0; }));
    const GeoPoint from{RowLatitude(70), 10.0505L};
    const GeoPoint to{RowLatitude(30), 10.0505L};
    const long double pixelM = kPixel / kDegreesPerKm * 1000.0L;
    const auto cut = CutDemProfile({{file}, from, to, pixelM * (1.0L + 1e-12L)});
    ASSERT_TRUE(cut.Ok()) << cut.Error();
    const auto& points = cut.Value().profile.points;
    ASSERT_EQ(points.size(), 41u);
    EXPECT_NEAR(points[20].heightM, 500.0L, 1e-6L);
    EXPECT_NEAR(points[19].heightM, 0.0L, 1e-6L);
    EXPECT_NEAR(points[21].heightM, 0.0L, 1e-6L);
    const auto highest = std::max_element(points.begin(), points.end(),
                                          [](const auto& a, const auto& b) { return a.heightM < b.heightM; });
    EXPECT_EQ(highest - points.begin(), 20);
}

TEST_F(DemProfile, RefusesAHoleInTheData)
{
    const auto file = Raster("hole.tif", [] {
        RasterShape shape = Square([](int column, int row) { return column == 50 && row == 50 ? -32768.0 : 100.0; });
        shape.noData = -32768.0;
        return shape;
    }());
    const auto cut = CutDemProfile({{file}, kSouth, kNorth, std::nullopt});
    ASSERT_FALSE(cut.Ok());
    EXPECT_NE(cut.Error().find("no-data"), std::string::npos) << cut.Error();
    EXPECT_NE(cut.Error().find(" km (latitude 45.04"), std::string::npos) << cut.Error();
}

TEST_F(DemProfile, RefusesAPathLeavingTheData)
{
    const auto file = Raster("flat.tif", Square([](int, int) { return 10.0; }));
    const auto cut = CutDemProfile({{file}, kSouth, {45.2L, 10.0505L}, std::nullopt});
    ASSERT_FALSE(cut.Ok());
    EXPECT_NE(cut.Error().find("leaves the elevation data at"), std::string::npos) << cut.Error();
}

// Two tiles side by side on the equator, heights rising 10 m a column
// across both: the samples between the last pixel centre of the one and
// the first of the other take a pixel from each.
TEST_F(DemProfile, JoinsTwoTilesSideBySide)
{
    const auto west = Raster("west.tif", {100, 100, 10.0, 0.05, kPixel, [](int c, int) { return 10.0 * c; }});
    const auto east = Raster("east.tif", {100, 100, 10.1, 0.05, kPixel, [](int c, int) { return 10.0 * (100 + c); }});
    const GeoPoint from{0.0L, 10.01L};
    const GeoPoint to{0.0L, 10.19L};
    const auto cut = CutDemProfile({{west, east}, from, to, 50.0L});
    ASSERT_TRUE(cut.Ok()) << cut.Error();
    bool seam = false;
    for (const ProfilePoint& point : cut.Value().profile.points) {
        const long double longitude = from.longitudeDeg + point.distanceKm * kDegreesPerKm;
        const long double column = (longitude - 10.0L) / kPixel - 0.5L;
        EXPECT_NEAR(point.heightM, 10.0L * column, 1e-6L) << point.distanceKm << " km";
        seam = seam || (column > 99.0L && column < 100.0L);
    }
    EXPECT_TRUE(seam);
    EXPECT_NEAR(cut.Value().distanceKm, 0.18L / kDegreesPerKm, 1e-9L);
    EXPECT_NEAR(cut.Value().bearingDeg, 90.0L, 1e-9L);
    EXPECT_NEAR(cut.Value().reverseBearingDeg, 270.0L, 1e-9L);
}

// A raster in UTM zone 32 N, 100 m pixels: WGS84 degrees are transformed
// into it, and the default step is its pixel.
TEST_F(DemProfile, ReadsAProjectedRaster)
{
    const auto file =
        Raster("utm.tif", {300, 300, 485000.0, 5015000.0, 100.0, [](int, int) { return 777.0; }, std::nullopt, 32632});
    const auto cut = CutDemProfile({{file}, {45.1L, 8.95L}, {45.2L, 9.05L}, std::nullopt});
    ASSERT_TRUE(cut.Ok()) << cut.Error();
    const auto& points = cut.Value().profile.points;
    EXPECT_EQ(points.size(), static_cast<std::size_t>(std::ceil(cut.Value().distanceKm * 10.0L)) + 1);
    for (const ProfilePoint& point : points) {
        EXPECT_NEAR(point.heightM, 777.0L, 1e-9L);
    }
    EXPECT_FALSE(CutDemProfile({{file}, {45.1L, 8.95L}, {46.0L, 9.05L}, std::nullopt}).Ok());
}

TEST_F(DemProfile, RefusesWhatCannotBeCut)
{
    const auto file = Raster("flat.tif", Square([](int, int) { return 10.0; }));
    const auto text = directory.Path() / "notes.txt";
    std::ofstream(text) << "not a raster\n";
    struct Case {
        DemPathRequest request;
        const char* message;
    };
    const Case cases[] = {
        {{{text}, kSouth, kNorth, std::nullopt}, "GDAL cannot open"},
        {{{directory.Path() / "missing.tif"}, kSouth, kNorth, std::nullopt}, "GDAL cannot open"},
        {{{}, kSouth, kNorth, std::nullopt}, "no elevation raster"},
        {{{file}, {90.5L, 10.0L}, kNorth, std::nullopt}, "transmitter's latitude 90.5 is outside"},
        {{{file}, kSouth, {45.0L, -180.25L}, std::nullopt}, "receiver's longitude -180.25 is outside"},
        {{{file}, kSouth, kSouth, std::nullopt}, "same place"},
        {{{file}, {0.0L, 0.0L}, {0.0L, 180.0L}, std::nullopt}, "antipodes"},
        {{{file}, kSouth, kNorth, 0.0L}, "step along the path must be greater than 0"},
        {{{file}, kSouth, kNorth, 1e-6L}, "more than 1000000"},
    };
    for (const Case& c : cases) {
        const auto cut = CutDemProfile(c.request);
        ASSERT_FALSE(cut.Ok()) << c.message;
        EXPECT_NE(cut.Error().find(c.message), std::string::npos) << cut.Error();
    }
}

} // namespace
} // namespace zandrevio
