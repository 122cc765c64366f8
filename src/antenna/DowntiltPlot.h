#pragma once

#include "antenna/downtilt.h"

class QImage;

namespace zandrevio {

// Erases the surface to white and draws the black grid: the 5 dB line and
// the 0.6, 1.0 and 1.4 km lines.
void DrawDowntiltGrid(QImage& surface);
// Draws the curve through its 71 points in order, 3 pixels wide, pure blue.
void DrawDowntiltCurve(QImage& surface, const DowntiltCurvePoints& points);

} // namespace zandrevio
