// The Paradox reader: every field type and its null, the three code pages against the C library's
// converter, tables written by an independent library (pxlib) read back, several data blocks in a
// chain with a free block among them, memos in the record and in the .mb file, and damaged or
// hostile files refused with a message naming them.
#include "paradox/codifiche.h"
#include "paradox/tabellaparadox.h"
#include "scritturaparadox.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
extern "C" {
#include <paradox.h>
}

using namespace paradox;

namespace {

QString viaIconv(unsigned char byte, const char *codice)
{
    iconv_t cd = iconv_open("UTF-8", codice);
    if (cd == iconv_t(-1))
        return QStringLiteral("<no iconv>");
    char in[1] = {char(byte)};
    char out[8] = {};
    char *pin = in;
    char *pout = out;
    size_t nin = 1;
    size_t nout = sizeof out;
    const size_t r = iconv(cd, &pin, &nin, &pout, &nout);
    iconv_close(cd);
    return r == size_t(-1) ? QString(QChar(0xFFFD)) : QString::fromUtf8(out, pout - out);
}

// A table of every field type the program's tables may hold, with memos long and short.
ScritturaParadox tabellaCompleta()
{
    ScritturaParadox s;
    s.campi = {campoPx(QStringLiteral("Nome"), Alfa, 30),        campoPx(QStringLiteral("Corto"), Corto, 2),
               campoPx(QStringLiteral("Lungo"), Lungo, 4),       campoPx(QStringLiteral("Auto"), Autoincremento, 4),
               campoPx(QStringLiteral("Numero"), Numero, 8),     campoPx(QStringLiteral("Valuta"), Valuta, 8),
               campoPx(QStringLiteral("Logico"), Logico, 1),     campoPx(QStringLiteral("Data"), Data, 4),
               campoPx(QStringLiteral("Ora"), Ora, 4),           campoPx(QStringLiteral("Campi"), MemoBlob, 20),
               campoPx(QStringLiteral("Formato"), MemoFormattato, 15)};
    const QString lungo = QStringLiteral("SELECT \"giornate.db\".\"Squadra1\" FROM \"giornate.db\" WHERE l'ultima "
                                         "giornata è già giocata; ").repeated(80); // a memo of its own block
    s.righe << QList<QVariant>{QStringLiteral("Città di Castello"), 0, -2147483647LL, 1, -2.5, 1234.25, false,
                               QDate(2024, 2, 29), QTime(20, 30, 15), QStringLiteral("corto"),
                               QStringLiteral("Squadra1;Squadra2;Set1;Set2 - più lungo")}
            << QList<QVariant>{QStringLiteral("L'Aquila"), -32767, 2147483647LL, 2, 0.0, 0.0, true, QDate(1, 1, 1),
                               QTime(0, 0), lungo, QStringLiteral("Épinal, àèéìòù ç")}
            << QList<QVariant>(11); // every field null
    return s;
}

} // namespace

class TestParadox : public QObject {
    Q_OBJECT
private slots:
    void codePagesAgreeWithTheCLibrary();
    void everyFieldTypeAndItsNull();
    void codePagesOfTheHeader();
    void severalBlocksAFreeOneAndAnyChainOrder();
    void tablesWrittenByPxlibReadBack();
    void damagedFilesAreRefusedNamingThem_data();
    void damagedFilesAreRefusedNamingThem();
    void recognisedByTheHeaderNotTheName();
};

void TestParadox::codePagesAgreeWithTheCLibrary()
{
    for (const auto &[codice, nome] : {std::pair{437, "CP437"}, std::pair{850, "CP850"}, std::pair{1252, "CP1252"}}) {
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QString nostro = DaCodicePagina(&c, 1, codice);
            QCOMPARE(nostro, viaIconv(quint8(b), nome));
        }
    }
    // And back, for the writer of the tests.
    QCOMPARE(DaCodicePagina(ACodicePagina(QStringLiteral("Città l'Épée ç"), 850), 850), QStringLiteral("Città l'Épée ç"));
}

