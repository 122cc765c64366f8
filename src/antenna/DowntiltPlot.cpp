#include "antenna/DowntiltPlot.h"

#include "numeric/checked_math.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace zandrevio {

DowntiltCurvePoints CurvePixels(const std::vector<DowntiltPoint>& curve)
{
    DowntiltCurvePoints points{};
    for (std::size_t i = 0; i < points.size() && i < curve.size(); ++i) {
        const long double metres = curve[i].distanceKm * 1000.0L;
        points[i] = {static_cast<int>(fp::Round((metres - 200.0L) / 4.0L)),
                     static_cast<int>(fp::Round(15.0L * curve[i].attenuationDb))};
    }
    return points;
}

DowntiltCurvePoints DowntiltCurve(long double heightM, long double beamwidthDeg, long double downtiltDeg)
{
    return CurvePixels(DowntiltGains(0.0L, heightM, beamwidthDeg, downtiltDeg));
}

void DrawDowntiltGrid(QImage& surface)
{
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(surface.rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    // Each line stops one pixel short of its end point; what lies outside
    // the surface is cut off.
    painter.drawLine(0, 75, 358, 75);
    for (int x : {100, 200, 300}) {
        painter.drawLine(x, 0, x, 151);
    }
}

void DrawDowntiltCurve(QImage& surface, const DowntiltCurvePoints& points)
{
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0, 255), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygon line;
    for (const PlotPoint& point : points) {
        line << QPoint(point.x, point.y);
    }
    painter.drawPolyline(line);
}

} // namespace zandrevio
