#include "coverage/CoverageMap.h"

#include "numeric/format.h"
#include "numeric/radio.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace zandrevio {

namespace {
constexpr float kNone = ServerBands::kNoData;
constexpr double kMetresPerDegree = radio::kEarthRadiusKm * 1000.0 * radio::kPi / 180.0;

QString Tr(const char* text)
{
    return QCoreApplication::translate("CoverageMap", text);
}

struct Step {
    double from;
    QColor colour;
    const char* label;
};
// The level in 10 dB steps, strong warm, weak cold; below the first clear.
const Step kLevelSteps[] = {{-120, QColor(40, 40, 200), "-120"}, {-110, QColor(0, 160, 220), "-110"},
                            {-100, QColor(0, 180, 90), "-100"},  {-90, QColor(150, 210, 0), "-90"},
                            {-80, QColor(250, 230, 0), "-80"},   {-70, QColor(250, 150, 0), "-70"},
                            {-60, QColor(230, 30, 30), "-60"},   {-50, QColor(200, 0, 160), "-50"}};
const Step kCiSteps[] = {{-1000, QColor(200, 0, 0), "< 0"}, {0, QColor(250, 120, 0), "0"},
                         {6, QColor(250, 220, 0), "6"},      {9, QColor(170, 220, 60), "9"},
                         {12, QColor(40, 170, 60), "12"},    {18, QColor(30, 90, 200), "18"}};
const QColor kServerColours[] = {QColor(230, 25, 75),  QColor(60, 180, 75),  QColor(0, 130, 200),
                                 QColor(245, 130, 48), QColor(145, 30, 180), QColor(70, 240, 240),
                                 QColor(240, 50, 230), QColor(210, 245, 60), QColor(0, 128, 128),
                                 QColor(170, 110, 40)};
const QColor kOverlapColours[] = {QColor(0, 0, 0, 0), QColor(60, 180, 75), QColor(250, 220, 0),
                                  QColor(245, 130, 48), QColor(220, 30, 30)};

template <std::size_t N>
const Step* StepOf(const Step (&steps)[N], double value)
{
    const Step* found = nullptr;
    for (const Step& step : steps) {
        found = value >= step.from ? &step : found;
    }
    return found;
}

// The colour of a pixel's band value, or none (clear).
std::optional<QColor> ColourOf(const CoverageMapData& data, CoverageBand band, std::size_t pixel)
{
    const ServerBands& b = data.bands;
    switch (band) {
    case CoverageBand::Level:
        if (b.bestLevel[pixel] != kNone) {
            if (const Step* step = StepOf(kLevelSteps, b.bestLevel[pixel])) {
                return step->colour;
            }
        }
        break;
    case CoverageBand::BestServer:
        if (b.bestServer[pixel] != kNone) {
            return kServerColours[(static_cast<int>(b.bestServer[pixel]) - 1) % 10];
        }
        break;
    case CoverageBand::Ci:
        if (b.ci[pixel] != kNone) {
            return StepOf(kCiSteps, b.ci[pixel])->colour;
        }
        break;
    case CoverageBand::Overlap:
        if (b.overlap[pixel] != kNone && b.overlap[pixel] > 0) {
            return kOverlapColours[std::min(4, static_cast<int>(b.overlap[pixel]))];
        }
        break;
    }
    return std::nullopt;
}

QString Number(long double value, ResultFormat format = ResultFormat::Hundredths)
{
    return QString::fromStdString(FormatAs(format, value));
}
} // namespace

