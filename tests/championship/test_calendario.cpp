// The calendar builder and the matchday composer driven by their controls' names: the header
// checks, the stored teams, the matchdays with their return legs, the resting team, discarding.
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/testprogram.h"
#include "ui/finestraprincipale.h"
#include "ui/modale.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using store::Table;

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

QStringList column(const QString &file, const QString &field)
{
    Table t(file);
    t.open();
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.fieldByName(field).asString();
    return out;
}

QStringList row(int recNo)
{
    Table t(QStringLiteral("giornate.db"));
    t.open();
    t.setRecNo(recNo);
    QStringList out{t.fieldByName(QStringLiteral("Giornata")).asString()};
    for (int k = 1; k <= 20; ++k)
        out << t.fieldByName(QStringLiteral("Squadra%1").arg(k)).asString();
    while (out.size() > 1 && out.last().isEmpty())
        out.removeLast();
    return out;
}

QStringList items(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class TestCalendario : public QObject {
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
        setModalBackend(nullptr);
        delete builder;
        delete composer;
        FrmCalendario = nullptr;
        ImpostaFinestraPrincipale(nullptr);
        program.reset();
    }

    void headerChecks()
    {
        // The season proposed is the one under way: from August, this year and the next.
        QCOMPARE(builder->EDTanno->text(), StagioneDi(QDate::currentDate()));
        QCOMPARE(StagioneDi(QDate(2026, 12, 9)), QStringLiteral("2026/2027"));
        QCOMPARE(StagioneDi(QDate(2026, 8, 1)), QStringLiteral("2026/2027"));
        QCOMPARE(StagioneDi(QDate(2026, 7, 31)), QStringLiteral("2025/2026"));
        QCOMPARE(StagioneDi(QDate(2027, 1, 1)), QStringLiteral("2026/2027"));
        builder->EDTnSQ->setText(QStringLiteral("4"));
        builder->ButSalva->click();
        for (int i = 0; i < 20; ++i)
            QCOMPARE(builder->SQ[i]->isEnabled(), i < 4);
        QVERIFY(builder->BTMsquadre->isEnabled() && builder->sbAnnulla->isEnabled());
        QCOMPARE(builder->SQ[0]->text(), QStringLiteral("Nome squadra preferita"));

        builder->sbAnnullaClick(); // the header is locked until "Annulla"
        builder->EDTnSQ->setText(QStringLiteral("20"));
        builder->ButSalva->click();
        for (int i = 0; i < 20; ++i)
            QVERIFY(builder->SQ[i]->isEnabled());

        builder->sbAnnullaClick();
        for (const QString &n : {QStringLiteral("3"), QStringLiteral("21")}) {
            builder->EDTnSQ->setText(n);
            builder->ButSalva->click();
            QCOMPARE(program->boxes.last().testo,
                     QStringLiteral("Il numero delle squadre non può essere maggiore di 20 o inferiore a 4."));
            for (QLineEdit *e : builder->SQ)
                QVERIFY(!e->isEnabled());
        }

        builder->EDTnSQ->setText(QStringLiteral("6"));
        builder->EDTnGIORN->setText(QStringLiteral("15"));
        builder->EDTnGIORNExit();
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Attenzione."));
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Il numero delle giornate deve essere un numero pari."));
        builder->EDTnGIORN->setText(QStringLiteral("2"));
        builder->ButSalva->click();
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Il numero delle giornate non puo' essere inferiore a 4."));
        QVERIFY(!builder->BTMsquadre->isEnabled());
        builder->EDTnSQ->setText(QStringLiteral("x"));
        builder->EDTnGIORN->setText(QStringLiteral("8"));
        builder->ButSalva->click();
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Errore"));
        QVERIFY(!builder->BTMsquadre->isEnabled());
    }

    void badTeamNamesStoreNothing()
    {
        builder->EDTnSQ->setText(QStringLiteral("4"));
        builder->EDTmySQ->setText(QStringLiteral("Alfa"));
        builder->ButSalva->click();
        builder->SQ[1]->setText(QString());
        builder->SQ[2]->setText(QStringLiteral("Gamma"));
        builder->SQ[3]->setText(QStringLiteral("Delta"));
        bool shown = false;
        setModalBackend([&](QDialog &) -> int {
            shown = true;
            return 0;
        });
        builder->BTMsquadreClick();
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Il nome della squadra n.2 non può essere vuoto."));
        builder->SQ[1]->setText(QStringLiteral("Gamma"));
        builder->BTMsquadreClick();
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("Gamma")));
        QVERIFY(!shown);
        QCOMPARE(column(QStringLiteral("squadre.db"), QStringLiteral("Squadre")), QStringList());
        QCOMPARE(column(QStringLiteral("impostazioni.db"), QStringLiteral("ANNATA")), QStringList{QString()});
    }

    // Names are stored without leading and trailing blanks; two names that differ only in case or
    // in blanks are one team, refused with the message for a team typed twice.
    void teamNamesTrimmedAndOneTeamWhateverItsCase()
    {
        builder->EDTnSQ->setText(QStringLiteral("4"));
        builder->EDTnGIORN->setText(QStringLiteral("6"));
        builder->EDTmySQ->setText(QStringLiteral("  Pro Patria "));
        builder->ButSalva->click();
        setModalBackend([&](QDialog &) -> int { return 0; });
        const QString doppia = QStringLiteral("La squadra '%1' è già stata inserita: ogni squadra deve avere un nome diverso.");
        for (const char *nome : {"PRO PATRIA", "pro  patria", "ProPatria", " Pro Patria  "}) {
            builder->SQ[1]->setText(QStringLiteral("Gamma"));
            builder->SQ[2]->setText(QStringLiteral("Delta"));
            builder->SQ[3]->setText(QString::fromUtf8(nome));
            builder->BTMsquadreClick();
            QCOMPARE(program->boxes.last().testo, doppia.arg(QString::fromUtf8(nome).trimmed()));
            QCOMPARE(column(QStringLiteral("squadre.db"), QStringLiteral("Squadre")), QStringList());
        }
        program->boxes.clear();
        builder->SQ[3]->setText(QStringLiteral(" L'Aquila\t"));
        builder->BTMsquadreClick();
        QCOMPARE(program->boxes.count(), 0);
        const QStringList attese = {"Pro Patria", "Gamma", "Delta", "L'Aquila"};
        QCOMPARE(column(QStringLiteral("squadre.db"), QStringLiteral("Squadre")), attese);
        QCOMPARE(column(QStringLiteral("Class.db"), QStringLiteral("Squadre")), attese);
        QCOMPARE(column(QStringLiteral("impostazioni.db"), QStringLiteral("SQUADRAPREFERITA")), QStringList{"Pro Patria"});
    }

    // n = 4, g = 6: matchdays 1, 4, 2, 5, 3, 6; matchday 4 is matchday 1 with each pair swapped.
    void fourTeamsSixMatchdays()
    {
        const QStringList teams = {"Alfa", "L'Aquila", "Beta", "Gamma"};
        enterTeams(teams, 6);
        QList<QStringList> days = {{"Alfa", "L'Aquila", "Beta", "Gamma"},
                                   {"Gamma", "Alfa", "L'Aquila", "Beta"},
                                   {"Alfa", "Beta", "Gamma", "L'Aquila"}};
        setModalBackend([&](QDialog &d) -> int {
            if (&d != composer)
                return 0;
            composer->show();
            for (const QStringList &day : days)
                composeDay(day);
            return 1;
        });
        builder->BTMsquadreClick();

        QCOMPARE(column(QStringLiteral("squadre.db"), QStringLiteral("Squadre")), teams);
        QCOMPARE(column(QStringLiteral("Class.db"), QStringLiteral("Punti")), QStringList(4, QStringLiteral("0")));
        QCOMPARE(column(QStringLiteral("Class.db"), QStringLiteral("SetG")), QStringList(4, QString()));
        QCOMPARE(column(QStringLiteral("impostazioni.db"), QStringLiteral("SQUADRAPREFERITA")), QStringList{"Alfa"});
        QCOMPARE(column(QStringLiteral("impostazioni.db"), QStringLiteral("NGIORNATE")), QStringList{"6"});
        QCOMPARE(column(QStringLiteral("giornate.db"), QStringLiteral("Giornata")),
                 (QStringList{"1", "4", "2", "5", "3", "6"}));
        QCOMPARE(row(1), (QStringList{"1", "Alfa", "L'Aquila", "Beta", "Gamma"}));
        QCOMPARE(row(2), (QStringList{"4", "L'Aquila", "Alfa", "Gamma", "Beta"}));
        QCOMPARE(column(QStringLiteral("giornate.db"), QStringLiteral("Giocata")), QStringList(6, QStringLiteral("False")));
        QVERIFY(composer->Completo());
        QCOMPARE(main.enabled, 1);
        QCOMPARE(main.ended, 0);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Fine compilazione calendario!"));
        QCOMPARE(program->boxes.count(), 3); // two confirmations, then the end
    }

    void fiveTeamsAndTheRestingTeam()
    {
        enterTeams({"A", "B", "C", "D", "E"}, 4);
        QList<bool> visible;
        QStringList secondList, firstList;
        QString firstShown;
        bool firstOnly = false;
        setModalBackend([&](QDialog &) -> int {
            composer->show();
            for (int k = 1; k <= 20; ++k)
                visible << composer->Box[k - 1]->isVisibleTo(composer);
            // The list of each box leaves out the teams already placed on this matchday.
            composer->ScegliSquadra(1, QStringLiteral("C"));
            composer->BoxExit(1);
            composer->BoxEnter(2);
            secondList = items(composer->Box[1]);
            composer->ScegliSquadra(2, QStringLiteral("A"));
            composer->BoxExit(2);
            composer->BoxEnter(3);
            composer->ScegliSquadra(3, QStringLiteral("E"));
            composer->BoxExit(3);
            // "Annulla giornata corrente": Box1 again, with the full list, the choices still shown.
            composer->BBannullaTuttoClick();
            firstOnly = composer->Box[0]->isEnabled() && !composer->Box[1]->isEnabled();
            firstList = items(composer->Box[0]);
            firstShown = composer->Box[0]->currentText();
            composeDay({"A", "B", "C", "D", "E"});
            composeDay({"E", "D", "C", "B", "A"});
            return 1;
        });
        builder->BTMsquadreClick();
        QCOMPARE(visible, (QList<bool>{true, true, true, true, true} + QList<bool>(15, false)));
        QCOMPARE(secondList, (QStringList{"A", "B", "D", "E"}));
        QVERIFY(firstOnly);
        QCOMPARE(firstList, (QStringList{"A", "B", "C", "D", "E"}));
        QCOMPARE(firstShown, QStringLiteral("C"));
        QCOMPARE(row(1), (QStringList{"1", "A", "B", "C", "D", "E"}));
        QCOMPARE(row(2), (QStringList{"3", "B", "A", "D", "C", "E"})); // E keeps slot 5, slot 6 empty
        QCOMPARE(row(4), (QStringList{"4", "D", "E", "B", "C", "A"}));
    }

    void closingEarlyDiscardsTheChampionship()
    {
        enterTeams({"A", "B", "C", "D"}, 8);
        setModalBackend([&](QDialog &) -> int {
            composer->show();
            composeDay({"A", "B", "C", "D"});
            composeDay({"A", "C", "B", "D"});
            program->boxes.setNextAnswer(true); // yes, abandon the calendar
            composer->close();
            return 0;
        });
        builder->BTMsquadreClick();
        QVERIFY(!composer->Completo());
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Il calendario non è stato compilato completamente, perciò verrà "
                                                     "rimosso e il programma verrà chiuso."));
        for (const char *f : {"Class.db", "giornate.db", "squadre.db"})
            QVERIFY2(!QFile::exists(program->folder.file(QLatin1String(f))), f);
        QCOMPARE(column(QStringLiteral("impostazioni.db"), QStringLiteral("ANNATA")), QStringList{QString()});
        QCOMPARE(main.ended, 1);
        QCOMPARE(main.enabled, 0);
    }

    void interruptedMatchdayKeepsNeitherLeg()
    {
        enterTeams({"A", "B", "C", "D"}, 4);
        store::Database::faultHook() = [](const QString &step) {
            if (step.startsWith(QLatin1String("giornata")))
                throw store::EngineError(QStringLiteral("disco pieno"));
        };
        setModalBackend([&](QDialog &) -> int {
            composer->show();
            composeDay({"A", "B", "C", "D"});
            return 0;
        });
        builder->BTMsquadreClick();
        store::Database::faultHook() = nullptr;
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Si è verificato un'errore imprevisto interno."));
        QCOMPARE(main.ended, 1);
        QCOMPARE(column(QStringLiteral("giornate.db"), QStringLiteral("Giornata")), QStringList());
    }

    // The matchday count is checked when the user moves on (one box, the focus back), never when
    // leaving the builder by "Esci", Escape or the close box, whatever the field holds.
    void matchdayCountCheckedOnlyWhenMovingOn_data()
    {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("valore");
        for (const char *via : {"ButEsci", "Escape", "chiusura"})
            for (const char *valore : {"8", "7", "x"})
                QTest::addRow("%s %s", via, valore) << QString::fromLatin1(via) << QString::fromLatin1(valore);
    }
    void matchdayCountCheckedOnlyWhenMovingOn()
    {
        QFETCH(QString, via);
        QFETCH(QString, valore);
        builder->show();
        builder->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(builder));
        QTest::mouseClick(builder->EDTnGIORN, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), builder->EDTnGIORN);
        builder->EDTnGIORN->selectAll();
        QTest::keyClicks(builder->EDTnGIORN, valore);
        if (valore != QLatin1String("8")) {
            QTest::mouseClick(builder->EDTnSQ, Qt::LeftButton);
            QCOMPARE(program->boxes.count(), 1);
            QCOMPARE(QApplication::focusWidget(), builder->EDTnGIORN);
            program->boxes.clear();
        }
        if (via == QLatin1String("ButEsci"))
            QTest::mouseClick(builder->ButEsci, Qt::LeftButton);
        else if (via == QLatin1String("Escape"))
            QTest::keyClick(builder->EDTnGIORN, Qt::Key_Escape);
        else
            builder->close();
        QCoreApplication::processEvents();
        QCOMPARE(program->boxes.texts(), QStringList());
        QVERIFY(!builder->isVisible());
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

    void composeDay(const QStringList &day)
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

QTEST_MAIN(TestCalendario)
#include "test_calendario.moc"
