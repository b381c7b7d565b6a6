// Editable combo boxes that take only an entry of their list: a typed text that names no entry sets
// the combo back to the entry on show, and nothing else is shown in its place.
#pragma once

#include <QString>
#include <functional>

class QComboBox;
class QWidget;

// An editable combo named `nome` on `form`, wide enough for `caratteri` characters, that never adds
// a typed text to its list. `scelta` runs (with `form` as its receiver) on a choice from the list,
// and on leaving the combo after typing unless the focus goes to a command that checks no field.
QComboBox *CreaComboScelta(QWidget *form, const QString &nome, int caratteri, const std::function<void()> &scelta);

// The index of the entry the combo's text names exactly (blanks around it ignored); -1 for none.
int VoceScelta(const QComboBox *combo);
// Puts the combo back on the entry with that text (or on no entry, with that text shown).
void RimettiCombo(QComboBox *combo, const QString &testo);
