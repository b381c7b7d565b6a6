#include "ui/inputbox.h"

#include "ui/namedwidgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
std::function<QString(const QString &, const QString &, const QString &)> &backend()
{
    static std::function<QString(const QString &, const QString &, const QString &)> b;
    return b;
}

QString Finestra(const QString &titolo, const QString &richiesta, const QString &predefinito)
{
    QDialog box;
    box.setObjectName(QStringLiteral("InputBox"));
    box.setWindowTitle(titolo);
    auto *etichetta = createLabel(&box, QStringLiteral("Prompt"), richiesta);
    auto *testo = createNamed<QLineEdit>(&box, QStringLiteral("Value"));
    testo->setText(predefinito);
    testo->setMinimumWidth(300);
    auto *pulsanti = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    pulsanti->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    QObject::connect(pulsanti, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(pulsanti, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    auto *v = new QVBoxLayout(&box);
    v->addWidget(etichetta);
    v->addWidget(testo);
    v->addWidget(pulsanti);
    return box.exec() == QDialog::Accepted ? testo->text() : predefinito;
}
} // namespace

QString InputBox(const QString &titolo, const QString &richiesta, const QString &predefinito)
{
    return backend() ? backend()(titolo, richiesta, predefinito) : Finestra(titolo, richiesta, predefinito);
}

void setInputBoxBackend(std::function<QString(const QString &, const QString &, const QString &)> b)
{
    backend() = std::move(b);
}
