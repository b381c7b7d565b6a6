// The results-entry form driven by its controls' names: the starting matchday, the fields open for
// the number of teams, the value and pair checks, the checks run again by the save, the resting
// team, the change of matchday with entries not saved, typed matchdays that do not exist, an empty
// calendar, and a save interrupted between the two tables.
#include "championship/dategiornate.h"
#include "championship/frmrisultati.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/datacontrols.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

using store::Table;
using namespace prova;

namespace {

const QString SetErrato = QStringLiteral("E' stato immesso un valore di set errato.");
const QString Archiviati =
    QStringLiteral("I punteggi immessi sono stati archiviati e la classifica è stata aggiornata in modo automatico!");
const QString GiaInserita = QStringLiteral("La giornata richiamata è gia stata inserita, per modificare eventuali "
                                           "risultati errati seleziona: \n 'Modifica risultati' dal menù.");

QLineEdit *P(QWidget *f, int k) { return Figlio<QLineEdit>(f, QStringLiteral("P%1").arg(k)); }
DBEdit *SQ(QWidget *f, int k) { return Figlio<DBEdit>(f, QStringLiteral("SQ%1").arg(k)); }
QComboBox *combo(QWidget *f) { return Figlio<QComboBox>(f, QStringLiteral("CboxGiornate")); }
QPushButton *pulsante(QWidget *f, const char *nome) { return Figlio<QPushButton>(f, QLatin1String(nome)); }

// The user types into a field (without leaving it).
void digita(QWidget *f, int k, const QString &testo) { QTest::keyClicks(P(f, k), testo); }
// The user leaves a field with Tab.
void esci(QWidget *f, int k)
{
    QFocusEvent fuori(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(P(f, k), &fuori);
}
void digitaEdEsci(QWidget *f, int k, const QString &testo)
{
    digita(f, k, testo);
    esci(f, k);
}
// The user types a matchday number into the combo box and presses Return.
void scegliGiornata(QWidget *f, const QString &testo)
{
    combo(f)->setEditText(testo);
    QTest::keyClick(combo(f)->lineEdit(), Qt::Key_Return);
}
// The user clicks into a set field of the active form and types there; the focus stays in it.
void inCampo(QWidget *f, int k, const QString &testo)
{
    QTest::mouseClick(P(f, k), Qt::LeftButton);
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != P(f, k))
        qFatal("the click gave the focus to %s", qPrintable(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QStringLiteral("nothing")));
    QTest::keyClicks(P(f, k), testo);
}
// The form becomes the active window, as a user's click on it makes it.
bool attiva(QWidget *f)
{
    f->activateWindow();
    return QTest::qWaitForWindowActive(f);
}
QStringList testiSet(QWidget *f, int quanti)
{
    QStringList l;
    for (int k = 1; k <= quanti; ++k)
        l << P(f, k)->text();
    return l;
}

} // namespace

