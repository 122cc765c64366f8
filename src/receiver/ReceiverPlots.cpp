#include "receiver/ReceiverPlots.h"

#include "numeric/format.h"
#include "widgets/PlotAxes.h"
#include "widgets/PlotImage.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <array>
#include <cmath>
#include <vector>

namespace zandrevio {

namespace {
QString Text(long double value)
{
    return QString::fromStdString(FormatResult(value));
}

QFont PlotFont(int pixels)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    return font;
}

// The bars in `bounds`, the share axis on the left in `left` pixels, the
// names below in `bottom`.
void PaintBars(QPainter& painter, const QRectF& bounds, double left, double bottom, int textPixels,
               const std::vector<NoiseShareBar>& bars)
{
    const QRectF area(bounds.left() + left, bounds.top() + textPixels / 2.0 + 2, bounds.width() - left - 4,
                      bounds.height() - bottom - textPixels / 2.0 - 4);
    painter.setFont(PlotFont(textPixels));
    painter.setPen(Qt::black);
    const double line = textPixels + 2;
    for (const int percent : {0, 25, 50, 75, 100}) {
        const double y = area.bottom() - area.height() * percent / 100.0;
        painter.setPen(QColor(percent == 0 ? 0 : 210, percent == 0 ? 0 : 210, percent == 0 ? 0 : 210));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(bounds.left(), y - line / 2, left - 4, line), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(percent));
    }
    painter.drawLine(area.bottomLeft(), area.topLeft());
    if (bars.empty()) {
        return;
    }
    const double slot = area.width() / static_cast<double>(bars.size());
    const double width = std::min(slot * 0.6, 60.0 * textPixels / 9.0);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const double centre = area.left() + slot * (static_cast<double>(i) + 0.5);
        const double share = std::clamp(static_cast<double>(bars[i].sharePercent), 0.0, 100.0);
        const double height = area.height() * share / 100.0;
        painter.fillRect(QRectF(centre - width / 2, area.bottom() - height, width, height), QColor(70, 110, 190));
        const QString name = QString::fromStdString(bars[i].name);
        painter.drawText(QRectF(centre - slot / 2, area.bottom() + 1, slot, line), Qt::AlignHCenter | Qt::AlignTop,
                         painter.fontMetrics().elidedText(name, Qt::ElideRight, static_cast<int>(slot) - 2));
        const QString value = QString::fromStdString(FormatAs(ResultFormat::Hundredths, bars[i].sharePercent));
        const double above = std::max(area.top(), area.bottom() - height - line);
        painter.drawText(QRectF(centre - slot / 2, above, slot, line), Qt::AlignHCenter | Qt::AlignBottom, value);
    }
}

// The colour and the height (of the plot's) of a product's tick, by its
// order: the odd orders, which fall near the carriers, tallest.
QColor OrderColour(int order)
{
    static const std::array<QColor, kHighestIntermodOrder + 1> colours = {
        Qt::black,           Qt::black,           QColor(0, 140, 0),     QColor(200, 0, 0),
        QColor(0, 150, 150), QColor(220, 110, 0), QColor(120, 120, 120), QColor(150, 0, 150)};
    return colours[static_cast<std::size_t>(std::clamp(order, 0, kHighestIntermodOrder))];
}

double OrderHeight(int order)
{
    return order % 2 == 1 ? 0.75 - 0.1 * (order - 3) / 2 : 0.35 - 0.05 * (order - 2) / 2;
}

