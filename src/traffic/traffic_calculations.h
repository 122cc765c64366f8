#pragma once

#include "numeric/outcome.h"
#include "traffic/fcn_numb.h"

#include <cstdint>

// The calculations of the Traffic page: a three-way calculator between
// channels, traffic and grade of service, and subscribers against traffic.
namespace zandrevio {

// Which field a traffic message concerns.
enum TrafficInput { kChannelsInput = 1, kGosInput = 2 };

// The GOS of N channels at A Erlang, rounded to thousandths. The traffic and
// the GOS are held in double precision.
Outcome<double> GosForTraffic(TrafficModel model, std::int32_t channels, long double traffic);
// The smallest number of channels below the target GOS.
Outcome<std::int32_t> ChannelsForGos(TrafficModel model, long double traffic, long double target);
// The traffic that N channels carry at the target GOS.
Outcome<long double> TrafficForGos(TrafficModel model, std::int32_t channels, long double target);

// Erlang of S subscribers at r mErl each.
long double SubscriberTraffic(std::int32_t subscribers, long double rate);
// Subscribers (a whole number) that T Erlang at r mErl each make.
long double SubscribersForTraffic(long double traffic, long double rate);

} // namespace zandrevio
