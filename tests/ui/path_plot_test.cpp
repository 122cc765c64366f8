// The path plot's pixels: its ticks, its axes' ranges and where each height
// falls, worked by hand on small frames.
#include "propagation/PathPlot.h"
#include "widgets/PlotAxes.h"

#include <gtest/gtest.h>

#include <limits>

namespace zandrevio {
namespace {

void ExpectTicks(const std::vector<long double>& ticks, const std::vector<long double>& expected)
{
    ASSERT_EQ(ticks.size(), expected.size());
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(ticks[i]), static_cast<double>(expected[i]), 1e-12) << i;
    }
}

TEST(PathPlotTicks, RoundStepsOfOneTwoOrFive)
{
    ExpectTicks(NiceTicks(0.0L, 40.0L, 8), {0, 5, 10, 15, 20, 25, 30, 35, 40});
    // 184 m in at most 6 steps: 50 m (20 would be 10 steps).
    ExpectTicks(NiceTicks(103.0L, 287.0L, 6), {150, 200, 250});
    ExpectTicks(NiceTicks(0.0L, 0.9L, 5), {0, 0.2, 0.4, 0.6, 0.8});
    ExpectTicks(NiceTicks(-30.0L, 30.0L, 6), {-30, -20, -10, 0, 10, 20, 30});
    ExpectTicks(NiceTicks(0.0L, 7.3L, 8), {0, 1, 2, 3, 4, 5, 6, 7});
    // No range: the one value.
    ExpectTicks(NiceTicks(5.0L, 5.0L, 6), {5});
    // Steps that cannot be counted give the low end rather than a loop
    // without end: two ulps above 1e21 (steps counted beyond 2^64, where
    // whole numbers no longer step by one), and a span beyond the largest value.
    ExpectTicks(NiceTicks(1e21L, 1e21L + 128.0L, 6), {1e21});
    const long double largest = std::numeric_limits<long double>::max();
    EXPECT_EQ(NiceTicks(-largest, largest, 6).size(), 1U);
}

// Three points 10 km apart: the ground at 100, 150 and 100 m, a bulge of
// 20 m in the middle, a level line at 200 m and a zone of 10 m radius.
std::vector<PathPointGeometry> Hop()
{
    return {{0.0L, 100.0L, 0.0L, 200.0L, 0.0L, 100.0L},
            {10.0L, 150.0L, 20.0L, 200.0L, 10.0L, 30.0L},
            {20.0L, 100.0L, 0.0L, 200.0L, 0.0L, 100.0L}};
}

TEST(PathPlotAxes, SpanTheGroundAndTheZoneOnTicks)
{
    const PathAxes axes = PathAxesOf(Hop());
    EXPECT_EQ(axes.lengthKm, 20.0L);
    // 100 to 210 m with a little more each side, in steps of 20 m: 80 to 220.
    EXPECT_EQ(axes.lowM, 80.0L);
    EXPECT_EQ(axes.highM, 220.0L);
    ExpectTicks(axes.heightTicks, {100, 150, 200});
    ExpectTicks(axes.kmTicks, {0, 5, 10, 15, 20});
}

TEST(PathPlotPixels, DistanceAcrossHeightUp)
{
    const QRectF frame(10, 20, 200, 100);
    const PathAxes axes{40.0L, 100.0L, 300.0L, {}, {}};
    EXPECT_EQ(PathPixel(frame, axes, 0.0L, 100.0L), QPointF(10, 120));
    EXPECT_EQ(PathPixel(frame, axes, 40.0L, 300.0L), QPointF(210, 20));
    EXPECT_EQ(PathPixel(frame, axes, 10.0L, 150.0L), QPointF(60, 95));
    EXPECT_EQ(PathPixel(frame, axes, 20.0L, 200.0L), QPointF(110, 70));
}

TEST(PathPlotPixels, CurvesOfAHop)
{
    PathResult result{};
    result.points = Hop();
    result.worstPointKm = 10.0L;
    const QRectF frame(0, 0, 200, 140);
    const PathAxes axes{20.0L, 80.0L, 220.0L, {}, {}}; // 1 m to the pixel, 10 px to the km
    const PathCurves curves = PathCurvesOf(frame, axes, result);
    // The terrain on the curved earth, closed along the bottom.
    ASSERT_EQ(curves.terrain.size(), 5);
    EXPECT_EQ(curves.terrain[0], QPointF(0, 120));
    EXPECT_EQ(curves.terrain[1], QPointF(100, 50)); // 150 m + 20 m of bulge
    EXPECT_EQ(curves.terrain[2], QPointF(200, 120));
    EXPECT_EQ(curves.terrain[3], QPointF(200, 140));
    EXPECT_EQ(curves.terrain[4], QPointF(0, 140));
    // The line of sight straight between the antennas.
    ASSERT_EQ(curves.lineOfSight.size(), 2);
    EXPECT_EQ(curves.lineOfSight[0], QPointF(0, 20));
    EXPECT_EQ(curves.lineOfSight[1], QPointF(200, 20));
    // The zone around it, and its 60 % below it.
    EXPECT_EQ(curves.fresnelUpper[1], QPointF(100, 10));
    EXPECT_EQ(curves.fresnelLower[1], QPointF(100, 30));
    EXPECT_EQ(curves.fresnel60[1], QPointF(100, 26));
    EXPECT_EQ(curves.fresnelUpper[0], curves.lineOfSight[0]);
    // The ground on an earth of k = 2/3: 10 km × 10 km / (2 × 6371 km × 2/3) = 11.77 m of bulge mid-path.
    ASSERT_EQ(curves.lowKTerrain.size(), 3);
    EXPECT_EQ(curves.lowKTerrain[0], QPointF(0, 120));
    EXPECT_NEAR(curves.lowKTerrain[1].y(), 220 - 150 - 11.772, 0.001);
    EXPECT_EQ(curves.lowKTerrain[2], QPointF(200, 120));
    // The worst point: the ground and the line above it.
    EXPECT_EQ(curves.worstGround, QPointF(100, 50));
    EXPECT_EQ(curves.worstLine, QPointF(100, 20));
}

TEST(PathPlotText, StatesTheClearance)
{
    PathResult result{};
    result.points = Hop();
    result.distanceKm = 20.0L;
    result.lineOfSight = true;
    result.clearance = 0.38512L;
    result.worstPointKm = 10.0L;
    result.fresnel60 = false;
    EXPECT_EQ(PathPlotDescription(result),
              "Path profile over 20 km on the curved earth: line of sight clear; worst clearance 0.38512 of F1 at "
              "10 km; 60 % of F1 not clear");
    result.lineOfSight = false;
    result.clearance = -1.5L;
    EXPECT_TRUE(PathPlotDescription(result).contains("line of sight blocked; worst clearance -1.5 of F1"));
}

} // namespace
} // namespace zandrevio
