#include "championship/frmstatistichesquadra.h"

#include "championship/ststatistichesquadra.h"
#include "core/messaggi.h"
#include "ui/dbgrid.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const ModuloClassifica::Colonna Colonne[] = {{"PUNTI", "Punti", 40}, {"SQUADRE", "Squadre", 250}, {"SETV", "SetV", 50},
                           {"SETP", "SetP", 50},   {"SETG", "SetG", 50},        {"RIPOSO", "Riposo", 50}};
} // namespace

TFrmStatisticheSquadra::TFrmStatisticheSquadra(QWidget *parent)
    : ModuloClassifica(parent, QStringLiteral("FrmStatisticheSquadra"), QStringLiteral("Statistiche per squadra"),
                       QStringLiteral("select * from Class.db order by punti desc"))
{
    CreaGriglia();
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

void TFrmStatisticheSquadra::TraduciEtichette()
{
    TraduciControlli({cbQuozienti, BTSstampa, BTSesci});
    PreparaColonne(Colonne);
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
