#include "championship/frmrisultati.h"

#include "championship/dategiornate.h"

#include "championship/combolista.h"
#include "championship/erroreregola.h"
#include "championship/grigliagiornata.h"
#include "championship/risultato.h"
#include "championship/salvarisultati.h"
#include "core/messaggi.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
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

namespace {

const QString MsgVariatiSalvare =
    QStringLiteral("I risultati della giornata sono stati variati, si vuole memorizzare le modifiche?");
// The fields always open on a matchday not yet played, whatever the number of teams.
constexpr int CampiSempreAbilitati = 4;

} // namespace

TFrmRisultati::TFrmRisultati(QWidget *parent)
    : ModuloRisultati(parent, QStringLiteral("FrmRisultati"), QStringLiteral("Modalità inserimento risultati partite"))
{
    costruisci();
    FormCreate();
}

void TFrmRisultati::costruisci()
{
    LabTitolo = createNamed<QLabel>(this, QStringLiteral("LabTitolo"));
    LabTitolo->setText(QStringLiteral("Inserimento risultati gionata numero"));
    LabTitolo2 = createNamed<QLabel>(this, QStringLiteral("LabTitolo2"));
    LabData = createNamed<QLabel>(this, QStringLiteral("LabData"));
    for (QLabel *l : {LabTitolo, LabTitolo2, LabData}) {
        QFont f = l->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.25);
        l->setFont(f);
    }
    CreaComboGiornate()->setToolTip(QStringLiteral("Seleziona la giornata"));

    CreaGriglia(QStringLiteral("Set vinti: 0, 1, 2, 3 oppure * se la partita non ha risultato"));

    SBsi = createButton(this, QLatin1String("SBsi"), QStringLiteral("Inserisci risultati"), QStringLiteral("Salva risultati"));
    QFont grassetto = SBsi->font();
    grassetto.setBold(true);
    SBsi->setFont(grassetto);
    SBannulla = createButton(this, QLatin1String("SBannulla"), QStringLiteral("Annulla"),
                         QStringLiteral("Annulla tutti i risultati di questa giornata"));
    SBesci = createButton(this, QLatin1String("SBesci"), QStringLiteral("Esci"), QStringLiteral("Annulla ed esci"));
    // Clearing the entries or leaving checks no field first.
    markAsCommand(SBannulla);
    markAsCommand(SBesci);
    connect(SBsi, &QPushButton::clicked, this, &TFrmRisultati::SBsiClick);
    connect(SBannulla, &QPushButton::clicked, this, &TFrmRisultati::SBannullaClick);
    connect(SBesci, &QPushButton::clicked, this, &TFrmRisultati::SBesciClick);

    auto *titolo = new QHBoxLayout;
    titolo->addWidget(LabTitolo);
    titolo->addWidget(LabTitolo2);
    titolo->addWidget(LabData);
    titolo->addStretch();
    titolo->addWidget(CboxGiornate);

    auto *comandi = new QHBoxLayout;
    comandi->addStretch();
    comandi->addWidget(SBsi);
    comandi->addWidget(SBannulla);
    comandi->addWidget(SBesci);
    comandi->addStretch();

    auto *principale = new QVBoxLayout(this);
    principale->addLayout(titolo);
    principale->addSpacing(8);
    principale->addLayout(griglia->layout());
    principale->addSpacing(8);
    principale->addLayout(comandi);

    // Tab goes through the set fields in match order, then to the commands.
    QWidget *prima = CboxGiornate;
    for (int k = 1; k <= NumeroCampi; ++k) {
        setTabOrder(prima, P(k));
        prima = P(k);
    }
    setTabOrder(prima, SBsi);
    setTabOrder(SBsi, SBannulla);
    setTabOrder(SBannulla, SBesci);
}

void TFrmRisultati::FormCreate() { TraduciEtichette(); }

void TFrmRisultati::TraduciEtichette()
{
    // The form's caption and the hints stay Italian.
    TraduciControlli({LabTitolo, SBsi, SBannulla, SBesci});
}

int TFrmRisultati::exec()
{
    {
        store::Table giornate(QStringLiteral("giornate.db"));
        giornate.open();
        if (giornate.isEmpty()) {
            MostraAttenzione(QStringLiteral("Il calendario non contiene ancora alcuna giornata."));
            return QDialog::Rejected;
        }
    }
    return QDialog::exec();
}

// ---- activation and matchday change --------------------------------------------------------------

