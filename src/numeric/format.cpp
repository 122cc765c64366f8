#include "numeric/format.h"

#include <charconv>

#include "numeric/checked_math.h"
#include "numeric/decimal_separator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zandrevio {

namespace {
constexpr int kLeadingDigits = 18;

struct Digits {
    std::string digits; // significant digits, no leading zero
    int exponent;       // E with 10^(E-1) <= |x| < 10^E
};

// The 18 leading significant digits of |x|, correctly rounded (glibc's printf
// converts exactly, halves to even), denormals included.
Digits LeadingDigits(long double magnitude)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kLeadingDigits - 1, magnitude);
    // "d.ddddddddddddddddde+NNNN"
    Digits result;
    result.digits.reserve(kLeadingDigits);
    const char* p = buffer;
    for (; *p != 'e'; ++p) {
        if (*p != '.') {
            result.digits += *p;
        }
    }
    result.exponent = std::atoi(p + 1) + 1;
    return result;
}

// Cuts the digit string to `digits` places: up when the next digit is 5 or
// more, a carry out of the first digit leaving "1"; trailing zeros dropped.
void CutTo(Digits& d, int digits)
{
    const bool up = d.digits[static_cast<std::size_t>(digits)] >= '5';
    d.digits.resize(static_cast<std::size_t>(digits));
    if (up) {
        int i = digits - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits = "1";
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0') {
        d.digits.pop_back();
    }
}
} // namespace

std::string FormatGeneral(long double value, int digits)
{
    if (value == 0.0L) {
        return "0";
    }
    // What no digits can say, as the window writes it.
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0.0L ? "-INF" : "INF";
    }
    Digits d = LeadingDigits(std::fabs(value));
    CutTo(d, digits);
    const char separator = DecimalSeparator();
    const int e = d.exponent;
    const int n = static_cast<int>(d.digits.size());
    std::string text = value < 0.0L ? "-" : "";
    if (e > digits || e < -3) {
        text += d.digits[0];
        if (n > 1) {
            text += separator;
            text.append(d.digits, 1);
        }
        text += 'E';
        text += std::to_string(e - 1);
    } else if (e <= 0) {
        text += '0';
        text += separator;
        text.append(static_cast<std::size_t>(-e), '0');
        text += d.digits;
    } else {
        if (n <= e) {
            text += d.digits;
            text.append(static_cast<std::size_t>(e - n), '0');
        } else {
            text.append(d.digits, 0, static_cast<std::size_t>(e));
            text += separator;
            text.append(d.digits, static_cast<std::size_t>(e));
        }
    }
    return text;
}

std::string FormatResult(long double value)
{
    return FormatGeneral(value, 5);
}

namespace {
// The value rounded to hundredths, halves to even.
long double Hundredths(long double value)
{
    const std::int64_t hundredths = fp::Round(fp::Mul(value, 100.0L));
    return static_cast<long double>(hundredths) * 0.01L;
}
} // namespace

std::string FormatResultHundredths(long double value)
{
    return FormatResult(Hundredths(value));
}

std::string FormatFull(long double value)
{
    return FormatGeneral(value, 15);
}

std::string FormatAs(ResultFormat format, long double value, int digits)
{
    if (!std::isfinite(value)) {
        return FormatGeneral(value, 5); // no rounding or count holds it
    }
    switch (format) {
    case ResultFormat::Result:
        break;
    case ResultFormat::Hundredths:
        // Digits asked for are significant digits of the value itself.
        return digits > 0 ? FormatGeneral(value, digits) : FormatGeneral(Hundredths(value), 5);
    case ResultFormat::Full:
        return FormatGeneral(value, digits > 0 ? digits : 15);
    case ResultFormat::Whole: {
        // Counts are whole by construction; the cast is in range.
        char text[24];
        const auto end = std::to_chars(text, text + sizeof text, static_cast<long long>(value)).ptr;
        return std::string(text, end);
    }
    case ResultFormat::Text:
        break;
    case ResultFormat::Nines: {
        const int shown = digits > 0 ? digits : 5;
        const long double complement = 100.0L - value;
        if (!(complement > 0.0L) || !(value > 0.0L) || !std::isfinite(value)) {
            return FormatGeneral(value, shown);
        }
        // The value's digits down to the complement's last significant one.
        const int whole = static_cast<int>(std::floor(std::log10(value))) + 1;
        const int decimals = shown - 1 - static_cast<int>(std::floor(std::log10(complement)));
        return FormatGeneral(value, std::clamp(whole + decimals, shown, 18));
    }
    }
    return FormatGeneral(value, digits > 0 ? digits : 5);
}

} // namespace zandrevio
