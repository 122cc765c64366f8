#include "numeric/app_error.h"
#include "traffic/fcn_numb.h"
#include "traffic/traffic_calculations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

// The Erlang B search skips the GOS evaluations whose outcome it has proven:
// it must end on the very traffic the plain scan and halving end on, and
// fault where they fault, with the same fault.
namespace zandrevio {
namespace {

// A search's end: the traffic, or the fault it ran into.
struct Answer {
    long double traffic = 0.0L;
    std::optional<FloatingPointFaultKind> fault;
};

template <typename Search>
Answer Run(Search search)
{
    try {
        return {search(), std::nullopt};
    } catch (const FloatingPointFault& fault) {
        return {0.0L, fault.Kind()};
    }
}

Answer Plain(std::int32_t channels, long double target)
{
    return Run([&] {
        const TrafficBracket bracket = ScanTrafficBracket(ErlangBGos, channels, target);
        return BisectTraffic(ErlangBGos, channels, target, bracket.upper, bracket.lower);
    });
}

Answer Fast(std::int32_t channels, long double target)
{
    return Run([&] { return ErlangBTraffic(channels, target); });
}

// The same traffic to the bit (no zeros of either sign, no NaN come out), or
// the same fault.
void ExpectSame(std::int32_t channels, long double target)
{
    const Answer plain = Plain(channels, target);
    const Answer fast = Fast(channels, target);
    ASSERT_EQ(fast.fault.has_value(), plain.fault.has_value()) << channels << ' ' << static_cast<double>(target);
    if (plain.fault) {
        EXPECT_EQ(*fast.fault, *plain.fault) << channels << ' ' << static_cast<double>(target);
        return;
    }
    EXPECT_EQ(fast.traffic, plain.traffic)
        << channels << ' ' << static_cast<double>(target) << ' ' << static_cast<double>(fast.traffic - plain.traffic);
}

// The seven grades of service of the usual table, then tiny ones and ones
// near 1, and a few in between.
const std::vector<long double> kTargets = {
    0.001L, 0.002L, 0.005L, 0.01L, 0.02L, 0.05L, 0.1L,   1e-12L,  1e-9L,    1e-6L,     1e-4L,      0.0003L,   0.03L,
    0.2L,   0.3L,   0.5L,   0.7L,  0.9L,  0.99L, 0.999L, 0.9999L, 0.99999L, 0.999999L, 0.0123456L, 0.333333L, 0.87654L};

TEST(ErlangBTraffic, SameAsThePlainSearchForOneTo300Channels)
{
    for (std::int32_t channels = 1; channels <= 300; ++channels) {
        for (const long double target : kTargets) {
            ExpectSame(channels, target);
        }
    }
}

TEST(ErlangBTraffic, SameAsThePlainSearchForManyChannels)
{
    for (std::int32_t channels : {400, 1000, 2500, 5000, 10000, 11000, 11300, 11400, 12000, 100000, 2147483647}) {
        for (const long double target : kTargets) {
            ExpectSame(channels, target);
        }
    }
}

// Targets far below the usual, down to where the terms underflow and the
// proof no longer holds.
TEST(ErlangBTraffic, SameAsThePlainSearchForTinyTargets)
{
    for (std::int32_t channels : {1, 2, 3, 10, 50, 200, 1000}) {
        for (long double target : {1e-30L, 1e-100L, 1e-300L, 1e-1000L, 1e-3000L, 1e-4000L, 1e-4900L}) {
            ExpectSame(channels, target);
        }
    }
}

// Targets just below 1, where the slope of the GOS is tiny and the roots
// large: some end in an overflow of the terms.
TEST(ErlangBTraffic, SameAsThePlainSearchNearOne)
{
    for (std::int32_t channels : {1, 2, 5, 30, 100, 2300}) {
        for (long double gap : {1e-5L, 1e-7L, 1e-9L, 1e-12L, 1e-15L, 1e-18L, 1e-19L}) {
            ExpectSame(channels, 1.0L - gap);
        }
    }
}

// A target equal to a GOS the halving evaluates: the first midpoints of the
// bracket [0, N], and of the scan's bracket, end the search at once there
// (d == 0); and targets equal to the GOS at traffics near the root, where
// the computed GOS can step back and forth in the last bits.
TEST(ErlangBTraffic, SameAsThePlainSearchForTargetsEqualToAComputedGos)
{
    for (std::int32_t channels : {1, 2, 3, 7, 15, 64, 100, 199, 300, 1000}) {
        const long double n = channels;
        for (long double share : {0.5L, 0.75L, 0.625L, 0.8125L, 0.90625L, 0.71875L, 0.1L, 0.3L, 0.95L}) {
            ExpectSame(channels, ErlangBGos(channels, n * share));
        }
        // Inside the scan's brackets past N.
        for (long double x : {n + 5.0L, n + 2.5L, n + 7.5L, n + 15.0L, n + 33.75L}) {
            ExpectSame(channels, ErlangBGos(channels, x));
        }
        // Around the root of the usual grades of service, a few reals apart.
        for (const long double target : {0.001L, 0.01L, 0.02L, 0.1L}) {
            long double x = ErlangBTraffic(channels, target);
            for (int i = 0; i < 6; ++i) {
                ExpectSame(channels, ErlangBGos(channels, x));
                x = std::nextafter(x, 2.0L * x);
            }
        }
    }
}

// The targets of a fine grid, so that the roots fall everywhere between the
// reals the halving visits.
TEST(ErlangBTraffic, SameAsThePlainSearchOnAFineGrid)
{
    for (std::int32_t channels : {1, 2, 4, 9, 16, 25, 48, 120, 200}) {
        for (long double target = 1e-3L; target < 0.2L; target *= 1.0173L) {
            ExpectSame(channels, target);
        }
    }
}

// Near 1 the GOS is flat (its slope in ln A is S = N - A (1 - B), small):
// there the rounding moves the root furthest, and the margins are tightest.
TEST(ErlangBTraffic, SameAsThePlainSearchWhereTheGosIsFlat)
{
    for (std::int32_t channels = 1; channels <= 40; ++channels) {
        for (int j = 1; j <= 14; ++j) {
            for (int i = 0; i < 16; ++i) {
                ExpectSame(channels, 1.0L - std::ldexp(1.0L + i / 16.0L, -j));
            }
        }
    }
}

// The search is reached through the Traffic page's calculation, which
// refuses no channels and a GOS outside (0, 1) before it.
TEST(ErlangBTraffic, TheCalculationRefusesBeforeTheSearch)
{
    using F = TrafficField;
    const auto traffic = [](std::int32_t channels, long double target) {
        return TrafficForGos(
            {{F::Model, static_cast<long double>(TrafficModel::ErlangB)}, {F::Channels, channels}, {F::Gos, target}});
    };
    for (std::int32_t channels : {0, -1}) {
        const auto refused = traffic(channels, 0.02L);
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().field, F::Channels);
    }
    for (long double target : {0.0L, 1.0L, -0.5L, 2.0L}) {
        const auto refused = traffic(15, target);
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().field, F::Gos);
    }
    for (std::int32_t channels : {1, 15, 200, 11000}) {
        const auto found = traffic(channels, 0.02L);
        const Answer plain = Plain(channels, 0.02L);
        ASSERT_TRUE(found.Ok());
        EXPECT_EQ(found.Value(), plain.traffic) << channels;
    }
    try {
        traffic(20000, 0.02L);
        ADD_FAILURE() << "no fault";
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), *Plain(20000, 0.02L).fault);
    }
}

} // namespace
} // namespace zandrevio
