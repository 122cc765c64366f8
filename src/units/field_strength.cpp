#include "units/field_strength.h"

#include "numeric/checked_math.h"

#include <limits>

namespace zandrevio {

namespace {
// E (V/m) at f (MHz) gives V = E K / f across the receiver input.
constexpr long double kAntennaConstant = 39.3924L;
constexpr long double kMicro = 1e-6L;

bool IsLinear(FieldStrengthUnit unit)
{
    return static_cast<int>(unit) <= static_cast<int>(FieldStrengthUnit::MicroVPerM);
}

// Volts across Z from a field strength in uV/m.
long double VoltsFromField(long double microVoltsPerMetre, double frequencyMHz)
{
    return fp::Div(fp::Mul(fp::Mul(microVoltsPerMetre, kMicro), kAntennaConstant), frequencyMHz);
}

long double PowerFromVolts(long double volts, double impedanceOhm)
{
    return fp::Div(fp::Mul(volts, volts), impedanceOhm);
}

long double Watts(long double x, FieldStrengthUnit from, double z, double f)
{
    switch (from) {
    case FieldStrengthUnit::W:
        return x;
    case FieldStrengthUnit::MilliW:
        return fp::Mul(x, 0.001L);
    case FieldStrengthUnit::MicroV:
        return fp::Div(fp::Mul(fp::Mul(x, x), 1e-12L), z);
    case FieldStrengthUnit::MicroVPerM:
        return PowerFromVolts(VoltsFromField(x, f), z);
    case FieldStrengthUnit::DBm:
        return fp::Mul(fp::Exp10(fp::Mul(0.1L, x)), 0.001L);
    case FieldStrengthUnit::DBMicroV:
        return PowerFromVolts(fp::Mul(fp::Exp10(fp::Mul(0.05L, x)), kMicro), z);
    case FieldStrengthUnit::DBMicroVPerM:
        return PowerFromVolts(VoltsFromField(fp::Exp10(fp::Mul(0.05L, x)), f), z);
    }
    return x;
}

long double FromWatts(long double p, FieldStrengthUnit to, double z, double f)
{
    // Microvolts across Z, and microvolts per metre at f.
    const auto microVolts = [&] { return fp::Mul(fp::Sqrt(fp::Mul(p, z)), 1e6L); };
    const auto microVoltsPerMetre = [&] { return fp::Div(fp::Mul(microVolts(), f), kAntennaConstant); };
    switch (to) {
    case FieldStrengthUnit::W:
        return p;
    case FieldStrengthUnit::MilliW:
        return fp::Mul(p, 1000.0L);
    case FieldStrengthUnit::MicroV:
        return microVolts();
    case FieldStrengthUnit::MicroVPerM:
        return microVoltsPerMetre();
    case FieldStrengthUnit::DBm:
        return 10.0L * fp::Log10(p) + 30.0L;
    case FieldStrengthUnit::DBMicroV:
        return 20.0L * fp::Log10(microVolts());
    case FieldStrengthUnit::DBMicroVPerM:
        return 20.0L * fp::Log10(microVoltsPerMetre());
    }
    return p;
}
} // namespace

double ImpedanceOhm(int item)
{
    constexpr double kImpedances[] = {50.0, 75.0, 220.0, 300.0};
    return item >= 0 && item < 4 ? kImpedances[item] : kImpedances[0];
}

Outcome<double> ConvertFieldStrengthUnit(long double value, FieldStrengthUnit from, FieldStrengthUnit to,
                                         double impedanceOhm, double frequencyMHz)
{
    const double x = fp::StoreDouble(value);
    if (IsLinear(from) && !(x > 0.0)) {
        return Failure{"Field Strength in W, mW, uV, uV/m must be greater than 0"};
    }
    const double watts = fp::StoreDouble(Watts(x, from, impedanceOhm, frequencyMHz));
    return fp::StoreDouble(FromWatts(watts, to, impedanceOhm, frequencyMHz));
}

std::string ToggleSign(const std::string& text)
{
    if (!text.empty() && text.front() == '-') {
        return text.substr(1);
    }
    return "-" + text;
}

std::int32_t PositiveFrequency(std::int32_t frequencyMHz)
{
    // The most negative 32-bit value has no positive counterpart; the
    // largest one stands in for it.
    if (frequencyMHz == std::numeric_limits<std::int32_t>::min()) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return frequencyMHz < 0 ? -frequencyMHz : frequencyMHz;
}

} // namespace zandrevio
