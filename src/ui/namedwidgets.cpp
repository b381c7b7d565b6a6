#include "ui/namedwidgets.h"

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
