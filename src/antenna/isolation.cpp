#include "antenna/isolation.h"

#include "numeric/radio.h"

namespace zandrevio {

using Field = IsolationField;

namespace {
const FieldSpec<Field> kFields[] = {
    {Field::Spacing, FieldKind::Real, "Spacing", "spacing", "10"},
    {Field::SpacingUnit, FieldKind::Choice, "Spacing unit", "spacing-unit", "m", radio::kShortLengthUnits},
    {Field::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "850"},
    {Field::Gain1, FieldKind::Real, "Antenna 1 Gain", "gain1", "0"},
    {Field::Gain1Unit, FieldKind::Choice, "Antenna 1 Gain unit", "gain1-unit", "dBd", radio::kGainUnits},
    {Field::Gain2, FieldKind::Real, "Antenna 2 Gain", "gain2", "0"},
    {Field::Gain2Unit, FieldKind::Choice, "Antenna 2 Gain unit", "gain2-unit", "dBd", radio::kGainUnits},
    {Field::Separation, FieldKind::Choice, "Separation", "separation", "Horizontal", kSeparations},
};
} // namespace

const ResultSpec kIsolationResult{"Isolation", "isolation", "dB", ResultFormat::Hundredths};
const CalculationSpec<Field> kAntennaIsolation{"isolation", kFields, {&kIsolationResult, 1}};

Outcome<double, Field> AntennaIsolation(const Inputs<Field>& in)
{
    const fp::Real spacing = in.Real(Field::Spacing);
    const auto spacingUnit = in.Choice<radio::ShortLengthUnit>(Field::SpacingUnit);
    const double s = fp::StoreDouble(radio::LengthInMetres(spacing, spacingUnit).Value());
    const double frequency = fp::StoreDouble(in.Real(Field::Frequency));
    if (!radio::InMobileBand(frequency)) {
        return Refusal<Field>{radio::kMobileBandMessage, Field::Frequency};
    }
    const double lambda = fp::StoreDouble(radio::Wavelength(frequency).Value());
    const double gain1 = fp::StoreDouble(in.Real(Field::Gain1));
    const auto gain1Unit = in.Choice<radio::GainUnit>(Field::Gain1Unit);
    const double gain2 = fp::StoreDouble(in.Real(Field::Gain2));
    const auto gain2Unit = in.Choice<radio::GainUnit>(Field::Gain2Unit);

    if (in.Choice<SeparationKind>(Field::Separation) == SeparationKind::Horizontal) {
        if (!(s >= lambda)) {
            return Refusal<Field>{"spacing must be > wave length", Field::Spacing};
        }
        // Free-space coupling of two antennas facing each other (Friis),
        // gains in dBi: I = 20 log10(4 pi s / lambda) - G1 - G2.
        double isolation = fp::StoreDouble(20.0L * fp::Log10(4.0L * radio::kPi * s / lambda) - gain1 - gain2);
        if (gain1Unit == radio::GainUnit::Dbd) {
            isolation = fp::StoreDouble(isolation - radio::kDbdToDbi);
        }
        if (gain2Unit == radio::GainUnit::Dbd) {
            isolation = fp::StoreDouble(isolation - radio::kDbdToDbi);
        }
        return isolation;
    }
    if (!(s >= lambda)) {
        return Refusal<Field>{"separation must be > wave length", Field::Spacing};
    }
    // Collinear half-wave dipoles one above the other, the antenna makers'
    // empirical curve (valid to about 70 dB): I = 34 log10(0.1177 sf / lambda) + 40, sf in feet.
    const double feet = fp::StoreDouble(s / radio::kMetresPerFoot);
    return fp::StoreDouble(34.0L * fp::Log10(0.1177L * feet / lambda) + 40.0L);
}

} // namespace zandrevio
