#include "championship/risultato.h"

#include "championship/erroreregola.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"

namespace {

// Adds (segno 1) or subtracts (segno -1) one side's share of the result to its row.
void aggiorna(store::Table &classifica, const QString &squadra, const QString &propri, const QString &avversari,
              int segno)
{
    classifica.setFilter(store::Table::filterEquals(QStringLiteral("Squadre"), squadra));
    classifica.setFiltered(true);
    if (classifica.isEmpty())
        throw ErroreRegola(QStringLiteral("La squadra '%1' non è presente in classifica.").arg(squadra));
    classifica.first();
    classifica.edit();
    auto add = [&](const char *campo, int valore) {
        store::Field f = classifica.fieldByName(QLatin1String(campo));
        f.setAsInteger(f.asInteger() + segno * valore);
    };
    add("Punti", PuntiRisultato(propri, avversari));
    if (propri != SetSenzaRisultato)
        add("SetV", propri.toInt());
    if (avversari != SetSenzaRisultato)
        add("SetP", avversari.toInt());
    if (propri != SetSenzaRisultato)
        add("SetG", propri.toInt() + avversari.toInt());
    classifica.post();
}

void applica(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2, int segno)
{
    // A result with one side only cannot be counted: refused before any row changes.
    if ((set1 == SetSenzaRisultato) != (set2 == SetSenzaRisultato))
        throw ErroreRegola(QStringLiteral("Risultato incompleto: %1-%2.").arg(set1, set2));
    store::Table classifica(QStringLiteral("Class.db"));
    classifica.open();
    store::Transaction transazione;
    aggiorna(classifica, squadra1, set1, set2, segno);
    aggiorna(classifica, squadra2, set2, set1, segno);
    transazione.commit();
}

} // namespace

bool ValoreSet(const QString &testo, bool conAsterisco)
{
    if (testo.size() != 1)
        return false;
    const QChar c = testo.at(0);
    return (c >= QLatin1Char('0') && c <= QLatin1Char('3')) || (conAsterisco && c == QLatin1Char('*'));
}

bool CoppiaSet(const QString &primo, const QString &secondo)
{
    if (!ValoreSet(primo, false) || !ValoreSet(secondo, false))
        return false;
    const int a = primo.toInt();
    const int b = secondo.toInt();
    return (a == 3) != (b == 3);
}

int PuntiRisultato(const QString &propri, const QString &avversari)
{
    int punti = 0;
    if (propri == QLatin1String("2"))
        punti += 1;
    if (propri == QLatin1String("3") && avversari == QLatin1String("2"))
        punti += 2;
    if (propri == QLatin1String("3") && avversari == QLatin1String("1"))
        punti += 3;
    if (propri == QLatin1String("3") && avversari == QLatin1String("0"))
        punti += 3;
    return punti;
}

void ApplicaRisultato(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2)
{
    applica(squadra1, set1, set2, squadra2, 1);
}

void StornaRisultato(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2)
{
    applica(squadra1, set1, set2, squadra2, -1);
}
