#pragma once

#include "calculation/protocol.h"

// The map of a site's coverage in the registry.
namespace zandrevio {

// coverage: the loss (and with a power the received level) from a site to
// every point of a polar lattice within a radius, over elevation data, by
// Longley-Rice or delta-Bullington; written as a GeoTIFF and the lattice as CSV.
Calculation CoverageCalculation();

struct CoverageRequest;
struct ColourScale;
class Request;

// The overlay's colours of a received level (dBm), in 10 dB steps, strong warm, weak cold.
const ColourScale& LevelColourScale();
// A site's map as a request gives it (the site, the radius, the resolution,
// the threads, the path's inputs with Longley-Rice's starts); a slip is
// thrown as RequestError. The request gains the starts it lacked.
CoverageRequest CoverageRequestOf(Request& request);

} // namespace zandrevio
