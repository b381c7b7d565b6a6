#include "rotations/frmrtsquadre.h"

#include "core/messaggi.h"
#include "rotations/registro.h"
#include "rotations/vocabolario.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/dbgrid.h"
#include "ui/traduzione.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace rotazioni;

TFrmRTsquadre::TFrmRTsquadre(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FrmRTsquadre"));
    setWindowTitle(QStringLiteral("Squadre rotazioni"));
    TableRTSquadre = new store::Table(QStringLiteral("rt_squadre.db"), this);
    TableRTSquadre->setObjectName(QStringLiteral("TableRTSquadre"));
    TableRTgiocatori = new store::Table(QStringLiteral("rt_giocatori.db"), this);
    TableRTgiocatori->setObjectName(QStringLiteral("TableRTgiocatori"));
    TableRTformazioni = new store::Table(QStringLiteral("rt_formazioni.db"), this);
    TableRTformazioni->setObjectName(QStringLiteral("TableRTformazioni"));
    TableRTSquadre->beforePost = [this](store::Table &t) { return TableRTSquadreBeforePost(t); };
    TableRTSquadre->afterPost = [this](store::Table &t) { TableRTSquadreAfterPost(t); };
    TableRTSquadre->beforeDelete = [this](store::Table &t) { return TableRTSquadreBeforeDelete(t); };
    costruisci();
    FormCreate();
}

TFrmRTsquadre::~TFrmRTsquadre() { FormDestroy(); }

void TFrmRTsquadre::costruisci()
{
    DBNavigator1 = createNamed<DBNavigator>(this, QLatin1String("DBNavigator1"));
    DBNavigator1->setVisibleButtons({DBNavigator::Prior, DBNavigator::Next, DBNavigator::Insert, DBNavigator::Delete,
                                     DBNavigator::Post, DBNavigator::Cancel});
    DBNavigator1->setHints(SuggerimentiNavigatore());
    // The team, its players and its line-up rows go together or not at all.
    DBNavigator1->setTransactional(true);
    DBNavigator1->setTable(TableRTSquadre);
    connect(DBNavigator1, &DBNavigator::clicked, this, &TFrmRTsquadre::DBNavigator1Click);

    Label2 = createLabel(this, "Label2", QStringLiteral("Nome squadra:"));
    DBEditSquadra = createNamed<DBEdit>(this, QLatin1String("DBEditSquadra"));
    DBEditSquadra->setDataField(TableRTSquadre, QStringLiteral("NOMESQUADRA"));
    DBEditSquadra->setMinimumWidth(240);
    Label1 = createLabel(this, "Label1", QStringLiteral("Elenco squadre presenti:"));
    DBGrid1 = createNamed<DBGrid>(this, QLatin1String("DBGrid1"));
    DBGrid1->addColumn(QStringLiteral("nomesquadra"), QStringLiteral("Nome squadra"), 200);
    DBGrid1->setDataSource(TableRTSquadre);
    DBGrid1->setMinimumSize(260, 240);
    sbEsci = createButton(this, "sbEsci", QStringLiteral("Esci"), SuggerimentoEsci);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmRTsquadre::sbEsciClick);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(DBNavigator1, 0, Qt::AlignLeft);
    v->addSpacing(6);
    v->addWidget(Label2);
    v->addWidget(DBEditSquadra);
    v->addSpacing(6);
    v->addWidget(Label1);
    v->addWidget(DBGrid1);
    auto *comandi = new QHBoxLayout;
    comandi->addStretch();
    comandi->addWidget(sbEsci);
    v->addLayout(comandi);
}

void TFrmRTsquadre::FormCreate()
{
    Protetto([this] {
        TableRTSquadre->open();
        TableRTformazioni->open();
        TableRTgiocatori->open();
    });
    TraduciEtichette();
}

void TFrmRTsquadre::TraduciEtichette()
{
    TraduciControlli({Label1, Label2, sbEsci});
    TraduciColonna(*DBGrid1, 0);
}

void TFrmRTsquadre::FormDestroy()
{
    TableRTSquadre->close();
    TableRTformazioni->close();
    TableRTgiocatori->close();
}

int TFrmRTsquadre::NuovoIdSquadra() { return NuovoId(QStringLiteral("rt_squadre"), QStringLiteral("idsquadra")); }

bool TFrmRTsquadre::EsisteFormazione()
{
    const int id = TableRTSquadre->fieldByName(QStringLiteral("idsquadra")).asInteger();
    return !apriQuery(QStringLiteral("select * from rt_formazioni where idsquadra = ?"), {id})->isEmpty();
}

void TFrmRTsquadre::DBNavigator1Click(DBNavigator::Button bottone)
{
    if (bottone == DBNavigator::Insert)
        DBEditSquadra->setFocus();
}

bool TFrmRTsquadre::TableRTSquadreBeforePost(store::Table &tabella)
{
    if (tabella.state() == store::Table::Insert)
        tabella.fieldByName(QStringLiteral("idsquadra")).setAsInteger(NuovoIdSquadra());
    return true;
}

void TFrmRTsquadre::TableRTSquadreAfterPost(store::Table &tabella)
{
    if (EsisteFormazione())
        return;
    TableRTformazioni->append();
    TableRTformazioni->fieldByName(QStringLiteral("idsquadra"))
        .setAsInteger(tabella.fieldByName(QStringLiteral("idsquadra")).asInteger());
    TableRTformazioni->fieldByName(QStringLiteral("metodo")).setAsString(MetodoPSCOSC);
    TableRTformazioni->post();
}

bool TFrmRTsquadre::TableRTSquadreBeforeDelete(store::Table &tabella)
{
    if (!ChiediConfermaDistruttiva(QStringLiteral("Questa operazione causerà la cancellazione della squadra, del relativo elenco di "
                                       "giocatori e quello delle formazioni, continuare?")))
        return false;
    const int id = tabella.fieldByName(QStringLiteral("idsquadra")).asInteger();
    EliminaRighe(*TableRTformazioni, QStringLiteral("idsquadra"), id);
    EliminaRighe(*TableRTgiocatori, QStringLiteral("idsquadra"), id);
    return true;
}

void TFrmRTsquadre::sbEsciClick()
{
    if (PuoUscire(*TableRTSquadre))
        QDialog::reject();
}

void TFrmRTsquadre::reject() { sbEsciClick(); }
