#pragma once

#include "numeric/outcome.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// The coaxial cables the program knows, and the loss of a length of one.
namespace zandrevio {

enum class CableImpedance { Ohm50 = 0, Ohm75 = 1 };

struct CableType {
    const char* name;
    long double lossAt100;  // dB per 100 ft at 100 MHz
    long double lossAt1000; // dB per 100 ft at 1000 MHz
};

// The cables of one impedance class, in catalogue order; a cable is known by
// its class and position, never by its name.
std::span<const CableType> CableCatalogue(CableImpedance impedance);
std::vector<std::string> CableNames(CableImpedance impedance);

// The frequency refusal of the cable loss, or nothing for 450 to 960 MHz.
std::optional<Failure> CheckCableFrequency(long double frequencyMHz);

// Loss in dB of a length (metres, or feet) of a catalogue cable at a frequency.
Outcome<long double> CableLoss(CableImpedance impedance, int index, long double length, bool inFeet,
                               long double frequencyMHz);

} // namespace zandrevio
