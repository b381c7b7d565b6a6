// Reading a 10 000-row Paradox table (the calendar's 42 fields) with our reader, and importing a
// full season's nine Paradox tables (20 teams, their calendar and standings, 10 000 rotation
// players). Prints the median of five runs of each. Never part of the test run's pass or fail.
#include "core/cartella.h"
#include "core/messaggi.h"
#include "paradox/tabellaparadox.h"
#include "stagioneparadox.h"
#include "store/consegnatabelle.h"
#include "store/database.h"
#include "store/tabelle.h"
#include "utilities/importazioneparadox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
struct SempreSi : MessageBackend {
    bool show(const Messaggio &) override { return true; }
};

double mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SempreSi risposte;
    QTemporaryDir origine;

    // The calendar table with 10 000 rows, every slot filled.
    ScritturaParadox giornate = ParadoxDaDichiarazione(DichiarazioneGiornate());
    giornate.kbBlocco = 4;
    for (int g = 1; g <= 10000; ++g) {
        QList<QVariant> riga(giornate.campi.size());
        riga[0] = g % 30000;
        for (int k = 1; k <= 40; ++k)
            riga[k] = (k - 1) % 4 < 2 ? QVariant(QStringLiteral("Squadra d'Esempio %1").arg((g + k) % 20)) : QVariant(QStringLiteral("3"));
        riga[41] = g % 2 == 0;
        giornate.righe << riga;
    }
    giornate.scrivi();
    giornate.salva(origine.path(), QStringLiteral("calendario.db"));
    QList<double> lettura;
    qsizetype righe = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        paradox::TabellaParadox px;
        if (!px.apri(origine.filePath(QStringLiteral("calendario.db"))))
            return std::fprintf(stderr, "%s\n", qPrintable(px.errore())), 1;
        const auto tutte = px.righe();
        if (!tutte)
            return std::fprintf(stderr, "%s\n", qPrintable(px.errore())), 1;
        righe = tutte->size();
        lettura << t.nsecsElapsed() / 1e6;
    }
    std::printf("reading a Paradox table of %lld rows x 42 fields (%lld KB): %.1f ms (target under 100 ms)\n",
                qlonglong(righe), qlonglong(giornate.db.size() / 1024), mediana(lettura));

    // A full season, with 10 000 rotation players.
    ScriviStagioneParadox(origine.path() + QLatin1Char('/'), 20);
    ScritturaParadox giocatori = ParadoxDaDichiarazione(DichiarazioneRtGiocatori());
    for (int id = 1; id <= 10000; ++id)
        giocatori.righe << QList<QVariant>{id, 1 + id % 20, id % 99, QStringLiteral("Zoé"),
                                           QStringLiteral("D'Annunzio %1").arg(id), QStringLiteral("P"),
                                           QStringLiteral("FLOAT")};
    giocatori.scrivi();
    giocatori.salva(origine.path(), QStringLiteral("rt_giocatori.db"));
    QList<double> importazione;
    for (int i = 0; i < 5; ++i) {
        QTemporaryDir programma;
        ImpostaCartellaProgramma(programma.path());
        CreaTabellaEsportazione();
        CreaTabelle();
        QElapsedTimer t;
        t.start();
        EsitoImportazione esito;
        {
            store::ConsegnaTabelle consegna;
            esito = ImportaTabelleParadox(origine.path() + QLatin1Char('/'));
        }
        importazione << t.nsecsElapsed() / 1e6;
        store::Database::shutdown();
        if (!esito.riuscito)
            return std::fprintf(stderr, "%s\n", qPrintable(esito.errore)), 1;
    }
    std::printf("importing a season's nine Paradox tables (20 teams, 38 matchdays, 10 000 players): %.1f ms "
                "(target under 500 ms)\n",
                mediana(importazione));
    return 0;
}
