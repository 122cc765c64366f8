#pragma once

#include <string>

namespace zandrevio {

// The general number text of a finite value with `digits` significant digits,
// written with the current decimal separator: plain for decimal exponents from
// -3 to `digits`, scientific ("1.2346E5", "2.5E-7") otherwise.
std::string FormatGeneral(long double value, int digits);

// 5 significant digits: every result label.
std::string FormatResult(long double value);
// Rounded to hundredths (halves to even) first, then FormatResult. A value
// whose hundredths leave the 64-bit range is an invalid operation.
std::string FormatResultHundredths(long double value);
// 15 significant digits: the fields the program writes back.
std::string FormatFull(long double value);

// The ways a result is written: 5 digits, to hundredths first, 15 digits, a
// whole number as a spin field shows it, or a text (a band's name).
// Nines: a percentage near 100 (an availability) with as many decimals as
// show its complement to 100 (the outage) to 5 significant digits.
enum class ResultFormat { Result, Hundredths, Full, Whole, Text, Nines };
// `digits` significant digits in place of the format's own 5 or 15; 0 keeps them.
std::string FormatAs(ResultFormat format, long double value, int digits = 0);

} // namespace zandrevio
