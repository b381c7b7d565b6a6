// The results-entry form: the sets of every match of one matchday typed in, checked field by field
// and pair by pair, then saved in one go: the sets and the played mark in giornate.db, the resting
// team and every result in Class.db, all in one transaction.
#pragma once

#include "championship/modulorisultati.h"

#include <array>
#include <memory>

class DBEdit;
class GrigliaGiornata;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFrmRisultati : public ModuloRisultati {
    Q_OBJECT
public:
    static constexpr int NumeroCampi = 20; // P1 ... P20, SQ1 ... SQ20

    explicit TFrmRisultati(QWidget *parent = nullptr);
    ~TFrmRisultati() override;

    // An empty calendar has no matchday to enter: a warning, and the form is not shown.
    int exec() override;

    // Runs once each time the form is shown (from its show event).
    void FormActivate();
    // The matchday typed or chosen in CboxGiornate becomes the one on show.
    void CboxGiornateChange();
    void SBsiClick();
    void SBannullaClick();

    // The matchday whose record is on show; 0 when none is.
    int GiornataMostrata() const { return giornataMostrata; }

protected:
    void PrimaMostra() override { FormActivate(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void costruisci();
    void FormCreate();
    void TraduciEtichette();

    // The handlers of the P family, for field number k (1 ... 20).
    void PChange(int k);
    void PKeyPress(int k);
    // Leaving field k for the widget that now has the focus.
    void PExit(int k, Qt::FocusReason motivo);

    // The value check: true for "3", "2", "1", "0" and "*"; otherwise the error and the focus back.
    bool ControllaValore(int k);
    // The pair check of match `coppia` (1 ... 10) on leaving its second field.
    bool ControllaCoppia(int coppia);
    // Before a save: every enabled field's value and every enabled pair, the first fault reported.
    bool ControllaTutto();
    // Writes the matchday on show; false (after the error box) when nothing could be written.
    bool Salva();
    // The resting team's name, its field set to "*"; empty when no team rests.
    QString SegnaRiposo();

    // The matchday the form opens on: the lowest-numbered one not yet played (the first stored one
    // when every matchday is played).
    int GiornataIniziale();
    // Moves the table to the matchday and shows it; false when the calendar has no such matchday.
    bool MostraGiornata(int numero);
    void StatoGiornata();
    void AvvisaGiocata();
    void ImpostaSet(int k, const QString &testo);
    void TuttiAsterisco();
    void AzzeraModifiche();
    // Puts the matchday on show back into CboxGiornate.
    void RipristinaCombo();
    // The typed matchday is the one on show; otherwise the change runs instead, and false.
    bool ComboAllineata();

    QLineEdit *P(int k) const;

    QComboBox *CboxGiornate = nullptr;
    QLabel *LabTitolo = nullptr;
    QLabel *LabTitolo2 = nullptr;
    QLabel *LabData = nullptr; // the matchday's date, when stored
    std::unique_ptr<GrigliaGiornata> griglia; // SQ1 ... SQ20 and P1 ... P20
    QPushButton *SBsi = nullptr;
    QPushButton *SBannulla = nullptr;
    QPushButton *SBesci = nullptr;

    int numeroSquadre = 0;
    int giornataMostrata = 0;
    bool giocata = false;   // the matchday on show is played: no field is open
};
