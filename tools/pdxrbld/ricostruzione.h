// The rebuild of the tables of one folder, as the utility Pdxrbld does it.
//
// Every table file of the folder ("*.db", whatever the case of the name) is locked first; when any
// of them is in use by another connection nothing is touched. Then each table is checked (it holds
// "dati" and passes the integrity check), rebuilt into a temporary file beside it that repeats its
// schema text exactly and every row with its rowid (so the stored order stays and the next start
// sees no change of structure), checked again with the same row count, and renamed over the table
// in one step. A damaged table is left untouched and reported. Killed at any moment, every table
// name still holds a complete table; the temporary file left behind is removed by the next run.
#pragma once

#include <QString>
#include <QStringList>

namespace pdxrbld {

enum Esito { Riuscito = 0, SwitchErrati = 1, CartellaMancante = 2, Danneggiate = 3, Fallito = 4, InUso = -2 };

// The switches exactly: -Q+ -R1 /F<folder>. Anything else is SwitchErrati; no folder, or one that
// does not exist, CartellaMancante. On success cartella holds the folder.
Esito LeggiSwitch(const QStringList &argomenti, QString &cartella);

// Rebuilds the tables of the folder; the reports (one line per damaged table or failure) go to
// rapporto.
Esito RicostruisciCartella(const QString &cartella, QStringList &rapporto);

} // namespace pdxrbld
