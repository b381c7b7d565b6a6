// A data-aware grid: chosen fields of a table's or a query's rows, one row per record, with the
// cursor's current row marked and selected. Choosing a row in the grid moves the cursor there (a
// pending edit of a table is posted first, as any move away from it would). Read-only.
#pragma once

#include "store/table.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTableView>
#include <functional>
#include <memory>

// The rows of a cursor as a table model. A table's rows are read through a second cursor on the
// same file and filter, so that reading never moves the table; the pending row of an edit or an
// insert shows what it holds now. A query's rows are read by walking it and coming back.
class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DBGridModel(QObject *parent = nullptr);
    ~DBGridModel() override;

    void setCursor(store::Cursor *cursor);
    store::Cursor *cursor() const { return source; }
    int addColumn(const QString &field, const QString &title);
    void clearColumns();
    void setColumnTitle(int column, const QString &title);
    QString columnTitle(int column) const { return titles.value(column); }
    QString columnField(int column) const { return fields.value(column); }
    // How a column shows its stored value, given the number of rows shown; none shows it as stored.
    using ColumnText = std::function<QString(const QString &value, int rows)>;
    void setColumnText(int column, ColumnText text);

    // The grid row of the cursor's current row; -1 when there is none.
    int currentRow() const { return current; }
    // Reads the rows again (the grid does this on every change the cursor reports).
    void reload();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void currentRowMoved(int row);

private:
    QStringList valuesOf(store::Cursor &c) const;
    QList<QStringList> readTable(store::Table &t);
    QList<QStringList> readQuery(store::Cursor &c);
    QString marker() const;

    QPointer<store::Cursor> source;
    QList<QMetaObject::Connection> connections;
    std::unique_ptr<store::Table> shadow;
    QStringList fields;
    QStringList titles;
    QList<ColumnText> texts;
    QList<QStringList> cells;
    int current = -1;
    QString currentMarker;
    bool walking = false;
};

class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget *parent = nullptr);

    void setDataSource(store::Cursor *cursor) { model_->setCursor(cursor); }
    store::Cursor *dataSource() const { return model_->cursor(); }
    // Adds a column showing the field under the title, the given pixels wide (or as wide as the title).
    void addColumn(const QString &field, const QString &title, int width);
    // Removes every column (a grid whose columns follow a query's result).
    void clearColumns();
    void setColumnTitle(int column, const QString &title);
    QString columnTitle(int column) const { return model_->columnTitle(column); }
    void setColumnText(int column, DBGridModel::ColumnText text) { model_->setColumnText(column, std::move(text)); }
    DBGridModel *dataModel() const { return model_; }

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followCursor(int row);
    void applyWidths();

    DBGridModel *model_ = nullptr;
    QList<int> widths;
    bool following = false;
};
