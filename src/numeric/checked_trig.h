#pragma once

#include "numeric/real.h"

// The checked trigonometry of the geometric calculations (great circles, the
// cube-root solution of the smooth-earth diffraction), and the exponential
// and power of a Real: each step gives what the library gives or throws the
// fault an x87 unit would trap.
namespace zandrevio::fp {

long double Sin(long double x);
long double Cos(long double x);
// An argument outside [-1, 1] is an invalid operation.
long double Asin(long double x);
long double Acos(long double x);
long double Atan2(long double y, long double x);

inline Real Sin(Real x)
{
    return Sin(x.Value());
}
inline Real Cos(Real x)
{
    return Cos(x.Value());
}
inline Real Asin(Real x)
{
    return Asin(x.Value());
}
inline Real Acos(Real x)
{
    return Acos(x.Value());
}
inline Real Atan2(Real y, Real x)
{
    return Atan2(y.Value(), x.Value());
}
inline Real Exp(Real x)
{
    return Exp(x.Value());
}
inline Real Power(Real base, Real exponent)
{
    return Power(base.Value(), exponent.Value());
}

} // namespace zandrevio::fp
