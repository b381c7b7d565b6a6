// The rotation teams: names typed by the user, ids given by the program, and for every team the
// one line-up row it owns. Deleting a team deletes its players and its line-up rows with it.
#pragma once

#include "ui/dbnavigator.h"

#include <QDialog>

class DBEdit;
class DBGrid;
class QLabel;
class QPushButton;

namespace store {
class Table;
}

class TFrmRTsquadre : public QDialog {
    Q_OBJECT
public:
    explicit TFrmRTsquadre(QWidget *parent = nullptr);
    ~TFrmRTsquadre() override;

    void sbEsciClick();
    void DBNavigator1Click(DBNavigator::Button bottone);
    bool TableRTSquadreBeforePost(store::Table &tabella);
    void TableRTSquadreAfterPost(store::Table &tabella);
    bool TableRTSquadreBeforeDelete(store::Table &tabella);

    // Escape and closing the window go the way of Esci.
    void reject() override;

private:
    void costruisci();
    void FormCreate();
    void FormDestroy();
    void TraduciEtichette();
    int NuovoIdSquadra();
    bool EsisteFormazione();

    store::Table *TableRTSquadre = nullptr;
    store::Table *TableRTgiocatori = nullptr;
    store::Table *TableRTformazioni = nullptr;

    DBNavigator *DBNavigator1 = nullptr;
    QLabel *Label2 = nullptr;
    DBEdit *DBEditSquadra = nullptr;
    QLabel *Label1 = nullptr;
    DBGrid *DBGrid1 = nullptr;
    QPushButton *sbEsci = nullptr;
};
