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
    const QString programma = parti.takeFirst();
    return EseguiEAttendi(programma, parti);
}

int EseguiEAttendi(const QString &programma, const QStringList &argomenti, QString *uscita)
{
    QProcess processo;
    processo.setProgram(programma);
    processo.setArguments(argomenti);
    // Without a caller that reads it, the output goes where ours goes, as for a program started
    // from a console: nothing piles up in memory. A program that reads its input finds it empty
    // instead of waiting forever.
    processo.setProcessChannelMode(uscita ? QProcess::MergedChannels : QProcess::ForwardedChannels);
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
    if (uscita)
        *uscita = QString::fromLocal8Bit(processo.readAll()).trimmed();
    return processo.exitCode();
}
