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

TEST(DowntiltCurve, DefaultAntenna)
{
    ExpectPoints(DowntiltCurve(50, 20, 7),
                 {{0, 95},
                  {5, 61},
                  {10, 40},
                  {15, 26},
                  {20, 16},
                  {25, 10},
                  {30, 6},
                  {35, 3},
                  {40, 1},
                  {45, 0},
                  {50, 0},
                  {55, 0},
                  {60, 0},
                  {65, 1},
                  {100, 8},
                  {200, 29},
                  {300, 43},
                  {350, 48}});
    EXPECT_NEAR(1.78L / (20.0L * std::numbers::pi_v<long double> / 180.0L), 5.0993L, 0.00005L);
}

TEST(DowntiltCurve, NoDowntiltClipsTheNearGroundAtTenDecibels)
{
    ExpectPoints(DowntiltCurve(50, 20, 0),
                 {{0, 150}, {5, 150}, {10, 150}, {15, 150}, {20, 150}, {25, 150}, {50, 98}, {350, 5}});
}

TEST(DowntiltCurve, ThirtyMetresTenDegreesThreeDown)
{
    ExpectPoints(DowntiltCurve(30, 10, 3), {{0, 150}, {5, 150}, {10, 146}, {15, 102}, {20, 74}, {25, 54}});
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
