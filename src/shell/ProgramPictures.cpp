#include "shell/ProgramPictures.h"

#include <QFont>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

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

namespace {
// The program's icon drawn at whatever size is asked for, when it is asked
// for: a start draws none (an offscreen or tiled window may never ask).
class ProgramIconEngine : public QIconEngine {
public:
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const qreal side = std::min(rect.width(), rect.height());
        painter->save();
        painter->translate(rect.topLeft());
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 0, 160));
        painter->drawRoundedRect(QRectF(0, 0, side, side), side / 6.0, side / 6.0);
        // A mast with two radio waves, in yellow.
        painter->setPen(QPen(Qt::yellow, side / 12.0 + 0.5));
        painter->drawLine(QPointF(side * 0.5, side * 0.85), QPointF(side * 0.5, side * 0.35));
        painter->setBrush(Qt::NoBrush);
        for (double r : {0.18, 0.32}) {
            const QRectF arc(side * (0.5 - r), side * (0.35 - r), side * 2 * r, side * 2 * r);
            painter->drawArc(arc, 30 * 16, 120 * 16);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return picture;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }

    QIconEngine* clone() const override { return new ProgramIconEngine; }
};
} // namespace

QIcon ProgramIcon()
{
    return QIcon(new ProgramIconEngine);
}

} // namespace zandrevio
