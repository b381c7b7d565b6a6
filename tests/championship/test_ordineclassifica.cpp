// The order of the standings: teams level on points ranked step by step by orders worked out by
// hand, the matches won counted from the played matchdays only (rest turns, results missing,
// corrections, renamed teams), and the standings and statistics forms and prints before any match
// and on a season whose three pairs of teams level on points are each split by a different step.
#include "championship/frmclassifica.h"
#include "championship/frmstatistichesquadra.h"
#include "championship/ordineclassifica.h"
#include "championship/rinomina.h"
#include "championship/risultato.h"
#include "championship/salvarisultati.h"
#include "championship/stclassifica.h"
#include "championship/ststatistichesquadra.h"
#include "store/table.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/dbgrid.h"

#include <QtTest>
#include <algorithm>
#include <array>
#include <memory>

using namespace prova;

namespace {

QStringList nomiInOrdine(const QList<SquadraInClassifica> &squadre)
{
    QStringList nomi;
    for (int i : OrdineClassifica(squadre))
        nomi << squadre[i].squadra;
    return nomi;
}

// One matchday typed and saved as the results form saves it: the matches in slot order, then the
// resting team, whose slot gets "*".
void Gioca(int numero, const QList<std::array<QString, 4>> &partite, const QString &riposo)
{
    QStringList squadre;
    for (const auto &p : partite)
        squadre << p[0] << p[1];
    squadre << riposo;
    AggiungiGiornata(numero, squadre);

    store::Table giornate(QStringLiteral("giornate.db"));
    giornate.open();
    QVERIFY(giornate.locate(QStringLiteral("Giornata"), numero));
    RisultatiGiornata r;
    for (int k = 0; k < squadre.size(); ++k) {
        r.squadre[size_t(k)] = squadre[k];
        r.aperto[size_t(k)] = true;
    }
    for (int m = 0; m < partite.size(); ++m) {
        r.set[size_t(2 * m)] = partite[m][2];
        r.set[size_t(2 * m + 1)] = partite[m][3];
    }
    r.set[size_t(squadre.size() - 1)] = QStringLiteral("*");
    r.riposo = riposo;
    SalvaRisultati(giornate, r);
}

// The seven teams' five matchdays played, and one not. By points: Zafferana and Àlbano 8, Chieri 7, Urbino
// and l'Aquila 6, Trento and Bergamo 5. Worked out by hand:
//   Zafferana 3 wins, sets 10-6 (quotient 1,67); Àlbano 3 wins, 12-10 (1,20): the quotient decides,
//     against the sets won and the name.
//   Urbino 2 wins, 10-10 (1,00); l'Aquila 2 wins, 9-9 (1,00): the sets won decide, against the name.
//   Trento 2 wins, 8-10 (0,80); Bergamo 1 win, 9-11 (0,82): the wins decide, against the quotient,
//     the sets won and the name.
const QStringList Sette = {"Zafferana", "Bergamo", "Chieri", "l'Aquila", "Àlbano", "Trento", "Urbino"};

void Stagione()
{
    Gioca(1, {{"Bergamo", "Urbino", "2", "3"}, {"Chieri", "Trento", "2", "3"}, {"l'Aquila", "Àlbano", "2", "3"}},
          "Zafferana");
    Gioca(2, {{"Zafferana", "Urbino", "3", "2"}, {"Bergamo", "Àlbano", "3", "2"}, {"Chieri", "l'Aquila", "3", "1"}},
          "Trento");
    Gioca(3, {{"Zafferana", "Trento", "3", "0"}, {"Urbino", "Àlbano", "2", "3"}, {"Bergamo", "Chieri", "2", "3"}},
          "l'Aquila");
    Gioca(4, {{"Zafferana", "Àlbano", "3", "1"}, {"Trento", "l'Aquila", "2", "3"}, {"Urbino", "Chieri", "3", "2"}},
          "Bergamo");
    Gioca(5, {{"Zafferana", "l'Aquila", "1", "3"}, {"Àlbano", "Chieri", "3", "0"}, {"Trento", "Bergamo", "3", "2"}},
          "Urbino");
    // Not played: the sets typed into it count for nobody.
    AggiungiGiornata(6, {"Urbino", "Trento", "Àlbano", "Zafferana", "Chieri", "Bergamo", "l'Aquila"}, false,
                     {{1, "3"}, {2, "0"}, {3, "3"}, {4, "0"}});
}

const QStringList OrdineStagione = {"Zafferana", "Àlbano", "Chieri", "Urbino", "l'Aquila", "Trento", "Bergamo"};

QStringList colonnaGriglia(QWidget *form, int colonna)
{
    auto *griglia = Figlio<DBGrid>(form, QStringLiteral("DBGrid1"));
    QStringList l;
    for (int r = 0; r < griglia->dataModel()->rowCount(); ++r)
        l << griglia->dataModel()->index(r, colonna).data().toString();
    return l;
}

QStringList colonnaStampa(const ReportDocument &doc, const char *nome)
{
    QStringList l;
    for (const ReportPage &p : doc.pages)
        for (const ReportItem *i : p.itemsNamed(QLatin1String(nome)))
            l << i->text;
    return l;
}

// The lines of the PDF that begin with the teams' names, in the order they print, each cut after
// its numbers (the rest-turn word is left aside here).
QStringList righeSquadre(const QStringList &righe, const QStringList &squadre)
{
    static const QRegularExpression numero(QStringLiteral("^[0-9]+(,[0-9]+)?$"));
    QStringList trovate;
    for (const QString &r : righe)
        for (const QString &s : squadre)
            if (r.startsWith(s + QLatin1Char(' '))) {
                QStringList parti{s};
                for (const QString &p : r.mid(s.size() + 1).split(QLatin1Char(' '))) {
                    if (!numero.match(p).hasMatch())
                        break;
                    parti << p;
                }
                trovate << parti.join(QLatin1Char(' '));
            }
    return trovate;
}

} // namespace

