#include "core/processo.h"

#include <QProcess>
#include <QStringList>

ErroreProcesso::ErroreProcesso(const QString &messaggio)
    : std::runtime_error(messaggio.toStdString()), testo(messaggio)
{
}

int EseguiEAttendi(const QString &rigaDiComando)
{
    QStringList parti = QProcess::splitCommand(rigaDiComando);
    if (parti.isEmpty())
        throw ErroreProcesso(QString::fromLatin1(ErroreAvvioProcesso));

    QProcess processo;
    processo.setProgram(parti.takeFirst());
    processo.setArguments(parti);
    // The output goes where ours goes, as for a program started from a console: nothing piles up
    // in memory, and a program that reads its input finds it empty instead of waiting forever.
    processo.setProcessChannelMode(QProcess::ForwardedChannels);
    processo.setStandardInputFile(QProcess::nullDevice());

    processo.start();
    if (!processo.waitForStarted(-1))
        throw ErroreProcesso(QString::fromLatin1(ErroreAvvioProcesso));

    processo.waitForFinished(-1);
    if (processo.state() != QProcess::NotRunning) {
        // The wait gave up while the program still runs: do not leave it behind.
        processo.kill();
        processo.waitForFinished(-1);
        throw ErroreProcesso(QString::fromLatin1(ErroreAttesaProcesso));
    }
    if (processo.exitStatus() == QProcess::CrashExit)
        throw ErroreProcesso(QString::fromLatin1(ErroreCodiceUscita));
    return processo.exitCode();
}
