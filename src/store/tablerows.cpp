#include "store/tablerows.h"

#include <algorithm>
#include <sqlite3.h>

namespace store {

void rethrowOnTableFile(const EngineError &e, const QString &fileName)
{
    if (e.helpContext() == HcNotATable || e.helpContext() == HcWrite || e.helpContext() == HcGeneric)
        throw onTableFile(e, Database::instance().path(fileName));
    throw e;
}

void TableRows::become(State next)
{
    // What a state held goes with it: the statement once the rows are no longer read from it,
    // the row kept aside once it joined the store or the store was read again.
    if (next != State::Reading && next != State::PastEnd && statement.raw())
        statement = Statement();
    if (next != State::Held && next != State::HeldAlone && !kept.isEmpty())
        kept.clear();
    if (next == State::Closed) {
        store.clear();
        rowids.clear();
        db = nullptr;
    }
    current = next;
}

void TableRows::open(Database &connection, const QString &fileName, std::shared_ptr<quint64> tableVersion,
                     const QString &selectSql, int columnCount)
{
    db = &connection;
    file = fileName;
    version = std::move(tableVersion);
    seen = *version;
    select = selectSql;
    columns = columnCount;
    filter = {};
    store.setColumns(columns);
    rowids.clear();
    become(State::Complete);
}

void TableRows::close()
{
    filter = {};
    become(State::Closed);
}

Database &TableRows::connection() const
{
    if (!Database::isOpen(db))
        throw EngineError(QStringLiteral("La tabella '%1' non è aperta.").arg(file), HcNotEditing);
    return *db;
}

void TableRows::setFilter(int field, const FieldDef &def, const QVariant &value) { filter = {field, def, value}; }

bool TableRows::passes(const QVariant &v) const
{
    if (filter.field < 0)
        return true;
    if (filter.value.isNull())
        return v.isNull();
    return valueAsString(filter.def, v) == valueAsString(filter.def, filter.value);
}

void TableRows::wrote()
{
    *version = connection().nextVersion();
    seen = *version;
}

bool TableRows::readFirst()
{
    become(State::Complete); // nothing left from an earlier reading
    store.setColumns(columns);
    rowids.clear();
    try {
        statement = Statement(connection(), select);
    } catch (const EngineError &e) {
        rethrowOnTableFile(e, file);
    }
    seen = *version;
    become(State::Reading);
    return readAgain();
}

bool TableRows::readAgain()
{
    statement.reset();
    if (readNext())
        return true;
    become(State::Complete); // no row at all: nothing is left to read
    return false;
}

bool TableRows::readNext()
{
    try {
        while (statement.step()) {
            if (filter.field >= 0 && !passes(statement.column(filter.field + 1)))
                continue;
            rowid = sqlite3_column_int64(statement.raw(), 0);
            if (current != State::Reading)
                become(State::Reading);
            return true;
        }
    } catch (const EngineError &e) {
        become(State::Complete);
        rethrowOnTableFile(e, file);
    }
    // At the end the statement has finished, and holds the file no more.
    become(State::PastEnd);
    return false;
}

int TableRows::complete(int pos)
{
    switch (current) {
    case State::Reading:
    case State::PastEnd:
        // The rows have not changed since the reading began: the current one is found again by rowid.
        return load(pos >= 0 ? std::optional<qint64>(rowid) : std::nullopt, pos);
    case State::HeldAlone:
        return load(rowid, pos);
    case State::Held:
        store.append(kept);
        rowids.append(rowid);
        become(State::Complete);
        return pos;
    case State::Closed:
    case State::Complete:
        break;
    }
    return pos;
}

int TableRows::load(std::optional<qint64> keep, int pos)
{
    become(State::Complete);
    store.setColumns(columns);
    rowids.clear();
    try {
        Statement all(connection(), select);
        while (all.step()) {
            store.appendFrom(all.raw(), 1);
            if (filter.field >= 0 && !passes(store.value(store.size() - 1, filter.field))) {
                store.removeLast();
                continue;
            }
            rowids.append(sqlite3_column_int64(all.raw(), 0));
        }
    } catch (const EngineError &e) {
        rethrowOnTableFile(e, file);
    }
    seen = *version;
    if (keep) {
        const int i = int(rowids.indexOf(*keep));
        if (i >= 0)
            return i;
    }
    return store.isEmpty() ? -1 : std::clamp(pos, 0, store.size() - 1);
}

std::optional<qint64> TableRows::rowidAt(int pos) const
{
    if (pos < 0 || current == State::Closed)
        return std::nullopt;
    if (current == State::Complete)
        return rowids[pos];
    return rowid;
}

QVariant TableRows::value(int pos, int index) const
{
    switch (current) {
    case State::Reading:
        return statement.column(index + 1);
    case State::Held:
    case State::HeldAlone:
        return kept.value(index);
    case State::PastEnd: // completed by the cursor before
    case State::Closed:
    case State::Complete:
        break;
    }
    return pos < 0 || pos >= store.size() ? QVariant() : store.value(pos, index);
}

CellView TableRows::readingView(int index) const
{
    // One call for the column; its value is read in place, on this thread, before the next step.
    sqlite3_value *v = sqlite3_column_value(statement.raw(), index + 1);
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return {CellView::Integer, sqlite3_value_int64(v), nullptr, 0};
    case SQLITE_TEXT: {
        const char *text = reinterpret_cast<const char *>(sqlite3_value_text(v));
        return {CellView::Text, 0, text, sqlite3_value_bytes(v)};
    }
    default:
        return {CellView::Other, 0, nullptr, 0};
    }
}

CellView TableRows::storedView(int pos, int index) const
{
    switch (current) {
    case State::Held:
    case State::HeldAlone:
        return {CellView::Other, 0, nullptr, 0};
    case State::Reading: // read by readingView
    case State::PastEnd:
    case State::Closed:
    case State::Complete:
        break;
    }
    return pos < 0 || pos >= store.size() ? CellView() : store.view(pos, index);
}

int TableRows::hold(QList<QVariant> &row, qint64 newRowid, int pos)
{
    // The new row is the last one. Only the latest one is kept aside; if another was kept, the
    // store misses it and is read again when a move needs it.
    const bool another = held();
    std::swap(kept, row);
    rowid = newRowid;
    become(another ? State::HeldAlone : State::Held);
    return another ? pos + 1 : store.size();
}

int TableRows::append(const QList<QVariant> &row, qint64 newRowid)
{
    store.append(row);
    rowids.append(newRowid);
    return store.size() - 1;
}

void TableRows::remove(int pos)
{
    store.removeAt(pos);
    rowids.removeAt(pos);
}

} // namespace store