void TestParadox::everyFieldTypeAndItsNull()
{
    for (int versione : {12, 7, 4}) {
        ScritturaParadox s = tabellaCompleta();
        s.versione = versione;
        s.codicePagina = 1252;
        s.scrivi();
        QVERIFY(!s.mb.isEmpty());
        TabellaParadox t;
        QVERIFY2(t.apriDati(s.db, QStringLiteral("tabexport.db"), s.mb), qPrintable(t.errore()));
        QCOMPARE(t.campi().size(), 11);
        QCOMPARE(t.campi()[9].nome, QStringLiteral("Campi"));
        QCOMPARE(t.indiceCampo(QStringLiteral("FORMATO")), 10);
        const auto righe = t.righe();
        QVERIFY2(righe, qPrintable(t.errore()));
        QCOMPARE(righe->size(), 3);
        // Version 3.5 tables carry no code page: they are read as 437, whatever the writer used.
        const int letta = versione >= 5 ? 1252 : 437;
        QCOMPARE(t.intestazione().codicePagina, letta);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 11; ++c) {
                const QVariant atteso = s.righe[r][c];
                const QVariant &v = (*righe)[r][c];
                QVERIFY2(v.isValid(), qPrintable(QStringLiteral("row %1 field %2").arg(r).arg(c)));
                if (atteso.typeId() == QMetaType::QString && letta == 437)
                    QCOMPARE(v.toString(), DaCodicePagina(ACodicePagina(atteso.toString(), 437), 437));
                else if (atteso.typeId() == QMetaType::QString)
                    QCOMPARE(v.toString(), atteso.toString());
                else if (atteso.typeId() == QMetaType::Double)
                    QCOMPARE(v.toDouble(), atteso.toDouble());
                else if (atteso.typeId() == QMetaType::Bool)
                    QCOMPARE(v.toBool(), atteso.toBool());
                else if (atteso.typeId() == QMetaType::QDate)
                    QCOMPARE(v.toDate(), atteso.toDate());
                else if (atteso.typeId() == QMetaType::QTime)
                    QCOMPARE(v.toTime(), atteso.toTime());
                else
                    QCOMPARE(v.toLongLong(), atteso.toLongLong());
            }
        // Zero and false are values; a null of every type stays null.
        QCOMPARE((*righe)[0][1].typeId(), QMetaType::LongLong);
        QCOMPARE((*righe)[0][1].toLongLong(), 0);
        QCOMPARE((*righe)[0][6].toBool(), false);
        QVERIFY((*righe)[0][6].isValid());
        for (int c = 0; c < 11; ++c)
            QVERIFY2(!(*righe)[2][c].isValid(), qPrintable(QString::number(c)));
    }
}

void TestParadox::codePagesOfTheHeader()
{
    for (int codice : {437, 850, 1252}) {
        ScritturaParadox s;
        s.codicePagina = codice;
        s.campi = {campoPx(QStringLiteral("Français"), Alfa, 40)};
        s.righe = {{QStringLiteral("Forlì")}, {QStringLiteral("Sèvres l'Étoile")}, {QStringLiteral("Niño Über")}};
        s.scrivi();
        TabellaParadox t;
        QVERIFY2(t.apriDati(s.db, QStringLiteral("lingua.db")), qPrintable(t.errore()));
        QCOMPARE(t.intestazione().codicePagina, codice);
        QCOMPARE(t.campi()[0].nome, QStringLiteral("Français"));
        const auto righe = t.righe();
        QVERIFY(righe);
        QCOMPARE((*righe)[0][0].toString(), QStringLiteral("Forlì"));
        QCOMPARE((*righe)[1][0].toString(), QStringLiteral("Sèvres l'Étoile"));
        QCOMPARE((*righe)[2][0].toString(), QStringLiteral("Niño Über"));
    }
    // The same bytes mean other letters in another code page: 0x8A is è in 437 and 850, Š in 1252.
    QCOMPARE(DaCodicePagina(QByteArray("\x8A"), 850), QStringLiteral("è"));
    QCOMPARE(DaCodicePagina(QByteArray("\x8A"), 1252), QStringLiteral("Š"));
}

