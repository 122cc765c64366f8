#pragma once

#include "calculation/protocol.h"
#include "propagation/path_link.h"

#include <vector>

// The path over terrain in the registry.
namespace zandrevio {

// path: a link over a terrain profile (a CSV file, or elevation rasters
// between two places): clearance, loss and, with a power, the budget.
Calculation PathCalculation();

// What the diffraction loss is made of, as results: Bullington's loss of the
// profile and of its smooth earth, the spherical-earth loss and ν.
std::vector<ResultValue> PathPartValues(const PathResult& path);

} // namespace zandrevio
