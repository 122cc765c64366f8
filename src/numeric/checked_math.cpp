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

void FaultOfResult(long double value)
{
    Fault(std::isnan(value) ? FloatingPointFaultKind::InvalidOperation : FloatingPointFaultKind::Overflow);
}

void FaultOfDivisionByZero(long double dividend)
{
    Fault(dividend == 0.0L || std::isnan(dividend) ? FloatingPointFaultKind::InvalidOperation
                                                   : FloatingPointFaultKind::DivisionByZero);
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
