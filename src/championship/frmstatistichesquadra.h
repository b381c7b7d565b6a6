// The team statistics form: the standings as a read-only grid, refreshed each time the form becomes
// active, and the print with or without each team's set quotient.
#pragma once

#include <QDialog>

class DBGrid;
class QCheckBox;
class QPushButton;

namespace store {
class Query;
}

class TFrmStatisticheSquadra : public QDialog {
    Q_OBJECT
public:
    explicit TFrmStatisticheSquadra(QWidget *parent = nullptr);
    ~TFrmStatisticheSquadra() override;

    void FormActivate();
    void BTSstampaClick();
    void BTSesciClick();

protected:
    bool event(QEvent *event) override;

private:
    void TraduciEtichette();

    store::Query *Query1 = nullptr;
    DBGrid *DBGrid1 = nullptr;
    QCheckBox *cbQuozienti = nullptr;
    QPushButton *BTSstampa = nullptr;
    QPushButton *BTSesci = nullptr;
    QString erroreAttivazione; // the last activation fault told, so that it is told once
};
