// The drawn parts of the rotation board: a court (four orange rectangles and the net) on which the
// board places its cells, and the circle that holds a player's number on the big court.
#pragma once

#include "rotations/geometriacampo.h"

#include <QColor>
#include <QLineF>
#include <QList>
#include <QPixmap>
#include <QWidget>

class CampoDisegnato : public QWidget {
    Q_OBJECT
public:
    CampoDisegnato(const rotazioni::MisureCampo &misure, QWidget *parent = nullptr);
    const rotazioni::MisureCampo &misure() const { return m; }
    // Red lines drawn on the court, in its own coordinates (the pairs at fault on the big court).
    void setLinee(const QList<QLineF> &linee);
    const QList<QLineF> &linee() const { return segni; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    rotazioni::MisureCampo m;
    QList<QLineF> segni;
};

class CerchioGiocatore : public QWidget {
    Q_OBJECT
public:
    explicit CerchioGiocatore(QWidget *parent = nullptr);
    QColor colore() const { return riempimento; }
    void setColore(const QColor &colore);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor riempimento = Qt::white;
};

// The serve picture: a small ball, 20 by 20.
QPixmap PallaBattuta();

// The colour of the lines between players at fault.
inline const QColor RossoFallo = QColor(0xE0, 0x00, 0x00);
// The orange of the courts.
inline const QColor ArancioCampo = QColor(0xFF, 0x80, 0x00);
