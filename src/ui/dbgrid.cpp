#include "ui/dbgrid.h"

#include "core/messaggi.h"
#include "store/engineerror.h"

#include <QHeaderView>
#include <algorithm>

// ---- DBGridModel -------------------------------------------------------------------------------

DBGridModel::DBGridModel(QObject *parent) : QAbstractTableModel(parent) {}

DBGridModel::~DBGridModel()
{
    for (const QMetaObject::Connection &c : std::as_const(connections))
        disconnect(c);
}

void DBGridModel::setCursor(store::Cursor *cursor)
{
    for (const QMetaObject::Connection &c : std::as_const(connections))
        disconnect(c);
    connections.clear();
    shadow.reset();
    source = cursor;
    if (cursor) {
        connections << connect(cursor, &store::Cursor::dataChanged, this, &DBGridModel::reload);
        connections << connect(cursor, &store::Cursor::stateChanged, this, &DBGridModel::reload);
    }
    reload();
}

int DBGridModel::addColumn(const QString &field, const QString &title)
{
    beginResetModel();
    fields << field;
    titles << title;
    texts << ColumnText();
    endResetModel();
    reload();
    return int(fields.size()) - 1;
}

void DBGridModel::clearColumns()
{
    beginResetModel();
    fields.clear();
    titles.clear();
    texts.clear();
    cells.clear();
    endResetModel();
}

void DBGridModel::setColumnTitle(int column, const QString &title)
{
    if (column < 0 || column >= titles.size())
        return;
    titles[column] = title;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

QStringList DBGridModel::valuesOf(store::Cursor &c) const
{
    QStringList row;
    for (const QString &f : fields) {
        const int i = c.fieldIndex(f);
        row << (i >= 0 ? c.field(i).asString() : QString());
    }
    return row;
}

QList<QStringList> DBGridModel::readTable(store::Table &t)
{
    if (!shadow || shadow->fileName() != t.fileName())
        shadow = std::make_unique<store::Table>(t.fileName());
    if (!shadow->isOpen())
        shadow->open();
    const bool filtered = t.filtered() && !t.filter().trimmed().isEmpty();
    if (shadow->filter() != t.filter() || shadow->filtered() != filtered) {
        shadow->setFilter(t.filter());
        shadow->setFiltered(filtered);
    }
    QList<QStringList> rows;
    for (shadow->first(); !shadow->eof(); shadow->next())
        rows << valuesOf(*shadow);
    if (t.state() == store::Table::Insert) {
        rows << valuesOf(t);
        current = int(rows.size()) - 1;
    } else {
        current = t.recNo() - 1;
        if (current >= rows.size())
            current = int(rows.size()) - 1;
        if (t.state() == store::Table::Edit && current >= 0)
            rows[current] = valuesOf(t);
    }
    return rows;
}

QList<QStringList> DBGridModel::readQuery(store::Cursor &c)
{
    QList<QStringList> rows;
    const int at = c.recNo();
    for (int i = 1; i <= c.recordCount(); ++i) {
        c.setRecNo(i);
        rows << valuesOf(c);
    }
    if (at > 0)
        c.setRecNo(at);
    current = at - 1;
    return rows;
}

QString DBGridModel::marker() const
{
    auto *t = qobject_cast<store::Table *>(source.data());
    if (t && t->state() == store::Table::Insert)
        return QStringLiteral("*");
    if (t && t->state() == store::Table::Edit)
        return QStringLiteral("I");
    return QStringLiteral("\u25B6");
}

void DBGridModel::reload()
{
    if (walking)
        return;
    const int before = current;
    const QString markerBefore = currentMarker;
    QList<QStringList> fresh;
    current = -1;
    // Reading may move a query or bring a table up to date, which reports a change again.
    walking = true;
    try {
        if (source && source->isOpen()) {
            if (auto *t = qobject_cast<store::Table *>(source.data()))
                fresh = readTable(*t);
            else
                fresh = readQuery(*source);
        } else if (shadow) {
            shadow->close(); // the file stays attached only while the table is open
        }
    } catch (const store::EngineError &) {
        fresh.clear(); // the grid shows nothing; the form that uses the cursor reports the fault
        current = -1;
    }
    walking = false;
    currentMarker = current >= 0 ? marker() : QString();
    if (fresh.size() != cells.size()) {
        beginResetModel();
        cells = fresh;
        endResetModel();
    } else {
        for (int r = 0; r < cells.size(); ++r)
            if (cells[r] != fresh[r]) {
                cells[r] = fresh[r];
                emit dataChanged(index(r, 0), index(r, int(fields.size()) - 1));
            }
    }
    if (before != current || markerBefore != currentMarker) {
        if (!cells.isEmpty())
            emit headerDataChanged(Qt::Vertical, 0, int(cells.size()) - 1);
    }
    emit currentRowMoved(current);
}

int DBGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(cells.size()); }

int DBGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(fields.size()); }

QVariant DBGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= cells.size() || index.column() >= fields.size())
        return QVariant();
    if (role != Qt::DisplayRole)
        return QVariant();
    const QString valore = cells[index.row()].value(index.column());
    const ColumnText &testo = texts.at(index.column());
    return testo ? testo(valore, int(cells.size())) : valore;
}

void DBGridModel::setColumnText(int column, ColumnText text)
{
    if (column < 0 || column >= texts.size())
        return;
    texts[column] = std::move(text);
    if (!cells.isEmpty())
        emit dataChanged(index(0, column), index(int(cells.size()) - 1, column), {Qt::DisplayRole});
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return titles.value(section);
    return section == current ? currentMarker : QString();
}

// ---- DBGrid ------------------------------------------------------------------------------------

DBGrid::DBGrid(QWidget *parent) : QTableView(parent)
{
    model_ = new DBGridModel(this);
    setModel(model_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(false);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(16);
    verticalHeader()->setHighlightSections(false);
    connect(model_, &DBGridModel::currentRowMoved, this, &DBGrid::followCursor);
    connect(model_, &QAbstractItemModel::modelReset, this, &DBGrid::applyWidths);
}

void DBGrid::addColumn(const QString &field, const QString &title, int width)
{
    widths << width;
    model_->addColumn(field, title);
    applyWidths();
}

void DBGrid::clearColumns()
{
    widths.clear();
    model_->clearColumns();
}

void DBGrid::applyWidths()
{
    // A column is never narrower than its title.
    const QFontMetrics metrics = horizontalHeader()->fontMetrics();
    for (int i = 0; i < widths.size(); ++i)
        setColumnWidth(i, std::max(widths[i], metrics.horizontalAdvance(model_->columnTitle(i)) + 12));
}

void DBGrid::setColumnTitle(int column, const QString &title)
{
    model_->setColumnTitle(column, title);
    applyWidths();
}

void DBGrid::followCursor(int row)
{
    following = true;
    if (row < 0)
        selectionModel()->clearSelection();
    else if (currentIndex().row() != row || !selectionModel()->isRowSelected(row, QModelIndex()))
        selectionModel()->setCurrentIndex(model_->index(row, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    following = false;
}

void DBGrid::currentChanged(const QModelIndex &now, const QModelIndex &previous)
{
    QTableView::currentChanged(now, previous);
    store::Cursor *c = model_->cursor();
    if (following || !now.isValid() || !c || !c->isOpen() || now.row() == model_->currentRow())
        return;
    try {
        auto *t = qobject_cast<store::Table *>(c);
        // Leaving a pending row posts it; a declined post keeps the cursor where it is.
        if (t && t->isEditing()) {
            if (!t->post()) {
                followCursor(model_->currentRow());
                return;
            }
        }
        c->setRecNo(now.row() + 1);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    followCursor(model_->currentRow());
}
