#include "utilities/frmrecuperodati.h"

#include "core/messaggi.h"
#include "store/consegnatabelle.h"
#include "ui/finestraprincipale.h"
#include "ui/namedwidgets.h"
#include "utilities/cartellebackup.h"
#include "utilities/lavorolungo.h"
#include "utilities/recuperotabelle.h"
#include "utilities/stileutilita.h"
#include "utilities/traduzioneutilita.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString ErroreCartella = QStringLiteral("Errore in creazione directory backup.");
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
    resoconto = std::make_unique<Resoconto>(this);
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
    liste->addLayout(resoconto->disponi(LabelWork, LabelDone), 1, 2);
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
    TraduciSeTabellaLingua({Label5, Label1, LabelWork, LabelDone, resoconto->LabelTitoloResoconto, resoconto->Label3,
                            resoconto->LabelCopiati, resoconto->Label4, resoconto->LabelConErrore, Label2,
                            LabelDettaglioBackup, ButtonElimina, sbEsci});
}

void TFrmRecuperoDati::leggiCartelle()
{
    const QSignalBlocker blocco(ListBoxCartelle);
    ListBoxCartelle->clear();
    ListBoxCartelle->addItems(VociCartelleBackup());
}

void TFrmRecuperoDati::aggiornaContatori()
{
    resoconto->mostra(nCopiati, nNonCopiati);
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
        QStringList file;
        for (int i = 0; i < ListBoxFile->count(); ++i)
            file << ListBoxFile->item(i)->text();
        const QStringList tabelle = TabelleDaRecuperare(file);
        if (tabelle.isEmpty()) {
            MostraAttenzione(QStringLiteral("Il backup selezionato non contiene tabelle del programma: nessun file è "
                                            "stato recuperato."));
        } else {
            const EsitoRecupero esito = RecuperaTabelle(tabelle, PercorsoBackup(scelta), [&] { guardia.passo(); });
            ok = esito.riuscito;
            nCopiati = esito.copiati;
            nNonCopiati = esito.nonCopiati;
            aggiornaContatori();
            if (!esito.errore.isEmpty())
                MostraErrore(esito.errore);
        }
    }
    recuperato = recuperato || ok;
    LabelDone->setVisible(ok);
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
