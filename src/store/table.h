// A cursor over one table file with the verbs forms use: navigation, locate, filter, edit, insert,
// append, post, cancel, delete, and the events before-post, after-post and before-delete.
#pragma once

#include "store/cursor.h"
#include "store/database.h"
#include "store/tablerows.h"

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
    void sync() const override;
    bool beforeMove() override;
    QVariant currentValue(int index) const override;
    CellView currentView(int index) const override;
    void writeValue(int index, const QVariant &value) override;
    void writeNumber(int index, int value, bool logical) override;
    void writeText(int index, const QString &value) override;
    void readAll() const override;
    bool firstAsRead() override;
    bool nextAsRead() override;

private:
    // Reads every row into the store again, staying on the row `keep` when it is still there.
    void load(std::optional<qint64> keep) const;
    void startReading();
    void setState(State s);
    void requireOpen() const;
    void applyFilterText();
    std::optional<qint64> currentRowid() const { return source.rowidAt(pos); }
    Database &connection() const { return source.connection(); }

    QString name;
    State st = Inactive;
    QList<QVariant> buffer; // the row being edited or inserted
    bool primaryOrdered = false;
    QString filterText;
    bool filterOn = false;
    // Where the rows are; filled lazily, also by const readings.
    mutable TableRows source{rows};
    struct Writes {
        Statement insert;
        Statement update;
        Statement remove;
    } writes;
};

} // namespace store
