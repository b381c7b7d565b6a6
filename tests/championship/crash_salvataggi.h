// The saves that span tables, each run in a child process killed at every disk step in turn, and
// what the next start must find: every table intact, and the tables in the state before the save
// or in the state after it, never between, with standings that agree with the played matchdays.
// Shared by the test (a few teams, every step) and the longer run in bench/.
#pragma once

#include "support/crashvfs.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct SalvataggioProva {
    QString nome;
    // In a fresh program folder with the nine tables: the championship the save starts from.
    std::function<void()> prepara;
    // In the child: builds what the save needs, then calls crashvfs::begin(killAt) right before the
    // save and crashvfs::end() right after it.
    std::function<void(long killAt)> salva;
    // Only for a save that fails on purpose and puts everything back: the same save without the
    // failure. The failing save must then leave the tables as before, and the next start after a
    // kill may find them as before or as this one leaves them.
    std::function<void(long killAt)> senzaGuasto = {};
};

// The results save, the calendar builder's save, the composer's matchday store, the results
// correction and the team rename, for n teams (4 to 20); matchday is the matchday whose results
// are saved or corrected (2 or more: the earlier ones are played beforehand).
QList<SalvataggioProva> SalvataggiTraTabelle(int squadre, int giornata = 2);

// For saves defined elsewhere, in the folder set by prepara: a championship of n teams (4 to 20)
// with its whole calendar and the first matchdays played through the program's results save; the
// results of one more matchday; the k-th team's name (1-based; every third one has an apostrophe).
void PreparaCampionato(int squadre, int giocate);
void GiocaGiornata(int giornata, int squadre);
QString NomeSquadra(int squadre, int k);

struct EsitoProva {
    long passi = 0;        // disk steps of one uninterrupted save
    int provati = 0;       // kills (or power cuts) tried
    int danneggiati = 0;   // a table not intact, or a box at the next start
    int incoerenti = 0;    // tables between the two states, or standings that disagree
    QStringList dettagli;  // one line per failure
};

// Kills the save at every step from 1 to the last (every stride-th one), each time in a copy of
// the prepared folder (with its subfolders) below work, and checks the folder as the next start
// finds it, an interrupted restore completed first as the main window does. With a power cut,
// the writes not yet on disk are lost at each step, and one more cut comes right after the save,
// which must then be found whole: a save that said it was done is never lost.
EsitoProva ProvaOgniPasso(const SalvataggioProva &salvataggio, const QString &work, long stride = 1,
                          crashvfs::Cut taglio = crashvfs::Cut::Kill);

// The standings recomputed from the played matchdays equal Class.db; otherwise why not.
bool ClassificaCoerente(QString *why = nullptr);
