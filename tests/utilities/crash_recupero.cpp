#include "crash_recupero.h"

#include "championship/rinomina.h"
#include "store/consegnatabelle.h"
#include "store/engineerror.h"
#include "support/crashvfs.h"
#include "utilities/cartellebackup.h"
#include "utilities/frmsalvataggiodati.h"
#include "utilities/recuperotabelle.h"

#include <QDir>

namespace {

// The one backup folder the preparation made (its name is the day it was made).
QString unicoBackup()
{
    const QStringList cartelle = QDir(CartellaBackup()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (cartelle.size() != 1)
        throw store::EngineError(QStringLiteral("%1 backup folders instead of one").arg(cartelle.size()));
    return cartelle.first();
}

} // namespace

SalvataggioProva RecuperoDaBackup(int n)
{
    return SalvataggioProva{
        QStringLiteral("restore of a backup"),
        [n] {
            PreparaCampionato(n, 2);
            {
                TFrmSalvataggioDati backup;
                backup.BitBtn2Click();
                if (!backup.riuscito() || backup.copiati() < 9)
                    throw store::EngineError(QStringLiteral("the backup failed"));
            }
            GiocaGiornata(3, n);
            RinominaSquadra(NomeSquadra(n, 3), QStringLiteral("Sant'Elia Volley"));
        },
        [](long killAt) {
            const QString nome = unicoBackup();
            const QStringList tabelle = TabelleDaRecuperare(FileDelBackup(nome));
            store::ConsegnaTabelle consegna;
            if (!consegna.ottenuta())
                throw store::EngineError(store::MessaggioTabelleInUso);
            crashvfs::begin(killAt);
            const EsitoRecupero esito = RecuperaTabelle(tabelle, PercorsoBackup(nome));
            crashvfs::end();
            if (!esito.riuscito || esito.copiati != 9)
                throw store::EngineError(esito.errore);
        }};
}