void PaintIntermod(QPainter& painter, const QRectF& bounds, double bottom, int textPixels,
                   const IntermodPicture& picture)
{
    const QRectF area(bounds.left() + 4, bounds.top() + textPixels + 4, bounds.width() - 8,
                      bounds.height() - bottom - textPixels - 6);
    painter.setFont(PlotFont(textPixels));
    painter.setPen(Qt::black);
    painter.drawRect(area);
    long double low = 0.0L;
    long double high = 0.0L;
    bool any = false;
    const auto take = [&](long double mhz) {
        low = any ? std::min(low, mhz) : mhz;
        high = any ? std::max(high, mhz) : mhz;
        any = true;
    };
    for (const long double carrier : picture.carriersMhz) {
        take(carrier);
    }
    for (const ReceiveBand& band : picture.bands) {
        take(band.lowMhz);
        take(band.highMhz);
    }
    if (!any) {
        return;
    }
    const long double margin = std::max((high - low) * 0.05L, 0.5L);
    low -= margin;
    high += margin;
    const auto x = [&](long double mhz) {
        return area.left() + area.width() * static_cast<double>((mhz - low) / (high - low));
    };
    const double line = textPixels + 2;
    for (const long double tick : NiceTicks(low, high, std::max(2, static_cast<int>(area.width() / (6 * line))))) {
        const double at = x(tick);
        painter.setPen(QColor(210, 210, 210));
        painter.drawLine(QPointF(at, area.top()), QPointF(at, area.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(at - 4 * line, area.bottom() + 1, 8 * line, line), Qt::AlignHCenter | Qt::AlignTop,
                         Text(tick));
    }
    for (std::size_t i = 0; i < picture.bands.size(); ++i) {
        const ReceiveBand& band = picture.bands[i];
        const QRectF shade(QPointF(x(band.lowMhz), area.top() + 1), QPointF(x(band.highMhz), area.bottom()));
        painter.fillRect(shade, QColor(170, 200, 245, 140));
        painter.setPen(QColor(40, 80, 160));
        painter.drawText(QRectF(shade.left(), area.top() + 1, std::max(shade.width(), 3 * line), line),
                         Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Rx %1").arg(i + 1));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    // A busy site has tens of thousands of products on a few hundred pixels:
    // a tick is drawn once for each order and half pixel, the first product
    // there drawn where it falls, which looks the same and keeps a search's
    // picture as quick as a few thousand lines.
    const auto columns = static_cast<std::size_t>(std::max(0.0, 2 * area.width())) + 2;
    std::vector<bool> drawn(columns * (kHighestIntermodOrder + 1), false);
    for (const IntermodProduct& product : picture.products) {
        const double at = x(product.frequencyMhz);
        if (!std::isfinite(at)) {
            continue; // an axis whose span overflows
        }
        const auto column =
            static_cast<std::size_t>(std::clamp(2 * (at - area.left()) + 0.5, 0.0, static_cast<double>(columns - 1)));
        const auto order = static_cast<std::size_t>(std::clamp(product.order, 0, kHighestIntermodOrder));
        if (drawn[order * columns + column]) {
            continue;
        }
        drawn[order * columns + column] = true;
        painter.setPen(QPen(OrderColour(product.order), 1.5));
        painter.drawLine(QPointF(at, area.bottom()),
                         QPointF(at, area.bottom() - area.height() * OrderHeight(product.order)));
    }
    painter.setPen(QPen(Qt::black, 2));
    for (const long double carrier : picture.carriersMhz) {
        const double at = x(carrier);
        painter.drawLine(QPointF(at, area.bottom()), QPointF(at, area.top() + line));
    }
    std::vector<LabelSpan> labels;
    for (std::size_t i = 0; i < picture.carriersMhz.size(); ++i) {
        labels.push_back({x(picture.carriersMhz[i]),
                          painter.fontMetrics().horizontalAdvance(QStringLiteral("f%1").arg(i + 1)) / 2.0 + 1});
    }
    for (const std::size_t i : LabelsThatFit(labels)) {
        painter.drawText(QRectF(labels[i].centre - 2 * line, bounds.top(), 4 * line, line + 2),
                         Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("f%1").arg(i + 1));
    }
}

// The key of the products' colours: each order's colour beside its number,
// from `left` along the line at `top`.
void PaintOrderKey(QPainter& painter, double left, double top, int textPixels)
{
    painter.setFont(PlotFont(textPixels));
    const double line = textPixels + 4;
    for (int order = kLowestIntermodOrder; order <= kHighestIntermodOrder; ++order) {
        painter.setPen(QPen(OrderColour(order), textPixels / 4.0));
        painter.drawLine(QPointF(left, top + line / 2), QPointF(left + 1.5 * textPixels, top + line / 2));
        painter.setPen(Qt::black);
        const QString name = QStringLiteral("order %1").arg(order);
        const double text = painter.fontMetrics().horizontalAdvance(name);
        painter.drawText(QRectF(left + 1.8 * textPixels, top, text + 2, line), Qt::AlignLeft | Qt::AlignVCenter, name);
        left += 1.8 * textPixels + text + textPixels;
    }
}
} // namespace

std::vector<std::size_t> LabelsThatFit(const std::vector<LabelSpan>& labels)
{
    // Left to right; a label that would print over the one before it is left
    // out (the list beside the plot names them all).
    std::vector<std::size_t> order(labels.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return labels[a].centre < labels[b].centre; });
    std::vector<std::size_t> shown;
    double free = -std::numeric_limits<double>::infinity();
    for (const std::size_t i : order) {
        if (labels[i].centre - labels[i].halfWidth >= free) {
            shown.push_back(i);
            free = labels[i].centre + labels[i].halfWidth;
        }
    }
    return shown;
}

void DrawNoiseShareChart(QImage& surface, const std::vector<NoiseShareBar>& bars)
{
    surface.fill(Qt::white);
    QPainter painter(&surface);
    PaintBars(painter, PlotArea(surface), 26, 14, 9, bars);
}

void PaintNoiseSharePicture(QPainter& painter, QSize size, const std::vector<NoiseShareBar>& bars)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    constexpr double kName = 18;
    PaintBars(painter, QRectF(kName, 0, size.width() - kName, size.height()), 34, 20, 12, bars);
    painter.setFont(PlotFont(12));
    painter.setPen(Qt::black);
    painter.save();
    painter.translate(0, size.height() / 2.0);
    painter.rotate(-90);
    painter.drawText(QRectF(-size.height() / 2.0, 0, size.height(), kName), Qt::AlignCenter,
                     QStringLiteral("Share of the added noise (%)"));
    painter.restore();
}

