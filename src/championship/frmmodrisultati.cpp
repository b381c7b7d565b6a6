#include "championship/frmmodrisultati.h"

#include "championship/combolista.h"
#include "championship/erroreregola.h"
#include "championship/grigliagiornata.h"
#include "championship/risultato.h"
#include "championship/salvarisultati.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmModRisultati::TFrmModRisultati(QWidget *parent)
    : ModuloRisultati(parent, QStringLiteral("FrmModRisultati"), QStringLiteral("Modalità modifica risultati partite"))
{
    costruisci();
    TraduciEtichette();
}

void TFrmModRisultati::costruisci()
{
    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Giornata numero:"));
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Seleziona partita:"));
    LabTitolo = createLabel(this, QStringLiteral("LabTitolo"), QStringLiteral("Modifica risultati gionata numero"), true);
    LabTitolo2 = createLabel(this, QStringLiteral("LabTitolo2"), QString(), true);

    CreaComboGiornate();

    cBoxPartita = CreaComboScelta(this, QStringLiteral("cBoxPartita"), 40, [this] { cBoxPartitaChange(); });

    CreaGriglia(QStringLiteral("Set vinti: 0, 1, 2 oppure 3"));
    griglia->MostraSoloPartita(0);

    Button1 = createButton(this, QStringLiteral("Button1"), QStringLiteral("Verifica dati"),
                           QStringLiteral("Verifica dati immessi"));
    SBsi = createButton(this, QStringLiteral("SBsi"), QStringLiteral("Modifica risultati"), QStringLiteral("Salva risultati"));
    SBesci = createButton(this, QStringLiteral("SBesci"), QStringLiteral("Annulla ed esci"), QStringLiteral("Annulla ed esci"));
    SBsi->setEnabled(false);
    markAsCommand(SBesci); // leaving checks no field first
    connect(Button1, &QPushButton::clicked, this, &TFrmModRisultati::Button1Click);
    connect(SBsi, &QPushButton::clicked, this, &TFrmModRisultati::SBsiClick);
    connect(SBesci, &QPushButton::clicked, this, &TFrmModRisultati::SBesciClick);

    auto *scelte = new QGridLayout;
    scelte->addWidget(Label1, 0, 0);
    scelte->addWidget(CboxGiornate, 0, 1, Qt::AlignLeft);
    scelte->addWidget(Label2, 1, 0);
    scelte->addWidget(cBoxPartita, 1, 1);
    scelte->setColumnStretch(1, 1);

    auto *titolo = new QHBoxLayout;
    titolo->addWidget(LabTitolo);
    titolo->addWidget(LabTitolo2);
    titolo->addStretch();

    auto *comandi = new QHBoxLayout;
    comandi->addStretch();
    comandi->addWidget(Button1);
    comandi->addWidget(SBsi);
    comandi->addWidget(SBesci);
    comandi->addStretch();

    auto *principale = new QVBoxLayout(this);
    principale->addLayout(scelte);
    principale->addSpacing(8);
    principale->addLayout(titolo);
    // The one match shown takes room from the start: choosing it neither grows the form nor leaves
    // a band when it goes.
    auto *partita = new QHBoxLayout;
    partita->addLayout(griglia->layout());
    auto *posto = new QWidget(this); // never empty, so the row keeps its spacing too
    posto->setFixedSize(0, qMax(P(1)->sizeHint().height(), griglia->SQ(1)->sizeHint().height()));
    partita->addWidget(posto);
    principale->addLayout(partita);
    principale->addStretch();
    principale->addSpacing(8);
    principale->addLayout(comandi);
}

void TFrmModRisultati::TraduciEtichette() { TraduciControlli({Label1, Label2, LabTitolo, Button1, SBsi, SBesci}); }

int TFrmModRisultati::exec()
{
    bool giocate = false;
    {
        store::Table giornate(QStringLiteral("giornate.db"));
        giornate.open();
        for (giornate.first(); !giornate.eof() && !giocate; giornate.next())
            giocate = giornate.fieldByName(QStringLiteral("Giocata")).asBoolean();
    }
    if (!giocate) {
        MostraAttenzione(QStringLiteral("Non è stata ancora giocata nessuna giornata: non ci sono risultati da modificare."));
        return QDialog::Rejected;
    }
    return QDialog::exec();
}

