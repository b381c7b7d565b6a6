// Bringing a championship over from tables of the earlier format (Paradox files with the names of
// the program's tables): what a folder holds, and the import of all its tables together or none.
// The caller holds the tables handed over (store::ConsegnaTabelle) while an import runs.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// One of the program's tables as found in a folder.
struct TabellaParadoxTrovata {
    QString nome;       // the declared name ("giornate.db")
    QString file;       // the file found, whatever its case; empty when there is none
    bool paradox = false; // the file is a Paradox table whose header reads
    bool importata = true; // false for the translation table, which is never imported
    qint64 righe = 0;
    QStringList mancanti; // declared fields the file lacks or holds with a type that does not fit: imported empty
    QStringList ignorati; // fields of the file that the table does not declare: left out
    QString errore;       // why the file cannot be read, when it is there
    bool svuotata = false; // absent, and emptied because it belongs to the imported calendar (the dates)
    bool daImportare() const { return importata && paradox && errore.isEmpty(); }
};

// The program's tables, in the order of the program's declarations, as found in the folder (which ends
// with a separator): each file is recognised by its header, never by its name alone.
QList<TabellaParadoxTrovata> EsaminaCartellaParadox(const QString &cartella);
// The one-line account of a table for the import's list.
QString StatoTabellaParadox(const TabellaParadoxTrovata &t);

struct EsitoImportazione {
    bool riuscito = false;
    int importate = 0;
    QString errore; // the message to show when the import did not succeed; no table was changed
};

// Reads every Paradox table of the folder (all of them, or only those named), writes their rows
// into new table files of ours, checks them, and swaps them in with the restore's machinery, all
// together or none. A table absent from the folder keeps its contents; the translation table is
// never imported; the settings keep the current language when the imported one is not one of ours.
// passo is called before each step.
EsitoImportazione ImportaTabelleParadox(const QString &cartella, const QStringList &soloTabelle = {},
                                        const std::function<void()> &passo = {});

// The hidden folder in the program folder where an import writes its tables before they are swapped
// in; a crash may leave it behind, and the next start removes it.
inline constexpr const char *CartellaImportazione = ".importazione";
void RimuoviImportazioneInterrotta(const QString &programma);

// At start: the program folder's table files that are Paradox tables (by their header).
QStringList TabelleParadoxInCartella(const QString &cartella);
// The suffix of the copies of the Paradox originals that the import at start keeps beside them.
inline constexpr const char *SuffissoOriginaleParadox = ".paradox";
// The import from the program folder itself, offered at start: each Paradox original (and its memo
// file) is first copied beside as "<name>.paradox", then the tables are imported; a Paradox
// translation table is only set aside under that name, so that the start fills ours.
EsitoImportazione ImportaParadoxAllAvvio(const std::function<void()> &passo = {});

// At start, before the tables are ensured: when table files of the program folder are Paradox
// tables, one box (Yes/No, default No) offers their import from the folder itself. No leaves
// everything as found. True when the tables were imported.
bool OffriImportazioneAllAvvio();
