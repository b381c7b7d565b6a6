// The team-renaming form: one team chosen from the list, its new name typed, and the team renamed in
// the team list, the standings and the calendar together.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TFrmModNomiSquadre : public QDialog {
    Q_OBJECT
public:
    explicit TFrmModNomiSquadre(QWidget *parent = nullptr);

    void SBsiClick();
    void SBesciClick();

private:
    void FormCreate();
    void TraduciEtichette();
    void CaricaNomi();
    // The error box of a rename refused or not written, and the names again as they are.
    void NonRinominata(const QString &errore);

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbNomeVecchio = nullptr;
    QLineEdit *EditNomeNuovo = nullptr;
    QPushButton *SBsi = nullptr;
    QPushButton *SBesci = nullptr;
};