QString NoiseShareDescription(const std::vector<NoiseShareBar>& bars)
{
    QStringList parts;
    for (const NoiseShareBar& bar : bars) {
        parts << QString::fromStdString(bar.name) + ' ' +
                QString::fromStdString(FormatAs(ResultFormat::Hundredths, bar.sharePercent)) + QStringLiteral(" %");
    }
    return parts.isEmpty() ? QStringLiteral("No cascade worked out yet")
                           : QStringLiteral("Share of the added noise: ") + parts.join(QStringLiteral(", "));
}

void DrawIntermodPlot(QImage& surface, const IntermodPicture& picture)
{
    surface.fill(Qt::white);
    QPainter painter(&surface);
    // The key below the frequencies, as on the saved picture.
    const QRectF area = PlotArea(surface);
    constexpr int kText = 9;
    constexpr double kKey = kText + 5;
    PaintIntermod(painter, area.adjusted(0, 0, 0, -kKey), 14, kText, picture);
    PaintOrderKey(painter, area.left() + 6, area.bottom() - kKey, kText);
}

void PaintIntermodPicture(QPainter& painter, QSize size, const IntermodPicture& picture)
{
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    constexpr double kName = 18;
    constexpr double kKey = 22;
    PaintIntermod(painter, QRectF(0, 0, size.width(), size.height() - kName - kKey), 20, 12, picture);
    painter.setFont(PlotFont(12));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, size.height() - kName - kKey, size.width(), kName), Qt::AlignCenter,
                     QStringLiteral("Frequency (MHz)"));
    PaintOrderKey(painter, 8, size.height() - kKey + 4, 12);
}

QString IntermodDescription(const IntermodPicture& picture)
{
    if (picture.carriersMhz.empty()) {
        return QStringLiteral("No intermodulation search yet");
    }
    const auto [low, high] = std::minmax_element(picture.carriersMhz.begin(), picture.carriersMhz.end());
    return QStringLiteral("%1 carriers from %2 to %3 MHz; %4 receive bands; %5 products in the bands")
        .arg(picture.carriersMhz.size())
        .arg(Text(*low), Text(*high))
        .arg(picture.bands.size())
        .arg(picture.products.size());
}

} // namespace zandrevio
