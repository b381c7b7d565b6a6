#include "rotations/geometriacampo.h"

namespace rotazioni {

std::array<QRectF, 4> MisureCampo::rettangoli() const
{
    const qreal xB = fondo + avanti + rete;
    return {QRectF(0, 0, fondo, altezza), QRectF(fondo, 0, avanti, altezza), QRectF(xB, 0, avanti, altezza),
            QRectF(xB + avanti, 0, fondo, altezza)};
}

QRectF MisureCampo::reteRett() const { return QRectF(fondo + avanti, 0, rete, altezza); }

QRectF MisureCampo::posto(Squadra s, int p, const QSizeF &box) const
{
    const qreal margine = fondo * 0.02;
    const qreal alto = altezza / 6, mezzo = altezza / 2, basso = altezza * 5 / 6;
    const qreal verso = fondo - margine - box.width() / 2; // near the front court
    const qreal linea = margine + box.width() / 2;         // near the end line
    QPointF c;
    switch (p) {
    case 1: c = {fondo / 2, basso}; break;
    case 2: c = {fondo + avanti / 2, basso}; break;
    case 3: c = {fondo + avanti / 2, mezzo}; break;
    case 4: c = {fondo + avanti / 2, alto}; break;
    case 5: c = {fondo / 2, alto}; break;
    case 6: c = {fondo / 2, mezzo}; break;
    case 7: c = {linea, basso}; break;
    case 8: c = {verso, basso}; break;
    case 9: c = {verso, mezzo}; break;
    case 10: c = {verso, altezza / 3}; break;
    case 11: c = {verso, alto}; break;
    case 12: c = {linea, altezza / 3}; break;
    case 13: c = {linea, altezza * 2 / 3}; break;
    default: return QRectF();
    }
    if (s == Squadra::B)
        c = QPointF(larghezza() - c.x(), altezza - c.y());
    return QRectF(c.x() - box.width() / 2, c.y() - box.height() / 2, box.width(), box.height());
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
