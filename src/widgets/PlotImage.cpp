#include "widgets/PlotImage.h"

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

} // namespace zandrevio
