#include "championship/frmcalendario.h"

#include "championship/frmgiornata.h"
#include "championship/rinomina.h"
#include "core/messaggi.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/table.h"
#include "ui/modale.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

TFrmCalendario *FrmCalendario = nullptr;

namespace {

QLineEdit *edit(QWidget *parent, const QString &name, const QString &text, int maxLength = 0)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}
} // namespace

QString StagioneDi(const QDate &giorno)
{
    const int inizio = giorno.month() >= 8 ? giorno.year() : giorno.year() - 1;
    return QStringLiteral("%1/%2").arg(inizio).arg(inizio + 1);
}

TFrmCalendario::TFrmCalendario(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmCalendario"));
    setWindowTitle(QStringLiteral("Calendario"));

    GroupBox1 = new QGroupBox(QStringLiteral("Inserisci le seguenti voci:"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    EDTanno = edit(GroupBox1, QStringLiteral("EDTanno"), StagioneDi(QDate::currentDate()));
    EDTcateg = edit(GroupBox1, QStringLiteral("EDTcateg"), QStringLiteral("Serie A1 Maschile"));
    EDTnGIORN = edit(GroupBox1, QStringLiteral("EDTnGIORN"), QStringLiteral("16"), 2);
    EDTmySQ = edit(GroupBox1, QStringLiteral("EDTmySQ"), QStringLiteral("Nome squadra preferita"));
    EDTnSQ = edit(GroupBox1, QStringLiteral("EDTnSQ"), QStringLiteral("16"), 2);
    // In the order they stand on the form, each label with its own name.
    struct Voce {
        const char *label;
        QString testo;
        QLineEdit *edit;
    };
    const QList<Voce> header = {{"Label1", QStringLiteral("Stagione corrente"), EDTanno},
                                {"Label3", QStringLiteral("Categoria"), EDTcateg},
                                {"Label4", QStringLiteral("N. totale delle giornate"), EDTnGIORN},
                                {"Label2", QStringLiteral("Nome della tua squadra"), EDTmySQ},
                                {"Label5", QStringLiteral("Numero squadre partecipanti"), EDTnSQ}};
    auto *form = new QGridLayout(GroupBox1);
    etichette.resize(5);
    for (int i = 0; i < header.size(); ++i) {
        auto *label = new QLabel(header[i].testo, GroupBox1);
        label->setObjectName(QLatin1String(header[i].label));
        label->setBuddy(header[i].edit);
        header[i].edit->setMinimumWidth(220);
        etichette[QByteArray(header[i].label).mid(5).toInt() - 1] = label; // Label1 .. Label5 in name order
        form->addWidget(label, i, 0);
        form->addWidget(header[i].edit, i, 1);
    }
    ButSalva = createButton(GroupBox1, QLatin1String("ButSalva"), QStringLiteral("Salva"));
    ButEsci = createButton(GroupBox1, QLatin1String("ButEsci"), QStringLiteral("Esci"));
    auto *headerButtons = new QVBoxLayout;
    headerButtons->addWidget(ButSalva);
    headerButtons->addWidget(ButEsci);
    headerButtons->addStretch();
    form->addLayout(headerButtons, 0, 2, 5, 1);

    auto *teams = new QGridLayout;
    for (int i = 0; i < 20; ++i) {
        SQ[i] = edit(this, QStringLiteral("SQ%1").arg(i + 1), QStringLiteral("Nome squadra n.%1").arg(i + 1), i == 0 ? 0 : 30);
        SQ[i]->setEnabled(false);
        selectAllOnFocus(SQ[i]);
        teams->addWidget(SQ[i], i / 3, i % 3);
    }
    BTMsquadre = createButton(this, QLatin1String("BTMsquadre"), QStringLiteral("Memorizza squadre"));
    sbAnnulla = createButton(this, QLatin1String("sbAnnulla"), QStringLiteral("Annulla"));
    BTMsquadre->setEnabled(false);
    sbAnnulla->setEnabled(false);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(BTMsquadre);
    commands->addWidget(sbAnnulla);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addLayout(teams);
    layout->addLayout(commands);

    connect(ButSalva, &QPushButton::clicked, this, &TFrmCalendario::ButSalvaClick);
    connect(ButEsci, &QPushButton::clicked, this, &TFrmCalendario::ButEsciClick);
    connect(BTMsquadre, &QPushButton::clicked, this, &TFrmCalendario::BTMsquadreClick);
    connect(sbAnnulla, &QPushButton::clicked, this, &TFrmCalendario::sbAnnullaClick);
    EDTnGIORN->installEventFilter(this);
    // Leaving, or going back to the header, checks no field first.
    markAsCommand(ButEsci);
    markAsCommand(sbAnnulla);
    TraduciEtichette();
}

void TFrmCalendario::TraduciEtichette()
{
    QList<QObject *> list{GroupBox1};
    for (QLabel *l : etichette)
        list << l;
    list << ButSalva << ButEsci << BTMsquadre << sbAnnulla << EDTanno << EDTcateg << EDTnGIORN << EDTmySQ << EDTnSQ;
    for (QLineEdit *e : SQ)
        list << e;
    TraduciControlli(list);
}

void TFrmCalendario::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    sbAnnullaClick(); // every showing starts with the header
}

bool TFrmCalendario::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == EDTnGIORN && event->type() == QEvent::FocusOut &&
        leavingChecksField(EDTnGIORN, static_cast<QFocusEvent *>(event)->reason()))
        EDTnGIORNExit();
    return QDialog::eventFilter(watched, event);
}

