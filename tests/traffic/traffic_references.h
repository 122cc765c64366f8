#pragma once

#include <cmath>

// References the traffic tests share: Erlang C from an Erlang B value, and
// the Poisson tail summed directly. Each test file brings its own Erlang B.
namespace zandrevio::test {

// C = N B / (N - A (1 - B))
inline long double ErlangCFromB(int n, long double a, long double b)
{
    return n * b / (n - a * (1.0L - b));
}

// 1 - e^(-A) sum_(k<N) A^k / k!
inline long double ReferencePoisson(int n, long double a)
{
    long double term = std::exp(-a);
    long double below = 0.0L;
    for (int k = 0; k < n; ++k) {
        below += term;
        term = term * a / (k + 1);
    }
    return 1.0L - below;
}

} // namespace zandrevio::test
