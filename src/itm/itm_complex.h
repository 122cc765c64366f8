#pragma once

#include "numeric/real.h"

// The few complex steps of the Irregular Terrain Model (the ground's
// impedance and the reflection coefficient of the line-of-sight range), each
// part through fp::Real so that every step is checked as the real ones are.
namespace zandrevio::itm {

struct Complex {
    fp::Real re;
    fp::Real im;
};

inline Complex operator+(Complex a, Complex b)
{
    return {a.re + b.re, a.im + b.im};
}
inline Complex operator-(Complex a, Complex b)
{
    return {a.re - b.re, a.im - b.im};
}
inline Complex operator*(Complex a, Complex b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline Complex operator*(Complex a, fp::Real b)
{
    return {a.re * b, a.im * b};
}
// The squared modulus |z|².
inline fp::Real Norm(Complex z)
{
    return z.re * z.re + z.im * z.im;
}
inline fp::Real Abs(Complex z)
{
    return fp::Sqrt(Norm(z));
}
inline Complex operator/(Complex a, Complex b)
{
    const fp::Real n = Norm(b);
    return {(a.re * b.re + a.im * b.im) / n, (a.im * b.re - a.re * b.im) / n};
}
// The principal square root: real part never negative, the imaginary part of
// the sign of z's.
inline Complex Sqrt(Complex z)
{
    const fp::Real r = Abs(z);
    // |z| ± Re z is never below 0 but for rounding, which must not fault.
    auto half = [](fp::Real x) { return x > 0.0L ? x / 2.0L : fp::Real(0.0L); };
    const fp::Real re = fp::Sqrt(half(r + z.re));
    const fp::Real im = fp::Sqrt(half(r - z.re));
    return {re, z.im < 0.0L ? -im : im};
}

} // namespace zandrevio::itm
