// Backup: copies the files of every table into today's folder below backup/, one backup a day,
// a second one the same day replacing the first after a question. Each file is copied under a
// temporary name and renamed over its earlier copy, so a failed copy never spoils the one before.
#pragma once

#include "utilities/lavorolungo.h"
#include "utilities/stileutilita.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class TFrmSalvataggioDati : public FormUtilita {
    Q_OBJECT
public:
    explicit TFrmSalvataggioDati(QWidget *parent = nullptr);

    void BitBtn2Click();

    int copiati() const { return nCopiati; }
    int nonCopiati() const { return nNonCopiati; }
    bool riuscito() const { return salvato; }
    // Today's backup folder, as computed when the form opened.
    QString cartellaGiorno() const;

private:
    void costruisci();
    void FormCreate();
    void TraduciEtichette();
    void aggiornaContatori();
    QStringList tabelle() const;

    QLabel *Label5 = nullptr;
    QListWidget *ListBoxTabelle = nullptr;
    QLabel *Label1 = nullptr;
    QListWidget *ListBoxFile = nullptr;
    QLabel *LabelWork = nullptr;
    QLabel *LabelDone = nullptr;
    std::unique_ptr<Resoconto> resoconto;
    QLabel *Label2 = nullptr;
    QLineEdit *EditPathSalvataggio = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *sbEsci = nullptr;

    int nCopiati = 0;
    int nNonCopiati = 0;
    bool salvato = false;
};
