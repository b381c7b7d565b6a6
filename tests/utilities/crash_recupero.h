// The restore of a backup as a save that spans tables, for the crash harness: a played
// championship is backed up through the backup form, then more results and a team rename are saved,
// and the child puts the backup back through the restore's own routine. Before the restore and
// after it the nine tables differ in the teams, the matchdays and the standings.
#pragma once

#include "crash_salvataggi.h"

SalvataggioProva RecuperoDaBackup(int squadre);
// The same restore failing half way (a folder where a safety copy would go) and putting every
// table back: killed while it swaps or while it undoes, the tables are all as before or all as in
// the backup.
SalvataggioProva RecuperoAnnullato(int squadre);
