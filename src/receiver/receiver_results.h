#pragma once

#include "calculation/calculation.h"
#include "receiver/intermodulation.h"

#include <string>

// What a receiver chain and an intermodulation search give, as the command
// line, Python and the window show them.
namespace zandrevio {

// The chain as a whole (its noise figure, temperature, floor and
// sensitivity are the noise calculation's results).
extern const ResultSpec kCascadeGainResult;
extern const ResultSpec kCascadeIip3Result;
extern const ResultSpec kCascadeOip3Result;
extern const ResultSpec kCascadeIp1dbResult;
extern const ResultSpec kCascadeOp1dbResult;
extern const ResultSpec kCascadeSfdrResult;
// Each stage of it.
extern const ResultSpec kStageNameResult;
extern const ResultSpec kStageGainResult;
extern const ResultSpec kStageNoiseFigureResult;
extern const ResultSpec kStageNoiseShareResult;
extern const ResultSpec kStageIp3ShareResult;

// The search's counts: all products, then those of order 2 to 7.
extern const ResultSpec kProductCountResult;
extern const ResultSpec kOrderCountResults[kHighestIntermodOrder - kLowestIntermodOrder + 1];
// A product's row.
extern const ResultSpec kProductFrequencyResult;
extern const ResultSpec kProductOrderResult;
extern const ResultSpec kProductTermsResult;
extern const ResultSpec kProductBandResult;

// "2f1+f3-f2": each carrier by its number as typed, from 1, the added
// carriers before the subtracted ones.
std::string IntermodProductText(const IntermodProduct& product);

} // namespace zandrevio
