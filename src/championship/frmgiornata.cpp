#include "championship/frmgiornata.h"

#include "championship/frmcalendario.h"
#include "core/messaggi.h"
#include "store/campigiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "ui/finestraprincipale.h"
#include "ui/traduzione.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

#include <algorithm>

TFrmGiornata *FrmGiornata = nullptr;

namespace {
const QString Fine = QStringLiteral("Tutte le giornate sono state inserite correttamente!") + QLatin1Char('\n') +
                     QStringLiteral("E' consigliato fare un salvataggio della situazione dal menù \"Utilità -> "
                                    "Salvataggio dati\" così da poter recuperare, se necessario, \"l'inizio "
                                    "campionato\" senza dover riscrivere il calendario.");
const QString DomandaAbbandono =
    QStringLiteral("Il calendario non è ancora completo: abbandonandolo verranno eliminate le squadre, la classifica "
                   "e le giornate già inserite, e il programma verrà chiuso.") +
    QLatin1Char('\n') + QStringLiteral("Abbandonare il calendario?");

// A match box. Typing a letter chooses the next team with that initial; typing the initial of the
// team the box already shows, when no other team has it, chooses that team again (the list does
// not move, so the combo box itself would report no choice).
class BoxSquadra : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        const int prima = currentIndex();
        QComboBox::keyPressEvent(event);
        const QString t = event->text();
        if (prima >= 0 && currentIndex() == prima && t.size() == 1 && t.at(0).isLetterOrNumber() &&
            currentText().startsWith(t, Qt::CaseInsensitive))
            emit activated(prima);
    }
};

// Whether `w` is the box or lies inside it (its open list is a window of its own, child of the box).
bool DentroBox(const QWidget *box, const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (w == box)
            return true;
    return false;
}

// A placed team shows in the menu colour; a box to fill in the window colour.
void colora(QComboBox *box, QPalette::ColorRole ruolo)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Base, box->palette().color(ruolo));
    p.setColor(QPalette::Button, box->palette().color(ruolo));
    box->setPalette(p);
}
} // namespace

