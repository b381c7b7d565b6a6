// The program folder: where every table, log and backup of the program lives.
#pragma once

#include <QString>

// The folder of the program's executable, ending with the path separator.
QString CartellaProgramma();

// Points the program folder elsewhere (tests give each case its own temporary folder).
// An empty path goes back to the executable's folder.
void ImpostaCartellaProgramma(const QString &cartella);
