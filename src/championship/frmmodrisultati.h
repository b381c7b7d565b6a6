// The results-correction form: a played matchday, one of its matches, the new sets checked field by
// field and pair by pair, then the stored result replaced in the calendar and in the standings in
// one go (the correction routine beside the results save).
#pragma once

#include "championship/modulorisultati.h"

#include <memory>

class GrigliaGiornata;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFrmModRisultati : public ModuloRisultati {
    Q_OBJECT
public:
    static constexpr int NumeroCampi = 20;

    explicit TFrmModRisultati(QWidget *parent = nullptr);
    ~TFrmModRisultati() override;

    // With no matchday played there is nothing to correct: a warning, and the form is not shown.
    int exec() override;

    void FormShow();
    void CboxGiornateChange();
    void cBoxPartitaChange();
    void Button1Click();
    void SBsiClick();

    int GiornataMostrata() const { return giornataMostrata; }
    int PartitaMostrata() const { return partitaMostrata; }

protected:
    void PrimaMostra() override { FormShow(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void costruisci();
    void TraduciEtichette();

    void PChange();
    void PEnter();
    // Leaving field k for the widget that now has the focus.
    void PExit(int k, Qt::FocusReason motivo);
    bool ControllaValore(int k);
    bool ControllaCoppia(int partita);
    // Every match whose sets differ from the stored ones, checked; false after the first fault.
    bool ControllaModificate();
    // The matches whose sets differ from the stored ones.
    QList<int> PartiteModificate();
    bool Salva();
    bool MostraGiornata(int numero);
    void MostraPartita(int partita);
    QString EtichettaPartita(int partita) const;

    QLineEdit *P(int k) const;

    QComboBox *CboxGiornate = nullptr;
    QComboBox *cBoxPartita = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabTitolo = nullptr;
    QLabel *LabTitolo2 = nullptr;
    std::unique_ptr<GrigliaGiornata> griglia;
    QPushButton *Button1 = nullptr;
    QPushButton *SBsi = nullptr;
    QPushButton *SBesci = nullptr;

    int giornataMostrata = 0;
    int partitaMostrata = 0;
};
