// The completion of a leg begun by hand, at its worst: 20 teams (and 19), after every number of typed
// matchdays drawn at random, and built dead ends whose unmet pairs every team shares evenly (two
// Petersen graphs; an odd group of teams joined to the rest by two pairs). Prints the slowest answer of
// each kind. Then "Proponi calendario" with 20 teams through the composer, its 38 rows written.
// Never part of the test run's pass or fail.
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "championship/girone.h"
#include "core/cartella.h"
#include "core/messaggi.h"
#include "store/database.h"
#include "store/tabelle.h"
#include "ui/modale.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <set>

using girone::Esito;
using girone::Giornata;
using girone::Partita;

namespace {

using Coppie = std::set<std::pair<int, int>>; // places from 0

const char *nome(Esito::Stato s)
{
    switch (s) {
    case Esito::Trovato:
        return "found";
    case Esito::Impossibile:
        return "none exists";
    case Esito::Interrotto:
        return "GAVE UP";
    }
    return "?";
}

// `quante` matchdays that leave exactly `resto` unmet among `posti` places, under shuffled numbers.
std::vector<Giornata> giocateCheLasciano(int posti, const Coppie &resto, int quante, QRandomGenerator &caso)
{
    std::vector<int> perm(static_cast<std::size_t>(posti));
    for (int i = 0; i < posti; ++i)
        perm[std::size_t(i)] = i;
    std::shuffle(perm.begin(), perm.end(), caso);
    std::vector<std::vector<bool>> ammesse(std::size_t(posti), std::vector<bool>(std::size_t(posti), true));
    for (auto [a, b] : resto)
        ammesse[std::size_t(perm[std::size_t(a)])][std::size_t(perm[std::size_t(b)])] =
            ammesse[std::size_t(perm[std::size_t(b)])][std::size_t(perm[std::size_t(a)])] = false;
    const Esito e = girone::Accoppia(posti, ammesse, quante);
    if (e.stato != Esito::Trovato) {
        std::printf("  (case not built: %s)\n", nome(e.stato));
        return {};
    }
    return e.giornate;
}

// Random matchdays typed one after another, each over pairs not met yet, as a user who takes no care
// would type them; fewer when the typing itself runs into a wall.
std::vector<Giornata> aCaso(int posti, int quante, QRandomGenerator &caso)
{
    std::vector<std::vector<bool>> ammesse(std::size_t(posti), std::vector<bool>(std::size_t(posti), true));
    std::vector<Giornata> out;
    for (int r = 0; r < quante; ++r) {
        std::vector<int> perm(static_cast<std::size_t>(posti));
        for (int i = 0; i < posti; ++i)
            perm[std::size_t(i)] = i;
        std::shuffle(perm.begin(), perm.end(), caso);
        std::vector<std::vector<bool>> mescolate(std::size_t(posti), std::vector<bool>(std::size_t(posti), false));
        for (int a = 0; a < posti; ++a)
            for (int b = 0; b < posti; ++b)
                mescolate[std::size_t(perm[std::size_t(a)])][std::size_t(perm[std::size_t(b)])] =
                    ammesse[std::size_t(a)][std::size_t(b)];
        const Esito e = girone::Accoppia(posti, mescolate, 1);
        if (e.stato != Esito::Trovato || e.giornate.empty())
            break;
        Giornata g;
        for (const Partita &p : e.giornate.front()) {
            const int a = int(std::find(perm.begin(), perm.end(), p.casa - 1) - perm.begin());
            const int b = int(std::find(perm.begin(), perm.end(), p.ospite - 1) - perm.begin());
            ammesse[std::size_t(a)][std::size_t(b)] = ammesse[std::size_t(b)][std::size_t(a)] = false;
            g.push_back({a + 1, b + 1});
        }
        out.push_back(g);
    }
    return out;
}

struct Peggiore {
    double ms = 0;
    QString caso;
    QList<double> tempi;
    double mediana()
    {
        std::sort(tempi.begin(), tempi.end());
        return tempi.isEmpty() ? 0 : tempi[tempi.size() / 2];
    }
};

void misura(int squadre, const std::vector<Giornata> &giocate, const QString &caso, Peggiore &peggiore,
            int *stati = nullptr)
{
    QElapsedTimer t;
    t.start();
    const Esito e = girone::Completa(squadre, giocate, girone::GiornateGirone(squadre));
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (stati)
        ++stati[e.stato];
    if (e.stato == Esito::Interrotto)
        std::printf("  %s: GAVE UP after %.1f ms\n", qPrintable(caso), ms);
    peggiore.tempi << ms;
    if (ms > peggiore.ms)
        peggiore = {ms, caso + QStringLiteral(" (") + QLatin1String(nome(e.stato)) + QLatin1Char(')'), peggiore.tempi};
}

void petersen(Coppie &archi, int da)
{
    for (int i = 0; i < 5; ++i) {
        archi.insert(std::minmax(da + i, da + (i + 1) % 5));
        archi.insert(std::minmax(da + 5 + i, da + 5 + (i + 2) % 5));
        archi.insert(std::minmax(da + i, da + 5 + i));
    }
}

// Every place with `d` partners: places 0..d form a full group less the pair (0, 1); places d+1..19
// a circle where each meets the d/2 nearest on each side, less the pair (d+1, d+2); then 0 meets d+1
// and 1 meets d+2. Every matchday would need one of those two crossing pairs.
Coppie gruppoDispari(int d)
{
    Coppie archi;
    for (int a = 0; a <= d; ++a)
        for (int b = a + 1; b <= d; ++b)
            if (!(a == 0 && b == 1))
                archi.insert({a, b});
    const int m = 20 - (d + 1);
    for (int i = 0; i < m; ++i)
        for (int s = 1; s <= d / 2; ++s)
            archi.insert(std::minmax(d + 1 + i, d + 1 + (i + s) % m));
    archi.erase({d + 1, d + 2});
    archi.insert({0, d + 1});
    archi.insert({1, d + 2});
    return archi;
}

} // namespace

