// A whole season saved matchday by matchday through the store, as results entry saves it:
// 20 teams, 38 matchdays. Prints the median time of one matchday save and the durable commits
// each save made. Never part of the test run's pass or fail.
#include "championship/salvarisultati.h"
#include "core/cartella.h"
#include "store/database.h"
#include "store/table.h"
#include "store/tabelle.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {
int commits = 0;
int countCommit(void *)
{
    ++commits;
    return 0;
}
} // namespace

int main()
{
    QTemporaryDir dir;
    ImpostaCartellaProgramma(dir.path());
    CreaTabellaEsportazione();
    CreaTabelle();
    constexpr int Teams = 20;
    constexpr int Matchdays = 38;
    QStringList names;
    for (int i = 0; i < Teams; ++i)
        names << QStringLiteral("Squadra d'Esempio %1").arg(i + 1);
    {
        store::Table classifica(QStringLiteral("Class.db"));
        store::Table giornate(QStringLiteral("giornate.db"));
        classifica.open();
        giornate.open();
        store::Transaction tr;
        for (const QString &n : names) {
            classifica.append();
            classifica.fieldByName(QStringLiteral("Squadre")).setAsString(n);
            classifica.fieldByName(QStringLiteral("Punti")).setAsInteger(0);
            classifica.post();
        }
        // A round robin by the circle method; the return legs swap home and away.
        for (int g = 0; g < Matchdays; ++g) {
            giornate.append();
            giornate.fieldByName(QStringLiteral("Giornata")).setAsInteger(g + 1);
            const int round = g % (Teams - 1);
            for (int m = 0; m < Teams / 2; ++m) {
                const int a = m == 0 ? Teams - 1 : (round + m) % (Teams - 1);
                const int b = (round + Teams - 1 - m) % (Teams - 1);
                const bool swap = g >= Teams - 1;
                giornate.fieldByName(QStringLiteral("Squadra%1").arg(2 * m + 1)).setAsString(names[swap ? b : a]);
                giornate.fieldByName(QStringLiteral("Squadra%1").arg(2 * m + 2)).setAsString(names[swap ? a : b]);
            }
            giornate.post();
        }
        tr.commit();
    }

    store::Table giornate(QStringLiteral("giornate.db"));
    giornate.open();
    sqlite3_commit_hook(store::Database::instance().handle(), countCommit, nullptr);
    const QStringList scores[] = {{"3", "0"}, {"3", "1"}, {"3", "2"}, {"2", "3"}, {"1", "3"}, {"0", "3"}};
    QList<double> times;
    QList<int> commitsPerSave;
    for (int g = 1; g <= Matchdays; ++g) {
        giornate.locate(QStringLiteral("Giornata"), g);
        RisultatiGiornata r;
        for (int k = 1; k <= RisultatiGiornata::Campi; ++k) {
            r.squadre[size_t(k - 1)] = giornate.fieldByName(QStringLiteral("Squadra%1").arg(k)).asString();
            r.aperto[size_t(k - 1)] = true;
            r.set[size_t(k - 1)] = scores[(g + k / 2) % 6][(k - 1) % 2];
        }
        commits = 0;
        QElapsedTimer t;
        t.start();
        SalvaRisultati(giornate, r);
        times << double(t.nsecsElapsed()) / 1e6;
        commitsPerSave << commits;
    }
    sqlite3_commit_hook(store::Database::instance().handle(), nullptr, nullptr);
    std::sort(times.begin(), times.end());
    const int fewest = *std::min_element(commitsPerSave.begin(), commitsPerSave.end());
    const int most = *std::max_element(commitsPerSave.begin(), commitsPerSave.end());
    std::printf("matchday save, 20 teams, 38 matchdays: median %.2f ms, slowest %.2f ms (target under 20 ms)\n",
                times[times.size() / 2], times.last());
    std::printf("durable commits per save: %d to %d (target 1)\n", fewest, most);
    giornate.close();
    store::Database::shutdown();
    return fewest == 1 && most == 1 ? 0 : 1;
}
