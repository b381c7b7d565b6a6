#include "rotations/frmrtformazioni.h"

#include "core/messaggi.h"
#include "rotations/registro.h"
#include "rotations/vocabolario.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "ui/datacontrols.h"
#include "ui/dbnavigator.h"
#include "ui/traduzione.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using namespace rotazioni;

namespace {
const QString DaInserire = QStringLiteral("Da inserire");

// The component names of the seven slots: label, list, button, edit, name label, field.
struct NomiPosto {
    const char *etichetta, *lista, *pulsante, *valore, *nome, *campo;
};
constexpr NomiPosto Nomi[7] = {
    {"Labpos1", "cb_pos1", "BitBtn1", "DBEditPos1", "LabelPos1", "pos1"},
    {"LabPos2", "cb_pos2", "BitBtn2", "DBEditPos2", "LabelPos2", "pos2"},
    {"LabPos3", "cb_pos3", "BitBtn3", "DBEditPos3", "LabelPos3", "pos3"},
    {"LabPos4", "cb_pos4", "BitBtn4", "DBEditPos4", "LabelPos4", "pos4"},
    {"LabPos5", "cb_pos5", "BitBtn5", "DBEditPos5", "LabelPos5", "pos5"},
    {"LabPos6", "cb_pos6", "BitBtn6", "DBEditPos6", "LabelPos6", "pos6"},
    {"LabPosLibe", "cb_libe", "BitBtn7", "DBEditLibe", "LabelLibe", "libe"},
};
const char *const Mancanti[6] = {"primo", "secondo", "terzo", "quarto", "quinto", "sesto"};

QString captionOf(int slot) { return slot < 6 ? DidascaliaPosto(MetodoPSCOSC, slot + 1) : QStringLiteral("Libero:"); }
} // namespace

TFrmRTformazioni::TFrmRTformazioni(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint)
{
    setObjectName(QStringLiteral("FrmRTformazioni"));
    setWindowTitle(QStringLiteral("Elenco formazioni rotazioni"));
    TableRTformazioni = new store::Table(QStringLiteral("rt_formazioni.db"), this);
    TableRTformazioni->setObjectName(QStringLiteral("TableRTformazioni"));
    TableRTformazioni->beforePost = [this](store::Table &t) { return TableRTformazioniBeforePost(t); };
    costruisci();
    FormCreate();
}

TFrmRTformazioni::~TFrmRTformazioni() { FormDestroy(); }

