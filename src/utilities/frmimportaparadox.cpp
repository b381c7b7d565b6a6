#include "utilities/frmimportaparadox.h"

#include "core/messaggi.h"
#include "store/consegnatabelle.h"
#include "ui/finestraprincipale.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"
#include "utilities/importazioneparadox.h"
#include "utilities/traduzioneutilita.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFrmImportaParadox::TFrmImportaParadox(QWidget *parent) : FormUtilita(parent)
{
    impostaFinestraUtilita(this, "FrmImportaParadox", QStringLiteral("Importazione tabelle Paradox"));
    costruisci();
    ButtonImporta->setEnabled(false);
    LabelWork->hide();
    LabelDone->hide();
    TraduciEtichette();
}

TFrmImportaParadox::~TFrmImportaParadox()
{
    if (!importato)
        return;
    MostraAttenzione(QStringLiteral("Dopo ogni importazione è necessario uscire dal programma e rientrare, la "
                                    "procedura si autoterminerà."));
    if (InterfacciaPrincipale *f = FinestraPrincipale())
        f->TerminaProgramma();
}

void TFrmImportaParadox::costruisci()
{
    LabelCartella = createLabel(this, QStringLiteral("LabelCartella"), QStringLiteral("Cartella delle tabelle Paradox:"));
    EditCartella = createNamed<QLineEdit>(this, QStringLiteral("EditCartella"));
    EditCartella->setReadOnly(true);
    EditCartella->setMinimumWidth(420);
    ButtonSfoglia = createButton(this, QStringLiteral("ButtonSfoglia"), QStringLiteral("Sfoglia..."),
                                 QStringLiteral("Sceglie la cartella che contiene le tabelle Paradox"));
    LabelTabelle = createLabel(this, QStringLiteral("LabelTabelle"), QStringLiteral("Tabelle trovate:"));
    ListBoxTabelle = createNamed<QListWidget>(this, QStringLiteral("ListBoxTabelle"));
    ListBoxTabelle->setMinimumSize(560, 200);
    LabelWork = creaLabelWork(this);
    LabelDone = creaLabelDone(this, QStringLiteral("Importazione effettuata."));
    ButtonImporta = createButton(this, QStringLiteral("ButtonImporta"), QStringLiteral("Importa"),
                                 QStringLiteral("Importa le tabelle trovate al posto di quelle attuali"));
    sbEsci = createButton(this, QStringLiteral("sbEsci"), QStringLiteral("Esci"), SuggerimentoEsciUtilita);
    connect(ButtonSfoglia, &QPushButton::clicked, this, &TFrmImportaParadox::ButtonSfogliaClick);
    connect(ButtonImporta, &QPushButton::clicked, this, &TFrmImportaParadox::ButtonImportaClick);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmImportaParadox::sbEsciClick);

    auto *riga = new QHBoxLayout;
    riga->addWidget(EditCartella, 1);
    riga->addWidget(ButtonSfoglia);
    auto *comandi = new QHBoxLayout;
    comandi->addWidget(LabelWork);
    comandi->addWidget(LabelDone);
    comandi->addStretch();
    comandi->addWidget(ButtonImporta);
    comandi->addWidget(sbEsci);
    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(LabelCartella);
    v->addLayout(riga);
    v->addWidget(LabelTabelle);
    v->addWidget(ListBoxTabelle);
    v->addLayout(comandi);
}

void TFrmImportaParadox::TraduciEtichette()
{
    TraduciSeTabellaLingua({this, LabelCartella, ButtonSfoglia, LabelTabelle, LabelWork, LabelDone, ButtonImporta, sbEsci});
}

void TFrmImportaParadox::ButtonSfogliaClick()
{
    if (lavoro)
        return;
    const QString cartella = QFileDialog::getExistingDirectory(this, TestoControllo(LabelCartella), scelta);
    if (!cartella.isEmpty())
        ImpostaCartella(cartella);
}

void TFrmImportaParadox::ImpostaCartella(const QString &cartella)
{
    if (lavoro)
        return;
    scelta = QDir::cleanPath(cartella) + QLatin1Char('/');
    EditCartella->setText(QDir::toNativeSeparators(scelta));
    ListBoxTabelle->clear();
    bool qualcuna = false;
    for (const TabellaParadoxTrovata &t : EsaminaCartellaParadox(scelta)) {
        ListBoxTabelle->addItem(StatoTabellaParadox(t));
        if (!t.errore.isEmpty() && t.importata && !t.file.isEmpty())
            ListBoxTabelle->item(ListBoxTabelle->count() - 1)->setToolTip(t.errore);
        qualcuna = qualcuna || t.daImportare();
    }
    ButtonImporta->setEnabled(qualcuna);
    LabelDone->hide();
}

void TFrmImportaParadox::ButtonImportaClick()
{
    if (lavoro || scelta.isEmpty() || !ButtonImporta->isEnabled())
        return;
    if (!ChiediConfermaDistruttiva(QStringLiteral("Le tabelle attuali verranno sostituite da quelle trovate nella "
                                                  "cartella scelta (quelle assenti restano come sono), si intende "
                                                  "continuare?")))
        return;
    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta()) {
        MostraErrore(store::MessaggioTabelleInUso);
        return;
    }
    EsitoImportazione esito;
    {
        LavoroLungo guardia(lavoro, LabelWork, LabelDone, {ButtonImporta, ButtonSfoglia, sbEsci});
        esito = ImportaTabelleParadox(scelta, {}, [&] { guardia.passo(); });
    }
    if (!esito.riuscito) {
        MostraErrore(esito.errore);
        return;
    }
    importato = true;
    LabelDone->setVisible(true);
    ButtonImporta->setEnabled(false);
}
