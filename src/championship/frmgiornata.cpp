#include "championship/frmgiornata.h"

#include "championship/frmcalendario.h"
#include "core/messaggi.h"
#include "store/database.h"
#include "store/engineerror.h"
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
#include <QVBoxLayout>

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
    for (QPushButton *b : {BTMpost, BBannullaTutto})
        b->setAutoDefault(false);
    auto *commands = new QHBoxLayout(GroupBox2);
    commands->addWidget(BTMpost);
    commands->addWidget(BBannullaTutto);

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
    TraduciEtichette();
}

TFrmGiornata::~TFrmGiornata()
{
    if (FrmGiornata == this)
        FrmGiornata = nullptr;
}

void TFrmGiornata::TraduciEtichette() { TraduciControlli({this, GroupBox2, BTMpost, BBannullaTutto}); }

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
        TblGiornate->fieldByName(QStringLiteral("Squadra%1").arg(k)).setAsString(squadra);
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
    for (int k = 1; k <= 20; ++k)
        andata[k - 1] = TblGiornate->fieldByName(QStringLiteral("Squadra%1").arg(k)).asString();
}

void TFrmGiornata::SalvaRitorno(int meta)
{
    if (TblGiornate->state() != store::Table::Insert)
        TblGiornate->append();
    TblGiornate->fieldByName(QStringLiteral("Giornata")).setAsInteger(EditNumeroGiornata->text().toInt() + meta);
    TblGiornate->fieldByName(QStringLiteral("Giocata")).setAsBoolean(false);
    for (int p = 1; p <= 10; ++p) {
        const bool sinistra = Box[2 * p - 2]->isVisibleTo(GroupBox1);
        const bool destra = Box[2 * p - 1]->isVisibleTo(GroupBox1);
        auto squadra = [&](int slot) { return TblGiornate->fieldByName(QStringLiteral("Squadra%1").arg(slot)); };
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
    } catch (const std::exception &) {
        MostraErrore(QStringLiteral("Si è verificato un'errore imprevisto interno."));
        if (InterfacciaPrincipale *f = FinestraPrincipale())
            f->TerminaProgramma();
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
        for (const char *tabella : {"class.db", "giornate.db", "squadre.db"})
            db.deleteTable(QLatin1String(tabella));
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    if (InterfacciaPrincipale *f = FinestraPrincipale())
        f->TerminaProgramma();
}
