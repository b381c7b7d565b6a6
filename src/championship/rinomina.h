// Renaming a team: the name is the key that ties the team list, the standings and every matchday
// together, so it changes in all three at once.
#pragma once

#include <QString>

// The message for a new name that is empty, blank, too long or already a team's.
inline constexpr const char *MsgNomeNonValido = "Il nome inserito non è valido oppure esiste già.";
// The message for a team typed twice (%1: the name as typed).
inline constexpr const char *MsgSquadraGiaInserita =
    "La squadra '%1' è già stata inserita: ogni squadra deve avere un nome diverso.";

// What makes two names one team for a person reading them: names that differ only in upper and
// lower case or in blanks ("Pro Patria", "pro  patria ", "ProPatria") give the same key.
QString ChiaveSquadra(const QString &nome);

// Renames the team in squadre.db, in Class.db and in every Squadra1 ... Squadra20 slot of giornate.db
// that holds exactly the old name, in one transaction; returns the number of matchday slots renamed.
// The new name is stored without its leading and trailing blanks. Refused, with ErroreRegola and
// nothing changed: a new name that is empty or blank, longer than 30 characters, the old name
// itself, or another team's name by ChiaveSquadra (MsgSquadraGiaInserita); an old name held by no
// team or by two, in the team list or in the standings. A table that cannot be written throws
// store::EngineError, and nothing is changed either.
int RinominaSquadra(const QString &vecchio, const QString &nuovo);
