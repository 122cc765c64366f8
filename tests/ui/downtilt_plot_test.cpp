#include "antenna/DowntiltPlot.h"
#include "numeric/app_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

// The downtilt plot's pixels: 4 m and 1/15 dB to the pixel from 0.2 km.
namespace zandrevio {
namespace {

// Checks the points named in `expected` (by x) of a curve.
void ExpectPoints(const DowntiltCurvePoints& curve, const std::map<int, int>& expected)
{
    for (int i = 0; i < kCurvePoints; ++i) {
        EXPECT_EQ(curve[static_cast<std::size_t>(i)].x, 5 * i);
        const auto found = expected.find(5 * i);
        if (found != expected.end()) {
            EXPECT_EQ(curve[static_cast<std::size_t>(i)].y, found->second) << "x = " << found->first;
        }
    }
}

// The curves below are the array factor worked independently (to 40 digits)
// with k solved from the half-power width, each point 15 x the drop in dB,
// rounded.
TEST(DowntiltCurve, DefaultAntenna)
{
    ExpectPoints(DowntiltCurve(50, 20, 7),
                 {{0, 22},
                  {5, 15},
                  {10, 10},
                  {15, 6},
                  {20, 4},
                  {25, 3},
                  {30, 1},
                  {35, 1},
                  {40, 0},
                  {45, 0},
                  {50, 0},
                  {55, 0},
                  {60, 0},
                  {65, 0},
                  {100, 2},
                  {200, 7},
                  {300, 11},
                  {350, 12}});
}

// A 10 degree beam without tilt is more than 10 dB down on the near ground.
TEST(DowntiltCurve, NoDowntiltClipsTheNearGroundAtTenDecibels)
{
    ExpectPoints(DowntiltCurve(50, 10, 0),
                 {{0, 150},
                  {5, 150},
                  {10, 150},
                  {15, 150},
                  {20, 150},
                  {25, 150},
                  {35, 150},
                  {40, 130},
                  {50, 100},
                  {100, 41},
                  {200, 14},
                  {350, 5}});
}

TEST(DowntiltCurve, ThirtyMetresTenDegreesThreeDown)
{
    ExpectPoints(DowntiltCurve(30, 10, 3), {{0, 56}, {5, 41}, {10, 30}, {15, 22}, {20, 17}, {25, 13}, {100, 0}});
}

TEST(DowntiltCurve, HeightZeroRunsAlongTheTopEdge)
{
    for (const PlotPoint& point : DowntiltCurve(0, 13, 9)) {
        EXPECT_EQ(point.y, 0);
    }
}

TEST(DowntiltAttenuation, OnTheMainBeamItselfTheLimitIsZeroDecibels)
{
    // arctan(200 / 200) and 45 degrees coincide: the ratio would be 0/0.
    EXPECT_EQ(DowntiltAttenuation(200, 200, 20, 45), 0.0L);
    EXPECT_EQ(DowntiltCurve(200, 20, 45)[0].y, 0);
}

TEST(DowntiltAttenuation, ABeamwidthOfZeroIsADivisionByZero)
{
    try {
        DowntiltCurve(50, 0, 7);
        FAIL();
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), FloatingPointFaultKind::DivisionByZero);
    }
}

TEST(DowntiltAttenuation, AnAngleBeyondTheRangeOverflows)
{
    EXPECT_THROW(DowntiltCurve(50, 1e4932L, 7), FloatingPointFault);
    EXPECT_THROW(DowntiltCurve(50, 20, -1e4932L), FloatingPointFault);
}

} // namespace
} // namespace zandrevio
