// Backup and restore of the ten tables through their forms, with a 20-team season (38 matchdays
// with results) and 10 000 rotation players; the rebuild utility on the same tables. Prints the
// median of five runs of each. Never part of the test run's pass or fail.
#include "core/cartella.h"
#include "core/messaggi.h"
#include "store/database.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "utilities/cartellebackup.h"
#include "utilities/frmrecuperodati.h"
#include "utilities/frmsalvataggiodati.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {
struct SempreSi : MessageBackend {
    bool show(const Messaggio &) override { return true; }
};

void riempi()
{
    constexpr int Squadre = 20;
    store::Database &db = store::Database::instance();
    store::Table squadre(QStringLiteral("squadre.db")), classifica(QStringLiteral("Class.db")),
        giornate(QStringLiteral("giornate.db")), rtSquadre(QStringLiteral("rt_squadre.db")),
        giocatori(QStringLiteral("rt_giocatori.db"));
    for (store::Table *t : {&squadre, &classifica, &giornate, &rtSquadre, &giocatori})
        t->open();
    store::Transaction tutto(db);
    for (int i = 1; i <= Squadre; ++i) {
        const QString nome = QStringLiteral("Squadra d'Esempio %1").arg(i);
        squadre.append();
        squadre.fieldByName(QStringLiteral("Squadre")).setAsString(nome);
        squadre.post();
        classifica.append();
        classifica.fieldByName(QStringLiteral("Squadre")).setAsString(nome);
        classifica.fieldByName(QStringLiteral("Punti")).setAsInteger(i * 3);
        classifica.post();
    }
    for (int g = 1; g <= 38; ++g) {
        giornate.append();
        giornate.fieldByName(QStringLiteral("Giornata")).setAsInteger(g);
        for (int s = 1; s <= Squadre; ++s) {
            giornate.fieldByName(QStringLiteral("Squadra%1").arg(s)).setAsString(QStringLiteral("Squadra d'Esempio %1").arg(s));
            giornate.fieldByName(QStringLiteral("Set%1").arg(s)).setAsString(s % 2 ? QStringLiteral("3") : QStringLiteral("1"));
        }
        giornate.fieldByName(QStringLiteral("Giocata")).setAsBoolean(true);
        giornate.post();
    }
    for (int t = 1; t <= 500; ++t) {
        rtSquadre.append();
        rtSquadre.fieldByName(QStringLiteral("idsquadra")).setAsInteger(t);
        rtSquadre.fieldByName(QStringLiteral("nomesquadra")).setAsString(QStringLiteral("Rotazioni %1").arg(t));
        rtSquadre.post();
    }
    for (int p = 1; p <= 10000; ++p) {
        giocatori.append();
        giocatori.fieldByName(QStringLiteral("idgiocatore")).setAsInteger(p);
        giocatori.fieldByName(QStringLiteral("idsquadra")).setAsInteger(1 + p / 20);
        giocatori.fieldByName(QStringLiteral("numeromaglia")).setAsInteger(p % 99);
        giocatori.fieldByName(QStringLiteral("nome")).setAsString(QStringLiteral("Nome%1").arg(p));
        giocatori.fieldByName(QStringLiteral("cognome")).setAsString(QStringLiteral("D'Cognome%1").arg(p));
        giocatori.fieldByName(QStringLiteral("ruolo")).setAsString(QStringLiteral("S"));
        giocatori.fieldByName(QStringLiteral("battuta")).setAsString(QStringLiteral("FLOAT"));
        giocatori.post();
    }
    tutto.commit();
}

double mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ImpostaCartellaProgramma(dir.path());
    SempreSi risposte;
    setMessageBackend(&risposte);
    CreaTabellaEsportazione();
    CreaTabelle();
    riempi();
    store::Database::shutdown();

    qint64 byte = 0;
    for (const QString &f : QDir(CartellaProgramma()).entryList({QStringLiteral("*.db")}, QDir::Files))
        byte += QFileInfo(CartellaProgramma() + f).size();
    std::printf("tables: 10 files, %.1f KiB\n", double(byte) / 1024.0);

    QList<double> salvataggi, recuperi, ricostruzioni;
    for (int i = 0; i < 5; ++i) {
        TFrmSalvataggioDati salva;
        QElapsedTimer t;
        t.start();
        salva.BitBtn2Click();
        salvataggi << double(t.nsecsElapsed()) / 1e6;
        if (salva.copiati() != 10)
            std::printf("backup copied %d files\n", salva.copiati());
    }
    const QString voce = VoceCartella(NomeCartellaGiorno(QDate::currentDate()));
    for (int i = 0; i < 5; ++i) {
        TFrmRecuperoDati recupera;
        auto *lista = recupera.findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"));
        lista->setCurrentItem(lista->findItems(voce, Qt::MatchExactly).value(0));
        QElapsedTimer t;
        t.start();
        recupera.ButtonOkClick();
        recuperi << double(t.nsecsElapsed()) / 1e6;
        if (!recupera.riuscito())
            std::printf("restore failed\n");
    }
#ifdef PDXRBLD_EXE
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        const int codice = QProcess::execute(QStringLiteral(PDXRBLD_EXE),
                                             {QStringLiteral("-Q+"), QStringLiteral("-R1"), QStringLiteral("/F") + CartellaProgramma()});
        ricostruzioni << double(t.nsecsElapsed()) / 1e6;
        if (codice != 0)
            std::printf("Pdxrbld exit code %d\n", codice);
    }
#endif
    std::printf("backup of the ten tables (form, atomic copies): median %.1f ms (target under 200 ms)\n",
                mediana(salvataggi));
    std::printf("restore of the ten tables (form, checks, all-or-nothing swap): median %.1f ms (target under 200 ms)\n",
                mediana(recuperi));
    if (!ricostruzioni.isEmpty())
        std::printf("Pdxrbld on the ten tables: median %.1f ms\n", mediana(ricostruzioni));
    setMessageBackend(nullptr);
    store::Database::shutdown();
    return 0;
}
