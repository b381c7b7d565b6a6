// The rotation board driven by its component names: the controls and cells it is built with, the
// checks and their messages, the overview after "Genera incontro" (texts, bold, colours, captions),
// the detail court (texts, numbers, circles, reception spots, title, serve labels), the line-up lists
// and their refresh, teams of the same name, the settings and the translation.
#include "rotations/campodisegnato.h"
#include "rotations/frmrtrotazioni.h"

#include "tabellone_prova.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

using namespace prova;
using rotazioni::Squadra;

namespace {

// The six overview cells of a team and offset, zones 1 to 6.
QStringList celle(QWidget *f, const char *squadra, int k)
{
    QStringList l;
    for (int z = 1; z <= 6; ++z)
        l << testoDi(f, QStringLiteral("%1%2R%3").arg(QLatin1String(squadra)).arg(z).arg(k + 1));
    return l;
}

// The shown places of a half of the big court, as "place:number", and their texts.
QStringList visibili(QWidget *f, const char *squadra)
{
    QStringList l;
    for (int p = 1; p <= 13; ++p) {
        const QString base = QStringLiteral("%1%2GENE").arg(QLatin1String(squadra)).arg(p);
        const QString pre = p > 6 ? QStringLiteral("FAN_") : QString();
        const bool testo = !cella(f, pre + base)->isHidden();
        const bool numero = !cella(f, pre + QStringLiteral("Num_") + base)->isHidden();
        const bool cerchio = !figlio<QWidget>(f, qPrintable(pre + QStringLiteral("Shape_") + base))->isHidden();
        if (testo != numero || testo != cerchio)
            return {QStringLiteral("parts of %1 disagree").arg(p)};
        if (testo)
            l << QStringLiteral("%1:%2").arg(p).arg(testoDi(f, pre + QStringLiteral("Num_") + base));
    }
    return l;
}

QColor cerchio(QWidget *f, const QString &nome) { return figlio<CerchioGiocatore>(f, qPrintable(nome))->colore(); }

QColor sfondo(QWidget *f, const QString &nome) { return cella(f, nome)->palette().color(QPalette::Window); }

const QString NessunaFormazione = QStringLiteral(
    "La squadra selezionata non ha una formazione definita, si consiglia di:\r\nuscire da questa maschera, inserire "
    "una lista di giocatori per questa squadra (se non lo si è ancora fatto) e successivamente immetterli in formazione.");
const QString NonPronte =
    QStringLiteral("La squadra A e/o la squadra B non è stata selezionata oppure non ha una formazione definita.");

} // namespace

class TestFrmRTrotazioni : public QObject {
    Q_OBJECT
private slots:
    void costruzione();
    void verifiche_nel_loro_ordine();
    void genera_incontro();
    void impostazioni_spente();
    void dettaglio_con_ricezione();
    void dettaglio_b_batte_in_salto();
    void liste_aggiornate_dai_pulsanti();
    void squadre_con_lo_stesso_nome();
    void stessa_squadra_e_giocatori_mancanti();
    void attesa_e_letture();
    void traduzione();
    void comandi_fermi();
};