void TFrmRTformazioni::costruisci()
{
    store::Table *t = TableRTformazioni;
    Label1 = createLabel(this, "Label1", QStringLiteral("Seleziona squadra:"));
    cbSquadre = createNamed<QComboBox>(this, QLatin1String("cbSquadre"));
    cbSquadre->setMinimumWidth(240);
    connect(cbSquadre, &QComboBox::currentIndexChanged, this, [this] { Protetto([this] { cbSquadreChange(); }); });

    // Save and cancel, each under its bold word.
    Label11 = createLabel(this, "Label11", QStringLiteral("Conferma"), true);
    Label12 = createLabel(this, "Label12", QStringLiteral("Annulla"), true);
    DBNavigator1 = createNamed<DBNavigator>(this, QLatin1String("DBNavigator1"));
    DBNavigator1->setVisibleButtons({DBNavigator::Post, DBNavigator::Cancel});
    DBNavigator1->setHints(SuggerimentiNavigatore());
    DBNavigator1->setTable(t);
    for (QLabel *l : {Label11, Label12}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFixedWidth(70);
    }
    DBNavigator1->button(DBNavigator::Post)->setFixedWidth(70);
    DBNavigator1->button(DBNavigator::Cancel)->setFixedWidth(70);

    PanelDettaglio = createNamed<QWidget>(this, QLatin1String("PanelDettaglio"));
    PanelDettaglio->setEnabled(false);
    Label8 = createLabel(PanelDettaglio, "Label8", QStringLiteral("Metodo:"));
    cb_metodo = createNamed<QComboBox>(PanelDettaglio, QLatin1String("cb_metodo"));
    BitBtn0 = createButton(PanelDettaglio, "BitBtn0", QStringLiteral("->"), QStringLiteral("Aggiungi metodo"));
    connect(BitBtn0, &QPushButton::clicked, this, [this] { Protetto([this] { BitBtn0Click(); }); });
    DBEditmetodo = createNamed<DBEdit>(PanelDettaglio, QLatin1String("DBEditmetodo"));
    DBEditmetodo->setReadOnly(true);
    DBEditmetodo->setDataField(t, QStringLiteral("metodo"));
    connect(DBEditmetodo, &QLineEdit::textChanged, this, [this] {
        if (squadraScelta)
            Protetto([this] { CaricaGiocatori(); });
    });

    auto *griglia = new QGridLayout;
    griglia->setHorizontalSpacing(6);
    griglia->addWidget(Label8, 0, 0);
    griglia->addWidget(cb_metodo, 0, 1);
    griglia->addWidget(BitBtn0, 0, 2);
    griglia->addWidget(DBEditmetodo, 0, 3, 1, 2);
    for (int i = 0; i < 7; ++i) {
        Posto &p = posti[i];
        p.campo = QLatin1String(Nomi[i].campo);
        p.etichetta = createLabel(PanelDettaglio, Nomi[i].etichetta, captionOf(i));
        p.lista = createNamed<QComboBox>(PanelDettaglio, QLatin1String(Nomi[i].lista));
        p.lista->setMinimumWidth(260);
        p.pulsante = createButton(PanelDettaglio, Nomi[i].pulsante, QStringLiteral("->"),
                              QStringLiteral("Inserisci in formazione"));
        p.valore = createNamed<DBEdit>(PanelDettaglio, QLatin1String(Nomi[i].valore));
        p.valore->setReadOnly(true);
        p.valore->setFixedWidth(50);
        p.valore->setDataField(t, p.campo);
        p.nome = createLabel(PanelDettaglio, Nomi[i].nome, DaInserire);
        p.nome->setMinimumWidth(220);
        connect(p.pulsante, &QPushButton::clicked, this, [this, i] { Protetto([this, i] { BitBtnPostoClick(i + 1); }); });
        connect(p.valore, &QLineEdit::textChanged, this,
                [this, i](const QString &id) {
                    Protetto([this, i, id] {
                        posti[i].nome->setText(DescrizioneGiocatore(id));
                        if (posti[i].nome->text() == DaInserire)
                            TraduciControlli({posti[i].nome});
                    });
                });
        const int riga = i + 1 + (i == PostoLibero ? 1 : 0); // a gap before the libero
        griglia->addWidget(p.etichetta, riga, 0);
        griglia->addWidget(p.lista, riga, 1);
        griglia->addWidget(p.pulsante, riga, 2);
        griglia->addWidget(p.valore, riga, 3);
        griglia->addWidget(p.nome, riga, 4);
    }
    griglia->setRowMinimumHeight(7, 10);
    BitBtn0->setFixedWidth(36);
    for (Posto &p : posti)
        p.pulsante->setFixedWidth(36);
    Label10 = createLabel(PanelDettaglio, "Label10",
                        QStringLiteral("E' possibile predisporre formazioni anche senza il libero in campo."));
    sbTogliLibero = createButton(PanelDettaglio, "sbTogliLibero", QStringLiteral("Togli libero"),
                             QStringLiteral("Togli il libero dalla formazione"));
    connect(sbTogliLibero, &QPushButton::clicked, this, [this] { Protetto([this] { sbTogliLiberoClick(); }); });
    {
        auto *v = new QVBoxLayout(PanelDettaglio);
        v->setContentsMargins(0, 0, 0, 0);
        v->addLayout(griglia);
        v->addSpacing(6);
        auto *nota = new QHBoxLayout;
        nota->addWidget(Label10);
        nota->addStretch();
        nota->addWidget(sbTogliLibero);
        v->addLayout(nota);
    }

    PanelComandi = createNamed<QWidget>(this, QLatin1String("PanelComandi"));
    sbEsci = createButton(PanelComandi, "sbEsci", QStringLiteral("Esci"), SuggerimentoEsci);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmRTformazioni::sbEsciClick);
    {
        auto *h = new QHBoxLayout(PanelComandi);
        h->setContentsMargins(0, 0, 0, 0);
        h->addStretch();
        h->addWidget(sbEsci);
    }

    auto *testa = new QGridLayout;
    testa->addWidget(Label1, 1, 0);
    testa->addWidget(cbSquadre, 1, 1);
    testa->setColumnStretch(2, 1);
    auto *parole = new QHBoxLayout;
    parole->setSpacing(0);
    parole->addWidget(Label11);
    parole->addWidget(Label12);
    testa->addLayout(parole, 0, 3, Qt::AlignRight);
    testa->addWidget(DBNavigator1, 1, 3, Qt::AlignRight);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addLayout(testa);
    v->addSpacing(8);
    v->addWidget(PanelDettaglio);
    v->addSpacing(6);
    v->addWidget(PanelComandi);
}

void TFrmRTformazioni::FormCreate()
{
    Protetto([this] {
        const QSignalBlocker quiet(cbSquadre);
        RiempiSquadre(*cbSquadre);
        cbSquadre->setCurrentIndex(-1);
    });
    TraduciEtichette();
}

