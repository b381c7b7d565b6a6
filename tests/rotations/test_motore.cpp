// The rotation engine by rule, every expectation worked out by hand: placement and its modulus,
// the server's mark, the libero, the switch (and its mend for edited roles), the texts, the colours,
// two whole six-rotation match-ups and the reception formations.
#include "rotations/motore.h"

#include <QtTest>

using namespace rotazioni;

namespace {

// Team "A": method P-S-C-O-S-C, ids 1 to 6 in slot order, libero 7.
// Team "B": method P-C-S-O-C-S, ids 11 to 16 in slot order, libero 17.
struct Voce {
    int id;
    const char *sigla; // how the tests write the player
    const char *numero, *nome, *cognome, *ruolo, *battuta;
};
const Voce Rosa[] = {
    {1, "P", "1", "Marco", "Rossi", "P", "FLOAT"},         {2, "S1", "2", "Luca", "Bianchi", "S", "SALTO"},
    {3, "C1", "3", "Gianni", "D'Amico", "C", "FLOAT"},     {4, "O", "4", "Paolo", "Verdi", "O", "SALTOFLOAT"},
    {5, "S2", "5", "Ugo", "Neri", "S", "SALTO"},           {6, "C2", "6", "Aldo", "Gialli", "C", "FLOAT"},
    {7, "L", "7", "Oscar", "Mori", "L", "FLOAT"},          {11, "P'", "21", "Nino", "Lodi", "P", "FLOAT"},
    {12, "C1'", "22", "Dario", "Conti", "C", "SALTO"},     {13, "S1'", "23", "Enzo", "Ferri", "S", "FLOAT"},
    {14, "O'", "24", "Fabio", "Galli", "O", "SALTO"},      {15, "C2'", "25", "Piero", "Pace", "C", "FLOAT"},
    {16, "S2'", "26", "Remo", "Sala", "S", "SALTOFLOAT"},  {17, "L'", "27", "Tino", "Vago", "L", "FLOAT"},
};

ElencoFisso elenco()
{
    ElencoFisso e;
    for (const Voce &v : Rosa)
        e.aggiungi({v.id, QLatin1String(v.numero), QLatin1String(v.nome), QString::fromUtf8(v.cognome),
                    QLatin1String(v.ruolo), QLatin1String(v.battuta)});
    return e;
}

RigaFormazione riga(const QString &metodo, const std::array<int, 6> &ids, int libero)
{
    RigaFormazione r;
    r.metodo = metodo;
    for (int i = 0; i < 6; ++i)
        r.posti[i] = QString::number(ids[i]);
    r.libero = QString::number(libero);
    return r;
}
RigaFormazione rigaA() { return riga(QStringLiteral("P-S-C-O-S-C"), {1, 2, 3, 4, 5, 6}, 7); }
RigaFormazione rigaB() { return riga(QStringLiteral("P-C-S-O-C-S"), {11, 12, 13, 14, 15, 16}, 17); }

// A zone value as the tests write it: the player's sign, with "b" for the server; "-" for none.
QString sigla(const QString &valore)
{
    const QString id = IdDelValore(valore);
    QString s = QStringLiteral("-");
    for (const Voce &v : Rosa)
        if (QString::number(v.id) == id)
            s = QLatin1String(v.sigla);
    return HaMarcaBattuta(valore) ? QStringLiteral("b") + s : s;
}
// Zones 1 to 6.
QStringList sigle(const Zone &z)
{
    QStringList l;
    for (const QString &v : z)
        l << sigla(v);
    return l;
}
QStringList L(const char *testo) { return QString::fromUtf8(testo).split(QLatin1Char(' ')); }

// The visible places of a half of the big court, as "place:number".
QStringList visibili(const MetaCampo &m)
{
    QStringList l;
    for (int p = 1; p <= 13; ++p)
        if (m.posto(p).visibile)
            l << QStringLiteral("%1:%2").arg(p).arg(m.posto(p).numero);
    return l;
}

OpzioniCampo tutteAccese()
{
    OpzioniCampo o;
    o.letteraP = o.nomeInCampoGrande = o.cognomeInCampoGrande = o.grassettoBattuta = o.coloraGiocatori = true;
    o.coloreP = QStringLiteral("Fucsia");
    o.coloreO = QStringLiteral("Verde");
    o.coloreS = QStringLiteral("Rosso");
    o.coloreC = QStringLiteral("Celeste");
    o.coloreL = QStringLiteral("Nessuno");
    o.colorePic = QStringLiteral("Giallo");
    return o;
}

} // namespace

