#include "store/table.h"

#include "store/engineerror.h"
#include "store/sqltranslator.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace store {

Table::Table(const QString &fileName, QObject *parent) : Cursor(parent), name(fileName) {}

Table::~Table()
{
    if (open_)
        close();
}

void Table::setFileName(const QString &fileName)
{
    if (open_)
        throw EngineError(QStringLiteral("Impossibile cambiare la tabella di un cursore aperto."), HcBusy);
    name = fileName;
}

Database &Table::connection() const
{
    if (!Database::isOpen(engine))
        throw EngineError(QStringLiteral("La tabella '%1' non è aperta.").arg(name), HcNotEditing);
    return *engine;
}

void Table::requireOpen() const
{
    if (!open_)
        throw EngineError(QStringLiteral("La tabella '%1' non è aperta.").arg(name), HcNotEditing);
}

void Table::open()
{
    if (open_)
        return;
    Database &db = Database::instance();
    engine = &db;
    const TableDeclaration decl = db.readStructure(name);
    reference = db.acquire(name);
    version = db.version(name);
    try {
        defs = decl.fields;
        nameCache.fill({});
        orderBy = QStringLiteral("rowid");
        primaryOrdered = false;
        for (const IndexDef &ix : decl.indexes) {
            if (ix.options & IxPrimary) {
                QStringList fields;
                for (const QString &f : ix.fields)
                    fields << quoteIdentifier(f);
                orderBy = fields.join(QStringLiteral(", ")) + QStringLiteral(", rowid");
                primaryOrdered = true;
            }
        }
        QStringList cols, params, sets;
        for (int i = 0; i < defs.size(); ++i) {
            cols << quoteIdentifier(defs[i].name);
            params << QStringLiteral("?%1").arg(i + 1);
            sets << QStringLiteral("%1 = ?%2").arg(quoteIdentifier(defs[i].name)).arg(i + 1);
        }
        insertStmt = Statement(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(reference, cols.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))));
        updateStmt = Statement(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                       .arg(reference, sets.join(QStringLiteral(", ")))
                                       .arg(defs.size() + 1));
        deleteStmt = Statement(db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(reference));
        selectSql = QStringLiteral("SELECT rowid, * FROM %1 ORDER BY %2").arg(reference, orderBy);
        open_ = true;
        if (filterOn)
            applyFilterText(); // a filter switched on before the table was opened
        startReading();
    } catch (...) {
        stopReading();
        insertStmt = Statement();
        updateStmt = Statement();
        deleteStmt = Statement();
        open_ = false;
        db.release(name);
        throw;
    }
    setState(Browse);
    if (heard)
        emit dataChanged();
}

void Table::close()
{
    if (!open_)
        return;
    buffer.clear();
    stopReading();
    held.clear();
    heldOn = restMissing = false;
    insertStmt = Statement();
    updateStmt = Statement();
    deleteStmt = Statement();
    if (Database::isOpen(engine)) // a connection closed meanwhile holds nothing to give back
        engine->release(name);
    engine = nullptr;
    open_ = false;
    resetRows();
    rowids.clear();
    defs.clear();
    nameCache.fill({});
    setState(Inactive);
    if (heard)
        emit dataChanged();
}

namespace {
// Errors of the engine itself (a damaged page, a failed write) name the table's file; the rules'
// own refusals (a required field, a key) already say what is wrong.
[[noreturn]] void rethrowOnFile(const EngineError &e, const QString &fileName)
{
    if (e.helpContext() == HcNotATable || e.helpContext() == HcWrite || e.helpContext() == HcGeneric)
        throw onTableFile(e, Database::instance().path(fileName));
    throw e;
}
} // namespace

void Table::load(std::optional<qint64> keepRowid)
{
    try {
        loadRows(keepRowid);
    } catch (const EngineError &e) {
        rethrowOnFile(e, name);
    }
}

void Table::loadRows(std::optional<qint64> keepRowid)
{
    stopReading();
    heldOn = restMissing = false;
    held.clear();
    Statement select(connection(), selectSql);
    rows.setColumns(int(defs.size()));
    rowids.clear();
    while (select.step()) {
        rows.appendFrom(select.raw(), 1);
        if (filterOn && !matchesFilter(rows.value(rows.size() - 1, filterField))) {
            rows.removeLast();
            continue;
        }
        rowids.append(sqlite3_column_int64(select.raw(), 0));
    }
    seenVersion = *version;
    if (keepRowid) {
        const int i = int(rowids.indexOf(*keepRowid));
        if (i >= 0) {
            pos = i;
            return;
        }
    }
    pos = rows.isEmpty() ? -1 : std::clamp(pos, 0, int(rows.size()) - 1);
    if (rows.isEmpty())
        eof_ = bof_ = true;
}

