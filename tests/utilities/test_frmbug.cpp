// The fault report: the mail to the support mailbox with its subject and body decoded exactly, the
// dialog left open, the site link, and the captions in English.
#include "store/table.h"
#include "support/recordingshell.h"
#include "support/testprogram.h"
#include "ui/clickablelabel.h"
#include "utilities/frmbug.h"

#include <QLabel>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>
#include <memory>

class TestFrmBug : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void segnalaOpensTheMail()
    {
        RecordingShell shell;
        TfrmBug form;
        form.show();
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("ButSegnala")), Qt::LeftButton);
        QCOMPARE(shell.urls.size(), 1);
        const QUrl mail = shell.urls.first();
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), QStringLiteral("supporto@brivo.example"));
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Bug: Brivo_Rotaset, 04.2002-66"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Di seguito la segnalzione del bug:"));
        QVERIFY(form.isVisible()); // the dialog stays open
        QCOMPARE(program->boxes.count(), 0);

        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("ButEsci")), Qt::LeftButton);
        QVERIFY(!form.isVisible());
        QCOMPARE(shell.urls.size(), 1);
    }

    void theLinkOpensTheSite()
    {
        RecordingShell shell;
        TfrmBug form;
        form.show();
        auto *link = form.findChild<ClickableLabel *>(QStringLiteral("lblLink"));
        QVERIFY(link);
        QCOMPARE(link->text(), QStringLiteral("https://www.brivo.example/"));
        QCOMPARE(link->toolTip(), QStringLiteral("Vai al sito"));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(link->font().underline());
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(shell.urls, QList<QUrl>{QUrl(QStringLiteral("https://www.brivo.example/"))});
    }

    void captionsInItalianAndEnglish()
    {
        {
            TfrmBug form;
            QCOMPARE(form.windowTitle(), QStringLiteral("Segnalazione bug al team Brivo"));
            QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                     QStringLiteral("Premi su 'segnala' per inoltrarci la segnalazione dell'errore:"));
        }
        store::Table t(QStringLiteral("impostazioni.db"));
        t.open();
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("LINGUA")).setAsString(QStringLiteral("English"));
        t.post();
        t.close();
        TfrmBug form;
        const auto label = [&form](const char *n) { return form.findChild<QLabel *>(QLatin1String(n))->text(); };
        QCOMPARE(label("Label4"), QStringLiteral("Your support helps improve Brivo software"));
        QCOMPARE(label("Label1"), QStringLiteral("Click Report to send us the error report:"));
        QCOMPARE(label("Label2"), QStringLiteral("Answers to bugs already reported are in the"));
        QCOMPARE(label("Label3"), QStringLiteral("forum of our website"));
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("ButSegnala"))->text(), QStringLiteral("Report"));
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("ButEsci"))->text(), QStringLiteral("Exit"));
        // The site's address is no caption.
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("lblLink"))->text(), QStringLiteral("https://www.brivo.example/"));
    }
};

QTEST_MAIN(TestFrmBug)
#include "test_frmbug.moc"