std::vector<float> Hillshade(const std::vector<float>& heights, const GridWindow& grid)
{
    std::vector<float> shade(heights.size(), 0.7F);
    const int w = grid.width;
    const int h = grid.height;
    constexpr double kZenith = (90.0 - 45.0) * radio::kPi / 180.0;
    constexpr double kAzimuth = (360.0 - 315.0 + 90.0) * radio::kPi / 180.0; // the sun's, as a math angle
    const double dy = static_cast<double>(grid.pixelDeg) * kMetresPerDegree;
    for (int row = 1; row + 1 < h; ++row) {
        const double dx = dy * std::cos(static_cast<double>(grid.Centre(0, row).latitudeDeg) * radio::kPi / 180.0);
        for (int column = 1; column + 1 < w; ++column) {
            const auto z = [&](int c, int r) { return heights[static_cast<std::size_t>(r) * w + c]; };
            const double a = z(column - 1, row - 1), b = z(column, row - 1), c = z(column + 1, row - 1);
            const double d = z(column - 1, row), f = z(column + 1, row);
            const double g = z(column - 1, row + 1), hh = z(column, row + 1), i = z(column + 1, row + 1);
            if (std::isnan(a + b + c + d + f + g + hh + i)) {
                continue;
            }
            // Horn (1981): the gradients of the 3 x 3 window, the reflectance of its plane.
            const double gx = ((c + 2 * f + i) - (a + 2 * d + g)) / (8 * dx);
            const double gy = ((g + 2 * hh + i) - (a + 2 * b + c)) / (8 * dy);
            const double slope = std::atan(std::hypot(gx, gy));
            const double aspect = std::atan2(gy, -gx);
            const double lit = std::cos(kZenith) * std::cos(slope) +
                std::sin(kZenith) * std::sin(slope) * std::cos(kAzimuth - aspect);
            shade[static_cast<std::size_t>(row) * w + column] = static_cast<float>(std::clamp(lit, 0.0, 1.0));
        }
    }
    return shade;
}

