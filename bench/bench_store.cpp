// The table engine against plain SQLite calls on the same work, and the start-up check.
// Prints each figure and the ratio; never part of the test run's pass or fail.
#include "core/cartella.h"
#include "store/database.h"
#include "store/tabelle.h"
#include "store/table.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

using namespace store;

namespace {

constexpr int Rows = 10000;

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

constexpr int Repeats = 15;

double medianOf(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The engine and plain SQLite on the same work, run in turns so that both meet the same machine
// (a disk busy for a moment, another program starting); the median of each, in milliseconds.
template <typename E, typename P> std::pair<double, double> inTurns(E &&engine, P &&plain)
{
    QList<double> e, p;
    for (int i = 0; i < Repeats; ++i) {
        e << engine();
        p << plain();
    }
    return {medianOf(e), medianOf(p)};
}

void report(const char *what, double engine, double plain)
{
    std::printf("%-34s engine %9.2f ms   plain %9.2f ms   ratio %5.2f\n", what, engine, plain, engine / plain);
}

TableDeclaration benchTable(const QString &file)
{
    return {file,
            QString(),
            {integerField(QStringLiteral("Punti")), textField(QStringLiteral("Squadre"), 30),
             integerField(QStringLiteral("SetV")), integerField(QStringLiteral("SetP")),
             integerField(QStringLiteral("SetG")), logicalField(QStringLiteral("Riposo"))},
            {}};
}

sqlite3 *plainOpen(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
    return db;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    ImpostaCartellaProgramma(dir.path());
    Database &db = Database::instance();
    QElapsedTimer t;
    sqlite3 *plain = nullptr;

    // 1. Append and post 10 000 rows in one transaction (each run on new tables).
    const auto [engineAppend, plainAppend] = inTurns(
        [&] {
        if (db.exists(QStringLiteral("motore.db")))
            db.deleteTable(QStringLiteral("motore.db"));
        db.createTable(benchTable(QStringLiteral("motore.db")));
        t.start();
        {
            Table table(QStringLiteral("motore.db"));
            table.open();
            Transaction tr;
            for (int i = 0; i < Rows; ++i) {
                table.append();
                table.fieldByName(QStringLiteral("Punti")).setAsInteger(i);
                table.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Squadra %1").arg(i));
                table.fieldByName(QStringLiteral("SetV")).setAsInteger(i % 7);
                table.fieldByName(QStringLiteral("Riposo")).setAsBoolean(i % 2);
                table.post();
            }
            tr.commit();
        }
        const double elapsed = ms(t);
        db.detachIdle();
        return elapsed;
    },
    [&] {
        if (plain)
            sqlite3_close(plain);
        if (db.exists(QStringLiteral("semplice.db")))
            db.deleteTable(QStringLiteral("semplice.db"));
        db.createTable(benchTable(QStringLiteral("semplice.db")));
        db.detachIdle();
        plain = plainOpen(dir.filePath(QStringLiteral("semplice.db")));
        t.restart();
        {
            sqlite3_exec(plain, "BEGIN", nullptr, nullptr, nullptr);
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(plain,
                               "INSERT INTO dati (Punti, Squadre, SetV, SetP, SetG, Riposo) VALUES (?,?,?,?,?,?)", -1,
                               &st, nullptr);
            for (int i = 0; i < Rows; ++i) {
                sqlite3_bind_int(st, 1, i);
                const QByteArray name = QStringLiteral("Squadra %1").arg(i).toUtf8();
                sqlite3_bind_text(st, 2, name.constData(), int(name.size()), SQLITE_TRANSIENT);
                sqlite3_bind_int(st, 3, i % 7);
                sqlite3_bind_null(st, 4);
                sqlite3_bind_null(st, 5);
                sqlite3_bind_int(st, 6, i % 2);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
            sqlite3_exec(plain, "COMMIT", nullptr, nullptr, nullptr);
        }
        return ms(t);
    });
    report("append+post 10000 rows, 1 commit", engineAppend, plainAppend);

    // 2. A full scan, and 3. a field-by-name read loop.
    int count = 0;
    const auto [engineScan, plainScan] = inTurns(
        [&] {
        t.restart();
        {
            Table table(QStringLiteral("motore.db"));
            table.open();
            for (table.first(); !table.eof(); table.next())
                ++count;
        }
        return ms(t);
    },
    [&] {
        t.restart();
        {
            sqlite3_stmt *st = nullptr;
            // A scan looks at every row's values: each column read in its own type.
            sqlite3_prepare_v2(plain, "SELECT * FROM dati", -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(st); ++c) {
                    if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                        count += int(
                            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, c))).size() > 0);
                    else
                        count += int(sqlite3_column_int64(st, c) > 0);
                }
                ++count;
            }
            sqlite3_finalize(st);
        }
        return ms(t);
    });
    report("full scan 10000 rows", engineScan, plainScan);

    long long sum = 0;
    const auto [engineRead, plainRead] = inTurns(
        [&] {
        t.restart();
        {
            Table table(QStringLiteral("motore.db"));
            table.open();
            for (table.first(); !table.eof(); table.next()) {
                sum += table.fieldByName(QStringLiteral("Punti")).asInteger();
                sum += table.fieldByName(QStringLiteral("Squadre")).asString().size();
                sum += table.fieldByName(QStringLiteral("Riposo")).asBoolean();
            }
        }
        return ms(t);
    },
    [&] {
        t.restart();
        {
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(plain, "SELECT * FROM dati", -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW) {
                sum += sqlite3_column_int(st, 0);
                sum += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))).size();
                sum += sqlite3_column_int(st, 5);
            }
            sqlite3_finalize(st);
        }
        return ms(t);
    });
    report("read 3 fields by name, 10000 rows", engineRead, plainRead);
    sqlite3_close(plain);

    // 4. Rebuild of a 100 000-row table after a field was added.
    {
        TableDeclaration old = DichiarazioneClassifica();
        old.fields.removeLast();
        db.createTable(old);
        Table table(QStringLiteral("Class.db"));
        table.open();
        Transaction tr;
        for (int i = 0; i < 100000; ++i) {
            table.append();
            table.fieldByName(QStringLiteral("Punti")).setAsInteger(i);
            table.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Squadra %1").arg(i));
            table.post();
        }
        tr.commit();
    }
    t.restart();
    TableDeclaration classifica = DichiarazioneClassifica();
    CreaOAggiornaTabella(classifica);
    std::printf("%-34s %9.2f ms   (target under 2000 ms)\n", "rebuild 100000 rows, field added", ms(t));

    // 5. The start-up check of nine unchanged tables, a fresh connection each time as at start.
    Database::shutdown();
    QTemporaryDir fresh;
    ImpostaCartellaProgramma(fresh.path());
    CreaTabellaEsportazione();
    CreaTabelle();
    QList<double> runs;
    for (int i = 0; i < 11; ++i) {
        Database::shutdown();
        t.restart();
        CreaTabellaEsportazione();
        CreaTabelle();
        runs << ms(t);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("%-34s %9.2f ms median   (target under 50 ms)\n", "start-up check, 9 unchanged tables",
                runs[runs.size() / 2]);

    // 6. The same check, every table's pages read, over a 20-team season (teams, standings, the 38
    // matchdays of the calendar, all played).
    {
        Table squadre(QStringLiteral("squadre.db"));
        Table classifica(QStringLiteral("Class.db"));
        Table giornate(QStringLiteral("giornate.db"));
        squadre.open();
        classifica.open();
        giornate.open();
        Transaction tr;
        for (int i = 1; i <= 20; ++i) {
            squadre.append();
            squadre.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Squadra numero %1").arg(i));
            squadre.post();
            classifica.append();
            classifica.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Squadra numero %1").arg(i));
            classifica.fieldByName(QStringLiteral("Punti")).setAsInteger(3 * i);
            classifica.post();
        }
        for (int g = 1; g <= 38; ++g) {
            giornate.append();
            giornate.fieldByName(QStringLiteral("Giornata")).setAsInteger(g);
            for (int k = 1; k <= 20; ++k) {
                giornate.fieldByName(QStringLiteral("Squadra%1").arg(k)).setAsString(QStringLiteral("Squadra numero %1").arg(k));
                giornate.fieldByName(QStringLiteral("Set%1").arg(k)).setAsString(QString::number(k % 4));
            }
            giornate.fieldByName(QStringLiteral("Giocata")).setAsBoolean(true);
            giornate.post();
        }
        tr.commit();
    }
    runs.clear();
    for (int i = 0; i < 11; ++i) {
        Database::shutdown();
        t.restart();
        CreaTabellaEsportazione();
        CreaTabelle();
        runs << ms(t);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("%-34s %9.2f ms median   (target under 20 ms)\n", "start-up check, 20-team season",
                runs[runs.size() / 2]);
    Database::shutdown();
    return sum > 0 && count > 0 ? 0 : 1;
}
