// What tables and query results share: rows read in order, a current row, fields by name.
#pragma once

#include "store/declaration.h"

#include <QDate>
#include <cstring>
#include <QList>
#include <QObject>
#include <QVariant>

struct sqlite3_stmt;

namespace store {

class Cursor;

// A field of the current row as stored, read without making a QVariant: the common kinds in
// place, anything else (a real, a blob, a row being edited) left to the QVariant reading. A text
// points into the cursor's rows and holds only until the cursor moves or changes.
struct CellView {
    enum Kind { Null, Integer, Text, Other };
    Kind kind = Null;
    qint64 number = 0;
    const char *text = nullptr;
    int length = 0;
};

// A field of the current row. Reading follows the engine's rules: a blank field reads as "", 0 or
// false; a logical reads "True" or "False" as text.
class Field {
public:
    Field(Cursor *cursor, int index) : cursor(cursor), idx(index) {}
    const FieldDef &def() const;
    QString name() const { return def().name; }
    FieldType type() const { return def().type; }
    int size() const { return def().size; }
    int index() const { return idx; }

    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    // A stored number is read in place; any other value takes the longer way.
    int asInteger() const
    {
        const CellView c = view();
        return c.kind == CellView::Integer ? int(c.number) : integerOf(c);
    }
    bool asBoolean() const
    {
        const CellView c = view();
        return c.kind == CellView::Integer ? c.number != 0 : booleanOf(c);
    }
    // A date field's value; an invalid date when blank or not a date.
    QDate asDate() const;

    // Writing (tables only, in edit or insert state): an empty text is stored as blank, a text is cut
    // to the field's width, a text written into an integer field is converted or refused.
    void setValue(const QVariant &value);
    inline void setAsString(const QString &value);
    inline void setAsInteger(int value);
    inline void setAsBoolean(bool value);
    void clear() { setValue(QVariant()); }

private:
    inline CellView view() const;
    int integerOf(const CellView &c) const;
    bool booleanOf(const CellView &c) const;
    Cursor *cursor;
    int idx;
};

// Text of a stored value as the engine shows it.
QString valueAsString(const FieldDef &def, const QVariant &value);
// A value made fit for the field; throws EngineError when it cannot be.
QVariant convertForField(const FieldDef &def, const QVariant &value);

// The rows of a cursor, stored flat: numbers in place, texts as UTF-8 bytes in one shared buffer,
// turned into values only when a field is read. Reading a table costs no allocation per row.
class RowStore {
public:
    void setColumns(int n)
    {
        columns = n;
        clear();
    }
    int size() const { return columns ? int(cells.size() / columns) : 0; }
    bool isEmpty() const { return cells.isEmpty(); }
    void clear()
    {
        cells.clear();
        text.clear();
    }
    QVariant value(int row, int column) const;
    CellView view(int row, int column) const;
    QList<QVariant> row(int r) const;
    void append(const QList<QVariant> &values);
    void set(int r, const QList<QVariant> &values);
    void removeAt(int r);
    void removeLast() { cells.resize(cells.size() - columns); }
    // The same rows in another order: row i becomes the row that was number order[i]. The caller
    // gives every row's number once.
    void permute(const QList<int> &order);
    // Appends a statement's current row, its columns from first on.
    void appendFrom(sqlite3_stmt *statement, int first);

private:
    enum Kind : quint8 { Null, Integer, Real, Text, Blob };
    struct Cell {
        qint64 number = 0; // an integer, or a real's bits
        qint32 offset = 0;
        qint32 length = 0;
        Kind kind = Null;
    };
    Cell cellFor(const QVariant &value);
    int columns = 0;
    QList<Cell> cells;
    QByteArray text;
};

// Field names to their positions, for the lookup at every read by name: a small open-addressing
// table whose hash takes a name's length and a few of its characters, each hit confirmed by
// comparing the whole name. Built again whenever the fields change.
class FieldNames {
public:
    void rebuild(const QList<FieldDef> &defs);
    // The first field named exactly so; -1 when there is none.
    int find(const QString &name) const
    {
        if (entries.isEmpty())
            return -1;
        const qsizetype mask = entries.size() - 1;
        for (qsizetype at = hashOf(name) & mask;; at = (at + 1) & mask) {
            const Entry &e = entries[at];
            if (e.index < 0 || sameName(e.name, name))
                return e.index;
        }
    }

private:
    static bool sameName(const QString &a, const QString &b)
    {
        // Field names are short: compared four characters at a time here, without a call.
        if (a.size() != b.size())
            return false;
        const char *x = reinterpret_cast<const char *>(a.constData());
        const char *y = reinterpret_cast<const char *>(b.constData());
        size_t bytes = size_t(a.size()) * sizeof(QChar);
        for (; bytes >= 8; bytes -= 8, x += 8, y += 8) {
            quint64 u, v;
            std::memcpy(&u, x, 8);
            std::memcpy(&v, y, 8);
            if (u != v)
                return false;
        }
        for (; bytes > 0; bytes -= 2, x += 2, y += 2) {
            quint16 u, v;
            std::memcpy(&u, x, 2);
            std::memcpy(&v, y, 2);
            if (u != v)
                return false;
        }
        return true;
    }
    static qsizetype hashOf(const QString &name)
    {
        const qsizetype n = name.size();
        if (n == 0)
            return 0;
        const QChar *c = name.constData();
        return n * 977 + c[0].unicode() * 31 + c[n / 2].unicode() * 7 + c[n - 1].unicode() * 131 +
               c[n > 1 ? n - 2 : 0].unicode();
    }
    struct Entry {
        QString name;
        int index = -1; // -1: an empty slot
    };
    QList<Entry> entries; // a power of two in size, at least twice the number of fields
};

class Cursor : public QObject {
    Q_OBJECT
public:
    explicit Cursor(QObject *parent = nullptr);

