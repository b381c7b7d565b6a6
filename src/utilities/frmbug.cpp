#include "utilities/frmbug.h"

#include "core/configurazione.h"
#include "core/shell.h"
#include "ui/clickablelabel.h"
#include "ui/namedwidgets.h"
#include "utilities/traduzioneutilita.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmBug::TfrmBug(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBug"));
    setWindowTitle(QStringLiteral("Segnalazione bug al team Brivo"));
    setToolTip(QStringLiteral("Form per la segnalazione bug"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label4 = createLabel(this, QStringLiteral("Label4"), QStringLiteral("Il tuo supporto aiuta a migliorare i software Brivo"),
                         true);
    Label1 = createLabel(this, QStringLiteral("Label1"),
                         QStringLiteral("Premi su 'segnala' per inoltrarci la segnalazione dell'errore:"));
    ButSegnala = createButton(this, QStringLiteral("ButSegnala"), QStringLiteral("Segnala"));
    ButEsci = createButton(this, QStringLiteral("ButEsci"), QStringLiteral("Esci"));
    Label2 = createLabel(this, QStringLiteral("Label2"),
                         QStringLiteral("Le risposte ai bug già segnalati sono visibli sulla sezione"));
    Label3 = createLabel(this, QStringLiteral("Label3"), QStringLiteral("forum del nostro sito internet"));
    lblLink = createLinkLabel(this, QStringLiteral("lblLink"), QLatin1String(IndirizzoSitoBrivo),
                              QStringLiteral("Vai al sito"));

    auto *segnala = new QHBoxLayout;
    segnala->addWidget(Label1, 1);
    segnala->addWidget(ButSegnala);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label4, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addLayout(segnala);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(lblLink, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(ButEsci, 0, Qt::AlignRight);

    connect(ButSegnala, &QPushButton::clicked, this, &TfrmBug::ButSegnalaClick);
    connect(ButEsci, &QPushButton::clicked, this, &TfrmBug::ButEsciClick);
    connect(lblLink, &ClickableLabel::clicked, this, &TfrmBug::lblLinkClick);
    TraduciEtichette();
}

void TfrmBug::TraduciEtichette()
{
    TraduciSeTabellaLingua({this, Label4, Label1, Label2, Label3, ButSegnala, ButEsci});
}

void TfrmBug::ButSegnalaClick()
{
    InviaMail(QLatin1String(MailSupportoBrivo),
              QStringLiteral("Bug: ") + QLatin1String(NomeProdotto) + QStringLiteral(", ") +
                  QLatin1String(VersioneProdotto),
              QStringLiteral("Di seguito la segnalzione del bug:"));
}

void TfrmBug::ButEsciClick() { close(); }

void TfrmBug::lblLinkClick() { ApriDocumento(QLatin1String(IndirizzoSitoBrivo)); }
