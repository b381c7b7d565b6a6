#include "utilities/frmrecuperodati.h"

#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "core/messaggi.h"
#include "store/consegnatabelle.h"
#include "store/database.h"
#include "store/verificatabella.h"
#include "ui/finestraprincipale.h"
#include "ui/namedwidgets.h"
#include "utilities/cartellebackup.h"
#include "utilities/lavorolungo.h"
#include "utilities/stileutilita.h"
#include "utilities/traduzioneutilita.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString ErroreCartella = QStringLiteral("Errore in creazione directory backup.");
const QString SuffissoRecupero = QLatin1String(SuffissoCopiaRecupero);
const QString SuffissoSicurezza = QLatin1String(SuffissoCopiaSicurezza);

// The name under which a table lives in the program folder, whatever the case of the backup's copy.
QString nomeVivo(const QString &programma, const QString &nome)
{
    const QStringList presenti = QDir(programma).entryList(QDir::Files | QDir::Hidden);
    for (const QString &p : presenti)
        if (p.compare(nome, Qt::CaseInsensitive) == 0)
            return p;
    return nome;
}

QString accanto(const QString &programma, const QString &nome, const QString &suffisso)
{
    return programma + QLatin1Char('.') + nome + suffisso;
}
} // namespace

TFrmRecuperoDati::TFrmRecuperoDati(QWidget *parent) : FormUtilita(parent)
{
    impostaFinestraUtilita(this, "FrmRecuperoDati", QStringLiteral("Recupero dati"));
    costruisci();
    FormCreate();
}

TFrmRecuperoDati::~TFrmRecuperoDati() { FormDestroy(); }

void TFrmRecuperoDati::costruisci()
{
    Label5 = createLabel(this, QStringLiteral("Label5"), QStringLiteral("Seleziona il backup:"));
    ListBoxCartelle = createNamed<QListWidget>(this, QStringLiteral("ListBoxCartelle"));
    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Elenco file:"));
    ListBoxFile = createNamed<QListWidget>(this, QStringLiteral("ListBoxFile"));
    for (QListWidget *l : {ListBoxCartelle, ListBoxFile})
        l->setFixedSize(200, 180);
    LabelWork = creaLabelWork(this);
    LabelDone = creaLabelDone(this, QStringLiteral("Recupero dati effettuato."));
    LabelTitoloResoconto = createLabel(this, QStringLiteral("LabelTitoloResoconto"),
                                       QStringLiteral("Resoconto dei file da copiare:"), true);
    Label3 = createLabel(this, QStringLiteral("Label3"), QStringLiteral("Copiati:"));
    LabelCopiati = creaContatore(this, "LabelCopiati", true);
    Label4 = createLabel(this, QStringLiteral("Label4"), QStringLiteral("Non copiati:"));
    LabelConErrore = creaContatore(this, "LabelConErrore", false);
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Dettagli backup selezionato:"));
    LabelDettaglioBackup = createLabel(this, QStringLiteral("LabelDettaglioBackup"), QStringLiteral("Nessun dettaglio."));
    LabelDettaglioBackup->setMinimumWidth(320);
    ButtonElimina = createButton(this, QStringLiteral("ButtonElimina"), QStringLiteral("Elimina"),
                                 QStringLiteral("Cancella la cartella di backup selezionata"));
    ButtonOk = createButton(this, QStringLiteral("ButtonOk"), QStringLiteral("Ok"), QStringLiteral("Esegue recupero dati"));
    sbEsci = createButton(this, QStringLiteral("sbEsci"), QStringLiteral("Esci"), SuggerimentoEsciUtilita);
    connect(ListBoxCartelle, &QListWidget::itemSelectionChanged, this, &TFrmRecuperoDati::ListBoxCartelleClick);
    connect(ButtonOk, &QPushButton::clicked, this, &TFrmRecuperoDati::ButtonOkClick);
    connect(ButtonElimina, &QPushButton::clicked, this, &TFrmRecuperoDati::ButtonEliminaClick);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmRecuperoDati::sbEsciClick);

    auto *liste = new QGridLayout;
    liste->addWidget(Label5, 0, 0);
    liste->addWidget(ListBoxCartelle, 1, 0);
    liste->addWidget(Label1, 0, 1);
    liste->addWidget(ListBoxFile, 1, 1);
    auto *resoconto = new QGridLayout;
    resoconto->addWidget(LabelTitoloResoconto, 0, 0, 1, 2);
    resoconto->addWidget(Label3, 1, 0);
    resoconto->addWidget(LabelCopiati, 1, 1);
    resoconto->addWidget(Label4, 2, 0);
    resoconto->addWidget(LabelConErrore, 2, 1);
    resoconto->setRowStretch(3, 1);
    resoconto->addWidget(LabelWork, 4, 0, 1, 2);
    resoconto->addWidget(LabelDone, 5, 0, 1, 2);
    liste->addLayout(resoconto, 1, 2);
    liste->setColumnMinimumWidth(2, 240);

    auto *comandi = new QHBoxLayout;
    comandi->addWidget(ButtonElimina);
    comandi->addStretch();
    comandi->addWidget(ButtonOk);
    comandi->addWidget(sbEsci);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addLayout(liste);
    v->addWidget(Label2);
    v->addWidget(LabelDettaglioBackup);
    v->addLayout(comandi);
}

