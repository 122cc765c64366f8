#include "fixed_link/multipath_fading.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio {
namespace {

// Two hops worked through ITU-R P.530-17 §2.3.1's detailed method, §2.3.2 and §2.3.4 (eqs. (4), (6), (9),
// (11)-(17), (23), (24)) at 40 digits with mpmath, outside this code: 30 km at 18 GHz from 100 m up to
// 400 m (dN1 -400, sa 20 m, 45°), 50 km at 7 GHz between two 20 m sites (dN1 -600, sa 10 m, 30°), and
// 21.4 km at 8 GHz from 1321 m to 1531 m (dN1 -500, sa 40 m, 19.56°), whose average-year outage at a
// 30.21 dB margin is 4.16e-5 %, as the detailed method gives it (the quick method's path term made it
// 1.5e-6 %).
struct HopCase {
    long double km, ghz, txM, rxM, dN1, saM, latitudeDeg;
    long double k, inclination, p0, at, conversionDb;
};
const HopCase kInclined{30.0L,
                        18.0L,
                        100.0L,
                        400.0L,
                        -400.0L,
                        20.0L,
                        45.0L,
                        0.000100120779647075L,
                        10.0L,
                        7.55648852610976L,
                        26.0539840326946L,
                        8.05034114013983L};
const HopCase kLevel{50.0L,
                     7.0L,
                     20.0L,
                     20.0L,
                     -600.0L,
                     10.0L,
                     30.0L,
                     0.000418336927128374L,
                     0.0L,
                     1145.25619256822L,
                     28.6706831784981L,
                     4.60009057829316L};
const HopCase kHighlands{21.4L,
                         8.0L,
                         1321.0L,
                         1531.0L,
                         -500.0L,
                         40.0L,
                         19.56L,
                         0.000147391961329837L,
                         9.81308411214953L,
                         0.221525919703345L,
                         24.214509457938L,
                         7.05740585642476L};

MultipathHop HopOf(const HopCase& c)
{
    return {GeoclimaticFactor(c.dN1, c.saM).Value(), c.km, c.ghz, PathInclinationMrad(c.txM, c.rxM, c.km).Value(),
            std::min(c.txM, c.rxM)};
}

TEST(MultipathFading, FactorsOfHopsWorkedByHand)
{
    for (const HopCase& c : {kInclined, kLevel, kHighlands}) {
        const MultipathHop hop = HopOf(c);
        EXPECT_NEAR(hop.geoclimaticFactor / c.k, 1.0L, 1e-11L) << c.km;
        EXPECT_NEAR(hop.inclinationMrad, c.inclination, 1e-13L) << c.km;
        EXPECT_NEAR(MultipathOccurrenceFactor(hop).Value() / c.p0, 1.0L, 1e-11L) << c.km;
        EXPECT_NEAR(TransitionFadeDepth(c.p0).Value(), c.at, 1e-10L) << c.km;
        EXPECT_NEAR(GeoclimaticConversionDb(c.latitudeDeg, c.km, c.inclination).Value(), c.conversionDb, 1e-10L)
            << c.km;
    }
}

// pw of the worst month and p of the average year, shallow fades (A < At)
// through §2.3.2's interpolation, deep ones through p0 10^(-A/10).
TEST(MultipathFading, PercentagesOfHopsWorkedByHand)
{
    struct Row {
        const HopCase* hop;
        long double fadeDb, worstMonth, year;
    };
    const Row rows[] = {
        {&kInclined, 5.0L, 2.80149882458512L, 0.438890651733442L},
        {&kInclined, 15.0L, 0.185896875493175L, 0.0291231251373067L},
        {&kInclined, 25.0L, 0.0233254655434365L, 0.003654232757303L},
        {&kInclined, 45.0L, 0.000238957148554356L, 3.74356961156024e-5L},
        {&kLevel, 5.0L, 26.7931317437196L, 9.28997235696566L},
        {&kLevel, 20.0L, 8.12606391994012L, 2.81754704561086L},
        {&kLevel, 40.0L, 0.114525619256822L, 0.0397094243120588L},
        {&kHighlands, 30.21L, 0.000211069046525159L, 4.15608061226416e-5L},
    };
    for (const Row& row : rows) {
        const MultipathHop hop = HopOf(*row.hop);
        const fp::Real pw = WorstMonthFadePercent(hop, row.fadeDb);
        EXPECT_NEAR(pw.Value() / row.worstMonth, 1.0L, 1e-10L) << row.hop->km << " km, " << row.fadeDb << " dB";
        const fp::Real conversion = GeoclimaticConversionDb(row.hop->latitudeDeg, row.hop->km, hop.inclinationMrad);
        EXPECT_NEAR(AverageYearPercent(pw, conversion).Value() / row.year, 1.0L, 1e-10L) << row.fadeDb;
    }
}

// At At the shallow-fading interpolation meets the deep-fading law, and
// the deep law is §2.3.1's detailed method.
TEST(MultipathFading, ShallowAndDeepRangesMeetAtTheTransition)
{
    for (const HopCase& c : {kInclined, kLevel}) {
        const MultipathHop hop = HopOf(c);
        const long double at = TransitionFadeDepth(MultipathOccurrenceFactor(hop)).Value();
        const long double below = WorstMonthFadePercent(hop, at - 1e-9L).Value();
        const long double deep = DeepFadeWorstMonthPercent(hop, at).Value();
        EXPECT_NEAR(below / deep, 1.0L, 1e-7L) << c.km;
        EXPECT_NEAR(WorstMonthFadePercent(hop, at + 3.0L).Value() / DeepFadeWorstMonthPercent(hop, at + 3.0L).Value(),
                    1.0L, 1e-15L);
    }
}

TEST(MultipathFading, PercentagesFallAsTheFadeDeepens)
{
    const MultipathHop hop = HopOf(kLevel);
    long double previous = 100.0L;
    for (long double a = 0.5L; a < 80.0L; a += 0.5L) {
        const long double pw = WorstMonthFadePercent(hop, a).Value();
        EXPECT_LT(pw, previous) << a;
        previous = pw;
    }
}

// A hop so long that ΔG turns negative, at shallow and deep fades: the worst month and the year both
// stay within 100 %, as §2.3.2's distribution does.
TEST(MultipathFading, NoShareAboveAHundredPercent)
{
    const MultipathHop hop{GeoclimaticFactor(-400.0L, 20.0L).Value(), 2147483648.0L, 18.0L, 0.0L, 0.0L};
    const fp::Real conversion = GeoclimaticConversionDb(45.0L, hop.distanceKm, 0.0L);
    ASSERT_LT(conversion.Value(), 0.0L);
    for (const long double a : {1.0L, 40.0L, 300.0L}) {
        const fp::Real pw = WorstMonthFadePercent(hop, a);
        EXPECT_LE(pw.Value(), 100.0L) << a;
        EXPECT_LE(AverageYearPercent(pw, conversion).Value(), 100.0L) << a;
    }
}

// ΔG: its latitude term, its sign change at 45° and its 10.8 dB ceiling.
TEST(MultipathFading, WorstMonthConversion)
{
    // At 45° |cos 2ξ| is 0 (to the 10^-20 of cos π/2, raised to 0.7): 10.5 - 5.6 log10 1.1
    // on a 1 km level path.
    EXPECT_NEAR(GeoclimaticConversionDb(45.0L, 1.0L, 0.0L).Value(), 10.5L - 5.6L * std::log10(1.1L), 1e-12L);
    // At the equator 1.1 + 1.
    EXPECT_NEAR(GeoclimaticConversionDb(0.0L, 10.0L, 0.0L).Value(), 10.5L - 5.6L * std::log10(2.1L) - 2.7L, 1e-14L);
    // South as north.
    EXPECT_EQ(GeoclimaticConversionDb(-30.0L, 20.0L, 3.0L).Value(),
              GeoclimaticConversionDb(30.0L, 20.0L, 3.0L).Value());
    // Near the poles 1.1 - 1: 10.5 + 5.6, held at 10.8.
    EXPECT_EQ(GeoclimaticConversionDb(90.0L, 1.0L, 0.0L).Value(), 10.8L);
}

TEST(MultipathFading, RangeWarnings)
{
    EXPECT_TRUE(MultipathRangeWarnings(HopOf(kInclined), -400.0L, 20.0L).empty());
    const MultipathHop shortLowHop{1e-4L, 2.0L, 80.0L, 50.0L, 0.0L};
    EXPECT_EQ(MultipathRangeWarnings(shortLowHop, -100.0L, 1.0L).size(), 6u);
}

} // namespace
} // namespace zandrevio