void TFrmRTformazioni::TraduciEtichette()
{
    QList<QObject *> controlli{Label1, Label11, Label12, Label8};
    for (const Posto &p : posti)
        controlli << p.etichetta;
    for (const Posto &p : posti)
        controlli << p.nome;
    controlli << Label10 << sbTogliLibero << sbEsci;
    TraduciControlli(controlli);
}

void TFrmRTformazioni::FormDestroy()
{
    squadraScelta = false; // the lists need no refill while the form goes
    TableRTformazioni->close();
}

int TFrmRTformazioni::IdGiocatoreDaVoce(const QString &voce)
{
    if (voce.isEmpty())
        return 0;
    return voce.section(QLatin1Char('-'), 0, 0).trimmed().toInt();
}

QString TFrmRTformazioni::DescrizioneGiocatore(const QString &id)
{
    if (id.isEmpty() || id == QLatin1String("0"))
        return DaInserire;
    auto q = apriQuery(QStringLiteral("select * from rt_giocatori where idgiocatore = ?"), {id.toInt()});
    auto campo = [&q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asString(); };
    return campo("nome") + QLatin1Char(' ') + campo("cognome") + QStringLiteral(" n.") + campo("numeromaglia");
}

void TFrmRTformazioni::cbSquadreChange()
{
    // A pending line-up is saved for the team it was made for before another team is shown; a
    // refused save keeps that team chosen, instead of dropping the changes unasked.
    if (TableRTformazioni->isOpen() && TableRTformazioni->isEditing()) {
        bool salvata = false;
        Protetto([this, &salvata] { salvata = TableRTformazioni->post(); });
        if (!salvata) {
            const QSignalBlocker quiet(cbSquadre);
            cbSquadre->setCurrentIndex(squadraMostrata);
            return;
        }
    }
    cb_metodo->clear();
    for (Posto &p : posti)
        p.lista->clear();
    if (cbSquadre->currentText().isEmpty())
        return;
    squadraMostrata = cbSquadre->currentIndex();
    IdSquadraCorrente = IdSquadraScelta(*cbSquadre);
    // Opened before the filter is set, so that the filter applies from the start.
    if (!TableRTformazioni->isOpen())
        TableRTformazioni->open();
    TableRTformazioni->setFilter(store::Table::filterEquals(QStringLiteral("idsquadra"), QString::number(IdSquadraCorrente)));
    TableRTformazioni->setFiltered(true);
    PanelDettaglio->setEnabled(true);
    squadraScelta = true;
    const int righe = TableRTformazioni->recordCount();
    if (righe > 1)
        MostraErrore(QStringLiteral(
            "Sono state individuate 2 formazioni per la stessa squadra, questa eccezione non dovrebbe esistere e "
            "potrebbe causare futuri problemi. Si consiglia:\r\na) effettuare un indicizzazione tabelle\r\nb) se il "
            "problema persiste eliminare la squadra dal menù rotazioni -> tabelle -> squadre\r\nc) se il problema "
            "persiste contattare Brivo."));
    else if (righe == 0)
        MostraErrore(QStringLiteral(
            "Non sono state individuate formazioni per la squadra scelta, questa eccezione non dovrebbe esistere e "
            "potrebbe causare futuri problemi. Si consiglia:\r\na) modificare il nome della squadra dal menù rotazioni "
            "-> tabelle -> squadre\r\nb) effettuare un'indicizzazione delle tabelle\r\nc) se il problema persiste "
            "contattare Brivo."));
    cb_metodo->addItems({MetodoPSCOSC, MetodoPCSOCS});
    cb_metodo->setCurrentIndex(-1);
    CaricaGiocatori();
}

void TFrmRTformazioni::CaricaGiocatori()
{
    for (Posto &p : posti)
        p.lista->clear();
    auto riempi = [this](QComboBox *lista, const QString &ruolo) {
        auto q = apriQuery(QStringLiteral("select * from rt_giocatori where idsquadra = ? and ruolo = ?"),
                           {IdSquadraCorrente, ruolo});
        auto campo = [&q](const char *nome) { return q->fieldByName(QLatin1String(nome)).asString(); };
        for (q->first(); !q->eof(); q->next())
            lista->addItem(campo("idgiocatore") + QLatin1Char('-') + campo("nome") + QLatin1Char(' ') + campo("cognome") +
                           QStringLiteral(" n.") + campo("numeromaglia"));
    };
    riempi(posti[0].lista, Palleggiatore);
    riempi(posti[3].lista, Opposto);
    riempi(posti[PostoLibero].lista, Libero);
    const QString metodo =
        TableRTformazioni->isOpen() ? TableRTformazioni->fieldByName(QStringLiteral("metodo")).asString() : QString();
    if (metodo == MetodoPSCOSC || metodo == MetodoPCSOCS) {
        for (int posto = 1; posto <= 6; ++posto)
            posti[posto - 1].etichetta->setText(DidascaliaPosto(metodo, posto));
        posti[PostoLibero].etichetta->setText(QStringLiteral("Libero:"));
        // The captions of the method's roles, in the form's language like the rest of it.
        QList<QObject *> didascalie;
        for (const Posto &p : posti)
            didascalie << p.etichetta;
        TraduciControlli(didascalie);
        for (int posto : {2, 3, 5, 6})
            riempi(posti[posto - 1].lista, RuoloDelPosto(metodo, posto));
    }
    for (Posto &p : posti)
        p.lista->setCurrentIndex(-1);
}