class TestOrdineClassifica : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        program = std::make_unique<TestProgram>();
    }
    void cleanup()
    {
        program.reset();
        QLocale::setDefault(QLocale::c());
    }

    void theRuleStepByStep()
    {
        // name, points, wins, sets won, sets lost; listed in the order worked out by hand.
        // clang-format off
        const QList<SquadraInClassifica> attese = {
            {"Zeta", 10, 1, 3, 9},     // the most points, whatever else
            {"Ultimi", 7, 2, 7, 7},    // more wins, though worse on quotient, sets and name
            {"Alfa", 7, 1, 10, 2},
            {"Pavia", 6, 2, 6, 2},     // quotient 3 against 2,25, though fewer sets won
            {"Bari", 6, 2, 9, 4},
            {"Treviso", 5, 1, 6, 4},   // both quotients exactly 1,5: more sets won
            {"Como", 5, 1, 3, 2},
            {"Siena", 4, 1, 3, 0},     // no set lost: above a quotient of 30
            {"Asti", 4, 1, 30, 1},
            {"Rieti", 3, 1, 6, 0},     // both without a set lost: more sets won
            {"Lecce", 3, 1, 3, 0},
            {"Novara", 0, 0, 0, 0},    // nothing played, so nothing lost: above a quotient of 0
            {"Empoli", 0, 0, 0, 3},
            {"delta", -1, 0, 2, 3},    // everything level: the name, case and accents folded
            {"Èrcole", -1, 0, 2, 3},
            {"Fiume", -1, 0, 2, 3},
            {"ROMA", -1, 0, 2, 3},     // the same name but for case: still a fixed order
            {"Roma", -1, 0, 2, 3},
        };
        // clang-format on
        QStringList nomi;
        for (const SquadraInClassifica &s : attese)
            nomi << s.squadra;

        QList<SquadraInClassifica> rovescio = attese;
        std::reverse(rovescio.begin(), rovescio.end());
        QList<SquadraInClassifica> mescolate = attese;
        std::rotate(mescolate.begin(), mescolate.begin() + 7, mescolate.end());
        for (const QLocale &locale :
             {QLocale(QLocale::Italian, QLocale::Italy), QLocale(QLocale::French), QLocale::c()}) {
            QLocale::setDefault(locale);
            // However the rows were read, the same standings.
            QCOMPARE(nomiInOrdine(attese), nomi);
            QCOMPARE(nomiInOrdine(rovescio), nomi);
            QCOMPARE(nomiInOrdine(mescolate), nomi);
        }
        QVERIFY(OrdineClassifica({}).isEmpty());
    }

    void winsComeFromThePlayedResultsAsStoredNow()
    {
        Squadre({"Alfa", "Beta", "Gamma", "Delta", "Epsilon"});
        // Matchday 1: Alfa beats Beta, Delta beats Gamma, Epsilon rests.
        AggiungiGiornata(1, {"Alfa", "Beta", "Gamma", "Delta", "Epsilon"}, true,
                         {{1, "3"}, {2, "1"}, {3, "2"}, {4, "3"}, {5, "*"}});
        ApplicaRisultato("Alfa", "3", "1", "Beta");
        ApplicaRisultato("Gamma", "2", "3", "Delta");
        // Matchday 2: no result for Beta - Alfa, Gamma beats Epsilon, and a stray "3" in Delta's
        // rest slot is no match.
        AggiungiGiornata(2, {"Beta", "Alfa", "Epsilon", "Gamma", "Delta"}, true,
                         {{1, "*"}, {2, "*"}, {3, "0"}, {4, "3"}, {5, "3"}});
        ApplicaRisultato("Epsilon", "0", "3", "Gamma");
        // Matchday 3 is not played, whatever its sets say; matchday 4 is played with a pair that is
        // no result.
        AggiungiGiornata(3, {"Alfa", "Gamma", "Beta", "Epsilon", "Delta"}, false, {{1, "3"}, {2, "0"}});
        AggiungiGiornata(4, {"Alfa", "Delta", "Beta", "Epsilon", "Gamma"}, true,
                         {{1, "3"}, {2, "3"}, {3, ""}, {4, "3"}});

        using Vittorie = QHash<QString, int>;
        QCOMPARE(VittoriePartite(), (Vittorie{{"Alfa", 1}, {"Delta", 1}, {"Gamma", 1}}));

        // A corrected result moves the win; a renamed team keeps its wins under its new name.
        CorreggiRisultati(1, {{1, QStringLiteral("2"), QStringLiteral("3")}});
        QCOMPARE(VittoriePartite(), (Vittorie{{"Beta", 1}, {"Delta", 1}, {"Gamma", 1}}));
        RinominaSquadra(QStringLiteral("Beta"), QStringLiteral("Béta"));
        QCOMPARE(VittoriePartite(), (Vittorie{{"Béta", 1}, {"Delta", 1}, {"Gamma", 1}}));
    }

    void theFourViewsOnASeason()
    {
        // Nothing played: every team on 0 with no set lost, so by name (case and accents folded);
        // no quotient is divided, in the view or in the print.
        Squadre(Sette);
        TStClassifica stampa;
        TFrmClassifica form(&stampa);
        const QStringList perNome = {"Àlbano", "Bergamo", "Chieri", "l'Aquila", "Trento", "Urbino", "Zafferana"};
        QCOMPARE(colonnaGriglia(&form, 1), perNome);
        TStStatisticheSquadra statistiche;
        QCOMPARE(colonnaStampa(statistiche.Pagine(), "QRDBText1"), perNome);
        QCOMPARE(colonnaStampa(statistiche.Pagine(), "GeneQuozienteSet"), QStringList(7, QStringLiteral("Nullo")));

        Stagione();
        form.FormActivate();
        QCOMPARE(colonnaGriglia(&form, 1), OrdineStagione);
        QCOMPARE(colonnaGriglia(&form, 0), (QStringList{"8", "8", "7", "6", "6", "5", "5"}));
        QCOMPARE(colonnaStampa(stampa.Pagine(), "QRDBText1"), OrdineStagione);
        TFrmStatisticheSquadra formStatistiche;
        QCOMPARE(colonnaGriglia(&formStatistiche, 1), OrdineStagione);

        // The prints read back: name, points, sets played, won and lost (and the quotient).
        const QString pdf = program->folder.file(QStringLiteral("classifica.pdf"));
        const QString pdfStatistiche = program->folder.file(QStringLiteral("statistiche.pdf"));
        QVERIFY(stampa.SalvaPdf(pdf));
        QVERIFY(statistiche.SalvaPdf(pdfStatistiche));
        const QStringList righe = RighePdf(pdf);
        if (righe.isEmpty())
            QSKIP("pdftotext is not installed");
        QCOMPARE(righeSquadre(righe, OrdineStagione),
                 (QStringList{"Zafferana 8 16 10 6", "Àlbano 8 22 12 10", "Chieri 7 22 10 12", "Urbino 6 20 10 10",
                              "l'Aquila 6 18 9 9", "Trento 5 18 8 10", "Bergamo 5 20 9 11"}));
        QCOMPARE(righeSquadre(RighePdf(pdfStatistiche), OrdineStagione),
                 (QStringList{"Zafferana 8 16 10 6 1,67", "Àlbano 8 22 12 10 1,20", "Chieri 7 22 10 12 0,83",
                              "Urbino 6 20 10 10 1,00", "l'Aquila 6 18 9 9 1,00", "Trento 5 18 8 10 0,80",
                              "Bergamo 5 20 9 11 0,82"}));

        // Bergamo - Trento corrected to 2-3: Bergamo joins Urbino on 6 points, 2 wins and 10-10 sets,
        // and goes before it by name; Trento falls to 4 points.
        CorreggiRisultati(5, {{3, QStringLiteral("2"), QStringLiteral("3")}});
        form.FormActivate();
        const QStringList corretta = {"Zafferana", "Àlbano", "Chieri", "Bergamo", "Urbino", "l'Aquila", "Trento"};
        QCOMPARE(colonnaGriglia(&form, 1), corretta);
        QCOMPARE(colonnaStampa(statistiche.Pagine(), "QRDBText1"), corretta);
        // Urbino renamed keeps its two wins (without them it would fall below l'Aquila) and now
        // goes before Bergamo by name.
        RinominaSquadra(QStringLiteral("Urbino"), QStringLiteral("Ancona"));
        formStatistiche.FormActivate();
        const QStringList rinominata = {"Zafferana", "Àlbano", "Chieri", "Ancona", "Bergamo", "l'Aquila", "Trento"};
        QCOMPARE(colonnaGriglia(&formStatistiche, 1), rinominata);
        QCOMPARE(colonnaStampa(stampa.Pagine(), "QRDBText1"), rinominata);
        QCOMPARE(program->boxes.count(), 0);
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestOrdineClassifica)
#include "test_ordineclassifica.moc"
