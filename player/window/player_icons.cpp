#include "player/window/player_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace player {
namespace {

constexpr int kSide = 16;
const QColor kInk(0x20, 0x20, 0x20);
const QColor kAccent(0x1E, 0x6F, 0xC8);

void triangle(QPainter &p, QPointF a, QPointF b, QPointF c)
{
    QPainterPath path;
    path.moveTo(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    p.fillPath(path, p.brush());
}

void speaker(QPainter &p)
{
    p.drawRect(QRectF(2, 6, 3, 4));
    triangle(p, {5, 6}, {9, 2.5}, {9, 13.5});
    triangle(p, {5, 6}, {5, 10}, {9, 13.5});
}

void drawIcon(QPainter &p, PlayerIcon icon)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    switch (icon) {
    case PlayerIcon::Play: triangle(p, {4, 2}, {13, 8}, {4, 14}); break;
    case PlayerIcon::Pause:
        p.drawRect(QRectF(4, 3, 3, 10));
        p.drawRect(QRectF(9, 3, 3, 10));
        break;
    case PlayerIcon::Previous:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(p, {13, 3}, {5, 8}, {13, 13});
        break;
    case PlayerIcon::Next:
        triangle(p, {3, 3}, {11, 8}, {3, 13});
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case PlayerIcon::SoundOn:
        speaker(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 1.3));
        p.drawArc(QRectF(6, 5, 5, 6), -50 * 16, 100 * 16);
        p.drawArc(QRectF(5, 3, 9, 10), -50 * 16, 100 * 16);
        break;
    case PlayerIcon::SoundOff:
        speaker(p);
        p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 1.6));
        p.drawLine(QPointF(10.5, 5.5), QPointF(14.5, 10.5));
        p.drawLine(QPointF(14.5, 5.5), QPointF(10.5, 10.5));
        break;
    case PlayerIcon::Quit:
        p.setPen(QPen(QColor(0xB0, 0x18, 0x18), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case PlayerIcon::Window:
        p.fillRect(QRectF(1, 2, 14, 12), kAccent);
        p.setBrush(Qt::white);
        triangle(p, {6, 5}, {11, 8}, {6, 11});
        break;
    }
}

} // namespace

QIcon playerIcon(PlayerIcon icon)
{
    QIcon result;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSide * scale, kSide * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        drawIcon(painter, icon);
        painter.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace player
