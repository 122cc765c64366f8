#pragma once

#include "calculation/calculation.h"

// Matching measurements on a feeder: VSWR from powers, the antenna VSWR
// behind a lossy feeder, cable loss from a short-circuit VSWR, and the
// reflection coefficient or return loss of a VSWR.
namespace zandrevio {

enum class ReflectionOutput { Coefficient = 0, ReturnLoss = 1 };
inline constexpr Choice kReflectionOutputs[] = {{"Ref Coef", "ref-coef"}, {"RL (dB)", "rl"}};

enum class MatchingField { Forward, Reflected, MeasuredVswr, FeederLoss, ShortVswr, Vswr, Output };

extern const CalculationSpec<MatchingField> kVswrFromPowers;
extern const CalculationSpec<MatchingField> kCorrectedAntennaVswr;
extern const CalculationSpec<MatchingField> kCableLossFromShortVswr;
extern const CalculationSpec<MatchingField> kReflectionFromVswr;
extern const ResultSpec kVswrResult;
extern const ResultSpec kAntennaVswrResult;
extern const ResultSpec kShortLossResult;
extern const ResultSpec kReflectionResult;

// VSWR from forward and reflected power (W); the forward power is checked
// and rooted before the reflected power is read. A negative power is refused.
Outcome<long double, MatchingField> VswrFromPowers(const Inputs<MatchingField>& in);

// The VSWR at the antenna; the measured VSWR is checked before the feeder
// loss (dB) is read. A measurement the loss cannot explain is refused
// without a beep.
Outcome<long double, MatchingField> CorrectedAntennaVswr(const Inputs<MatchingField>& in);

// One-way cable loss (dB) from the VSWR of the cable shorted at its far end.
Outcome<long double, MatchingField> CableLossFromShortVswr(const Inputs<MatchingField>& in);

// The reflection coefficient, or the return loss in dB (negative), rounded to
// four decimals; held in double precision throughout.
Outcome<double, MatchingField> ReflectionFromVswr(const Inputs<MatchingField>& in);

} // namespace zandrevio
