#include "store/cursor.h"

#include "store/engineerror.h"

#include <QDate>
#include <cstring>
#include <sqlite3.h>

namespace store {

// ---- values ------------------------------------------------------------------------------------

QString valueAsString(const FieldDef &def, const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    if (def.type == FieldType::Logical)
        return integerOf(value) ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

QVariant convertForField(const FieldDef &def, const QVariant &value)
{
    const int kind = value.typeId();
    const bool number = kind == QMetaType::LongLong || kind == QMetaType::Int || kind == QMetaType::Bool;
    if (kind == QMetaType::UnknownType || (!number && value.isNull()))
        return QVariant();
    const bool isText = kind == QMetaType::QString;
    switch (def.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        if (const QString *given = textIn(value);
            given && !given->isEmpty() && (def.type == FieldType::Memo || def.size <= 0 || given->size() <= def.size))
            return value; // a text that fits is kept as it is, without a copy
        QString text = isText ? value.toString() : valueAsString({def.name, FieldType::Integer, 0, false}, value);
        if (value.typeId() == QMetaType::Bool)
            text = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        if (text.isEmpty())
            return QVariant();
        if (def.type == FieldType::Text && def.size > 0 && text.size() > def.size) {
            // Cut to the width in characters, never inside a surrogate pair.
            int cut = def.size;
            if (text.at(cut - 1).isHighSurrogate())
                --cut;
            text.truncate(cut);
        }
        return text;
    }
    case FieldType::Integer: {
        if (!isText)
            return QVariant(integerOf(value));
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QVariant();
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok)
            throw EngineError(QStringLiteral("'%1' non è un valore intero valido per il campo %2.")
                                  .arg(value.toString(), def.name),
                              HcInvalidValue);
        return QVariant(qlonglong(n));
    }
    case FieldType::Logical: {
        if (!isText)
            return QVariant(qlonglong(integerOf(value) != 0));
        const QString text = value.toString().trimmed();
        if (text.isEmpty())
            return QVariant();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
            return QVariant(qlonglong(1));
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
            return QVariant(qlonglong(0));
        throw EngineError(QStringLiteral("'%1' non è un valore logico valido per il campo %2.").arg(text, def.name),
                          HcInvalidValue);
    }
    case FieldType::Date: {
        // Kept as its ISO text, so that stored dates sort and compare as dates.
        QDate date;
        if (kind == QMetaType::QDate || kind == QMetaType::QDateTime) {
            date = value.toDate();
        } else if (isText) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return QVariant();
            date = QDate::fromString(text, Qt::ISODate);
        }
        if (!date.isValid())
            throw EngineError(QStringLiteral("'%1' non è una data valida per il campo %2.")
                                  .arg(value.toString(), def.name),
                              HcInvalidValue);
        return QVariant(date.toString(Qt::ISODate));
    }
    }
    return value;
}

// ---- Field -------------------------------------------------------------------------------------

const FieldDef &Field::def() const { return cursor->defs.at(idx); }

QVariant Field::value() const
{
    cursor->sync();
    return cursor->currentValue(idx);
}

bool Field::isNull() const
{
    const QVariant v = value();
    return v.isNull() || !v.isValid();
}

namespace {
QString utf8Of(const CellView &c) { return QString::fromUtf8(c.text, c.length); }
} // namespace

QString Field::asString() const
{
    const CellView c = view();
    switch (c.kind) {
    case CellView::Null:
        return QString();
    case CellView::Integer:
        if (def().type == FieldType::Logical)
            return c.number ? QStringLiteral("True") : QStringLiteral("False");
        return QString::number(c.number);
    case CellView::Text:
        return utf8Of(c);
    case CellView::Other:
        break;
    }
    return valueAsString(def(), value());
}

int Field::integerOf(const CellView &c) const
{
    if (c.kind == CellView::Null)
        return 0;
    const QVariant v = c.kind == CellView::Text ? QVariant(utf8Of(c)) : value();
    if (v.isNull() || !v.isValid())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok);
        if (!ok)
            throw EngineError(QStringLiteral("'%1' non è un valore intero valido.").arg(v.toString()), HcInvalidValue);
        return n;
    }
    return int(store::integerOf(v));
}

