#include "core/copiaatomica.h"

#include "core/helpers.h"

#include <QDir>
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

QString CopiaAccanto(const QString &origine, const QString &destinazione, const QString &suffisso)
{
    const QFileInfo info(destinazione);
    const QString temporaneo = info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName() + suffisso;
    if (QFileInfo(temporaneo).isDir())
        return QString();
    if (!CopiaFile(origine, temporaneo))
        return QString();
    if (!ScriviSuDisco(temporaneo)) {
        QFile::remove(temporaneo);
        return QString();
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
    const QString temporaneo = CopiaAccanto(origine, destinazione, QStringLiteral(".copia"));
    if (temporaneo.isEmpty())
        return false;
    if (!SpostaSopra(temporaneo, destinazione, sincronizza)) {
        QFile::remove(temporaneo);
        return false;
    }
    return true;
}

bool CompletaRecuperoInterrotto(const QString &cartella)
{
    QDir dir(cartella);
    const QString segno = dir.filePath(QLatin1String(SegnoRecuperoInCorso));
    const QString suffissoCopia = QLatin1String(SuffissoCopiaRecupero);
    const QStringList copie =
        dir.entryList({QLatin1Char('*') + suffissoCopia}, QDir::Files | QDir::Hidden | QDir::System);
    const bool interrotto = QFileInfo(segno).isFile();
    bool annullato = false;
    if (interrotto) {
        QFile f(segno);
        annullato = f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == ContenutoRecuperoAnnullato;
    }
    const QString suffissoSicurezza = QLatin1String(SuffissoCopiaSicurezza);
    auto sicurezza = [&] {
        return dir.entryList({QLatin1Char('*') + suffissoSicurezza}, QDir::Files | QDir::Hidden | QDir::System);
    };
    if (annullato) {
        // The live tables back under their names; a name that is a second link to its table is
        // left as it stands by the rename, and the safety name removed below.
        for (const QString &s : sicurezza())
            if (s.startsWith(QLatin1Char('.')))
                SpostaSopra(dir.filePath(s), dir.filePath(s.mid(1, s.size() - 1 - suffissoSicurezza.size())), false);
    }
    for (const QString &copia : copie) {
        if (!copia.startsWith(QLatin1Char('.')) || copia == QLatin1String(SegnoRecuperoInCorso))
            continue;
        if (!interrotto || annullato) {
            dir.remove(copia);
            continue;
        }
        const QString tabella = copia.mid(1, copia.size() - 1 - suffissoCopia.size());
        const QString giornale = tabella + QStringLiteral("-journal");
        if (QFileInfo::exists(dir.filePath(giornale)))
            SpostaSopra(dir.filePath(giornale),
                        dir.filePath(QLatin1Char('.') + giornale + QLatin1String(SuffissoCopiaSicurezza)), false);
        SpostaSopra(dir.filePath(copia), dir.filePath(tabella), false);
    }
    if (!interrotto)
        return false;
    for (const QString &s : sicurezza())
        if (s.startsWith(QLatin1Char('.')))
            dir.remove(s);
    SincronizzaCartella(cartella);
    QFile::remove(segno);
    SincronizzaCartella(cartella);
    return !annullato;
}