void TestParadox::severalBlocksAFreeOneAndAnyChainOrder()
{
    for (const bool inverso : {false, true}) {
        ScritturaParadox s;
        s.kbBlocco = 1;
        s.campi = {campoPx(QStringLiteral("Giornata"), Lungo, 4), campoPx(QStringLiteral("Squadra1"), Alfa, 30)};
        for (int i = 1; i <= 1200; ++i)
            s.righe << QList<QVariant>{i, QStringLiteral("Squadra n. %1").arg(i)};
        s.bloccoLiberoInMezzo = true;
        s.ordineInverso = inverso;
        s.scrivi();
        QVERIFY(s.db.size() / 1024 > 30); // 1 KB blocks of 29 rows
        TabellaParadox t;
        QVERIFY2(t.apriDati(s.db, QStringLiteral("giornate.db")), qPrintable(t.errore()));
        QCOMPARE(t.intestazione().numeroRecord, 1200);
        const auto righe = t.righe();
        QVERIFY2(righe, qPrintable(t.errore()));
        QCOMPARE(righe->size(), 1200);
        // The chain's order, not the file's: the writer fills the blocks in chain order.
        for (int i = 0; i < 1200; ++i) {
            QCOMPARE((*righe)[i][0].toLongLong(), i + 1);
            QCOMPARE((*righe)[i][1].toString(), QStringLiteral("Squadra n. %1").arg(i + 1));
        }
    }
}

void TestParadox::tablesWrittenByPxlibReadBack()
{
    QTemporaryDir dir;
    const struct {
        const char *codifica;
        int codice;
    } casi[] = {{"CP437", 437}, {"CP850", 850}, {"CP1252", 1252}};
    for (const auto &caso : casi) {
        const QString percorso = dir.filePath(QStringLiteral("squadre%1.db").arg(caso.codice));
        pxdoc_t *doc = PX_new();
        QVERIFY(doc);
        const int n = 6;
        auto *campi = static_cast<pxfield_t *>(std::calloc(n, sizeof(pxfield_t)));
        const char *nomi[n] = {"Squadre", "Punti", "SetV", "Quoziente", "Riposo", "Dal"};
        const char tipi[n] = {pxfAlpha, pxfShort, pxfLong, pxfNumber, pxfLogical, pxfDate};
        const int lunghezze[n] = {40, 2, 4, 8, 1, 4};
        for (int i = 0; i < n; ++i) {
            campi[i].px_fname = strdup(nomi[i]);
            campi[i].px_ftype = tipi[i];
            campi[i].px_flen = lunghezze[i];
        }
        QCOMPARE(PX_create_file(doc, campi, n, percorso.toLocal8Bit().constData(), pxfFileTypNonIndexDB), 0);
        PX_set_parameter(doc, "targetencoding", caso.codifica);
        PX_set_parameter(doc, "inputencoding", "UTF-8");
        const int righe = 1100; // several data blocks
        std::vector<char> dati(size_t(PX_get_recordsize(doc)));
        for (int r = 0; r < righe; ++r) {
            std::fill(dati.begin(), dati.end(), 0);
            char *p = dati.data();
            QByteArray nome = QStringLiteral("Pallavolo l'Università %1 àéè").arg(r).toUtf8();
            if (r % 7 != 3)
                PX_put_data_alpha(doc, p, 40, nome.data());
            if (r % 5 != 1)
                PX_put_data_short(doc, p + 40, 2, short(r % 2 ? -r : r));
            if (r % 11 != 2)
                PX_put_data_long(doc, p + 42, 4, r * 1000 - 500000);
            PX_put_data_double(doc, p + 46, 8, r / 4.0);
            if (r % 3 != 0)
                PX_put_data_byte(doc, p + 54, 1, char(r % 2));
            PX_put_data_long(doc, p + 55, 4, int(QDate(2025, 9, 1).addDays(r).toJulianDay() - 1721425));
            QVERIFY(PX_put_record(doc, dati.data()) >= 0);
        }
        PX_close(doc);
        PX_delete(doc);

        QVERIFY(EFileParadox(percorso));
        TabellaParadox t;
        QVERIFY2(t.apri(percorso), qPrintable(t.errore()));
        QCOMPARE(t.intestazione().codicePagina, caso.codice);
        QCOMPARE(t.campi().size(), n);
        for (int i = 0; i < n; ++i) {
            QCOMPARE(t.campi()[i].nome, QLatin1String(nomi[i]));
            QCOMPARE(int(t.campi()[i].tipo), int(tipi[i]));
        }
        const auto lette = t.righe();
        QVERIFY2(lette, qPrintable(t.errore()));
        QCOMPARE(lette->size(), righe);
        for (int r = 0; r < righe; ++r) {
            const QList<QVariant> &v = (*lette)[r];
            if (r % 7 == 3)
                QVERIFY(!v[0].isValid());
            else
                QCOMPARE(v[0].toString(), QStringLiteral("Pallavolo l'Università %1 àéè").arg(r));
            if (r % 5 == 1)
                QVERIFY(!v[1].isValid());
            else
                QCOMPARE(v[1].toLongLong(), r % 2 ? -r : r);
            if (r % 11 == 2)
                QVERIFY(!v[2].isValid());
            else
                QCOMPARE(v[2].toLongLong(), r * 1000 - 500000);
            QCOMPARE(v[3].toDouble(), r / 4.0);
            if (r % 3 == 0)
                QVERIFY(!v[4].isValid());
            else
                QCOMPARE(v[4].toBool(), bool(r % 2));
            QCOMPARE(v[5].toDate(), QDate(2025, 9, 1).addDays(r));
        }
    }
}

