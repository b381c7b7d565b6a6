// Writing the export's files: the fixed-width text file, replaced in one step, and the spreadsheet
// workbook (.xlsx) laid out as the export form promises.
#pragma once

#include "utilities/esportazione.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

// Writes the content through a save file: a file already there stays as it was unless the new one
// is complete. False when the file cannot be written.
bool ScriviArchivioTesto(const QString &percorso, const QByteArray &contenuto);

// The column's width in characters: a text field's size, a fixed width for numbers and logicals,
// the longest value for a memo; never more than 50.
double LarghezzaColonnaFoglio(const CampoEsportazione &campo, const QList<QList<QVariant>> &righe, int colonna);

struct EsitoFoglio {
    enum Stato { Fatto, ErroreCella, ErroreFile } stato = Fatto;
    int colonna = 0; // 1-based, for ErroreCella
    int riga = 0;    // 1-based sheet row, for ErroreCella
};

// One sheet named as given: row 1 the field names in bold with the columns' widths, row 2 empty,
// the rows from row 3; text as strings, numbers as numbers, never a formula. The workbook is made
// beside the target under another name and moved onto it only when complete. `avanzamento` is
// called after each row with the count written so far.
EsitoFoglio ScriviCartellaDiLavoro(const QString &percorso, const QString &nomeFoglio,
                                   const QList<CampoEsportazione> &campi, const QList<QList<QVariant>> &righe,
                                   const std::function<void(int)> &avanzamento = {});
