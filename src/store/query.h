// A read-only query in the program's local SQL; its result reads like a table.
#pragma once

#include "store/cursor.h"

namespace store {

class Query : public Cursor {
    Q_OBJECT
public:
    explicit Query(const QString &sql = QString(), QObject *parent = nullptr) : Cursor(parent), text(sql) {}

    void setSql(const QString &sql);
    // Values for the "?" marks of the text, in order (a name with an apostrophe needs no quoting).
    void addBindValue(const QVariant &value) { params.append(value); }
    QString sql() const { return text; }
    // Runs the query and keeps its result. Throws EngineError for anything but one SELECT, for an
    // unknown table or field, and for a text the engine cannot read; nothing is changed then.
    void open();
    void close();
    // Puts the rows read in another order, for an order that SQL cannot express: row i becomes the
    // row that was number order[i] (from 0), and the query stands on its first row. Throws
    // EngineError, and leaves the rows as they were, unless the query is open and `order` names
    // each of its rows exactly once.
    void reorder(const QList<int> &order);

    // The SQLite text the query ran as (for tests and error reports).
    QString translated() const { return sqliteText; }

private:
    QString text;
    QString sqliteText;
    QList<QVariant> params;
};

} // namespace store
