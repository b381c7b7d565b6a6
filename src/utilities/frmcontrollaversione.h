// The version check: reads the maker's version page, finds the latest published build in its body,
// compares it with this program's own and, when a newer one exists, opens its download in the
// browser. The page is read asynchronously: the window stays live and Esci gives the reading up.
#pragma once

#include "utilities/letturapagina.h"
#include "utilities/versione.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The maker's version page for this program and the download of its installer.
QString IndirizzoControlloVersione();
QString IndirizzoScaricamento();

class TFrmControllaVersione : public QDialog {
    Q_OBJECT
public:
    explicit TFrmControllaVersione(QWidget *parent = nullptr);
    ~TFrmControllaVersione() override;

    void FormActivate();
    void sbControllaClick();
    void sbScaricaClick();
    void sbEsciClick();

    // True while a page is being read.
    bool InCorso() const { return !richiesta.isNull(); }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void PaginaLetta(RichiestaPagina::Esito esito, const QString &testo);
    void MostraEsito(int pubblicata, const QString &motivo);
    void TraduciEtichette();

    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabVerAttuale = nullptr;
    QLabel *LabVerInternet = nullptr;
    QLabel *LabMessaggioGrande = nullptr;
    QLabel *LabMessaggioPiccolo = nullptr;
    QPushButton *sbControlla = nullptr;
    QPushButton *sbScarica = nullptr;
    QPushButton *sbEsci = nullptr;
    QListWidget *ListURL = nullptr;
    QLineEdit *Editurl = nullptr;

    QStringList pagine; // the bodies of the pages read by the current check
    CriterioEstrazione criterio;
    QPointer<RichiestaPagina> richiesta;
    bool attivato = false; // the connection question is asked once per opening
};
