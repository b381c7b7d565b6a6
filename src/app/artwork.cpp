#include "app/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

QPixmap DisegnoPallavolo(const QSize &size)
{
    QPixmap pixmap(size);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // Sky and floor.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    sky.setColorAt(0.62, QColor(0x8f, 0xc1, 0xe3));
    sky.setColorAt(0.62, QColor(0xe0, 0x8a, 0x3c));
    sky.setColorAt(1, QColor(0xc2, 0x6b, 0x25));
    p.fillRect(pixmap.rect(), sky);

    // Court lines in perspective and the net.
    const qreal floorY = h * 0.62;
    p.setPen(QPen(Qt::white, 2));
    QPolygonF court;
    court << QPointF(w * 0.18, floorY + 6) << QPointF(w * 0.82, floorY + 6) << QPointF(w * 0.96, h - 6)
          << QPointF(w * 0.04, h - 6);
    p.drawPolygon(court);
    p.drawLine(QPointF(w * 0.11, floorY + (h - floorY) * 0.5), QPointF(w * 0.89, floorY + (h - floorY) * 0.5));
    const qreal netTop = floorY - h * 0.16;
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 3));
    p.drawLine(QPointF(w * 0.08, netTop), QPointF(w * 0.08, floorY + (h - floorY) * 0.5));
    p.drawLine(QPointF(w * 0.92, netTop), QPointF(w * 0.92, floorY + (h - floorY) * 0.5));
    p.setPen(QPen(QColor(255, 255, 255, 160), 1));
    for (qreal y = netTop; y < netTop + h * 0.08; y += 5)
        p.drawLine(QPointF(w * 0.08, y), QPointF(w * 0.92, y));
    for (qreal x = w * 0.08; x < w * 0.92; x += 6)
        p.drawLine(QPointF(x, netTop), QPointF(x, netTop + h * 0.08));
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(QPointF(w * 0.08, netTop), QPointF(w * 0.92, netTop));

    // The ball: white, yellow and blue panels.
    const qreal r = std::min(w, h) * 0.2;
    const QPointF c(w * 0.5, h * 0.28);
    QRadialGradient shade(c - QPointF(r * 0.35, r * 0.35), r * 1.4);
    shade.setColorAt(0, Qt::white);
    shade.setColorAt(1, QColor(0xd8, 0xd8, 0xd8));
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1.5));
    p.setBrush(shade);
    p.drawEllipse(c, r, r);
    p.save();
    QPainterPath clip;
    clip.addEllipse(c, r, r);
    p.setClipPath(clip);
    const QColor panels[] = {QColor(0xf5, 0xc5, 0x18), QColor(0x1f, 0x5f, 0xbf), QColor(0xf5, 0xc5, 0x18)};
    for (int i = 0; i < 3; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 120.0);
        QPainterPath band;
        band.moveTo(-r * 1.2, -r * 0.15);
        band.cubicTo(-r * 0.4, -r * 0.75, r * 0.4, -r * 0.75, r * 1.2, -r * 0.15);
        band.lineTo(r * 1.2, r * 0.2);
        band.cubicTo(r * 0.4, -r * 0.4, -r * 0.4, -r * 0.4, -r * 1.2, r * 0.2);
        band.closeSubpath();
        p.setBrush(panels[i]);
        p.drawPath(band);
        p.restore();
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r, r);
    // Its shadow on the floor.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(QPointF(w * 0.5, floorY + (h - floorY) * 0.3), r * 0.9, r * 0.18);
    return pixmap;
}
