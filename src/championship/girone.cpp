#include "championship/girone.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace girone {

namespace {

constexpr int MaxPosti = 30; // places fit one mask word, with room for the anchor's bound
using Maschera = std::uint32_t;
using Adiacenze = std::array<Maschera, MaxPosti>;

Maschera bit(int v) { return Maschera(1) << v; }

// True when every connected component of the graph restricted to `insieme` has an even number of
// places: without it no matching pairs them all.
bool ComponentiPari(const Adiacenze &libero, Maschera insieme)
{
    Maschera daVedere = insieme;
    while (daVedere) {
        Maschera componente = daVedere & -daVedere;
        Maschera fronte = componente;
        while (fronte) {
            const int w = std::countr_zero(fronte);
            fronte &= fronte - 1;
            const Maschera nuovi = libero[w] & insieme & ~componente;
            componente |= nuovi;
            fronte |= nuovi;
        }
        if (std::popcount(componente) % 2 != 0)
            return false;
        daVedere &= ~componente;
    }
    return true;
}

// The smallest cut between `s` and `t` (every pair one unit each way): its value,
// and in `lato` the places on the side of `s`.
int TaglioMinimo(const Adiacenze &libero, int s, int t, Maschera &lato)
{
    // Residual capacities: cap[a] holds b when a unit can still go from a to b; doppio[a] holds b
    // when a second unit can (a flow sent back along a pair frees it twice).
    Adiacenze cap = libero;
    Adiacenze doppio{};
    int flusso = 0;
    for (;;) {
        std::array<int, MaxPosti> da{};
        Maschera visti = bit(s);
        std::array<int, MaxPosti> coda{};
        int testa = 0, fine = 0;
        coda[std::size_t(fine++)] = s;
        while (testa < fine && !(visti & bit(t))) {
            const int a = coda[std::size_t(testa++)];
            for (Maschera m = (cap[std::size_t(a)] | doppio[std::size_t(a)]) & ~visti; m; m &= m - 1) {
                const int b = std::countr_zero(m);
                visti |= bit(b);
                da[std::size_t(b)] = a;
                coda[std::size_t(fine++)] = b;
            }
        }
        if (!(visti & bit(t))) {
            lato = visti;
            return flusso;
        }
        for (int b = t; b != s; b = da[std::size_t(b)]) {
            const int a = da[std::size_t(b)];
            if (doppio[std::size_t(a)] & bit(b))
                doppio[std::size_t(a)] &= ~bit(b);
            else
                cap[std::size_t(a)] &= ~bit(b);
            // The way back: a unit sent from a to b can be undone, freeing the pair's own unit too.
            if (cap[std::size_t(b)] & bit(a))
                doppio[std::size_t(b)] |= bit(a);
            else
                cap[std::size_t(b)] |= bit(a);
        }
        ++flusso;
    }
}

// Every matchday pairs each place with another, so it crosses any cut that leaves an odd number of
// places on each side at least once: each such cut needs as many pairs as matchdays are left. The
// smallest odd cut is one of the cuts of the Gomory-Hu tree (built here by Gusfield's method).
bool TagliDispariBastano(const Adiacenze &libero, int n, int turni)
{
    if (turni <= 1)
        return true; // one matchday: the components' parity already says it
    std::array<int, MaxPosti> padre{};
    std::array<int, MaxPosti> peso{};
    for (int s = 1; s < n; ++s) {
        const int t = padre[std::size_t(s)];
        Maschera lato = 0;
        const int valore = TaglioMinimo(libero, s, t, lato);
        if (valore < turni && std::popcount(lato) % 2 != 0)
            return false;
        peso[std::size_t(s)] = valore;
        for (int i = 0; i < n; ++i)
            if (i != s && (lato & bit(i)) && padre[std::size_t(i)] == t)
                padre[std::size_t(i)] = s;
        if (lato & bit(padre[std::size_t(t)])) {
            padre[std::size_t(s)] = padre[std::size_t(t)];
            padre[std::size_t(t)] = s;
            peso[std::size_t(s)] = peso[std::size_t(t)];
            peso[std::size_t(t)] = valore;
        }
    }
    // The tree's cuts: the places below each edge, counted from the leaves up.
    std::array<int, MaxPosti> sotto{};
    std::array<int, MaxPosti> profondita{};
    for (int v = 1; v < n; ++v)
        for (int u = v; u != 0 && profondita[std::size_t(v)] < n; u = padre[std::size_t(u)])
            ++profondita[std::size_t(v)];
    std::array<int, MaxPosti> ordine{};
    for (int v = 0; v < n; ++v)
        ordine[std::size_t(v)] = v;
    std::sort(ordine.begin(), ordine.begin() + n,
              [&](int a, int b) { return profondita[std::size_t(a)] > profondita[std::size_t(b)]; });
    for (int i = 0; i < n; ++i) {
        const int v = ordine[std::size_t(i)];
        sotto[std::size_t(v)] += 1;
        if (v == 0)
            continue;
        if (sotto[std::size_t(v)] % 2 != 0 && peso[std::size_t(v)] < turni)
            return false;
        sotto[std::size_t(padre[std::size_t(v)])] += sotto[std::size_t(v)];
    }
    return true;
}

// Backtracking over the matchdays still to fill, one pair at a time. Matchdays are interchangeable,
// so they are searched in one order only: the partner of the anchor (place 0) grows from one
// matchday to the next. Within a matchday the place with the fewest partners left goes first, and
// every step keeps each component of the places still unpaired even; between matchdays every odd cut
// must keep a pair for each matchday left.
class Ricerca {
public:
    Ricerca(int posti, const Adiacenze &ammesse, int turni, long limite, const std::vector<Giornata> *berger)
        : n(posti), libero(ammesse), turni(turni), limite(limite), berger(berger),
          partner(std::size_t(turni), std::vector<int>(std::size_t(posti), -1)),
          preferito(std::size_t(turni), std::vector<int>(std::size_t(posti), -1))
    {
    }

