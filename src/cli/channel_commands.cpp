#include "channels/channel_plan.h"
#include "cli/command_kit.h"
#include "numeric/parse_real.h"

namespace zandrevio::cli {

namespace {
const char* const kOffRasterNote = "Note the frequency error !";

// The receive frequency the window reads after a transmit frequency was
// typed: the transmit field's exit writes it back with 15 digits.
Input ReceiveOfTransmit(std::string transmit, CellularStandard standard)
{
    return [transmit = std::move(transmit), standard] {
        const long double receive = ReceiveFromTransmit(ParseReal(transmit), PlanOf(standard).duplexSpacing);
        return ParseReal(FormatFull(receive));
    };
}

Answer Channel(const Request& request, const Settings& settings)
{
    const int given = request.Has("number") + request.Has("rx") + request.Has("tx");
    if (given != 1) {
        throw UsageError("channel takes one of --number, --rx and --tx");
    }
    const auto standard = static_cast<CellularStandard>(
        MatchChoice("standard", kCellularStandards, request.Text("standard").value_or("AMPS")));
    const StandardPlan& plan = PlanOf(standard);
    const auto standardInput = static_cast<long double>(standard);

    if (auto number = request.Text("number")) {
        const Inputs<ChannelField> in{{ChannelField::Standard, standardInput},
                                      {ChannelField::Channel, ParseWhole("number", *number)}};
        return AnswerOf(ChannelToFrequencies(in), [&](Answer& answer, const Frequencies& f) {
            answer.results.push_back({"rx", FormatAs(plan.frequencyFormat, f.receive, settings.digits), "MHz"});
            answer.results.push_back({"tx", FormatAs(plan.frequencyFormat, f.transmit, settings.digits), "MHz"});
        });
    }
    Inputs<ChannelField> in{{ChannelField::Standard, standardInput}};
    if (auto rx = request.Text("rx")) {
        in.Set(ChannelField::Side, static_cast<long double>(DuplexSide::BsReceive));
        in.Set(ChannelField::Receive, Input::Text(*rx));
    } else {
        in.Set(ChannelField::Side, static_cast<long double>(DuplexSide::BsTransmit));
        in.Set(ChannelField::Receive, ReceiveOfTransmit(*request.Text("tx"), standard));
    }
    return AnswerOf(FrequencyToChannel(in), [&](Answer& answer, const ChannelAtFrequency& found) {
        answer.results.push_back(Count(kChannelNumber, found.channel));
        answer.results.push_back(
            {"error", FormatAs(plan.errorFormat, static_cast<long double>(found.errorHz), settings.digits), "Hz"});
        if (found.offRaster) {
            answer.warnings.emplace_back(kOffRasterNote);
        }
    });
}
} // namespace

void AddChannelCommands(std::vector<Command>& commands)
{
    std::vector<OptionInfo> options = {
        {"standard", "Cellular Standards", Keys(kCellularStandards), "AMPS"},
        {"number", "Channel number: gives the receive and transmit frequency", {}, ""},
        {"rx", "BS RX frequency (MHz): gives the channel and its frequency error", {}, ""},
        {"tx", "BS TX frequency (MHz): gives the channel and its frequency error", {}, ""},
    };
    commands.push_back({"channel",
                        "Channel number to carrier frequencies and back",
                        std::move(options),
                        {"rx", "tx", "channel", "error"},
                        Channel});
}

} // namespace zandrevio::cli
