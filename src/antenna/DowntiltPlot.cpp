#include "antenna/DowntiltPlot.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace zandrevio {

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
