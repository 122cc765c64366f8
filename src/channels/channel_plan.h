#pragma once

#include "numeric/outcome.h"

#include <cstdint>
#include <string>

namespace zandrevio {

enum class CellularStandard { Gsm = 0, Amps = 1, Nmt = 2 };

using NumberFormatter = std::string (*)(long double);

// One standard's channel raster, its texts and its limits.
struct StandardPlan {
    long double duplexSpacing; // MHz
    const char* duplexText;
    const char* channelSpacingText; // kHz
    long double rasterStep;         // MHz
    long double hertzPerStep;
    long double lowestReceive; // accepted receive frequencies, inclusive
    long double highestReceive;
    NumberFormatter frequencyFormat;
    NumberFormatter errorFormat;
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

Outcome<Frequencies> ChannelToFrequencies(CellularStandard standard, std::int32_t channel);

struct ChannelAtFrequency {
    std::int32_t channel;
    std::int64_t errorHz; // positive above the channel's raster point
    bool offRaster;
};

Outcome<ChannelAtFrequency> FrequencyToChannel(CellularStandard standard, long double receive);

// The other frequency of a duplex pair.
long double TransmitFromReceive(long double receive, long double duplexSpacing);
long double ReceiveFromTransmit(long double transmit, long double duplexSpacing);

} // namespace zandrevio
