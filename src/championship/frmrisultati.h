// The results-entry form: the sets of every match of one matchday typed in, checked field by field
// and pair by pair, then saved in one go: the sets and the played mark in giornate.db, the resting
// team and every result in Class.db, all in one transaction.
#pragma once

#include "championship/modulorisultati.h"

class QLabel;
class QPushButton;

class TFrmRisultati : public ModuloRisultati {
    Q_OBJECT
public:
    explicit TFrmRisultati(QWidget *parent = nullptr);

    // An empty calendar has no matchday to enter: a warning, and the form is not shown.
    int exec() override;

    // Runs once each time the form is shown (from its show event).
    void FormActivate();
    void CboxGiornateChange() override;
    void SBsiClick();
    void SBannullaClick();

    // The matchday whose record is on show; 0 when none is.
    int GiornataMostrata() const { return giornataMostrata; }

protected:
    void PrimaMostra() override { FormActivate(); }
    // A change opens "Annulla".
    void SetVariato(int k) override;
    bool SetAperto(int k) const override;
    bool AccettaNessuno() const override { return true; }
    // "*" on either side clears the match; otherwise the pair check.
    bool ControllaCoppia(int coppia) override;

private:
    void costruisci();
    void FormCreate();
    void TraduciEtichette();

    // Before a save: every enabled field's value and every enabled pair, the first fault reported.
    bool ControllaTutto();
    // Writes the matchday on show; false (after the error box) when nothing could be written.
    bool Salva();
    // The matchday on show again as it stands on disk, and the error box; false.
    bool NonMemorizzati(const QString &errore);
    // The resting team's name, its field set to "*"; empty when no team rests.
    QString SegnaRiposo();

    // The matchday the form opens on: the lowest-numbered one not yet played (the first stored one
    // when every matchday is played).
    int GiornataIniziale();
    // Moves the table to the matchday and shows it; false when the calendar has no such matchday.
    bool MostraGiornata(int numero);
    void StatoGiornata();
    void AvvisaGiocata();
    void TuttiAsterisco();
    void AzzeraModifiche();
    // Puts the matchday on show back into CboxGiornate.
    void RipristinaCombo();
    // The typed matchday is the one on show; otherwise the change runs instead, and false.
    bool ComboAllineata();

    QLabel *LabTitolo = nullptr;
    QLabel *LabTitolo2 = nullptr;
    QLabel *LabData = nullptr; // the matchday's date, when stored
    QPushButton *SBsi = nullptr;
    QPushButton *SBannulla = nullptr;
    QPushButton *SBesci = nullptr;

    int numeroSquadre = 0;
    int giornataMostrata = 0;
    bool giocata = false;   // the matchday on show is played: no field is open
};
