#pragma once

#include "calculation/calculation.h"

// How good a received signal is: Eb/N0, SNR and C/N0 from one another at a
// bit rate and a noise bandwidth, and Shannon's capacity of a bandwidth.
namespace zandrevio {

enum class SignalField { BitRate, Bandwidth, Ebno, Snr, Cn0, Capacity };

struct SignalToNoise {
    long double ebnoDb;
    long double snrDb;
    long double cn0DbHz;
};

struct ShannonCapacity {
    long double capacityKbps;
    long double efficiency; // bit/s per Hz
    long double snrDb;
};

extern const CalculationSpec<SignalField> kFromEbno;
extern const CalculationSpec<SignalField> kFromSnr;
extern const CalculationSpec<SignalField> kFromCn0;
extern const CalculationSpec<SignalField> kCapacityOfSnr;
extern const CalculationSpec<SignalField> kSnrForCapacity;
extern const ResultSpec kEbnoResult;
extern const ResultSpec kSnrResult;
extern const ResultSpec kCn0Result;
extern const ResultSpec kCapacityResult;
extern const ResultSpec kEfficiencyResult;

// Eb/N0, SNR and C/N0 (dB, dB, dB-Hz) from the one given, at the bit rate
// (kbit/s) and the noise bandwidth (kHz).
Outcome<SignalToNoise, SignalField> SignalFromEbno(const Inputs<SignalField>& in);
Outcome<SignalToNoise, SignalField> SignalFromSnr(const Inputs<SignalField>& in);
Outcome<SignalToNoise, SignalField> SignalFromCn0(const Inputs<SignalField>& in);

// The capacity of the bandwidth (kHz) at an SNR (dB), and the SNR a
// capacity (kbit/s) needs.
Outcome<ShannonCapacity, SignalField> CapacityOfSnr(const Inputs<SignalField>& in);
Outcome<ShannonCapacity, SignalField> SnrForCapacity(const Inputs<SignalField>& in);

} // namespace zandrevio
