// The character sets of Paradox tables: the code page named in a table's header, turned into text.
#pragma once

#include <QByteArray>
#include <QString>

namespace paradox {

// True for the code pages this reader knows: 437 (DOS USA), 850 (DOS Western Europe) and
// 1252 (Windows Western Europe).
bool CodicePaginaNoto(int codice);
// The text of bytes in one of those code pages; a byte the code page leaves undefined becomes
// U+FFFD. The code page must be a known one.
QString DaCodicePagina(const char *dati, qsizetype lunghezza, int codice);
inline QString DaCodicePagina(const QByteArray &dati, int codice)
{
    return DaCodicePagina(dati.constData(), dati.size(), codice);
}
// The reverse, for writing tables in tests: a character the code page lacks becomes '?'.
QByteArray ACodicePagina(const QString &testo, int codice);

} // namespace paradox