void TestFrmRTrotazioni::costruzione()
{
    Tabellone c;
    TFrmRTrotazioni f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Elenco rotazioni di gioco"));
    QCOMPARE(voci(&f, "cbSquadraA"), (QStringList{QStringLiteral("Pallavolo Riva"), QStringLiteral("Volley Sant'Anna")}));
    QCOMPARE(voci(&f, "cbSquadraB"), voci(&f, "cbSquadraA"));
    QCOMPARE(figlio<QComboBox>(&f, "cbSquadraA")->itemData(1).toInt(), 1);
    QCOMPARE(voci(&f, "cbPallA"), L("1 2 3 4 5 6"));
    QCOMPARE(figlio<QComboBox>(&f, "cbPallA")->currentIndex(), -1);
    QCOMPARE(figlio<QComboBox>(&f, "cbPallB")->toolTip(), QStringLiteral("Zona di partenza palleggiatore squadra B"));
    QCOMPARE(figlio<QGroupBox>(&f, "rgBattuta")->title(), QStringLiteral("Battuta"));
    QVERIFY(figlio<QRadioButton>(&f, "rgBattutaA")->isChecked());
    QCOMPARE(figlio<QRadioButton>(&f, "rgBattutaB")->text(), QStringLiteral("Squadra B"));
    QVERIFY(figlio<QCheckBox>(&f, "cbScambioAutomatico")->isChecked()); // PROPONISCAMBIOAUTOM
    QVERIFY(figlio<QLabel>(&f, "LabelAttendere")->isHidden());
    QCOMPARE(testo(&f, "LabelDettaglio"), QStringLiteral("Dettaglio rotazione:"));
    QCOMPARE(testo(&f, "LabSquadraA"), QStringLiteral("Squadra A"));
    QVERIFY(figlio<QLabel>(&f, "LabSquadraB")->font().bold());
    QVERIFY(figlio<QCheckBox>(&f, "cbStampaSqA")->isChecked());
    QVERIFY(figlio<QCheckBox>(&f, "cbStampaSqB")->isChecked());
    QCOMPARE(figlio<QPushButton>(&f, "BitBtn1")->text(), QStringLiteral("Stampa campi piccoli"));
    QCOMPARE(figlio<QPushButton>(&f, "sbEsci")->toolTip(), QStringLiteral("Esci da questa maschera"));
    // The rotation buttons: ButROTA1 is the first rotation, ButROTA6 the second ... ButROTA2 the sixth.
    const char *const nomi[6] = {"ButROTA1", "ButROTA6", "ButROTA5", "ButROTA4", "ButROTA3", "ButROTA2"};
    const QStringList didascalie = L("Prima Seconda Terza Quarta Quinta Sesta");
    for (int n = 1; n <= 6; ++n) {
        QCOMPARE(TFrmRTrotazioni::NomePulsanteRotazione(n), QLatin1String(nomi[n - 1]));
        auto *b = figlio<QPushButton>(&f, nomi[n - 1]);
        QCOMPARE(b->text(), didascalie[n - 1] + QStringLiteral(" rotazione"));
        QCOMPARE(b->toolTip(), QStringLiteral("Visualizza dettagli rotazione %1").arg(n));
    }
    // 72 white overview cells with their zone hints; 26 zones and 14 hidden spots on the big court.
    for (const char *s : {"A", "B"})
        for (int z = 1; z <= 6; ++z) {
            for (int r = 1; r <= 6; ++r) {
                const QString nome = QStringLiteral("%1%2R%3").arg(QLatin1String(s)).arg(z).arg(r);
                QCOMPARE(cella(&f, nome)->toolTip(), QStringLiteral("Zona %1").arg(z));
                QCOMPARE(sfondo(&f, nome), QColor(Qt::white));
            }
            QCOMPARE(cella(&f, QStringLiteral("%1%2GENE").arg(QLatin1String(s)).arg(z))->toolTip(),
                     QStringLiteral("Zona %1").arg(z));
            QCOMPARE(cella(&f, QStringLiteral("%1%2GENE").arg(QLatin1String(s)).arg(z))->font().pointSize(), 9);
        }
    QCOMPARE(visibili(&f, "A"), L("1: 2: 3: 4: 5: 6:"));
    QCOMPARE(visibili(&f, "B"), L("1: 2: 3: 4: 5: 6:"));
    QVERIFY(figlio<QLabel>(&f, "ImageBattutaA")->isHidden());
    QVERIFY(c.boxes.shown.isEmpty());
}

