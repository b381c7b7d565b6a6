// The overlap rule on the rotation board: the label under the detail court for every rotation of two
// 5-1 line-ups (A's setter starting in zone 1, B's in zone 4), each serving in turn, worked out by hand
// from the engine's places; the red lines; the Classico rule and the switch off; players dragged with
// the mouse into a fault and out of it, held legal by "Solo posizioni regolari", released off the
// court, put back by "Ripristina", and a drag cut short by a generation; the English label.
#include "rotations/campodisegnato.h"
#include "rotations/frmrtrotazioni.h"
#include "rotations/geometriacampo.h"

#include "tabellone_prova.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace prova;
using rotazioni::PuntoCampo;
using rotazioni::Squadra;

namespace {

const QString Regolari = QStringLiteral("Posizioni regolari");

QString etichetta(QWidget *f) { return testo(f, "LabelPosizioni"); }

// The board with A's setter starting in zone 1 and B's in zone 4, the given team serving.
void preparaPartita(TFrmRTrotazioni &f, Squadra battente)
{
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 4);
    clicca(&f, battente == Squadra::A ? "rgBattutaA" : "rgBattutaB");
}

void dettaglio(TFrmRTrotazioni &f, int n)
{
    clicca(&f, qPrintable(TFrmRTrotazioni::NomePulsanteRotazione(n)));
}

// Drags the player shown at a place of the big court so that his place ends at 'verso' (metres on his
// team's half), pressing on his circle, moving half way, then the rest, and releasing there.
void trascina(TFrmRTrotazioni &f, Squadra s, int posto, const PuntoCampo &verso, bool rilascia = true)
{
    const QString nome = QStringLiteral("%1Shape_%2%3GENE")
                             .arg(posto > 6 ? QStringLiteral("FAN_") : QString(), s == Squadra::A ? "A" : "B")
                             .arg(posto);
    auto *cerchio = figlio<QWidget>(&f, qPrintable(nome));
    CampoDisegnato *campo = f.campoDettaglio();
    const auto &m = campo->misure();
    // The pointer keeps its distance from the place's point while dragging.
    const QPointF presa = f.centroCerchio(s, posto);
    const QPointF scarto = m.inDisegno(s, f.dettaglio()->squadra(s).punti[posto - 1]) - presa;
    const QPointF arrivo = m.inDisegno(s, verso) - scarto;
    QTest::mousePress(cerchio, Qt::LeftButton, {}, cerchio->mapFromParent(presa.toPoint()));
    QTest::mouseMove(cerchio, cerchio->mapFromParent(((presa + arrivo) / 2).toPoint()));
    QTest::mouseMove(cerchio, cerchio->mapFromParent(arrivo.toPoint()));
    if (rilascia)
        QTest::mouseRelease(cerchio, Qt::LeftButton, {}, cerchio->mapFromParent(arrivo.toPoint()));
}

PuntoCampo dove(const TFrmRTrotazioni &f, Squadra s, int posto) { return f.dettaglio()->squadra(s).punti[posto - 1]; }

bool vicino(const PuntoCampo &a, const PuntoCampo &b)
{
    // Within a pixel of the big court (about 4 cm).
    return qAbs(a.profondita - b.profondita) < 0.05 && qAbs(a.laterale - b.laterale) < 0.05;
}

} // namespace

class TestTabellonePosizioni : public QObject {
    Q_OBJECT
private slots:
    void b_riceve_da_zona_4();
    void a_riceve_da_zona_1();
    void linee_rosse();
    void classico_e_senza_scambio();
    void trascinamento_con_il_mouse();
    void blocco_sulle_posizioni_regolari();
    void trascinamento_interrotto();
    void etichetta_tradotta();
};

