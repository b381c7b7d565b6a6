// The calendar builder: season, category, matchday and team counts, the team names; storing them
// starts a new championship and hands over to the matchday composer.
#pragma once

#include <QDate>
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The season a calendar built on that day belongs to: from 1 August that year and the next
// ("2026/2027"), before August the year before and that year.
QString StagioneDi(const QDate &giorno);

class TFrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TFrmCalendario(QWidget *parent = nullptr);

    QLineEdit *EDTanno = nullptr;
    QLineEdit *EDTcateg = nullptr;
    QLineEdit *EDTnGIORN = nullptr;
    QLineEdit *EDTmySQ = nullptr;
    QLineEdit *EDTnSQ = nullptr;
    QLineEdit *SQ[20] = {}; // SQ1 .. SQ20
    QPushButton *ButSalva = nullptr;
    QPushButton *ButEsci = nullptr;
    QPushButton *BTMsquadre = nullptr;
    QPushButton *sbAnnulla = nullptr;

    void EDTnGIORNExit();
    void ButSalvaClick();
    void ButEsciClick();
    void BTMsquadreClick();
    void sbAnnullaClick();

    // The number of matchdays typed in the header (the composer reads it); -1 when it is no number.
    int NumeroGiornate() const;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TraduciEtichette();
    bool Numero(QLineEdit *edit, int &valore);
    bool Memorizza(int squadre);
    // Every check of the header: g even and at least 4, n from 4 to 20, the favourite team named.
    // False after the check's message, with the focus on the field at fault.
    bool ControllaIntestazione(int &squadre, int &giornate);
    // The header stays as checked while the team names are typed: locked until "Annulla".
    void BloccaIntestazione(bool blocca);

    QGroupBox *GroupBox1 = nullptr;
    QList<QLabel *> etichette; // Label1 .. Label5
};

// The resident calendar builder.
extern TFrmCalendario *FrmCalendario;
