// File copies that never leave a half-written file under the target's name: the copy is made under
// a temporary name beside the target, forced to disk, and renamed over the target in one step, so
// the target holds either its earlier complete content or the new complete one.
#pragma once

#include <QString>

// CopiaFile to a temporary name beside the target, then the rename over it. False (the target
// untouched, the temporary file removed) when any step fails. Several copies into one folder may
// leave the folder's own flush to one SincronizzaCartella at the end.
bool CopiaFileAtomica(const QString &origine, const QString &destinazione, bool sincronizza = true);

// The first half: the copy under the hidden name "." + target name + suffix in the target's folder,
// on disk. Returns that path, or an empty text (nothing left behind) on failure.
QString CopiaAccanto(const QString &origine, const QString &destinazione, const QString &suffisso);

// Renames a file over another in one step and forces the folder to disk (unless told not to, when
// the caller flushes the folder once after several renames). False when it failed.
bool SpostaSopra(const QString &da, const QString &a, bool sincronizza = true);
// Gives a file a second name (a hard link) in the same folder; false where that cannot be done.
bool CollegaFile(const QString &esistente, const QString &nuovoNome);
// Forces a folder's entries (names made, renamed, removed) to disk.
void SincronizzaCartella(const QString &cartella);

// Forces a file's content to disk; false when it cannot be opened or flushed.
bool ScriviSuDisco(const QString &percorso);

// A restore swaps the program folder's tables for a backup's one at a time. The mark below stands in
// the folder from the moment every restored copy (".<table>.recupero") is on disk until the last
// one is in place; the live tables meanwhile keep a safety copy (".<table>.sicurezza").
inline constexpr const char *SegnoRecuperoInCorso = ".recupero-in-corso";
// What the mark holds while a restore that failed half way puts the live tables back (empty while
// the restore goes forward).
inline constexpr const char *ContenutoRecuperoAnnullato = "annullato";
inline constexpr const char *SuffissoCopiaRecupero = ".recupero";
inline constexpr const char *SuffissoCopiaSicurezza = ".sicurezza";

// At start, before any table is opened. When the mark stands, a restore was interrupted between two
// tables: each restored copy still waiting is put in place (a journal of the table it replaces is
// set aside first, so it is never played into the restored file), and the safety copies and the
// mark are removed, so the folder holds the whole backup and never half of it. When the mark says
// the restore was being undone, each safety copy goes back under its name instead (a journal's
// too) and the restored copies are removed, so the folder holds the tables as they were. Without
// the mark, restored copies left by a restore interrupted before its first swap are removed. True
// when an interrupted restore was completed (an undone one is finished without a word).
bool CompletaRecuperoInterrotto(const QString &cartella);
