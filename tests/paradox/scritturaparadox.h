// A small writer of Paradox tables, for the tests only: it lays out the header, the data blocks and
// the memo file as the reader expects them, and lets a test damage any part of them afterwards.
#pragma once

#include "paradox/tabellaparadox.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

struct ScritturaParadox {
    QList<paradox::CampoParadox> campi;
    QList<QList<QVariant>> righe;
    int codicePagina = 1252;
    int versione = 12;            // the file version byte: 12 for Paradox 7, 4 for 3.5 (no code page)
    int kbBlocco = 2;             // block size in KB
    int dimensioneIntestazione = 0x800;
    // Data blocks in the order of their chain; a block number left out of a chain that ends before
    // it is a free block (a gap left by deleted rows), written with rubbish.
    bool bloccoLiberoInMezzo = false;
    bool ordineInverso = false;   // the chain visits the blocks from the last one back

    QByteArray db;
    QByteArray mb;                // empty when no memo needed the file
    qint64 inizioCampi = 0;       // where the field types and sizes start in the header

    void scrivi();
    // Writes db (and mb beside it, with the same base name, when there is one) into the folder.
    bool salva(const QString &cartella, const QString &nomeFile) const;
    // Block number k (1-based) in the written file: where it starts.
    qint64 inizioBlocco(int k) const { return dimensioneIntestazione + qint64(k - 1) * kbBlocco * 1024; }
};

// Helpers for the field list.
inline paradox::CampoParadox campoPx(const QString &nome, unsigned char tipo, int dimensione)
{
    return {nome, tipo, dimensione};
}
