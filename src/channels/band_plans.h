#pragma once

#include "calculation/calculation.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Today's band plans: the GSM family as 3GPP TS 45.005 numbers its ARFCNs,
// LTE's EARFCNs (TS 36.101) and NR's NR-ARFCNs on the global frequency
// raster (TS 38.104). A channel gives its uplink and downlink frequency; a
// frequency gives its channel in every band that holds it, with its
// distance from the channel's raster point.
namespace zandrevio {

enum class BandFamily { Gsm, Lte, Nr };

struct BandStandard {
    Choice choice; // "DCS 1800" / "dcs-1800"
    BandFamily family;
    int gsmBand; // the GSM band's index in its table, for the GSM family
};

// Every standard a band plan knows, in the order `bands` lists them.
std::span<const BandStandard> BandStandards();
std::span<const Choice> BandStandardChoices();

enum class LinkDirection { Uplink = 0, Downlink = 1 };
inline constexpr Choice kLinkDirections[] = {{"Uplink", "uplink"}, {"Downlink", "downlink"}};

// The fields of the band plan calculator.
enum class BandField { Standard, Channel, Direction, Frequency };
extern const CalculationSpec<BandField> kBandChannelToFrequencies;
extern const CalculationSpec<BandField> kBandFrequencyToChannel;

// One band's view of a channel or frequency: the channel in the numbering
// of the direction asked for, the uplink and downlink channel and frequency
// where the band has that direction, and the distance of the frequency from
// the channel's raster point.
struct BandChannel {
    std::string band;
    std::int64_t channel = 0;
    bool hasUplink = false;
    std::int64_t uplinkChannel = 0;
    long double uplinkMHz = 0.0L;
    bool hasDownlink = false;
    std::int64_t downlinkChannel = 0;
    long double downlinkMHz = 0.0L;
    std::int64_t errorHz = 0;
    bool offRaster = false;
    // Why the channel stands without a band (the band's name is then
    // empty), or empty.
    std::string warning;
};

// The results of one band, and the list of every band that answers.
extern const ResultSpec kBandName;
extern const ResultSpec kBandChannel;
extern const ResultSpec kUplinkChannel;
extern const ResultSpec kUplinkFrequency;
extern const ResultSpec kDownlinkChannel;
extern const ResultSpec kDownlinkFrequency;
extern const ResultSpec kBandFrequencyError;
extern const ResultSpec kBandList;

// The frequencies of a channel (ARFCN, EARFCN or NR-ARFCN) in every band
// that has it; refused, naming the valid range, when no band has it. An
// NR-ARFCN on the global raster outside every band gives its frequency,
// uplink and downlink alike, in one match without a band and with a
// warning; one within a band's channels but off its channel raster is
// refused, naming that raster.
Outcome<std::vector<BandChannel>, BandField> BandChannelToFrequencies(const Inputs<BandField>& in);
// The channel of an uplink or downlink frequency in every band that holds
// it; refused, naming the bands' range, when none does.
Outcome<std::vector<BandChannel>, BandField> BandFrequencyToChannel(const Inputs<BandField>& in);

// The bands that answer, each once: "n77, n78", or with each band's channel
// of a frequency, "1: 300, 4: 2250, 10: 2250". Both faces write this text.
std::string BandList(const std::vector<BandChannel>& matches, bool withChannels);

// The lines `bands` lists: each band with its channels and frequencies.
struct BandSummary {
    std::string standard;
    std::string band;
    std::string duplex;   // FDD, TDD, SDL, SUL
    std::string uplink;   // "1920-1980 MHz, 18000-18599", or "" where none
    std::string downlink; // likewise
};
std::vector<BandSummary> BandSummaries();

} // namespace zandrevio