// A serves from zone 1, so its servers are P, S1 (jump), C1, O, S2 (jump), C2 in rotations 1 to 6; B
// receives with its setter in zones 4, 3, 2, 1, 6, 5. The places of B's players by rotational
// position (spots 7 ... 13 in metres: 7 at 1.5 deep on the right, 8-11 at 4.5 deep from right to
// left with 10 at 3.0 across, 12 and 13 at 1.5 deep, 3.0 and 6.0 across):
// 1: O at 7, C2 front middle (rot 2), S2 front left (rot 3), P front right (rot 4), L at 12, S1 at 13:
//    4 right of 3.
// 2: L at 13, S2 dropped to 10 against the jump serve (rot 2), P right (rot 3), C1 middle (rot 4),
//    S1 at 12, O at 7: 3 right of 2 and 6 right of 1.
// 3: S2 at 13, P, C1, S1 in order, O at 7 (rot 5), L at 12 (rot 6): 5 right of 6.
// 4: P at 8, front row shown as 2 right, 3 middle... C1 middle is rot 2, S1 right is rot 3: 3 right
//    of 2.
// 5: L at 13, S1 at 10 (jump serve), O right (rot 3), C2 middle (rot 4), S2 at 12, P at 9: 3 right
//    of 2.
// 6: S1 at 13, O, C2, S2 in order, P at 11, L at 12: legal.
void TestTabellonePosizioni::b_riceve_da_zona_4()
{
    Tabellone c;
    TFrmRTrotazioni f;
    QCOMPARE(etichetta(&f), QString()); // nothing before a detail
    preparaPartita(f, Squadra::A);
    const char *const attese[6] = {"Fallo di posizione squadra B: 3-4", "Fallo di posizione squadra B: 2-3, 1-6",
                                   "Fallo di posizione squadra B: 5-6", "Fallo di posizione squadra B: 2-3",
                                   "Fallo di posizione squadra B: 2-3", "Posizioni regolari"};
    for (int n = 1; n <= 6; ++n) {
        dettaglio(f, n);
        QCOMPARE(etichetta(&f), QString::fromUtf8(attese[n - 1]));
    }
    // The serving team is not judged under FIVB 2025, whatever its switch shows.
    QVERIFY(f.falliMostrati()[0].isEmpty());
    QVERIFY(c.boxes.shown.isEmpty());
}

// B serves from zone 4: servers O' (jump), C2', S2', P', C1' (jump), S1'. A receives with its setter in
// zones 1, 6, 5, 4, 3, 2:
// 1: P at 8, front row back in order by the exchange of 2 and 4, O dropped to 10, S2 at 12, L at 13:
//    legal.
// 2: P at 9, O right (rot 3), C1 middle (rot 2): 3 right of 2.
// 3: P at 11, S2 left (rot 3), C2 middle (rot 4): 4 right of 3.
// 4: O at 7, P right (rot 4), C2 middle (rot 3), S2 left (rot 2): 4 right of 3 and 3 right of 2.
// 5: S1 at 10 (jump serve), P right (rot 3), C2 middle (rot 2), O at 7 (rot 6), L at 13 (rot 1): 3
//    right of 2, 6 right of 1.
// 6: S1 left (rot 3), C1 middle (rot 4), O at 7 (rot 5), S2 at 12 (rot 6): 4 right of 3, 5 right of 6.
void TestTabellonePosizioni::a_riceve_da_zona_1()
{
    Tabellone c;
    TFrmRTrotazioni f;
    preparaPartita(f, Squadra::B);
    const char *const attese[6] = {"Posizioni regolari",
                                   "Fallo di posizione squadra A: 2-3",
                                   "Fallo di posizione squadra A: 3-4",
                                   "Fallo di posizione squadra A: 3-4, 2-3",
                                   "Fallo di posizione squadra A: 2-3, 1-6",
                                   "Fallo di posizione squadra A: 3-4, 5-6"};
    for (int n = 1; n <= 6; ++n) {
        dettaglio(f, n);
        QCOMPARE(etichetta(&f), QString::fromUtf8(attese[n - 1]));
    }
    // The libero of rotation 1 stands at spot 13 in the position of the middle he replaced (6).
    dettaglio(f, 1);
    QCOMPARE(f.dettaglio()->squadra(Squadra::A).posto(13).rotazionale, 6);
    QCOMPARE(f.dettaglio()->squadra(Squadra::A).posto(13).numero, QStringLiteral("7"));
}

