// Starts the real program in an empty folder and checks what it leaves on disk.
#include "core/cartella.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/righelingua.h"
#include "store/tabelle.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace store;

class TestE2eAvvio : public QObject {
    Q_OBJECT
private slots:
    void firstStartMakesTheNineTables()
    {
        QTemporaryDir dir;
        const QString exe = dir.filePath(QStringLiteral("rotaset"));
        QVERIFY(QFile::copy(QStringLiteral(ROTASET_EXE), exe));
        QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);

        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(exe, {});
        QVERIFY(program.waitForStarted());

        // The last table made at start is the rotation line-ups: once it reads, the check is over.
        ImpostaCartellaProgramma(dir.path());
        auto ready = [] {
            try {
                Table t(QStringLiteral("rt_formazioni.db"));
                t.open();
                return true;
            } catch (const EngineError &) {
                Database::shutdown();
                return false;
            }
        };
        QTRY_VERIFY_WITH_TIMEOUT(ready(), 60000);
        QCOMPARE(program.state(), QProcess::Running); // the main window is up, not a crash
        program.kill();
        program.waitForFinished();
        Database::shutdown();

        for (const TableDeclaration &d : TabelleProgramma()) {
            QVERIFY2(QFile::exists(dir.filePath(d.fileName)), qPrintable(d.fileName));
            QCOMPARE(Database::instance().readStructure(d.fileName).fields, d.fields);
        }
        Table lingua(QStringLiteral("lingua.db"));
        lingua.open();
        QCOMPARE(lingua.recordCount(), NumeroRigheLingua);
        Table settings(QStringLiteral("impostazioni.db"));
        settings.open();
        QCOMPARE(settings.recordCount(), 1);
        for (const char *blank : {"ANNATA", "CATEGORIA", "SQUADRAPREFERITA", "NGIORNATE", "NSQUADRE"})
            QVERIFY2(settings.fieldByName(QLatin1String(blank)).isNull(), blank);
        QCOMPARE(settings.fieldByName(QStringLiteral("MODULOROTAZIONI")).asBoolean(), true);
        lingua.close();
        settings.close();
        Database::shutdown();
        ImpostaCartellaProgramma(QString());
    }
};

QTEST_GUILESS_MAIN(TestE2eAvvio)
#include "test_e2e_avvio.moc"
