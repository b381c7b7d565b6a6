// The composer's proposals driven by the buttons' names, the message boxes scripted: the whole
// calendar proposed, a proposal after matchdays typed by hand, the questions before a repeated match
// and before a dead end, and what happens when the proposal cannot be made or a store fails.
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "support/testprogram.h"
#include "ui/finestraprincipale.h"
#include "ui/modale.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <set>

namespace {

class FakeMain : public InterfacciaPrincipale {
public:
    void AbilitaMenuCalendario() override { ++enabled; }
    void DisabilitaMenuCalendario() override {}
    void MostraModuloRotazioni() override {}
    void TerminaProgramma() override { ++ended; }
    int enabled = 0;
    int ended = 0;
};

// Every row of giornate.db: its matchday number, then its teams up to the last one.
QList<QStringList> righe()
{
    store::Table t(QStringLiteral("giornate.db"));
    t.open();
    QList<QStringList> out;
    for (t.first(); !t.eof(); t.next()) {
        QStringList r{t.fieldByName(QStringLiteral("Giornata")).asString()};
        for (int k = 1; k <= 20; ++k)
            r << t.fieldByName(QStringLiteral("Squadra%1").arg(k)).asString();
        while (r.size() > 1 && r.last().isEmpty())
            r.removeLast();
        out << r;
    }
    return out;
}

// Checks the first leg stored in `rows` for `teams`: every pair once, each team once per matchday
// and (odd count) resting once. Empty when sound.
QString controllaAndata(const QList<QStringList> &rows, const QStringList &teams, int meta)
{
    std::set<std::pair<QString, QString>> coppie;
    QMap<QString, int> riposi;
    for (const QStringList &r : rows) {
        if (r[0].toInt() > meta)
            continue;
        const QStringList s = r.mid(1);
        if (QSet<QString>(s.begin(), s.end()).size() != teams.size() || s.size() != teams.size())
            return QStringLiteral("matchday %1 is not every team once").arg(r[0]);
        for (int i = 0; i + 1 < s.size(); i += 2)
            if (!coppie.insert(std::minmax(s[i], s[i + 1])).second)
                return s[i] + QStringLiteral(" - ") + s[i + 1] + QStringLiteral(" twice");
        if (s.size() % 2 != 0)
            ++riposi[s.last()];
    }
    if (int(coppie.size()) != teams.size() * (teams.size() - 1) / 2)
        return QStringLiteral("%1 pairs met").arg(coppie.size());
    for (const QString &t : teams)
        if (teams.size() % 2 != 0 && riposi.value(t) != 1)
            return t + QStringLiteral(" rests %1 times").arg(riposi.value(t));
    return {};
}

} // namespace

