#include "ui/desktopshell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

bool DesktopShell::openUrl(const QUrl &url)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    // xdg-open may wait for the program it starts: it is not waited for. It ends with a non-zero
    // code when nothing could open the address; a program still running at exit is left running.
    auto *processo = new QProcess;
    processo->setProgram(opener);
    processo->setArguments({url.isLocalFile() ? url.toLocalFile() : QString::fromLatin1(url.toEncoded())});
    processo->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(processo, &QProcess::finished, processo, [processo, url](int codice, QProcess::ExitStatus stato) {
        processo->deleteLater();
        if (stato != QProcess::NormalExit || codice != 0)
            AvvisaNonAperto(url);
    });
    QObject::connect(processo, &QProcess::errorOccurred, processo, [processo, url](QProcess::ProcessError errore) {
        if (errore != QProcess::FailedToStart)
            return;
        processo->deleteLater();
        AvvisaNonAperto(url);
    });
    processo->start();
    return true;
#else
    return QDesktopServices::openUrl(url);
#endif
}
