#include "traffic/queueing.h"

#include "numeric/app_error.h"
#include "numeric/real.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zandrevio {

using fp::Real;

namespace {
constexpr long double kMostQueueTraffic = 10000.0L;
constexpr long double kMostRetryTraffic = 1000.0L;
constexpr std::int64_t kMostChannels = std::numeric_limits<std::int32_t>::max();
const char* const kRecallMessage = "Recall factor must be 0 <= R <= 1";
const char* const kNoFixedPointMessage =
    "Number of channels must be greater than the fresh traffic when every blocked call retries (R = 1): "
    "N channels carry less than N Erl, so the retries would grow without end";

using S = ServiceField;
const FieldSpec<S> kTraffic{S::Traffic, FieldKind::Real, "Traffic (Erlang)", "traffic", "10"};
const FieldSpec<S> kCalls{
    S::Calls, FieldKind::Real, "Calls per interval", "calls", "", {}, "calls offered in --interval seconds"};
const FieldSpec<S> kInterval{S::Interval, FieldKind::Real, "Interval (s)", "interval", "3600"};
const FieldSpec<S> kHandling{S::HandlingTime, FieldKind::Real, "Average handling time (s)", "handling-time", "180"};
const FieldSpec<S> kTargetTime{S::TargetTime, FieldKind::Real, "Target answer time (s)", "target-time", "20"};
const FieldSpec<S> kServers{S::Servers, FieldKind::Whole, "Servers", "servers", "14"};
const FieldSpec<S> kTargetLevel{S::TargetServiceLevel,
                                FieldKind::Real,
                                "Target service level",
                                "target-service-level",
                                "0.8",
                                {},
                                "the share of calls answered within --target-time, a fraction"};
const FieldSpec<S> kServiceFields[] = {kTraffic, kCalls, kInterval, kHandling, kTargetTime, kServers};
const FieldSpec<S> kServersFields[] = {kTraffic, kCalls, kInterval, kHandling, kTargetTime, kTargetLevel};

using R = RetryField;
const FieldSpec<R> kRetryTraffic{R::Traffic, FieldKind::Real, "Fresh traffic (Erlang)", "traffic", "5.5"};
const FieldSpec<R> kRecall{R::Recall,
                           FieldKind::Real,
                           "Recall factor",
                           "recall",
                           "0.5",
                           {},
                           "the share of blocked calls that retry, a fraction"};
const FieldSpec<R> kRetryChannels{R::Channels, FieldKind::Whole, "Number of channels", "channels", "11"};
const FieldSpec<R> kBlocking{
    R::Blocking, FieldKind::Real, "Blocking", "blocking", "0.03", {}, "the share of calls blocked, a fraction"};
const FieldSpec<R> kBlockingFields[] = {kRetryTraffic, kRecall, kRetryChannels};
const FieldSpec<R> kChannelsFields[] = {kRetryTraffic, kRecall, kBlocking};

struct Queue {
    long double traffic;
    long double handling;
    long double targetTime;
};

// Reads the traffic (or the calls and their interval), the handling time
// and the target time; the traffic of calls is A = calls h / interval.
Outcome<Queue, S> ReadQueue(const Inputs<S>& in)
{
    const bool given = in.Has(S::Traffic);
    long double traffic = 0.0L;
    Real calls = 0.0L;
    long double interval = 0.0L;
    if (given) {
        traffic = in.Real(S::Traffic);
    } else {
        calls = in.Real(S::Calls);
        interval = in.Real(S::Interval);
        if (!(interval > 0.0L)) {
            return Refusal<S>{"Interval must be greater than 0", S::Interval};
        }
    }
    const long double handling = in.Real(S::HandlingTime);
    if (!(handling > 0.0L)) {
        return Refusal<S>{"Average handling time must be greater than 0", S::HandlingTime};
    }
    if (!given) {
        traffic = (calls * handling / interval).Value();
    }
    if (!(traffic > 0.0L && traffic <= kMostQueueTraffic)) {
        return Refusal<S>{"Traffic must be 0 < A <= 10000 Erl", given ? S::Traffic : S::Calls};
    }
    const long double targetTime = in.Real(S::TargetTime);
    if (!(targetTime >= 0.0L)) {
        return Refusal<S>{"Target answer time must not be negative", S::TargetTime};
    }
    return Queue{traffic, handling, targetTime};
}

ServiceLevelResult Evaluate(const Queue& queue, std::int64_t servers)
{
    const long double n = static_cast<long double>(servers);
    const Real spare = Real(n) - queue.traffic;
    const Real waiting = ErlangCFromB(servers, queue.traffic);
    const Real level = 1.0L - waiting * fp::Exp((-spare * queue.targetTime / queue.handling).Value());
    return {static_cast<std::int32_t>(servers),
            queue.traffic,
            waiting.Value(),
            level.Value(),
            (waiting * queue.handling / spare).Value(),
            (Real(queue.traffic) / n).Value()};
}

// The smallest n in (low, high] for which `reaches` holds, `reaches(high)`
// holding and `reaches(low)` not: it grows with n.
template <typename Reaches>
std::int64_t Smallest(std::int64_t low, std::int64_t high, Reaches reaches)
{
    while (high - low > 1) {
        const std::int64_t middle = low + (high - low) / 2;
        (reaches(middle) ? high : low) = middle;
    }
    return high;
}

// The first n from `first` for which `reaches` holds: doubling steps, then
// halving back; reaches grows with n.
template <typename Reaches>
std::int64_t FirstReaching(std::int64_t first, Reaches reaches)
{
    if (reaches(first)) {
        return first;
    }
    std::int64_t low = first;
    std::int64_t step = 1;
    while (!reaches(low + step)) {
        low += step;
        step = std::min<std::int64_t>(2 * step, kMostChannels - low);
        if (step <= 0) {
            throw FloatingPointFault(FloatingPointFaultKind::Overflow);
        }
    }
    return Smallest(low, low + step, reaches);
}

// The blocking B(N, A) and the carried traffic A (1 - B) of N channels
// offered A Erl. From the recursion, 1 - B(N) = N / (N + A B(N-1)), so the
// carried traffic is A N / (N + A B(N-1)), free of the cancellation of
// 1 - B where nearly every call is blocked.
struct Carriage {
    long double blocking;
    long double carried;
};

Carriage CarriedTraffic(std::int64_t channels, long double traffic)
{
    const long double lost = traffic * ErlangBRecursion(channels - 1, traffic);
    const auto n = static_cast<long double>(channels);
    return {lost / (n + lost), (Real(traffic) * n / (n + lost)).Value()};
}

// The offered traffic with retries: the root of g(A) = A0 + R A B(N, A) - A,
// worked as g = A0 - (A (1 - B) + (1 - R) A B), the fresh traffic less the
// carried and the lost that gives up. Both grow with A, so g falls, from
// g(A0) >= 0 to g(A0 / (1 - R)) <= 0; with R = 1 it falls to A0 - N, below
// 0 only where A0 < N (the caller's to check), and the bracket's upper end
// is found by doubling. A few plain iterations settle it where little is
// lost, the Illinois form of regula falsi (bracketed, superlinear) elsewhere.
long double OfferedWithRetries(std::int64_t channels, long double fresh, long double recall)
{
    const auto excess = [&](long double a) {
        const Carriage carriage = CarriedTraffic(channels, a);
        const Real gaveUp = (1.0L - Real(recall)) * a * carriage.blocking;
        return (Real(fresh) - (carriage.carried + gaveUp)).Value();
    };
    constexpr long double kSettled = 1e-15L;
    long double a = fresh;
    for (int i = 0; i < 8; ++i) {
        const long double step = excess(a);
        a += step;
        if (std::fabs(step) <= kSettled * a) {
            return a;
        }
    }
    long double low = fresh;
    long double high = 0.0L;
    if (recall < 1.0L) {
        high = (Real(fresh) / (1.0L - recall)).Value();
    } else {
        // For large A the carried traffic is about N - N (N - 1) / A: each
        // doubling about halves its shortfall from N, so it soon exceeds
        // A0 < N.
        high = (2.0L * Real(fresh)).Value();
        while (excess(high) > 0.0L) {
            low = high;
            high = (2.0L * Real(high)).Value();
        }
    }
    long double gLow = excess(low);
    long double gHigh = excess(high);
    int side = 0;
    for (int i = 0; i < 200 && high - low > kSettled * high; ++i) {
        const long double middle = gLow == gHigh ? 0.5L * (low + high) : (low * gHigh - high * gLow) / (gHigh - gLow);
        const long double at = std::clamp(middle, low, high);
        const long double g = excess(at);
        if (g > 0.0L) {
            low = at;
            gLow = g;
            gHigh *= side == -1 ? 0.5L : 1.0L;
            side = -1;
        } else {
            high = at;
            gHigh = g;
            gLow *= side == 1 ? 0.5L : 1.0L;
            side = 1;
        }
        if (g == 0.0L) {
            return at;
        }
    }
    return 0.5L * (low + high);
}

struct Retries {
    long double fresh;
    long double recall;
};

// Reads the fresh traffic and the recall factor.
Outcome<Retries, R> ReadRetries(const Inputs<R>& in)
{
    const long double fresh = in.Real(R::Traffic);
    if (!(fresh > 0.0L && fresh <= kMostRetryTraffic)) {
        return Refusal<R>{"Traffic must be 0 < A <= 1000 Erl", R::Traffic};
    }
    const long double recall = in.Real(R::Recall);
    if (!(recall >= 0.0L && recall <= 1.0L)) {
        return Refusal<R>{kRecallMessage, R::Recall};
    }
    return Retries{fresh, recall};
}

// With every blocked call retrying the offered traffic settles only where
// the channels could carry all the fresh traffic, which they cannot at N Erl.
bool Settles(const Retries& retries, std::int64_t channels)
{
    return retries.recall < 1.0L || retries.fresh < static_cast<long double>(channels);
}

ExtendedErlangBResult Extended(const Retries& retries, std::int64_t channels)
{
    const long double offered = OfferedWithRetries(channels, retries.fresh, retries.recall);
    return {static_cast<std::int32_t>(channels), ErlangBRecursion(channels, offered), offered};
}
} // namespace

