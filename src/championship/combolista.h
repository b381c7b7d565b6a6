// Editable combo boxes that take only an entry of their list: a typed text that names no entry sets
// the combo back to the entry on show, and nothing else is shown in its place.
#pragma once

#include <QString>

class QComboBox;

// The index of the entry the combo's text names exactly (blanks around it ignored); -1 for none.
int VoceScelta(const QComboBox *combo);
// Puts the combo back on the entry with that text (or on no entry, with that text shown).
void RimettiCombo(QComboBox *combo, const QString &testo);