    Esito::Stato cerca()
    {
        if (turni <= 0)
            return Esito::Trovato;
        if (!ComponentiPari(libero, tutti()) || !TagliDispariBastano(libero, n, turni))
            return Esito::Impossibile;
        if (passo(0, tutti()))
            return Esito::Trovato;
        return interrotto ? Esito::Interrotto : Esito::Impossibile;
    }

    int n;
    Adiacenze libero;
    int turni;
    long limite;
    long passi = 0;
    bool interrotto = false;
    const std::vector<Giornata> *berger;
    std::vector<std::vector<int>> partner; // [matchday][place]: the partner found, from 0

private:
    Maschera tutti() const { return bit(n) - 1; }

    // The Berger matchday that holds the pair (a, b), whose pairs are then tried first.
    void preferisciBerger(int r, int a, int b)
    {
        if (!berger)
            return;
        for (const Giornata &g : *berger)
            for (const Partita &p : g)
                if ((p.casa - 1 == a && p.ospite - 1 == b) || (p.casa - 1 == b && p.ospite - 1 == a)) {
                    for (const Partita &q : g) {
                        preferito[std::size_t(r)][std::size_t(q.casa - 1)] = q.ospite - 1;
                        preferito[std::size_t(r)][std::size_t(q.ospite - 1)] = q.casa - 1;
                    }
                    return;
                }
    }

