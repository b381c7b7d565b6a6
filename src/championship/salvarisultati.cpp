#include "championship/salvarisultati.h"

#include "championship/risultato.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"

namespace {
const QString Nessuno = QStringLiteral("*");
QString campo(const char *prefisso, int k) { return QLatin1String(prefisso) + QString::number(k); }
} // namespace

void SalvaRisultati(store::Table &giornate, const RisultatiGiornata &r)
{
    // Both tables are open before the transaction begins: a table file cannot join one later.
    store::Table classifica(QStringLiteral("Class.db"));
    classifica.open();
    store::Transaction transazione;
    if (!r.riposo.isEmpty()) {
        classifica.setFilter(store::Table::filterEquals(QStringLiteral("Squadre"), r.riposo));
        classifica.setFiltered(true);
        if (classifica.isEmpty())
            throw store::EngineError(QStringLiteral("La squadra '%1' non è presente in classifica.").arg(r.riposo),
                                     store::HcTableNotFound);
        classifica.first();
        classifica.edit();
        classifica.fieldByName(QStringLiteral("Riposo")).setAsBoolean(true);
        classifica.post();
    }

    giornate.edit();
    for (int k = 1; k <= RisultatiGiornata::Campi; ++k)
        if (r.aperto[size_t(k - 1)])
            giornate.fieldByName(campo("Set", k)).setAsString(r.set[size_t(k - 1)]);
    giornate.fieldByName(QStringLiteral("Giocata")).setAsBoolean(true);
    if (!giornate.post())
        throw store::EngineError(QStringLiteral("La giornata non è stata memorizzata."), store::HcWrite);

    store::Database::faultPoint(QStringLiteral("risultati: tra le tabelle"));

    for (int coppia = 1; coppia <= RisultatiGiornata::Campi / 2; ++coppia) {
        const size_t primo = size_t(2 * coppia - 2);
        const size_t secondo = primo + 1;
        if (!r.aperto[secondo])
            continue;
        if (r.set[primo] == Nessuno && r.set[secondo] == Nessuno)
            continue;
        ApplicaRisultato(r.squadre[primo], r.set[primo], r.set[secondo], r.squadre[secondo]);
    }
    transazione.commit();
}
