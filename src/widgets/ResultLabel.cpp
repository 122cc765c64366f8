#include "widgets/ResultLabel.h"

#include <QPainter>

namespace zandrevio {

ResultLabel::ResultLabel(QWidget* parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setIndent(2);
}

void ResultLabel::SetTextColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

QColor ResultLabel::TextColor() const
{
    return palette().color(QPalette::WindowText);
}

QFont ResultLabel::ShownFont() const
{
    QFont shown = font();
    const int room = contentsRect().width() - 2 * indent();
    // A pixel at a time down to 6 pixels: enough for the longest result.
    int size = shown.pixelSize() > 0 ? shown.pixelSize() : QFontInfo(shown).pixelSize();
    while (size > 6 && QFontMetrics(shown).horizontalAdvance(text()) > room) {
        shown.setPixelSize(--size);
    }
    return shown;
}

void ResultLabel::paintEvent(QPaintEvent* event)
{
    const QFont shown = ShownFont();
    if (shown == font()) {
        QLabel::paintEvent(event);
        return;
    }
    // Too long for the label's own font: drawn smaller, the frame as ever.
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setFont(shown);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect().adjusted(indent(), 0, -indent(), 0), static_cast<int>(alignment()), text());
}

CaptionLabel::CaptionLabel(QWidget* parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setIndent(2);
}

} // namespace zandrevio
