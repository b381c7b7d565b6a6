#include "app/frmabout.h"

#include "app/artwork.h"
#include "core/configurazione.h"
#include "core/shell.h"
#include "ui/clickablelabel.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFrmAbout *FrmAbout = nullptr;

TFrmAbout::TFrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmAbout"));
    setWindowTitle(QStringLiteral("About"));

    LabelTitolo = createLabel(this, QLatin1String("LabelTitolo"), QStringLiteral("Informazioni sul programma"));
    QFont bold = LabelTitolo->font();
    bold.setBold(true);
    LabelTitolo->setFont(bold);
    LabelPrg = createLabel(this, QLatin1String("LabelPrg"), QLatin1String(NomeProdotto));
    QFont big = LabelPrg->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    LabelPrg->setFont(big);
    LabelPrg->setStyleSheet(QStringLiteral("color: #1f3fbf;"));
    LabelTitolo2 = createLabel(this, QLatin1String("LabelTitolo2"), QStringLiteral("Software specifico per la pallavolo"));
    LabelNomeVersione = createLabel(this, QLatin1String("LabelNomeVersione"), QStringLiteral("Versione"));
    LabelVers = createLabel(this, QLatin1String("LabelVers"), QLatin1String(VersioneProdotto));
    auto *picture = createLabel(this, QLatin1String("Image1"), QString());
    picture->setPixmap(DisegnoPallavolo(QSize(220, 150)));
    LabelTitolo3 = createLabel(this, QLatin1String("LabelTitolo3"), QStringLiteral("E' un prodotto Brivo"));
    auto *lblLink = createLinkLabel(this, QStringLiteral("lblLink"), QString::fromLatin1(IndirizzoSitoBrivo));
    auto *label13 = createLinkLabel(this, QStringLiteral("Label13"), QString::fromLatin1(MailSupportoBrivo));
    sbEsci = new QPushButton(QStringLiteral("Esci"), this);
    sbEsci->setObjectName(QStringLiteral("sbEsci"));
    sbEsci->setToolTip(QStringLiteral("Esci da questa maschera senza salvare le modifiche"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(LabelTitolo);
    layout->addWidget(LabelPrg, 0, Qt::AlignHCenter);
    layout->addWidget(LabelTitolo2, 0, Qt::AlignHCenter);
    auto *version = new QHBoxLayout;
    version->addStretch();
    version->addWidget(LabelNomeVersione);
    version->addWidget(LabelVers);
    version->addStretch();
    layout->addLayout(version);
    layout->addWidget(picture, 0, Qt::AlignHCenter);
    layout->addWidget(LabelTitolo3, 0, Qt::AlignHCenter);
    layout->addWidget(lblLink, 0, Qt::AlignHCenter);
    layout->addWidget(label13, 0, Qt::AlignHCenter);
    layout->addWidget(sbEsci, 0, Qt::AlignRight);

    connect(sbEsci, &QPushButton::clicked, this, &TFrmAbout::sbEsciClick);
    connect(lblLink, &ClickableLabel::clicked, this, &TFrmAbout::lblLinkClick);
    connect(label13, &ClickableLabel::clicked, this, &TFrmAbout::Label13Click);
    TraduciEtichette();
}

void TFrmAbout::TraduciEtichette()
{
    TraduciControlli({LabelTitolo, LabelTitolo2, LabelNomeVersione, LabelTitolo3, sbEsci});
}

void TFrmAbout::sbEsciClick() { close(); }

void TFrmAbout::lblLinkClick() { ApriDocumento(QString::fromLatin1(IndirizzoSitoBrivo)); }

void TFrmAbout::Label13Click()
{
    InviaMail(QString::fromLatin1(MailSupportoBrivo),
              QStringLiteral("Inf: ") + LabelPrg->text() + QStringLiteral(", ") + LabelVers->text(),
              QStringLiteral("Vorrei ricevere informazioni in più per quanto riguarda:"));
}
