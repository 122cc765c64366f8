#include "traffic/traffic_calculations.h"

#include "numeric/app_error.h"
#include "numeric/real.h"

#include <cmath>

namespace zandrevio {

namespace {
const char* const kChannelsMessage = "Number of channels must be  greater then 0";
const char* const kErlangCMessage = "Number of Channels must be greater than Traffic (ErlangC Model)";
const char* const kGosMessage = "GOS must be  0 < GOS <1";
const char* const kTrafficMessage = "Traffic must not be negative";
const char* const kRateMessage = "Calling rate must not be negative";

using Field = TrafficField;

const FieldSpec<Field> kModel{Field::Model, FieldKind::Choice, "Models", "model", "Erlang B", kTrafficModels};
const FieldSpec<Field> kChannels{Field::Channels, FieldKind::Whole, "Number of channels", "channels", "15"};
const FieldSpec<Field> kTraffic{Field::Traffic, FieldKind::Real, "Traffic (Erlang)", "traffic", "9"};
const FieldSpec<Field> kGos{
    Field::Gos, FieldKind::Real, "GOS", "gos", "0.02", {}, "the share of calls blocked, a fraction: 0 < GOS < 1"};
const FieldSpec<Field> kSubscribers{Field::Subscribers, FieldKind::Whole, "Number of subscribers", "subscribers",
                                    "1000"};
const FieldSpec<Field> kRate{Field::Rate, FieldKind::Real, "Calling rate per subscriber (mErl/sub)", "rate", "35"};
const FieldSpec<Field> kTrafficOfSubscribers{Field::SubscriberTraffic, FieldKind::Real, "Traffic (Erl)", "traffic",
                                             "35"};

const FieldSpec<Field> kChannelsForGosFields[] = {kModel, kTraffic, kGos};
const FieldSpec<Field> kTrafficForGosFields[] = {kModel, kGos, kChannels};
const FieldSpec<Field> kGosForTrafficFields[] = {kModel, kTraffic, kChannels};
const FieldSpec<Field> kSubscriberTrafficFields[] = {kRate, kSubscribers};
const FieldSpec<Field> kSubscribersForTrafficFields[] = {kTrafficOfSubscribers, kRate};

// Traffic within this of the channel count counts as equal to it.
constexpr long double kEqualTraffic = 1e-9L;
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

} // namespace

const ResultSpec kChannelsResult{"Number of channels", "channels", "", ResultFormat::Whole};
const ResultSpec kTrafficResult{"Traffic (Erlang)", "traffic", "Erl", ResultFormat::Result};
const ResultSpec kGosResult{"GOS", "gos", "", ResultFormat::Result};
const ResultSpec kBlockingResult{"Blocking probability", "blocking", "", ResultFormat::Result};
const ResultSpec kSubscriberTrafficResult{"Traffic", "traffic", "Erl", ResultFormat::Result};
const ResultSpec kSubscribersResult{"Number of subscribers", "subscribers", "", ResultFormat::Result};
const CalculationSpec<TrafficField> kChannelsForGos{"traffic", kChannelsForGosFields, {&kChannelsResult, 1}};
const CalculationSpec<TrafficField> kTrafficForGos{"traffic", kTrafficForGosFields, {&kTrafficResult, 1}};
const CalculationSpec<TrafficField> kGosForTraffic{"traffic", kGosForTrafficFields, {&kGosResult, 1}};
const CalculationSpec<TrafficField> kSubscriberTraffic{
    "subscribers", kSubscriberTrafficFields, {&kSubscriberTrafficResult, 1}};
const CalculationSpec<TrafficField> kSubscribersForTraffic{
    "subscribers", kSubscribersForTrafficFields, {&kSubscribersResult, 1}};

Outcome<GosResult, TrafficField> GosForTraffic(const Inputs<TrafficField>& in)
{
    const auto model = in.Choice<TrafficModel>(Field::Model);
    const long double traffic = in.Real(Field::Traffic);
    const std::int32_t channels = in.Whole(Field::Channels);
    if (channels < 1) {
        return Refusal<Field>{kChannelsMessage, Field::Channels};
    }
    if (!(traffic >= 0.0L)) {
        return Refusal<Field>{kTrafficMessage, Field::Traffic};
    }
    const double a = fp::StoreDouble(traffic);
    long double blocking = 0.0L;
    if (model == TrafficModel::ErlangC) {
        if (channels < a) {
            return Refusal<Field>{kErlangCMessage, Field::Channels};
        }
        blocking = std::fabs(static_cast<long double>(channels) - a) < kEqualTraffic ? 1.0L : ErlangCGos(channels, a);
    } else {
        blocking = GosOf(model)(channels, a);
    }
    const double gos = fp::StoreDouble(blocking);
    // To thousandths: R * 0.001 with R = round(G * 1000).
    return GosResult{fp::StoreDouble(static_cast<long double>(fp::Round(fp::Mul(gos, 1000.0L))) * 0.001L), blocking};
}

Outcome<std::int32_t, TrafficField> ChannelsForGos(const Inputs<TrafficField>& in)
{
    const auto model = in.Choice<TrafficModel>(Field::Model);
    const long double traffic = in.Real(Field::Traffic);
    const long double target = in.Real(Field::Gos);
    if (!ValidGos(target)) {
        return Refusal<Field>{kGosMessage, Field::Gos};
    }
    if (!(traffic >= 0.0L)) {
        return Refusal<Field>{kTrafficMessage, Field::Traffic};
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

Outcome<long double, TrafficField> TrafficForGos(const Inputs<TrafficField>& in)
{
    const auto model = in.Choice<TrafficModel>(Field::Model);
    const long double target = in.Real(Field::Gos);
    const std::int32_t channels = in.Whole(Field::Channels);
    if (channels < 1) {
        return Refusal<Field>{kChannelsMessage, Field::Channels};
    }
    if (!ValidGos(target)) {
        return Refusal<Field>{kGosMessage, Field::Gos};
    }
    if (model == TrafficModel::ErlangC) {
        // The waiting probability rises from 0 at no traffic towards 1 as
        // the traffic nears N: the root lies below N, no scan needed (the
        // halving evaluates only points strictly inside, never N itself).
        return BisectTraffic(ErlangCGos, channels, target, static_cast<long double>(channels), 0.0L);
    }
    if (model == TrafficModel::ErlangB) {
        return ErlangBTraffic(channels, target);
    }
    const GosFunction gos = GosOf(model);
    const TrafficBracket bracket = ScanTrafficBracket(gos, channels, target);
    return BisectTraffic(gos, channels, target, bracket.upper, bracket.lower);
}

// T = S * 0.001 * r: r in mErl per subscriber.
Outcome<long double, TrafficField> SubscriberTraffic(const Inputs<TrafficField>& in)
{
    const long double rate = in.Real(Field::Rate);
    const std::int32_t subscribers = in.Whole(Field::Subscribers);
    if (!(rate >= 0.0L)) {
        return Refusal<Field>{kRateMessage, Field::Rate};
    }
    if (subscribers < 0) {
        return Refusal<Field>{"Number of subscribers must not be negative", Field::Subscribers};
    }
    return (fp::Real(subscribers) * 0.001L * rate).Value();
}

// S = round(T * 1000 / r)
Outcome<long double, TrafficField> SubscribersForTraffic(const Inputs<TrafficField>& in)
{
    const fp::Real traffic = in.Real(Field::SubscriberTraffic);
    const long double rate = in.Real(Field::Rate);
    if (!(traffic >= 0.0L)) {
        return Refusal<Field>{kTrafficMessage, Field::SubscriberTraffic};
    }
    if (!(rate >= 0.0L)) {
        return Refusal<Field>{kRateMessage, Field::Rate};
    }
    return static_cast<long double>(fp::Round((traffic * 1000.0L / rate).Value()));
}

} // namespace zandrevio
