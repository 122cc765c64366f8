#pragma once

#include "calculation/protocol.h"
#include "coverage/map_raster.h"
#include "coverage/server_map.h"

#include <optional>
#include <string>
#include <vector>

// coverage --sites: the way of the coverage calculation that maps many
// sites, the best server and the interference among them, for an area or a
// tile of it.
namespace zandrevio {

// The way made from the single site's: its options less the site and the
// lattice's files, with the sites, the threshold and the tiles'.
Variant ServerVariant(const Variant& single);

// best-server: the map of many sites' figures at a point (--at LAT,LON).
Calculation BestServerCalculation();

// The map of many sites as written: its five bands in WGS84 degrees, the
// grid's rule, the sites as a table, the inputs' checksums and the tile.
MapRaster ServerMapRaster(const ServerBands& bands, const std::vector<ServerSite>& servers, long double threshold,
                          const std::string& inputs, std::optional<long long> tile);

// coverage-mosaic: tiles of a map joined into one VRT.
Calculation MosaicCalculation();

} // namespace zandrevio
