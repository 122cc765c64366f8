#include "traffic/fcn_numb.h"

#include "numeric/app_error.h"
#include "numeric/real.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace zandrevio {

namespace {
// The next term of the series: t_k = (t_(k-1) * A) / k. An overflow ends
// the calculation here, as the floating-point unit would.
long double NextTerm(long double term, long double traffic, long double k)
{
    return ((fp::Real(term) * traffic) / k).Value();
}

// The terms from t_1 up to t_last added to s = 1; `term` ends as t_last.
// Once a term has underflowed to zero every later one is zero too, so the
// sum is complete there.
void SumTerms(long double traffic, std::int64_t last, long double& term, long double& sum)
{
    term = 1.0L;
    sum = 1.0L;
    for (std::int64_t k = 1; k <= last && term != 0.0L; ++k) {
        term = NextTerm(term, traffic, static_cast<long double>(k));
        sum = fp::Add(sum, term);
    }
}

// The stopping test of the searches: they stop only strictly below the
// target, so a GOS equal to it never stops them.
bool Below(long double gos, long double target)
{
    return gos < target;
}
} // namespace

// B(N, A) = (A^N / N!) / sum_(k=0..N) A^k / k!  (Erlang's loss formula)
long double ErlangBGos(std::int32_t channels, long double traffic)
{
    long double term = 0.0L;
    long double sum = 0.0L;
    SumTerms(traffic, channels, term, sum);
    return fp::Div(term, sum);
}

// C(N, A) = P / (sum_(k=0..N-1) A^k / k! + P), P = (A^N / N!) N / (N - A)  (Erlang's delay formula)
long double ErlangCGos(std::int32_t channels, long double traffic)
{
    long double term = 0.0L;
    long double sum = 0.0L;
    SumTerms(traffic, std::int64_t{channels} - 1, term, sum);
    const long double n = channels;
    const fp::Real waiting = fp::Real(NextTerm(term, traffic, n)) * (n / (fp::Real(n) - traffic));
    return (waiting / (sum + waiting)).Value();
}

// P(X >= N) = 1 - e^(-A) sum_(k=0..N-1) A^k / k!  (Poisson distribution)
long double PoissonGos(std::int32_t channels, long double traffic)
{
    long double term = 0.0L;
    long double sum = 0.0L;
    SumTerms(traffic, std::int64_t{channels} - 1, term, sum);
    const fp::Real rest = fp::Exp(-traffic);
    const long double gos = (1.0L - rest * fp::Real(sum)).Value();
    if (channels < 1 || gos >= 0.5L) {
        return gos;
    }
    // Below one half 1 - e^(-A) s cancels (to nothing below about 1e-19):
    // P(X >= N) = e^(-A) sum_(k>=N) A^k / k! instead, the same terms on
    // from t_(N-1). Beyond the median, so N > A - 1: the terms fall once
    // k > A, and the sum ends where they no longer change it.
    long double tail = 0.0L;
    for (std::int64_t k = channels; term != 0.0L; ++k) {
        term = NextTerm(term, traffic, static_cast<long double>(k));
        const long double grown = fp::Add(tail, term);
        if (grown == tail && static_cast<long double>(k) > traffic) {
            break;
        }
        tail = grown;
    }
    return (rest * fp::Real(tail)).Value();
}

std::int32_t ErlangBChannels(long double traffic, long double target)
{
    long double term = 1.0L;
    long double sum = 1.0L;
    std::int32_t k = 0;
    do {
        ++k;
        term = NextTerm(term, traffic, k);
        sum = fp::Add(sum, term);
    } while (!Below(fp::Div(term, sum), target));
    return k;
}

