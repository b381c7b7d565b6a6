// The order of the standings: points first, then the steps volleyball leagues use to rank teams
// level on points. The standings view and print and the team statistics and their print all order
// their rows here.
#pragma once

#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>

namespace store {
class Query;
}

// A team as the order of the standings weighs it.
struct SquadraInClassifica {
    QString squadra;
    int punti = 0;
    int vittorie = 0; // matches won
    int setVinti = 0;
    int setPersi = 0;
};

// The standings' order, best team first, as positions in `squadre`: points, highest first; then
// matches won, most first; then the set quotient, sets won over sets lost, highest first (a team
// that lost no set stands above every quotient); then sets won, most first; then the name in the
// collation of `locale` with case and accents folded, and names that still compare equal by their
// exact text. So the order never depends on how the rows were read. No division is made.
QList<int> OrdineClassifica(const QList<SquadraInClassifica> &squadre, const QLocale &locale = QLocale());

// The matches each team has won in the played matchdays of giornate.db, by the team's name as
// stored. A match counts when both of its slots hold a team and its sets are a result (one side 3,
// the other 0 to 2): a rest turn or a match without a result is no match. Throws
// store::EngineError when the calendar cannot be read.
QHash<QString, int> VittoriePartite();

// The rows of an open query on Class.db (its fields Squadre, Punti, SetV and SetP) put in the
// standings' order, the query on its first row. Throws store::EngineError when the calendar cannot
// be read; the rows stay as they were then.
void OrdinaClassifica(store::Query &classifica);
