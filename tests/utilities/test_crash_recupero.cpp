// The restore of a backup killed at every step, when it succeeds and when it fails half way and
// undoes what it did: the next start finds every table intact and the tables all as before the
// restore or all as in the backup, never some of each.
#include "crash_recupero.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCrashRecupero : public QObject {
    Q_OBJECT
private slots:
    void killedAtEveryStep()
    {
        QTemporaryDir work;
        const EsitoProva esito = ProvaOgniPasso(RecuperoDaBackup(5), work.path());
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        // Nine copies beside the tables, the mark, two steps a table while swapping, nine removals.
        QVERIFY(esito.passi >= 9 + 1 + 2 * 9);
        QCOMPARE(esito.provati, int(esito.passi));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%ld steps, each one killed", esito.passi);
    }

    void killedAtEveryStepWhileFailingAndUndoing()
    {
        QTemporaryDir work;
        const EsitoProva esito = ProvaOgniPasso(RecuperoAnnullato(5), work.path());
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        // Seven tables swapped before the failure, then undone one by one.
        QVERIFY(esito.passi >= 9 + 1 + 2 * 7 + 1 + 8);
        QCOMPARE(esito.provati, int(esito.passi));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%ld steps, each one killed", esito.passi);
    }
};

QTEST_MAIN(TestCrashRecupero)
#include "test_crash_recupero.moc"
