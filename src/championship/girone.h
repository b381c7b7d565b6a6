// The round robin of one leg: the Berger table (circle method) and the search that completes a
// first leg whose first matchdays are already fixed. Pure code: teams are numbers, no table, no widget.
#pragma once

#include <vector>

namespace girone {

// A match between two places of the table, numbered from 1. With an odd number of teams the last
// place (squadre + 1) is the rest slot: the team that meets it rests on that matchday.
struct Partita {
    int casa = 0;
    int ospite = 0;
    bool operator==(const Partita &) const = default;
};
using Giornata = std::vector<Partita>;

// The places of the table: the teams, plus the rest slot when they are odd.
int Posti(int squadre);
// The matchdays of one leg: every place meets every other once.
int GiornateGirone(int squadre);

// The first leg by the circle method: place Posti(squadre) stays, the others turn; in each matchday
// the match of the last place comes first, then the others, the first-named team at home. Each
// team plays at home Posti/2 or Posti/2 - 1 times and, with an odd number of teams, rests once.
std::vector<Giornata> Berger(int squadre);

struct Esito {
    enum Stato {
        Trovato, // `giornate` holds the matchdays still to play
        Impossibile, // no way exists
        Interrotto, // the search gave up before deciding (see Completa's limit)
    };
    Stato stato = Impossibile;
    std::vector<Giornata> giornate;
};

// Finds the matchdays that take a first leg from the matchdays `giocate` to `totale` matchdays,
// each matchday a meeting of every place with exactly one other (the rest slot included), and no
// pair meeting twice in the whole leg; when `totale` is a full leg, every pair that has not met yet
// meets exactly once. The search follows the Berger table where it can, so a leg begun on the
// table goes on with it; home and away follow the table for its pairs and otherwise balance each
// team's home games. `giocate` may hold anything a user typed: in a full leg a pair met twice or a
// team rested twice makes the answer Impossibile. `limite` bounds the steps of the search, and so
// its time (the default gives up after some 50 ms).
Esito Completa(int squadre, const std::vector<Giornata> &giocate, int totale, long limite = 600'000);

// The same search over an explicit set of allowed pairs (`ammesse[a][b]`, places from 0): `totale`
// matchdays, each a perfect matching of the places over allowed pairs, no pair used twice; the
// matches found number the places from 1, as everywhere else. The benchmark and the tests build their
// hard cases with it.
Esito Accoppia(int posti, const std::vector<std::vector<bool>> &ammesse, int totale, long limite = 600'000);

} // namespace girone
