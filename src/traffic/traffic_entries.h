#pragma once

#include "calculation/protocol.h"

// The traffic calculations of the registry.
namespace zandrevio {

// traffic: two of channels, traffic and GOS give the third.
Calculation TrafficCalculation();
// subscribers: the traffic of subscribers at a calling rate, and back.
Calculation SubscribersCalculation();
// service-level: Erlang C queues by the share of calls answered in time.
Calculation ServiceLevelCalculation();
// extended-erlang-b: blocking with retries, or channels for a blocking.
Calculation ExtendedErlangBCalculation();

} // namespace zandrevio
