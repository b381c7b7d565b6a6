// The version-check form with the page service replaced: a newer build, the same build, a failed
// or timed-out reading, a page without a number, "No" to the connection question, the question
// asked once per opening, a second check starting from nothing, Esci during a reading, the download.
#include "core/cartella.h"
#include "store/table.h"
#include "support/recordingshell.h"
#include "support/testprogram.h"
#include "utilities/frmcontrollaversione.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

using store::Table;

namespace {

class RichiestaFinta : public RichiestaPagina {
public:
    using RichiestaPagina::RichiestaPagina;
    void interrompi() override { interrotta = true; }
    void concludi(Esito esito, const QString &testo) { emit conclusa(esito, testo); }
    bool interrotta = false;
};

// Records the addresses asked for and keeps each request open until the test concludes it.
class ServizioFinto : public ServizioPagine {
public:
    ServizioFinto() { setServizioPagine(this); }
    ~ServizioFinto() override { setServizioPagine(nullptr); }
    RichiestaPagina *richiedi(const QUrl &indirizzo, QObject *parent) override
    {
        indirizzi << indirizzo;
        auto *r = new RichiestaFinta(parent);
        richieste << r;
        return r;
    }
    RichiestaFinta *ultima() const { return richieste.isEmpty() ? nullptr : richieste.last().data(); }
    QList<QUrl> indirizzi;
    QList<QPointer<RichiestaFinta>> richieste;
};

const QString Domanda = QStringLiteral(
    "Per eseguire il controllo di evetuali nuove versioni bisogna essere connessi ad internet, continuo?");

QString pagina(const QString &versione)
{
    return QStringLiteral("<html><head><title>Brivo</title></head><body><h1>Brivo_Rotaset</h1>"
                          "<p>Versione %1</p></body></html>")
        .arg(versione);
}

} // namespace

class TestFrmControllaVersione : public QObject {
    Q_OBJECT

    std::unique_ptr<TestProgram> program;
    std::unique_ptr<ServizioFinto> servizio;
    std::unique_ptr<TFrmControllaVersione> form;

    QString testo(const char *nome) const { return form->findChild<QLabel *>(QLatin1String(nome))->text(); }
    QString stile(const char *nome) const { return form->findChild<QLabel *>(QLatin1String(nome))->styleSheet(); }
    QPushButton *pulsante(const char *nome) const { return form->findChild<QPushButton *>(QLatin1String(nome)); }

    // Opens the form answering the connection question as told.
    void apri(bool si)
    {
        program->boxes.setNextAnswer(si);
        form = std::make_unique<TFrmControllaVersione>();
        show();
    }

    // Shows the form and lets its first activation run.
    void show()
    {
        form->show();
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        servizio = std::make_unique<ServizioFinto>();
    }
    void cleanup()
    {
        form.reset();
        servizio.reset();
        program.reset();
    }

    void newerBuildOffersTheDownload()
    {
        RecordingShell shell;
        apri(true);
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().testo, Domanda);
        QCOMPARE(servizio->indirizzi,
                 QList<QUrl>{QUrl(QStringLiteral("https://www.brivo.example/index.php?show=ctrlvers&prg=Brivo_Rotaset"))});
        QCOMPARE(testo("LabVerAttuale"), QStringLiteral("66"));
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Controllo versione in corso..."));
        QVERIFY(!pulsante("sbControlla")->isEnabled());
        QVERIFY(form->InCorso());

        servizio->ultima()->concludi(RichiestaPagina::Esito::Riuscita, pagina(QStringLiteral("04.2002-67")));
        QVERIFY(!form->InCorso());
        QCOMPARE(testo("LabVerInternet"), QStringLiteral("67"));
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Disponibile una nuove versione!!"));
        QVERIFY(stile("LabMessaggioGrande").contains(QLatin1String("#008000")));
        QCOMPARE(testo("LabMessaggioPiccolo"), QStringLiteral("Premi su scarica e chiudi il programma."));
        QVERIFY(pulsante("sbControlla")->isEnabled());
        QVERIFY(pulsante("sbScarica")->isEnabled());
        QCOMPARE(form->findChild<QListWidget *>(QStringLiteral("ListURL"))->count(), 1);

