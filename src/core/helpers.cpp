#include "core/helpers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

QString Sinistra(const QString &testo, qsizetype n)
{
    // QString::left gives the whole text for a negative n: a negative count means nothing here.
    return n <= 0 ? QString() : testo.left(n);
}

QString Destra(const QString &testo, qsizetype n)
{
    return n <= 0 ? QString() : testo.right(n);
}

QChar PrimoCarattere(const QString &testo)
{
    return testo.isEmpty() ? QChar(0) : testo.front();
}

QChar UltimoCarattere(const QString &testo)
{
    return testo.isEmpty() ? QChar(0) : testo.back();
}

QString GiornoDi(const QDate &data)
{
    return QStringLiteral("%1").arg(data.day(), 2, 10, QLatin1Char('0'));
}

QString MeseDi(const QDate &data)
{
    return QStringLiteral("%1").arg(data.month(), 2, 10, QLatin1Char('0'));
}

QString AnnoDi(const QDate &data)
{
    return QString::number(data.year());
}

QString GiornoOggi() { return GiornoDi(QDate::currentDate()); }
QString MeseOggi() { return MeseDi(QDate::currentDate()); }
QString AnnoOggi() { return AnnoDi(QDate::currentDate()); }

namespace {
// One spelling for a path, so that "a/../b", a relative path, or a link name the same file as the
// plain absolute path. A destination that does not exist yet is resolved through its folder.
QString percorsoNormale(const QString &percorso)
{
    const QFileInfo info(percorso);
    QString normale = info.canonicalFilePath();
    if (normale.isEmpty()) {
        const QString cartella = info.absoluteDir().canonicalPath();
        normale = cartella.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                     : cartella + QLatin1Char('/') + info.fileName();
    }
    return normale;
}

// Two names of one file, hard links included: the same device and file number.
bool stessaIdentita(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    auto identita = [](const QString &percorso, BY_HANDLE_FILE_INFORMATION &info) {
        const HANDLE h = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(percorso).utf16()), 0,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        const bool ok = GetFileInformationByHandle(h, &info) != 0;
        CloseHandle(h);
        return ok;
    };
    BY_HANDLE_FILE_INFORMATION ia{}, ib{};
    return identita(a, ia) && identita(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
#else
    struct stat sa {}, sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#endif
}

bool stessoFile(const QString &a, const QString &b)
{
    if (stessaIdentita(a, b))
        return true;
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity sensibilita = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity sensibilita = Qt::CaseSensitive;
#endif
    return percorsoNormale(a).compare(percorsoNormale(b), sensibilita) == 0;
}
} // namespace

bool CopiaFile(const QString &origine, const QString &destinazione)
{
    if (origine.isEmpty() || destinazione.isEmpty() || stessoFile(origine, destinazione))
        return false;

    QFile sorgente(origine);
    if (!sorgente.open(QIODevice::ReadOnly))
        return false;

    QFile copia(destinazione);
    if (!copia.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;

    constexpr qint64 dimensioneBlocco = 2048;
    char blocco[dimensioneBlocco];
    bool riuscita = true;
    for (;;) {
        const qint64 letti = sorgente.read(blocco, dimensioneBlocco);
        if (letti < 0) {
            riuscita = false;
            break;
        }
        if (letti == 0)
            break;
        if (copia.write(blocco, letti) != letti) {
            riuscita = false;
            break;
        }
    }
    // Everything must be on disk before the time is set, or closing would touch it again.
    if (riuscita)
        riuscita = copia.flush();
    if (!riuscita) {
        copia.close();
        copia.remove();
        return false;
    }

    AvvisaOsservatoreDisco(PassoDisco::Scritto, destinazione);
    copia.setFileTime(sorgente.fileTime(QFileDevice::FileModificationTime),
                      QFileDevice::FileModificationTime);
    copia.close();
    // Only the file's own bits: the "user" ones say what this process may do, and handing them
    // on would, for instance, make the copy writable when the administrator copies a read-only file.
    constexpr QFileDevice::Permissions bitsDelFile =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
        | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    QFile::setPermissions(destinazione, sorgente.permissions() & bitsDelFile);
    return true;
}

std::function<void(PassoDisco, const QString &, const QString &)> &OsservatoreDisco()
{
    static std::function<void(PassoDisco, const QString &, const QString &)> osservatore;
    return osservatore;
}

void AvvisaOsservatoreDisco(PassoDisco passo, const QString &percorso, const QString &nuovoNome)
{
    if (OsservatoreDisco())
        OsservatoreDisco()(passo, percorso, nuovoNome);
}
