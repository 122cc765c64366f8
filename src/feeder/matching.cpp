#include "feeder/matching.h"

#include "numeric/checked_math.h"

namespace zandrevio {

namespace {
const char* const kVswrMessage = "VSWR must be greater than 1";

// Gamma = (S - 1) / (S + 1), the reflection of a VSWR S.
long double Reflection(long double vswr)
{
    return fp::Div(fp::Sub(vswr, 1.0L), fp::Add(vswr, 1.0L));
}
} // namespace

// S = (sqrt(Pf) + sqrt(Pr)) / (sqrt(Pf) - sqrt(Pr))
Outcome<long double> VswrFromPowers(const RealReader& forwardW, const RealReader& reflectedW)
{
    const long double a = fp::Sqrt(forwardW());
    const long double b = fp::Sqrt(reflectedW());
    if (b >= a) {
        return Failure{"Forward power must be greater than reflected"};
    }
    return fp::Div(a + b, a - b);
}

// Gamma_a = Gamma_m * 10^(L / 10): the reflection seen through the feeder
// loses the loss twice, once each way.
Outcome<long double> CorrectedAntennaVswr(const RealReader& measuredVswr, const RealReader& feederLossDb)
{
    const long double measured = measuredVswr();
    if (measured < 1.0L) {
        return Failure{kVswrMessage};
    }
    const long double atFeeder = Reflection(measured);
    const long double atAntenna = fp::Mul(atFeeder, fp::Exp10(fp::Mul(0.1L, feederLossDb())));
    if (atAntenna >= 1.0L) {
        return Failure{"Your VSWR measurement was wrong", kWrongMeasurement};
    }
    return fp::Div(atAntenna + 1.0L, 1.0L - atAntenna);
}

// Shorted far end: Gamma = 10^(-2 L / 20), so L = -10 log10(Gamma).
Outcome<long double> CableLossFromShortVswr(long double shortVswr)
{
    if (!(shortVswr > 1.0L)) {
        return Failure{kVswrMessage};
    }
    return -10.0L * fp::Log10(Reflection(shortVswr));
}

// Return loss 20 log10(Gamma), shown negative.
Outcome<double> ReflectionFromVswr(long double vswr, ReflectionOutput output)
{
    const double s = fp::StoreDouble(vswr);
    if (!(s > 1.0)) {
        return Failure{kVswrMessage};
    }
    double x = fp::StoreDouble(Reflection(s));
    if (output == ReflectionOutput::ReturnLoss) {
        x = fp::StoreDouble(20.0L * fp::Log10(x));
    }
    // To four decimals: N * 0.0001 with N = round(x * 10000), kept in double.
    return fp::StoreDouble(static_cast<long double>(fp::Round(fp::Mul(x, 10000.0L))) * 0.0001L);
}

} // namespace zandrevio