void TestParadox::damagedFilesAreRefusedNamingThem_data()
{
    QTest::addColumn<QString>("danno");
    for (const char *d : {"vuoto", "intestazione troncata", "non paradox", "campi troppi", "campi zero",
                          "record non corrisponde", "intestazione oltre il file", "blocchi oltre il file",
                          "catena ad anello", "catena fuori dal file", "blocco con troppi record",
                          "record oltre il dichiarato", "record meno del dichiarato", "nomi oltre l'intestazione",
                          "tipo sconosciuto", "memo fuori dal mb", "memo senza mb", "memo voce oltre 64",
                          "memo blocco tipo sbagliato", "memo lunghezza oltre il blocco", "codice pagina sconosciuto",
                          "protetta", "memo condiviso oltre il blocco"})
        QTest::newRow(d) << QString::fromUtf8(d);
}

void TestParadox::damagedFilesAreRefusedNamingThem()
{
    QFETCH(QString, danno);
    ScritturaParadox s = tabellaCompleta();
    s.kbBlocco = 1;
    for (int i = 0; i < 60; ++i)
        s.righe << s.righe[0];
    s.scrivi();
    QVERIFY(s.db.size() > s.inizioBlocco(3));
    QByteArray &db = s.db;
    std::optional<QByteArray> mb = s.mb;
    auto put16 = [&](QByteArray &b, qint64 at, int v) {
        b[at] = char(v & 0xFF);
        b[at + 1] = char((v >> 8) & 0xFF);
    };
    // The leader of the second row's "Campi" memo (the long one in its own block of the .mb).
    const qint64 dimRecord = 2 + 4 + 4 + 8 + 8 + 1 + 4 + 4 + 20 + 15 + 30;
    const qint64 leaderLungo = s.inizioBlocco(1) + 6 + dimRecord + 30 + 2 + 4 + 4 + 8 + 8 + 1 + 4 + 4 + 10;
    const qint64 leaderCondiviso = s.inizioBlocco(1) + 6 + dimRecord - 10; // row 0 "Formato", 39 bytes
    if (danno == "vuoto")
        db.clear();
    else if (danno == "intestazione troncata")
        db.truncate(0x40);
    else if (danno == "non paradox")
        db = QByteArray("SQLite format 3\0", 16) + QByteArray(4000, 'x');
    else if (danno == "campi troppi")
        put16(db, 0x21, 200);
    else if (danno == "campi zero")
        put16(db, 0x21, 0);
    else if (danno == "record non corrisponde")
        put16(db, 0x00, dimRecord + 1);
    else if (danno == "intestazione oltre il file")
        put16(db, 0x02, 0xF000);
    else if (danno == "blocchi oltre il file")
        put16(db, 0x0C, 400);
    else if (danno == "catena ad anello")
        put16(db, s.inizioBlocco(2), 1);
    else if (danno == "catena fuori dal file")
        put16(db, s.inizioBlocco(1), 999);
    else if (danno == "blocco con troppi record")
        put16(db, s.inizioBlocco(1) + 4, 0x7F00 / dimRecord * dimRecord);
    else if (danno == "record oltre il dichiarato")
        put16(db, 0x06, 10);
    else if (danno == "record meno del dichiarato")
        put16(db, 0x06, 64);
    else if (danno == "nomi oltre l'intestazione") {
        const qint64 nomi = s.inizioCampi + 2 * 11 + 4 + 44 + 261;
        for (qint64 i = nomi; i < 0x800; ++i)
            db[i] = 'A';
    } else if (danno == "tipo sconosciuto")
        db[s.inizioCampi] = char(0x42);
    else if (danno == "memo fuori dal mb")
        db[leaderLungo + 3] = char(0x70); // an offset far past the end of the .mb
    else if (danno == "memo senza mb")
        mb.reset();
    else if (danno == "memo voce oltre 64")
        db[leaderCondiviso] = char(70);
    else if (danno == "memo blocco tipo sbagliato")
        (*mb)[4096] = 7; // the first block after the .mb header
    else if (danno == "memo lunghezza oltre il blocco") {
        // The long memo declares a length that its block and the file cannot hold.
        const qint64 pos = qint64(quint8(db[leaderLungo + 1])) << 8 | qint64(quint8(db[leaderLungo + 2])) << 16;
        QVERIFY(pos > 0);
        db[leaderLungo + 4 + 3] = char(0x10);
        (*mb)[pos + 3 + 3] = char(0x10);
    } else if (danno == "codice pagina sconosciuto")
        put16(db, 0x6A, 932);
    else if (danno == "protetta")
        db[0x5C] = char(0x5A);
    else if (danno == "memo condiviso oltre il blocco") {
        const qint64 pos = qint64(quint8(db[leaderCondiviso + 1])) << 8 | qint64(quint8(db[leaderCondiviso + 2])) << 16;
        const qint64 voce = pos + 12 + 5 * quint8(db[leaderCondiviso]);
        (*mb)[voce] = char(0xFF); // data starting 16 bytes before the block's end
        (*mb)[voce + 1] = char(0x10);
    }

    TabellaParadox t;
    bool ok = t.apriDati(db, QStringLiteral("/cartella/tabexport.db"), mb);
    if (ok)
        ok = t.righe().has_value();
    QVERIFY2(!ok, "a damaged file was read as sound");
    QVERIFY2(t.errore().contains(QStringLiteral("\"/cartella/tabexport.db\"")), qPrintable(t.errore()));
}

