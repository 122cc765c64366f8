#pragma once

#include "numeric/registry.h"

// Longley-Rice in the registry.
namespace zandrevio {

// itm: the basic transmission loss and mode of propagation by the Irregular
// Terrain Model 1.2.2, over a profile or in area mode.
Calculation ItmCalculation();

} // namespace zandrevio
