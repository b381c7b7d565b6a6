// The match slots of a matchday in giornate.db: Squadra1 ... Squadra20 hold the teams, Set1 ... Set20
// the sets each one won. Slots 2p - 1 and 2p are match p, home team first; every form, print and
// routine that reads or writes a slot names its fields here.
#pragma once

#include <QString>

// Slots of one matchday (two a match).
constexpr int SlotGiornata = 20;
// Matches of one matchday.
constexpr int PartiteGiornata = SlotGiornata / 2;

// The team of slot k (1 ... SlotGiornata).
inline QString CampoSquadra(int k) { return QStringLiteral("Squadra") + QString::number(k); }
// The sets won by the team of slot k.
inline QString CampoSet(int k) { return QStringLiteral("Set") + QString::number(k); }
