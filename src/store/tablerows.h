// Where the rows of a table cursor are. A loop that reads forward, or only adds rows, costs
// little beyond SQLite: the rows are read straight from the statement as the cursor moves, and a
// row just added is kept aside; they are copied into the cursor's store only when a move needs them
// all (back, to the end, a count, a search, an edit). One state tells which, and become() alone
// changes it.
#pragma once

#include "store/cursor.h"
#include "store/database.h"
#include "store/engineerror.h"

#include <memory>
#include <optional>

namespace store {

// Errors of the engine itself (a damaged page, a failed write) name the table's file; the rules'
// own refusals (a required field, a key) already say what is wrong.
[[noreturn]] void rethrowOnTableFile(const EngineError &e, const QString &fileName);

class TableRows {
public:
    enum class State {
        Closed,    // the table is closed: no rows
        Reading,   // the statement stands on the current row; the store holds none of the rows
        PastEnd,   // reading went past the last row, still the current one; the store holds none
        Held,      // the current row, the last, was just added and is kept aside; the store holds the others
        HeldAlone, // rows were added one after another: only the last one, the current, is at hand
        Complete,  // the store holds every row
    };

    // The store is the cursor's own, where its moves read; this class decides what is in it.
    explicit TableRows(RowStore &store) : store(store) {}

    // The table's rows, read by `select` ("SELECT rowid, * ..." in the table's order) on the
    // connection db; `version` is the table's, shared by every cursor on it. Starts Complete
    // and empty, without a filter.
    void open(Database &db, const QString &fileName, std::shared_ptr<quint64> version, const QString &select,
              int columns);
    void close();
    State state() const { return current; }
    bool reading() const { return current == State::Reading || current == State::PastEnd; }
    bool held() const { return current == State::Held || current == State::HeldAlone; }
    // No row at all.
    bool isEmpty() const { return (current == State::Complete || current == State::Closed) && store.isEmpty(); }

    // The connection the table was opened on; an engine error once that connection has closed.
    Database &connection() const;
    // The connection while it is still open; null otherwise.
    Database *openConnection() const { return Database::isOpen(db) ? db : nullptr; }

    // Only the rows whose field equals the value (compared as the engine shows them) are read;
    // field -1 reads every row.
    void setFilter(int field, const FieldDef &def, const QVariant &value);

    // Another cursor wrote to the table since these rows were read.
    bool stale() const { return *version != seen; }
    // This cursor wrote: the table has a new version, already seen here.
    void wrote();

    // Starts reading from the first row: true when there is one (Reading); false and Complete
    // and empty when there is none.
    bool readFirst();
    // Reading or PastEnd: the same, with the statement already there.
    bool readAgain();
    // Reading: steps to the next row (true), or past the last (false, PastEnd).
    bool readNext();
    // Copies every row into the store (Complete); returns where the row at `pos` now is.
    int complete(int pos);
    // Reads every row into the store again (Complete); returns where the row `keep` is, or else
    // `pos` within the rows; -1 when there is none.
    int load(std::optional<qint64> keep, int pos);

    std::optional<qint64> rowidAt(int pos) const;
    // The current row's value (Reading, Held, Complete), as a QVariant or as a view.
    QVariant value(int pos, int index) const;
    CellView view(int pos, int index) const
    {
        return current == State::Reading ? readingView(index) : storedView(pos, index);
    }

    // A row added at the end is kept aside (Complete, Held or HeldAlone): it swaps with `row`,
    // which keeps the old row's room for the next one. Returns the new row's place.
    int hold(QList<QVariant> &row, qint64 rowid, int pos);
    // Complete only: a row added at the end, a row changed, a row removed.
    int append(const QList<QVariant> &row, qint64 rowid);
    void replace(int pos, const QList<QVariant> &row) { store.set(pos, row); }
    void remove(int pos);

private:
    CellView readingView(int index) const;
    CellView storedView(int pos, int index) const;
    void become(State next);
    bool passes(const QVariant &value) const;

    State current = State::Closed;
    RowStore &store;
    QList<qint64> rowids; // Complete: each stored row's rowid
    Statement statement;  // Reading, PastEnd
    QList<QVariant> kept; // Held, HeldAlone: the current row
    qint64 rowid = 0;     // Reading, PastEnd, Held, HeldAlone: the current row's rowid

    Database *db = nullptr;
    QString file;
    QString select;
    int columns = 0;
    std::shared_ptr<quint64> version = std::make_shared<quint64>(0);
    quint64 seen = 0; // the version these rows were read at

    struct Filter {
        int field = -1;
        FieldDef def;
        QVariant value;
    } filter;
};

} // namespace store