std::int32_t ErlangCChannels(long double traffic, long double target)
{
    const std::int64_t whole = fp::Trunc(traffic);
    long double term = 0.0L;
    long double sum = 0.0L;
    SumTerms(traffic, whole, term, sum);
    // The terms below `whole` may have underflowed already; then t_whole is 0.
    std::int64_t k = whole;
    long double waiting = 0.0L;
    long double all = 0.0L;
    do {
        ++k;
        const auto n = static_cast<long double>(k);
        term = NextTerm(term, traffic, n);
        waiting = ((n * fp::Real(term)) / (fp::Real(n) - traffic)).Value();
        all = fp::Add(sum, waiting);
        sum = fp::Add(sum, term);
    } while (!Below(fp::Div(waiting, all), target));
    if (k > std::numeric_limits<std::int32_t>::max()) {
        throw FloatingPointFault(FloatingPointFaultKind::InvalidOperation);
    }
    return static_cast<std::int32_t>(k);
}

long double PoissonUpperTail(std::int32_t channels, long double traffic)
{
    if (channels <= 0) {
        return 1.0L;
    }
    if (traffic == 0.0L) {
        return 0.0L;
    }
    // t_N = e^(-A) A^N / N!, then t_(N+j) / t_N = prod A / (N + i): a series
    // whose ratios fall below 1 once N + i exceeds A.
    const long double n = channels;
    const long double first = std::exp(n * std::log(traffic) - std::lgamma(n + 1.0L) - traffic);
    long double ratio = 1.0L;
    long double series = 1.0L;
    for (long double i = 1.0L;; i += 1.0L) {
        ratio = ratio * traffic / (n + i);
        series += ratio;
        if (n + i > traffic && ratio < series * 1e-21L) {
            break;
        }
    }
    return first * series;
}

namespace {
// The count that the running sum or the upper tail found, settled on the
// Poisson GOS itself: the smallest N >= 2 whose PoissonGos is below the
// target. Their last bits may differ from it, and so the count by one where
// the target equals a GOS the traffic page shows; a step or two at most.
std::int32_t SettledOnTheGos(std::int64_t n, long double traffic, long double target)
{
    const auto below = [&](std::int64_t count) {
        if (count > std::numeric_limits<std::int32_t>::max()) {
            throw FloatingPointFault(FloatingPointFaultKind::InvalidOperation);
        }
        return Below(PoissonGos(static_cast<std::int32_t>(count), traffic), target);
    };
    while (n > 2 && below(n - 1)) {
        --n;
    }
    while (!below(n)) {
        ++n;
    }
    return static_cast<std::int32_t>(n);
}
} // namespace

std::int32_t PoissonChannels(long double traffic, long double target)
{
    // While the GOS is at least one half, 1 - e^(-A) s is the GOS itself
    // (PoissonGos forms it so there, step for step).
    const long double rest = fp::Exp(-traffic);
    long double term = 1.0L;
    long double sum = 1.0L;
    std::int64_t k = 0;
    for (;;) {
        ++k;
        term = NextTerm(term, traffic, static_cast<long double>(k));
        sum = fp::Add(sum, term);
        // The GOS of k + 1 channels.
        const long double gos = fp::Sub(1.0L, fp::Mul(rest, sum));
        if (Below(gos, target)) {
            return SettledOnTheGos(k + 1, traffic, target);
        }
        if (gos < 0.5L) {
            break;
        }
    }
    // Past the median 1 - e^(-A) s cancels towards a rounding residue, which
    // may even fall below 0 and so below any target: find the smallest N
    // above k on the accurate upper tail instead, growing past it and
    // halving back, and settle it on the GOS itself.
    const auto below = [&](std::int64_t count) {
        if (count > std::numeric_limits<std::int32_t>::max()) {
            throw FloatingPointFault(FloatingPointFaultKind::InvalidOperation);
        }
        return PoissonUpperTail(static_cast<std::int32_t>(count), traffic) < target;
    };
    std::int64_t low = k;
    std::int64_t step = 1;
    std::int64_t high = low + step;
    while (!below(high)) {
        low = high;
        step *= 2;
        high = low + step;
    }
    while (high - low > 1) {
        const std::int64_t mid = low + (high - low) / 2;
        (below(mid) ? high : low) = mid;
    }
    return SettledOnTheGos(high, traffic, target);
}

