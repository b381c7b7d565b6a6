// The line-up of a rotation team: the method, then for each of the seven slots one player taken
// from a list that offers only the role the method expects there. The row is saved only whole:
// a method, six players and no player twice.
#pragma once

#include <QDialog>
#include <array>

class DBEdit;
class DBNavigator;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace store {
class Table;
}

class TFrmRTformazioni : public QDialog {
    Q_OBJECT
public:
    explicit TFrmRTformazioni(QWidget *parent = nullptr);
    ~TFrmRTformazioni() override;

    void cbSquadreChange();
    void BitBtn0Click();
    // BitBtn1 ... BitBtn7: the chosen player of slot 1 ... 6 or of the libero into the row.
    void BitBtnPostoClick(int posto);
    void sbTogliLiberoClick();
    void sbEsciClick();
    bool TableRTformazioniBeforePost(store::Table &tabella);

    int IdSquadraCorrente = 0;

    static int IdGiocatoreDaVoce(const QString &voce);
    static QString DescrizioneGiocatore(const QString &id);

    void reject() override;

private:
    // One line-up slot: the six positions, then the libero.
    struct Posto {
        QString campo;
        QLabel *etichetta = nullptr; // the role it takes
        QComboBox *lista = nullptr;
        QPushButton *pulsante = nullptr;
        DBEdit *valore = nullptr; // the stored player id
        QLabel *nome = nullptr;   // the stored player by name
    };
    static constexpr int PostoLibero = 6;

    void costruisci();
    void FormCreate();
    void FormDestroy();
    void TraduciEtichette();
    void CaricaGiocatori();
    bool GiocatoriDuplicati();
    // Puts the row in edit state; a row made anew belongs to the chosen team.
    void ModificaRiga();
    bool rifiuta(const QString &messaggio, QWidget *controllo);

    store::Table *TableRTformazioni = nullptr;

    QLabel *Label1 = nullptr;
    QComboBox *cbSquadre = nullptr;
    QLabel *Label11 = nullptr;
    QLabel *Label12 = nullptr;
    DBNavigator *DBNavigator1 = nullptr;
    QWidget *PanelDettaglio = nullptr;
    QLabel *Label8 = nullptr;
    QComboBox *cb_metodo = nullptr;
    QPushButton *BitBtn0 = nullptr;
    DBEdit *DBEditmetodo = nullptr;
    std::array<Posto, 7> posti;
    QLabel *Label10 = nullptr;
    QPushButton *sbTogliLibero = nullptr;
    QWidget *PanelComandi = nullptr;
    QPushButton *sbEsci = nullptr;

    int squadraMostrata = -1;
    bool squadraScelta = false;
};