class TestMotore : public QObject {
    Q_OBJECT
private slots:
    void modulo_e_zone();
    void numerazione_delle_rotazioni();
    void casi_del_regolamento();
    void incontro_a_batte_da_1_contro_3();
    void incontro_b_batte_da_2_contro_4();
    void scambio_solo_se_permutazione();
    void slot_vuoti_e_giocatori_scomparsi();
    void testi_dei_campi();
    void colori();
    void panoramica_celle_grassetto_e_colore();
    void ricezione_in_tre_rotazioni();
    void ricezione_contro_battuta_in_salto();
    void dettaglio_titolo_colori_e_battuta();
    void ricezione_con_ruoli_modificati();
};

void TestMotore::modulo_e_zone()
{
    QCOMPARE(Modulo6(-5), 1);
    QCOMPARE(Modulo6(-1), 5);
    QCOMPARE(Modulo6(6), 0);
    // Zone 1 with the setter in zone 6 takes slot 2, never slot -4.
    QCOMPARE(PostoInZona(1, 6), 2);
    // The whole placement table: row v, zones 1 to 6.
    const int tabella[6][6] = {{1, 2, 3, 4, 5, 6}, {6, 1, 2, 3, 4, 5}, {5, 6, 1, 2, 3, 4},
                               {4, 5, 6, 1, 2, 3}, {3, 4, 5, 6, 1, 2}, {2, 3, 4, 5, 6, 1}};
    for (int v = 1; v <= 6; ++v)
        for (int z = 1; z <= 6; ++z)
            QCOMPARE(PostoInZona(z, v), tabella[v - 1][z - 1]);
    for (int x = 1; x <= 12; ++x)
        QCOMPARE(ZonaPalleggiatore(x), x < 7 ? x : x - 6);
}

void TestMotore::numerazione_delle_rotazioni()
{
    const int offset[6] = {0, 5, 4, 3, 2, 1};
    for (int n = 1; n <= 6; ++n) {
        QCOMPARE(OffsetDiRotazione(n), offset[n - 1]);
        QCOMPARE(RotazioneDiOffset(offset[n - 1]), n);
        QCOMPARE(ZonaPalleggiatore(1 + OffsetDiRotazione(n)), n == 1 ? 1 : 8 - n);
    }
    QCOMPARE(OrdinaleRotazione(2), QStringLiteral("seconda"));
    QCOMPARE(OrdinaleRotazione(6), QStringLiteral("sesta"));
    // Starting zone 4: rotation 1 in zone 4, rotation 2 in zone 3, rotation 6 in zone 5.
    QCOMPARE(ZonaPalleggiatore(4 + OffsetDiRotazione(1)), 4);
    QCOMPARE(ZonaPalleggiatore(4 + OffsetDiRotazione(2)), 3);
    QCOMPARE(ZonaPalleggiatore(4 + OffsetDiRotazione(6)), 5);
}

