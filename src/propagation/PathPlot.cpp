#include "propagation/PathPlot.h"

#include "numeric/format.h"
#include "widgets/FieldTable.h"
#include "widgets/PlotAxes.h"
#include "widgets/PlotImage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zandrevio {

namespace {
const QColor kGround(196, 164, 112);
const QColor kGroundEdge(120, 88, 40);
const QColor kFresnel(0, 128, 0);
const QColor kGrid(225, 225, 225);

QString Text(long double value)
{
    return QString::fromStdString(FormatResult(value));
}

// The bulge (m) at `km` along a path of `lengthKm` on the earth of the low k.
long double LowKBulgeM(long double km, long double lengthKm)
{
    return EarthBulgeM(km, lengthKm - km, EffectiveEarthRadiusKm(kLowKFactor)).Value();
}

} // namespace

PathAxes PathAxesOf(const std::vector<PathPointGeometry>& points)
{
    long double low = std::numeric_limits<long double>::infinity();
    long double high = -low;
    const long double length = points.empty() ? 0.0L : points.back().distanceKm;
    for (const PathPointGeometry& point : points) {
        const long double ground = point.groundM + point.bulgeM;
        const long double lowK = point.groundM + LowKBulgeM(point.distanceKm, length);
        low = std::min({low, ground, point.lineOfSightM - point.fresnelRadiusM});
        high = std::max({high, ground, lowK, point.lineOfSightM + point.fresnelRadiusM});
    }
    // A little sky above and ground below, so that nothing runs along the frame.
    const long double span = std::max(high - low, 1.0L);
    const long double step = NiceStep(span * 1.1L, 8);
    PathAxes axes{points.empty() ? 0.0L : points.back().distanceKm,
                  std::floor((low - 0.05L * span) / step) * step,
                  std::ceil((high + 0.05L * span) / step) * step,
                  {},
                  {}};
    axes.kmTicks = NiceTicks(0.0L, axes.lengthKm, 8);
    axes.heightTicks = NiceTicks(axes.lowM, axes.highM, 6);
    return axes;
}

QPointF PathPixel(const QRectF& frame, const PathAxes& axes, long double km, long double heightM)
{
    const long double across = axes.lengthKm > 0.0L ? km / axes.lengthKm : 0.0L;
    const long double up = (heightM - axes.lowM) / (axes.highM - axes.lowM);
    return {frame.left() + frame.width() * static_cast<double>(across),
            frame.bottom() - frame.height() * static_cast<double>(up)};
}

PathCurves PathCurvesOf(const QRectF& frame, const PathAxes& axes, const PathResult& result)
{
    PathCurves curves;
    const PathPointGeometry* worst = nullptr;
    for (const PathPointGeometry& point : result.points) {
        const auto at = [&](long double heightM) { return PathPixel(frame, axes, point.distanceKm, heightM); };
        curves.terrain << at(point.groundM + point.bulgeM);
        curves.fresnelUpper << at(point.lineOfSightM + point.fresnelRadiusM);
        curves.fresnelLower << at(point.lineOfSightM - point.fresnelRadiusM);
        curves.fresnel60 << at(point.lineOfSightM - 0.6L * point.fresnelRadiusM);
        curves.lowKTerrain << at(point.groundM + LowKBulgeM(point.distanceKm, result.points.back().distanceKm));
        if (worst == nullptr ||
            std::fabs(point.distanceKm - result.worstPointKm) < std::fabs(worst->distanceKm - result.worstPointKm)) {
            worst = &point;
        }
    }
    if (worst == nullptr) {
        return curves;
    }
    const PathPointGeometry& first = result.points.front();
    const PathPointGeometry& last = result.points.back();
    curves.terrain << QPointF(curves.terrain.back().x(), frame.bottom())
                   << QPointF(curves.terrain.front().x(), frame.bottom());
    curves.lineOfSight << PathPixel(frame, axes, first.distanceKm, first.lineOfSightM)
                       << PathPixel(frame, axes, last.distanceKm, last.lineOfSightM);
    curves.worstGround = PathPixel(frame, axes, worst->distanceKm, worst->groundM + worst->bulgeM);
    curves.worstLine = PathPixel(frame, axes, worst->distanceKm, worst->lineOfSightM);
    return curves;
}

QString PathPlotDescription(const PathResult& result)
{
    return QStringLiteral("Path profile over %1 km on the curved earth: line of sight %2; worst clearance %3 of F1 "
                          "at %4 km; 60 % of F1 %5")
        .arg(ResultText(kPathResultDistance, result.distanceKm),
             result.lineOfSight ? QStringLiteral("clear") : QStringLiteral("blocked"),
             ResultText(kPathResultClearance, result.clearance), ResultText(kPathResultWorstPoint, result.worstPointKm),
             result.fresnel60 ? QStringLiteral("clear") : QStringLiteral("not clear"));
}

