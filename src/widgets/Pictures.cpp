#include "widgets/Pictures.h"

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

} // namespace zandrevio
