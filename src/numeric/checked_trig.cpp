#include "numeric/checked_trig.h"

#include "numeric/app_error.h"

#include <cmath>

namespace zandrevio::fp {

namespace {
// An inverse sine or cosine of a value past 1 (or of NaN) is invalid.
long double UnitArgument(long double x)
{
    if (!(x >= -1.0L && x <= 1.0L)) {
        throw FloatingPointFault(FloatingPointFaultKind::InvalidOperation);
    }
    return x;
}
} // namespace

long double Sin(long double x)
{
    return Checked(std::sin(Checked(x)));
}

long double Cos(long double x)
{
    return Checked(std::cos(Checked(x)));
}

long double Asin(long double x)
{
    return std::asin(UnitArgument(x));
}

long double Acos(long double x)
{
    return std::acos(UnitArgument(x));
}

long double Atan2(long double y, long double x)
{
    return Checked(std::atan2(Checked(y), Checked(x)));
}

} // namespace zandrevio::fp
