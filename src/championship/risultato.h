// The standings rule: a match result added to (or taken from) the two teams' rows of the standings.
#pragma once

#include <QString>

// Points one side earns: 3 for a 3-0 or 3-1 win, 2 for a 3-2 win, 1 for the loser of a 3-2.
int PuntiRisultato(const QString &propri, const QString &avversari);

// Adds the result (sets as the texts "0".."3", or "*" for no result) to both teams' rows, the
// first team's then the second's, in one transaction. Throws store::EngineError, and changes no
// row, when a team has no row or when one side is "*" and the other is not.
void ApplicaRisultato(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2);
// The same result taken away: every addition becomes a subtraction.
void StornaRisultato(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2);
