#include "utilities/inputdate.h"

#include "ui/namedwidgets.h"
#include "utilities/esportazione.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TInputDate::TInputDate(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("InputDate"));
    setWindowTitle(QStringLiteral("Definire un periodo"));
    auto *l1 = createLabel(this, QStringLiteral("Label1"), QStringLiteral("&data inizio:"));
    EDdaData = createNamed<QLineEdit>(this, QStringLiteral("EDdaData"));
    auto *l2 = createLabel(this, QStringLiteral("Label2"), QStringLiteral("&data fine:"));
    EDaData = createNamed<QLineEdit>(this, QStringLiteral("EDaData"));
    l1->setBuddy(EDdaData);
    l2->setBuddy(EDaData);
    EDdaData->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    EDaData->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    EDdaData->installEventFilter(this);
    EDaData->installEventFilter(this);
    BTannulla = createButton(this, QStringLiteral("BTannulla"), QStringLiteral("&Annulla"));
    BTok = createButton(this, QStringLiteral("BTok"), QStringLiteral("OK"));
    BTok->setDefault(true);
    BTok->setAutoDefault(true);
    connect(BTannulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(BTok, &QPushButton::clicked, this, &TInputDate::OKClick);

    auto *g = new QGridLayout(this);
    g->addWidget(l1, 0, 0);
    g->addWidget(EDdaData, 0, 1);
    g->addWidget(l2, 0, 2);
    g->addWidget(EDaData, 0, 3);
    auto *pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(BTannulla);
    pulsanti->addWidget(BTok);
    g->addLayout(pulsanti, 1, 0, 1, 4);
    resize(497, 86);
}

QString TInputDate::dataInizio() const { return EDdaData->text(); }
QString TInputDate::dataFine() const { return EDaData->text(); }

bool TInputDate::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Leaving a side empty leaves it open.
    if (evento->type() == QEvent::FocusOut) {
        if (oggetto == EDdaData && EDdaData->text().trimmed().isEmpty())
            EDdaData->setText(InizioPeriodoAperto);
        else if (oggetto == EDaData && EDaData->text().trimmed().isEmpty())
            EDaData->setText(FinePeriodoAperto);
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TInputDate::OKClick()
{
    if (EDaData->text().trimmed().isEmpty())
        EDaData->setText(FinePeriodoAperto);
    accept();
}