void TestMotore::casi_del_regolamento()
{
    const ElencoFisso e = elenco();
    const RigaFormazione a = rigaA();
    // Rotation 1, serving: before the switch P(b) S1 C1 O S2 C2, the libero for C2 in zone 6.
    QCOMPARE(sigle(SchieraRotazione(a, 1, 0, true, false, e)), L("bP S1 C1 O S2 C2"));
    QCOMPARE(sigle(SchieraRotazione(a, 1, 0, true, true, e)), L("bP O C1 S1 L S2"));
    // Rotation 2, serving: before S1(b) C1 O S2 C2 P; the libero for C2 in zone 5.
    QCOMPARE(sigle(SchieraRotazione(a, 1, 5, true, false, e)), L("bS1 C1 O S2 C2 P"));
    QCOMPARE(sigle(SchieraRotazione(a, 1, 5, true, true, e)), L("P O C1 S2 L bS1"));
    // Rotation 1, receiving: the back row keeps its order.
    QCOMPARE(sigle(SchieraRotazione(a, 1, 0, false, true, e)), L("P O C1 S1 S2 L"));
    // A middle serving from zone 1 is never replaced; a receiving middle in zone 1 is.
    QCOMPARE(sigle(SchieraRotazione(a, 1, 4, true, true, e)), L("P O C2 S2 bC1 S1"));
    QCOMPARE(sigle(SchieraRotazione(a, 1, 4, false, true, e)), L("L O C2 S2 P S1"));
    // Switch off: the pure rotational order, only the mark.
    QCOMPARE(sigle(SchieraRotazione(a, 1, 3, true, false, e)), L("bO S2 C2 P S1 C1"));
    QCOMPARE(sigle(SchieraRotazione(a, 1, 3, false, false, e)), L("O S2 C2 P S1 C1"));
    // No libero: nobody comes in, the switch still runs.
    RigaFormazione senza = a;
    senza.libero = QStringLiteral("0");
    QCOMPARE(sigle(SchieraRotazione(senza, 1, 0, true, true, e)), L("bP O C1 S1 C2 S2"));
    senza.libero.clear();
    QCOMPARE(sigle(SchieraRotazione(senza, 1, 0, false, true, e)), L("P O C1 S1 S2 C2"));
    // Starting zone 4.
    QCOMPARE(sigle(SchieraRotazione(a, 4, 0, false, false, e)), L("O S2 C2 P S1 C1"));
    QCOMPARE(sigle(SchieraRotazione(a, 4, OffsetDiRotazione(2), false, false, e)), L("S2 C2 P S1 C1 O"));
    QCOMPARE(sigle(SchieraRotazione(a, 4, OffsetDiRotazione(6), false, false, e)), L("C1 O S2 C2 P S1"));
}

// Match-up one: A (P-S-C-O-S-C) from zone 1 serves, B (P-C-S-O-C-S) from zone 3 receives.
void TestMotore::incontro_a_batte_da_1_contro_3()
{
    const ElencoFisso e = elenco();
    const char *const attesiA[6] = {
        "bP O C1 S1 L S2", // 1: setter in 1; L for C2 in 6
        "P O C1 S2 L bS1", // 2: setter in 6; L for C2 in 5
        "P O C2 S2 bC1 S1", // 3: setter in 5; the serving middle stays
        "bO P C2 S2 L S1", // 4: setter in 4; L for C1 in 6
        "O P C2 S1 L bS2", // 5: setter in 3; L for C1 in 5
        "O P C1 S1 bC2 S2", // 6: setter in 2; the serving middle stays
    };
    const char *const attesiB[6] = {
        "L' P' C1' S2' S1' O'", // 1: setter in 3; L' for C2' in 1
        "S2' P' C1' S1' O' L'", // 2: setter in 2; L' for C2' in 6
        "P' O' C1' S1' L' S2'", // 3: setter in 1; L' for C2' in 5
        "L' O' C2' S1' S2' P'", // 4: setter in 6; L' for C1' in 1
        "S1' O' C2' S2' P' L'", // 5: setter in 5; L' for C1' in 6
        "O' P' C2' S2' L' S1'", // 6: setter in 4; L' for C1' in 5
    };
    const Panoramica p = GeneraPanoramica(rigaA(), rigaB(), 1, 3, Squadra::A, true, e, OpzioniCampo());
    for (int n = 1; n <= 6; ++n) {
        const int k = OffsetDiRotazione(n);
        QCOMPARE(sigle(p.valori[0][k]), L(attesiA[n - 1]));
        QCOMPARE(sigle(p.valori[1][k]), L(attesiB[n - 1]));
        const Dettaglio d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, n, Squadra::A, true, e, OpzioniCampo());
        QCOMPARE(sigle(d.squadra(Squadra::A).valori), L(attesiA[n - 1]));
        QCOMPARE(sigle(d.squadra(Squadra::B).valori), L(attesiB[n - 1]));
    }
}