void TestFrmRTrotazioni::verifiche_nel_loro_ordine()
{
    Tabellone c;
    aggiungiSquadra(3, QStringLiteral("Senza formazione"));
    aggiungiSquadra(4, QStringLiteral("Zero in testa"));
    impostaFormazione(4, QStringLiteral("P-S-C-O-S-C"), {0, 2, 3, 4, 5, 6}, 0);
    TFrmRTrotazioni f;
    clicca(&f, "ButtGenera");
    QCOMPARE(c.boxes.texts(), QStringList{NonPronte});
    QCOMPARE(c.boxes.last().titolo, QStringLiteral("Errore"));
    // A team without a line-up (empty first slot, or 0) is reported when chosen and stays not ready.
    for (const char *nome : {"Senza formazione", "Zero in testa"}) {
        c.boxes.clear();
        QVERIFY(scegli(&f, "cbSquadraA", QLatin1String(nome)));
        QCOMPARE(c.boxes.texts(), QStringList{NessunaFormazione});
        QVERIFY(!f.SquadraAPronta);
        QCOMPARE(figlio<QRadioButton>(&f, "rgBattutaA")->text(), QStringLiteral("Squadra A"));
    }
    QVERIFY(scegli(&f, "cbSquadraB", QStringLiteral("Pallavolo Riva")));
    c.boxes.clear();
    clicca(&f, "ButROTA1");
    QCOMPARE(c.boxes.texts(), QStringList{NonPronte});
    // Team A ready: the zones are asked for, A's first, each with the focus on its list.
    QVERIFY(scegli(&f, "cbSquadraA", QStringLiteral("Volley Sant'Anna")));
    QVERIFY(f.SquadraAPronta && f.SquadraBPronta);
    QCOMPARE(figlio<QRadioButton>(&f, "rgBattutaA")->text(), QStringLiteral("Volley Sant'Anna"));
    QCOMPARE(figlio<QRadioButton>(&f, "rgBattutaB")->text(), QStringLiteral("Pallavolo Riva"));
    c.boxes.clear();
    clicca(&f, "ButtGenera");
    QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Definire la posizione di partenza del palleggiatore della squadra A")});
    QCOMPARE(c.boxes.last().titolo, QStringLiteral("Attenzione."));
    QCOMPARE(f.focusWidget(), figlio<QWidget>(&f, "cbPallA"));
    QVERIFY(scegli(&f, "cbPallA", QStringLiteral("2")));
    c.boxes.clear();
    clicca(&f, "ButROTA4");
    QCOMPARE(c.boxes.texts(), QStringList{QStringLiteral("Definire la posizione di partenza del palleggiatore della squadra B")});
    QCOMPARE(f.focusWidget(), figlio<QWidget>(&f, "cbPallB"));
    // Nothing was drawn meanwhile.
    QCOMPARE(celle(&f, "A", 0), L("     "));
    QCOMPARE(f.RotazioneMostrata, 0);
    QVERIFY(scegli(&f, "cbPallB", QStringLiteral("5")));
    c.boxes.clear();
    clicca(&f, "ButtGenera");
    QVERIFY(c.boxes.shown.isEmpty());
    // A from zone 2 serving: C2 serves and stays in the back, the rest switched.
    QCOMPARE(celle(&f, "A", 0), L("4 1p 3 2 b6 5"));
}

