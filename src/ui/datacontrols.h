// Data-aware controls: widgets bound to one field of a table's current row. They show the row's
// value whenever the table's data changes (moving to another row, cancel, post, open, close), and
// the first change the user makes in one of them puts the table into edit and writes the value.
#pragma once

#include "store/table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <functional>

// What every data-aware control shares: the table, the field and the connections to the table.
class FieldLink {
public:
    FieldLink() = default;
    ~FieldLink() { disconnect(); }
    FieldLink(const FieldLink &) = delete;
    FieldLink &operator=(const FieldLink &) = delete;

    store::Table *table() const { return tbl; }
    const QString &field() const { return name; }
    // The table is open and has the field.
    bool active() const;
    // The field's text in the current row; "" when not active.
    QString text() const;
    // Puts the table into edit when it is browsing; false when the link is not active.
    bool startEdit();
    void write(const QVariant &value);

    // Rebinds; `changed` runs on every dataChanged of the table, `beforePost` on every updateRecord.
    void bind(store::Table *table, const QString &field, QObject *context, const std::function<void()> &changed,
              const std::function<void()> &beforePost = {});

private:
    void disconnect();
    QPointer<store::Table> tbl;
    QString name;
    QList<QMetaObject::Connection> connections;
};

// A line edit bound to a field. The first keystroke starts the edit; the text is written into the
// field when the table is about to post and when the user leaves the edit. A read-only edit only
// shows the value.
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget *parent = nullptr);
    void setDataField(store::Table *table, const QString &field);
    store::Table *dataTable() const { return link.table(); }
    QString dataField() const { return link.field(); }
    // The user typed something not yet written into the field.
    bool hasPendingText() const { return modifiedByUser; }

    // Writes the pending text into the field (nothing when none is pending or the edit is
    // read-only); throws store::EngineError when the field refuses the text.
    void updateField();
    // Shows the current row's value again, dropping what the user typed.
    void refresh();

private:
    void tableChanged();
    void userEdited();
    void leave();

    FieldLink link;
    bool modifiedByUser = false;
    bool showing = false;
};

// A check box bound to a logical field: a user toggle writes true or false at once.
class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget *parent = nullptr);
    explicit DBCheckBox(const QString &text, QWidget *parent = nullptr);
    void setDataField(store::Table *table, const QString &field);
    store::Table *dataTable() const { return link.table(); }
    QString dataField() const { return link.field(); }
    // Shows the current row's value again.
    void refresh();

private:
    void userToggled(bool checked);

    FieldLink link;
    bool showing = false;
};

// A combo box bound to a text field, used as a fixed list of choices: the chosen text is written at
// once. A stored value that is not in the list shows no choice.
class DBComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget *parent = nullptr);
    void setDataField(store::Table *table, const QString &field);
    store::Table *dataTable() const { return link.table(); }
    QString dataField() const { return link.field(); }
    // Shows the current row's value again (after the list of choices changed).
    void refresh();

private:
    void userChose(int index);

    FieldLink link;
    bool showing = false;
};
