#include "core/copiaatomica.h"

#include "core/helpers.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

void SincronizzaCartella(const QString &cartella)
{
#ifndef _WIN32
    const int fd = ::open(QFile::encodeName(cartella).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(cartella);
#endif
}

bool ScriviSuDisco(const QString &percorso)
{
#ifndef _WIN32
    const int fd = ::open(QFile::encodeName(percorso).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (ok)
        AvvisaOsservatoreDisco(PassoDisco::SuDisco, percorso);
    return ok;
#else
    QFile f(percorso);
    return f.open(QIODevice::ReadWrite) && f.flush();
#endif
}

std::optional<QString> CopiaAccanto(const QString &origine, const QString &destinazione, const QString &suffisso)
{
    const QFileInfo info(destinazione);
    const QString temporaneo = info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName() + suffisso;
    if (QFileInfo(temporaneo).isDir())
        return std::nullopt;
    if (!CopiaFile(origine, temporaneo))
        return std::nullopt;
    if (!ScriviSuDisco(temporaneo)) {
        QFile::remove(temporaneo);
        return std::nullopt;
    }
    return temporaneo;
}

bool SpostaSopra(const QString &da, const QString &a, bool sincronizza)
{
    if (QFileInfo(a).isDir())
        return false; // rename() would replace an empty folder
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(da).toStdString(), QFile::encodeName(a).toStdString(), ec);
    if (ec)
        return false;
    AvvisaOsservatoreDisco(PassoDisco::Spostato, da, a);
    if (sincronizza)
        SincronizzaCartella(QFileInfo(a).absolutePath());
    return true;
}

bool CollegaFile(const QString &esistente, const QString &nuovoNome)
{
    std::error_code ec;
    std::filesystem::create_hard_link(QFile::encodeName(esistente).toStdString(),
                                      QFile::encodeName(nuovoNome).toStdString(), ec);
    return !ec;
}

bool CopiaFileAtomica(const QString &origine, const QString &destinazione, bool sincronizza)
{
    const std::optional<QString> temporaneo = CopiaAccanto(origine, destinazione, QStringLiteral(".copia"));
    if (!temporaneo)
        return false;
    if (!SpostaSopra(*temporaneo, destinazione, sincronizza)) {
        QFile::remove(*temporaneo);
        return false;
    }
    return true;
}
