#pragma once

#include "numeric/registry.h"

// The path over terrain in the registry.
namespace zandrevio {

// path: a link over a terrain profile (a CSV file, or elevation rasters
// between two places): clearance, loss and, with a power, the budget.
Calculation PathCalculation();

} // namespace zandrevio
