#include "units/field_strength.h"

#include "numeric/real.h"

#include <limits>

namespace zandrevio {

namespace {
using fp::Real;

// E (V/m) at f (MHz) gives V = E K / f across the receiver input: a
// half-wave dipole's 50-ohm antenna factor AF = 9.73 / (lambda sqrt(G)),
// G = 1.64, puts K = 300 sqrt(G) / 9.73, near 39.39.
constexpr long double kAntennaConstant = 39.3924L;

using Field = FieldStrengthField;
const FieldSpec<Field> kFields[] = {
    {Field::Value, FieldKind::Real, "Field strength value", "value", "1"},
    {Field::Frequency, FieldKind::Whole, "Frequency (MHz)", "frequency", "850"},
    {Field::Impedance, FieldKind::Choice, "Impedans [Ohm]", "impedance", "50", kFieldImpedances},
    {Field::From, FieldKind::Choice, "Field strength from", "from", "W", kFieldStrengthUnits},
    {Field::To, FieldKind::Choice, "Field strength to", "to", "dBm", kFieldStrengthUnits},
};
constexpr long double kMicro = 1e-6L;

bool IsLinear(FieldStrengthUnit unit)
{
    return static_cast<int>(unit) <= static_cast<int>(FieldStrengthUnit::MicroVPerM);
}

// A field strength per metre goes through the antenna at the frequency.
bool PerMetre(FieldStrengthUnit unit)
{
    return unit == FieldStrengthUnit::MicroVPerM || unit == FieldStrengthUnit::DBMicroVPerM;
}

// Volts across Z from a field strength in uV/m.
Real VoltsFromField(Real microVoltsPerMetre, double frequencyMHz)
{
    return microVoltsPerMetre * kMicro * kAntennaConstant / frequencyMHz;
}

// P = V^2 / Z
Real PowerFromVolts(Real volts, double impedanceOhm)
{
    return volts * volts / impedanceOhm;
}

Real Watts(Real x, FieldStrengthUnit from, double z, double f)
{
    switch (from) {
    case FieldStrengthUnit::W:
        return x;
    case FieldStrengthUnit::MilliW:
        return x * 0.001L;
    case FieldStrengthUnit::MicroV:
        return x * x * 1e-12L / z;
    case FieldStrengthUnit::MicroVPerM:
        return PowerFromVolts(VoltsFromField(x, f), z);
    case FieldStrengthUnit::DBm:
        return fp::Exp10(0.1L * x) * 0.001L;
    case FieldStrengthUnit::DBMicroV:
        return PowerFromVolts(fp::Exp10(0.05L * x) * kMicro, z);
    case FieldStrengthUnit::DBMicroVPerM:
        return PowerFromVolts(VoltsFromField(fp::Exp10(0.05L * x), f), z);
    }
    return x;
}

Real FromWatts(Real p, FieldStrengthUnit to, double z, double f)
{
    // Microvolts across Z, and microvolts per metre at f.
    const auto microVolts = [&] { return fp::Sqrt(p * z) * 1e6L; };
    const auto microVoltsPerMetre = [&] { return microVolts() * f / kAntennaConstant; };
    switch (to) {
    case FieldStrengthUnit::W:
        return p;
    case FieldStrengthUnit::MilliW:
        return p * 1000.0L;
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

const ResultSpec kFieldStrengthResult{"Field strength", "value", "", ResultFormat::Result};
const CalculationSpec<Field> kFieldStrengthConversion{"field-strength", kFields, {&kFieldStrengthResult, 1}};

Outcome<double, Field> ConvertFieldStrengthUnit(const Inputs<Field>& in)
{
    const double x = fp::StoreDouble(in.Real(Field::Value));
    const auto frequencyMHz = static_cast<double>(in.Whole(Field::Frequency));
    const auto impedanceOhm = static_cast<double>(kFieldImpedances[in.Index(Field::Impedance)].value);
    const auto from = in.Choice<FieldStrengthUnit>(Field::From);
    const auto to = in.Choice<FieldStrengthUnit>(Field::To);
    if (IsLinear(from) && !(x > 0.0)) {
        return Refusal<Field>{"Field Strength in W, mW, uV, uV/m must be greater than 0", Field::Value};
    }
    if ((PerMetre(from) || PerMetre(to)) && !(frequencyMHz > 0.0)) {
        return Refusal<Field>{"Frequency must be greater than 0", Field::Frequency};
    }
    const double watts = fp::StoreDouble(Watts(x, from, impedanceOhm, frequencyMHz).Value());
    return fp::StoreDouble(FromWatts(watts, to, impedanceOhm, frequencyMHz).Value());
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