// Match-up two: A from zone 4 receives, B from zone 2 serves.
void TestMotore::incontro_b_batte_da_2_contro_4()
{
    const ElencoFisso e = elenco();
    const char *const attesiA[6] = {
        "O P C2 S2 S1 L", // 1: setter in 4; L for C1 in 6
        "S2 P C2 S1 L O", // 2: setter in 3; L for C1 in 5
        "L P C1 S1 O S2", // 3: setter in 2; L for C2 in 1
        "P O C1 S1 S2 L", // 4: setter in 1; L for C2 in 6
        "S1 O C1 S2 L P", // 5: setter in 6; L for C2 in 5
        "L O C2 S2 P S1", // 6: setter in 5; L for C1 in 1
    };
    const char *const attesiB[6] = {
        "O' P' C1' S1' L' bS2'", // 1: setter in 2; L' for C2' in 6
        "bP' O' C1' S1' L' S2'", // 2: setter in 1; L' for C2' in 5
        "P' O' C2' S1' bC1' S2'", // 3: setter in 6; the serving middle stays
        "P' O' C2' S2' L' bS1'", // 4: setter in 5; L' for C1' in 6
        "bO' P' C2' S2' L' S1'", // 5: setter in 4; L' for C1' in 5
        "O' P' C1' S2' bC2' S1'", // 6: setter in 3; the serving middle stays
    };
    const Panoramica p = GeneraPanoramica(rigaA(), rigaB(), 4, 2, Squadra::B, true, e, OpzioniCampo());
    for (int n = 1; n <= 6; ++n) {
        const int k = OffsetDiRotazione(n);
        QCOMPARE(sigle(p.valori[0][k]), L(attesiA[n - 1]));
        QCOMPARE(sigle(p.valori[1][k]), L(attesiB[n - 1]));
    }
    // Without the switch the overview is the pure rotation, B's zone 1 marked.
    const Panoramica puro = GeneraPanoramica(rigaA(), rigaB(), 4, 2, Squadra::B, false, e, OpzioniCampo());
    QCOMPARE(sigle(puro.valori[0][OffsetDiRotazione(1)]), L("O S2 C2 P S1 C1"));
    QCOMPARE(sigle(puro.valori[1][OffsetDiRotazione(1)]), L("bS2' P' C1' S1' O' C2'"));
}

void TestMotore::scambio_solo_se_permutazione()
{
    // The opposite's role edited to "S" after the line-up was saved: the front row S1 C1 O(now S)
    // would send two players to zone 4 and leave zone 2 holding S1 twice. It keeps its order.
    ElencoFisso e = elenco();
    Giocatore o = *e.giocatore(4);
    o.ruolo = QStringLiteral("S");
    e.aggiungi(o);
    const Zone z = SchieraRotazione(rigaA(), 1, 0, true, true, e);
    QCOMPARE(sigle(z), L("bP S1 C1 O L S2"));
    QSet<QString> ids;
    for (const QString &v : z)
        ids.insert(IdDelValore(v));
    QCOMPARE(ids.size(), 6);

    // An outside hitter edited to "C": two middles in the back row. The libero, one player, takes
    // the first one's place; the back row no longer switches cleanly and keeps its order.
    ElencoFisso f = elenco();
    Giocatore s2 = *f.giocatore(5);
    s2.ruolo = QStringLiteral("C");
    f.aggiungi(s2);
    QCOMPARE(sigle(SchieraRotazione(rigaA(), 1, 0, true, true, f)), L("bP O C1 S1 L C2"));
    // Receiving, middles in zones 5 and 6: only zone 5 takes the libero.
    QCOMPARE(sigle(SchieraRotazione(rigaA(), 1, 0, false, true, f)), L("P O C1 S1 L C2"));
}

void TestMotore::slot_vuoti_e_giocatori_scomparsi()
{
    ElencoFisso e = elenco();
    RigaFormazione r = rigaA();
    r.posti[2] = QString();                // C1 missing: empty field
    r.posti[1] = QStringLiteral("0");      // S1 missing: 0
    r.posti[4] = QStringLiteral("99");     // a player deleted since
    QCOMPARE(RuoloGiocatore(r.posti[2], e), NonDisponibile);
    QCOMPARE(RuoloGiocatore(r.posti[1], e), NonDisponibile);
    QCOMPARE(BattutaGiocatore(QStringLiteral("b"), e), NonDisponibile);
    QCOMPARE(RuoloGiocatore(r.posti[4], e), QString());
    // The front row cannot switch (empty slots move nothing), so it keeps its order; the back row
    // with the deleted player neither.
    const Zone z = SchieraRotazione(r, 1, 0, true, true, e);
    QCOMPARE(z, (Zone{QStringLiteral("b1"), QStringLiteral("0"), QString(), QStringLiteral("4"), QStringLiteral("99"),
                      QStringLiteral("7")}));
    const OpzioniCampo o = tutteAccese();
    QCOMPARE(TestoCampoPiccolo(z[1], e, o), QStringLiteral("N.d."));
    QCOMPARE(TestoCampoPiccolo(z[2], e, o), QStringLiteral("N.d."));
    QCOMPARE(TestoCampoPiccolo(QStringLiteral("b"), e, o), QStringLiteral("N.d."));
    QCOMPARE(TestoCampoGrande(z[2], e, o), QStringLiteral("Da inserire"));
    QCOMPARE(NumeroGiocatore(z[2], e), QStringLiteral("Da inserire"));
    QCOMPARE(SchedaGiocatore(z[2], e), QStringLiteral("Non disponibile."));
    QCOMPARE(DescrizioneFormazione(z[2], e), QStringLiteral("Da inserire"));
    // The deleted player gives empty texts everywhere.
    for (const QString &t : {TestoCampoPiccolo(z[4], e, o), TestoCampoGrande(z[4], e, o), NumeroGiocatore(z[4], e),
                             SchedaGiocatore(z[4], e), DescrizioneFormazione(z[4], e)})
        QCOMPARE(t, QString());
    // A whole empty line-up (a team without a row) gives N.d. everywhere.
    const Panoramica p = GeneraPanoramica(RigaFormazione(), RigaFormazione(), 1, 1, Squadra::A, true, e, o);
    for (int k = 0; k < 6; ++k)
        for (int zona = 1; zona <= 6; ++zona)
            QCOMPARE(p.cella(Squadra::A, zona, k).testo, QStringLiteral("N.d."));
}

