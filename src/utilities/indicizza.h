// Index and repair: hands the tables to the rebuild utility Pdxrbld of the program folder, waits for
// it, and tells what its exit code means. The utility checks every table of the folder, rebuilds the
// healthy ones and leaves a damaged one as it is.
#pragma once

#include <QString>

// Exit codes of the rebuild utility.
inline constexpr int PdxrbldRiuscito = 0;
inline constexpr int PdxrbldSwitchErrati = 1;
inline constexpr int PdxrbldCartellaMancante = 2;
inline constexpr int PdxrbldTabelleDanneggiate = 3;
inline constexpr int PdxrbldTabelleInUso = -2;

// Program folder + "Pdxrbld" ("Pdxrbld.exe" on Windows).
QString PercorsoPdxrbld();

// Runs the utility on the program folder with its argument list (-Q+, -R1, "/F" + folder: a folder
// with blanks stays one argument) and returns its exit code, the in-use code read as -2 even where
// the system hands it over as 254. Its output (the damaged tables) goes to uscita. Throws
// ErroreProcesso when it cannot be started or ends without an exit code.
int EseguiPdxrbld(QString *uscita = nullptr);

// The menu command "Indicizza e ripara": the question, the hand-over of the tables, the run, the
// message for its outcome.
void IndicizzaERipara();
