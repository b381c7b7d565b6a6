// A full season's nine tables in the earlier (Paradox) format, written with the tests' writer: the
// fixture of the import's tests and of its benchmark.
#pragma once

#include "scritturaparadox.h"
#include "store/declaration.h"

#include <QString>
#include <QStringList>

// A writer laid out field by field like the declaration: text as alpha of the same size, integers
// as short integers (ids as long ones), logicals, memos of 10 bytes in the record.
ScritturaParadox ParadoxDaDichiarazione(const store::TableDeclaration &d, int codicePagina = 1252);

struct StagioneParadox {
    QStringList squadre;
    int giornate = 0;
    int giocate = 0; // the first matchdays, played 3-1 by the home teams
    QString lingua;  // LINGUA of the settings
};

// Writes the nine tables into the folder (with tabexport.mb for the presets' memos): a season of
// nSquadre teams (names with accents and apostrophes), its calendar, standings, settings, two
// rotation teams with their players and line-ups, two export presets and a short translation table.
StagioneParadox ScriviStagioneParadox(const QString &cartella, int nSquadre = 12, int codicePagina = 1252,
                                      const QString &lingua = QStringLiteral("English"));
