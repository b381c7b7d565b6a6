// The two prints of the rotation board: TStRotazioni, the rotation shown on the big court (A4
// portrait), and TStRotazioniPic, the six small courts of both teams (A4 landscape). Both copy what
// the board shows (its texts and the engine's court model) and compute nothing of their own; the
// ticks "Squadra A" and "Squadra B" choose which halves are filled in.
#pragma once

#include "rotations/motore.h"
#include "ui/report.h"

#include <array>
#include <optional>

class QWidget;

namespace rotazioni {

// What the board shows, for its prints.
struct StatoTabellone {
    struct Lato {
        bool spuntata = false; // the tick "Squadra A" ("Squadra B")
        bool mostrata = false; // the line-up lists show a chosen team
        QString nome;          // LabSquadraA
        QString metodo;        // LabAmetodo
        std::array<QString, 7> lista; // LabA1 ... LabA6, LabAlibe
        int zonaPalleggiatore = 0;    // in the rotation on the big court; 0 before any
    };
    QString titoloDettaglio; // LabelDettaglio
    std::array<Lato, 2> squadre;
    std::optional<Dettaglio> dettaglio;   // the big court, when a rotation is shown, players where they stand
    QString testoPosizioni;               // LabelPosizioni
    std::array<QList<CoppiaPosizioni>, 2> falli; // the pairs the board joins with red lines
    std::optional<Panoramica> panoramica; // the small courts, after a generation
    std::array<QString, 6> didascalie;    // the rotation buttons' captions, rotation 1 ... 6
    OpzioniCampo opzioni;
    int puntiCampoGrande = 0; // the big court's name size; 0 for the print's own
    const Lato &lato(Squadra s) const { return squadre[int(s)]; }
};

class TStRotazioni {
public:
    explicit TStRotazioni(StatoTabellone stato) : stato(std::move(stato)) {}
    // The page as it prints now (captions translated when LINGUA asks for it).
    ReportDocument Pagine() const;
    int Anteprima(QWidget *parent) const;
    bool SalvaPdf(const QString &file) const;

private:
    StatoTabellone stato;
};

class TStRotazioniPic {
public:
    explicit TStRotazioniPic(StatoTabellone stato) : stato(std::move(stato)) {}
    ReportDocument Pagine() const;
    int Anteprima(QWidget *parent) const;
    bool SalvaPdf(const QString &file) const;

    // The caption label over the small court at place i (0 ... 5, top row left to right, then the
    // bottom row): QRLabPRIMA, QRLabSESTA, QRLabQUINTA, QRLabQUARTA, QRLabTERZA, QRLabSECONDA. The
    // court at place i is rotation i + 1, and its label takes that rotation's caption.
    static QString EtichettaRotazione(int posto);

private:
    StatoTabellone stato;
};

} // namespace rotazioni
