#include "fixed_link/polarization_tilt.h"
#include "fixed_link/rain_attenuation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio {
namespace {

using F = RainAttenuationField;

// ITU-R P.838-3 Table 5: kH, αH, kV, αV as the equations give them, to the
// Table's four or five digits.
TEST(RainAttenuation, CoefficientsOfTheRecommendationsTable)
{
    struct Row {
        long double ghz, kH, alphaH, kV, alphaV;
    };
    const Row rows[] = {
        {1.0L, 0.0000259L, 0.9691L, 0.0000308L, 0.8592L}, {4.0L, 0.0001071L, 1.6009L, 0.0002461L, 1.2476L},
        {10.0L, 0.01217L, 1.2571L, 0.01129L, 1.2156L},    {20.0L, 0.09164L, 1.0568L, 0.09611L, 0.9847L},
        {30.0L, 0.2403L, 0.9485L, 0.2291L, 0.9129L},      {100.0L, 1.3671L, 0.6815L, 1.3680L, 0.6765L},
    };
    for (const Row& row : rows) {
        const RainCoefficients h = HorizontalRainCoefficients(row.ghz);
        const RainCoefficients v = VerticalRainCoefficients(row.ghz);
        EXPECT_NEAR(h.k / row.kH, 1.0L, 2e-3L) << row.ghz;
        EXPECT_NEAR(h.alpha, row.alphaH, 6e-5L) << row.ghz;
        EXPECT_NEAR(v.k / row.kV, 1.0L, 2e-3L) << row.ghz;
        EXPECT_NEAR(v.alpha, row.alphaV, 6e-5L) << row.ghz;
    }
}

// P.838-3 eqs (4) and (5): τ = 0° and 90° give the linear coefficients, 45°
// (circular) their k-weighted mean, and on a vertical path every tilt the same.
TEST(RainAttenuation, TiltAndElevationCombineTheLinearCoefficients)
{
    const RainCoefficients h = HorizontalRainCoefficients(20.0L);
    const RainCoefficients v = VerticalRainCoefficients(20.0L);
    const RainCoefficients horizontal = RainCoefficientsOf(20.0L, 0.0L, 0.0L);
    const RainCoefficients vertical = RainCoefficientsOf(20.0L, 90.0L, 0.0L);
    const RainCoefficients circular = RainCoefficientsOf(20.0L, 45.0L, 0.0L);
    EXPECT_NEAR(horizontal.k, h.k, 1e-15L);
    EXPECT_NEAR(horizontal.alpha, h.alpha, 1e-15L);
    EXPECT_NEAR(vertical.k, v.k, 1e-15L);
    EXPECT_NEAR(vertical.alpha, v.alpha, 1e-15L);
    EXPECT_NEAR(circular.k, (h.k + v.k) / 2.0L, 1e-15L);
    EXPECT_NEAR(circular.alpha, (h.k * h.alpha + v.k * v.alpha) / (h.k + v.k), 1e-15L);
    const RainCoefficients upward = RainCoefficientsOf(20.0L, 0.0L, 90.0L);
    EXPECT_NEAR(upward.k, circular.k, 1e-15L);
    EXPECT_NEAR(upward.alpha, circular.alpha, 1e-15L);
}

// ITU-R SG 3 validation examples (CG-3M3J-13-ValEx, rev 8.3.0), P.838-3:
// k, α and γR of slant paths at 14.25 and 29 GHz, τ 0° and 90°.
TEST(RainAttenuation, ValidationExamples)
{
    struct Row {
        long double elevationDeg, ghz, rainRate, tiltDeg, k, alpha, specific, specificDigit;
    };
    const Row rows[] = {
        {31.07699124L, 14.25L, 26.48052L, 0.0L, 0.03975488L, 1.12418043L, 1.58130839L, 1e-8L},
        {22.27833468L, 29.0L, 50.639304L, 0.0L, 0.22168203L, 0.95543001L, 9.42430244L, 1e-8L},
        {48.24117054L, 14.25L, 63.62668149L, 90.0L, 0.04226474L, 1.07871664L, 3.72901264L, 1e-8L},
        {85.80459566L, 29.0L, 99.13558978L, 90.0L, 0.21737148L, 0.93950825L, 16.3183686L, 1e-7L},
    };
    for (const Row& row : rows) {
        const RainCoefficients c = RainCoefficientsOf(row.ghz, row.tiltDeg, row.elevationDeg);
        // To half the last printed digit (k and α to eight decimals).
        EXPECT_NEAR(c.k, row.k, 5e-9L) << row.ghz;
        EXPECT_NEAR(c.alpha, row.alpha, 5e-9L) << row.ghz;
        EXPECT_NEAR(RainSpecificAttenuation(c, row.rainRate).Value(), row.specific, row.specificDigit / 2.0L)
            << row.ghz;
    }
}

// Hops worked by hand through P.838-3 and P.530-17 §2.4.1 (γR, r, A0.01,
// the scaling constants and Ap), to 10 digits.
struct RainCase {
    long double ghz, tiltDeg, rainRate, km;
    long double specific, r, a001, c1, c2, c3;
    long double ap[4]; // at 0.001, 0.01, 0.1 and 1 %
};
const RainCase kHops[] = {
    {20.0L,
     0.0L,
     42.0L,
     10.0L,
     4.75901314426L,
     0.590208974586L,
     28.0881226792L,
     0.106792836053L,
     0.612845845971L,
     0.0637676414668L,
     {55.1688076891L, 28.0340574775L, 10.6204529148L, 2.99961028032L}},
    // Below 10 GHz C0 is 0.12.
    {8.0L,
     90.0L,
     42.0L,
     30.0L,
     0.599034706941L,
     0.434946503612L,
     7.8164415398L,
     0.112484131987L,
     0.58308L,
     0.05452L,
     {15.9463152428L, 7.80154010535L, 2.96934284908L, 0.879225641833L}},
    {38.0L,
     45.0L,
     60.0L,
     3.0L,
     13.7455947955L,
     0.830421782335L,
     34.2439239881L,
     0.101779808248L,
     0.640409002033L,
     0.0723309520881L,
     {64.9372047062L, 34.177425745L, 12.8920862589L, 3.48534001716L}},
    // A short hop: the denominator of r below 0.4, so r = 2.5.
    {10.0L,
     0.0L,
     10.0L,
     0.5L,
     0.219927700901L,
     2.5L,
     0.274909626126L,
     0.112484131987L,
     0.58308L,
     0.05452L,
     {0.560842877052L, 0.274385532425L, 0.104433830705L, 0.0309229706697L}},
};
const long double kPercents[] = {0.001L, 0.01L, 0.1L, 1.0L};

TEST(RainAttenuation, HopsWorkedByHand)
{
    for (const RainCase& c : kHops) {
        const RainHop hop = RainOverHop(c.ghz, c.rainRate, c.tiltDeg, 0.0L, c.km);
        EXPECT_NEAR(hop.specificDbPerKm / c.specific, 1.0L, 1e-10L) << c.ghz;
        EXPECT_NEAR(hop.distanceFactor / c.r, 1.0L, 1e-10L) << c.ghz;
        EXPECT_NEAR(hop.attenuation001Db / c.a001, 1.0L, 1e-10L) << c.ghz;
        EXPECT_NEAR(hop.scaling.c1 / c.c1, 1.0L, 1e-10L) << c.ghz;
        EXPECT_NEAR(hop.scaling.c2 / c.c2, 1.0L, 1e-10L) << c.ghz;
        EXPECT_NEAR(hop.scaling.c3 / c.c3, 1.0L, 1e-10L) << c.ghz;
        for (int i = 0; i < 4; ++i) {
            const long double ap = RainAttenuationExceeded(hop.attenuation001Db, hop.scaling, kPercents[i]).Value();
            EXPECT_NEAR(ap / c.ap[i], 1.0L, 1e-10L) << c.ghz << " GHz at " << kPercents[i] << " %";
        }
    }
}

// The inverse solves the scaling law exactly: the percentage of Ap is p.
TEST(RainAttenuation, OutageOfAnAttenuationIsItsPercentage)
{
    for (const RainCase& c : kHops) {
        const RainHop hop = RainOverHop(c.ghz, c.rainRate, c.tiltDeg, 0.0L, c.km);
        for (long double p = 0.001L; p <= 1.0L; p *= 1.3L) {
            const long double ap = RainAttenuationExceeded(hop.attenuation001Db, hop.scaling, p).Value();
            const RainOutage outage = RainOutageOf(hop.attenuation001Db, hop.scaling, ap);
            EXPECT_NEAR(outage.percent / p, 1.0L, 1e-12L) << c.ghz << " GHz at " << p << " %";
            EXPECT_EQ(outage.reach, RainLawReach::Within);
        }
    }
}

TEST(RainAttenuation, OutageBeyondTheLawsRangeIsMarked)
{
    const RainHop hop = RainOverHop(20.0L, 42.0L, 0.0L, 0.0L, 10.0L);
    EXPECT_EQ(RainOutageOf(hop.attenuation001Db, hop.scaling, 2.0L).reach, RainLawReach::AboveOnePercent);
    EXPECT_EQ(RainOutageOf(hop.attenuation001Db, hop.scaling, 60.0L).reach, RainLawReach::BelowThousandth);
    const RainOutage beyond = RainOutageOf(hop.attenuation001Db, hop.scaling, 500.0L);
    EXPECT_EQ(beyond.reach, RainLawReach::BeyondLaw);
    // The turning point of the law, 10^(-C2 / 2 C3) %.
    EXPECT_NEAR(beyond.percent, std::pow(10.0L, -hop.scaling.c2 / (2.0L * hop.scaling.c3)), 1e-15L);
    EXPECT_EQ(RainOutageOf(hop.attenuation001Db, hop.scaling, 1e-6L).percent, 100.0L);
    EXPECT_EQ(RainOutageOf(0.0L, hop.scaling, 10.0L).percent, 0.0L); // no rain
}

TEST(RainAttenuation, PolarizationWords)
{
    EXPECT_EQ(TiltOfPolarization("horizontal"), 0.0L);
    EXPECT_EQ(TiltOfPolarization(" Vertical "), 90.0L);
    EXPECT_EQ(TiltOfPolarization("CIRCULAR"), 45.0L);
    EXPECT_EQ(TiltOfPolarization("30"), 30.0L);
    EXPECT_EQ(TiltOfPolarization("-12.5"), -12.5L);
    EXPECT_FALSE(TiltOfPolarization("slanted"));
    EXPECT_FALSE(TiltOfPolarization("91"));
    EXPECT_FALSE(TiltOfPolarization(""));
    EXPECT_TRUE(std::isnan(PolarizationInput("sideways").Read()));
    EXPECT_EQ(PolarizationInput("vertical").Read(), 90.0L);
}

Inputs<F> Rain(long double rainRate, long double mhz, const char* polarization, long double km, long double percent)
{
    return {{F::RainRate, rainRate},
            {F::Frequency, mhz},
            {F::Polarization, PolarizationInput(polarization)},
            {F::Distance, km},
            {F::Percent, percent}};
}

TEST(RainAttenuation, CalculationGivesApOfTheScalingLaw)
{
    const auto outcome = RainAttenuation(Rain(42.0L, 20000.0L, "horizontal", 10.0L, 0.1L));
    ASSERT_TRUE(outcome.Ok());
    EXPECT_NEAR(outcome.Value().specificDbPerKm, 4.75901314426L, 1e-9L);
    EXPECT_NEAR(outcome.Value().attenuationDb, 10.6204529148L, 1e-9L);
    EXPECT_TRUE(outcome.Value().warnings.empty());
    EXPECT_EQ(RainAttenuation(Rain(0.0L, 20000.0L, "vertical", 10.0L, 0.01L)).Value().attenuationDb, 0.0L);
    EXPECT_EQ(RainAttenuation(Rain(42.0L, 150000.0L, "vertical", 70.0L, 0.01L)).Value().warnings.size(), 2u);
}

TEST(RainAttenuation, RefusalsNameTheirField)
{
    struct Case {
        Inputs<F> in;
        F field;
    };
    const Case cases[] = {
        {Rain(-1.0L, 20000.0L, "horizontal", 10.0L, 0.01L), F::RainRate},
        {Rain(42.0L, 0.0L, "horizontal", 10.0L, 0.01L), F::Frequency},
        {Rain(42.0L, 20000.0L, "oblique", 10.0L, 0.01L), F::Polarization},
        {Rain(42.0L, 20000.0L, "horizontal", 0.0L, 0.01L), F::Distance},
        {Rain(1e6L, 20000.0L, "horizontal", 10.0L, 0.01L), F::RainRate},
        {Rain(42.0L, 20000.0L, "horizontal", 2e9L, 0.01L), F::Distance},
        {Rain(42.0L, 20000.0L, "horizontal", 10.0L, 0.0009L), F::Percent},
        {Rain(42.0L, 20000.0L, "horizontal", 10.0L, 1.5L), F::Percent},
    };
    for (const Case& c : cases) {
        const auto outcome = RainAttenuation(c.in);
        ASSERT_FALSE(outcome.Ok());
        EXPECT_EQ(outcome.Error().field, c.field) << outcome.Error().message;
    }
}

} // namespace
} // namespace zandrevio
