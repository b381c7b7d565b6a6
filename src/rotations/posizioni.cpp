#include "rotations/posizioni.h"

#include <QStringList>
#include <algorithm>

namespace rotazioni {

namespace {

// One relation of the rule: 'prima' must stand before 'seconda', along the depth (nearer the net)
// or across (further left). Listed in the order the faults are reported.
struct Relazione {
    int prima;
    int seconda;
    bool inProfondita;
};
constexpr std::array<Relazione, 7> Relazioni{{
    {4, 5, true},
    {3, 6, true},
    {2, 1, true},
    {4, 3, false},
    {3, 2, false},
    {5, 6, false},
    {6, 1, false},
}};

// How far "before" p stands from q along the relation's axis: positive when p is nearer the net
// (depth) or further left (across).
qreal anticipo(const Relazione &rel, const PuntoCampo &p, const PuntoCampo &q)
{
    return rel.inProfondita ? p.profondita - q.profondita : q.laterale - p.laterale;
}

bool giudicata(const Relazione &rel, bool battente, RegolaPosizioni regola)
{
    if (!battente)
        return true;
    if (regola == RegolaPosizioni::Fivb2025)
        return false;
    return rel.prima != 1 && rel.seconda != 1;
}

bool inFallo(qreal anticipo, RegolaPosizioni regola)
{
    return regola == RegolaPosizioni::Classico ? anticipo <= 0 : anticipo < 0;
}

// The distance kept from a teammate where being level is a fault.
constexpr qreal Scarto = 0.05;

} // namespace

RegolaPosizioni RegolaDaTesto(const QString &testo)
{
    return testo == TestoClassico ? RegolaPosizioni::Classico : RegolaPosizioni::Fivb2025;
}

QString CoppiaPosizioni::nome() const
{
    return QStringLiteral("%1-%2").arg(std::min(prima, seconda)).arg(std::max(prima, seconda));
}

QList<CoppiaPosizioni> FalliDiPosizione(const PostiRotazionali &posti, bool battente, RegolaPosizioni regola)
{
    QList<CoppiaPosizioni> falli;
    for (const Relazione &rel : Relazioni) {
        const auto &p = posti[rel.prima - 1];
        const auto &q = posti[rel.seconda - 1];
        if (!p || !q || !giudicata(rel, battente, regola))
            continue;
        if (inFallo(anticipo(rel, *p, *q), regola))
            falli.append({rel.prima, rel.seconda});
    }
    return falli;
}

PuntoCampo LimitaARegolare(const PostiRotazionali &posti, int r, const PuntoCampo &voluto, bool battente,
                           RegolaPosizioni regola)
{
    const qreal scarto = regola == RegolaPosizioni::Classico ? Scarto : 0;
    // The legal interval of each axis: [0, 9] narrowed by each of r's relations.
    qreal bassoP = 0, altoP = LatoCampoMetri, bassoL = 0, altoL = LatoCampoMetri;
    for (const Relazione &rel : Relazioni) {
        if ((rel.prima != r && rel.seconda != r) || !giudicata(rel, battente, regola))
            continue;
        const int altro = rel.prima == r ? rel.seconda : rel.prima;
        const auto &q = posti[altro - 1];
        if (!q)
            continue;
        if (rel.inProfondita) {
            if (rel.prima == r) // r nearer the net than the other
                bassoP = std::max(bassoP, q->profondita + scarto);
            else
                altoP = std::min(altoP, q->profondita - scarto);
        } else {
            if (rel.prima == r) // r further left than the other
                altoL = std::min(altoL, q->laterale - scarto);
            else
                bassoL = std::max(bassoL, q->laterale + scarto);
        }
    }
    const PuntoCampo ora = posti[r - 1].value_or(voluto);
    auto limita = [](qreal v, qreal basso, qreal alto, qreal adesso) {
        if (basso > alto)
            return std::clamp(adesso, 0.0, LatoCampoMetri);
        return std::clamp(v, basso, alto);
    };
    return {limita(voluto.profondita, bassoP, altoP, ora.profondita), limita(voluto.laterale, bassoL, altoL, ora.laterale)};
}

QString TestoPosizioni(const std::array<QList<CoppiaPosizioni>, 2> &falli, const QString &regolari,
                       const QString &fallo)
{
    QStringList righe;
    for (int s = 0; s < 2; ++s) {
        if (falli[s].isEmpty())
            continue;
        QStringList nomi;
        for (const CoppiaPosizioni &c : falli[s])
            nomi << c.nome();
        righe << QStringLiteral("%1 %2: %3")
                     .arg(fallo, s == 0 ? QStringLiteral("A") : QStringLiteral("B"), nomi.join(QStringLiteral(", ")));
    }
    return righe.isEmpty() ? regolari : righe.join(QLatin1Char('\n'));
}

} // namespace rotazioni