bool Field::booleanOf(const CellView &c) const
{
    if (c.kind == CellView::Null)
        return false;
    const QVariant v = c.kind == CellView::Text ? QVariant(utf8Of(c)) : value();
    if (v.isNull() || !v.isValid())
        return false;
    if (v.typeId() == QMetaType::QString)
        return v.toString().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    return store::integerOf(v) != 0;
}

QDate Field::asDate() const
{
    const QString text = asString();
    return text.isEmpty() ? QDate() : QDate::fromString(text.left(10), Qt::ISODate);
}

void Field::setValue(const QVariant &value) { cursor->writeValue(idx, value); }

// ---- RowStore ----------------------------------------------------------------------------------

QVariant RowStore::value(int row, int column) const
{
    const Cell &c = cells[qsizetype(row) * columns + column];
    switch (c.kind) {
    case Null:
        return QVariant();
    case Integer:
        return QVariant(qlonglong(c.number));
    case Real: {
        double d;
        std::memcpy(&d, &c.number, sizeof d);
        return QVariant(d);
    }
    case Text:
        return QVariant(QString::fromUtf8(text.constData() + c.offset, c.length));
    case Blob:
        return QVariant(text.mid(c.offset, c.length));
    }
    return QVariant();
}

CellView RowStore::view(int row, int column) const
{
    const Cell &c = cells[qsizetype(row) * columns + column];
    switch (c.kind) {
    case Null:
        return {};
    case Integer:
        return {CellView::Integer, c.number, nullptr, 0};
    case Text:
        return {CellView::Text, 0, text.constData() + c.offset, c.length};
    default:
        return {CellView::Other, 0, nullptr, 0};
    }
}

QList<QVariant> RowStore::row(int r) const
{
    QList<QVariant> out;
    out.reserve(columns);
    for (int c = 0; c < columns; ++c)
        out.append(value(r, c));
    return out;
}

RowStore::Cell RowStore::cellFor(const QVariant &v)
{
    Cell c;
    if (v.isNull() || !v.isValid())
        return c;
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        c.kind = Integer;
        c.number = integerOf(v);
        return c;
    case QMetaType::Double: {
        c.kind = Real;
        const double d = v.toDouble();
        std::memcpy(&c.number, &d, sizeof d);
        return c;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = v.toByteArray();
        c.kind = Blob;
        c.offset = qint32(text.size());
        c.length = qint32(bytes.size());
        text.append(bytes);
        return c;
    }
    default: {
        const QByteArray utf8 = v.toString().toUtf8();
        c.kind = Text;
        c.offset = qint32(text.size());
        c.length = qint32(utf8.size());
        text.append(utf8);
        return c;
    }
    }
}

void RowStore::append(const QList<QVariant> &values)
{
    for (int c = 0; c < columns; ++c)
        cells.append(cellFor(values.value(c)));
}

void RowStore::permute(const QList<int> &order)
{
    // The texts stay where they are in the buffer: only the cells that point at them move.
    QList<Cell> moved;
    moved.reserve(cells.size());
    for (int r : order)
        moved.append(cells.mid(qsizetype(r) * columns, columns));
    cells = std::move(moved);
}

void RowStore::set(int r, const QList<QVariant> &values)
{
    // The old texts stay in the buffer unused until the rows are read again.
    for (int c = 0; c < columns; ++c)
        cells[qsizetype(r) * columns + c] = cellFor(values.value(c));
}

void RowStore::removeAt(int r) { cells.remove(qsizetype(r) * columns, columns); }

void RowStore::appendFrom(sqlite3_stmt *st, int first)
{
    for (int i = 0; i < columns; ++i) {
        const int col = first + i;
        Cell c;
        switch (sqlite3_column_type(st, col)) {
        case SQLITE_INTEGER:
            c.kind = Integer;
            c.number = sqlite3_column_int64(st, col);
            break;
        case SQLITE_FLOAT: {
            c.kind = Real;
            const double d = sqlite3_column_double(st, col);
            std::memcpy(&c.number, &d, sizeof d);
            break;
        }
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const bool isText = sqlite3_column_type(st, col) == SQLITE_TEXT;
            const void *data = isText ? static_cast<const void *>(sqlite3_column_text(st, col)) : sqlite3_column_blob(st, col);
            const int n = sqlite3_column_bytes(st, col);
            c.kind = isText ? Text : Blob;
            c.offset = qint32(text.size());
            c.length = n;
            text.append(static_cast<const char *>(data), n);
            break;
        }
        default:
            break;
        }
        cells.append(c);
    }
}

