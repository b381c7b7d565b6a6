// The table engine's rules: values, navigation, filters, events, structure, transactions, and the
// files it must refuse without touching them.
#include "core/cartella.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

#include "store/query.h"

#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace store;

namespace {

TableDeclaration people()
{
    return {QStringLiteral("Persone.db"),
            QString(),
            {textField(QStringLiteral("Nome"), 10, true), integerField(QStringLiteral("Eta")),
             logicalField(QStringLiteral("Attivo")), memoField(QStringLiteral("Note"))},
            {}};
}

// Two tables of the same shape: Persone.db and Altre.db.
void createPeopleAndOthers(Database &db)
{
    db.createTable(people());
    TableDeclaration other = people();
    other.fileName = QStringLiteral("Altre.db");
    db.createTable(other);
}

void addPerson(Table &t, const QString &name, const QVariant &age)
{
    t.append();
    t.fieldByName(QStringLiteral("Nome")).setAsString(name);
    t.fieldByName(QStringLiteral("Eta")).setValue(age);
    QVERIFY(t.post());
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

template <typename F> int helpContextOf(F &&f)
{
    try {
        f();
    } catch (const EngineError &e) {
        return e.helpContext();
    }
    return 0;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { Database::shutdown(); }

    void valueRules()
    {
        TempProgramFolder folder;
        Database::instance().createTable(people());
        Table t(QStringLiteral("persone.db")); // the file is found whatever the case
        t.open();

        // An empty text is blank, so a required text refuses it and the row stays pending.
        t.append();
        t.fieldByName(QStringLiteral("nome")).setAsString(QString());
        QCOMPARE(helpContextOf([&] { t.post(); }), int(HcRequired));
        QCOMPARE(t.state(), Table::Insert);
        t.cancel();
        QCOMPARE(t.recordCount(), 0);

        // Texts are cut to the width in characters, accents and apostrophes included.
        addPerson(t, QStringLiteral("Nicolò D'Angelo"), QStringLiteral(" 42 "));
        QCOMPARE(t.fieldByName(QStringLiteral("NOME")).asString(), QStringLiteral("Nicolò D'A"));
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 42);
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asString(), QStringLiteral("42"));

        // A text that is no integer is refused with an engine error, and nothing is written.
        t.edit();
        QCOMPARE(helpContextOf([&] { t.fieldByName(QStringLiteral("Eta")).setAsString(QStringLiteral("4x")); }),
                 int(HcInvalidValue));
        t.cancel();
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 42);

