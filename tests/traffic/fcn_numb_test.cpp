#include "numeric/app_error.h"
#include "traffic/fcn_numb.h"

#include "traffic_references.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

namespace zandrevio {
namespace {

using test::ReferencePoisson;

// Independent references: Erlang B by its stable recursion
// B(n) = A B(n-1) / (n + A B(n-1)), Erlang C from it as
// C = N B / (N - A (1 - B)), and the Poisson tail by direct summation.
long double ReferenceErlangB(int n, long double a)
{
    long double b = 1.0L;
    for (int k = 1; k <= n; ++k) {
        b = a * b / (k + a * b);
    }
    return b;
}

long double ReferenceErlangC(int n, long double a)
{
    return test::ErlangCFromB(n, a, ReferenceErlangB(n, a));
}

TEST(TrafficGos, FifteenChannelsAtNineErlang)
{
    EXPECT_NEAR(ErlangBGos(15, 9.0L), 0.019868L, 5e-7L);
    EXPECT_NEAR(ErlangCGos(15, 9.0L), 0.048234L, 5e-7L);
    EXPECT_NEAR(PoissonGos(15, 9.0L), 0.041466L, 5e-7L);
}

TEST(TrafficGos, AgreesWithTheReferences)
{
    for (int n : {1, 2, 5, 15, 30, 60, 120, 500}) {
        for (long double a : {0.1L, 1.0L, 4.5L, 9.0L, 14.9L, 29.0L, 100.0L, 450.0L}) {
            EXPECT_NEAR(ErlangBGos(n, a) / ReferenceErlangB(n, a), 1.0L, 1e-15L) << n << ' ' << double(a);
            if (a < n) {
                EXPECT_NEAR(ErlangCGos(n, a) / ReferenceErlangC(n, a), 1.0L, 1e-14L) << n << ' ' << double(a);
            }
            const long double poisson = ReferencePoisson(n, a);
            if (poisson > 1e-6L) {
                EXPECT_NEAR(PoissonGos(n, a) / poisson, 1.0L, 1e-12L) << n << ' ' << double(a);
            }
        }
    }
}

// Below one half the Poisson GOS is summed over its upper tail: it keeps its
// digits where 1 - e^(-A) s would cancel to nothing. One channel:
// P = 1 - e^(-A) = A (1 - A/2 + ...).
TEST(TrafficGos, PoissonKeepsItsDigitsFarBelowOne)
{
    for (long double a : {1e-10L, 1e-15L, 1e-20L, 1e-300L}) {
        EXPECT_NEAR(PoissonGos(1, a) / (-std::expm1(-a)), 1.0L, 1e-18L) << double(a);
    }
    // Against the upper tail summed apart.
    for (int n : {2, 15, 30, 60}) {
        for (long double a : {0.01L, 1.0L, 4.5L}) {
            EXPECT_NEAR(PoissonGos(n, a) / PoissonUpperTail(n, a), 1.0L, 1e-14L) << n << ' ' << double(a);
        }
    }
}

TEST(TrafficGos, EdgeValues)
{
    for (int n : {1, 2, 15, 1000}) {
        EXPECT_EQ(ErlangBGos(n, 0.0L), 0.0L);
        EXPECT_EQ(ErlangCGos(n, 0.0L), 0.0L);
        EXPECT_EQ(PoissonGos(n, 0.0L), 0.0L);
    }
    EXPECT_EQ(ErlangBGos(1, 3.0L), 3.0L / 4.0L);
    EXPECT_EQ(ErlangCGos(1, 0.25L), 0.25L);
    EXPECT_EQ(PoissonGos(1, 2.0L), 1.0L - std::exp(-2.0L));
    EXPECT_EQ(ErlangBGos(0, 5.0L), 1.0L);
}

// Published Erlang B tables: 15 channels carry 8.108 Erl at 1 % and
// 9.0096 Erl at 2 % blocking.
TEST(TrafficGos, PublishedErlangBCapacities)
{
    EXPECT_NEAR(BisectTraffic(ErlangBGos, 15, 0.01L, 10.0L, 0.0L), 8.108L, 0.0005L);
    EXPECT_NEAR(BisectTraffic(ErlangBGos, 15, 0.02L, 10.0L, 0.0L), 9.0096L, 0.00005L);
}

struct ChannelsCase {
    long double traffic;
    long double target;
    int erlangB;
    int erlangC;
    int poisson;
};

TEST(TrafficChannels, SmallestCountsBelowTheTarget)
{
    const ChannelsCase cases[] = {
        {9.0L, 0.02L, 15, 17, 17},
        {9.0L, 0.005L, 18, 19, 19},
        {0.0L, 0.02L, 1, 1, 2},
        {0.0L, 0.5L, 1, 1, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErlangBChannels(c.traffic, c.target), c.erlangB);
        EXPECT_EQ(ErlangCChannels(c.traffic, c.target), c.erlangC);
        EXPECT_EQ(PoissonChannels(c.traffic, c.target), c.poisson);
    }
}

TEST(TrafficChannels, ErlangCStartsAboveTheWholeTraffic)
{
    EXPECT_EQ(ErlangCChannels(10.0L, 0.999999L), 11);
    EXPECT_EQ(ErlangCChannels(9.5L, 0.999999L), 10);
}

TEST(TrafficChannels, AGosEqualToTheTargetGoesOnToTheNextCount)
{
    EXPECT_EQ(ErlangBChannels(9.0L, ErlangBGos(15, 9.0L)), 16);
    EXPECT_EQ(ErlangCChannels(9.0L, ErlangCGos(15, 9.0L)), 16);
    EXPECT_EQ(PoissonChannels(9.0L, PoissonGos(15, 9.0L)), 16);
}

// Past the point where 1 - e^(-A) s can resolve the target the count comes
// from the accurate upper tail.
TEST(TrafficChannels, PoissonFindsTheTrueCountForTinyTargets)
{
    EXPECT_EQ(PoissonChannels(9.0L, 1e-15L), 43);
    EXPECT_EQ(PoissonChannels(9.0L, 1e-20L), 50);
    EXPECT_EQ(PoissonChannels(9.0L, 1e-30L), 62);
    const int n = PoissonChannels(9.0L, 1e-300L);
    EXPECT_LT(PoissonUpperTail(n, 9.0L), 1e-300L);
    EXPECT_GE(PoissonUpperTail(n - 1, 9.0L), 1e-300L);
    EXPECT_GT(PoissonChannels(1000.0L, 1e-100L), 1000);
}

// Past the median the running sum 1 - e^(-A) s falls to a rounding residue
// that can be negative, below any target: 0.001 Erl at 1e-4900 gave 6
// channels, 11300 Erl 12236. The counts worked independently (the upper
// tail to 40 digits), at small and large traffic.
TEST(TrafficChannels, PoissonCountsForTinyTargetsAtAnyTraffic)
{
    const struct {
        long double traffic;
        long double target;
        int channels;
    } cases[] = {
        {0.001L, 1e-4900L, 889},    {9.0L, 1e-4900L, 2447},      {1000.0L, 1e-100L, 1745},
        {11000.0L, 1e-300L, 15109}, {11300.0L, 1e-4900L, 30694},
    };
    for (const auto& c : cases) {
        const int n = PoissonChannels(c.traffic, c.target);
        EXPECT_EQ(n, c.channels) << double(c.traffic) << ' ' << double(c.target);
        EXPECT_LT(PoissonGos(n, c.traffic), c.target);
        EXPECT_GE(PoissonGos(n - 1, c.traffic), c.target);
    }
}

TEST(TrafficChannels, PoissonUpperTailAgreesWithTheDirectSum)
{
    for (int n : {2, 10, 15, 30}) {
        EXPECT_NEAR(PoissonUpperTail(n, 9.0L) / ReferencePoisson(n, 9.0L), 1.0L, 1e-12L) << n;
    }
}

TEST(BisectTraffic, EndsAfterOneStepOnAnEmptyBracket)
{
    EXPECT_EQ(BisectTraffic(ErlangBGos, 5, 0.02L, 3.0L, 3.0L), 3.0L);
}

// B(1, 1) = 1/2 exactly: the root is the bracket's upper end, and the
// halving comes to it to the last bit.
TEST(BisectTraffic, LandsOnTheRootToTheLastBit)
{
    EXPECT_EQ(BisectTraffic(ErlangBGos, 1, 0.5L, 1.0L, 0.0L), 1.0L);
}

// B(1, x) = x / (1 + x) = g has the root x = g / (1 - g): the halving ends
// on neighbouring reals, so the root comes to within a few units in the last
// place, however small it is (a fixed step in Erlang would leave whole
// percent at small traffic).
TEST(BisectTraffic, HalvesUntilTheEndsAreNeighbouringReals)
{
    for (long double g : {1e-300L, 1e-9L, 1e-6L, 0.0001L, 0.01L, 0.02L, 0.3L, 0.5L, 0.9L, 0.999L}) {
        const long double root = g / (1.0L - g);
        const long double x = BisectTraffic(ErlangBGos, 1, g, 1000.0L, 0.0L);
        EXPECT_NEAR(x / root, 1.0L, 8.0L * std::numeric_limits<long double>::epsilon()) << double(g);
    }
}

TEST(BisectTraffic, EndsWhereNeighbouringRealsAreFurtherApartThanTheTolerance)
{
    // B(1, x) = x / (1 + x) = g has its root near 1e17 Erl.
    const long double target = 1.0L - 1.2345e-17L;
    const long double x = BisectTraffic(ErlangBGos, 1, target, 2e17L, 0.0L);
    EXPECT_NEAR(x / (target / (1.0L - target)), 1.0L, 1e-2L);
}

TEST(TrafficGos, AnOverflowOfTheTermsIsAFault)
{
    EXPECT_THROW(ErlangBGos(20000, 20000.0L), FloatingPointFault);
    EXPECT_THROW(ErlangBChannels(1e6L, 1e-9L), FloatingPointFault);
    EXPECT_THROW(ErlangCChannels(1e30L, 0.5L), FloatingPointFault);
}

// A pasted negative traffic can bring the sum to zero: a division fault,
// not an infinite GOS that stops a search.
TEST(TrafficGos, ASumOfZeroIsADivisionByZero)
{
    for (auto step :
         std::initializer_list<void (*)()>{[] { ErlangBGos(1, -1.0L); }, [] { ErlangBChannels(-1.0L, 0.02L); },
                                           [] { ErlangCChannels(-2.0L, 0.02L); }}) {
        try {
            step();
            ADD_FAILURE() << "no fault";
        } catch (const FloatingPointFault& fault) {
            EXPECT_EQ(fault.Kind(), FloatingPointFaultKind::DivisionByZero);
        }
    }
}

TEST(TrafficGos, HugeChannelCountsStopWhenTheTermsHaveUnderflowed)
{
    EXPECT_EQ(ErlangBGos(2147483647, 9.0L), 0.0L);
    EXPECT_EQ(ErlangCGos(2147483647, 9.0L), 0.0L);
    // By 5000 channels every term at 9 Erl has underflowed: the same sum.
    EXPECT_EQ(PoissonGos(2147483647, 9.0L), PoissonGos(5000, 9.0L));
    EXPECT_EQ(ErlangBGos(5000, 9.0L), 0.0L);
}

} // namespace
} // namespace zandrevio
