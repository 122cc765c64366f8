#pragma once

#include "antenna/downtilt.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class QImage;
class QPainter;

namespace zandrevio {

// A point of the plot in pixels: 4 m and 1/15 dB to the pixel, x from
// 0.2 km, y down from no drop.
struct PlotPoint {
    int x;
    int y;
};
using DowntiltCurvePoints = std::array<PlotPoint, kCurvePoints>;

// The pixels of the curve's 71 points.
DowntiltCurvePoints CurvePixels(const std::vector<DowntiltPoint>& curve);
// The pixels of an antenna's curve (its gain does not move the curve).
DowntiltCurvePoints DowntiltCurve(long double heightM, long double beamwidthDeg, long double downtiltDeg);

// Erases the surface to white and draws the black grid: the 5 dB line and
// the 0.6, 1.0 and 1.4 km lines.
void DrawDowntiltGrid(QImage& surface);
// Draws the curve through its 71 points in order, 3 pixels wide, pure blue.
void DrawDowntiltCurve(QImage& surface, const DowntiltCurvePoints& points);

// The texts of the plot's scale, as the panel shows them around it: the gain
// at the top and at the middle line, the distances of the grid lines from
// the left edge, and the axes' names.
struct DowntiltScale {
    QString topGain;
    QString middleGain;
    QStringList distances;
    QString gainName;
    QString distanceName;
};
// The plot as copied and saved: the grid and the curve (where there is one)
// drawn as on the screen, framed, with its scale around it.
QSize DowntiltPictureSize();
void PaintDowntiltPicture(QPainter& painter, const std::optional<DowntiltCurvePoints>& points,
                          const DowntiltScale& scale);

} // namespace zandrevio
