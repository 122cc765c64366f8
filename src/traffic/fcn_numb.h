#pragma once

#include <cstdint>

// The teletraffic formulas: Erlang B, Erlang C and Poisson grades of service,
// the smallest channel counts for a target GOS, and the bisection for a
// traffic. Every sum is built from the terms A^k / k!, each from the one
// before as (t * A) / k, never from powers or factorials.
namespace zandrevio {

enum class TrafficModel { Poisson = 0, ErlangB = 1, ErlangC = 2 };

using GosFunction = long double (*)(std::int32_t channels, long double traffic);

// Blocking probability of N channels offered A Erlang.
long double ErlangBGos(std::int32_t channels, long double traffic);
// Probability of waiting of N channels offered A < N Erlang.
long double ErlangCGos(std::int32_t channels, long double traffic);
// Probability that N or more calls are present, at a Poisson mean of A.
long double PoissonGos(std::int32_t channels, long double traffic);

// The smallest N >= 1 whose Erlang B GOS is strictly below the target.
std::int32_t ErlangBChannels(long double traffic, long double target);
// The smallest N above the integer part of A whose Erlang C GOS is below it.
std::int32_t ErlangCChannels(long double traffic, long double target);
// The smallest N >= 2 whose Poisson GOS is strictly below the target.
std::int32_t PoissonChannels(long double traffic, long double target);

// A bracket of the traffic: F(N, lower) < y <= F(N, upper).
struct TrafficBracket {
    long double upper;
    long double lower;
};

// The bracket of the upward scan from N in steps of 10 Erlang: the first
// x = N + 10 j whose GOS reaches the target y, and the x before it (0 when
// N already does). A fault of the GOS at that first x is thrown.
TrafficBracket ScanTrafficBracket(GosFunction gos, std::int32_t channels, long double target);

// The traffic x with F(N, x) = y, bracketed so that F(N, lower) < y <=
// F(N, upper); halves the bracket until its ends are neighbouring reals, so
// the root comes to the last bit, whatever digits it is shown to. Only
// points strictly inside the bracket are evaluated.
long double BisectTraffic(GosFunction gos, std::int32_t channels, long double target, long double upper,
                          long double lower);

// The traffic that N channels carry at the target Erlang B GOS: the scan of
// ScanTrafficBracket, then BisectTraffic, to the bit and fault for fault,
// but without evaluating the GOS where its side of the target is proven
// beforehand (near an estimate of the root, with the rounding bounded).
long double ErlangBTraffic(std::int32_t channels, long double target);

// The Poisson probability of N or more calls at mean A, summed over the
// upper tail so that it stays accurate far below the rounding of 1 - P.
long double PoissonUpperTail(std::int32_t channels, long double traffic);

} // namespace zandrevio
