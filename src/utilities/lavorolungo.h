// The guard of a long run in a utility form: the hourglass, the red working label, the done label
// hidden, the form's buttons disabled and its closing refused while the run goes; the window
// repainted between files. Everything comes back as it was when the guard ends.
#pragma once

#include "core/attesa.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;

class LavoroLungo {
public:
    // inCorso is the form's own flag, true while the run goes (its closing checks it).
    LavoroLungo(bool &inCorso, QLabel *labelWork, QLabel *labelDone, const QList<QWidget *> &comandi);
    ~LavoroLungo();
    LavoroLungo(const LavoroLungo &) = delete;
    LavoroLungo &operator=(const LavoroLungo &) = delete;

    // Lets the window repaint (user input stays queued until the run ends).
    void passo();

private:
    bool &inCorso;
    QPointer<QLabel> labelWork;
    QList<QPair<QPointer<QWidget>, bool>> comandi;
    CursoreAttesa cursore;
};

// A utility form that runs long work: "Esci", Esc and the close box do nothing while it runs
// (lavoro, the flag the guard above sets).
class FormUtilita : public QDialog {
public:
    using QDialog::QDialog;

    void sbEsciClick();
    bool inCorso() const { return lavoro; }
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

    bool lavoro = false;
};
