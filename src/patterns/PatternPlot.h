#pragma once

#include "patterns/antenna_pattern.h"
#include "patterns/pattern_gain.h"

#include <QSize>
#include <QString>

class QPainter;

// A cut of a pattern as a polar plot: the gain relative to the main beam on
// a dB scale (rings every 10 dB from 0 to -40, labelled), spokes every 30
// degrees. The horizontal cut has boresight up and turns clockwise, as seen
// from above; the vertical cut has the horizon ahead to the right and
// depression downwards, as seen from the antenna's right, so that a beam
// tilted down points down.
namespace zandrevio {

enum class PatternPlane { Horizontal, Vertical };

// The depth of the plot's scale: attenuations beyond it lie on its centre.
inline constexpr long double kPatternPlotDepthDb = 40.0L;

QSize PatternPictureSize();
void PaintPatternPlot(QPainter& painter, QSize size, const AntennaPattern& pattern, PatternPlane plane);

// What the plot shows, as its text alternative.
QString PatternPlotDescription(const AntennaPattern& pattern, const PatternFigures& figures, PatternPlane plane);

} // namespace zandrevio
