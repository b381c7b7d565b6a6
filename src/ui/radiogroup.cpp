#include "ui/radiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget *parent) : QGroupBox(parent)
{
    group = new QButtonGroup(this);
    grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    connect(group, &QButtonGroup::idClicked, this, &RadioGroup::chosen);
}

void RadioGroup::setItems(const QStringList &items)
{
    for (QRadioButton *b : std::as_const(buttons)) {
        group->removeButton(b);
        delete b;
    }
    buttons.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items[i], this);
        b->setObjectName(objectName() + QStringLiteral("_%1").arg(i));
        group->addButton(b, i);
        buttons << b;
    }
    index = -1;
    arrange();
}

void RadioGroup::setColumns(int n)
{
    columns = std::max(1, n);
    arrange();
}

void RadioGroup::arrange()
{
    const int perColumn = (int(buttons.size()) + columns - 1) / columns;
    for (int i = 0; i < buttons.size(); ++i) {
        grid->removeWidget(buttons[i]);
        grid->addWidget(buttons[i], perColumn ? i % perColumn : 0, perColumn ? i / perColumn : 0);
    }
}

void RadioGroup::setItemIndex(int i)
{
    if (i < 0 || i >= buttons.size())
        i = -1;
    if (i == index)
        return;
    if (i < 0) {
        // An exclusive group cannot uncheck its last button.
        group->setExclusive(false);
        for (QRadioButton *b : std::as_const(buttons))
            b->setChecked(false);
        group->setExclusive(true);
    } else {
        buttons[i]->setChecked(true);
    }
    index = i;
    emit itemIndexChanged(index);
}

void RadioGroup::chosen(int i)
{
    if (i == index)
        return;
    index = i;
    emit itemIndexChanged(index);
}
