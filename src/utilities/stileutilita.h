// The look the utility forms share: the red bold working label, the green bold done label, the
// coloured counters, and the fixed, centred window with the system menu only.
#pragma once

#include <QString>

class QDialog;
class QLabel;
class QWidget;

QLabel *creaLabelWork(QWidget *parent);
QLabel *creaLabelDone(QWidget *parent, const QString &testo);
QLabel *creaContatore(QWidget *parent, const char *nome, bool verde);
void impostaFinestraUtilita(QDialog *form, const char *nome, const QString &titolo);

inline const QString SuggerimentoEsciUtilita = QStringLiteral("Esci da questa maschera");
