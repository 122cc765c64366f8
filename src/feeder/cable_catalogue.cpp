#include "feeder/cable_catalogue.h"

#include "numeric/checked_math.h"

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

constexpr long double kMetresPerFoot = 0.3048L;
constexpr long double kMetresPer100Feet = 30.48L;
} // namespace

std::span<const CableType> CableCatalogue(CableImpedance impedance)
{
    if (impedance == CableImpedance::Ohm75) {
        return k75Ohm;
    }
    return k50Ohm;
}

std::vector<std::string> CableNames(CableImpedance impedance)
{
    std::vector<std::string> names;
    for (const CableType& cable : CableCatalogue(impedance)) {
        names.emplace_back(cable.name);
    }
    return names;
}

std::optional<Failure> CheckCableFrequency(long double frequencyMHz)
{
    if (frequencyMHz < 450.0L || frequencyMHz > 960.0L) {
        return Failure{"Frequency must be   450 < F < 960 MHz"};
    }
    return std::nullopt;
}

Outcome<long double> CableLoss(CableImpedance impedance, int index, long double length, bool inFeet,
                               long double frequencyMHz)
{
    if (auto refused = CheckCableFrequency(frequencyMHz)) {
        return *refused;
    }
    const long double metres = inFeet ? fp::Mul(length, kMetresPerFoot) : length;
    // Straight line between the two catalogue points on a log-frequency axis.
    const long double g = fp::Log10(frequencyMHz) - 2.0L;
    const CableType& cable = CableCatalogue(impedance)[static_cast<std::size_t>(index)];
    const long double per100Feet = cable.lossAt100 + (cable.lossAt1000 - cable.lossAt100) * g;
    return fp::Mul(metres, per100Feet) / kMetresPer100Feet;
}

} // namespace zandrevio
