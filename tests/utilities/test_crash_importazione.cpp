// The import of Paradox tables killed at every step, and cut there by a power loss: the next start
// finds every table intact and the tables all as before the import or all as imported, never some
// of each; an import that said it was done is found whole after a power cut.
#include "crash_importazione.h"
#include "store/tabelle.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCrashImportazione : public QObject {
    Q_OBJECT
private slots:
    void killedAtEveryStep_data()
    {
        QTest::addColumn<bool>("powerCut");
        QTest::newRow("killed") << false;
        QTest::newRow("power cut") << true;
    }
    void killedAtEveryStep()
    {
        QFETCH(bool, powerCut);
        QTemporaryDir work;
        const EsitoProva esito = ProvaOgniPasso(ImportazioneParadox(5), work.path(), 1,
                                                powerCut ? crashvfs::Cut::PowerLoss : crashvfs::Cut::Kill);
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        // Every table but the translations written and copied beside the live ones, the mark, two steps
        // a table while swapping.
        const long tabelle = long(TabelleProgramma().size()) - 1;
        QVERIFY(esito.passi >= tabelle + tabelle + 1 + 2 * tabelle);
        QCOMPARE(esito.provati, int(esito.passi) + (powerCut ? 1 : 0));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%ld steps, each one cut", esito.passi);
    }
};

QTEST_MAIN(TestCrashImportazione)
#include "test_crash_importazione.moc"
