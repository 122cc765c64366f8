#pragma once

#include "calculation/calculation.h"

#include <cstdint>
#include <string>

namespace zandrevio {

enum class CellularStandard { Gsm = 0, Amps = 1, Nmt = 2 };
inline constexpr Choice kCellularStandards[] = {{"GSM", "gsm"}, {"AMPS", "amps"}, {"NMT", "nmt"}};

// Which of the pair the frequency field holds: the base station's receive
// or its transmit frequency.
enum class DuplexSide { BsReceive = 0, BsTransmit = 1 };
inline constexpr Choice kDuplexSides[] = {{"BS RX", "rx"}, {"BS TX", "tx"}};

// The fields of the channel calculator. The frequency to channel reads the
// receive frequency in either mode (in "BS TX" mode it is the transmit
// frequency less the duplex spacing) and refuses at the field of its mode.
enum class ChannelField { Standard, Channel, Side, Receive, Transmit };
extern const CalculationSpec<ChannelField> kChannelToFrequencies;
extern const CalculationSpec<ChannelField> kFrequencyToChannel;
extern const ResultSpec kReceiveFrequency;
extern const ResultSpec kTransmitFrequency;
extern const ResultSpec kChannelNumber;
extern const ResultSpec kFrequencyError;

// One standard's channel raster, its texts and its limits.
struct StandardPlan {
    long double duplexSpacing; // MHz
    const char* duplexText;
    const char* channelSpacingText; // kHz
    long double rasterStep;         // MHz
    long double hertzPerStep;
    long double lowestReceive; // accepted receive frequencies, inclusive
    long double highestReceive;
    ResultFormat frequencyFormat;
    ResultFormat errorFormat;
    long double startReceive; // written when the standard is chosen
    long double startTransmit;
    const char* channelMessage;
    const char* frequencyMessage;
};

const StandardPlan& PlanOf(CellularStandard standard);

struct Frequencies {
    long double receive; // MHz
    long double transmit;
};

// The receive and transmit frequency of the channel of the standard.
Outcome<Frequencies, ChannelField> ChannelToFrequencies(const Inputs<ChannelField>& in);

struct ChannelAtFrequency {
    std::int32_t channel;
    std::int64_t errorHz; // positive above the channel's raster point
    bool offRaster;
};

// The channel nearest to the receive frequency, and how far off its raster
// point the frequency lies.
Outcome<ChannelAtFrequency, ChannelField> FrequencyToChannel(const Inputs<ChannelField>& in);

// The other frequency of a duplex pair.
long double TransmitFromReceive(long double receive, long double duplexSpacing);
long double ReceiveFromTransmit(long double transmit, long double duplexSpacing);

} // namespace zandrevio