bool TFrmCalendario::Numero(QLineEdit *edit, int &valore)
{
    bool ok = false;
    valore = edit->text().trimmed().toInt(&ok);
    if (!ok) {
        MostraErrore(QStringLiteral("'%1' non è un valore intero valido.").arg(edit->text()));
        edit->setFocus();
    }
    return ok;
}

int TFrmCalendario::NumeroGiornate() const
{
    bool ok = false;
    const int g = EDTnGIORN->text().trimmed().toInt(&ok);
    return ok ? g : -1;
}

void TFrmCalendario::EDTnGIORNExit()
{
    int g = 0;
    if (!Numero(EDTnGIORN, g))
        return;
    if (g % 2 != 0) {
        MostraAttenzione(QStringLiteral("Il numero delle giornate deve essere un numero pari."));
        EDTnGIORN->setFocus();
    }
}

bool TFrmCalendario::ControllaIntestazione(int &n, int &g)
{
    if (!Numero(EDTnSQ, n) || !Numero(EDTnGIORN, g))
        return false;
    if (g % 2 != 0) {
        MostraAttenzione(QStringLiteral("Il numero delle giornate deve essere un numero pari."));
        EDTnGIORN->setFocus();
        return false;
    }
    if (g < 4) {
        MostraErrore(QStringLiteral("Il numero delle giornate non puo' essere inferiore a 4."));
        EDTnGIORN->setFocus();
        return false;
    }
    if (n > 20 || n < 4) {
        MostraErrore(QStringLiteral("Il numero delle squadre non può essere maggiore di 20 o inferiore a 4."));
        EDTnSQ->setFocus();
        return false;
    }
    if (EDTmySQ->text().trimmed().isEmpty()) {
        MostraErrore(QStringLiteral("Il nome della tua squadra non può essere vuoto."));
        EDTmySQ->setFocus();
        return false;
    }
    return true;
}

void TFrmCalendario::BloccaIntestazione(bool blocca)
{
    for (QWidget *w : std::initializer_list<QWidget *>{EDTanno, EDTcateg, EDTnGIORN, EDTmySQ, EDTnSQ, ButSalva})
        w->setEnabled(!blocca);
}