namespace {
// The upward scan for a bracket steps 10 Erlang at a time.
constexpr long double kScanStep = 10.0L;

// Traffics whose GOS is proven, without evaluating it, to lie strictly below
// the target (from belowFrom to belowTo) or strictly above it (from aboveFrom
// to aboveTo), and to be reached without a fault. A scan or a halving takes
// the decision it would have taken at such a point without the evaluation;
// at every other point it evaluates. The plain searches know no such points.
struct Settled {
    long double belowFrom = 1.0L;
    long double belowTo = 0.0L;
    long double aboveFrom = 1.0L;
    long double aboveTo = 0.0L;

    bool Below(long double x) const { return x >= belowFrom && x <= belowTo; }
    bool Above(long double x) const { return x >= aboveFrom && x <= aboveTo; }
};

enum class Probe { Below, Reached, Faulted };

// Whether the GOS at x has reached the target; a fault (the terms
// overflowing) counts as beyond, since it only grows with the traffic.
Probe ProbeAt(GosFunction gos, std::int32_t channels, long double target, long double x, const Settled& settled)
{
    if (settled.Below(x)) {
        return Probe::Below;
    }
    if (settled.Above(x)) {
        return Probe::Reached;
    }
    try {
        return fp::Sub(gos(channels, x), target) < 0.0L ? Probe::Below : Probe::Reached;
    } catch (const FloatingPointFault&) {
        return Probe::Faulted;
    }
}

// The bracket of the upward scan from N in steps of 10 Erlang: the first
// x = N + 10 j whose GOS reaches the target, and the x before it (0 when the
// first x already does). The step count j is found by doubling and halving
// instead of one step at a time, which gives the same j (the GOS rises with
// the traffic) for any target, also those a plain scan would take minutes
// or forever to reach.
TrafficBracket Scan(GosFunction gos, std::int32_t channels, long double target, const Settled& settled)
{
    const long double n = channels;
    const auto at = [&](long double j) { return fp::Add(n, fp::Mul(kScanStep, j)); };
    const auto probe = [&](long double j) { return ProbeAt(gos, channels, target, at(j), settled); };
    const Probe first = probe(0.0L);
    if (first == Probe::Reached) {
        return {n, 0.0L};
    }
    long double low = 0.0L;
    long double high = 0.0L;
    Probe last = first;
    if (first == Probe::Below) {
        // Double the step count until the target is reached, then halve the
        // gap down to neighbouring step counts.
        long double step = 1.0L;
        high = 1.0L;
        while ((last = probe(high)) == Probe::Below) {
            low = high;
            step *= 2.0L;
            high = low + step;
        }
        while (high - low > 1.0L) {
            const long double middle = std::floor((low + high) * 0.5L);
            if (middle == low || middle == high) {
                break;
            }
            const Probe found = probe(middle);
            if (found == Probe::Below) {
                low = middle;
            } else {
                high = middle;
                last = found;
            }
        }
    }
    if (last == Probe::Faulted) {
        gos(channels, at(high)); // the fault the scan runs into here
    }
    return {at(high), high == 0.0L ? 0.0L : at(low)};
}

long double Bisect(GosFunction gos, std::int32_t channels, long double target, long double upper, long double lower,
                   const Settled& settled)
{
    // Each halving leaves a strictly narrower bracket, so the loop ends: after
    // some 64 halvings past the root's leading bit, and never after more than
    // the span of the long double exponents (about 33000).
    for (;;) {
        const long double middle = ((fp::Real(upper) + lower) * 0.5L).Value();
        // Neighbouring reals: no digit of any display can change any more.
        if (middle == upper || middle == lower) {
            return middle;
        }
        if (settled.Below(middle)) {
            lower = middle;
            continue;
        }
        if (settled.Above(middle)) {
            upper = middle;
            continue;
        }
        const long double d = fp::Sub(gos(channels, middle), target);
        if (d == 0.0L) {
            return middle;
        }
        (d < 0.0L ? lower : upper) = middle;
    }
}

// The settled traffics of the Erlang B search.
//
// The computed GOS. ErlangBGos forms t_k = fl(fl(t_(k-1) A) / k) and
// s_k = fl(s_(k-1) + t_k) from t_0 = s_0 = 1, then G = fl(t_N / s_N). With
// u = 2^-64 (the x87 unit rounds its 64-bit significands to nearest) and
// every intermediate a normal number, each step is exact times (1 + d),
// |d| <= u. Then t_k / t_N carries 2 (N - k) such factors (inverted) and the
// sum s_(max(k,1))..s_N another N - max(k,1) + 1 over term k: at most
// n_k = 3 (N - k) + 1 in all. So 1 / G = sum_k w_k f_k / B with the exact
// weights w_k = t_k / sum t and each f_k within (1 - u)^(-+n_k), hence
// |sum w_k f_k - 1| <= u (3 N + 1 - 3 sum k w_k) / (1 - (3 N + 1) u). The
// mean sum k w_k of the Poisson law cut off at N is A (1 - B), the carried
// traffic, so with S = N - A (1 - B) and the division's own rounding
//     |G / B - 1| <= e(A) = (3 S + 2) u (1 + 2^-20)      (N <= 11000).
// S is also the slope d ln B / d ln A. The carried traffic grows with A (its
// derivative in ln A is the variance of that law), between 0 and 1 in A
// itself (dS/dA = -(1 - B (1 + S))), so S falls as A grows but stays > 0.
//
// Above: for x >= b, G(x) >= B(x) (1 - e(b)) > B(b) (1 - e(b)) >=
// G(b) (1 - e(b)) / (1 + e(b)) >= target once G(b) >= target (1 + 3 e(b)).
// Below: H(x) = ln B(x) + e(x) has dH/d ln x = S(x) + 3.0001 u x dS/dx >=
// S(x) - 3.0001 u x >= S(a) - 3.0001 u a > 0 for x <= a when S(a) > 8 u a,
// so for x < a, ln G(x) <= H(x) < H(a) <= ln G(a) - ln(1 - e(a)) + e(a):
// below the target once G(a) <= target (1 - 3 e(a)). (The 3 e rather than
// the 2 e + O(e^2) needed leaves room for the rounding of the margins.)
//
// No intermediate is subnormal from a / 2 on: the terms A^k / k! rise then
// fall in k, so each is at least min(A, A^N / N!) >= min(a / 2, 2^-N B(a)),
// and every product fl(t A) is at least t_k; none overflows up to 11000 Erl,
// where all terms stay below e^11000 < 10^4778 (products below 10^4783).

// The unit roundoff of the x87 unit.
constexpr long double kRoundoff = 0x1p-64L;
// Traffics at most this: no term, product or sum of the GOS overflows.
constexpr long double kFiniteTraffic = 11000.0L;
// The channel counts searched with settled points; above 11350 the GOS at
// N itself overflows, so the scan's first probe already faults.
constexpr std::int32_t kSettledChannels = 11000;
// The least binary exponent of a normal long double (2^-16382), with room.
constexpr int kNormalExponent = std::numeric_limits<long double>::min_exponent - 1 + 8;

// The slope S = N - A + A B(A) within [low, high], B from the computed GOS g.
struct SlopeBounds {
    long double low;
    long double high;
};

SlopeBounds SlopeAt(long double n, long double x, long double g)
{
    // |G / B - 1| <= (3 N + 2) u (1 + 2^-20): S <= N at any traffic.
    const long double worst = (3.0L * n + 2.0L) * kRoundoff * 1.001L;
    const long double free = n - x;
    const long double carried = x * g;
    const long double slope = free + carried;
    // Three roundings of at most u (|N - x| + x g) each, and B against G.
    const long double slack = 8.0L * kRoundoff * (std::fabs(free) + carried) + 2.0L * worst * carried;
    return {slope - slack, slope + slack};
}

// e(x) for a slope at most `high`; the 4 u rather than 2 u covers the
// rounding of the margins 1 -+ 3 e formed from it.
long double RelativeError(long double high)
{
    return (3.0L * high + 4.0L) * kRoundoff * (1.0L + 0x1p-20L);
}

// No intermediate of the GOS at any traffic from x / 2 on is subnormal,
// given its computed GOS g at x (B(x) >= g / 2, A^N / N! >= B).
bool NormalFrom(long double x, long double g, long double n)
{
    return std::ilogb(x) - 1 >= kNormalExponent && std::ilogb(g) - n - 2.0L >= kNormalExponent;
}

// 1 / B(N, x) by 1 / B_k = 1 + (k / x) / B_(k-1), two steps at a time
// (r_k = (1 + c_k) + c_k c_(k-1) r_(k-2) with c_k = k / x) so that the
// chain of dependent operations is half as long; in plain arithmetic, for
// an estimate only.
long double ReciprocalErlangB(std::int32_t channels, long double x)
{
    const long double inverse = 1.0L / x;
    long double reciprocal = 1.0L;
    std::int32_t k = 1;
    if (channels % 2 != 0) {
        reciprocal += inverse;
        k = 2;
    }
    for (; k < channels; k += 2) {
        const long double first = static_cast<long double>(k) * inverse;
        const long double second = static_cast<long double>(k + 1) * inverse;
        reciprocal = (1.0L + second) + (second * first) * reciprocal;
    }
    return reciprocal;
}

// An estimate of the Erlang B root by Halley's method in L = ln A on
// f = ln B - ln y: f' = S = N - A + A B and f'' = -A (1 - B (1 + S)). ln B
// is concave in ln A (S falls), so the iterates cannot run off; a step
// below 2^-24 leaves an error of the order of its cube, under the rounding.
// Nothing rests on the estimate's accuracy: the settled points prove
// themselves. Not a number when it does not settle.
long double EstimateErlangBRoot(std::int32_t channels, long double target)
{
    const long double n = channels;
    const long double goal = std::log(target);
    long double x = n;
    for (int i = 0; i < 40; ++i) {
        const long double reciprocal = ReciprocalErlangB(channels, x);
        const long double b = 1.0L / reciprocal;
        const long double slope = n - x + x * b;
        const long double f = -std::log(reciprocal) - goal;
        const long double bend = -x * (1.0L - b * (1.0L + slope));
        long double step = 2.0L * f * slope / (2.0L * slope * slope - f * bend);
        // Far from the root, Newton's step: it never overshoots from below.
        if (!(std::fabs(step) < 1.0L)) {
            step = f / slope;
        }
        if (!std::isfinite(step) || !(slope > 0.0L)) {
            break;
        }
        x *= std::exp(-std::clamp(step, -8.0L, 8.0L));
        // A root beyond the traffics that can be settled: no use going on.
        if (i > 0 && x > kFiniteTraffic) {
            break;
        }
        if (std::fabs(step) < 0x1p-24L) {
            return x;
        }
    }
    return std::numeric_limits<long double>::quiet_NaN();
}

// ErlangBGos at two traffics at once: the same steps in the same order on
// each, interleaved so that the unit works on both chains together. Between
// 0 and kFiniteTraffic no step can fault (the terms stay finite, the sum at
// least 1) and a term that has underflowed to 0 stays 0, adding nothing, so
// both values are those ErlangBGos gives, to the bit.
std::pair<long double, long double> ErlangBGosPair(std::int32_t channels, long double x, long double y)
{
    long double termX = 1.0L;
    long double sumX = 1.0L;
    long double termY = 1.0L;
    long double sumY = 1.0L;
    for (std::int32_t k = 1; k <= channels; ++k) {
        const auto count = static_cast<long double>(k);
        termX = (termX * x) / count;
        termY = (termY * y) / count;
        sumX = sumX + termX;
        sumY = sumY + termY;
    }
    return {termX / sumX, termY / sumY};
}

Settled SettleErlangB(std::int32_t channels, long double target)
{
    Settled settled;
    // A target so small that the GOS near its root has subnormal steps (see
    // NormalFrom) is left to the plain search.
    if (channels < 1 || channels > kSettledChannels || !(target < 1.0L) || !(target > 0.0L) ||
        std::ilogb(target) - channels - 4 < kNormalExponent) {
        return settled;
    }
    const long double root = EstimateErlangBRoot(channels, target);
    if (!(root > 0.0L && root < kFiniteTraffic)) {
        return settled;
    }
    const long double n = channels;
    // The slope at the root, and the margin of each side in ln B: a little
    // over the 3 e the proof needs on top of e, in the relative traffic.
    const long double slope = n - root + root * target;
    if (!(slope > 0.0L)) {
        return settled;
    }
    const long double margin = 5.0L * RelativeError(slope) / slope + 8.0L * kRoundoff;
    try {
        // The first pair of points, evaluated together.
        long double a = root * (1.0L - margin);
        long double b = root * (1.0L + margin);
        long double ga = 0.0L;
        long double gb = 0.0L;
        if (b <= kFiniteTraffic) {
            std::tie(ga, gb) = ErlangBGosPair(channels, a, b);
        } else {
            ga = ErlangBGos(channels, a);
        }
        // Below: the first a under the root that proves itself, widening.
        for (long double width = margin;;) {
            const SlopeBounds s = SlopeAt(n, a, ga);
            if (!NormalFrom(a, ga, n) || !(s.low > 8.0L * kRoundoff * a)) {
                break;
            }
            if (ga <= target * (1.0L - 3.0L * RelativeError(s.high))) {
                settled.belowFrom = std::min(a * 0.5L, n);
                settled.belowTo = a;
                break;
            }
            width *= 8.0L;
            if (width >= 0.25L) {
                break;
            }
            a = root * (1.0L - width);
            ga = ErlangBGos(channels, a);
        }
        // Above: likewise the first b over the root.
        for (long double width = margin; b <= kFiniteTraffic;) {
            const SlopeBounds s = SlopeAt(n, b, gb);
            if (!NormalFrom(b, gb, n) || !(s.low > 0.0L)) {
                break;
            }
            if (gb >= target * (1.0L + 3.0L * RelativeError(s.high))) {
                settled.aboveFrom = b;
                settled.aboveTo = kFiniteTraffic;
                break;
            }
            width *= 8.0L;
            b = root * (1.0L + width);
            if (width >= 0.25L || b > kFiniteTraffic) {
                break;
            }
            gb = ErlangBGos(channels, b);
        }
    } catch (const FloatingPointFault&) {
        return Settled{};
    }
    return settled;
}
} // namespace

TrafficBracket ScanTrafficBracket(GosFunction gos, std::int32_t channels, long double target)
{
    return Scan(gos, channels, target, Settled{});
}

long double BisectTraffic(GosFunction gos, std::int32_t channels, long double target, long double upper,
                          long double lower)
{
    return Bisect(gos, channels, target, upper, lower, Settled{});
}

long double ErlangBTraffic(std::int32_t channels, long double target)
{
    const Settled settled = SettleErlangB(channels, target);
    const TrafficBracket bracket = Scan(ErlangBGos, channels, target, settled);
    return Bisect(ErlangBGos, channels, target, bracket.upper, bracket.lower, settled);
}

} // namespace zandrevio
