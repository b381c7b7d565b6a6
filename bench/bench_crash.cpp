// The crash test's longer run: every save that spans tables, for several team counts and matchdays,
// and the restore of a backup, killed at every disk step, then stopped there by a power cut that
// loses what was not on disk; prints the steps tried and the damaged or inconsistent states found
// (both must be 0). Run with QT_QPA_PLATFORM=offscreen.
#include "crash_recupero.h"
#include "crash_salvataggi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char *argv[])
{
    // The forms the saves use need no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int danneggiati = 0, incoerenti = 0;
    QElapsedTimer t;
    t.start();
    auto prova = [&](const SalvataggioProva &s, int n, int giornata, crashvfs::Cut taglio) {
        QTemporaryDir work;
        const EsitoProva e = ProvaOgniPasso(s, work.path(), 1, taglio);
        std::printf("%-26s %-9s %2d teams, matchday %2d: %4ld steps, %4d stops, %d damaged, %d inconsistent\n",
                    qPrintable(s.nome), taglio == crashvfs::Cut::PowerLoss ? "power cut" : "killed", n, giornata,
                    e.passi, e.provati, e.danneggiati, e.incoerenti);
        for (const QString &line : e.dettagli)
            std::printf("    %s\n", qPrintable(line));
        danneggiati += e.danneggiati;
        incoerenti += e.incoerenti;
    };
    for (crashvfs::Cut taglio : {crashvfs::Cut::Kill, crashvfs::Cut::PowerLoss}) {
        for (int n : {4, 5, 12, 19, 20}) {
            for (int giornata : {2, n - 1}) {
                const QList<SalvataggioProva> saves = SalvataggiTraTabelle(n, giornata);
                for (const SalvataggioProva &s : saves) {
                    if (giornata != 2 && !s.nome.startsWith(QLatin1String("results")))
                        continue; // the other saves do not depend on the matchday
                    prova(s, n, giornata, taglio);
                }
            }
            // The backup holds two played matchdays, the live tables three.
            prova(RecuperoDaBackup(n), n, 3, taglio);
            prova(RecuperoAnnullato(n), n, 3, taglio);
        }
    }
    std::printf("total: %d damaged, %d inconsistent, %.1f s\n", danneggiati, incoerenti, double(t.elapsed()) / 1000);
    return danneggiati + incoerenti == 0 ? 0 : 1;
}
