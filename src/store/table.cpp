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
    const TableDeclaration decl = db.readStructure(name);
    const QString reference = db.acquire(name);
    try {
        setFields(decl.fields);
        QString orderBy = QStringLiteral("rowid");
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
        writes.insert = Statement(db, QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                          .arg(reference, cols.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))));
        writes.update = Statement(db, QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?%3")
                                          .arg(reference, sets.join(QStringLiteral(", ")))
                                          .arg(defs.size() + 1));
        writes.remove = Statement(db, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(reference));
        source.open(db, name, db.version(name), QStringLiteral("SELECT rowid, * FROM %1 ORDER BY %2").arg(reference, orderBy),
                    int(defs.size()));
        open_ = true;
        if (filterOn)
            applyFilterText(); // a filter switched on before the table was opened
        startReading();
    } catch (...) {
        source.close();
        writes = {};
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
    if (Database *db = source.openConnection()) // a connection closed meanwhile holds nothing to give back
        db->release(name);
    source.close();
    writes = {};
    open_ = false;
    resetRows();
    setFields({});
    setState(Inactive);
    if (heard)
        emit dataChanged();
}

void Table::load(std::optional<qint64> keep) const
{
    pos = source.load(keep, pos);
    if (pos < 0)
        eof_ = bof_ = true;
}

void Table::startReading()
{
    pos = source.readFirst() ? 0 : -1;
    bof_ = true;
    eof_ = pos < 0;
}

void Table::readAll() const
{
    if (!source.reading() && !source.held())
        return;
    pos = source.complete(pos);
    if (pos < 0)
        eof_ = bof_ = true;
}

bool Table::firstAsRead()
{
    if (source.held())
        readAll();
    if (!source.reading())
        return false;
    if (pos != 0 || source.state() == TableRows::State::PastEnd)
        pos = source.readAgain() ? 0 : -1;
    bof_ = true;
    eof_ = pos < 0;
    if (heard)
        emit dataChanged();
    return true;
}

bool Table::nextAsRead()
{
    if (source.held())
        readAll();
    if (!source.reading())
        return false;
    const bool moved = source.state() == TableRows::State::Reading && source.readNext();
    if (moved)
        ++pos;
    eof_ = !moved;
    bof_ = false;
    if (heard)
        emit dataChanged();
    return true;
}

void Table::sync() const
{
    if (!open_ || st != Browse || !source.stale())
        return;
    load(currentRowid());
    rowsRefreshed();
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
    sync();
    readAll();
    return int(rows.size());
}

bool Table::isEmpty() const
{
    sync();
    // While reading as it moves the cursor stands on a row, or has passed the last one.
    return source.isEmpty();
}

QVariant Table::currentValue(int index) const
{
    if (isEditing())
        return buffer.value(index);
    if (source.state() == TableRows::State::PastEnd)
        readAll(); // past the last row: the last one is read again
    return source.value(pos, index);
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

// The common writes go straight into the row: a number into a number field, a text that fits
// into a text field, stored as convertForField would store them. Anything else takes its way.
void Table::writeNumber(int index, int value, bool logical)
{
    if (!open_ || !isEditing()) {
        Cursor::writeNumber(index, value, logical); // refuses it
        return;
    }
    const FieldType type = std::as_const(defs)[index].type;
    if (type != FieldType::Integer && type != FieldType::Logical) {
        Cursor::writeNumber(index, value, logical);
        return;
    }
    buffer[index] = QVariant(qlonglong(type == FieldType::Logical ? value != 0 : value));
    if (heard)
        emit dataChanged();
}

void Table::writeText(int index, const QString &value)
{
    const auto fits = [&] {
        const FieldDef &def = std::as_const(defs)[index];
        return !value.isEmpty() &&
               (def.type == FieldType::Memo || (def.type == FieldType::Text && (def.size <= 0 || value.size() <= def.size)));
    };
    if (!open_ || !isEditing() || !fits()) {
        Cursor::writeText(index, value); // refuses a closed table or a row not edited
        return;
    }
    buffer[index] = QVariant(value);
    if (heard)
        emit dataChanged();
}

CellView Table::currentView(int index) const
{
    if (source.stale())
        sync();
    if (isEditing())
        return {CellView::Other, 0, nullptr, 0};
    if (source.state() == TableRows::State::PastEnd)
        readAll();
    return source.view(pos, index);
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
    source.setFilter(-1, {}, {});
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
    const int field = fieldByName(fieldName).index();
    source.setFilter(field, defs[field],
                     convertForField(defs[field], m.captured(2).replace(QStringLiteral("''"), QStringLiteral("'"))));
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
    if (source.reading())
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
    Statement &stmt = st == Insert ? writes.insert : writes.update;
    for (int i = 0; i < defs.size(); ++i)
        stmt.bind(i + 1, std::as_const(buffer)[i]);
    // Another cursor wrote to the table since this one last read it: the rows kept here are out
    // of date, and are read again after this row is written.
    const bool othersWrote = source.stale();
    qint64 rowid = 0;
    if (st == Edit) {
        rowid = *currentRowid();
        stmt.bind(int(defs.size()) + 1, rowid);
    }
    try {
        stmt.step();
    } catch (const EngineError &e) {
        stmt.reset();
        rethrowOnTableFile(e, name);
    }
    stmt.reset();
    if (st == Insert)
        rowid = sqlite3_last_insert_rowid(db.handle());
    source.wrote();
    if (othersWrote) {
        load(rowid);
    } else if (st == Insert && !primaryOrdered && !filterOn) {
        pos = source.hold(buffer, rowid, pos); // the buffer keeps the old row's room for the next new row
    } else if (st == Insert && !primaryOrdered) {
        readAll();
        pos = source.append(buffer, rowid);
    } else if (st == Edit) {
        source.replace(pos, buffer);
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
    writes.remove.reset();
    writes.remove.bind(1, *currentRowid());
    try {
        writes.remove.step();
    } catch (const EngineError &e) {
        writes.remove.reset();
        rethrowOnTableFile(e, name);
    }
    writes.remove.reset();
    source.wrote();
    source.remove(pos);
    moveTo(pos, rows.isEmpty(), rows.isEmpty());
    return true;
}

} // namespace store
