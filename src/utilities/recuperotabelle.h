// The restore's work, apart from its form: which files of a backup come back, and putting them in
// the program folder all together or not at all. The caller holds the tables handed over
// (store::ConsegnaTabelle) while it runs.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The program's tables among a backup's files, by their names whatever the case, each table once
// (a second copy under another case would undo the first); any other file is passed over.
QStringList TabelleDaRecuperare(const QStringList &fileBackup);

// A restore swaps the program folder's tables for a backup's one at a time. The mark below stands in
// the folder from the moment every restored copy (".<table>.recupero") is on disk until the last
// one is in place; the live tables meanwhile keep a safety copy (".<table>.sicurezza").
inline constexpr const char *SegnoRecuperoInCorso = ".recupero-in-corso";
// What the mark holds while a restore that failed half way puts the live tables back (empty while
// the restore goes forward).
inline constexpr const char *ContenutoRecuperoAnnullato = "annullato";
inline constexpr const char *SuffissoCopiaRecupero = ".recupero";
inline constexpr const char *SuffissoCopiaSicurezza = ".sicurezza";

struct EsitoRecupero {
    bool riuscito = false;
    int copiati = 0;
    int nonCopiati = 0;
    QString errore; // the message to show when the restore did not succeed; nothing was restored
};

// Every table is first checked, then copied beside the live one under a temporary name; only when
// all copies are there (and the mark of a restore in progress stands) does each live table get a
// safety copy and the restored one is renamed over it, so a table's name always holds a complete
// table. Any failure puts every live table back as it was. origine ends with a separator; passo is
// called before each file's work.
EsitoRecupero RecuperaTabelle(const QStringList &tabelle, const QString &origine,
                              const std::function<void()> &passo = {});

// At start, before any table is opened. When the mark stands, a restore was interrupted between two
// tables: each restored copy still waiting is put in place (a journal of the table it replaces is
// set aside first, so it is never played into the restored file), and the safety copies and the
// mark are removed, so the folder holds the whole backup and never half of it. When the mark says
// the restore was being undone, each safety copy goes back under its name instead (a journal's
// too) and the restored copies are removed, so the folder holds the tables as they were. Without
// the mark, restored copies left by a restore interrupted before its first swap are removed. True
// when an interrupted restore was completed (an undone one is finished without a word).
bool CompletaRecuperoInterrotto(const QString &cartella);
