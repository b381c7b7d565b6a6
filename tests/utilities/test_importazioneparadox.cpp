// The import of a season's Paradox tables: every table comes over and reads through the engine, the
// fields that differ from the declarations, the settings' language, the tables absent or never
// imported, and all or nothing when a file is damaged, foreign or does not fit, or a step fails.
#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "custodia_prova.h"
#include "paradox/tabellaparadox.h"
#include "stagioneparadox.h"
#include "store/consegnatabelle.h"
#include "store/database.h"
#include "store/righelingua.h"
#include "store/tabelle.h"
#include "store/verificatabella.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "utilities/importazioneparadox.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

QHash<QString, QByteArray> tabelleVive()
{
    store::Database::shutdown();
    QHash<QString, QByteArray> t;
    for (const QString &n : store::NomiTabelle())
        t.insert(n, prova::contenuto(CartellaProgramma() + n));
    return t;
}

EsitoImportazione importa(const QString &cartella, const QStringList &solo = {})
{
    store::ConsegnaTabelle consegna;
    if (!consegna.ottenuta())
        qFatal("tables not handed over");
    return ImportaTabelleParadox(cartella, solo);
}

// What an import leaves in the program folder besides the tables: nothing.
QStringList avanzi()
{
    QStringList nascosti = QDir(CartellaProgramma()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    nascosti.removeIf([](const QString &f) {
        return !f.startsWith(QLatin1Char('.')) || f == QLatin1String(store::MainFileName);
    });
    return nascosti;
}

} // namespace

class TestImportazioneParadox : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;
    std::unique_ptr<QTemporaryDir> origine;
    QString cartella() const { return origine->path() + QLatin1Char('/'); }

