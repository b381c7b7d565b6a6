#include "rotations/geometriacampo.h"

#include <algorithm>

namespace rotazioni {

std::array<QRectF, 4> MisureCampo::rettangoli() const
{
    const qreal xB = fondo + avanti + rete;
    return {QRectF(0, 0, fondo, altezza), QRectF(fondo, 0, avanti, altezza), QRectF(xB, 0, avanti, altezza),
            QRectF(xB + avanti, 0, fondo, altezza)};
}

QRectF MisureCampo::reteRett() const { return QRectF(fondo + avanti, 0, rete, altezza); }

QRectF MisureCampo::posto(Squadra s, int p, const QSizeF &b) const
{
    if (p < 1 || p > 13)
        return QRectF();
    return box(s, PostoNelCampo(p), b);
}

QRectF MisureCampo::box(Squadra s, const PuntoCampo &punto, const QSizeF &b) const
{
    const QPointF c = inDisegno(s, punto);
    return QRectF(c.x() - b.width() / 2, c.y() - b.height() / 2, b.width(), b.height());
}

QPointF MisureCampo::inDisegno(Squadra s, const PuntoCampo &punto) const
{
    const qreal d = std::clamp(punto.profondita, 0.0, LatoCampoMetri);
    const qreal l = std::clamp(punto.laterale, 0.0, LatoCampoMetri);
    const qreal x = d <= LineaAttaccoMetri ? d / LineaAttaccoMetri * fondo
                                           : fondo + (d - LineaAttaccoMetri) / (LatoCampoMetri - LineaAttaccoMetri) * avanti;
    const QPointF c(x, l / LatoCampoMetri * altezza);
    return s == Squadra::A ? c : QPointF(larghezza() - c.x(), altezza - c.y());
}

PuntoCampo MisureCampo::inCampo(Squadra s, const QPointF &disegno) const
{
    const QPointF c = s == Squadra::A ? disegno : QPointF(larghezza() - disegno.x(), altezza - disegno.y());
    const qreal x = std::clamp(c.x(), 0.0, fondo + avanti);
    const qreal d = x <= fondo ? x / fondo * LineaAttaccoMetri
                               : LineaAttaccoMetri + (x - fondo) / avanti * (LatoCampoMetri - LineaAttaccoMetri);
    return {d, std::clamp(c.y(), 0.0, altezza) / altezza * LatoCampoMetri};
}

QRectF CerchioNelPosto(const QRectF &box)
{
    const qreal d = box.height() * 0.5;
    return QRectF(box.x(), box.center().y() - d / 2, d, d);
}

QRectF NomeNelPosto(const QRectF &box)
{
    const QRectF c = CerchioNelPosto(box);
    const qreal x = c.right() + c.width() * 0.15;
    return QRectF(x, box.y(), box.right() - x, box.height());
}

} // namespace rotazioni
