#include "championship/frmcaricagiornata.h"

#include "championship/dategiornate.h"

#include "championship/frmgiornata.h"
#include "championship/grigliagiornata.h"
#include "championship/stgiornata.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/modale.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

// ---- the choice ------------------------------------------------------------------------------------

TFrmAfterCaricaGiornata::TFrmAfterCaricaGiornata(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAfterCaricaGiornata"));
    setWindowTitle(QStringLiteral("Scelta giornata"));
    GroupBox1 = new QGroupBox(QStringLiteral("Selezione giornata"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Label1 = createLabel(GroupBox1, QStringLiteral("Label1"), QStringLiteral("Inserisci il numero"));
    EDTgiornata = createNamed<QLineEdit>(GroupBox1, QStringLiteral("EDTgiornata"));
    EDTgiornata->setMaxLength(2);
    EDTgiornata->setFixedWidth(EDTgiornata->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    Label2 = createLabel(GroupBox1, QStringLiteral("Label2"), QStringLiteral("della giornata che vuoi visualizzare"));
    BTSconferma = createButton(this, QStringLiteral("BTSconferma"), QString(), QStringLiteral("Visualizza giornata"));
    BTSconferma->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BTSconferma->setDefault(true);
    BTSannulla = createButton(this, QStringLiteral("BTSannulla"), QString(), QStringLiteral("Annulla e torna indietro"));
    BTSannulla->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    connect(BTSconferma, &QPushButton::clicked, this, &TFrmAfterCaricaGiornata::BTSconfermaClick);
    connect(BTSannulla, &QPushButton::clicked, this, &TFrmAfterCaricaGiornata::BTSannullaClick);
    connect(EDTgiornata, &QLineEdit::returnPressed, this, &TFrmAfterCaricaGiornata::BTSconfermaClick);

    auto *riga = new QHBoxLayout(GroupBox1);
    riga->addWidget(Label1);
    riga->addWidget(EDTgiornata);
    riga->addWidget(Label2);
    auto *comandi = new QHBoxLayout;
    comandi->addStretch();
    comandi->addWidget(BTSconferma);
    comandi->addWidget(BTSannulla);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(comandi);
    TraduciEtichette();
}

void TFrmAfterCaricaGiornata::TraduciEtichette() { TraduciControlli({this, GroupBox1, Label1, Label2}); }

void TFrmAfterCaricaGiornata::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once per showing: closing a message box activates the dialog again, and the number stays.
    if (mostrato)
        return;
    mostrato = true;
    EDTgiornata->clear();
    EDTgiornata->setFocus();
}

void TFrmAfterCaricaGiornata::hideEvent(QHideEvent *event)
{
    mostrato = false;
    QDialog::hideEvent(event);
}

void TFrmAfterCaricaGiornata::BTSconfermaClick()
{
    bool numero = false;
    const int scelta = EDTgiornata->text().trimmed().toInt(&numero);
    if (!numero) {
        MostraErrore(QStringLiteral("immettere un valore valido!"));
        EDTgiornata->setFocus();
        return;
    }
    try {
        store::Table giornate(QStringLiteral("giornate.db"));
        giornate.open();
        if (!giornate.locate(QStringLiteral("Giornata"), scelta)) {
            MostraErrore(QStringLiteral("La giornata richiesta non esiste!"));
            EDTgiornata->setFocus();
            return;
        }
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return;
    }
    giornata = scelta;
    accept();
}

void TFrmAfterCaricaGiornata::BTSannullaClick() { reject(); }

// ---- the view --------------------------------------------------------------------------------------

TFrmCaricaGiornata::TFrmCaricaGiornata(store::Table *giornate, TStGiornata *stampa, int numero, QWidget *parent)
    : QDialog(parent), TblGiornate(giornate), StGiornata(stampa), numero(numero)
{
    setObjectName(QStringLiteral("FrmCaricaGiornata"));
    setWindowTitle(QStringLiteral("Modalità caricamento giornata"));

    // A matchday still being composed is never the one shown, and nothing posts through the table here.
    if (TblGiornate->isEditing())
        TblGiornate->cancel();
    if (!TblGiornate->isOpen()) {
        TblGiornate->open();
        apertaQui = true;
    }
    TblGiornate->setFilter(store::Table::filterEquals(QStringLiteral("Giornata"), QString::number(numero)));
    TblGiornate->setFiltered(true);
    TblGiornate->first();

    GroupBox1 = new QGroupBox(QStringLiteral("Visualizzazione giornata"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    griglia = std::make_unique<GrigliaGiornata>(GroupBox1, TblGiornate, GrigliaGiornata::Accanto::SetMostrati);
    GroupBox1->setLayout(griglia->layout());

    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Risultati della giornata numero"), true);
    DBNumGiornata = createNamed<DBEdit>(this, QStringLiteral("DBNumGiornata"));
    DBNumGiornata->setReadOnly(true);
    DBNumGiornata->setFocusPolicy(Qt::NoFocus);
    DBNumGiornata->setFrame(false);
    DBNumGiornata->setFixedWidth(DBNumGiornata->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8);
    QFont grassetto = DBNumGiornata->font();
    grassetto.setBold(true);
    DBNumGiornata->setFont(grassetto);
    DBNumGiornata->setDataField(TblGiornate, QStringLiteral("Giornata"));
    // The matchday's date after its number, when one is stored.
    const QString data = DataDellaGiornata(numero);
    LabData = createLabel(this, QStringLiteral("LabData"), data.isEmpty() ? QString() : QStringLiteral("- ") + data, true);
    LabData->setVisible(!data.isEmpty());

    SBstampa = createButton(this, QStringLiteral("SBstampa"), QStringLiteral("Stampa"), QStringLiteral("Anteprima di stampa"));
    SBesci = createButton(this, QStringLiteral("SBesci"), QStringLiteral("Esci"));
    connect(SBstampa, &QPushButton::clicked, this, &TFrmCaricaGiornata::SBstampaClick);
    connect(SBesci, &QPushButton::clicked, this, &TFrmCaricaGiornata::SBesciClick);

    auto *sotto = new QHBoxLayout;
    sotto->addWidget(Label1);
    sotto->addWidget(DBNumGiornata);
    sotto->addWidget(LabData);
    sotto->addStretch();
    sotto->addWidget(SBstampa);
    sotto->addWidget(SBesci);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(sotto);
    TraduciEtichette();
}

TFrmCaricaGiornata::~TFrmCaricaGiornata()
{
    griglia.reset();
    Rilascia();
}

void TFrmCaricaGiornata::TraduciEtichette() { TraduciControlli({this, Label1, GroupBox1, SBstampa, SBesci}); }

void TFrmCaricaGiornata::Rilascia()
{
    if (rilasciata)
        return;
    rilasciata = true;
    try {
        if (TblGiornate->isEditing())
            TblGiornate->cancel();
        TblGiornate->setFiltered(false);
        TblGiornate->setFilter(QString());
        if (apertaQui)
            TblGiornate->close();
    } catch (const store::EngineError &) {
        // The view is going away; the composer opens the table again when it needs it.
    }
}

void TFrmCaricaGiornata::SBstampaClick()
{
    if (!StGiornata)
        return;
    try {
        StGiornata->Anteprima(numero, this);
    } catch (const std::exception &) {
        MostraErrore(QStringLiteral("Errore irreversibile in fase di stampa elenco prodotti contattare Brivo."));
    }
}

void TFrmCaricaGiornata::SBesciClick() { close(); }

void CaricaGiornata(QWidget *finestra)
{
    TFrmAfterCaricaGiornata scelta(finestra);
    if (MostraModale(scelta) != QDialog::Accepted || scelta.Giornata() == 0 || !FrmGiornata)
        return;
    TStGiornata stampa;
    try {
        TFrmCaricaGiornata vista(FrmGiornata->TblGiornate, &stampa, scelta.Giornata(), finestra);
        MostraModale(vista);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
}
