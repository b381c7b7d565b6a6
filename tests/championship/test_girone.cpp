// The round robin of one leg: the Berger table and the completion of a leg begun by hand.
#include "championship/girone.h"

#include <QtTest>
#include <set>

using girone::Esito;
using girone::Giornata;
using girone::Partita;

namespace {

QString testo(const std::vector<Giornata> &giornate)
{
    QStringList out;
    for (const Giornata &g : giornate) {
        QStringList partite;
        for (const Partita &p : g)
            partite << QStringLiteral("%1-%2").arg(p.casa).arg(p.ospite);
        out << partite.join(QLatin1Char(' '));
    }
    return out.join(QStringLiteral(" | "));
}

// Checks a whole leg of `posti` places: every place once per matchday, every pair once in the leg.
// Empty when sound, else what is wrong.
QString controllaGirone(int posti, const std::vector<Giornata> &giornate)
{
    if (int(giornate.size()) != posti - 1)
        return QStringLiteral("%1 matchdays").arg(giornate.size());
    std::set<std::pair<int, int>> coppie;
    for (std::size_t r = 0; r < giornate.size(); ++r) {
        std::set<int> posto;
        for (const Partita &p : giornate[r]) {
            if (p.casa < 1 || p.ospite < 1 || p.casa > posti || p.ospite > posti)
                return QStringLiteral("place out of range on matchday %1").arg(r + 1);
            if (!posto.insert(p.casa).second || !posto.insert(p.ospite).second)
                return QStringLiteral("a place twice on matchday %1").arg(r + 1);
            if (!coppie.insert(std::minmax(p.casa, p.ospite)).second)
                return QStringLiteral("%1-%2 met twice").arg(p.casa).arg(p.ospite);
        }
        if (int(posto.size()) != posti)
            return QStringLiteral("matchday %1 leaves a place out").arg(r + 1);
    }
    return {};
}

// The places relabelled by `perm` (from 1), home and away kept.
std::vector<Giornata> rinomina(const std::vector<Giornata> &giornate, const std::vector<int> &perm)
{
    std::vector<Giornata> out;
    for (const Giornata &g : giornate) {
        Giornata h;
        for (const Partita &p : g)
            h.push_back({perm[std::size_t(p.casa - 1)], perm[std::size_t(p.ospite - 1)]});
        out.push_back(h);
    }
    return out;
}

// Matchdays that leave exactly the pairs of `resto` (from 0) unmet among `posti` places.
std::vector<Giornata> giocateCheLasciano(int posti, const std::set<std::pair<int, int>> &resto, int giornate)
{
    std::vector<std::vector<bool>> ammesse(std::size_t(posti), std::vector<bool>(std::size_t(posti), true));
    for (auto [a, b] : resto)
        ammesse[std::size_t(a)][std::size_t(b)] = ammesse[std::size_t(b)][std::size_t(a)] = false;
    const Esito e = girone::Accoppia(posti, ammesse, giornate);
    if (e.stato != Esito::Trovato)
        qFatal("no matchdays for the case");
    return e.giornate;
}

// The Petersen graph on places from `da`: an outer five-cycle, an inner pentagram, five spokes. Every
// place has three partners and the graph has perfect matchings, but no three of them cover it.
void petersen(std::set<std::pair<int, int>> &archi, int da)
{
    for (int i = 0; i < 5; ++i) {
        archi.insert(std::minmax(da + i, da + (i + 1) % 5));
        archi.insert(std::minmax(da + 5 + i, da + 5 + (i + 2) % 5));
        archi.insert(std::minmax(da + i, da + 5 + i));
    }
}

} // namespace

class TestGirone : public QObject {
    Q_OBJECT
private slots:
    void sixTeams()
    {
        QCOMPARE(testo(girone::Berger(6)), QStringLiteral("1-6 2-5 3-4 | 6-4 5-3 1-2 | 2-6 3-1 4-5 | 6-5 1-4 2-3 | "
                                                          "3-6 4-2 5-1"));
        // Five teams: the sixth place is the rest slot, the same table.
        QCOMPARE(testo(girone::Berger(5)), testo(girone::Berger(6)));
    }