        QTest::mouseClick(pulsante("sbScarica"), Qt::LeftButton);
        QCOMPARE(shell.urls, QList<QUrl>{QUrl(IndirizzoScaricamento())});
        QVERIFY(IndirizzoScaricamento().startsWith(QLatin1String("https://www.brivo.example/prg/")));
        QVERIFY(!pulsante("sbScarica")->isEnabled());
        QCOMPARE(pulsante("sbScarica")->toolTip(), IndirizzoScaricamento());
        QCOMPARE(program->boxes.count(), 1);
    }

    void sameBuildIsNoNewVersion()
    {
        apri(true);
        servizio->ultima()->concludi(RichiestaPagina::Esito::Riuscita, pagina(QStringLiteral("04.2002-66")));
        QCOMPARE(testo("LabVerInternet"), QStringLiteral("66"));
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Nessuna nuova versione disponibile."));
        QVERIFY(stile("LabMessaggioGrande").contains(QLatin1String("#c00000")));
        QCOMPARE(testo("LabMessaggioPiccolo"), QStringLiteral("Impossibile scaricare la nuova versione."));
        QVERIFY(!pulsante("sbScarica")->isEnabled());
    }

    void failuresGiveNoVerdict_data()
    {
        QTest::addColumn<int>("esito");
        QTest::addColumn<QString>("testoPagina");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no connection") << int(RichiestaPagina::Esito::Errore) << QStringLiteral("Host not found")
                                       << QStringLiteral("Impossibile contattare il sito Brivo.");
        QTest::newRow("time limit") << int(RichiestaPagina::Esito::TempoScaduto) << QString()
                                    << QStringLiteral("Il sito Brivo non risponde.");
        QTest::newRow("no number") << int(RichiestaPagina::Esito::Riuscita)
                                   << QStringLiteral("<body>Versione non disponibile</body>")
                                   << QStringLiteral("Controllo non riuscito.");
        QTest::newRow("a word instead of a number") << int(RichiestaPagina::Esito::Riuscita)
                                                    << pagina(QStringLiteral("04.2002-nuova"))
                                                    << QStringLiteral("Controllo non riuscito.");
        QTest::newRow("a negative number") << int(RichiestaPagina::Esito::Riuscita)
                                           << QStringLiteral("<body>Versione 04.2002--5<</body>")
                                           << QStringLiteral("Controllo non riuscito.");
        QTest::newRow("the number only in the head")
            << int(RichiestaPagina::Esito::Riuscita)
            << QStringLiteral("<head><title>Versione 04.2002-90</title></head><body>Pagina</body>")
            << QStringLiteral("Controllo non riuscito.");
    }

    void failuresGiveNoVerdict()
    {
        QFETCH(int, esito);
        QFETCH(QString, testoPagina);
        QFETCH(QString, motivo);
        apri(true);
        servizio->ultima()->concludi(RichiestaPagina::Esito(esito), testoPagina);
        QCOMPARE(testo("LabMessaggioPiccolo"), QStringLiteral("Impossibile trovare il numero di versione."));
        QCOMPARE(testo("LabMessaggioGrande"), motivo);
        QCOMPARE(testo("LabVerInternet"), QString());
        QVERIFY(!pulsante("sbScarica")->isEnabled());
        QVERIFY(pulsante("sbControlla")->isEnabled());
        QCOMPARE(program->boxes.count(), 1);
    }

    void noToTheQuestionLoadsNothing()
    {
        apri(false);
        QCOMPARE(program->boxes.count(), 1);
        QVERIFY(servizio->indirizzi.isEmpty());
        QCOMPARE(testo("LabMessaggioGrande"), QString());
        QCOMPARE(testo("LabMessaggioPiccolo"), QString());
        QCOMPARE(testo("LabVerInternet"), QString());
        QCOMPARE(testo("LabVerAttuale"), QStringLiteral("66"));
        QVERIFY(pulsante("sbControlla")->isEnabled());
        QVERIFY(!pulsante("sbScarica")->isEnabled());

        // Controlla still works afterwards, without asking.
        QTest::mouseClick(pulsante("sbControlla"), Qt::LeftButton);
        QCOMPARE(servizio->indirizzi.size(), 1);
        QCOMPARE(program->boxes.count(), 1);
    }

    void questionAskedOncePerOpening()
    {
        apri(true);
        servizio->ultima()->concludi(RichiestaPagina::Esito::Riuscita, pagina(QStringLiteral("04.2002-66")));
        // A message box closed activates the window again; so does coming back from another window.
        MostraMessaggio(QStringLiteral("Un messaggio qualsiasi."));
        QEvent attiva(QEvent::WindowActivate);
        QCoreApplication::sendEvent(form.get(), &attiva);
        form->hide();
        show();
        QCOMPARE(program->boxes.count(), 2);
        QCOMPARE(program->boxes.texts().count(Domanda), 1);
        QCOMPARE(servizio->indirizzi.size(), 1);
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Nessuna nuova versione disponibile."));

        // Closing ends the opening: the next one asks again.
        form->close();
        program->boxes.setNextAnswer(false);
        show();
        QCOMPARE(program->boxes.texts().count(Domanda), 2);
        QCOMPARE(servizio->indirizzi.size(), 1);
    }

    void closedBeforeItsActivationAsksNothing()
    {
        form = std::make_unique<TFrmControllaVersione>();
        form->show();
        form->close();
        QCoreApplication::processEvents();
        QCOMPARE(program->boxes.count(), 0);
        QVERIFY(servizio->indirizzi.isEmpty());
    }

    void secondCheckStartsFromNothing()
    {
        apri(true);
        servizio->ultima()->concludi(RichiestaPagina::Esito::Riuscita, pagina(QStringLiteral("04.2002-67")));
        QVERIFY(pulsante("sbScarica")->isEnabled());

        QTest::mouseClick(pulsante("sbControlla"), Qt::LeftButton);
        QCOMPARE(servizio->indirizzi.size(), 2);
        // While the second reading runs, nothing of the first stays on show.
        QCOMPARE(testo("LabVerInternet"), QString());
        QCOMPARE(testo("LabMessaggioPiccolo"), QString());
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Controllo versione in corso..."));
        QVERIFY(!pulsante("sbScarica")->isEnabled());
        QCOMPARE(form->findChild<QListWidget *>(QStringLiteral("ListURL"))->count(), 0);
        // Clicking again while it runs starts no second reading.
        form->sbControllaClick();
        QCOMPARE(servizio->indirizzi.size(), 2);

        // The page now has 66: the new value counts, not the first one ever read.
        servizio->ultima()->concludi(RichiestaPagina::Esito::Riuscita, pagina(QStringLiteral("04.2002-66")));
        QCOMPARE(testo("LabVerInternet"), QStringLiteral("66"));
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Nessuna nuova versione disponibile."));
        QVERIFY(!pulsante("sbScarica")->isEnabled());

        // A failure after a success: no number of the earlier check is left.
        QTest::mouseClick(pulsante("sbControlla"), Qt::LeftButton);
        servizio->ultima()->concludi(RichiestaPagina::Esito::Errore, QString());
        QCOMPARE(testo("LabVerInternet"), QString());
        QCOMPARE(testo("LabMessaggioPiccolo"), QStringLiteral("Impossibile trovare il numero di versione."));
    }

    void esciDuringAReadingGivesItUp()
    {
        apri(true);
        QPointer<RichiestaFinta> richiesta = servizio->ultima();
        QVERIFY(form->InCorso());
        QTest::mouseClick(pulsante("sbEsci"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(richiesta && richiesta->interrotta);
        QVERIFY(!form->InCorso());
        // A late answer of the given-up reading changes nothing.
        richiesta->concludi(RichiestaPagina::Esito::Riuscita, pagina(QStringLiteral("04.2002-67")));
        QCOMPARE(testo("LabMessaggioGrande"), QStringLiteral("Controllo versione in corso..."));
        QVERIFY(!pulsante("sbScarica")->isEnabled());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(richiesta.isNull());
    }

    void destroyingTheFormDuringAReadingGivesItUp()
    {
        apri(true);
        QPointer<RichiestaFinta> richiesta = servizio->ultima();
        form.reset();
        QVERIFY(richiesta.isNull());
    }

    void englishCaptions()
    {
        Table t(QStringLiteral("impostazioni.db"));
        t.open();
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("LINGUA")).setAsString(QStringLiteral("English"));
        t.post();
        t.close();
        apri(false);
        QCOMPARE(form->windowTitle(), QStringLiteral("Checking for available updates"));
        QCOMPARE(testo("Label1"), QStringLiteral("Current version"));
        QCOMPARE(testo("Label2"), QStringLiteral("Version available online"));
        QCOMPARE(pulsante("sbControlla")->text(), QStringLiteral("Check"));
        QCOMPARE(pulsante("sbScarica")->text(), QStringLiteral("Download"));
    }
};

QTEST_MAIN(TestFrmControllaVersione)
#include "test_frmcontrollaversione.moc"
