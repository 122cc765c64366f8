#pragma once

#include "calculation/protocol.h"

// The receiver chain's calculations as the registry holds them.
namespace zandrevio {

Calculation NoiseCalculation();
Calculation NoiseFigureCalculation();
Calculation CascadeCalculation();
Calculation IntermodCalculation();
Calculation EirpCalculation();
Calculation EbnoCalculation();
Calculation CapacityCalculation();

} // namespace zandrevio
