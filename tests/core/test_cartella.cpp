// The program's two folders: the data folder beside a writable, unmarked executable and in the
// user's data folder otherwise; both following the tests' override.
#include "core/cartella.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestCartella : public QObject {
    Q_OBJECT
    QString datiUtente() const
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/rotaset/");
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void writableUnmarkedFolderKeepsTheData()
    {
        QTemporaryDir dir;
        QCOMPARE(CartellaDatiPer(dir.path()), dir.path() + QLatin1Char('/'));
        QCOMPARE(CartellaDatiPer(dir.path() + QLatin1Char('/')), dir.path() + QLatin1Char('/'));
    }

    void theInstallationMarkSendsTheDataAway()
    {
        QTemporaryDir dir;
        QFile segno(dir.filePath(QLatin1String(SegnoInstallazione)));
        QVERIFY(segno.open(QIODevice::WriteOnly));
        segno.close();
        QCOMPARE(CartellaDatiPer(dir.path()), datiUtente());
    }

    void aMissingFolderIsNotWritable()
    {
        QTemporaryDir dir;
        QCOMPARE(CartellaDatiPer(dir.filePath(QStringLiteral("manca"))), datiUtente());
        // A file where the folder should be.
        QFile file(dir.filePath(QStringLiteral("file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(CartellaDatiPer(file.fileName()), datiUtente());
    }

    void bothFoldersFollowTheOverride()
    {
        const QString eseguibile = QDir::fromNativeSeparators(QCoreApplication::applicationDirPath()) + QLatin1Char('/');
        QCOMPARE(CartellaEseguibile(), eseguibile);
        QCOMPARE(CartellaProgramma(), eseguibile); // the test's own folder is writable and unmarked
        QTemporaryDir dir;
        ImpostaCartellaProgramma(dir.path());
        QCOMPARE(CartellaProgramma(), dir.path() + QLatin1Char('/'));
        QCOMPARE(CartellaEseguibile(), dir.path() + QLatin1Char('/'));
        ImpostaCartellaProgramma(QString());
        QCOMPARE(CartellaProgramma(), eseguibile);
        QCOMPARE(CartellaEseguibile(), eseguibile);
    }
};

QTEST_GUILESS_MAIN(TestCartella)
#include "test_cartella.moc"
