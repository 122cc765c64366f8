#include "numeric/format.h"
#include "separator_guard.h"
#include "traffic/fcn_numb.h"
#include "traffic/queueing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zandrevio {
namespace {

using test::SeparatorGuard;
using S = ServiceField;
using R = RetryField;

Inputs<S> Queue(long double traffic, long double servers, long double handling = 180, long double target = 20)
{
    return {{S::Traffic, traffic}, {S::HandlingTime, handling}, {S::TargetTime, target}, {S::Servers, servers}};
}

// The published call-centre example: 10 Erl on 14 agents, 180 s handling,
// 20 s target: Pw 0.17413, 88.835 % in 20 s, ASA 7.836 s.
TEST(ServiceLevel, ThePublishedCallCentre)
{
    SeparatorGuard guard('.');
    const auto level = ServiceLevel(Queue(10, 14));
    ASSERT_TRUE(level.Ok());
    EXPECT_EQ(FormatResult(level.Value().waitingProbability), "0.17413");
    EXPECT_EQ(FormatResult(level.Value().serviceLevel), "0.88835");
    EXPECT_NEAR(level.Value().averageSpeedOfAnswer, 7.836L, 0.0005L);
    EXPECT_EQ(FormatResult(level.Value().occupancy), "0.71429");
    // The same traffic as 200 calls an hour.
    const auto calls = ServiceLevel(
        {{S::Calls, 200}, {S::Interval, 3600}, {S::HandlingTime, 180}, {S::TargetTime, 20}, {S::Servers, 14}});
    EXPECT_EQ(calls.Value().serviceLevel, level.Value().serviceLevel);
    // Erlang C from Erlang B agrees with the traffic page's Erlang C.
    for (int n : {2, 14, 50, 150}) {
        EXPECT_NEAR(ErlangCFromB(n, 0.9L * n), ErlangCGos(n, 0.9L * n), 1e-15L) << n;
    }
}

TEST(ServiceLevel, TheFewestServersReachingTheTarget)
{
    Inputs<S> in = Queue(10, 0);
    in.Set(S::TargetServiceLevel, 0.8L);
    const auto servers = ServersForServiceLevel(in);
    ASSERT_TRUE(servers.Ok());
    // Checked against Erlang C from the Erlang B recursion in double: 13
    // agents give 79.56 %, 14 give 88.835 %; 17 give 98.58 %, 18 99.35 %.
    EXPECT_EQ(servers.Value().servers, 14);
    EXPECT_LT(ServiceLevel(Queue(10, 13)).Value().serviceLevel, 0.8L);
    in.Set(S::TargetServiceLevel, 0.99L);
    EXPECT_EQ(ServersForServiceLevel(in).Value().servers, 18);
}

TEST(ServiceLevel, Refusals)
{
    EXPECT_EQ(ServiceLevel(Queue(10, 10)).Error().field, S::Servers);
    EXPECT_EQ(ServiceLevel(Queue(10, 14, 0)).Error().field, S::HandlingTime);
    EXPECT_EQ(ServiceLevel(Queue(10, 14, 180, -1)).Error().field, S::TargetTime);
    EXPECT_EQ(ServiceLevel(Queue(10001, 20000)).Error().message, "Traffic must be 0 < A <= 10000 Erl");
    Inputs<S> in = Queue(10, 0);
    in.Set(S::TargetServiceLevel, 1);
    EXPECT_EQ(ServersForServiceLevel(in).Error().field, S::TargetServiceLevel);
}

Inputs<R> Retries(long double traffic, long double recall, long double channels, long double blocking)
{
    return {{R::Traffic, traffic}, {R::Recall, recall}, {R::Channels, channels}, {R::Blocking, blocking}};
}

// Published Extended Erlang B tables: 5.5 Erl with 50 % recall at 3 %
// blocking need 11 channels (10 give 3.15 %).
TEST(ExtendedErlangB, PublishedChannelsAndTheFixedPoint)
{
    SeparatorGuard guard('.');
    const auto channels = ExtendedErlangBChannels(Retries(5.5L, 0.5L, 0, 0.03L));
    ASSERT_TRUE(channels.Ok());
    EXPECT_EQ(channels.Value().channels, 11);
    const auto ten = ExtendedErlangBBlocking(Retries(5.5L, 0.5L, 10, 0));
    EXPECT_EQ(FormatResult(ten.Value().blocking), "0.031494");
    EXPECT_EQ(FormatResult(ten.Value().offeredTraffic), "5.588");
    // The offered traffic is the fixed point: A = A0 + R B A.
    const ExtendedErlangBResult& r = ten.Value();
    EXPECT_NEAR(r.offeredTraffic, 5.5L + 0.5L * r.blocking * r.offeredTraffic, 1e-15L);
    // No recall is plain Erlang B.
    EXPECT_NEAR(ExtendedErlangBBlocking(Retries(9, 0, 15, 0)).Value().blocking, ErlangBGos(15, 9), 1e-16L);
    // Heavy overload with almost every blocked call retrying still settles.
    const auto heavy = ExtendedErlangBBlocking(Retries(1000, 0.999999L, 1, 0));
    ASSERT_TRUE(heavy.Ok());
    EXPECT_NEAR(heavy.Value().offeredTraffic,
                1000.0L + 0.999999L * heavy.Value().blocking * heavy.Value().offeredTraffic,
                1e-9L * heavy.Value().offeredTraffic);
}

// Every blocked call retrying (R = 1), the carried traffic A (1 - B) is the
// fresh traffic: a fixed point wherever A0 < N. Worked independently (the
// recursion and a 40-digit root): 20 Erl on 25 channels are blocked 0.078843
// at 21.712 Erl offered; 5.5 Erl on 10 channels 0.034346 at 5.6956 Erl. One
// channel carries A / (1 + A) = A0: A = A0 / (1 - A0), blocked A0.
TEST(ExtendedErlangB, EveryBlockedCallRetrying)
{
    SeparatorGuard guard('.');
    const struct {
        long double fresh;
        long double channels;
        const char* blocking;
        const char* offered;
    } cases[] = {
        {20, 25, "0.078843", "21.712"}, {5.5L, 10, "0.034346", "5.6956"}, {10, 11, "0.45919", "18.491"},
        {0.5L, 1, "0.5", "1"},          {0.2L, 1, "0.2", "0.25"},         {1000, 1001, "0.4995", "1998"},
    };
    for (const auto& c : cases) {
        const auto r = ExtendedErlangBBlocking(Retries(c.fresh, 1, c.channels, 0));
        ASSERT_TRUE(r.Ok()) << double(c.fresh) << ' ' << r.Error().message;
        EXPECT_EQ(FormatResult(r.Value().blocking), c.blocking) << double(c.fresh);
        EXPECT_EQ(FormatResult(r.Value().offeredTraffic), c.offered) << double(c.fresh);
        // The fixed point: A = A0 + B A.
        EXPECT_NEAR(r.Value().offeredTraffic / (c.fresh + r.Value().blocking * r.Value().offeredTraffic), 1.0L, 1e-15L);
    }
    // Fresh traffic just below the channels settles, far out.
    const auto near = ExtendedErlangBBlocking(Retries(9.999L, 1, 10, 0));
    ASSERT_TRUE(near.Ok());
    EXPECT_GT(near.Value().offeredTraffic, 10000.0L);
    EXPECT_NEAR(near.Value().offeredTraffic * (1.0L - near.Value().blocking) / 9.999L, 1.0L, 1e-12L);
    // Where the channels cannot carry the fresh traffic there is no fixed point.
    for (auto [fresh, channels] : {std::pair{10.0L, 10.0L}, {10.5L, 10.0L}, {1000.0L, 1.0L}}) {
        const auto refused = ExtendedErlangBBlocking(Retries(fresh, 1, channels, 0));
        ASSERT_FALSE(refused.Ok());
        EXPECT_EQ(refused.Error().field, R::Channels);
        EXPECT_EQ(refused.Error().message,
                  "Number of channels must be greater than the fresh traffic when every blocked call retries (R = 1): "
                  "N channels carry less than N Erl, so the retries would grow without end");
    }
    // The fewest channels start above the fresh traffic; 20 Erl at 10 %
    // blocking need 25 (24 channels are blocked more).
    const auto channels = ExtendedErlangBChannels(Retries(20, 1, 0, 0.1L));
    ASSERT_TRUE(channels.Ok());
    EXPECT_EQ(channels.Value().channels, 25);
    EXPECT_GE(ExtendedErlangBBlocking(Retries(20, 1, 24, 0)).Value().blocking, 0.1L);
    EXPECT_EQ(ExtendedErlangBChannels(Retries(20, 1, 0, 0.9L)).Value().channels, 21);
    // The fresh traffic of 25 channels blocked 0.078843 is 20 Erl, and one
    // channel's at blocking B is B.
    EXPECT_NEAR(ExtendedErlangBTraffic(Retries(0, 1, 25, 0.078842995L)).Value(), 20.0L, 1e-6L);
    EXPECT_NEAR(ExtendedErlangBTraffic(Retries(0, 1, 1, 0.3L)).Value() / 0.3L, 1.0L, 1e-18L);
}

// The fresh traffic of a blocking: the offered traffic A of Erlang B at that
// blocking, less its retries, A0 = A (1 - R b). Worked independently to 40
// digits (the recursion and a halved root); with no recall it is the
// traffic page's Erlang B (15 channels at 1 %: 8.1080 Erl), with one channel
// A0 = (b / (1 - b)) (1 - R b).
TEST(ExtendedErlangB, TheFreshTrafficOfABlockingToFullPrecision)
{
    const struct {
        long double recall;
        long double channels;
        long double blocking;
        long double fresh;
    } cases[] = {
        {0.5L, 10, 0.03L, 5.4464764675542156114L},    {0.5L, 11, 0.03L, 6.2330368599703491779L},
        {1, 25, 0.1L, 20.549816748423968822L},        {0, 15, 0.01L, 8.1080427971844518576L},
        {0.5L, 1, 0.0001L, 0.000100005000500050005L}, {1, 1, 0.3L, 0.3L},
        {0.8L, 30, 0.05L, 23.809732985405789137L},    {1, 1000, 0.5L, 999.0019881261460723L},
    };
    for (const auto& c : cases) {
        const auto fresh = ExtendedErlangBTraffic(Retries(0, c.recall, c.channels, c.blocking));
        ASSERT_TRUE(fresh.Ok()) << fresh.Error().message;
        EXPECT_NEAR(fresh.Value() / c.fresh, 1.0L, 1e-16L) << double(c.channels) << ' ' << double(c.blocking);
        // And back: that fresh traffic is blocked b.
        const auto back = ExtendedErlangBBlocking(Retries(fresh.Value(), c.recall, c.channels, 0));
        EXPECT_NEAR(back.Value().blocking / c.blocking, 1.0L, 1e-13L) << double(c.channels);
    }
    EXPECT_EQ(ExtendedErlangBTraffic(Retries(0, 0.5L, 2000, 0.03L)).Error().message,
              "The traffic at this blocking is above 1000 Erl");
}

TEST(ExtendedErlangB, Refusals)
{
    EXPECT_EQ(ExtendedErlangBBlocking(Retries(5.5L, 1.01L, 10, 0)).Error().message,
              "Recall factor must be 0 <= R <= 1");
    EXPECT_EQ(ExtendedErlangBBlocking(Retries(5.5L, -0.1L, 10, 0)).Error().field, R::Recall);
    EXPECT_EQ(ExtendedErlangBTraffic(Retries(0, 1.5L, 10, 0.1L)).Error().message, "Recall factor must be 0 <= R <= 1");
    EXPECT_EQ(ExtendedErlangBBlocking(Retries(5.5L, 0.5L, 0, 0)).Error().field, R::Channels);
    EXPECT_EQ(ExtendedErlangBChannels(Retries(0, 0.5L, 0, 0.03L)).Error().field, R::Traffic);
    EXPECT_EQ(ExtendedErlangBChannels(Retries(5.5L, 0.5L, 0, 0)).Error().field, R::Blocking);
}

} // namespace
} // namespace zandrevio