void TestFrmRTrotazioni::genera_incontro()
{
    // A from zone 1 serves, B from zone 3: the first match-up of the engine's tests.
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    QVERIFY(c.boxes.shown.isEmpty());
    // Rotation by rotation, zones 1 to 6 (offset k in the names: rotation 2 is R6, ... 6 is R2).
    const char *const attesiA[6] = {"b1p 4 3 2 7 5", "1p 4 3 5 7 b2", "1p 4 6 5 b3 2",
                                    "b4 1p 6 5 7 2", "4 1p 6 2 7 b5", "4 1p 3 2 b6 5"};
    const char *const attesiB[6] = {"27 21p 22 26 23 24", "26 21p 22 23 24 27", "21p 24 22 23 27 26",
                                    "27 24 25 23 26 21p", "23 24 25 26 21p 27", "24 21p 25 26 27 23"};
    for (int n = 1; n <= 6; ++n) {
        const int k = rotazioni::OffsetDiRotazione(n);
        QCOMPARE(celle(&f, "A", k), L(attesiA[n - 1]));
        QCOMPARE(celle(&f, "B", k), L(attesiB[n - 1]));
    }
    // The server bold, the setter's cells in COLOR_PALLEGGIATORE_PIC (Fucsia by default).
    const QColor fucsia(0xFF, 0x00, 0xFF);
    QVERIFY(cella(&f, QStringLiteral("A1R1"))->font().bold());
    QCOMPARE(sfondo(&f, QStringLiteral("A1R1")), fucsia);
    QVERIFY(!cella(&f, QStringLiteral("A2R1"))->font().bold());
    QCOMPARE(sfondo(&f, QStringLiteral("A2R1")), QColor(Qt::white));
    QVERIFY(!cella(&f, QStringLiteral("A1R6"))->font().bold());
    QCOMPARE(sfondo(&f, QStringLiteral("A1R6")), fucsia);
    QCOMPARE(sfondo(&f, QStringLiteral("A3R1")), QColor(Qt::white));
    QVERIFY(cella(&f, QStringLiteral("A6R6"))->font().bold());
    QCOMPARE(sfondo(&f, QStringLiteral("A6R6")), QColor(Qt::white));
    QCOMPARE(sfondo(&f, QStringLiteral("B2R1")), fucsia);
    QVERIFY(!cella(&f, QStringLiteral("B1R1"))->font().bold());
    // The captions over the courts.
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA1")->text(), QStringLiteral("ZP1 - Prima rotazione - ZP3"));
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA6")->text(), QStringLiteral("ZP6 - Seconda rotazione - ZP2"));
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA2")->text(), QStringLiteral("ZP2 - Sesta rotazione - ZP4"));
    // The line-up lists.
    QCOMPARE(testo(&f, "LabSquadraA"), QStringLiteral("Volley Sant'Anna"));
    QCOMPARE(testo(&f, "LabSquadraB"), QStringLiteral("Pallavolo Riva"));
    QCOMPARE(testo(&f, "LabAmetodo"), QStringLiteral("P-S-C-O-S-C"));
    QCOMPARE(testo(&f, "LabBmetodo"), QStringLiteral("P-C-S-O-C-S"));
    QCOMPARE(testo(&f, "LabA3"), QStringLiteral("3 - Gianni D'Amico (FLOAT)"));
    QCOMPARE(testo(&f, "LabB6"), QStringLiteral("26 - Remo Sala (SALTOFLOAT)"));
    QCOMPARE(testo(&f, "LabAlibe"), QStringLiteral("7 - Oscar Mori (FLOAT)"));
    QVERIFY(f.squadraMostrata(Squadra::A));
    QVERIFY(f.panoramica().has_value());
    // A generation clears the detail court.
    clicca(&f, "ButROTA6");
    QVERIFY(f.dettaglio().has_value());
    clicca(&f, "ButtGenera");
    QVERIFY(!f.dettaglio().has_value());
    QCOMPARE(testoDi(&f, QStringLiteral("A1GENE")), QString());
    QCOMPARE(visibili(&f, "B"), L("1: 2: 3: 4: 5: 6:"));
    // Zones changed after a generation: the captions follow at the next one (A from 4, B from 1).
    QVERIFY(scegli(&f, "cbPallA", QStringLiteral("4")));
    QVERIFY(scegli(&f, "cbPallB", QStringLiteral("1")));
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA1")->text(), QStringLiteral("ZP1 - Prima rotazione - ZP3"));
    clicca(&f, "ButtGenera");
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA1")->text(), QStringLiteral("ZP4 - Prima rotazione - ZP1"));
}

void TestFrmRTrotazioni::impostazioni_spente()
{
    Tabellone c;
    impostazione("LETTERA_P_COLORE_PALL", false);
    impostazione("GRASSETTO_BATTUTA_PIC", false);
    impostazione("PROPONISCAMBIOAUTOM", false);
    impostazione("NOMEINCAMPOGRANDE", false);
    impostazione("COGNOMEINCAMPOGRANDE", false);
    impostazione("COLOR_GIOCATORI", false);
    impostazione("CAR_CAMPO_GRANDE", 0);
    TFrmRTrotazioni f;
    QVERIFY(!figlio<QCheckBox>(&f, "cbScambioAutomatico")->isChecked());
    QCOMPARE(cella(&f, QStringLiteral("A1GENE"))->font().pointSize(), f.font().pointSize());
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    // Switch off: the pure rotational order, no "p", nothing bold or coloured.
    QCOMPARE(celle(&f, "A", 0), L("b1 2 3 4 5 6"));
    QCOMPARE(celle(&f, "B", 0), L("25 26 21 22 23 24"));
    for (const char *s : {"A", "B"})
        for (int z = 1; z <= 6; ++z)
            for (int r = 1; r <= 6; ++r) {
                const QString nome = QStringLiteral("%1%2R%3").arg(QLatin1String(s)).arg(z).arg(r);
                QVERIFY(!cella(&f, nome)->font().bold());
                QCOMPARE(sfondo(&f, nome), QColor(Qt::white));
            }
    // The big court: only the number texts, white circles, no reception formation.
    clicca(&f, "ButROTA1");
    QCOMPARE(testoDi(&f, QStringLiteral("A1GENE")), QStringLiteral("b1"));
    QCOMPARE(testoDi(&f, QStringLiteral("B3GENE")), QStringLiteral("21"));
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A1GENE")), QColor(Qt::white));
    QCOMPARE(visibili(&f, "B"), L("1:25 2:26 3:21 4:22 5:23 6:24"));
}

