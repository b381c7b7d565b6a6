#include "utilities/frminviodaticasamadre.h"

#include "core/configurazione.h"
#include "core/messaggi.h"
#include "core/shell.h"
#include "ui/namedwidgets.h"
#include "utilities/archiviozip.h"
#include "utilities/cartellebackup.h"
#include "utilities/lavorolungo.h"
#include "utilities/stileutilita.h"
#include "utilities/traduzioneutilita.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFrmInvioDatiCasaMadre::TFrmInvioDatiCasaMadre(QWidget *parent) : FormUtilita(parent)
{
    impostaFinestraUtilita(this, "FrmInvioDatiCasaMadre", QStringLiteral("Invio dati a Brivo"));
    costruisci();
    FormCreate();
}

void TFrmInvioDatiCasaMadre::costruisci()
{
    Label6 = createLabel(this, QStringLiteral("Label6"), QStringLiteral("Selezionare quale backup si vuole inviare a Brivo"),
                         true);
    Label5 = createLabel(this, QStringLiteral("Label5"), QStringLiteral("Seleziona il backup:"));
    ListBoxCartelle = createNamed<QListWidget>(this, QStringLiteral("ListBoxCartelle"));
    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Elenco file:"));
    ListBoxFile = createNamed<QListWidget>(this, QStringLiteral("ListBoxFile"));
    for (QListWidget *l : {ListBoxCartelle, ListBoxFile})
        l->setFixedSize(200, 180);
    LabelWork = creaLabelWork(this);
    LabelDone = creaLabelDone(this, QStringLiteral("Pacchetto dati compresso ok."));
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Dettagli backup selezionato:"));
    LabelDettaglioBackup = createLabel(this, QStringLiteral("LabelDettaglioBackup"), QStringLiteral("Nessun dettaglio."));
    Label7 = createLabel(this, QStringLiteral("Label7"), QStringLiteral("Percorso del file compresso che verrà creato:"));
    EditPathCompresso = createNamed<QLineEdit>(this, QStringLiteral("EditPathCompresso"));
    EditPathCompresso->setReadOnly(true);
    EditPathCompresso->setMinimumWidth(440);
    cbNonInviare = createNamed<QCheckBox>(this, QStringLiteral("cbNonInviare"));
    cbNonInviare->setText(QStringLiteral("Non inviare dati"));
    cbNonInviare->setToolTip(QStringLiteral("Effettua la compressione senza inviare i dati"));
    ButtonOk = createButton(this, QStringLiteral("ButtonOk"), QStringLiteral("Prepara pacchetto dati"),
                            QStringLiteral("Prepara l'invio dei dati a Brivo"));
    sbEsci = createButton(this, QStringLiteral("sbEsci"), QStringLiteral("Esci"), SuggerimentoEsciUtilita);
    connect(ListBoxCartelle, &QListWidget::itemSelectionChanged, this, &TFrmInvioDatiCasaMadre::ListBoxCartelleClick);
    connect(ButtonOk, &QPushButton::clicked, this, &TFrmInvioDatiCasaMadre::ButtonOkClick);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmInvioDatiCasaMadre::sbEsciClick);

    auto *liste = new QGridLayout;
    liste->addWidget(Label5, 0, 0);
    liste->addWidget(ListBoxCartelle, 1, 0);
    liste->addWidget(Label1, 0, 1);
    liste->addWidget(ListBoxFile, 1, 1);
    auto *stato = new QVBoxLayout;
    stato->addStretch();
    stato->addWidget(LabelWork);
    stato->addWidget(LabelDone);
    liste->addLayout(stato, 1, 2);
    liste->setColumnMinimumWidth(2, 220);

    auto *comandi = new QHBoxLayout;
    comandi->addWidget(cbNonInviare);
    comandi->addStretch();
    comandi->addWidget(ButtonOk);
    comandi->addWidget(sbEsci);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(Label6);
    v->addLayout(liste);
    v->addWidget(Label2);
    v->addWidget(LabelDettaglioBackup);
    v->addWidget(Label7);
    v->addWidget(EditPathCompresso);
    v->addLayout(comandi);
}

void TFrmInvioDatiCasaMadre::FormCreate()
{
    TraduciEtichette();
    if (!CreaCartellaBackup())
        MostraErrore(QStringLiteral("Errore in creazione directory backup."));
    ListBoxCartelle->addItems(VociCartelleBackup());
    ButtonOk->setEnabled(false);
    LabelWork->hide();
    LabelDone->hide();
    EditPathCompresso->clear();
}

void TFrmInvioDatiCasaMadre::TraduciEtichette()
{
    TraduciSeTabellaLingua({Label6, Label5, Label1, Label2, LabelWork, LabelDone, LabelDettaglioBackup, Label7,
                            cbNonInviare, ButtonOk, sbEsci});
}

void TFrmInvioDatiCasaMadre::ListBoxCartelleClick()
{
    const QList<QListWidgetItem *> scelti = ListBoxCartelle->selectedItems();
    if (scelti.isEmpty() || lavoro)
        return;
    const SceltaBackup s = ScegliBackup(scelti.first()->text());
    scelta = s.valida ? s.nome : QString();
    ButtonOk->setEnabled(s.valida);
    ListBoxFile->clear();
    ListBoxFile->addItems(s.file);
    LabelDettaglioBackup->setText(s.dettaglio);
    EditPathCompresso->setText(s.valida ? QDir::toNativeSeparators(PercorsoArchivio()) : QString());
}

void TFrmInvioDatiCasaMadre::ButtonOkClick()
{
    if (lavoro || scelta.isEmpty())
        return;
    if (!ChiediConferma(QStringLiteral("Si intende eseguire il compattamento della copia di backup selezionata?")))
        return;
    compresso = false;
    QString errore;
    QString lavoroFallito;
    {
        LavoroLungo guardia(lavoro, LabelWork, LabelDone, {ButtonOk, sbEsci, ListBoxCartelle});
        if (!CartellaBackupValida(scelta)) {
            errore = QStringLiteral("la cartella di backup non esiste più");
        } else if (QFileInfo(PercorsoArchivio()).isDir()) {
            lavoroFallito = QStringLiteral("Impossibile eliminare il vecchio file di compressione.");
        } else {
            const EsitoArchivio archivio = CreaArchivio(PercorsoArchivio(), PercorsoBackup(scelta), FileDelBackup(scelta));
            compresso = archivio.creato;
            errore = archivio.errore;
        }
    }
    LabelDone->setVisible(compresso);
    if (!lavoroFallito.isEmpty()) {
        MostraErrore(lavoroFallito);
        return;
    }
    if (!compresso) {
        MostraErrore(QStringLiteral("Impossibile creare il file compresso \"%1\": %2")
                         .arg(QDir::toNativeSeparators(PercorsoArchivio()), errore));
        return;
    }
    if (!cbNonInviare->isChecked())
        InviaMail(QLatin1String(MailSupportoBrivo),
                  QStringLiteral("Dati: %1, %2").arg(QLatin1String(NomeProdotto), QLatin1String(VersioneProdotto)),
                  QStringLiteral("Allegare il file: ") + QDir::toNativeSeparators(PercorsoArchivio()));
}