long double ErlangBRecursion(std::int64_t channels, long double traffic)
{
    // B stays in [0, 1] and A B below A: no step can overflow. Once B has
    // underflowed to 0 it stays there, so the most channels end at once.
    long double b = 1.0L;
    for (std::int64_t k = 1; k <= channels && b != 0.0L; ++k) {
        const long double lost = traffic * b;
        b = lost / (static_cast<long double>(k) + lost);
    }
    return b;
}

long double ErlangCFromB(std::int64_t channels, long double traffic)
{
    const long double b = ErlangBRecursion(channels, traffic);
    const Real n = static_cast<long double>(channels);
    return (n * b / (n - Real(traffic) * (1.0L - b))).Value();
}

const ResultSpec kServersResult{"Servers", "servers", "", ResultFormat::Whole};
const ResultSpec kQueueTrafficResult{"Traffic", "traffic", "Erl", ResultFormat::Result};
const ResultSpec kWaitingProbabilityResult{"Probability of waiting", "waiting-probability", "", ResultFormat::Result};
const ResultSpec kServiceLevelResult{"Service level", "service-level", "", ResultFormat::Result};
const ResultSpec kAverageSpeedOfAnswerResult{"Average speed of answer", "average-speed-of-answer", "s",
                                             ResultFormat::Result};
