// What the results entry and the results correction share: the calendar's table, the matchday grid
// with its set fields (one character each, typed over, checked on leaving: the value, then the pair
// of the match), the changes not yet saved, and a way out (Esci, Escape, the window's close box)
// that drops them only after the same question, with No as the default.
#pragma once

#include "store/campigiornata.h"

#include <QDialog>
#include <memory>

class GrigliaGiornata;
class QComboBox;
class QLineEdit;

namespace store {
class Table;
}

class ModuloRisultati : public QDialog {
    Q_OBJECT
public:
    static constexpr int NumeroCampi = SlotGiornata; // P1 ... P20, SQ1 ... SQ20

    ~ModuloRisultati() override;

    void SBesciClick();
    bool Modificato() const { return modificato; }
    // The matchday typed or chosen in CboxGiornate becomes the one on show.
    virtual void CboxGiornateChange() = 0;

protected:
    ModuloRisultati(QWidget *parent, const QString &nomeModulo, const QString &titolo);
    // The form's own work at its first showing (an engine error becomes an error box).
    virtual void PrimaMostra() = 0;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // True when nothing is changed, or the user agrees to drop the changes.
    bool PuoChiudere();

    // The editable matchday combo, CboxGiornate: a choice, or a typed number on leaving it, runs
    // CboxGiornateChange.
    QComboBox *CreaComboGiornate();
    // The grid with the set fields, each with the hint; a change of field k runs SetVariato(k).
    void CreaGriglia(const QString &suggerimento);
    QLineEdit *P(int k) const;
    // Puts the text into field k, unless it holds it already (no change is signalled then).
    void ImpostaSet(int k, const QString &testo);

    // Field k changed.
    virtual void SetVariato(int k) = 0;
    // A set field takes the focus.
    virtual void SetEntrato() {}
    // Field k is checked on leaving it.
    virtual bool SetAperto(int k) const = 0;
    // "*" (no result) is a value the fields take.
    virtual bool AccettaNessuno() const = 0;
    // A value or a pair was refused (after its error box).
    virtual void SetRifiutato() {}

    // The value check of field k; otherwise the error and the focus back.
    bool ControllaValore(int k);
    // The wrong-set error for field k, and the focus back on it.
    void RifiutaSet(int k);
    // The pair check of match `coppia` (1 ... 10): one side won three sets, the other fewer;
    // otherwise the error and the focus on its second field.
    virtual bool ControllaCoppia(int coppia);

    // After a save: nothing is changed any longer, the success box, and the form closes.
    void Archiviati();

    // Sets a flag for the lifetime of the guard.
    class Occupato {
    public:
        explicit Occupato(bool &flag) : flag(flag), prima(flag) { flag = true; }
        ~Occupato() { flag = prima; }
        Occupato(const Occupato &) = delete;
        Occupato &operator=(const Occupato &) = delete;

    private:
        bool &flag;
        bool prima;
    };

    store::Table *TblGiornate = nullptr;
    QComboBox *CboxGiornate = nullptr;
    std::unique_ptr<GrigliaGiornata> griglia;
    bool modificato = false;
    bool occupato = false; // a check or a change is under way: leaving a field checks nothing

private:
    // Leaving field k for the widget that now has the focus.
    void PExit(int k, Qt::FocusReason motivo);

    bool mostrato = false; // PrimaMostra has run
};
