// The rebuild utility Pdxrbld and the menu command that runs it: the switches, a missing folder,
// healthy tables rebuilt with their rows, order, primary index and declared structure unchanged, a
// table in use (nothing touched, the code read as -2), a damaged table left alone, a name in
// capitals, a folder with blanks and accents, the utility killed at every step, and the command's
// messages for each outcome.
#include "core/cartella.h"
#include "core/processo.h"
#include "custodia_prova.h"
#include "store/database.h"
#include "store/tabelle.h"
#include "store/verificatabella.h"
#include "support/testprogram.h"
#include "utilities/indicizza.h"

#include <QDir>
#include <QProcess>
#include <QtTest>
#include <memory>
#include <sqlite3.h>

namespace {

const QString Utilita = QStringLiteral(PDXRBLD_EXE);
const QString Domanda = QStringLiteral("Confermi l'operazione di reindicizzazione delle tabelle?");
const QString InUso = QStringLiteral("Impossibile eseguire il controllo mentre il database è in uso!");

int esegui(const QStringList &argomenti, const QProcessEnvironment &ambiente = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.start(Utilita, argomenti);
    if (!p.waitForFinished(-1))
        qFatal("Pdxrbld did not finish");
    return p.exitStatus() == QProcess::CrashExit ? -1000 : p.exitCode();
}

QStringList switchPer(const QString &cartella)
{
    return {QStringLiteral("-Q+"), QStringLiteral("-R1"), QStringLiteral("/F") + cartella};
}

QHash<QString, QByteArray> istantanea(const QString &cartella)
{
    QHash<QString, QByteArray> t;
    for (const QString &f : QDir(cartella).entryList(QDir::Files | QDir::Hidden))
        t.insert(f, prova::contenuto(cartella + f));
    return t;
}

// What must survive a rebuild: every row in stored order with its rowid, and the schema texts.
QStringList righeESchema(const QString &percorso)
{
    QStringList r;
    sqlite3 *db = nullptr;
    sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (const char *sql : {"SELECT type || '|' || name || '|' || ifnull(sql, '') FROM sqlite_master ORDER BY name",
                            "SELECT * FROM dati"}) {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(db, QByteArray(sql).replace("SELECT * FROM dati", "SELECT rowid, * FROM dati").constData(),
                               -1, &st, nullptr) != SQLITE_OK)
            r << QStringLiteral("errore");
        while (st && sqlite3_step(st) == SQLITE_ROW) {
            QStringList campi;
            for (int i = 0; i < sqlite3_column_count(st); ++i)
                campi << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
            r << campi.join(QLatin1Char('|'));
        }
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(db);
    return r;
}

void riempi()
{
    prova::aggiungiSquadre(prova::molteSquadre(300));
    // Rows deleted in the middle: the rowids keep their gaps and the stored order stays.
    store::Table t(QStringLiteral("squadre.db"));
    t.open();
    t.setRecNo(10);
    t.remove();
    t.close();
    store::Table e(QStringLiteral("tabexport.db"));
    e.open();
    for (int progr : {7, 3, 5}) {
        e.append();
        e.fieldByName(QStringLiteral("PROGR")).setAsInteger(progr);
        e.fieldByName(QStringLiteral("NOME")).setAsString(QStringLiteral("Modello %1").arg(progr));
        e.fieldByName(QStringLiteral("CAMPI")).setAsString(QStringLiteral("testo lungo\ncon righe"));
        e.post();
    }
}

} // namespace