void TestMotore::testi_dei_campi()
{
    const ElencoFisso e = elenco();
    OpzioniCampo o;
    QCOMPARE(TestoCampoPiccolo(QStringLiteral("b1"), e, o), QStringLiteral("b1"));
    QCOMPARE(TestoCampoGrande(QStringLiteral("1"), e, o), QStringLiteral("1"));
    o.letteraP = true;
    QCOMPARE(TestoCampoPiccolo(QStringLiteral("1"), e, o), QStringLiteral("1p"));
    QCOMPARE(TestoCampoPiccolo(QStringLiteral("b1"), e, o), QStringLiteral("b1p"));
    QCOMPARE(TestoCampoPiccolo(QStringLiteral("b4"), e, o), QStringLiteral("b4"));
    o.nomeInCampoGrande = true;
    QCOMPARE(TestoCampoGrande(QStringLiteral("b1"), e, o), QStringLiteral("b1p\r\nMarco"));
    o.cognomeInCampoGrande = true;
    QCOMPARE(TestoCampoGrande(QStringLiteral("3"), e, o), QStringLiteral("3\r\nGianni\r\nD'Amico"));
    o.nomeInCampoGrande = false;
    QCOMPARE(TestoCampoGrande(QStringLiteral("3"), e, o), QStringLiteral("3\r\nD'Amico"));
    QCOMPARE(NumeroGiocatore(QStringLiteral("b14"), e), QStringLiteral("24"));
    QCOMPARE(SchedaGiocatore(QStringLiteral("b14"), e), QStringLiteral("O - 24 - SALTO"));
    QCOMPARE(DescrizioneFormazione(QStringLiteral("3"), e), QStringLiteral("3 - Gianni D'Amico (FLOAT)"));
    QCOMPARE(BattutaGiocatore(QStringLiteral("b16"), e), QStringLiteral("SALTOFLOAT"));
}

