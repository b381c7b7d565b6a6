#include "championship/frmprevisionegiornata.h"

#include "championship/combolista.h"
#include "championship/grigliagiornata.h"
#include "core/messaggi.h"
#include "store/campigiornata.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

int PunteggioPrevisione(int setV, int punti) { return 3 * setV + punti; }

bool VinceInCasa(int punteggioCasa, int punteggioOspite) { return punteggioCasa > punteggioOspite; }

TFrmPrevisioneGiornata::TFrmPrevisioneGiornata(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPrevisioneGiornata"));
    setWindowTitle(QStringLiteral("Previsione giornate da giocare"));
    TblGiornate = new store::Table(QStringLiteral("giornate.db"), this);
    TblGiornate->setObjectName(QStringLiteral("TblGiornate"));

    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Giornata numero:"));
    CboxGiornate = createNamed<QComboBox>(this, QStringLiteral("CboxGiornate"));
    CboxGiornate->setEditable(true);
    CboxGiornate->setInsertPolicy(QComboBox::NoInsert);
    CboxGiornate->setMinimumContentsLength(4);
    connect(CboxGiornate, &QComboBox::textActivated, this, [this] { CboxGiornateChange(); });
    connect(CboxGiornate->lineEdit(), &QLineEdit::editingFinished, this, [this] { CboxGiornateChange(); });
    SBesci = createButton(this, QStringLiteral("SBesci"), QStringLiteral("Esci"), QStringLiteral("Annulla ed esci"));
    connect(SBesci, &QPushButton::clicked, this, &TFrmPrevisioneGiornata::SBesciClick);
    griglia = std::make_unique<GrigliaGiornata>(this, TblGiornate, GrigliaGiornata::Accanto::Segni);
    Label2 = createLabel(this, QStringLiteral("Label2"),
                         QStringLiteral("La squadra con previsione vincente è contrassegnata da una 'V'"));

    auto *sopra = new QHBoxLayout;
    sopra->addWidget(Label1);
    sopra->addWidget(CboxGiornate);
    sopra->addStretch();
    sopra->addWidget(SBesci);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(sopra);
    layout->addSpacing(8);
    layout->addLayout(griglia->layout());
    layout->addSpacing(8);
    layout->addWidget(Label2);
    TraduciEtichette();
}

TFrmPrevisioneGiornata::~TFrmPrevisioneGiornata() = default;

void TFrmPrevisioneGiornata::TraduciEtichette() { TraduciControlli({Label1, Label2, SBesci}); }

void TFrmPrevisioneGiornata::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once per showing: every closed message box activates the form again.
    if (mostrato)
        return;
    mostrato = true;
    try {
        FormShow();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
}

void TFrmPrevisioneGiornata::hideEvent(QHideEvent *event)
{
    mostrato = false;
    QDialog::hideEvent(event);
}

void TFrmPrevisioneGiornata::FormShow()
{
    occupato = true;
    CboxGiornate->clear();
    store::Query QueryGiornate(QStringLiteral("select * from giornate.db where giocata = false order by giornata"));
    QueryGiornate.open();
    for (QueryGiornate.first(); !QueryGiornate.eof(); QueryGiornate.next())
        CboxGiornate->addItem(QueryGiornate.fieldByName(QStringLiteral("Giornata")).asString());
    if (!TblGiornate->isOpen())
        TblGiornate->open();
    occupato = false;
    CboxGiornate->setEnabled(CboxGiornate->count() > 0);
    if (CboxGiornate->count() == 0) {
        MostraGiornata(0);
        MostraAttenzione(QStringLiteral("Tutte le giornate sono state giocate, non è possibile fare previsioni."));
        return;
    }
    CboxGiornate->setFocus();
    MostraGiornata(CboxGiornate->itemText(0).toInt());
}

void TFrmPrevisioneGiornata::CboxGiornateChange()
{
    if (occupato || !isVisible())
        return;
    const int voce = VoceScelta(CboxGiornate);
    if (voce < 0) {
        // Only an entry of the list: anything else sets the combo back, and nothing else is shown.
        RimettiCombo(CboxGiornate, giornataMostrata ? QString::number(giornataMostrata) : QString());
        return;
    }
    const int scelta = CboxGiornate->itemText(voce).toInt();
    if (scelta != giornataMostrata)
        MostraGiornata(scelta);
    else
        RimettiCombo(CboxGiornate, CboxGiornate->itemText(voce));
}

void TFrmPrevisioneGiornata::MostraGiornata(int numero)
{
    occupato = true;
    giornataMostrata = 0;
    for (int k = 1; k <= GrigliaGiornata::Campi; ++k) {
        griglia->V(k)->clear();
        griglia->V(k)->setVisible(false);
    }
    try {
        // The filter leaves the boxes empty when the matchday is not there, rather than another one.
        TblGiornate->setFilter(store::Table::filterEquals(QStringLiteral("Giornata"), QString::number(numero)));
        TblGiornate->setFiltered(true);
        TblGiornate->first();
        if (numero > 0 && !TblGiornate->isEmpty()) {
            giornataMostrata = numero;
            for (int partita = 1; partita <= GrigliaGiornata::Campi / 2; ++partita)
                Prevedi(partita);
        }
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    RimettiCombo(CboxGiornate, giornataMostrata ? QString::number(giornataMostrata) : QString());
    occupato = false;
}

int TFrmPrevisioneGiornata::Punteggio(const QString &squadra)
{
    // The name goes in as a value: an apostrophe is a letter like any other.
    store::Query QueryClassifica(QStringLiteral("select * from class.db where squadre = ?"));
    QueryClassifica.addBindValue(squadra);
    QueryClassifica.open();
    QueryClassifica.first();
    if (QueryClassifica.eof())
        return 0; // a team without a standings row
    return PunteggioPrevisione(QueryClassifica.fieldByName(QStringLiteral("SetV")).asInteger(),
                               QueryClassifica.fieldByName(QStringLiteral("Punti")).asInteger());
}

void TFrmPrevisioneGiornata::Prevedi(int partita)
{
    const int casa = 2 * partita - 1;
    const int ospite = 2 * partita;
    const QString squadraOspite = TblGiornate->fieldByName(CampoSquadra(ospite)).asString();
    if (squadraOspite.isEmpty())
        return; // the resting team, or no match: no mark
    const int a = Punteggio(TblGiornate->fieldByName(CampoSquadra(casa)).asString());
    const int b = Punteggio(squadraOspite);
    QLabel *vincente = griglia->V(VinceInCasa(a, b) ? casa : ospite);
    QLabel *perdente = griglia->V(VinceInCasa(a, b) ? ospite : casa);
    vincente->setText(QStringLiteral("V"));
    vincente->setToolTip(QStringLiteral("%1 - %2").arg(a).arg(b));
    vincente->setVisible(true);
    perdente->clear();
    perdente->setVisible(false);
}

void TFrmPrevisioneGiornata::SBesciClick()
{
    TblGiornate->close();
    close();
}
