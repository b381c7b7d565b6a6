// The program installed under a prefix, as "cmake --install" lays it out: its files in place, the
// menu entry valid, and the tables in the user's data folder; a portable copy keeps them beside
// itself; a copy in a folder it cannot write, without the installation mark, goes to the data folder.
// The Debian package holds the same tree and names the runtime packages it needs.
#include "core/cartella.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

using namespace store;

namespace {

const char *const Tabelle[] = {"giornate.db",   "squadre.db",     "Class.db",         "lingua.db",    "impostazioni.db",
                               "rt_squadre.db", "rt_giocatori.db", "rt_formazioni.db", "tabexport.db"};

QStringList tabelleIn(const QString &cartella)
{
    QStringList presenti;
    for (const char *t : Tabelle)
        if (QFileInfo::exists(cartella + QLatin1Char('/') + QLatin1String(t)))
            presenti << QLatin1String(t);
    return presenti;
}

// Starts the program with its user data folder in datiUtente, waits until its start-up check has
// made every table in the expected folder, and stops it. With utente, it runs as that user id.
bool avvia(const QString &eseguibile, const QString &datiUtente, const QString &attesa, uid_t utente = 0)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), datiUtente);
    env.insert(QStringLiteral("HOME"), datiUtente);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (utente) {
        const QString id = QString::number(utente);
        program.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=") + id, QStringLiteral("--regid=") + id,
                                                  QStringLiteral("--clear-groups"), eseguibile});
    } else {
        program.start(eseguibile, {});
    }
    if (!program.waitForStarted())
        return false;

    // The last table made at start is the rotation line-ups: once it reads, the check is over.
    ImpostaCartellaProgramma(attesa);
    bool pronto = false;
    for (int i = 0; i < 600 && !pronto && program.state() == QProcess::Running; ++i) {
        try {
            Table t(QStringLiteral("rt_formazioni.db"));
            t.open();
            pronto = true;
        } catch (const EngineError &) {
            Database::shutdown();
            program.waitForFinished(100); // returns at once if the program ends
        }
    }
    Database::shutdown();
    ImpostaCartellaProgramma(QString());
    const bool viva = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished();
    return pronto && viva;
}

