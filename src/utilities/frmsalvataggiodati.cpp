#include "utilities/frmsalvataggiodati.h"

#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "core/messaggi.h"
#include "store/consegnatabelle.h"
#include "store/verificatabella.h"
#include "ui/namedwidgets.h"
#include "utilities/cartellebackup.h"
#include "utilities/lavorolungo.h"
#include "utilities/stileutilita.h"
#include "utilities/traduzioneutilita.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace {
const QString ErroreCartella = QStringLiteral("Errore in creazione directory backup.");
} // namespace

TFrmSalvataggioDati::TFrmSalvataggioDati(QWidget *parent) : FormUtilita(parent)
{
    impostaFinestraUtilita(this, "FrmSalvataggioDati", QStringLiteral("Salvataggio dati"));
    costruisci();
    FormCreate();
}

void TFrmSalvataggioDati::costruisci()
{
    Label5 = createLabel(this, QStringLiteral("Label5"), QStringLiteral("Elenco tabelle:"));
    ListBoxTabelle = createNamed<QListWidget>(this, QStringLiteral("ListBoxTabelle"));
    ListBoxTabelle->setEnabled(false);
    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Elenco file:"));
    ListBoxFile = createNamed<QListWidget>(this, QStringLiteral("ListBoxFile"));
    ListBoxFile->setEnabled(false);
    for (QListWidget *l : {ListBoxTabelle, ListBoxFile})
        l->setFixedSize(200, 180);
    LabelWork = creaLabelWork(this);
    LabelDone = creaLabelDone(this, QStringLiteral("Salvataggio dati effettuato."));
    resoconto = std::make_unique<Resoconto>(this);
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Cartella salvataggio dati:"));
    EditPathSalvataggio = createNamed<QLineEdit>(this, QStringLiteral("EditPathSalvataggio"));
    EditPathSalvataggio->setReadOnly(true);
    EditPathSalvataggio->setMinimumWidth(420);
    BitBtn2 = createButton(this, QStringLiteral("BitBtn2"), QStringLiteral("Ok"), QStringLiteral("Esegue salvataggio dati"));
    sbEsci = createButton(this, QStringLiteral("sbEsci"), QStringLiteral("Esci"), SuggerimentoEsciUtilita);
    connect(BitBtn2, &QPushButton::clicked, this, &TFrmSalvataggioDati::BitBtn2Click);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmSalvataggioDati::sbEsciClick);

    auto *liste = new QGridLayout;
    liste->addWidget(Label5, 0, 0);
    liste->addWidget(ListBoxTabelle, 1, 0);
    liste->addWidget(Label1, 0, 1);
    liste->addWidget(ListBoxFile, 1, 1);
    liste->addLayout(resoconto->disponi(LabelWork, LabelDone), 1, 2);
    liste->setColumnMinimumWidth(2, 240);

    auto *comandi = new QHBoxLayout;
    comandi->addStretch();
    comandi->addWidget(BitBtn2);
    comandi->addWidget(sbEsci);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addLayout(liste);
    v->addWidget(Label2);
    v->addWidget(EditPathSalvataggio);
    v->addLayout(comandi);
}

QString TFrmSalvataggioDati::cartellaGiorno() const { return EditPathSalvataggio->text(); }

// The tables of the program folder: its "*.db" files, without the engine's transient ones.
QStringList TFrmSalvataggioDati::tabelle() const
{
    QStringList nomi;
    const QStringList file = QDir(CartellaProgramma()).entryList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
    for (const QString &f : file)
        if (!store::EFileTransitorio(f))
            nomi << f;
    return nomi;
}

void TFrmSalvataggioDati::FormCreate()
{
    if (!CreaCartellaBackup())
        MostraErrore(ErroreCartella);
    ListBoxTabelle->addItems(tabelle());
    LabelWork->hide();
    LabelDone->hide();
    aggiornaContatori();
    EditPathSalvataggio->setText(QDir::toNativeSeparators(CartellaBackup() + NomeCartellaGiorno(QDate::currentDate())));
    TraduciEtichette();
}

void TFrmSalvataggioDati::TraduciEtichette()
{
    TraduciSeTabellaLingua({Label5, Label1, LabelWork, LabelDone, resoconto->LabelTitoloResoconto, resoconto->Label3,
                            resoconto->LabelCopiati, resoconto->Label4, resoconto->LabelConErrore, Label2, sbEsci});
}

void TFrmSalvataggioDati::aggiornaContatori()
{
    resoconto->mostra(nCopiati, nNonCopiati);
}

void TFrmSalvataggioDati::BitBtn2Click()
{
    if (lavoro)
        return;
    nCopiati = nNonCopiati = 0;
    salvato = false;
    aggiornaContatori();
    const QString cartella = CartellaBackup() + NomeCartellaGiorno(QDate::currentDate());
    const QFileInfo info(cartella);
    if (info.exists() || info.isSymLink()) {
        if (!ChiediConfermaDistruttiva(QStringLiteral(
                "Oggi è già stato effettuato un salvataggio dati, si intende sovrascrivere quello esistente?")))
            return;
        if (!info.isDir()) {
            MostraErrore(ErroreCartella);
            return;
        }
    } else if (!QDir().mkpath(cartella) || !QFileInfo(cartella).isDir()) {
        // Without the day's folder no file can be copied: one message, nothing more.
        MostraErrore(ErroreCartella);
        return;
    }

    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta()) {
        MostraErrore(store::MessaggioTabelleInUso);
        return;
    }
    {
        LavoroLungo guardia(lavoro, LabelWork, LabelDone, {BitBtn2, sbEsci});
        const QString programma = CartellaProgramma();
        const QStringList tutti = QDir(programma).entryList(QDir::Files, QDir::Name);
        QSet<QString> fatti;
        for (int i = 0; i < ListBoxTabelle->count(); ++i) {
            const QString base = NomeBase(ListBoxTabelle->item(i)->text());
            if (fatti.contains(base.toLower()))
                continue; // each table once, whatever the case of its files
            fatti.insert(base.toLower());
            QStringList file;
            for (const QString &f : tutti)
                if (f.contains(QLatin1Char('.')) && NomeBase(f).compare(base, Qt::CaseInsensitive) == 0)
                    file << f;
            ListBoxFile->clear();
            ListBoxFile->addItems(file);
            for (const QString &f : std::as_const(file)) {
                guardia.passo();
                if (EstensioneEsclusa(f) || store::EFileTransitorio(f))
                    continue;
                if (CopiaFileAtomica(programma + f, cartella + QLatin1Char('/') + f, false)) {
                    ++nCopiati;
                } else {
                    ++nNonCopiati;
                    MostraErrore(QStringLiteral("Errore durante la copia del file \"%1\"").arg(programma + f));
                }
                aggiornaContatori();
            }
        }
        SincronizzaCartella(cartella);
    }
    salvato = nNonCopiati == 0;
    LabelDone->setVisible(salvato);
}