void TFrmModRisultati::FormShow()
{
    Occupato guardia(occupato);
    if (!TblGiornate->isOpen())
        TblGiornate->open();
    CboxGiornate->clear();
    // Only played matchdays, in stored order: correcting an unplayed one would count it twice later.
    for (TblGiornate->first(); !TblGiornate->eof(); TblGiornate->next())
        if (TblGiornate->fieldByName(QStringLiteral("Giocata")).asBoolean())
            CboxGiornate->addItem(TblGiornate->fieldByName(QStringLiteral("Giornata")).asString());
    RimettiCombo(CboxGiornate, QString());
    modificato = false;
    giornataMostrata = 0;
    partitaMostrata = 0;
    griglia->MostraSoloPartita(0);
    CboxGiornate->setFocus(Qt::OtherFocusReason);
}

// ---- matchday and match ---------------------------------------------------------------------------

void TFrmModRisultati::CboxGiornateChange()
{
    if (occupato || !isVisible())
        return;
    const int voce = VoceScelta(CboxGiornate);
    const int scelta = voce < 0 ? 0 : CboxGiornate->itemText(voce).toInt();
    if (voce >= 0 && scelta == giornataMostrata) {
        RimettiCombo(CboxGiornate, CboxGiornate->itemText(voce));
        return;
    }
    const QString mostrata = giornataMostrata ? QString::number(giornataMostrata) : QString();
    Occupato guardia(occupato);
    if (voce < 0) {
        if (!CboxGiornate->currentText().trimmed().isEmpty())
            MostraErrore(QStringLiteral("La giornata indicata non è tra quelle già giocate."));
        RimettiCombo(CboxGiornate, mostrata);
        return;
    }
    if (modificato) {
        if (ChiediConferma(
                QStringLiteral("I risultati della giornata sono stati variati, si vuole memorizzare le modifiche?"))) {
            // Stored for the matchday the sets were typed for; the save closes the form.
            RimettiCombo(CboxGiornate, mostrata);
            Salva();
            return;
        }
    }
    if (!MostraGiornata(scelta))
        RimettiCombo(CboxGiornate, mostrata);
}

bool TFrmModRisultati::MostraGiornata(int numero)
{
    Occupato guardia(occupato);
    if (!TblGiornate->isOpen())
        TblGiornate->open();
    if (!TblGiornate->locate(QStringLiteral("Giornata"), numero))
        return false;
    giornataMostrata = numero;
    RimettiCombo(CboxGiornate, QString::number(numero));
    cBoxPartita->clear();
    for (int partita = 1; partita <= PartiteGiornata; ++partita)
        if (!TblGiornate->fieldByName(CampoSquadra(2 * partita)).asString().isEmpty())
            cBoxPartita->addItem(EtichettaPartita(partita));
    for (int k = 1; k <= NumeroCampi; ++k)
        ImpostaSet(k, TblGiornate->fieldByName(CampoSet(k)).asString());
    LabTitolo2->setText(QString::number(numero));
    modificato = false;
    SBsi->setEnabled(false);
    // The match row on show stays, now on the new matchday.
    const int voce = partitaMostrata ? cBoxPartita->findText(EtichettaPartita(partitaMostrata)) : -1;
    if (voce < 0) {
        partitaMostrata = 0;
        griglia->MostraSoloPartita(0);
    }
    RimettiCombo(cBoxPartita, voce < 0 ? QString() : cBoxPartita->itemText(voce));
    cBoxPartita->setFocus(Qt::OtherFocusReason);
    return true;
}

QString TFrmModRisultati::EtichettaPartita(int partita) const
{
    const auto squadra = [this](int k) { return TblGiornate->fieldByName(CampoSquadra(k)).asString(); };
    return QStringLiteral("%1 * ").arg(partita, 2, 10, QLatin1Char('0')) + squadra(2 * partita - 1) +
           QStringLiteral(" - ") + squadra(2 * partita);
}

