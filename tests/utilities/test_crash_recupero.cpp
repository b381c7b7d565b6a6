// The restore of a backup killed at every step, when it succeeds and when it fails half way and
// undoes what it did: the next start finds every table intact and the tables all as before the
// restore or all as in the backup, never some of each; the same when a power cut loses what was not
// yet on disk, and a restore that said it was done is found whole after one.
#include "crash_recupero.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCrashRecupero : public QObject {
    Q_OBJECT
    static void cuts()
    {
        QTest::addColumn<bool>("powerCut");
        QTest::newRow("killed") << false;
        QTest::newRow("power cut") << true;
    }
    static crashvfs::Cut taglio(bool powerCut) { return powerCut ? crashvfs::Cut::PowerLoss : crashvfs::Cut::Kill; }

private slots:
    void killedAtEveryStep_data() { cuts(); }
    void killedAtEveryStep()
    {
        QFETCH(bool, powerCut);
        QTemporaryDir work;
        const EsitoProva esito = ProvaOgniPasso(RecuperoDaBackup(5), work.path(), 1, taglio(powerCut));
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        // Ten copies beside the tables, the mark, two steps a table while swapping, ten removals.
        QVERIFY(esito.passi >= 10 + 1 + 2 * 10);
        QCOMPARE(esito.provati, int(esito.passi) + (powerCut ? 1 : 0));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%ld steps, each one killed", esito.passi);
    }

    void killedAtEveryStepWhileFailingAndUndoing_data() { cuts(); }
    void killedAtEveryStepWhileFailingAndUndoing()
    {
        QFETCH(bool, powerCut);
        QTemporaryDir work;
        const EsitoProva esito = ProvaOgniPasso(RecuperoAnnullato(5), work.path(), 1, taglio(powerCut));
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        // Eight tables swapped before the failure (date_giornate.db among them), then undone one by one.
        QVERIFY(esito.passi >= 10 + 1 + 2 * 8 + 1 + 9);
        QCOMPARE(esito.provati, int(esito.passi) + (powerCut ? 1 : 0));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%ld steps, each one killed", esito.passi);
    }
};

QTEST_MAIN(TestCrashRecupero)
#include "test_crash_recupero.moc"
