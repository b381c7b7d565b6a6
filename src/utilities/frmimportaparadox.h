// Importing a championship from tables of the earlier (Paradox) format: the folder chosen, what it
// holds for each of the nine tables, and the import of them all together or none. After an import
// that succeeded the program ends when the form closes, as after a restore, so that the next start
// works on the imported tables.
#pragma once

#include "utilities/lavorolungo.h"
#include "utilities/stileutilita.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFrmImportaParadox : public FormUtilita {
    Q_OBJECT
public:
    explicit TFrmImportaParadox(QWidget *parent = nullptr);
    ~TFrmImportaParadox() override;

    // Shows what the folder holds (the folder button's choice goes through here).
    void ImpostaCartella(const QString &cartella);
    void ButtonSfogliaClick();
    void ButtonImportaClick();

    bool riuscito() const { return importato; }
    QString cartella() const { return scelta; }

private:
    void costruisci();
    void TraduciEtichette();

    QLabel *LabelCartella = nullptr;
    QLineEdit *EditCartella = nullptr;
    QPushButton *ButtonSfoglia = nullptr;
    QLabel *LabelTabelle = nullptr;
    QListWidget *ListBoxTabelle = nullptr;
    QLabel *LabelWork = nullptr;
    QLabel *LabelDone = nullptr;
    QPushButton *ButtonImporta = nullptr;
    QPushButton *sbEsci = nullptr;

    QString scelta; // the folder shown, with a trailing separator; empty before a choice
    bool importato = false;
};