void Table::startReading()
{
    try {
        rows.setColumns(int(defs.size()));
        rowids.clear();
        heldOn = restMissing = false;
        held.clear();
        reading = Statement(connection(), selectSql);
        readingOn = true;
        seenVersion = *version;
        pos = readNextRow() ? 0 : -1;
    } catch (const EngineError &e) {
        stopReading();
        rethrowOnFile(e, name);
    }
    bof_ = true;
    eof_ = pos < 0;
    if (pos < 0)
        stopReading(); // no row at all: nothing is left to read
}

bool Table::readNextRow()
{
    try {
        while (reading.step()) {
            if (filterOn && !matchesFilter(readingValue(filterField)))
                continue;
            readingRowid = sqlite3_column_int64(reading.raw(), 0);
            onRow = true;
            return true;
        }
    } catch (const EngineError &e) {
        stopReading();
        rethrowOnFile(e, name);
    }
    // At the end the statement has finished, and holds the file no more.
    onRow = false;
    return false;
}

void Table::stopReading()
{
    reading = Statement();
    readingOn = false;
    onRow = false;
}

QVariant Table::readingValue(int index) const { return reading.column(index + 1); }

void Table::readAll()
{
    if (readingOn) {
        // The rows have not changed since the reading began: the current one is found again by rowid.
        load(pos >= 0 ? std::optional<qint64>(readingRowid) : std::nullopt);
    } else if (heldOn) {
        if (restMissing) {
            load(heldRowid);
            return;
        }
        rows.append(held);
        rowids.append(heldRowid);
        held.clear();
        heldOn = false;
    }
}

std::optional<qint64> Table::currentRowid() const
{
    if (pos < 0)
        return std::nullopt;
    if (heldOn)
        return heldRowid;
    if (readingOn)
        return readingRowid;
    return rowids[pos];
}

bool Table::firstAsRead()
{
    if (heldOn)
        readAll();
    if (!readingOn)
        return false;
    if (pos != 0 || !onRow) {
        reading.reset();
        pos = readNextRow() ? 0 : -1;
    }
    bof_ = true;
    eof_ = pos < 0;
    if (pos < 0)
        stopReading();
    if (heard)
        emit dataChanged();
    return true;
}

bool Table::nextAsRead()
{
    if (heldOn)
        readAll();
    if (!readingOn)
        return false;
    if (onRow && readNextRow())
        ++pos;
    else
        eof_ = true;
    bof_ = false;
    if (onRow)
        eof_ = false;
    if (heard)
        emit dataChanged();
    return true;
}

void Table::sync()
{
    if (!open_ || st != Browse)
        return;
    if (*version != seenVersion) {
        load(currentRowid());
        if (heard)
            emit dataChanged();
    }
}

void Table::refresh()
{
    requireOpen();
    if (isEditing())
        cancel();
    load(currentRowid());
    if (heard)
        emit dataChanged();
}

int Table::recordCount() const
{
    auto *self = const_cast<Table *>(this);
    self->sync();
    self->readAll();
    return int(rows.size());
}

bool Table::isEmpty() const
{
    const_cast<Table *>(this)->sync();
    // While reading as it moves the cursor stands on a row, or has passed the last one.
    return readingOn || heldOn ? false : rows.isEmpty();
}

QVariant Table::currentValue(int index) const
{
    if (isEditing())
        return buffer.value(index);
    if (heldOn)
        return held.value(index);
    if (readingOn) {
        if (onRow)
            return readingValue(index);
        const_cast<Table *>(this)->readAll(); // past the last row: the last one is read again
    }
    return Cursor::currentValue(index);
}

void Table::writeValue(int index, const QVariant &value)
{
    requireOpen();
    if (!isEditing())
        throw EngineError(QStringLiteral("La tabella '%1' non è in modifica né in inserimento.").arg(name), HcNotEditing);
    buffer[index] = convertForField(std::as_const(defs)[index], value);
    if (heard)
        emit dataChanged();
}

