#include "championship/modulorisultati.h"

#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/table.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

ModuloRisultati::ModuloRisultati(QWidget *parent, const QString &nomeModulo, const QString &titolo) : QDialog(parent)
{
    setObjectName(nomeModulo);
    setWindowTitle(titolo);
    TblGiornate = new store::Table(QStringLiteral("Giornate.db"), this);
    TblGiornate->setObjectName(QStringLiteral("TblGiornate"));
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
