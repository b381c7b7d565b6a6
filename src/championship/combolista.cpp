#include "championship/combolista.h"

#include <QComboBox>
#include <QSignalBlocker>

int VoceScelta(const QComboBox *combo)
{
    const QString testo = combo->currentText().trimmed();
    if (testo.isEmpty())
        return -1;
    return combo->findText(testo, Qt::MatchExactly);
}

void RimettiCombo(QComboBox *combo, const QString &testo)
{
    const QSignalBlocker blocco(combo);
    const int i = testo.isEmpty() ? -1 : combo->findText(testo, Qt::MatchExactly);
    combo->setCurrentIndex(i);
    if (combo->isEditable())
        combo->setEditText(testo);
}
