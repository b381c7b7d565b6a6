// Errors about a damaged or foreign table file are told once: the start-up check's box, or the
// first box after it, names the file; later errors about the same file, unchanged since, show
// nothing more (forms read the settings many times at start).
#pragma once

#include <QString>

namespace store {
class EngineError;
}

// Remembers that the user has been told about this file as it is now on disk.
void SegnaTabellaSegnalata(const QString &percorso);
bool TabellaGiaSegnalata(const QString &percorso);

// An error box with the text (the engine's message when empty), unless the error comes from a
// table file already reported; the file is then remembered. True when a box was shown.
bool SegnalaErroreTabella(const store::EngineError &errore, const QString &testo = QString());
