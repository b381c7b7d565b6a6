#include "rotations/campodisegnato.h"

#include <QPainter>
#include <QPainterPath>

CampoDisegnato::CampoDisegnato(const rotazioni::MisureCampo &misure, QWidget *parent) : QWidget(parent), m(misure)
{
    setFixedSize(int(m.larghezza()) + 1, int(m.altezza) + 1);
}

void CampoDisegnato::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const auto rett = m.rettangoli();
    for (const QRectF &r : rett) {
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(ArancioCampo);
        p.drawRect(r.adjusted(1, 1, -1, -1));
    }
    // The net: a dark band with its posts sticking out a little.
    const QRectF rete = m.reteRett();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x30));
    p.drawRect(rete);
    if (!segni.isEmpty()) {
        p.setPen(QPen(RossoFallo, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLines(segni);
    }
}

void CampoDisegnato::setLinee(const QList<QLineF> &linee)
{
    if (linee == segni)
        return;
    segni = linee;
    update();
}

CerchioGiocatore::CerchioGiocatore(QWidget *parent) : QWidget(parent) {}

void CerchioGiocatore::setColore(const QColor &colore)
{
    riempimento = colore;
    update();
}

void CerchioGiocatore::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(riempimento);
    p.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}

QPixmap PallaBattuta()
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF palla(1.5, 1.5, 17, 17);
    p.setPen(QPen(QColor(0x20, 0x30, 0x80), 1.3));
    p.setBrush(QColor(0xFF, 0xE0, 0x40));
    p.drawEllipse(palla);
    // The seams of a volleyball: three curves from the centre.
    QPainterPath cuciture;
    cuciture.moveTo(10, 10);
    cuciture.quadTo(14, 5, 18, 8);
    cuciture.moveTo(10, 10);
    cuciture.quadTo(5, 12, 5, 17);
    cuciture.moveTo(10, 10);
    cuciture.quadTo(9, 5, 4, 4);
    p.setBrush(Qt::NoBrush);
    p.drawPath(cuciture);
    return pm;
}
