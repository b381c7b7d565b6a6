#include "rotations/frmrtrotazioni.h"

#include "core/attesa.h"
#include "core/messaggi.h"
#include "rotations/campodisegnato.h"
#include "rotations/registro.h"
#include "store/impostazioni.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace rotazioni;

namespace {

const char *const Didascalie[6] = {"Prima rotazione", "Seconda rotazione", "Terza rotazione",
                                   "Quarta rotazione", "Quinta rotazione", "Sesta rotazione"};

// The small and the big court, in pixels.
const MisureCampo CampoPiccolo{72, 38, 96, 3};
const QSizeF MisuraCella(34, 20);
const MisureCampo CampoGrande{248, 124, 330, 6};
const QSizeF PostoGrandeBox(120, 54);

QString lettera(Squadra s) { return s == Squadra::A ? QStringLiteral("A") : QStringLiteral("B"); }

// A team name as a button caption: an ampersand is shown, not taken for a shortcut.
QString comeDidascalia(const QString &nome)
{
    QString t = nome;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void impostaSfondo(QLabel *l, const QColor &colore)
{
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, colore);
    l->setPalette(pal);
}

void impostaGrassetto(QLabel *l, bool grassetto)
{
    QFont f = l->font();
    f.setBold(grassetto);
    l->setFont(f);
}

} // namespace

TFrmRTrotazioni::TFrmRTrotazioni(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint)
{
    setObjectName(QStringLiteral("FrmRTrotazioni"));
    setWindowTitle(QStringLiteral("Elenco rotazioni di gioco"));
    costruisci();
    FormCreate();
}

TFrmRTrotazioni::~TFrmRTrotazioni() = default;

QString TFrmRTrotazioni::NomePulsanteRotazione(int n)
{
    return QStringLiteral("ButROTA%1").arg(OffsetDiRotazione(n) + 1);
}

void TFrmRTrotazioni::costruisci()
{
    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(costruisciComandi());
    v->addSpacing(4);
    v->addWidget(costruisciPanoramica(), 0, Qt::AlignHCenter);
    v->addSpacing(6);
    v->addWidget(costruisciDettaglio());

    auto *barra = new QHBoxLayout;
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const QString t = lettera(s);
        Lato &l = lato(s);
        l.stampa = createNamed<QCheckBox>(this, QStringLiteral("cbStampaSq") + t);
        l.stampa->setText(QStringLiteral("Squadra ") + t);
        l.stampa->setToolTip(QStringLiteral("Stampa squadra %1 in anteprima").arg(t));
        l.stampa->setChecked(true);
        barra->addWidget(l.stampa);
    }
    BTSstampa = createButton(this, QStringLiteral("BTSstampa"), QStringLiteral("Stampa"),
                             QStringLiteral("Anteprima di stampa"));
    BitBtn1 = createButton(this, QStringLiteral("BitBtn1"), QStringLiteral("Stampa campi piccoli"),
                           QStringLiteral("Anteprima di stampa"));
    sbEsci = createButton(this, QStringLiteral("sbEsci"), QStringLiteral("Esci"),
                          QStringLiteral("Esci da questa maschera"));
    connect(sbEsci, &QPushButton::clicked, this, &TFrmRTrotazioni::sbEsciClick);
    connect(BTSstampa, &QPushButton::clicked, this, [this] { Protetto([this] { BTSstampaClick(); }); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { Protetto([this] { BitBtn1Click(); }); });
    barra->addWidget(BTSstampa);
    barra->addWidget(BitBtn1);
    barra->addStretch();
    barra->addWidget(sbEsci);
    v->addSpacing(4);
    v->addLayout(barra);
}

