// Whether a file anywhere is one of the program's tables: a SQLite file that opens read-only, holds
// the table "dati" and passes the integrity check. Restore checks every file of a backup with it
// before anything is replaced, and the rebuild utility checks each table before and after its work.
#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace store {

struct EsitoVerifica {
    bool valida = false;
    QString motivo;  // why the file is not a readable table, for the message that names it
    qint64 righe = 0; // the rows of "dati" when valid
};

// Opens the file read-only on a connection of its own (the program's connection is not touched).
EsitoVerifica VerificaTabella(const QString &percorso);
// The same check on a connection already open on the file (as "main").
EsitoVerifica VerificaConnessione(sqlite3 *connessione);

// Files that only the engine's own work leaves beside a table and that belong to no backup: the
// rollback journals (name + "-journal", the super-journals "-mj..."), the write-ahead files, the
// temporary table of a restructure (name + "APPOGGIO" + extension) and of the rebuild utility
// (name + SuffissoRicostruzione).
bool EFileTransitorio(const QString &nomeFile);
inline constexpr const char *SuffissoRicostruzione = ".ricostruzione";

// The file names of the program's tables, as they are declared.
QStringList NomiTabelle();

} // namespace store
