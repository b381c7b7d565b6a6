#include "utilities/archiviozip.h"

#include "core/configurazione.h"
#include "core/copiaatomica.h"
#include "utilities/cartellebackup.h"

#include <QFile>
#include <QFileInfo>
#include <zip.h>

QString PercorsoArchivio() { return CartellaBackup() + QStringLiteral("dati_%1.zip").arg(QLatin1String(NomeProdotto)); }

namespace {
QString testoErrore(int codice)
{
    zip_error_t e;
    zip_error_init_with_code(&e, codice);
    const QString testo = QString::fromUtf8(zip_error_strerror(&e));
    zip_error_fini(&e);
    return testo;
}
} // namespace

EsitoArchivio CreaArchivio(const QString &archivio, const QString &cartella, const QStringList &file)
{
    const auto fallito = [](const QString &errore) { return EsitoArchivio{false, errore}; };
    if (file.isEmpty())
        return fallito(QStringLiteral("il backup non contiene file")); // libzip writes no file for an archive without entries
    const QFileInfo info(archivio);
    const QString temporaneo = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".parziale");
    if (QFileInfo(temporaneo).isDir() || (QFileInfo::exists(temporaneo) && !QFile::remove(temporaneo)))
        return fallito(QStringLiteral("impossibile scrivere il file \"%1\"").arg(temporaneo));
    int codice = 0;
    zip_t *zip = zip_open(QFile::encodeName(temporaneo).constData(), ZIP_CREATE | ZIP_TRUNCATE, &codice);
    if (!zip)
        return fallito(testoErrore(codice));
    // The archive's own message, read before the archive is discarded with its partial file.
    const auto abbandona = [&](const QString &prima, zip_source_t *sorgente = nullptr) {
        const QString errore = prima + QString::fromUtf8(zip_strerror(zip));
        if (sorgente)
            zip_source_free(sorgente);
        zip_discard(zip);
        QFile::remove(temporaneo);
        return fallito(errore);
    };
    for (const QString &nome : file) {
        const QString percorso = cartella + nome;
        zip_source_t *sorgente = zip_source_file(zip, QFile::encodeName(percorso).constData(), 0, -1);
        if (!sorgente)
            return abbandona(percorso + QStringLiteral(": "));
        if (zip_file_add(zip, nome.toUtf8().constData(), sorgente, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0)
            return abbandona(percorso + QStringLiteral(": "), sorgente);
    }
    if (zip_close(zip) < 0)
        return abbandona(QString());
    if (!ScriviSuDisco(temporaneo) || !SpostaSopra(temporaneo, archivio)) {
        QFile::remove(temporaneo);
        return fallito(QStringLiteral("impossibile sostituire il file \"%1\"").arg(archivio));
    }
    return {true, QString()};
}
