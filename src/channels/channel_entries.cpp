#include "channels/channel_entries.h"

#include "channels/band_plans.h"
#include "channels/channel_plan.h"
#include "numeric/parse_real.h"

namespace zandrevio {

namespace {
const char* const kOffRasterNote = "Note the frequency error !";

const StandardPlan& PlanIn(const Inputs<ChannelField>& in)
{
    return PlanOf(in.Choice<CellularStandard>(ChannelField::Standard));
}

// The frequencies are written as the standard's plan says.
void FrequenciesAsPlanned(Reply& reply, const Frequencies&, const Inputs<ChannelField>& in)
{
    for (ResultValue& result : reply.results) {
        result.format = PlanIn(in).frequencyFormat;
    }
}

void ErrorAsPlanned(Reply& reply, const ChannelAtFrequency& found, const Inputs<ChannelField>& in)
{
    reply.results.back().format = PlanIn(in).errorFormat;
    if (found.offRaster) {
        reply.warnings.emplace_back(kOffRasterNote);
    }
}

void FromReceive(Inputs<ChannelField>& in, const Request&)
{
    in.Set(ChannelField::Side, static_cast<long double>(DuplexSide::BsReceive));
}

// The receive frequency the window reads after a transmit frequency was
// typed: the transmit field's exit writes it back with 15 digits.
void FromTransmit(Inputs<ChannelField>& in, const Request& request)
{
    in.Set(ChannelField::Side, static_cast<long double>(DuplexSide::BsTransmit));
    const long double spacing = PlanIn(in).duplexSpacing;
    in.Set(ChannelField::Receive, [transmit = std::string(request.TextOr("tx", "")), spacing] {
        return ParseReal(FormatFull(ReceiveFromTransmit(ParseReal(transmit), spacing)));
    });
}

const std::vector<ResultOf<Frequencies>> kFrequencyResults = {
    {&kReceiveFrequency, Member<&Frequencies::receive>},
    {&kTransmitFrequency, Member<&Frequencies::transmit>},
};
const std::vector<ResultOf<ChannelAtFrequency>> kChannelResults = {
    {&kChannelNumber, Member<&ChannelAtFrequency::channel>},
    {&kFrequencyError, Member<&ChannelAtFrequency::errorHz>},
};

// One band's results; a frequency's channel also has its error.
std::vector<ResultValue> BandResults(const BandChannel& match, bool withError)
{
    std::vector<ResultValue> results{
        {&kBandName, 0.0L, match.band, "", ResultFormat::Text},
        {&kBandChannel, static_cast<long double>(match.channel), {}, "", ResultFormat::Whole}};
    if (match.hasUplink) {
        results.push_back(
            {&kUplinkChannel, static_cast<long double>(match.uplinkChannel), {}, "", ResultFormat::Whole});
        results.push_back({&kUplinkFrequency, match.uplinkMHz, {}, "MHz", ResultFormat::Full});
    }
    if (match.hasDownlink) {
        results.push_back(
            {&kDownlinkChannel, static_cast<long double>(match.downlinkChannel), {}, "", ResultFormat::Whole});
        results.push_back({&kDownlinkFrequency, match.downlinkMHz, {}, "MHz", ResultFormat::Full});
    }
    if (withError) {
        results.push_back(
            {&kBandFrequencyError, static_cast<long double>(match.errorHz), {}, "Hz", ResultFormat::Result});
    }
    return results;
}

// Every band that has the channel or frequency; the first band's results
// also stand alone (a batch's columns), with the list of bands.
void EveryBand(Reply& reply, const std::vector<BandChannel>& matches, bool withError)
{
    for (const BandChannel& match : matches) {
        reply.matches.push_back(BandResults(match, withError));
        if (match.offRaster && reply.warnings.empty()) {
            reply.warnings.emplace_back(kOffRasterNote);
        }
        if (!match.warning.empty()) {
            reply.warnings.push_back(match.warning); // no band holds it
        }
    }
    reply.results = reply.matches.front();
    reply.results.push_back({&kBandList, 0.0L, BandList(matches, withError), "", ResultFormat::Text});
}

void FromUplink(Inputs<BandField>& in, const Request& request)
{
    in.Set(BandField::Direction, static_cast<long double>(LinkDirection::Uplink));
    in.Set(BandField::Frequency, Input::Text(std::string(request.TextOr("uplink", ""))));
}

void FromDownlink(Inputs<BandField>& in, const Request& request)
{
    in.Set(BandField::Direction, static_cast<long double>(LinkDirection::Downlink));
    in.Set(BandField::Frequency, Input::Text(std::string(request.TextOr("downlink", ""))));
}

std::vector<OptionSpec> FrequencyOptions()
{
    return {{"uplink", "Uplink frequency (MHz)", FieldKind::Real, "", {}},
            {"downlink", "Downlink frequency (MHz)", FieldKind::Real, "", {}}};
}
} // namespace

Calculation ChannelCalculation()
{
    Calculation channel;
    channel.variants = {
        MakeVariant<ChannelField, Frequencies>({"number"}, kChannelToFrequencies, ChannelToFrequencies,
                                               kFrequencyResults, {nullptr, FrequenciesAsPlanned}),
        MakeVariant<ChannelField, ChannelAtFrequency>({"rx"}, kFrequencyToChannel, FrequencyToChannel, kChannelResults,
                                                      {FromReceive, ErrorAsPlanned}),
        MakeVariant<ChannelField, ChannelAtFrequency>({"tx"}, kFrequencyToChannel, FrequencyToChannel, kChannelResults,
                                                      {FromTransmit, ErrorAsPlanned, {{ChannelField::Receive, "tx"}}}),
    };
    channel.rules = {{{{"number"}, {"rx"}, {"tx"}}}};
    return channel;
}

Calculation BandCalculation()
{
    using Matches = std::vector<BandChannel>;
    Calculation band;
    band.variants = {
        MakeVariant<BandField, Matches>(
            {"channel"}, kBandChannelToFrequencies, BandChannelToFrequencies, {},
            {nullptr,
             [](Reply& reply, const Matches& matches, const Inputs<BandField>&) { EveryBand(reply, matches, false); }}),
        MakeVariant<BandField, Matches>(
            {"uplink"}, kBandFrequencyToChannel, BandFrequencyToChannel, {},
            {FromUplink,
             [](Reply& reply, const Matches& matches, const Inputs<BandField>&) { EveryBand(reply, matches, true); },
             {{BandField::Frequency, "uplink"}}}),
        MakeVariant<BandField, Matches>(
            {"downlink"}, kBandFrequencyToChannel, BandFrequencyToChannel, {},
            {FromDownlink,
             [](Reply& reply, const Matches& matches, const Inputs<BandField>&) { EveryBand(reply, matches, true); },
             {{BandField::Frequency, "downlink"}}}),
    };
    // The frequency options are the variants' own, beside the standard's.
    for (Variant& variant : band.variants) {
        if (variant.needs.front() != "channel") {
            variant.options = {variant.options.front()};
            for (OptionSpec& option : FrequencyOptions()) {
                variant.options.push_back(std::move(option));
            }
        }
        variant.results = {&kBandName,        &kBandChannel,       &kUplinkChannel,      &kUplinkFrequency,
                           &kDownlinkChannel, &kDownlinkFrequency, &kBandFrequencyError, &kBandList};
    }
    band.rules = {{{{"channel"}, {"uplink"}, {"downlink"}}}};
    return band;
}

} // namespace zandrevio
