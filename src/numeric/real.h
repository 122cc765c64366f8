#pragma once

#include "numeric/checked_math.h"

#include <compare>

namespace zandrevio::fp {

// A real of a formula whose every step is checked: each operator and function
// gives what the x87 unit gives, or throws the fault the unit would trap.
// Arithmetic on plain long doubles is the deliberate unchecked step; a value
// leaves the checked form only through Value().
class Real {
public:
    constexpr Real(long double value = 0.0L)
        : m_value(value)
    {
    }
    constexpr long double Value() const { return m_value; }

    friend Real operator+(Real a, Real b) { return Add(a.m_value, b.m_value); }
    friend Real operator-(Real a, Real b) { return Sub(a.m_value, b.m_value); }
    friend Real operator*(Real a, Real b) { return Mul(a.m_value, b.m_value); }
    friend Real operator/(Real a, Real b) { return Div(a.m_value, b.m_value); }
    friend Real operator-(Real a) { return -a.m_value; }
    friend constexpr auto operator<=>(Real a, Real b) { return a.m_value <=> b.m_value; }
    friend constexpr bool operator==(Real a, Real b) { return a.m_value == b.m_value; }

private:
    long double m_value;
};

inline Real Ln(Real x)
{
    return Ln(x.Value());
}
inline Real Log10(Real x)
{
    return Log10(x.Value());
}
inline Real Exp10(Real x)
{
    return Exp10(x.Value());
}
inline Real Sqrt(Real x)
{
    return Sqrt(x.Value());
}
inline Real Square(Real x)
{
    return x * x;
}
// The larger and the smaller of two (a comparison, no step that could fault).
inline Real Max(Real a, Real b)
{
    return a > b ? a : b;
}
inline Real Min(Real a, Real b)
{
    return a < b ? a : b;
}

} // namespace zandrevio::fp
