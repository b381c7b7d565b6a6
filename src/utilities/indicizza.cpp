#include "utilities/indicizza.h"

#include "core/attesa.h"
#include "core/cartella.h"
#include "core/configurazione.h"
#include "core/messaggi.h"
#include "core/processo.h"
#include "store/consegnatabelle.h"

#include <QDir>

QString PercorsoPdxrbld()
{
#ifdef Q_OS_WIN
    return CartellaEseguibile() + QStringLiteral("Pdxrbld.exe");
#else
    return CartellaEseguibile() + QStringLiteral("Pdxrbld");
#endif
}

int EseguiPdxrbld(QString *uscita)
{
    const int codice = EseguiEAttendi(PercorsoPdxrbld(),
                                      {QStringLiteral("-Q+"), QStringLiteral("-R1"),
                                       QStringLiteral("/F") + QDir::toNativeSeparators(CartellaProgramma())},
                                      uscita);
    // An exit status is one byte here: -2 arrives as 254.
    return codice == 254 ? PdxrbldTabelleInUso : codice;
}

void IndicizzaERipara()
{
    if (!ChiediConferma(QStringLiteral("Confermi l'operazione di reindicizzazione delle tabelle?")))
        return;
    const Messaggio inUso{QLatin1String(NomeProdotto), store::MessaggioTabelleInUso,
                          IconaMessaggio::Informazione, false};
    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta()) {
        MostraBox(inUso);
        return;
    }
    int codice = 0;
    QString uscita;
    try {
        CursoreAttesa cursore;
        codice = EseguiPdxrbld(&uscita);
    } catch (const ErroreProcesso &e) {
        MostraErrore(e.messaggio());
        return;
    }
    if (codice == PdxrbldRiuscito)
        return;
    if (codice == PdxrbldTabelleInUso) {
        MostraBox(inUso);
    } else if (codice == PdxrbldTabelleDanneggiate) {
        MostraErrore(QStringLiteral("Alcune tabelle sono danneggiate e sono state lasciate come erano; le altre sono "
                                    "state ricostruite.\n") +
                     uscita);
    } else {
        QString testo = QStringLiteral("La reindicizzazione delle tabelle non è riuscita (codice di uscita %1).")
                            .arg(codice);
        if (!uscita.isEmpty())
            testo += QLatin1Char('\n') + uscita;
        MostraErrore(testo);
    }
}
