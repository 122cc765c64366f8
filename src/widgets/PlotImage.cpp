#include "widgets/PlotImage.h"

#include "widgets/CopyResults.h"
#include "widgets/Feedback.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QSvgGenerator>

#include <QPainter>

namespace zandrevio {

QRectF PlotArea(const QImage& surface)
{
    return {QPointF(0, 0), surface.deviceIndependentSize()};
}

PlotImage::PlotImage(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

QImage& PlotImage::Surface()
{
    // As many pixels as the screen shows the control in: sharp at any scale.
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (m_surface.size() != pixels || m_surface.devicePixelRatio() != ratio) {
        m_surface = QImage(pixels, QImage::Format_ARGB32);
        m_surface.setDevicePixelRatio(ratio);
        m_surface.fill(Qt::transparent);
        if (m_draw) {
            m_draw(m_surface);
        }
    }
    return m_surface;
}

void PlotImage::Draw(std::function<void(QImage&)> draw)
{
    m_draw = std::move(draw);
    m_draw(Surface());
    update();
}

void PlotImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Surface());
    if (hasFocus()) {
        // Dotted black over the plot's edge; the image itself keeps its pixels.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PlotImage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void PlotImage::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void PlotImage::keyPressEvent(QKeyEvent* event)
{
    const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    // Opened by a key, the menu starts on its first item, as arrow keys expect.
    const std::unique_ptr<QMenu> menu = ContextMenu();
    menu->setActiveAction(menu->actions().constFirst());
    menu->exec(mapToGlobal(rect().center()));
}

QString PlotFileName(const QString& chosen, const QString& chosenType)
{
    if (chosen.isEmpty() || chosen.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ||
        chosen.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        return chosen;
    }
    return chosen + (chosenType.contains(QLatin1String("*.svg")) ? QLatin1String(".svg") : QLatin1String(".png"));
}

bool SavePlot(const QImage& plot, const QString& file, const QString& title, const QString& description)
{
    if (!file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        return plot.save(file, "PNG");
    }
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(plot.size());
    svg.setViewBox(QRect(QPoint(0, 0), plot.size()));
    // The generator writes both as they are: escaped here, the file stays well-formed XML.
    svg.setTitle(title.toHtmlEscaped());
    svg.setDescription(description.toHtmlEscaped());
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    painter.drawImage(0, 0, plot);
    return painter.end();
}

void PlotImage::SetPicture(QSize size, std::function<void(QPainter&)> paint)
{
    m_pictureSize = size;
    m_paint = std::move(paint);
}

QImage PlotImage::Picture()
{
    if (!m_paint) {
        return Surface();
    }
    QImage picture(m_pictureSize, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    m_paint(painter);
    return picture;
}

bool PlotImage::SavePicture(const QString& file, const QString& title)
{
    if (!m_paint) {
        return SavePlot(Surface(), file, title, accessibleDescription());
    }
    if (!file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        return Picture().save(file, "PNG");
    }
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(m_pictureSize);
    svg.setViewBox(QRect(QPoint(0, 0), m_pictureSize));
    // The generator writes both as they are: escaped here, the file stays well-formed XML.
    svg.setTitle(title.toHtmlEscaped());
    svg.setDescription(accessibleDescription().toHtmlEscaped());
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    m_paint(painter);
    return painter.end();
}

void PlotImage::Clear()
{
    m_draw = nullptr;
    m_paint = nullptr;
    m_surface = QImage();
    setAccessibleDescription(QString());
    update();
}

std::unique_ptr<QMenu> PlotImage::ContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(tr("Copy image"), this, [this] { QGuiApplication::clipboard()->setImage(Picture()); });
    menu->addAction(tr("Save image as..."), this, [this] {
        QString type;
        const QString file =
            PlotFileName(QFileDialog::getSaveFileName(this, tr("Save image as"), QString(),
                                                      tr("PNG image (*.png);;SVG image (*.svg)"), &type),
                         type);
        if (!file.isEmpty() && !SavePicture(file, accessibleName())) {
            ShowError(tr("The image could not be written to ") + file);
        }
    });
    AddCopyResults(*menu, this);
    return menu;
}

void PlotImage::contextMenuEvent(QContextMenuEvent* event)
{
    // From the keyboard the menu opens over the plot, not where the mouse is.
    const bool keyboard = event->reason() == QContextMenuEvent::Keyboard;
    const std::unique_ptr<QMenu> menu = ContextMenu();
    if (keyboard) {
        menu->setActiveAction(menu->actions().constFirst());
    }
    menu->exec(keyboard ? mapToGlobal(rect().center()) : event->globalPos());
}

} // namespace zandrevio
