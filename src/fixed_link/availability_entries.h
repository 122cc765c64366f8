#pragma once

#include "calculation/protocol.h"
#include "fixed_link/availability.h"

#include <vector>

// Rain, multipath and the availability of a fixed link in the registry.
namespace zandrevio {

// availability: the outage of a hop at a fade margin, or the fade margin a
// target availability needs.
Calculation AvailabilityCalculation();

// What the multipath outage is made of, as results: pw of the average worst
// month and ΔG, its conversion to the year.
std::vector<ResultValue> MultipathPartValues(const AvailabilityResult& result);
// The hop's outage at its fade margin as results, as `availability` gives them.
std::vector<ResultValue> HopValues(const AvailabilityResult& result);
// rain-attenuation: the rain's specific attenuation and the attenuation
// exceeded for a percentage of the year over a hop.
Calculation RainAttenuationCalculation();

} // namespace zandrevio
