// Storing the results of one matchday: the sets and the played mark in the calendar, the resting
// team and every match in the standings, all in one transaction.
#pragma once

#include "store/campigiornata.h"

#include <QList>
#include <QString>
#include <array>

namespace store {
class Table;
}

struct RisultatiGiornata {
    static constexpr int Campi = SlotGiornata;
    std::array<QString, Campi> squadre; // the teams of the slots, as stored in the calendar
    std::array<QString, Campi> set;     // the sets typed: "0" to "3", or "*" for no result
    std::array<bool, Campi> aperto{};   // the slots open for entry (the first n teams)
    QString riposo;                     // the team that rests, empty for none
};

// Writes the matchday on the current row of the open calendar table and applies every match with
// both slots open to the standings (a "*"-"*" pair changes nothing). Everything lands, or nothing:
// throws (ErroreRegola for a team not in the standings or a result with one side only,
// store::EngineError for a table that cannot be written) and leaves both tables as they were.
void SalvaRisultati(store::Table &giornate, const RisultatiGiornata &risultati);

// A corrected result: the match (1 ... 10) and the sets each side won.
struct Correzione {
    int partita = 0;
    QString set1, set2;
};

// Corrects results of a played matchday: for each match the stored result is taken off the
// standings, the new sets are written into the calendar and the new result is added, all in one
// transaction. Before anything is written every correction is checked: a matchday that exists and
// is played, a match of two teams, a pair of numbers one side of which won 3 sets ("*" is no result
// to correct to); a refusal throws ErroreRegola. A table that cannot be written throws
// store::EngineError. Either way both tables are left as they were.
void CorreggiRisultati(int giornata, const QList<Correzione> &correzioni);
