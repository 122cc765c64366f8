#include "numeric/checked_math.h"

#include "numeric/app_error.h"

#include <cmath>
#include <limits>

namespace zandrevio::fp {

namespace {
[[noreturn]] void Fault(FloatingPointFaultKind kind)
{
    throw FloatingPointFault(kind);
}

// 2^63 exactly: the first value outside the signed 64-bit range.
constexpr long double kTwoTo63 = 9223372036854775808.0L;

// A logarithm of a negative number is invalid; of zero, a division by zero.
long double LogArgument(long double x)
{
    if (std::isnan(x) || x < 0.0L) {
        Fault(FloatingPointFaultKind::InvalidOperation);
    }
    if (x == 0.0L) {
        Fault(FloatingPointFaultKind::DivisionByZero);
    }
    return x;
}

std::int64_t ToInt64(long double integral)
{
    if (!(integral >= -kTwoTo63 && integral < kTwoTo63)) {
        Fault(FloatingPointFaultKind::InvalidOperation);
    }
    return static_cast<std::int64_t>(integral);
}
} // namespace

long double Checked(long double value)
{
    if (std::isnan(value)) {
        Fault(FloatingPointFaultKind::InvalidOperation);
    }
    if (std::isinf(value)) {
        Fault(FloatingPointFaultKind::Overflow);
    }
    return value;
}

long double Add(long double a, long double b)
{
    return Checked(a + b);
}

long double Sub(long double a, long double b)
{
    return Checked(a - b);
}

long double Mul(long double a, long double b)
{
    return Checked(a * b);
}

long double Div(long double a, long double b)
{
    if (b == 0.0L) {
        Fault(a == 0.0L || std::isnan(a) ? FloatingPointFaultKind::InvalidOperation
                                         : FloatingPointFaultKind::DivisionByZero);
    }
    return Checked(a / b);
}

long double Ln(long double x)
{
    return Checked(std::log(LogArgument(x)));
}

long double Log10(long double x)
{
    return Checked(std::log10(LogArgument(x)));
}

long double Sqrt(long double x)
{
    if (std::isnan(x) || x < 0.0L) {
        Fault(FloatingPointFaultKind::InvalidOperation);
    }
    return std::sqrt(x);
}

long double Exp(long double x)
{
    return Checked(std::exp(Checked(x)));
}

long double Exp10(long double x)
{
    return Checked(std::pow(10.0L, Checked(x)));
}

long double Power(long double base, long double exponent)
{
    Checked(base);
    Checked(exponent);
    if (base == 0.0L && exponent < 0.0L) {
        Fault(FloatingPointFaultKind::DivisionByZero);
    }
    return Checked(std::pow(base, exponent));
}

std::int64_t Round(long double x)
{
    // The rounding mode is to nearest, halves to even, for the whole run.
    return ToInt64(std::nearbyint(x));
}

std::int64_t Trunc(long double x)
{
    return ToInt64(std::trunc(x));
}

double StoreDouble(long double value)
{
    Checked(value);
    const double stored = static_cast<double>(value);
    if (std::isinf(stored)) {
        Fault(FloatingPointFaultKind::Overflow);
    }
    return stored;
}

} // namespace zandrevio::fp
