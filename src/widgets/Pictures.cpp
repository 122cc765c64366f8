#include "widgets/Pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>

namespace zandrevio {

QPixmap CalculatePicture()
{
    // A little pocket calculator: grey body, green display, dark keys.
    QPixmap picture(12, 14);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(0, 0, 11, 13);
    p.fillRect(2, 2, 8, 3, QColor(0, 128, 0));
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            p.fillRect(2 + 3 * column, 6 + 2 * row + row / 2, 2, 1, QColor(32, 32, 32));
        }
    }
    return picture;
}

QPixmap DrawPicture()
{
    // A blue curve on a white card.
    QPixmap picture(14, 14);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(0, 0, 13, 13);
    p.setPen(QPen(Qt::blue, 2));
    p.drawLine(2, 3, 6, 10);
    p.drawLine(6, 10, 11, 6);
    return picture;
}

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