class TestProposta : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        main = FakeMain();
        ImpostaFinestraPrincipale(&main);
        composer = new TFrmGiornata;
        FrmGiornata = composer;
        builder = new TFrmCalendario;
        FrmCalendario = builder;
    }
    void cleanup()
    {
        store::Database::faultHook() = nullptr;
        setModalBackend(nullptr);
        delete builder;
        delete composer;
        FrmCalendario = nullptr;
        FrmGiornata = nullptr;
        ImpostaFinestraPrincipale(nullptr);
        program.reset();
    }

    // "Proponi calendario" on matchday 1, answered No then Yes: every matchday and its return leg
    // stored in the order 1, g/2+1, 2, ...; the favourite at home on matchday 1; the calendar ends
    // as one finished by hand.
    void wholeCalendarProposed_data()
    {
        QTest::addColumn<int>("squadre");
        QTest::newRow("20 teams") << 20;
        QTest::newRow("7 teams") << 7;
    }
    void wholeCalendarProposed()
    {
        QFETCH(int, squadre);
        QStringList teams;
        for (int i = 1; i <= squadre; ++i)
            teams << (i == 2 ? QStringLiteral("Città d'Oro") : i == 3 ? QStringLiteral("Citta d'Oro")
                                                                       : QStringLiteral("Squadra %1").arg(i));
        teams.swapItemsAt(0, squadre - 1); // the favourite is the first typed
        const int meta = squadre % 2 == 0 ? squadre - 1 : squadre;
        enterTeams(teams, 2 * meta);
        mostra([&] {
            program->boxes.setNextAnswer(false);
            composer->BTproponiTutto->click();
            QCOMPARE(righe().size(), 0);
            QCOMPARE(program->boxes.last().testo, QStringLiteral("Comporre automaticamente le giornate rimanenti?"));
            QVERIFY(program->boxes.last().noPredefinito);
            program->boxes.setNextAnswer(true);
            composer->BTproponiTutto->click();
        });
        const QList<QStringList> rows = righe();
        QCOMPARE(rows.size(), 2 * meta);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rows[i][0].toInt(), i % 2 == 0 ? i / 2 + 1 : i / 2 + 1 + meta);
        QCOMPARE(controllaAndata(rows, teams, meta), QString());
        const int favourite = int(rows[0].indexOf(teams.first()));
        QVERIFY2(favourite % 2 == 1 && favourite < squadre, qPrintable(rows[0].join(QLatin1Char(','))));
        QVERIFY(composer->Completo());
        QCOMPARE(main.enabled, 1);
        QCOMPARE(program->boxes.count(), 3); // the question twice, then the end of the calendar
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Fine compilazione calendario!"));
    }

    // Six teams: two matchdays typed; a repeated match asked about and refused; a dead end (the
    // three matchdays would leave two triangles) asked about and refused; then a proposal, stored
    // as typed ones are, and the rest of the calendar proposed.
    void handTypedThenProposed()
    {
        enterTeams({"A", "B", "C", "D", "E", "F"}, 10);
        mostra([&] {
            componi({"A", "D", "B", "E", "C", "F"});
            componi({"A", "E", "B", "F", "C", "D"});
            QCOMPARE(program->boxes.count(), 2);

            program->boxes.setNextAnswer(false);
            componi({"D", "A", "B", "C", "E", "F"});
            QCOMPARE(program->boxes.last().testo,
                     QStringLiteral("La partita D - A è già stata inserita nella giornata 1. Inserirla comunque?"));
            QVERIFY(program->boxes.last().noPredefinito);
            QCOMPARE(righe().size(), 4);
            QVERIFY(composer->BTMpost->isEnabled()); // the boxes stay for the user to change
            QCOMPARE(composer->Box[0]->currentText(), QStringLiteral("D"));

            composer->BBannullaTutto->click();
            program->boxes.setNextAnswer(false);
            componi({"A", "F", "B", "D", "C", "E"});
            QCOMPARE(program->boxes.last().testo, QStringLiteral("Con questa giornata il calendario non potrà essere "
                                                                 "completato senza ripetere partite. Inserirla comunque?"));
            QCOMPARE(righe().size(), 4);

            const int prima = program->boxes.count();
            composer->BTproponi->click();
            composer->BTproponi->click(); // twice: the boxes filled again with the same matchday
            for (int k = 1; k <= 6; ++k) {
                QVERIFY(!composer->Box[k - 1]->isEnabled());
                QVERIFY(!composer->Box[k - 1]->currentText().isEmpty());
            }
            QVERIFY(composer->BTMpost->isEnabled());
            composer->BTMpost->click();
            QCOMPARE(program->boxes.count(), prima + 1); // the confirmation only: no question
            QCOMPARE(righe().size(), 6);

            program->boxes.setNextAnswer(true);
            composer->BTproponiTutto->click();
        });
        QCOMPARE(controllaAndata(righe(), {"A", "B", "C", "D", "E", "F"}, 5), QString());
        QCOMPARE(righe()[0], (QStringList{"1", "A", "D", "B", "E", "C", "F"}));
        QVERIFY(composer->Completo());
    }

    // A dead end accepted, and a calendar longer than one round robin: no proposal, a message
    // saying why, and the hand composition goes on.
    void noProposalWhereNoneFits()
    {
        enterTeams({"A", "B", "C", "D"}, 8);
        mostra([&] {
            composer->BTproponi->click();
            QVERIFY(program->boxes.last().testo.startsWith(QStringLiteral("Con 4 squadre il girone di andata ha 3 giornate")));
            QVERIFY(!composer->BTMpost->isEnabled());
            componi({"A", "B", "C", "D"});
            componi({"A", "B", "C", "D"}); // no question: repeats cannot be avoided here
            QCOMPARE(righe().size(), 4);
        });
        cleanup();
        init();
        enterTeams({"A", "B", "C", "D", "E", "F"}, 10);
        mostra([&] {
            componi({"A", "D", "B", "E", "C", "F"});
            componi({"A", "E", "B", "F", "C", "D"});
            program->boxes.setNextAnswer(true);
            componi({"A", "F", "B", "D", "C", "E"});
            QCOMPARE(righe().size(), 6);
            composer->BTproponi->click();
            QCOMPARE(program->boxes.last().testo, QStringLiteral("Con le giornate già inserite il calendario non può "
                                                                 "essere completato senza ripetere partite: le giornate "
                                                                 "rimanenti vanno composte a mano."));
            QVERIFY(!composer->BTMpost->isEnabled());
        });
    }

    // A store that fails on the third matchday of "Proponi calendario": the two before stay whole
    // with their return legs, nothing of the third, and the program ends as for a failed store.
    void failingStoreKeepsWholeMatchdays()
    {
        enterTeams({"A", "B", "C", "D", "E", "F", "G", "H"}, 14);
        int passi = 0;
        store::Database::faultHook() = [&](const QString &step) {
            if (step.startsWith(QLatin1String("giornata")) && ++passi == 3)
                throw store::EngineError(QStringLiteral("disco pieno"));
        };
        mostra([&] {
            program->boxes.setNextAnswer(true);
            composer->BTproponiTutto->click();
        });
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Si è verificato un'errore imprevisto interno."));
        QCOMPARE(main.ended, 1);
        QStringList numeri;
        for (const QStringList &r : righe())
            numeri << r[0];
        QCOMPARE(numeri, (QStringList{"1", "8", "2", "9"}));
    }

private:
    void enterTeams(const QStringList &teams, int matchdays)
    {
        builder->EDTnSQ->setText(QString::number(teams.size()));
        builder->EDTnGIORN->setText(QString::number(matchdays));
        builder->EDTmySQ->setText(teams.first());
        builder->ButSalva->click();
        for (int i = 1; i < teams.size(); ++i)
            builder->SQ[i]->setText(teams[i]);
    }

    void mostra(const std::function<void()> &mosse)
    {
        setModalBackend([&](QDialog &d) -> int {
            if (&d != composer)
                return 0;
            composer->show();
            mosse();
            composer->hide();
            return composer->result();
        });
        builder->BTMsquadreClick();
    }

    void componi(const QStringList &day)
    {
        for (int k = 1; k <= day.size(); ++k) {
            composer->BoxEnter(k);
            QVERIFY(composer->Box[k - 1]->isEnabled());
            composer->ScegliSquadra(k, day[k - 1]);
            composer->BoxExit(k);
        }
        QVERIFY(composer->BTMpost->isEnabled());
        composer->BTMpost->click();
    }

    std::unique_ptr<TestProgram> program;
    FakeMain main;
    TFrmCalendario *builder = nullptr;
    TFrmGiornata *composer = nullptr;
};

QTEST_MAIN(TestProposta)
#include "test_proposta.moc"