QWidget *TFrmRTrotazioni::costruisciComandi()
{
    auto *w = new QWidget(this);
    auto *g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    rgBattuta = createNamed<QGroupBox>(w, QStringLiteral("rgBattuta"));
    rgBattuta->setTitle(QStringLiteral("Battuta"));
    gruppoBattuta = new QButtonGroup(this);
    auto *rv = new QVBoxLayout(rgBattuta);
    rv->setContentsMargins(8, 2, 8, 2);
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const QString t = lettera(s);
        Lato &l = lato(s);
        const int riga = int(s);
        l.etichetta = createLabel(w, QStringLiteral("Label%1").arg(riga + 1), QStringLiteral("Seleziona squadra %1:").arg(t));
        l.squadra = createNamed<QComboBox>(w, QStringLiteral("cbSquadra") + t);
        l.squadra->setMinimumWidth(230);
        l.etichettaZona = createLabel(w, QStringLiteral("Label%1").arg(riga + 3), QStringLiteral("Zona palleggiatore:"));
        l.zona = createNamed<QComboBox>(w, QStringLiteral("cbPall") + t);
        l.zona->setToolTip(QStringLiteral("Zona di partenza palleggiatore squadra ") + t);
        for (int z = 1; z <= 6; ++z)
            l.zona->addItem(QString::number(z));
        l.zona->setCurrentIndex(-1);
        l.battuta = createNamed<QRadioButton>(rgBattuta, QStringLiteral("rgBattuta") + t);
        l.battuta->setText(QStringLiteral("Squadra ") + t);
        gruppoBattuta->addButton(l.battuta, riga);
        rv->addWidget(l.battuta);
        g->addWidget(l.etichetta, riga, 0);
        g->addWidget(l.squadra, riga, 1);
        g->addWidget(l.etichettaZona, riga, 2);
        g->addWidget(l.zona, riga, 3);
        connect(l.squadra, &QComboBox::currentIndexChanged, this, [this, s] { Protetto([this, s] { SceltaSquadra(s); }); });
    }
    lato(Squadra::A).battuta->setChecked(true);
    g->addWidget(rgBattuta, 0, 4, 2, 1);
    cbScambioAutomatico = createNamed<QCheckBox>(w, QStringLiteral("cbScambioAutomatico"));
    cbScambioAutomatico->setText(QStringLiteral("Scambio autom."));
    cbScambioAutomatico->setToolTip(QStringLiteral("Attiva / disattiva scambio automatico giocatori"));
    ButtGenera = createButton(w, QStringLiteral("ButtGenera"), QStringLiteral("Genera incontro"));
    connect(ButtGenera, &QPushButton::clicked, this, [this] { Protetto([this] { ButtGeneraClick(); }); });
    LabelAttendere = createLabel(w, QStringLiteral("LabelAttendere"), QStringLiteral("Attendere, elaborazione in corso..."),
                                 true);
    QPalette rosso = LabelAttendere->palette();
    rosso.setColor(QPalette::WindowText, Qt::red);
    LabelAttendere->setPalette(rosso);
    // Shown or not, the wait label keeps its room: nothing beside it moves.
    QSizePolicy attesa = LabelAttendere->sizePolicy();
    attesa.setRetainSizeWhenHidden(true);
    LabelAttendere->setSizePolicy(attesa);
    LabelAttendere->hide();
    g->addWidget(cbScambioAutomatico, 0, 5);
    g->addWidget(ButtGenera, 0, 6);
    g->addWidget(LabelAttendere, 1, 5, 1, 2);
    g->setColumnStretch(7, 1);
    return w;
}

QWidget *TFrmRTrotazioni::costruisciPanoramica()
{
    auto *w = new QWidget(this);
    auto *g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(18);
    g->setVerticalSpacing(4);
    // Top row rotations 1, 2, 3, bottom row 4, 5, 6.
    for (int n = 1; n <= 6; ++n) {
        const int k = OffsetDiRotazione(n);
        QPushButton *b = createButton(w, NomePulsanteRotazione(n), QLatin1String(Didascalie[n - 1]),
                                      QStringLiteral("Visualizza dettagli rotazione %1").arg(n));
        pulsantiRotazione[n - 1] = b;
        connect(b, &QPushButton::clicked, this, [this, n] { Protetto([this, n] { ButROTAClick(n); }); });
        auto *campo = new CampoDisegnato(CampoPiccolo, w);
        for (Squadra s : {Squadra::A, Squadra::B})
            for (int z = 1; z <= 6; ++z) {
                QLabel *c = createLabel(campo, lettera(s) + QStringLiteral("%1R%2").arg(z).arg(k + 1), QString());
                c->setToolTip(QStringLiteral("Zona %1").arg(z));
                c->setAlignment(Qt::AlignCenter);
                c->setAutoFillBackground(true);
                c->setFrameShape(QFrame::Box);
                impostaSfondo(c, Qt::white);
                c->setGeometry(CampoPiccolo.posto(s, z, MisuraCella).toRect());
                lato(s).celle[k][z - 1] = c;
            }
        const int riga = (n - 1) / 3 * 2, colonna = (n - 1) % 3;
        g->addWidget(b, riga, colonna);
        g->addWidget(campo, riga + 1, colonna, Qt::AlignHCenter);
    }
    return w;
}