class TestPdxrbld : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

    QString cartella() const { return CartellaProgramma(); }
    // The utility where the program looks for it.
    void installa() { QVERIFY(QFile::copy(Utilita, PercorsoPdxrbld())); }

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void otherSwitchesOrNoFolderTouchNothing()
    {
        store::Database::shutdown();
        const auto prima = istantanea(cartella());
        QCOMPARE(esegui({}), 1);
        QCOMPARE(esegui({QStringLiteral("-Q+"), QStringLiteral("/F") + cartella()}), 1);
        QCOMPARE(esegui(switchPer(cartella()) << QStringLiteral("-X")), 1);
        QCOMPARE(esegui({QStringLiteral("-Q+"), QStringLiteral("-R2"), QStringLiteral("/F") + cartella()}), 1);
        QCOMPARE(esegui({QStringLiteral("-Q+"), QStringLiteral("-R1")}), 2);
        QCOMPARE(esegui(switchPer(cartella() + QStringLiteral("manca/"))), 2);
        QCOMPARE(esegui(switchPer(QString())), 2);
        QCOMPARE(istantanea(cartella()), prima);
    }

    void healthyTablesAreRebuiltWithEverythingKept()
    {
        riempi();
        store::Database::shutdown();
        QHash<QString, QStringList> prima;
        for (const QString &t : store::NomiTabelle())
            prima.insert(t, righeESchema(cartella() + t));
        QCOMPARE(esegui(switchPer(cartella())), 0);
        for (const QString &t : store::NomiTabelle())
            QCOMPARE(righeESchema(cartella() + t), prima.value(t));
        // The next start sees the declared structure: nothing is restructured.
        const auto dopo = istantanea(cartella());
        CreaTabellaEsportazione();
        CreaTabelle();
        store::Database::shutdown();
        QCOMPARE(istantanea(cartella()), dopo);
        QCOMPARE(program->boxes.count(), 0);
        // The primary index still orders the presets (the two ready ones first).
        store::Table e(QStringLiteral("tabexport.db"));
        e.open();
        QStringList ordine;
        for (e.first(); !e.eof(); e.next())
            ordine << e.fieldByName(QStringLiteral("PROGR")).asString();
        QCOMPARE(ordine, (QStringList{"1", "2", "3", "5", "7"}));
        QVERIFY(QDir(cartella()).entryList({QStringLiteral("*.ricostruzione")}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void aTableInUseStopsEverythingWithMinusTwo()
    {
        riempi();
        store::Database::shutdown();
        const auto prima = istantanea(cartella());
        sqlite3 *altro = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(cartella() + QStringLiteral("rt_giocatori.db")).constData(), &altro),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(altro, "BEGIN; SELECT count(*) FROM dati;", nullptr, nullptr, nullptr), SQLITE_OK);
        // Reading the files here would drop this process's locks: they are compared once released.
        QCOMPARE(esegui(switchPer(cartella())), 254);
        // Through the program: the code is read as -2 and told with the application's title.
        installa();
        QCOMPARE(EseguiPdxrbld(), PdxrbldTabelleInUso);
        program->boxes.setNextAnswer(true);
        IndicizzaERipara();
        QCOMPARE(program->boxes.last().testo, InUso);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Brivo_Rotaset"));
        sqlite3_exec(altro, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(altro);
        QFile::remove(PercorsoPdxrbld());
        QCOMPARE(istantanea(cartella()), prima);
    }

    void aDamagedTableIsLeftAloneAndTheOthersRebuilt()
    {
        riempi();
        store::Database::shutdown();
        const QString squadre = cartella() + QStringLiteral("squadre.db");
        prova::danneggia(squadre);
        const QByteArray rotta = prova::contenuto(squadre);
        QCOMPARE(esegui(switchPer(cartella())), 3);
        QCOMPARE(prova::contenuto(squadre), rotta);
        QVERIFY(store::VerificaTabella(cartella() + QStringLiteral("Class.db")).valida);

        installa();
        program->boxes.setNextAnswer(true);
        IndicizzaERipara();
        QVERIFY(program->boxes.last().testo.contains(squadre));
        QCOMPARE(prova::contenuto(squadre), rotta);
    }

    void aNameInCapitalsIsATableToo()
    {
        prova::aggiungiSquadre({QStringLiteral("Alfa")}, QStringLiteral("squadre.db"));
        store::Database::shutdown();
        QVERIFY(QFile::rename(cartella() + QStringLiteral("Class.db"), cartella() + QStringLiteral("CLASS.DB")));
        prova::scrivi(cartella() + QStringLiteral("CLASS.DB.ricostruzione"), "resto di un giro interrotto");
        const QStringList prima = righeESchema(cartella() + QStringLiteral("CLASS.DB"));
        QCOMPARE(esegui(switchPer(cartella())), 0);
        QVERIFY(QFileInfo::exists(cartella() + QStringLiteral("CLASS.DB")));
        QVERIFY(!QFileInfo::exists(cartella() + QStringLiteral("Class.db")));
        QVERIFY(!QFileInfo::exists(cartella() + QStringLiteral("CLASS.DB.ricostruzione")));
        QCOMPARE(righeESchema(cartella() + QStringLiteral("CLASS.DB")), prima);
    }

    void aFolderWithBlanksAndAccentsIsPassedWhole()
    {
        const QString dentro = cartella() + QStringLiteral("dati di prova è à/");
        QVERIFY(QDir().mkpath(dentro));
        const QString base = cartella();
        store::Database::shutdown();
        ImpostaCartellaProgramma(dentro);
        {
            CreaTabellaEsportazione();
            CreaTabelle();
            prova::aggiungiSquadre({QStringLiteral("L'Aquila")});
            installa();
            program->boxes.setNextAnswer(true);
            const int prima = program->boxes.count();
            IndicizzaERipara();
            QCOMPARE(program->boxes.count(), prima + 1); // the question only: done in silence
            QCOMPARE(prova::squadre(), QStringList{"L'Aquila"});
            // The tables are read again from the rebuilt files and can be written.
            prova::aggiungiSquadre({QStringLiteral("Beta")});
            QCOMPARE(prova::squadre(), (QStringList{"L'Aquila", "Beta"}));
        }
        store::Database::shutdown();
        ImpostaCartellaProgramma(base);
    }

    void killedAtAnyStepEveryTableNameHoldsACompleteTable()
    {
        riempi();
        store::Database::shutdown();
        QHash<QString, QStringList> prima;
        for (const QString &t : store::NomiTabelle())
            prima.insert(t, righeESchema(cartella() + t));
        for (int passo = 1; passo <= 18; ++passo) {
            QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
            ambiente.insert(QStringLiteral("PDXRBLD_ARRESTO"), QString::number(passo));
            QCOMPARE(esegui(switchPer(cartella()), ambiente), -1000); // killed
            for (const QString &t : store::NomiTabelle()) {
                QVERIFY2(store::VerificaTabella(cartella() + t).valida, qPrintable(t));
                QCOMPARE(righeESchema(cartella() + t), prima.value(t));
            }
        }
        QCOMPARE(esegui(switchPer(cartella())), 0);
        QVERIFY(QDir(cartella()).entryList({QStringLiteral("*.ricostruzione")}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void theCommandAsksFirstAndTellsWhatWentWrong()
    {
        // No: nothing runs (the missing utility would say so).
        program->boxes.setNextAnswer(false);
        IndicizzaERipara();
        QCOMPARE(program->boxes.texts(), QStringList{Domanda});

        program->boxes.setNextAnswer(true);
        IndicizzaERipara();
        QCOMPARE(program->boxes.last().testo, QLatin1String(ErroreAvvioProcesso));

        // A table open in a form: the tables are not handed over, the utility is not run.
        installa();
        {
            store::Table aperta(QStringLiteral("giornate.db"));
            aperta.open();
            program->boxes.setNextAnswer(true);
            IndicizzaERipara();
            QCOMPARE(program->boxes.last().testo, InUso);
        }

        // Any other failure is told with its code.
        QFile::remove(PercorsoPdxrbld());
        prova::scrivi(PercorsoPdxrbld(), "#!/bin/sh\necho guasto\nexit 7\n");
        QFile::setPermissions(PercorsoPdxrbld(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        program->boxes.setNextAnswer(true);
        IndicizzaERipara();
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("7")));
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("guasto")));
    }
};

QTEST_MAIN(TestPdxrbld)
#include "test_pdxrbld.moc"
