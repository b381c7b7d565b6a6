#include "utilities/stileutilita.h"

#include "ui/namedwidgets.h"

#include <QDialog>
#include <QLabel>

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