const ResultSpec kOccupancyResult{"Occupancy", "occupancy", "", ResultFormat::Result};
const ResultSpec kRetryChannelsResult{"Number of channels", "channels", "", ResultFormat::Whole};
const ResultSpec kRetryBlockingResult{"Blocking", "blocking", "", ResultFormat::Result};
const ResultSpec kRetryOfferedResult{"Offered traffic with retries", "offered-traffic", "Erl", ResultFormat::Result};
namespace {
const ResultSpec kServiceResults[] = {kServersResult,      kQueueTrafficResult,         kWaitingProbabilityResult,
                                      kServiceLevelResult, kAverageSpeedOfAnswerResult, kOccupancyResult};
const ResultSpec kRetryResults[] = {kRetryChannelsResult, kRetryBlockingResult, kRetryOfferedResult};
} // namespace
const CalculationSpec<S> kServiceLevel{"service-level", kServiceFields, kServiceResults};
const CalculationSpec<S> kServersForServiceLevel{"service-level", kServersFields, kServiceResults};
const CalculationSpec<R> kExtendedBlocking{"extended-erlang-b", kBlockingFields, kRetryResults};
const CalculationSpec<R> kExtendedChannels{"extended-erlang-b", kChannelsFields, kRetryResults};

Outcome<ServiceLevelResult, S> ServiceLevel(const Inputs<S>& in)
{
    const auto queue = ReadQueue(in);
    if (!queue.Ok()) {
        return queue.Error();
    }
    const std::int32_t servers = in.Whole(S::Servers);
    if (!(static_cast<long double>(servers) > queue.Value().traffic)) {
        return Refusal<S>{"Number of servers must be greater than the traffic", S::Servers};
    }
    return Evaluate(queue.Value(), servers);
}

