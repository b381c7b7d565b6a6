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

// Backtracking over the matchdays still to fill, one pair at a time. Matchdays are interchangeable,
// so they are searched in one order only: the partner of the anchor (place 0) grows from one
// matchday to the next. Within a matchday the place with the fewest partners left goes first, and
// every step keeps each component of the places still unpaired even.
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
        if (!ComponentiPari(libero, tutti()))
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
            if (!ComponentiPari(libero, tutti()))
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
