#include "crash_recupero.h"

#include "championship/rinomina.h"
#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "store/consegnatabelle.h"
#include "store/engineerror.h"
#include "support/crashvfs.h"
#include "utilities/cartellebackup.h"
#include "utilities/frmsalvataggiodati.h"
#include "utilities/recuperotabelle.h"

#include <QDir>

namespace {

// A folder where squadre.db's safety copy would go: the restore fails there, after the tables
// before it in the backup's order have been swapped.
const QString Ostacolo = QLatin1Char('.') + QStringLiteral("squadre.db") + QLatin1String(SuffissoCopiaSicurezza);

// The one backup folder the preparation made (its name is the day it was made).
QString unicoBackup()
{
    const QStringList cartelle = QDir(CartellaBackup()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (cartelle.size() != 1)
        throw store::EngineError(QStringLiteral("%1 backup folders instead of one").arg(cartelle.size()));
    return cartelle.first();
}

void prepara(int n, bool ostacolo)
{
    PreparaCampionato(n, 2);
    {
        TFrmSalvataggioDati backup;
        backup.BitBtn2Click();
        if (!backup.riuscito() || backup.copiati() < 10)
            throw store::EngineError(QStringLiteral("the backup failed"));
    }
    GiocaGiornata(3, n);
    RinominaSquadra(NomeSquadra(n, 3), QStringLiteral("Sant'Elia Volley"));
    if (ostacolo && !QDir(CartellaProgramma()).mkdir(Ostacolo))
        throw store::EngineError(QStringLiteral("no folder in the way"));
}

// The restore of the backup, as the restore form makes it once the user has confirmed.
void recupera(long killAt, bool riesce)
{
    const QString nome = unicoBackup();
    const QStringList tabelle = TabelleDaRecuperare(FileDelBackup(nome));
    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta())
        throw store::EngineError(store::MessaggioTabelleInUso);
    crashvfs::begin(killAt);
    const EsitoRecupero esito = RecuperaTabelle(tabelle, PercorsoBackup(nome));
    crashvfs::end();
    if (riesce ? !esito.riuscito || esito.copiati != 10
               : esito.riuscito || !esito.errore.endsWith(QStringLiteral("le tabelle sono rimaste come prima.")))
        throw store::EngineError(esito.errore);
}

} // namespace

SalvataggioProva RecuperoDaBackup(int n)
{
    return SalvataggioProva{QStringLiteral("restore of a backup"), [n] { prepara(n, false); },
                            [](long killAt) { recupera(killAt, true); }};
}

SalvataggioProva RecuperoAnnullato(int n)
{
    return SalvataggioProva{QStringLiteral("restore undone"), [n] { prepara(n, true); },
                            [](long killAt) { recupera(killAt, false); },
                            [](long killAt) {
                                QDir(CartellaProgramma()).rmdir(Ostacolo);
                                recupera(killAt, true);
                            }};
}
