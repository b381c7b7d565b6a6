// The start with bad files and values: the main window and the resident forms are made all the
// same, with one box naming the bad file, and the captions stay Italian.
#include "app/frmabout.h"
#include "app/frmmain.h"
#include "app/frmstart.h"
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

#include <QAction>
#include <QCryptographicHash>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

void setLingua(const QString &lingua)
{
    ScriptedMessages quiet;
    CreaTabellaEsportazione();
    CreaTabelle();
    store::Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("LINGUA")).setAsString(lingua);
    t.post();
    t.close();
    store::Database::shutdown();
}

// Breaks the header of one data page: the structure still reads, the rows do not.
void damagePage(const QString &path, int page)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.size() >= page * 4096);
    f.seek((page - 1) * 4096);
    f.write(QByteArray(12, '\xff'));
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The start as the program makes it: the main window, then the resident forms, then activation.
struct Avvio {
    TFrmMain main;
    TFrmAbout about{&main};
    TfrmStart start{&main};
    TFrmGiornata giornata{&main};
    TFrmCalendario calendario{&main};
    Avvio()
    {
        FrmGiornata = &giornata;
        FrmCalendario = &calendario;
        main.FormActivate();
        main.FormActivate();
    }
    ~Avvio()
    {
        FrmGiornata = nullptr;
        FrmCalendario = nullptr;
    }
};

} // namespace

class TestAvvio : public QObject {
    Q_OBJECT
private slots:
    void damagedTranslationTableWithEnglish()
    {
        TempProgramFolder folder;
        setLingua(QStringLiteral("English"));
        const QString lingua = folder.file(QStringLiteral("lingua.db"));
        damagePage(lingua, 3);
        const QByteArray before = digest(lingua);
        ScriptedMessages boxes;
        Avvio avvio;
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().titolo, QStringLiteral("Errore"));
        QVERIFY2(boxes.last().testo.contains(lingua), qPrintable(boxes.last().testo));
        QCOMPARE(avvio.main.Voce(QStringLiteral("File1"))->text(), QStringLiteral("Calendario"));
        QCOMPARE(avvio.about.findChild<QPushButton *>(QStringLiteral("sbEsci"))->text(), QStringLiteral("Esci"));
        QCOMPARE(digest(lingua), before);
    }

    // Only the three language columns ever reach the query: another value means no translation
    // (and no caption loses its apostrophes).
    void unknownLanguageMeansNoTranslation()
    {
        TempProgramFolder folder;
        setLingua(QStringLiteral("Deutsch"));
        ScriptedMessages boxes;
        Avvio avvio;
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(avvio.main.Voce(QStringLiteral("File1"))->text(), QStringLiteral("Calendario"));
        QCOMPARE(avvio.about.findChild<QLabel *>(QStringLiteral("LabelTitolo3"))->text(), QStringLiteral("E' un prodotto Brivo"));
        QCOMPARE(Traduci(QStringLiteral("Esci"), QStringLiteral("Deutsch")), QStringLiteral("Esci"));
        QCOMPARE(Traduci(QStringLiteral("Esci"), QStringLiteral("English\" from lingua --")), QStringLiteral("Esci"));
        QCOMPARE(Traduci(QStringLiteral("&Esci"), QStringLiteral("English")), QStringLiteral("Exit"));
    }

    void damagedSettingsGiveOneBox()
    {
        TempProgramFolder folder;
        setLingua(QStringLiteral("English"));
        const QString settings = folder.file(QStringLiteral("impostazioni.db"));
        damagePage(settings, 2);
        const QByteArray before = digest(settings);
        ScriptedMessages boxes;
        Avvio avvio;
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().testo.contains(settings), qPrintable(boxes.last().testo));
        QCOMPARE(digest(settings), before);
    }

    // An engine error about a table names its file.
    void engineErrorsNameTheFile()
    {
        TempProgramFolder folder;
        setLingua(QStringLiteral("Italiano"));
        const QString lingua = folder.file(QStringLiteral("lingua.db"));
        damagePage(lingua, 3);
        for (int i = 0; i < 2; ++i) {
            try {
                if (i == 0) {
                    store::Table t(QStringLiteral("lingua.db"));
                    t.open();
                } else {
                    Traduci(QStringLiteral("Esci"), QStringLiteral("English"));
                }
                QFAIL("a damaged table read without an error");
            } catch (const store::EngineError &e) {
                QVERIFY2(e.message().contains(lingua), qPrintable(e.message()));
                QCOMPARE(e.file(), lingua);
            }
        }
    }
};

QTEST_MAIN(TestAvvio)
#include "test_avvio.moc"
