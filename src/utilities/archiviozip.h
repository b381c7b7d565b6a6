// Packing a backup folder into a ZIP archive with libzip: the folder's files without folder names,
// written under a temporary name and renamed over the archive only when complete, so that the
// archive never mixes two backups nor stays half written.
#pragma once

#include <QString>
#include <QStringList>

// The archive for the maker: program folder + "backup/dati_" + product name + ".zip".
QString PercorsoArchivio();

struct EsitoArchivio {
    bool creato = false;
    QString errore; // why it was not created; the earlier archive is left as it was
};

// Packs the named files of the folder into the archive.
EsitoArchivio CreaArchivio(const QString &archivio, const QString &cartella, const QStringList &file);
