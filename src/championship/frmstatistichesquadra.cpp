#include "championship/frmstatistichesquadra.h"

#include "championship/ordineclassifica.h"
#include "championship/stampe.h"
#include "championship/ststatistichesquadra.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/query.h"
#include "ui/dbgrid.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct Colonna {
    const char *campo;
    const char *titolo;
    int larghezza;
};
const Colonna Colonne[] = {{"PUNTI", "Punti", 40}, {"SQUADRE", "Squadre", 250}, {"SETV", "SetV", 50},
                           {"SETP", "SetP", 50},   {"SETG", "SetG", 50},        {"RIPOSO", "Riposo", 50}};
} // namespace

TFrmStatisticheSquadra::TFrmStatisticheSquadra(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmStatisticheSquadra"));
    setWindowTitle(QStringLiteral("Statistiche per squadra"));
    Query1 = new store::Query(QStringLiteral("select * from Class.db order by punti desc"), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    DBGrid1 = createNamed<DBGrid>(this, QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(Query1);
    cbQuozienti = createNamed<QCheckBox>(this, QStringLiteral("cbQuozienti"));
    cbQuozienti->setText(QStringLiteral("Includi quozienti set nella stampa"));
    cbQuozienti->setChecked(true);
    BTSstampa = createButton(this, QStringLiteral("BTSstampa"), QStringLiteral("Stampa"), QStringLiteral("Anteprima di stampa"));
    BTSesci = createButton(this, QStringLiteral("BTSesci"), QStringLiteral("Esci"));
    connect(BTSstampa, &QPushButton::clicked, this, &TFrmStatisticheSquadra::BTSstampaClick);
    connect(BTSesci, &QPushButton::clicked, this, &TFrmStatisticheSquadra::BTSesciClick);

    auto *sotto = new QHBoxLayout;
    sotto->addWidget(cbQuozienti);
    sotto->addStretch();
    sotto->addWidget(BTSstampa);
    sotto->addWidget(BTSesci);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(sotto);
    resize(620, 420);

    TraduciEtichette();
    FormActivate();
}

TFrmStatisticheSquadra::~TFrmStatisticheSquadra() { Query1->close(); }

void TFrmStatisticheSquadra::TraduciEtichette()
{
    TraduciControlli({cbQuozienti, BTSstampa, BTSesci});
    const QString lingua = LeggiImpostazione(QStringLiteral("LINGUA"));
    const QFontMetrics fm(DBGrid1->horizontalHeader()->font());
    for (const Colonna &c : Colonne) {
        QString titolo = QString::fromUtf8(c.titolo);
        if (LinguaDaTradurre(lingua))
            titolo = Traduci(titolo, lingua);
        // No title is cut short by the designed widths.
        const int adatta = fm.horizontalAdvance(titolo) + 2 * fm.averageCharWidth();
        DBGrid1->addColumn(QLatin1String(c.campo), titolo, qMax(c.larghezza, adatta));
    }
    // The rest turn in the prints' words.
    DBGrid1->setColumnText(int(std::size(Colonne)) - 1, ParolaRiposo);
}

void TFrmStatisticheSquadra::FormActivate()
{
    try {
        Query1->close();
        Query1->open();
        OrdinaClassifica(*Query1);
        erroreAttivazione.clear();
    } catch (const store::EngineError &e) {
        if (e.message() != erroreAttivazione) {
            erroreAttivazione = e.message();
            MostraErrore(e.message());
        }
    }
}

bool TFrmStatisticheSquadra::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TFrmStatisticheSquadra::BTSstampaClick()
{
    // A new report for each print, with the check box's choice; freed also when the preview fails.
    TStStatisticheSquadra stampa;
    stampa.Quozienti = cbQuozienti->isChecked();
    try {
        stampa.Anteprima(this);
    } catch (const std::exception &) {
        MostraErrore(QStringLiteral("Errore irreversibile in fase di stampa elenco prodotti contattare Brivo."));
    }
}

void TFrmStatisticheSquadra::BTSesciClick() { close(); }