void TestMotore::colori()
{
    QCOMPARE(ColoreDaNome(QStringLiteral("Verde")), QColor(0x00, 0x80, 0x00));
    QCOMPARE(ColoreDaNome(QStringLiteral("Rosso")), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(ColoreDaNome(QStringLiteral("Blu")), QColor(0x00, 0x00, 0xFF));
    QCOMPARE(ColoreDaNome(QStringLiteral("Celeste")), QColor(0x00, 0xFF, 0xFF));
    QCOMPARE(ColoreDaNome(QStringLiteral("Oliva")), QColor(0x80, 0x80, 0x00));
    QCOMPARE(ColoreDaNome(QStringLiteral("Nessuno")), QColor(Qt::white));
    QCOMPARE(ColoreDaNome(QStringLiteral("verde")), QColor(Qt::white));
    QCOMPARE(ColoreDaNome(QString()), QColor(Qt::white));
}

void TestMotore::panoramica_celle_grassetto_e_colore()
{
    const ElencoFisso e = elenco();
    OpzioniCampo o = tutteAccese();
    Panoramica p = GeneraPanoramica(rigaA(), rigaB(), 1, 3, Squadra::A, true, e, o);
    // A4R2: team A, zone 4, offset 1 (rotation 6): S1 = shirt 2.
    QCOMPARE(p.cella(Squadra::A, 4, 1).testo, QStringLiteral("2"));
    // Rotation 1: the serving setter reads "b1p", bold and coloured.
    const CellaPiccola &servente = p.cella(Squadra::A, 1, 0);
    QCOMPARE(servente.testo, QStringLiteral("b1p"));
    QVERIFY(servente.grassetto);
    QCOMPARE(servente.sfondo, QColor(0xFF, 0xFF, 0x00));
    // B's setter in zone 2 at rotation 1: "21p", coloured, not bold; others white and regular.
    QCOMPARE(p.cella(Squadra::B, 2, 0).testo, QStringLiteral("21p"));
    QVERIFY(!p.cella(Squadra::B, 2, 0).grassetto);
    QCOMPARE(p.cella(Squadra::B, 2, 0).sfondo, QColor(0xFF, 0xFF, 0x00));
    QCOMPARE(p.cella(Squadra::B, 3, 0).sfondo, QColor(Qt::white));
    // Rotation 2's server is S1 in zone 6 after the switch: "b2", bold, white.
    QCOMPARE(p.cella(Squadra::A, 6, 5).testo, QStringLiteral("b2"));
    QVERIFY(p.cella(Squadra::A, 6, 5).grassetto);
    QCOMPARE(p.cella(Squadra::A, 6, 5).sfondo, QColor(Qt::white));

    o.letteraP = false;
    o.grassettoBattuta = false;
    p = GeneraPanoramica(rigaA(), rigaB(), 1, 3, Squadra::A, true, e, o);
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 6; ++k)
            for (const CellaPiccola &c : p.celle[s][k]) {
                QVERIFY(!c.testo.endsWith(QLatin1Char('p')));
                QVERIFY(!c.grassetto);
                QCOMPARE(c.sfondo, QColor(Qt::white));
            }
    QCOMPARE(p.cella(Squadra::A, 1, 0).testo, QStringLiteral("b1"));
}

void TestMotore::ricezione_in_tre_rotazioni()
{
    const ElencoFisso e = elenco();
    const OpzioniCampo o;
    // Match-up one, B receives. Rotation 1 (L' P' C1' S2' S1' O', A serves FLOAT): O' from zone 6
    // aside to 7, S1' from 5 to 12, L' from 1 to 13; the front row stays.
    Dettaglio d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 1, Squadra::A, true, e, o);
    QCOMPARE(d.squadra(Squadra::A).battuta, QStringLiteral("FLOAT"));
    QCOMPARE(visibili(d.squadra(Squadra::B)), L("2:21 3:22 4:26 7:24 12:23 13:27"));
    // The serving team is never rearranged.
    QCOMPARE(visibili(d.squadra(Squadra::A)), L("1:1 2:4 3:3 4:2 5:7 6:5"));
    // Rotation 2 (S2' P' C1' S1' O' L', A's S1 serves SALTO): O' 5 -> 7; L' 6 -> 12 since zone 5
    // holds the opposite; S2' 1 -> 13; S1' drops from zone 4 to 10.
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 2, Squadra::A, true, e, o);
    QCOMPARE(d.squadra(Squadra::A).battuta, QStringLiteral("SALTO"));
    QCOMPARE(visibili(d.squadra(Squadra::B)), L("2:21 3:22 7:24 10:23 12:27 13:26"));
    QCOMPARE(d.squadra(Squadra::B).posto(10).testo, QStringLiteral("23"));
    // Rotation 3 (P' O' C1' S1' L' S2'): the setter from zone 1 to 8, zones 2 and 4 exchange their
    // texts and numbers (cards stay); L' 5 -> 12; S2' 6 -> 13 since zone 1 holds the setter.
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 3, Squadra::A, true, e, o);
    const MetaCampo &b = d.squadra(Squadra::B);
    QCOMPARE(visibili(b), L("2:23 3:22 4:24 8:21 12:27 13:26"));
    QCOMPARE(b.posto(2).testo, QStringLiteral("23"));
    QCOMPARE(b.posto(2).scheda, QStringLiteral("O - 24 - SALTO"));
    QCOMPARE(b.posto(4).scheda, QStringLiteral("S - 23 - FLOAT"));
    // Rotation 4 (L' O' C2' S1' S2' P'): the setter from zone 6 to 9, S2' 5 -> 12, L' 1 -> 13.
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 4, Squadra::A, true, e, o);
    QCOMPARE(visibili(d.squadra(Squadra::B)), L("2:24 3:25 4:23 9:21 12:26 13:27"));
    // Rotation 5 (S1' O' C2' S2' P' L', A's S2 serves SALTO): the setter from zone 5 to 11; L'
    // from 6 to 12 since zone 5 holds the setter; S1' 1 -> 13; S2' 4 -> 10.
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 5, Squadra::A, true, e, o);
    QCOMPARE(visibili(d.squadra(Squadra::B)), L("2:24 3:25 10:26 11:21 12:27 13:23"));
    // Match-up two, A receives rotation 3 (L P C1 S1 O S2) against B's C1' jump serve: O 5 -> 7,
    // S2 6 -> 12 (zone 5 holds the opposite), L 1 -> 13, S1 4 -> 10.
    d = DettaglioRotazione(rigaA(), rigaB(), 4, 2, 3, Squadra::B, true, e, o);
    QCOMPARE(d.squadra(Squadra::B).battuta, QStringLiteral("SALTO"));
    QCOMPARE(visibili(d.squadra(Squadra::A)), L("2:1 3:3 7:4 10:2 12:5 13:7"));
    // Switch off: no reception formation.
    d = DettaglioRotazione(rigaA(), rigaB(), 4, 2, 3, Squadra::B, false, e, o);
    QCOMPARE(visibili(d.squadra(Squadra::A)), L("1:6 2:1 3:2 4:3 5:4 6:5"));
}

