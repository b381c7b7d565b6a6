// Every query text the program runs, exactly as written, over the program's own tables; and the
// refusal of anything but one read-only SELECT.
#include "store/database.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

#include <QtTest>

using namespace store;

namespace {

void addRow(const QString &file, const QList<QPair<const char *, QVariant>> &values)
{
    Table t(file);
    t.open();
    t.append();
    for (const auto &[name, value] : values)
        t.fieldByName(QLatin1String(name)).setValue(value);
    t.post();
}

QStringList column(const QString &sql, const QString &field)
{
    Query q(sql);
    q.open();
    QStringList values;
    for (q.first(); !q.eof(); q.next())
        values << q.fieldByName(field).asString();
    return values;
}

} // namespace

class TestQueries : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        CreaTabellaEsportazione();
        CreaTabelle();
        const QList<QPair<QString, int>> standings = {{"Alfa", 6}, {"B", 9}, {"L'Aquila", 3}, {"A", 0}};
        for (const auto &[team, points] : standings) {
            addRow(QStringLiteral("squadre.db"), {{"Squadre", team}});
            addRow(QStringLiteral("Class.db"), {{"Punti", points}, {"Squadre", team}});
        }
        for (int g = 1; g <= 4; ++g)
            addRow(QStringLiteral("giornate.db"), {{"Giornata", g},
                                                   {"Squadra1", QStringLiteral("Alfa")},
                                                   {"Squadra2", QStringLiteral("L'Aquila")},
                                                   {"Set1", QStringLiteral("3")},
                                                   {"Set2", QStringLiteral("%1").arg(g % 3)},
                                                   {"Giocata", g <= 2 ? QVariant(true) : QVariant()}});
        addRow(QStringLiteral("rt_squadre.db"), {{"idsquadra", 3}, {"nomesquadra", QStringLiteral("Volley D'Oro")}});
        addRow(QStringLiteral("rt_squadre.db"), {{"idsquadra", 7}, {"nomesquadra", QStringLiteral("Astra")}});
        const QList<QList<QVariant>> players = {{1, 7, 10, "P"}, {2, 7, 4, "S"}, {3, 7, 12, "C"}, {4, 3, 10, "L"}};
        for (const auto &p : players)
            addRow(QStringLiteral("rt_giocatori.db"), {{"idgiocatore", p[0]},
                                                       {"idsquadra", p[1]},
                                                       {"numeromaglia", p[2]},
                                                       {"ruolo", p[3]},
                                                       {"battuta", QStringLiteral("FLOAT")}});
        addRow(QStringLiteral("rt_formazioni.db"), {{"idsquadra", 7}, {"metodo", QStringLiteral("P-S-C-O-S-C")},
                                                    {"pos1", 1}, {"pos2", 2}, {"pos3", 3}});
    }
    void cleanup()
    {
        Database::shutdown();
        folder.reset();
    }

    void standingsAndTeams()
    {
        QCOMPARE(column(QStringLiteral("select punti, squadre from Class.db order by punti desc"), QStringLiteral("Squadre")),
                 (QStringList{"B", "Alfa", "L'Aquila", "A"}));
        QCOMPARE(column(QStringLiteral("select * from class.db order by punti desc"), QStringLiteral("PUNTI")),
                 (QStringList{"9", "6", "3", "0"}));
        QCOMPARE(column(QStringLiteral("select * from Class.db order by punti desc"), QStringLiteral("squadre")).size(), 4);
        QCOMPARE(column(QStringLiteral("select * from Squadre.db order by squadre"), QStringLiteral("Squadre")),
                 (QStringList{"A", "Alfa", "B", "L'Aquila"}));
        QCOMPARE(column(QStringLiteral("select * from Squadre.db where Squadre <> 'A' and Squadre <> 'B' order by Squadre"),
                        QStringLiteral("Squadre")),
                 (QStringList{"Alfa", "L'Aquila"}));
        QCOMPARE(column(QStringLiteral("select * from class.db where squadre = 'L''Aquila'"), QStringLiteral("Punti")),
                 QStringList{"3"});
    }

    void matchdays()
    {
        QCOMPARE(column(QStringLiteral("Select * from giornate.db where giornata = '3'"), QStringLiteral("Set2")),
                 QStringList{"0"});
        // Matchdays never marked read as not played, like those marked false.
        QCOMPARE(column(QStringLiteral("select * from giornate.db where giocata = false order by giornata"),
                        QStringLiteral("Giornata")),
                 (QStringList{"3", "4"}));
        Query q(QStringLiteral("select * from giornate.db where giocata = false order by giornata"));
        q.open();
        QCOMPARE(q.fieldByName(QStringLiteral("Giocata")).asString(), QString());
        QCOMPARE(q.fieldByName(QStringLiteral("Giocata")).asBoolean(), false);
    }

    void rowsPutInAnotherOrder()
    {
        Query q(QStringLiteral("select * from class.db order by punti desc"));
        q.open();
        q.last();
        QSignalSpy changed(&q, &Query::dataChanged);
        q.reorder({3, 1, 0, 2});
        QCOMPARE(changed.count(), 1);
        // On the first row again, every field of every row read in the new order.
        QVERIFY(q.bof());
        QStringList rows;
        for (; !q.eof(); q.next())
            rows << q.fieldByName(QStringLiteral("Squadre")).asString() + QLatin1Char('=') +
                        q.fieldByName(QStringLiteral("Punti")).asString();
        QCOMPARE(rows, (QStringList{"A=0", "Alfa=6", "B=9", "L'Aquila=3"}));
        QCOMPARE(q.recordCount(), 4);

        // An order that misses, repeats or invents a row is refused and changes nothing.
        q.first();
        const QList<QList<int>> wrong = {{0, 0, 1, 2}, {0, 1, 2}, {0, 1, 2, 4}, {-1, 0, 1, 2}, {0, 1, 2, 3, 3}};
        for (const QList<int> &order : wrong) {
            QVERIFY_THROWS_EXCEPTION(EngineError, q.reorder(order));
            QCOMPARE(q.fieldByName(QStringLiteral("Squadre")).asString(), QStringLiteral("A"));
        }
        q.close();
        QVERIFY_THROWS_EXCEPTION(EngineError, q.reorder({}));
        // An empty result takes the empty order.
        Query none(QStringLiteral("select * from class.db where punti = '99'"));
        none.open();
        none.reorder({});
        QVERIFY(none.eof());
    }

    void rotationQueries()
    {
        Query max(QStringLiteral("select max(idsquadra) from rt_squadre"));
        max.open();
        QCOMPARE(max.fieldByName(QStringLiteral("max of idsquadra")).asInteger(), 7);
        QCOMPARE(max.field(0).asInteger(), 7);
        Query maxp(QStringLiteral("select max(idgiocatore) from rt_giocatori"));
        maxp.open();
        QCOMPARE(maxp.fieldByName(QStringLiteral("max of idgiocatore")).asInteger(), 4);
        {
            // The export table without its ready presets.
            Table presets(QStringLiteral("tabexport.db"));
            presets.open();
            presets.first();
            while (!presets.isEmpty())
                presets.remove();
        }
        Query maxe(QStringLiteral("select max(progr) from tabexport"));
        maxe.open();
        QVERIFY(maxe.fieldByName(QStringLiteral("max of progr")).isNull()); // an empty table: blank, read as 0
        QCOMPARE(maxe.fieldByName(QStringLiteral("max of progr")).asInteger(), 0);

        QCOMPARE(column(QStringLiteral("select * from rt_formazioni where idsquadra = '7'"), QStringLiteral("metodo")),
                 QStringList{"P-S-C-O-S-C"});
        QCOMPARE(column(QStringLiteral("select * from rt_squadre order by NOMESQUADRA"), QStringLiteral("nomesquadra")),
                 (QStringList{"Astra", "Volley D'Oro"}));
        QCOMPARE(column(QStringLiteral("select idsquadra from rt_squadre where nomesquadra = 'Volley D''Oro'"),
                        QStringLiteral("idsquadra")),
                 QStringList{"3"});
        QCOMPARE(column(QStringLiteral("select * from rt_giocatori where idsquadra = '7' and numeromaglia = '10' and "
                                       "IDGIOCATORE <> '2'"),
                        QStringLiteral("idgiocatore")),
                 QStringList{"1"});
        // The seven-position OR with parentheses and its trailing blank.
        QCOMPARE(column(QStringLiteral("select * from rt_giocatori where (idgiocatore = '1' or idgiocatore = '2' or "
                                       "idgiocatore = '0' or idgiocatore = '0' or idgiocatore = '0' or idgiocatore = '0' "
                                       "or idgiocatore = '4') "),
                        QStringLiteral("idgiocatore")),
                 (QStringList{"1", "2", "4"}));
        QCOMPARE(column(QStringLiteral("select * from rt_giocatori where idsquadra = '7' and ruolo = 'C'"),
                        QStringLiteral("numeromaglia")),
                 QStringList{"12"});
        QCOMPARE(column(QStringLiteral("select * from rt_giocatori where battuta = 'FLOAT'"), QStringLiteral("idgiocatore"))
                     .size(),
                 4);
    }

    void translationLookup()
    {
        QCOMPARE(column(QStringLiteral("select Français from lingua where ITALIANO = 'Esci' "), QStringLiteral("Français")),
                 QStringList{"Quitter"});
        QCOMPARE(column(QStringLiteral("select English from lingua where ITALIANO = 'Costruiscine uno nuovo' "),
                        QStringLiteral("english")),
                 QStringList{"Make a new"});
    }

    void exportShapes()
    {
        // Field references by file name between double quotes, several tables, CR LF line breaks,
        // quoted integers, dates between double quotes, ORDER BY desc.
        const QString sql = QStringLiteral("SELECT \"giornate.db\".\"Giornata\", \"giornate.db\".\"Squadra1\", "
                                           "\"Class.db\".\"Punti\"\r\n FROM giornate.db, Class.db\r\n  WHERE "
                                           "(\"giornate.db\".\"Squadra1\" = \"Class.db\".\"Squadre\") AND "
                                           "(\"giornate.db\".\"Giornata\" >= '2' OR \"giornate.db\".\"Giornata\" <= '0')"
                                           "\r\n AND \"giornate.db\".\"Giocata\" = false AND \"giornate.db\".\"Set1\" "
                                           ">= \"01/01/1000\" AND \"giornate.db\".\"Set1\" <= \"12/31/9999\" ORDER BY "
                                           "\"giornate.db\".\"Giornata\" desc");
        QCOMPARE(column(sql, QStringLiteral("Giornata")), (QStringList{"4", "3"}));
        QCOMPARE(column(sql, QStringLiteral("Punti")), (QStringList{"6", "6"}));
        // A string literal is never rewritten, whatever it holds.
        QCOMPARE(column(QStringLiteral("select * from squadre.db where Squadre = 'giornate.db' or Squadre = 'false'"),
                        QStringLiteral("Squadre")),
                 QStringList{});
    }

    void onlyOneReadOnlySelect_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::newRow("second statement") << QStringLiteral("select * from squadre.db; delete from squadre.db");
        QTest::newRow("insert") << QStringLiteral("insert into squadre.db values ('X')");
        QTest::newRow("delete") << QStringLiteral("delete from squadre.db");
        QTest::newRow("update") << QStringLiteral("update class.db set punti = 99");
        QTest::newRow("drop") << QStringLiteral("drop table squadre.db");
        QTest::newRow("attach") << QStringLiteral("attach database 'x.db' as x");
        QTest::newRow("pragma") << QStringLiteral("pragma writable_schema = 1");
        QTest::newRow("cte write") << QStringLiteral("with x as (select 1) delete from squadre.db");
        QTest::newRow("unknown table") << QStringLiteral("select * from nessuna.db");
        QTest::newRow("unknown field") << QStringLiteral("select pippo from squadre.db");
        QTest::newRow("broken quote") << QStringLiteral("select * from squadre.db where squadre = 'A");
        QTest::newRow("empty") << QString();
    }
    void onlyOneReadOnlySelect()
    {
        QFETCH(QString, sql);
        Query q(sql);
        QVERIFY_THROWS_EXCEPTION(EngineError, q.open());
        QVERIFY(!q.isOpen());
        // Nothing changed, and the engine still serves the next query.
        QCOMPARE(column(QStringLiteral("select * from squadre.db"), QStringLiteral("Squadre")).size(), 4);
        QCOMPARE(column(QStringLiteral("select * from class.db where punti = '9'"), QStringLiteral("Squadre")),
                 QStringList{"B"});
        QVERIFY(!QFile::exists(folder->file(QStringLiteral("x.db"))));
    }

    void manyTablesInTurn()
    {
        // More tables than can be attached at once, used one after the other.
        const QStringList names = {"giornate", "squadre", "Class", "lingua", "impostazioni", "rt_squadre",
                                   "rt_giocatori", "rt_formazioni", "tabexport"};
        for (int round = 0; round < 3; ++round)
            for (const QString &name : names) {
                Query q(QStringLiteral("select * from %1.db").arg(name));
                q.open();
                QVERIFY(q.fieldCount() > 0);
            }
    }

private:
    std::unique_ptr<TempProgramFolder> folder;
};

QTEST_GUILESS_MAIN(TestQueries)
#include "test_queries.moc"