Outcome<ServiceLevelResult, S> ServersForServiceLevel(const Inputs<S>& in)
{
    const auto queue = ReadQueue(in);
    if (!queue.Ok()) {
        return queue.Error();
    }
    const long double target = in.Real(S::TargetServiceLevel);
    if (!(target > 0.0L && target < 1.0L)) {
        return Refusal<S>{"Target service level must be 0 < SL < 1", S::TargetServiceLevel};
    }
    const Queue& q = queue.Value();
    const auto first = static_cast<std::int64_t>(std::floor(q.traffic)) + 1;
    const std::int64_t servers =
        FirstReaching(first, [&](std::int64_t n) { return Evaluate(q, n).serviceLevel >= target; });
    return Evaluate(q, servers);
}

Outcome<ExtendedErlangBResult, R> ExtendedErlangBBlocking(const Inputs<R>& in)
{
    const auto retries = ReadRetries(in);
    if (!retries.Ok()) {
        return retries.Error();
    }
    const std::int32_t channels = in.Whole(R::Channels);
    if (channels < 1) {
        return Refusal<R>{"Number of channels must be greater than 0", R::Channels};
    }
    if (!Settles(retries.Value(), channels)) {
        return Refusal<R>{kNoFixedPointMessage, R::Channels};
    }
    return Extended(retries.Value(), channels);
}

Outcome<ExtendedErlangBResult, R> ExtendedErlangBChannels(const Inputs<R>& in)
{
    const auto retries = ReadRetries(in);
    if (!retries.Ok()) {
        return retries.Error();
    }
    const long double target = in.Real(R::Blocking);
    if (!(target > 0.0L && target < 1.0L)) {
        return Refusal<R>{"Blocking must be 0 < B < 1", R::Blocking};
    }
    const Retries& r = retries.Value();
    // Retries only add traffic: no fewer channels than Erlang B asks of the
    // fresh traffic alone, nor (every blocked call retrying) than carry it.
    const std::int64_t first =
        std::max(FirstReaching(1, [&](std::int64_t n) { return ErlangBRecursion(n, r.fresh) < target; }),
                 r.recall < 1.0L ? std::int64_t{1} : static_cast<std::int64_t>(std::floor(r.fresh)) + 1);
    const std::int64_t channels =
        FirstReaching(first, [&](std::int64_t n) { return Extended(r, n).blocking < target; });
    return Extended(r, channels);
}

Outcome<long double, R> ExtendedErlangBTraffic(const Inputs<R>& in)
{
    const long double recall = in.Real(R::Recall);
    if (!(recall >= 0.0L && recall <= 1.0L)) {
        return Refusal<R>{kRecallMessage, R::Recall};
    }
    const std::int32_t channels = in.Whole(R::Channels);
    if (channels < 1) {
        return Refusal<R>{"Number of channels must be greater than 0", R::Channels};
    }
    const long double target = in.Real(R::Blocking);
    if (!(target > 0.0L && target < 1.0L)) {
        return Refusal<R>{"Blocking must be 0 < B < 1", R::Blocking};
    }
    // At the fixed point the blocking alone fixes the offered traffic,
    // B(N, A) = b, and the fresh traffic follows from A = A0 + R b A as
    // A0 = A (1 - R b): one root of Erlang B, which grows with A.
    const long double most =
        recall < 1.0L ? kMostRetryTraffic : std::min(kMostRetryTraffic, static_cast<long double>(channels));
    long double upper = 0.0L;
    if (Settles({most, recall}, channels)) {
        const ExtendedErlangBResult atMost = Extended({most, recall}, channels);
        if (atMost.blocking < target) {
            return Refusal<R>{"The traffic at this blocking is above 1000 Erl", R::Blocking};
        }
        upper = atMost.offeredTraffic;
    } else {
        // Every blocked call retrying and N <= 1000: B nears 1 as A grows.
        upper = static_cast<long double>(channels);
        while (ErlangBRecursion(channels, upper) < target) {
            upper = (2.0L * Real(upper)).Value();
        }
    }
    // Halves (0, upper] until its ends are neighbouring reals: the root to
    // the last bit, as the traffic page's bisection.
    long double low = 0.0L;
    long double high = upper;
    for (;;) {
        const long double middle = 0.5L * (low + high);
        if (middle == low || middle == high) {
            break;
        }
        const long double b = ErlangBRecursion(channels, middle);
        if (b == target) {
            low = high = middle;
            break;
        }
        (b < target ? low : high) = middle;
    }
    const long double offered = 0.5L * (low + high);
    return (Real(offered) * (1.0L - Real(recall) * target)).Value();
}

} // namespace zandrevio
