#pragma once

#include "numeric/checked_trig.h"
#include "numeric/real.h"

#include <numbers>

// Powers in the searches' inner steps. The x87 library's powl takes about
// half a microsecond for a fractional exponent, its expl a tenth of that, so
// a power a search works out many times goes through exp: 10^x = e^(x ln 10),
// b^x = e^(x ln b). The product's rounding moves the result by |x ln 10|
// units of the last place, far below what the methods resolve.
namespace zandrevio {

inline constexpr long double kLn10 = std::numbers::ln10_v<long double>;

inline fp::Real TenTo(fp::Real exponent)
{
    return fp::Exp(exponent * kLn10);
}

// b^x for b > 0, from ln b worked out once.
inline fp::Real PowerOfLn(fp::Real lnBase, fp::Real exponent)
{
    return fp::Exp(exponent * lnBase);
}

} // namespace zandrevio
