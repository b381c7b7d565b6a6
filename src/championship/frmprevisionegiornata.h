// The matchday forecast: an unplayed matchday with, in each match, the team the standings favour
// marked with a "V". It only reads the calendar and the standings.
#pragma once

#include <QDialog>
#include <memory>

class GrigliaGiornata;
class QComboBox;
class QLabel;
class QPushButton;

namespace store {
class Table;
}

// A team's forecast score: three times its sets won plus its points.
int PunteggioPrevisione(int setV, int punti);
// Whether the home team gets the mark: only a higher score; a tie goes to the visitor.
bool VinceInCasa(int punteggioCasa, int punteggioOspite);

class TFrmPrevisioneGiornata : public QDialog {
    Q_OBJECT
public:
    explicit TFrmPrevisioneGiornata(QWidget *parent = nullptr);
    ~TFrmPrevisioneGiornata() override;

    void FormShow();
    void CboxGiornateChange();
    void SBesciClick();

    int GiornataMostrata() const { return giornataMostrata; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void TraduciEtichette();
    // Moves to the matchday (0: none) and marks its matches; an absent one leaves boxes and marks empty.
    void MostraGiornata(int numero);
    void Prevedi(int partita);
    int Punteggio(const QString &squadra);

    store::Table *TblGiornate = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *CboxGiornate = nullptr;
    QPushButton *SBesci = nullptr;
    std::unique_ptr<GrigliaGiornata> griglia;
    int giornataMostrata = 0;
    bool mostrato = false; // FormShow has run for this showing
    bool occupato = false;
};
