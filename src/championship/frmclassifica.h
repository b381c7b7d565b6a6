// The standings form: Class.db as a read-only grid, best team first, refreshed each time the form
// becomes active, and the print preview of the standings report.
#pragma once

#include "championship/moduloclassifica.h"

class QLabel;
class QPushButton;
class TStClassifica;

class TFrmClassifica : public ModuloClassifica {
    Q_OBJECT
public:
    // The report prints the standings; it is created and destroyed together with the form.
    explicit TFrmClassifica(TStClassifica *stampa, QWidget *parent = nullptr);

    void BTSstampaClick();
    void BTSesciClick();

private:
    void FormCreate();
    void TraduciEtichette();

    TStClassifica *StClassifica;
    QLabel *Label1 = nullptr;
    QPushButton *BTSstampa = nullptr;
    QPushButton *BTSesci = nullptr;
};
