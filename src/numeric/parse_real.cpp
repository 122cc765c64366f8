#include "numeric/parse_real.h"

#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace zandrevio {

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// strtold in the C locale, whatever the process locale is.
long double StrToLongDoubleC(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return strtold_l(text.c_str(), nullptr, cLocale);
}

// The exponent stops taking digits once its value reaches this.
constexpr int kExponentStop = 500;

// Clinger's fast path for a text without an exponent: with at most 19
// significant digits the digits are an exact 64-bit integer, and with at
// most 27 after the separator the power of ten is exact too, so their
// quotient is rounded once, to the value strtold gives.
bool FastPath(std::string_view normal, long double& value)
{
    constexpr int kMostDigits = 19;
    constexpr int kMostDecimals = 27;
    std::size_t i = 0;
    const bool negative = normal[0] == '-';
    if (normal[0] == '-' || normal[0] == '+') {
        ++i;
    }
    std::uint64_t digits = 0;
    int significant = 0;
    int decimals = 0;
    bool fraction = false;
    for (; i < normal.size(); ++i) {
        const char c = normal[i];
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (!IsDigit(c)) {
            return false;
        }
        decimals += fraction ? 1 : 0;
        if (significant > 0 || c != '0') {
            if (++significant > kMostDigits) {
                return false;
            }
        }
        digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (decimals > kMostDecimals) {
        return false;
    }
    long double power = 1.0L;
    for (int k = 0; k < decimals; ++k) {
        power *= 10.0L;
    }
    const long double magnitude = static_cast<long double>(digits) / power;
    value = negative ? -magnitude : magnitude;
    return true;
}
} // namespace

long double ParseReal(std::string_view text)
{
    return ParseReal(text, DecimalSeparator());
}

long double ParseReal(std::string_view text, char separator)
{
    const auto fail = [&]() -> long double { throw ConversionFailure(std::string(text)); };
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i] == ' ') {
            ++i;
        }
    };

    // The number is rebuilt in the form strtold reads in the C locale, so
    // that the digits are rounded once, to the nearest extended value.
    std::string normal;
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        normal += text[i];
        ++i;
    }
    normal += '0';
    bool mantissa = false;
    while (i < text.size() && IsDigit(text[i])) {
        normal += text[i++];
        mantissa = true;
    }
    if (i < text.size() && text[i] == separator) {
        ++i;
        mantissa = true;
        normal += '.';
        while (i < text.size() && IsDigit(text[i])) {
            normal += text[i++];
        }
    }
    if (!mantissa) {
        return fail();
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        std::string exponent = "e";
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            exponent += text[i++];
        }
        int value = 0;
        bool digits = false;
        while (i < text.size() && IsDigit(text[i]) && value < kExponentStop) {
            value = value * 10 + (text[i] - '0');
            exponent += text[i++];
            digits = true;
        }
        if (digits) {
            normal += exponent;
        }
    }
    skipBlanks();
    if (i != text.size()) {
        return fail();
    }
    long double value = 0.0L;
    if (!FastPath(normal, value)) {
        value = StrToLongDoubleC(normal);
    }
    if (!std::isfinite(value)) {
        return fail();
    }
    return value;
}

} // namespace zandrevio