QWidget *TFrmRTrotazioni::costruisciListe(Squadra s)
{
    const QString t = lettera(s);
    Lato &l = lato(s);
    auto *w = new QWidget(this);
    w->setFixedWidth(205);
    auto *v = new QVBoxLayout(w);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(3);
    const Qt::Alignment allinea = (s == Squadra::A ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
    l.nome = createLabel(w, QStringLiteral("LabSquadra") + t, QStringLiteral("Squadra ") + t, true);
    l.metodo = createLabel(w, QStringLiteral("Lab%1metodo").arg(t), QString());
    v->addWidget(l.nome);
    v->addWidget(l.metodo);
    for (int i = 0; i < 6; ++i) {
        l.posti[i] = createLabel(w, QStringLiteral("Lab%1%2").arg(t).arg(i + 1), QString());
        v->addWidget(l.posti[i]);
    }
    l.libero = createLabel(w, QStringLiteral("Lab%1libe").arg(t), QString());
    v->addWidget(l.libero);
    for (QLabel *e : w->findChildren<QLabel *>()) {
        e->setAlignment(allinea);
        e->setWordWrap(true);
    }
    v->addStretch();
    return w;
}

CampoDisegnato *TFrmRTrotazioni::costruisciCampoGrande()
{
    auto *campo = new CampoDisegnato(CampoGrande, this);
    campo->setObjectName(QStringLiteral("CampoDettaglio"));
    campo->installEventFilter(this);
    campoGrande = campo;
    QFont numero = font();
    numero.setBold(true);
    for (Squadra s : {Squadra::A, Squadra::B})
        for (int p = 1; p <= 13; ++p) {
            const QString base = lettera(s) + QString::number(p) + QStringLiteral("GENE");
            const QString prefisso = p > 6 ? QStringLiteral("FAN_") : QString();
            const QRectF box = CampoGrande.posto(s, p, PostoGrandeBox);
            PostoCampo &pc = lato(s).campo[p - 1];
            pc.testo = createLabel(campo, prefisso + base, QString());
            pc.testo->setGeometry(NomeNelPosto(box).toRect());
            pc.testo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            pc.cerchio = createNamed<CerchioGiocatore>(campo, prefisso + QStringLiteral("Shape_") + base);
            pc.cerchio->setGeometry(CerchioNelPosto(box).toRect());
            pc.numero = createLabel(campo, prefisso + QStringLiteral("Num_") + base, QString());
            pc.numero->setGeometry(CerchioNelPosto(box).toRect());
            pc.numero->setAlignment(Qt::AlignCenter);
            pc.numero->setFont(numero);
            if (p <= 6)
                pc.testo->setToolTip(QStringLiteral("Zona %1").arg(p));
            // Any part of a player takes him along when dragged.
            for (QWidget *parte : {static_cast<QWidget *>(pc.testo), static_cast<QWidget *>(pc.cerchio),
                                   static_cast<QWidget *>(pc.numero)}) {
                parte->installEventFilter(this);
                parte->setCursor(Qt::OpenHandCursor);
            }
        }
    return campo;
}

QWidget *TFrmRTrotazioni::costruisciDettaglio()
{
    auto *w = new QWidget(this);
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(costruisciListe(Squadra::A), 0, Qt::AlignTop);
    auto *centro = new QVBoxLayout;
    LabelDettaglio = createLabel(w, QStringLiteral("LabelDettaglio"), QStringLiteral("Dettaglio rotazione:"), true);
    LabelDettaglio->setAlignment(Qt::AlignCenter);
    centro->addWidget(LabelDettaglio);
    auto *battute = new QHBoxLayout;
    for (Squadra s : {Squadra::A, Squadra::B}) {
        Lato &l = lato(s);
        l.immagineBattuta = createLabel(w, QStringLiteral("ImageBattuta") + lettera(s), QString());
        l.immagineBattuta->setPixmap(PallaBattuta());
        l.immagineBattuta->setFixedSize(20, 20);
        l.etichettaBattuta = createLabel(w, QStringLiteral("LabelBattuta") + lettera(s), QString(), true);
        l.etichettaBattuta->setFixedHeight(20); // the court stays in place whether a picture shows or not
        if (s == Squadra::B)
            battute->addStretch();
        battute->addWidget(l.immagineBattuta);
        battute->addWidget(l.etichettaBattuta);
    }
    centro->addLayout(battute);
    centro->addWidget(costruisciCampoGrande());
    LabelPosizioni = createLabel(w, QStringLiteral("LabelPosizioni"), QString(), true);
    LabelPosizioni->setAlignment(Qt::AlignCenter);
    LabelPosizioni->setMinimumHeight(2 * LabelPosizioni->fontMetrics().height());
    centro->addWidget(LabelPosizioni);
    auto *trascina = new QHBoxLayout;
    cbBloccaRegolari = createNamed<QCheckBox>(w, QStringLiteral("cbBloccaRegolari"));
    cbBloccaRegolari->setText(QStringLiteral("Solo posizioni regolari"));
    cbBloccaRegolari->setToolTip(QStringLiteral("Un giocatore trascinato resta dove la sua posizione è regolare"));
    bbRipristina = createButton(w, QStringLiteral("bbRipristina"), QStringLiteral("Ripristina"),
                                QStringLiteral("Riporta i giocatori ai posti calcolati"));
    connect(bbRipristina, &QPushButton::clicked, this, [this] { Protetto([this] { bbRipristinaClick(); }); });
    trascina->addStretch();
    trascina->addWidget(cbBloccaRegolari);
    trascina->addWidget(bbRipristina);
    trascina->addStretch();
    centro->addLayout(trascina);
    centro->addStretch();
    h->addLayout(centro);
    h->addWidget(costruisciListe(Squadra::B), 0, Qt::AlignTop);
    return w;
}

void TFrmRTrotazioni::FormCreate()
{
    Protetto([this] { settings = LeggiImpostazioniRotazioni(); });
    cbScambioAutomatico->setChecked(settings.scambioAutomatico);
    Protetto([this] {
        for (Lato &l : lati) {
            const QSignalBlocker quiet(l.squadra);
            RiempiSquadre(*l.squadra);
            l.squadra->setCurrentIndex(-1);
        }
    });
    SquadraAPronta = SquadraBPronta = false;
    RotazioneMostrata = ZonaPalleggiatoreA = ZonaPalleggiatoreB = 0;
    PulisciCampiPiccoli();
    PulisciCampoGrande();
    TraduciEtichette();
    // The serve box keeps its width when a team's name replaces "Squadra A": the controls to its
    // right never move under the pointer.
    rgBattuta->setFixedWidth(qMax(rgBattuta->sizeHint().width(), 190));
    // The rotations' names as the buttons now read them, for the titles made after a generation.
    for (int n = 1; n <= 6; ++n)
        nomiRotazioni[n - 1] = pulsantiRotazione[n - 1]->text();
}

void TFrmRTrotazioni::TraduciEtichette()
{
    const Lato &a = lato(Squadra::A), &b = lato(Squadra::B);
    QList<QObject *> controlli{a.etichetta, b.etichetta,   a.etichettaZona,     b.etichettaZona, LabelAttendere,
                               rgBattuta,   a.battuta,     b.battuta,           cbScambioAutomatico, ButtGenera};
    for (int m = 1; m <= 6; ++m)
        controlli << findChild<QPushButton *>(QStringLiteral("ButROTA%1").arg(m));
    controlli << a.nome << b.nome << LabelDettaglio << BTSstampa << BitBtn1 << a.stampa << b.stampa << sbEsci
              << cbBloccaRegolari << bbRipristina;
    Protetto([&controlli] { TraduciControlli(controlli); });
    // The label under the court is composed on each detail from these two captions.
    Protetto([this] {
        const Lingua lingua = LinguaImpostata();
        if (lingua != Lingua::Italiano) {
            testoRegolari = Traduci(PosizioniRegolari, lingua);
            testoFallo = Traduci(FalloDiPosizione, lingua);
        }
    });
}

void TFrmRTrotazioni::SceltaSquadra(Squadra s)
{
    Lato &l = lato(s);
    if (l.squadra->currentText().isEmpty())
        return;
    l.nomeScelto = l.squadra->currentText();
    l.riga = CaricaFormazione(IdSquadraScelta(*l.squadra));
    const QString primo = l.riga.posti[0];
    const bool pronta = !primo.isEmpty() && primo != QLatin1String("0");
    (s == Squadra::A ? SquadraAPronta : SquadraBPronta) = pronta;
    if (pronta) {
        // A name longer than the box is shortened with an ellipsis, whole in the tip.
        rgBattuta->resize(rgBattuta->maximumWidth(), rgBattuta->height());
        rgBattuta->layout()->activate();
        const int disponibile = rgBattuta->layout()->contentsRect().width();
        l.battuta->setText(QString());
        const int contorno = l.battuta->sizeHint().width(); // the button without its text
        l.battuta->setText(comeDidascalia(
            l.battuta->fontMetrics().elidedText(l.nomeScelto, Qt::ElideRight, disponibile - contorno - 12)));
        l.battuta->setToolTip(l.nomeScelto);
    }
    else
        MostraErrore(QStringLiteral(
            "La squadra selezionata non ha una formazione definita, si consiglia di:\r\nuscire da questa maschera, "
            "inserire una lista di giocatori per questa squadra (se non lo si è ancora fatto) e successivamente "
            "immetterli in formazione."));
}

Esito TFrmRTrotazioni::Verifiche()
{
    if (!SquadraAPronta || !SquadraBPronta) {
        MostraErrore(QStringLiteral(
            "La squadra A e/o la squadra B non è stata selezionata oppure non ha una formazione definita."));
        return Esito::Segnalato;
    }
    for (Squadra s : {Squadra::A, Squadra::B})
        if (lato(s).zona->currentIndex() < 0) {
            MostraAttenzione(QStringLiteral("Definire la posizione di partenza del palleggiatore della squadra ") +
                             lettera(s));
            lato(s).zona->setFocus();
            return Esito::Segnalato;
        }
    return Esito::Fatto;
}

Squadra TFrmRTrotazioni::Battente() const
{
    return gruppoBattuta->checkedId() == 1 ? Squadra::B : Squadra::A;
}

void TFrmRTrotazioni::PulisciCampiPiccoli()
{
    for (Lato &l : lati) {
        for (auto &riga : l.celle)
            for (QLabel *c : riga) {
                c->clear();
                impostaGrassetto(c, false);
                impostaSfondo(c, Qt::white);
            }
        l.metodo->clear();
        for (QLabel *p : l.posti)
            p->clear();
        l.libero->clear();
    }
    ultimaPanoramica.reset();
}

void TFrmRTrotazioni::PulisciCampoGrande()
{
    for (Lato &l : lati) {
        for (int p = 1; p <= 13; ++p) {
            PostoCampo &pc = l.campo[p - 1];
            pc.testo->clear();
            pc.numero->clear();
            pc.cerchio->setColore(Qt::white);
            const bool zona = p <= 6;
            for (QWidget *w : {static_cast<QWidget *>(pc.testo), static_cast<QWidget *>(pc.cerchio),
                               static_cast<QWidget *>(pc.numero)})
                w->setVisible(zona);
            if (zona) {
                pc.testo->setToolTip(QStringLiteral("Zona %1").arg(p));
                if (settings.carattereCampoGrande != 0) {
                    QFont f = pc.testo->font();
                    f.setPointSize(settings.carattereCampoGrande);
                    pc.testo->setFont(f);
                }
            }
        }
        // The spots' names follow the zones' size.
        for (int p = 7; p <= 13; ++p)
            l.campo[p - 1].testo->setFont(l.campo[0].testo->font());
        l.etichettaBattuta->clear();
        l.immagineBattuta->hide();
    }
    ultimoDettaglio.reset();
    trascinamento.reset();
    for (Squadra s : {Squadra::A, Squadra::B})
        for (int p = 1; p <= 13; ++p)
            PosizionaPosto(s, p);
    AggiornaPosizioni();
}

void TFrmRTrotazioni::TitoliRotazioni()
{
    const int a = lato(Squadra::A).zona->currentText().toInt();
    const int b = lato(Squadra::B).zona->currentText().toInt();
    for (int n = 1; n <= 6; ++n) {
        const int k = OffsetDiRotazione(n);
        pulsantiRotazione[n - 1]->setText(QStringLiteral("ZP%1 - %2 - ZP%3")
                                              .arg(ZonaPalleggiatore(a + k))
                                              .arg(nomiRotazioni[n - 1])
                                              .arg(ZonaPalleggiatore(b + k)));
    }
}

void TFrmRTrotazioni::MostraFormazioni(const ElencoGiocatori &elenco)
{
    for (Squadra s : {Squadra::A, Squadra::B}) {
        Lato &l = lato(s);
        l.nome->setText(l.nomeScelto);
        nomeMostrato[int(s)] = l.nomeScelto;
        for (int i = 0; i < 6; ++i)
            l.posti[i]->setText(DescrizioneFormazione(l.riga.posti[i], elenco));
        l.libero->setText(DescrizioneFormazione(l.riga.libero, elenco));
        l.metodo->setText(l.riga.metodo);
    }
}

void TFrmRTrotazioni::MostraPanoramica(const Panoramica &p)
{
    for (Squadra s : {Squadra::A, Squadra::B})
        for (int k = 0; k < 6; ++k)
            for (int z = 1; z <= 6; ++z) {
                const CellaPiccola &c = p.cella(s, z, k);
                QLabel *l = lato(s).celle[k][z - 1];
                l->setText(c.testo);
                impostaGrassetto(l, c.grassetto);
                impostaSfondo(l, c.sfondo);
            }
}

void TFrmRTrotazioni::MostraDettaglio(const Dettaglio &d)
{
    for (Squadra s : {Squadra::A, Squadra::B}) {
        Lato &l = lato(s);
        const MetaCampo &m = d.squadra(s);
        for (int p = 1; p <= 13; ++p) {
            const PostoGrande &dati = m.posto(p);
            PostoCampo &pc = l.campo[p - 1];
            pc.testo->setText(dati.testo);
            pc.numero->setText(dati.numero);
            pc.cerchio->setColore(dati.cerchio);
            if (p <= 6)
                pc.testo->setToolTip(dati.scheda);
            pc.testo->setVisible(dati.visibile);
            pc.cerchio->setVisible(dati.visibile);
            pc.numero->setVisible(dati.visibile);
            PosizionaPosto(s, p);
        }
        l.etichettaBattuta->setText(m.battuta);
        l.immagineBattuta->setVisible(m.immagineBattuta);
    }
}

void TFrmRTrotazioni::PosizionaPosto(Squadra s, int p)
{
    const PuntoCampo punto = ultimoDettaglio ? ultimoDettaglio->squadra(s).punti[p - 1] : PostoNelCampo(p);
    const QRectF box = CampoGrande.box(s, punto, PostoGrandeBox);
    PostoCampo &pc = lato(s).campo[p - 1];
    pc.testo->setGeometry(NomeNelPosto(box).toRect());
    pc.cerchio->setGeometry(CerchioNelPosto(box).toRect());
    pc.numero->setGeometry(CerchioNelPosto(box).toRect());
}

QPointF TFrmRTrotazioni::centroCerchio(Squadra s, int p) const
{
    return QRectF(lato(s).campo[p - 1].cerchio->geometry()).center();
}

void TFrmRTrotazioni::AggiornaPosizioni()
{
    falli = {};
    if (!ultimoDettaglio) {
        LabelPosizioni->clear();
        campoGrande->setLinee({});
        return;
    }
    falli = ultimoDettaglio->falli(settings.regola);
    LabelPosizioni->setText(TestoPosizioni(falli, testoRegolari, testoFallo));
    const bool regolari = falli[0].isEmpty() && falli[1].isEmpty();
    QPalette pal = LabelPosizioni->palette();
    pal.setColor(QPalette::WindowText, regolari ? QColor(0x00, 0x70, 0x00) : RossoFallo);
    LabelPosizioni->setPalette(pal);
    QList<QLineF> linee;
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const MetaCampo &m = ultimoDettaglio->squadra(s);
        // The place where each rotational position is shown (the first, should one show twice).
        std::array<int, 7> dove{};
        for (int p = 13; p >= 1; --p)
            if (m.posto(p).visibile && m.posto(p).rotazionale >= 1 && m.posto(p).rotazionale <= 6)
                dove[m.posto(p).rotazionale] = p;
        for (const CoppiaPosizioni &c : falli[int(s)])
            linee << QLineF(centroCerchio(s, dove[c.prima]), centroCerchio(s, dove[c.seconda]));
    }
    campoGrande->setLinee(linee);
}

