// Sending data to the maker: packs one backup folder into the ZIP archive backup/dati_<product>.zip
// and, unless the user declines, opens the mail program on a message to the support mailbox that
// asks for the archive as attachment. The program sends nothing itself.
#pragma once

#include "utilities/lavorolungo.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFrmInvioDatiCasaMadre : public FormUtilita {
    Q_OBJECT
public:
    explicit TFrmInvioDatiCasaMadre(QWidget *parent = nullptr);

    void ListBoxCartelleClick();
    void ButtonOkClick();

    bool riuscito() const { return compresso; }

private:
    void costruisci();
    void FormCreate();
    void TraduciEtichette();

    QLabel *Label6 = nullptr;
    QLabel *Label5 = nullptr;
    QListWidget *ListBoxCartelle = nullptr;
    QLabel *Label1 = nullptr;
    QListWidget *ListBoxFile = nullptr;
    QLabel *LabelWork = nullptr;
    QLabel *LabelDone = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabelDettaglioBackup = nullptr;
    QLabel *Label7 = nullptr;
    QLineEdit *EditPathCompresso = nullptr;
    QCheckBox *cbNonInviare = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *sbEsci = nullptr;

    QString scelta;
    bool compresso = false;
};
