// The backup folders below the program folder: backup/ and one folder a day named YYYYMMDD, each
// holding plain copies of the tables' files. Backup writes them; restore and packing list them,
// choose one by its name and read its files.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Program folder + "backup/".
QString CartellaBackup();
// Makes backup/ with its parents when missing; false when it is not a folder afterwards.
bool CreaCartellaBackup();
// "YYYYMMDD" for the date: the year as it is, month and day on two digits.
QString NomeCartellaGiorno(const QDate &data);

// A folder entry of the list as shown, "[name]", and back.
QString VoceCartella(const QString &nome);
QString NomeDaVoce(const QString &voce);
// The entries of the folder list: every backup folder (below) of backup/, by name. Never "." or
// "..", nor another folder or a link someone left there.
QStringList VociCartelleBackup();

// A backup is chosen by its name only: valid when the name is a day as NomeCartellaGiorno writes
// it (eight digits, a real date) and backup/name is a folder that is a direct, real child of
// backup/ (not a link).
bool CartellaBackupValida(const QString &nome);
QString PercorsoBackup(const QString &nome); // backup/name/
// The files of a backup (ordinary files, by name).
QStringList FileDelBackup(const QString &nome);
// "Backup del DD/MM/YYYY - File presenti: N", the date taken by position from the name.
QString RigaDettaglio(const QString &nome, qsizetype file);

// Files a backup or a restore passes over by their extension: the four characters from the first
// "." are ".pas", ".exe", ".dfm", ".dcu", ".~df" or ".~pa".
bool EstensioneEsclusa(const QString &nomeFile);
// The base name of a file: the text before its first ".".
QString NomeBase(const QString &nomeFile);

// What choosing an entry of the folder list gives: the folder, its files and the detail line.
struct SceltaBackup {
    bool valida = false;
    QString nome;
    QStringList file;
    QString dettaglio; // the detail line, or "Nessun dettaglio"
};
SceltaBackup ScegliBackup(const QString &voce);
