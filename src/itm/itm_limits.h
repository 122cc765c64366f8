#pragma once

#include "numeric/real.h"
#include "itm/itm_parameters.h"
#include "itm/itm_variability.h"

#include <string>
#include <vector>

// The Irregular Terrain Model's limits of validity, as warnings beside a
// loss: the model still gives one outside them, but with less or no
// confidence. Its soft limits ("use with caution") and its hard limits
// ("probably invalid") are told apart in the words.
namespace zandrevio::itm {

// The limits of frequency, heights, distance, refractivity and horizons that
// a prepared path at distanceM breaks.
std::vector<std::string> PathWarnings(const PathParameters& path, fp::Real distanceM);

// ITM 1.2.2 Algorithm, §Variability: a standard normal deviate beyond ±3.1 (fractions below
// about 0.1 % or above 99.9 %) is extreme. The deviates as the mode combines them.
std::vector<std::string> DeviateWarnings(const Deviates& deviates);

} // namespace zandrevio::itm
