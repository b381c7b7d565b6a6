#include "ui/namedwidgets.h"

#include <QLabel>
#include <QPushButton>

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
