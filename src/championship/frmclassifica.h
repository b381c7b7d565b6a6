// The standings form: Class.db as a read-only grid, best team first, refreshed each time the form
// becomes active, and the print preview of the standings report.
#pragma once

#include <QDialog>

class DBGrid;
class QLabel;
class QPushButton;
class TStClassifica;

namespace store {
class Query;
}

class TFrmClassifica : public QDialog {
    Q_OBJECT
public:
    // The report prints the standings; it is created and destroyed together with the form.
    explicit TFrmClassifica(TStClassifica *stampa, QWidget *parent = nullptr);
    ~TFrmClassifica() override;

    // Runs the query again, so the grid shows the standings as they are now.
    void FormActivate();
    void BTSstampaClick();
    void BTSesciClick();

protected:
    bool event(QEvent *event) override;

private:
    void FormCreate();
    void FormDestroy();
    void TraduciEtichette();
    void PreparaColonne();

    TStClassifica *StClassifica;
    store::Query *Query1 = nullptr;
    DBGrid *DBGrid1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *BTSstampa = nullptr;
    QPushButton *BTSesci = nullptr;
    QStringList titoliColonne; // the grid's titles, translated when LINGUA asks for it
    QString erroreAttivazione; // the last activation fault told, so that it is told once
};