void TFrmRisultati::FormActivate()
{
    Occupato guardia(occupato);
    numeroSquadre = LeggiImpostazione(QStringLiteral("NSQUADRE")).toInt();

    if (!TblGiornate->isOpen())
        TblGiornate->open();
    CboxGiornate->clear();
    for (TblGiornate->first(); !TblGiornate->eof(); TblGiornate->next())
        CboxGiornate->addItem(TblGiornate->fieldByName(QStringLiteral("Giornata")).asString());

    if (TblGiornate->isEmpty()) {
        // No calendar: nothing to show, nothing to enter.
        giornataMostrata = 0;
        CboxGiornate->setEditText(QString());
        LabTitolo2->clear();
        LabData->clear();
        TuttiAsterisco();
        StatoGiornata();
        AzzeraModifiche();
        return;
    }

    MostraGiornata(GiornataIniziale());

    TuttiAsterisco();
    AzzeraModifiche();
}

int TFrmRisultati::GiornataIniziale()
{
    // The composer stores the return leg beside each first-leg matchday (1, 1 + h, 2, 2 + h ...):
    // the stored order is no matchday order, so the numbers decide.
    int prima = 0;
    int nonGiocata = 0;
    for (TblGiornate->first(); !TblGiornate->eof(); TblGiornate->next()) {
        const int numero = TblGiornate->fieldByName(QStringLiteral("Giornata")).asInteger();
        if (prima == 0)
            prima = numero;
        if (!TblGiornate->fieldByName(QStringLiteral("Giocata")).asBoolean() && (nonGiocata == 0 || numero < nonGiocata))
            nonGiocata = numero;
    }
    return nonGiocata ? nonGiocata : prima;
}

bool TFrmRisultati::MostraGiornata(int numero)
{
    if (!TblGiornate->locate(QStringLiteral("Giornata"), numero))
        return false;
    giornataMostrata = numero;
    RipristinaCombo();
    StatoGiornata();
    AzzeraModifiche();
    return true;
}

void TFrmRisultati::StatoGiornata()
{
    giocata = false;
    if (giornataMostrata == 0) {
        for (int k = 1; k <= NumeroCampi; ++k)
            P(k)->setEnabled(false);
        SBsi->setEnabled(false);
        return;
    }
    SBsi->setEnabled(true);
    LabTitolo2->setText(QString::number(giornataMostrata));
    const QString data = DataDellaGiornata(giornataMostrata);
    LabData->setText(data.isEmpty() ? QString() : QStringLiteral("- ") + data);
    if (TblGiornate->fieldByName(QStringLiteral("Giocata")).asBoolean()) {
        giocata = true;
        for (int k = 1; k <= NumeroCampi; ++k)
            P(k)->setEnabled(false);
        AvvisaGiocata();
        return;
    }
    giocata = false;
    // With N teams the fields P1 ... PN are open; with N odd, PN's partner stays closed: that team rests.
    for (int k = 1; k <= NumeroCampi; ++k)
        P(k)->setEnabled(k <= CampiSempreAbilitati || k <= numeroSquadre);
}

void TFrmRisultati::AvvisaGiocata()
{
    MostraAttenzione(QStringLiteral("La giornata richiamata è gia stata inserita, per modificare eventuali "
                                    "risultati errati seleziona: ") +
                     QLatin1Char('\n') + QStringLiteral(" 'Modifica risultati' dal menù."));
}

void TFrmRisultati::RipristinaCombo()
{
    RimettiCombo(CboxGiornate, giornataMostrata ? QString::number(giornataMostrata) : QString());
}

void TFrmRisultati::CboxGiornateChange()
{
    if (occupato || giornataMostrata == 0 || !isVisible())
        return;
    const int voce = VoceScelta(CboxGiornate);
    const int scelta = voce < 0 ? 0 : CboxGiornate->itemText(voce).toInt();
    if (voce >= 0 && scelta == giornataMostrata) {
        RipristinaCombo();
        return;
    }
    Occupato guardia(occupato);
    // Only a matchday of the list can take the place of the one on show.
    if (voce < 0) {
        MostraErrore(QStringLiteral("La giornata indicata non è presente nel calendario."));
        RipristinaCombo();
        return;
    }
    if (modificato) {
        if (ChiediConferma(MsgVariatiSalvare)) {
            // Saved for the matchday the sets were typed for; the save closes the form.
            if (!(ControllaTutto() && Salva()))
                RipristinaCombo();
            return;
        }
        TuttiAsterisco();
    }
    if (!MostraGiornata(scelta))
        RipristinaCombo();
}

bool TFrmRisultati::ComboAllineata()
{
    const int voce = VoceScelta(CboxGiornate);
    if (voce >= 0 && CboxGiornate->itemText(voce).toInt() == giornataMostrata) {
        RipristinaCombo();
        return true;
    }
    CboxGiornateChange();
    return false;
}

