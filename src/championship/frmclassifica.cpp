#include "championship/frmclassifica.h"

#include "championship/stclassifica.h"
#include "core/messaggi.h"
#include "ui/dbgrid.h"
#include "ui/traduzione.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
const ModuloClassifica::Colonna Colonne[] = {{"PUNTI", "Punti", 40},       {"SQUADRE", "Squadre", 250},      {"SETV", "Set vinti", 50},
                           {"SETP", "Set persi", 50}, {"SETG", "Set giocati", 60}, {"RIPOSO", "Riposo", 50}};
} // namespace

TFrmClassifica::TFrmClassifica(TStClassifica *stampa, QWidget *parent)
    : ModuloClassifica(parent, QStringLiteral("FrmClassifica"), QStringLiteral("Visualizzazione situazione classifica"),
                       QStringLiteral("select * from class.db order by punti desc")),
      StClassifica(stampa)
{
    Label1 = new QLabel(QStringLiteral("Situazione della classifica aggiornata all'ultima giornata giocata."), this);
    Label1->setObjectName(QStringLiteral("Label1"));

    CreaGriglia();

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

void TFrmClassifica::FormCreate()
{
    TraduciEtichette();
    PreparaColonne(Colonne);
    // The grid is filled at once; every activation fills it again.
    FormActivate();
}

void TFrmClassifica::TraduciEtichette() { TraduciControlli({this, Label1, BTSstampa, BTSesci}); }

void TFrmClassifica::BTSstampaClick()
{
    const QString errore = QStringLiteral("Errore irreversibile in fase di stampa elenco prodotti contattare Brivo.");
    if (!StClassifica) {
        MostraErrore(errore); // no report to print
        return;
    }
    try {
        StClassifica->Anteprima(this);
    } catch (const std::exception &) {
        MostraErrore(errore);
    }
}

void TFrmClassifica::BTSesciClick() { close(); }
