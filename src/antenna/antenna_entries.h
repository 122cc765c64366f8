#pragma once

#include "calculation/protocol.h"

// The antenna calculations of the registry.
namespace zandrevio {

// downtilt: the gain of a down-tilted antenna over the ground.
Calculation DowntiltCalculation();
// isolation: the isolation of two antennas.
Calculation IsolationCalculation();

} // namespace zandrevio