// ---- the set fields --------------------------------------------------------------------------------

void TFrmRisultati::TuttiAsterisco()
{
    for (int k = 1; k <= NumeroCampi; ++k)
        ImpostaSet(k, SetSenzaRisultato);
}

void TFrmRisultati::AzzeraModifiche()
{
    modificato = false;
    SBannulla->setEnabled(false);
}

void TFrmRisultati::SetVariato(int)
{
    modificato = true;
    SBannulla->setEnabled(true);
}

bool TFrmRisultati::SetAperto(int k) const { return P(k)->isEnabled(); }

bool TFrmRisultati::ControllaCoppia(int coppia)
{
    const int primo = 2 * coppia - 1;
    const int secondo = 2 * coppia;
    if (P(primo)->text() == SetSenzaRisultato || P(secondo)->text() == SetSenzaRisultato) {
        ImpostaSet(primo, SetSenzaRisultato);
        ImpostaSet(secondo, SetSenzaRisultato);
        return true;
    }
    return ModuloRisultati::ControllaCoppia(coppia);
}

bool TFrmRisultati::ControllaTutto()
{
    for (int k = 1; k <= NumeroCampi; ++k) {
        if (!P(k)->isEnabled())
            continue;
        if (!ControllaValore(k))
            return false;
        if (k % 2 == 1 || !P(k - 1)->isEnabled())
            continue;
        const bool senzaPrimo = P(k - 1)->text() == SetSenzaRisultato;
        const bool senzaSecondo = P(k)->text() == SetSenzaRisultato;
        if (senzaPrimo != senzaSecondo) {
            // A result with one side only: the side without sets is to be filled in (or both cleared).
            RifiutaSet(senzaPrimo ? k - 1 : k);
            return false;
        }
        if (!senzaPrimo && !ControllaCoppia(k / 2))
            return false;
    }
    return true;
}

// ---- save, clear, leave ---------------------------------------------------------------------------

QString TFrmRisultati::SegnaRiposo()
{
    QString squadra;
    for (int coppia = 1; coppia <= PartiteGiornata; ++coppia) {
        const int primo = 2 * coppia - 1;
        if (P(primo)->isEnabled() && !P(primo + 1)->isEnabled()) {
            squadra = TblGiornate->fieldByName(CampoSquadra(primo)).asString();
            ImpostaSet(primo, SetSenzaRisultato);
        }
    }
    return squadra;
}

bool TFrmRisultati::Salva()
{
    try {
        if (!TblGiornate->locate(QStringLiteral("Giornata"), giornataMostrata))
            throw ErroreRegola(QStringLiteral("La giornata %1 non è più presente nel calendario.").arg(giornataMostrata));
        RisultatiGiornata risultati;
        for (int k = 1; k <= NumeroCampi; ++k) {
            risultati.squadre[size_t(k - 1)] = TblGiornate->fieldByName(CampoSquadra(k)).asString();
            risultati.aperto[size_t(k - 1)] = P(k)->isEnabled();
        }
        risultati.riposo = SegnaRiposo();
        for (int k = 1; k <= NumeroCampi; ++k)
            risultati.set[size_t(k - 1)] = P(k)->text();
        SalvaRisultati(*TblGiornate, risultati);
    } catch (const ErroreRegola &e) {
        return NonMemorizzati(e.message());
    } catch (const store::EngineError &e) {
        return NonMemorizzati(e.message());
    }
    Archiviati();
    return true;
}

bool TFrmRisultati::NonMemorizzati(const QString &errore)
{
    try {
        // Back on the matchday on show, as it now stands on disk.
        if (TblGiornate->isEditing())
            TblGiornate->cancel();
        TblGiornate->locate(QStringLiteral("Giornata"), giornataMostrata);
    } catch (const store::EngineError &) {
        // The error below is the one that matters.
    }
    MostraErrore(QStringLiteral("I risultati non sono stati memorizzati: ") + errore);
    return false;
}

void TFrmRisultati::SBsiClick()
{
    if (occupato || !ComboAllineata() || giornataMostrata == 0)
        return;
    Occupato guardia(occupato);
    if (giocata) {
        // A played matchday has no field open: nothing to store, the warning again and no success.
        AvvisaGiocata();
        return;
    }
    if (ControllaTutto())
        Salva();
}

void TFrmRisultati::SBannullaClick()
{
    Occupato guardia(occupato);
    P(1)->setFocus(Qt::OtherFocusReason);
    TuttiAsterisco();
}