// ---- FieldNames --------------------------------------------------------------------------------

void FieldNames::rebuild(const QList<FieldDef> &defs)
{
    entries.clear();
    if (defs.isEmpty())
        return;
    qsizetype size = 8;
    while (size < 2 * defs.size())
        size *= 2;
    entries.resize(size);
    const qsizetype mask = size - 1;
    for (int i = 0; i < defs.size(); ++i) {
        const QString &name = defs[i].name;
        qsizetype at = hashOf(name) & mask;
        while (entries[at].index >= 0 && !sameName(entries[at].name, name))
            at = (at + 1) & mask;
        if (entries[at].index < 0) // a second field of the same name is never found by it
            entries[at] = {name, i};
    }
}

// ---- Cursor ------------------------------------------------------------------------------------

Cursor::Cursor(QObject *parent) : QObject(parent)
{
    connect(this, &Cursor::rowsReread, this, &Cursor::dataChanged);
    heard = false; // the relay is no listener
}

void Cursor::setFields(const QList<FieldDef> &fields)
{
    defs = fields;
    names.rebuild(defs);
}

int Cursor::recordCount() const { return int(rows.size()); }

QVariant Cursor::currentValue(int index) const
{
    if (pos < 0 || pos >= rows.size())
        return QVariant();
    return rows.value(pos, index);
}

CellView Cursor::currentView(int index) const
{
    if (pos < 0 || pos >= rows.size())
        return {};
    return rows.view(pos, index);
}

void Cursor::writeValue(int, const QVariant &)
{
    throw EngineError(QStringLiteral("Il risultato di un'interrogazione è di sola lettura."), HcNotEditing);
}

void Cursor::writeNumber(int index, int value, bool logical)
{
    writeValue(index, logical ? QVariant(value != 0) : QVariant(value));
}

void Cursor::writeText(int index, const QString &value) { writeValue(index, QVariant(value)); }

void Cursor::moveTo(int index, bool atBof, bool atEof)
{
    const int count = int(rows.size());
    pos = count == 0 ? -1 : std::clamp(index, 0, count - 1);
    bof_ = atBof || count == 0;
    eof_ = atEof || count == 0;
    if (heard)
        emit dataChanged();
}

void Cursor::connectNotify(const QMetaMethod &) { heard = true; }

void Cursor::resetRows()
{
    rows.clear();
    pos = -1;
    eof_ = bof_ = true;
}

void Cursor::first()
{
    if (!beforeMove())
        return;
    sync();
    if (firstAsRead())
        return;
    moveTo(0, true, false);
}

void Cursor::last()
{
    if (!beforeMove())
        return;
    sync();
    readAll();
    moveTo(int(rows.size()) - 1, false, true);
}

void Cursor::next()
{
    if (!beforeMove())
        return;
    sync();
    if (nextAsRead())
        return;
    if (pos + 1 < rows.size())
        moveTo(pos + 1, false, false);
    else
        moveTo(pos, false, true);
}

void Cursor::prior()
{
    if (!beforeMove())
        return;
    sync();
    readAll();
    if (pos > 0)
        moveTo(pos - 1, false, false);
    else
        moveTo(pos, true, false);
}

int Cursor::recNo() const { return pos + 1; }

void Cursor::setRecNo(int number)
{
    if (!beforeMove())
        return;
    sync();
    readAll();
    moveTo(number - 1, number <= 1, false);
}

int Cursor::fieldIndex(const QString &name) const
{
    // Most callers spell the name as declared; any other case is found by a comparison of each.
    if (const int found = names.find(name); found >= 0)
        return found;
    for (int i = 0; i < defs.size(); ++i)
        if (defs[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

Field Cursor::fieldByOtherName(const QString &name)
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(QStringLiteral("Campo '%1' non trovato.").arg(name), HcUnknownField);
    return Field(this, i);
}

bool Cursor::locate(const QString &fieldName, const QVariant &value)
{
    sync();
    readAll();
    const int i = fieldByName(fieldName).index();
    const QString wanted = valueAsString(defs[i], convertForField(defs[i], value));
    for (int r = 0; r < rows.size(); ++r) {
        if (valueAsString(defs[i], rows.value(r, i)) == wanted) {
            if (!beforeMove())
                return false;
            moveTo(r, r == 0, false);
            return true;
        }
    }
    return false;
}

} // namespace store