bool TFrmRTrotazioni::iniziaTrascinamento(QWidget *w, const QPointF &punto)
{
    if (!ultimoDettaglio)
        return false;
    // The place whose part was pressed; on the court itself, the topmost place under the pointer.
    for (int i = 2 * 13 - 1; i >= 0; --i) {
        const Squadra s = i < 13 ? Squadra::A : Squadra::B;
        const int p = i % 13 + 1;
        const PostoCampo &pc = lato(s).campo[p - 1];
        if (!ultimoDettaglio->squadra(s).posto(p).visibile)
            continue;
        const bool parte = w == pc.testo || w == pc.cerchio || w == pc.numero;
        const bool sotto = w == campoGrande &&
                           (pc.cerchio->geometry().contains(punto.toPoint()) || pc.testo->geometry().contains(punto.toPoint()));
        if (parte || sotto) {
            const QPointF centro = CampoGrande.box(s, ultimoDettaglio->squadra(s).punti[p - 1], PostoGrandeBox).center();
            trascinamento = Trascinamento{s, p, centro - punto};
            for (QWidget *x : {static_cast<QWidget *>(pc.testo), static_cast<QWidget *>(pc.cerchio),
                               static_cast<QWidget *>(pc.numero)})
                x->raise();
            return true;
        }
    }
    return false;
}