void TestMotore::ricezione_contro_battuta_in_salto()
{
    // B serves, A's setter in zone 1 (match-up two, rotation 4: P O C1 S1 S2 L). B's server is S1'.
    ElencoFisso e = elenco();
    const OpzioniCampo o = tutteAccese();
    for (const char *battuta : {"SALTO", "SALTOFLOAT", "FLOAT"}) {
        Giocatore s1 = *e.giocatore(13);
        s1.battuta = QLatin1String(battuta);
        e.aggiungi(s1);
        const Dettaglio d = DettaglioRotazione(rigaA(), rigaB(), 4, 2, 4, Squadra::B, true, e, o);
        const MetaCampo &a = d.squadra(Squadra::A);
        QCOMPARE(d.squadra(Squadra::B).battuta, QLatin1String(battuta));
        // Setter at 8; zones 2 and 4 exchanged: zone 2 shows S1 (shirt 2), zone 4 the opposite.
        QCOMPARE(a.posto(8).numero, QStringLiteral("1"));
        QCOMPARE(a.posto(8).cerchio, QColor(0xFF, 0x00, 0xFF));
        QCOMPARE(a.posto(2).numero, QStringLiteral("2"));
        QCOMPARE(a.posto(2).cerchio, QColor(0xFF, 0x00, 0x00));
        QCOMPARE(a.posto(4).testo, QStringLiteral("4\r\nPaolo\r\nVerdi"));
        if (QLatin1String(battuta) == QLatin1String("SALTO")) {
            // The player now shown in zone 4, the opposite, drops back to 10 with his colour.
            QCOMPARE(visibili(a), L("2:2 3:3 8:1 10:4 12:5 13:7"));
            QCOMPARE(a.posto(10).cerchio, QColor(0x00, 0x80, 0x00));
        } else {
            QCOMPARE(visibili(a), L("2:2 3:3 4:4 8:1 12:5 13:7"));
        }
    }
}

