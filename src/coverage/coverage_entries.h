#pragma once

#include "calculation/protocol.h"

// The map of a site's coverage in the registry.
namespace zandrevio {

// coverage: the loss (and with a power the received level) from a site to
// every point of a polar lattice within a radius, over elevation data, by
// Longley-Rice or delta-Bullington; written as a GeoTIFF and the lattice as CSV.
Calculation CoverageCalculation();

} // namespace zandrevio
