#pragma once

#include "calculation/protocol.h"
#include "itm/itm.h"

#include <span>
#include <string>
#include <vector>

// Longley-Rice in the registry.
namespace zandrevio {

// itm: the basic transmission loss and mode of propagation by the Irregular
// Terrain Model 1.2.2, over a profile or in area mode.
Calculation ItmCalculation();

// What a loss is made of (free space, A_ref, the variability) and the path
// as the model sees it (Δh, horizons, effective heights, N_s), as results.
std::vector<ResultValue> ItmPartValues(const ItmResult& result);

// A reliability table of the request's path (its profile, or the area
// mode): the loss at every pair of time and location percentages, or the
// message of the refusal; the request's --time and --location are not read.
struct ItmTableReply {
    std::string error;
    std::vector<std::string> warnings;
    std::vector<long double> lossDb; // by rows of time, a column a location
};
ItmTableReply ItmTableOf(const Request& request, std::span<const long double> timePercent,
                         std::span<const long double> locationPercent);

} // namespace zandrevio
