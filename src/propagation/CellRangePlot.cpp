#include "propagation/CellRangePlot.h"

#include "numeric/format.h"
#include "widgets/PlotImage.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace zandrevio {

namespace {
constexpr int kLeft = 34;   // room for the level labels
constexpr int kBottom = 14; // room for the distance labels

QString Text(long double value)
{
    return QString::fromStdString(FormatResult(value));
}
} // namespace

namespace {
// The plot in `bounds`: its frame within the margins left for the level and
// distance labels, the labels in a font of `textPixels`.
void PaintPlot(QPainter& painter, const QRectF& bounds, double left, double bottom, int textPixels,
               const std::vector<LevelPoint>& levels, long double sensitivityDbm, long double radiusKm)
{
    long double top = levels.front().levelDbm;
    long double low = sensitivityDbm;
    for (const LevelPoint& point : levels) {
        top = std::max(top, point.levelDbm);
        low = std::min(low, point.levelDbm);
    }
    // A flat view still gets a scale of its own.
    if (!(top - low >= 1.0L)) {
        top += 0.5L;
        low -= 0.5L;
    }
    const long double far = levels.back().distanceKm;
    const QRectF area(bounds.left() + left, bounds.top() + 2, bounds.width() - left - 4, bounds.height() - bottom - 4);
    const auto x = [&](long double km) { return area.left() + area.width() * static_cast<double>(km / far); };
    const auto y = [&](long double dbm) {
        return area.top() + area.height() * static_cast<double>((top - dbm) / (top - low));
    };

    painter.setRenderHint(QPainter::Antialiasing);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(textPixels);
    painter.setFont(small);
    const double line = textPixels + 1;
    painter.setPen(Qt::black);
    painter.drawRect(area);
    painter.drawText(QRectF(bounds.left(), area.top(), left - 2, line), Qt::AlignRight, Text(top));
    painter.drawText(QRectF(bounds.left(), area.bottom() - line, left - 2, line), Qt::AlignRight, Text(low));
    painter.drawText(QRectF(area.left(), area.bottom() + 1, 2 * line, line + 2), Qt::AlignLeft, QStringLiteral("0"));
    painter.drawText(QRectF(area.right() - 6 * line, area.bottom() + 1, 6 * line, line + 2), Qt::AlignRight,
                     Text(far) + " km");

    painter.setPen(QPen(Qt::red, 1));
    painter.drawLine(QPointF(area.left(), y(sensitivityDbm)), QPointF(area.right(), y(sensitivityDbm)));
    painter.setPen(QPen(QColor(0, 128, 0), 1, Qt::DashLine));
    painter.drawLine(QPointF(x(radiusKm), area.top()), QPointF(x(radiusKm), area.bottom()));

    QPainterPath curve(QPointF(x(levels.front().distanceKm), y(levels.front().levelDbm)));
    for (const LevelPoint& point : levels) {
        curve.lineTo(x(point.distanceKm), y(point.levelDbm));
    }
    painter.setPen(QPen(Qt::blue, 2));
    painter.drawPath(curve);
}
} // namespace

void DrawCellRangePlot(QImage& surface, const std::vector<LevelPoint>& levels, long double sensitivityDbm,
                       long double radiusKm)
{
    surface.fill(Qt::white);
    if (levels.size() < 2) {
        return;
    }
    QPainter painter(&surface);
    PaintPlot(painter, PlotArea(surface), kLeft, kBottom, 9, levels, sensitivityDbm, radiusKm);
}

void PaintCellRangePicture(QPainter& painter, QSize size, const std::vector<LevelPoint>& levels,
                           long double sensitivityDbm, long double radiusKm)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    if (levels.size() < 2) {
        return;
    }
    // Room for the level axis' name on the left, the distance axis' name and
    // the key below.
    constexpr double kName = 18;
    constexpr double kKey = 22;
    const QRectF plot(kName, 0, size.width() - kName, size.height() - kName - kKey);
    PaintPlot(painter, plot, 56, 20, 12, levels, sensitivityDbm, radiusKm);

    QFont names(QStringLiteral("Liberation Sans"));
    names.setPixelSize(12);
    painter.setFont(names);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(kName + 56, plot.bottom(), plot.width() - 60, kName), Qt::AlignCenter,
                     QStringLiteral("Distance (km)"));
    painter.save();
    painter.translate(0, plot.top() + plot.height() / 2);
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), kName), Qt::AlignCenter,
                     QStringLiteral("Received level (dBm)"));
    painter.restore();

    // The key: each line's colour and dash beside its name.
    const double keyTop = size.height() - kKey + 6;
    const struct {
        QPen pen;
        const char* name;
    } keys[] = {{QPen(Qt::blue, 2), "Received level"},
                {QPen(Qt::red, 1), "Sensitivity"},
                {QPen(QColor(0, 128, 0), 1, Qt::DashLine), "Cell radius"}};
    double x = kName + 56;
    for (const auto& key : keys) {
        painter.setPen(key.pen);
        painter.drawLine(QPointF(x, keyTop + 6), QPointF(x + 24, keyTop + 6));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + 28, keyTop, 110, 14), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(key.name));
        x += 130;
    }
}

} // namespace zandrevio
