// The pieces backup, restore, repair and packing share: the hand-over of the tables (refused while
// a table is open or a save runs, files replaced from outside read again afterwards), the check
// that a file is one of our tables, the atomic copy, the backup folder helpers and the long-run
// guard.
#include "core/copiaatomica.h"
#include "utilities/recuperotabelle.h"
#include "core/cartella.h"
#include "custodia_prova.h"
#include "store/consegnatabelle.h"
#include "store/database.h"
#include "store/verificatabella.h"
#include "support/testprogram.h"
#include "utilities/cartellebackup.h"
#include "utilities/lavorolungo.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

class TestCustodia : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;
private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void aTableReplacedByRenameIsReadAgainAfterTheHandOver()
    {
        prova::aggiungiSquadre({QStringLiteral("Alfa")});
        // A copy changed elsewhere, then moved over the live table while the tables are handed over.
        QVERIFY(QFile::copy(program->folder.file("squadre.db"), program->folder.file("altra.db")));
        prova::aggiungiSquadre({QStringLiteral("L'Aquila")}, QStringLiteral("altra.db"));
        {
            store::ConsegnaTabelle consegna;
            QVERIFY(consegna.ottenuta());
            QVERIFY(SpostaSopra(program->folder.file("altra.db"), program->folder.file("squadre.db")));
        }
        QCOMPARE(prova::squadre(), (QStringList{"Alfa", "L'Aquila"}));
        prova::aggiungiSquadre({QStringLiteral("Beta")}); // no "readonly database" on the replaced file
        QCOMPARE(prova::squadre(), (QStringList{"Alfa", "L'Aquila", "Beta"}));
    }

    // A restore killed between two tables: the mark stands, one table is already the backup's (its
    // safety copy beside it), the other still waits as a restored copy beside the live table, whose
    // journal would otherwise be played into it. The next start completes the restore; without the
    // mark, a restored copy left before the first swap is only removed.
    void anInterruptedRestoreIsCompletedAtTheNextStart()
    {
        const QString cartella = program->folder.path();
        prova::aggiungiSquadre({QStringLiteral("Backup")});
        store::Database::instance().detachIdle();
        const QByteArray squadreBackup = prova::contenuto(cartella + "squadre.db");
        const QByteArray rtBackup = prova::contenuto(cartella + "rt_squadre.db");
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        store::Database::instance().detachIdle();
        const QByteArray squadreVive = prova::contenuto(cartella + "squadre.db");

        // Nothing has been swapped yet and no mark: the copy is removed, the live table stays.
        prova::scrivi(cartella + ".squadre.db.recupero", squadreBackup);
        QVERIFY(!CompletaRecuperoInterrotto(cartella));
        QVERIFY(!QFile::exists(cartella + ".squadre.db.recupero"));
        QCOMPARE(prova::contenuto(cartella + "squadre.db"), squadreVive);

        // Mid-swap: rt_squadre.db already restored, squadre.db waiting with a journal of its own.
        prova::scrivi(cartella + ".rt_squadre.db.sicurezza", QByteArray("vecchia"));
        prova::scrivi(cartella + ".squadre.db.recupero", squadreBackup);
        prova::scrivi(cartella + "squadre.db-journal", QByteArray("giornale della tabella viva"));
        prova::scrivi(cartella + SegnoRecuperoInCorso, QByteArray());
        {
            store::ConsegnaTabelle consegna; // as at start: no table attached
            QVERIFY(consegna.ottenuta());
            QVERIFY(CompletaRecuperoInterrotto(cartella));
        }
        QCOMPARE(prova::contenuto(cartella + "squadre.db"), squadreBackup);
        QCOMPARE(prova::contenuto(cartella + "rt_squadre.db"), rtBackup);
        QCOMPARE(QDir(cartella).entryList({QStringLiteral(".*recupero*"), QStringLiteral(".*sicurezza"),
                                           QStringLiteral("*-journal")},
                                          QDir::Files | QDir::Hidden),
                 QStringList());
        QCOMPARE(prova::squadre(), QStringList{QStringLiteral("Backup")});
        QVERIFY(!CompletaRecuperoInterrotto(cartella)); // done once
    }

    void theHandOverIsRefusedWhileATableIsOpenOrASaveRuns()
    {
        {
            store::Table aperta(QStringLiteral("Class.db"));
            aperta.open();
            store::ConsegnaTabelle consegna;
            QVERIFY(!consegna.ottenuta());
            aperta.first(); // still usable
        }
        {
            store::Transaction salvataggio;
            store::ConsegnaTabelle consegna;
            QVERIFY(!consegna.ottenuta());
        }
        store::ConsegnaTabelle consegna;
        QVERIFY(consegna.ottenuta());
    }

    void aFileIsOneOfOurTablesOnlyWhenReadableWithItsDataAndWhole()
    {
        prova::aggiungiSquadre(prova::molteSquadre(400));
        store::Database::shutdown();
        const store::EsitoVerifica buona = store::VerificaTabella(program->folder.file("squadre.db"));
        QVERIFY(buona.valida);
        QCOMPARE(buona.righe, 400);

        prova::scrivi(program->folder.file("testo.db"), "questo non è una tabella");
        QVERIFY(!store::VerificaTabella(program->folder.file("testo.db")).valida);
        QVERIFY(!store::VerificaTabella(program->folder.file("manca.db")).valida);
        QDir(program->folder.path()).mkdir(QStringLiteral("cartella.db"));
        QVERIFY(!store::VerificaTabella(program->folder.file("cartella.db")).valida);
        prova::scrivi(program->folder.file("vuota.db"), QByteArray());
        QVERIFY(!store::VerificaTabella(program->folder.file("vuota.db")).valida); // no table "dati"

        prova::danneggia(program->folder.file("squadre.db"));
        const store::EsitoVerifica rotta = store::VerificaTabella(program->folder.file("squadre.db"));
        QVERIFY(!rotta.valida);
        QVERIFY(!rotta.motivo.isEmpty());
    }

    void transientFilesAreKnownByName()
    {
        for (const char *n : {"giornate.db-journal", "Class.db-mj0A1B2C3D", "Class.dbAPPOGGIO.db",
                              "squadre.db.ricostruzione", "x.db-wal"})
            QVERIFY2(store::EFileTransitorio(QLatin1String(n)), n);
        for (const char *n : {"giornate.db", "Class.db", "tabexport.mb", "squadre.px"})
            QVERIFY2(!store::EFileTransitorio(QLatin1String(n)), n);
    }

    void theAtomicCopyReplacesWholeOrLeavesTheTargetAlone()
    {
        const QString origine = program->folder.file("origine.txt");
        const QString destinazione = program->folder.file("destinazione.txt");
        prova::scrivi(origine, "nuovo");
        prova::scrivi(destinazione, "vecchio");
        QVERIFY(CopiaFileAtomica(origine, destinazione));
        QCOMPARE(prova::contenuto(destinazione), QByteArray("nuovo"));

        // A source that is missing, a temporary name taken by a folder, a target that is a folder.
        prova::scrivi(destinazione, "vecchio");
        QVERIFY(!CopiaFileAtomica(program->folder.file("manca.txt"), destinazione));
        QDir(program->folder.path()).mkdir(QStringLiteral(".destinazione.txt.copia"));
        QVERIFY(!CopiaFileAtomica(origine, destinazione));
        QCOMPARE(prova::contenuto(destinazione), QByteArray("vecchio"));
        QDir(program->folder.path()).mkdir(QStringLiteral("cartella"));
        QVERIFY(!CopiaFileAtomica(origine, program->folder.file("cartella")));
        QVERIFY(QFileInfo(program->folder.file("cartella")).isDir());
        QVERIFY(!QFile::exists(program->folder.file(".cartella.copia")));
    }

    void backupFoldersAreNamedByDayAndChosenByName()
    {
        QCOMPARE(NomeCartellaGiorno(QDate(2024, 3, 5)), QStringLiteral("20240305"));
        QCOMPARE(RigaDettaglio(QStringLiteral("20240305"), 9), QStringLiteral("Backup del 05/03/2024 - File presenti: 9"));
        QCOMPARE(VoceCartella(QStringLiteral("20240305")), QStringLiteral("[20240305]"));
        QCOMPARE(NomeDaVoce(QStringLiteral("[20240305]")), QStringLiteral("20240305"));

        QVERIFY(CreaCartellaBackup());
        QDir backup(CartellaBackup());
        backup.mkdir(QStringLiteral("20240305"));
        backup.mkdir(QStringLiteral("20231231"));
        // Not backups: another folder, a name that is no day, a file, links (one with a day's name).
        backup.mkdir(QStringLiteral("+old")); // sorts before "."
        backup.mkdir(QStringLiteral("20240230"));
        backup.mkdir(QStringLiteral("2024030"));
        prova::scrivi(CartellaBackup() + QStringLiteral("20240306"), "x");
        QVERIFY(QFile::link(CartellaBackup() + QStringLiteral("20240305"), CartellaBackup() + QStringLiteral("link")));
        QVERIFY(QFile::link(CartellaBackup() + QStringLiteral("20240305"), CartellaBackup() + QStringLiteral("20240307")));
        QCOMPARE(VociCartelleBackup(), (QStringList{"[20231231]", "[20240305]"}));

        QVERIFY(CartellaBackupValida(QStringLiteral("20240305")));
        for (const char *n : {".", "..", "", "+old", "20240230", "2024030", "link", "20240306", "20240307", "manca",
                              "20240305/..", "../backup", "2024030a"})
            QVERIFY2(!CartellaBackupValida(QLatin1String(n)), n);

        const SceltaBackup punto = ScegliBackup(QStringLiteral("[..]"));
        QVERIFY(!punto.valida);
        QCOMPARE(punto.dettaglio, QStringLiteral("Nessun dettaglio"));
        prova::scrivi(CartellaBackup() + QStringLiteral("20240305/giornate.db"), "x");
        const SceltaBackup giorno = ScegliBackup(QStringLiteral("[20240305]"));
        QVERIFY(giorno.valida);
        QCOMPARE(giorno.file, QStringList{"giornate.db"});
        QCOMPARE(giorno.dettaglio, QStringLiteral("Backup del 05/03/2024 - File presenti: 1"));
    }

    void extensionsOfTheProgramsOwnFilesArePassedOver()
    {
        for (const char *n : {"giornate.pas", "giornate.EXE", "a.dfm", "a.dcu", "a.~df", "a.~pa", "a.pass"})
            QVERIFY2(EstensioneEsclusa(QLatin1String(n)), n);
        for (const char *n : {"giornate.db", "giornate", "giornate.px", "a.db.pas"})
            QVERIFY2(!EstensioneEsclusa(QLatin1String(n)), n);
        QCOMPARE(NomeBase(QStringLiteral("Class.dbAPPOGGIO.db")), QStringLiteral("Class"));
    }

    void theLongRunGuardDisablesAndRestores()
    {
        QWidget form;
        auto *work = new QLabel(&form);
        auto *done = new QLabel(&form);
        auto *ok = new QPushButton(&form);
        auto *spento = new QPushButton(&form);
        spento->setEnabled(false);
        work->hide();
        bool inCorso = false;
        {
            LavoroLungo guardia(inCorso, work, done, {ok, spento});
            QVERIFY(inCorso);
            QVERIFY(!ok->isEnabled());
            QVERIFY(!work->isHidden());
            QVERIFY(done->isHidden());
            guardia.passo();
        }
        QVERIFY(!inCorso);
        QVERIFY(ok->isEnabled());
        QVERIFY(!spento->isEnabled()); // back as it was, not simply enabled
        QVERIFY(work->isHidden());
    }
};

QTEST_MAIN(TestCustodia)
#include "test_custodia.moc"
