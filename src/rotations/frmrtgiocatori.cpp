#include "rotations/frmrtgiocatori.h"

#include "core/messaggi.h"
#include "rotations/registro.h"
#include "rotations/vocabolario.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/dbgrid.h"
#include "ui/traduzione.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace rotazioni;

namespace {
const QString PosizioniFormazione[] = {QStringLiteral("pos1"), QStringLiteral("pos2"), QStringLiteral("pos3"),
                                       QStringLiteral("pos4"), QStringLiteral("pos5"), QStringLiteral("pos6"),
                                       QStringLiteral("libe")};
}

TFrmRTgiocatori::TFrmRTgiocatori(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FrmRTgiocatori"));
    setWindowTitle(QStringLiteral("Elenco giocatori rotazioni"));
    TableRTgiocatori = new store::Table(QStringLiteral("rt_giocatori.db"), this);
    TableRTgiocatori->setObjectName(QStringLiteral("TableRTgiocatori"));
    TableRTformazioni = new store::Table(QStringLiteral("rt_formazioni.db"), this);
    TableRTformazioni->setObjectName(QStringLiteral("TableRTformazioni"));
    TableRTgiocatori->beforePost = [this](store::Table &t) { return TableRTgiocatoriBeforePost(t); };
    TableRTgiocatori->beforeDelete = [this](store::Table &t) { return TableRTgiocatoriBeforeDelete(t); };
    costruisci();
    FormCreate();
}

TFrmRTgiocatori::~TFrmRTgiocatori() { FormDestroy(); }

void TFrmRTgiocatori::costruisci()
{
    store::Table *t = TableRTgiocatori;
    Label1 = createLabel(this, "Label1", QStringLiteral("Seleziona squadra:"));
    cbSquadre = createNamed<QComboBox>(this, QLatin1String("cbSquadre"));
    cbSquadre->setEditable(false);
    cbSquadre->setMinimumWidth(240);
    connect(cbSquadre, &QComboBox::currentIndexChanged, this, [this] { Protetto([this] { cbSquadreChange(); }); });

    PanelDettaglio = createNamed<QWidget>(this, QLatin1String("PanelDettaglio"));
    PanelDettaglio->setEnabled(false);
    DBGrid1 = createNamed<DBGrid>(PanelDettaglio, QLatin1String("DBGrid1"));
    DBGrid1->addColumn(QStringLiteral("numeromaglia"), QStringLiteral("Numero"), 45);
    DBGrid1->setDataSource(t);
    DBGrid1->setFixedWidth(DBGrid1->columnWidth(0) + 40);
    DBGrid1->setMinimumHeight(260);
    DBNavigator1 = createNamed<DBNavigator>(PanelDettaglio, QLatin1String("DBNavigator1"));
    DBNavigator1->setVisibleButtons({DBNavigator::Prior, DBNavigator::Next, DBNavigator::Insert, DBNavigator::Delete,
                                     DBNavigator::Post, DBNavigator::Cancel});
    DBNavigator1->setHints(SuggerimentiNavigatore());
    // The line-up reset and the deletion of its player go together or not at all.
    DBNavigator1->setTransactional(true);
    DBNavigator1->setTable(t);
    connect(DBNavigator1, &DBNavigator::clicked, this, &TFrmRTgiocatori::DBNavigator1Click);

    Label4 = createLabel(PanelDettaglio, "Label4", QStringLiteral("Numero maglia:"));
    DBEditNumero = createNamed<DBEdit>(PanelDettaglio, QLatin1String("DBEditNumero"));
    DBEditNumero->setDataField(t, QStringLiteral("numeromaglia"));
    // At most two characters, as an integer field takes them.
    DBEditNumero->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[-+]?[0-9]?|[0-9]{2}")), DBEditNumero));
    DBEditNumero->setFixedWidth(50);
    Label2 = createLabel(PanelDettaglio, "Label2", QStringLiteral("Nome:"));
    DBEditNome = createNamed<DBEdit>(PanelDettaglio, QLatin1String("DBEditNome"));
    DBEditNome->setDataField(t, QStringLiteral("nome"));
    DBEditNome->setMinimumWidth(220);
    Label3 = createLabel(PanelDettaglio, "Label3", QStringLiteral("Cognome:"));
    DBEditCognome = createNamed<DBEdit>(PanelDettaglio, QLatin1String("DBEditCognome"));
    DBEditCognome->setDataField(t, QStringLiteral("cognome"));
    Label5 = createLabel(PanelDettaglio, "Label5", QStringLiteral("Ruolo:"));
    DBcbRuolo = createNamed<DBComboBox>(PanelDettaglio, QLatin1String("DBcbRuolo"));
    DBcbRuolo->addItems({Palleggiatore, Schiacciatore, Centrale, Opposto, Libero});
    DBcbRuolo->setDataField(t, QStringLiteral("ruolo"));
    Label6 = createLabel(PanelDettaglio, "Label6", QStringLiteral("Battuta:"));
    DBcbBattuta = createNamed<DBComboBox>(PanelDettaglio, QLatin1String("DBcbBattuta"));
    DBcbBattuta->addItems(TipiBattuta);
    DBcbBattuta->setDataField(t, QStringLiteral("battuta"));
    setTabOrder(DBEditNumero, DBEditNome);
    setTabOrder(DBEditNome, DBEditCognome);
    setTabOrder(DBEditCognome, DBcbRuolo);
    setTabOrder(DBcbRuolo, DBcbBattuta);
    setTabOrder(DBcbBattuta, DBNavigator1);

    {
        auto *dettaglio = new QFormLayout;
        dettaglio->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        dettaglio->addRow(Label4, DBEditNumero);
        dettaglio->addRow(Label2, DBEditNome);
        dettaglio->addRow(Label3, DBEditCognome);
        dettaglio->addRow(Label5, DBcbRuolo);
        dettaglio->addRow(Label6, DBcbBattuta);
        auto *destra = new QVBoxLayout;
        destra->addWidget(DBNavigator1, 0, Qt::AlignLeft);
        destra->addSpacing(8);
        destra->addLayout(dettaglio);
        destra->addStretch();
        auto *h = new QHBoxLayout(PanelDettaglio);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(DBGrid1);
        h->addSpacing(8);
        h->addLayout(destra);
    }

    PanelComandi = createNamed<QWidget>(this, QLatin1String("PanelComandi"));
    sbEsci = createButton(PanelComandi, "sbEsci", QStringLiteral("Esci"), SuggerimentoEsci);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmRTgiocatori::sbEsciClick);
    {
        auto *h = new QHBoxLayout(PanelComandi);
        h->setContentsMargins(0, 0, 0, 0);
        h->addStretch();
        h->addWidget(sbEsci);
    }

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    auto *scelta = new QHBoxLayout;
    scelta->addWidget(Label1);
    scelta->addWidget(cbSquadre);
    scelta->addStretch();
    v->addLayout(scelta);
    v->addSpacing(6);
    v->addWidget(PanelDettaglio);
    v->addWidget(PanelComandi);
}

