#pragma once

#include "numeric/outcome.h"
#include "numeric/reader.h"

// Matching measurements on a feeder: VSWR from powers, the antenna VSWR
// behind a lossy feeder, cable loss from a short-circuit VSWR, and the
// reflection coefficient or return loss of a VSWR.
namespace zandrevio {

// VSWR from forward and reflected power (W); the forward power is rooted
// before the reflected power is read.
Outcome<long double> VswrFromPowers(const RealReader& forwardW, const RealReader& reflectedW);

// The VSWR at the antenna; the measured VSWR is checked before the feeder
// loss (dB) is read. The second refusal sounds no beep.
Outcome<long double> CorrectedAntennaVswr(const RealReader& measuredVswr, const RealReader& feederLossDb);
inline constexpr int kWrongMeasurement = 2;

// One-way cable loss (dB) from the VSWR of the cable shorted at its far end.
Outcome<long double> CableLossFromShortVswr(long double shortVswr);

enum class ReflectionOutput { Coefficient = 0, ReturnLoss = 1 };

// The reflection coefficient, or the return loss in dB (negative), rounded to
// four decimals; held in double precision throughout.
Outcome<double> ReflectionFromVswr(long double vswr, ReflectionOutput output);

} // namespace zandrevio
