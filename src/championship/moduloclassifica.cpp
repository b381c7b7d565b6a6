#include "championship/moduloclassifica.h"

#include "championship/ordineclassifica.h"
#include "championship/stampe.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "store/query.h"
#include "ui/dbgrid.h"
#include "ui/namedwidgets.h"
#include "ui/traduzione.h"

#include <QEvent>
#include <QHeaderView>

ModuloClassifica::ModuloClassifica(QWidget *parent, const QString &nomeModulo, const QString &titolo,
                                   const QString &sql)
    : QDialog(parent)
{
    setObjectName(nomeModulo);
    setWindowTitle(titolo);
    Query1 = new store::Query(sql, this);
    Query1->setObjectName(QStringLiteral("Query1"));
}

ModuloClassifica::~ModuloClassifica() { Query1->close(); }

void ModuloClassifica::CreaGriglia()
{
    DBGrid1 = createNamed<DBGrid>(this, QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(Query1);
}

void ModuloClassifica::PreparaColonne(std::span<const Colonna> colonne)
{
    const Lingua lingua = LinguaImpostata();
    const QFontMetrics fm(DBGrid1->horizontalHeader()->font());
    for (const Colonna &c : colonne) {
        QString titolo = QString::fromUtf8(c.titolo);
        if (lingua != Lingua::Italiano)
            titolo = Traduci(titolo, lingua);
        const int adatta = fm.horizontalAdvance(titolo) + 2 * fm.averageCharWidth();
        DBGrid1->addColumn(QLatin1String(c.campo), titolo, qMax(c.larghezza, adatta));
    }
    DBGrid1->setColumnText(int(colonne.size()) - 1, ParolaRiposo);
}

void ModuloClassifica::FormActivate()
{
    try {
        Query1->close();
        Query1->open();
        OrdinaClassifica(*Query1);
        erroreAttivazione.clear();
    } catch (const store::EngineError &e) {
        // Closing the box activates the form again: the same fault is told once.
        if (e.message() != erroreAttivazione) {
            erroreAttivazione = e.message();
            MostraErrore(e.message());
        }
    }
}

bool ModuloClassifica::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}
