#include "app/frmmain.h"

#include "app/artwork.h"
#include "app/frmabout.h"
#include "app/frmstart.h"
#include "core/cartella.h"
#include "core/messaggi.h"
#include "core/shell.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/segnalazioni.h"
#include "store/tabelle.h"
#include "ui/modale.h"
#include "ui/traduzione.h"
#include "utilities/importazioneparadox.h"
#include "utilities/recuperotabelle.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

TFrmMain *FrmMain = nullptr;

namespace {
// The items that follow the championship's state, besides "Costruiscine uno nuovo".
const char *const VociCalendario[] = {"Eliminailprecedente1", "Inseriscirisultati1", "Visualizzaclassifica",
                                      "Richiamagiornata1",    "Risultati1",          "Modificanomisquadre",
                                      "Persquadra1",          "Previsionegiornata1",  "Dategiornate1",
                                      "Stampacalendario1"};

// The commands that no menu item runs directly: this window runs them after its own checks.
const char *const ComandiSenzaVoce[] = {"FrmRisultati"};
} // namespace

TFrmMain::TFrmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Brivo_Rotaset"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    auto *central = new QWidget(this);
    auto *picture = new QLabel(central);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(DisegnoPallavolo(QSize(263, 210)));
    LabelTitolo = new QLabel(QStringLiteral("Software specifico per la pallavolo"), central);
    LabelTitolo->setObjectName(QStringLiteral("LabelTitolo"));
    LabelTitolo->setAlignment(Qt::AlignCenter);
    QFont bold = LabelTitolo->font();
    bold.setBold(true);
    LabelTitolo->setFont(bold);
    LabelTitolo->setStyleSheet(QStringLiteral("color: #1f3fbf;"));
    sbEsci = new QPushButton(QStringLiteral("Esci"), central);
    sbEsci->setObjectName(QStringLiteral("sbEsci"));
    sbEsci->setFlat(true);
    sbEsci->setToolTip(QStringLiteral("Clicca per uscire"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(picture, 1, Qt::AlignHCenter);
    layout->addWidget(LabelTitolo);
    layout->addWidget(sbEsci, 0, Qt::AlignHCenter);
    setCentralWidget(central);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmMain::sbEsciClick);

    CreaMenu();
    setFixedSize(283, 305 + menuBar()->sizeHint().height());

    // A restore interrupted between two tables is completed before any table is opened, so the
    // folder never holds half of a backup among the live tables.
    if (CompletaRecuperoInterrotto(CartellaProgramma()))
        MostraMessaggio(QStringLiteral("Il recupero dati interrotto è stato completato: le tabelle sono quelle del "
                                       "backup scelto."));
    // Tables of the earlier format found in the folder are offered for import before the check below
    // (which leaves them alone when the offer is declined).
    OffriImportazioneAllAvvio();
    // Every table exists and matches its declaration before anything reads one.
    CreaTabellaEsportazione();
    CreaTabelle();
    TraduciEtichette();

    FrmMain = this;
    ImpostaFinestraPrincipale(this);
}

TFrmMain::~TFrmMain()
{
    if (FinestraPrincipale() == this)
        ImpostaFinestraPrincipale(nullptr);
    if (FrmMain == this)
        FrmMain = nullptr;
}

QMenu *TFrmMain::AggiungiMenu(QWidget *parent, const char *nome, const QString &testo)
{
    auto *menu = new QMenu(testo, parent);
    menu->setObjectName(QLatin1String(nome));
    menu->menuAction()->setObjectName(QLatin1String(nome));
    if (auto *bar = qobject_cast<QMenuBar *>(parent))
        bar->addMenu(menu);
    else if (auto *upper = qobject_cast<QMenu *>(parent))
        upper->addMenu(menu);
    voci.insert(QLatin1String(nome), menu->menuAction());
    daTradurre << menu;
    return menu;
}

