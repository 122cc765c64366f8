#pragma once

#include <cmath>
#include <cstdint>

// Checked steps of a calculation. Each one either gives the value the x87
// unit would give or throws the FloatingPointFault that the unit would have
// trapped: invalid operation, division by zero or overflow. Underflow never
// faults; it reads as a denormal or zero.
namespace zandrevio::fp {

// The fault of a step that did not finish: NaN is an invalid operation, an
// infinity an overflow.
[[noreturn]] void FaultOfResult(long double value);
// The fault of a division by zero: 0/0 and NaN/0 are invalid operations.
[[noreturn]] void FaultOfDivisionByZero(long double dividend);

// A finished step: NaN is an invalid operation, an infinity an overflow.
// The four operations are inline: the searches of the traffic models run
// them millions of times.
inline long double Checked(long double value)
{
    if (!std::isfinite(value)) [[unlikely]] {
        FaultOfResult(value);
    }
    return value;
}

inline long double Add(long double a, long double b)
{
    return Checked(a + b);
}
inline long double Sub(long double a, long double b)
{
    return Checked(a - b);
}
inline long double Mul(long double a, long double b)
{
    return Checked(a * b);
}
inline long double Div(long double a, long double b)
{
    if (b == 0.0L) [[unlikely]] {
        FaultOfDivisionByZero(a);
    }
    return Checked(a / b);
}

long double Ln(long double x);
long double Log10(long double x);
long double Sqrt(long double x);
long double Exp(long double x);
// 10 to the power x.
long double Exp10(long double x);
// base to the power exponent, for a positive base or an integral exponent.
long double Power(long double base, long double exponent);

// Rounds to the nearest integer, halves to even; outside the 64-bit range it
// is an invalid operation.
std::int64_t Round(long double x);
// Rounds towards zero, with the same range rule.
std::int64_t Trunc(long double x);

// Holds a value in double precision, as a variable of type double would.
// A value beyond the double range overflows.
double StoreDouble(long double value);

} // namespace zandrevio::fp