void TestTabellonePosizioni::linee_rosse()
{
    Tabellone c;
    TFrmRTrotazioni f;
    preparaPartita(f, Squadra::B);
    dettaglio(f, 1);
    QVERIFY(f.campoDettaglio()->linee().isEmpty());
    // Rotation 5: 2-3 joins C2 (zone 3) with P (zone 2), 1-6 joins L (spot 13) with O (spot 7).
    dettaglio(f, 5);
    const QList<QLineF> linee = f.campoDettaglio()->linee();
    QCOMPARE(linee.size(), 2);
    QCOMPARE(linee[0], QLineF(f.centroCerchio(Squadra::A, 2), f.centroCerchio(Squadra::A, 3)));
    QCOMPARE(linee[1], QLineF(f.centroCerchio(Squadra::A, 7), f.centroCerchio(Squadra::A, 13)));
    QCOMPARE(testoDi(&f, QStringLiteral("Num_A3GENE")), QStringLiteral("6"));
    QCOMPARE(testoDi(&f, QStringLiteral("FAN_Num_A7GENE")), QStringLiteral("4"));
    // A generation clears the court, the label and the lines.
    clicca(&f, "ButtGenera");
    QCOMPARE(etichetta(&f), QString());
    QVERIFY(f.campoDettaglio()->linee().isEmpty());
}

void TestTabellonePosizioni::classico_e_senza_scambio()
{
    Tabellone c;
    impostazione("REGOLA_POSIZIONI", QStringLiteral("Classico"));
    {
        TFrmRTrotazioni f;
        preparaPartita(f, Squadra::A);
        // Rotation 1: A serves and is shown after its switch (O front right, S1 front left, L and S2
        // exchanged at the back); the server is exempt, the rest is judged.
        dettaglio(f, 1);
        QCOMPARE(etichetta(&f), QStringLiteral("Fallo di posizione squadra A: 3-4, 2-3, 5-6\n"
                                               "Fallo di posizione squadra B: 3-4"));
        // Without the switch everyone stands in his rotational place: legal, and the label says so.
        figlio<QCheckBox>(&f, "cbScambioAutomatico")->setChecked(false);
        for (int n = 1; n <= 6; ++n) {
            dettaglio(f, n);
            QCOMPARE(etichetta(&f), Regolari);
        }
    }
    // The same team as A and B, with an empty slot and no libero: nothing judged for the missing one.
    impostaFormazione(1, QStringLiteral("P-S-C-O-S-C"), {1, 2, 0, 4, 5, 6}, 0);
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Volley Sant'Anna"), 1, 1);
    clicca(&f, "rgBattutaB");
    for (int n = 1; n <= 6; ++n) {
        dettaglio(f, n);
        QVERIFY(!etichetta(&f).isEmpty());
        // The empty slot 3 stands two zones after the setter.
        const int v = rotazioni::ZonaPalleggiatore(1 + rotazioni::OffsetDiRotazione(n));
        const int vuoto = rotazioni::ZonaPalleggiatore(v + 2);
        for (const auto &falli : f.falliMostrati())
            for (const auto &coppia : falli)
                QVERIFY(coppia.prima != vuoto && coppia.seconda != vuoto);
    }
}

