#pragma once

#include "calculation/protocol.h"

// The unit conversions of the registry.
namespace zandrevio {

Calculation FieldStrengthCalculation();
Calculation TrafficUnitCalculation();
Calculation LengthUnitCalculation();
Calculation WeightUnitCalculation();

} // namespace zandrevio