void TFrmCalendario::ButSalvaClick()
{
    SQ[0]->setText(EDTmySQ->text());
    int n = 0;
    int g = 0;
    if (!ControllaIntestazione(n, g))
        return;
    for (int i = 0; i < 20; ++i)
        SQ[i]->setEnabled(i < n);
    BTMsquadre->setEnabled(true);
    sbAnnulla->setEnabled(true);
    BloccaIntestazione(true);
    SQ[0]->setFocus();
}

void TFrmCalendario::sbAnnullaClick()
{
    BloccaIntestazione(false);
    sbAnnulla->setEnabled(false);
    BTMsquadre->setEnabled(false);
    for (QLineEdit *e : SQ)
        e->setEnabled(false);
}

void TFrmCalendario::ButEsciClick() { close(); }

void TFrmCalendario::BTMsquadreClick()
{
    // What is stored is checked again: the counts as the header holds them, and one name per team.
    int n = 0;
    int g = 0;
    if (!ControllaIntestazione(n, g))
        return;
    int aperte = 0;
    while (aperte < 20 && SQ[aperte]->isEnabled())
        ++aperte;
    if (aperte != n) {
        MostraErrore(QStringLiteral("Il numero delle squadre è cambiato: premere \"Annulla\" e poi \"Salva\"."));
        return;
    }
    // Team names are the keys of the standings and the calendar: each must be there, and once,
    // whatever its case and blanks (ChiaveSquadra); they are stored without leading and trailing blanks.
    QSet<QString> nomi;
    for (int i = 0; i < n; ++i) {
        const QString nome = SQ[i]->text().trimmed();
        if (nome.isEmpty()) {
            MostraErrore(QStringLiteral("Il nome della squadra n.%1 non può essere vuoto.").arg(i + 1));
            SQ[i]->setFocus();
            return;
        }
        const QString chiave = ChiaveSquadra(nome.left(30));
        if (nomi.contains(chiave)) {
            MostraErrore(QString::fromUtf8(MsgSquadraGiaInserita).arg(nome));
            SQ[i]->setFocus();
            return;
        }
        nomi.insert(chiave);
    }
    if (!Memorizza(n))
        return;
    close();
    if (FrmGiornata)
        MostraModale(*FrmGiornata);
}

bool TFrmCalendario::Memorizza(int n)
{
    try {
        store::Table impostazioni(QStringLiteral("Impostazioni.db"));
        store::Table TblSquadre(QStringLiteral("Squadre.db"));
        store::Table TblClass(QStringLiteral("Class.db"));
        store::Table giornate(QStringLiteral("Giornate.db"));
        impostazioni.open();
        TblSquadre.open();
        TblClass.open();
        giornate.open();
        // Settings, teams and standings land together, or nothing changes.
        store::Transaction transazione;
        impostazioni.first();
        impostazioni.edit();
        impostazioni.fieldByName(QStringLiteral("ANNATA")).setAsString(EDTanno->text());
        impostazioni.fieldByName(QStringLiteral("CATEGORIA")).setAsString(EDTcateg->text());
        impostazioni.fieldByName(QStringLiteral("NGIORNATE")).setAsString(EDTnGIORN->text());
        impostazioni.fieldByName(QStringLiteral("SQUADRAPREFERITA")).setAsString(EDTmySQ->text().trimmed());
        impostazioni.fieldByName(QStringLiteral("NSQUADRE")).setAsString(EDTnSQ->text());
        impostazioni.post();
        // A new championship starts from empty tables, the calendar included.
        for (store::Table *t : {&TblSquadre, &TblClass, &giornate}) {
            t->first();
            while (!t->isEmpty())
                t->remove();
        }
        for (int i = 0; i < n; ++i) {
            TblSquadre.append();
            const QString nome = SQ[i]->text().trimmed();
            TblSquadre.fieldByName(QStringLiteral("Squadre")).setAsString(nome);
            TblSquadre.post();
            TblClass.append();
            TblClass.fieldByName(QStringLiteral("Squadre")).setAsString(nome);
            TblClass.fieldByName(QStringLiteral("Punti")).setAsInteger(0);
            TblClass.post();
        }
        transazione.commit();
        return true;
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        return false;
    }
}
