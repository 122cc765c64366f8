#pragma once

#include "propagation/cell_range.h"

#include <vector>

class QImage;
class QPainter;
class QSize;

namespace zandrevio {

// The received level over distance: the curve in blue, the receiver's
// sensitivity as a red line across, the cell radius as a green line down,
// with the axes' end values written at their ends.
void DrawCellRangePlot(QImage& surface, const std::vector<LevelPoint>& levels, long double sensitivityDbm,
                       long double radiusKm);
// The same plot as copied and saved, on a picture of `size`: its axes named
// (distance in km, level in dBm) and a key to its three lines.
void PaintCellRangePicture(QPainter& painter, QSize size, const std::vector<LevelPoint>& levels,
                           long double sensitivityDbm, long double radiusKm);
inline constexpr int kCellRangePictureWidth = 486;
inline constexpr int kCellRangePictureHeight = 300;

} // namespace zandrevio