void TestParadox::recognisedByTheHeaderNotTheName()
{
    QTemporaryDir dir;
    ScritturaParadox s = tabellaCompleta();
    s.scrivi();
    QVERIFY(s.salva(dir.path(), QStringLiteral("qualsiasi.dat")));
    QVERIFY(EFileParadox(dir.filePath(QStringLiteral("qualsiasi.dat"))));
    // The memo file beside it is found by the base name, whatever its case.
    QVERIFY(QFile::rename(dir.filePath(QStringLiteral("qualsiasi.mb")), dir.filePath(QStringLiteral("QUALSIASI.MB"))));
    TabellaParadox t;
    QVERIFY2(t.apri(dir.filePath(QStringLiteral("qualsiasi.dat"))), qPrintable(t.errore()));
    QVERIFY2(t.righe(), qPrintable(t.errore()));

    QFile testo(dir.filePath(QStringLiteral("giornate.db")));
    QVERIFY(testo.open(QIODevice::WriteOnly));
    testo.write(QByteArray("SQLite format 3\0", 16) + QByteArray(4096, '\0'));
    testo.close();
    QVERIFY(!EFileParadox(testo.fileName()));
    QVERIFY(!EFileParadox(dir.path())); // a folder
    QVERIFY(!EFileParadox(dir.filePath(QStringLiteral("manca.db"))));
    QVERIFY(!t.apri(dir.path()));
    QVERIFY(t.errore().contains(dir.path()));
}

QTEST_GUILESS_MAIN(TestParadox)
#include "test_paradox.moc"
