#include "feeder/cable_catalogue.h"

#include "numeric/radio.h"

#include <string>
#include <vector>

namespace zandrevio {

namespace {
// Manufacturers' attenuation per 100 ft at 100 MHz and 1000 MHz.
const CableType k50Ohm[] = {
    {"RG-58/U", 4.9L, 17.5L},         {"RG-8/U", 2.0L, 8.8L},           {"RG-213/U", 1.9L, 8.0L},
    {"RG-218/U", 1.0L, 4.4L},         {"1/2\" Foam", 0.684L, 2.34L},    {"7/8\" Foam", 0.369L, 1.31L},
    {"1 1/4\" Foam", 0.275L, 0.967L}, {"1 5/8\" Foam", 0.225L, 0.819L}, {"1/2\" Air", 0.83L, 2.65L},
    {"7/8\" Air", 0.37L, 1.27L},      {"1 5/8\" Air", 0.207L, 0.7L},    {"1/4\" Flex", 1.81L, 6.0L},
    {"1/2\" Flex", 1.05L, 3.58L},
};
const CableType k75Ohm[] = {
    {"RG-6A/U", 2.9L, 11.2L},    {"RG-11A/U", 2.3L, 7.8L},      {"RG-13A/U", 2.3L, 8.0L},
    {"RG-59B/U", 3.4L, 12.0L},   {"1/2\" Foam", 0.623L, 2.14L}, {"7/8\" Air", 0.388L, 1.29L},
    {"1/4\" Flex", 1.87L, 6.5L}, {"1/2\" Flex", 0.965L, 3.36L},
};

constexpr long double kMetresPer100Feet = 30.48L;

const FieldSpec<CableField> kFields[] = {
    {CableField::Impedance, FieldKind::Choice, "Impedans", "impedance", "50", kCableImpedances},
    {CableField::Cable, FieldKind::Choice, "Cable", "cable", "RG-58/U"},
    {CableField::Length, FieldKind::Real, "Length", "length", "100"},
    {CableField::LengthUnit, FieldKind::Choice, "Length unit", "length-unit", "m", radio::kShortLengthUnits},
    {CableField::Frequency, FieldKind::Real, "Frequency (MHz)", "frequency", "850"},
};

std::vector<Choice> ChoicesOf(std::span<const CableType> cables)
{
    std::vector<Choice> choices;
    for (const CableType& cable : cables) {
        choices.push_back({cable.name, cable.name});
    }
    return choices;
}
} // namespace

const ResultSpec kCableLossResult{"Cable Loss", "loss", "dB", ResultFormat::Hundredths};
const CalculationSpec<CableField> kCableLoss{"cable-loss", kFields, {&kCableLossResult, 1}};

std::span<const CableType> CableCatalogue(CableImpedance impedance)
{
    if (impedance == CableImpedance::Ohm75) {
        return k75Ohm;
    }
    return k50Ohm;
}

std::span<const Choice> CableChoices(CableImpedance impedance)
{
    static const std::vector<Choice> k50 = ChoicesOf(k50Ohm);
    static const std::vector<Choice> k75 = ChoicesOf(k75Ohm);
    return impedance == CableImpedance::Ohm75 ? k75 : k50;
}

// Straight line between the two catalogue points on a log-frequency axis:
// loss per 100 ft = L100 + (L1000 - L100) (log10 F - 2).
Outcome<long double, CableField> CableLoss(const Inputs<CableField>& in)
{
    const long double frequencyMHz = in.Real(CableField::Frequency);
    if (!radio::InMobileBand(frequencyMHz)) {
        return Refusal<CableField>{radio::kMobileBandMessage, CableField::Frequency};
    }
    const fp::Real length = in.Real(CableField::Length);
    if (!(length >= 0.0L)) {
        return Refusal<CableField>{"Length must not be negative", CableField::Length};
    }
    const auto impedance = in.Choice<CableImpedance>(CableField::Impedance);
    const CableType& cable = CableCatalogue(impedance)[static_cast<std::size_t>(in.Index(CableField::Cable))];
    const fp::Real metres = radio::LengthInMetres(length, in.Choice<radio::ShortLengthUnit>(CableField::LengthUnit));
    const long double g = fp::Log10(frequencyMHz) - 2.0L;
    const long double per100Feet = cable.lossAt100 + (cable.lossAt1000 - cable.lossAt100) * g;
    return (metres * per100Feet).Value() / kMetresPer100Feet;
}

} // namespace zandrevio
