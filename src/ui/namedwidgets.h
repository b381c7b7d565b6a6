// Controls created with their component name as object name, the way every form builds its own.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

template <typename T> T *createNamed(QWidget *parent, const QString &name)
{
    T *w = new T(parent);
    w->setObjectName(name);
    return w;
}

QLabel *createLabel(QWidget *parent, const QString &name, const QString &text, bool bold = false);
// A button that Return in another control does not press.
QPushButton *createButton(QWidget *parent, const QString &name, const QString &text, const QString &tooltip = QString());