void TFrmRTrotazioni::trascina(const QPointF &punto)
{
    if (!trascinamento || !ultimoDettaglio) {
        trascinamento.reset();
        return;
    }
    const auto [s, p, scarto] = *trascinamento;
    MetaCampo &m = ultimoDettaglio->squadra(s);
    // Anywhere on the team's own half; with "Solo posizioni regolari", only where he stays legal.
    PuntoCampo voluto = CampoGrande.inCampo(s, punto + scarto);
    const int r = m.posto(p).rotazionale;
    if (cbBloccaRegolari->isChecked() && r >= 1 && r <= 6)
        voluto = LimitaARegolare(m.postiRotazionali(), r, voluto, m.immagineBattuta, settings.regola);
    m.punti[p - 1] = voluto;
    PosizionaPosto(s, p);
    AggiornaPosizioni();
}

bool TFrmRTrotazioni::eventFilter(QObject *oggetto, QEvent *evento)
{
    const QEvent::Type t = evento->type();
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseMove && t != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(oggetto, evento);
    auto *w = qobject_cast<QWidget *>(oggetto);
    if (!w || !campoGrande || (w != campoGrande && w->parentWidget() != campoGrande))
        return QDialog::eventFilter(oggetto, evento);
    const auto *me = static_cast<QMouseEvent *>(evento);
    const QPointF punto = w == campoGrande ? me->position() : w->mapToParent(me->position());
    bool gestito = false;
    Protetto([&] {
        if (t == QEvent::MouseButtonPress) {
            gestito = me->button() == Qt::LeftButton && iniziaTrascinamento(w, punto);
        } else if (trascinamento) {
            gestito = true;
            if (t == QEvent::MouseMove) {
                trascina(punto);
            } else if (me->button() == Qt::LeftButton) {
                trascina(punto);
                trascinamento.reset();
            }
        }
    });
    return gestito || QDialog::eventFilter(oggetto, evento);
}

