// Renaming a team: the name is the key that ties the team list, the standings and every matchday
// together, so it changes in all three at once.
#pragma once

#include <QString>

// The message for a new name that is empty, blank, too long or already a team's.
inline constexpr const char *MsgNomeNonValido = "Il nome inserito non è valido oppure esiste già.";

// Renames the team in squadre.db, in Class.db and in every Squadra1 ... Squadra20 slot of giornate.db
// that holds exactly the old name, in one transaction; returns the number of matchday slots renamed.
// Refused, with store::EngineError and nothing changed: a new name that is empty or blank, longer than
// 30 characters or already held by a team (the whole name, upper and lower case as typed); an old
// name held by no team or by two, in the team list or in the standings.
int RinominaSquadra(const QString &vecchio, const QString &nuovo);