void TFrmModRisultati::cBoxPartitaChange()
{
    if (occupato || !isVisible() || giornataMostrata == 0)
        return;
    const int voce = VoceScelta(cBoxPartita);
    const QString mostrata = partitaMostrata ? EtichettaPartita(partitaMostrata) : QString();
    if (voce < 0) {
        Occupato guardia(occupato);
        if (!cBoxPartita->currentText().trimmed().isEmpty())
            MostraErrore(QStringLiteral("La partita indicata non è tra quelle della giornata."));
        RimettiCombo(cBoxPartita, mostrata);
        return;
    }
    // The entry begins with the match number in two digits.
    MostraPartita(cBoxPartita->itemText(voce).left(2).toInt());
}

void TFrmModRisultati::MostraPartita(int partita)
{
    partitaMostrata = partita;
    griglia->MostraSoloPartita(partita);
    RimettiCombo(cBoxPartita, EtichettaPartita(partita));
}

// ---- the set fields --------------------------------------------------------------------------------

void TFrmModRisultati::SetVariato(int)
{
    if (!occupato)
        modificato = true;
}

void TFrmModRisultati::SetEntrato() { SBsi->setEnabled(false); }

void TFrmModRisultati::SetRifiutato() { SBsi->setEnabled(false); }

bool TFrmModRisultati::SetAperto(int k) const { return P(k)->isVisible(); }

QList<int> TFrmModRisultati::PartiteModificate()
{
    QList<int> partite;
    if (giornataMostrata == 0 || !TblGiornate->locate(QStringLiteral("Giornata"), giornataMostrata))
        return partite;
    for (int partita = 1; partita <= PartiteGiornata; ++partita) {
        const int primo = 2 * partita - 1;
        if (TblGiornate->fieldByName(CampoSquadra(primo + 1)).asString().isEmpty())
            continue;
        if (P(primo)->text() != TblGiornate->fieldByName(CampoSet(primo)).asString() ||
            P(primo + 1)->text() != TblGiornate->fieldByName(CampoSet(primo + 1)).asString())
            partite << partita;
    }
    return partite;
}

bool TFrmModRisultati::ControllaModificate()
{
    QList<int> partite = PartiteModificate();
    if (partitaMostrata && !partite.contains(partitaMostrata))
        partite.prepend(partitaMostrata);
    for (int partita : std::as_const(partite)) {
        if (partita != partitaMostrata)
            MostraPartita(partita); // a fault is shown where it is
        if (!ControllaValore(2 * partita - 1) || !ControllaValore(2 * partita) || !ControllaCoppia(partita))
            return false;
    }
    return true;
}

void TFrmModRisultati::Button1Click()
{
    if (occupato || giornataMostrata == 0)
        return;
    Occupato guardia(occupato);
    SBsi->setEnabled(ControllaModificate());
}

// ---- save and leave -------------------------------------------------------------------------------

bool TFrmModRisultati::Salva()
{
    Occupato guardia(occupato);
    try {
        if (!ControllaModificate())
            return false;
        const QList<int> partite = PartiteModificate();
        if (partite.isEmpty()) {
            MostraMessaggio(QStringLiteral("Nessun risultato è stato variato: non c'è nulla da memorizzare."));
            return false;
        }
        QList<Correzione> correzioni;
        for (int partita : partite)
            correzioni << Correzione{partita, P(2 * partita - 1)->text(), P(2 * partita)->text()};
        CorreggiRisultati(giornataMostrata, correzioni);
    } catch (const ErroreRegola &e) {
        return NonModificati(e.message());
    } catch (const store::EngineError &e) {
        return NonModificati(e.message());
    }
    Archiviati();
    return true;
}

bool TFrmModRisultati::NonModificati(const QString &errore)
{
    MostraErrore(QStringLiteral("I risultati non sono stati modificati: ") + errore);
    return false;
}

void TFrmModRisultati::SBsiClick()
{
    if (occupato || giornataMostrata == 0)
        return;
    // A matchday typed but not yet taken: the change runs instead of the save.
    const int voce = VoceScelta(CboxGiornate);
    if (voce < 0 || CboxGiornate->itemText(voce).toInt() != giornataMostrata) {
        CboxGiornateChange();
        return;
    }
    Salva();
}