    // Every count from 4 to 20: each pair once, each place once per matchday, home games balanced,
    // the rest slot met once by each team when the teams are odd.
    void everyTeamCount()
    {
        for (int t = 4; t <= 20; ++t) {
            const int n = girone::Posti(t);
            QCOMPARE(n, t % 2 == 0 ? t : t + 1);
            const std::vector<Giornata> leg = girone::Berger(t);
            QVERIFY2(controllaGirone(n, leg).isEmpty(), qPrintable(QStringLiteral("%1 teams: ").arg(t) + controllaGirone(n, leg)));
            std::vector<int> casa(std::size_t(n) + 1), riposi(std::size_t(n) + 1);
            for (const Giornata &g : leg)
                for (const Partita &p : g) {
                    if (t % 2 != 0 && (p.casa == n || p.ospite == n))
                        ++riposi[std::size_t(p.casa == n ? p.ospite : p.casa)];
                    else
                        ++casa[std::size_t(p.casa)];
                }
            for (int s = 1; s <= t; ++s) {
                if (t % 2 == 0)
                    QVERIFY2(casa[std::size_t(s)] == n / 2 || casa[std::size_t(s)] == n / 2 - 1,
                             qPrintable(QStringLiteral("%1 teams, team %2: %3 at home").arg(t).arg(s).arg(casa[std::size_t(s)])));
                else
                    QVERIFY2(casa[std::size_t(s)] == (t - 1) / 2 && riposi[std::size_t(s)] == 1,
                             qPrintable(QStringLiteral("%1 teams, team %2").arg(t).arg(s)));
            }
            // Nothing stored: the proposal is the table itself.
            const Esito tutto = girone::Completa(t, {}, girone::GiornateGirone(t));
            QCOMPARE(tutto.stato, Esito::Trovato);
            QCOMPARE(testo(tutto.giornate), testo(leg));
        }
    }

    // Fewer matchdays than a leg take the table's first ones; more than a leg cannot avoid repeats.
    void shorterAndLongerCalendars()
    {
        const Esito meno = girone::Completa(8, {}, 4);
        QCOMPARE(meno.stato, Esito::Trovato);
        const std::vector<Giornata> otto = girone::Berger(8);
        QCOMPARE(testo(meno.giornate), testo({otto.begin(), otto.begin() + 4}));
        QCOMPARE(girone::Completa(8, {}, 8).stato, Esito::Impossibile);
    }

    // A leg begun by hand off the table (the table under other numbers, its matchdays in another
    // order) is completed after any number of typed matchdays, with 6, 9 and 20 teams.
    void completionAfterHandTypedMatchdays()
    {
        for (int t : {6, 9, 20}) {
            const int n = girone::Posti(t);
            std::vector<int> perm(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                perm[std::size_t(i)] = (i * 7 + 3) % n + 1; // 7 is prime to every n here
            std::vector<Giornata> altra = rinomina(girone::Berger(t), perm);
            std::reverse(altra.begin(), altra.end());
            for (int fatte = 1; fatte < n - 1; ++fatte) {
                const std::vector<Giornata> mano(altra.begin(), altra.begin() + fatte);
                const Esito e = girone::Completa(t, mano, n - 1);
                QVERIFY2(e.stato == Esito::Trovato, qPrintable(QStringLiteral("%1 teams after %2").arg(t).arg(fatte)));
                std::vector<Giornata> leg = mano;
                leg.insert(leg.end(), e.giornate.begin(), e.giornate.end());
                QVERIFY2(controllaGirone(n, leg).isEmpty(), qPrintable(controllaGirone(n, leg)));
            }
        }
    }

    // Dead ends: a pair met twice, a team rested twice, and legs whose unmet pairs are every pair's
    // share but cannot be split into matchdays (two triangles of 6 teams with 2 matchdays left;
    // one Petersen graph of 10 teams with 3 left; two of 20 teams with 3 left).
    void deadEndsAreRefused()
    {
        std::vector<Giornata> ripetuta = {girone::Berger(6)[0], girone::Berger(6)[0]};
        QCOMPARE(girone::Completa(6, ripetuta, 5).stato, Esito::Impossibile);
        // Five teams: team 1 rests on matchdays 1 and 2 (6 is the rest slot).
        std::vector<Giornata> riposi = {{{1, 6}, {2, 5}, {3, 4}}, {{6, 1}, {2, 3}, {4, 5}}};
        QCOMPARE(girone::Completa(5, riposi, 5).stato, Esito::Impossibile);

        std::set<std::pair<int, int>> triangoli = {{0, 1}, {1, 2}, {0, 2}, {3, 4}, {4, 5}, {3, 5}};
        QCOMPARE(girone::Completa(6, giocateCheLasciano(6, triangoli, 3), 5).stato, Esito::Impossibile);

        std::set<std::pair<int, int>> uno, due;
        petersen(uno, 0);
        QCOMPARE(girone::Completa(10, giocateCheLasciano(10, uno, 6), 9).stato, Esito::Impossibile);
        petersen(due, 0);
        petersen(due, 10);
        QCOMPARE(girone::Completa(20, giocateCheLasciano(20, due, 16), 19).stato, Esito::Impossibile);
    }
};

QTEST_MAIN(TestGirone)
#include "test_girone.moc"
