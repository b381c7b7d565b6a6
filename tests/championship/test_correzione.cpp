// Correcting results: the routine with every counter worked out by hand (3-0 into 2-3, 3-1 into 1-3,
// "*"-"*" into 3-1), what it refuses before writing, a fault between its steps; and the form driven
// by its controls' names: played matchdays only, the match list, the checks, typed entries that name
// nothing, the save of the matchday on show.
#include "championship/erroreregola.h"
#include "championship/frmmodrisultati.h"
#include "championship/salvarisultati.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "support/campionato.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {

const QString SetErrato = QStringLiteral("E' stato immesso un valore di set errato.");
const QString Archiviati =
    QStringLiteral("I punteggi immessi sono stati archiviati e la classifica è stata aggiornata in modo automatico!");
const QStringList Quattro = {"Alfa", "L'Aquila", "Beta", "Gamma"};

// Matchday 1 played (Alfa - L'Aquila 3-0, Beta - Gamma 3-1), matchday 2 played (Gamma - Alfa with no
// result, L'Aquila - Beta 3-2), matchday 3 not played; the standings hold exactly these results.
void dueGiornateGiocate()
{
    AggiungiGiornata(1, Quattro, true, {{1, "3"}, {2, "0"}, {3, "3"}, {4, "1"}});
    AggiungiGiornata(2, {"Gamma", "Alfa", "L'Aquila", "Beta"}, true, {{1, "*"}, {2, "*"}, {3, "3"}, {4, "2"}});
    AggiungiGiornata(3, {"Alfa", "Beta", "Gamma", "L'Aquila"});
    RigaClassifica(QStringLiteral("Alfa"), 3, 3, 0);
    RigaClassifica(QStringLiteral("L'Aquila"), 2, 3, 5);
    RigaClassifica(QStringLiteral("Beta"), 4, 5, 4);
    RigaClassifica(QStringLiteral("Gamma"), 0, 1, 3);
}

QList<Riga> classifica()
{
    QList<Riga> righe;
    for (const QString &s : Quattro)
        righe << RigaDi(s);
    return righe;
}

QLineEdit *P(QWidget *f, int k) { return Figlio<QLineEdit>(f, QStringLiteral("P%1").arg(k)); }
QComboBox *combo(QWidget *f, const char *nome) { return Figlio<QComboBox>(f, QLatin1String(nome)); }
QPushButton *pulsante(QWidget *f, const char *nome) { return Figlio<QPushButton>(f, QLatin1String(nome)); }

void scegli(QComboBox *c, const QString &testo)
{
    c->setEditText(testo);
    QTest::keyClick(c->lineEdit(), Qt::Key_Return);
}
void focus(QWidget *w, QEvent::Type tipo)
{
    QFocusEvent e(tipo, Qt::TabFocusReason);
    QCoreApplication::sendEvent(w, &e);
}
// The user enters a set field, types and leaves it with Tab.
void digita(QWidget *f, int k, const QString &testo)
{
    focus(P(f, k), QEvent::FocusIn);
    QTest::keyClicks(P(f, k), testo);
    focus(P(f, k), QEvent::FocusOut);
}
// The user clicks into a set field of the active form and types there; the focus stays in it.
void inCampo(QWidget *f, int k, const QString &testo)
{
    QTest::mouseClick(P(f, k), Qt::LeftButton);
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != P(f, k))
        qFatal("the click did not give the focus to P%d", k);
    QTest::keyClicks(P(f, k), testo);
}
bool attiva(QWidget *f)
{
    f->activateWindow();
    return QTest::qWaitForWindowActive(f);
}
QStringList voci(QComboBox *c)
{
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

} // namespace

