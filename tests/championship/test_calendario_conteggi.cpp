// The calendar builder's counts as a new user meets them: "Salva" runs every header check, the
// header is locked while the team names are typed, and "Memorizza squadre" checks again what it
// stores, writing nothing when a check fails.
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/impostazioni.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/finestraprincipale.h"
#include "ui/modale.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {
const QString Dispari = QStringLiteral("Il numero delle giornate deve essere un numero pari.");
const QString Minimo = QStringLiteral("Il numero delle giornate non puo' essere inferiore a 4.");
const QString Squadre20 = QStringLiteral("Il numero delle squadre non può essere maggiore di 20 o inferiore a 4.");
} // namespace

class TestCalendarioConteggi : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        composer = std::make_unique<TFrmGiornata>();
        FrmGiornata = composer.get();
        builder = std::make_unique<TFrmCalendario>();
        FrmCalendario = builder.get();
        composerShown = false;
        setModalBackend([this](QDialog &) -> int {
            composerShown = true;
            return 0;
        });
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        FrmCalendario = nullptr;
        builder.reset();
        composer.reset();
        program.reset();
    }

    void salvaRunsEveryHeaderCheck_data()
    {
        QTest::addColumn<QString>("giornate");
        QTest::addColumn<QString>("squadre");
        QTest::addColumn<QString>("preferita");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("odd, field never left") << "15" << "8" << "Alfa" << Dispari;
        QTest::newRow("odd and small") << "3" << "8" << "Alfa" << Dispari;
        QTest::newRow("two") << "2" << "8" << "Alfa" << Minimo;
        QTest::newRow("zero") << "0" << "8" << "Alfa" << Minimo;
        QTest::newRow("negative") << "-2" << "8" << "Alfa" << Minimo;
        QTest::newRow("three teams") << "6" << "3" << "Alfa" << Squadre20;
        QTest::newRow("21 teams") << "6" << "21" << "Alfa" << Squadre20;
        QTest::newRow("no favourite") << "6" << "4" << "  " << QStringLiteral("Il nome della tua squadra non può essere vuoto.");
    }
    void salvaRunsEveryHeaderCheck()
    {
        QFETCH(QString, giornate);
        QFETCH(QString, squadre);
        QFETCH(QString, preferita);
        QFETCH(QString, messaggio);
        builder->EDTnGIORN->setText(giornate);
        builder->EDTnSQ->setText(squadre);
        builder->EDTmySQ->setText(preferita);
        builder->ButSalva->click();
        QCOMPARE(program->boxes.texts(), QStringList{messaggio});
        QVERIFY(!builder->BTMsquadre->isEnabled());
        for (QLineEdit *e : builder->SQ)
            QVERIFY(!e->isEnabled());
        QVERIFY(builder->EDTnGIORN->isEnabled() && builder->ButSalva->isEnabled());
    }

    void theHeaderIsLockedUntilAnnulla()
    {
        builder->EDTnGIORN->setText(QStringLiteral("6"));
        builder->EDTnSQ->setText(QStringLiteral("4"));
        builder->EDTmySQ->setText(QStringLiteral("Alfa"));
        builder->ButSalva->click();
        QCOMPARE(program->boxes.count(), 0);
        for (QWidget *w : std::initializer_list<QWidget *>{builder->EDTanno, builder->EDTcateg, builder->EDTnGIORN,
                                                           builder->EDTmySQ, builder->EDTnSQ, builder->ButSalva})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(builder->ButEsci->isEnabled());

        builder->sbAnnulla->click();
        for (QWidget *w : std::initializer_list<QWidget *>{builder->EDTanno, builder->EDTcateg, builder->EDTnGIORN,
                                                           builder->EDTmySQ, builder->EDTnSQ, builder->ButSalva})
            QVERIFY(w->isEnabled());
        QVERIFY(!builder->BTMsquadre->isEnabled());
    }

    void memorizzaChecksWhatItStores_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("valore");
        QTest::newRow("matchdays 0") << "EDTnGIORN" << "0";
        QTest::newRow("matchdays 2") << "EDTnGIORN" << "2";
        QTest::newRow("matchdays -2") << "EDTnGIORN" << "-2";
        QTest::newRow("matchdays odd") << "EDTnGIORN" << "7";
        QTest::newRow("matchdays text") << "EDTnGIORN" << "x";
        QTest::newRow("teams 8 for 6 names") << "EDTnSQ" << "8";
        QTest::newRow("teams 30") << "EDTnSQ" << "30";
        QTest::newRow("no favourite") << "EDTmySQ" << "";
    }
    void memorizzaChecksWhatItStores()
    {
        QFETCH(QString, campo);
        QFETCH(QString, valore);
        builder->EDTnGIORN->setText(QStringLiteral("10"));
        builder->EDTnSQ->setText(QStringLiteral("6"));
        builder->EDTmySQ->setText(QStringLiteral("Alfa"));
        builder->ButSalva->click();
        for (int i = 1; i < 6; ++i)
            builder->SQ[i]->setText(QStringLiteral("Squadra %1").arg(i + 1));
        // Whatever way the header changed after "Salva" (it cannot through the form any more).
        Figlio<QLineEdit>(builder.get(), campo)->setText(valore);
        builder->BTMsquadre->click();
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().titolo, campo == "EDTnGIORN" && valore == "7" ? QStringLiteral("Attenzione.")
                                                                                    : QStringLiteral("Errore"));
        QVERIFY(!composerShown);
        QCOMPARE(LeggiImpostazione(QStringLiteral("NSQUADRE")), QString());
        QCOMPARE(LeggiImpostazione(QStringLiteral("NGIORNATE")), QString());
        QCOMPARE(LeggiImpostazione(QStringLiteral("SQUADRAPREFERITA")), QString());
        QVERIFY(Colonna(QStringLiteral("squadre.db"), QStringLiteral("Squadre")).isEmpty());
        QVERIFY(Colonna(QStringLiteral("Class.db"), QStringLiteral("Squadre")).isEmpty());
    }

    void aCheckedHeaderIsStored()
    {
        builder->EDTnGIORN->setText(QStringLiteral("10"));
        builder->EDTnSQ->setText(QStringLiteral("6"));
        builder->EDTmySQ->setText(QStringLiteral("L'Aquila"));
        builder->ButSalva->click();
        for (int i = 1; i < 6; ++i)
            builder->SQ[i]->setText(QStringLiteral("Squadra %1").arg(i + 1));
        builder->BTMsquadre->click();
        QCOMPARE(program->boxes.count(), 0);
        QVERIFY(composerShown);
        QCOMPARE(LeggiImpostazione(QStringLiteral("NSQUADRE")), QStringLiteral("6"));
        QCOMPARE(LeggiImpostazione(QStringLiteral("NGIORNATE")), QStringLiteral("10"));
        QCOMPARE(Colonna(QStringLiteral("squadre.db"), QStringLiteral("Squadre")).size(), 6);
    }

private:
    std::unique_ptr<TestProgram> program;
    std::unique_ptr<TFrmGiornata> composer;
    std::unique_ptr<TFrmCalendario> builder;
    bool composerShown = false;
};

QTEST_MAIN(TestCalendarioConteggi)
#include "test_calendario_conteggi.moc"
