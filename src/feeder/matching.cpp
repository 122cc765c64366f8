#include "feeder/matching.h"

#include "numeric/real.h"

namespace zandrevio {

using fp::Real;
using Field = MatchingField;

namespace {
const char* const kVswrMessage = "VSWR must be greater than 1";

const FieldSpec<Field> kPowerFields[] = {
    {Field::Forward, FieldKind::Real, "Forward power (W)", "forward", "10"},
    {Field::Reflected, FieldKind::Real, "Reflected power (W)", "reflected", "0"},
};
const FieldSpec<Field> kCorrectionFields[] = {
    {Field::MeasuredVswr, FieldKind::Real, "Measured VSWR", "vswr", "2"},
    {Field::FeederLoss, FieldKind::Real, "Feeder Loss (dB)", "feeder-loss", "0"},
};
const FieldSpec<Field> kShortFields[] = {
    {Field::ShortVswr, FieldKind::Real, "Short VSWR", "vswr", "3"},
};
const FieldSpec<Field> kReflectionFields[] = {
    {Field::Vswr, FieldKind::Real, "VSWR", "vswr", "3"},
    {Field::Output, FieldKind::Choice, "VSWR as", "output", "Ref Coef", kReflectionOutputs},
};

// Gamma = (S - 1) / (S + 1), the reflection of a VSWR S.
Real Reflection(Real vswr)
{
    return (vswr - 1.0L) / (vswr + 1.0L);
}
} // namespace

const ResultSpec kVswrResult{"VSWR", "vswr", "", ResultFormat::Result};
const ResultSpec kAntennaVswrResult{"Corrected VSWR", "vswr", "", ResultFormat::Result};
const ResultSpec kShortLossResult{"Cable Loss", "loss", "dB", ResultFormat::Hundredths};
const ResultSpec kReflectionResult{"Reflection Coefficients", "reflection", "", ResultFormat::Result};
const CalculationSpec<Field> kVswrFromPowers{"vswr", kPowerFields, {&kVswrResult, 1}};
const CalculationSpec<Field> kCorrectedAntennaVswr{"corrected-vswr", kCorrectionFields, {&kAntennaVswrResult, 1}};
const CalculationSpec<Field> kCableLossFromShortVswr{"short-vswr", kShortFields, {&kShortLossResult, 1}};
const CalculationSpec<Field> kReflectionFromVswr{"reflection", kReflectionFields, {&kReflectionResult, 1}};

// S = (sqrt(Pf) + sqrt(Pr)) / (sqrt(Pf) - sqrt(Pr))
Outcome<long double, Field> VswrFromPowers(const Inputs<Field>& in)
{
    const long double forward = in.Real(Field::Forward);
    if (!(forward >= 0.0L)) {
        return Refusal<Field>{"Forward power must not be negative", Field::Forward};
    }
    const Real a = fp::Sqrt(forward);
    const long double reflected = in.Real(Field::Reflected);
    if (!(reflected >= 0.0L)) {
        return Refusal<Field>{"Reflected power must not be negative", Field::Reflected};
    }
    const Real b = fp::Sqrt(reflected);
    if (b >= a) {
        return Refusal<Field>{"Forward power must be greater than reflected", Field::Forward};
    }
    return ((a + b) / (a - b)).Value();
}

// Gamma_a = Gamma_m * 10^(L / 10): the reflection seen through the feeder
// loses the loss twice, once each way.
Outcome<long double, Field> CorrectedAntennaVswr(const Inputs<Field>& in)
{
    const Real measured = in.Real(Field::MeasuredVswr);
    if (measured < 1.0L) {
        return Refusal<Field>{kVswrMessage, Field::MeasuredVswr};
    }
    const Real atFeeder = Reflection(measured);
    const Real atAntenna = atFeeder * fp::Exp10(0.1L * Real(in.Real(Field::FeederLoss)));
    if (atAntenna >= 1.0L) {
        return Refusal<Field>{"Your VSWR measurement was wrong", Field::MeasuredVswr, false};
    }
    return ((atAntenna + 1.0L) / (1.0L - atAntenna)).Value();
}

// Shorted far end: Gamma = 10^(-2 L / 20), so L = -10 log10(Gamma).
Outcome<long double, Field> CableLossFromShortVswr(const Inputs<Field>& in)
{
    const Real shortVswr = in.Real(Field::ShortVswr);
    if (!(shortVswr > 1.0L)) {
        return Refusal<Field>{kVswrMessage, Field::ShortVswr};
    }
    return (-10.0L * fp::Log10(Reflection(shortVswr))).Value();
}

// Return loss 20 log10(Gamma), shown negative.
Outcome<double, Field> ReflectionFromVswr(const Inputs<Field>& in)
{
    const double s = fp::StoreDouble(in.Real(Field::Vswr));
    const auto output = in.Choice<ReflectionOutput>(Field::Output);
    if (!(s > 1.0)) {
        return Refusal<Field>{kVswrMessage, Field::Vswr};
    }
    double x = fp::StoreDouble(Reflection(s).Value());
    if (output == ReflectionOutput::ReturnLoss) {
        x = fp::StoreDouble(20.0L * fp::Log10(x));
    }
    // To four decimals: N * 0.0001 with N = round(x * 10000), kept in double.
    return fp::StoreDouble(static_cast<long double>(fp::Round(fp::Mul(x, 10000.0L))) * 0.0001L);
}

} // namespace zandrevio
