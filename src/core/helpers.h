// Small text, date and file helpers shared by every form: the pieces of a text, today's date as the
// texts that backup folder names and printed headers are made of, and a plain file copy.
#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <functional>

// The first n characters of the text; the whole text when n reaches past its end, an empty text
// when n is zero or negative.
QString Sinistra(const QString &testo, qsizetype n);
// The last n characters of the text, with the same limits as Sinistra.
QString Destra(const QString &testo, qsizetype n);

// The first (last) character of the text, or the character code 0 for an empty text.
QChar PrimoCarattere(const QString &testo);
QChar UltimoCarattere(const QString &testo);

// Day and month of a date as two digits ("05"), year as it is ("2024").
QString GiornoDi(const QDate &data);
QString MeseDi(const QDate &data);
QString AnnoDi(const QDate &data);

// The same for today's date.
QString GiornoOggi();
QString MeseOggi();
QString AnnoOggi();

// Copies a file byte by byte in blocks of 2048 bytes and gives the copy the source's modification
// time and permissions. False when both paths name the same file, when the source cannot be
// opened, when the destination cannot be created or written (a half-written copy is removed).
bool CopiaFile(const QString &origine, const QString &destinazione);

// What a test that models a power cut hears of the files the program writes itself (SQLite's own
// writes it hears through SQLite's file layer): a file written by CopiaFile or a mark written whole,
// not yet forced to disk; a file forced to disk (ScriviSuDisco); a file renamed (SpostaSopra, with
// its new name). Unset in the program.
enum class PassoDisco { Scritto, SuDisco, Spostato };
std::function<void(PassoDisco passo, const QString &percorso, const QString &nuovoNome)> &OsservatoreDisco();
void AvvisaOsservatoreDisco(PassoDisco passo, const QString &percorso, const QString &nuovoNome = QString());
