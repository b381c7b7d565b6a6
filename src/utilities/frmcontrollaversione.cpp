#include "utilities/frmcontrollaversione.h"

#include "core/configurazione.h"
#include "core/messaggi.h"
#include "core/shell.h"
#include "ui/namedwidgets.h"
#include "utilities/traduzioneutilita.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QString Nero = QStringLiteral("color: black;");
const QString Verde = QStringLiteral("color: #008000;");
const QString Rosso = QStringLiteral("color: #c00000;");
const QString Arancio = QStringLiteral("color: #b35900;");
} // namespace

QString IndirizzoControlloVersione()
{
    return QLatin1String(IndirizzoSitoBrivo) + QStringLiteral("index.php?show=ctrlvers&prg=") +
           QLatin1String(NomeProdotto);
}

QString IndirizzoScaricamento() { return QLatin1String(IndirizzoSitoBrivo) + QStringLiteral("prg/rotaset_amd64.deb"); }

TFrmControllaVersione::TFrmControllaVersione(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmControllaVersione"));
    setWindowTitle(QStringLiteral("Controllo eventuali aggiornamenti disponibili"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    Label1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("Versione attuale"));
    Label2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("Versione disponibile su internet"));
    LabVerAttuale = createLabel(this, QStringLiteral("LabVerAttuale"), QString(), true);
    LabVerInternet = createLabel(this, QStringLiteral("LabVerInternet"), QString(), true);
    LabMessaggioGrande = createLabel(this, QStringLiteral("LabMessaggioGrande"),
                                     QStringLiteral("Controllo versione in corso..."), true);
    QFont grande = LabMessaggioGrande->font();
    grande.setPointSize(grande.pointSize() + 4);
    LabMessaggioGrande->setFont(grande);
    LabMessaggioGrande->setAlignment(Qt::AlignCenter);
    LabMessaggioGrande->setWordWrap(true);
    LabMessaggioPiccolo = createLabel(this, QStringLiteral("LabMessaggioPiccolo"), QString());
    LabMessaggioPiccolo->setAlignment(Qt::AlignCenter);
    LabMessaggioPiccolo->setWordWrap(true);
    sbControlla = createButton(this, QStringLiteral("sbControlla"), QStringLiteral("Controlla"),
                               QStringLiteral("Controlla versione"));
    sbScarica = createButton(this, QStringLiteral("sbScarica"), QStringLiteral("Scarica"),
                             QStringLiteral("Scarica versione"));
    sbScarica->setEnabled(false);
    sbEsci = createButton(this, QStringLiteral("sbEsci"), QString(), QStringLiteral("Esci senza salvare le modifiche"));
    sbEsci->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    ListURL = createNamed<QListWidget>(this, QStringLiteral("ListURL"));
    ListURL->setToolTip(QStringLiteral("Lista URL..."));
    ListURL->hide();
    Editurl = createNamed<QLineEdit>(this, QStringLiteral("Editurl"));
    Editurl->hide();

    auto *numeri = new QGridLayout;
    numeri->addWidget(Label1, 0, 0);
    numeri->addWidget(LabVerAttuale, 0, 1);
    numeri->addWidget(Label2, 1, 0);
    numeri->addWidget(LabVerInternet, 1, 1);
    numeri->setColumnStretch(1, 1);
    auto *pulsanti = new QHBoxLayout;
    pulsanti->addWidget(sbControlla);
    pulsanti->addWidget(sbScarica);
    pulsanti->addStretch();
    pulsanti->addWidget(sbEsci);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(numeri);
    layout->addSpacing(8);
    layout->addWidget(LabMessaggioGrande);
    layout->addWidget(LabMessaggioPiccolo);
    layout->addSpacing(8);
    layout->addLayout(pulsanti);
    setMinimumWidth(420);

    connect(sbControlla, &QPushButton::clicked, this, &TFrmControllaVersione::sbControllaClick);
    connect(sbScarica, &QPushButton::clicked, this, &TFrmControllaVersione::sbScaricaClick);
    connect(sbEsci, &QPushButton::clicked, this, &TFrmControllaVersione::sbEsciClick);

    TraduciEtichette();
    criterio = CriterioVersione();
    Editurl->setText(IndirizzoScaricamento());
    sbScarica->setToolTip(IndirizzoScaricamento());
}

TFrmControllaVersione::~TFrmControllaVersione()
{
    if (richiesta) {
        richiesta->disconnect(this);
        richiesta->interrompi();
    }
}

void TFrmControllaVersione::TraduciEtichette()
{
    TraduciSeTabellaLingua({this, Label1, Label2, sbScarica, sbControlla});
}

