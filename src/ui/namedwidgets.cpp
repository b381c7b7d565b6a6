#include "ui/namedwidgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
class SelectAllFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            auto *edit = static_cast<QLineEdit *>(watched);
            // The mouse press that gave the focus places the cursor after this event: select
            // once it has.
            if (reason == Qt::MouseFocusReason)
                QTimer::singleShot(0, edit, &QLineEdit::selectAll);
            else if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                edit->selectAll();
        }
        return false;
    }
};

// Eats the one mouse press that is on its way, then goes.
class DropPressFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!active || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick))
            return false;
        finish();
        return true;
    }
    // From now on it lets everything through (however long the event loop takes to delete it).
    void finish()
    {
        active = false;
        deleteLater();
    }

private:
    bool active = true;
};
} // namespace

QLabel *createLabel(QWidget *parent, const QString &name, const QString &text, bool bold)
{
    auto *label = createNamed<QLabel>(parent, name);
    label->setText(text);
    if (bold) {
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
    }
    return label;
}

QPushButton *createButton(QWidget *parent, const QString &name, const QString &text, const QString &tooltip)
{
    auto *button = createNamed<QPushButton>(parent, name);
    button->setText(text);
    button->setToolTip(tooltip);
    button->setAutoDefault(false);
    return button;
}

void selectAllOnFocus(QLineEdit *edit) { edit->installEventFilter(new SelectAllFilter(edit)); }

namespace {
const char *const CommandProperty = "rotasetCommand";
}

void markAsCommand(QAbstractButton *button) { button->setProperty(CommandProperty, true); }

bool leavingChecksField(QWidget *field, Qt::FocusReason reason)
{
    // Another window in front (a message box, another program) or an open list is no leaving.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return false;
    if (field && !field->window()->isVisible())
        return false;
    // Qt names the widget taking the focus before the one losing it hears of it.
    const QWidget *next = QApplication::focusWidget();
    if (next && next->property(CommandProperty).toBool())
        return false;
    return true;
}

void dropPressThatMovedFocus(QWidget *target, Qt::FocusReason reason)
{
    if (!target || reason != Qt::MouseFocusReason)
        return;
    // Qt gives the focus before it delivers the press that asked for it: the press follows at once,
    // before any event is processed, so the filter outlives it by one turn of the event loop at most.
    auto *filter = new DropPressFilter(target);
    target->installEventFilter(filter);
    QTimer::singleShot(0, filter, [filter] { filter->finish(); });
}
