#include "utilities/stileutilita.h"

#include "ui/namedwidgets.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>

namespace {
QLabel *colorata(QWidget *parent, const char *nome, const QString &testo, const char *colore)
{
    QLabel *l = createLabel(parent, QLatin1String(nome), testo, true);
    l->setStyleSheet(QStringLiteral("color: %1;").arg(QLatin1String(colore)));
    return l;
}
} // namespace

QLabel *creaLabelWork(QWidget *parent)
{
    QLabel *l = colorata(parent, "LabelWork", QStringLiteral("Operazione in corso, attendere..."), "red");
    l->hide();
    return l;
}

QLabel *creaLabelDone(QWidget *parent, const QString &testo)
{
    QLabel *l = colorata(parent, "LabelDone", testo, "green");
    l->hide();
    return l;
}

QLabel *creaContatore(QWidget *parent, const char *nome, bool verde)
{
    return colorata(parent, nome, QStringLiteral("0"), verde ? "green" : "red");
}

void impostaFinestraUtilita(QDialog *form, const char *nome, const QString &titolo)
{
    form->setObjectName(QLatin1String(nome));
    form->setWindowTitle(titolo);
    form->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

Resoconto::Resoconto(QWidget *parent)
    : LabelTitoloResoconto(createLabel(parent, QStringLiteral("LabelTitoloResoconto"),
                                       QStringLiteral("Resoconto dei file da copiare:"), true)),
      Label3(createLabel(parent, QStringLiteral("Label3"), QStringLiteral("Copiati:"))),
      LabelCopiati(creaContatore(parent, "LabelCopiati", true)),
      Label4(createLabel(parent, QStringLiteral("Label4"), QStringLiteral("Non copiati:"))),
      LabelConErrore(creaContatore(parent, "LabelConErrore", false))
{
}

void Resoconto::mostra(int copiati, int nonCopiati) const
{
    LabelCopiati->setText(QLocale().toString(copiati));
    LabelConErrore->setText(QLocale().toString(nonCopiati));
}

QGridLayout *Resoconto::disponi(QLabel *labelWork, QLabel *labelDone) const
{
    auto *g = new QGridLayout;
    g->addWidget(LabelTitoloResoconto, 0, 0, 1, 2);
    g->addWidget(Label3, 1, 0);
    g->addWidget(LabelCopiati, 1, 1);
    g->addWidget(Label4, 2, 0);
    g->addWidget(LabelConErrore, 2, 1);
    g->setRowStretch(3, 1);
    g->addWidget(labelWork, 4, 0, 1, 2);
    g->addWidget(labelDone, 5, 0, 1, 2);
    return g;
}