    bool passo(int r, Maschera liberi)
    {
        if (++passi > limite) {
            interrotto = true;
            return false;
        }
        if (liberi == 0) {
            if (r + 1 == turni)
                return true;
            if (!ComponentiPari(libero, tutti()) || !TagliDispariBastano(libero, n, turni - r - 1))
                return false;
            return passo(r + 1, tutti());
        }
        int v = 0;
        Maschera candidati = 0;
        if (liberi & bit(0)) {
            // The anchor: a partner beyond the one it met on the previous matchday of the search.
            candidati = libero[0] & liberi;
            if (r > 0)
                candidati &= ~(bit(partner[std::size_t(r - 1)][0] + 1) - 1);
        } else {
            int meno = MaxPosti + 1;
            for (Maschera m = liberi; m; m &= m - 1) {
                const int w = std::countr_zero(m);
                const int quanti = std::popcount(libero[w] & liberi);
                if (quanti < meno) {
                    meno = quanti;
                    v = w;
                }
            }
            candidati = libero[v] & liberi;
        }
        std::array<int, MaxPosti> ordine{};
        int quanti = 0;
        const int pref = preferito[std::size_t(r)][std::size_t(v)];
        if (pref >= 0 && (candidati & bit(pref)))
            ordine[std::size_t(quanti++)] = pref;
        for (Maschera m = candidati; m; m &= m - 1)
            if (std::countr_zero(m) != pref)
                ordine[std::size_t(quanti++)] = std::countr_zero(m);
        for (int i = 0; i < quanti; ++i) {
            const int u = ordine[std::size_t(i)];
            libero[std::size_t(v)] &= ~bit(u);
            libero[std::size_t(u)] &= ~bit(v);
            partner[std::size_t(r)][std::size_t(v)] = u;
            partner[std::size_t(r)][std::size_t(u)] = v;
            std::vector<int> preferitiPrima;
            if (v == 0) {
                preferitiPrima = preferito[std::size_t(r)];
                preferisciBerger(r, v, u);
            }
            const Maschera resto = liberi & ~bit(v) & ~bit(u);
            if (ComponentiPari(libero, resto) && passo(r, resto))
                return true;
            if (v == 0)
                preferito[std::size_t(r)] = preferitiPrima;
            libero[std::size_t(v)] |= bit(u);
            libero[std::size_t(u)] |= bit(v);
            partner[std::size_t(r)][std::size_t(v)] = -1;
            partner[std::size_t(r)][std::size_t(u)] = -1;
            if (interrotto)
                return false;
        }
        return false;
    }

    std::vector<std::vector<int>> preferito; // [matchday][place]: the partner tried first
};

Esito Cerca(int posti, const Adiacenze &ammesse, int totale, long limite, const std::vector<Giornata> *berger)
{
    Esito esito;
    if (posti < 2 || posti > MaxPosti || posti % 2 != 0 || totale < 0)
        return esito;
    for (int v = 0; v < posti; ++v)
        if (std::popcount(ammesse[std::size_t(v)]) < totale)
            return esito; // a place without enough partners left
    Ricerca ricerca(posti, ammesse, totale, limite, berger);
    esito.stato = ricerca.cerca();
    if (esito.stato != Esito::Trovato)
        return esito;
    for (const std::vector<int> &turno : ricerca.partner) {
        Giornata g;
        for (int v = 0; v < posti; ++v)
            if (turno[std::size_t(v)] > v)
                g.push_back({v + 1, turno[std::size_t(v)] + 1});
        esito.giornate.push_back(g);
    }
    return esito;
}

bool StessaGiornata(const Giornata &a, const Giornata &b)
{
    if (a.size() != b.size())
        return false;
    return std::all_of(a.begin(), a.end(), [&](const Partita &p) {
        return std::any_of(b.begin(), b.end(), [&](const Partita &q) {
            return (p.casa == q.casa && p.ospite == q.ospite) || (p.casa == q.ospite && p.ospite == q.casa);
        });
    });
}

} // namespace

int Posti(int squadre) { return squadre % 2 == 0 ? squadre : squadre + 1; }

int GiornateGirone(int squadre) { return Posti(squadre) - 1; }

std::vector<Giornata> Berger(int squadre)
{
    const int n = Posti(squadre);
    std::vector<Giornata> giornate;
    if (n < 2)
        return giornate;
    const int giri = n - 1;
    for (int r = 1; r <= giri; ++r) {
        // The place that meets the fixed one; the others pair around it, t+k against t-k.
        const int t = ((r - 1) * (n / 2)) % giri;
        Giornata g;
        g.push_back(r % 2 == 1 ? Partita{t + 1, n} : Partita{n, t + 1});
        for (int k = 1; k < n / 2; ++k)
            g.push_back({(t + k) % giri + 1, ((t - k) % giri + giri) % giri + 1});
        giornate.push_back(g);
    }
    return giornate;
}

Esito Accoppia(int posti, const std::vector<std::vector<bool>> &ammesse, int totale, long limite)
{
    if (posti < 2 || posti > MaxPosti)
        return {};
    Adiacenze libero{};
    for (int a = 0; a < posti; ++a)
        for (int b = 0; b < posti; ++b)
            if (a != b && std::size_t(a) < ammesse.size() && std::size_t(b) < ammesse[std::size_t(a)].size() &&
                ammesse[std::size_t(a)][std::size_t(b)] && ammesse[std::size_t(b)][std::size_t(a)])
                libero[std::size_t(a)] |= bit(b);
    return Cerca(posti, libero, totale, limite, nullptr);
}

