// The look the utility forms share: the red bold working label, the green bold done label, the
// coloured counters, and the fixed, centred window with the system menu only.
#pragma once

#include <QString>

class QDialog;
class QGridLayout;
class QLabel;
class QWidget;

QLabel *creaLabelWork(QWidget *parent);
QLabel *creaLabelDone(QWidget *parent, const QString &testo);
QLabel *creaContatore(QWidget *parent, const char *nome, bool verde);
void impostaFinestraUtilita(QDialog *form, const char *nome, const QString &titolo);

// The report of a copy of the tables (backup and restore): its title, the files copied in green
// and those not copied in red, and under them the working and done labels.
struct Resoconto {
    QLabel *LabelTitoloResoconto = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *LabelCopiati = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *LabelConErrore = nullptr;

    explicit Resoconto(QWidget *parent);
    // The two counts, written as numbers are for people.
    void mostra(int copiati, int nonCopiati) const;
    QGridLayout *disponi(QLabel *labelWork, QLabel *labelDone) const;
};

inline const QString SuggerimentoEsciUtilita = QStringLiteral("Esci da questa maschera");
