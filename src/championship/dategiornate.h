// The matchdays' dates: date_giornate.db read and written as a whole, the dates proposed in one go,
// a time checked, and the date written out for people (titles, prints) in the program's language.
#pragma once

#include "store/impostazioni.h"

#include <QDate>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>
#include <optional>

struct DataGiornata {
    QDate data;  // invalid: no date
    QString ora; // "" or "hh:mm"
    bool operator==(const DataGiornata &) const = default;
};
// Matchday number -> its date; a matchday without a date has no entry.
using DateGiornate = QMap<int, DataGiornata>;

// Every stored date. Throws store::EngineError when the table cannot be read. A row with an invalid
// date or a number below 1 is passed over.
DateGiornate LeggiDateGiornate();
// Replaces every stored date with these, in one transaction: on any failure the table stays as it
// was. Entries without a valid date are not stored. Throws store::EngineError.
void SalvaDateGiornate(const DateGiornate &date);

// A time as typed: "" stays "", "h:mm" and "hh:mm" (0:00 to 23:59) come back as "hh:mm"; anything
// else (a "25:00", a "7", "7.30") gives nothing.
std::optional<QString> NormalizzaOra(const QString &testo);

// The dates of matchdays 1 ... giornate: the first leg (1 ... giornate/2) from primaAndata every
// `passo` days, the return leg from primoRitorno every `passo` days. The times of `esistenti` are kept.
DateGiornate ProponiDate(int giornate, const QDate &primaAndata, int passo, const QDate &primoRitorno,
                         const DateGiornate &esistenti = {});
// The return leg's first date offered: one step after the last first-leg date.
QDate PrimoRitornoPredefinito(int giornate, const QDate &primaAndata, int passo);

// The locale dates are written in for people: the user's own when it speaks the program's language
// (LINGUA), otherwise that language's usual one (Italian without a choice).
QLocale LocaleDate(Lingua lingua);
// "sabato 12 ottobre 2024", with " 20:30" when a time is stored; "" without a date.
QString TestoData(const DataGiornata &d, const QLocale &locale);
// "<prefisso> 7 - sabato 12 ottobre 2024", or "<prefisso> 7" without a date.
QString TitoloGiornata(const QString &prefisso, int numero, const DateGiornate &date, const QLocale &locale);

// A date as shown and typed in the dates form: the locale's short format with a four-digit year.
QString FormatoDataBreve(const QLocale &locale);
// The date the user typed, read with the locale (short format, then long); invalid when it is none.
QDate LeggiDataDigitata(const QString &testo, const QLocale &locale);

// One match of a matchday as giornate.db holds it: the slot (1 ... 10) and the sets where played.
struct PartitaCalendario {
    int slot = 0;
    QString casa, ospite;
    QString setCasa, setOspite; // blank until played
    bool giocata() const { return !setCasa.isEmpty() && !setOspite.isEmpty(); }
};
struct GiornataCalendario {
    int numero = 0;
    QList<PartitaCalendario> partite; // the slots with both teams, in slot order
    QString riposo;                   // the team without an opponent, if any
};
// Every matchday of giornate.db in number order. Throws store::EngineError.
QList<GiornataCalendario> LeggiCalendario();

// The date of matchday `numero` as it follows the number in a title ("sabato 12 ottobre 2024"), in
// the program's language; "" when none is stored or the dates cannot be read.
QString DataDellaGiornata(int numero);
