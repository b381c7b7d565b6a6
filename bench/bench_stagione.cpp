// A whole season saved matchday by matchday through the store, as results entry saves it:
// 20 teams, 38 matchdays. Prints the median time of one matchday save and the durable commits
// each save made; then the same for a result corrected and for a team renamed across the season;
// then the opening of the standings view on the whole season played, and its ranking alone. Never
// part of the test run's pass or fail.
#include "championship/frmclassifica.h"
#include "championship/ordineclassifica.h"
#include "championship/rinomina.h"
#include "championship/salvarisultati.h"
#include "championship/stclassifica.h"
#include "core/cartella.h"
#include "store/database.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tabelle.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <ctime>

namespace {
int commits = 0;
int countCommit(void *)
{
    ++commits;
    return 0;
}
} // namespace

// This thread's processor time in milliseconds: on a busy machine the time the work itself took.
double TempoProcessore()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// The median and the slowest of the times, in milliseconds.
QPair<double, double> MedianaEPeggiore(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.last()};
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
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
        store::Table squadre(QStringLiteral("squadre.db"));
        classifica.open();
        giornate.open();
        squadre.open();
        store::Transaction tr;
        for (const QString &n : names) {
            squadre.append();
            squadre.fieldByName(QStringLiteral("Squadre")).setAsString(n);
            squadre.post();
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
    giornate.close();

    // A result corrected on every matchday, then one team renamed in all three tables.
    QList<double> corrections;
    QList<int> commitsPerCorrection;
    for (int g = 1; g <= Matchdays; ++g) {
        commits = 0;
        QElapsedTimer t;
        t.start();
        CorreggiRisultati(g, {{1 + g % 10, QStringLiteral("2"), QStringLiteral("3")}});
        corrections << double(t.nsecsElapsed()) / 1e6;
        commitsPerCorrection << commits;
    }
    commits = 0;
    QElapsedTimer rename;
    rename.start();
    const int posti = RinominaSquadra(names.first(), QStringLiteral("Nuovo nome d'Esempio"));
    const double renameMs = double(rename.nsecsElapsed()) / 1e6;
    const int renameCommits = commits;
    std::sort(corrections.begin(), corrections.end());
    std::printf("result correction: median %.2f ms, slowest %.2f ms; durable commits per correction: %d to %d\n",
                corrections[corrections.size() / 2], corrections.last(),
                *std::min_element(commitsPerCorrection.begin(), commitsPerCorrection.end()),
                *std::max_element(commitsPerCorrection.begin(), commitsPerCorrection.end()));
    std::printf("team renamed in %d matchday slots: %.2f ms, %d durable commit(s)\n", posti, renameMs, renameCommits);
    giornate.open();

    sqlite3_commit_hook(store::Database::instance().handle(), nullptr, nullptr);
    std::sort(times.begin(), times.end());
    const int fewest = *std::min_element(commitsPerSave.begin(), commitsPerSave.end());
    const int most = *std::max_element(commitsPerSave.begin(), commitsPerSave.end());
    std::printf("matchday save, 20 teams, 38 matchdays: median %.2f ms, slowest %.2f ms (target under 20 ms)\n",
                times[times.size() / 2], times.last());
    std::printf("durable commits per save: %d to %d (target 1)\n", fewest, most);
    giornate.close();

    // The standings view opened as the menu opens it, on the season played to the end: the form
    // and its report made, the grid filled in the standings' order, the form shown and painted.
    QList<double> openings;
    QList<double> openingsCpu;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer t;
        t.start();
        const double cpu = TempoProcessore();
        {
            TStClassifica stampa;
            TFrmClassifica form(&stampa);
            form.show();
            QCoreApplication::processEvents();
            form.close();
        }
        openings << double(t.nsecsElapsed()) / 1e6;
        openingsCpu << TempoProcessore() - cpu;
    }
    QList<double> rankings;
    store::Query classifica(QStringLiteral("select * from class.db order by punti desc"));
    classifica.open();
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer t;
        t.start();
        OrdinaClassifica(classifica);
        rankings << double(t.nsecsElapsed()) / 1e6;
    }
    classifica.close();
    const auto [apertura, aperturaPeggiore] = MedianaEPeggiore(openings);
    const auto [ordine, ordinePeggiore] = MedianaEPeggiore(rankings);
    std::printf("standings view opened, 20 teams, 38 matchdays played: median %.2f ms, slowest %.2f ms (target "
                "under 16 ms); processor time median %.2f ms\n",
                apertura, aperturaPeggiore, MedianaEPeggiore(openingsCpu).first);
    std::printf("standings ranked (matches won read from the calendar): median %.3f ms, slowest %.3f ms\n", ordine,
                ordinePeggiore);
    store::Database::shutdown();
    return fewest == 1 && most == 1 ? 0 : 1;
}