void TestMotore::dettaglio_titolo_colori_e_battuta()
{
    const ElencoFisso e = elenco();
    OpzioniCampo o = tutteAccese();
    // A from zone 1, B from zone 3, second rotation.
    Dettaglio d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 2, Squadra::A, true, e, o);
    QCOMPARE(d.titolo, QStringLiteral("ZP6 Dettaglio seconda rotazione ZP2"));
    QCOMPARE(d.squadra(Squadra::A).zonaPalleggiatore, 6);
    QCOMPARE(d.squadra(Squadra::B).zonaPalleggiatore, 2);
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 4, 2, Squadra::A, true, e, o);
    QCOMPARE(d.titolo, QStringLiteral("ZP6 Dettaglio seconda rotazione ZP3"));
    // Serve label and picture only for the serving team.
    QCOMPARE(d.squadra(Squadra::A).battuta, QStringLiteral("SALTO"));
    QVERIFY(d.squadra(Squadra::A).immagineBattuta);
    QCOMPARE(d.squadra(Squadra::B).battuta, QString());
    QVERIFY(!d.squadra(Squadra::B).immagineBattuta);
    // Rotation 2 of A: P O C1 S2 L bS1; circles by role, the libero "Nessuno" white.
    const MetaCampo &a = d.squadra(Squadra::A);
    QCOMPARE(a.posto(1).cerchio, QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(a.posto(2).cerchio, QColor(0x00, 0x80, 0x00));
    QCOMPARE(a.posto(3).cerchio, QColor(0x00, 0xFF, 0xFF));
    QCOMPARE(a.posto(4).cerchio, QColor(0xFF, 0x00, 0x00));
    QCOMPARE(a.posto(5).cerchio, QColor(Qt::white));
    QCOMPARE(a.posto(6).testo, QStringLiteral("b2\r\nLuca\r\nBianchi"));
    QCOMPARE(a.posto(6).scheda, QStringLiteral("S - 2 - SALTO"));
    QCOMPARE(a.posto(1).testo, QStringLiteral("1p\r\nMarco\r\nRossi"));
    // Colours off: every circle white, also at the reception spots.
    o.coloraGiocatori = false;
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 3, 2, Squadra::A, true, e, o);
    for (const MetaCampo &m : d.squadre)
        for (const PostoGrande &p : m.posti)
            QCOMPARE(p.cerchio, QColor(Qt::white));
}

// Roles edited after the line-up was saved can send two players to one reception spot, or one player
// to two spots. Each player is still shown exactly once, in his rotational position: the second
// move to a taken spot, and the move of a player already moved, are left out.
void TestMotore::ricezione_con_ruoli_modificati()
{
    const auto unaVoltaCiascuno = [](const MetaCampo &m) {
        std::array<int, 7> volte{};
        for (int p = 1; p <= 13; ++p)
            if (m.posto(p).visibile)
                ++volte[m.posto(p).rotazionale];
        for (int r = 1; r <= 6; ++r)
            if (volte[r] != 1)
                return false;
        return true;
    };
    // S2 edited to "O": rotation 1, A receiving with P in zone 1, S2 (now O) in zone 5, the libero in 6.
    // Rule 6 would move the libero to spot 13 and then again to spot 12.
    ElencoFisso e = elenco();
    Giocatore s2 = *e.giocatore(5);
    s2.ruolo = QStringLiteral("O");
    e.aggiungi(s2);
    Dettaglio d = DettaglioRotazione(rigaA(), rigaB(), 1, 1, 1, Squadra::B, true, e, OpzioniCampo());
    const MetaCampo &a = d.squadra(Squadra::A);
    QCOMPARE(visibili(a), L("2:2 3:3 4:4 7:5 8:1 13:7"));
    QCOMPARE(a.posto(13).rotazionale, 6);
    QVERIFY(unaVoltaCiascuno(a));
    // S2 and C2 both edited to "O" (no middle at the back, so no libero): rule 4 would put both at
    // spot 7 and lose S2. The second stays in his zone.
    Giocatore c2 = *e.giocatore(6);
    c2.ruolo = QStringLiteral("O");
    e.aggiungi(c2);
    d = DettaglioRotazione(rigaA(), rigaB(), 1, 1, 1, Squadra::B, true, e, OpzioniCampo());
    QCOMPARE(visibili(d.squadra(Squadra::A)), L("2:2 3:3 4:4 6:6 7:5 8:1"));
    QVERIFY(unaVoltaCiascuno(d.squadra(Squadra::A)));
    // The plain line-ups of both teams, every rotation, both serving: each player once.
    for (Squadra battente : {Squadra::A, Squadra::B})
        for (int n = 1; n <= 6; ++n)
            for (int zB = 1; zB <= 6; ++zB) {
                const Dettaglio x = DettaglioRotazione(rigaA(), rigaB(), 1, zB, n, battente, true, elenco(), OpzioniCampo());
                QVERIFY(unaVoltaCiascuno(x.squadra(Squadra::A)) && unaVoltaCiascuno(x.squadra(Squadra::B)));
            }
}

QTEST_GUILESS_MAIN(TestMotore)
#include "test_motore.moc"