void TestFrmRTrotazioni::dettaglio_con_ricezione()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    // The detail needs no generation before it.
    clicca(&f, "ButROTA6"); // the second rotation
    QCOMPARE(f.RotazioneMostrata, 2);
    QCOMPARE(f.ZonaPalleggiatoreA, 6);
    QCOMPARE(f.ZonaPalleggiatoreB, 2);
    QCOMPARE(testo(&f, "LabelDettaglio"), QStringLiteral("ZP6 Dettaglio seconda rotazione ZP2"));
    // A serves: its serve label and picture; B's stay empty and hidden.
    QCOMPARE(testo(&f, "LabelBattutaA"), QStringLiteral("SALTO"));
    QVERIFY(!figlio<QLabel>(&f, "ImageBattutaA")->isHidden());
    QCOMPARE(testo(&f, "LabelBattutaB"), QString());
    QVERIFY(figlio<QLabel>(&f, "ImageBattutaB")->isHidden());
    // A after the switch: P O C1 S2 L bS1; texts with name and surname, cards as hints.
    QCOMPARE(testoDi(&f, QStringLiteral("A6GENE")), QStringLiteral("b2\r\nLuca\r\nBianchi"));
    QCOMPARE(testoDi(&f, QStringLiteral("A1GENE")), QStringLiteral("1p\r\nMarco\r\nRossi"));
    QCOMPARE(cella(&f, QStringLiteral("A6GENE"))->toolTip(), QStringLiteral("S - 2 - SALTO"));
    QCOMPARE(testoDi(&f, QStringLiteral("Num_A3GENE")), QStringLiteral("3"));
    QCOMPARE(visibili(&f, "A"), L("1:1 2:4 3:3 4:5 5:7 6:2"));
    // Role colours: P Fucsia, O Verde (#008000), C Celeste, S Rosso, L Nessuno.
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A1GENE")), QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A2GENE")), QColor(0x00, 0x80, 0x00));
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A3GENE")), QColor(0x00, 0xFF, 0xFF));
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A4GENE")), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A5GENE")), QColor(Qt::white));
    // B receives against a jump serve (S2' P' C1' S1' O' L'): O' to 7, L' to 12, S2' to 13 and S1'
    // dropping from zone 4 to 10, each carrying text, number and colour.
    QCOMPARE(visibili(&f, "B"), L("2:21 3:22 7:24 10:23 12:27 13:26"));
    QCOMPARE(testoDi(&f, QStringLiteral("FAN_B10GENE")), QStringLiteral("23\r\nEnzo\r\nFerri"));
    QCOMPARE(cerchio(&f, QStringLiteral("FAN_Shape_B7GENE")), QColor(0x00, 0x80, 0x00));
    QCOMPARE(cerchio(&f, QStringLiteral("FAN_Shape_B10GENE")), QColor(0xFF, 0x00, 0x00));
    QCOMPARE(cella(&f, QStringLiteral("FAN_B12GENE"))->font().pointSize(), 9);
    // The third rotation: B's setter from zone 1 to spot 8, zones 2 and 4 exchanged.
    clicca(&f, "ButROTA5");
    QCOMPARE(testo(&f, "LabelDettaglio"), QStringLiteral("ZP5 Dettaglio terza rotazione ZP1"));
    QCOMPARE(testo(&f, "LabelBattutaA"), QStringLiteral("FLOAT"));
    QCOMPARE(visibili(&f, "B"), L("2:23 3:22 4:24 8:21 12:27 13:26"));
    QCOMPARE(cella(&f, QStringLiteral("B2GENE"))->toolTip(), QStringLiteral("O - 24 - SALTO"));
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_B2GENE")), QColor(0xFF, 0x00, 0x00));
    // Switch box off for the next click: no reception formation, B's back row in rotation order.
    figlio<QCheckBox>(&f, "cbScambioAutomatico")->setChecked(false);
    clicca(&f, "ButROTA5");
    QCOMPARE(visibili(&f, "B"), L("1:21 2:22 3:23 4:24 5:25 6:26"));
    QCOMPARE(visibili(&f, "A"), L("1:3 2:4 3:5 4:6 5:1 6:2"));
    QCOMPARE(testoDi(&f, QStringLiteral("A1GENE")), QStringLiteral("b3\r\nGianni\r\nD'Amico"));
}