CellView Table::currentView(int index) const
{
    if (isEditing() || heldOn)
        return {CellView::Other, 0, nullptr, 0};
    if (readingOn) {
        if (!onRow) {
            const_cast<Table *>(this)->readAll();
            return Cursor::currentView(index);
        }
        // One call for the column; its value is read in place, on this thread, before the next step.
        sqlite3_value *v = sqlite3_column_value(reading.raw(), index + 1);
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
    return Cursor::currentView(index);
}

void Table::setState(State s)
{
    if (st == s)
        return;
    st = s;
    if (heard)
        emit stateChanged();
}

QString Table::filterEquals(const QString &field, const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("%1 = '%2'").arg(field, v);
}

void Table::setFilter(const QString &filter)
{
    filterText = filter;
    filterField = -1;
    if (filterOn && open_)
        setFiltered(true);
}

void Table::setFiltered(bool on)
{
    filterOn = on && !filterText.trimmed().isEmpty();
    if (!open_)
        return;
    applyFilterText();
    if (isEditing())
        cancel();
    startReading();
    first();
}

void Table::applyFilterText()
{
    filterField = -1;
    if (!filterOn)
        return;
    static const QRegularExpression form(QStringLiteral("^\\s*([^\\s=]+)\\s*=\\s*'((?:[^']|'')*)'\\s*$"));
    const auto m = form.match(filterText);
    if (!m.hasMatch()) {
        filterOn = false;
        throw EngineError(QStringLiteral("Filtro non valido: %1").arg(filterText), HcQuery);
    }
    QString fieldName = m.captured(1);
    if (fieldName.startsWith(QLatin1Char('"')) || fieldName.startsWith(QLatin1Char('[')))
        fieldName = fieldName.mid(1, fieldName.size() - 2);
    filterField = fieldByName(fieldName).index();
    filterValue = convertForField(defs[filterField], m.captured(2).replace(QStringLiteral("''"), QStringLiteral("'")));
}

bool Table::matchesFilter(const QVariant &v) const
{
    if (filterField < 0)
        return true;
    if (filterValue.isNull())
        return v.isNull();
    return valueAsString(defs[filterField], v) == valueAsString(defs[filterField], filterValue);
}

void Table::edit()
{
    requireOpen();
    if (isEditing())
        return;
    sync();
    readAll();
    if (rows.isEmpty()) { // editing an empty table starts a new row
        insert();
        return;
    }
    buffer = rows.row(pos);
    setState(Edit);
    if (heard)
        emit dataChanged();
}

void Table::insert()
{
    requireOpen();
    if (isEditing() && !post())
        return; // the pending row was kept by a before-post handler: no new row over it
    if (readingOn)
        readAll();
    buffer.clear(); // the row's room is kept from one new row to the next
    buffer.resize(defs.size());
    setState(Insert);
    if (heard)
        emit dataChanged();
}

void Table::append() { insert(); }

bool Table::post()
{
    requireOpen();
    if (!isEditing())
        return true;
    if (heard)
        emit updateRecord();
    if (beforePost && !beforePost(*this))
        return false;
    for (int i = 0; i < defs.size(); ++i)
        if (std::as_const(defs)[i].required && std::as_const(buffer)[i].isNull())
            throw EngineError(QStringLiteral("Il campo '%1' della tabella '%2' deve avere un valore.").arg(defs[i].name, name),
                              HcRequired);
    Database &db = connection();
    Statement &stmt = st == Insert ? insertStmt : updateStmt;
    for (int i = 0; i < defs.size(); ++i)
        stmt.bind(i + 1, std::as_const(buffer)[i]);
    // Another cursor wrote to the table since this one last read it: the rows kept here are out
    // of date, and are read again after this row is written.
    const bool othersWrote = *version != seenVersion;
    qint64 rowid = 0;
    if (st == Edit) {
        rowid = rowids[pos];
        stmt.bind(int(defs.size()) + 1, rowid);
    }
    try {
        stmt.step();
    } catch (const EngineError &e) {
        stmt.reset();
        rethrowOnFile(e, name);
    }
    stmt.reset();
    if (st == Insert)
        rowid = sqlite3_last_insert_rowid(db.handle());
    *version = db.nextVersion();
    seenVersion = *version;
    if (othersWrote) {
        load(rowid);
    } else if (st == Insert && !primaryOrdered && !filterOn) {
        // The new row is the last one. Only the latest one is kept aside; if another was kept, the
        // store misses it and is read again when a move needs it.
        pos = heldOn ? pos + 1 : int(rows.size());
        restMissing = heldOn;
        heldOn = true;
        heldRowid = rowid;
        std::swap(held, buffer); // the buffer keeps the old row's room for the next new row
    } else if (st == Insert && !primaryOrdered) {
        readAll();
        rows.append(buffer);
        rowids.append(rowid);
        pos = int(rows.size()) - 1;
    } else if (st == Edit) {
        rows.set(pos, buffer);
    } else {
        load(rowid);
    }
    eof_ = bof_ = false;
    buffer.clear();
    setState(Browse);
    if (heard)
        emit dataChanged();
    if (afterPost)
        afterPost(*this);
    return true;
}

void Table::wrote()
{
    *version = connection().nextVersion();
    seenVersion = *version;
}

bool Table::beforeMove()
{
    // Moving away from a pending row posts it first, as the forms expect; a refused row throws
    // and an aborted one keeps the cursor where it is.
    return !isEditing() || post();
}

void Table::cancel()
{
    if (!isEditing())
        return;
    buffer.clear();
    setState(Browse);
    if (heard)
        emit dataChanged();
}

bool Table::remove()
{
    requireOpen();
    if (st == Insert) {
        cancel();
        return true;
    }
    if (st == Edit)
        cancel();
    sync();
    readAll();
    if (pos < 0)
        return false;
    if (beforeDelete && !beforeDelete(*this))
        return false;
    connection();
    deleteStmt.reset();
    deleteStmt.bind(1, rowids[pos]);
    try {
        deleteStmt.step();
    } catch (const EngineError &e) {
        deleteStmt.reset();
        rethrowOnFile(e, name);
    }
    deleteStmt.reset();
    wrote();
    rows.removeAt(pos);
    rowids.removeAt(pos);
    moveTo(pos, rows.isEmpty(), rows.isEmpty());
    return true;
}

} // namespace store
