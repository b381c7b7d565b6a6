// Choosing a matchday by number and viewing it read-only, with its print. The dialog only returns
// the number; the view shows the matchday through the composer's own calendar table, which it takes
// off its filter and leaves as the composer needs it when it closes.
#pragma once

#include <QDialog>
#include <memory>

class DBEdit;
class GrigliaGiornata;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TStGiornata;

namespace store {
class Table;
}

class TFrmAfterCaricaGiornata : public QDialog {
    Q_OBJECT
public:
    explicit TFrmAfterCaricaGiornata(QWidget *parent = nullptr);

    void BTSconfermaClick();
    void BTSannullaClick();
    // The matchday chosen; 0 until one that exists is confirmed.
    int Giornata() const { return giornata; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void TraduciEtichette();

    QGroupBox *GroupBox1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *EDTgiornata = nullptr;
    QPushButton *BTSconferma = nullptr;
    QPushButton *BTSannulla = nullptr;
    int giornata = 0;
    bool mostrato = false; // the edit box was emptied for this showing
};

class TFrmCaricaGiornata : public QDialog {
    Q_OBJECT
public:
    // Shows matchday `numero` of the calendar table `giornate` (the composer's), printed by `stampa`.
    // Throws store::EngineError when the table cannot be opened.
    TFrmCaricaGiornata(store::Table *giornate, TStGiornata *stampa, int numero, QWidget *parent = nullptr);
    ~TFrmCaricaGiornata() override;

    void SBstampaClick();
    void SBesciClick();

private:
    void TraduciEtichette();
    // The table off its filter, closed again if the view opened it.
    void Rilascia();

    store::Table *TblGiornate;
    TStGiornata *StGiornata;
    int numero;
    bool apertaQui = false;
    bool rilasciata = false;
    QGroupBox *GroupBox1 = nullptr;
    std::unique_ptr<GrigliaGiornata> griglia;
    QLabel *Label1 = nullptr;
    QLabel *LabData = nullptr;
    DBEdit *DBNumGiornata = nullptr;
    QPushButton *SBstampa = nullptr;
    QPushButton *SBesci = nullptr;
};

// The menu command: the choice, then the view of the chosen matchday with its print.
void CaricaGiornata(QWidget *finestra);
