#include "shell/ProgramPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace zandrevio {

QPixmap ProductNamePicture(QSize size, bool gradient)
{
    QPixmap picture(size);
    QPainter p(&picture);
    if (gradient) {
        QLinearGradient ground(0, 0, size.width(), 0);
        ground.setColorAt(0, QColor(0, 0, 128));
        ground.setColorAt(1, QColor(0, 64, 255));
        p.fillRect(picture.rect(), ground);
    } else {
        p.fillRect(picture.rect(), QColor(0, 0, 160));
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setPixelSize(size.height() * 2 / 3);
    p.setFont(font);
    p.setPen(Qt::yellow);
    p.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("Zandrevio"));
    return picture;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128, 256}) {
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 160));
        p.drawRoundedRect(QRectF(0, 0, side, side), side / 6.0, side / 6.0);
        // A mast with two radio waves, in yellow.
        p.setPen(QPen(Qt::yellow, side / 12.0 + 0.5));
        p.drawLine(QPointF(side * 0.5, side * 0.85), QPointF(side * 0.5, side * 0.35));
        p.setBrush(Qt::NoBrush);
        for (double r : {0.18, 0.32}) {
            const QRectF arc(side * (0.5 - r), side * (0.35 - r), side * 2 * r, side * 2 * r);
            p.drawArc(arc, 30 * 16, 120 * 16);
        }
        icon.addPixmap(picture);
    }
    return icon;
}

} // namespace zandrevio
