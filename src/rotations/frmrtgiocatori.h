// The players of one rotation team: shirt number (unique within the team), names, role and serve
// type. A player who stands in his team's line-up can only be deleted together with that line-up.
#pragma once

#include "ui/dbnavigator.h"

#include <QDialog>

class DBComboBox;
class DBEdit;
class DBGrid;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace store {
class Table;
}

class TFrmRTgiocatori : public QDialog {
    Q_OBJECT
public:
    explicit TFrmRTgiocatori(QWidget *parent = nullptr);
    ~TFrmRTgiocatori() override;

    void cbSquadreChange();
    void sbEsciClick();
    void DBNavigator1Click(DBNavigator::Button bottone);
    bool TableRTgiocatoriBeforePost(store::Table &tabella);
    bool TableRTgiocatoriBeforeDelete(store::Table &tabella);

    int IdSquadraCorrente = 0;

    void reject() override;

private:
    void costruisci();
    void FormCreate();
    void FormDestroy();
    void TraduciEtichette();
    int NuovoIdGiocatore();
    int ContaNumeroMaglia(const QString &numero, int idSquadra, int idGiocatore);
    bool GiocatoreInFormazione(int idSquadra, const QString &idGiocatore);
    // A failed check: the message, the focus on the control, the post declined.
    bool rifiuta(const QString &messaggio, QWidget *controllo);

    store::Table *TableRTgiocatori = nullptr;
    store::Table *TableRTformazioni = nullptr;

    QLabel *Label1 = nullptr;
    QComboBox *cbSquadre = nullptr;
    QWidget *PanelDettaglio = nullptr;
    DBGrid *DBGrid1 = nullptr;
    DBNavigator *DBNavigator1 = nullptr;
    QLabel *Label4 = nullptr;
    DBEdit *DBEditNumero = nullptr;
    QLabel *Label2 = nullptr;
    DBEdit *DBEditNome = nullptr;
    QLabel *Label3 = nullptr;
    DBEdit *DBEditCognome = nullptr;
    QLabel *Label5 = nullptr;
    DBComboBox *DBcbRuolo = nullptr;
    QLabel *Label6 = nullptr;
    DBComboBox *DBcbBattuta = nullptr;
    QWidget *PanelComandi = nullptr;
    QPushButton *sbEsci = nullptr;

    int squadraMostrata = -1; // the list entry whose players are shown
    bool cambiando = false;
};
