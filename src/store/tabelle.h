// The program's tables: their declarations, and the routines that make the files on disk match
// them at every start (create what is missing, rebuild what changed, fill the translation table and
// write the default settings record).
#pragma once

#include "store/declaration.h"
#include "store/table.h"

#include <QList>
#include <QStringList>

// The declarations, field by field.
store::TableDeclaration DichiarazioneGiornate();
store::TableDeclaration DichiarazioneSquadre();
store::TableDeclaration DichiarazioneClassifica();
store::TableDeclaration DichiarazioneLingua();
store::TableDeclaration DichiarazioneImpostazioni();
store::TableDeclaration DichiarazioneRtSquadre();
store::TableDeclaration DichiarazioneRtGiocatori();
store::TableDeclaration DichiarazioneRtFormazioni();
store::TableDeclaration DichiarazioneTabExport();
store::TableDeclaration DichiarazioneDateGiornate();
// All of them, in the order they are ensured at start (a table added later comes after the others,
// so an existing folder only gains it).
QList<store::TableDeclaration> TabelleProgramma();
// The tables that make the championship: deleted together when it is abandoned or removed.
QStringList TabelleCampionato();

// Makes the file match the declaration: creates it when missing, rebuilds it under the temporary
// name (file name + "APPOGGIO" + extension) and carries the rows over when its fields or indexes
// differ, leaves it alone when it matches. On return the declaration's lists are empty again.
// Throws store::EngineError when the file cannot be read or created.
void CreaOAggiornaTabella(store::TableDeclaration &dichiarazione);

// Appends to the open destination one row built from the source's current row; false (after
// logging the row to dberrori.log and warning) when the engine refused it.
bool CopiaRecord(store::Table &origine, store::Table &destinazione);

// Creates tabexport.db when missing; an empty one gets the two ready presets (standings, calendar).
void CreaTabellaEsportazione();
void CreaTabelle();

// Empties the five championship fields of the settings record (no calendar any more).
void AzzeraImpostazioniCampionato();
