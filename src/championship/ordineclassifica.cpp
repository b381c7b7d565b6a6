#include "championship/ordineclassifica.h"

#include "championship/risultato.h"
#include "store/campigiornata.h"
#include "store/query.h"

#include <QCollator>
#include <QSignalBlocker>
#include <algorithm>

namespace {

// Below zero when a's set quotient is lower than b's, zero when level, above zero when higher.
// Sets lost are never divided by: the fractions are compared crosswise.
int ConfrontaQuozienti(const SquadraInClassifica &a, const SquadraInClassifica &b)
{
    const bool nessunoA = a.setPersi == 0;
    const bool nessunoB = b.setPersi == 0;
    if (nessunoA || nessunoB)
        return int(nessunoA) - int(nessunoB); // no set lost: above every quotient
    // A negative count (a table mended by hand) keeps its sign in the numerator.
    const qint64 vA = a.setPersi < 0 ? -qint64(a.setVinti) : a.setVinti;
    const qint64 pA = a.setPersi < 0 ? -qint64(a.setPersi) : a.setPersi;
    const qint64 vB = b.setPersi < 0 ? -qint64(b.setVinti) : b.setVinti;
    const qint64 pB = b.setPersi < 0 ? -qint64(b.setPersi) : b.setPersi;
    const qint64 sinistra = vA * pB;
    const qint64 destra = vB * pA;
    return sinistra < destra ? -1 : (sinistra > destra ? 1 : 0);
}

} // namespace

QList<int> OrdineClassifica(const QList<SquadraInClassifica> &squadre, const QLocale &locale)
{
    // Without a language of the user's (the C locale) the names follow the root collation, which
    // still folds case and accents.
    QCollator nomi(locale.language() == QLocale::C ? QLocale(QLocale::English) : locale);
    nomi.setCaseSensitivity(Qt::CaseInsensitive);

    QList<int> ordine(squadre.size());
    for (int i = 0; i < ordine.size(); ++i)
        ordine[i] = i;
    std::stable_sort(ordine.begin(), ordine.end(), [&](int i, int j) {
        const SquadraInClassifica &a = squadre[i];
        const SquadraInClassifica &b = squadre[j];
        if (a.punti != b.punti)
            return a.punti > b.punti;
        if (a.vittorie != b.vittorie)
            return a.vittorie > b.vittorie;
        if (const int q = ConfrontaQuozienti(a, b))
            return q > 0;
        if (a.setVinti != b.setVinti)
            return a.setVinti > b.setVinti;
        if (const int n = nomi.compare(a.squadra, b.squadra))
            return n < 0;
        return a.squadra < b.squadra;
    });
    return ordine;
}

QHash<QString, int> VittoriePartite()
{
    store::Query giornate(QStringLiteral("select * from giornate.db where giocata = true"));
    giornate.open();
    int squadra[SlotGiornata];
    int set[SlotGiornata];
    for (int k = 0; k < SlotGiornata; ++k) {
        squadra[k] = giornate.fieldByName(CampoSquadra(k + 1)).index();
        set[k] = giornate.fieldByName(CampoSet(k + 1)).index();
    }
    QHash<QString, int> vittorie;
    for (giornate.first(); !giornate.eof(); giornate.next()) {
        for (int casa = 0; casa < SlotGiornata; casa += 2) {
            const int ospite = casa + 1;
            const QString nomeCasa = giornate.field(squadra[casa]).asString();
            const QString nomeOspite = giornate.field(squadra[ospite]).asString();
            if (nomeCasa.isEmpty() || nomeOspite.isEmpty())
                continue; // a rest turn, or a slot the matchday does not use
            const QString setCasa = giornate.field(set[casa]).asString();
            const QString setOspite = giornate.field(set[ospite]).asString();
            if (!CoppiaSet(setCasa, setOspite))
                continue; // no result
            ++vittorie[setCasa == QLatin1String("3") ? nomeCasa : nomeOspite];
        }
    }
    return vittorie;
}

void OrdinaClassifica(store::Query &classifica)
{
    const QHash<QString, int> vittorie = VittoriePartite();
    QList<SquadraInClassifica> squadre;
    {
        // Read quietly: a grid on the query hears of the order once, when it is made.
        const QSignalBlocker quieta(&classifica);
        const int squadraCampo = classifica.fieldByName(QStringLiteral("Squadre")).index();
        const int puntiCampo = classifica.fieldByName(QStringLiteral("Punti")).index();
        const int vintiCampo = classifica.fieldByName(QStringLiteral("SetV")).index();
        const int persiCampo = classifica.fieldByName(QStringLiteral("SetP")).index();
        for (classifica.first(); !classifica.eof(); classifica.next()) {
            SquadraInClassifica s;
            s.squadra = classifica.field(squadraCampo).asString();
            s.punti = classifica.field(puntiCampo).asInteger();
            s.setVinti = classifica.field(vintiCampo).asInteger();
            s.setPersi = classifica.field(persiCampo).asInteger();
            s.vittorie = vittorie.value(s.squadra);
            squadre << s;
        }
    }
    classifica.reorder(OrdineClassifica(squadre));
}
