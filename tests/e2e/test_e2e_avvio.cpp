// Starts the real program in an empty folder and checks what it leaves on disk.
#include "core/cartella.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/righelingua.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace store;

namespace {

// The program copied into the folder (its folder is its program folder), started with its log of
// boxes and start-up progress switched on.
struct Programma {
    QProcess process;
    QByteArray log;
    explicit Programma(const QTemporaryDir &dir)
    {
        const QString exe = dir.filePath(QStringLiteral("rotaset"));
        QFile::copy(QStringLiteral(ROTASET_EXE), exe);
        QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("rotaset.*.info=true"));
        process.setProcessEnvironment(env);
        process.start(exe, {});
    }
    ~Programma()
    {
        process.kill();
        process.waitForFinished();
    }
    bool logged(const char *what)
    {
        log += process.readAllStandardError();
        return log.contains(what);
    }
};

// The nine tables made as at a first start, with the language chosen.
void prepara(const QTemporaryDir &dir, const QString &lingua)
{
    ImpostaCartellaProgramma(dir.path());
    {
        ScriptedMessages quiet;
        CreaTabellaEsportazione();
        CreaTabelle();
        Table t(QStringLiteral("impostazioni.db"));
        t.open();
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("LINGUA")).setAsString(lingua);
        t.post();
    }
    Database::shutdown();
    ImpostaCartellaProgramma(QString());
}

} // namespace

class TestE2eAvvio : public QObject {
    Q_OBJECT
private slots:
    // A language that is no column of the translation table: no translation, no box, no abort.
    void unknownLanguage()
    {
        QTemporaryDir dir;
        prepara(dir, QStringLiteral("Deutsch"));
        Programma program(dir);
        QVERIFY(program.process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(program.logged("finestra principale pronta") ||
                                     program.process.state() != QProcess::Running,
                                 60000);
        QCOMPARE(program.process.state(), QProcess::Running);
        QVERIFY2(!program.log.contains("rotaset.messaggi"), program.log.constData());
    }

    // A damaged translation table with English chosen: a box naming it, and the program goes on.
    void damagedTranslationTable()
    {
        QTemporaryDir dir;
        prepara(dir, QStringLiteral("English"));
        const QString lingua = dir.filePath(QStringLiteral("lingua.db"));
        {
            QFile f(lingua);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(2 * 4096);
            f.write(QByteArray(12, '\xff'));
        }
        Programma program(dir);
        QVERIFY(program.process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(program.logged("rotaset.messaggi") || program.process.state() != QProcess::Running,
                                 60000);
        QCOMPARE(program.process.state(), QProcess::Running);
        QVERIFY2(program.log.contains(lingua.toUtf8()), program.log.constData());
    }

    void firstStartMakesEveryTable()
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

        // The check at start is over once every table of the program reads.
        ImpostaCartellaProgramma(dir.path());
        auto ready = [] {
            try {
                for (const TableDeclaration &d : TabelleProgramma()) {
                    Table t(d.fileName);
                    t.open();
                }
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
