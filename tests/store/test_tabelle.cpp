// The start-up check of the nine tables: creation, the rebuild of a changed table with its rows,
// the safe swap, the refused rows and their log, the translation rows and the default settings.
#include "core/cartella.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/righelingua.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace store;

namespace {

QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QStringList values(const QString &file, const QString &field)
{
    Table t(file);
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.fieldByName(field).asString();
    return out;
}

// An older Class.db: no Riposo field, and Squadre only 20 characters wide.
TableDeclaration oldStandings()
{
    TableDeclaration d = DichiarazioneClassifica();
    d.fields.removeLast();
    d.fields[1].size = 20;
    return d;
}

void fillStandings(int rows)
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    Transaction tr;
    for (int i = 0; i < rows; ++i) {
        t.append();
        t.fieldByName(QStringLiteral("Punti")).setAsInteger(i);
        t.fieldByName(QStringLiteral("Squadre")).setAsString(i == 0 ? QStringLiteral("Virtus d'Òvada") : QStringLiteral("S%1").arg(i));
        t.post();
    }
    tr.commit();
}

// A stop in the middle of the work, as a crash would make it.
struct Crash {};

} // namespace

class TestTabelle : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        Database::faultHook() = nullptr;
        Database::shutdown();
    }

    void firstStartAndUnchangedRestart()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        CreaTabellaEsportazione();
        CreaTabelle();
        QCOMPARE(boxes.count(), 0);

        Database &db = Database::instance();
        for (const TableDeclaration &d : TabelleProgramma()) {
            const TableDeclaration back = db.readStructure(d.fileName);
            QCOMPARE(back.fields, d.fields);
            QCOMPARE(back.indexes.size(), d.indexes.size());
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 10);

        // The translation rows in their order, and the default settings with the championship blank.
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).size(), NumeroRigheLingua);
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).at(222 - 1),
                 QStringLiteral("C L A S S I F I C A"));
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("Français")).at(53 - 1),
                 QStringLiteral("Couleur de la case de l'opposé"));
        Table s(QStringLiteral("impostazioni.db"));
        s.open();
        QCOMPARE(s.recordCount(), 1);
        for (const char *blank : {"ANNATA", "CATEGORIA", "SQUADRAPREFERITA", "NGIORNATE", "NSQUADRE"})
            QVERIFY2(s.fieldByName(QLatin1String(blank)).isNull(), blank);
        QCOMPARE(s.fieldByName(QStringLiteral("MODULOROTAZIONI")).asString(), QStringLiteral("True"));
        QCOMPARE(s.fieldByName(QStringLiteral("PROPONISCAMBIOAUTOM")).asString(), QStringLiteral("False"));
        QCOMPARE(s.fieldByName(QStringLiteral("CAR_CAMPO_GRANDE")).asInteger(), 7);
        QCOMPARE(s.fieldByName(QStringLiteral("COLOR_LIBERO")).asString(), QStringLiteral("Nessuno"));
        QCOMPARE(s.fieldByName(QStringLiteral("LINGUA")).asString(), QStringLiteral("Italiano"));
        QCOMPARE(s.fieldByName(QStringLiteral("REGOLA_POSIZIONI")).asString(), QStringLiteral("FIVB 2025"));
        s.close();

        // A second start finds nothing to do and writes nothing.
        QHash<QString, QByteArray> before;
        for (const TableDeclaration &d : TabelleProgramma())
            before[d.fileName] = digest(folder.file(d.fileName));
        Database::shutdown();
        CreaTabellaEsportazione();
        CreaTabelle();
        for (const TableDeclaration &d : TabelleProgramma())
            QVERIFY2(digest(folder.file(d.fileName)) == before[d.fileName], qPrintable(d.fileName));
        QCOMPARE(boxes.count(), 0);
    }

    void changedFieldsRebuildWithEveryRow()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        Database::instance().createTable(oldStandings());
        fillStandings(25);

        TableDeclaration d = DichiarazioneClassifica();
        CreaOAggiornaTabella(d);
        QVERIFY(d.fields.isEmpty() && d.indexes.isEmpty());
        QCOMPARE(d.fileName, QStringLiteral("Class.db"));
        QCOMPARE(boxes.count(), 0);
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("Class.dbAPPOGGIO.db"))));

        QCOMPARE(Database::instance().readStructure(QStringLiteral("Class.db")).fields, DichiarazioneClassifica().fields);
        const QStringList teams = values(QStringLiteral("Class.db"), QStringLiteral("Squadre"));
        QCOMPARE(teams.size(), 25);
        QCOMPARE(teams.first(), QStringLiteral("Virtus d'Òvada"));
        QCOMPARE(values(QStringLiteral("Class.db"), QStringLiteral("Punti")).last(), QStringLiteral("24"));
        QCOMPARE(values(QStringLiteral("Class.db"), QStringLiteral("Riposo")), QStringList(25, QString()));
    }

    void sameOrExtraFieldsAndMemoSizesLeaveTheFileAlone()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        TableDeclaration extra = DichiarazioneSquadre();
        extra.fields << textField(QStringLiteral("Extra"), 5);
        Database::instance().createTable(extra);
        Table t(QStringLiteral("squadre.db"));
        t.open();
        t.append();
        t.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Uno"));
        t.fieldByName(QStringLiteral("Extra")).setAsString(QStringLiteral("resta"));
        t.post();
        t.close();
        Database::instance().createTable(DichiarazioneTabExport());
        const QByteArray squadre = digest(folder.file(QStringLiteral("squadre.db")));
        const QByteArray export_ = digest(folder.file(QStringLiteral("tabexport.db")));

        TableDeclaration d = DichiarazioneSquadre();
        CreaOAggiornaTabella(d);
        QCOMPARE(digest(folder.file(QStringLiteral("squadre.db"))), squadre);
        QCOMPARE(values(QStringLiteral("squadre.db"), QStringLiteral("Extra")), QStringList{"resta"});

        // A memo declared with another size is the same memo; the primary index reads back as
        // primary and unique and still matches.
        TableDeclaration e = DichiarazioneTabExport();
        e.fields[3].size = 240;
        CreaOAggiornaTabella(e);
        QCOMPARE(digest(folder.file(QStringLiteral("tabexport.db"))), export_);

        // A different index does make a rebuild.
        TableDeclaration f = DichiarazioneTabExport();
        f.indexes.clear();
        CreaOAggiornaTabella(f);
        QVERIFY(Database::instance().readStructure(QStringLiteral("tabexport.db")).indexes.isEmpty());
        QCOMPARE(boxes.count(), 0);
    }

    void refusedRowIsLoggedAndCounted()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        TableDeclaration old = DichiarazioneSquadre();
        old.fields[0].required = false;
        old.fields[0].size = 20;
        Database::instance().createTable(old);
        {
            Table t(QStringLiteral("squadre.db"));
            t.open();
            for (const QString &name : {QStringLiteral("Alfa"), QString(), QStringLiteral("Beta")}) {
                t.append();
                t.fieldByName(QStringLiteral("Squadre")).setAsString(name);
                t.post();
            }
        }
        QFile log(folder.file(QStringLiteral("dberrori.log")));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("riga precedente");
        log.close();

        TableDeclaration d = DichiarazioneSquadre();
        CreaOAggiornaTabella(d);

        QCOMPARE(values(QStringLiteral("squadre.db"), QStringLiteral("Squadre")), (QStringList{"Alfa", "Beta"}));
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.shown[0].titolo, QStringLiteral("Attenzione."));
        QCOMPARE(boxes.shown[0].testo, QStringLiteral("Trovati errori in fase di aggiornamento tabella.+#1310+Consultare il file ") +
                                           folder.file(QStringLiteral("dberrori.log")) + QStringLiteral(" e contattare Brivo."));
        QCOMPARE(boxes.shown[1].titolo, QStringLiteral("Messaggio."));
        QCOMPARE(boxes.shown[1].testo, QStringLiteral("Attenzione! alla tabella: squadre.db mancano n. 1 records (righe)."));

        QVERIFY(log.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'));
        QCOMPARE(lines[0], QStringLiteral("riga precedente")); // the log only grows
        QCOMPARE(lines[1], QString());
        QVERIFY(lines[2].startsWith(QStringLiteral("data e ora: ")));
        QVERIFY(lines[3].startsWith(QStringLiteral("Errore: ")));
        QVERIFY(lines[3].endsWith(QStringLiteral(" - Help context: %1").arg(int(HcRequired))));
        QCOMPARE(lines[4], QStringLiteral("DATI RECORD TABELLA ORIGINE: squadre.db, DATABASE: "));
        QCOMPARE(lines[5], QStringLiteral("Squadre: ''"));
        QCOMPARE(lines[6], QString());
        QCOMPARE(lines[7], QStringLiteral("DATI RECORD TABELLA DESTINAZIONE:squadre.dbAPPOGGIO.db, DATABASE: "));
        QCOMPARE(lines[8], QStringLiteral("Squadre: ''"));
    }

    void swapIsSafeAtEveryStop_data()
    {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<bool>("newAlready");
        QTest::newRow("temporary made") << QStringLiteral("creata") << false;
        QTest::newRow("during the copy") << QStringLiteral("copia") << false;
        QTest::newRow("copy done") << QStringLiteral("copiata") << false;
        QTest::newRow("swapped") << QStringLiteral("sostituita") << true;
    }
    void swapIsSafeAtEveryStop()
    {
        QFETCH(QString, stop);
        QFETCH(bool, newAlready);
        TempProgramFolder folder;
        ScriptedMessages boxes;
        Database::instance().createTable(oldStandings());
        fillStandings(40);

        Database::faultHook() = [&](const QString &step) {
            if (step == stop)
                throw Crash{};
        };
        TableDeclaration d = DichiarazioneClassifica();
        QVERIFY_THROWS_EXCEPTION(Crash, CreaOAggiornaTabella(d));
        Database::faultHook() = nullptr;
        Database::shutdown(); // the program is gone

        // The table's name holds one complete table, old or new, with every row.
        const int fields = Database::instance().readStructure(QStringLiteral("Class.db")).fields.size();
        QCOMPARE(fields, newAlready ? 6 : 5);
        QCOMPARE(values(QStringLiteral("Class.db"), QStringLiteral("Squadre")).size(), 40);

        // The next start finishes the work.
        Database::shutdown();
        TableDeclaration again = DichiarazioneClassifica();
        CreaOAggiornaTabella(again);
        QCOMPARE(Database::instance().readStructure(QStringLiteral("Class.db")).fields, DichiarazioneClassifica().fields);
        QCOMPARE(values(QStringLiteral("Class.db"), QStringLiteral("Squadre")).size(), 40);
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("Class.dbAPPOGGIO.db"))));
        QCOMPARE(boxes.count(), 0);
    }

    void failedSwapIsReported()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        Database::instance().createTable(oldStandings());
        fillStandings(3);
        Database::faultHook() = [](const QString &step) {
            if (step == QLatin1String("rinomina"))
                throw EngineError(QStringLiteral("disco pieno"), HcWrite);
        };
        TableDeclaration d = DichiarazioneClassifica();
        CreaOAggiornaTabella(d);
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().titolo, QStringLiteral("Errore"));
        QCOMPARE(boxes.last().testo, QStringLiteral("Non riesco ad aggiornare la tabella: 'Class.db'"));
        QCOMPARE(d.fileName, QStringLiteral("Class.db"));
        QVERIFY(QFile::exists(folder.file(QStringLiteral("Class.dbAPPOGGIO.db"))));
        QCOMPARE(values(QStringLiteral("Class.db"), QStringLiteral("Squadre")).size(), 3);
    }

    void linguaRefilledOnlyWhenShort()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        CreaTabelle();
        auto removeLastRows = [](int keep) {
            Table t(QStringLiteral("lingua.db"));
            t.open();
            while (t.recordCount() > keep) {
                t.last();
                t.remove();
            }
        };
        {
            Table t(QStringLiteral("lingua.db"));
            t.open();
            t.first();
            t.edit();
            t.fieldByName(QStringLiteral("English")).setAsString(QStringLiteral("Calendario dell'utente"));
            t.post();
        }
        // A table from before the rows added later: it gains them and keeps its own texts.
        removeLastRows(NumeroRigheLinguaStandard);
        Database::shutdown();
        CreaTabelle();
        QStringList english = values(QStringLiteral("lingua.db"), QStringLiteral("English"));
        QCOMPARE(english.size(), NumeroRigheLingua);
        QCOMPARE(english.first(), QStringLiteral("Calendario dell'utente"));
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).last(),
                 QString::fromUtf8(RigheLingua[NumeroRigheLingua - 1].italiano));
        // Short of the standard rows: filled anew.
        removeLastRows(NumeroRigheLinguaStandard - 1);
        Database::shutdown();
        CreaTabelle();
        english = values(QStringLiteral("lingua.db"), QStringLiteral("English"));
        QCOMPARE(english.size(), NumeroRigheLingua);
        QCOMPARE(english.first(), QStringLiteral("Calendar"));
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).at(NumeroRigheLinguaStandard - 1),
                 QStringLiteral("Posizione partenza palleggiatore:"));
    }

    // A table filled before the texts were reworded: the texts still as shipped take the new
    // wording, in one go, and the ones the user changed stay; a stop half way changes nothing.
    void rewordedTextsReachOldTablesButNotUserEdits()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        CreaTabelle();
        const TestoPrecedente &gestione = TestiPrecedenti[1]; // "Gestione calendario", English only
        const TestoPrecedente &carica = TestiPrecedenti[4];   // "Carica giornata", both columns
        QCOMPARE(QString::fromUtf8(RigheLingua[gestione.riga].italiano), QStringLiteral("Gestione calendario"));
        QVERIFY(gestione.english && !gestione.francais && carica.english && carica.francais);
        // As the program left it before: every old text back, one English text typed by the user.
        auto scriviVecchi = [&carica] {
            Table t(QStringLiteral("lingua.db"));
            t.open();
            int riga = 0, k = 0;
            for (t.first(); !t.eof(); t.next(), ++riga) {
                if (k < NumeroTestiPrecedenti && TestiPrecedenti[k].riga == riga) {
                    t.edit();
                    if (TestiPrecedenti[k].english)
                        t.fieldByName(QStringLiteral("English")).setAsString(QString::fromUtf8(TestiPrecedenti[k].english));
                    if (TestiPrecedenti[k].francais)
                        t.fieldByName(QStringLiteral("Français")).setAsString(QString::fromUtf8(TestiPrecedenti[k].francais));
                    if (riga == carica.riga)
                        t.fieldByName(QStringLiteral("English")).setAsString(QStringLiteral("Load the day's games"));
                    t.post();
                    ++k;
                }
            }
        };
        scriviVecchi();
        QStringList english = values(QStringLiteral("lingua.db"), QStringLiteral("English"));
        QCOMPARE(english.at(gestione.riga), QStringLiteral("Management calendar"));

        // A stop after the texts changed and before the commit: nothing changed.
        Database::shutdown();
        Database::faultHook() = [](const QString &step) {
            if (step == QLatin1String("lingua riformulata"))
                throw Crash();
        };
        QVERIFY_THROWS_EXCEPTION(Crash, CreaTabelle());
        Database::faultHook() = nullptr;
        Database::shutdown();
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("English")), english);

        CreaTabelle();
        QCOMPARE(boxes.count(), 0);
        english = values(QStringLiteral("lingua.db"), QStringLiteral("English"));
        const QStringList french = values(QStringLiteral("lingua.db"), QStringLiteral("Français"));
        QCOMPARE(english.size(), NumeroRigheLingua);
        for (int i = 0; i < NumeroRigheLingua; ++i) {
            if (i == carica.riga)
                continue;
            QCOMPARE(english.at(i), QString::fromUtf8(RigheLingua[i].english));
            QCOMPARE(french.at(i), QString::fromUtf8(RigheLingua[i].francais));
        }
        QCOMPARE(english.at(gestione.riga), QStringLiteral("Calendar management"));
        QCOMPARE(english.at(carica.riga), QStringLiteral("Load the day's games"));
        QCOMPARE(french.at(carica.riga), QString::fromUtf8(RigheLingua[carica.riga].francais));

        // A table short of the rows added later is reworded and completed in the same start.
        scriviVecchi();
        {
            Table t(QStringLiteral("lingua.db"));
            t.open();
            t.last();
            t.remove();
        }
        Database::shutdown();
        CreaTabelle();
        english = values(QStringLiteral("lingua.db"), QStringLiteral("English"));
        QCOMPARE(english.size(), NumeroRigheLingua);
        QCOMPARE(english.at(gestione.riga), QStringLiteral("Calendar management"));
        QCOMPARE(english.last(), QString::fromUtf8(RigheLingua[NumeroRigheLingua - 1].english));
    }

    void settingsRowsAreNeverAddedOrRemoved()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        CreaTabelle();
        {
            Table t(QStringLiteral("impostazioni.db"));
            t.open();
            t.append();
            t.fieldByName(QStringLiteral("LINGUA")).setAsString(QStringLiteral("English"));
            t.post();
        }
        CreaTabelle();
        QCOMPARE(values(QStringLiteral("impostazioni.db"), QStringLiteral("LINGUA")), (QStringList{"Italiano", "English"}));

        // Discarding the championship empties its five fields of the first row.
        {
            Table t(QStringLiteral("impostazioni.db"));
            t.open();
            t.edit();
            t.fieldByName(QStringLiteral("ANNATA")).setAsString(QStringLiteral("2009/2010"));
            t.fieldByName(QStringLiteral("NSQUADRE")).setAsInteger(12);
            t.post();
        }
        AzzeraImpostazioniCampionato();
        QCOMPARE(values(QStringLiteral("impostazioni.db"), QStringLiteral("ANNATA")), (QStringList{"", ""}));
        QCOMPARE(values(QStringLiteral("impostazioni.db"), QStringLiteral("NSQUADRE")), (QStringList{"", ""}));
        QCOMPARE(values(QStringLiteral("impostazioni.db"), QStringLiteral("MODULOROTAZIONI")).first(), QStringLiteral("True"));
    }

    // A folder from before the overlap rule's setting: the start adds REGOLA_POSIZIONI after LINGUA,
    // carries every stored value over and gives the record the default rule; a chosen rule stays.
    void settingsFromBeforeTheOverlapRule()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        TableDeclaration old = DichiarazioneImpostazioni();
        QCOMPARE(old.fields.last().name, QStringLiteral("REGOLA_POSIZIONI"));
        QCOMPARE(old.fields.at(old.fields.size() - 2).name, QStringLiteral("LINGUA"));
        old.fields.removeLast();
        Database::instance().createTable(old);
        const QList<std::pair<const char *, QVariant>> stored = {
            {"ANNATA", QStringLiteral("2025/2026")}, {"CATEGORIA", QStringLiteral("Serie D")},
            {"SQUADRAPREFERITA", QStringLiteral("Volley l'Aquila")}, {"NGIORNATE", 22}, {"NSQUADRE", 12},
            {"MODULOROTAZIONI", true}, {"PROPONISCAMBIOAUTOM", true}, {"NOMEINCAMPOGRANDE", false},
            {"COGNOMEINCAMPOGRANDE", true}, {"LETTERA_P_COLORE_PALL", false}, {"GRASSETTO_BATTUTA_PIC", true},
            {"CAR_CAMPO_GRANDE", 9}, {"COLOR_GIOCATORI", true}, {"COLOR_PALLEGGIATORE", QStringLiteral("Viola")},
            {"COLOR_OPPOSTO", QStringLiteral("Oliva")}, {"COLOR_SCHIACCIATORI", QStringLiteral("Grigio")},
            {"COLOR_CENTRALI", QStringLiteral("Giallo")}, {"COLOR_LIBERO", QStringLiteral("Rosso")},
            {"COLOR_PALLEGGIATORE_PIC", QStringLiteral("Celeste")}, {"LINGUA", QStringLiteral("Français")}};
        {
            Table t(QStringLiteral("impostazioni.db"));
            t.open();
            t.append();
            for (const auto &[field, value] : stored)
                t.fieldByName(QLatin1String(field)).setValue(value);
            t.post();
        }
        CreaTabellaEsportazione();
        CreaTabelle();
        QCOMPARE(boxes.count(), 0);
        QCOMPARE(Database::instance().readStructure(QStringLiteral("impostazioni.db")).fields,
                 DichiarazioneImpostazioni().fields);
        Table t(QStringLiteral("impostazioni.db"));
        t.open();
        QCOMPARE(t.recordCount(), 1);
        t.first();
        for (const auto &[field, value] : stored) {
            const QString back = value.typeId() == QMetaType::Bool ? QString(value.toBool() ? "True" : "False")
                                                                   : value.toString();
            QVERIFY2(t.fieldByName(QLatin1String(field)).asString() == back, field);
        }
        QCOMPARE(t.fieldByName(QStringLiteral("REGOLA_POSIZIONI")).asString(), QStringLiteral("FIVB 2025"));
        t.edit();
        t.fieldByName(QStringLiteral("REGOLA_POSIZIONI")).setAsString(QStringLiteral("Classico"));
        t.post();
        t.close();
        CreaTabelle();
        QCOMPARE(values(QStringLiteral("impostazioni.db"), QStringLiteral("REGOLA_POSIZIONI")), QStringList{"Classico"});
    }

    void damagedTableIsReportedAndKept()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        const QString path = folder.file(QStringLiteral("Giornate.db"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3000, '\x7f'));
        f.close();
        const QByteArray before = digest(path);

        CreaTabellaEsportazione();
        CreaTabelle();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(boxes.last().titolo, QStringLiteral("Errore"));
        QVERIFY(boxes.last().testo.contains(path));
        QCOMPARE(digest(path), before);
        // Every other table is there all the same.
        QCOMPARE(values(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).size(), NumeroRigheLingua);
        QCOMPARE(values(QStringLiteral("impostazioni.db"), QStringLiteral("LINGUA")), QStringList{"Italiano"});
    }

    // Damage inside the data pages, which a look at the structure misses, and a table file that is a
    // link: one box naming each file at start, and neither file touched.
    void damagedPagesAndLinksAtStart()
    {
        QTemporaryDir outside;
        TempProgramFolder folder;
        {
            ScriptedMessages quiet;
            CreaTabelle();
            store::Table t(QStringLiteral("giornate.db"));
            t.open();
            store::Transaction tr;
            for (int i = 1; i <= 300; ++i) {
                t.append();
                t.fieldByName(QStringLiteral("Giornata")).setAsInteger(i);
                t.fieldByName(QStringLiteral("Squadra1")).setAsString(QStringLiteral("Squadra numero %1").arg(i));
                t.post();
            }
            tr.commit();
        }
        Database::shutdown();
        const QString giornate = folder.file(QStringLiteral("giornate.db"));
        {
            QFile f(giornate);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.size() > 4 * 4096);
            f.seek(3 * 4096); // a data page's header
            f.write(QByteArray(12, '\xff'));
        }
        const QByteArray damaged = digest(giornate);
        const QString link = folder.file(QStringLiteral("Class.db"));
        QFile::remove(link);
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("Class.db")), link));

        ScriptedMessages boxes;
        CreaTabellaEsportazione();
        CreaTabelle();
        QCOMPARE(boxes.count(), 1);
        QVERIFY2(boxes.last().testo.contains(giornate + QStringLiteral("' è danneggiata")), qPrintable(boxes.last().testo));
        QVERIFY2(boxes.last().testo.contains(link), qPrintable(boxes.last().testo));
        QCOMPARE(digest(giornate), damaged);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QDir(outside.path()).isEmpty());
    }

    // A new export table starts with the two fixed presets, standings and calendar, written together
    // or not at all; a table that holds presets is left as it is.
    void anEmptyExportTableGetsTheReadyPresets()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        Database::faultHook() = [](const QString &step) {
            if (step == QLatin1String("modelli: tra i modelli"))
                throw EngineError(QStringLiteral("disco pieno"), HcWrite);
        };
        CreaTabellaEsportazione();
        Database::faultHook() = nullptr;
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().testo.contains(QStringLiteral("disco pieno")));
        QCOMPARE(values(QStringLiteral("tabexport.db"), QStringLiteral("DESCR")), QStringList());

        CreaTabellaEsportazione();
        QCOMPARE(boxes.count(), 1);
        QCOMPARE(values(QStringLiteral("tabexport.db"), QStringLiteral("DESCR")), (QStringList{"Classifica", "Calendario"}));
        QCOMPARE(values(QStringLiteral("tabexport.db"), QStringLiteral("PROGR")), (QStringList{"1", "2"}));
        QCOMPARE(values(QStringLiteral("tabexport.db"), QStringLiteral("FISSO")), (QStringList{"True", "True"}));
        QCOMPARE(values(QStringLiteral("tabexport.db"), QStringLiteral("txtOxls")), (QStringList{"0", "1"}));

        // One preset left: nothing is added again.
        {
            Table t(QStringLiteral("tabexport.db"));
            t.open();
            t.first();
            t.remove();
        }
        Database::shutdown();
        CreaTabellaEsportazione();
        QCOMPARE(values(QStringLiteral("tabexport.db"), QStringLiteral("DESCR")), QStringList{"Calendario"});
    }

    void unwritableFolderGivesOneClearError()
    {
        ScriptedMessages boxes;
        ImpostaCartellaProgramma(QStringLiteral("/proc/self/"));
        CreaTabellaEsportazione();
        CreaTabelle();
        Database::shutdown();
        ImpostaCartellaProgramma(QString());
        QCOMPARE(boxes.count(), 2); // one box for each of the two routines
        // The engine cannot even keep its own file there: the box names the folder.
        QVERIFY(boxes.shown[1].testo.contains(QStringLiteral("/proc/self/")));
    }
};

QTEST_GUILESS_MAIN(TestTabelle)
#include "test_tabelle.moc"
