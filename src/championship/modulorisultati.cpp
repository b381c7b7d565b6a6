#include "championship/modulorisultati.h"

#include "championship/combolista.h"
#include "championship/grigliagiornata.h"
#include "championship/risultato.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "ui/namedwidgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QShowEvent>

namespace {
const QString MsgSetErrato = QStringLiteral("E' stato immesso un valore di set errato.");
} // namespace

ModuloRisultati::ModuloRisultati(QWidget *parent, const QString &nomeModulo, const QString &titolo) : QDialog(parent)
{
    setObjectName(nomeModulo);
    setWindowTitle(titolo);
    TblGiornate = new store::Table(QStringLiteral("Giornate.db"), this);
    TblGiornate->setObjectName(QStringLiteral("TblGiornate"));
}

ModuloRisultati::~ModuloRisultati()
{
    occupato = true; // no check may run while the fields go away
    // The dialog's own destructor hides it, and the focus leaving a field then would call the
    // form's handlers after the form's own part of it is gone.
    for (QObject *figlio : findChildren<QObject *>())
        QObject::disconnect(figlio, nullptr, this, nullptr);
    if (TblGiornate->isEditing())
        TblGiornate->cancel();
}

QComboBox *ModuloRisultati::CreaComboGiornate()
{
    CboxGiornate = CreaComboScelta(this, QStringLiteral("CboxGiornate"), 4, [this] { CboxGiornateChange(); });
    return CboxGiornate;
}

void ModuloRisultati::CreaGriglia(const QString &suggerimento)
{
    griglia = std::make_unique<GrigliaGiornata>(this, TblGiornate, GrigliaGiornata::Accanto::SetDigitati);
    for (int k = 1; k <= NumeroCampi; ++k) {
        QLineEdit *p = griglia->P(k);
        p->setToolTip(suggerimento);
        p->installEventFilter(this);
        connect(p, &QLineEdit::textChanged, this, [this, k] { SetVariato(k); });
    }
}

QLineEdit *ModuloRisultati::P(int k) const { return griglia->P(k); }

void ModuloRisultati::ImpostaSet(int k, const QString &testo)
{
    if (P(k)->text() != testo)
        P(k)->setText(testo);
}

bool ModuloRisultati::PuoChiudere()
{
    return !modificato ||
           ChiediConfermaDistruttiva(QStringLiteral("I risultati della giornata sono stati variati, annullo le modifiche?"));
}

void ModuloRisultati::SBesciClick()
{
    // Leaving asks the one question and checks no field, not even while the window goes away.
    if (occupato)
        return;
    Occupato guardia(occupato);
    if (!PuoChiudere())
        return;
    modificato = false;
    reject();
    TblGiornate->close();
}

void ModuloRisultati::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (mostrato)
        return;
    mostrato = true;
    try {
        PrimaMostra();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
}

void ModuloRisultati::closeEvent(QCloseEvent *event)
{
    // The window's close button loses the entries only after the same question as "Esci".
    Occupato guardia(occupato);
    if (isVisible() && !PuoChiudere()) {
        event->ignore();
        return;
    }
    modificato = false;
    QDialog::closeEvent(event);
}

void ModuloRisultati::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        SBesciClick();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool ModuloRisultati::eventFilter(QObject *watched, QEvent *event)
{
    for (int k = 1; griglia && k <= NumeroCampi; ++k) {
        if (watched != P(k))
            continue;
        if (event->type() == QEvent::KeyPress) {
            const QString testo = static_cast<QKeyEvent *>(event)->text();
            if (!testo.isEmpty() && testo.at(0).isPrint())
                P(k)->clear(); // the typed character takes the place of what the field holds
        } else if (event->type() == QEvent::FocusIn) {
            SetEntrato();
        } else if (event->type() == QEvent::FocusOut) {
            if (leavingChecksField(P(k), static_cast<QFocusEvent *>(event)->reason()))
                PExit(k, static_cast<QFocusEvent *>(event)->reason());
        }
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void ModuloRisultati::PExit(int k, Qt::FocusReason motivo)
{
    if (occupato || !SetAperto(k))
        return;
    Occupato guardia(occupato);
    const QPointer<QWidget> verso = QApplication::focusWidget();
    if (!ControllaValore(k) || (k % 2 == 0 && !ControllaCoppia(k / 2)))
        dropPressThatMovedFocus(verso, motivo); // one wrong value, one box: the click goes no further
}

bool ModuloRisultati::ControllaValore(int k)
{
    if (ValoreSet(P(k)->text(), AccettaNessuno()))
        return true;
    RifiutaSet(k);
    return false;
}

void ModuloRisultati::RifiutaSet(int k)
{
    MostraErrore(MsgSetErrato);
    SetRifiutato();
    P(k)->setFocus(Qt::OtherFocusReason);
}

bool ModuloRisultati::ControllaCoppia(int coppia)
{
    if (CoppiaSet(P(2 * coppia - 1)->text(), P(2 * coppia)->text()))
        return true;
    P(2 * coppia)->setFocus(Qt::OtherFocusReason);
    MostraErrore(MsgSetErrato);
    SetRifiutato();
    return false;
}

void ModuloRisultati::Archiviati()
{
    modificato = false;
    MostraMessaggio(QStringLiteral("I punteggi immessi sono stati archiviati e la classifica è stata aggiornata in "
                                   "modo automatico!"));
    accept();
}
