#include "support/tempfolder.h"

#include "core/cartella.h"
#include "store/database.h"

TempProgramFolder::TempProgramFolder() { ImpostaCartellaProgramma(dir.path()); }

TempProgramFolder::~TempProgramFolder()
{
    store::Database::shutdown();
    ImpostaCartellaProgramma(QString());
}

QString TempProgramFolder::path() const { return CartellaProgramma(); }
