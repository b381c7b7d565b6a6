#include "store/segnalazioni.h"

#include "core/messaggi.h"
#include "store/engineerror.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSet>

namespace {
// The file as it is now: its path, size and time. A file repaired or replaced is told about again.
QString identita(const QString &percorso)
{
    const QFileInfo info(percorso);
    return QStringLiteral("%1|%2|%3")
        .arg(percorso)
        .arg(info.exists() ? info.size() : -1)
        .arg(info.exists() ? info.lastModified().toMSecsSinceEpoch() : 0);
}

QSet<QString> &segnalate()
{
    static QSet<QString> s;
    return s;
}
} // namespace

void SegnaTabellaSegnalata(const QString &percorso) { segnalate().insert(identita(percorso)); }

bool TabellaGiaSegnalata(const QString &percorso) { return segnalate().contains(identita(percorso)); }

bool SegnalaErroreTabella(const store::EngineError &errore, const QString &testo)
{
    if (!errore.file().isEmpty()) {
        if (TabellaGiaSegnalata(errore.file()))
            return false;
        SegnaTabellaSegnalata(errore.file());
    }
    MostraErrore(testo.isEmpty() ? errore.message() : testo);
    return true;
}