void TFrmRecuperoDati::FormCreate()
{
    if (!CreaCartellaBackup())
        MostraErrore(ErroreCartella);
    leggiCartelle();
    ButtonOk->setEnabled(false);
    ButtonElimina->setEnabled(false);
    LabelWork->hide();
    LabelDone->hide();
    aggiornaContatori();
    TraduciEtichette();
}

void TFrmRecuperoDati::TraduciEtichette()
{
    TraduciSeTabellaLingua({Label5, Label1, LabelWork, LabelDone, LabelTitoloResoconto, Label3, LabelCopiati, Label4,
                            LabelConErrore, Label2, LabelDettaglioBackup, ButtonElimina, sbEsci});
}

void TFrmRecuperoDati::leggiCartelle()
{
    const QSignalBlocker blocco(ListBoxCartelle);
    ListBoxCartelle->clear();
    ListBoxCartelle->addItems(VociCartelleBackup());
}

void TFrmRecuperoDati::aggiornaContatori()
{
    LabelCopiati->setText(QString::number(nCopiati));
    LabelConErrore->setText(QString::number(nNonCopiati));
}

void TFrmRecuperoDati::ListBoxCartelleClick()
{
    const QList<QListWidgetItem *> scelti = ListBoxCartelle->selectedItems();
    if (scelti.isEmpty() || lavoro)
        return;
    const SceltaBackup s = ScegliBackup(scelti.first()->text());
    scelta = s.valida ? s.nome : QString();
    ButtonOk->setEnabled(s.valida);
    ButtonElimina->setEnabled(s.valida);
    ListBoxFile->clear();
    ListBoxFile->addItems(s.file);
    LabelDettaglioBackup->setText(s.dettaglio);
}

void TFrmRecuperoDati::ButtonOkClick()
{
    if (lavoro || scelta.isEmpty())
        return;
    nCopiati = nNonCopiati = 0;
    aggiornaContatori();
    if (!ChiediConfermaDistruttiva(QStringLiteral(
            "Questa operazione di recupero dati andrà a sovrascrivere la situazione corrente, si intende continuare?")))
        return;
    if (!CartellaBackupValida(scelta)) { // removed from outside since it was chosen
        MostraAttenzione(QStringLiteral("Nessuna cartella selezionata o cartella selezionata non valida."));
        return;
    }
    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta()) {
        MostraErrore(store::MessaggioTabelleInUso);
        return;
    }
    bool ok = false;
    {
        LavoroLungo guardia(lavoro, LabelWork, LabelDone, {ButtonOk, ButtonElimina, sbEsci, ListBoxCartelle});
        // Only the program's tables come back, by their names; any other file is passed over.
        const QStringList nomi = store::NomiTabelle();
        QStringList tabelle;
        for (int i = 0; i < ListBoxFile->count(); ++i) {
            const QString f = ListBoxFile->item(i)->text();
            if (EstensioneEsclusa(f))
                continue;
            bool gia = false; // a second copy of a table under another case would undo the first
            for (const QString &t : std::as_const(tabelle))
                gia = gia || t.compare(f, Qt::CaseInsensitive) == 0;
            for (const QString &n : nomi)
                if (!gia && f.compare(n, Qt::CaseInsensitive) == 0)
                    tabelle << f;
        }
        if (tabelle.isEmpty())
            MostraAttenzione(QStringLiteral("Il backup selezionato non contiene tabelle del programma: nessun file è "
                                            "stato recuperato."));
        else
            ok = recupera(tabelle, PercorsoBackup(scelta), guardia);
    }
    recuperato = recuperato || ok;
    LabelDone->setVisible(ok);
}

