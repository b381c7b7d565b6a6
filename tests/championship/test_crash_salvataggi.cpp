// Each save that spans tables, killed at every disk step in a child process: the next start finds
// every table intact and the tables all before the save or all after it.
#include "crash_salvataggi.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCrashSalvataggi : public QObject {
    Q_OBJECT
private slots:
    void killedAtEveryStep_data()
    {
        QTest::addColumn<int>("which");
        const QList<SalvataggioProva> saves = SalvataggiTraTabelle(5);
        for (int i = 0; i < saves.size(); ++i)
            QTest::newRow(qPrintable(saves[i].nome)) << i;
    }

    void killedAtEveryStep()
    {
        QFETCH(int, which);
        QTemporaryDir work;
        const SalvataggioProva save = SalvataggiTraTabelle(5).at(which);
        const EsitoProva esito = ProvaOgniPasso(save, work.path());
        for (const QString &line : esito.dettagli)
            qWarning("%s", qPrintable(line));
        QVERIFY(esito.passi > 5);
        QCOMPARE(esito.provati, int(esito.passi));
        QCOMPARE(esito.danneggiati, 0);
        QCOMPARE(esito.incoerenti, 0);
        qInfo("%s: %ld steps, each one killed", qPrintable(save.nome), esito.passi);
    }
};

QTEST_MAIN(TestCrashSalvataggi)
#include "test_crash_salvataggi.moc"
