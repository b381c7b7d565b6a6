// The team statistics form: the standings as a read-only grid, refreshed each time the form becomes
// active, and the print with or without each team's set quotient.
#pragma once

#include "championship/moduloclassifica.h"

class QCheckBox;
class QPushButton;

class TFrmStatisticheSquadra : public ModuloClassifica {
    Q_OBJECT
public:
    explicit TFrmStatisticheSquadra(QWidget *parent = nullptr);

    void BTSstampaClick();
    void BTSesciClick();

private:
    void TraduciEtichette();

    QCheckBox *cbQuozienti = nullptr;
    QPushButton *BTSstampa = nullptr;
    QPushButton *BTSesci = nullptr;
};
