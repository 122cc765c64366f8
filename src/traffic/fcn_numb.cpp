#include "traffic/fcn_numb.h"

#include "numeric/app_error.h"
#include "numeric/real.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

enum class Probe { Below, Reached, Faulted };

// Whether the GOS at x has reached the target; a fault (the terms
// overflowing) counts as beyond, since it only grows with the traffic.
Probe ProbeAt(GosFunction gos, std::int32_t channels, long double target, long double x)
{
    try {
        return fp::Sub(gos(channels, x), target) < 0.0L ? Probe::Below : Probe::Reached;
    } catch (const FloatingPointFault&) {
        return Probe::Faulted;
    }
}
} // namespace

// The bracket of the upward scan from N in steps of 10 Erlang: the first
// x = N + 10 j whose GOS reaches the target, and the x before it (0 when the
// first x already does). The step count j is found by doubling and halving
// instead of one step at a time, which gives the same j (the GOS rises with
// the traffic) for any target, also those a plain scan would take minutes
// or forever to reach.
TrafficBracket ScanTrafficBracket(GosFunction gos, std::int32_t channels, long double target)
{
    const long double n = channels;
    const auto at = [&](long double j) { return fp::Add(n, fp::Mul(kScanStep, j)); };
    const auto probe = [&](long double j) { return ProbeAt(gos, channels, target, at(j)); };
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

long double BisectTraffic(GosFunction gos, std::int32_t channels, long double target, long double upper,
                          long double lower)
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
        const long double d = fp::Sub(gos(channels, middle), target);
        if (d == 0.0L) {
            return middle;
        }
        (d < 0.0L ? lower : upper) = middle;
    }
}

} // namespace zandrevio
