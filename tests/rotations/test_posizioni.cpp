// The overlap rule on places worked out by hand (metres from the team's end line, then from its
// left sideline): the plain rotational places, each relation broken alone and named, the order of
// several faults, ties under the two rule sets, the server and the serving team, the clamp that keeps
// a dragged player legal, the libero in the replaced player's position, and the court drawing's
// mapping of places.
#include "rotations/geometriacampo.h"
#include "rotations/posizioni.h"

#include <QtTest>

using namespace rotazioni;

namespace {

// The six players in the middle of their zones: 1 back right ... 4 front left, 5 back left, 6 back
// middle.
PostiRotazionali rotazionali()
{
    return {PuntoCampo{3.0, 7.5}, PuntoCampo{7.5, 7.5}, PuntoCampo{7.5, 4.5},
            PuntoCampo{7.5, 1.5}, PuntoCampo{3.0, 1.5}, PuntoCampo{3.0, 4.5}};
}

PostiRotazionali con(int r, PuntoCampo p, PostiRotazionali posti = rotazionali())
{
    posti[r - 1] = p;
    return posti;
}

QStringList nomi(const QList<CoppiaPosizioni> &falli)
{
    QStringList l;
    for (const CoppiaPosizioni &c : falli)
        l << c.nome();
    return l;
}

QStringList ricevente(const PostiRotazionali &p, RegolaPosizioni r = RegolaPosizioni::Fivb2025)
{
    return nomi(FalliDiPosizione(p, false, r));
}

constexpr auto Fivb = RegolaPosizioni::Fivb2025;
constexpr auto Classico = RegolaPosizioni::Classico;

} // namespace

class TestPosizioni : public QObject {
    Q_OBJECT
private slots:
    void rotazionali_regolari_e_testi();
    void ogni_relazione_da_sola();
    void piu_falli_nel_loro_ordine();
    void pari_e_regole();
    void battitore_e_squadra_al_servizio();
    void giocatori_mancanti();
    void limite_regolare();
    void disegno_del_campo();
};

void TestPosizioni::rotazionali_regolari_e_testi()
{
    for (RegolaPosizioni r : {Fivb, Classico})
        for (bool battente : {false, true})
            QVERIFY(FalliDiPosizione(rotazionali(), battente, r).isEmpty());
    QCOMPARE(RegolaDaTesto(QStringLiteral("Classico")), Classico);
    QCOMPARE(RegolaDaTesto(QStringLiteral("FIVB 2025")), Fivb);
    QCOMPARE(RegolaDaTesto(QString()), Fivb); // a record from before the setting existed
    QCOMPARE(RegolaDaTesto(QStringLiteral("classico")), Fivb);
    QCOMPARE(TestoPosizioni({}), QStringLiteral("Posizioni regolari"));
    QCOMPARE(TestoPosizioni({QList<CoppiaPosizioni>{{3, 6}, {3, 2}}, QList<CoppiaPosizioni>{{4, 5}}}),
             QStringLiteral("Fallo di posizione squadra A: 3-6, 2-3\nFallo di posizione squadra B: 4-5"));
    QCOMPARE(TestoPosizioni({QList<CoppiaPosizioni>{}, QList<CoppiaPosizioni>{{6, 1}}}, QStringLiteral("Legal positions"),
                            QStringLiteral("Positional fault by team")),
             QStringLiteral("Positional fault by team B: 1-6"));
}

void TestPosizioni::ogni_relazione_da_sola()
{
    // Front before back in each column; left to right in each row. Each move breaks one relation.
    QCOMPARE(ricevente(con(5, {8.0, 1.5})), QStringList{"4-5"});  // 5 nearer the net than 4
    QCOMPARE(ricevente(con(6, {8.0, 4.5})), QStringList{"3-6"});
    QCOMPARE(ricevente(con(1, {8.0, 7.5})), QStringList{"1-2"});
    QCOMPARE(ricevente(con(4, {7.5, 5.0})), QStringList{"3-4"});  // 4 right of 3
    QCOMPARE(ricevente(con(3, {7.5, 8.0})), QStringList{"2-3"});  // 3 right of 2
    QCOMPARE(ricevente(con(6, {3.0, 1.0})), QStringList{"5-6"});  // 6 left of 5
    QCOMPARE(ricevente(con(1, {3.0, 4.0})), QStringList{"1-6"});  // 1 left of 6
    // Front players moved back but still before their back players, and a back player far right of
    // a front one: nothing diagonal counts.
    QVERIFY(ricevente(con(4, {3.5, 1.5})).isEmpty());
    QVERIFY(ricevente(con(5, {3.0, 4.0})).isEmpty()); // 5 right of 4 (diagonal), still left of 6
    QVERIFY(ricevente(con(2, {6.5, 8.9})).isEmpty());
}