void TFrmControllaVersione::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Every message box closed activates the window again: the question belongs to the opening.
    if (attivato)
        return;
    attivato = true;
    // Asked once the window is on the screen, so that the question stands over it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            FormActivate();
    });
}

void TFrmControllaVersione::FormActivate()
{
    LabVerInternet->clear();
    LabVerAttuale->clear();
    LabMessaggioPiccolo->clear();
    LabMessaggioGrande->setStyleSheet(Nero);
    LabVerAttuale->setText(QString::number(NumeroBuild(QLatin1String(VersioneProdotto))));
    if (ChiediConferma(QStringLiteral("Per eseguire il controllo di evetuali nuove versioni bisogna essere connessi "
                                      "ad internet, continuo?")))
        sbControllaClick();
    else
        LabMessaggioGrande->clear();
}

void TFrmControllaVersione::sbControllaClick()
{
    if (richiesta)
        return;
    // Each check starts from nothing: the values of an earlier one do not count.
    pagine.clear();
    ListURL->clear();
    LabVerInternet->clear();
    LabMessaggioPiccolo->clear();
    sbScarica->setEnabled(false);
    LabMessaggioGrande->setStyleSheet(Nero);
    LabMessaggioGrande->setText(QStringLiteral("Controllo versione in corso..."));
    sbControlla->setEnabled(false);
    richiesta = servizioPagine()->richiedi(QUrl(IndirizzoControlloVersione()), this);
    connect(richiesta, &RichiestaPagina::conclusa, this, &TFrmControllaVersione::PaginaLetta);
}

void TFrmControllaVersione::PaginaLetta(RichiestaPagina::Esito esito, const QString &testo)
{
    if (richiesta) {
        richiesta->deleteLater();
        richiesta = nullptr;
    }
    QString motivo;
    switch (esito) {
    case RichiestaPagina::Esito::Riuscita:
        pagine.append(CorpoPagina(testo));
        break;
    case RichiestaPagina::Esito::Errore:
        motivo = QStringLiteral("Impossibile contattare il sito Brivo.");
        break;
    case RichiestaPagina::Esito::TempoScaduto:
        motivo = QStringLiteral("Il sito Brivo non risponde.");
        break;
    }
    QStringList valori;
    EstraiURLConCriterio(pagine, valori, criterio);
    ListURL->addItems(valori);
    MostraEsito(NumeroPubblicato(valori), motivo.isEmpty() ? QStringLiteral("Controllo non riuscito.") : motivo);
    sbControlla->setEnabled(true);
}

void TFrmControllaVersione::MostraEsito(int pubblicata, const QString &motivo)
{
    const int propria = NumeroBuild(QLatin1String(VersioneProdotto));
    switch (ConfrontaVersioni(propria, pubblicata)) {
    case VerdettoVersione::Nuova:
        LabVerInternet->setText(QString::number(pubblicata));
        LabMessaggioGrande->setStyleSheet(Verde);
        LabMessaggioGrande->setText(QStringLiteral("Disponibile una nuove versione!!"));
        LabMessaggioPiccolo->setText(QStringLiteral("Premi su scarica e chiudi il programma."));
        sbScarica->setEnabled(true);
        break;
    case VerdettoVersione::NessunaNuova:
        LabVerInternet->setText(QString::number(pubblicata));
        LabMessaggioGrande->setStyleSheet(Rosso);
        LabMessaggioGrande->setText(QStringLiteral("Nessuna nuova versione disponibile."));
        LabMessaggioPiccolo->setText(QStringLiteral("Impossibile scaricare la nuova versione."));
        break;
    case VerdettoVersione::NonDeterminabile:
        // A failure is not a result: no verdict, and the reason.
        LabVerInternet->clear();
        LabMessaggioGrande->setStyleSheet(Arancio);
        LabMessaggioGrande->setText(motivo);
        LabMessaggioPiccolo->setText(QStringLiteral("Impossibile trovare il numero di versione."));
        break;
    }
}

void TFrmControllaVersione::sbScaricaClick()
{
    sbScarica->setEnabled(false);
    ApriDocumento(Editurl->text());
}

void TFrmControllaVersione::sbEsciClick() { close(); }

void TFrmControllaVersione::done(int result)
{
    // Closing gives up a page still being read; the next opening asks again.
    if (richiesta) {
        richiesta->disconnect(this);
        richiesta->interrompi();
        richiesta->deleteLater();
        richiesta = nullptr;
    }
    sbControlla->setEnabled(true);
    attivato = false;
    QDialog::done(result);
}
