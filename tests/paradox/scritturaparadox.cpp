#include "scritturaparadox.h"

#include "paradox/codifiche.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <bit>

using namespace paradox;

namespace {

void put16(QByteArray &b, qint64 at, quint16 v)
{
    b[at] = char(v & 0xFF);
    b[at + 1] = char(v >> 8);
}
void put32(QByteArray &b, qint64 at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}
void putBe(char *p, quint64 v, int n)
{
    for (int i = n - 1; i >= 0; --i) {
        p[i] = char(v & 0xFF);
        v >>= 8;
    }
}
void putIntero(char *p, qint64 v, int n)
{
    const quint64 maschera = n == 8 ? ~quint64(0) : (quint64(1) << (8 * n)) - 1;
    putBe(p, (quint64(v) & maschera) ^ (quint64(1) << (8 * n - 1)), n);
}
void putReale(char *p, double d)
{
    quint64 v = std::bit_cast<quint64>(d);
    v = (v & (quint64(1) << 63)) ? ~v : v | (quint64(1) << 63);
    putBe(p, v, 8);
}

struct MemoFile {
    QByteArray dati{4096, '\0'}; // block 0: the memo file's header
    QByteArray condiviso;        // the shared block being filled
    qint64 posCondiviso = -1;
    int vociCondiviso = 0;
    int prossimoParagrafo = 0;

    quint32 aggiungi(const QByteArray &v)
    {
        if (v.size() <= 200) {
            const int paragrafi = int((v.size() + 15) / 16);
            if (posCondiviso < 0 || vociCondiviso >= 64 || prossimoParagrafo + paragrafi > 256) {
                posCondiviso = dati.size();
                dati.append(QByteArray(4096, '\0'));
                dati[posCondiviso] = 3;
                put16(dati, posCondiviso + 1, 1);
                vociCondiviso = 0;
                prossimoParagrafo = (12 + 5 * 64 + 15) / 16;
            }
            const qint64 voce = posCondiviso + 12 + 5 * vociCondiviso;
            dati[voce] = char(prossimoParagrafo);
            dati[voce + 1] = char(paragrafi);
            put16(dati, voce + 2, 1);
            dati[voce + 4] = char(v.size() % 16);
            dati.replace(posCondiviso + prossimoParagrafo * 16, v.size(), v);
            prossimoParagrafo += paragrafi;
            return quint32(posCondiviso) | quint32(vociCondiviso++);
        }
        const qint64 pos = dati.size();
        const qint64 pezzi = (9 + v.size() + 4095) / 4096;
        dati.append(QByteArray(pezzi * 4096, '\0'));
        dati[pos] = 2;
        put16(dati, pos + 1, quint16(pezzi));
        put32(dati, pos + 3, quint32(v.size()));
        put16(dati, pos + 7, 1);
        dati.replace(pos + 9, v.size(), v);
        return quint32(pos) | 0xFFu;
    }
};

} // namespace

