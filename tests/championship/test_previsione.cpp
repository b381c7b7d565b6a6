// The matchday forecast: the score and its tie, the marks of every match (names with apostrophes),
// the resting team without a mark, typed matchdays not in the list, a matchday gone from the calendar,
// and all matchdays played.
#include "championship/frmprevisionegiornata.h"
#include "store/table.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/datacontrols.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {
const QStringList Sette = {"L'Aquila", "Bravi", "Carpi", "Dervio", "Empoli", "Fano", "Gela"};

void scegli(QComboBox *c, const QString &testo)
{
    c->setEditText(testo);
    QTest::keyClick(c->lineEdit(), Qt::Key_Return);
}

// The marks on show, "V" at the marked side: "V-", "-V", or "--" for none.
QStringList segni(QWidget *f)
{
    QStringList l;
    for (int partita = 1; partita <= 10; ++partita) {
        QString s;
        for (int k : {2 * partita - 1, 2 * partita}) {
            auto *v = Figlio<QLabel>(f, QStringLiteral("V%1").arg(k));
            s += !v->isHidden() && v->text() == QLatin1String("V") ? QLatin1Char('V') : QLatin1Char('-');
        }
        l << s;
    }
    return l;
}
} // namespace

class TestPrevisione : public QObject {
    Q_OBJECT
private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void scoreAndTie()
    {
        QCOMPARE(PunteggioPrevisione(10, 8), 38);
        QCOMPARE(PunteggioPrevisione(9, 11), 38);
        QVERIFY(!VinceInCasa(38, 38)); // a tie goes to the visitor
        QVERIFY(VinceInCasa(100, 99));
        QVERIFY(!VinceInCasa(99, 100));
        QCOMPARE(PunteggioPrevisione(0, 0), 0);
    }

    void marksEveryMatchOfTheLowestUnplayedMatchday()
    {
        // L'Aquila 38 against Bravi 38 (tie: visitor); Carpi 100 against Dervio 99 (home);
        // Empoli without a standings row (0) against Fano 1; Gela rests.
        RigaClassifica(QStringLiteral("L'Aquila"), 8, 10, 0);
        RigaClassifica(QStringLiteral("Bravi"), 11, 9, 0);
        RigaClassifica(QStringLiteral("Carpi"), 1, 33, 0);
        RigaClassifica(QStringLiteral("Dervio"), 0, 33, 0);
        RigaClassifica(QStringLiteral("Fano"), 1, 0, 0);
        AggiungiGiornata(3, Sette, true);
        AggiungiGiornata(5, {"Gela", "Fano", "Bravi", "Carpi", "Dervio", "Empoli", "L'Aquila"});
        AggiungiGiornata(4, Sette);
        TFrmPrevisioneGiornata form;
        form.show();
        auto *combo = Figlio<QComboBox>(&form, "CboxGiornate");
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->itemText(0), QStringLiteral("4"));
        QCOMPARE(combo->currentText(), QStringLiteral("4"));
        QCOMPARE(Figlio<DBEdit>(&form, "SQ1")->text(), QStringLiteral("L'Aquila"));
        QStringList attesi = {"-V", "V-", "-V", "--", "--", "--", "--", "--", "--", "--"};
        QCOMPARE(segni(&form), attesi);
        QCOMPARE(program->boxes.count(), 0);

        // Matchday 5: Gela (0) - Fano (1), Bravi (38) - Carpi (100), Dervio (99) - Empoli (0); L'Aquila rests.
        scegli(combo, "5");
        QCOMPARE(form.GiornataMostrata(), 5);
        attesi = QStringList{"-V", "-V", "V-", "--", "--", "--", "--", "--", "--", "--"};
        QCOMPARE(segni(&form), attesi);

        // Typed text that is no entry of the list: the combo goes back, the marks stay.
        for (const char *testo : {"3", "99", "x", ""}) {
            scegli(combo, QLatin1String(testo));
            QCOMPARE(combo->currentText(), QStringLiteral("5"));
            QCOMPARE(form.GiornataMostrata(), 5);
            QCOMPARE(segni(&form), attesi);
        }
        QCOMPARE(program->boxes.count(), 0);
    }

    void aMatchdayGoneClearsBoxesAndMarks()
    {
        AggiungiGiornata(1, Sette);
        AggiungiGiornata(2, Sette);
        TFrmPrevisioneGiornata form;
        form.show();
        QCOMPARE(segni(&form).first(), QStringLiteral("-V")); // all at zero: every visitor
        {
            store::Table t(QStringLiteral("giornate.db"));
            t.open();
            QVERIFY(t.locate(QStringLiteral("Giornata"), 2));
            t.remove();
        }
        scegli(Figlio<QComboBox>(&form, "CboxGiornate"), "2");
        QCOMPARE(form.GiornataMostrata(), 0);
        QCOMPARE(Figlio<DBEdit>(&form, "SQ1")->text(), QString());
        QCOMPARE(segni(&form), QStringList(10, QStringLiteral("--")));
    }

    void allPlayedWarnsOncePerOpening()
    {
        AggiungiGiornata(1, Sette, true);
        TFrmPrevisioneGiornata form;
        form.show();
        QCOMPARE(program->boxes.texts(),
                 QStringList{QStringLiteral("Tutte le giornate sono state giocate, non è possibile fare previsioni.")});
        QVERIFY(!Figlio<QComboBox>(&form, "CboxGiornate")->isEnabled());
        QCOMPARE(Figlio<QComboBox>(&form, "CboxGiornate")->currentText(), QString());
        QCOMPARE(segni(&form), QStringList(10, QStringLiteral("--")));
        // The form activated again (a message box closed) warns no more.
        QEvent attiva(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&form, &attiva);
        QCOMPARE(program->boxes.count(), 1);
    }

    void anEmptyCalendarSelectsNothing()
    {
        TFrmPrevisioneGiornata form;
        form.show();
        QCOMPARE(form.GiornataMostrata(), 0);
        QCOMPARE(Figlio<QComboBox>(&form, "CboxGiornate")->currentIndex(), -1);
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestPrevisione)
#include "test_previsione.moc"
