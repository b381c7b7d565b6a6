#include "paradox/tabellaparadox.h"

#include "paradox/codifiche.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTime>
#include <bit>
#include <cstring>

namespace paradox {

namespace {

// The offsets of the header that the reader uses.
constexpr qint64 OffDimRecord = 0x00;
constexpr qint64 OffDimIntestazione = 0x02;
constexpr qint64 OffTipoFile = 0x04;
constexpr qint64 OffDimBlocco = 0x05;
constexpr qint64 OffNumeroRecord = 0x06;
constexpr qint64 OffBlocchiFile = 0x0C;
constexpr qint64 OffPrimoBlocco = 0x0E;
constexpr qint64 OffNumeroCampi = 0x21;
constexpr qint64 OffCifratura = 0x25;
constexpr qint64 OffVersione = 0x39;
constexpr qint64 OffCifratura2 = 0x5C;
constexpr qint64 OffCodicePagina = 0x6A;
constexpr qint64 FineIntestazioneBase = 0x58;  // tables of version 3.0 and 3.5
constexpr qint64 FineIntestazioneDati = 0x78;  // data tables of version 4.0 and later
constexpr qint64 IntestazioneBlocco = 6;       // next block, previous block, offset of the last record
constexpr qint64 BloccoMemo = 4096;
constexpr qint64 IntestazioneMemoSingolo = 9;  // type, 4k chunks, length, modification number
constexpr qint64 IntestazioneMemoCondiviso = 12;
constexpr int VociMemoCondiviso = 64;
constexpr qint64 GiornoGiulianoAnnoUno = 1721425; // day 1 of a Paradox date is 1 January of year 1
// Larger files are refused rather than read whole into memory (the table format tops out at 2 GB,
// the program's tables at a few megabytes).
constexpr qint64 DimensioneMassima = 256LL * 1024 * 1024;

quint16 le16(const char *p) { return quint16(quint8(p[0]) | (quint8(p[1]) << 8)); }
quint32 le32(const char *p)
{
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16) |
           (quint32(quint8(p[3])) << 24);
}
quint64 be(const char *p, int n)
{
    quint64 v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | quint8(p[i]);
    return v;
}
bool tuttiZero(const char *p, int n)
{
    for (int i = 0; i < n; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

// Whether [inizio, inizio + lunghezza) lies within a buffer of the size given.
bool dentro(qint64 inizio, qint64 lunghezza, qint64 dimensione)
{
    return inizio >= 0 && lunghezza >= 0 && inizio <= dimensione && lunghezza <= dimensione - inizio;
}

// The size a field of a fixed-size type must have; 0 for the types of chosen size.
int dimensioneFissa(unsigned char tipo)
{
    switch (tipo) {
    case Data:
    case Lungo:
    case Ora:
    case Autoincremento:
        return 4;
    case Corto:
        return 2;
    case Valuta:
    case Numero:
    case MarcaTempo:
        return 8;
    case Logico:
        return 1;
    case Bcd:
        return 17;
    default:
        return 0;
    }
}

bool tipoNoto(unsigned char tipo)
{
    switch (tipo) {
    case Alfa:
    case Data:
    case Corto:
    case Lungo:
    case Valuta:
    case Numero:
    case Logico:
    case MemoBlob:
    case Blob:
    case MemoFormattato:
    case Ole:
    case Grafico:
    case Ora:
    case MarcaTempo:
    case Autoincremento:
    case Bcd:
    case Byte:
        return true;
    default:
        return false;
    }
}

bool conMemo(unsigned char tipo)
{
    return tipo == MemoBlob || tipo == Blob || tipo == MemoFormattato || tipo == Ole || tipo == Grafico;
}

// A field's number as stored: big-endian with the sign bit flipped, so that bytes sort as numbers.
qint64 intero(const char *p, int n)
{
    const quint64 segno = quint64(1) << (8 * n - 1);
    const quint64 v = be(p, n) ^ segno;
    // Sign-extend the n-byte value.
    return qint64(v & segno ? v | ~((segno << 1) - 1) : v);
}

double reale(const char *p)
{
    quint64 v = be(p, 8);
    v = (v & (quint64(1) << 63)) ? v ^ (quint64(1) << 63) : ~v;
    return std::bit_cast<double>(v);
}

// The text of bytes up to the first NUL.
QString testoFinoAZero(const char *p, qsizetype n, int codice)
{
    const void *zero = std::memchr(p, 0, size_t(n));
    const qsizetype lunghezza = zero ? static_cast<const char *>(zero) - p : n;
    return DaCodicePagina(p, lunghezza, codice);
}

QString trovaMemo(const QString &percorso)
{
    const QFileInfo info(percorso);
    const QString base = info.completeBaseName() + QStringLiteral(".mb");
    const QStringList presenti = info.dir().entryList(QDir::Files | QDir::Hidden);
    for (const QString &p : presenti)
        if (p.compare(base, Qt::CaseInsensitive) == 0)
            return info.dir().filePath(p);
    return info.dir().filePath(base);
}

bool leggiFile(const QString &percorso, QByteArray &dati, QString &errore)
{
    QFile f(percorso);
    if (QFileInfo(percorso).isDir() || !f.open(QIODevice::ReadOnly)) {
        errore = QStringLiteral("impossibile leggere il file (%1)").arg(f.errorString());
        return false;
    }
    if (f.size() > DimensioneMassima) {
        errore = QStringLiteral("il file è troppo grande per una tabella");
        return false;
    }
    dati = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        errore = QStringLiteral("impossibile leggere il file (%1)").arg(f.errorString());
        return false;
    }
    return true;
}

} // namespace

bool EFileParadox(const QString &percorso)
{
    QFile f(percorso);
    if (QFileInfo(percorso).isDir() || !f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray testa = f.read(FineIntestazioneBase);
    if (testa.size() < FineIntestazioneBase)
        return false;
    const char *p = testa.constData();
    const int dimRecord = le16(p + OffDimRecord);
    const qint64 dimIntestazione = le16(p + OffDimIntestazione);
    const int tipo = quint8(p[OffTipoFile]);
    const int blocco = quint8(p[OffDimBlocco]);
    const int campi = le16(p + OffNumeroCampi);
    const int versione = quint8(p[OffVersione]);
    return dimRecord > 0 && dimIntestazione >= FineIntestazioneBase && dimIntestazione <= f.size() &&
           (tipo == 0 || tipo == 2) && (blocco >= 1 && blocco <= 32) && campi >= 1 && campi <= 255 &&
           versione >= 3 && versione <= 12;
}

bool TabellaParadox::rifiuta(const QString &motivo)
{
    messaggio = QStringLiteral("Il file \"%1\" non è una tabella Paradox leggibile: %2.").arg(percorso, motivo);
    return false;
}

bool TabellaParadox::apri(const QString &p)
{
    percorso = p;
    QByteArray dati;
    QString motivo;
    if (!leggiFile(p, dati, motivo))
        return rifiuta(motivo);
    const bool ok = apriDati(dati, p);
    percorsoMemo = trovaMemo(p);
    return ok;
}

bool TabellaParadox::apriDati(const QByteArray &dati, const QString &nome, const std::optional<QByteArray> &memo)
{
    percorso = nome;
    file = dati;
    fileMemo = memo;
    memoCercato = memo.has_value();
    percorsoMemo = QFileInfo(nome).completeBaseName() + QStringLiteral(".mb");
    testa = IntestazioneParadox();
    messaggio.clear();
    return leggiIntestazione();
}

bool TabellaParadox::leggiIntestazione()
{
    const qint64 n = file.size();
    const char *d = file.constData();
    if (n < FineIntestazioneBase)
        return rifiuta(QStringLiteral("l'intestazione è troncata"));
    IntestazioneParadox t;
    t.dimensioneRecord = le16(d + OffDimRecord);
    t.dimensioneIntestazione = le16(d + OffDimIntestazione);
    t.tipoFile = quint8(d[OffTipoFile]);
    const int kb = quint8(d[OffDimBlocco]);
    t.numeroRecord = le32(d + OffNumeroRecord);
    t.blocchiFile = le16(d + OffBlocchiFile);
    t.primoBlocco = le16(d + OffPrimoBlocco);
    t.versione = quint8(d[OffVersione]);
    const int numeroCampi = le16(d + OffNumeroCampi);

    if (t.tipoFile != 0 && t.tipoFile != 2)
        return rifiuta(QStringLiteral("non è un file di dati (tipo %1)").arg(t.tipoFile));
    if (t.versione < 3 || t.versione > 12)
        return rifiuta(QStringLiteral("versione del formato sconosciuta (%1)").arg(t.versione));
    if (!(kb == 1 || kb == 2 || kb == 3 || kb == 4 || kb == 8 || kb == 16 || kb == 32))
        return rifiuta(QStringLiteral("dimensione dei blocchi non valida (%1)").arg(kb));
    t.dimensioneBlocco = kb * 1024;
    if (t.dimensioneIntestazione < FineIntestazioneBase || t.dimensioneIntestazione > n)
        return rifiuta(QStringLiteral("la dimensione dell'intestazione non corrisponde al file"));
    if (numeroCampi < 1 || numeroCampi > 255)
        return rifiuta(QStringLiteral("numero dei campi non valido (%1)").arg(numeroCampi));
    if (t.dimensioneRecord < 1 || t.dimensioneRecord > t.dimensioneBlocco - IntestazioneBlocco)
        return rifiuta(QStringLiteral("dimensione del record non valida (%1)").arg(t.dimensioneRecord));

    const qint64 fine = t.versione >= 5 ? FineIntestazioneDati : FineIntestazioneBase;
    const qint64 testata = t.dimensioneIntestazione;
    if (fine > testata)
        return rifiuta(QStringLiteral("l'intestazione è troncata"));
    // Tables of version 4.0 and later keep the password's mark in the data header (the first one
    // then holds 0xFF00FF00, or 0, when there is none).
    const quint32 cifratura = le32(d + OffCifratura);
    if (t.versione < 5 && cifratura != 0 && cifratura != 0xFF00FF00u)
        return rifiuta(QStringLiteral("la tabella è protetta da una password"));
    if (t.versione >= 5) {
        if (le32(d + OffCifratura2) != 0)
            return rifiuta(QStringLiteral("la tabella è protetta da una password"));
        const int codice = le16(d + OffCodicePagina);
        t.codicePagina = codice == 0 ? 437 : codice;
    }
    if (!CodicePaginaNoto(t.codicePagina))
        return rifiuta(QStringLiteral("codice di pagina non gestito (%1)").arg(t.codicePagina));

    // The fields' types and sizes.
    qint64 pos = fine;
    if (!dentro(pos, 2LL * numeroCampi, testata))
        return rifiuta(QStringLiteral("l'elenco dei campi esce dall'intestazione"));
    int somma = 0;
    for (int i = 0; i < numeroCampi; ++i) {
        CampoParadox c;
        c.tipo = quint8(d[pos + 2 * i]);
        c.dimensione = quint8(d[pos + 2 * i + 1]);
        if (!tipoNoto(c.tipo))
            return rifiuta(QStringLiteral("tipo del campo %1 sconosciuto (%2)").arg(i + 1).arg(c.tipo));
        const int fissa = dimensioneFissa(c.tipo);
        if (c.dimensione < 1 || (fissa != 0 && c.dimensione != fissa) || (conMemo(c.tipo) && c.dimensione < 11))
            return rifiuta(QStringLiteral("dimensione del campo %1 non valida (%2)").arg(i + 1).arg(c.dimensione));
        somma += c.dimensione;
        t.campi << c;
    }
    if (somma != t.dimensioneRecord)
        return rifiuta(QStringLiteral("la somma dei campi (%1 byte) non è la dimensione del record (%2)")
                           .arg(somma)
                           .arg(t.dimensioneRecord));

    // Then a pointer to the table's name and one per field name (meaningful only in memory), the
    // table's name in a fixed space, and the field names, each ending with a NUL.
    pos += 2LL * numeroCampi + 4 + 4LL * numeroCampi + (t.versione >= 12 ? 261 : 79);
    for (int i = 0; i < numeroCampi; ++i) {
        if (!dentro(pos, 1, testata))
            return rifiuta(QStringLiteral("i nomi dei campi escono dall'intestazione"));
        const void *zero = std::memchr(d + pos, 0, size_t(testata - pos));
        if (!zero)
            return rifiuta(QStringLiteral("i nomi dei campi escono dall'intestazione"));
        const qint64 lunghezza = static_cast<const char *>(zero) - (d + pos);
        if (lunghezza == 0)
            return rifiuta(QStringLiteral("il campo %1 non ha nome").arg(i + 1));
        t.campi[i].nome = DaCodicePagina(d + pos, lunghezza, t.codicePagina);
        pos += lunghezza + 1;
    }
    // The field numbers, then the sort order's name when there is one.
    pos += 2LL * numeroCampi;
    if (dentro(pos, 1, testata)) {
        const void *zero = std::memchr(d + pos, 0, size_t(testata - pos));
        if (zero)
            t.ordinamento = DaCodicePagina(d + pos, static_cast<const char *>(zero) - (d + pos), t.codicePagina);
    }

    // The data blocks.
    const qint64 blocchiNelFile = (n - testata) / t.dimensioneBlocco;
    if (t.blocchiFile > blocchiNelFile)
        return rifiuta(QStringLiteral("il file è troncato: l'intestazione dichiara %1 blocchi, il file ne contiene %2")
                           .arg(t.blocchiFile)
                           .arg(blocchiNelFile));
    const qint64 perBlocco = (t.dimensioneBlocco - IntestazioneBlocco) / t.dimensioneRecord;
    if (t.numeroRecord > perBlocco * t.blocchiFile)
        return rifiuta(QStringLiteral("il numero di record (%1) non sta nei blocchi del file").arg(t.numeroRecord));
    if (t.numeroRecord > 0 && t.primoBlocco == 0)
        return rifiuta(QStringLiteral("il primo blocco di dati manca"));
    testa = t;
    return true;
}

int TabellaParadox::indiceCampo(const QString &nome) const
{
    for (int i = 0; i < testa.campi.size(); ++i)
        if (testa.campi[i].nome.compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TabellaParadox::caricaMemo()
{
    if (memoCercato)
        return fileMemo.has_value();
    memoCercato = true;
    if (!QFileInfo::exists(percorsoMemo))
        return false;
    QByteArray dati;
    QString motivo;
    if (!leggiFile(percorsoMemo, dati, motivo))
        return false;
    fileMemo = dati;
    return true;
}

bool TabellaParadox::memo(const char *p, const CampoParadox &campo, QVariant &out)
{
    const int interno = campo.dimensione - 10;
    const char *leader = p + interno;
    const quint32 posizione = le32(leader);
    const quint32 lunghezza = le32(leader + 4);
    if (lunghezza == 0) {
        out = QVariant();
        return true;
    }
    const bool testo = campo.tipo == MemoBlob || campo.tipo == MemoFormattato;
    auto valoreDa = [&](const char *dati, qint64 n) {
        if (!testo) {
            out = QByteArray(dati, n);
            return;
        }
        while (n > 0 && dati[n - 1] == 0) // a memo may end with NULs
            --n;
        out = DaCodicePagina(dati, n, testa.codicePagina);
    };
    if (lunghezza <= quint32(interno)) {
        valoreDa(p, lunghezza);
        return true;
    }
    if (!caricaMemo())
        return rifiuta(QStringLiteral("il file dei memo \"%1\" manca o non si legge").arg(percorsoMemo));
    const QByteArray &mb = *fileMemo;
    const qint64 dim = mb.size();
    const qint64 blocco = qint64(posizione & 0xFFFFFF00u);
    const int indice = int(posizione & 0xFFu);
    if (blocco == 0 || !dentro(blocco, IntestazioneMemoCondiviso, dim))
        return rifiuta(QStringLiteral("un memo punta fuori dal file \"%1\"").arg(percorsoMemo));
    const char *b = mb.constData() + blocco;
    if (indice == 0xFF) {
        // A memo that has a block (of one or more 4k chunks) to itself.
        if (quint8(b[0]) != 2)
            return rifiuta(QStringLiteral("un memo punta a un blocco non valido del file \"%1\"").arg(percorsoMemo));
        const qint64 spazio = qint64(le16(b + 1)) * BloccoMemo - IntestazioneMemoSingolo;
        const quint32 dichiarata = le32(b + 3);
        if (dichiarata != lunghezza || qint64(lunghezza) > spazio ||
            !dentro(blocco + IntestazioneMemoSingolo, lunghezza, dim))
            return rifiuta(QStringLiteral("un memo esce dal suo blocco nel file \"%1\"").arg(percorsoMemo));
        valoreDa(b + IntestazioneMemoSingolo, lunghezza);
        return true;
    }
    // A small memo in a block shared by up to 64.
    if (quint8(b[0]) != 3 || indice >= VociMemoCondiviso || !dentro(blocco, BloccoMemo, dim))
        return rifiuta(QStringLiteral("un memo punta a un blocco non valido del file \"%1\"").arg(percorsoMemo));
    const char *voce = b + IntestazioneMemoCondiviso + 5 * indice;
    const qint64 inizio = qint64(quint8(voce[0])) * 16;
    const qint64 paragrafi = quint8(voce[1]);
    if (inizio < IntestazioneMemoCondiviso + 5 * VociMemoCondiviso || qint64(lunghezza) > paragrafi * 16 ||
        !dentro(inizio, lunghezza, BloccoMemo))
        return rifiuta(QStringLiteral("un memo esce dal suo blocco nel file \"%1\"").arg(percorsoMemo));
    valoreDa(b + inizio, lunghezza);
    return true;
}

bool TabellaParadox::valore(const char *p, const CampoParadox &campo, QVariant &out)
{
    const int n = campo.dimensione;
    if (conMemo(campo.tipo))
        return memo(p, campo, out);
    if (tuttiZero(p, n)) {
        out = QVariant();
        return true;
    }
    switch (campo.tipo) {
    case Alfa:
        out = testoFinoAZero(p, n, testa.codicePagina);
        break;
    case Corto:
    case Lungo:
    case Autoincremento:
        out = intero(p, n);
        break;
    case Valuta:
    case Numero:
        out = reale(p);
        break;
    case Logico:
        out = (quint8(p[0]) & 0x7F) != 0;
        break;
    case Data: {
        const QDate data = QDate::fromJulianDay(intero(p, 4) + GiornoGiulianoAnnoUno);
        out = data.isValid() ? QVariant(data) : QVariant();
        break;
    }
    case Ora: {
        const qint64 ms = intero(p, 4);
        out = ms >= 0 && ms < 86400000 ? QVariant(QTime::fromMSecsSinceStartOfDay(int(ms))) : QVariant();
        break;
    }
    case MarcaTempo: {
        const double ms = reale(p);
        if (!(ms >= 0 && ms < 4.0e14)) { // beyond year 12000, or not a number
            out = QVariant();
            break;
        }
        const qint64 tutti = qint64(ms);
        const QDate giorno = QDate::fromJulianDay(tutti / 86400000 + GiornoGiulianoAnnoUno);
        out = QDateTime(giorno, QTime::fromMSecsSinceStartOfDay(int(tutti % 86400000)));
        break;
    }
    default:
        out = QByteArray(p, n);
        break;
    }
    return true;
}

bool TabellaParadox::leggi(const std::function<bool(const QList<QVariant> &)> &riga)
{
    if (testa.campi.isEmpty())
        return !messaggio.isEmpty() ? false : rifiuta(QStringLiteral("la tabella non è stata aperta"));
    const char *d = file.constData();
    const qint64 n = file.size();
    const qint64 dimBlocco = testa.dimensioneBlocco;
    const int dimRecord = testa.dimensioneRecord;
    const qint64 perBlocco = (dimBlocco - IntestazioneBlocco) / dimRecord;
    QSet<int> visti;
    qint64 letti = 0;
    QList<QVariant> valori(testa.campi.size());
    int blocco = testa.numeroRecord > 0 || testa.primoBlocco != 0 ? testa.primoBlocco : 0;
    while (blocco != 0) {
        if (blocco < 1 || blocco > testa.blocchiFile)
            return rifiuta(QStringLiteral("la catena dei blocchi punta fuori dal file (blocco %1)").arg(blocco));
        if (visti.contains(blocco))
            return rifiuta(QStringLiteral("la catena dei blocchi torna sul blocco %1").arg(blocco));
        visti.insert(blocco);
        const qint64 inizio = testa.dimensioneIntestazione + qint64(blocco - 1) * dimBlocco;
        if (!dentro(inizio, dimBlocco, n))
            return rifiuta(QStringLiteral("il blocco %1 esce dal file").arg(blocco));
        const char *b = d + inizio;
        const int successivo = le16(b);
        const qint64 ultimo = qint16(le16(b + 4)); // offset of the block's last record
        if (ultimo < -dimRecord || (ultimo + dimRecord) % dimRecord != 0 || (ultimo + dimRecord) / dimRecord > perBlocco)
            return rifiuta(QStringLiteral("il blocco %1 dichiara un numero di record non valido").arg(blocco));
        const qint64 record = (ultimo + dimRecord) / dimRecord;
        if (letti + record > testa.numeroRecord)
            return rifiuta(QStringLiteral("i blocchi contengono più record dei %1 dichiarati").arg(testa.numeroRecord));
        for (qint64 r = 0; r < record; ++r) {
            const char *p = b + IntestazioneBlocco + r * dimRecord;
            for (int c = 0; c < testa.campi.size(); ++c) {
                if (!valore(p, testa.campi[c], valori[c]))
                    return false;
                p += testa.campi[c].dimensione;
            }
            ++letti;
            if (!riga(valori))
                return true;
        }
        blocco = successivo;
    }
    if (letti != testa.numeroRecord)
        return rifiuta(QStringLiteral("i blocchi contengono %1 record, l'intestazione ne dichiara %2")
                           .arg(letti)
                           .arg(testa.numeroRecord));
    return true;
}

std::optional<QList<QList<QVariant>>> TabellaParadox::righe()
{
    QList<QList<QVariant>> tutte;
    tutte.reserve(qsizetype(testa.numeroRecord));
    if (!leggi([&](const QList<QVariant> &r) {
            tutte << r;
            return true;
        }))
        return std::nullopt;
    return tutte;
}

} // namespace paradox
