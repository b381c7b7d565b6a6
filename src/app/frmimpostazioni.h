// The settings form: the switches and colours of the rotation module and the language on the
// settings record, the championship values shown read-only. Its controls edit the row directly;
// "Ok" saves and closes, "Annulla" drops the changes and stays open, "Esci" closes without saving.
#pragma once

#include <QDialog>

class DBCheckBox;
class DBComboBox;
class DBEdit;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace store {
class Table;
}

class TFrmImpostazioni : public QDialog {
    Q_OBJECT
public:
    explicit TFrmImpostazioni(QWidget *parent = nullptr);
    ~TFrmImpostazioni() override;

    void sbOKClick();
    void sbAnnullaClick();
    void sbEsciClick();

private:
    void FormCreate();
    void FormDestroy();
    void TraduciEtichette();
    void costruisci();

    store::Table *TblImpostazioni = nullptr;

    QTabWidget *PageControl1 = nullptr;
    QWidget *tsModuli = nullptr;
    QWidget *tsGenerale = nullptr;
    QWidget *tsRotazioni = nullptr;

    QLabel *Label10 = nullptr;
    DBCheckBox *DBCheckBox2 = nullptr;
    QLabel *Label16 = nullptr;
    DBComboBox *DBComboBox8 = nullptr;

    QLabel *Label8 = nullptr;
    QLabel *Label6 = nullptr;
    DBEdit *DBEdAnnata = nullptr;
    QLabel *Label7 = nullptr;
    DBEdit *DBEdCategoria = nullptr;
    QLabel *Label2 = nullptr;
    DBEdit *DBEdSquadraPreferita = nullptr;
    QLabel *Label3 = nullptr;
    DBEdit *DBEdNumGiornate = nullptr;
    QLabel *Label4 = nullptr;
    DBEdit *DBEdNumSquadre = nullptr;

    QLabel *Label1 = nullptr;
    DBCheckBox *DBCheckBox1 = nullptr;
    DBCheckBox *DBCheckBox3 = nullptr;
    DBCheckBox *DBCheckBox4 = nullptr;
    DBCheckBox *DBCheckBox5 = nullptr;
    QLabel *Label5 = nullptr;
    DBComboBox *DBComboBox1 = nullptr;
    DBCheckBox *DBCheckBox6 = nullptr;
    QLabel *Label9 = nullptr;
    DBComboBox *DBComboBox2 = nullptr;
    QLabel *Label11 = nullptr;
    DBComboBox *DBComboBox3 = nullptr;
    QLabel *Label12 = nullptr;
    DBComboBox *DBComboBox4 = nullptr;
    QLabel *Label13 = nullptr;
    DBComboBox *DBComboBox5 = nullptr;
    QLabel *Label14 = nullptr;
    DBComboBox *DBComboBox6 = nullptr;
    QLabel *Label15 = nullptr;
    DBComboBox *DBComboBox7 = nullptr;
    DBCheckBox *DBCheckBox7 = nullptr;
    QLabel *Label17 = nullptr;
    DBComboBox *DBComboBox9 = nullptr;

    QWidget *PanelComandi = nullptr;
    QPushButton *sbOK = nullptr;
    QPushButton *sbAnnulla = nullptr;
    QPushButton *sbEsci = nullptr;
};
