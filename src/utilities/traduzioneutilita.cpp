#include "utilities/traduzioneutilita.h"

#include "core/cartella.h"
#include "ui/traduzione.h"

#include <QFileInfo>

void TraduciSeTabellaLingua(const QList<QObject *> &controlli)
{
    if (QFileInfo::exists(CartellaProgramma() + QStringLiteral("lingua.db")))
        TraduciControlli(controlli);
}
