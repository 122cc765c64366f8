#include "propagation/delta_bullington.h"
#include "propagation/free_space.h"
#include "propagation/knife_edge.h"
#include "propagation/path_geometry.h"
#include "propagation/spherical_earth.h"

#include <gtest/gtest.h>

namespace zandrevio {
namespace {

using fp::Real;

// ITU-R P.525-4's worked figure: 7000 MHz over 30 km.
TEST(FreeSpace, BasicLossOfTheReference)
{
    EXPECT_NEAR(FreeSpaceBasicLoss(30.0L, 7000.0L).Value(), 138.89L, 0.005L);
    EXPECT_NEAR(WavelengthM(299.792458L).Value(), 1.0L, 1e-18L);
}

// J(ν) of ITU-R P.526-15 Fig. 9 / eq. (31): 6.03 dB at grazing, nothing at
// and below -0.78, about 14 dB at ν = 1 and 19 dB at ν = 2.
TEST(KnifeEdge, LossAlongTheCurve)
{
    struct Point {
        long double nu;
        long double loss;
    };
    const Point curve[] = {{-3.0L, 0.0L},    {-0.78L, 0.0L},   {-0.5L, 1.9592L}, {0.0L, 6.0329L},
                           {0.5L, 10.2878L}, {1.0L, 13.9257L}, {2.0L, 19.0429L}, {3.0L, 22.4160L}};
    for (const Point& point : curve) {
        EXPECT_NEAR(KnifeEdgeLoss(point.nu).Value(), point.loss, 5e-5L) << point.nu;
    }
    // Just above the cut the approximation is already within 0.005 dB of 0.
    EXPECT_NEAR(KnifeEdgeLoss(-0.7799L).Value(), 0.0L, 0.005L);
}

TEST(PathGeometry, BulgeAndFresnelRadiusOfWorkedPoints)
{
    // d1 d2 / (2 a_e): 10 and 20 km under k = 4/3, 25 and 25 km under k = 1.
    EXPECT_NEAR(EarthBulgeM(10.0L, 20.0L, EffectiveEarthRadiusKm(4.0L / 3.0L)).Value(), 11.772092L, 1e-6L);
    EXPECT_NEAR(EarthBulgeM(25.0L, 25.0L, EffectiveEarthRadiusKm(1.0L)).Value(), 49.050385L, 1e-6L);
    // P.526-15 eq. (3), R1 = 550 √(d1 d2 / ((d1 + d2) f)), rounds c: 18.00 m against 17.92 m.
    EXPECT_NEAR(FresnelRadiusM(15.0L, 15.0L, WavelengthM(7000.0L)).Value(), 17.922227L, 1e-6L);
    EXPECT_NEAR(FresnelRadiusM(15.0L, 15.0L, WavelengthM(7000.0L)).Value(), 18.003L, 0.09L);
}

// Ldsph against P.526-15 §3.1.1.2 and §3.2 worked in that text's own units
// (MHz, metres, X = 2.188 β f^1/3 a^-2/3 d, h_req = 0.552 √(d1 d2 λ / d)),
// land, a_e = 8495 km (k = 4/3).
TEST(SphericalEarth, LossAgainstTheResidueSeriesFirstTerm)
{
    struct Case {
        long double km, txM, rxM, mhz;
        Polarization polarization;
        long double loss;
    };
    const Case cases[] = {
        {100, 30, 30, 1000, Polarization::Horizontal, 65.208265L}, // beyond the horizon
        {100, 30, 30, 1000, Polarization::Vertical, 65.199564L},
        {60, 50, 20, 200, Polarization::Horizontal, 29.949098L},
        {60, 50, 20, 200, Polarization::Vertical, 29.954617L},
        {150, 100, 10, 3000, Polarization::Horizontal, 138.859376L},
        {40, 30, 30, 1000, Polarization::Horizontal, 13.820821L}, // within it, h_se 0.21 h_req
        {40, 30, 30, 100, Polarization::Vertical, 25.372900L},
        {20, 30, 30, 1000, Polarization::Horizontal, 0.0L}, // h_se above h_req: clear
    };
    const Real radius = EffectiveEarthRadiusKm(4.0L / 3.0L);
    for (const Case& c : cases) {
        const Real loss =
            SphericalEarthLoss(c.km, c.txM, c.rxM, radius, c.mhz / 1000.0L, WavelengthM(c.mhz), c.polarization);
        // 17.456 is 0.552 √1000 rounded: 1e-5 of h_req.
        EXPECT_NEAR(loss.Value(), c.loss, 1e-3L) << c.km << " km " << c.mhz << " MHz";
    }
}

// One edge 20 m above the line between the antennas, 4 km from one and 6 km
// from the other, the earth made flat (k = 10⁹): Bullington's edge is that
// edge, and its loss the single edge's J(ν), ν = 1.054457.
TEST(Bullington, SingleKnifeEdgeIsTheEdgesLoss)
{
    TerrainProfile profile;
    for (int km = 0; km <= 10; ++km) {
        profile.points.push_back({static_cast<long double>(km), km == 4 ? 30.0L : 0.0L});
    }
    const Real radius = EffectiveEarthRadiusKm(1.0e9L);
    const Real wavelength = WavelengthM(1000.0L);
    const BullingtonLoss loss = Bullington(profile, 10.0L, 10.0L, radius, wavelength);
    EXPECT_NEAR(KnifeEdgeParameter(20.0L, 4.0L, 6.0L, wavelength).Value(), 1.0544574L, 1e-7L);
    EXPECT_NEAR(loss.edgeDb, 14.272589L, 1e-5L);
    // P.1812-6 eq. (22) adds [1 − exp(−Luc/6)] (10 + 0.02 d) for the edge's
    // stand-in for the whole profile.
    EXPECT_NEAR(loss.lossDb, 14.272589L + (1.0L - std::exp(-14.272589L / 6.0L)) * 10.2L, 1e-4L);
}

// The smooth earth fitted to a profile: a plane slope is its own fit; an
// obstruction above the line between the antennas lowers both ends.
TEST(Bullington, SmoothEarthOfWorkedProfiles)
{
    TerrainProfile slope{{{0.0L, 100.0L}, {3.0L, 130.0L}, {4.0L, 140.0L}, {10.0L, 200.0L}}};
    const SmoothEarthHeights fitted = DiffractionSmoothEarth(slope, 110.0L, 210.0L);
    EXPECT_NEAR(fitted.txM, 100.0L, 1e-12L);
    EXPECT_NEAR(fitted.rxM, 200.0L, 1e-12L);

    // Flat ground at 0 with a 30 m edge at 5 km between 10 m masts: the fit
    // is 3 m (the edge's triangle over 10 km), the obstruction 20 m above
    // the line, shared equally: 3 − 10 m at each end.
    TerrainProfile edge{{{0.0L, 0.0L}, {4.0L, 0.0L}, {5.0L, 30.0L}, {6.0L, 0.0L}, {10.0L, 0.0L}}};
    const SmoothEarthHeights lowered = DiffractionSmoothEarth(edge, 10.0L, 10.0L);
    EXPECT_NEAR(lowered.txM, -7.0L, 1e-12L);
    EXPECT_NEAR(lowered.rxM, -7.0L, 1e-12L);
}

} // namespace
} // namespace zandrevio
