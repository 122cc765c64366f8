#include "channels/band_plans.h"
#include "cli/command_kit.h"

namespace zandrevio::cli {

namespace {
const char* const kOffRasterNote = "Note the frequency error !";

std::string Whole(std::int64_t value)
{
    return std::to_string(value);
}

std::vector<ResultText> Results(const BandChannel& match, bool withError, const Settings& settings)
{
    std::vector<ResultText> results{{"band", match.band, ""}, {"channel", Whole(match.channel), ""}};
    if (match.hasUplink) {
        results.push_back({"uplink-channel", Whole(match.uplinkChannel), ""});
        results.push_back({"uplink", FormatAs(ResultFormat::Full, match.uplinkMHz, settings.digits), "MHz"});
    }
    if (match.hasDownlink) {
        results.push_back({"downlink-channel", Whole(match.downlinkChannel), ""});
        results.push_back({"downlink", FormatAs(ResultFormat::Full, match.downlinkMHz, settings.digits), "MHz"});
    }
    if (withError) {
        results.push_back(
            {"error", FormatAs(ResultFormat::Result, static_cast<long double>(match.errorHz), settings.digits), "Hz"});
    }
    return results;
}

// The channel's frequencies, or a frequency's channel, in every band that
// has it; the results of the first band also stand alone (a batch's columns).
Answer Band(const Request& request, const Settings& settings)
{
    const int given = request.Has("channel") + request.Has("uplink") + request.Has("downlink");
    if (given != 1) {
        throw UsageError("band takes one of --channel, --uplink and --downlink");
    }
    const auto standard = static_cast<long double>(
        MatchChoice("standard", BandStandardChoices(), request.TextOr("standard", "dcs-1800")));
    const bool byChannel = request.Has("channel");
    Outcome<std::vector<BandChannel>, BandField> outcome = std::vector<BandChannel>{};
    if (byChannel) {
        outcome = BandChannelToFrequencies(
            {{BandField::Standard, standard}, {BandField::Channel, ParseWhole("channel", *request.Text("channel"))}});
    } else {
        const bool uplink = request.Has("uplink");
        const auto direction = static_cast<long double>(uplink ? LinkDirection::Uplink : LinkDirection::Downlink);
        outcome = BandFrequencyToChannel(
            {{BandField::Standard, standard},
             {BandField::Direction, direction},
             {BandField::Frequency, Input::Text(*request.Text(uplink ? "uplink" : "downlink"))}});
    }
    return AnswerOf(outcome, [&](Answer& answer, const std::vector<BandChannel>& matches) {
        std::string bands;
        for (const BandChannel& match : matches) {
            answer.matches.push_back(Results(match, !byChannel, settings));
            bands += (bands.empty() ? "" : " ") + match.band;
            if (match.offRaster && answer.warnings.empty()) {
                answer.warnings.emplace_back(kOffRasterNote);
            }
        }
        answer.results = answer.matches.front();
        answer.results.push_back({"bands", bands, ""});
    });
}
} // namespace

void AddBandCommands(std::vector<Command>& commands)
{
    std::vector<OptionInfo> options = {
        {"standard", "Standard: a GSM band, LTE or NR", Keys(BandStandardChoices()), "dcs-1800"},
        {"channel", "Channel: the ARFCN, EARFCN or NR-ARFCN", {}, ""},
        {"uplink", "Uplink frequency (MHz)", {}, ""},
        {"downlink", "Downlink frequency (MHz)", {}, ""},
    };
    commands.push_back(
        {"band",
         "Today's band plans: channel to uplink and downlink frequency and back",
         std::move(options),
         {"band", "channel", "uplink-channel", "uplink", "downlink-channel", "downlink", "error", "bands"},
         Band});
}

} // namespace zandrevio::cli
