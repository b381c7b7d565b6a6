// The matchdays' dates: a grid of every matchday with its date and time, typed in the user's
// locale; "Proponi date" fills them in one go (TFrmProponiDate asks how), "Salva" stores them all
// together, "Esporta .ics" writes the fixtures for the user's calendar program, "Esci" asks before
// dropping changes.
#pragma once

#include "championship/dategiornate.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Asks the date of matchday 1, the step in days and the first date of the return leg.
class TFrmProponiDate : public QDialog {
    Q_OBJECT
public:
    TFrmProponiDate(int giornate, const QDate &primaAndata, QWidget *parent = nullptr);

    QDate PrimaAndata() const;
    int Passo() const;
    QDate PrimoRitorno() const;

private:
    void AggiornaRitorno();

    int giornate;
    bool ritornoScelto = false; // the user changed the return leg's date: it no longer follows
    bool aggiornando = false;
    QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QDateEdit *DTPandata = nullptr;
    QSpinBox *SPNpasso = nullptr;
    QDateEdit *DTPritorno = nullptr;
    QPushButton *BTSok = nullptr, *BTSannulla = nullptr;
};

class TFrmDateGiornate : public QDialog {
    Q_OBJECT
public:
    explicit TFrmDateGiornate(QWidget *parent = nullptr);

    void BTSproponiClick();
    // True when the dates were stored (or there was nothing to store).
    bool BTSsalvaClick();
    void BTSesportaClick();
    void BTSesciClick();

    // Where the .ics goes: asked with a save dialog starting from `suggerito`; "" when cancelled.
    // Tests replace it.
    using DomandaFile = std::function<QString(QWidget *parent, const QString &suggerito)>;
    static DomandaFile &DomandaFileIcs();

    // The dates as the grid holds them; false (after telling the user what is wrong) when a date or a
    // time cannot be read, or a time has no date (unless soloOre: then it comes back with no date).
    bool LeggiGriglia(DateGiornate &date, bool soloOre = false);

    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void Carica();
    void Riempi(const DateGiornate &date);
    bool PuoUscire();

    QList<int> numeri; // the matchdays, in number order
    bool modificato = false;
    bool riempiendo = false;
    bool uscitaDecisa = false;
    QString squadraPreferita, annata, categoria;
    QLabel *Label1 = nullptr;
    QTableWidget *GRDdate = nullptr;
    QCheckBox *CHKsolo = nullptr;
    QPushButton *BTSproponi = nullptr, *BTSsalva = nullptr, *BTSesporta = nullptr, *BTSesci = nullptr;
};