void TestPosizioni::piu_falli_nel_loro_ordine()
{
    // 3 deep in the back right: behind 6 and right of 2.
    QCOMPARE(ricevente(con(3, {2.0, 8.0})), (QStringList{"3-6", "2-3"}));
    // 6 up at the net on the right: before 3 and right of 1.
    QCOMPARE(ricevente(con(6, {8.0, 8.0})), (QStringList{"3-6", "1-6"}));
    // The whole team mirrored left to right: every row relation broken, no column one.
    PostiRotazionali specchio = rotazionali();
    for (auto &p : specchio)
        p->laterale = 9 - p->laterale;
    QCOMPARE(ricevente(specchio), (QStringList{"3-4", "2-3", "5-6", "1-6"}));
    // And turned back to front: every column relation.
    PostiRotazionali rovescio = rotazionali();
    for (auto &p : rovescio)
        p->profondita = 10.5 - p->profondita;
    QCOMPARE(ricevente(rovescio), (QStringList{"4-5", "3-6", "1-2"}));
}

void TestPosizioni::pari_e_regole()
{
    // Level in depth with the player in front, then level across with the neighbour.
    const PostiRotazionali pariProfondita = con(5, {7.5, 1.5});
    QVERIFY(ricevente(pariProfondita, Fivb).isEmpty());
    QCOMPARE(ricevente(pariProfondita, Classico), QStringList{"4-5"});
    const PostiRotazionali pariLato = con(6, {3.0, 1.5});
    QVERIFY(ricevente(pariLato, Fivb).isEmpty());
    QCOMPARE(ricevente(pariLato, Classico), QStringList{"5-6"});
    // Just past is a fault under both.
    QCOMPARE(ricevente(con(5, {7.51, 1.5}), Fivb), QStringList{"4-5"});
}

void TestPosizioni::battitore_e_squadra_al_servizio()
{
    // The server anywhere: exempt. 1 is at the net, left of 6: two faults for a receiving team.
    const PostiRotazionali battitoreAvanti = con(1, {8.5, 4.0});
    QCOMPARE(ricevente(battitoreAvanti, Classico), (QStringList{"1-2", "1-6"}));
    QVERIFY(FalliDiPosizione(battitoreAvanti, true, Classico).isEmpty());
    // Under Classico the rest of the serving team is judged; under FIVB 2025 none of it.
    const PostiRotazionali serviziaSbagliata = con(6, {3.0, 1.0}, battitoreAvanti);
    QCOMPARE(nomi(FalliDiPosizione(serviziaSbagliata, true, Classico)), QStringList{"5-6"});
    QVERIFY(FalliDiPosizione(serviziaSbagliata, true, Fivb).isEmpty());
    QCOMPARE(nomi(FalliDiPosizione(serviziaSbagliata, false, Fivb)), (QStringList{"1-2", "5-6"}));
}

void TestPosizioni::giocatori_mancanti()
{
    // A position without a player on the court takes part in no relation.
    PostiRotazionali p = con(5, {8.0, 8.0});
    QCOMPARE(ricevente(p), (QStringList{"4-5", "5-6"}));
    p[3].reset(); // no 4
    QCOMPARE(ricevente(p), QStringList{"5-6"});
    p[5].reset(); // no 6
    QVERIFY(ricevente(p).isEmpty());
    QVERIFY(ricevente(PostiRotazionali{}).isEmpty());
}

