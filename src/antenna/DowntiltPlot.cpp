#include "antenna/DowntiltPlot.h"

#include "numeric/checked_math.h"
#include "widgets/PlotImage.h"

#include <QFont>
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

namespace {
constexpr QSize kPlotSize(350, 151);
// Room around the plot in its picture: the gains on the right, the
// distances below, the names above and below.
constexpr int kPictureLeft = 12;
constexpr int kPictureTop = 20;
constexpr int kPictureRight = 48;
constexpr int kPictureBottom = 36;

void PaintGrid(QPainter& painter, const QRect& rect)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect, Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    // Each line stops one pixel short of its end point; what lies outside
    // the surface is cut off.
    painter.drawLine(0, 75, 358, 75);
    for (int x : {100, 200, 300}) {
        painter.drawLine(x, 0, x, 151);
    }
}

void PaintCurve(QPainter& painter, const DowntiltCurvePoints& points)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor(0, 0, 255), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPolygon line;
    for (const PlotPoint& point : points) {
        line << QPoint(point.x, point.y);
    }
    painter.drawPolyline(line);
}
} // namespace

void DrawDowntiltGrid(QImage& surface)
{
    QPainter painter(&surface);
    PaintGrid(painter, PlotArea(surface).toRect());
}

void DrawDowntiltCurve(QImage& surface, const DowntiltCurvePoints& points)
{
    QPainter painter(&surface);
    PaintCurve(painter, points);
}

QSize DowntiltPictureSize()
{
    return {kPictureLeft + kPlotSize.width() + kPictureRight, kPictureTop + kPlotSize.height() + kPictureBottom};
}

void PaintDowntiltPicture(QPainter& painter, const std::optional<DowntiltCurvePoints>& points,
                          const DowntiltScale& scale)
{
    painter.fillRect(QRect(QPoint(0, 0), DowntiltPictureSize()), Qt::white);
    painter.save();
    painter.translate(kPictureLeft, kPictureTop);
    const QRect plot(QPoint(0, 0), kPlotSize);
    painter.setClipRect(plot);
    PaintGrid(painter, plot);
    if (points) {
        PaintCurve(painter, *points);
    }
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(plot.adjusted(0, 0, -1, -1));

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    const int right = plot.right() + 4;
    painter.drawText(QRect(right, -2, kPictureRight - 4, 14), Qt::AlignLeft, scale.topGain);
    painter.drawText(QRect(right, 75 - 7, kPictureRight - 4, 14), Qt::AlignLeft, scale.middleGain);
    painter.drawText(QRect(right - 80, -kPictureTop + 2, 80 + kPictureRight - 4, 14), Qt::AlignRight, scale.gainName);
    for (int i = 0; i < scale.distances.size(); ++i) {
        painter.drawText(QRect(100 * i - 10, plot.bottom() + 3, 30, 14), Qt::AlignLeft, scale.distances[i]);
    }
    painter.drawText(QRect(plot.right() - 80, plot.bottom() + 18, 80 + kPictureRight - 4, 14), Qt::AlignRight,
                     scale.distanceName);
    painter.restore();
}

} // namespace zandrevio
