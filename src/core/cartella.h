// The program's two folders. The data folder holds every table, the engine's own file, backup/ and
// dberrori.log; the executable's folder holds the program's own files (help.html, Pdxrbld).
// A portable copy, or the build's run folder, keeps its tables beside the executable as it always
// did; an installed program (its folder not writable, or marked as installed) keeps them in the
// user's data folder.
#pragma once

#include <QString>

// The data folder, ending with the path separator: where the tables, backup/ and dberrori.log live.
QString CartellaProgramma();

// The folder of the program's executable, ending with the path separator: where help.html and the
// rebuild utility are found.
QString CartellaEseguibile();

// Points the program folder elsewhere (tests give each case its own temporary folder): both
// questions above answer with it. An empty path goes back to the executable's folder.
void ImpostaCartellaProgramma(const QString &cartella);

// The file that the installation writes beside an installed executable: with it the tables go to
// the user's data folder even when the executable's folder happens to be writable (root).
inline constexpr const char *SegnoInstallazione = "rotaset-installato";

// The data folder for an executable in the given folder: that folder itself when it can be written
// and carries no installation mark, otherwise the user's data folder for the program (not created
// here). With separator at the end.
QString CartellaDatiPer(const QString &cartellaEseguibile);