void TestFrmRTrotazioni::dettaglio_b_batte_in_salto()
{
    // A from zone 4 receives, B from zone 2 serves. Rotation 4: A's setter in zone 1, B's server S1'
    // made a jump server.
    Tabellone c;
    cambiaGiocatore(13, "battuta", QStringLiteral("SALTO"));
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 4, 2);
    figlio<QRadioButton>(&f, "rgBattutaB")->setChecked(true);
    clicca(&f, "ButROTA4");
    QCOMPARE(testo(&f, "LabelDettaglio"), QStringLiteral("ZP1 Dettaglio quarta rotazione ZP5"));
    QCOMPARE(testo(&f, "LabelBattutaB"), QStringLiteral("SALTO"));
    QCOMPARE(testo(&f, "LabelBattutaA"), QString());
    QVERIFY(figlio<QLabel>(&f, "ImageBattutaA")->isHidden());
    QVERIFY(!figlio<QLabel>(&f, "ImageBattutaB")->isHidden());
    // Setter to 8, zones 2 and 4 exchanged, the opposite now shown in zone 4 drops to 10.
    QCOMPARE(visibili(&f, "A"), L("2:2 3:3 8:1 10:4 12:5 13:7"));
    QCOMPARE(testoDi(&f, QStringLiteral("A2GENE")), QStringLiteral("2\r\nLuca\r\nBianchi"));
    QCOMPARE(cerchio(&f, QStringLiteral("FAN_Shape_A10GENE")), QColor(0x00, 0x80, 0x00));
    // B after the switch: P' O' C2' S2' L' bS1'.
    QCOMPARE(visibili(&f, "B"), L("1:21 2:24 3:25 4:26 5:27 6:23"));
    QCOMPARE(testoDi(&f, QStringLiteral("B6GENE")), QStringLiteral("b23\r\nEnzo\r\nFerri"));
}

void TestFrmRTrotazioni::liste_aggiornate_dai_pulsanti()
{
    Tabellone c;
    aggiungiSquadra(3, QStringLiteral("Terza"));
    impostaFormazione(3, QStringLiteral("P-S-C-O-S-C"), {11, 12, 13, 14, 15, 16}, 0);
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    QCOMPARE(testo(&f, "LabSquadraB"), QStringLiteral("Pallavolo Riva"));
    // Another team B chosen: nothing changes until a button; then a rotation button shows its court
    // with its own names and lists beside it, not the old team's.
    QVERIFY(scegli(&f, "cbSquadraB", QStringLiteral("Terza")));
    QCOMPARE(testo(&f, "LabSquadraB"), QStringLiteral("Pallavolo Riva"));
    clicca(&f, "ButROTA1");
    QCOMPARE(testo(&f, "LabSquadraB"), QStringLiteral("Terza"));
    QCOMPARE(testo(&f, "LabBmetodo"), QStringLiteral("P-S-C-O-S-C"));
    QCOMPARE(testo(&f, "LabBlibe"), QStringLiteral("Da inserire"));
    QCOMPARE(testo(&f, "LabB1"), QStringLiteral("21 - Nino Lodi (FLOAT)"));
}

void TestFrmRTrotazioni::squadre_con_lo_stesso_nome()
{
    Tabellone c;
    // A second "Volley Sant'Anna" with B's players in its line-up.
    aggiungiSquadra(3, QStringLiteral("Volley Sant'Anna"));
    impostaFormazione(3, QStringLiteral("P-C-S-O-C-S"), {11, 12, 13, 14, 15, 16}, 17);
    TFrmRTrotazioni f;
    auto *a = figlio<QComboBox>(&f, "cbSquadraA");
    auto *b = figlio<QComboBox>(&f, "cbSquadraB");
    QCOMPARE(voci(&f, "cbSquadraA"),
             (QStringList{QStringLiteral("Pallavolo Riva"), QStringLiteral("Volley Sant'Anna"), QStringLiteral("Volley Sant'Anna")}));
    // Each entry reaches its own team.
    const int primo = a->itemData(1).toInt() == 1 ? 1 : 2;
    a->setCurrentIndex(primo);
    b->setCurrentIndex(3 - primo);
    QVERIFY(scegli(&f, "cbPallA", QStringLiteral("1")));
    QVERIFY(scegli(&f, "cbPallB", QStringLiteral("3")));
    clicca(&f, "ButtGenera");
    QVERIFY(c.boxes.shown.isEmpty());
    QCOMPARE(celle(&f, "A", 0), L("b1p 4 3 2 7 5"));
    QCOMPARE(celle(&f, "B", 0), L("27 21p 22 26 23 24"));
    QCOMPARE(testo(&f, "LabSquadraA"), QStringLiteral("Volley Sant'Anna"));
    QCOMPARE(testo(&f, "LabSquadraB"), QStringLiteral("Volley Sant'Anna"));
}

