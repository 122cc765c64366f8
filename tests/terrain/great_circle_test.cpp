#include "terrain/great_circle.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

// Distances and bearings of the sphere of radius 6371 km, worked by the
// vector method (the angle between the two places' unit vectors, and
// between the planes of the path and of the meridian).
struct Worked {
    GeoPoint from;
    GeoPoint to;
    long double km;
    long double bearing;
    long double reverse;
};

TEST(GreatCircle, DistanceAndBearingsOfWorkedPaths)
{
    const Worked paths[] = {
        {{0.0L, 0.0L}, {0.0L, 1.0L}, 111.194927L, 90.0L, 270.0L},                           // along the equator
        {{0.0L, 0.0L}, {1.0L, 0.0L}, 111.194927L, 0.0L, 180.0L},                            // along a meridian
        {{51.5074L, -0.1278L}, {48.8566L, 2.3522L}, 343.556060L, 148.115617L, 330.021093L}, // London, Paris
        {{-33.8688L, 151.2093L}, {-36.8485L, 174.7633L}, 2155.898326L, 105.575654L, 271.811761L},
        {{40.7128L, -74.006L}, {51.5074L, -0.1278L}, 5570.222180L, 51.212617L, 288.329702L},
    };
    for (const Worked& path : paths) {
        EXPECT_NEAR(GreatCircleKm(path.from, path.to).Value(), path.km, 1e-6L) << path.km;
        EXPECT_NEAR(InitialBearingDeg(path.from, path.to).Value(), path.bearing, 1e-6L) << path.km;
        EXPECT_NEAR(InitialBearingDeg(path.to, path.from).Value(), path.reverse, 1e-6L) << path.km;
    }
}

TEST(GreatCircle, IntermediatePointsLieOnThePath)
{
    const GeoPoint london{51.5074L, -0.1278L};
    const GeoPoint paris{48.8566L, 2.3522L};
    const GreatCirclePath path(london, paris);
    for (long double fraction : {0.0L, 0.25L, 0.5L, 1.0L}) {
        const GeoPoint point = path.At(fraction);
        EXPECT_NEAR(GreatCircleKm(london, point).Value(), fraction * 343.556060L, 1e-6L);
        EXPECT_NEAR(GreatCircleKm(point, paris).Value(), (1.0L - fraction) * 343.556060L, 1e-6L);
    }
}

} // namespace
} // namespace zandrevio
