// A cursor over one table file with the verbs forms use: navigation, locate, filter, edit, insert,
// append, post, cancel, delete, and the events before-post, after-post and before-delete.
#pragma once

#include "store/cursor.h"
#include "store/database.h"

#include <functional>
#include <optional>

namespace store {

class Table : public Cursor {
    Q_OBJECT
public:
    enum State { Inactive, Browse, Edit, Insert };

    explicit Table(const QString &fileName = QString(), QObject *parent = nullptr);
    ~Table() override;

    QString fileName() const { return name; }
    void setFileName(const QString &fileName); // only while closed

    // Throws EngineError when the file is missing or not a readable table.
    void open();
    // An edit not yet posted is dropped.
    void close();
    // Reads the rows again, staying on the same row when it still exists.
    void refresh();

    State state() const { return st; }
    bool isEditing() const { return st == Edit || st == Insert; }
    int recordCount() const override;
    bool isEmpty() const override;

    // A filter of the form  field = 'value'  (the value between single quotes, quotes inside doubled).
    void setFilter(const QString &filter);
    QString filter() const { return filterText; }
    void setFiltered(bool on);
    bool filtered() const { return filterOn; }

    void edit();
    void insert();
    void append();
    // Writes the pending row. False when a before-post handler aborted it (the row stays pending);
    // throws EngineError when the engine refuses the row.
    bool post();
    void cancel();
    // Deletes the current row. False when a before-delete handler aborted it or there is no row.
    bool remove();

    // Each handler returns false to abort the operation silently.
    std::function<bool(Table &)> beforePost;
    std::function<void(Table &)> afterPost;
    std::function<bool(Table &)> beforeDelete;

    // The filter text for  field = 'value'  with the value quoted safely.
    static QString filterEquals(const QString &field, const QString &value);

signals:
    // Just before a post: controls bound to the table write what the user typed into the row.
    void updateRecord();

protected:
    void sync() override;
    bool beforeMove() override;
    QVariant currentValue(int index) const override;
    CellView currentView(int index) const override;
    void writeValue(int index, const QVariant &value) override;
    void readAll() override;
    bool firstAsRead() override;
    bool nextAsRead() override;

private:
    void load(std::optional<qint64> keepRowid);
    // Reading as the cursor moves: the rows stay in the statement, and only the fields asked for
    // are read from it. Ends at the last row, or when every row is needed (readAll).
    void startReading();
    bool readNextRow(); // the next row passing the filter; false at the end
    void stopReading();
    QVariant readingValue(int index) const;
    void loadRows(std::optional<qint64> keepRowid);
    void setState(State s);
    void requireOpen() const;
    bool matchesFilter(const QVariant &value) const;
    void applyFilterText();

    QString name;
    QString reference;            // "schema"."dati" while open
    Database *engine = nullptr;   // the connection the table was opened on
    State st = Inactive;
    QList<qint64> rowids;
    QList<QVariant> buffer;
    std::shared_ptr<quint64> version; // the table's version, shared by every cursor on it
    quint64 seenVersion = 0;
    void wrote(); // after a write of this cursor: a new version, already seen here
    QString orderBy;
    bool primaryOrdered = false;

    QString filterText;
    bool filterOn = false;
    int filterField = -1;
    QVariant filterValue;

    QString selectSql;
    Statement reading;
    bool readingOn = false; // rows read as the cursor moves; the store holds none of them
    bool onRow = false;     // the statement stands on the current row
    qint64 readingRowid = 0;
    // A row just added stays out of the store while rows are only being added: it is the current
    // row, the last one, and joins the store (or the store is read again) when a move needs it.
    QList<QVariant> held;
    qint64 heldRowid = 0;
    bool heldOn = false;
    bool restMissing = false; // earlier rows added one after another are not in the store either
    std::optional<qint64> currentRowid() const;
    // The connection the table was opened on; an engine error once that connection has closed.
    Database &connection() const;

    Statement insertStmt;
    Statement updateStmt;
    Statement deleteStmt;
};

} // namespace store
