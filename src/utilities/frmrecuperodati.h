// Restore: lists the backup folders, shows what the chosen one holds, puts its tables back in the
// program folder all together or not at all, and deletes backup folders. After a restore that
// succeeded the program ends when the form closes, so that the next start works on the restored
// tables.
#pragma once

#include "utilities/lavorolungo.h"
#include "utilities/stileutilita.h"

#include <QDialog>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;

class TFrmRecuperoDati : public FormUtilita {
    Q_OBJECT
public:
    explicit TFrmRecuperoDati(QWidget *parent = nullptr);
    ~TFrmRecuperoDati() override;

    void ListBoxCartelleClick();
    void ButtonOkClick();
    void ButtonEliminaClick();

    bool riuscito() const { return recuperato; }
    int copiati() const { return nCopiati; }
    int nonCopiati() const { return nNonCopiati; }

private:
    void costruisci();
    void FormCreate();
    void FormDestroy();
    void TraduciEtichette();
    void leggiCartelle();
    void aggiornaContatori();

    QLabel *Label5 = nullptr;
    QListWidget *ListBoxCartelle = nullptr;
    QLabel *Label1 = nullptr;
    QListWidget *ListBoxFile = nullptr;
    QLabel *LabelWork = nullptr;
    QLabel *LabelDone = nullptr;
    std::unique_ptr<Resoconto> resoconto;
    QLabel *Label2 = nullptr;
    QLabel *LabelDettaglioBackup = nullptr;
    QPushButton *ButtonElimina = nullptr;
    QPushButton *ButtonOk = nullptr;
    QPushButton *sbEsci = nullptr;

    QString scelta; // the chosen backup's name; empty when none is valid
    int nCopiati = 0;
    int nNonCopiati = 0;
    bool recuperato = false;
};