void TFrmRTrotazioni::bbRipristinaClick()
{
    trascinamento.reset();
    if (!ultimoDettaglio)
        return;
    for (Squadra s : {Squadra::A, Squadra::B}) {
        ultimoDettaglio->squadra(s).punti = MetaCampo::PuntiDelMotore();
        for (int p = 1; p <= 13; ++p)
            PosizionaPosto(s, p);
    }
    AggiornaPosizioni();
}

void TFrmRTrotazioni::attesaInizio()
{
    inizioAttesa = QDateTime::currentMSecsSinceEpoch();
    attesaVisibile = false;
    attesaPasso();
}

void TFrmRTrotazioni::attesaPasso()
{
    if (attesaVisibile || QDateTime::currentMSecsSinceEpoch() - inizioAttesa < sogliaAttesaMs)
        return;
    attesaVisibile = true;
    ++volteAttesaMostrata;
    LabelAttendere->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TFrmRTrotazioni::attesaFine()
{
    LabelAttendere->hide();
    attesaVisibile = false;
}

void TFrmRTrotazioni::ButtGeneraClick()
{
    if (Verifiche() == Esito::Segnalato)
        return;
    PulisciCampiPiccoli();
    PulisciCampoGrande();
    TitoliRotazioni();
    CursoreAttesa cursore;
    attesaInizio();
    ElencoDaTabelle elenco;
    const Lato &a = lato(Squadra::A), &b = lato(Squadra::B);
    const Panoramica p = GeneraPanoramica(a.riga, b.riga, a.zona->currentText().toInt(), b.zona->currentText().toInt(),
                                          Battente(), cbScambioAutomatico->isChecked(), elenco, settings.campo);
    attesaPasso();
    MostraPanoramica(p);
    ultimaPanoramica = p;
    MostraFormazioni(elenco);
    letture = elenco.letture();
    attesaFine();
}

void TFrmRTrotazioni::ButROTAClick(int n)
{
    if (Verifiche() == Esito::Segnalato)
        return;
    PulisciCampoGrande();
    CursoreAttesa cursore;
    attesaInizio();
    RotazioneMostrata = n;
    ElencoDaTabelle elenco;
    const Lato &a = lato(Squadra::A), &b = lato(Squadra::B);
    const Dettaglio d = DettaglioRotazione(a.riga, b.riga, a.zona->currentText().toInt(), b.zona->currentText().toInt(),
                                           n, Battente(), cbScambioAutomatico->isChecked(), elenco, settings.campo);
    attesaPasso();
    ultimoDettaglio = d;
    MostraDettaglio(d);
    AggiornaPosizioni();
    ZonaPalleggiatoreA = d.squadra(Squadra::A).zonaPalleggiatore;
    ZonaPalleggiatoreB = d.squadra(Squadra::B).zonaPalleggiatore;
    // In Italian the engine's own title; in another language the rotation's name as its button
    // reads it, between the two setters' zones.
    if (nomiRotazioni[n - 1] == QLatin1String(Didascalie[n - 1]))
        LabelDettaglio->setText(d.titolo);
    else
        LabelDettaglio->setText(QStringLiteral("ZP%1 %2 ZP%3")
                                    .arg(d.squadra(Squadra::A).zonaPalleggiatore)
                                    .arg(nomiRotazioni[n - 1])
                                    .arg(d.squadra(Squadra::B).zonaPalleggiatore));
    // The names and lists beside the court belong to the teams of this court, also when the teams
    // were chosen again since the last generation.
    MostraFormazioni(elenco);
    letture = elenco.letture();
    attesaFine();
}

void TFrmRTrotazioni::sbEsciClick() { accept(); }

StatoTabellone TFrmRTrotazioni::StatoPerStampa() const
{
    StatoTabellone st;
    st.titoloDettaglio = LabelDettaglio->text();
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const Lato &l = lato(s);
        StatoTabellone::Lato &p = st.squadre[int(s)];
        p.spuntata = l.stampa->isChecked();
        p.mostrata = squadraMostrata(s);
        p.nome = l.nome->text();
        p.metodo = l.metodo->text();
        for (int i = 0; i < 6; ++i)
            p.lista[i] = l.posti[i]->text();
        p.lista[6] = l.libero->text();
        p.zonaPalleggiatore = s == Squadra::A ? ZonaPalleggiatoreA : ZonaPalleggiatoreB;
    }
    st.dettaglio = ultimoDettaglio;
    st.testoPosizioni = LabelPosizioni->text();
    st.falli = falli;
    st.panoramica = ultimaPanoramica;
    for (int n = 1; n <= 6; ++n)
        st.didascalie[n - 1] = pulsantiRotazione[n - 1]->text();
    st.opzioni = settings.campo;
    st.puntiCampoGrande = lato(Squadra::A).campo[0].testo->font().pointSize();
    return st;
}

void TFrmRTrotazioni::BTSstampaClick() { TStRotazioni(StatoPerStampa()).Anteprima(this); }

void TFrmRTrotazioni::BitBtn1Click() { TStRotazioniPic(StatoPerStampa()).Anteprima(this); }