void TestTabellonePosizioni::trascinamento_con_il_mouse()
{
    Tabellone c;
    TFrmRTrotazioni f;
    preparaPartita(f, Squadra::B);
    dettaglio(f, 1);
    QCOMPARE(etichetta(&f), Regolari);
    // S2 (rotational 5) receiving at spot 12 runs up to the net, in front of O at spot 10 (rot 4).
    trascina(f, Squadra::A, 12, {8.0, 1.0});
    QVERIFY(vicino(dove(f, Squadra::A, 12), {8.0, 1.0}));
    QCOMPARE(etichetta(&f), QStringLiteral("Fallo di posizione squadra A: 4-5"));
    QCOMPARE(f.campoDettaglio()->linee().size(), 1);
    // Its parts moved together, and the name stays beside the circle.
    const QRect cerchio = figlio<QWidget>(&f, "FAN_Shape_A12GENE")->geometry();
    QCOMPARE(figlio<QWidget>(&f, "FAN_Num_A12GENE")->geometry(), cerchio);
    QVERIFY(qAbs(cella(&f, QStringLiteral("FAN_A12GENE"))->geometry().center().y() - cerchio.center().y()) <= 1);
    QVERIFY(cella(&f, QStringLiteral("FAN_A12GENE"))->geometry().left() > cerchio.right());
    // Back behind O and left of L: legal again.
    trascina(f, Squadra::A, 12, {2.0, 2.0});
    QCOMPARE(etichetta(&f), Regolari);
    QVERIFY(f.campoDettaglio()->linee().isEmpty());
    // Team B's half is turned round: its player in zone 2 dragged to B's own left sideline. B serves,
    // and under FIVB 2025 the serving team is not judged.
    dettaglio(f, 4); // A receives with 3-4 and 2-3
    trascina(f, Squadra::B, 2, {7.0, 0.5});
    QVERIFY(vicino(dove(f, Squadra::B, 2), {7.0, 0.5}));
    QCOMPARE(etichetta(&f), QStringLiteral("Fallo di posizione squadra A: 3-4, 2-3"));
    // A drag released beyond the net and above the court: A's libero (rot 6, spot 13) stops at A's
    // side of the net, on its left sideline, in front of 3 and left of 5.
    auto *libero = figlio<QWidget>(&f, "FAN_Shape_A13GENE");
    QTest::mousePress(libero, Qt::LeftButton);
    QTest::mouseMove(libero, libero->mapFromParent(QPoint(500, 100)));
    QTest::mouseRelease(libero, Qt::LeftButton, {}, libero->mapFromParent(QPoint(650, -40)));
    QCOMPARE(dove(f, Squadra::A, 13), (PuntoCampo{9.0, 0.0}));
    QCOMPARE(etichetta(&f), QStringLiteral("Fallo di posizione squadra A: 3-6, 3-4, 2-3, 5-6"));
    // "Ripristina" puts every player back; the print sees the places the board shows.
    clicca(&f, "bbRipristina");
    QCOMPARE(dove(f, Squadra::A, 13), rotazioni::PostoNelCampo(13));
    QCOMPARE(dove(f, Squadra::B, 2), rotazioni::PostoNelCampo(2));
    QCOMPARE(etichetta(&f), QStringLiteral("Fallo di posizione squadra A: 3-4, 2-3"));
    // Another rotation starts from the engine's places again.
    trascina(f, Squadra::A, 7, {8.5, 8.5});
    dettaglio(f, 4);
    QCOMPARE(dove(f, Squadra::A, 7), rotazioni::PostoNelCampo(7));
}