QAction *TFrmMain::AggiungiVoce(QMenu *menu, const char *nome, const QString &testo)
{
    QAction *action = menu->addAction(testo);
    action->setObjectName(QLatin1String(nome));
    voci.insert(QLatin1String(nome), action);
    const QString name = QLatin1String(nome);
    connect(action, &QAction::triggered, this, [this, name] { EseguiComando(name); });
    daTradurre << action;
    return action;
}

void TFrmMain::CreaMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    // The captions in the order of the translation table: the three top menus first.
    QMenu *file1 = AggiungiMenu(bar, "File1", QStringLiteral("Calendario"));
    QMenu *rotazioni1 = AggiungiMenu(bar, "Rotazioni1", QStringLiteral("Rotazioni"));
    QMenu *utilit1 = AggiungiMenu(bar, "Utilit1", QStringLiteral("Utilità"));

    QMenu *calendario1 = AggiungiMenu(file1, "Calendario1", QStringLiteral("Gestione calendario"));
    AggiungiVoce(calendario1, "Calendario", QStringLiteral("Costruiscine uno nuovo"));
    AggiungiVoce(calendario1, "Eliminailprecedente1", QStringLiteral("Elimina quello attuale"));
    AggiungiVoce(file1, "Inseriscirisultati1", QStringLiteral("Inserisci risultati"));
    AggiungiVoce(file1, "Visualizzaclassifica", QStringLiteral("Visualizza classifica"));
    AggiungiVoce(file1, "Richiamagiornata1", QStringLiteral("Carica giornata"));
    AggiungiVoce(file1, "Dategiornate1", QStringLiteral("Date giornate"));
    AggiungiVoce(file1, "Stampacalendario1", QStringLiteral("Stampa calendario"));
    QMenu *modifica1 = AggiungiMenu(file1, "Modifica1", QStringLiteral("Modifica"));
    AggiungiVoce(modifica1, "Risultati1", QStringLiteral("Risultati"));
    AggiungiVoce(modifica1, "Modificanomisquadre", QStringLiteral("Nomi squadre"));
    QMenu *statistiche1 = AggiungiMenu(file1, "Statistiche1", QStringLiteral("Statistiche"));
    AggiungiVoce(statistiche1, "Persquadra1", QStringLiteral("Per squadra"));
    AggiungiVoce(statistiche1, "Previsionegiornata1", QStringLiteral("Previsione giornata"));

    QMenu *a1 = AggiungiMenu(rotazioni1, "a1", QStringLiteral("Tabelle"));
    AggiungiVoce(a1, "N2", QStringLiteral("Squadre"));
    AggiungiVoce(a1, "Giocaotir1", QStringLiteral("Giocatori"));
    AggiungiVoce(a1, "Formazioni1", QStringLiteral("Formazioni"));
    AggiungiVoce(rotazioni1, "Rotazioni2", QStringLiteral("Rotazioni di gioco"));

    AggiungiVoce(utilit1, "Impostazioni1", QStringLiteral("Impostazioni"));
    QAction *n1 = utilit1->addSeparator();
    n1->setObjectName(QStringLiteral("N1"));
    AggiungiVoce(utilit1, "Aggiornaversione1", QStringLiteral("Aggiorna versione"));
    AggiungiVoce(utilit1, "mnuIndicizza", QStringLiteral("Indicizza e ripara"));
    AggiungiVoce(utilit1, "Segnalabug1", QStringLiteral("Segnala bug"));
    AggiungiVoce(utilit1, "Salvataggiodati1", QStringLiteral("Salvataggio dati"));
    AggiungiVoce(utilit1, "Recuperodati1", QStringLiteral("Recupero dati"));
    AggiungiVoce(utilit1, "Importatabelleparadox1", QStringLiteral("Importa tabelle Paradox..."));
    AggiungiVoce(utilit1, "InviodatiaBrivo1", QStringLiteral("Invio dati a Brivo"));
    AggiungiVoce(utilit1, "Esportazioneasciiexcel1", QStringLiteral("Esportazione ascii / excel"));

    // "?" keeps its captions, but for "Aiuto".
    auto *about1 = new QMenu(QStringLiteral("?"), bar);
    about1->setObjectName(QStringLiteral("About1"));
    about1->menuAction()->setObjectName(QStringLiteral("About1"));
    bar->addMenu(about1);
    voci.insert(QStringLiteral("About1"), about1->menuAction());
    QAction *aiuto = AggiungiVoce(about1, "Aiuto1", QStringLiteral("Aiuto"));
    aiuto->setShortcut(QKeySequence(Qt::Key_F1));
    aiuto->setShortcutContext(Qt::ApplicationShortcut);
    QAction *n3 = about1->addSeparator();
    n3->setObjectName(QStringLiteral("N3"));
    QAction *about2 = about1->addAction(QStringLiteral("About"));
    about2->setObjectName(QStringLiteral("About2"));
    voci.insert(QStringLiteral("About2"), about2);
    connect(about2, &QAction::triggered, this, &TFrmMain::About2Click);

    // This window's own commands.
    RegistraComando(QStringLiteral("Inseriscirisultati1"), [this] { Inseriscirisultati1Click(); });
    RegistraComando(QStringLiteral("Eliminailprecedente1"), [this] { Eliminailprecedente1Click(); });
    RegistraComando(QStringLiteral("Aiuto1"), [this] { Aiuto1Click(); });
}

