// The toolkit's own texts follow LINGUA: the buttons of the program's real message boxes read "Sì"
// and "No" in Italian (also with LINGUA empty), "Oui" and "Non" in French, "Yes" and "No" in
// English; and a question whose Yes destroys data has No as its default button.
#include "store/table.h"
#include "support/testprogram.h"
#include "ui/messageboxbackend.h"
#include "ui/traduzione.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

namespace {

void impostaLingua(const QString &lingua)
{
    store::Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("LINGUA")).setAsString(lingua);
    t.post();
}

QString senzaAcceleratore(QString testo) { return testo.remove(QLatin1Char('&')); }

struct Risposta {
    QStringList pulsanti;
    QString predefinito;
};

// Shows the box through the program's own backend and reads it while it is open; answers No.
Risposta leggiBox(const Messaggio &m)
{
    Risposta r;
    QTimer::singleShot(0, [&r] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton *b : box->buttons())
            r.pulsanti << senzaAcceleratore(b->text());
        r.pulsanti.sort();
        if (box->defaultButton())
            r.predefinito = senzaAcceleratore(box->defaultButton()->text());
        QAbstractButton *no = box->button(QMessageBox::No);
        (no ? no : box->buttons().first())->click();
    });
    MessageBoxBackend backend;
    backend.show(m);
    return r;
}

} // namespace

class TestLinguaToolkit : public QObject {
    Q_OBJECT
private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup()
    {
        ApplicaLinguaToolkit(QString());
        program.reset();
    }

    void messageBoxButtons_data()
    {
        QTest::addColumn<QString>("lingua");
        QTest::addColumn<QString>("si");
        QTest::addColumn<QString>("no");
        QTest::newRow("Italiano") << QStringLiteral("Italiano") << QStringLiteral("Sì") << QStringLiteral("No");
        QTest::newRow("empty") << QString() << QStringLiteral("Sì") << QStringLiteral("No");
        QTest::newRow("Français") << QStringLiteral("Français") << QStringLiteral("Oui") << QStringLiteral("Non");
        QTest::newRow("English") << QStringLiteral("English") << QStringLiteral("Yes") << QStringLiteral("No");
    }
    void messageBoxButtons()
    {
        QFETCH(QString, lingua);
        QFETCH(QString, si);
        QFETCH(QString, no);
        impostaLingua(lingua);
        QVERIFY2(ApplicaLinguaToolkit(), "the toolkit's translation files are not installed");

        const Risposta domanda = leggiBox({QStringLiteral("Richiesta."), QStringLiteral("Continuare?"),
                                           IconaMessaggio::Domanda, true});
        QStringList attesi{si, no};
        attesi.sort();
        QCOMPARE(domanda.pulsanti, attesi);

        const Risposta distruttiva = leggiBox({QStringLiteral("Richiesta."), QStringLiteral("Eliminare il rigo?"),
                                               IconaMessaggio::Domanda, true, true});
        QCOMPARE(distruttiva.predefinito, no);
    }

    // The print preview's own actions follow the language too.
    void printPreviewSpeaksTheLanguage()
    {
        impostaLingua(QStringLiteral("Italiano"));
        QVERIFY(ApplicaLinguaToolkit());
        QPrinter printer;
        QPrintPreviewDialog preview(&printer);
        QStringList testi;
        for (QAction *a : preview.findChild<QToolBar *>()->actions())
            testi << a->text();
        QVERIFY2(testi.contains(QStringLiteral("Stampa")), qPrintable(testi.join(QLatin1Char('|'))));
        QVERIFY(!testi.contains(QStringLiteral("Print")));
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestLinguaToolkit)
#include "test_linguatoolkit.moc"
