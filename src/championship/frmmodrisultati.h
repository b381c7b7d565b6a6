// The results-correction form: a played matchday, one of its matches, the new sets checked field by
// field and pair by pair, then the stored result replaced in the calendar and in the standings in
// one go (the correction routine beside the results save).
#pragma once

#include "championship/modulorisultati.h"

class QComboBox;
class QLabel;
class QPushButton;

class TFrmModRisultati : public ModuloRisultati {
    Q_OBJECT
public:
    explicit TFrmModRisultati(QWidget *parent = nullptr);

    // With no matchday played there is nothing to correct: a warning, and the form is not shown.
    int exec() override;

    void FormShow();
    void CboxGiornateChange() override;
    void cBoxPartitaChange();
    void Button1Click();
    void SBsiClick();

    int GiornataMostrata() const { return giornataMostrata; }
    int PartitaMostrata() const { return partitaMostrata; }

protected:
    void PrimaMostra() override { FormShow(); }
    void SetVariato(int k) override;
    // Entering a field, or a refused value, closes "Modifica risultati" until the next check.
    void SetEntrato() override;
    void SetRifiutato() override;
    // Only the fields of the match on show are checked.
    bool SetAperto(int k) const override;
    bool AccettaNessuno() const override { return false; }

private:
    void costruisci();
    void TraduciEtichette();

    // Every match whose sets differ from the stored ones, checked; false after the first fault.
    bool ControllaModificate();
    // The matches whose sets differ from the stored ones.
    QList<int> PartiteModificate();
    bool Salva();
    // The error box of a correction not written; false.
    bool NonModificati(const QString &errore);
    bool MostraGiornata(int numero);
    void MostraPartita(int partita);
    QString EtichettaPartita(int partita) const;

    QComboBox *cBoxPartita = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabTitolo = nullptr;
    QLabel *LabTitolo2 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *SBsi = nullptr;
    QPushButton *SBesci = nullptr;

    int giornataMostrata = 0;
    int partitaMostrata = 0;
};
