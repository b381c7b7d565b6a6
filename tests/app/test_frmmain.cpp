// The main window driven by its menu items' names: the two menu states, the rotation menu, the
// results check, discarding the calendar, help, About and the splash.
#include "app/comandi.h"
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "core/configurazione.h"
#include "store/database.h"
#include "store/table.h"
#include "support/recordingshell.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "ui/modale.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>
#include <functional>
#include <stdexcept>

using store::Table;

namespace {

const QStringList CalendarItems = {"Eliminailprecedente1", "Inseriscirisultati1", "Visualizzaclassifica",
                                   "Richiamagiornata1",    "Risultati1",          "Modificanomisquadre",
                                   "Persquadra1",          "Previsionegiornata1",  "Dategiornate1",
                                   "Stampacalendario1"};

void setSetting(const char *field, const QVariant &value)
{
    Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QLatin1String(field)).setValue(value);
    t.post();
}

void addMatchday(int number, bool played)
{
    Table t(QStringLiteral("giornate.db"));
    t.open();
    t.append();
    t.fieldByName(QStringLiteral("Giornata")).setAsInteger(number);
    t.fieldByName(QStringLiteral("Squadra1")).setAsString(QStringLiteral("L'Aquila"));
    t.fieldByName(QStringLiteral("Giocata")).setAsBoolean(played);
    t.post();
}

