#pragma once

#include "numeric/calculation.h"

#include <array>
#include <cstdint>

// The gain drop of a down-tilted base-station antenna over the ground from
// 0.2 km to 1.6 km, and its plot points.
namespace zandrevio {

struct PlotPoint {
    int x;
    int y;
};

inline constexpr int kCurvePoints = 71;
using DowntiltCurvePoints = std::array<PlotPoint, kCurvePoints>;

enum class DowntiltField { Gain, Height, Beamwidth, Downtilt };
extern const CalculationSpec<DowntiltField> kDowntiltPlot;
// The two axis labels the plot writes: the gain (as typed) and the middle line.
extern const ResultSpec kTopLineGain;
extern const ResultSpec kMiddleLineGain;

// Attenuation in dB (0 to 10) towards a ground point D metres from a mast of
// height H, for a vertical half-power beamwidth B and a downtilt T in degrees.
long double DowntiltAttenuation(long double distanceM, long double heightM, long double beamwidthDeg,
                                long double downtiltDeg);

// The 71 plot points: 4 m and 1/15 dB to the pixel, from D = 200 m.
DowntiltCurvePoints DowntiltCurve(long double heightM, long double beamwidthDeg, long double downtiltDeg);

// The level of the plot's middle line: the gain minus 5, rounded.
std::int64_t MiddleLineGain(long double gainDb);

struct DowntiltPlotResult {
    DowntiltCurvePoints curve;
    std::int64_t middleLineGain;
};

// Reads the gain, height, beamwidth and downtilt, refuses a negative height,
// a beamwidth outside (0, 180] and a tilt beyond 90 degrees either way (an
// uptilt is a negative downtilt), then works out both the curve and the
// middle line before anything is drawn or written.
Outcome<DowntiltPlotResult, DowntiltField> DowntiltPlot(const Inputs<DowntiltField>& in);

} // namespace zandrevio
