#include "rotations/registro.h"

#include "core/messaggi.h"
#include "rotations/vocabolario.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"
#include "ui/dbgrid.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace rotazioni {

QStringList SuggerimentiNavigatore()
{
    return {QStringLiteral("Primo rigo"),         QStringLiteral("Rigo precedente"),    QStringLiteral("Rigo successivo"),
            QStringLiteral("Ultimo rigo"),        QStringLiteral("Inserimento rigo"),   QStringLiteral("Eliminazione rigo"),
            QStringLiteral("Modifica rigo"),      QStringLiteral("Conferma modifiche"), QStringLiteral("Annulla modifiche"),
            QStringLiteral("Aggiorna tabella")};
}



std::unique_ptr<store::Query> apriQuery(const QString &sql, const QList<QVariant> &valori)
{
    auto q = std::make_unique<store::Query>(sql);
    for (const QVariant &v : valori)
        q->addBindValue(v);
    q->open();
    return q;
}

int NuovoId(const QString &tabella, const QString &campo)
{
    auto q = apriQuery(QStringLiteral("select max(%1) from %2").arg(campo, tabella));
    if (q->isEmpty())
        return 1;
    return q->fieldByName(QStringLiteral("max of ") + campo).asInteger() + 1;
}

void RiempiSquadre(QComboBox &lista)
{
    auto q = apriQuery(QStringLiteral("select * from rt_squadre order by NOMESQUADRA"));
    for (q->first(); !q->eof(); q->next())
        lista.addItem(q->fieldByName(QStringLiteral("NOMESQUADRA")).asString(),
                      q->fieldByName(QStringLiteral("idsquadra")).asInteger());
}

int IdSquadraScelta(const QComboBox &lista)
{
    const QVariant id = lista.currentData();
    if (id.isValid())
        return id.toInt();
    auto q = apriQuery(QStringLiteral("select idsquadra from rt_squadre where nomesquadra = ?"), {lista.currentText()});
    return q->isEmpty() ? 0 : q->fieldByName(QStringLiteral("idsquadra")).asInteger();
}

void EliminaRighe(store::Table &tabella, const QString &campo, int id)
{
    tabella.setFilter(store::Table::filterEquals(campo, QString::number(id)));
    tabella.setFiltered(true);
    for (int n = tabella.recordCount(); n > 0; --n) {
        tabella.first();
        if (!tabella.remove())
            break;
    }
    tabella.setFiltered(false);
}

bool PuoUscire(store::Table &tabella)
{
    if (!tabella.isOpen() || !tabella.isEditing())
        return true;
    if (!ChiediConfermaDistruttiva(DomandaUscita))
        return false;
    tabella.cancel();
    return true;
}

void Protetto(const std::function<void()> &azione)
{
    try {
        azione();
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
}

void TraduciColonna(DBGrid &griglia, int colonna)
{
    const Lingua lingua = LinguaImpostata();
    if (lingua != Lingua::Italiano)
        griglia.setColumnTitle(colonna, Traduci(griglia.columnTitle(colonna), lingua));
}

QString DidascaliaPosto(const QString &metodo, int posto)
{
    const QString ruolo = RuoloDelPosto(metodo, posto);
    const QString coppia = posto <= 3 ? QStringLiteral("1") : QStringLiteral("2");
    if (ruolo == Palleggiatore)
        return QStringLiteral("Palleggiatore:");
    if (ruolo == Opposto)
        return QStringLiteral("Opposto:");
    if (ruolo == Schiacciatore)
        return QStringLiteral("Schiacciatore") + coppia + QLatin1Char(':');
    if (ruolo == Centrale)
        return QStringLiteral("Centrale") + coppia + QLatin1Char(':');
    return QString();
}

} // namespace rotazioni
