// Each save that spans tables, killed at every disk step in a child process, or stopped there by a
// power cut that loses what was not yet on disk: the next start finds every table intact and the
// tables all before the save or all after it, and all after it once the save said it was done.
#include "crash_salvataggi.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCrashSalvataggi : public QObject {
    Q_OBJECT
private slots:
    void killedAtEveryStep_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("powerCut");
        const QList<SalvataggioProva> saves = SalvataggiTraTabelle(5);
        for (int i = 0; i < saves.size(); ++i) {
            QTest::newRow(qPrintable(saves[i].nome)) << i << false;
            QTest::newRow(qPrintable(saves[i].nome + QStringLiteral(", power cut"))) << i << true;
        }
    }

    void killedAtEveryStep()
    {
        QFETCH(int, which);
        QFETCH(bool, powerCut);
        QTemporaryDir work;
        const SalvataggioProva save = SalvataggiTraTabelle(5).at(which);
        const EsitoProva esito =
            ProvaOgniPasso(save, work.path(), 1, powerCut ? crashvfs::Cut::PowerLoss : crashvfs::Cut::Kill);
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        QVERIFY(esito.passi > 5);
        QCOMPARE(esito.provati, int(esito.passi) + (powerCut ? 1 : 0));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%s: %ld steps, each one killed", qPrintable(save.nome), esito.passi);
    }
};

QTEST_MAIN(TestCrashSalvataggi)
#include "test_crash_salvataggi.moc"
