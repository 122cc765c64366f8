#pragma once

#include <string>

namespace zandrevio::test {

// An independent reference for the formatters: the exact decimal expansion of
// a finite long double, computed with plain big-integer arithmetic, and the
// general number text derived from it.
struct DecimalDigits {
    std::string digits; // significant digits, no leading zero
    int exponent;       // E with 10^(E-1) <= |x| < 10^E
};

// All significant digits of |x| (x != 0), exactly.
DecimalDigits ExactDecimal(long double x);

// The 18 leading digits, rounded to nearest with halves to even.
DecimalDigits RoundTo18(const DecimalDigits& exact);

// The general number text with `digits` significant digits and "." as the
// separator, built from the exact expansion.
std::string ReferenceGeneral(long double x, int digits);

} // namespace zandrevio::test