// Every table is first checked, then copied beside the live one under a temporary name; only when
// all copies are there does each live table get a safety copy (a second name of the same file) and
// the restored one is renamed over it, so a table's name always holds a complete table. Any failure
// puts every live table back as it was.
bool TFrmRecuperoDati::recupera(const QStringList &tabelle, const QString &origine, LavoroLungo &guardia)
{
    const QString programma = CartellaProgramma();

    QStringList danneggiate;
    for (const QString &t : tabelle) {
        guardia.passo();
        const store::EsitoVerifica esito = store::VerificaTabella(origine + t);
        if (!esito.valida)
            danneggiate << QStringLiteral("\"%1\" (%2)").arg(origine + t, esito.motivo);
    }
    if (!danneggiate.isEmpty()) {
        nNonCopiati = int(danneggiate.size());
        aggiornaContatori();
        MostraErrore(QStringLiteral("Il backup contiene file che non sono tabelle leggibili del programma, perciò "
                                    "nessun file è stato recuperato:\n") +
                     danneggiate.join(QLatin1Char('\n')));
        return false;
    }

    struct Passo {
        QString vivo;       // the live table's name in the program folder
        QString copia;      // the restored copy beside it
        bool messoDaParte = false; // the live table has its safety copy
        bool vivoAlSuoPosto = false; // ... and is still under its name (a second link to it)
        bool giornaleDaParte = false;
        bool sostituito = false;
    };
    QList<Passo> passi;
    QString fallito;
    auto sicurezza = [&](const QString &nome) { return accanto(programma, nome, SuffissoSicurezza); };
    auto giornale = [&](const QString &nome) { return programma + nome + QStringLiteral("-journal"); };
    try {
        for (const QString &t : tabelle) {
            guardia.passo();
            Passo p;
            p.vivo = nomeVivo(programma, t);
            p.copia = CopiaAccanto(origine + t, programma + p.vivo, SuffissoRecupero);
            if (p.copia.isEmpty()) {
                fallito = programma + p.vivo;
                break;
            }
            passi << p;
            store::Database::faultPoint(QStringLiteral("recupero: copiata accanto"));
        }
        if (fallito.isEmpty()) {
            // From here until the last table is in place, a start after a crash completes the
            // restore instead of finding half of the backup among the live tables.
            const QString segno = programma + QLatin1String(SegnoRecuperoInCorso);
            QFile file(segno);
            const bool creato = file.open(QIODevice::WriteOnly);
            file.close();
            if (!creato || !ScriviSuDisco(segno))
                fallito = segno;
            SincronizzaCartella(programma);
        }
        if (fallito.isEmpty()) {
            for (Passo &p : passi) {
                guardia.passo();
                const QString vivo = programma + p.vivo;
                if (QFileInfo(vivo).isDir()) {
                    fallito = vivo;
                    break;
                }
                if (QFileInfo::exists(vivo)) {
                    // A second name for the live table keeps it under its own name until the
                    // restored one replaces it in one rename; where links cannot be made it is
                    // moved aside instead.
                    QFile::remove(sicurezza(p.vivo));
                    if (CollegaFile(vivo, sicurezza(p.vivo))) {
                        p.vivoAlSuoPosto = true;
                    } else if (!SpostaSopra(vivo, sicurezza(p.vivo), false)) {
                        fallito = vivo;
                        break;
                    }
                    p.messoDaParte = true;
                }
                // A journal left by the live table belongs to it, never to the restored one.
                if (QFileInfo::exists(giornale(p.vivo))) {
                    if (!SpostaSopra(giornale(p.vivo), sicurezza(p.vivo + QStringLiteral("-journal")), false)) {
                        fallito = vivo;
                        break;
                    }
                    p.giornaleDaParte = true;
                }
                store::Database::faultPoint(QStringLiteral("recupero: tabella messa da parte"));
                if (!SpostaSopra(p.copia, vivo, false)) {
                    fallito = vivo;
                    break;
                }
                p.sostituito = true;
                store::Database::faultPoint(QStringLiteral("recupero: tabella sostituita"));
            }
        }
    } catch (const std::exception &) {
        if (fallito.isEmpty())
            fallito = programma + (passi.isEmpty() ? tabelle.first() : passi.last().vivo);
    }

    SincronizzaCartella(programma);
    if (fallito.isEmpty()) {
        for (const Passo &p : std::as_const(passi)) {
            QFile::remove(sicurezza(p.vivo));
            QFile::remove(sicurezza(p.vivo + QStringLiteral("-journal")));
        }
        QFile::remove(programma + QLatin1String(SegnoRecuperoInCorso));
        SincronizzaCartella(programma);
        nCopiati = int(passi.size());
        aggiornaContatori();
        return true;
    }

    // Everything back as it was, last step first.
    bool rimesso = true;
    for (auto it = passi.rbegin(); it != passi.rend(); ++it) {
        const QString vivo = programma + it->vivo;
        if (it->sostituito && !it->messoDaParte)
            rimesso = QFile::remove(vivo) && rimesso;
        if (it->messoDaParte && (it->sostituito || !it->vivoAlSuoPosto))
            rimesso = SpostaSopra(sicurezza(it->vivo), vivo) && rimesso;
        else if (it->messoDaParte)
            QFile::remove(sicurezza(it->vivo));
        if (it->giornaleDaParte)
            rimesso = SpostaSopra(sicurezza(it->vivo + QStringLiteral("-journal")), giornale(it->vivo)) && rimesso;
        if (!it->sostituito)
            QFile::remove(it->copia);
    }
    QFile::remove(programma + QLatin1String(SegnoRecuperoInCorso));
    SincronizzaCartella(programma);
    nNonCopiati = 1;
    aggiornaContatori();
    QString testo = QStringLiteral("Errore durante la copia del file \"%1\"").arg(fallito);
    testo += rimesso ? QStringLiteral("\nIl recupero è stato annullato: le tabelle sono rimaste come prima.")
                     : QStringLiteral("\nIl recupero è stato annullato, ma non tutte le tabelle sono state rimesse al "
                                      "loro posto: le copie di sicurezza sono nella cartella del programma.");
    MostraErrore(testo);
    return false;
}