class TestFrmRisultati : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
    }
    void cleanup()
    {
        program.reset();
    }

    // The form opens on the lowest-numbered matchday not yet played, whatever the stored order (the
    // composer stores 1, 12, 2, 13 ... 11, 22), matchdays played out of order included.
    void opensOnTheLowestNumberedMatchdayNotPlayed_data()
    {
        QTest::addColumn<QList<int>>("giocate");
        QTest::addColumn<int>("attesa");
        QTest::newRow("none played") << QList<int>{} << 1;
        QTest::newRow("1 played") << QList<int>{1} << 2;
        QTest::newRow("3 played") << QList<int>{1, 2, 3} << 4;
        QTest::newRow("5 played") << QList<int>{1, 2, 3, 4, 5} << 6;
        QTest::newRow("out of order") << QList<int>{1, 3, 12} << 2;
        QTest::newRow("a return leg first") << QList<int>{12, 13} << 1;
        QTest::newRow("all but the last") << [] {
            QList<int> l;
            for (int k = 1; k <= 21; ++k)
                l << k;
            return l;
        }() << 22;
    }
    void opensOnTheLowestNumberedMatchdayNotPlayed()
    {
        QFETCH(QList<int>, giocate);
        QFETCH(int, attesa);
        Impostazione("NSQUADRE", 12);
        const QStringList squadre = Nomi("Squadra", 12);
        QStringList ritorno = squadre;
        std::swap(ritorno[0], ritorno[1]);
        QStringList ordine;
        for (int k = 1; k <= 11; ++k) {
            AggiungiGiornata(k, squadre, giocate.contains(k));
            AggiungiGiornata(k + 11, ritorno, giocate.contains(k + 11));
            ordine << QString::number(k) << QString::number(k + 11);
        }
        SalvaDateGiornate({{attesa, {QDate(2025, 3, 1), QStringLiteral("20:30")}}});
        auto form = apri();
        QStringList lista;
        for (int i = 0; i < combo(form.get())->count(); ++i)
            lista << combo(form.get())->itemText(i);
        QCOMPARE(lista, ordine);
        QCOMPARE(form->GiornataMostrata(), attesa);
        QCOMPARE(combo(form.get())->currentText(), QString::number(attesa));
        QCOMPARE(Figlio<QLabel>(form.get(), QStringLiteral("LabTitolo2"))->text(), QString::number(attesa));
        // The boxes are those of the matchday on show: a return leg's home team is Squadra 2.
        QCOMPARE(SQ(form.get(), 1)->text(), attesa > 11 ? QStringLiteral("Squadra 2") : QStringLiteral("Squadra 1"));
        QCOMPARE(Figlio<QLabel>(form.get(), QStringLiteral("LabData"))->text(), QStringLiteral("- sabato 1 marzo 2025 20:30"));
        for (int k = 1; k <= 20; ++k) {
            QVERIFY2(P(form.get(), k)->isEnabled() == (k <= 12), qPrintable(QString::number(k)));
            QCOMPARE(P(form.get(), k)->text(), QStringLiteral("*"));
        }
        QVERIFY(!form->Modificato());
        QVERIFY(!pulsante(form.get(), "SBannulla")->isEnabled());
        QCOMPARE(program->boxes.count(), 0);
    }

    void sevenTeamsTheSeventhRests()
    {
        Impostazione("NSQUADRE", 7);
        const QStringList squadre = {"Sant'Antioco", "Bravi", "Carpi", "Dervio", "Empoli", "Fano", "L'Aquila"};
        SquadreInClassifica(squadre);
        AggiungiGiornata(1, squadre, false, {{8, QStringLiteral("#")}});
        auto form = apri();
        for (int k = 1; k <= 20; ++k)
            QCOMPARE(P(form.get(), k)->isEnabled(), k <= 7);
        QCOMPARE(SQ(form.get(), 7)->text(), QStringLiteral("L'Aquila"));

        digitaEdEsci(form.get(), 1, "3");
        digitaEdEsci(form.get(), 2, "0");
        digitaEdEsci(form.get(), 3, "2");
        digitaEdEsci(form.get(), 4, "3");
        digitaEdEsci(form.get(), 7, "2"); // the resting team's field: not a result
        QCOMPARE(program->boxes.count(), 0);
        QVERIFY(form->Modificato());
        pulsante(form.get(), "SBsi")->click();

        QCOMPARE(program->boxes.texts(), QStringList{Archiviati});
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(P(form.get(), 7)->text(), QStringLiteral("*"));

        const Giornata g = GiornataDi(1);
        QVERIFY(g.giocata);
        QCOMPARE(g.sets.mid(0, 8), (QStringList{"3", "0", "2", "3", "*", "*", "*", "#"}));
        QCOMPARE(g.sets.mid(8), QStringList(12, QString()));

        QCOMPARE(RigaDi("Sant'Antioco"), (Riga{3, 3, 0, 3, false}));
        QCOMPARE(RigaDi("Bravi"), (Riga{0, 0, 3, 3, false}));
        QCOMPARE(RigaDi("Carpi"), (Riga{1, 2, 3, 5, false}));
        QCOMPARE(RigaDi("Dervio"), (Riga{2, 3, 2, 5, false}));
        QCOMPARE(RigaDi("Empoli"), RigaZero);
        QCOMPARE(RigaDi("Fano"), RigaZero);
        QCOMPARE(RigaDi("L'Aquila"), (Riga{0, 0, 0, 0, true}));
    }

    void twentyTeamsNoResultsStillPlayed()
    {
        Impostazione("NSQUADRE", 20);
        const QStringList squadre = Nomi("Squadra", 20);
        SquadreInClassifica(squadre);
        AggiungiGiornata(1, squadre);
        auto form = apri();
        for (int k = 1; k <= 20; ++k)
            QVERIFY(P(form.get(), k)->isEnabled());
        // "*" typed on one side and the other side left: the pair becomes "*"-"*".
        digitaEdEsci(form.get(), 19, "3");
        digitaEdEsci(form.get(), 20, "*");
        QCOMPARE(P(form.get(), 19)->text(), QStringLiteral("*"));
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{Archiviati});
        const Giornata g = GiornataDi(1);
        QVERIFY(g.giocata);
        QCOMPARE(g.sets, QStringList(20, QStringLiteral("*")));
        for (const QString &s : squadre)
            QCOMPARE(RigaDi(s), RigaZero);
    }

    void pairCheckOnLeavingTheSecondField_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("accepted");
        const QStringList numeri = {"0", "1", "2", "3"};
        for (const QString &a : numeri)
            for (const QString &b : numeri) {
                // A match ends when one side has won three sets.
                const bool ok = (a == "3") != (b == "3");
                QTest::addRow("%s-%s", qPrintable(a), qPrintable(b)) << a << b << ok;
            }
    }
    void pairCheckOnLeavingTheSecondField()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, accepted);
        auto form = quattroSquadre();
        digitaEdEsci(form.get(), 3, a);
        digitaEdEsci(form.get(), 4, b);
        if (accepted) {
            QCOMPARE(program->boxes.count(), 0);
        } else {
            QCOMPARE(program->boxes.texts(), QStringList{SetErrato});
            QCOMPARE(program->boxes.last().titolo, QStringLiteral("Errore"));
            QCOMPARE(form->focusWidget(), P(form.get(), 4));
        }
        QCOMPARE(testiSet(form.get(), 4), (QStringList{"*", "*", a, b})); // a refused pair stays as typed
    }

    void valueCheckOnLeavingAField_data()
    {
        QTest::addColumn<int>("campo");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("accepted");
        for (int campo : {1, 2}) {
            for (const char *t : {"0", "1", "2", "3", "*"})
                QTest::addRow("P%d '%s'", campo, t) << campo << QString::fromLatin1(t) << true;
            for (const char *t : {"", "4", "x", "-", " "})
                QTest::addRow("P%d '%s'", campo, t) << campo << QString::fromLatin1(t) << false;
        }
    }
    void valueCheckOnLeavingAField()
    {
        QFETCH(int, campo);
        QFETCH(QString, testo);
        QFETCH(bool, accepted);
        auto form = quattroSquadre();
        P(form.get(), campo)->setText(testo);
        QCOMPARE(form->Modificato(), testo != QLatin1String("*"));
        esci(form.get(), campo);
        if (accepted) {
            QVERIFY2(program->boxes.texts().isEmpty(), qPrintable(program->boxes.texts().join('|')));
        } else {
            QCOMPARE(program->boxes.texts(), QStringList{SetErrato}); // one box: no pair check after a wrong value
            QCOMPARE(form->focusWidget(), P(form.get(), campo));
            QCOMPARE(P(form.get(), campo)->text(), testo);
        }
    }

    void aKeyReplacesTheFieldAndAnnullaClears()
    {
        auto form = quattroSquadre();
        QVERIFY(!pulsante(form.get(), "SBannulla")->isEnabled());
        digita(form.get(), 1, "3");
        digita(form.get(), 2, "1");
        QCOMPARE(testiSet(form.get(), 2), (QStringList{"3", "1"}));
        QVERIFY(pulsante(form.get(), "SBannulla")->isEnabled());

        pulsante(form.get(), "SBannulla")->click();
        QCOMPARE(testiSet(form.get(), 4), QStringList(4, QStringLiteral("*")));
        QVERIFY(form->Modificato());
        QVERIFY(pulsante(form.get(), "SBannulla")->isEnabled());
        QCOMPARE(form->focusWidget(), P(form.get(), 1));
        QCOMPARE(program->boxes.count(), 0);
    }

    // The save checks every open field again: a value or a pair the user never left is refused,
    // with the focus on it and nothing written.
    void saveRefusesWhatTheChecksRefuse_data()
    {
        QTest::addColumn<QStringList>("valori");
        QTest::addColumn<int>("fuoco");
        QTest::addRow("wrong value") << QStringList{"3", "0", "5", "*"} << 3;
        QTest::addRow("empty field") << QStringList{"3", "0", "", "*"} << 3;
        QTest::addRow("2-2") << QStringList{"3", "1", "2", "2"} << 4;
        QTest::addRow("3-3") << QStringList{"3", "3", "*", "*"} << 2;
        QTest::addRow("number-*") << QStringList{"3", "*", "*", "*"} << 2;
        QTest::addRow("*-number") << QStringList{"3", "0", "*", "1"} << 3;
    }
    void saveRefusesWhatTheChecksRefuse()
    {
        QFETCH(QStringList, valori);
        QFETCH(int, fuoco);
        auto form = quattroSquadre();
        for (int k = 1; k <= 4; ++k)
            P(form.get(), k)->setText(valori[k - 1]);
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{SetErrato});
        QCOMPARE(form->focusWidget(), P(form.get(), fuoco));
        QVERIFY(form->isVisible());
        QCOMPARE(testiSet(form.get(), 4), valori);
        const Giornata g = GiornataDi(1);
        QVERIFY(!g.giocata);
        QCOMPARE(g.sets, QStringList(20, QString()));
        for (const QString &s : Nomi("Squadra", 4))
            QCOMPARE(RigaDi(s), RigaZero);
    }

    void changeOfMatchdayAnsweredNoClearsTheEntries()
    {
        auto form = quattroSquadre();
        digitaEdEsci(form.get(), 1, "3");
        digitaEdEsci(form.get(), 2, "2");
        program->boxes.setNextAnswer(false);
        scegliGiornata(form.get(), "2");
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Richiesta."));
        QCOMPARE(program->boxes.last().testo,
                 QStringLiteral("I risultati della giornata sono stati variati, si vuole memorizzare le modifiche?"));
        QCOMPARE(form->GiornataMostrata(), 2);
        QCOMPARE(SQ(form.get(), 1)->text(), QStringLiteral("Squadra 3"));
        QCOMPARE(testiSet(form.get(), 4), QStringList(4, QStringLiteral("*")));
        QVERIFY(!form->Modificato());
        QVERIFY(!GiornataDi(1).giocata);
        QCOMPARE(RigaDi("Squadra 1"), RigaZero);

        // Going back asks nothing: no entries since.
        scegliGiornata(form.get(), "1");
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(form->GiornataMostrata(), 1);
    }

    void changeOfMatchdayAnsweredYesSavesTheShownOne()
    {
        auto form = quattroSquadre();
        digitaEdEsci(form.get(), 1, "3");
        digitaEdEsci(form.get(), 2, "2");
        digitaEdEsci(form.get(), 3, "0");
        digitaEdEsci(form.get(), 4, "3");
        program->boxes.setNextAnswer(true);
        scegliGiornata(form.get(), "2");
        QCOMPARE(program->boxes.texts(),
                 (QStringList{"I risultati della giornata sono stati variati, si vuole memorizzare le modifiche?",
                              Archiviati}));
        QVERIFY(!form->isVisible());
        const Giornata uno = GiornataDi(1);
        QVERIFY(uno.giocata);
        QCOMPARE(uno.sets.mid(0, 4), (QStringList{"3", "2", "0", "3"}));
        QVERIFY(!GiornataDi(2).giocata);
        QCOMPARE(GiornataDi(2).sets, QStringList(20, QString()));
        // Matchday 1 is Squadra 1 - Squadra 2, Squadra 3 - Squadra 4.
        QCOMPARE(RigaDi("Squadra 1"), (Riga{2, 3, 2, 5, false}));
        QCOMPARE(RigaDi("Squadra 2"), (Riga{1, 2, 3, 5, false}));
        QCOMPARE(RigaDi("Squadra 3"), (Riga{0, 0, 3, 3, false}));
        QCOMPARE(RigaDi("Squadra 4"), (Riga{3, 3, 0, 3, false}));
    }

    void typedMatchdayNotInTheListChangesNothing_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addRow("number not in the list") << QStringLiteral("99");
        QTest::addRow("not a number") << QStringLiteral("abc");
        QTest::addRow("nothing") << QString();
    }
    void typedMatchdayNotInTheListChangesNothing()
    {
        QFETCH(QString, testo);
        auto form = quattroSquadre();
        digitaEdEsci(form.get(), 1, "3");
        digitaEdEsci(form.get(), 2, "1");
        scegliGiornata(form.get(), testo);
        QCOMPARE(program->boxes.texts(), QStringList{QStringLiteral("La giornata indicata non è presente nel calendario.")});
        QCOMPARE(combo(form.get())->currentText(), QStringLiteral("1"));
        QCOMPARE(form->GiornataMostrata(), 1);
        QCOMPARE(SQ(form.get(), 1)->text(), QStringLiteral("Squadra 1"));
        QCOMPARE(testiSet(form.get(), 2), (QStringList{"3", "1"}));

        // Typed and saved at once: the save refuses it and writes nothing; the matchday on show stays.
        program->boxes.clear();
        combo(form.get())->setEditText(testo);
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{QStringLiteral("La giornata indicata non è presente nel calendario.")});
        QVERIFY(form->isVisible());
        QVERIFY(!GiornataDi(1).giocata);
        QVERIFY(!GiornataDi(2).giocata);

        program->boxes.clear();
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{Archiviati});
        QCOMPARE(GiornataDi(1).sets.mid(0, 4), (QStringList{"3", "1", "*", "*"}));
        QVERIFY(!GiornataDi(2).giocata);
    }

    void playedMatchdayOpensNoField()
    {
        auto form = quattroSquadre();
        {
            Table t(QStringLiteral("giornate.db"));
            t.open();
            t.locate(QStringLiteral("Giornata"), 2);
            t.edit();
            t.fieldByName(QStringLiteral("Set1")).setAsString(QStringLiteral("3"));
            t.fieldByName(QStringLiteral("Set2")).setAsString(QStringLiteral("0"));
            t.fieldByName(QStringLiteral("Giocata")).setAsBoolean(true);
            t.post();
        }
        scegliGiornata(form.get(), "2");
        QCOMPARE(program->boxes.texts(), QStringList{GiaInserita});
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Attenzione."));
        for (int k = 1; k <= 20; ++k)
            QVERIFY(!P(form.get(), k)->isEnabled());
        // Saving it stores nothing: the warning again, no success, and the form stays open.
        program->boxes.clear();
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{GiaInserita});
        QVERIFY(form->isVisible());
        const Giornata g = GiornataDi(2);
        QVERIFY(g.giocata);
        QCOMPARE(g.sets.mid(0, 4), (QStringList{"3", "0", "", ""}));
        for (const QString &s : Nomi("Squadra", 4))
            QCOMPARE(RigaDi(s), RigaZero);
    }

    void interruptedSaveLeavesTheMatchdayNotPlayed()
    {
        Impostazione("NSQUADRE", 5);
        const QStringList squadre = {"Alba", "Bra", "Cuneo", "Dogliani", "L'Aquila"};
        SquadreInClassifica(squadre);
        AggiungiGiornata(1, squadre);
        auto form = apri();
        digitaEdEsci(form.get(), 1, "3");
        digitaEdEsci(form.get(), 2, "1");
        digitaEdEsci(form.get(), 3, "2");
        digitaEdEsci(form.get(), 4, "3");
        QStringList passi;
        store::Database::faultHook() = [&](const QString &passo) {
            passi << passo;
            if (passo == QLatin1String("risultati: tra le tabelle"))
                throw store::EngineError(QStringLiteral("interrotto"), store::HcWrite);
        };
        pulsante(form.get(), "SBsi")->click();
        QVERIFY(passi.contains(QStringLiteral("risultati: tra le tabelle")));
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Errore"));
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("interrotto")));
        QVERIFY(form->isVisible());
        QVERIFY(form->Modificato());
        QVERIFY(!GiornataDi(1).giocata);
        QCOMPARE(GiornataDi(1).sets, QStringList(20, QString()));
        for (const QString &s : squadre)
            QCOMPARE(RigaDi(s), RigaZero);

        // The next save, uninterrupted, stores everything once.
        store::Database::faultHook() = nullptr;
        program->boxes.clear();
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{Archiviati});
        QVERIFY(GiornataDi(1).giocata);
        QCOMPARE(GiornataDi(1).sets.mid(0, 6), (QStringList{"3", "1", "2", "3", "*", ""}));
        QCOMPARE(RigaDi("Alba"), (Riga{3, 3, 1, 4, false}));
        QCOMPARE(RigaDi("Dogliani"), (Riga{2, 3, 2, 5, false}));
        QCOMPARE(RigaDi("L'Aquila"), (Riga{0, 0, 0, 0, true}));
    }

    void restingTeamWithoutStandingsRowSavesNothing()
    {
        Impostazione("NSQUADRE", 5);
        SquadreInClassifica({"Alba", "Bra", "Cuneo", "Dogliani"});
        AggiungiGiornata(1, {"Alba", "Bra", "Cuneo", "Dogliani", "Ignota"});
        auto form = apri();
        digitaEdEsci(form.get(), 1, "3");
        digitaEdEsci(form.get(), 2, "0");
        pulsante(form.get(), "SBsi")->click();
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Errore"));
        QVERIFY(program->boxes.last().testo.contains(QStringLiteral("Ignota")));
        QVERIFY(!GiornataDi(1).giocata);
        QCOMPARE(RigaDi("Alba"), RigaZero);
    }

    void emptyCalendarOpensNoForm()
    {
        Impostazione("NSQUADRE", 4);
        TFrmRisultati form;
        bool aperto = false;
        QTimer::singleShot(0, &form, [&] { // only reached if the form did open
            aperto = true;
            form.reject();
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(!aperto);
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Attenzione."));

        // Shown anyway: nothing to enter, nothing to save.
        program->boxes.clear();
        form.show();
        QCOMPARE(form.GiornataMostrata(), 0);
        for (int k = 1; k <= 20; ++k)
            QVERIFY(!P(&form, k)->isEnabled());
        QVERIFY(!pulsante(&form, "SBsi")->isEnabled());
        form.SBsiClick();
        QCOMPARE(program->boxes.count(), 0);
        QCOMPARE(combo(&form)->count(), 0);
    }

    void leavingWithEntriesAsksFirst()
    {
        auto form = quattroSquadre();
        digitaEdEsci(form.get(), 1, "3");
        program->boxes.setNextAnswer(false);
        pulsante(form.get(), "SBesci")->click();
        QCOMPARE(program->boxes.texts(),
                 QStringList{QStringLiteral("I risultati della giornata sono stati variati, annullo le modifiche?")});
        QVERIFY(form->isVisible());
        QCOMPARE(P(form.get(), 1)->text(), QStringLiteral("3"));

        // Escape asks the same question.
        program->boxes.setNextAnswer(false);
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QCOMPARE(program->boxes.count(), 2);
        QVERIFY(form->isVisible());

        program->boxes.setNextAnswer(true);
        pulsante(form.get(), "SBesci")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QVERIFY(!GiornataDi(1).giocata);
    }

    // Every way out with the keyboard focus in a set field holding a valid or a wrong value, the
    // window active, the buttons clicked as a user clicks them: the one question about the entries,
    // never the field's check; No keeps the form, Yes leaves it.
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
        auto form = quattroSquadre();
        QVERIFY(attiva(form.get()));
        const QString domanda = QStringLiteral("I risultati della giornata sono stati variati, annullo le modifiche?");
        for (const bool si : {false, true}) {
            inCampo(form.get(), 3, valore);
            program->boxes.setNextAnswer(si);
            if (via == QLatin1String("SBesci"))
                QTest::mouseClick(pulsante(form.get(), "SBesci"), Qt::LeftButton);
            else if (via == QLatin1String("Escape"))
                QTest::keyClick(P(form.get(), 3), Qt::Key_Escape);
            else
                form->close();
            QCOMPARE(program->boxes.texts(), QStringList(si ? 2 : 1, domanda));
            QCOMPARE(form->isVisible(), !si);
        }
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QVERIFY(!GiornataDi(1).giocata);
    }

    // "Annulla" drops the entries: a wrong value in the field being left is not checked first.
    void annullaChecksNoField()
    {
        auto form = quattroSquadre();
        QVERIFY(attiva(form.get()));
        inCampo(form.get(), 1, QStringLiteral("3"));
        inCampo(form.get(), 2, QStringLiteral("x"));
        QTest::mouseClick(pulsante(form.get(), "SBannulla"), Qt::LeftButton);
        QCOMPARE(program->boxes.count(), 0);
        QCOMPARE(testiSet(form.get(), 4), QStringList(4, QStringLiteral("*")));
    }

    // A wrong value or pair left by a click on "Inserisci risultati" or on another field gives one
    // box, the focus back in the field, and nothing saved: the click goes no further.
    void oneWrongValueOneBox_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("verso");
        for (const char *verso : {"SBsi", "P1"}) {
            QTest::addRow("pair %s", verso) << "3" << "3" << verso;
            QTest::addRow("value %s", verso) << "3" << "7" << verso;
        }
    }
    void oneWrongValueOneBox()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, verso);
        auto form = quattroSquadre();
        QVERIFY(attiva(form.get()));
        inCampo(form.get(), 3, a);
        inCampo(form.get(), 4, b);
        QTest::mouseClick(form->findChild<QWidget *>(verso), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(program->boxes.texts(), QStringList{SetErrato});
        QCOMPARE(QApplication::focusWidget(), P(form.get(), 4));
        QVERIFY(form->isVisible());
        QVERIFY(!GiornataDi(1).giocata);
        // Once mended, the same click goes through.
        inCampo(form.get(), 4, QStringLiteral("1"));
        QTest::mouseClick(pulsante(form.get(), "SBsi"), Qt::LeftButton);
        QCOMPARE(program->boxes.texts(), (QStringList{SetErrato, Archiviati}));
        QCOMPARE(GiornataDi(1).sets.mid(0, 4), (QStringList{"*", "*", a, "1"}));
    }

private:
    std::unique_ptr<TFrmRisultati> apri()
    {
        auto form = std::make_unique<TFrmRisultati>();
        form->show();
        return form;
    }
    // Four teams, matchdays 1 (Squadra 1 - 2, 3 - 4) and 2 (Squadra 3 - 1, 4 - 2), none played.
    std::unique_ptr<TFrmRisultati> quattroSquadre()
    {
        Impostazione("NSQUADRE", 4);
        SquadreInClassifica(Nomi("Squadra", 4));
        AggiungiGiornata(1, {"Squadra 1", "Squadra 2", "Squadra 3", "Squadra 4"});
        AggiungiGiornata(2, {"Squadra 3", "Squadra 1", "Squadra 4", "Squadra 2"});
        auto form = apri();
        if (form->GiornataMostrata() != 1)
            qFatal("the form opened on matchday %d", form->GiornataMostrata());
        return form;
    }

    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestFrmRisultati)
#include "test_frmrisultati.moc"
