#include "widgets/PlotImage.h"

#include "widgets/CopyResults.h"
#include "widgets/Feedback.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QSvgGenerator>

#include <QPainter>

namespace zandrevio {

PlotImage::PlotImage(QWidget* parent)
    : QWidget(parent)
{
}

QImage& PlotImage::Surface()
{
    if (m_surface.size() != size()) {
        m_surface = QImage(size(), QImage::Format_ARGB32);
        m_surface.fill(Qt::transparent);
    }
    return m_surface;
}

void PlotImage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Surface());
}

bool SavePlot(const QImage& plot, const QString& file, const QString& title)
{
    if (!file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        return plot.save(file, "PNG");
    }
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(plot.size());
    svg.setViewBox(QRect(QPoint(0, 0), plot.size()));
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    painter.drawImage(0, 0, plot);
    return painter.end();
}

void PlotImage::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(tr("Copy image"), this, [this] { QGuiApplication::clipboard()->setImage(Surface()); });
    menu.addAction(tr("Save image as..."), this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, tr("Save image as"), QString(),
                                                          tr("PNG image (*.png);;SVG image (*.svg)"));
        if (!file.isEmpty() && !SavePlot(Surface(), file, accessibleName())) {
            ShowError(tr("The image could not be written to ") + file);
        }
    });
    AddCopyResults(menu, this);
    menu.exec(event->globalPos());
}

} // namespace zandrevio
