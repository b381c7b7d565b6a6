// Caption translation of a form: each form lists the controls whose Italian caption is looked up
// in the translation table when LINGUA asks for it.
#pragma once

#include <QList>
#include <QObject>
#include <QString>

enum class Lingua;

// The caption of a control: a label's or button's text, a menu's title, an action's text, a group
// box's title, a page's tab text, an edit's text, a window's title.
QString TestoControllo(const QObject *controllo);
void ImpostaTestoControllo(QObject *controllo, const QString &testo);

// The pattern every form's TraduciEtichette follows: reads LINGUA; for "Italiano" or an empty
// value nothing happens; otherwise each control's caption, in order, becomes Traduci(caption).
void TraduciControlli(const QList<QObject *> &controlli);

// The toolkit's own texts (message-box buttons, the print dialog and preview) in the language that
// LINGUA names: Italian when it is "Italiano" or empty, "English", "Français". Loads the toolkit's
// translation files in place of those loaded before; run at start and after the settings change.
// False when the files of that language are not installed (the toolkit then speaks English).
bool ApplicaLinguaToolkit();
bool ApplicaLinguaToolkit(Lingua lingua);
bool ApplicaLinguaToolkit(const QString &lingua);
