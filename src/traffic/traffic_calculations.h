#pragma once

#include "calculation/calculation.h"
#include "traffic/fcn_numb.h"

#include <cstdint>

// The calculations of the Traffic page: a three-way calculator between
// channels, traffic and grade of service, and subscribers against traffic.
namespace zandrevio {

inline constexpr Choice kTrafficModels[] = {{"Poisson", "poisson"}, {"Erlang B", "erlang-b"}, {"Erlang C", "erlang-c"}};

// The fields of the Traffic page: the three-way calculator and the subscribers.
enum class TrafficField { Model, Channels, Traffic, Gos, Subscribers, Rate, SubscriberTraffic };

extern const CalculationSpec<TrafficField> kChannelsForGos;
extern const CalculationSpec<TrafficField> kTrafficForGos;
extern const CalculationSpec<TrafficField> kGosForTraffic;
extern const CalculationSpec<TrafficField> kSubscriberTraffic;
extern const CalculationSpec<TrafficField> kSubscribersForTraffic;
extern const ResultSpec kChannelsResult;
extern const ResultSpec kTrafficResult;
extern const ResultSpec kGosResult;
// The GOS as the model computes it, unrounded: the probability that a call
// is blocked (Poisson, Erlang B) or waits (Erlang C).
extern const ResultSpec kBlockingResult;
extern const ResultSpec kSubscriberTrafficResult;
extern const ResultSpec kSubscribersResult;

// The GOS of N channels at A Erlang, rounded to thousandths as the window
// shows it, and the probability it is rounded from. The traffic and the
// rounded GOS are held in double precision. Reads the traffic, then the
// channels; refuses no channels, then a negative traffic.
struct GosResult {
    double gos;
    long double blocking;
};
Outcome<GosResult, TrafficField> GosForTraffic(const Inputs<TrafficField>& in);
// The smallest number of channels below the target GOS. Reads the traffic,
// then the GOS; refuses a GOS outside (0, 1), then a negative traffic.
Outcome<std::int32_t, TrafficField> ChannelsForGos(const Inputs<TrafficField>& in);
// The traffic that N channels carry at the target GOS. Reads the GOS, then
// the channels.
Outcome<long double, TrafficField> TrafficForGos(const Inputs<TrafficField>& in);

// Erlang of S subscribers at r mErl each. Reads the rate, then the subscribers.
Outcome<long double, TrafficField> SubscriberTraffic(const Inputs<TrafficField>& in);
// Subscribers (a whole number) that T Erlang at r mErl each make. Reads the
// traffic, then the rate.
Outcome<long double, TrafficField> SubscribersForTraffic(const Inputs<TrafficField>& in);

} // namespace zandrevio
