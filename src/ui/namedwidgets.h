// Controls created with their component name as object name, the way every form builds its own.
#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
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

// An edit whose text is a caption to replace ("Nome squadra n.2"): taking the focus, by the mouse
// too, selects the whole text, so that what the user types replaces it.
void selectAllOnFocus(QLineEdit *edit);
