#pragma once

#include "propagation/cell_range.h"

#include <vector>

class QImage;

namespace zandrevio {

// The received level over distance: the curve in blue, the receiver's
// sensitivity as a red line across, the cell radius as a green line down,
// with the axes' end values written at their ends.
void DrawCellRangePlot(QImage& surface, const std::vector<LevelPoint>& levels, long double sensitivityDbm,
                       long double radiusKm);

} // namespace zandrevio
