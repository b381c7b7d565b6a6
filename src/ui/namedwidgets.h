// Controls created with their component name as object name, the way every form builds its own.
#pragma once

#include <QString>
#include <QWidget>

class QAbstractButton;
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

// Marks a button as a way out of its form or a command that drops what the fields hold ("Esci",
// "Annulla ed esci", "Annulla"): the focus moving onto it runs no field's check.
void markAsCommand(QAbstractButton *button);
// Whether a field that is losing the focus should check its value now: false when the focus goes
// to a button marked as a command, to another window or a popup, or when the field's window is
// closing or hidden. Call it from the field's focus-out handling (editingFinished included).
bool leavingChecksField(QWidget *field, Qt::FocusReason reason = Qt::OtherFocusReason);
// A field whose check refused to be left puts the focus back; the mouse press that tried to move
// the focus to `target` must then do nothing there (no button pressed, no second check by the
// button, no list opened). Call it after the refusal with the focus-out's reason and the widget
// that was taking the focus.
void dropPressThatMovedFocus(QWidget *target, Qt::FocusReason reason);
