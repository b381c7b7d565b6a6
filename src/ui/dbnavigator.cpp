#include "ui/dbnavigator.h"

#include "core/messaggi.h"
#include "store/database.h"
#include "store/engineerror.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace {
struct Look {
    const char *name;
    const char *glyph;
};
// The object names and glyphs of the ten buttons, in button order.
constexpr Look Looks[DBNavigator::ButtonCount] = {
    {"nbFirst", "|\u25C0"}, {"nbPrior", "\u25C0"},  {"nbNext", "\u25B6"},   {"nbLast", "\u25B6|"},
    {"nbInsert", "+"},      {"nbDelete", "\u2212"}, {"nbEdit", "\u25B2"},   {"nbPost", "\u2714"},
    {"nbCancel", "\u2718"}, {"nbRefresh", "\u21BB"},
};
} // namespace

DBNavigator::DBNavigator(QWidget *parent) : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (int i = 0; i < ButtonCount; ++i) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(Looks[i].name));
        b->setText(QString::fromUtf8(Looks[i].glyph));
        b->setMinimumSize(32, 26);
        b->setFocusPolicy(Qt::TabFocus);
        QFont f = b->font();
        f.setBold(true);
        b->setFont(f);
        connect(b, &QToolButton::clicked, this, [this, i] { perform(Button(i)); });
        row->addWidget(b);
        buttons[i] = b;
    }
    updateButtons();
}

void DBNavigator::setTable(store::Table *table)
{
    for (const QMetaObject::Connection &c : std::as_const(connections))
        disconnect(c);
    connections.clear();
    tbl = table;
    if (table) {
        connections << connect(table, &store::Cursor::dataChanged, this, &DBNavigator::updateButtons);
        connections << connect(table, &store::Cursor::stateChanged, this, &DBNavigator::updateButtons);
    }
    updateButtons();
}

void DBNavigator::setVisibleButtons(const QList<Button> &shown)
{
    for (int i = 0; i < ButtonCount; ++i)
        buttons[i]->setVisible(shown.contains(Button(i)));
}

void DBNavigator::setHints(const QStringList &hints)
{
    for (int i = 0; i < ButtonCount && i < hints.size(); ++i)
        buttons[i]->setToolTip(hints[i]);
}

void DBNavigator::updateButtons()
{
    const bool active = tbl && tbl->isOpen();
    const bool editing = active && tbl->isEditing();
    const int count = active ? tbl->recordCount() : 0;
    const int at = active ? tbl->recNo() : 0;
    const bool notFirst = active && (editing ? count > 0 : at > 1);
    const bool notLast = active && (editing ? count > 0 : at < count);
    buttons[First]->setEnabled(notFirst);
    buttons[Prior]->setEnabled(notFirst);
    buttons[Next]->setEnabled(notLast);
    buttons[Last]->setEnabled(notLast);
    buttons[Insert]->setEnabled(active);
    buttons[Delete]->setEnabled(active && (count > 0 || tbl->state() == store::Table::Insert));
    buttons[Edit]->setEnabled(active && !editing && count > 0);
    buttons[Post]->setEnabled(editing);
    buttons[Cancel]->setEnabled(editing);
    buttons[Refresh]->setEnabled(active);
}

bool DBNavigator::leaveEdit() { return !tbl->isEditing() || tbl->post(); }

bool DBNavigator::confirmDeletion() { return deleteQuestion.isEmpty() || ChiediConfermaDistruttiva(deleteQuestion); }

void DBNavigator::run(Button which)
{
    store::Table &t = *tbl;
    switch (which) {
    case First:
        if (leaveEdit())
            t.first();
        break;
    case Prior:
        if (leaveEdit())
            t.prior();
        break;
    case Next:
        if (leaveEdit())
            t.next();
        break;
    case Last:
        if (leaveEdit())
            t.last();
        break;
    case Insert:
        if (leaveEdit())
            t.insert();
        break;
    case Delete:
        t.remove();
        break;
    case Edit:
        t.edit();
        break;
    case Post:
        t.post();
        break;
    case Cancel:
        t.cancel();
        break;
    case Refresh:
        if (leaveEdit())
            t.refresh();
        break;
    }
}

void DBNavigator::perform(Button which)
{
    if (!tbl || !tbl->isOpen())
        return;
    if (which == Delete && !confirmDeletion())
        return;
    const bool writes = which == Delete || which == Post || (tbl->isEditing() && which != Cancel && which != Edit);
    try {
        if (transactional && writes) {
            store::Transaction transaction;
            run(which);
            transaction.commit();
        } else {
            run(which);
        }
    } catch (const store::EngineError &e) {
        // A row that was being edited stays pending; otherwise show the rows as they are on disk
        // (a rolled back transaction may have undone what the cursor still shows).
        if (tbl && tbl->isOpen() && !tbl->isEditing())
            tbl->refresh();
        updateButtons();
        MostraErrore(e.message());
        return;
    }
    updateButtons();
    emit clicked(which);
}