static void BenchCompletamento()
{
    QRandomGenerator caso(2026);
    std::printf("Completion of a first leg (the search that checks every matchday and proposes the rest)\n");
    for (int squadre : {20, 19}) {
        const int posti = girone::Posti(squadre);
        Peggiore completabili, aCasoPeggiore;
        int stati[3] = {};
        for (int prova = 0; prova < 40; ++prova)
            for (int fatte = 1; fatte < posti - 1; ++fatte) {
                // A leg that can be completed: the table under shuffled numbers, its matchdays shuffled.
                std::vector<int> perm(static_cast<std::size_t>(posti));
                for (int i = 0; i < posti; ++i)
                    perm[std::size_t(i)] = i + 1;
                std::shuffle(perm.begin(), perm.end(), caso);
                std::vector<Giornata> leg = girone::Berger(squadre);
                std::shuffle(leg.begin(), leg.end(), caso);
                std::vector<Giornata> mano;
                for (int r = 0; r < fatte; ++r) {
                    Giornata g;
                    for (const Partita &p : leg[std::size_t(r)])
                        g.push_back({perm[std::size_t(p.casa - 1)], perm[std::size_t(p.ospite - 1)]});
                    mano.push_back(g);
                }
                misura(squadre, mano, QStringLiteral("table reshuffled, %1 typed").arg(fatte), completabili);
                const std::vector<Giornata> sparse = aCaso(posti, fatte, caso);
                misura(squadre, sparse, QStringLiteral("random, %1 typed").arg(sparse.size()), aCasoPeggiore, stati);
            }
        std::printf("%d teams, %d shuffled tables x %d typed counts: median %.3f ms, slowest %.2f ms, %s\n", squadre,
                    40, posti - 2, completabili.mediana(), completabili.ms, qPrintable(completabili.caso));
        std::printf("%d teams, random typing: median %.3f ms, slowest %.2f ms, %s; answers: %d found, %d none, %d gave "
                    "up\n",
                    squadre, aCasoPeggiore.mediana(), aCasoPeggiore.ms, qPrintable(aCasoPeggiore.caso), stati[0], stati[1],
                    stati[2]);
    }

    Peggiore costruiti;
    Coppie due;
    petersen(due, 0);
    petersen(due, 10);
    for (int prova = 0; prova < 20; ++prova)
        misura(20, giocateCheLasciano(20, due, 16, caso), QStringLiteral("two Petersen graphs left"), costruiti);
    for (int d : {4, 6, 8}) {
        const Coppie gruppo = gruppoDispari(d);
        for (int prova = 0; prova < 20; ++prova)
            misura(20, giocateCheLasciano(20, gruppo, 19 - d, caso),
                   QStringLiteral("odd group of %1 with two crossing pairs, %2 left").arg(d + 1).arg(d), costruiti);
    }
    std::printf("20 teams, built dead ends: median %.3f ms, slowest %.2f ms, %s\n", costruiti.mediana(), costruiti.ms,
                qPrintable(costruiti.caso));
}

namespace {
// Every question answered Yes, nothing shown.
class SempreSi : public MessageBackend {
public:
    bool show(const Messaggio &) override { return true; }
};
} // namespace

static void BenchProponiCalendario(const QString &dove)
{
    SempreSi si;
    setMessageBackend(&si);
    QList<double> tempi;
    for (int prova = 0; prova < 7; ++prova) {
        QTemporaryDir dir(dove + QStringLiteral("/bench_girone-XXXXXX"));
        ImpostaCartellaProgramma(dir.path());
        CreaTabellaEsportazione();
        CreaTabelle();
        auto *composer = new TFrmGiornata;
        FrmGiornata = composer;
        auto *builder = new TFrmCalendario;
        FrmCalendario = builder;
        builder->EDTnSQ->setText(QStringLiteral("20"));
        builder->EDTnGIORN->setText(QStringLiteral("38"));
        builder->EDTmySQ->setText(QStringLiteral("Squadra d'Esempio 1"));
        builder->ButSalva->click();
        for (int i = 1; i < 20; ++i)
            builder->SQ[i]->setText(QStringLiteral("Squadra d'Esempio %1").arg(i + 1));
        setModalBackend([&](QDialog &d) -> int {
            if (&d != composer)
                return 0;
            composer->show();
            QElapsedTimer t;
            t.start();
            composer->BTproponiTutto->click();
            tempi << double(t.nsecsElapsed()) / 1e6;
            if (!composer->Completo())
                std::printf("  the calendar was not completed\n");
            composer->hide();
            return 1;
        });
        builder->BTMsquadreClick();
        setModalBackend(nullptr);
        delete builder;
        delete composer;
        FrmCalendario = nullptr;
        FrmGiornata = nullptr;
        store::Database::shutdown();
        ImpostaCartellaProgramma(QString());
    }
    std::sort(tempi.begin(), tempi.end());
    std::printf("\"Proponi calendario\" with 20 teams through the composer (19 matchdays and their return legs "
                "stored, one transaction each), tables in %s: median %.1f ms, slowest %.1f ms over %d runs\n",
                qPrintable(dove), tempi[tempi.size() / 2], tempi.last(), int(tempi.size()));
    setMessageBackend(nullptr);
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchCompletamento();
    // On the disk, and in memory (where a durable commit costs nothing) to tell the disk's share.
    BenchProponiCalendario(QDir::tempPath());
    if (QDir(QStringLiteral("/dev/shm")).exists())
        BenchProponiCalendario(QStringLiteral("/dev/shm"));
    return 0;
}