void TFrmMain::TraduciEtichette()
{
    // The menus and items in the order above, then the title label and the exit button: 32 texts.
    QList<QObject *> list = daTradurre;
    list << LabelTitolo << sbEsci;
    TraduciControlli(list);
}

QAction *TFrmMain::Voce(const QString &nome) const { return voci.value(nome); }

void TFrmMain::RegistraComando(const QString &voce, std::function<void()> comando)
{
    const QAction *action = voci.value(voce);
    const bool senzaVoce = std::any_of(std::begin(ComandiSenzaVoce), std::end(ComandiSenzaVoce),
                                       [&voce](const char *c) { return voce == QLatin1String(c); });
    if (!senzaVoce && (!action || action->menu()))
        throw std::logic_error("no menu item runs the command " + voce.toStdString());
    comandi.insert(voce, std::move(comando));
}

bool TFrmMain::HaComando(const QString &voce) const { return comandi.contains(voce); }

void TFrmMain::EseguiComando(const QString &voce)
{
    const auto it = comandi.constFind(voce);
    if (it == comandi.cend())
        return;
    try {
        (*it)();
    } catch (const store::EngineError &e) {
        // An error the opened form does not handle: the message, and the main window stays usable.
        MostraErrore(e.message());
    }
}

// ---- menu state ----------------------------------------------------------------------------------

void TFrmMain::AbilitaMenuCalendario()
{
    voci.value(QStringLiteral("Calendario"))->setEnabled(false);
    for (const char *name : VociCalendario)
        voci.value(QLatin1String(name))->setEnabled(true);
}

void TFrmMain::DisabilitaMenuCalendario()
{
    voci.value(QStringLiteral("Calendario"))->setEnabled(true);
    for (const char *name : VociCalendario)
        voci.value(QLatin1String(name))->setEnabled(false);
}

void TFrmMain::MostraModuloRotazioni()
{
    try {
        store::Table impostazioni(QStringLiteral("Impostazioni.db"));
        impostazioni.open();
        impostazioni.first();
        voci.value(QStringLiteral("Rotazioni1"))
            ->setVisible(impostazioni.fieldByName(QStringLiteral("MODULOROTAZIONI")).asBoolean());
    } catch (const store::EngineError &e) {
        SegnalaErroreTabella(e);
    }
}

void TFrmMain::AzzeraImpostazioniCampionato() { ::AzzeraImpostazioniCampionato(); }