void TestFrmRTrotazioni::stessa_squadra_e_giocatori_mancanti()
{
    Tabellone c;
    // A line-up with an empty slot, a 0 slot and a player deleted since; no libero.
    impostaFormazione(2, QStringLiteral("P-C-S-O-C-S"), {11, 0, 13, 99, 15, 16}, 0);
    {
        store::Table t(QStringLiteral("rt_formazioni.db"));
        t.open();
        QVERIFY(t.locate(QStringLiteral("idsquadra"), 2));
        t.edit();
        t.fieldByName(QStringLiteral("pos3")).clear();
        t.post();
    }
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Pallavolo Riva"), QStringLiteral("Pallavolo Riva"), 1, 1);
    clicca(&f, "ButtGenera");
    QVERIFY(c.boxes.shown.isEmpty());
    // Both halves show the same line-up; A serves. Slots 2 and 3 empty, 4 gone, the front row kept.
    QCOMPARE(celle(&f, "A", 0), (QStringList{QStringLiteral("b21p"), QStringLiteral("N.d."), QStringLiteral("N.d."),
                                             QString(), QStringLiteral("25"), QStringLiteral("26")}));
    QCOMPARE(celle(&f, "B", 0), (QStringList{QStringLiteral("21p"), QStringLiteral("N.d."), QStringLiteral("N.d."),
                                             QString(), QStringLiteral("25"), QStringLiteral("26")}));
    QCOMPARE(testo(&f, "LabB2"), QStringLiteral("Da inserire"));
    QCOMPARE(testo(&f, "LabB3"), QStringLiteral("Da inserire"));
    QCOMPARE(testo(&f, "LabB4"), QString());
    QCOMPARE(testo(&f, "LabBlibe"), QStringLiteral("Da inserire"));
    clicca(&f, "ButROTA1");
    QCOMPARE(testoDi(&f, QStringLiteral("A2GENE")), QStringLiteral("Da inserire"));
    QCOMPARE(testoDi(&f, QStringLiteral("Num_A2GENE")), QStringLiteral("Da inserire"));
    QCOMPARE(cella(&f, QStringLiteral("A2GENE"))->toolTip(), QStringLiteral("Non disponibile."));
    QCOMPARE(testoDi(&f, QStringLiteral("A4GENE")), QString());
    QCOMPARE(cerchio(&f, QStringLiteral("Shape_A2GENE")), QColor(Qt::white));
}

void TestFrmRTrotazioni::attesa_e_letture()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    // A quick computation never shows the waiting label.
    f.sogliaAttesaMs = 60 * 60 * 1000;
    clicca(&f, "ButtGenera");
    QCOMPARE(f.volteAttesaMostrata, 0);
    // Each of the fourteen players is read once for the whole generation, and once for a detail.
    QCOMPARE(f.lettureUltimoCalcolo(), 14);
    clicca(&f, "ButROTA1");
    QCOMPARE(f.lettureUltimoCalcolo(), 14);
    // A computation that takes its time shows it once, and hides it at the end.
    f.sogliaAttesaMs = 0;
    clicca(&f, "ButtGenera");
    QCOMPARE(f.volteAttesaMostrata, 1);
    QVERIFY(figlio<QLabel>(&f, "LabelAttendere")->isHidden());
    // A player edited meanwhile is seen by the next computation.
    cambiaGiocatore(1, "numeromaglia", QStringLiteral("10"));
    clicca(&f, "ButtGenera");
    QCOMPARE(testoDi(&f, QStringLiteral("A1R1")), QStringLiteral("b10p"));
}

