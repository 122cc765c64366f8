#pragma once

#include <string_view>

namespace zandrevio {

// Reads a field's text as an extended number: blanks, an optional sign,
// digits with at most one decimal separator (a lone separator reads as 0),
// an optional exponent ("E" alone means 0), blanks. The value is the extended
// number nearest to the decimal text. A text that is not a number, or whose
// value overflows the extended range, throws ConversionFailure; an underflow
// reads as a denormal or zero.
long double ParseReal(std::string_view text);
// The same with a given decimal separator in place of the user's: the
// program's own texts (start values) are written with ".".
long double ParseReal(std::string_view text, char separator);

} // namespace zandrevio