        // Blank fields read as "", 0 and false; logicals read "True"/"False".
        t.edit();
        t.fieldByName(QStringLiteral("Eta")).clear();
        QVERIFY(t.post());
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asString(), QString());
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 0);
        QCOMPARE(t.fieldByName(QStringLiteral("Attivo")).asBoolean(), false);
        QCOMPARE(t.fieldByName(QStringLiteral("Attivo")).asString(), QString());
        t.edit();
        t.fieldByName(QStringLiteral("Attivo")).setAsBoolean(true);
        t.post();
        QCOMPARE(t.fieldByName(QStringLiteral("Attivo")).asString(), QStringLiteral("True"));
        t.edit();
        t.fieldByName(QStringLiteral("Attivo")).setAsString(QStringLiteral("False"));
        t.post();
        QCOMPARE(t.fieldByName(QStringLiteral("Attivo")).isNull(), false);
        QCOMPARE(t.fieldByName(QStringLiteral("Attivo")).asString(), QStringLiteral("False"));

        // A memo keeps long text whole; an unknown field and writing while browsing are errors.
        const QString longText(5000, QLatin1Char('x'));
        t.edit();
        t.fieldByName(QStringLiteral("Note")).setAsString(longText);
        t.post();
        QCOMPARE(t.fieldByName(QStringLiteral("Note")).asString(), longText);
        QCOMPARE(helpContextOf([&] { t.fieldByName(QStringLiteral("Nessuno")); }), int(HcUnknownField));
        QCOMPARE(helpContextOf([&] { t.fieldByName(QStringLiteral("Eta")).setAsInteger(1); }), int(HcNotEditing));

        // What was posted is on disk: a fresh cursor reads it back.
        t.close();
        Table again(QStringLiteral("Persone.db"));
        again.open();
        QCOMPARE(again.recordCount(), 1);
        QCOMPARE(again.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("Nicolò D'A"));
    }

    // setAsInteger, setAsBoolean and setAsString take a shorter way for the common cases; whatever
    // the field and the value, they store what setValue stores, and refuse what it refuses.
    void typedWritesStoreWhatValueWritesStore()
    {
        TempProgramFolder folder;
        Database::instance().createTable({QStringLiteral("Tipi.db"),
                                          QString(),
                                          {textField(QStringLiteral("Testo"), 5), memoField(QStringLiteral("Nota")),
                                           integerField(QStringLiteral("Numero")), logicalField(QStringLiteral("Vero")),
                                           dateField(QStringLiteral("Data"))},
                                          {}});
        Table t(QStringLiteral("Tipi.db"));
        t.open();
        // What a write leaves in the row being edited, or the error it throws.
        const auto outcome = [&](const QString &field, const std::function<void(Field)> &write) {
            t.append();
            QString result;
            try {
                write(t.fieldByName(field));
                const QVariant v = t.fieldByName(field).value();
                result = QStringLiteral("%1:%2").arg(QString::fromLatin1(v.typeName()), v.toString());
            } catch (const EngineError &e) {
                result = QStringLiteral("error %1").arg(e.helpContext());
            }
            t.cancel();
            return result;
        };
        const QStringList texts = {QString(), QStringLiteral(""), QStringLiteral(" 12 "), QStringLiteral("abcdefgh"),
                                   QStringLiteral("True"), QStringLiteral("false"), QStringLiteral("2026-12-09"),
                                   QStringLiteral("Nicolò D'Angelo")};
        for (const QString &field : {QStringLiteral("Testo"), QStringLiteral("Nota"), QStringLiteral("Numero"),
                                     QStringLiteral("Vero"), QStringLiteral("Data")}) {
            for (int n : {0, 7, -3, 123456}) {
                QCOMPARE(outcome(field, [&](Field f) { f.setAsInteger(n); }),
                         outcome(field, [&](Field f) { f.setValue(QVariant(n)); }));
            }
            for (bool b : {true, false}) {
                QCOMPARE(outcome(field, [&](Field f) { f.setAsBoolean(b); }),
                         outcome(field, [&](Field f) { f.setValue(QVariant(b)); }));
            }
            for (const QString &text : texts) {
                QCOMPARE(outcome(field, [&](Field f) { f.setAsString(text); }),
                         outcome(field, [&](Field f) { f.setValue(QVariant(text)); }));
            }
        }
        // A sample of what they store, so that both ways cannot be wrong alike.
        QCOMPARE(outcome(QStringLiteral("Testo"), [](Field f) { f.setAsString(QStringLiteral("abcdefgh")); }),
                 QStringLiteral("QString:abcde"));
        QCOMPARE(outcome(QStringLiteral("Vero"), [](Field f) { f.setAsInteger(7); }), QStringLiteral("qlonglong:1"));
        QCOMPARE(outcome(QStringLiteral("Numero"), [](Field f) { f.setAsBoolean(true); }), QStringLiteral("qlonglong:1"));

        // Out of editing, or on a closed table, both refuse alike.
        QCOMPARE(helpContextOf([&] { t.field(2).setAsInteger(1); }), int(HcNotEditing));
        QCOMPARE(helpContextOf([&] { t.field(0).setAsString(QStringLiteral("a")); }), int(HcNotEditing));
        t.append();
        Field numero = t.fieldByName(QStringLiteral("Numero"));
        t.close();
        QCOMPARE(helpContextOf([&] { numero.setAsInteger(1); }), int(HcNotEditing));
    }

    void navigationAndLocate()
    {
        TempProgramFolder folder;
        Database::instance().createTable(people());
        Table t(QStringLiteral("Persone.db"));
        t.open();
        QVERIFY(t.eof() && t.bof() && t.isEmpty());
        for (int i = 1; i <= 5; ++i)
            addPerson(t, QStringLiteral("P%1").arg(i), i * 10);

        // Stored order is insertion order; the usual "while not eof" walk sees every row once.
        QStringList seen;
        for (t.first(); !t.eof(); t.next())
            seen << t.fieldByName(QStringLiteral("Nome")).asString();
        QCOMPARE(seen, (QStringList{"P1", "P2", "P3", "P4", "P5"}));
        QCOMPARE(t.recNo(), 5);

        t.last();
        QVERIFY(t.eof());
        t.prior();
        QVERIFY(!t.eof() && !t.bof());
        QCOMPARE(t.recNo(), 4);
        t.first();
        QVERIFY(t.bof());
        t.prior();
        QVERIFY(t.bof());
        QCOMPARE(t.recNo(), 1);

        t.setRecNo(3);
        QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("P3"));
        QVERIFY(t.locate(QStringLiteral("eta"), 40));
        QCOMPARE(t.recNo(), 4);
        QVERIFY(t.locate(QStringLiteral("Nome"), QStringLiteral("P2")));
        QCOMPARE(t.recNo(), 2);
        QVERIFY(!t.locate(QStringLiteral("Nome"), QStringLiteral("p2"))); // exact, case included
        QCOMPARE(t.recNo(), 2);

        // Deleting keeps a sensible current row; deleting everything leaves eof and bof.
        t.setRecNo(5);
        QVERIFY(t.remove());
        QCOMPARE(t.recordCount(), 4);
        QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("P4"));
        while (!t.isEmpty())
            t.remove();
        QVERIFY(t.eof() && t.bof());

        // Moving away from a pending edit posts it to its own row, never to the next one.
        addPerson(t, QStringLiteral("Q1"), 1);
        addPerson(t, QStringLiteral("Q2"), 2);
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("Eta")).setAsInteger(10);
        t.next();
        QCOMPARE(t.state(), Table::Browse);
        QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("Q2"));
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 2);
        t.first();
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 10);
        // The flags are right when the controls hear of the move.
        bool eofSeen = false;
        connect(&t, &Table::dataChanged, this, [&] { eofSeen = t.eof(); });
        t.last();
        QVERIFY(eofSeen);
        while (!t.isEmpty())
            t.remove();

        // Editing an empty table starts a new row.
        t.edit();
        QCOMPARE(t.state(), Table::Insert);
        t.cancel();
    }

    void filters()
    {
        TempProgramFolder folder;
        Database::instance().createTable(people());
        Table t(QStringLiteral("Persone.db"));
        t.open();
        addPerson(t, QStringLiteral("D'Amico"), 30);
        addPerson(t, QStringLiteral("Rossi"), 30);
        addPerson(t, QStringLiteral("D'Amico"), 7);

        t.setFilter(Table::filterEquals(QStringLiteral("Nome"), QStringLiteral("D'Amico")));
        QCOMPARE(t.filter(), QStringLiteral("Nome = 'D''Amico'"));
        t.setFiltered(true);
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 30);

        // An integer field is filtered with its value between quotes too.
        t.setFilter(QStringLiteral("ETA = '30'"));
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("D'Amico"));
        t.next();
        QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("Rossi"));

        t.setFiltered(false);
        QCOMPARE(t.recordCount(), 3);

        t.setFilter(QStringLiteral("Nome = Rossi"));
        QCOMPARE(helpContextOf([&] { t.setFiltered(true); }), int(HcQuery));

        // A filter switched on before the table opens holds from the first row read.
        Table early(QStringLiteral("Persone.db"));
        early.setFilter(Table::filterEquals(QStringLiteral("Nome"), QStringLiteral("Rossi")));
        early.setFiltered(true);
        early.open();
        QCOMPARE(early.recordCount(), 1);
    }

    // A cursor reads its rows as it moves forward; whatever happens to the table meanwhile, it
    // never shows a row that is no longer there, nor misses or repeats one.
    void readingAsItMoves()
    {
        TempProgramFolder folder;
        Database &db = Database::instance();
        db.createTable(people());
        {
            Table w(QStringLiteral("Persone.db"));
            w.open();
            for (int i = 1; i <= 6; ++i)
                addPerson(w, QStringLiteral("P%1").arg(i), i);
        }
        auto nameOf = [](Table &t) { return t.fieldByName(QStringLiteral("Nome")).asString(); };

        // Past the last row the last one is still the current one, and reads as such.
        Table t(QStringLiteral("Persone.db"));
        t.open();
        QVERIFY(!t.isEmpty());
        int walked = 0;
        for (t.first(); !t.eof(); t.next())
            ++walked;
        QCOMPARE(walked, 6);
        QCOMPARE(t.recNo(), 6);
        QCOMPARE(nameOf(t), QStringLiteral("P6"));
        t.prior();
        QCOMPARE(nameOf(t), QStringLiteral("P5"));

        // Halfway, a count, a step back or a search reads the rest and stays on the same row.
        t.close();
        t.open();
        t.next();
        t.next();
        QCOMPARE(t.recordCount(), 6);
        QCOMPARE(nameOf(t), QStringLiteral("P3"));
        t.next();
        QCOMPARE(nameOf(t), QStringLiteral("P4"));
        t.close();
        t.open();
        t.next();
        t.prior();
        QCOMPARE(nameOf(t), QStringLiteral("P1"));

        // Another cursor deletes the current row and the next one and adds a row: the moves go on
        // from the rows as they are now.
        t.close();
        t.open();
        t.next(); // P2
        {
            Table other(QStringLiteral("Persone.db"));
            other.open();
            QVERIFY(other.locate(QStringLiteral("Nome"), QStringLiteral("P3")));
            QVERIFY(other.remove());
            addPerson(other, QStringLiteral("P7"), 7);
            QVERIFY(other.locate(QStringLiteral("Nome"), QStringLiteral("P2")));
            other.edit();
            other.fieldByName(QStringLiteral("Eta")).setAsInteger(22);
            QVERIFY(other.post());
        }
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 22);
        QStringList rest;
        for (; !t.eof(); t.next())
            rest << nameOf(t);
        QCOMPARE(rest, (QStringList{"P2", "P4", "P5", "P6", "P7"}));

        // Filtered: only the matching rows, from the start again after first().
        Table f(QStringLiteral("Persone.db"));
        f.setFilter(QStringLiteral("Eta = '5'"));
        f.setFiltered(true);
        f.open();
        QCOMPARE(nameOf(f), QStringLiteral("P5"));
        f.next();
        QVERIFY(f.eof());
        f.first();
        QCOMPARE(nameOf(f), QStringLiteral("P5"));
        f.setFilter(QStringLiteral("Eta = '99'"));
        QVERIFY(f.isEmpty() && f.eof() && f.bof());

        // A save through another cursor, made while this one is halfway, commits and is on disk;
        // a save rolled back leaves this one reading what is stored.
        t.close();
        t.open();
        t.next();
        {
            Transaction tr(db);
            Table other(QStringLiteral("Persone.db"));
            other.open();
            addPerson(other, QStringLiteral("P8"), 8);
            tr.commit();
        }
        try {
            Transaction tr(db);
            t.next();
            Table other(QStringLiteral("Persone.db"));
            other.open();
            other.first();
            QVERIFY(other.remove());
            throw std::runtime_error("interruzione");
        } catch (const std::runtime_error &) {
        }
        QCOMPARE(nameOf(t), QStringLiteral("P4"));
        t.first();
        QCOMPARE(nameOf(t), QStringLiteral("P1"));
        t.next(); // the connection closes with this cursor halfway
        Database::shutdown();
        // Its statements went with the connection: a write is an engine error, never a crash.
        QCOMPARE(helpContextOf([&] {
                     t.append();
                     t.fieldByName(QStringLiteral("Nome")).setAsString(QStringLiteral("Z"));
                     t.post();
                 }),
                 int(HcNotEditing));
        t.cancel();
        QCOMPARE(helpContextOf([&] { t.remove(); }), int(HcNotEditing));
        t.close();
        Table fresh(QStringLiteral("Persone.db"));
        fresh.open();
        QCOMPARE(fresh.recordCount(), 7);
        QVERIFY(fresh.locate(QStringLiteral("Nome"), QStringLiteral("P8")));
    }

    // Rows added one after another stay out of the cursor's store until a move needs them; every
    // move, count, edit or delete afterwards must find them all, in order, at the right row.
    void rowsAddedOneAfterAnother()
    {
        TempProgramFolder folder;
        Database::instance().createTable(people());
        auto nameOf = [](Table &t) { return t.fieldByName(QStringLiteral("Nome")).asString(); };
        Table t(QStringLiteral("Persone.db"));
        t.open();
        addPerson(t, QStringLiteral("A"), 1);
        QCOMPARE(t.recNo(), 1);
        addPerson(t, QStringLiteral("B"), 2);
        addPerson(t, QStringLiteral("C"), 3);
        QCOMPARE(t.recNo(), 3);
        QCOMPARE(nameOf(t), QStringLiteral("C"));
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 3);
        t.prior();
        QCOMPARE(nameOf(t), QStringLiteral("B"));
        QCOMPARE(t.recordCount(), 3);

        // One row added after a walk halfway: it is the last, and the count includes it.
        t.first();
        addPerson(t, QStringLiteral("D"), 4);
        QCOMPARE(t.recNo(), 4);
        t.next();
        QVERIFY(t.eof());
        QCOMPARE(nameOf(t), QStringLiteral("D"));
        QCOMPARE(t.recordCount(), 4);

        // An edit and a delete right after adding touch the new row and no other.
        addPerson(t, QStringLiteral("E"), 5);
        addPerson(t, QStringLiteral("F"), 6);
        t.edit();
        t.fieldByName(QStringLiteral("Eta")).setAsInteger(60);
        QVERIFY(t.post());
        addPerson(t, QStringLiteral("G"), 7);
        QVERIFY(t.remove());
        QCOMPARE(nameOf(t), QStringLiteral("F"));
        QStringList all;
        int ages = 0;
        for (t.first(); !t.eof(); t.next()) {
            all << nameOf(t);
            ages += t.fieldByName(QStringLiteral("Eta")).asInteger();
        }
        QCOMPARE(all, (QStringList{"A", "B", "C", "D", "E", "F"}));
        QCOMPARE(ages, 1 + 2 + 3 + 4 + 5 + 60);

        // Another cursor changes the table between two additions: both are seen, with its change.
        addPerson(t, QStringLiteral("H"), 8);
        {
            Table other(QStringLiteral("Persone.db"));
            other.open();
            QVERIFY(other.locate(QStringLiteral("Nome"), QStringLiteral("A")));
            QVERIFY(other.remove());
        }
        addPerson(t, QStringLiteral("I"), 9);
        QCOMPARE(t.recNo(), 7);
        QVERIFY(t.locate(QStringLiteral("Nome"), QStringLiteral("H")));
        QCOMPARE(t.recNo(), 6);
        QCOMPARE(t.recordCount(), 7);

        // A row refused by a before-post handler stays pending, and the one before is kept.
        t.last();
        t.beforePost = [](Table &table) { return table.fieldByName(QStringLiteral("Nome")).asString() != "X"; };
        t.append();
        t.fieldByName(QStringLiteral("Nome")).setAsString(QStringLiteral("X"));
        QVERIFY(!t.post());
        QCOMPARE(t.state(), Table::Insert);
        t.cancel();
        QCOMPARE(nameOf(t), QStringLiteral("I"));
        QCOMPARE(t.recordCount(), 7);
        t.beforePost = nullptr;

        // An edit posted after another cursor deleted a row: that row is gone here too.
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("Eta")).setAsInteger(11);
        {
            Table other(QStringLiteral("Persone.db"));
            other.open();
            QVERIFY(other.locate(QStringLiteral("Nome"), QStringLiteral("C")));
            QVERIFY(other.remove());
        }
        QVERIFY(t.post());
        QCOMPARE(t.fieldByName(QStringLiteral("Eta")).asInteger(), 11);
        QCOMPARE(t.recordCount(), 6);
        QVERIFY(!t.locate(QStringLiteral("Nome"), QStringLiteral("C")));
    }

    void eventsAbortSilently()
    {
        TempProgramFolder folder;
        Database::instance().createTable(people());
        Table t(QStringLiteral("Persone.db"));
        t.open();
        int after = 0;
        bool allowPost = false;
        bool allowDelete = false;
        t.beforePost = [&](Table &) { return allowPost; };
        t.afterPost = [&](Table &) { ++after; };
        t.beforeDelete = [&](Table &) { return allowDelete; };

        t.append();
        t.fieldByName(QStringLiteral("Nome")).setAsString(QStringLiteral("Uno"));
        QVERIFY(!t.post());
        QCOMPARE(t.state(), Table::Insert); // still pending, nothing written
        QCOMPARE(after, 0);
        allowPost = true;
        QVERIFY(t.post());
        QCOMPARE(after, 1);
        QCOMPARE(t.recordCount(), 1);

        // A new row never replaces a pending one whose post was aborted.
        allowPost = false;
        t.edit();
        t.fieldByName(QStringLiteral("Nome")).setAsString(QStringLiteral("Due"));
        t.insert();
        QCOMPARE(t.state(), Table::Edit);
        QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("Due"));
        t.cancel();
        allowPost = true;

        QVERIFY(!t.remove());
        QCOMPARE(t.recordCount(), 1);
        allowDelete = true;
        QVERIFY(t.remove());
        QCOMPARE(t.recordCount(), 0);
    }

    void notificationsAndSharedFile()
    {
        TempProgramFolder folder;
        Database::instance().createTable(people());
        Table a(QStringLiteral("Persone.db"));
        Table b(QStringLiteral("PERSONE.DB"));
        a.open();
        b.open();
        QSignalSpy state(&a, &Table::stateChanged);
        QSignalSpy data(&a, &Table::dataChanged);
        addPerson(a, QStringLiteral("Uno"), 1);
        QVERIFY(state.count() >= 2); // into insert, back to browse
        QVERIFY(data.count() >= 1);

        // A second cursor on the same table sees what the first wrote, and the other way round.
        QCOMPARE(b.recordCount(), 1);
        b.first();
        b.edit();
        b.fieldByName(QStringLiteral("Eta")).setAsInteger(99);
        b.post();
        // A count that finds what the other cursor wrote reads the table again, and tells the
        // controls once.
        const Table &shown = a;
        const qsizetype heard = data.count();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(data.count(), heard + 1);
        QCOMPARE(shown.recordCount(), 1);
        QCOMPARE(a.fieldByName(QStringLiteral("Eta")).asInteger(), 99);
        QCOMPARE(data.count(), heard + 1);
        // A field read alone, with no move or count before it, finds what the other wrote too.
        b.edit();
        b.fieldByName(QStringLiteral("Eta")).setAsInteger(7);
        b.post();
        QCOMPARE(a.fieldByName(QStringLiteral("Eta")).asInteger(), 7);
        QCOMPARE(a.fieldByName(QStringLiteral("Eta")).asString(), QStringLiteral("7"));
        b.edit();
        b.fieldByName(QStringLiteral("Eta")).setAsInteger(99);
        b.post();

        // A control bound to a cursor that code has already walked hears every move from then on.
        Table walked(QStringLiteral("Persone.db"));
        walked.open();
        for (walked.first(); !walked.eof(); walked.next()) {
        }
        QSignalSpy moved(&walked, &Table::dataChanged);
        QSignalSpy states(&walked, &Table::stateChanged);
        QSignalSpy typed(&walked, &Table::updateRecord);
        walked.first();
        walked.edit();
        walked.post();
        QVERIFY(moved.count() >= 2);
        QCOMPARE(states.count(), 2);
        QCOMPARE(typed.count(), 1);

        // Closing drops an edit not yet posted.
        a.edit();
        a.fieldByName(QStringLiteral("Eta")).setAsInteger(5);
        a.close();
        QCOMPARE(b.fieldByName(QStringLiteral("Eta")).asInteger(), 99);
    }

    // Fields are found by their names whatever text holds them: many alike, any case, the same
    // cursor on another table, a query naming two columns alike.
    void fieldsByName()
    {
        TempProgramFolder folder;
        Database &db = Database::instance();
        TableDeclaration wide{QStringLiteral("Larga.db"), QString(), {}, {}};
        for (int i = 1; i <= 20; ++i)
            wide.fields << textField(QStringLiteral("Squadra%1").arg(i), 20) << integerField(QStringLiteral("Set%1").arg(i));
        db.createTable(wide);
        db.createTable(people());

        Table t(QStringLiteral("Larga.db"));
        t.open();
        for (int i = 0; i < wide.fields.size(); ++i) {
            const QString name = wide.fields[i].name; // a text made at run time, freed each turn
            QCOMPARE(t.fieldIndex(name), i);
            QCOMPARE(t.fieldIndex(name.toUpper()), i);
        }
        QCOMPARE(t.fieldIndex(QStringLiteral("Squadra21")), -1);
        QCOMPARE(t.fieldIndex(QString()), -1);
        QCOMPARE(helpContextOf([&] { t.fieldByName(QStringLiteral("Nome")); }), int(HcUnknownField));

        // The same cursor, and the same literal, on another table.
        t.close();
        QCOMPARE(t.fieldIndex(QStringLiteral("Set1")), -1);
        t.setFileName(QStringLiteral("Persone.db"));
        t.open();
        QCOMPARE(t.fieldIndex(QStringLiteral("Set1")), -1);
        QCOMPARE(t.fieldIndex(QStringLiteral("Eta")), 1);
        addPerson(t, QStringLiteral("Anna"), 30);

        Query q(QStringLiteral("SELECT p.Nome, p.Eta AS Nome FROM \"Persone.db\" p"));
        q.open();
        QCOMPARE(q.fieldIndex(QStringLiteral("Nome")), 0);
        QCOMPARE(q.fieldIndex(QStringLiteral("NOME")), 0);
        QCOMPARE(q.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("Anna"));
        q.close();
        QCOMPARE(q.fieldIndex(QStringLiteral("Nome")), -1);
    }

    void structureCreateReadDeleteRename()
    {
        TempProgramFolder folder;
        Database &db = Database::instance();
        TableDeclaration d = people();
        d.indexes << IndexDef{QString(), {QStringLiteral("Eta")}, QString(), IxPrimary}
                  << IndexDef{QStringLiteral("PerNome"), {QStringLiteral("Nome")}, QString(), IxUnique};
        db.createTable(d);
        const TableDeclaration back = db.readStructure(QStringLiteral("persone.db"));
        QCOMPARE(back.fields, d.fields);
        QCOMPARE(back.indexes.size(), 2);
        QCOMPARE(back.indexes[0].fields, QStringList{QStringLiteral("Eta")});
        QCOMPARE(back.indexes[0].options, unsigned(IxPrimary | IxUnique));
        QCOMPARE(back.indexes[1].name, QStringLiteral("PerNome"));
        QCOMPARE(back.indexes[1].options, unsigned(IxUnique));

        {
            // A table with a primary index is read in the index's order; a duplicate key is refused.
            Table t(QStringLiteral("Persone.db"));
            t.open();
            addPerson(t, QStringLiteral("B"), 2);
            addPerson(t, QStringLiteral("A"), 1);
            t.first();
            QCOMPARE(t.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("A"));
            t.append();
            t.fieldByName(QStringLiteral("Nome")).setAsString(QStringLiteral("C"));
            t.fieldByName(QStringLiteral("Eta")).setAsInteger(2);
            QCOMPARE(helpContextOf([&] { t.post(); }), int(HcKeyViolation));
            t.cancel();
            QCOMPARE(t.recordCount(), 2);
            // An open table can be neither deleted nor renamed.
            QCOMPARE(helpContextOf([&] { db.deleteTable(QStringLiteral("Persone.db")); }), int(HcBusy));
        }

        db.renameTable(QStringLiteral("Persone.db"), QStringLiteral("Gente.db"));
        QVERIFY(!db.exists(QStringLiteral("Persone.db")));
        Table g(QStringLiteral("Gente.db"));
        g.open();
        QCOMPARE(g.recordCount(), 2);
        g.close();
        QFile(folder.file(QStringLiteral("Gente.db-journal"))).open(QIODevice::WriteOnly);
        db.deleteTable(QStringLiteral("gente.db"));
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("Gente.db"))));
        QVERIFY(!QFile::exists(folder.file(QStringLiteral("Gente.db-journal"))));
    }

    void transactionLandsWholeOrNotAtAll()
    {
        TempProgramFolder folder;
        Database &db = Database::instance();
        createPeopleAndOthers(db);
        Table a(QStringLiteral("Persone.db"));
        Table b(QStringLiteral("Altre.db"));
        a.open();
        b.open();
        addPerson(a, QStringLiteral("Prima"), 1);

        // Interrupted after the first table was written: neither table changes.
        try {
            Transaction tr(db);
            a.first();
            a.edit();
            a.fieldByName(QStringLiteral("Eta")).setAsInteger(2);
            a.post();
            throw std::runtime_error("interruzione");
        } catch (const std::runtime_error &) {
        }
        QCOMPARE(a.fieldByName(QStringLiteral("Eta")).asInteger(), 1);
        QCOMPARE(b.recordCount(), 0);

        {
            Transaction tr(db);
            a.first();
            a.edit();
            a.fieldByName(QStringLiteral("Eta")).setAsInteger(3);
            a.post();
            addPerson(b, QStringLiteral("Dopo"), 3);
            tr.commit();
        }
        a.close();
        b.close();
        Database::shutdown();
        Table a2(QStringLiteral("Persone.db"));
        Table b2(QStringLiteral("Altre.db"));
        a2.open();
        b2.open();
        QCOMPARE(a2.fieldByName(QStringLiteral("Eta")).asInteger(), 3);
        QCOMPARE(b2.recordCount(), 1);

        // An inner part rolled back makes the outer commit fail instead of reporting success.
        Database &again = Database::instance();
        Transaction outer(again);
        { Transaction inner(again); }
        QCOMPARE(helpContextOf([&] { outer.commit(); }), int(HcWrite));
    }

    // A save may open its tables after it began: each joins the save, whole or not at all, and
    // a file refused meanwhile is still refused once the save is over.
    void tablesOpenedDuringASave()
    {
        TempProgramFolder folder;
        Database &db = Database::instance();
        createPeopleAndOthers(db);
        {
            QFile f(folder.file(QStringLiteral("Rotto.db")));
            f.open(QIODevice::WriteOnly);
            f.write("questo non è una tabella\n");
        }
        db.exec(QStringLiteral("ATTACH DATABASE '%1' AS estraneo").arg(folder.file(QStringLiteral("Estraneo.db"))));
        db.exec(QStringLiteral("CREATE TABLE estraneo.clienti (x)"));
        db.exec(QStringLiteral("DETACH DATABASE estraneo"));

        {
            Transaction tr(db);
            Table a(QStringLiteral("Persone.db"));
            a.open();
            addPerson(a, QStringLiteral("Prima"), 1);
            Table bad(QStringLiteral("Rotto.db"));
            QCOMPARE(helpContextOf([&] { bad.open(); }), int(HcNotATable));
            Table foreign(QStringLiteral("Estraneo.db"));
            QCOMPARE(helpContextOf([&] { foreign.open(); }), int(HcNotATable));
            QCOMPARE(helpContextOf([&] { foreign.open(); }), int(HcNotATable));
            Table b(QStringLiteral("Altre.db")); // opened after the first table was written
            b.open();
            addPerson(b, QStringLiteral("Dopo"), 2);
            Query q(QStringLiteral("SELECT COUNT(*) AS n FROM \"Persone.db\""));
            q.open();
            QCOMPARE(q.fieldByName(QStringLiteral("n")).asInteger(), 1);
            tr.commit();
        }
        {
            Transaction tr(db);
            Table b(QStringLiteral("Altre.db"));
            b.open();
            addPerson(b, QStringLiteral("Annullata"), 3);
        } // rolled back
        Table foreign(QStringLiteral("Estraneo.db"));
        QCOMPARE(helpContextOf([&] { foreign.open(); }), int(HcNotATable));
        Database::shutdown();
        Table a(QStringLiteral("Persone.db"));
        Table b(QStringLiteral("Altre.db"));
        a.open();
        b.open();
        QCOMPARE(a.recordCount(), 1);
        QCOMPARE(b.recordCount(), 1);
        QCOMPARE(b.fieldByName(QStringLiteral("Nome")).asString(), QStringLiteral("Dopo"));
    }

    // A save writing more tables than the connection holds at once: the tables it wrote stay with
    // it, and the one too many is refused without harm to the rest.
    void saveOverMoreTablesThanAttached()
    {
        TempProgramFolder folder;
        Database &db = Database::instance();
        const int limit = sqlite3_limit(db.handle(), SQLITE_LIMIT_ATTACHED, -1);
        QStringList files;
        for (int i = 0; i <= limit; ++i) {
            TableDeclaration d = people();
            d.fileName = QStringLiteral("T%1.db").arg(i);
            db.createTable(d);
            files << d.fileName;
        }
        {
            Transaction tr(db);
            for (int i = 0; i < limit; ++i) {
                Table t(files[i]);
                t.open();
                addPerson(t, QStringLiteral("Riga"), i);
            }
            Table tooMany(files.last());
            QCOMPARE(helpContextOf([&] { tooMany.open(); }), int(HcBusy));
            tr.commit();
        }
        for (int i = 0; i <= limit; ++i) {
            Table t(files[i]);
            t.open();
            QCOMPARE(t.recordCount(), i < limit ? 1 : 0);
        }
    }

    void foreignAndDamagedFilesAreLeftAlone()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        const QString text = folder.file(QStringLiteral("giornate.db"));
        {
            QFile f(text);
            f.open(QIODevice::WriteOnly);
            f.write("questo non è una tabella\n");
        }
        const QByteArray before = digest(text);
        Table t(QStringLiteral("giornate.db"));
        try {
            t.open();
            QFAIL("a text file opened as a table");
        } catch (const EngineError &e) {
            QCOMPARE(e.helpContext(), int(HcNotATable));
            QVERIFY(e.message().contains(text));
        }
        QCOMPARE(digest(text), before);

        // A real SQLite file of another program: no table of ours inside.
        Database &db = Database::instance();
        db.exec(QStringLiteral("ATTACH DATABASE '%1' AS estraneo").arg(folder.file(QStringLiteral("altro.db"))));
        db.exec(QStringLiteral("CREATE TABLE estraneo.clienti (x)"));
        db.exec(QStringLiteral("DETACH DATABASE estraneo"));
        const QByteArray foreign = digest(folder.file(QStringLiteral("altro.db")));
        Table o(QStringLiteral("altro.db"));
        QCOMPARE(helpContextOf([&] { o.open(); }), int(HcNotATable));
        QCOMPARE(digest(folder.file(QStringLiteral("altro.db"))), foreign);

        // A missing table is an error of its own.
        Table m(QStringLiteral("manca.db"));
        QCOMPARE(helpContextOf([&] { m.open(); }), int(HcTableNotFound));
        QCOMPARE(boxes.count(), 0);
    }

    // Queries and tables reach the files of the program folder only; an outside file, even one in
    // WAL mode whose header an attach would rewrite, is never opened.
    void nothingOutsideTheFolder()
    {
        QTemporaryDir outside;
        const QString walFile = outside.filePath(QStringLiteral("x.db"));
        {
            sqlite3 *raw = nullptr;
            QCOMPARE(sqlite3_open(walFile.toUtf8().constData(), &raw), SQLITE_OK);
            sqlite3_exec(raw, "PRAGMA journal_mode = WAL; CREATE TABLE dati (Nome VARCHAR(10)); "
                              "INSERT INTO dati VALUES ('fuori')",
                         nullptr, nullptr, nullptr);
            sqlite3_close(raw);
        }
        const QByteArray before = digest(walFile);
        const QStringList filesBefore = QDir(outside.path()).entryList(QDir::Files);
        TempProgramFolder folder;
        QDir().mkpath(folder.file(QStringLiteral("sotto")));
        QFile::copy(walFile, folder.file(QStringLiteral("sotto/x.db")));
        const QString relative = QDir(folder.path()).relativeFilePath(walFile);
        for (const QString &sql : {QStringLiteral("select * from \"%1\"").arg(relative),
                                   QStringLiteral("select * from \"%1\"").arg(walFile),
                                   QStringLiteral("select * from \"sotto/x.db\""),
                                   QStringLiteral("select * from \"sotto\\x.db\""),
                                   QStringLiteral("select Nome from \"..\" where Nome = 'a'")}) {
            Query q(sql);
            try {
                q.open();
                QFAIL(qPrintable(QStringLiteral("ran: ") + sql));
            } catch (const EngineError &e) {
                QVERIFY2(e.message().contains(QStringLiteral("Nome di tabella non valido")), qPrintable(e.message()));
            }
        }
        for (const QString &name : {relative, walFile, QStringLiteral("sotto/x.db")}) {
            Table t(name);
            QCOMPARE(helpContextOf([&] { t.open(); }), int(HcTableNotFound));
            QCOMPARE(helpContextOf([&] { Database::instance().createTable({name, QString(), {textField(QStringLiteral("A"), 5)}, {}}); }),
                     int(HcTableNotFound));
        }
        QCOMPARE(digest(walFile), before);
        QCOMPARE(QDir(outside.path()).entryList(QDir::Files), filesBefore);
    }

    // A table file that is a symbolic link is not one of ours: never created, read, rebuilt,
    // renamed or deleted through, and the message names it.
    void linksAreNotTables()
    {
        QTemporaryDir outside;
        TableDeclaration decl = people();
        decl.fileName = QStringLiteral("fuori.db");
        ImpostaCartellaProgramma(outside.path());
        Database::instance().createTable(decl);
        Database::shutdown();
        TempProgramFolder folder;
        Database &db = Database::instance();
        const QString target = outside.filePath(QStringLiteral("fuori.db"));
        const QByteArray before = digest(target);

        const QString link = folder.file(QStringLiteral("Persone.db"));
        QVERIFY(QFile::link(target, link));
        const QString dangling = folder.file(QStringLiteral("Altre.db"));
        QVERIFY(QFile::link(outside.filePath(QStringLiteral("manca.db")), dangling));

        Table t(QStringLiteral("persone.db"));
        try {
            t.open();
            QFAIL("a link opened as a table");
        } catch (const EngineError &e) {
            QCOMPARE(e.helpContext(), int(HcNotATable));
            QVERIFY(e.message().contains(link));
        }
        TableDeclaration other = people();
        other.fileName = QStringLiteral("Altre.db");
        QCOMPARE(helpContextOf([&] { db.createTable(other); }), int(HcNotATable));
        QVERIFY(!QFile::exists(outside.filePath(QStringLiteral("manca.db"))));
        QVERIFY(QFileInfo(dangling).isSymLink());
        QCOMPARE(helpContextOf([&] { db.deleteTable(QStringLiteral("Persone.db")); }), int(HcNotATable));
        other.fileName = QStringLiteral("Nuova.db");
        db.createTable(other);
        QCOMPARE(helpContextOf([&] { db.renameTable(QStringLiteral("Nuova.db"), QStringLiteral("Persone.db")); }),
                 int(HcNotATable));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(digest(target), before);
    }

    // The connection's own file: made at the first use, replaced when damaged (it never holds
    // data), and a folder in its place stops the engine with a message naming it.
    void connectionFile()
    {
        TempProgramFolder folder;
        const QString own = folder.file(QLatin1String(MainFileName));
        Database::instance();
        QVERIFY(QFileInfo(own).isFile());
        Database::shutdown();
        {
            QFile f(own);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(5000, 'x'));
        }
        Database::instance().createTable(people());
        Table t(QStringLiteral("Persone.db"));
        t.open();
        addPerson(t, QStringLiteral("Anna"), 30);
        t.close();
        Database::shutdown();
        QVERIFY(QFile::remove(own));
        QVERIFY(QDir().mkdir(own));
        try {
            Database::instance();
            QFAIL("the engine started without its file");
        } catch (const EngineError &e) {
            QCOMPARE(e.helpContext(), int(HcWrite));
            QVERIFY(e.message().contains(own));
        }
    }

    void unwritableFolder()
    {
        // /proc refuses new files even to the superuser.
        ImpostaCartellaProgramma(QStringLiteral("/proc/self/"));
        const int hc = helpContextOf([] { Database::instance().createTable(people()); });
        Database::shutdown();
        ImpostaCartellaProgramma(QString());
        QCOMPARE(hc, int(HcWrite));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
