#include "support/tempfolder.h"

#include "core/cartella.h"

TempProgramFolder::TempProgramFolder() { ImpostaCartellaProgramma(dir.path()); }

TempProgramFolder::~TempProgramFolder() { ImpostaCartellaProgramma(QString()); }

QString TempProgramFolder::path() const { return CartellaProgramma(); }
