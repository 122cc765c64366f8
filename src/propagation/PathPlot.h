#pragma once

#include "propagation/path_link.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

class QImage;
class QPainter;

namespace zandrevio {

// The profile of a path as drawn: the terrain on the curved earth of the
// chosen k (each point's ground raised by the bulge), so that the line of
// sight between the antenna tops stays straight and the clearance is seen
// as the gap between the two.

// The low k the terrain is also drawn at: the earth bulging as on the days
// the beam bends least, against which a planner checks the clearance.
inline constexpr long double kLowKFactor = 2.0L / 3.0L;

// The ranges of the plot and the values its ticks are written at.
struct PathAxes {
    long double lengthKm; // the distance axis runs from 0 to here
    long double lowM;     // the height axis, on tick values
    long double highM;
    std::vector<long double> kmTicks;
    std::vector<long double> heightTicks;
};

// The axes for a path's points: the whole path across; heights from below
// the lowest ground to above the Fresnel zone and the highest ground, each
// end on a tick.
PathAxes PathAxesOf(const std::vector<PathPointGeometry>& points);

// Where a height (m above sea level) at a distance (km from the transmitter)
// falls in `frame`: the distance axis across, the height axis up.
QPointF PathPixel(const QRectF& frame, const PathAxes& axes, long double km, long double heightM);

// The plot's lines in pixels, each point by PathPixel.
struct PathCurves {
    QPolygonF terrain;      // ground + bulge, closed along the frame's bottom for filling
    QPolygonF lineOfSight;  // from the transmitter's antenna to the receiver's
    QPolygonF fresnelUpper; // the first Fresnel zone's boundary above the line
    QPolygonF fresnelLower; // and below it
    QPolygonF fresnel60;    // 60 % of the zone's radius below the line
    QPolygonF lowKTerrain;  // the ground as it stands on an earth of k = 2/3
    QPointF worstGround;    // the terrain at the worst point
    QPointF worstLine;      // the line of sight above it
};
PathCurves PathCurvesOf(const QRectF& frame, const PathAxes& axes, const PathResult& result);

// The plot's text alternative: the path's length and what its clearance is.
QString PathPlotDescription(const PathResult& result);

// The plot on the page: white, the terrain filled from below, the lines over
// it and the worst point marked, the axes' values written beside them.
void DrawPathPlot(QImage& surface, const PathResult& result);
// The same plot as copied and saved, on a picture of `size`: its axes named
// and a key to its lines.
void PaintPathPicture(QPainter& painter, QSize size, const PathResult& result);
inline constexpr int kPathPictureWidth = 720;
inline constexpr int kPathPictureHeight = 400;

} // namespace zandrevio