void TFrmMain::FormActivate()
{
    AbilitaMenuCalendario();
    try {
        store::Table impostazioni(QStringLiteral("Impostazioni.db"));
        impostazioni.open();
        impostazioni.first();
        const bool vuoto = impostazioni.fieldByName(QStringLiteral("ANNATA")).asString().isEmpty() &&
                           impostazioni.fieldByName(QStringLiteral("CATEGORIA")).asString().isEmpty() &&
                           impostazioni.fieldByName(QStringLiteral("SQUADRAPREFERITA")).asString().isEmpty();
        if (vuoto)
            DisabilitaMenuCalendario();
    } catch (const store::EngineError &e) {
        DisabilitaMenuCalendario();
        // Closing the box activates the window again: the same fault is told once, and a damaged
        // table the start-up check already named is not told again.
        if (e.message() != erroreAttivazione) {
            erroreAttivazione = e.message();
            SegnalaErroreTabella(e);
        }
        return;
    }
    erroreAttivazione.clear();
    MostraModuloRotazioni();
}

bool TFrmMain::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(e);
}

void TFrmMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (giaMostrata)
        return;
    giaMostrata = true;
    // Centred on the desktop, then the splash over it.
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (frmStart)
        QTimer::singleShot(0, this, [] {
            if (frmStart)
                MostraModale(*frmStart);
        });
}

// ---- commands ------------------------------------------------------------------------------------

void TFrmMain::Inseriscirisultati1Click()
{
    {
        store::Table giornate(QStringLiteral("giornate.db"));
        giornate.open();
        giornate.last();
        while (giornate.fieldByName(QStringLiteral("Giocata")).asBoolean() && giornate.recNo() > 1)
            giornate.prior();
        if (giornate.recNo() == 1 && giornate.fieldByName(QStringLiteral("Giocata")).asString() == QLatin1String("True")) {
            MostraAttenzione(QStringLiteral("Sono già stati inseriti tutti i risultati!"));
            return;
        }
    }
    EseguiComando(QStringLiteral("FrmRisultati"));
}

void TFrmMain::Eliminailprecedente1Click()
{
    const bool si = MostraBox({QStringLiteral("Eliminazione calendario."),
                               QStringLiteral("Questo causerà la perdita di tutti i dati compresi la classifica,il "
                                              "calendario e i nomi delle squadre! ") +
                                   QLatin1Char('\n') + QStringLiteral("Il programma verrà chiuso automaticamente.") +
                                   QLatin1Char('\n') + QStringLiteral("Sei sicuro di voler proseguire?"),
                               IconaMessaggio::Attenzione, true, true});
    if (!si)
        return;
    AzzeraImpostazioniCampionato();
    store::Database &db = store::Database::instance();
    QStringList errori;
    for (const QString &tabella : TabelleCampionato()) {
        try {
            db.deleteTable(tabella);
        } catch (const store::EngineError &e) {
            errori << e.message();
        }
    }
    if (!errori.isEmpty())
        MostraErrore(errori.join(QLatin1Char('\n')));
    DisabilitaMenuCalendario();
    TerminaProgramma();
}

void TFrmMain::Aiuto1Click()
{
    const QString guida = CartellaEseguibile() + QStringLiteral("help.html");
    if (QFileInfo::exists(guida))
        ApriDocumento(guida);
    else
        MostraErrore(QStringLiteral("Impossibile aprire la guida, file help.html non trovato"));
}

void TFrmMain::About2Click()
{
    if (FrmAbout)
        MostraModale(*FrmAbout);
}

void TFrmMain::sbEsciClick() { TerminaProgramma(); }

void TFrmMain::TerminaProgramma()
{
    emit programmaTerminato();
    QCoreApplication::exit(0);
}

void TFrmMain::closeEvent(QCloseEvent *e)
{
    e->accept();
    TerminaProgramma();
}
