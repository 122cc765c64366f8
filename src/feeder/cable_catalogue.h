#pragma once

#include "calculation/calculation.h"

#include <span>

// The coaxial cables the program knows, and the loss of a length of one.
namespace zandrevio {

enum class CableImpedance { Ohm50 = 0, Ohm75 = 1 };
inline constexpr Choice kCableImpedances[] = {{"50", "50"}, {"75", "75"}};

struct CableType {
    const char* name;
    long double lossAt100;  // dB per 100 ft at 100 MHz
    long double lossAt1000; // dB per 100 ft at 1000 MHz
};

// The cables of one impedance class, in catalogue order; a cable is known by
// its class and position, never by its name.
std::span<const CableType> CableCatalogue(CableImpedance impedance);
// The cable picker's items of one impedance class, the names as the
// catalogue has them.
std::span<const Choice> CableChoices(CableImpedance impedance);

enum class CableField { Impedance, Cable, Length, LengthUnit, Frequency };
extern const CalculationSpec<CableField> kCableLoss;
extern const ResultSpec kCableLossResult;

// Loss in dB of a length of a catalogue cable at a frequency. The frequency
// is read and checked before the length is read; a negative length (a
// negative loss) is refused.
Outcome<long double, CableField> CableLoss(const Inputs<CableField>& in);

} // namespace zandrevio
