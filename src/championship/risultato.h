// The standings rule: a match result added to (or taken from) the two teams' rows of the standings.
#pragma once

#include <QString>

// What a side's sets read when the match has no result.
inline const QString SetSenzaRisultato = QStringLiteral("*");

// The set value rule: a side's sets are "0", "1", "2" or "3"; "*" (no result) only where `conAsterisco`.
bool ValoreSet(const QString &testo, bool conAsterisco);
// The pair rule: both sides numbers (nothing else is read as one), one side 3 sets, the other 0 to 2.
bool CoppiaSet(const QString &primo, const QString &secondo);

// Points one side earns: 3 for a 3-0 or 3-1 win, 2 for a 3-2 win, 1 for the loser of a 3-2.
int PuntiRisultato(const QString &propri, const QString &avversari);

// Adds the result (sets as the texts "0".."3", or "*" for no result) to both teams' rows, the
// first team's then the second's, in one transaction. Throws ErroreRegola, and changes no row,
// when a team has no row or when one side is "*" and the other is not; store::EngineError when the
// standings cannot be written.
void ApplicaRisultato(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2);
// The same result taken away: every addition becomes a subtraction.
void StornaRisultato(const QString &squadra1, const QString &set1, const QString &set2, const QString &squadra2);
