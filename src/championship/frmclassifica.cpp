#include "championship/frmclassifica.h"

#include "championship/ordineclassifica.h"
#include "championship/stampe.h"
#include "championship/stclassifica.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/query.h"
#include "ui/dbgrid.h"
#include "ui/traduzione.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
struct Colonna {
    const char *campo;
    const char *titolo;
    int larghezza; // pixels, widened when the title needs more
};
const Colonna Colonne[] = {{"PUNTI", "Punti", 40},       {"SQUADRE", "Squadre", 250},      {"SETV", "Set vinti", 50},
                           {"SETP", "Set persi", 50}, {"SETG", "Set giocati", 60}, {"RIPOSO", "Riposo", 50}};
} // namespace

TFrmClassifica::TFrmClassifica(TStClassifica *stampa, QWidget *parent) : QDialog(parent), StClassifica(stampa)
{
    setObjectName(QStringLiteral("FrmClassifica"));
    setWindowTitle(QStringLiteral("Visualizzazione situazione classifica"));

    Query1 = new store::Query(QStringLiteral("select * from class.db order by punti desc"), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    Label1 = new QLabel(QStringLiteral("Situazione della classifica aggiornata all'ultima giornata giocata."), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(Query1);

    BTSstampa = new QPushButton(QStringLiteral("Stampa"), this);
    BTSstampa->setObjectName(QStringLiteral("BTSstampa"));
    BTSstampa->setToolTip(QStringLiteral("Anteprima di stampa"));
    BTSstampa->setAutoDefault(false);
    BTSesci = new QPushButton(QStringLiteral("Esci"), this);
    BTSesci->setObjectName(QStringLiteral("BTSesci"));
    BTSesci->setAutoDefault(false);
    connect(BTSstampa, &QPushButton::clicked, this, &TFrmClassifica::BTSstampaClick);
    connect(BTSesci, &QPushButton::clicked, this, &TFrmClassifica::BTSesciClick);

    auto *pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BTSstampa);
    pulsanti->addWidget(BTSesci);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(pulsanti);
    resize(620, 420);

    FormCreate();
    // Wide enough for every column with its translated title, and a vertical scroll bar.
    const int colonne = DBGrid1->horizontalHeader()->length() + DBGrid1->verticalHeader()->sizeHint().width() +
                        2 * DBGrid1->frameWidth() + DBGrid1->verticalScrollBar()->sizeHint().width() +
                        2 * DBGrid1->fontMetrics().averageCharWidth(); // the row numbers widen as rows come
    const QMargins margini = layout->contentsMargins();
    resize(qMax(width(), colonne + margini.left() + margini.right()), height());
}

TFrmClassifica::~TFrmClassifica() { FormDestroy(); }

void TFrmClassifica::FormCreate()
{
    TraduciEtichette();
    PreparaColonne();
    // The grid is filled at once; every activation fills it again.
    FormActivate();
}

void TFrmClassifica::TraduciEtichette()
{
    for (const Colonna &c : Colonne)
        titoliColonne << QString::fromUtf8(c.titolo);
    TraduciControlli({this, Label1, BTSstampa, BTSesci});
    const QString lingua = LeggiImpostazione(QStringLiteral("LINGUA"));
    if (!LinguaDaTradurre(lingua))
        return;
    for (QString &titolo : titoliColonne)
        titolo = Traduci(titolo, lingua);
}

void TFrmClassifica::PreparaColonne()
{
    // The designed widths suit a smaller font than today's desktops use: no title is cut short.
    const QFontMetrics fm(DBGrid1->horizontalHeader()->font());
    for (int i = 0; i < titoliColonne.size(); ++i) {
        const int adatta = fm.horizontalAdvance(titoliColonne[i]) + 2 * fm.averageCharWidth();
        DBGrid1->addColumn(QLatin1String(Colonne[i].campo), titoliColonne[i], qMax(Colonne[i].larghezza, adatta));
    }
    // The rest turn in the prints' words, not the stored "True" and blank.
    DBGrid1->setColumnText(int(std::size(Colonne)) - 1, ParolaRiposo);
}

void TFrmClassifica::FormActivate()
{
    try {
        Query1->close();
        Query1->open();
        OrdinaClassifica(*Query1);
        erroreAttivazione.clear();
    } catch (const store::EngineError &e) {
        // Closing the box activates the form again: the same fault is told once.
        if (e.message() != erroreAttivazione) {
            erroreAttivazione = e.message();
            MostraErrore(e.message());
        }
    }
}

bool TFrmClassifica::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TFrmClassifica::BTSstampaClick()
{
    try {
        if (!StClassifica)
            throw store::EngineError(QStringLiteral("Nessuna stampa"));
        StClassifica->Anteprima(this);
    } catch (const std::exception &) {
        MostraErrore(QStringLiteral("Errore irreversibile in fase di stampa elenco prodotti contattare Brivo."));
    }
}

void TFrmClassifica::BTSesciClick() { close(); }

void TFrmClassifica::FormDestroy() { Query1->close(); }
