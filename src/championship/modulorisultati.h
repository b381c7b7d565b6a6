// What the results entry and the results correction share: the calendar's table, the changes not
// yet saved, and a way out (Esci, Escape, the window's close box) that drops them only after the
// same question, with No as the default.
#pragma once

#include <QDialog>

namespace store {
class Table;
}

class ModuloRisultati : public QDialog {
    Q_OBJECT
public:
    void SBesciClick();
    bool Modificato() const { return modificato; }

protected:
    ModuloRisultati(QWidget *parent, const QString &nomeModulo, const QString &titolo);
    // The form's own work at its first showing (an engine error becomes an error box).
    virtual void PrimaMostra() = 0;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // True when nothing is changed, or the user agrees to drop the changes.
    bool PuoChiudere();

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
    bool modificato = false;
    bool occupato = false; // a check or a change is under way: leaving a field checks nothing

private:
    bool mostrato = false; // PrimaMostra has run
};
