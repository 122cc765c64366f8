#include "channels/band_plans.h"

#include "channels/band_tables.h"
#include "numeric/format.h"
#include "numeric/real.h"

#include <algorithm>
#include <cmath>

namespace zandrevio {

using bands::Band;
using bands::Run;

namespace {
const BandStandard kStandards[] = {
    {{"GSM 450", "gsm-450"}, BandFamily::Gsm, 0},
    {{"GSM 480", "gsm-480"}, BandFamily::Gsm, 1},
    {{"GSM 750", "gsm-750"}, BandFamily::Gsm, 2},
    {{"GSM 850", "gsm-850"}, BandFamily::Gsm, 3},
    {{"P-GSM 900", "p-gsm-900"}, BandFamily::Gsm, 4},
    {{"E-GSM 900", "e-gsm-900"}, BandFamily::Gsm, 5},
    {{"R-GSM 900", "r-gsm-900"}, BandFamily::Gsm, 6},
    {{"DCS 1800", "dcs-1800"}, BandFamily::Gsm, 7},
    {{"PCS 1900", "pcs-1900"}, BandFamily::Gsm, 8},
    {{"LTE", "lte"}, BandFamily::Lte, 0},
    {{"NR", "nr"}, BandFamily::Nr, 0},
};

// A raster point counts as hit within a hundred-thousandth of a step, as on
// the RF page.
constexpr long double kOnRaster = 0.00001L;

std::vector<Choice> ChoicesOf()
{
    std::vector<Choice> choices;
    for (const BandStandard& standard : kStandards) {
        choices.push_back(standard.choice);
    }
    return choices;
}

const FieldSpec<BandField> kToFrequencyFields[] = {
    {BandField::Standard, FieldKind::Choice, "Standard", "standard", "DCS 1800", BandStandardChoices()},
    {BandField::Channel, FieldKind::Whole, "Channel", "channel", "512"},
};
const FieldSpec<BandField> kToChannelFields[] = {
    {BandField::Standard, FieldKind::Choice, "Standard", "standard", "DCS 1800", BandStandardChoices()},
    {BandField::Direction, FieldKind::Choice, "Frequency", "", "Downlink", kLinkDirections},
    {BandField::Frequency, FieldKind::Real, "Downlink (MHz)", "", "1805.2"},
};

// The bands a standard covers: one GSM band, or every LTE or NR band.
std::span<const Band> BandsOf(const BandStandard& standard)
{
    switch (standard.family) {
    case BandFamily::Gsm:
        return bands::GsmBands().subspan(static_cast<std::size_t>(standard.gsmBand), 1);
    case BandFamily::Lte:
        return bands::LteBands();
    case BandFamily::Nr:
        break;
    }
    return bands::NrBands();
}

const char* ChannelWord(BandFamily family)
{
    switch (family) {
    case BandFamily::Gsm:
        return "ARFCN";
    case BandFamily::Lte:
        return "EARFCN";
    case BandFamily::Nr:
        break;
    }
    return "NR-ARFCN";
}

// The channel's name in messages: "DCS 1800 ARFCN", "LTE EARFCN", and
// "NR-ARFCN", whose own name already says the standard.
std::string ChannelCaption(const BandStandard& standard)
{
    const std::string word = ChannelWord(standard.family);
    const std::string_view name = standard.choice.text;
    return word.starts_with(name) ? word : std::string(name) + " " + word;
}

std::span<const Run> Runs(const Band& band, LinkDirection direction)
{
    return direction == LinkDirection::Uplink ? std::span<const Run>(band.uplink, band.uplinkRuns)
                                              : std::span<const Run>(band.downlink, band.downlinkRuns);
}

bool OnRun(const Run& run, std::int64_t channel)
{
    return channel >= run.first && channel <= run.last && (channel - run.first) % run.step == 0;
}

// F(N) = base + unit (N - N0), each step checked.
long double Frequency(const Run& run, std::int64_t channel)
{
    return (fp::Real(run.baseMHz) + fp::Real(run.unitMHz) * static_cast<long double>(channel - run.baseChannel))
        .Value();
}

// Fills the band's uplink and downlink for the k-th channel of run `index`.
void Pair(const Band& band, std::size_t index, std::int64_t k, BandChannel& found)
{
    if (index < static_cast<std::size_t>(band.uplinkRuns)) {
        const Run& up = band.uplink[index];
        const std::int64_t channel = up.first + k * up.step;
        if (channel <= up.last) {
            found.hasUplink = true;
            found.uplinkChannel = channel;
            found.uplinkMHz = Frequency(up, channel);
        }
    }
    if (index < static_cast<std::size_t>(band.downlinkRuns)) {
        const Run& down = band.downlink[index];
        const std::int64_t channel = down.first + k * down.step;
        if (channel <= down.last) {
            found.hasDownlink = true;
            found.downlinkChannel = channel;
            found.downlinkMHz = Frequency(down, channel);
        }
    }
}

struct Interval {
    long double low;
    long double high;
};

// The union of intervals, as "a..b, c..d".
std::string Ranges(std::vector<Interval> intervals, ResultFormat format)
{
    std::sort(intervals.begin(), intervals.end(), [](const Interval& a, const Interval& b) { return a.low < b.low; });
    std::vector<Interval> merged;
    for (const Interval& interval : intervals) {
        if (!merged.empty() && interval.low <= merged.back().high + 1.0L) {
            merged.back().high = std::max(merged.back().high, interval.high);
        } else {
            merged.push_back(interval);
        }
    }
    std::string text;
    for (const Interval& interval : merged) {
        text += (text.empty() ? "" : ", ") + FormatAs(format, interval.low) + ".." + FormatAs(format, interval.high);
    }
    return text;
}

std::string ChannelRanges(const BandStandard& standard)
{
    std::vector<Interval> channels;
    for (const Band& band : BandsOf(standard)) {
        for (auto direction : {LinkDirection::Uplink, LinkDirection::Downlink}) {
            for (const Run& run : Runs(band, direction)) {
                channels.push_back({static_cast<long double>(run.first), static_cast<long double>(run.last)});
            }
        }
    }
    return Ranges(channels, ResultFormat::Full);
}

std::string FrequencyRanges(const BandStandard& standard, LinkDirection direction)
{
    std::vector<Interval> frequencies;
    for (const Band& band : BandsOf(standard)) {
        for (const Run& run : Runs(band, direction)) {
            frequencies.push_back({Frequency(run, run.first), Frequency(run, run.last)});
        }
    }
    return Ranges(frequencies, ResultFormat::Full);
}

// An NR-ARFCN no band has as a channel. On the global raster but outside
// every band it still names a frequency (a band this table does not know
// may hold it): that frequency, both ways, with the warning that no band
// holds it. Within a band's channels but off its channel raster, or off the
// global raster, it is refused with the NR-ARFCNs it must be.
Outcome<std::vector<BandChannel>, BandField> OutsideTheNrBands(std::int64_t channel)
{
    const std::span<const Run> global = bands::NrGlobalRaster();
    if (channel < global.front().first || channel > global.back().last) {
        return Refusal<BandField>{"NR-ARFCN must be " + std::to_string(global.front().first) + ".." +
                                      std::to_string(global.back().last),
                                  BandField::Channel};
    }
    std::string rasters;
    for (const Band& band : bands::NrBands()) {
        const std::span<const Run> up = Runs(band, LinkDirection::Uplink);
        for (auto direction : {LinkDirection::Uplink, LinkDirection::Downlink}) {
            const std::span<const Run> runs = Runs(band, direction);
            for (std::size_t index = 0; index < runs.size(); ++index) {
                const Run& run = runs[index];
                // A TDD band's downlink repeats its uplink.
                const bool repeated = direction == LinkDirection::Downlink && index < up.size() &&
                    up[index].first == run.first && up[index].last == run.last && up[index].step == run.step;
                if (channel < run.first || channel > run.last || repeated) {
                    continue;
                }
                rasters += (rasters.empty() ? "" : "; ") + std::string(band.name) + " " + std::to_string(run.first) +
                    ".." + std::to_string(run.last) + " in steps of " + std::to_string(run.step);
            }
        }
    }
    if (!rasters.empty()) {
        return Refusal<BandField>{"NR-ARFCN must be on its band's channel raster: " + rasters, BandField::Channel};
    }
    BandChannel match;
    match.channel = channel;
    for (const Run& run : global) {
        if (channel >= run.first && channel <= run.last) {
            match.uplinkMHz = match.downlinkMHz = Frequency(run, channel);
        }
    }
    match.hasUplink = match.hasDownlink = true;
    match.uplinkChannel = match.downlinkChannel = channel;
    match.warning = "No NR band holds NR-ARFCN " + std::to_string(channel);
    return std::vector<BandChannel>{match};
}
} // namespace

namespace {
bool Holds(const std::vector<BandChannel>& found, std::string_view band)
{
    return std::any_of(found.begin(), found.end(), [&](const BandChannel& match) { return match.band == band; });
}
} // namespace

std::span<const BandStandard> BandStandards()
{
    return kStandards;
}

std::span<const Choice> BandStandardChoices()
{
    static const std::vector<Choice> choices = ChoicesOf();
    return choices;
}

const ResultSpec kBandName{"Band", "band", "", ResultFormat::Text};
const ResultSpec kBandChannel{"Channel", "channel", "", ResultFormat::Whole};
const ResultSpec kUplinkChannel{"Uplink channel", "uplink-channel", "", ResultFormat::Whole};
const ResultSpec kUplinkFrequency{"Uplink (MHz)", "uplink", "MHz", ResultFormat::Full};
const ResultSpec kDownlinkChannel{"Downlink channel", "downlink-channel", "", ResultFormat::Whole};
const ResultSpec kDownlinkFrequency{"Downlink (MHz)", "downlink", "MHz", ResultFormat::Full};
const ResultSpec kBandFrequencyError{"Frequency Error", "frequency-error", "Hz", ResultFormat::Result};
const ResultSpec kBandList{"Bands", "bands", "", ResultFormat::Text};

std::string BandList(const std::vector<BandChannel>& matches, bool withChannels)
{
    std::string list;
    for (const BandChannel& match : matches) {
        list += list.empty() ? "" : ", ";
        list += match.band;
        if (withChannels) {
            list += ": " + std::to_string(match.channel);
        }
    }
    return list;
}

const CalculationSpec<BandField> kBandChannelToFrequencies{"band", kToFrequencyFields, {}};
const CalculationSpec<BandField> kBandFrequencyToChannel{"band", kToChannelFields, {}};

Outcome<std::vector<BandChannel>, BandField> BandChannelToFrequencies(const Inputs<BandField>& in)
{
    const BandStandard& standard = kStandards[in.Index(BandField::Standard)];
    const std::int64_t channel = in.Whole(BandField::Channel);
    std::vector<BandChannel> found;
    for (const Band& band : BandsOf(standard)) {
        for (auto direction : {LinkDirection::Uplink, LinkDirection::Downlink}) {
            const std::span<const Run> runs = Runs(band, direction);
            for (std::size_t index = 0; index < runs.size(); ++index) {
                if (!OnRun(runs[index], channel)) {
                    continue;
                }
                // A GSM ARFCN numbers both directions: the uplink run says it.
                if (standard.family == BandFamily::Gsm && direction == LinkDirection::Downlink) {
                    continue;
                }
                // A TDD band numbers one run for both directions: one answer a band.
                if (Holds(found, band.name)) {
                    continue;
                }
                BandChannel match;
                match.band = std::string(band.name);
                match.channel = channel;
                Pair(band, index, (channel - runs[index].first) / runs[index].step, match);
                found.push_back(match);
            }
        }
    }
    if (found.empty() && standard.family == BandFamily::Nr) {
        return OutsideTheNrBands(channel);
    }
    if (found.empty()) {
        return Refusal<BandField>{ChannelCaption(standard) + " must be " + ChannelRanges(standard), BandField::Channel};
    }
    return found;
}

Outcome<std::vector<BandChannel>, BandField> BandFrequencyToChannel(const Inputs<BandField>& in)
{
    const BandStandard& standard = kStandards[in.Index(BandField::Standard)];
    const auto direction = in.Choice<LinkDirection>(BandField::Direction);
    const long double frequency = in.Real(BandField::Frequency);
    std::vector<BandChannel> found;
    for (const Band& band : BandsOf(standard)) {
        const std::span<const Run> runs = Runs(band, direction);
        for (std::size_t index = 0; index < runs.size(); ++index) {
            const Run& run = runs[index];
            // The channel as a real, counted in raster steps from the run's first.
            const long double steps =
                ((fp::Real(frequency) - Frequency(run, run.first)) / (run.unitMHz * run.step)).Value();
            const long double count = static_cast<long double>((run.last - run.first) / run.step);
            // Half a step beyond either end still belongs to the end channel.
            if (!(steps >= -0.5L && steps <= count + 0.5L)) {
                continue;
            }
            if (Holds(found, band.name)) {
                continue;
            }
            const long double k = std::clamp(std::nearbyint(steps), 0.0L, count);
            const long double offset = steps - k;
            BandChannel match;
            match.band = std::string(band.name);
            match.channel = run.first + static_cast<std::int64_t>(k) * run.step;
            match.errorHz = fp::Round(offset * run.unitMHz * static_cast<long double>(run.step) * 1e6L);
            match.offRaster = std::fabs(offset) > kOnRaster;
            Pair(band, index, static_cast<std::int64_t>(k), match);
            found.push_back(match);
        }
    }
    if (found.empty()) {
        const char* side = direction == LinkDirection::Uplink ? "uplink" : "downlink";
        return Refusal<BandField>{std::string(standard.choice.text) + " " + side + " frequency must be " +
                                      FrequencyRanges(standard, direction) + " MHz",
                                  BandField::Frequency};
    }
    return found;
}

std::vector<BandSummary> BandSummaries()
{
    std::vector<BandSummary> summaries;
    for (const BandStandard& standard : kStandards) {
        for (const Band& band : BandsOf(standard)) {
            BandSummary summary{std::string(standard.choice.key), std::string(band.name), std::string(band.duplex), "",
                                ""};
            for (auto direction : {LinkDirection::Uplink, LinkDirection::Downlink}) {
                std::string text;
                for (const Run& run : Runs(band, direction)) {
                    text += (text.empty() ? "" : ", ") + FormatFull(Frequency(run, run.first)) + "-" +
                        FormatFull(Frequency(run, run.last)) + " MHz " + std::to_string(run.first) + "-" +
                        std::to_string(run.last);
                }
                (direction == LinkDirection::Uplink ? summary.uplink : summary.downlink) = text;
            }
            summaries.push_back(summary);
        }
    }
    return summaries;
}

} // namespace zandrevio
