#pragma once

#include "calculation/calculation.h"

// The isolation between two antennas spaced side by side or one above the other.
namespace zandrevio {

enum class SeparationKind { Horizontal = 0, Vertical = 1 };
inline constexpr Choice kSeparations[] = {{"Horizontal", "horizontal"}, {"Vertical", "vertical"}};

// The fields in the order the isolation reads them: spacing, frequency, then
// both gains (under either separation).
enum class IsolationField { Spacing, SpacingUnit, Frequency, Gain1, Gain1Unit, Gain2, Gain2Unit, Separation };

extern const CalculationSpec<IsolationField> kAntennaIsolation;
extern const ResultSpec kIsolationResult;

// Isolation in dB; spacing, frequency, wavelength, gains and result are held
// in double precision.
Outcome<double, IsolationField> AntennaIsolation(const Inputs<IsolationField>& in);

} // namespace zandrevio