void TestFrmRTrotazioni::traduzione()
{
    Tabellone c;
    impostazione("LINGUA", QStringLiteral("English"));
    TFrmRTrotazioni f;
    QCOMPARE(testo(&f, "Label1"), QStringLiteral("Choose team A:"));
    QCOMPARE(testo(&f, "Label4"), QStringLiteral("Setter's zone:"));
    QCOMPARE(figlio<QGroupBox>(&f, "rgBattuta")->title(), QStringLiteral("Serve"));
    QCOMPARE(figlio<QRadioButton>(&f, "rgBattutaA")->text(), QStringLiteral("Team A"));
    QCOMPARE(figlio<QPushButton>(&f, "ButtGenera")->text(), QStringLiteral("Build the match"));
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA6")->text(), QStringLiteral("Second rotation"));
    QCOMPARE(testo(&f, "LabSquadraB"), QStringLiteral("Team B"));
    QCOMPARE(testo(&f, "LabelDettaglio"), QStringLiteral("Rotation details:"));
    QCOMPARE(testo(&f, "LabelAttendere"), QStringLiteral("Please wait, processing..."));
    QCOMPARE(figlio<QCheckBox>(&f, "cbStampaSqB")->text(), QStringLiteral("Team B"));
    QCOMPARE(figlio<QPushButton>(&f, "sbEsci")->text(), QStringLiteral("Exit"));
    // Hints, messages and computed texts stay Italian.
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA6")->toolTip(), QStringLiteral("Visualizza dettagli rotazione 2"));
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    QCOMPARE(figlio<QRadioButton>(&f, "rgBattutaA")->text(), QStringLiteral("Volley Sant'Anna"));
    clicca(&f, "ButtGenera");
    // The rotations' names after a generation, and the detail's title, in English too.
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA1")->text(), QStringLiteral("ZP1 - First rotation - ZP3"));
    QCOMPARE(figlio<QPushButton>(&f, "ButROTA6")->text(), QStringLiteral("ZP6 - Second rotation - ZP2"));
    clicca(&f, "ButROTA6");
    QCOMPARE(testo(&f, "LabelDettaglio"), QStringLiteral("ZP6 Second rotation ZP2"));
    QCOMPARE(testo(&f, "LabA3"), QStringLiteral("3 - Gianni D'Amico (FLOAT)"));
}

void TestFrmRTrotazioni::comandi_fermi()
{
    Tabellone c;
    const QString lungo = QStringLiteral("Polisportiva Sant'Anna & Co.");
    aggiungiSquadra(3, lungo);
    impostaFormazione(3, QStringLiteral("P-C-S-O-C-S"), {11, 12, 13, 14, 15, 16}, 17);
    TFrmRTrotazioni f;
    f.show();
    QCoreApplication::processEvents();
    QWidget *controlli[] = {figlio<QWidget>(&f, "cbScambioAutomatico"), figlio<QWidget>(&f, "ButtGenera"),
                            figlio<QWidget>(&f, "cbPallA"), figlio<QWidget>(&f, "ButROTA1")};
    QList<QRect> prima;
    for (QWidget *w : controlli)
        prima << QRect(w->mapTo(&f, QPoint(0, 0)), w->size());
    prepara(&f, QStringLiteral("Pallavolo Riva"), lungo, 1, 3);
    figlio<QLabel>(&f, "LabelAttendere")->show();
    QCoreApplication::processEvents();
    for (int i = 0; i < prima.size(); ++i)
        QCOMPARE(QRect(controlli[i]->mapTo(&f, QPoint(0, 0)), controlli[i]->size()), prima[i]);
    // The long name is shortened in the serve box, whole in its tip.
    auto *b = figlio<QRadioButton>(&f, "rgBattutaB");
    QVERIFY(b->text().endsWith(QChar(0x2026)));
    QVERIFY(b->text().contains(QStringLiteral("&&")) || !b->text().contains(QLatin1Char('&')));
    QCOMPARE(b->toolTip(), lungo);
    QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(QStringLiteral("%1 %2 %3 %4").arg(b->width()).arg(b->sizeHint().width()).arg(b->text()).arg(b->parentWidget()->width())));
}

QTEST_MAIN(TestFrmRTrotazioni)
#include "test_frmrtrotazioni.moc"
