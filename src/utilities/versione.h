// The version check's rules, free of any window or network: the extraction of values from page
// texts by criteria, the page's body, the program's own build number and the verdict.
#pragma once

#include <QString>
#include <QStringList>

// How a value is found in the page texts: after the key, at the first text holding the occurrence
// marker past the occurrences to skip, between the start marker and the end marker.
struct CriterioEstrazione {
    QString chiave;              // key
    QString marcatoreOccorrenza; // occurrence marker
    int occorrenzeDaSaltare = 0; // occurrences to skip
    QString marcatoreInizio;     // start marker, removed from the value unless mantieniInizio
    QString marcatoreFine;       // end marker, not part of the value unless includiFine
    bool mantieniInizio = false;
    bool includiFine = false;
    QString caratteriDaTogliere; // characters trimmed from the end of the value, one by one
};

// The criteria of this program: key "Versione", occurrence "-", none skipped, from "-" (removed)
// to "<" (excluded), nothing trimmed.
CriterioEstrazione CriterioVersione();

// Appends to destinazione every value the criteria find in testi. Searches are exact and
// case-sensitive. An empty key finds nothing; an empty marker is not looked for (an empty start
// marker starts at the occurrence, an empty end marker takes the text to its end).
void EstraiURLConCriterio(const QStringList &testi, QStringList &destinazione, const CriterioEstrazione &criterio);

// The body of an HTML page, its tags included (<body ...> to </body>, whatever the case); a page
// without a body tag gives its text without the <head> part.
QString CorpoPagina(const QString &html);

// The build number of a version text: the text without its first 8 characters ("04.2002-66" gives
// 66), or -1 when that is not a whole number.
int NumeroBuild(const QString &versione);

// The number published on the site: the first extracted value as a whole number from 0 up, or -1
// when there is none, it is not a number, it is negative or it does not fit.
int NumeroPubblicato(const QStringList &valori);

enum class VerdettoVersione {
    Nuova,           // a newer build is published
    NessunaNuova,    // the published build is not newer
    NonDeterminabile // no published number: a failure, not a result
};

VerdettoVersione ConfrontaVersioni(int propria, int pubblicata);
