#pragma once

#include "calculation/protocol.h"

// coverage --sites: the way of the coverage calculation that maps many
// sites, the best server and the interference among them, for an area or a
// tile of it.
namespace zandrevio {

// The way made from the single site's: its options less the site and the
// lattice's files, with the sites, the threshold and the tiles'.
Variant ServerVariant(const Variant& single);

// best-server: the map of many sites' figures at a point (--at LAT,LON).
Calculation BestServerCalculation();

// coverage-mosaic: tiles of a map joined into one VRT.
Calculation MosaicCalculation();

} // namespace zandrevio