class TestCorrezione : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        dueGiornateGiocate();
    }
    void cleanup() { program.reset(); }

    // ---- the routine ----

    void correctionsWorkedOutByHand()
    {
        // 3-0 into 2-3: Alfa loses 3 points and gains 1, L'Aquila gains 2; the sets follow.
        CorreggiRisultati(1, {{1, "2", "3"}});
        QCOMPARE(RigaDi("Alfa"), (Riga{1, 2, 3, 5, false}));
        QCOMPARE(RigaDi("L'Aquila"), (Riga{4, 6, 4, 10, false}));
        QCOMPARE(GiornataDi(1).sets.mid(0, 4), (QStringList{"2", "3", "3", "1"}));

        // 3-1 into 1-3: three points move from Beta to Gamma, the sets won and lost swap.
        CorreggiRisultati(1, {{2, "1", "3"}});
        QCOMPARE(RigaDi("Beta"), (Riga{1, 3, 6, 9, false}));
        QCOMPARE(RigaDi("Gamma"), (Riga{3, 3, 1, 4, false}));

        // "*"-"*" into 3-1: nothing to take off, the new result added.
        CorreggiRisultati(2, {{1, "3", "1"}});
        QCOMPARE(RigaDi("Gamma"), (Riga{6, 6, 2, 8, false}));
        QCOMPARE(RigaDi("Alfa"), (Riga{1, 3, 6, 9, false}));
        const Giornata g = GiornataDi(2);
        QCOMPARE(g.sets.mid(0, 4), (QStringList{"3", "1", "3", "2"}));
        QVERIFY(g.giocata);
    }

    void refusedBeforeAnythingIsWritten_data()
    {
        QTest::addColumn<int>("giornata");
        QTest::addColumn<int>("partita");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::newRow("not played") << 3 << 1 << "3" << "0";
        QTest::newRow("no such matchday") << 99 << 1 << "3" << "0";
        QTest::newRow("match 0") << 1 << 0 << "3" << "0";
        QTest::newRow("match 11") << 1 << 11 << "3" << "0";
        QTest::newRow("empty slot") << 1 << 3 << "3" << "0";
        QTest::newRow("no result") << 1 << 1 << "*" << "*";
        QTest::newRow("one side only") << 1 << 1 << "3" << "*";
        QTest::newRow("letter") << 1 << 1 << "x" << "3";
        QTest::newRow("3-3") << 1 << 1 << "3" << "3";
        QTest::newRow("2-2") << 1 << 1 << "2" << "2";
        QTest::newRow("blank") << 1 << 1 << "" << "3";
    }
    void refusedBeforeAnythingIsWritten()
    {
        QFETCH(int, giornata);
        QFETCH(int, partita);
        QFETCH(QString, a);
        QFETCH(QString, b);
        const QList<Riga> prima = classifica();
        const Giornata g1 = GiornataDi(1);
        QVERIFY_THROWS_EXCEPTION(ErroreRegola, CorreggiRisultati(giornata, {{partita, a, b}}));
        QCOMPARE(classifica(), prima);
        QCOMPARE(GiornataDi(1).sets, g1.sets);
        QVERIFY(!GiornataDi(3).giocata);
        QCOMPARE(GiornataDi(3).sets, QStringList(20, QString()));
    }

    void aFaultBetweenTheStepsLeavesEverything_data()
    {
        QTest::addColumn<QString>("passo");
        QTest::newRow("after the subtraction") << "correzione: dopo lo storno";
        QTest::newRow("between the tables") << "correzione: tra le tabelle";
    }
    void aFaultBetweenTheStepsLeavesEverything()
    {
        QFETCH(QString, passo);
        const QList<Riga> prima = classifica();
        QStringList passi;
        store::Database::faultHook() = [&](const QString &p) {
            passi << p;
            if (p == passo)
                throw store::EngineError(QStringLiteral("interrotto"), store::HcWrite);
        };
        QVERIFY_THROWS_EXCEPTION(store::EngineError, CorreggiRisultati(1, {{1, "2", "3"}, {2, "0", "3"}}));
        QVERIFY(passi.contains(passo));
        store::Database::faultHook() = nullptr;
        QCOMPARE(classifica(), prima);
        QCOMPARE(GiornataDi(1).sets.mid(0, 4), (QStringList{"3", "0", "3", "1"}));
    }

    // ---- the form ----

    void onlyPlayedMatchdaysAndTheirMatches()
    {
        auto form = apri();
        form->show();
        QCoreApplication::processEvents();
        const QSize apertura = form->size();
        QCOMPARE(voci(combo(form.get(), "CboxGiornate")), (QStringList{"1", "2"}));
        for (int k = 1; k <= 20; ++k)
            QVERIFY(P(form.get(), k)->isHidden());
        scegli(combo(form.get(), "CboxGiornate"), "1");
        QCOMPARE(form->GiornataMostrata(), 1);
        QCOMPARE(Figlio<QLabel>(form.get(), "LabTitolo2")->text(), QStringLiteral("1"));
        QCOMPARE(voci(combo(form.get(), "cBoxPartita")),
                 (QStringList{"01 * Alfa - L'Aquila", "02 * Beta - Gamma"}));
        scegli(combo(form.get(), "cBoxPartita"), "02 * Beta - Gamma");
        QCOMPARE(form->PartitaMostrata(), 2);
        for (int k = 1; k <= 20; ++k) {
            QCOMPARE(P(form.get(), k)->isHidden(), k != 3 && k != 4);
            QCOMPARE(Figlio<QLineEdit>(form.get(), QStringLiteral("SQ%1").arg(k))->isHidden(), k != 3 && k != 4);
        }
        QCOMPARE(Figlio<QLineEdit>(form.get(), "SQ3")->text(), QStringLiteral("Beta"));
        QCOMPARE(P(form.get(), 3)->text(), QStringLiteral("3"));
        QCOMPARE(P(form.get(), 4)->text(), QStringLiteral("1"));
        QVERIFY(!form->Modificato());
        // The match takes the room kept for it: the form neither grows nor leaves a band, and the
        // buttons stay where they were.
        QCoreApplication::processEvents();
        QCOMPARE(form->size(), apertura);
        QVERIFY(P(form.get(), 4)->geometry().bottom() < Figlio<QWidget>(form.get(), "SBsi")->geometry().top());

        // The same match row on the next matchday.
        scegli(combo(form.get(), "CboxGiornate"), "2");
        QCOMPARE(form->PartitaMostrata(), 2);
        QCOMPARE(Figlio<QLineEdit>(form.get(), "SQ3")->text(), QStringLiteral("L'Aquila"));
        QCOMPARE(P(form.get(), 4)->text(), QStringLiteral("2"));
        QCOMPARE(program->boxes.count(), 0);
    }

    void correctingThroughTheForm()
    {
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "02 * Beta - Gamma");
        pulsante(form.get(), "Button1")->click();
        QVERIFY(pulsante(form.get(), "SBsi")->isEnabled());
        digita(form.get(), 3, "1");
        QVERIFY(!pulsante(form.get(), "SBsi")->isEnabled()); // every visit to a field asks for a check again
        digita(form.get(), 4, "3");
        QCOMPARE(program->boxes.count(), 0);
        QVERIFY(form->Modificato());
        pulsante(form.get(), "Button1")->click();
        QVERIFY(pulsante(form.get(), "SBsi")->isEnabled());
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{Archiviati});
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(RigaDi("Beta"), (Riga{1, 3, 6, 9, false}));
        QCOMPARE(RigaDi("Gamma"), (Riga{3, 3, 1, 4, false}));
        QCOMPARE(GiornataDi(1).sets.mid(0, 4), (QStringList{"3", "0", "1", "3"}));
    }

    void wrongValuesAndPairsAreRefused_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("errori");
        QTest::newRow("asterisk first") << "*" << "3" << 2; // the value, then the pair on leaving the second
        QTest::newRow("asterisk second") << "3" << "*" << 1;
        QTest::newRow("letter") << "x" << "3" << 2;
        QTest::newRow("3-3") << "3" << "3" << 1;
        QTest::newRow("1-2") << "1" << "2" << 1;
    }
    void wrongValuesAndPairsAreRefused()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, errori);
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        const QList<Riga> prima = classifica();
        digita(form.get(), 1, a);
        digita(form.get(), 2, b);
        QCOMPARE(program->boxes.count(), errori);
        QCOMPARE(program->boxes.last().testo, SetErrato);
        // "Verifica dati" finds the fault again; the save cannot be pressed, and a direct save refuses.
        program->boxes.clear();
        pulsante(form.get(), "Button1")->click();
        QVERIFY(!pulsante(form.get(), "SBsi")->isEnabled());
        QCOMPARE(program->boxes.texts(), QStringList{SetErrato});
        form->SBsiClick();
        QVERIFY(form->isVisible());
        QCOMPARE(classifica(), prima);
        QCOMPARE(GiornataDi(1).sets.mid(0, 2), (QStringList{"3", "0"}));
    }

    void typedEntriesThatNameNothingChangeNothing()
    {
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        for (const char *testo : {"3", "0", "99", "x", "1x"}) {
            program->boxes.clear();
            scegli(combo(form.get(), "CboxGiornate"), QLatin1String(testo));
            QCOMPARE(program->boxes.count(), 1);
            QCOMPARE(form->GiornataMostrata(), 1);
            QCOMPARE(combo(form.get(), "CboxGiornate")->currentText(), QStringLiteral("1"));
            QCOMPARE(Figlio<QLineEdit>(form.get(), "SQ1")->text(), QStringLiteral("Alfa"));
        }
        for (const char *testo : {"05 * Alfa - Beta", "02", "x"}) {
            program->boxes.clear();
            scegli(combo(form.get(), "cBoxPartita"), QLatin1String(testo));
            QCOMPARE(program->boxes.count(), 1);
            QCOMPARE(form->PartitaMostrata(), 1);
            QCOMPARE(combo(form.get(), "cBoxPartita")->currentText(), QStringLiteral("01 * Alfa - L'Aquila"));
        }
    }

    void yesOnAChangeOfMatchdaySavesTheOneOnShow()
    {
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        digita(form.get(), 1, "2");
        digita(form.get(), 2, "3");
        program->boxes.setNextAnswer(true);
        scegli(combo(form.get(), "CboxGiornate"), "2");
        QCOMPARE(program->boxes.count(), 2);
        QCOMPARE(program->boxes.last().testo, Archiviati);
        QCOMPARE(GiornataDi(1).sets.mid(0, 2), (QStringList{"2", "3"}));
        QCOMPARE(GiornataDi(2).sets.mid(0, 4), (QStringList{"*", "*", "3", "2"}));
        QCOMPARE(RigaDi("Alfa"), (Riga{1, 2, 3, 5, false}));
    }

    void noAnswerDropsTheEntries()
    {
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        digita(form.get(), 1, "2");
        program->boxes.setNextAnswer(false);
        scegli(combo(form.get(), "CboxGiornate"), "2");
        QCOMPARE(form->GiornataMostrata(), 2);
        QCOMPARE(P(form.get(), 1)->text(), QStringLiteral("*"));
        QVERIFY(!form->Modificato());
        QCOMPARE(GiornataDi(1).sets.mid(0, 2), (QStringList{"3", "0"}));
    }

    void aRestingTeamHasNoMatchAndNothingPlayedOpensNothing()
    {
        AggiungiGiornata(4, {"Alfa", "Beta", "Gamma", "L'Aquila", "Delta", "Epsilon", "Zeta"}, true);
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "4");
        QCOMPARE(combo(form.get(), "cBoxPartita")->count(), 3);
        form.reset();

        store::Table t(QStringLiteral("giornate.db"));
        t.open();
        for (t.first(); !t.eof(); t.next()) {
            t.edit();
            t.fieldByName(QStringLiteral("Giocata")).setAsBoolean(false);
            t.post();
        }
        t.close();
        TFrmModRisultati vuoto;
        QCOMPARE(vuoto.exec(), int(QDialog::Rejected));
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Attenzione."));
    }

    void leavingWithEntriesAsksFirst()
    {
        auto form = apri();
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        digita(form.get(), 1, "2");
        program->boxes.setNextAnswer(false);
        pulsante(form.get(), "SBesci")->click();
        QVERIFY(form->isVisible());
        // Escape and the window's close box ask the same question; No keeps the entries.
        program->boxes.setNextAnswer(false);
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->isVisible());
        program->boxes.setNextAnswer(false);
        form->close();
        QVERIFY(form->isVisible());
        QCOMPARE(program->boxes.count(), 3);
        QVERIFY(form->Modificato());
        program->boxes.setNextAnswer(true);
        pulsante(form.get(), "SBesci")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(GiornataDi(1).sets.mid(0, 2), (QStringList{"3", "0"}));
    }

    // Every way out with the keyboard focus in a set field holding a valid or a wrong value, the
    // window active, clicked as a user clicks: the one question about the entries and no check.
    void waysOutCheckNoField_data()
    {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("valore");
        for (const char *via : {"SBesci", "Escape", "chiusura"})
            for (const char *valore : {"2", "5", "x"})
                QTest::addRow("%s %s", via, valore) << QString::fromLatin1(via) << QString::fromLatin1(valore);
    }
    void waysOutCheckNoField()
    {
        QFETCH(QString, via);
        QFETCH(QString, valore);
        auto form = apri();
        QVERIFY(attiva(form.get()));
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        const QString domanda = QStringLiteral("I risultati della giornata sono stati variati, annullo le modifiche?");
        for (const bool si : {false, true}) {
            inCampo(form.get(), 1, valore);
            program->boxes.setNextAnswer(si);
            if (via == QLatin1String("SBesci"))
                QTest::mouseClick(pulsante(form.get(), "SBesci"), Qt::LeftButton);
            else if (via == QLatin1String("Escape"))
                QTest::keyClick(P(form.get(), 1), Qt::Key_Escape);
            else
                form->close();
            QCoreApplication::processEvents();
            QCOMPARE(program->boxes.texts(), QStringList(si ? 2 : 1, domanda));
            QCOMPARE(form->isVisible(), !si);
        }
        QCOMPARE(GiornataDi(1).sets.mid(0, 2), (QStringList{"3", "0"}));
    }

    // Browsing matchdays and matches with the focus moving through the fields, then leaving: nothing
    // was changed, so nothing is asked, checked or read from a closed table.
    void leavingAfterBrowsingShowsNothing_data()
    {
        QTest::addColumn<QString>("via");
        for (const char *via : {"SBesci", "Escape", "chiusura"})
            QTest::newRow(via) << QString::fromLatin1(via);
    }
    void leavingAfterBrowsingShowsNothing()
    {
        QFETCH(QString, via);
        auto form = apri();
        QVERIFY(attiva(form.get()));
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "02 * Beta - Gamma");
        inCampo(form.get(), 4, QString());
        scegli(combo(form.get(), "CboxGiornate"), "2");
        inCampo(form.get(), 3, QString());
        QTest::mouseClick(combo(form.get(), "cBoxPartita")->lineEdit(), Qt::LeftButton);
        inCampo(form.get(), 4, QString());
        if (via == QLatin1String("SBesci"))
            QTest::mouseClick(pulsante(form.get(), "SBesci"), Qt::LeftButton);
        else if (via == QLatin1String("Escape"))
            QTest::keyClick(P(form.get(), 4), Qt::Key_Escape);
        else
            form->close();
        QCoreApplication::processEvents();
        QCOMPARE(program->boxes.texts(), QStringList());
        QVERIFY(!form->isVisible());
    }

    // A wrong pair left by a click on "Verifica dati" gives one box, not a second one from the check.
    void oneWrongPairOneBox()
    {
        auto form = apri();
        QVERIFY(attiva(form.get()));
        scegli(combo(form.get(), "CboxGiornate"), "1");
        scegli(combo(form.get(), "cBoxPartita"), "01 * Alfa - L'Aquila");
        inCampo(form.get(), 1, QStringLiteral("3"));
        inCampo(form.get(), 2, QStringLiteral("3"));
        QTest::mouseClick(pulsante(form.get(), "Button1"), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(program->boxes.texts(), QStringList{SetErrato});
        QCOMPARE(QApplication::focusWidget(), P(form.get(), 2));
        QVERIFY(!pulsante(form.get(), "SBsi")->isEnabled());
        inCampo(form.get(), 2, QStringLiteral("2"));
        QTest::mouseClick(pulsante(form.get(), "Button1"), Qt::LeftButton);
        QCOMPARE(program->boxes.count(), 1);
        QVERIFY(pulsante(form.get(), "SBsi")->isEnabled());
    }

private:
    std::unique_ptr<TFrmModRisultati> apri()
    {
        auto form = std::make_unique<TFrmModRisultati>();
        form->show();
        return form;
    }
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestCorrezione)
#include "test_correzione.moc"
