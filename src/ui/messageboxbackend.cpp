#include "ui/messageboxbackend.h"

#include "core/attesa.h"
#include "core/shell.h"
#include "ui/desktopshell.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>

// Every box shown, for whoever watches the program's log (off unless the logging rules enable it).
Q_LOGGING_CATEGORY(lcMessaggi, "rotaset.messaggi", QtWarningMsg)

bool MessageBoxBackend::show(const Messaggio &m)
{
    qCInfo(lcMessaggi, "%s: %s", qPrintable(m.titolo), qPrintable(m.testo));
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (m.icona) {
    case IconaMessaggio::Informazione:
        icon = QMessageBox::Information;
        break;
    case IconaMessaggio::Attenzione:
        icon = QMessageBox::Warning;
        break;
    case IconaMessaggio::Errore:
        icon = QMessageBox::Critical;
        break;
    case IconaMessaggio::Domanda:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox box(icon, m.titolo, m.testo, m.siNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    if (m.siNo && m.noPredefinito)
        box.setDefaultButton(QMessageBox::No);
    // The hourglass of a long operation must not stand over a question.
    const bool overridden = QApplication::overrideCursor() != nullptr;
    if (overridden)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (overridden)
        QApplication::restoreOverrideCursor();
    return m.siNo ? answer == QMessageBox::Yes : true;
}

void InstallaServiziInterfaccia()
{
    static MessageBoxBackend boxes;
    static DesktopShell shell;
    setMessageBackend(&boxes);
    setShellBackend(&shell);
    setWaitCursorBackend([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}
