// The shared small helpers: text pieces, date texts, file copy, the shell service and the process
// start.
#include "core/configurazione.h"
#include "core/helpers.h"
#include "core/processo.h"
#include "core/shell.h"
#include "support/recordingshell.h"
#include "support/scriptedmessages.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>
#include <unistd.h>

namespace {
QByteArray contenuto(qsizetype dimensione)
{
    QByteArray dati;
    dati.reserve(dimensione);
    for (qsizetype i = 0; i < dimensione; ++i)
        dati.append(char((i * 31 + 7) % 256));
    return dati;
}

bool scriviFile(const QString &percorso, const QByteArray &dati)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly) && file.write(dati) == dati.size();
}

QByteArray leggiFile(const QString &percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString messaggioDi(const QString &rigaDiComando)
{
    try {
        EseguiEAttendi(rigaDiComando);
    } catch (const ErroreProcesso &errore) {
        return QString::fromUtf8(errore.what()) == errore.messaggio() ? errore.messaggio()
                                                                      : QStringLiteral("what() differs");
    }
    return QStringLiteral("no error");
}
} // namespace

class TestHelpers : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setShellBackend(nullptr); }

    void textPieces()
    {
        QCOMPARE(Destra(QStringLiteral("abcdef"), 2), QStringLiteral("ef"));
        QCOMPARE(Sinistra(QStringLiteral("abcdef"), 2), QStringLiteral("ab"));
        // Past the end: the whole text; zero or negative: nothing (Qt alone would give it all).
        QCOMPARE(Sinistra(QStringLiteral("abc"), 10), QStringLiteral("abc"));
        QCOMPARE(Destra(QStringLiteral("abc"), 10), QStringLiteral("abc"));
        QCOMPARE(Sinistra(QStringLiteral("abc"), -1), QString());
        QCOMPARE(Destra(QStringLiteral("abc"), -5), QString());

        QCOMPARE(PrimoCarattere(QStringLiteral("Roma")), QChar(u'R'));
        QCOMPARE(UltimoCarattere(QStringLiteral("Roma")), QChar(u'a'));
        QCOMPARE(PrimoCarattere(QString()).unicode(), char16_t(0));
        QCOMPARE(UltimoCarattere(QString()).unicode(), char16_t(0));
    }

    void dateTexts()
    {
        const QDate cinqueMarzo(2024, 3, 5);
        QCOMPARE(GiornoDi(cinqueMarzo), QStringLiteral("05"));
        QCOMPARE(MeseDi(cinqueMarzo), QStringLiteral("03"));
        QCOMPARE(AnnoDi(cinqueMarzo), QStringLiteral("2024"));

        QCOMPARE(GiornoOggi().size(), 2);
        QCOMPARE(MeseOggi().size(), 2);
        QCOMPARE(AnnoOggi().size(), 4);
    }

    void copyRefusesWhatItCannotDo()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("Class.db"));
        QVERIFY(scriviFile(file, "dati"));

        // The same file, also when spelt differently: nothing is truncated.
        QVERIFY(!CopiaFile(file, file));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(!CopiaFile(file, dir.path() + QStringLiteral("/sub/../Class.db")));
        QCOMPARE(leggiFile(file), QByteArray("dati"));
        // A second name of the same file (a hard link): refused, and neither name is touched.
        const QString secondo = dir.filePath(QStringLiteral("sub/Secondo.db"));
        QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(secondo).constData()), 0);
        const QDateTime prima = QFileInfo(file).lastModified();
        QVERIFY(!CopiaFile(file, secondo));
        QVERIFY(!CopiaFile(secondo, file));
        QCOMPARE(leggiFile(file), QByteArray("dati"));
        QCOMPARE(leggiFile(secondo), QByteArray("dati"));
        QCOMPARE(QFileInfo(file).lastModified(), prima);

        QVERIFY(!CopiaFile(dir.filePath(QStringLiteral("manca.db")), dir.filePath(QStringLiteral("b.db"))));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("b.db"))));

        QVERIFY(!CopiaFile(file, dir.filePath(QStringLiteral("non/esiste/Class.db"))));
        // A folder is no source.
        QVERIFY(!CopiaFile(dir.path(), dir.filePath(QStringLiteral("c.db"))));
    }

    void copyKeepsBytesTimeAndPermissions()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString origine = dir.filePath(QStringLiteral("giornate.db"));
        const QString copia = dir.filePath(QStringLiteral("backup giornate.db"));
        // More than one block, and a last block that is not full.
        const QByteArray dati = contenuto(2048 * 3 + 517);
        QVERIFY(scriviFile(origine, dati));
        const QDateTime data = QDateTime(QDate(2002, 4, 1), QTime(10, 20, 30));
        {
            QFile file(origine);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(data, QFileDevice::FileModificationTime));
        }
        const QFileDevice::Permissions permessi = QFileDevice::ReadOwner | QFileDevice::ReadUser;
        QVERIFY(QFile::setPermissions(origine, permessi));
        // An older, longer copy is replaced completely.
        QVERIFY(scriviFile(copia, contenuto(20000)));

        QVERIFY(CopiaFile(origine, copia));
        QCOMPARE(leggiFile(copia), dati);
        const QFileInfo info(copia);
        QCOMPARE(info.lastModified(), data);
        QCOMPARE(info.permissions() & (QFileDevice::ReadOwner | QFileDevice::WriteOwner),
                 QFileDevice::Permissions(QFileDevice::ReadOwner));
    }

    void mailArrivesIntact()
    {
        RecordingShell shell;
        const QString oggetto = QStringLiteral("Inf: Brivo_Rotaset, 04.2002-66 & co. #1? 100% sì + l'ultima");
        const QString testo = QStringLiteral("Vorrei ricevere informazioni in più per quanto riguarda:\r\n"
                                             "a=b&c=d #x ?y 50%20 è perché l'anno");
        QVERIFY(InviaMail(QString::fromLatin1(MailSupportoBrivo), oggetto, testo));

        QCOMPARE(shell.urls.size(), 1);
        const QUrl url = shell.urls.first();
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), QStringLiteral("supporto@brivo.example"));
        QVERIFY(!url.hasFragment());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 2);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), oggetto);
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded), testo);
        // What the desktop receives as text: "+" must not be read as a blank, breaks as CR LF.
        const QByteArray codificato = url.toEncoded();
        QVERIFY(!codificato.contains(' '));
        QVERIFY(codificato.contains("%2B"));
        QVERIFY(codificato.contains("%0D%0A"));

        // A lone line feed leaves as CR LF.
        QVERIFY(InviaMail(QStringLiteral("a@b.example"), QStringLiteral("x"), QStringLiteral("uno\ndue")));
        QCOMPARE(QUrlQuery(shell.urls.last()).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("uno\r\ndue"));
    }

    void documentsAndWebAddresses()
    {
        RecordingShell shell;
        QVERIFY(ApriDocumento(QString::fromLatin1(IndirizzoSitoBrivo)));
        QCOMPARE(shell.urls.last(), QUrl(QStringLiteral("https://www.brivo.example/")));

        // A file name with a blank and a "#" stays a file name.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("guida #2 più.html"));
        QVERIFY(ApriDocumento(file));
        QVERIFY(shell.urls.last().isLocalFile());
        QCOMPARE(shell.urls.last().toLocalFile(), file);

        // Without a backend nothing is opened and the caller hears so.
        setShellBackend(nullptr);
        QVERIFY(!ApriDocumento(QString::fromLatin1(IndirizzoSitoBrivo)));
        QCOMPARE(shell.urls.size(), 2);
    }

    // A desktop that opens nothing: each request says what could not be opened and where it is.
    void whatCouldNotBeOpenedIsShown()
    {
        ScriptedMessages boxes;
        RecordingShell shell;
        shell.opens = false;
        QVERIFY(!InviaMail(QString::fromLatin1(MailSupportoBrivo), QStringLiteral("Bug: l'ultima"),
                           QStringLiteral("Allegare il file: /tmp/dati_Brivo_Rotaset.zip")));
        QVERIFY(!ApriDocumento(QString::fromLatin1(IndirizzoSitoBrivo)));
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("classifica più.xlsx"));
        QVERIFY(!ApriDocumento(file));
        QCOMPARE(boxes.count(), 3);
        for (const Messaggio &m : boxes.shown)
            QCOMPARE(m.icona, IconaMessaggio::Attenzione);
        QVERIFY(boxes.shown[0].testo.contains(QStringLiteral("programma di posta")));
        QVERIFY(boxes.shown[0].testo.contains(QString::fromLatin1(MailSupportoBrivo)));
        QVERIFY(boxes.shown[0].testo.contains(QStringLiteral("Bug: l'ultima")));
        QVERIFY(boxes.shown[0].testo.contains(QStringLiteral("/tmp/dati_Brivo_Rotaset.zip")));
        QVERIFY(boxes.shown[1].testo.contains(QStringLiteral("browser")));
        QVERIFY(boxes.shown[1].testo.contains(QStringLiteral("https://www.brivo.example/")));
        QVERIFY(boxes.shown[2].testo.contains(QDir::toNativeSeparators(file)));
        QVERIFY(boxes.shown[2].testo.contains(QDir::toNativeSeparators(dir.path())));

        // A desktop that opens them shows nothing.
        shell.opens = true;
        QVERIFY(ApriDocumento(file));
        QCOMPARE(boxes.count(), 3);
    }

    void processExitCodes()
    {
#ifdef Q_OS_UNIX
        QCOMPARE(EseguiEAttendi(QStringLiteral("sh -c \"exit 3\"")), 3);

        // A program whose path has a blank, and an argument with a blank, both in quotes.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString cartella = dir.filePath(QStringLiteral("con spazio"));
        QVERIFY(QDir().mkpath(cartella));
        const QString script = cartella + QStringLiteral("/ricostruisci.sh");
        QVERIFY(scriviFile(script, "#!/bin/sh\n[ \"$#\" -eq 2 ] && [ \"$1\" = \"Class.db\" ] && "
                                   "[ \"$2\" = \"a b\" ] && exit 4\nexit 9\n"));
        QVERIFY(QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                  | QFileDevice::ExeOwner));
        QCOMPARE(EseguiEAttendi(QLatin1Char('"') + script + QStringLiteral("\" Class.db \"a b\"")), 4);
        // No shell in between: shell syntax is an ordinary argument.
        QCOMPARE(EseguiEAttendi(QLatin1Char('"') + script + QStringLiteral("\" Class.db \"a b\" ; exit 0")), 9);

        // A program killed by a signal has no exit code.
        QCOMPARE(messaggioDi(QStringLiteral("sh -c \"kill -KILL $$\"")),
                 QStringLiteral("Error in GetExitCodeProcess"));
#endif
        QCOMPARE(messaggioDi(QStringLiteral("/non/esiste/Pdxrbld")), QStringLiteral("Error during CreateProcess"));
        QCOMPARE(messaggioDi(QString()), QStringLiteral("Error during CreateProcess"));
    }
};

QTEST_GUILESS_MAIN(TestHelpers)
#include "test_helpers.moc"
