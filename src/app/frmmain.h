// The main window: the menu of the whole program, kept in step with the championship's state at
// every activation, and the commands that belong to it (help, discarding the calendar, About).
#pragma once

#include "ui/finestraprincipale.h"

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;

class TFrmMain : public QMainWindow, public InterfacciaPrincipale {
    Q_OBJECT
public:
    // Ensures every table, translates the menu and registers itself as the main window.
    explicit TFrmMain(QWidget *parent = nullptr);
    ~TFrmMain() override;

    void AbilitaMenuCalendario() override;
    void DisabilitaMenuCalendario() override;
    void MostraModuloRotazioni() override;
    void TerminaProgramma() override;
    void AzzeraImpostazioniCampionato();

    // The activation handler: the menu state from the settings record.
    void FormActivate();

    // The menu commands of this window.
    void Inseriscirisultati1Click();
    void Eliminailprecedente1Click();
    void Aiuto1Click();
    void About2Click();
    void sbEsciClick();

    // The forms that other parts of the program open from the menu: the command of an item runs
    // the function registered under the item's name (nothing until one is registered). A name that
    // is no item of the menu (a menu's head included) nor a command this window runs itself throws
    // std::logic_error, so a misspelt name stops the program at start.
    void RegistraComando(const QString &voce, std::function<void()> comando);
    bool HaComando(const QString &voce) const;
    QAction *Voce(const QString &nome) const;

signals:
    void programmaTerminato();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void CreaMenu();
    void TraduciEtichette();
    void EseguiComando(const QString &voce);
    QMenu *AggiungiMenu(QWidget *parent, const char *nome, const QString &testo);
    QAction *AggiungiVoce(QMenu *menu, const char *nome, const QString &testo);

    QLabel *LabelTitolo = nullptr;
    QPushButton *sbEsci = nullptr;
    QList<QObject *> daTradurre; // the 31 captions, in the order of the translation table
    QHash<QString, QAction *> voci;
    QHash<QString, std::function<void()>> comandi;
    bool giaMostrata = false;
    QString erroreAttivazione; // the last fault met at activation, told once
};

// The resident main window.
extern TFrmMain *FrmMain;
