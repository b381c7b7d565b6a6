#include "championship/salvarisultati.h"

#include "championship/erroreregola.h"
#include "championship/risultato.h"
#include "store/campigiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"

void SalvaRisultati(store::Table &giornate, const RisultatiGiornata &r)
{
    store::Table classifica(QStringLiteral("Class.db"));
    classifica.open();
    store::Transaction transazione;
    if (!r.riposo.isEmpty()) {
        classifica.setFilter(store::Table::filterEquals(QStringLiteral("Squadre"), r.riposo));
        classifica.setFiltered(true);
        if (classifica.isEmpty())
            throw ErroreRegola(QStringLiteral("La squadra '%1' non è presente in classifica.").arg(r.riposo));
        classifica.first();
        classifica.edit();
        classifica.fieldByName(QStringLiteral("Riposo")).setAsBoolean(true);
        classifica.post();
    }

    giornate.edit();
    for (int k = 1; k <= RisultatiGiornata::Campi; ++k)
        if (r.aperto[size_t(k - 1)])
            giornate.fieldByName(CampoSet(k)).setAsString(r.set[size_t(k - 1)]);
    giornate.fieldByName(QStringLiteral("Giocata")).setAsBoolean(true);
    if (!giornate.post())
        throw store::EngineError(QStringLiteral("La giornata non è stata memorizzata."), store::HcWrite);

    store::Database::faultPoint(QStringLiteral("risultati: tra le tabelle"));

    for (int coppia = 1; coppia <= RisultatiGiornata::Campi / 2; ++coppia) {
        const size_t primo = size_t(2 * coppia - 2);
        const size_t secondo = primo + 1;
        if (!r.aperto[secondo])
            continue;
        if (r.set[primo] == SetSenzaRisultato && r.set[secondo] == SetSenzaRisultato)
            continue;
        ApplicaRisultato(r.squadre[primo], r.set[primo], r.set[secondo], r.squadre[secondo]);
    }
    transazione.commit();
}

namespace {
// A stored result that counts in the standings: both sides set (a "*"-"*" or blank pair counts nothing).
bool Conteggiato(const QString &a, const QString &b)
{
    const auto vuoto = [](const QString &s) { return s.isEmpty() || s == SetSenzaRisultato; };
    return !(vuoto(a) && vuoto(b));
}
} // namespace

void CorreggiRisultati(int numero, const QList<Correzione> &correzioni)
{
    QList<int> viste;
    for (const Correzione &c : correzioni) {
        if (c.partita < 1 || c.partita > RisultatiGiornata::Campi / 2 || viste.contains(c.partita))
            throw ErroreRegola(QStringLiteral("La partita %1 non è una partita della giornata.").arg(c.partita));
        viste << c.partita;
        if (!CoppiaSet(c.set1, c.set2))
            throw ErroreRegola(QStringLiteral("E' stato immesso un valore di set errato."));
    }

    store::Table giornate(QStringLiteral("giornate.db"));
    store::Table classifica(QStringLiteral("Class.db"));
    giornate.open();
    classifica.open();
    if (!giornate.locate(QStringLiteral("Giornata"), numero))
        throw ErroreRegola(QStringLiteral("La giornata %1 non è presente nel calendario.").arg(numero));
    // An unplayed matchday has nothing in the standings yet: its results would count twice later.
    if (!giornate.fieldByName(QStringLiteral("Giocata")).asBoolean())
        throw ErroreRegola(QStringLiteral("La giornata %1 non è ancora stata giocata.").arg(numero));

    struct Partita {
        QString casa, ospite, vecchio1, vecchio2;
    };
    QList<Partita> partite;
    for (const Correzione &c : correzioni) {
        const int primo = 2 * c.partita - 1;
        Partita p{giornate.fieldByName(CampoSquadra(primo)).asString(),
                  giornate.fieldByName(CampoSquadra(primo + 1)).asString(),
                  giornate.fieldByName(CampoSet(primo)).asString(), giornate.fieldByName(CampoSet(primo + 1)).asString()};
        if (p.casa.isEmpty() || p.ospite.isEmpty())
            throw ErroreRegola(QStringLiteral("La partita %1 non è una partita della giornata.").arg(c.partita));
        partite << p;
    }

    store::Transaction transazione;
    for (const Partita &p : std::as_const(partite))
        if (Conteggiato(p.vecchio1, p.vecchio2))
            StornaRisultato(p.casa, p.vecchio1, p.vecchio2, p.ospite);

    store::Database::faultPoint(QStringLiteral("correzione: dopo lo storno"));

    giornate.edit();
    for (const Correzione &c : correzioni) {
        giornate.fieldByName(CampoSet(2 * c.partita - 1)).setAsString(c.set1);
        giornate.fieldByName(CampoSet(2 * c.partita)).setAsString(c.set2);
    }
    if (!giornate.post())
        throw store::EngineError(QStringLiteral("La giornata non è stata memorizzata."), store::HcWrite);

    store::Database::faultPoint(QStringLiteral("correzione: tra le tabelle"));

    for (int i = 0; i < correzioni.size(); ++i)
        ApplicaRisultato(partite[i].casa, correzioni[i].set1, correzioni[i].set2, partite[i].ospite);
    transazione.commit();
}