namespace {
// The plot in `bounds`: its frame within the margins left for the height and
// distance values, the values in a font of `textPixels`.
void PaintPlot(QPainter& painter, const QRectF& bounds, double left, double bottom, int textPixels,
               const PathResult& result)
{
    const QRectF area(bounds.left() + left, bounds.top() + textPixels / 2.0 + 1, bounds.width() - left - 8,
                      bounds.height() - bottom - textPixels / 2.0 - 3);
    const PathAxes axes = PathAxesOf(result.points);
    const PathCurves curves = PathCurvesOf(area, axes, result);

    painter.setRenderHint(QPainter::Antialiasing);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(textPixels);
    painter.setFont(small);
    const double line = textPixels + 2;
    // The grid and the axes' values at the ticks.
    for (long double km : axes.kmTicks) {
        const double x = PathPixel(area, axes, km, axes.lowM).x();
        painter.setPen(kGrid);
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 3 * line, area.bottom() + 1, 6 * line, line), Qt::AlignHCenter | Qt::AlignTop,
                         Text(km));
    }
    for (long double m : axes.heightTicks) {
        const double y = PathPixel(area, axes, 0.0L, m).y();
        painter.setPen(kGrid);
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(bounds.left(), y - line / 2, left - 3, line), Qt::AlignRight | Qt::AlignVCenter,
                         Text(m));
    }

    painter.save();
    painter.setClipRect(area);
    painter.setPen(QPen(kGroundEdge, 1));
    painter.setBrush(kGround);
    painter.drawPolygon(curves.terrain);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kFresnel, 1));
    painter.drawPolyline(curves.fresnelUpper);
    painter.drawPolyline(curves.fresnelLower);
    painter.setPen(QPen(kFresnel, 1, Qt::DashLine));
    painter.drawPolyline(curves.fresnel60);
    // The masts: from the ground at each end up to the antenna.
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(curves.terrain[0], curves.lineOfSight.front());
    painter.drawLine(curves.terrain[curves.terrain.size() - 3], curves.lineOfSight.back());
    painter.setPen(QPen(kGroundEdge, 1, Qt::DashLine));
    painter.drawPolyline(curves.lowKTerrain);
    painter.setPen(QPen(Qt::blue, 2));
    painter.drawPolyline(curves.lineOfSight);
    // The antennas: a small triangle at each mast's top.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    for (const QPointF& top : {curves.lineOfSight.front(), curves.lineOfSight.back()}) {
        painter.drawPolygon(QPolygonF{top, top + QPointF(-3.5, -6), top + QPointF(3.5, -6)});
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::red, 1.5, Qt::DotLine));
    painter.drawLine(curves.worstGround, curves.worstLine);
    painter.setPen(QPen(Qt::red, 2));
    painter.drawEllipse(curves.worstGround, 3.5, 3.5);
    painter.restore();
    painter.setPen(Qt::black);
    painter.drawRect(area);
}

// The key: each line's colour and dash beside its name, the terrain's fill as
// a small block, along the line at `top` from `left`; the names short or in full.
void PaintKey(QPainter& painter, double left, double top, int textPixels, bool shortNames)
{
    const struct {
        QPen pen;
        const char* name;
        const char* shortName;
    } keys[] = {{QPen(kGroundEdge, 1), "Terrain on the curved earth", "Terrain"},
                {QPen(kGroundEdge, 1, Qt::DashLine), "Terrain at k = 2/3", "at k = 2/3"},
                {QPen(Qt::blue, 2), "Line of sight", "Line of sight"},
                {QPen(kFresnel, 1), "First Fresnel zone", "F1"},
                {QPen(kFresnel, 1, Qt::DashLine), "60 % of F1", "60 % of F1"},
                {QPen(Qt::red, 1.5, Qt::DotLine), "Worst point", "Worst point"}};
    QFont names(QStringLiteral("Liberation Sans"));
    names.setPixelSize(textPixels);
    painter.setFont(names);
    const QFontMetricsF metrics(names);
    const double swatch = 2 * textPixels;
    const double line = textPixels + 2;
    double x = left;
    for (const auto& key : keys) {
        const QString name = QString::fromLatin1(shortNames ? key.shortName : key.name);
        painter.setPen(key.pen);
        if (&key == &keys[0]) {
            painter.setBrush(kGround);
            painter.drawRect(QRectF(x, top + line * 0.15, swatch, line * 0.7));
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.drawLine(QPointF(x, top + line / 2), QPointF(x + swatch, top + line / 2));
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + swatch + 4, top, metrics.horizontalAdvance(name) + 2, line),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x += swatch + 4 + metrics.horizontalAdvance(name) + 1.5 * textPixels;
    }
}
} // namespace

void DrawPathPlot(QImage& surface, const PathResult& result)
{
    surface.fill(Qt::white);
    if (result.points.size() < 2) {
        return;
    }
    QPainter painter(&surface);
    // The key along the top; the units over the height values (m) and under
    // them, beside the distances (km).
    constexpr int kText = 9;
    constexpr double kLeft = 30;
    constexpr double kKeyRow = kText + 4;
    const QRectF all = PlotArea(surface);
    PaintPlot(painter, all.adjusted(0, kKeyRow, 0, 0), kLeft, 13, kText, result);
    PaintKey(painter, all.left() + kLeft, all.top(), kText, true);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(all.left(), all.top(), kLeft - 3, kKeyRow), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("m"));
    painter.drawText(QRectF(all.left(), all.bottom() - kText - 2, kLeft - 3, kText + 2),
                     Qt::AlignRight | Qt::AlignBottom, QStringLiteral("km"));
}

void PaintPathPicture(QPainter& painter, QSize size, const PathResult& result)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (result.points.size() < 2) {
        return;
    }
    // Room for the height axis' name on the left, the distance axis' name and
    // the key below.
    constexpr double kName = 18;
    constexpr double kKey = 24;
    constexpr double kValues = 48;
    const QRectF plot(kName, 4, size.width() - kName, size.height() - kName - kKey - 4);
    PaintPlot(painter, plot, kValues, 18, 12, result);

    QFont names(QStringLiteral("Liberation Sans"));
    names.setPixelSize(12);
    painter.setFont(names);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(kName + kValues, plot.bottom(), plot.width() - kValues, kName), Qt::AlignCenter,
                     QStringLiteral("Distance (km)"));
    painter.save();
    painter.translate(0, plot.top() + plot.height() / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), kName), Qt::AlignCenter,
                     QStringLiteral("Height (m)"));
    painter.restore();

    PaintKey(painter, kName + 8, size.height() - kKey + 6, 12, false);
}

} // namespace zandrevio
