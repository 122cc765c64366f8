#include "patterns/PatternPlot.h"

#include "numeric/format.h"
#include "numeric/radio.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace zandrevio {

namespace {
constexpr QSize kPictureSize(260, 280);
constexpr int kTitleHeight = 20;

// The point of the plot at an angle of the cut and an attenuation.
QPointF PointOf(QPointF centre, qreal radius, long double angleDeg, long double attenuationDb, PatternPlane plane)
{
    const long double depth = std::clamp(attenuationDb, 0.0L, kPatternPlotDepthDb);
    const qreal r = radius * static_cast<qreal>(1.0L - depth / kPatternPlotDepthDb);
    const qreal a = static_cast<qreal>(angleDeg * radio::kPi / 180.0L);
    // Horizontal: 0 up, clockwise. Vertical: 0 right, depression down.
    return plane == PatternPlane::Horizontal ? QPointF(centre.x() + r * std::sin(a), centre.y() - r * std::cos(a))
                                             : QPointF(centre.x() + r * std::cos(a), centre.y() + r * std::sin(a));
}
} // namespace

QSize PatternPictureSize()
{
    return kPictureSize;
}

void PaintPatternPlot(QPainter& painter, QSize size, const AntennaPattern& pattern, PatternPlane plane)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString title = plane == PatternPlane::Horizontal ? QCoreApplication::translate("PatternPlot", "Horizontal") : QCoreApplication::translate("PatternPlot", "Vertical");
    painter.drawText(QRect(0, 2, size.width(), kTitleHeight - 2), Qt::AlignHCenter | Qt::AlignTop, title);
    const qreal radius = std::min(size.width(), size.height() - kTitleHeight) / 2.0 - 22.0;
    const QPointF centre(size.width() / 2.0, kTitleHeight + (size.height() - kTitleHeight) / 2.0);

    // Rings every 10 dB, labelled along the first spoke; spokes every 30 degrees, labelled outside.
    painter.setPen(QPen(QColor(190, 190, 190), 1));
    for (int ring = 0; ring < 4; ++ring) {
        const qreal r = radius * (1.0 - ring * 10.0 / static_cast<qreal>(kPatternPlotDepthDb));
        painter.drawEllipse(centre, r, r);
    }
    for (int spoke = 0; spoke < 360; spoke += 30) {
        painter.drawLine(centre, PointOf(centre, radius, spoke, 0.0L, plane));
    }
    painter.setPen(QColor(90, 90, 90));
    for (int ring = 0; ring < 4; ++ring) {
        const QPointF at = PointOf(centre, radius, plane == PatternPlane::Horizontal ? 15 : 345, ring * 10.0L, plane);
        painter.drawText(QRectF(at.x() - 2, at.y() - 12, 40, 12), Qt::AlignLeft | Qt::AlignBottom,
                         ring == 0 ? QStringLiteral("0 dB") : QString::number(-10 * ring));
    }
    for (int spoke = 0; spoke < 360; spoke += 30) {
        const QPointF at = PointOf(centre, radius + 11.0, spoke, 0.0L, plane);
        painter.drawText(QRectF(at.x() - 16, at.y() - 7, 32, 14), Qt::AlignCenter, QString::number(spoke));
    }

    // The cut, closed, in blue.
    const PatternCut& cut = plane == PatternPlane::Horizontal ? pattern.horizontal : pattern.vertical;
    QPainterPath curve;
    // Every half degree, and every point of the file: the plot shows the cut as it is read.
    std::vector<long double> angles;
    for (int step = 0; step < 720; ++step) {
        angles.push_back(step / 2.0L);
    }
    for (const PatternCut::Point& point : cut.Points()) {
        angles.push_back(point.angleDeg);
    }
    std::sort(angles.begin(), angles.end());
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const QPointF at = PointOf(centre, radius, angles[i], cut.At(angles[i]), plane);
        i == 0 ? curve.moveTo(at) : curve.lineTo(at);
    }
    curve.closeSubpath();
    painter.setPen(QPen(QColor(0, 0, 255), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
    painter.restore();
}

QString PatternPlotDescription(const AntennaPattern& pattern, const PatternFigures& figures, PatternPlane plane)
{
    const QString name = QString::fromStdString(pattern.name);
    if (plane == PatternPlane::Horizontal) {
        return QCoreApplication::translate("PatternPlot", "Horizontal pattern of %1 in dB from the main beam: half-power beamwidth %2 degrees, "
                           "front-to-back ratio %3 dB")
            .arg(name, QString::fromStdString(FormatResultHundredths(figures.horizontalBeamwidthDeg)),
                 QString::fromStdString(FormatResultHundredths(figures.frontToBackDb)));
    }
    return QCoreApplication::translate("PatternPlot", "Vertical pattern of %1 in dB from the main beam: half-power beamwidth %2 degrees, its peak "
                       "%3 degrees down")
        .arg(name, QString::fromStdString(FormatResultHundredths(figures.verticalBeamwidthDeg)),
             QString::fromStdString(FormatResultHundredths(figures.electricalTiltDeg)));
}

} // namespace zandrevio
