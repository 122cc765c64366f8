#include "traffic/traffic_calculations.h"

#include "numeric/app_error.h"
#include "numeric/checked_math.h"

#include <cmath>

namespace zandrevio {

namespace {
const char* const kChannelsMessage = "Number of channels must be  greater then 0";
const char* const kErlangCMessage = "Number of Channels must be greater than Traffic (ErlangC Model)";
const char* const kGosMessage = "GOS must be  0 < GOS <1";

// Traffic within this of the channel count counts as equal to it.
constexpr long double kEqualTraffic = 1e-9L;
// The upward scan for a bracket steps 10 Erlang at a time.
constexpr long double kScanStep = 10.0L;

GosFunction GosOf(TrafficModel model)
{
    switch (model) {
    case TrafficModel::Poisson:
        return PoissonGos;
    case TrafficModel::ErlangB:
        return ErlangBGos;
    case TrafficModel::ErlangC:
        break;
    }
    return ErlangCGos;
}

bool ValidGos(long double target)
{
    return target > 0.0L && target < 1.0L;
}

enum class Probe { Below, Reached, Faulted };

// Whether the GOS at x has reached the target; a fault (the terms
// overflowing) counts as beyond, since it only grows with the traffic.
Probe ProbeAt(GosFunction gos, std::int32_t channels, long double target, long double x)
{
    try {
        return fp::Sub(gos(channels, x), target) < 0.0L ? Probe::Below : Probe::Reached;
    } catch (const FloatingPointFault&) {
        return Probe::Faulted;
    }
}

struct Bracket {
    long double upper;
    long double lower;
};

// The bracket of the upward scan from N in steps of 10 Erlang: the first
// x = N + 10 j whose GOS reaches the target, and the x before it (0 when the
// first x already does). The step count j is found by doubling and halving
// instead of one step at a time, which gives the same j (the GOS rises with
// the traffic) for any target, also those a plain scan would take minutes
// or forever to reach.
Bracket ScanBracket(GosFunction gos, std::int32_t channels, long double target)
{
    const long double n = channels;
    const auto at = [&](long double j) { return fp::Add(n, fp::Mul(kScanStep, j)); };
    const auto probe = [&](long double j) { return ProbeAt(gos, channels, target, at(j)); };
    const Probe first = probe(0.0L);
    if (first == Probe::Reached) {
        return {n, 0.0L};
    }
    long double low = 0.0L;
    long double high = 0.0L;
    Probe last = first;
    if (first == Probe::Below) {
        // Double the step count until the target is reached, then halve the
        // gap down to neighbouring step counts.
        long double step = 1.0L;
        high = 1.0L;
        while ((last = probe(high)) == Probe::Below) {
            low = high;
            step *= 2.0L;
            high = low + step;
        }
        while (high - low > 1.0L) {
            const long double middle = std::floor((low + high) * 0.5L);
            if (middle == low || middle == high) {
                break;
            }
            const Probe found = probe(middle);
            if (found == Probe::Below) {
                low = middle;
            } else {
                high = middle;
                last = found;
            }
        }
    }
    if (last == Probe::Faulted) {
        gos(channels, at(high)); // the fault the scan runs into here
    }
    return {at(high), high == 0.0L ? 0.0L : at(low)};
}
} // namespace

Outcome<double> GosForTraffic(TrafficModel model, std::int32_t channels, long double traffic)
{
    if (channels < 1) {
        return Failure{kChannelsMessage, kChannelsInput};
    }
    const double a = fp::StoreDouble(traffic);
    double gos = 0.0;
    if (model == TrafficModel::ErlangC) {
        if (channels < a) {
            return Failure{kErlangCMessage, kChannelsInput};
        }
        gos = std::fabs(static_cast<long double>(channels) - a) < kEqualTraffic
            ? 1.0
            : fp::StoreDouble(ErlangCGos(channels, a));
    } else {
        gos = fp::StoreDouble(GosOf(model)(channels, a));
    }
    // To thousandths: R * 0.001 with R = round(G * 1000).
    return fp::StoreDouble(static_cast<long double>(fp::Round(fp::Mul(gos, 1000.0L))) * 0.001L);
}

Outcome<std::int32_t> ChannelsForGos(TrafficModel model, long double traffic, long double target)
{
    if (!ValidGos(target)) {
        return Failure{kGosMessage, kGosInput};
    }
    switch (model) {
    case TrafficModel::Poisson:
        return PoissonChannels(traffic, target);
    case TrafficModel::ErlangB:
        return ErlangBChannels(traffic, target);
    case TrafficModel::ErlangC:
        break;
    }
    return ErlangCChannels(traffic, target);
}

Outcome<long double> TrafficForGos(TrafficModel model, std::int32_t channels, long double target)
{
    if (channels < 1) {
        return Failure{kChannelsMessage, kChannelsInput};
    }
    if (!ValidGos(target)) {
        return Failure{kGosMessage, kGosInput};
    }
    if (model == TrafficModel::ErlangC) {
        // The waiting probability reaches 1 at N Erlang: no scan needed.
        return BisectTraffic(ErlangCGos, channels, target, static_cast<long double>(channels) - 1.0L, 0.0L);
    }
    const GosFunction gos = GosOf(model);
    const Bracket bracket = ScanBracket(gos, channels, target);
    return BisectTraffic(gos, channels, target, bracket.upper, bracket.lower);
}

long double SubscriberTraffic(std::int32_t subscribers, long double rate)
{
    return fp::Mul(static_cast<long double>(subscribers) * 0.001L, rate);
}

long double SubscribersForTraffic(long double traffic, long double rate)
{
    return static_cast<long double>(fp::Round(fp::Div(fp::Mul(traffic, 1000.0L), rate)));
}

} // namespace zandrevio
