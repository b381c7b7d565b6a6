// File copies that never leave a half-written file under the target's name: the copy is made under
// a temporary name beside the target, forced to disk, and renamed over the target in one step, so
// the target holds either its earlier complete content or the new complete one.
#pragma once

#include <QString>
#include <optional>

// CopiaFile to a temporary name beside the target, then the rename over it. False (the target
// untouched, the temporary file removed) when any step fails. Several copies into one folder may
// leave the folder's own flush to one SincronizzaCartella at the end.
bool CopiaFileAtomica(const QString &origine, const QString &destinazione, bool sincronizza = true);

// The first half: the copy under the hidden name "." + target name + suffix in the target's folder,
// on disk. Returns that path; nothing (and nothing left behind) on failure.
std::optional<QString> CopiaAccanto(const QString &origine, const QString &destinazione, const QString &suffisso);

// Renames a file over another in one step and forces the folder to disk (unless told not to, when
// the caller flushes the folder once after several renames). False when it failed.
bool SpostaSopra(const QString &da, const QString &a, bool sincronizza = true);
// Gives a file a second name (a hard link) in the same folder; false where that cannot be done.
bool CollegaFile(const QString &esistente, const QString &nuovoNome);
// Forces a folder's entries (names made, renamed, removed) to disk.
void SincronizzaCartella(const QString &cartella);

// Forces a file's content to disk; false when it cannot be opened or flushed.
bool ScriviSuDisco(const QString &percorso);
