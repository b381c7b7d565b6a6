// The export's pieces without a window: the query text, the period dates, the field choices, the
// formatting rules and the fixed-width line (every type, every rule, refused patterns, a standings
// row in Windows-1252), the checks on names and lengths, and the two file writers.
#include "letturaxlsx.h"
#include "store/query.h"
#include "store/table.h"
#include "support/testprogram.h"
#include "utilities/esportazione.h"
#include "utilities/scritturaesportazione.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QtTest>
#include <cstdio>

namespace {
CampoEsportazione campo(const QString &nome, TipoEsportazione tipo, int dimensione = 0)
{
    CampoEsportazione c;
    c.nome = nome;
    c.tipo = tipo;
    c.dimensione = dimensione;
    return c;
}

QString riga(const CampoEsportazione &c, const QVariant &v, const QString &regole = QString())
{
    return RigaTesto(PreparaFormati({c}, regole), {v});
}

// The message of the refusal, or an empty text when the rules were accepted.
QString rifiuto(const CampoEsportazione &c, const QString &regole)
{
    try {
        PreparaFormati({c}, regole);
    } catch (const ErroreFormattazione &e) {
        return e.messaggio();
    }
    return QString();
}
} // namespace

class TestEsportazione : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void theConditionIsEnclosedBeforeThePeriodJoinsIt()
    {
        ParametriQuery p;
        p.campi = QStringLiteral("*");
        p.tabelle = QStringLiteral("\"giornate.db\"");
        p.condizione = QStringLiteral("\"giornate.db\".\"Squadra1\" = 'A' OR \"giornate.db\".\"Squadra2\" = 'A'\r\n");
        p.campoData = QStringLiteral("\"giornate.db\".\"Data\"");
        p.dal = QDate(2024, 3, 5);
        p.al = QDate(2024, 12, 31);
        p.ordinamento = QStringLiteral("\"giornate.db\".\"Giornata\"");
        QCOMPARE(ComponiQuery(p),
                 QStringLiteral("SELECT * FROM \"giornate.db\"  WHERE (\"giornate.db\".\"Squadra1\" = 'A' OR "
                                "\"giornate.db\".\"Squadra2\" = 'A') AND \"giornate.db\".\"Data\" >= \"03/05/2024\" "
                                "AND \"giornate.db\".\"Data\" <= \"12/31/2024\" ORDER BY \"giornate.db\".\"Giornata\""));

        // Open sides add nothing; a condition of blanks is no condition.
        p.condizione = QStringLiteral("   \r\n ");
        p.dal.reset();
        p.ordinamento.clear();
        QCOMPARE(ComponiQuery(p), QStringLiteral("SELECT * FROM \"giornate.db\"  WHERE \"giornate.db\".\"Data\" <= "
                                                 "\"12/31/2024\""));
        p.al.reset();
        QCOMPARE(ComponiQuery(p), QStringLiteral("SELECT * FROM \"giornate.db\" "));
    }

    void thePeriodDatesAreDayMonthYearAndTheDefaultsAreOpen()
    {
        std::optional<QDate> d;
        QVERIFY(LeggiDataPeriodo(QStringLiteral("01/01/1000"), true, d));
        QVERIFY(!d);
        QVERIFY(LeggiDataPeriodo(QStringLiteral("31/12/9999"), false, d));
        QVERIFY(!d);
        QVERIFY(LeggiDataPeriodo(QStringLiteral("  "), false, d));
        QVERIFY(!d);
        QVERIFY(LeggiDataPeriodo(QStringLiteral("5/3/2024"), true, d));
        QCOMPARE(*d, QDate(2024, 3, 5));
        QVERIFY(LeggiDataPeriodo(QStringLiteral("31/12/9999"), true, d)); // the end's default as a start
        QCOMPARE(*d, QDate(9999, 12, 31));
        QVERIFY(!LeggiDataPeriodo(QStringLiteral("31/02/2024"), true, d));
        QVERIFY(!LeggiDataPeriodo(QStringLiteral("2024-03-05"), true, d));
        QVERIFY(!LeggiDataPeriodo(QStringLiteral("oggi"), false, d));
    }

    void fieldChoicesFillTheBoxes()
    {
        BoxEditor b;
        AggiungiCampoScelto(b, DestCampi, QStringLiteral("rt_squadre.db"), QStringLiteral("nomesquadra"));
        QCOMPARE(b.campi, QStringLiteral("\"rt_squadre.db\".\"nomesquadra\""));
        QCOMPARE(b.tabelle, QStringLiteral("\"rt_squadre.db\""));
        // squadre.db is inside the name rt_squadre.db, but it is another table.
        AggiungiCampoScelto(b, DestCampi, QStringLiteral("squadre.db"), QStringLiteral("Squadre"));
        QCOMPARE(b.campi, QStringLiteral("\"rt_squadre.db\".\"nomesquadra\", \"squadre.db\".\"Squadre\""));
        QCOMPARE(b.tabelle, QStringLiteral("\"rt_squadre.db\", \"squadre.db\""));
        AggiungiCampoScelto(b, DestCampi, QStringLiteral("squadre.db"), QStringLiteral("Squadre"));
        QCOMPARE(b.tabelle, QStringLiteral("\"rt_squadre.db\", \"squadre.db\""));

        // "*" replaces the select list and stops further fields there; tables still join.
        AggiungiCampoScelto(b, DestCampi, QStringLiteral("squadre.db"), QStringLiteral("*"));
        QCOMPARE(b.campi, QStringLiteral("*"));
        AggiungiCampoScelto(b, DestCampi, QStringLiteral("Class.db"), QStringLiteral("Punti"));
        QCOMPARE(b.campi, QStringLiteral("*"));
        QCOMPARE(b.tabelle, QStringLiteral("\"rt_squadre.db\", \"squadre.db\", \"Class.db\""));

        AggiungiCampoScelto(b, DestCondizione, QStringLiteral("Class.db"), QStringLiteral("Punti"));
        QCOMPARE(b.condizione, QStringLiteral(" \"Class.db\".\"Punti\""));
        AggiungiCampoScelto(b, DestPeriodo, QStringLiteral("giornate.db"), QStringLiteral("Giornata"));
        AggiungiCampoScelto(b, DestOrdinamento, QStringLiteral("Class.db"), QStringLiteral("Punti"));
        QCOMPARE(b.campoData, QStringLiteral("\"giornate.db\".\"Giornata\""));
        QCOMPARE(b.ordinamento, QStringLiteral("\"Class.db\".\"Punti\""));

        QVERIFY(ContieneTabella(QStringLiteral("Class.db c, \"giornate.db\""), QStringLiteral("class.DB")));
        QVERIFY(ContieneTabella(QStringLiteral("Class.db c, \"giornate.db\""), QStringLiteral("giornate.db")));
        QVERIFY(!ContieneTabella(QStringLiteral("rt_squadre.db"), QStringLiteral("squadre.db")));
    }

    void textLogicalAndOtherFields()
    {
        const CampoEsportazione nome = campo(QStringLiteral("Squadre"), TipoEsportazione::Testo, 30);
        QCOMPARE(riga(nome, QStringLiteral("Alfa")), QStringLiteral("Alfa").leftJustified(30));
        // The "Lunghezza" rule cuts or pads to exactly its width; 0 keeps the declared size.
        QCOMPARE(riga(nome, QStringLiteral("Pallavolo Città di Castello"), QStringLiteral(" lunghezza SQUADRE = 10 ")),
                 QStringLiteral("Pallavolo "));
        QCOMPARE(riga(nome, QStringLiteral("Ok"), QStringLiteral("Lunghezza Squadre=10")), QStringLiteral("Ok        "));
        QCOMPARE(riga(nome, QStringLiteral("Ok"), QStringLiteral("Lunghezza Squadre=0")).size(), 30);
        // The first matching line wins; lines without "=" or for other fields are skipped.
        QCOMPARE(riga(nome, QStringLiteral("Ok"),
                      QStringLiteral("commento\nLunghezza Punti=3\r\nLunghezza Squadre=4\nLunghezza Squadre=8")),
                 QStringLiteral("Ok  "));
        // A line break inside a value would split the row.
        QCOMPARE(riga(nome, QStringLiteral("a\r\nb"), QStringLiteral("Lunghezza Squadre=5")), QStringLiteral("a  b "));
        QCOMPARE(riga(nome, QVariant()), QString(30, QLatin1Char(' ')));

        const CampoEsportazione riposo = campo(QStringLiteral("Riposo"), TipoEsportazione::Logico);
        QCOMPARE(riga(riposo, qlonglong(1)), QStringLiteral("True "));
        QCOMPARE(riga(riposo, qlonglong(0)), QStringLiteral("False"));
        QCOMPARE(riga(riposo, QVariant()), QStringLiteral("     "));
        QCOMPARE(riga(campo(QStringLiteral("Note"), TipoEsportazione::Altro), QStringLiteral("testo")), QString());
    }

    void numbersFollowTheirPatternAndDecimalSeparator()
    {
        const CampoEsportazione punti = campo(QStringLiteral("Punti"), TipoEsportazione::Intero);
        QCOMPARE(riga(punti, qlonglong(42)), QStringLiteral("            42"));
        QCOMPARE(riga(punti, QVariant()), QStringLiteral("             0"));
        QCOMPARE(riga(punti, qlonglong(-42), QStringLiteral("Formato Punti = %06d")), QStringLiteral("-00042"));
        QCOMPARE(riga(punti, qlonglong(-42), QStringLiteral("Formato Punti=%-6d")), QStringLiteral("-42   "));
        QCOMPARE(riga(punti, qlonglong(7), QStringLiteral("Formato Punti=%d")), QStringLiteral("7"));
        QCOMPARE(riga(punti, qlonglong(1234567), QStringLiteral("Formato Punti=%3d")), QStringLiteral("1234567"));

        const CampoEsportazione quoz = campo(QStringLiteral("Quoz"), TipoEsportazione::Virgola);
        QCOMPARE(riga(quoz, 3.5), QStringLiteral("         3,500"));
        QCOMPARE(riga(quoz, 3.5, QStringLiteral("sepDec Quoz=.")), QStringLiteral("         3.500"));
        QCOMPARE(riga(quoz, 3.5, QStringLiteral("sepDec Quoz= .")), QStringLiteral("         3.500"));
        QCOMPARE(riga(quoz, 3.5, QStringLiteral("sepDec Quoz=")), QStringLiteral("          3500"));
        QCOMPARE(riga(quoz, -1.26, QStringLiteral("Formato Quoz=%8.1f")), QStringLiteral("    -1,3"));
        QCOMPARE(riga(quoz, 2.5e20, QStringLiteral("Formato Quoz=%d")), QStringLiteral("250000000000000000000"));
        QCOMPARE(riga(quoz, -7.6, QStringLiteral("Formato Quoz=%4d")), QStringLiteral("  -8"));
        QCOMPARE(riga(campo(QStringLiteral("Importo"), TipoEsportazione::Decimale, 2), 12.0),
                 QStringLiteral("         12,00"));

        const CampoEsportazione data = campo(QStringLiteral("Giorno"), TipoEsportazione::Data);
        QCOMPARE(riga(data, QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
        QCOMPARE(riga(data, QStringLiteral("2024-03-05"), QStringLiteral("Formato Giorno=yyyy-mm-dd")),
                 QStringLiteral("2024-03-05"));
        QCOMPARE(riga(data, QVariant()), QString(10, QLatin1Char(' ')));
    }

    // The number format is the C pattern: decimals rounded as the C library rounds them, exact
    // halves to the even digit included, padding and sign as printf places them.
    void decimalsAreRoundedAsTheCLibraryRoundsThem()
    {
        QLocale::setDefault(QLocale::c());
        const double valori[] = {0.125, 0.375, 2.5, 3.5, -2.5, 0.5, 1.5, -1.5, 1.005, 2.675, 1e-7,
                                 123456.785, -3.0451, 0.045, 1e15 + 0.5, 7.0, -1.26};
        const char *schemi[] = {"%.2f", "%.0f", "%8.3f", "%-9.1f", "%010.2f", "%f", "%.1f", "%12.20f"};
        for (const char *schema : schemi) {
            for (const double v : valori) {
                char atteso[512];
                std::snprintf(atteso, sizeof atteso, schema, v);
                // Whatever point the C locale of the test writes.
                const QString c = QString::fromLatin1(atteso).replace(QLatin1Char(','), QLatin1Char('.'));
                QCOMPARE(ApplicaFormatoNumerico(QLatin1String(schema), v), c);
            }
        }
        // One difference, on purpose: a negative value that rounds to zero shows no minus sign.
        QCOMPARE(ApplicaFormatoNumerico(QStringLiteral("%.2f"), -0.0049), QStringLiteral("0.00"));
        QCOMPARE(ApplicaFormatoNumerico(QStringLiteral("%.0f"), -0.5), QStringLiteral("0"));
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(ApplicaFormatoNumerico(QStringLiteral("%.2f"), 0.125), QStringLiteral("0,12"));
    }

    void patternsOutsideTheAcceptedFormAreRefused()
    {
        const CampoEsportazione punti = campo(QStringLiteral("Punti"), TipoEsportazione::Intero);
        for (const char *f : {"%s", "%n", "%d%d", "%51d", "%x", "abc", "%--5d", "% d", "%.25f", "%*d", "%ld", "%14.3fX"}) {
            const QString msg = rifiuto(punti, QStringLiteral("Formato Punti=") + QLatin1String(f));
            QVERIFY2(msg.contains(QStringLiteral("campo Punti")), f);
            QVERIFY(msg.contains(QStringLiteral("non è stato scritto")));
        }
        QVERIFY(rifiuto(punti, QStringLiteral("Formato Punti=%50d")).isEmpty());
        QVERIFY(rifiuto(punti, QStringLiteral("Formato Punti=%-12.2f")).isEmpty());
        // A rule for a type it does not apply to is not read.
        QVERIFY(rifiuto(campo(QStringLiteral("Punti"), TipoEsportazione::Testo, 5), QStringLiteral("Formato Punti=%s"))
                    .isEmpty());
        const CampoEsportazione nome = campo(QStringLiteral("Squadre"), TipoEsportazione::Testo, 30);
        QVERIFY(rifiuto(nome, QStringLiteral("Lunghezza Squadre=dieci")).contains(QStringLiteral("Squadre")));
        QVERIFY(!rifiuto(nome, QStringLiteral("Lunghezza Squadre=-1")).isEmpty());
        QVERIFY(!rifiuto(nome, QStringLiteral("Lunghezza Squadre=100000")).isEmpty());
    }

    void aStandingsRowIs91BytesInWindows1252()
    {
        TestProgram p;
        store::Table t(QStringLiteral("Class.db"));
        t.open();
        t.append();
        t.fieldByName(QStringLiteral("Punti")).setAsInteger(12);
        t.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Città di Castello"));
        t.fieldByName(QStringLiteral("SetV")).setAsInteger(9);
        t.fieldByName(QStringLiteral("SetP")).setAsInteger(3);
        t.fieldByName(QStringLiteral("SetG")).setAsInteger(12);
        t.fieldByName(QStringLiteral("Riposo")).setAsBoolean(true);
        t.post();
        t.close();
        store::Query q(QStringLiteral("select * from Class"));
        q.open();
        const QList<CampoEsportazione> campi = CampiEsportazione(q);
        QCOMPARE(campi.size(), 6);
        QList<QVariant> valori;
        for (int i = 0; i < q.fieldCount(); ++i)
            valori << q.field(i).value();
        const QByteArray linea = InWindows1252(RigaTesto(PreparaFormati(campi, QString()), valori));
        QCOMPARE(linea.size(), 91);
        QCOMPARE(linea.left(14), QByteArray("            12"));
        QCOMPARE(linea.mid(14, 30), QByteArray("Citt\xE0 di Castello             "));
        QCOMPARE(linea.right(5), QByteArray("True "));

        QCOMPARE(InWindows1252(QStringLiteral("€ łà")), QByteArray("\x80 ?\xE0"));
        QCOMPARE(InWindows1252(QString::fromUtf8("a\xF0\x9F\x98\x80z")), QByteArray("a?z"));
        // A character outside the code page still takes one position of the fixed width.
        QCOMPARE(InWindows1252(riga(campo(QStringLiteral("N"), TipoEsportazione::Testo, 4),
                                    QString::fromUtf8("\xF0\x9F\x98\x80" "abcd")))
                     .size(),
                 4);
    }

    void namesPathsAndLengthsAreChecked()
    {
        TestProgram p;
        const QString cartella = p.folder.path();
        for (const char *n : {"../Export.txt", "sub/Export.txt", "..\\Export.txt", "..", "."})
            QVERIFY2(ControllaNomeArchivio(QLatin1String(n)).has_value(), n);
        QVERIFY(!ControllaNomeArchivio(QStringLiteral("Export 2024.txt")).has_value());

        const QString eseguibile = cartella + QStringLiteral("rotaset");
        QFile(eseguibile).open(QIODevice::WriteOnly);
        for (const char *n : {"Class.db", "class.DB", "tabexport.db", "giornate.db-journal", "dberrori.log", "rotaset"})
            QVERIFY2(ControllaDestinazione(cartella + QLatin1String(n), cartella, eseguibile).has_value(), n);
        QVERIFY(!ControllaDestinazione(cartella + QStringLiteral("Export.txt"), cartella, eseguibile).has_value());
        QDir(cartella).mkdir(QStringLiteral("altrove"));
        QVERIFY(!ControllaDestinazione(cartella + QStringLiteral("altrove/Class.db"), cartella, eseguibile).has_value());
        // Reaching the program folder by another way is still the program folder.
        QVERIFY(ControllaDestinazione(cartella + QStringLiteral("altrove/../Class.db"), cartella, eseguibile).has_value());

        QVERIFY(!ControllaNomeFoglio(QString(31, QLatin1Char('a'))).has_value());
        QVERIFY(!ControllaNomeFoglio(QStringLiteral("Foglio n.1")).has_value());
        for (const QString &n : {QString(32, QLatin1Char('a')), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                 QStringLiteral("[x]"), QStringLiteral("a:b"), QStringLiteral("a*"), QStringLiteral("a?"),
                                 QStringLiteral("'a")})
            QVERIFY2(ControllaNomeFoglio(n).has_value(), qPrintable(n));
        QCOMPARE(NomeCartellaDiLavoro(QStringLiteral("Export.txt")), QStringLiteral("Export.xlsx"));
        QCOMPARE(NomeCartellaDiLavoro(QStringLiteral("dati")), QStringLiteral("dati.xlsx"));

        QVERIFY(!ControllaLunghezzeModello(QString(40, QLatin1Char('d')), QString(30, QLatin1Char('o')),
                                           QString(20, QLatin1Char('c')))
                     .has_value());
        const QString periodo = ControllaLunghezzeModello(QStringLiteral("Modello"), QString(),
                                                          QStringLiteral("\"giornate.db\".\"Giornata\""))
                                    .value_or(QString());
        QVERIFY(periodo.contains(QStringLiteral("\"Campo richiesta periodo\"")));
        QVERIFY(periodo.contains(QStringLiteral("24 caratteri")));
        QVERIFY(ControllaLunghezzeModello(QStringLiteral("M"), QString(31, QLatin1Char('o')), QString())
                    .value_or(QString())
                    .contains(QStringLiteral("\"Ordine per\"")));
        QVERIFY(ControllaLunghezzeModello(QString(41, QLatin1Char('d')), QString(), QString())
                    .value_or(QString())
                    .contains(QStringLiteral("\"Descrizione\"")));
    }

    void theWritersLeaveWholeFilesOrNothing()
    {
        TestProgram p;
        const QString cartella = p.folder.path();
        QVERIFY(ScriviArchivioTesto(cartella + QStringLiteral("a.txt"), QByteArray("uno\r\n")));
        QVERIFY(ScriviArchivioTesto(cartella + QStringLiteral("a.txt"), QByteArray("due\r\n")));
        QFile f(cartella + QStringLiteral("a.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("due\r\n"));
        QVERIFY(!ScriviArchivioTesto(cartella + QStringLiteral("manca/a.txt"), QByteArray("x")));
        QDir(cartella).mkdir(QStringLiteral("cartella.txt"));
        QVERIFY(!ScriviArchivioTesto(cartella + QStringLiteral("cartella.txt"), QByteArray("x")));

        const QList<CampoEsportazione> campi = {campo(QStringLiteral("Nome"), TipoEsportazione::Testo, 30),
                                                campo(QStringLiteral("Punti"), TipoEsportazione::Intero)};
        const QList<QList<QVariant>> righe = {{QStringLiteral("=1+1"), qlonglong(7)}, {QStringLiteral("B"), QVariant()}};
        int avanzate = 0;
        const EsitoFoglio esito = ScriviCartellaDiLavoro(cartella + QStringLiteral("x.xlsx"), QStringLiteral("Dati"),
                                                         campi, righe, [&](int n) { avanzate = n; });
        QCOMPARE(esito.stato, EsitoFoglio::Fatto);
        QCOMPARE(avanzate, 2);
        const CartellaLetta letta = LeggiCartella(cartella + QStringLiteral("x.xlsx"));
        QVERIFY(letta.aperta);
        QVERIFY(letta.workbook.contains(QStringLiteral("name=\"Dati\"")));
        QVERIFY(!letta.foglio.contains(QStringLiteral("<f>")));
        QVERIFY(letta.stringhe.contains(QStringLiteral("=1+1")));
        QVERIFY(letta.foglio.contains(QStringLiteral("<c r=\"B3\"")));
        QVERIFY(letta.foglio.contains(QStringLiteral("<v>7</v>")));
        // No file of ours is left beside it.
        QCOMPARE(QDir(cartella).entryList({QStringLiteral("*x*.xlsx")}, QDir::Files | QDir::Hidden).size(), 1);

        QCOMPARE(ScriviCartellaDiLavoro(cartella + QStringLiteral("manca/x.xlsx"), QStringLiteral("Dati"), campi, righe)
                     .stato,
                 EsitoFoglio::ErroreFile);
        QDir(cartella).mkdir(QStringLiteral("y.xlsx"));
        QCOMPARE(ScriviCartellaDiLavoro(cartella + QStringLiteral("y.xlsx"), QStringLiteral("Dati"), campi, righe).stato,
                 EsitoFoglio::ErroreFile);
        QCOMPARE(QDir(cartella).entryList({QStringLiteral(".y*")}, QDir::Files | QDir::Hidden).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEsportazione)
#include "test_esportazione.moc"