TFrmGiornata::TFrmGiornata(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmGiornata"));
    setWindowTitle(QStringLiteral("Costruzione calendario per giornate"));

    GroupBox2 = new QGroupBox(QStringLiteral("Comandi"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    BTMpost = new QPushButton(QStringLiteral("Inserisci giornata"), GroupBox2);
    BTMpost->setObjectName(QStringLiteral("BTMpost"));
    BTMpost->setEnabled(false);
    BBannullaTutto = new QPushButton(QStringLiteral("Annulla giornata corrente"), GroupBox2);
    BBannullaTutto->setObjectName(QStringLiteral("BBannullaTutto"));
    BTproponi = new QPushButton(QStringLiteral("Proponi giornata"), GroupBox2);
    BTproponi->setObjectName(QStringLiteral("BTproponi"));
    BTproponiTutto = new QPushButton(QStringLiteral("Proponi calendario"), GroupBox2);
    BTproponiTutto->setObjectName(QStringLiteral("BTproponiTutto"));
    for (QPushButton *b : {BTMpost, BBannullaTutto, BTproponi, BTproponiTutto})
        b->setAutoDefault(false);
    auto *commands = new QHBoxLayout(GroupBox2);
    commands->addWidget(BTMpost);
    commands->addWidget(BBannullaTutto);
    commands->addWidget(BTproponi);
    commands->addWidget(BTproponiTutto);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *grid = new QGridLayout(GroupBox1);
    for (int i = 0; i < 20; ++i) {
        auto *box = new BoxSquadra(GroupBox1);
        box->setObjectName(QStringLiteral("Box%1").arg(i + 1));
        box->setMinimumContentsLength(22);
        box->setVisible(false);
        box->setEnabled(i == 0);
        box->installEventFilter(this);
        const int k = i + 1;
        connect(box, &QComboBox::activated, this, [this, k, box](int index) { ScegliSquadra(k, box->itemText(index)); });
        grid->addWidget(box, i / 2, i % 2);
        Box[i] = box;
    }
    EditNumeroGiornata = new QLineEdit(QStringLiteral("0"), this);
    EditNumeroGiornata->setObjectName(QStringLiteral("EditNumeroGiornata"));
    EditNumeroGiornata->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox2);
    layout->addWidget(GroupBox1);
    layout->addWidget(EditNumeroGiornata);

    TblGiornate = new store::Table(QStringLiteral("Giornate.db"), this);
    TblGiornate->setObjectName(QStringLiteral("TblGiornate"));
    TblGiornate->beforePost = [](store::Table &t) {
        t.fieldByName(QStringLiteral("Giocata")).setAsBoolean(false);
        return true;
    };

    connect(BTMpost, &QPushButton::clicked, this, &TFrmGiornata::BTMpostClick);
    connect(BBannullaTutto, &QPushButton::clicked, this, &TFrmGiornata::BBannullaTuttoClick);
    connect(BTproponi, &QPushButton::clicked, this, &TFrmGiornata::BTproponiClick);
    connect(BTproponiTutto, &QPushButton::clicked, this, &TFrmGiornata::BTproponiTuttoClick);
    TraduciEtichette();
}

TFrmGiornata::~TFrmGiornata()
{
    if (FrmGiornata == this)
        FrmGiornata = nullptr;
}

void TFrmGiornata::TraduciEtichette()
{
    TraduciControlli({this, GroupBox2, BTMpost, BBannullaTutto, BTproponi, BTproponiTutto});
}

void TFrmGiornata::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

bool TFrmGiornata::eventFilter(QObject *watched, QEvent *event)
{
    // Entering and leaving a box follow the user's moves between the form's controls, not the
    // focus that the box lends to its own open list and takes back, nor the focus the whole window
    // loses while a message box stands in front of it.
    for (int k = 1; k <= 20; ++k) {
        QComboBox *box = Box[k - 1];
        if (watched != box)
            continue;
        if (event->type() == QEvent::FocusIn && boxAttivo != k) {
            boxAttivo = k;
            BoxEnter(k);
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
                DentroBox(box, QApplication::focusWidget()))
                break;
            if (boxAttivo == k)
                boxAttivo = 0;
            BoxExit(k);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmGiornata::FormActivate()
{
    EditNumeroGiornata->setText(QStringLiteral("0"));
    SvuotaBox();
    BBannullaTuttoClick();
    completo = false;
    ordine.clear();
    try {
        if (!TblGiornate->isOpen())
            TblGiornate->open();
        if (!TblGiornate->isEditing())
            TblGiornate->append(); // the first matchday is a new row, never a stored one
        store::Table impostazioni(QStringLiteral("Impostazioni.db"));
        impostazioni.open();
        impostazioni.first();
        squadre = impostazioni.fieldByName(QStringLiteral("NSQUADRE")).asInteger();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    GroupBox1->setTitle(QStringLiteral("Giornata numero 1"));
    for (int k = 1; k <= 20; ++k)
        Box[k - 1]->setVisible(k == 20 ? squadre == 20 : squadre > k - 1 && squadre > 3);
    Box[0]->setFocus(); // now that it is shown: the keyboard starts on the first box
    if (squadre > 20)
        MostraBox({QStringLiteral("Attenzione!"),
                   QStringLiteral("Si è verificato un errore interno. E' necessario riniziare fare un nuovo calendario."),
                   IconaMessaggio::Errore, false});
}

void TFrmGiornata::CaricaLista(int k, const QStringList &escluse)
{
    // The teams not yet placed on this matchday, in name order; names go in as values, so an
    // apostrophe in a name is just a letter.
    QString sql = QStringLiteral("select * from Squadre.db");
    for (int i = 0; i < escluse.size(); ++i)
        sql += (i == 0 ? QStringLiteral(" where") : QStringLiteral(" and")) + QStringLiteral(" Squadre <> ?");
    sql += escluse.isEmpty() ? QStringLiteral(" order by squadre") : QStringLiteral(" order by Squadre");
    QStringList teams;
    try {
        store::Query query(sql);
        for (const QString &e : escluse)
            query.addBindValue(e);
        query.open();
        for (query.first(); !query.eof(); query.next())
            teams << query.fieldByName(QStringLiteral("Squadre")).asString();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    QComboBox *box = Box[k - 1];
    const QString shown = box->currentText();
    const QSignalBlocker blocker(box);
    box->clear();
    box->addItems(teams);
    box->setCurrentIndex(int(teams.indexOf(shown)));
    if (box->currentIndex() < 0)
        box->setPlaceholderText(shown);
}

void TFrmGiornata::BoxEnter(int k)
{
    if (k < 2 || k > 20)
        return;
    esclusa[k - 2] = Box[k - 2]->currentText();
    QStringList escluse;
    for (int i = 0; i < k - 1; ++i)
        escluse << esclusa[i];
    CaricaLista(k, escluse);
}

void TFrmGiornata::ScegliSquadra(int k, const QString &squadra)
{
    QComboBox *box = Box[k - 1];
    const int index = box->findText(squadra);
    if (index < 0)
        return;
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index);
    }
    try {
        if (!TblGiornate->isEditing())
            TblGiornate->append();
        TblGiornate->fieldByName(CampoSquadra(k)).setAsString(squadra);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return;
    }
    BoxCloseUp(k);
}

void TFrmGiornata::BoxCloseUp(int k)
{
    if (Box[k - 1]->currentText().isEmpty())
        return;
    if (k == 20) {
        BTMpost->setEnabled(true);
        return;
    }
    Box[k]->setEnabled(true);
    if (k >= 4 && !Box[k]->isVisibleTo(GroupBox1))
        BTMpost->setEnabled(true);
}

void TFrmGiornata::BoxExit(int k)
{
    QComboBox *box = Box[k - 1];
    if (box->currentText().isEmpty())
        return;
    box->setEnabled(false);
    colora(box, QPalette::Window);
}

void TFrmGiornata::SvuotaBox()
{
    for (QComboBox *box : Box) {
        const QSignalBlocker blocker(box);
        box->clear();
        box->setPlaceholderText(QString());
    }
}

void TFrmGiornata::BBannullaTuttoClick()
{
    BTMpost->setEnabled(false);
    for (int i = 0; i < 20; ++i) {
        Box[i]->setEnabled(i == 0);
        Box[i]->setPalette(QPalette());
    }
    CaricaLista(1, {});
    Box[0]->setFocus(); // the user starts from the first box of the matchday
}

void TFrmGiornata::SalvaAndata()
{
    TblGiornate->fieldByName(QStringLiteral("Giornata")).setAsString(EditNumeroGiornata->text());
    TblGiornate->post();
    for (int k = 1; k <= SlotGiornata; ++k)
        andata[k - 1] = TblGiornate->fieldByName(CampoSquadra(k)).asString();
}

void TFrmGiornata::SalvaRitorno(int meta)
{
    if (TblGiornate->state() != store::Table::Insert)
        TblGiornate->append();
    TblGiornate->fieldByName(QStringLiteral("Giornata")).setAsInteger(EditNumeroGiornata->text().toInt() + meta);
    TblGiornate->fieldByName(QStringLiteral("Giocata")).setAsBoolean(false);
    for (int p = 1; p <= PartiteGiornata; ++p) {
        const bool sinistra = Box[2 * p - 2]->isVisibleTo(GroupBox1);
        const bool destra = Box[2 * p - 1]->isVisibleTo(GroupBox1);
        auto squadra = [&](int slot) { return TblGiornate->fieldByName(CampoSquadra(slot)); };
        if (sinistra && destra) {
            squadra(2 * p - 1).setAsString(andata[2 * p - 1]);
            squadra(2 * p).setAsString(andata[2 * p - 2]);
        } else if (sinistra) {
            squadra(2 * p - 1).setAsString(andata[2 * p - 2]); // the resting team keeps its slot
        }
    }
    TblGiornate->post();
}

void TFrmGiornata::BTMpostClick()
{
    if (ControllaGiornata())
        SalvaGiornata(true);
}

bool TFrmGiornata::SalvaGiornata(bool conferma)
{
    try {
        const int g = FrmCalendario ? FrmCalendario->NumeroGiornate() : -1;
        if (g < 0 || g % 2 != 0)
            throw store::EngineError(QStringLiteral("numero di giornate non valido"));
        const int meta = g / 2;
        const int k = EditNumeroGiornata->text().toInt() + 1;
        EditNumeroGiornata->setText(QString::number(k));
        {
            // The matchday and its return leg are stored together.
            store::Transaction transazione;
            SalvaAndata();
            store::Database::faultPoint(QStringLiteral("giornata: tra andata e ritorno"));
            SalvaRitorno(meta);
            transazione.commit();
        }
        if (k < meta) {
            TblGiornate->append(); // the new empty row the boxes edit for the next matchday
            if (conferma)
                MostraBox({QStringLiteral("Messaggio di conferma!"),
                       QStringLiteral("La giornata numero %1 e il relativo ritorno sono state inserite con successo in "
                                      "archivio!")
                           .arg(k),
                          IconaMessaggio::Informazione, false});
            GroupBox1->setTitle(QStringLiteral("Giornata numero %1").arg(k + 1));
            SvuotaBox();
            BBannullaTuttoClick();
        } else {
            TblGiornate->close();
            MostraBox({QStringLiteral("Fine compilazione calendario!"), Fine, IconaMessaggio::Informazione, false});
            completo = true;
            if (InterfacciaPrincipale *f = FinestraPrincipale())
                f->AbilitaMenuCalendario();
            accept();
        }
        BTMpost->setEnabled(false);
        return true;
    } catch (const std::exception &) {
        MostraErrore(QStringLiteral("Si è verificato un'errore imprevisto interno."));
        if (InterfacciaPrincipale *f = FinestraPrincipale())
            f->TerminaProgramma();
        return false;
    }
}

void TFrmGiornata::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmGiornata::reject()
{
    if (!completo && !ChiediConfermaDistruttiva(DomandaAbbandono))
        return; // back to the composer, nothing lost
    QDialog::reject();
}

void TFrmGiornata::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TFrmGiornata::FormClose()
{
    if (completo)
        return;
    MostraAttenzione(QStringLiteral("Il calendario non è stato compilato completamente, perciò verrà rimosso e il "
                                    "programma verrà chiuso."));
    TblGiornate->close();
    try {
        AzzeraImpostazioniCampionato();
        store::Database &db = store::Database::instance();
        for (const QString &tabella : TabelleCampionato())
            db.deleteTable(tabella);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    if (InterfacciaPrincipale *f = FinestraPrincipale())
        f->TerminaProgramma();
}

// ---- Proposals and checks of the calendar ----

bool TFrmGiornata::LeggiAndata(Andata &andata)
{
    const int g = FrmCalendario ? FrmCalendario->NumeroGiornate() : -1;
    andata.meta = g > 0 ? g / 2 : 0;
    try {
        QStringList nomi;
        store::Table squadreTab(QStringLiteral("squadre.db"));
        squadreTab.open();
        for (squadreTab.first(); !squadreTab.eof(); squadreTab.next())
            nomi << squadreTab.fieldByName(QStringLiteral("Squadre")).asString();
        // The drawn order stays while it holds these teams.
        if (ordine.size() != nomi.size() || !std::is_permutation(ordine.begin(), ordine.end(), nomi.begin()))
            ordine = nomi;
        andata.squadre = int(ordine.size());

        std::vector<std::pair<int, QStringList>> righe;
        store::Table giornate(QStringLiteral("giornate.db"));
        giornate.open();
        for (giornate.first(); !giornate.eof(); giornate.next()) {
            const int numero = giornate.fieldByName(QStringLiteral("Giornata")).asInteger();
            if (numero < 1 || numero > andata.meta)
                continue;
            QStringList riga;
            for (int k = 1; k <= SlotGiornata; ++k)
                riga << giornate.fieldByName(CampoSquadra(k)).asString();
            righe.emplace_back(numero, riga);
        }
        std::stable_sort(righe.begin(), righe.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        andata.giornate.clear();
        andata.numeri.clear();
        for (const auto &[numero, riga] : righe) {
            girone::Giornata giornata;
            for (int p = 1; p <= PartiteGiornata; ++p) {
                const int casa = int(ordine.indexOf(riga[2 * p - 2])) + 1;
                const int ospite = int(ordine.indexOf(riga[2 * p - 1])) + 1;
                if (casa > 0 && ospite > 0)
                    giornata.push_back({casa, ospite});
                else if (casa > 0 && riga[2 * p - 1].isEmpty() && andata.squadre % 2 != 0)
                    giornata.push_back({casa, andata.squadre + 1}); // the resting team
            }
            andata.giornate.push_back(giornata);
            andata.numeri.push_back(numero);
        }
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return false;
    }
    return true;
}

girone::Giornata TFrmGiornata::GiornataCorrente(const Andata &andata) const
{
    girone::Giornata giornata;
    auto squadra = [&](int slot) {
        return TblGiornate->fieldByName(CampoSquadra(slot)).asString();
    };
    for (int p = 1; 2 * p - 1 <= andata.squadre; ++p) {
        const int casa = int(ordine.indexOf(squadra(2 * p - 1))) + 1;
        if (2 * p > andata.squadre) {
            if (casa > 0)
                giornata.push_back({casa, andata.squadre + 1}); // the resting team
            continue;
        }
        const int ospite = int(ordine.indexOf(squadra(2 * p))) + 1;
        if (casa > 0 && ospite > 0)
            giornata.push_back({casa, ospite});
    }
    return giornata;
}

void TFrmGiornata::SorteggiaOrdine()
{
    std::shuffle(ordine.begin(), ordine.end(), *QRandomGenerator::global());
    // The favourite team takes the place at home on matchday 1 (with an odd number of teams, not
    // the place that rests).
    const int squadre = int(ordine.size());
    const qsizetype preferita = ordine.indexOf(LeggiImpostazione(QStringLiteral("SQUADRAPREFERITA")));
    if (preferita < 0)
        return;
    const std::vector<girone::Giornata> berger = girone::Berger(squadre);
    for (const girone::Partita &p : berger.front())
        if (p.casa <= squadre && p.ospite <= squadre) {
            ordine.swapItemsAt(preferita, p.casa - 1);
            return;
        }
}

std::vector<girone::Giornata> TFrmGiornata::Proposta(const Andata &andata)
{
    const int giri = girone::GiornateGirone(andata.squadre);
    if (andata.meta > giri) {
        MostraAttenzione(QStringLiteral("Con %1 squadre il girone di andata ha %2 giornate: le %3 giornate di andata di "
                                        "questo calendario ripetono per forza delle partite e vanno composte a mano.")
                             .arg(andata.squadre)
                             .arg(giri)
                             .arg(andata.meta));
        return {};
    }
    const girone::Esito esito = girone::Completa(andata.squadre, andata.giornate, andata.meta);
    if (esito.stato == girone::Esito::Trovato && !esito.giornate.empty())
        return esito.giornate;
    if (esito.stato == girone::Esito::Interrotto)
        MostraAttenzione(QStringLiteral("Non è stato possibile trovare una proposta per le giornate rimanenti: vanno "
                                        "composte a mano."));
    else
        MostraAttenzione(QStringLiteral("Con le giornate già inserite il calendario non può essere completato senza "
                                        "ripetere partite: le giornate rimanenti vanno composte a mano."));
    return {};
}

QStringList TFrmGiornata::TestiBox(const girone::Giornata &giornata) const
{
    const int squadre = int(ordine.size());
    QStringList testi;
    QString riposa;
    for (const girone::Partita &p : giornata) {
        if (p.casa > squadre)
            riposa = ordine[p.ospite - 1];
        else if (p.ospite > squadre)
            riposa = ordine[p.casa - 1];
        else
            testi << ordine[p.casa - 1] << ordine[p.ospite - 1];
    }
    if (!riposa.isEmpty())
        testi << riposa;
    return testi;
}

void TFrmGiornata::BTproponiClick()
{
    Andata andata;
    if (completo || !LeggiAndata(andata))
        return;
    if (andata.giornate.empty())
        SorteggiaOrdine();
    const std::vector<girone::Giornata> proposta = Proposta(andata);
    if (proposta.empty())
        return;
    // The teams go into the boxes one after another, as the user chooses them.
    const QStringList testi = TestiBox(proposta.front());
    BBannullaTuttoClick();
    for (int k = 1; k <= testi.size() && k <= 20; ++k) {
        BoxEnter(k);
        ScegliSquadra(k, testi[k - 1]);
        BoxExit(k);
    }
    if (BTMpost->isEnabled())
        BTMpost->setFocus();
}

void TFrmGiornata::BTproponiTuttoClick()
{
    if (completo || !ChiediConfermaDistruttiva(QStringLiteral("Comporre automaticamente le giornate rimanenti?")))
        return;
    Andata andata;
    if (!LeggiAndata(andata))
        return;
    if (andata.giornate.empty())
        SorteggiaOrdine();
    const std::vector<girone::Giornata> proposta = Proposta(andata);
    for (const girone::Giornata &giornata : proposta) {
        const QStringList testi = TestiBox(giornata);
        try {
            if (!TblGiornate->isEditing())
                TblGiornate->append();
            for (int k = 1; k <= testi.size() && k <= SlotGiornata; ++k)
                TblGiornate->fieldByName(CampoSquadra(k)).setAsString(testi[k - 1]);
        } catch (const store::EngineError &e) {
            MostraErrore(e.message());
            return;
        }
        // Each matchday with its return leg in one transaction, as "Inserisci giornata" stores it;
        // the last one ends the calendar with its message.
        if (!SalvaGiornata(false))
            return;
    }
}

bool TFrmGiornata::ControllaGiornata()
{
    Andata andata;
    if (!LeggiAndata(andata))
        return false;
    if (andata.meta > girone::GiornateGirone(andata.squadre))
        return true; // more matchdays than one round robin: repeats cannot be avoided
    const girone::Giornata corrente = GiornataCorrente(andata);
    bool ripetuta = false;
    for (const girone::Partita &p : corrente) {
        if (p.casa > andata.squadre || p.ospite > andata.squadre)
            continue;
        for (std::size_t j = 0; j < andata.giornate.size(); ++j) {
            const girone::Giornata &prima = andata.giornate[j];
            const bool giocata = std::any_of(prima.begin(), prima.end(), [&](const girone::Partita &q) {
                return (q.casa == p.casa && q.ospite == p.ospite) || (q.casa == p.ospite && q.ospite == p.casa);
            });
            if (!giocata)
                continue;
            if (!ChiediConfermaDistruttiva(QStringLiteral("La partita %1 - %2 è già stata inserita nella giornata %3. "
                                                          "Inserirla comunque?")
                                               .arg(ordine[p.casa - 1], ordine[p.ospite - 1])
                                               .arg(andata.numeri[j])))
                return false;
            ripetuta = true;
            break;
        }
    }
    // The user keeps the last word: repeats asked for stand, and then no dead end is asked about
    // (repeating is what it warns of).
    if (ripetuta)
        return true;
    std::vector<girone::Giornata> dopo = andata.giornate;
    dopo.push_back(corrente);
    if (girone::Completa(andata.squadre, dopo, andata.meta).stato == girone::Esito::Impossibile &&
        girone::Completa(andata.squadre, andata.giornate, andata.meta).stato == girone::Esito::Trovato)
        return ChiediConfermaDistruttiva(QStringLiteral("Con questa giornata il calendario non potrà essere completato "
                                                        "senza ripetere partite. Inserirla comunque?"));
    return true;
}