private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        origine = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        program.reset();
        origine.reset();
    }

    void aWholeSeasonComesOverAndReadsThroughTheEngine()
    {
        prova::aggiungiSquadre({QStringLiteral("Prima dell'importazione")});
        {
            // A date of the calendar being replaced, which must not stay on the imported one.
            CreaTabelle();
            store::Table date(QStringLiteral("date_giornate.db"));
            date.open();
            date.append();
            date.fieldByName(QStringLiteral("Giornata")).setAsInteger(1);
            date.fieldByName(QStringLiteral("Data")).setValue(QDate(2025, 10, 4));
            date.post();
        }
        const StagioneParadox st = ScriviStagioneParadox(cartella(), 12, 850, QStringLiteral("English"));
        const QList<TabellaParadoxTrovata> esame = EsaminaCartellaParadox(cartella());
        QCOMPARE(esame.size(), 10);
        for (const TabellaParadoxTrovata &t : esame) {
            if (t.nome == QLatin1String("date_giornate.db")) {
                // Seasons of the earlier format had no dates: the imported calendar comes without.
                QVERIFY(t.file.isEmpty() && t.svuotata && !t.daImportare());
                QCOMPARE(StatoTabellaParadox(t),
                         QStringLiteral("date_giornate.db: assente, le giornate importate restano senza date"));
                continue;
            }
            QVERIFY2(t.paradox && t.errore.isEmpty(), qPrintable(t.nome + t.errore));
            QVERIFY2(t.mancanti.isEmpty() && t.ignorati.isEmpty(), qPrintable(t.nome));
            QCOMPARE(t.importata, t.nome != QLatin1String("lingua.db"));
        }
        const EsitoImportazione esito = importa(cartella());
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(esito.importate, 8);

        QCOMPARE(prova::squadre(), st.squadre);
        QCOMPARE(prova::Colonna(QStringLiteral("Class.db"), QStringLiteral("Squadre")), st.squadre);
        QCOMPARE(prova::RigaDi(st.squadre[5]), (prova::Riga{3, 3, 2, 5, true}));
        QCOMPARE(prova::RigaDi(st.squadre[3]), (prova::Riga{9, 9, 0, 9, false}));
        const prova::Giornata g1 = prova::GiornataDi(1);
        QCOMPARE(g1.squadre[0], st.squadre[1]);
        QCOMPARE(g1.sets[0], QStringLiteral("3"));
        QVERIFY(g1.giocata);
        const prova::Giornata g5 = prova::GiornataDi(5);
        QCOMPARE(g5.sets[0], QString());
        QVERIFY(!g5.giocata);
        QCOMPARE(prova::Colonna(QStringLiteral("giornate.db"), QStringLiteral("Giornata")).size(), st.giornate);
        QVERIFY(!QFile::exists(CartellaProgramma() + QStringLiteral("date_giornate.db"))); // made empty at start
        QCOMPARE(prova::Colonna(QStringLiteral("impostazioni.db"), QStringLiteral("SQUADRAPREFERITA")),
                 QStringList{QStringLiteral("L'Aquila Volley")});
        QCOMPARE(prova::Colonna(QStringLiteral("impostazioni.db"), QStringLiteral("NSQUADRE")), QStringList{"12"});
        QCOMPARE(prova::Colonna(QStringLiteral("impostazioni.db"), QStringLiteral("LINGUA")), QStringList{"English"});
        QCOMPARE(prova::Colonna(QStringLiteral("rt_giocatori.db"), QStringLiteral("cognome")).last(),
                 QStringLiteral("D'Annunzio 14"));
        QCOMPARE(prova::Colonna(QStringLiteral("rt_formazioni.db"), QStringLiteral("libe")), (QStringList{"7", ""}));
        // The presets' memos, from the record and from tabexport.mb.
        QCOMPARE(prova::Colonna(QStringLiteral("tabexport.db"), QStringLiteral("CONDIZIONE")).first(),
                 QStringLiteral("\"giornate.db\".\"Giocata\" = false").repeated(200));
        QCOMPARE(prova::Colonna(QStringLiteral("tabexport.db"), QStringLiteral("NOMEFOGLIOEXCEL")),
                 (QStringList{"Foglio1", ""}));
        // The translation table stays ours.
        QCOMPARE(prova::Colonna(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).size(), NumeroRigheLingua);
        // The imported tables are written normally, and nothing is left beside them.
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        QCOMPARE(avanzi(), QStringList());
        // The source folder is only read.
        QVERIFY(paradox::EFileParadox(cartella() + QStringLiteral("squadre.db")));
    }

    void fieldsThatDifferAreImportedEmptyOrLeftOut()
    {
        // Standings without SetG, with a field of their own and the points as a number.
        ScritturaParadox s;
        s.campi = {campoPx(QStringLiteral("punti"), paradox::Numero, 8), campoPx(QStringLiteral("Squadre"), paradox::Alfa, 30),
                   campoPx(QStringLiteral("SetV"), paradox::Corto, 2), campoPx(QStringLiteral("SetP"), paradox::Corto, 2),
                   campoPx(QStringLiteral("Note"), paradox::Alfa, 40), campoPx(QStringLiteral("Riposo"), paradox::Alfa, 5)};
        s.righe << QList<QVariant>{6.0, QStringLiteral("Forlì"), 6, 1, QStringLiteral("una nota"), QStringLiteral("Sì")};
        s.scrivi();
        QVERIFY(s.salva(origine->path(), QStringLiteral("CLASS.DB")));
        const TabellaParadoxTrovata t = EsaminaCartellaParadox(cartella())[3];
        QCOMPARE(t.nome, QStringLiteral("Class.db"));
        QCOMPARE(t.file, QStringLiteral("CLASS.DB"));
        QCOMPARE(t.righe, 1);
        QCOMPARE(t.mancanti, (QStringList{"SetG", "Riposo"})); // Riposo: a text cannot be a logical
        QCOMPARE(t.ignorati, QStringList{"Note"});
        QVERIFY(StatoTabellaParadox(t).contains(QStringLiteral("importati vuoti: SetG, Riposo")));
        const EsitoImportazione esito = importa(cartella());
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(esito.importate, 1);
        QCOMPARE(prova::Colonna(QStringLiteral("Class.db"), QStringLiteral("Punti")), QStringList{"6"});
        QCOMPARE(prova::Colonna(QStringLiteral("Class.db"), QStringLiteral("SetG")), QStringList{""});
        QCOMPARE(prova::Colonna(QStringLiteral("Class.db"), QStringLiteral("Riposo")), QStringList{""});
    }

    void theLanguageStaysOursAndAbsentTablesKeepTheirRows()
    {
        {
            store::Table rt(QStringLiteral("rt_squadre.db"));
            rt.open();
            rt.append();
            rt.fieldByName(QStringLiteral("nomesquadra")).setAsString(QStringLiteral("Rimasta"));
            rt.post();
        }
        prova::Impostazione("LINGUA", QString::fromUtf8("Français"));
        ScriviStagioneParadox(cartella(), 6, 1252, QStringLiteral("Deutsch"));
        for (const char *assente : {"rt_squadre.db", "rt_giocatori.db", "rt_formazioni.db", "lingua.db"})
            QVERIFY(QFile::remove(cartella() + QLatin1String(assente)));
        const auto prima = tabelleVive();
        const EsitoImportazione esito = importa(cartella());
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(esito.importate, 5);
        QCOMPARE(prova::Colonna(QStringLiteral("impostazioni.db"), QStringLiteral("LINGUA")),
                 QStringList{QString::fromUtf8("Français")});
        QCOMPARE(prova::Colonna(QStringLiteral("impostazioni.db"), QStringLiteral("ANNATA")), QStringList{"2024/2025"});
        const auto dopo = tabelleVive();
        for (const char *tenuta : {"rt_squadre.db", "rt_giocatori.db", "rt_formazioni.db", "lingua.db"})
            QCOMPARE(dopo.value(QLatin1String(tenuta)), prima.value(QLatin1String(tenuta)));
    }

    void aFileThatCannotComeOverImportsNothing_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("a block chain that loops") << QStringLiteral("anello");
        QTest::newRow("a memo file missing") << QStringLiteral("senza mb");
        QTest::newRow("not a Paradox file") << QStringLiteral("non paradox");
        QTest::newRow("a text too long for its field") << QStringLiteral("troppo lungo");
        QTest::newRow("a number with decimals for an integer") << QStringLiteral("decimali");
        QTest::newRow("a required field empty") << QStringLiteral("obbligatorio");
        QTest::newRow("two presets with one number") << QStringLiteral("doppio");
        QTest::newRow("a folder with a table's name") << QStringLiteral("cartella");
    }
    void aFileThatCannotComeOverImportsNothing()
    {
        QFETCH(QString, caso);
        prova::aggiungiSquadre({QStringLiteral("Prima")});
        ScriviStagioneParadox(cartella(), 40);
        const auto prima = tabelleVive();
        const QString giornate = cartella() + QStringLiteral("giornate.db");
        QString nominato = giornate;
        if (caso == QLatin1String("anello")) {
            QByteArray b = prova::contenuto(giornate);
            const qint64 blocco2 = 0x800 + 4096;
            QVERIFY(b.size() > blocco2 + 4096);
            b[blocco2] = 1; // the second block leads back to the first
            b[blocco2 + 1] = 0;
            prova::scrivi(giornate, b);
        } else if (caso == QLatin1String("senza mb")) {
            QVERIFY(QFile::remove(cartella() + QStringLiteral("tabexport.mb")));
            nominato = QStringLiteral("tabexport.mb");
        } else if (caso == QLatin1String("non paradox")) {
            prova::scrivi(giornate, "Giornata;Squadra1\n1;L'Aquila\n");
        } else if (caso == QLatin1String("troppo lungo") || caso == QLatin1String("decimali") ||
                   caso == QLatin1String("obbligatorio")) {
            ScritturaParadox s;
            s.campi = {campoPx(QStringLiteral("Giornata"), paradox::Numero, 8),
                       campoPx(QStringLiteral("Squadra1"), paradox::Alfa, 40)};
            s.righe << QList<QVariant>{1, QStringLiteral("Breve")};
            if (caso == QLatin1String("troppo lungo"))
                s.righe << QList<QVariant>{2, QStringLiteral("Un nome di squadra di più di trenta lettere")};
            else if (caso == QLatin1String("decimali"))
                s.righe << QList<QVariant>{2.5, QStringLiteral("Mezza")};
            else
                s.righe << QList<QVariant>{QVariant(), QStringLiteral("Senza giornata")};
            s.scrivi();
            QVERIFY(s.salva(origine->path(), QStringLiteral("giornate.db")));
        } else if (caso == QLatin1String("doppio")) {
            ScritturaParadox s = ParadoxDaDichiarazione(DichiarazioneTabExport());
            s.righe << QList<QVariant>(14) << QList<QVariant>(14);
            s.righe[0][0] = 1;
            s.righe[1][0] = 1;
            s.scrivi();
            QVERIFY(s.salva(origine->path(), QStringLiteral("tabexport.db")));
            nominato = cartella() + QStringLiteral("tabexport.db");
        } else if (caso == QLatin1String("cartella")) {
            QVERIFY(QFile::remove(giornate));
            QVERIFY(QDir().mkpath(giornate));
            // A folder is no table file: the table is absent, the others come over.
            const EsitoImportazione esito = importa(cartella());
            QVERIFY2(esito.riuscito, qPrintable(esito.errore));
            QCOMPARE(tabelleVive().value(QStringLiteral("giornate.db")), prima.value(QStringLiteral("giornate.db")));
            return;
        }
        const EsitoImportazione esito = importa(cartella());
        QVERIFY(!esito.riuscito);
        QVERIFY2(esito.errore.contains(nominato), qPrintable(esito.errore));
        QCOMPARE(tabelleVive(), prima);
        QCOMPARE(avanzi(), QStringList());
    }

    void aStepThatFailsPutsEveryTableBack_data()
    {
        QTest::addColumn<QString>("passo");
        QTest::addColumn<int>("volta");
        QTest::newRow("while the tables are written") << QStringLiteral("importazione: tabella scritta") << 3;
        QTest::newRow("a copy beside the live table") << QStringLiteral("recupero: copiata accanto") << 5;
        QTest::newRow("the third table swapped in") << QStringLiteral("recupero: tabella sostituita") << 3;
    }
    void aStepThatFailsPutsEveryTableBack()
    {
        QFETCH(QString, passo);
        QFETCH(int, volta);
        prova::aggiungiSquadre({QStringLiteral("Prima")});
        ScriviStagioneParadox(cartella());
        const auto prima = tabelleVive();
        int visti = 0;
        store::Database::faultHook() = [&](const QString &p) {
            if (p == passo && ++visti == volta)
                throw std::runtime_error("guasto");
        };
        const EsitoImportazione esito = importa(cartella());
        store::Database::faultHook() = nullptr;
        QCOMPARE(visti, volta);
        QVERIFY(!esito.riuscito);
        QVERIFY(esito.errore.startsWith(QStringLiteral("Importazione non riuscita")));
        QCOMPARE(tabelleVive(), prima);
        QCOMPARE(avanzi(), QStringList());
    }

    void aWorkFolderLeftByACrashIsClearedFirst()
    {
        ScriviStagioneParadox(cartella());
        QVERIFY(QDir().mkpath(CartellaProgramma() + QStringLiteral(".importazione/vecchio")));
        prova::scrivi(CartellaProgramma() + QStringLiteral(".importazione/vecchio/x"), "x");
        QVERIFY(QDir().mkpath(CartellaProgramma() + QStringLiteral(".importazione/giornate.db")));
        store::Database::faultHook() = [&](const QString &p) {
            if (p == QLatin1String("importazione: tabella scritta"))
                QVERIFY(!QFileInfo::exists(CartellaProgramma() + QStringLiteral(".importazione/vecchio")));
        };
        EsitoImportazione esito = importa(cartella());
        store::Database::faultHook() = nullptr;
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(avanzi(), QStringList());
    }
};

QTEST_MAIN(TestImportazioneParadox)
#include "test_importazioneparadox.moc"
