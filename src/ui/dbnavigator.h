// A data-aware navigator: a row of buttons that move through a table, insert, delete, edit, post,
// cancel and refresh its rows. The buttons follow the table's position and state; a deletion is
// confirmed first; engine errors are shown in the error box and leave the table as it was.
#pragma once

#include "store/table.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QToolButton;

class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh };
    static constexpr int ButtonCount = 10;

    explicit DBNavigator(QWidget *parent = nullptr);

    void setTable(store::Table *table);
    store::Table *table() const { return tbl; }

    // Which buttons are shown, in the fixed order above (all by default).
    void setVisibleButtons(const QList<Button> &buttons);
    // One hint per button, in the order above; the hints of hidden buttons are kept too.
    void setHints(const QStringList &hints);
    QToolButton *button(Button which) const { return buttons[which]; }

    // The question asked before a deletion (empty: no question).
    void setDeleteQuestion(const QString &question) { deleteQuestion = question; }
    // Posts and deletions run in one transaction with whatever the table's events write meanwhile:
    // all of it lands, or none (the tables then read the rows again).
    void setTransactional(bool on) { transactional = on; }

    // Does what the button does, as a click on it would.
    void perform(Button which);

signals:
    // After a button's action ran through (also when a before-post or before-delete event declined).
    void clicked(DBNavigator::Button which);

private:
    void updateButtons();
    // Moving away from a pending row first posts it; false when the post was declined.
    bool leaveEdit();
    bool confirmDeletion();
    void run(Button which);

    QPointer<store::Table> tbl;
    QToolButton *buttons[ButtonCount] = {};
    QList<QMetaObject::Connection> connections;
    QString deleteQuestion = QStringLiteral("Eliminare il rigo?");
    bool transactional = false;
};