void ScritturaParadox::scrivi()
{
    int dimRecord = 0;
    for (const CampoParadox &c : campi)
        dimRecord += c.dimensione;
    const int dimBlocco = kbBlocco * 1024;
    const int perBlocco = (dimBlocco - 6) / dimRecord;
    const int blocchiDati = righe.isEmpty() ? 0 : int((righe.size() + perBlocco - 1) / perBlocco);
    const int blocchi = blocchiDati + (bloccoLiberoInMezzo && blocchiDati > 0 ? 1 : 0);

    db = QByteArray(dimensioneIntestazione + qint64(blocchi) * dimBlocco, '\0');
    put16(db, 0x00, quint16(dimRecord));
    put16(db, 0x02, quint16(dimensioneIntestazione));
    db[0x04] = 2;
    db[0x05] = char(kbBlocco);
    put32(db, 0x06, quint32(righe.size()));
    put16(db, 0x0A, quint16(blocchi));
    put16(db, 0x0C, quint16(blocchi));
    put16(db, 0x21, quint16(campi.size()));
    db[0x39] = char(versione);
    qint64 pos = 0x58;
    if (versione >= 5) {
        put16(db, 0x6A, quint16(codicePagina));
        pos = 0x78;
    }
    inizioCampi = pos;
    for (const CampoParadox &c : campi) {
        db[pos++] = char(c.tipo);
        db[pos++] = char(c.dimensione);
    }
    pos += 4 + 4 * campi.size();
    const QByteArray tabella = "tabella";
    db.replace(pos, tabella.size(), tabella);
    pos += versione >= 12 ? 261 : 79;
    const int codice = versione >= 5 ? codicePagina : 437;
    for (const CampoParadox &c : campi) {
        const QByteArray nome = ACodicePagina(c.nome, codice);
        db.replace(pos, nome.size(), nome);
        pos += nome.size() + 1;
    }
    for (int i = 0; i < campi.size(); ++i) {
        put16(db, pos, quint16(i + 1));
        pos += 2;
    }
    db.replace(pos, 7, QByteArray("ascii\0\0", 7));

    // Which physical block holds the k-th block of the chain.
    QList<int> fisici;
    for (int k = 1; k <= blocchi; ++k)
        if (!(bloccoLiberoInMezzo && blocchiDati > 0 && k == 2 && blocchi > 1))
            fisici << k;
    if (bloccoLiberoInMezzo && blocchiDati > 0 && blocchi == 2)
        fisici = {1};
    if (ordineInverso)
        std::reverse(fisici.begin(), fisici.end());
    if (!fisici.isEmpty()) {
        put16(db, 0x0E, quint16(fisici.first()));
        put16(db, 0x10, quint16(fisici.last()));
    }
    if (bloccoLiberoInMezzo && blocchi > 1) {
        // The free block: rubbish that a reader following the chain never looks at.
        const qint64 libero = inizioBlocco(2);
        for (int i = 0; i < dimBlocco; ++i)
            db[libero + i] = char(0xA5);
    }

    MemoFile memo;
    bool usaMemo = false;
    qsizetype riga = 0;
    for (int b = 0; b < fisici.size(); ++b) {
        const qint64 inizio = inizioBlocco(fisici[b]);
        put16(db, inizio, quint16(b + 1 < fisici.size() ? fisici[b + 1] : 0));
        put16(db, inizio + 2, quint16(b > 0 ? fisici[b - 1] : 0));
        const int qui = int(std::min<qsizetype>(perBlocco, righe.size() - riga));
        put16(db, inizio + 4, quint16(qint16((qui - 1) * dimRecord)));
        for (int r = 0; r < qui; ++r, ++riga) {
            char *p = db.data() + inizio + 6 + qint64(r) * dimRecord;
            for (int c = 0; c < campi.size(); ++c) {
                const CampoParadox &campo = campi[c];
                const QVariant &v = c < righe[riga].size() ? righe[riga][c] : QVariant();
                if (v.isValid()) {
                    switch (campo.tipo) {
                    case Alfa: {
                        const QByteArray t = ACodicePagina(v.toString(), codice).left(campo.dimensione);
                        std::copy(t.begin(), t.end(), p);
                        break;
                    }
                    case Corto:
                    case Lungo:
                    case Autoincremento:
                        putIntero(p, v.toLongLong(), campo.dimensione);
                        break;
                    case Numero:
                    case Valuta:
                        putReale(p, v.toDouble());
                        break;
                    case Logico:
                        *p = char(v.toBool() ? 0x81 : 0x80);
                        break;
                    case Data:
                        putIntero(p, v.toDate().toJulianDay() - 1721425, 4);
                        break;
                    case Ora:
                        putIntero(p, v.toTime().msecsSinceStartOfDay(), 4);
                        break;
                    case MemoBlob:
                    case MemoFormattato: {
                        const QByteArray t = ACodicePagina(v.toString(), codice);
                        const int interno = campo.dimensione - 10;
                        std::copy(t.begin(), t.begin() + std::min<qsizetype>(t.size(), interno), p);
                        quint32 posizione = 0;
                        if (t.size() > interno) {
                            posizione = memo.aggiungi(t);
                            usaMemo = true;
                        }
                        QByteArray leader(10, '\0');
                        put32(leader, 0, posizione);
                        put32(leader, 4, quint32(t.size()));
                        put16(leader, 8, 1);
                        std::copy(leader.begin(), leader.end(), p + interno);
                        break;
                    }
                    default:
                        break;
                    }
                }
                p += campo.dimensione;
            }
        }
    }
    mb = usaMemo ? memo.dati : QByteArray();
    if (usaMemo)
        mb[0] = 0;
}

bool ScritturaParadox::salva(const QString &cartella, const QString &nomeFile) const
{
    QFile f(QDir(cartella).filePath(nomeFile));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(db) != db.size())
        return false;
    f.close();
    if (!mb.isEmpty()) {
        QFile m(QDir(cartella).filePath(QFileInfo(nomeFile).completeBaseName() + QStringLiteral(".mb")));
        if (!m.open(QIODevice::WriteOnly | QIODevice::Truncate) || m.write(mb) != mb.size())
            return false;
    }
    return true;
}
