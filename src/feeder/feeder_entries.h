#pragma once

#include "calculation/protocol.h"

// The feeder calculations of the registry.
namespace zandrevio {

// cable-loss: the loss of a length of catalogue cable.
Calculation CableLossCalculation();
// vswr, corrected-vswr, short-vswr, reflection: matching measurements.
Calculation VswrCalculation();
Calculation CorrectedVswrCalculation();
Calculation ShortVswrCalculation();
Calculation ReflectionCalculation();

} // namespace zandrevio