bool esegui(const QString &comando, const QStringList &argomenti, QString *uscita = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(comando, argomenti);
    if (!p.waitForFinished(300000))
        return false;
    const QString testo = QString::fromLocal8Bit(p.readAll());
    if (uscita)
        *uscita = testo;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qWarning().noquote() << comando << argomenti << testo;
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TestE2eInstallazione : public QObject {
    Q_OBJECT
    QTemporaryDir radice;
    QString prefisso;

private slots:
    void initTestCase()
    {
        QVERIFY(radice.isValid());
        QFile::setPermissions(radice.path(), QFile::permissions(radice.path()) | QFile::ReadOther | QFile::ExeOther |
                                                 QFile::ReadGroup | QFile::ExeGroup);
        prefisso = radice.filePath(QStringLiteral("prefisso"));
        QVERIFY(esegui(QStringLiteral(CMAKE_COMMAND),
                       {QStringLiteral("--install"), QStringLiteral(ROTASET_BUILD_DIR), QStringLiteral("--prefix"),
                        prefisso}));
    }

    void theInstalledTree()
    {
        const QString programma = prefisso + QStringLiteral("/lib/rotaset/");
        QFileInfo collegamento(prefisso + QStringLiteral("/bin/rotaset"));
        QVERIFY(collegamento.isSymLink());
        QCOMPARE(collegamento.canonicalFilePath(), QFileInfo(programma + QStringLiteral("rotaset")).canonicalFilePath());
        QVERIFY(QFileInfo(programma + QStringLiteral("rotaset")).isExecutable());
        QVERIFY(QFileInfo::exists(programma + QStringLiteral("help.html")));
        QVERIFY(QFileInfo(programma + QStringLiteral("Pdxrbld")).isExecutable());
        QVERIFY(QFileInfo::exists(programma + QLatin1String(SegnoInstallazione)));
        QVERIFY(QFileInfo::exists(prefisso + QStringLiteral("/share/icons/hicolor/scalable/apps/rotaset.svg")));
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString png = prefisso + QStringLiteral("/share/icons/hicolor/%1x%1/apps/rotaset.png").arg(size);
            QVERIFY2(QFileInfo::exists(png), qPrintable(png));
        }
        const QString desktop = prefisso + QStringLiteral("/share/applications/rotaset.desktop");
        QVERIFY(QFileInfo::exists(desktop));
        const QString validatore = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (validatore.isEmpty())
            QSKIP("desktop-file-validate is not installed (scripts/install-deps.sh installs it)");
        QString uscita;
        QVERIFY2(esegui(validatore, {desktop}, &uscita), qPrintable(uscita));
        QVERIFY2(uscita.trimmed().isEmpty(), qPrintable(uscita)); // not even a hint
    }

    void installedProgramKeepsItsTablesInTheUserDataFolder()
    {
        // The program's folder read-only, as an installation under /usr leaves it.
        const QString programma = prefisso + QStringLiteral("/lib/rotaset");
        QFile::setPermissions(programma, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                             QFile::ReadOther | QFile::ExeOther);
        const QString datiUtente = radice.filePath(QStringLiteral("utente"));
        QVERIFY(QDir().mkpath(datiUtente));
        QVERIFY(avvia(prefisso + QStringLiteral("/bin/rotaset"), datiUtente, datiUtente + QStringLiteral("/rotaset")));
        QCOMPARE(tabelleIn(datiUtente + QStringLiteral("/rotaset")).size(), int(std::size(Tabelle)));
        QCOMPARE(tabelleIn(programma), QStringList());
        QFile::setPermissions(programma, QFile::permissions(programma) | QFile::WriteOwner);
    }

    void portableCopyKeepsItsTablesBesideIt()
    {
        const QString portatile = radice.filePath(QStringLiteral("portatile"));
        QVERIFY(QDir().mkpath(portatile));
        QVERIFY(QFile::copy(prefisso + QStringLiteral("/lib/rotaset/rotaset"), portatile + QStringLiteral("/rotaset")));
        QVERIFY(QFile::copy(prefisso + QStringLiteral("/lib/rotaset/help.html"), portatile + QStringLiteral("/help.html")));
        const QString datiUtente = radice.filePath(QStringLiteral("utente-portatile"));
        QVERIFY(QDir().mkpath(datiUtente));
        QVERIFY(avvia(portatile + QStringLiteral("/rotaset"), datiUtente, portatile));
        QCOMPARE(tabelleIn(portatile).size(), int(std::size(Tabelle)));
        QVERIFY(!QFileInfo::exists(datiUtente + QStringLiteral("/rotaset")));
    }

    void theDebianPackage()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("dpkg-deb")).isEmpty())
            QSKIP("dpkg-deb is not installed");
        const QString uscita = radice.filePath(QStringLiteral("pacchetto"));
        QVERIFY(esegui(QStringLiteral(CPACK_COMMAND), {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                                                       QStringLiteral(ROTASET_BUILD_DIR "/CPackConfig.cmake"),
                                                       QStringLiteral("-B"), uscita}));
        const QStringList pacchetti = QDir(uscita).entryList({QStringLiteral("rotaset_*.deb")}, QDir::Files);
        QCOMPARE(pacchetti.size(), 1);
        const QString deb = uscita + QLatin1Char('/') + pacchetti.first();

        QString campi;
        QVERIFY(esegui(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, QStringLiteral("Package"),
                                                     QStringLiteral("Depends")},
                       &campi));
        QVERIFY2(campi.contains(QLatin1String("Package: rotaset")), qPrintable(campi));
        for (const char *dipendenza : {"libqt6widgets6", "libqt6network6", "libqt6printsupport6", "qt6-qpa-plugins",
                                       "libsqlite3-0", "libzip4", "libxlsxwriter4"})
            QVERIFY2(campi.contains(QLatin1String(dipendenza)), dipendenza);

        QString elenco;
        QVERIFY(esegui(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb}, &elenco));
        for (const char *file : {"./usr/bin/rotaset -> ../lib/rotaset/rotaset", "./usr/lib/rotaset/rotaset",
                                 "./usr/lib/rotaset/help.html", "./usr/lib/rotaset/rotaset-installato", "./usr/lib/rotaset/Pdxrbld",
                                 "./usr/share/applications/rotaset.desktop",
                                 "./usr/share/icons/hicolor/scalable/apps/rotaset.svg",
                                 "./usr/share/icons/hicolor/48x48/apps/rotaset.png"})
            QVERIFY2(elenco.contains(QLatin1String(file)), file);
    }

    void unwritableFolderWithoutTheMark()
    {
        // Only another user meets a folder it cannot write: root writes anywhere.
        if (geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("needs root and setpriv to run the program as another user");
        const uid_t nessuno = 65534;
        const QString cartella = radice.filePath(QStringLiteral("solalettura"));
        QVERIFY(QDir().mkpath(cartella));
        QVERIFY(QFile::copy(prefisso + QStringLiteral("/lib/rotaset/rotaset"), cartella + QStringLiteral("/rotaset")));
        QFile::setPermissions(cartella + QStringLiteral("/rotaset"),
                              QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(cartella, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner | QFile::ReadOther |
                                            QFile::ExeOther);
        QProcess prova; // the temporary folder must be reachable for that user
        prova.start(QStringLiteral("setpriv"), {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                                QStringLiteral("--clear-groups"), QStringLiteral("test"),
                                                QStringLiteral("-x"), cartella + QStringLiteral("/rotaset")});
        if (!prova.waitForFinished() || prova.exitCode() != 0)
            QSKIP("the temporary folder is out of reach for another user");
        const QString datiUtente = radice.filePath(QStringLiteral("utente-nessuno"));
        QVERIFY(QDir().mkpath(datiUtente));
        QVERIFY(chown(QFile::encodeName(datiUtente).constData(), nessuno, nessuno) == 0);
        QVERIFY(avvia(cartella + QStringLiteral("/rotaset"), datiUtente, datiUtente + QStringLiteral("/rotaset"), nessuno));
        QCOMPARE(tabelleIn(datiUtente + QStringLiteral("/rotaset")).size(), int(std::size(Tabelle)));
        QCOMPARE(tabelleIn(cartella), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestE2eInstallazione)
#include "test_e2e_installazione.moc"
