// A read-only reader of Paradox data tables (.db) and of the memo file (.mb) beside them.
//
// The file is read whole into memory and every length, offset and count taken from it is checked
// before use: a damaged or hostile file is refused with a message that names it, never read out of
// bounds. Values come back as QVariant: text for alpha and memo fields (converted from the table's
// code page), qint64 for short, long and autoincrement integers, double for number and currency,
// bool for logical, QDate, QTime and QDateTime for date, time and timestamp; a null stays an invalid
// QVariant (a Paradox null is neither 0 nor the smallest integer). Field types the reader does not
// decode (BCD, bytes, graphic and binary objects) come back as their raw bytes.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

namespace paradox {

enum TipoCampo : unsigned char {
    Alfa = 0x01,
    Data = 0x02,
    Corto = 0x03,
    Lungo = 0x04,
    Valuta = 0x05,
    Numero = 0x06,
    Logico = 0x09,
    MemoBlob = 0x0C,
    Blob = 0x0D,
    MemoFormattato = 0x0E,
    Ole = 0x0F,
    Grafico = 0x10,
    Ora = 0x14,
    MarcaTempo = 0x15,
    Autoincremento = 0x16,
    Bcd = 0x17,
    Byte = 0x18,
};

struct CampoParadox {
    QString nome;
    unsigned char tipo = 0;
    int dimensione = 0; // bytes in the record
};

// The header's account of the table.
struct IntestazioneParadox {
    int dimensioneRecord = 0;
    int dimensioneIntestazione = 0;
    int tipoFile = 0;          // 0 keyed table, 2 table without key
    int dimensioneBlocco = 0;  // bytes
    qint64 numeroRecord = 0;
    int blocchiFile = 0;
    int primoBlocco = 0;
    int versione = 0;          // the file version byte (3 for 3.0 ... 12 for 7)
    int codicePagina = 437;
    QString ordinamento;       // the sort order's name, when the header holds one
    QList<CampoParadox> campi;
};

// True when the file begins like a Paradox data table (its header's sizes and kind fit together);
// a quick look that reads only the header, for telling such a file from one of our tables.
bool EFileParadox(const QString &percorso);

class TabellaParadox {
public:
    // Reads the file and checks its header; false, with the reason in errore(), when it is not a
    // Paradox table or is damaged. The memo file is looked for beside it, with the same base name
    // and the extension ".mb" in any case, and read only when a memo needs it.
    bool apri(const QString &percorso);
    // The same over bytes already in memory (for tests and fuzzing); memo holds the .mb file's bytes,
    // absent when there is none.
    bool apriDati(const QByteArray &dati, const QString &nome, const std::optional<QByteArray> &memo = std::nullopt);

    const QString &errore() const { return messaggio; }
    const IntestazioneParadox &intestazione() const { return testa; }
    const QList<CampoParadox> &campi() const { return testa.campi; }
    int indiceCampo(const QString &nome) const; // case-insensitive; -1 when missing

    // Calls riga for every record in the order of the data blocks' chain; false, with the reason in
    // errore(), at the first damage found (a block outside the file, a loop, a record count that does
    // not fit, a memo that cannot be read). riga returns false to stop early (not an error).
    bool leggi(const std::function<bool(const QList<QVariant> &)> &riga);
    // Every record, or nullopt with the reason in errore().
    std::optional<QList<QList<QVariant>>> righe();

private:
    bool rifiuta(const QString &motivo);
    bool leggiIntestazione();
    bool valore(const char *p, const CampoParadox &campo, QVariant &out);
    bool memo(const char *p, const CampoParadox &campo, QVariant &out);
    bool caricaMemo();

    QString percorso;
    QByteArray file;
    QString percorsoMemo;
    std::optional<QByteArray> fileMemo;
    bool memoCercato = false;
    IntestazioneParadox testa;
    QString messaggio;
};

} // namespace paradox
