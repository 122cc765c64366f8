#pragma once

#include "calculation/protocol.h"

// The channel plans as calculations of the registry.
namespace zandrevio {

// channel: a channel's carrier frequencies, or a receive or transmit
// frequency's channel and error.
Calculation ChannelCalculation();
// band: today's band plans, channel to frequencies and back in every band.
Calculation BandCalculation();

} // namespace zandrevio
