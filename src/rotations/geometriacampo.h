// Where things stand on a court drawing, the same on the board and on paper: four rectangles side by
// side (A's back court, A's front court, the net, B's front court, B's back court; the back courts
// twice as wide as the front ones), the zones in their places and the reception spots of the big
// court. Team B's half is team A's turned half round about the centre of the drawing, so that across
// the net A's zone 4 faces B's zone 2.
#pragma once

#include "rotations/motore.h"

#include <QRectF>
#include <array>

namespace rotazioni {

struct MisureCampo {
    qreal fondo = 0;   // width of a back court
    qreal avanti = 0;  // width of a front court
    qreal altezza = 0; // height of the drawing
    qreal rete = 0;    // width of the net between the front courts

    qreal larghezza() const { return 2 * (fondo + avanti) + rete; }
    // A's back court, A's front court, B's front court, B's back court.
    std::array<QRectF, 4> rettangoli() const;
    QRectF reteRett() const;
    // The box of a zone (1 ... 6) or, on the big court, of a reception spot (7 ... 13), of the given
    // size, centred where the engine puts that place.
    QRectF posto(Squadra s, int posto, const QSizeF &box) const;
    // A box of the given size centred on a place of a team's half-court.
    QRectF box(Squadra s, const PuntoCampo &punto, const QSizeF &box) const;
    // A place of a team's half-court on the drawing, and back: the back court is the six metres
    // behind the attack line, the front court the three before it; a point outside the team's half
    // is taken to the nearest point of it.
    QPointF inDisegno(Squadra s, const PuntoCampo &punto) const;
    PuntoCampo inCampo(Squadra s, const QPointF &disegno) const;
};

// Inside a zone box of the big court: the circle at the left, the name beside it.
QRectF CerchioNelPosto(const QRectF &box);
QRectF NomeNelPosto(const QRectF &box);

} // namespace rotazioni
