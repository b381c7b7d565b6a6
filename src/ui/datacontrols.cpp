#include "ui/datacontrols.h"

#include "core/messaggi.h"
#include "store/engineerror.h"

// ---- FieldLink ---------------------------------------------------------------------------------

bool FieldLink::active() const
{
    return tbl && tbl->isOpen() && tbl->fieldIndex(name) >= 0;
}

QString FieldLink::text() const
{
    if (!active())
        return QString();
    return tbl->field(tbl->fieldIndex(name)).asString();
}

bool FieldLink::startEdit()
{
    if (!active())
        return false;
    if (!tbl->isEditing())
        tbl->edit();
    return true;
}

void FieldLink::write(const QVariant &value)
{
    if (active() && tbl->isEditing())
        tbl->field(tbl->fieldIndex(name)).setValue(value);
}

void FieldLink::bind(store::Table *table, const QString &field, QObject *context, const std::function<void()> &changed,
                     const std::function<void()> &beforePost)
{
    disconnect();
    tbl = table;
    name = field;
    if (!table)
        return;
    connections << QObject::connect(table, &store::Cursor::dataChanged, context, changed);
    if (beforePost)
        connections << QObject::connect(table, &store::Table::updateRecord, context, beforePost);
}

void FieldLink::disconnect()
{
    for (const QMetaObject::Connection &c : std::as_const(connections))
        QObject::disconnect(c);
    connections.clear();
}

namespace {
// While alive, the control's own display changes are not taken for the user's.
class Showing {
public:
    explicit Showing(bool &flag) : flag(flag), previous(flag) { flag = true; }
    ~Showing() { flag = previous; }

private:
    bool &flag;
    bool previous;
};
} // namespace

// ---- DBEdit ------------------------------------------------------------------------------------

DBEdit::DBEdit(QWidget *parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, &DBEdit::userEdited);
    connect(this, &QLineEdit::editingFinished, this, &DBEdit::leave);
}

void DBEdit::setDataField(store::Table *table, const QString &field)
{
    link.bind(
        table, field, this, [this] { tableChanged(); }, [this] { updateField(); });
    refresh();
}

void DBEdit::refresh()
{
    Showing guard(showing);
    modifiedByUser = false;
    store::Table *t = link.table();
    if (link.active()) {
        const store::FieldDef &def = t->fieldDefs().at(t->fieldIndex(link.field()));
        if (def.type == store::FieldType::Text && def.size > 0) // other fields keep the form's own limit
            setMaxLength(def.size);
    }
    const QString value = link.text();
    if (text() != value)
        setText(value);
}

void DBEdit::tableChanged()
{
    if (showing)
        return;
    // Another field of the row changed: what the user typed here and has not written stays.
    store::Table *t = link.table();
    if (modifiedByUser && t && t->isEditing())
        return;
    refresh();
}

void DBEdit::userEdited()
{
    if (showing || isReadOnly())
        return;
    modifiedByUser = true; // first, so that the display refresh of edit() keeps the text
    try {
        if (!link.startEdit())
            refresh();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        refresh();
    }
}

void DBEdit::updateField()
{
    if (!modifiedByUser || isReadOnly())
        return;
    store::Table *t = link.table();
    if (!link.active() || !t->isEditing()) {
        modifiedByUser = false;
        return;
    }
    {
        Showing guard(showing);
        link.write(text());
    }
    modifiedByUser = false;
    refresh(); // the value as stored: cut to the field's width, a number without blanks
}

void DBEdit::leave()
{
    try {
        updateField();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
        setFocus();
    }
}

// ---- DBCheckBox --------------------------------------------------------------------------------

DBCheckBox::DBCheckBox(QWidget *parent) : DBCheckBox(QString(), parent) {}

DBCheckBox::DBCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    connect(this, &QAbstractButton::clicked, this, &DBCheckBox::userToggled);
}

void DBCheckBox::setDataField(store::Table *table, const QString &field)
{
    link.bind(table, field, this, [this] {
        if (!showing)
            refresh();
    });
    refresh();
}

void DBCheckBox::refresh()
{
    Showing guard(showing);
    bool on = false;
    if (link.active()) {
        store::Table *t = link.table();
        on = t->field(t->fieldIndex(link.field())).asBoolean();
    }
    setChecked(on);
}

void DBCheckBox::userToggled(bool checked)
{
    if (showing)
        return;
    try {
        Showing guard(showing);
        if (link.startEdit())
            link.write(checked);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    refresh();
}

// ---- DBComboBox --------------------------------------------------------------------------------

DBComboBox::DBComboBox(QWidget *parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, &DBComboBox::userChose);
}

void DBComboBox::setDataField(store::Table *table, const QString &field)
{
    link.bind(table, field, this, [this] {
        if (!showing)
            refresh();
    });
    refresh();
}

void DBComboBox::refresh()
{
    Showing guard(showing);
    setCurrentIndex(link.active() ? findText(link.text(), Qt::MatchExactly) : -1);
}

void DBComboBox::userChose(int index)
{
    if (showing)
        return;
    const QString chosen = itemText(index);
    try {
        Showing guard(showing);
        if (link.startEdit())
            link.write(chosen);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
    refresh();
}
