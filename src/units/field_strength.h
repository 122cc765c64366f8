#pragma once

#include "numeric/outcome.h"

#include <cstdint>
#include <string>

// Conversions of a signal level between power, voltage across an impedance
// and field strength at a frequency, always through the power in watts.
namespace zandrevio {

enum class FieldStrengthUnit { W = 0, MilliW, MicroV, MicroVPerM, DBm, DBMicroV, DBMicroVPerM };

// The impedances of the "Impedans [Ohm]" group, by item.
double ImpedanceOhm(int item);

// The value in the output unit, or the refusal of a linear value not above 0.
// The value, the power and the result are held in double precision.
Outcome<double> ConvertFieldStrengthUnit(long double value, FieldStrengthUnit from, FieldStrengthUnit to,
                                         double impedanceOhm, double frequencyMHz);

// The "-/+" button: takes a leading minus away or puts one in front.
std::string ToggleSign(const std::string& text);

// A frequency field turns positive when it is left.
std::int32_t PositiveFrequency(std::int32_t frequencyMHz);

} // namespace zandrevio
