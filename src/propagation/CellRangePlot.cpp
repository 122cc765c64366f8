#include "propagation/CellRangePlot.h"

#include "numeric/format.h"

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

void DrawCellRangePlot(QImage& surface, const std::vector<LevelPoint>& levels, long double sensitivityDbm,
                       long double radiusKm)
{
    surface.fill(Qt::white);
    if (levels.size() < 2) {
        return;
    }
    long double top = levels.front().levelDbm;
    long double bottom = sensitivityDbm;
    for (const LevelPoint& point : levels) {
        top = std::max(top, point.levelDbm);
        bottom = std::min(bottom, point.levelDbm);
    }
    // A flat view still gets a scale of its own.
    if (!(top - bottom >= 1.0L)) {
        top += 0.5L;
        bottom -= 0.5L;
    }
    const long double far = levels.back().distanceKm;
    const QRectF area(kLeft, 2, surface.width() - kLeft - 4, surface.height() - kBottom - 4);
    const auto x = [&](long double km) { return area.left() + area.width() * static_cast<double>(km / far); };
    const auto y = [&](long double dbm) {
        return area.top() + area.height() * static_cast<double>((top - dbm) / (top - bottom));
    };

    QPainter painter(&surface);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(9);
    painter.setFont(small);
    painter.setPen(Qt::black);
    painter.drawRect(area);
    painter.drawText(QRectF(0, area.top(), kLeft - 2, 10), Qt::AlignRight, Text(top));
    painter.drawText(QRectF(0, area.bottom() - 10, kLeft - 2, 10), Qt::AlignRight, Text(bottom));
    painter.drawText(QRectF(area.left(), area.bottom() + 1, 20, 12), Qt::AlignLeft, QStringLiteral("0"));
    painter.drawText(QRectF(area.right() - 60, area.bottom() + 1, 60, 12), Qt::AlignRight, Text(far) + " km");

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

} // namespace zandrevio
