#pragma once

#include "calculation/calculation.h"

#include <cstdint>
#include <vector>

// The gain drop of a down-tilted base-station antenna over the ground from
// 0.2 km to 1.6 km.
namespace zandrevio {

// One point of the curve: the ground distance, the gain drop towards it and
// the gain left there.
struct DowntiltPoint {
    long double distanceKm;
    long double attenuationDb;
    long double gainDb;
};

// 71 points, every 20 m from 0.2 km to 1.6 km.
inline constexpr int kCurvePoints = 71;

enum class DowntiltField { Gain, Height, Beamwidth, Downtilt };
extern const CalculationSpec<DowntiltField> kDowntiltPlot;
// The two axis labels the plot writes: the gain (as typed) and the middle line.
extern const ResultSpec kTopLineGain;
extern const ResultSpec kMiddleLineGain;
// The curve: distance (km) and gain (dB) pairs.
extern const ResultSpec kDowntiltCurve;

// Attenuation in dB (0 to 10) towards a ground point D metres from a mast of
// height H, for a vertical half-power beamwidth B and a downtilt T in degrees.
long double DowntiltAttenuation(long double distanceM, long double heightM, long double beamwidthDeg,
                                long double downtiltDeg);

// The gain of an antenna of `gainDb` over the ground, every 20 m from 0.2 km
// to 1.6 km.
std::vector<DowntiltPoint> DowntiltGains(long double gainDb, long double heightM, long double beamwidthDeg,
                                         long double downtiltDeg);

// The level of the plot's middle line: the gain minus 5, rounded.
std::int64_t MiddleLineGain(long double gainDb);

struct DowntiltPlotResult {
    std::vector<DowntiltPoint> curve;
    long double gainDb;
    std::int64_t middleLineGain;
};

// Reads the gain, height, beamwidth and downtilt, refuses a negative height,
// a beamwidth outside (0, 180] and a tilt beyond 90 degrees either way (an
// uptilt is a negative downtilt), then works out both the curve and the
// middle line before anything is drawn or written.
Outcome<DowntiltPlotResult, DowntiltField> DowntiltPlot(const Inputs<DowntiltField>& in);

} // namespace zandrevio
