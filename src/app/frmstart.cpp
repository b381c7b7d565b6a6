#include "app/frmstart.h"

#include "app/artwork.h"
#include "app/frmabout.h"
#include "core/cartella.h"
#include "core/configurazione.h"
#include "ui/clickablelabel.h"
#include "ui/traduzione.h"

#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

TfrmStart *frmStart = nullptr;

TfrmStart::TfrmStart(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmStart"));
    setFixedSize(280, 317);

    auto *logo = new ClickableLabel(this);
    logo->setObjectName(QStringLiteral("ImageLogo"));
    logo->setPixmap(DisegnoPallavolo(QSize(280, 270)));
    logo->setAlignment(Qt::AlignCenter);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    Label1 = new QLabel(QStringLiteral("Caricamento in corso, attendere.."), panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(Label1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(logo);
    layout->addWidget(panel);

    TimerStart = new QTimer(this);
    TimerStart->setObjectName(QStringLiteral("TimerStart"));
    TimerStart->setInterval(10000);
    TimerStart->setSingleShot(false);
    connect(TimerStart, &QTimer::timeout, this, &TfrmStart::TimerStartTimer);
    connect(logo, &ClickableLabel::clicked, this, &TfrmStart::ImageLogoClick);

    setWindowTitle(QStringLiteral("Caricamento ") + (FrmAbout ? FrmAbout->LabelPrg->text() : QStringLiteral("Brivo_Rotaset")));
    if (QFileInfo::exists(CartellaProgramma() + QStringLiteral("lingua.db")))
        TraduciControlli({Label1});
    // A longer translation of the waiting line widens the splash instead of losing both ends.
    const int riga = Label1->sizeHint().width() + panelLayout->contentsMargins().left() +
                     panelLayout->contentsMargins().right() + 2 * panel->frameWidth();
    if (riga > width())
        setFixedSize(riga, height());
}

void TfrmStart::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    TimerStart->start();
}

void TfrmStart::TimerStartTimer()
{
    TimerStart->stop();
    if (parentWidget())
        parentWidget()->setVisible(true);
    accept();
}

// A click on the splash only ends the wait: it starts no program.
void TfrmStart::ImageLogoClick() { TimerStartTimer(); }