void TestPosizioni::limite_regolare()
{
    const PostiRotazionali p = rotazionali();
    // 5 pushed to the net stops level with 4 (legal under FIVB 2025), or just behind him.
    QCOMPARE(LimitaARegolare(p, 5, {8.0, 1.5}, false, Fivb), (PuntoCampo{7.5, 1.5}));
    const PuntoCampo c = LimitaARegolare(p, 5, {8.0, 1.5}, false, Classico);
    QVERIFY(c.profondita < 7.5 && c.profondita > 7.3);
    QVERIFY(FalliDiPosizione(con(5, c), false, Classico).isEmpty());
    // 3 dragged right stops at 2's line; 3 dragged back stops at 6's depth; a legal wish is kept.
    QCOMPARE(LimitaARegolare(p, 3, {8.0, 8.5}, false, Fivb), (PuntoCampo{8.0, 7.5}));
    QCOMPARE(LimitaARegolare(p, 3, {1.0, 3.0}, false, Fivb), (PuntoCampo{3.0, 3.0}));
    QCOMPARE(LimitaARegolare(p, 6, {5.5, 2.0}, false, Fivb), (PuntoCampo{5.5, 2.0}));
    // The half-court's edges.
    QCOMPARE(LimitaARegolare(p, 4, {12.0, -3.0}, false, Fivb), (PuntoCampo{9.0, 0.0}));
    // The server under Classico, and anyone of the serving team under FIVB 2025, goes anywhere.
    QCOMPARE(LimitaARegolare(p, 1, {8.5, 0.5}, true, Classico), (PuntoCampo{8.5, 0.5}));
    QCOMPARE(LimitaARegolare(p, 5, {8.5, 8.5}, true, Fivb), (PuntoCampo{8.5, 8.5}));
    // Under Classico a serving teammate keeps his order with the others but not with the server.
    QCOMPARE(LimitaARegolare(p, 6, {3.0, 8.5}, true, Classico).laterale, 8.5);
    QVERIFY(LimitaARegolare(p, 6, {3.0, 0.5}, true, Classico).laterale > 1.5);
    // 4 and 2 crossed: no place across keeps 3 legal with both, so 3 keeps his own line across.
    PostiRotazionali incrociati = con(4, {7.5, 6.0}, con(2, {7.5, 5.0}));
    const PuntoCampo tre = LimitaARegolare(incrociati, 3, {8.0, 0.5}, false, Fivb);
    QCOMPARE(tre, (PuntoCampo{8.0, 4.5}));
    // Every clamped place is legal for the dragged player's own relations.
    for (int r = 1; r <= 6; ++r)
        for (qreal d : {0.0, 2.0, 5.0, 7.0, 9.0})
            for (qreal l : {0.0, 3.0, 6.0, 9.0}) {
                const PuntoCampo q = LimitaARegolare(p, r, {d, l}, false, Classico);
                QVERIFY2(FalliDiPosizione(con(r, q), false, Classico).isEmpty(), qPrintable(QStringLiteral("%1").arg(r)));
            }
}

void TestPosizioni::disegno_del_campo()
{
    // The board's big court: back courts 248 wide, front courts 124, net 6, height 330.
    const MisureCampo m{248, 124, 330, 6};
    // A's end line is the left edge, its left sideline the top; B's are the right edge and the bottom.
    QCOMPARE(m.inDisegno(Squadra::A, {0, 0}), QPointF(0, 0));
    QCOMPARE(m.inDisegno(Squadra::A, {6, 4.5}), QPointF(248, 165)); // the attack line
    QCOMPARE(m.inDisegno(Squadra::A, {9, 9}), QPointF(372, 330));   // A's side of the net
    QCOMPARE(m.inDisegno(Squadra::B, {0, 0}), QPointF(750, 330));
    QCOMPARE(m.inDisegno(Squadra::B, {7.5, 1.5}), QPointF(750 - 310, 330 - 55));
    for (Squadra s : {Squadra::A, Squadra::B})
        for (const PuntoCampo &p : {PuntoCampo{1.5, 3.0}, PuntoCampo{4.5, 7.5}, PuntoCampo{8.25, 0.75}}) {
            const PuntoCampo q = m.inCampo(s, m.inDisegno(s, p));
            QVERIFY(qAbs(q.profondita - p.profondita) < 1e-9 && qAbs(q.laterale - p.laterale) < 1e-9);
        }
    // A point beyond the net or outside the lines comes back to the team's half.
    QCOMPARE(m.inCampo(Squadra::A, QPointF(600, -20)), (PuntoCampo{9, 0}));
    QCOMPARE(m.inCampo(Squadra::B, QPointF(100, 400)), (PuntoCampo{9, 0}));
    QCOMPARE(m.inCampo(Squadra::B, QPointF(800, 165)), (PuntoCampo{0, 4.5}));
}

QTEST_GUILESS_MAIN(TestPosizioni)
#include "test_posizioni.moc"
