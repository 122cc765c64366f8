#include "numeric/app_error.h"
#include "numeric/format.h"
#include "separator_guard.h"
#include "traffic/traffic_calculations.h"

#include "traffic_references.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio {
namespace {

using test::ReferencePoisson;

using test::SeparatorGuard;
constexpr auto kPoisson = TrafficModel::Poisson;
constexpr auto kErlangB = TrafficModel::ErlangB;
constexpr auto kErlangC = TrafficModel::ErlangC;
using F = TrafficField;

long double ModelInput(TrafficModel model)
{
    return static_cast<long double>(model);
}

Outcome<GosResult, F> GosForTraffic(TrafficModel model, std::int32_t channels, long double traffic)
{
    return zandrevio::GosForTraffic({{F::Model, ModelInput(model)}, {F::Channels, channels}, {F::Traffic, traffic}});
}

Outcome<std::int32_t, F> ChannelsForGos(TrafficModel model, long double traffic, long double target)
{
    return zandrevio::ChannelsForGos({{F::Model, ModelInput(model)}, {F::Traffic, traffic}, {F::Gos, target}});
}

Outcome<long double, F> TrafficForGos(TrafficModel model, std::int32_t channels, long double target)
{
    return zandrevio::TrafficForGos({{F::Model, ModelInput(model)}, {F::Channels, channels}, {F::Gos, target}});
}

long double SubscriberTraffic(std::int32_t subscribers, long double rate)
{
    return zandrevio::SubscriberTraffic({{F::Subscribers, subscribers}, {F::Rate, rate}}).Value();
}

long double SubscribersForTraffic(long double traffic, long double rate)
{
    return zandrevio::SubscribersForTraffic({{F::SubscriberTraffic, traffic}, {F::Rate, rate}}).Value();
}

struct GosCase {
    TrafficModel model;
    std::int32_t channels;
    long double traffic;
    const char* shown;
};

TEST(GosForTraffic, WorkedValuesRoundedToThousandths)
{
    SeparatorGuard guard('.');
    const GosCase cases[] = {
        {kErlangB, 15, 9.0L, "0.02"}, {kErlangC, 15, 9.0L, "0.048"}, {kPoisson, 15, 9.0L, "0.041"},
        {kErlangC, 10, 10.0L, "1"},   {kErlangB, 20, 5.0L, "0"},     {kErlangB, 15, 0.0L, "0"},
        {kErlangC, 15, 0.0L, "0"},    {kPoisson, 15, 0.0L, "0"},     {kErlangB, 2147483647, 9.0L, "0"},
    };
    for (const auto& c : cases) {
        const auto gos = GosForTraffic(c.model, c.channels, c.traffic);
        ASSERT_TRUE(gos.Ok());
        EXPECT_EQ(FormatResult(gos.Value().gos), c.shown) << c.channels << ' ' << double(c.traffic);
    }
    // The GOS is held in double: 0.048 is the double nearest to it.
    EXPECT_EQ(GosForTraffic(kErlangC, 15, 9.0L).Value().gos, 0.048);
}

// The probability the GOS is rounded from, as the model computes it (worked at 30 digits with mpmath:
// B = (A^N / N!) / sum A^k / k!, C = N B / (N - A (1 - B)), Poisson 1 - exp(-A) sum_{k<N} A^k / k!).
TEST(GosForTraffic, TheBlockingProbabilityUnrounded)
{
    const struct {
        TrafficModel model;
        std::int32_t channels;
        long double traffic;
        long double blocking;
    } cases[] = {
        {kErlangB, 20, 10.0L, 0.00186904985235430545824560523518L},
        {kErlangB, 5, 0.5L, 0.000157952930026851998104564839678L},
        {kErlangC, 15, 9.0L, 0.048233707677974345270412298337L},
        {kPoisson, 15, 9.0L, 0.041466325472903724303483911593L},
    };
    for (const auto& c : cases) {
        const auto gos = GosForTraffic(c.model, c.channels, c.traffic);
        ASSERT_TRUE(gos.Ok());
        EXPECT_NEAR(gos.Value().blocking / c.blocking, 1.0L, 1e-15L) << c.channels;
    }
    EXPECT_EQ(GosForTraffic(kErlangB, 5, 0.5L).Value().gos, 0.0); // the window's thousandths
}

TEST(GosForTraffic, RefusesNoChannelsAndErlangCBelowTheTraffic)
{
    for (auto model : {kPoisson, kErlangB, kErlangC}) {
        for (std::int32_t channels : {0, -5}) {
            const auto gos = GosForTraffic(model, channels, 9.0L);
            ASSERT_FALSE(gos.Ok());
            EXPECT_EQ(gos.Error().message, "Number of channels must be  greater then 0");
            EXPECT_EQ(gos.Error().field, F::Channels);
        }
    }
    const auto gos = GosForTraffic(kErlangC, 9, 9.5L);
    ASSERT_FALSE(gos.Ok());
    EXPECT_EQ(gos.Error().message, "Number of Channels must be greater than Traffic (ErlangC Model)");
    EXPECT_EQ(gos.Error().field, F::Channels);
    EXPECT_FALSE(GosForTraffic(kErlangC, 10, 10.0L + 1e-12L).Ok());
    // Traffic within 1e-9 below the channels counts as equal: a GOS of 1.
    EXPECT_EQ(GosForTraffic(kErlangC, 10, 10.0L - 1e-12L).Value().gos, 1.0);
}

// A negative traffic has no meaning: it gave -2 channels (Erlang C at -5
// Erl) or a GOS of -20.848 (Erlang B, 15 channels at -5 Erl).
TEST(GosForTraffic, RefusesANegativeTrafficAfterTheChannels)
{
    for (auto model : {kPoisson, kErlangB, kErlangC}) {
        for (long double traffic : {-5.0L, -0.5L, -1e-4000L}) {
            const auto gos = GosForTraffic(model, 15, traffic);
            ASSERT_FALSE(gos.Ok()) << int(model) << ' ' << double(traffic);
            EXPECT_EQ(gos.Error().message, "Traffic must not be negative");
            EXPECT_EQ(gos.Error().field, F::Traffic);
            EXPECT_EQ(GosForTraffic(model, 0, traffic).Error().field, F::Channels);
            const auto channels = ChannelsForGos(model, traffic, 0.02L);
            ASSERT_FALSE(channels.Ok()) << int(model) << ' ' << double(traffic);
            EXPECT_EQ(channels.Error().message, "Traffic must not be negative");
            EXPECT_EQ(channels.Error().field, F::Traffic);
            EXPECT_EQ(ChannelsForGos(model, traffic, 1.5L).Error().field, F::Gos);
        }
        EXPECT_TRUE(GosForTraffic(model, 15, 0.0L).Ok());
        EXPECT_TRUE(ChannelsForGos(model, 0.0L, 0.02L).Ok());
    }
}

TEST(ChannelsForGos, WorkedValues)
{
    EXPECT_EQ(ChannelsForGos(kErlangB, 9.0L, 0.02L).Value(), 15);
    EXPECT_EQ(ChannelsForGos(kErlangC, 9.0L, 0.02L).Value(), 17);
    EXPECT_EQ(ChannelsForGos(kPoisson, 9.0L, 0.02L).Value(), 17);
    EXPECT_EQ(ChannelsForGos(kPoisson, 0.0L, 0.02L).Value(), 2);
}

TEST(ChannelsForGos, RefusesAGosOutsideZeroToOne)
{
    for (long double target : {0.0L, 1.0L, -0.5L, 1.5L}) {
        const auto channels = ChannelsForGos(kErlangB, 9.0L, target);
        ASSERT_FALSE(channels.Ok());
        EXPECT_EQ(channels.Error().message, "GOS must be  0 < GOS <1");
        EXPECT_EQ(channels.Error().field, F::Gos);
    }
    EXPECT_TRUE(ChannelsForGos(kErlangB, 9.0L, 1e-4000L).Ok());
    EXPECT_TRUE(ChannelsForGos(kErlangB, 9.0L, 0.9999999L).Ok());
}

struct TrafficCase {
    TrafficModel model;
    std::int32_t channels;
    long double target;
    const char* shown;
};

TEST(TrafficForGos, WorkedValues)
{
    SeparatorGuard guard('.');
    const TrafficCase cases[] = {
        {kErlangB, 15, 0.02L, "9.0096"}, {kErlangC, 15, 0.02L, "8.0352"}, {kPoisson, 15, 0.02L, "8.1531"},
        {kErlangB, 30, 0.02L, "21.932"}, {kErlangC, 1, 0.02L, "0.02"},    {kErlangC, 1, 0.9L, "0.9"},
        {kErlangC, 2, 0.9L, "1.8651"},
    };
    for (const auto& c : cases) {
        const auto traffic = TrafficForGos(c.model, c.channels, c.target);
        ASSERT_TRUE(traffic.Ok());
        EXPECT_EQ(FormatResult(traffic.Value()), c.shown) << c.channels << ' ' << double(c.target);
    }
}

// Erlang C's waiting probability rises to 1 as the traffic nears N, so N
// channels carry up to N Erlang. Worked values: one server waits with
// C(1, A) = A, so A = GOS; two with C(2, A) = A^2 / (2 + A), so
// A = (g + sqrt(g^2 + 8 g)) / 2: 1.8651 Erl at 0.9.
TEST(TrafficForGos, ErlangCReachesUpToTheChannels)
{
    for (long double g : {1e-9L, 0.02L, 0.3L, 0.5L, 0.9L, 0.999L}) {
        EXPECT_NEAR(TrafficForGos(kErlangC, 1, g).Value() / g, 1.0L, 1e-17L) << double(g);
        const long double two = (g + std::sqrt(g * g + 8.0L * g)) / 2.0L;
        EXPECT_NEAR(TrafficForGos(kErlangC, 2, g).Value() / two, 1.0L, 1e-17L) << double(g);
    }
    // Above N - 1 wherever the waiting probability at N - 1 Erlang is below the target.
    for (std::int32_t channels : {3, 10, 100}) {
        const long double target = 0.99L;
        ASSERT_LT(ErlangCGos(channels, channels - 1.0L), target);
        const long double traffic = TrafficForGos(kErlangC, channels, target).Value();
        EXPECT_GT(traffic, channels - 1.0L) << channels;
        EXPECT_LT(traffic, static_cast<long double>(channels)) << channels;
    }
}

// Independent references for the traffic of a GOS. Erlang B by its stable
// recursion in the inverse form 1/B(n) = 1 + n / (A B(n-1)), and its root
// by Newton's method on ln B against ln A, whose slope is N - A (1 - B)
// (from dB/dA = B (N/A - 1 + B)); ln B is concave in ln A, so after the
// first step the iterates climb to the root.
long double ReferenceErlangB(int n, long double a)
{
    long double inverse = 1.0L;
    for (int k = 1; k <= n; ++k) {
        inverse = 1.0L + k * inverse / a;
    }
    return 1.0L / inverse;
}

long double ReferenceErlangBTraffic(int n, long double target)
{
    long double x = std::log(static_cast<long double>(n));
    for (int i = 0; i < 200; ++i) {
        const long double a = std::exp(x);
        const long double b = ReferenceErlangB(n, a);
        const long double step = (std::log(b) - std::log(target)) / (n - a * (1.0L - b));
        x -= step;
        if (std::fabs(step) < 1e-17L) {
            break;
        }
    }
    return std::exp(x);
}

// Erlang C from the reference Erlang B, C = N B / (N - A (1 - B)), and the
// Poisson tail 1 - e^(-A) sum_(k<N) A^k / k! summed directly; their roots by
// 400 halvings of a bracket grown from N by doubling.
long double ReferenceErlangC(int n, long double a)
{
    return test::ErlangCFromB(n, a, ReferenceErlangB(n, a));
}

template <typename Gos>
long double ReferenceRoot(Gos gos, long double target, long double low, long double high)
{
    for (int i = 0; i < 400; ++i) {
        const long double middle = 0.5L * (low + high);
        (gos(middle) < target ? low : high) = middle;
    }
    return 0.5L * (low + high);
}

struct PublishedCase {
    std::int32_t channels;
    long double target;
    long double traffic; // as the tables print it, to 5 significant digits
};

// Published Erlang B tables (Erlang's loss formula, traffic carried by N
// channels at a blocking), each checked above by the reference: shown to 5
// digits the result is the published value, and it is the root to full
// precision.
TEST(TrafficForGos, PublishedErlangBCapacities)
{
    SeparatorGuard guard('.');
    const PublishedCase cases[] = {
        {1, 0.01L, 0.010101L}, {2, 0.01L, 0.15259L},  {3, 0.01L, 0.45549L}, {5, 0.01L, 1.3608L},
        {10, 0.01L, 4.4612L},  {15, 0.01L, 8.1080L},  {20, 0.01L, 12.031L}, {50, 0.01L, 37.901L},
        {100, 0.01L, 84.064L}, {1, 0.02L, 0.020408L}, {5, 0.02L, 1.6571L},  {10, 0.02L, 5.0840L},
        {15, 0.02L, 9.0096L},  {20, 0.02L, 13.182L},  {30, 0.02L, 21.932L}, {100, 0.02L, 87.972L},
    };
    for (const auto& c : cases) {
        const long double reference = ReferenceErlangBTraffic(c.channels, c.target);
        ASSERT_EQ(FormatResult(reference), FormatResult(c.traffic)) << c.channels << ' ' << double(c.target);
        const auto traffic = TrafficForGos(kErlangB, c.channels, c.target);
        ASSERT_TRUE(traffic.Ok());
        EXPECT_EQ(FormatResult(traffic.Value()), FormatResult(c.traffic)) << c.channels << ' ' << double(c.target);
        EXPECT_NEAR(traffic.Value() / reference, 1.0L, 1e-17L) << c.channels << ' ' << double(c.target);
    }
    // 15 channels at 1 %: the root is 8.10804 Erl, shown 8.108.
    EXPECT_EQ(FormatResult(TrafficForGos(kErlangB, 15, 0.01L).Value()), "8.108");
}

// A whole Erlang B table, 1 to 200 channels at seven blockings: every cell
// is the root to full precision, so it shows the reference's digits.
TEST(TrafficForGos, AWholeErlangBTableToFullPrecision)
{
    SeparatorGuard guard('.');
    for (std::int32_t channels = 1; channels <= 200; ++channels) {
        for (long double target : {0.001L, 0.002L, 0.005L, 0.01L, 0.02L, 0.03L, 0.05L}) {
            const long double reference = ReferenceErlangBTraffic(channels, target);
            const long double traffic = TrafficForGos(kErlangB, channels, target).Value();
            EXPECT_NEAR(traffic / reference, 1.0L, 1e-17L) << channels << ' ' << double(target);
            EXPECT_EQ(FormatResult(traffic), FormatResult(reference)) << channels << ' ' << double(target);
        }
    }
}

// Poisson and Erlang C likewise, at small traffic too.
TEST(TrafficForGos, PoissonAndErlangCToFullPrecision)
{
    for (std::int32_t channels : {1, 2, 3, 5, 15, 30, 60, 120}) {
        for (long double target : {0.0001L, 0.001L, 0.01L, 0.02L, 0.1L}) {
            const long double n = channels;
            const long double poisson =
                ReferenceRoot([&](long double a) { return ReferencePoisson(channels, a); }, target, 0.0L, n);
            EXPECT_NEAR(TrafficForGos(kPoisson, channels, target).Value() / poisson, 1.0L, 1e-15L)
                << channels << ' ' << double(target);
            const long double erlangC =
                ReferenceRoot([&](long double a) { return ReferenceErlangC(channels, a); }, target, 0.0L, n);
            EXPECT_NEAR(TrafficForGos(kErlangC, channels, target).Value() / erlangC, 1.0L, 1e-15L)
                << channels << ' ' << double(target);
        }
    }
}

// Poisson below one half from the upper tail, so small GOS keep their
// digits: roots worked independently to 60 digits by halving, and for one
// channel A = -ln(1 - g). By 1 - e^(-A) s they were wrong in the fifth
// digit (30 channels at 1e-20: 3.1055 for 2.8438 Erl) or beyond all digits.
TEST(TrafficForGos, PoissonAtTinyGosToFullPrecision)
{
    const struct {
        std::int32_t channels;
        long double target;
        long double traffic;
    } cases[] = {
        {15, 1e-15L, 0.6697666346912435675L},
        {5, 1e-12L, 0.01038934485250180056L},
        {30, 1e-20L, 2.843820242015226713L},
        {2, 1e-18L, 1.4142135630397617159e-9L},
        {1, 1e-15L, 1.0000000000000005e-15L},
        {1, 1e-20L, 1e-20L},
        {1, 1e-4000L, 1e-4000L},
    };
    for (const auto& c : cases) {
        const auto traffic = TrafficForGos(kPoisson, c.channels, c.target);
        ASSERT_TRUE(traffic.Ok());
        EXPECT_NEAR(traffic.Value() / c.traffic, 1.0L, 1e-16L) << c.channels << ' ' << double(c.target);
    }
}

TEST(TrafficForGos, ChecksTheChannelsBeforeTheGos)
{
    const auto traffic = TrafficForGos(kErlangB, 0, 0.0L);
    ASSERT_FALSE(traffic.Ok());
    EXPECT_EQ(traffic.Error().message, "Number of channels must be  greater then 0");
    const auto gos = TrafficForGos(kErlangB, 15, 1.0L);
    ASSERT_FALSE(gos.Ok());
    EXPECT_EQ(gos.Error().message, "GOS must be  0 < GOS <1");
    EXPECT_EQ(gos.Error().field, F::Gos);
}

// The upward scan of the bracket, step by step: the result must be the same
// to the bit wherever that scan ends below 100000 Erl.
long double LiteralScanTraffic(GosFunction gos, std::int32_t channels, long double target)
{
    long double lower = 0.0L;
    long double x = channels;
    while (gos(channels, x) - target < 0.0L) {
        lower = x;
        x = x + 10.0L;
    }
    return BisectTraffic(gos, channels, target, x, lower);
}

TEST(TrafficForGos, TheBracketIsTheOneTheUpwardScanFinds)
{
    for (auto model : {kPoisson, kErlangB}) {
        const GosFunction gos = model == kPoisson ? PoissonGos : ErlangBGos;
        for (std::int32_t channels : {1, 2, 7, 15, 30, 100, 250}) {
            for (long double target : {1e-9L, 0.001L, 0.02L, 0.3L, 0.75L, 0.9L, 0.99L, 0.999L}) {
                const long double expected = LiteralScanTraffic(gos, channels, target);
                if (expected > 100000.0L) {
                    continue;
                }
                EXPECT_EQ(TrafficForGos(model, channels, target).Value(), expected)
                    << int(model) << ' ' << channels << ' ' << double(target);
            }
        }
    }
}

// Targets a step-by-step scan would take minutes or forever to reach.
TEST(TrafficForGos, EndsForTargetsNearOne)
{
    const long double x = TrafficForGos(kErlangB, 100, 0.9999999L).Value();
    EXPECT_NEAR(ErlangBGos(100, x), 0.9999999L, 1e-12L);
    const long double far = TrafficForGos(kErlangB, 1, 1.0L - 1.2345e-18L).Value();
    EXPECT_NEAR(far / (1.0L / 1.2345e-18L), 1.0L, 0.05L);
    EXPECT_NEAR(PoissonGos(10, TrafficForGos(kPoisson, 10, 0.9999999L).Value()), 0.9999999L, 1e-9L);
}

TEST(TrafficForGos, HugeChannelCountsEndInAnOverflow)
{
    for (auto model : {kPoisson, kErlangB, kErlangC}) {
        try {
            TrafficForGos(model, 2000000000, 0.02L);
            ADD_FAILURE() << "no fault";
        } catch (const FloatingPointFault& fault) {
            EXPECT_EQ(fault.Kind(), FloatingPointFaultKind::Overflow);
        }
    }
}

TEST(SubscriberTraffic, WorkedValues)
{
    SeparatorGuard guard('.');
    EXPECT_EQ(FormatResult(SubscriberTraffic(1000, 35.0L)), "35");
    EXPECT_EQ(SubscriberTraffic(0, 35.0L), 0.0L);
    EXPECT_EQ(FormatResult(SubscribersForTraffic(35.0L, 35.0L)), "1000");
    EXPECT_EQ(SubscribersForTraffic(10.0L, 3.0L), 3333.0L);
    EXPECT_EQ(FormatResult(SubscriberTraffic(1, 1e-4930L)), "1E-4933");
}

// Negative subscribers, rates and traffic have no meaning: refused at their
// field, the rate first as the window reads it.
TEST(SubscriberTraffic, NegativeCountsAndRatesAreRefused)
{
    using F = TrafficField;
    const auto traffic = zandrevio::SubscriberTraffic({{F::Subscribers, -5}, {F::Rate, 35}});
    ASSERT_FALSE(traffic.Ok());
    EXPECT_EQ(traffic.Error().message, "Number of subscribers must not be negative");
    EXPECT_EQ(traffic.Error().field, F::Subscribers);
    const auto rate = zandrevio::SubscriberTraffic({{F::Subscribers, -5}, {F::Rate, -1}});
    ASSERT_FALSE(rate.Ok());
    EXPECT_EQ(rate.Error().field, F::Rate);
    const auto negative = zandrevio::SubscribersForTraffic({{F::SubscriberTraffic, -35}, {F::Rate, 35}});
    ASSERT_FALSE(negative.Ok());
    EXPECT_EQ(negative.Error().message, "Traffic must not be negative");
    EXPECT_EQ(negative.Error().field, F::SubscriberTraffic);
    EXPECT_FALSE(zandrevio::SubscribersForTraffic({{F::SubscriberTraffic, 35}, {F::Rate, -35}}).Ok());
}

TEST(SubscriberTraffic, ARateOfZeroIsADivisionFault)
{
    try {
        SubscribersForTraffic(35.0L, 0.0L);
        FAIL();
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), FloatingPointFaultKind::DivisionByZero);
    }
    try {
        SubscribersForTraffic(0.0L, 0.0L);
        FAIL();
    } catch (const FloatingPointFault& fault) {
        EXPECT_EQ(fault.Kind(), FloatingPointFaultKind::InvalidOperation);
    }
}

} // namespace
} // namespace zandrevio