void TFrmRTgiocatori::FormCreate()
{
    Protetto([this] {
        TableRTformazioni->open();
        const QSignalBlocker quiet(cbSquadre);
        RiempiSquadre(*cbSquadre);
        cbSquadre->setCurrentIndex(-1);
    });
    TraduciEtichette();
}

void TFrmRTgiocatori::TraduciEtichette()
{
    TraduciControlli({Label1, Label2, Label3, Label4, Label5, Label6, sbEsci});
    TraduciColonna(*DBGrid1, 0);
}

void TFrmRTgiocatori::FormDestroy()
{
    TableRTgiocatori->close();
    TableRTformazioni->close();
}

void TFrmRTgiocatori::cbSquadreChange()
{
    if (cambiando)
        return;
    // A pending player is saved for the team he was typed for before another team is shown (and a
    // refused save keeps that team chosen), rather than being dropped or moved to the new team.
    try {
        if (TableRTgiocatori->isEditing() && !TableRTgiocatori->post()) {
            const QSignalBlocker quiet(cbSquadre);
            cbSquadre->setCurrentIndex(squadraMostrata);
            return;
        }
    } catch (const store::EngineError &e) {
        const QSignalBlocker quiet(cbSquadre);
        cbSquadre->setCurrentIndex(squadraMostrata);
        MostraErrore(e.message());
        return;
    }
    if (cbSquadre->currentText().isEmpty())
        return;
    cambiando = true;
    squadraMostrata = cbSquadre->currentIndex();
    IdSquadraCorrente = IdSquadraScelta(*cbSquadre);
    // The table is opened before the filter is set, so that the filter applies from the start.
    if (!TableRTgiocatori->isOpen())
        TableRTgiocatori->open();
    TableRTgiocatori->setFilter(store::Table::filterEquals(QStringLiteral("idsquadra"), QString::number(IdSquadraCorrente)));
    TableRTgiocatori->setFiltered(true);
    PanelDettaglio->setEnabled(true);
    cambiando = false;
}

void TFrmRTgiocatori::DBNavigator1Click(DBNavigator::Button bottone)
{
    if (bottone == DBNavigator::Insert)
        DBEditNumero->setFocus();
}