void TFrmRecuperoDati::ButtonEliminaClick()
{
    if (lavoro)
        return;
    // The choice is the selected entry's name, never its place in the list.
    const QList<QListWidgetItem *> scelti = ListBoxCartelle->selectedItems();
    const QString nome = scelti.isEmpty() ? QString() : NomeDaVoce(scelti.first()->text());
    if (!CartellaBackupValida(nome)) {
        MostraAttenzione(QStringLiteral("Nessuna cartella selezionata o cartella selezionata non valida."));
        return;
    }
    if (!ChiediConfermaDistruttiva(QStringLiteral("Questa operazione eliminerà la cartella di backup selezionata e tutto il suo "
                                       "contenuto, si intende continuare?")))
        return;
    const QString percorso = CartellaBackup() + nome;
    if (!QDir(percorso).removeRecursively())
        MostraErrore(QStringLiteral("Impossibile eliminare la cartella, file in uso?"));
    LabelDettaglioBackup->setText(QStringLiteral("Nessun dettaglio"));
    leggiCartelle();
    scelta.clear();
    ListBoxFile->clear();
    ButtonOk->setEnabled(false);
    ButtonElimina->setEnabled(false);
}

void TFrmRecuperoDati::FormDestroy()
{
    if (!recuperato)
        return;
    MostraAttenzione(QStringLiteral("Dopo ogni recupero dati è necessario uscire dal programma e rientrare, la "
                                    "procedura si autoterminerà."));
    if (InterfacciaPrincipale *f = FinestraPrincipale())
        f->TerminaProgramma();
}
