#include "utilities/lavorolungo.h"

#include <QCloseEvent>

#include <QCoreApplication>
#include <QLabel>

LavoroLungo::LavoroLungo(bool &flag, QLabel *work, QLabel *done, const QList<QWidget *> &controlli)
    : inCorso(flag), labelWork(work)
{
    inCorso = true;
    for (QWidget *w : controlli) {
        comandi.append({w, w->isEnabled()});
        w->setEnabled(false);
    }
    if (done)
        done->hide();
    if (labelWork)
        labelWork->show();
    passo();
}

LavoroLungo::~LavoroLungo()
{
    if (labelWork)
        labelWork->hide();
    for (const auto &[w, abilitato] : comandi)
        if (w)
            w->setEnabled(abilitato);
    inCorso = false;
}

void LavoroLungo::passo() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

void FormUtilita::sbEsciClick()
{
    if (!lavoro)
        accept();
}

void FormUtilita::reject()
{
    if (!lavoro)
        QDialog::reject();
}

void FormUtilita::closeEvent(QCloseEvent *event)
{
    if (lavoro)
        event->ignore();
    else
        QDialog::closeEvent(event);
}
