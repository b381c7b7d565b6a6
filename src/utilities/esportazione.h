// The pieces of the table export that need no window: the query text composed from the editor's
// boxes, the period dates, the formatting rules, the fixed-width text line of a result row in
// Windows-1252, and the checks on file names, sheet names and preset texts.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>
#include <stdexcept>

namespace store {
class Cursor;
}

// ---- the query ---------------------------------------------------------------------------------

// The dialog's defaults: a side left at its default (or empty) is open and adds no comparison.
inline const QString InizioPeriodoAperto = QStringLiteral("01/01/1000");
inline const QString FinePeriodoAperto = QStringLiteral("31/12/9999");

// A date of the period dialog, read as day/month/year whatever the system's short date format.
// True with an empty `data` for an open side (empty text or the side's default); false when the
// text is no date.
bool LeggiDataPeriodo(const QString &testo, bool inizio, std::optional<QDate> &data);

struct ParametriQuery {
    QString campi;       // the select list
    QString tabelle;     // the table list
    QString condizione;  // may be empty or blank
    QString campoData;   // the period's field; empty for none
    std::optional<QDate> dal, al; // the period's sides; none for an open side
    QString ordinamento; // may be empty
};

// "SELECT campi FROM tabelle", then " WHERE (condizione)" when there is one, then the period's
// comparisons joined with AND, then " ORDER BY ordinamento". The condition is enclosed so that the
// period filters every branch of an OR.
QString ComponiQuery(const ParametriQuery &p);

// The boxes of the preset editor that a field choice writes into.
struct BoxEditor {
    QString campi;
    QString tabelle;
    QString condizione;
    QString campoData;
    QString ordinamento;
};

enum DestinazioneCampo { DestCampi = 0, DestCondizione = 1, DestPeriodo = 2, DestOrdinamento = 3 };

// "tabella"."campo", each between double quotes.
QString RiferimentoCampo(const QString &tabella, const QString &campo);
// True when the list names the whole table (with or without double quotes, any case):
// "squadre.db" is not in "rt_squadre.db".
bool ContieneTabella(const QString &elenco, const QString &tabella);
// The double click on a field of a table: the field goes where the destination says; for the
// select list the table is added to the table list when it is not there yet. The separator ", "
// is put only when the box it goes into already holds something.
void AggiungiCampoScelto(BoxEditor &box, int destinazione, const QString &tabella, const QString &campo);

// ---- the text line -----------------------------------------------------------------------------

enum class TipoEsportazione { Testo, Intero, Logico, Virgola, Decimale, Data, Altro };

struct CampoEsportazione {
    QString nome;
    TipoEsportazione tipo = TipoEsportazione::Altro;
    int dimensione = 0; // characters of a text field; decimals of a fixed-point field
};

// The columns of an open query or table as the export sees them. A computed column holding
// fractional numbers is a float.
QList<CampoEsportazione> CampiEsportazione(store::Cursor &cursore);

// A rule of the formatting box that cannot be used: its message, ready for the error box.
class ErroreFormattazione : public std::runtime_error {
public:
    explicit ErroreFormattazione(const QString &messaggio)
        : std::runtime_error(messaggio.toStdString()), testo(messaggio) {}
    const QString &messaggio() const { return testo; }

private:
    QString testo;
};

// The value of the first line whose key (before the first "=", blanks around it and case ignored)
// is chiave + " " + campo; nothing when there is none. The value is returned untrimmed.
std::optional<QString> ValoreRegola(const QString &regole, const QString &chiave, const QString &campo);

// A number pattern in the style of printf: %[-0]?[width][.prec](d|f), width at most 50,
// precision at most 20. Anything else is refused.
bool FormatoNumericoValido(const QString &formato);
// The number through a valid pattern, with the system's decimal separator.
QString ApplicaFormatoNumerico(const QString &formato, const QVariant &valore);
// A date through a pattern of dd, mm and yyyy (other characters as they stand).
QString ApplicaFormatoData(const QString &formato, const QDate &data);

// How one column is written, read once from the formatting rules.
struct FormatoCampo {
    CampoEsportazione campo;
    int lunghezza = 0;  // text
    QString formato;    // numbers and dates
    QString sepDec = QStringLiteral(",");
};

// Reads every column's rules. Throws ErroreFormattazione for a "Lunghezza" that is not a whole
// number from 0 to 1000, and for a "Formato" outside the accepted patterns.
QList<FormatoCampo> PreparaFormati(const QList<CampoEsportazione> &campi, const QString &regole);

// One line of the text file, without its line end: every column rendered by its type and rules.
QString RigaTesto(const QList<FormatoCampo> &formati, const QList<QVariant> &valori);

// One byte per character in Windows-1252; a character outside it becomes "?".
QByteArray InWindows1252(const QString &testo);

// ---- names and lengths -------------------------------------------------------------------------

// The checks below return the message that refuses a value, and nothing when it is accepted.

// A file name with a path separator, "." or ".." is refused (the folder goes in its own box).
std::optional<QString> ControllaNomeArchivio(const QString &nome);
// Never onto a table or a file of the program in its folder, never onto the program itself.
std::optional<QString> ControllaDestinazione(const QString &percorso, const QString &cartellaProgramma,
                                             const QString &eseguibile);
// A sheet name the spreadsheet accepts: at most 31 characters, none of []:*?/\, no apostrophe at
// either end.
std::optional<QString> ControllaNomeFoglio(const QString &nome);
// The file name with its extension replaced by ".xlsx".
QString NomeCartellaDiLavoro(const QString &nomeArchivio);

// The preset's short texts must fit their fields (name 40, sort list 30, period field 20
// characters); the message names the first that does not.
std::optional<QString> ControllaLunghezzeModello(const QString &descrizione, const QString &ordinamento, const QString &campoData);
