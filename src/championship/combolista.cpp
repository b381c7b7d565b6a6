#include "championship/combolista.h"

#include "ui/namedwidgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

QComboBox *CreaComboScelta(QWidget *form, const QString &nome, int caratteri, const std::function<void()> &scelta)
{
    auto *combo = createNamed<QComboBox>(form, nome);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setMinimumContentsLength(caratteri);
    QObject::connect(combo, &QComboBox::textActivated, form, [scelta] { scelta(); });
    QObject::connect(combo->lineEdit(), &QLineEdit::editingFinished, form, [combo, scelta] {
        if (leavingChecksField(combo))
            scelta();
    });
    return combo;
}

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
