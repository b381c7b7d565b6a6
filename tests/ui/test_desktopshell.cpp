// The desktop shell as the running program uses it: the opener gets the address or the file's path,
// and an opener that ends in failure (no program for a mailto:, a page or a file) is told to the
// user with what could not be opened, while one that succeeds shows nothing.
#include "support/scriptedmessages.h"
#include "ui/desktopshell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A folder holding an xdg-open that writes its argument to `aperto` and ends with `codice`.
bool opener(const QTemporaryDir &dir, int codice)
{
    QFile script(dir.filePath(QStringLiteral("xdg-open")));
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                     .arg(dir.filePath(QStringLiteral("aperto")))
                     .arg(codice)
                     .toUtf8());
    script.close();
    return script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}
QByteArray letto(const QTemporaryDir &dir)
{
    QFile f(dir.filePath(QStringLiteral("aperto")));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestDesktopShell : public QObject {
    Q_OBJECT
private slots:
    void init() { path = qgetenv("PATH"); }
    void cleanup() { qputenv("PATH", path); }

    void failingOpenerIsToldSucceedingOneIsNot()
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        ScriptedMessages boxes;
        DesktopShell shell;
        QTemporaryDir riesce;
        QTemporaryDir fallisce;
        QVERIFY(opener(riesce, 0) && opener(fallisce, 3));

        // A file with a blank in its name reaches the opener as a path.
        const QString file = riesce.filePath(QStringLiteral("classifica 2026.xlsx"));
        qputenv("PATH", QFile::encodeName(riesce.path()));
        QVERIFY(shell.openUrl(QUrl::fromLocalFile(file)));
        QTRY_COMPARE(letto(riesce), file.toUtf8());

        qputenv("PATH", QFile::encodeName(fallisce.path()));
        const QUrl mail(QStringLiteral("mailto:supporto@brivo.example?subject=Bug"));
        QVERIFY(shell.openUrl(mail));
        QTRY_COMPARE(boxes.count(), 1);
        QCOMPARE(letto(fallisce), mail.toEncoded());
        QCOMPARE(boxes.last().icona, IconaMessaggio::Attenzione);
        QVERIFY(boxes.last().testo.contains(QStringLiteral("supporto@brivo.example")));

#else
        QSKIP("xdg-open is the opener of the free desktops only");
#endif
    }

private:
    QByteArray path;
};

QTEST_MAIN(TestDesktopShell)
#include "test_desktopshell.moc"