QImage ComposeMap(const CoverageMapData& data, CoverageBand band)
{
    const GridWindow& grid = data.bands.grid;
    QImage image(std::max(1, grid.width), std::max(1, grid.height), QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::vector<float> shade = Hillshade(data.terrain, grid);
    for (int row = 0; row < grid.height; ++row) {
        for (int column = 0; column < grid.width; ++column) {
            const std::size_t pixel = static_cast<std::size_t>(row) * grid.width + column;
            const int grey = static_cast<int>(70 + 185 * shade[pixel]);
            QColor colour(grey, grey, grey);
            if (const std::optional<QColor> band_ = ColourOf(data, band, pixel)) {
                colour = QColor((grey * 45 + band_->red() * 55) / 100, (grey * 45 + band_->green() * 55) / 100,
                                (grey * 45 + band_->blue() * 55) / 100);
            }
            image.setPixel(column, row, colour.rgb());
        }
    }
    return image;
}

QString ReadoutOf(const CoverageMapData& data, int column, int row)
{
    const GridWindow& grid = data.bands.grid;
    if (column < 0 || row < 0 || column >= grid.width || row >= grid.height) {
        return {};
    }
    const GeoPoint place = grid.Centre(column, row);
    const std::size_t pixel = static_cast<std::size_t>(row) * grid.width + column;
    QString text = Tr("%1° %2, %3° %4").arg(Number(std::fabs(place.latitudeDeg), ResultFormat::Full).left(9),
                                           place.latitudeDeg >= 0 ? "N" : "S",
                                           Number(std::fabs(place.longitudeDeg), ResultFormat::Full).left(9),
                                           place.longitudeDeg >= 0 ? "E" : "W");
    const float terrain = data.terrain[pixel];
    text += std::isnan(terrain) ? Tr(": no terrain data") : Tr(": terrain %1 m").arg(Number(terrain, ResultFormat::Result));
    const ServerBands& b = data.bands;
    if (b.bestServer[pixel] == kNone) {
        return text + Tr(", no site reaches it");
    }
    const auto index = static_cast<std::size_t>(b.bestServer[pixel]) - 1;
    text += Tr(", level %1 dBm, best server %2").arg(Number(b.bestLevel[pixel]), QString::fromStdString(data.sites[index].name));
    if (b.margin[pixel] != kNone) {
        text += Tr(", margin %1 dB").arg(Number(b.margin[pixel]));
    }
    if (b.ci[pixel] != kNone) {
        text += Tr(", C/I %1 dB").arg(Number(b.ci[pixel]));
    }
    return text;
}

QString CoverageSummary(const CoverageMapData& data)
{
    const ServerBands& b = data.bands;
    std::vector<std::size_t> served(data.sites.size(), 0);
    std::vector<std::size_t> above(data.sites.size(), 0);
    std::size_t area = 0;
    std::size_t covered = 0;
    for (std::size_t pixel = 0; pixel < b.bestServer.size(); ++pixel) {
        if (b.bestServer[pixel] == kNone) {
            continue;
        }
        const auto index = static_cast<std::size_t>(b.bestServer[pixel]) - 1;
        ++area;
        ++served[index];
        if (b.bestLevel[pixel] >= data.thresholdDbm) {
            ++covered;
            ++above[index];
        }
    }
    const auto share = [area](std::size_t part) {
        return Number(area == 0 ? 0.0L : 100.0L * static_cast<long double>(part) / static_cast<long double>(area));
    };
    QString text = Tr("%1 % of the area the sites reach is at or above %2 dBm")
                       .arg(share(covered), Number(data.thresholdDbm, ResultFormat::Result));
    for (std::size_t s = 0; s < data.sites.size(); ++s) {
        text += Tr("\n%1 serves %2 % of it, %3 % at or above the threshold")
                    .arg(QString::fromStdString(data.sites[s].name), share(served[s]), share(above[s]));
    }
    return text;
}

CoverageMap::CoverageMap(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setMinimumSize(320, 240);
    setAccessibleName(Tr("Coverage map"));
}

void CoverageMap::SetData(std::shared_ptr<const CoverageMapData> data)
{
    m_data = std::move(data);
    m_image = m_data ? ComposeMap(*m_data, m_band) : QImage();
    if (m_data) {
        const GridWindow& grid = m_data->bands.grid;
        m_centre = QPointF(grid.width / 2.0, grid.height / 2.0);
        m_zoom = std::max(0.05, std::min(width() / std::max(1.0, double(grid.width)),
                                         height() / std::max(1.0, double(grid.height))));
        setAccessibleDescription(CoverageSummary(*m_data));
    } else {
        setAccessibleDescription({});
    }
    update();
}

void CoverageMap::SetBand(CoverageBand band)
{
    m_band = band;
    if (m_data) {
        m_image = ComposeMap(*m_data, m_band);
    }
    update();
}

QPoint CoverageMap::PixelAt(QPointF point) const
{
    if (!m_data) {
        return {-1, -1};
    }
    const QPointF cell = (point - QPointF(width() / 2.0, height() / 2.0)) / m_zoom + m_centre;
    const int column = static_cast<int>(std::floor(cell.x()));
    const int row = static_cast<int>(std::floor(cell.y()));
    const GridWindow& grid = m_data->bands.grid;
    return column >= 0 && row >= 0 && column < grid.width && row < grid.height ? QPoint(column, row) : QPoint(-1, -1);
}

QPointF CoverageMap::ScreenOf(GeoPoint place) const
{
    if (!m_data) {
        return {};
    }
    const GridWindow& grid = m_data->bands.grid;
    const QPointF cell(static_cast<double>((place.longitudeDeg - grid.West()) / grid.pixelDeg),
                       static_cast<double>((grid.North() - place.latitudeDeg) / grid.pixelDeg));
    return (cell - m_centre) * m_zoom + QPointF(width() / 2.0, height() / 2.0);
}

void CoverageMap::PaintOverlays(QPainter& painter, QRectF area, double pixelsPerCell,
                                const std::function<QPointF(QPointF)>& toScreen) const
{
    const CoverageMapData& data = *m_data;
    const GridWindow& grid = data.bands.grid;
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    // The sites: a triangle and the name.
    for (const CoverageMapData::Site& site : data.sites) {
        const QPointF cell((static_cast<double>(site.place.longitudeDeg - grid.West()) / static_cast<double>(grid.pixelDeg)),
                           (static_cast<double>(grid.North() - site.place.latitudeDeg) / static_cast<double>(grid.pixelDeg)));
        const QPointF at = toScreen(cell);
        QPainterPath mark;
        mark.moveTo(at + QPointF(0, -7));
        mark.lineTo(at + QPointF(6, 5));
        mark.lineTo(at + QPointF(-6, 5));
        mark.closeSubpath();
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(Qt::black);
        painter.drawPath(mark);
        painter.setPen(Qt::black);
        painter.drawText(at + QPointF(8, 4), QString::fromStdString(site.name));
    }
    painter.setBrush(Qt::NoBrush);
    // North, top left.
    painter.setPen(QPen(Qt::black, 2));
    const QPointF north = area.topLeft() + QPointF(18, 12);
    painter.drawLine(north + QPointF(0, 26), north + QPointF(0, 4));
    painter.drawLine(north + QPointF(0, 4), north + QPointF(-5, 12));
    painter.drawLine(north + QPointF(0, 4), north + QPointF(5, 12));
    painter.drawText(QRectF(north.x() - 8, north.y() + 26, 16, 14), Qt::AlignCenter, "N");
    // The scale bar, bottom left: a round length near 100 screen pixels.
    const double metresPerPixel = static_cast<double>(grid.pixelDeg) * kMetresPerDegree *
        std::cos(static_cast<double>(grid.Centre(0, grid.height / 2).latitudeDeg) * radio::kPi / 180.0) / pixelsPerCell;
    const double target = 100 * metresPerPixel;
    const double decade = std::pow(10.0, std::floor(std::log10(target)));
    double length = decade;
    for (const double times : {2.0, 5.0}) {
        length = decade * times <= target ? decade * times : length;
    }
    const double bar = length / metresPerPixel;
    const QPointF left = area.bottomLeft() + QPointF(12, -14);
    painter.fillRect(QRectF(left.x() - 4, left.y() - 16, bar + 8, 22), QColor(255, 255, 255, 200));
    painter.drawLine(left, left + QPointF(bar, 0));
    painter.drawLine(left, left + QPointF(0, -5));
    painter.drawLine(left + QPointF(bar, 0), left + QPointF(bar, -5));
    painter.drawText(QRectF(left.x(), left.y() - 16, bar, 12), Qt::AlignCenter,
                     length >= 1000 ? Tr("%1 km").arg(length / 1000) : Tr("%1 m").arg(length));
    // The legend, top right.
    QStringList labels;
    QList<QColor> colours;
    QString title;
    switch (m_band) {
    case CoverageBand::Level:
        title = Tr("Level (dBm)");
        for (const Step& step : kLevelSteps) {
            labels << QString::fromLatin1(step.label) + (step.from == -100 ? " *" : "");
            colours << step.colour;
        }
        break;
    case CoverageBand::BestServer:
        title = Tr("Best server");
        for (std::size_t s = 0; s < data.sites.size() && s < 10; ++s) {
            labels << QString::fromStdString(data.sites[s].name);
            colours << kServerColours[s];
        }
        break;
    case CoverageBand::Ci:
        title = Tr("C/I (dB)");
        for (const Step& step : kCiSteps) {
            labels << QString::fromLatin1(step.label);
            colours << step.colour;
        }
        break;
    case CoverageBand::Overlap:
        title = Tr("Sites above %1 dBm").arg(Number(data.thresholdDbm, ResultFormat::Result));
        for (int count = 1; count <= 4; ++count) {
            labels << (count == 4 ? QStringLiteral("4+") : QString::number(count));
            colours << kOverlapColours[count];
        }
        break;
    }
    if (m_band == CoverageBand::Level) {
        title += Tr(", * the threshold %1").arg(Number(data.thresholdDbm, ResultFormat::Result));
    }
    const double boxWidth = std::max(90.0, painter.fontMetrics().horizontalAdvance(title) + 12.0);
    const QRectF box(area.right() - boxWidth - 8, area.top() + 8, boxWidth, 20 + 15.0 * labels.size());
    painter.fillRect(box, QColor(255, 255, 255, 215));
    painter.setPen(Qt::black);
    painter.drawText(box.adjusted(6, 3, -4, 0), Qt::AlignLeft | Qt::AlignTop, title);
    for (int i = 0; i < labels.size(); ++i) {
        const QRectF swatch(box.left() + 6, box.top() + 19 + 15 * i, 14, 11);
        painter.fillRect(swatch, colours[i]);
        painter.drawText(QRectF(swatch.right() + 6, swatch.top() - 2, boxWidth - 30, 14), Qt::AlignLeft, labels[i]);
    }
}

QSize CoverageMap::PictureSize() const
{
    if (!m_data) {
        return {};
    }
    const GridWindow& grid = m_data->bands.grid;
    const double scale = std::max(1.0, 600.0 / std::max(grid.width, grid.height));
    return {static_cast<int>(grid.width * scale), static_cast<int>(grid.height * scale)};
}

void CoverageMap::PaintPicture(QPainter& painter) const
{
    if (!m_data) {
        return;
    }
    const QSize size = PictureSize();
    const double scale = static_cast<double>(size.width()) / m_data->bands.grid.width;
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), m_image);
    PaintOverlays(painter, QRectF(QPointF(0, 0), QSizeF(size)), scale,
                  [scale](QPointF cell) { return cell * scale; });
}

void CoverageMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(235, 235, 235));
    if (!m_data) {
        painter.drawText(rect(), Qt::AlignCenter, Tr("No map yet: Calculate draws one"));
        return;
    }
    const QPointF half(width() / 2.0, height() / 2.0);
    const auto toScreen = [this, half](QPointF cell) { return (cell - m_centre) * m_zoom + half; };
    painter.drawImage(QRectF(toScreen(QPointF(0, 0)), QSizeF(m_image.width() * m_zoom, m_image.height() * m_zoom)),
                      m_image);
    PaintOverlays(painter, QRectF(rect()), m_zoom, toScreen);
    if (hasFocus()) {
        // The keyboard's cursor at the view's centre.
        painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(half - QPointF(8, 0), half + QPointF(8, 0));
        painter.drawLine(half - QPointF(0, 8), half + QPointF(0, 8));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CoverageMap::ZoomBy(double factor, QPointF about)
{
    if (!m_data) {
        return;
    }
    const QPointF half(width() / 2.0, height() / 2.0);
    const QPointF cell = (about - half) / m_zoom + m_centre;
    m_zoom = std::clamp(m_zoom * factor, 0.02, 64.0);
    m_centre = cell - (about - half) / m_zoom;
    update();
}

void CoverageMap::ReadAt(QPointF point)
{
    if (!m_data) {
        return;
    }
    const QPoint pixel = PixelAt(point);
    emit Readout(ReadoutOf(*m_data, pixel.x(), pixel.y()));
}

void CoverageMap::wheelEvent(QWheelEvent* event)
{
    ZoomBy(std::pow(1.25, event->angleDelta().y() / 120.0), event->position());
    event->accept();
}

void CoverageMap::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    m_dragging = event->button() == Qt::LeftButton;
    m_dragFrom = event->position();
}

void CoverageMap::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        m_centre -= (event->position() - m_dragFrom) / m_zoom;
        m_dragFrom = event->position();
        update();
    }
    ReadAt(event->position());
}

void CoverageMap::mouseReleaseEvent(QMouseEvent*)
{
    m_dragging = false;
}

void CoverageMap::keyPressEvent(QKeyEvent* event)
{
    const QPointF half(width() / 2.0, height() / 2.0);
    const double step = std::min(width(), height()) / 10.0 / m_zoom;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(1.25, half);
        break;
    case Qt::Key_Minus:
        ZoomBy(0.8, half);
        break;
    case Qt::Key_Left:
        m_centre.rx() -= step;
        break;
    case Qt::Key_Right:
        m_centre.rx() += step;
        break;
    case Qt::Key_Up:
        m_centre.ry() -= step;
        break;
    case Qt::Key_Down:
        m_centre.ry() += step;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    update();
    ReadAt(half);
}

void CoverageMap::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    ReadAt(QPointF(width() / 2.0, height() / 2.0));
    update();
}

void CoverageMap::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace zandrevio