bool enabled(TFrmMain &w, const QString &item) { return w.Voce(item)->isEnabled(); }

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        boxes = std::make_unique<ScriptedMessages>();
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        boxes.reset();
        store::Database::shutdown();
        folder.reset();
    }

    void firstStartHasNoCalendar()
    {
        TFrmMain w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Brivo_Rotaset"));
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("LabelTitolo"))->text(),
                 QStringLiteral("Software specifico per la pallavolo"));
        w.FormActivate();
        QVERIFY(enabled(w, QStringLiteral("Calendario")));
        for (const QString &item : CalendarItems)
            QVERIFY2(!enabled(w, item), qPrintable(item));
        QVERIFY(w.Voce(QStringLiteral("Rotazioni1"))->isVisible());
        QCOMPARE(w.Voce(QStringLiteral("Aiuto1"))->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(boxes->count(), 0);
    }

    void oneChampionshipFieldMeansACalendar()
    {
        TFrmMain w;
        setSetting("CATEGORIA", QStringLiteral("Serie A1 Maschile"));
        w.FormActivate();
        QVERIFY(!enabled(w, QStringLiteral("Calendario")));
        for (const QString &item : CalendarItems)
            QVERIFY2(enabled(w, item), qPrintable(item));

        // The rotation menu follows its switch at the next activation.
        setSetting("MODULOROTAZIONI", false);
        QVERIFY(w.Voce(QStringLiteral("Rotazioni1"))->isVisible());
        w.FormActivate();
        QVERIFY(!w.Voce(QStringLiteral("Rotazioni1"))->isVisible());
    }

    void resultsEntryChecksThePlayedMatchdays()
    {
        TFrmMain w;
        int opened = 0;
        w.RegistraComando(QStringLiteral("FrmRisultati"), [&] { ++opened; });
        addMatchday(1, true);
        addMatchday(2, true);
        w.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
        QCOMPARE(opened, 0);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->last().titolo, QStringLiteral("Attenzione."));
        QCOMPARE(boxes->last().testo, QStringLiteral("Sono già stati inseriti tutti i risultati!"));

        addMatchday(3, false);
        w.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(boxes->count(), 1);
    }

    void discardingTheCalendar()
    {
        TFrmMain w;
        QSignalSpy ended(&w, &TFrmMain::programmaTerminato);
        setSetting("ANNATA", QStringLiteral("2009/2010"));
        setSetting("NSQUADRE", 4);
        addMatchday(1, false);
        const QStringList tables = {"Class.db", "giornate.db", "squadre.db", "date_giornate.db"};

        boxes->setNextAnswer(false);
        w.Voce(QStringLiteral("Eliminailprecedente1"))->trigger();
        QCOMPARE(boxes->last().titolo, QStringLiteral("Eliminazione calendario."));
        QCOMPARE(boxes->last().icona, IconaMessaggio::Attenzione);
        QVERIFY(boxes->last().siNo && boxes->last().noPredefinito);
        QVERIFY(boxes->last().testo.endsWith(QStringLiteral("Il programma verrà chiuso automaticamente.\nSei sicuro di "
                                                            "voler proseguire?")));
        QCOMPARE(ended.count(), 0);
        for (const QString &t : tables)
            QVERIFY(QFile::exists(folder->file(t)));

        boxes->setNextAnswer(true);
        w.Voce(QStringLiteral("Eliminailprecedente1"))->trigger();
        QCOMPARE(ended.count(), 1);
        for (const QString &t : tables)
            QVERIFY2(!QFile::exists(folder->file(t)), qPrintable(t));
        Table s(QStringLiteral("impostazioni.db"));
        s.open();
        for (const char *f : {"ANNATA", "CATEGORIA", "SQUADRAPREFERITA", "NGIORNATE", "NSQUADRE"})
            QVERIFY2(s.fieldByName(QLatin1String(f)).isNull(), f);
        QVERIFY(enabled(w, QStringLiteral("Calendario")));
        QCOMPARE(boxes->count(), 2);
    }

    void helpPage()
    {
        TFrmMain w;
        RecordingShell shell;
        w.Voce(QStringLiteral("Aiuto1"))->trigger();
        QCOMPARE(boxes->last().titolo, QStringLiteral("Errore"));
        QCOMPARE(boxes->last().testo, QStringLiteral("Impossibile aprire la guida, file help.html non trovato"));
        QVERIFY(shell.urls.isEmpty());

        QFile help(folder->file(QStringLiteral("help.html")));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        w.Voce(QStringLiteral("Aiuto1"))->trigger();
        QCOMPARE(shell.urls.size(), 1);
        QCOMPARE(shell.urls.first().toLocalFile(), folder->file(QStringLiteral("help.html")));
        QCOMPARE(boxes->count(), 1);
    }

    void englishMenu()
    {
        {
            TFrmMain first; // makes the tables
        }
        setSetting("LINGUA", QStringLiteral("English"));
        TFrmMain w;
        QCOMPARE(w.Voce(QStringLiteral("File1"))->text(), QStringLiteral("Calendar"));
        QCOMPARE(w.Voce(QStringLiteral("Calendario1"))->text(), QStringLiteral("Calendar management"));
        QCOMPARE(w.Voce(QStringLiteral("Calendario"))->text(), QStringLiteral("Make a new"));
        QCOMPARE(w.Voce(QStringLiteral("About2"))->text(), QStringLiteral("About"));
        QCOMPARE(w.Voce(QStringLiteral("About1"))->text(), QStringLiteral("?"));
        QCOMPARE(w.findChild<QPushButton *>(QStringLiteral("sbEsci"))->text(), QStringLiteral("Exit"));
        QVERIFY(w.Voce(QStringLiteral("Esportazioneasciiexcel1"))->text() != QStringLiteral("Esportazione ascii / excel"));
    }

    // A folder where the settings table should be: one box at start, naming the file as it is on
    // disk, and nothing more as the window is activated.
    void aSettingsFolderIsToldOnce()
    {
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("impostazioni.db")));
        TFrmMain w;
        w.FormActivate();
        w.FormActivate();
        QVERIFY2(boxes->count() == 1, qPrintable(boxes->texts().join(QStringLiteral("\n---\n"))));
        QVERIFY2(boxes->last().testo.contains(folder->file(QStringLiteral("impostazioni.db"))),
                 qPrintable(boxes->last().testo));
        QVERIFY(QFileInfo(folder->file(QStringLiteral("impostazioni.db"))).isDir());
    }

    void damagedSettingsAreToldOnce()
    {
        QFile damaged(folder->file(QStringLiteral("impostazioni.db")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(4096, 'x'));
        damaged.close();
        TFrmMain w; // the start-up check tells it, and so does the language lookup
        QVERIFY(boxes->shown.first().testo.contains(QStringLiteral("impostazioni.db")));
        const int atStart = boxes->count();
        w.FormActivate(); // each activation must not tell it again and again
        w.FormActivate();
        w.FormActivate();
        QVERIFY(boxes->count() <= atStart + 1);
        QVERIFY(enabled(w, QStringLiteral("Calendario")));
        QCOMPARE(damaged.size(), 4096);
    }

    void aboutAndSplash()
    {
        TFrmMain w;
        TFrmAbout about(&w);
        FrmAbout = &about;
        TfrmStart start(&w);
        frmStart = &start;
        RecordingShell shell;
        QList<QDialog *> shown;
        setModalBackend([&](QDialog &d) {
            shown << &d;
            return 0;
        });

        w.Voce(QStringLiteral("About2"))->trigger();
        QCOMPARE(shown, QList<QDialog *>{&about});
        QMetaObject::invokeMethod(about.findChild<QObject *>(QStringLiteral("lblLink")), "clicked");
        QCOMPARE(shell.urls.last(), QUrl(QString::fromLatin1(IndirizzoSitoBrivo)));
        QMetaObject::invokeMethod(about.findChild<QObject *>(QStringLiteral("Label13")), "clicked");
        const QUrlQuery mail(shell.urls.last());
        QCOMPARE(shell.urls.last().path(), QString::fromLatin1(MailSupportoBrivo));
        QCOMPARE(mail.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("Inf: Brivo_Rotaset, 04.2002-66"));
        QCOMPARE(mail.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Vorrei ricevere informazioni in più per quanto riguarda:"));

        QCOMPARE(start.windowTitle(), QStringLiteral("Caricamento Brivo_Rotaset"));
        QCOMPARE(start.TimerStart->interval(), 10000);
        QVERIFY(!start.TimerStart->isActive());
        start.show();
        QVERIFY(start.TimerStart->isActive());
        start.TimerStartTimer();
        QVERIFY(!start.TimerStart->isActive());
        QVERIFY(!start.isVisible());
        QVERIFY(w.isVisible());
        // A click on the splash ends the wait and starts no browser.
        const qsizetype aperti = shell.urls.size();
        w.hide();
        start.show();
        QMetaObject::invokeMethod(start.findChild<QObject *>(QStringLiteral("ImageLogo")), "clicked");
        QVERIFY(!start.isVisible());
        QVERIFY(!start.TimerStart->isActive());
        QVERIFY(w.isVisible());
        QCOMPARE(shell.urls.size(), aperti);

        frmStart = nullptr;
        FrmAbout = nullptr;
    }

    void rotationBoardFromMenu()
    {
        TFrmMain w;
        CollegaComandi(w);
        QStringList shown;
        setModalBackend([&](QDialog &d) {
            shown << QString::fromLatin1(d.metaObject()->className()) + QLatin1Char(' ') + d.windowTitle();
            return 0;
        });
        w.Voce(QStringLiteral("Rotazioni2"))->trigger();
        QCOMPARE(shown, QStringList{QStringLiteral("TFrmRTrotazioni Elenco rotazioni di gioco")});
    }

    // Every item of the menus runs a command once the commands are connected (About runs this
    // window's own); a command registered under a name no item has stops the program at once.
    void everyMenuItemHasItsCommand()
    {
        TFrmMain w;
        CollegaComandi(w);
        QStringList senza;
        int viste = 0;
        std::function<void(const QMenu *)> visita = [&](const QMenu *menu) {
            for (QAction *a : menu->actions()) {
                if (a->isSeparator())
                    continue;
                if (a->menu()) {
                    visita(a->menu());
                    continue;
                }
                ++viste;
                if (a->objectName() != QLatin1String("About2") && !w.HaComando(a->objectName()))
                    senza << a->objectName();
            }
        };
        for (const QAction *a : w.menuBar()->actions())
            visita(a->menu());
        QCOMPARE(viste, 26);
        QCOMPARE(senza, QStringList());
        QVERIFY(w.HaComando(QStringLiteral("FrmRisultati")));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, w.RegistraComando(QStringLiteral("Giocatori1"), [] {}));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, w.RegistraComando(QStringLiteral("Statistiche1"), [] {}));
    }

    void theExportItemOpensTheExportForm()
    {
        TFrmMain w;
        CollegaComandi(w);
        QString shown;
        setModalBackend([&](QDialog &d) {
            shown = d.objectName();
            return 0;
        });
        w.Voce(QStringLiteral("Esportazioneasciiexcel1"))->trigger();
        QCOMPARE(shown, QStringLiteral("frmEsportazioneTabelle"));
    }

private:
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedMessages> boxes;
};

QTEST_MAIN(TestFrmMain)
#include "test_frmmain.moc"