    bool isOpen() const { return open_; }
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    virtual bool isEmpty() const { return recordCount() == 0; }
    virtual int recordCount() const;
    int recNo() const; // 1-based; 0 when there is no current row
    void setRecNo(int number);
    // Moves to the first row whose field equals the value (exact, case-sensitive); false if none.
    bool locate(const QString &fieldName, const QVariant &value);

    int fieldCount() const { return int(defs.size()); }
    const QList<FieldDef> &fieldDefs() const { return defs; }
    int fieldIndex(const QString &name) const; // -1 when there is none
    // Throws EngineError for an unknown name. A name spelt as declared is found here, without a call.
    Field fieldByName(const QString &name)
    {
        if (const int found = names.find(name); found >= 0)
            return Field(this, found);
        return fieldByOtherName(name);
    }
    Field field(int index) { return Field(this, index); }

signals:
    // The current row moved, or the values shown for it changed.
    void dataChanged();
    // Browse, edit, insert, or closed.
    void stateChanged();
    // Relayed to dataChanged: a const reading (a count, say) read the rows again because another
    // cursor wrote to the table. Sent by the cursor only.
    void rowsReread(QPrivateSignal) const;

protected:
    friend class Field;
    // Reads the rows again when another cursor wrote behind this one. Const, like the readings
    // that need it: the rows and the place in them are filled lazily, hence mutable.
    virtual void sync() const {}
    // Tells the listeners the rows were read again; from a const reading as well.
    void rowsRefreshed() const
    {
        if (heard)
            emit rowsReread(QPrivateSignal());
    }
    // Called before the current row moves; false keeps it where it is.
    virtual bool beforeMove() { return true; }
    virtual QVariant currentValue(int index) const;
    // The current row's field as stored; a table first reads its rows again when another cursor
    // wrote to it (sync), so that a field read needs this one call.
    virtual CellView currentView(int index) const;
    virtual void writeValue(int index, const QVariant &value);
    // The typed writes of Field: the same as writeValue with the value as a QVariant (an int, a
    // bool when logical, a text), which is all a cursor that does not override them does.
    virtual void writeNumber(int index, int value, bool logical);
    virtual void writeText(int index, const QString &value);
    // A cursor may read its rows as it moves forward instead of all at once. A move that needs
    // every row (backwards, to the end, by number, a search) reads the rest first; the forward
    // moves are the cursor's own while it reads as it goes (true when it has made the move).
    virtual void readAll() const {}
    virtual bool firstAsRead() { return false; }
    virtual bool nextAsRead() { return false; }
    // Moves to a row (clamped), sets eof and bof, then tells the controls.
    void moveTo(int index, bool atBof, bool atEof);
    // The signals are sent once something has been connected to the cursor: a loop over many rows
    // in code that nothing watches pays nothing for them.
    void connectNotify(const QMetaMethod &signal) override;
    bool heard = false;
    void resetRows();
    Field fieldByOtherName(const QString &name);
    // The only way the fields change: the name lookup follows them.
    void setFields(const QList<FieldDef> &fields);

    QList<FieldDef> defs;
    FieldNames names;
    // The rows copied into the cursor, and the current one. A table fills them lazily, also on a
    // const reading (a count reads every row): they are mutable.
    mutable RowStore rows;
    mutable int pos = -1;
    mutable bool eof_ = true;
    mutable bool bof_ = true;
    bool open_ = false;
};

inline CellView Field::view() const { return cursor->currentView(idx); }
inline void Field::setAsString(const QString &value) { cursor->writeText(idx, value); }
inline void Field::setAsInteger(int value) { cursor->writeNumber(idx, value, false); }
inline void Field::setAsBoolean(bool value) { cursor->writeNumber(idx, value, true); }

} // namespace store
