// The matchday composer: the first-leg matchdays composed box by box, each stored with its return
// leg; closing it before the last one discards the championship.
#pragma once

#include "championship/girone.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
namespace store {
class Table;
}

class TFrmGiornata : public QDialog {
    Q_OBJECT
public:
    explicit TFrmGiornata(QWidget *parent = nullptr);
    ~TFrmGiornata() override;

    QComboBox *Box[20] = {}; // Box1 .. Box20: the match slots, home on the left
    QPushButton *BTMpost = nullptr;
    QPushButton *BBannullaTutto = nullptr;
    QPushButton *BTproponi = nullptr; // fills the current matchday with a proposal
    QPushButton *BTproponiTutto = nullptr; // stores every matchday left, proposed
    QGroupBox *GroupBox1 = nullptr;
    QLineEdit *EditNumeroGiornata = nullptr;
    store::Table *TblGiornate = nullptr;

    // The box family, k = 1 .. 20.
    void BoxEnter(int k);
    void BoxCloseUp(int k);
    void BoxExit(int k);
    // The user's choice of a team in box k (what the drop-down does): the team goes into the
    // matchday's row, then the close-up step.
    void ScegliSquadra(int k, const QString &squadra);

    void BTMpostClick();
    void BBannullaTuttoClick();
    void BTproponiClick();
    void BTproponiTuttoClick();
    void FormActivate();
    bool Completo() const { return completo; }

public slots:
    // The close box: a calendar left half way is discarded, so the user is asked first.
    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Escape dismisses a list, never the calendar.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void TraduciEtichette();
    void CaricaLista(int k, const QStringList &escluse);
    // The boxes of a new matchday show its new, empty row.
    void SvuotaBox();
    void SalvaAndata();
    void SalvaRitorno(int meta);
    // Stores the current row as the next first-leg matchday with its return leg; the confirmation
    // box only when asked. False when nothing was stored.
    bool SalvaGiornata(bool conferma);
    void FormClose();

    // The calendar's proposals and checks (teams numbered by `ordine`, from 1).
    struct Andata {
        int squadre = 0; // T
        int meta = 0; // g/2, the first-leg matchdays
        std::vector<girone::Giornata> giornate; // stored first-leg matchdays, in order
        std::vector<int> numeri; // their matchday numbers
    };
    // The teams, the first-leg matchdays stored so far and g/2; false after an error box.
    bool LeggiAndata(Andata &andata);
    girone::Giornata GiornataCorrente(const Andata &andata) const;
    void SorteggiaOrdine();
    // The matchdays that complete the first leg, or empty after a box telling why there are none.
    std::vector<girone::Giornata> Proposta(const Andata &andata);
    // The teams of a matchday, box by box (the resting team in the last box).
    QStringList TestiBox(const girone::Giornata &giornata) const;
    // The checks before a matchday typed by hand is stored: true to store it.
    bool ControllaGiornata();

    QGroupBox *GroupBox2 = nullptr;
    QString esclusa[20];
    QString andata[20];
    bool completo = false;
    int squadre = 0;
    int boxAttivo = 0; // the box the user is in (0: none), so that entering it runs once
    QStringList ordine; // the teams in the order of the proposals' numbers, drawn once per showing
};

// The resident composer.
extern TFrmGiornata *FrmGiornata;