Esito Completa(int squadre, const std::vector<Giornata> &giocate, int totale, long limite)
{
    const int n = Posti(squadre);
    const int mancano = totale - int(giocate.size());
    if (n < 2 || n > MaxPosti || totale > GiornateGirone(squadre))
        return {};
    if (mancano <= 0)
        return {Esito::Trovato, {}};

    // The pairs not met yet, and each team's home games so far.
    Adiacenze libero{};
    for (int a = 0; a < n; ++a)
        libero[std::size_t(a)] = (bit(n) - 1) & ~bit(a);
    // With an odd number of teams the meeting with the rest slot is no home game.
    const int riposo = squadre % 2 != 0 ? n : 0;
    std::vector<int> inCasa(std::size_t(n) + 1, 0);
    auto contaCasa = [&](const Partita &p) {
        if (p.casa != riposo && p.ospite != riposo)
            ++inCasa[std::size_t(p.casa)];
    };
    for (const Giornata &g : giocate)
        for (const Partita &p : g) {
            if (p.casa < 1 || p.casa > n || p.ospite < 1 || p.ospite > n || p.casa == p.ospite)
                continue;
            libero[std::size_t(p.casa - 1)] &= ~bit(p.ospite - 1);
            libero[std::size_t(p.ospite - 1)] &= ~bit(p.casa - 1);
            contaCasa(p);
        }
    // A full leg: every pair not met yet must meet, so each place needs exactly as many partners
    // left as matchdays (a pair met twice, or a team rested twice, leaves that impossible).
    if (totale == GiornateGirone(squadre))
        for (int v = 0; v < n; ++v)
            if (std::popcount(libero[std::size_t(v)]) != mancano)
                return {};

    const std::vector<Giornata> berger = Berger(squadre);
    auto libera = [&](const Giornata &g, const Adiacenze &l) {
        return std::all_of(g.begin(), g.end(),
                           [&](const Partita &p) { return (l[std::size_t(p.casa - 1)] & bit(p.ospite - 1)) != 0; });
    };

    Esito esito;
    // The Berger matchdays untouched so far, in their order, when there are enough of them: a leg
    // begun on the table (or not begun) goes on with it, without a search.
    {
        Adiacenze l = libero;
        for (const Giornata &g : berger) {
            if (int(esito.giornate.size()) == mancano)
                break;
            if (!libera(g, l))
                continue;
            for (const Partita &p : g) {
                l[std::size_t(p.casa - 1)] &= ~bit(p.ospite - 1);
                l[std::size_t(p.ospite - 1)] &= ~bit(p.casa - 1);
            }
            esito.giornate.push_back(g);
        }
        if (int(esito.giornate.size()) == mancano) {
            esito.stato = Esito::Trovato;
            return esito;
        }
    }

    esito = Cerca(n, libero, mancano, limite, &berger);
    if (esito.stato != Esito::Trovato)
        return esito;

    // The matchdays found that are Berger matchdays go first, in the table's order and with its
    // home and away; the others follow, home given to the team with fewer home games so far.
    std::vector<std::pair<int, Giornata>> ordinate;
    for (std::size_t i = 0; i < esito.giornate.size(); ++i) {
        int chiave = int(berger.size() + i);
        for (std::size_t b = 0; b < berger.size(); ++b)
            if (StessaGiornata(esito.giornate[i], berger[b]))
                chiave = int(b);
        ordinate.emplace_back(chiave, chiave < int(berger.size()) ? berger[std::size_t(chiave)] : esito.giornate[i]);
    }
    std::stable_sort(ordinate.begin(), ordinate.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    esito.giornate.clear();
    for (auto &[chiave, g] : ordinate) {
        if (chiave >= int(berger.size()))
            for (Partita &p : g) {
                const bool scambia = p.ospite != riposo &&
                                     (p.casa == riposo || inCasa[std::size_t(p.ospite)] < inCasa[std::size_t(p.casa)]);
                if (scambia)
                    std::swap(p.casa, p.ospite);
            }
        for (const Partita &p : g)
            contaCasa(p);
        esito.giornate.push_back(g);
    }
    return esito;
}

} // namespace girone
