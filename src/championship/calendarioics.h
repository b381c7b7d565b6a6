// The fixtures as an iCalendar file (RFC 5545): one event per dated match, with a UID that depends
// only on the season, the category, the matchday and the match's slot, so that a calendar program
// importing the file again updates its events instead of adding them twice.
#pragma once

#include "championship/dategiornate.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

struct OpzioniIcs {
    QString annata, categoria;
    QString squadra;                           // only the matches of this team; "" for every match
    QString parolaGiornata = QStringLiteral("Giornata"); // "Giornata 7" in the description
    QDateTime adesso = QDateTime::currentDateTimeUtc();   // DTSTAMP
    QTimeZone zona = QTimeZone::systemTimeZone();        // the zone of the stored times
};

struct CalendarioIcs {
    QByteArray testo;          // the file's content: UTF-8, CRLF line ends, folded lines
    int eventi = 0;            // matches written
    QList<int> senzaData;      // matchdays left out for want of a date (of those with matches asked for)
};

CalendarioIcs ComponiIcs(const QList<GiornataCalendario> &calendario, const DateGiornate &date,
                         const OpzioniIcs &opzioni);

// A text value escaped as RFC 5545 asks (backslash, semicolon, comma, line end).
QString EscapeIcs(const QString &testo);
// One content line folded at 75 octets (never inside a UTF-8 character), each piece ending in CRLF.
QByteArray PiegaRigaIcs(const QString &riga);
// The UID of a match: the same for the same season, category, matchday and slot.
QString UidPartita(const QString &annata, const QString &categoria, int giornata, int slot);
// The default file name for a season: "Calendario <annata>.ics", without characters a file name
// cannot hold ("2024/2025" gives "Calendario 2024-2025.ics").
QString NomeFileIcs(const QString &annata);