int TFrmRTgiocatori::NuovoIdGiocatore()
{
    return NuovoId(QStringLiteral("rt_giocatori"), QStringLiteral("idgiocatore"));
}

int TFrmRTgiocatori::ContaNumeroMaglia(const QString &numero, int idSquadra, int idGiocatore)
{
    QString sql = QStringLiteral("select numeromaglia from rt_giocatori where numeromaglia = ? and idsquadra = ?");
    QList<QVariant> valori{numero.trimmed().toInt(), idSquadra};
    if (idGiocatore != 0) {
        sql += QStringLiteral(" and IDGIOCATORE <> ?");
        valori << idGiocatore;
    }
    return apriQuery(sql, valori)->recordCount();
}

bool TFrmRTgiocatori::GiocatoreInFormazione(int idSquadra, const QString &idGiocatore)
{
    QStringList alternative;
    QList<QVariant> valori{idSquadra};
    for (const QString &campo : PosizioniFormazione) {
        alternative << campo + QStringLiteral(" = ?");
        valori << idGiocatore.toInt();
    }
    const QString sql = QStringLiteral("select * from rt_formazioni where idsquadra = ? and (") +
                        alternative.join(QStringLiteral(" or ")) + QStringLiteral(") ");
    return !apriQuery(sql, valori)->isEmpty();
}

bool TFrmRTgiocatori::rifiuta(const QString &messaggio, QWidget *controllo)
{
    MostraErrore(messaggio);
    controllo->setFocus();
    return false;
}

bool TFrmRTgiocatori::TableRTgiocatoriBeforePost(store::Table &t)
{
    auto campo = [&t](const char *nome) { return t.fieldByName(QLatin1String(nome)); };
    if (campo("NUMEROMAGLIA").asString().isEmpty())
        return rifiuta(QStringLiteral("Manca il numero di maglia del giocatore!"), DBEditNumero);
    if (campo("RUOLO").asString().isEmpty())
        return rifiuta(QStringLiteral("Manca il ruolo del giocatore!"), DBcbRuolo);
    if (campo("NUMEROMAGLIA").asInteger() < 1)
        return rifiuta(QStringLiteral("Il numero di maglia del giocatore deve essere uguale o superiore a 1."),
                       DBEditNumero);
    if (ContaNumeroMaglia(campo("NUMEROMAGLIA").asString(), IdSquadraCorrente, campo("IDGIOCATORE").asInteger()) > 0)
        return rifiuta(QStringLiteral("Numero di maglia già esistente, modificarlo o annullare l'operazione!"),
                       DBEditNumero);

    if (t.state() == store::Table::Insert)
        campo("IDGIOCATORE").setAsInteger(NuovoIdGiocatore());
    campo("IDSQUADRA").setAsInteger(IdSquadraCorrente);
    if (campo("NOME").asString().isEmpty())
        campo("NOME").setAsString(QStringLiteral("Nd"));
    if (campo("COGNOME").asString().isEmpty())
        campo("COGNOME").setAsString(QStringLiteral("Nd"));
    if (campo("BATTUTA").asString().isEmpty())
        campo("BATTUTA").setAsString(TipiBattuta.first());
    return true;
}

bool TFrmRTgiocatori::TableRTgiocatoriBeforeDelete(store::Table &t)
{
    if (!GiocatoreInFormazione(IdSquadraCorrente, t.fieldByName(QStringLiteral("idgiocatore")).asString()))
        return true;
    if (!ChiediConfermaDistruttiva(QStringLiteral("Il giocatore che si vuole eliminare è inserito in formazione, pertanto questa "
                                       "operazione causerà l'azzeramento della formazione della relativa squadra, "
                                       "continuare?")))
        return false;
    TableRTformazioni->setFilter(store::Table::filterEquals(QStringLiteral("idsquadra"), QString::number(IdSquadraCorrente)));
    TableRTformazioni->setFiltered(true);
    if (!TableRTformazioni->isEmpty()) {
        TableRTformazioni->edit();
        TableRTformazioni->fieldByName(QStringLiteral("metodo")).clear();
        for (const QString &posizione : PosizioniFormazione)
            TableRTformazioni->fieldByName(posizione).setAsInteger(0);
        TableRTformazioni->post();
    }
    TableRTformazioni->setFiltered(false);
    return true;
}

void TFrmRTgiocatori::sbEsciClick()
{
    if (PuoUscire(*TableRTgiocatori))
        QDialog::reject();
}

void TFrmRTgiocatori::reject() { sbEsciClick(); }