void TFrmRTformazioni::ModificaRiga()
{
    store::Table &t = *TableRTformazioni;
    if (!t.isEditing())
        t.edit(); // a team without its row starts one here
    if (t.state() == store::Table::Insert && t.fieldByName(QStringLiteral("idsquadra")).isNull())
        t.fieldByName(QStringLiteral("idsquadra")).setAsInteger(IdSquadraCorrente);
}

void TFrmRTformazioni::BitBtn0Click()
{
    if (!TableRTformazioni->isOpen() || cb_metodo->currentIndex() < 0)
        return;
    const QString scelto = cb_metodo->currentText();
    const QString attuale = TableRTformazioni->fieldByName(QStringLiteral("metodo")).asString();
    if (!attuale.isEmpty()) {
        if (attuale == scelto)
            return;
        if (!ChiediConfermaDistruttiva(QStringLiteral("Il metodo era già stato definito.\r\nLa formazione verrà azzerata e si dovrà "
                                           "inserire di nuovo i giocatori in formazione, sei sicuro di voler continuare?")))
            return;
        ModificaRiga();
        for (const Posto &p : posti)
            TableRTformazioni->fieldByName(p.campo).clear();
    }
    ModificaRiga();
    TableRTformazioni->fieldByName(QStringLiteral("metodo")).setAsString(scelto);
}

void TFrmRTformazioni::BitBtnPostoClick(int posto)
{
    const Posto &p = posti[posto - 1];
    if (!TableRTformazioni->isOpen() || p.lista->currentIndex() < 0)
        return;
    ModificaRiga();
    TableRTformazioni->fieldByName(p.campo).setAsInteger(IdGiocatoreDaVoce(p.lista->currentText()));
    p.lista->setCurrentIndex(-1);
}

void TFrmRTformazioni::sbTogliLiberoClick()
{
    if (!TableRTformazioni->isOpen())
        return;
    ModificaRiga();
    TableRTformazioni->fieldByName(posti[PostoLibero].campo).setAsInteger(0);
}

bool TFrmRTformazioni::GiocatoriDuplicati()
{
    QList<int> ids;
    for (const Posto &p : posti)
        ids << TableRTformazioni->fieldByName(p.campo).asInteger();
    for (int i = 0; i < 6; ++i)
        if (ids[i] == 0)
            return false;
    for (int i = 0; i < 7; ++i)
        for (int j = i + 1; j < 7; ++j)
            if (ids[i] != 0 && ids[i] == ids[j])
                return true;
    return false;
}

bool TFrmRTformazioni::rifiuta(const QString &messaggio, QWidget *controllo)
{
    MostraErrore(messaggio);
    controllo->setFocus();
    return false;
}

bool TFrmRTformazioni::TableRTformazioniBeforePost(store::Table &t)
{
    if (t.fieldByName(QStringLiteral("metodo")).asString().isEmpty())
        return rifiuta(QStringLiteral("Manca il metodo di formazione della squadra!"), DBEditmetodo);
    for (int i = 0; i < 6; ++i) {
        const QString id = t.fieldByName(posti[i].campo).asString();
        if (id.isEmpty() || id == QLatin1String("0"))
            return rifiuta(QStringLiteral("Manca il %1 giocatore della squadra!").arg(QLatin1String(Mancanti[i])),
                           posti[i].valore);
    }
    if (GiocatoriDuplicati())
        return rifiuta(QStringLiteral("Imposssibile schierare in campo lo stesso giocatore, modificarlo o annullare "
                                      "l'operazione!"),
                       posti[0].valore);
    return true;
}

void TFrmRTformazioni::sbEsciClick()
{
    if (PuoUscire(*TableRTformazioni))
        QDialog::reject();
}

void TFrmRTformazioni::reject() { sbEsciClick(); }
