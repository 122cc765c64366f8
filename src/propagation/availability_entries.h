#pragma once

#include "numeric/registry.h"

// Rain, multipath and the availability of a fixed link in the registry.
namespace zandrevio {

// availability: the outage of a hop at a fade margin, or the fade margin a
// target availability needs.
Calculation AvailabilityCalculation();
// rain-attenuation: the rain's specific attenuation and the attenuation
// exceeded for a percentage of the year over a hop.
Calculation RainAttenuationCalculation();

} // namespace zandrevio
