#include "numeric/parse_real.h"

#include "numeric/app_error.h"
#include "numeric/decimal_separator.h"

#include <clocale>
#include <cmath>
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
} // namespace

long double ParseReal(std::string_view text)
{
    const auto fail = [&]() -> long double { throw ConversionFailure(std::string(text)); };
    const char separator = DecimalSeparator();
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
    const long double value = StrToLongDoubleC(normal);
    if (!std::isfinite(value)) {
        return fail();
    }
    return value;
}

} // namespace zandrevio