void TestTabellonePosizioni::blocco_sulle_posizioni_regolari()
{
    Tabellone c;
    TFrmRTrotazioni f;
    preparaPartita(f, Squadra::B);
    dettaglio(f, 1);
    figlio<QCheckBox>(&f, "cbBloccaRegolari")->setChecked(true);
    // S2 (rot 5) pushed to the net stops level with O at spot 10 (4.5 deep), left of L (6.0 across).
    trascina(f, Squadra::A, 12, {8.0, 1.0});
    QVERIFY(vicino(dove(f, Squadra::A, 12), {4.5, 1.0}));
    QCOMPARE(etichetta(&f), Regolari);
    trascina(f, Squadra::A, 12, {3.0, 8.0});
    QVERIFY(vicino(dove(f, Squadra::A, 12), {3.0, 6.0}));
    QCOMPARE(etichetta(&f), Regolari);
    // Rotation 2 is at fault (2-3: the opposite, rot 3, shown right of C1, rot 2). Dragged with the
    // lock, C1 goes right of the opposite, where he belongs, and the fault is gone.
    dettaglio(f, 2);
    QCOMPARE(etichetta(&f), QStringLiteral("Fallo di posizione squadra A: 2-3"));
    trascina(f, Squadra::A, 3, {7.5, 8.5});
    QVERIFY(vicino(dove(f, Squadra::A, 3), {7.5, 8.5}));
    QCOMPARE(etichetta(&f), Regolari);
    // Dragged back to the left, the lock stops him level with the opposite (7.5 across).
    trascina(f, Squadra::A, 3, {7.5, 2.0});
    QVERIFY(vicino(dove(f, Squadra::A, 3), {7.5, 7.5}));
    QCOMPARE(etichetta(&f), Regolari);
    // The serving team is not judged under FIVB 2025: the lock lets its players go anywhere.
    trascina(f, Squadra::B, 1, {8.0, 8.0});
    QVERIFY(vicino(dove(f, Squadra::B, 1), {8.0, 8.0}));
    QCOMPARE(etichetta(&f), Regolari);
}

void TestTabellonePosizioni::trascinamento_interrotto()
{
    Tabellone c;
    TFrmRTrotazioni f;
    preparaPartita(f, Squadra::B);
    // No detail yet: nothing to drag.
    auto *zona = figlio<QWidget>(&f, "Shape_A1GENE");
    const QRect prima = zona->geometry();
    QTest::mousePress(zona, Qt::LeftButton);
    QTest::mouseMove(zona, QPoint(40, 40));
    QTest::mouseRelease(zona, Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(zona->geometry(), prima);
    // A drag under way when "Genera incontro" clears the court: the rest of it moves nothing.
    dettaglio(f, 2);
    trascina(f, Squadra::A, 13, {8.0, 8.0}, false);
    clicca(&f, "ButtGenera");
    auto *punto = figlio<QWidget>(&f, "FAN_Shape_A13GENE");
    QTest::mouseMove(punto, QPoint(5, 5));
    QTest::mouseRelease(punto, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!f.dettaglio().has_value());
    QCOMPARE(etichetta(&f), QString());
    dettaglio(f, 2);
    QCOMPARE(dove(f, Squadra::A, 13), rotazioni::PostoNelCampo(13));
    // A hidden spot is not a player to drag: pressing the court where it stands catches nobody.
    const QPointF vuoto = f.campoDettaglio()->misure().inDisegno(Squadra::A, rotazioni::PostoNelCampo(11));
    QTest::mousePress(f.campoDettaglio(), Qt::LeftButton, {}, vuoto.toPoint());
    QTest::mouseMove(f.campoDettaglio(), (vuoto + QPointF(30, 30)).toPoint());
    QTest::mouseRelease(f.campoDettaglio(), Qt::LeftButton, {}, (vuoto + QPointF(30, 30)).toPoint());
    QCOMPARE(dove(f, Squadra::A, 11), rotazioni::PostoNelCampo(11));
    QVERIFY(c.boxes.shown.isEmpty());
}

void TestTabellonePosizioni::etichetta_tradotta()
{
    Tabellone c;
    impostazione("LINGUA", QStringLiteral("English"));
    TFrmRTrotazioni f;
    QCOMPARE(figlio<QCheckBox>(&f, "cbBloccaRegolari")->text(), QStringLiteral("Legal positions only"));
    QCOMPARE(figlio<QPushButton>(&f, "bbRipristina")->text(), QStringLiteral("Reset"));
    preparaPartita(f, Squadra::B);
    dettaglio(f, 1);
    QCOMPARE(etichetta(&f), QStringLiteral("Legal positions"));
    dettaglio(f, 4);
    QCOMPARE(etichetta(&f), QStringLiteral("Positional fault by team A: 3-4, 2-3"));
}

QTEST_MAIN(TestTabellonePosizioni)
#include "test_tabellone_posizioni.moc"
