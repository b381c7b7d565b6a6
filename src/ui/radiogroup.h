// A group of radio buttons under a caption, known by the index of the chosen item (-1 for none),
// laid out in columns. Each item's button is named after the group and the item's index.
#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget *parent = nullptr);

    // Replaces the items; nothing is chosen afterwards.
    void setItems(const QStringList &items);
    int count() const { return int(buttons.size()); }
    QRadioButton *button(int index) const { return buttons.value(index); }
    void setColumns(int columns);

    int itemIndex() const { return index; }
    // -1 or an index out of range chooses nothing.
    void setItemIndex(int index);

signals:
    // The chosen item changed, by the user or by setItemIndex.
    void itemIndexChanged(int index);

private:
    void arrange();
    void chosen(int index);

    QButtonGroup *group = nullptr;
    QGridLayout *grid = nullptr;
    QList<QRadioButton *> buttons;
    int columns = 1;
    int index = -1;
};
