// Caption translation of the utility forms: they translate only when the translation table is in
// the program folder, so that a missing lingua.db never stops a backup or a restore from opening.
#pragma once

#include <QList>
#include <QObject>

// TraduciControlli(controlli), run only when lingua.db exists in the program folder.
void TraduciSeTabellaLingua(const QList<QObject *> &controlli);
