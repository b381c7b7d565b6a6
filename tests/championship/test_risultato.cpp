// The standings rule: points of every accepted result, sets per side, reverting, and the pairs it
// must refuse without touching a row.
#include "championship/erroreregola.h"
#include "championship/risultato.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

#include <QtTest>

using store::Table;

namespace {

struct Riga {
    int punti, setV, setP, setG;
    bool operator==(const Riga &) const = default;
};

Riga riga(const QString &squadra)
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    if (!t.locate(QStringLiteral("Squadre"), squadra))
        return {-1, -1, -1, -1};
    return {t.fieldByName(QStringLiteral("Punti")).asInteger(), t.fieldByName(QStringLiteral("SetV")).asInteger(),
            t.fieldByName(QStringLiteral("SetP")).asInteger(), t.fieldByName(QStringLiteral("SetG")).asInteger()};
}

} // namespace

namespace QTest {
template <> char *toString(const Riga &r)
{
    return qstrdup(QStringLiteral("{%1, %2, %3, %4}").arg(r.punti).arg(r.setV).arg(r.setP).arg(r.setG).toUtf8().constData());
}
} // namespace QTest

class TestRisultato : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        CreaTabelle();
        Table t(QStringLiteral("Class.db"));
        t.open();
        for (const QString &name : {QStringLiteral("Alfa"), QStringLiteral("L'Aquila"), QStringLiteral("Òvada")}) {
            t.append();
            t.fieldByName(QStringLiteral("Punti")).setAsInteger(0);
            t.fieldByName(QStringLiteral("Squadre")).setAsString(name);
            t.post();
        }
    }
    void cleanup()
    {
        store::Database::shutdown();
        folder.reset();
    }

    void pointsOfEveryPair_data()
    {
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("opp");
        QTest::addColumn<int>("points");
        const QStringList sets = {"0", "1", "2", "3", "*"};
        // Every pair of texts, with the points the table gives.
        for (const QString &own : sets)
            for (const QString &opp : sets) {
                int p = 0;
                if (own == "2")
                    p = 1;
                else if (own == "3" && opp == "2")
                    p = 2;
                else if (own == "3" && (opp == "1" || opp == "0"))
                    p = 3;
                QTest::addRow("%s-%s", qPrintable(own), qPrintable(opp)) << own << opp << p;
            }
    }
    void pointsOfEveryPair()
    {
        QFETCH(QString, own);
        QFETCH(QString, opp);
        QFETCH(int, points);
        QCOMPARE(PuntiRisultato(own, opp), points);
    }

    void setValueAndPairRules()
    {
        for (const char *v : {"0", "1", "2", "3"}) {
            QVERIFY(ValoreSet(QLatin1String(v), false));
            QVERIFY(ValoreSet(QLatin1String(v), true));
        }
        QVERIFY(ValoreSet(QStringLiteral("*"), true));
        QVERIFY(!ValoreSet(QStringLiteral("*"), false));
        for (const char *v : {"", "4", "x", " ", "-1", "03", "3 ", "٣"})
            QVERIFY2(!ValoreSet(QString::fromUtf8(v), true), v);

        // Every pair of values: one side 3 sets, the other 0 to 2.
        const QStringList valori = {"0", "1", "2", "3"};
        for (const QString &a : valori)
            for (const QString &b : valori)
                QCOMPARE(CoppiaSet(a, b), (a == "3") != (b == "3"));
        // Nothing that is not a digit reads as 0: "x"-"3" is no 0-3.
        for (const char *a : {"x", "*", "", " 0", "+0"}) {
            QVERIFY2(!CoppiaSet(QLatin1String(a), QStringLiteral("3")), a);
            QVERIFY2(!CoppiaSet(QStringLiteral("3"), QLatin1String(a)), a);
        }
    }

    void applyingResults()
    {
        ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("L'Aquila"));
        QCOMPARE(riga(QStringLiteral("Alfa")), (Riga{2, 3, 2, 5}));
        QCOMPARE(riga(QStringLiteral("L'Aquila")), (Riga{1, 2, 3, 5}));

        ApplicaRisultato(QStringLiteral("Òvada"), QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("Alfa"));
        QCOMPARE(riga(QStringLiteral("Òvada")), (Riga{0, 0, 3, 3}));
        QCOMPARE(riga(QStringLiteral("Alfa")), (Riga{5, 6, 2, 8}));

        // "*"-"*" changes neither row.
        ApplicaRisultato(QStringLiteral("Òvada"), QStringLiteral("*"), QStringLiteral("*"), QStringLiteral("L'Aquila"));
        QCOMPARE(riga(QStringLiteral("Òvada")), (Riga{0, 0, 3, 3}));
        QCOMPARE(riga(QStringLiteral("L'Aquila")), (Riga{1, 2, 3, 5}));
    }

    void revertThenApplyLeavesTheRows()
    {
        ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("L'Aquila"));
        const Riga alfa = riga(QStringLiteral("Alfa"));
        const Riga aquila = riga(QStringLiteral("L'Aquila"));
        QCOMPARE(alfa, (Riga{3, 3, 1, 4}));

        StornaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("L'Aquila"));
        QCOMPARE(riga(QStringLiteral("Alfa")), (Riga{0, 0, 0, 0}));
        ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("L'Aquila"));
        QCOMPARE(riga(QStringLiteral("Alfa")), alfa);
        QCOMPARE(riga(QStringLiteral("L'Aquila")), aquila);

        // A 3-1 corrected into 1-3: the points move, the sets swap, the sets played stay.
        StornaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("L'Aquila"));
        ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("L'Aquila"));
        QCOMPARE(riga(QStringLiteral("Alfa")), (Riga{0, 1, 3, 4}));
        QCOMPARE(riga(QStringLiteral("L'Aquila")), (Riga{3, 3, 1, 4}));
    }

    void refusedPairsTouchNoRow()
    {
        ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("L'Aquila"));
        const Riga alfa = riga(QStringLiteral("Alfa"));
        // One side without a result.
        QVERIFY_THROWS_EXCEPTION(ErroreRegola, ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"),
                                                                QStringLiteral("*"), QStringLiteral("L'Aquila")));
        // The second team has no row: the first team's row is not left changed either.
        QVERIFY_THROWS_EXCEPTION(ErroreRegola, ApplicaRisultato(QStringLiteral("Alfa"), QStringLiteral("3"),
                                                                QStringLiteral("0"), QStringLiteral("Nessuna")));
        QCOMPARE(riga(QStringLiteral("Alfa")), alfa);
        QCOMPARE(riga(QStringLiteral("L'Aquila")), (Riga{0, 0, 3, 3}));
    }

private:
    std::unique_ptr<TempProgramFolder> folder;
};

QTEST_GUILESS_MAIN(TestRisultato)
#include "test_risultato.moc"
