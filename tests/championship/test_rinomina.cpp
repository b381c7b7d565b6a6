// Renaming a team: the exact slots renamed across the calendar, whole names only, the refusals that
// change nothing, a fault between the tables; and the form driven by its controls' names.
#include "championship/erroreregola.h"
#include "championship/frmmodnomisquadre.h"
#include "championship/rinomina.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "support/campionato.h"
#include "support/testprogram.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {

const QStringList Sei = {"Roma", "Roma Volley", "L'Aquila", "Forlì & Cesena", "100% Bari", "Òvada"};

// Everything the rename may touch, to compare before and after.
QStringList istantanea()
{
    QStringList tutto = Colonna(QStringLiteral("squadre.db"), QStringLiteral("Squadre"));
    tutto << Colonna(QStringLiteral("Class.db"), QStringLiteral("Squadre"));
    for (int k = 1; k <= 20; ++k)
        tutto << Colonna(QStringLiteral("giornate.db"), QStringLiteral("Squadra%1").arg(k));
    return tutto;
}

int posti(const QString &nome)
{
    int n = 0;
    for (int k = 1; k <= 20; ++k)
        n += int(Colonna(QStringLiteral("giornate.db"), QStringLiteral("Squadra%1").arg(k)).count(nome));
    return n;
}

} // namespace

class TestRinomina : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        Squadre(Sei);
        Calendario(Sei); // ten matchdays, every team in each
    }
    void cleanup() { program.reset(); }

    void everySlotOfTheTeamAndNoOther()
    {
        QCOMPARE(posti("Roma"), 10);
        const int romaVolley = posti("Roma Volley");
        QCOMPARE(RinominaSquadra(QStringLiteral("Roma"), QStringLiteral("A.S. Roma")), 10);
        QCOMPARE(posti("Roma"), 0);
        QCOMPARE(posti("A.S. Roma"), 10);
        QCOMPARE(posti("Roma Volley"), romaVolley); // only whole names match
        QCOMPARE(Colonna(QStringLiteral("squadre.db"), QStringLiteral("Squadre")).first(), QStringLiteral("A.S. Roma"));
        QCOMPARE(RigaDi("A.S. Roma"), RigaZero);
        QCOMPARE(RigaDi("Roma").punti, -1);

        // Apostrophes, accents, "&" and "%" are letters like any other.
        QCOMPARE(RinominaSquadra(QStringLiteral("L'Aquila"), QStringLiteral("Forlì & L'Aquila 100%")), 10);
        QCOMPARE(posti("Forlì & L'Aquila 100%"), 10);
        // The team's own name in another case, with blanks around: stored without them.
        QCOMPARE(RinominaSquadra(QStringLiteral("Òvada"), QStringLiteral("  ÒVADA ")), 10);
        QCOMPARE(posti("ÒVADA"), 10);
        // The first leg and the return leg alike: the home slot of one is the away slot of the other.
        const Giornata andata = GiornataDi(1);
        const Giornata ritorno = GiornataDi(6);
        QCOMPARE(andata.squadre.indexOf("A.S. Roma") ^ 1, ritorno.squadre.indexOf("A.S. Roma"));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QString>("vecchio");
        QTest::addColumn<QString>("nuovo");
        QTest::newRow("existing name") << "Roma" << "Roma Volley";
        QTest::newRow("existing name, other case") << "Roma" << "roma VOLLEY";
        QTest::newRow("existing name, other blanks") << "Roma" << "  Roma  Volley ";
        QTest::newRow("existing name, no blank") << "Roma" << "RomaVolley";
        QTest::newRow("the same name") << "Roma" << "Roma";
        QTest::newRow("the same name with blanks") << "Roma" << " Roma ";
        QTest::newRow("empty") << "Roma" << "";
        QTest::newRow("blanks") << "Roma" << "   ";
        QTest::newRow("too long") << "Roma" << QString(31, QLatin1Char('x'));
        QTest::newRow("no such team") << "Lazio" << "Lazio 1900";
        QTest::newRow("no old name") << "" << "Lazio";
    }
    void refusalsChangeNothing()
    {
        QFETCH(QString, vecchio);
        QFETCH(QString, nuovo);
        const QStringList prima = istantanea();
        QVERIFY_THROWS_EXCEPTION(ErroreRegola, RinominaSquadra(vecchio, nuovo));
        QCOMPARE(istantanea(), prima);
        // Another team's name, however written, is told as the builder tells a team typed twice.
        if (QString(QTest::currentDataTag()).startsWith(QLatin1String("existing"))) {
            try {
                RinominaSquadra(vecchio, nuovo);
            } catch (const ErroreRegola &e) {
                QCOMPARE(e.message(), QString::fromUtf8(MsgSquadraGiaInserita).arg(nuovo.trimmed()));
            }
        }
    }

    void aLookupThatFindsNoRowAbortsTheWhole()
    {
        // The team has no standings row: the team list, already renamed, goes back as well.
        store::Table classifica(QStringLiteral("Class.db"));
        classifica.open();
        QVERIFY(classifica.locate(QStringLiteral("Squadre"), QStringLiteral("Roma")));
        classifica.remove();
        classifica.close();
        const QStringList prima = istantanea();
        QVERIFY_THROWS_EXCEPTION(ErroreRegola, RinominaSquadra(QStringLiteral("Roma"), QStringLiteral("Lazio")));
        QCOMPARE(istantanea(), prima);
    }

    void anOldNameHeldByTwoTeamsIsRefused()
    {
        Squadre({QStringLiteral("Roma")});
        const QStringList prima = istantanea();
        QVERIFY_THROWS_EXCEPTION(ErroreRegola, RinominaSquadra(QStringLiteral("Roma"), QStringLiteral("Lazio")));
        QCOMPARE(istantanea(), prima);
    }

    void aFaultBetweenTheTablesLeavesTheOldNames_data()
    {
        QTest::addColumn<QString>("passo");
        QTest::newRow("after the teams") << "rinomina: dopo le squadre";
        QTest::newRow("after the standings") << "rinomina: dopo la classifica";
    }
    void aFaultBetweenTheTablesLeavesTheOldNames()
    {
        QFETCH(QString, passo);
        const QStringList prima = istantanea();
        bool passato = false;
        store::Database::faultHook() = [&](const QString &p) {
            if (p == passo) {
                passato = true;
                throw store::EngineError(QStringLiteral("interrotto"), store::HcWrite);
            }
        };
        QVERIFY_THROWS_EXCEPTION(store::EngineError, RinominaSquadra(QStringLiteral("Roma"), QStringLiteral("Lazio")));
        store::Database::faultHook() = nullptr;
        QVERIFY(passato);
        QCOMPARE(istantanea(), prima);
    }

    void theForm()
    {
        TFrmModNomiSquadre form;
        form.show();
        auto *lista = Figlio<QComboBox>(&form, "cbNomeVecchio");
        auto *nuovo = Figlio<QLineEdit>(&form, "EditNomeNuovo");
        QVERIFY(!lista->isEditable());
        QCOMPARE(lista->count(), 6);
        QCOMPARE(lista->itemText(2), QStringLiteral("L'Aquila"));
        QCOMPARE(nuovo->maxLength(), 30);

        // Nothing chosen, an empty name, an existing one: the warnings, and nothing changes.
        const QStringList prima = istantanea();
        nuovo->setText(QStringLiteral("Lazio"));
        Figlio<QPushButton>(&form, "SBsi")->click();
        lista->setCurrentIndex(2);
        nuovo->clear();
        Figlio<QPushButton>(&form, "SBsi")->click();
        nuovo->setText(QStringLiteral("Roma"));
        Figlio<QPushButton>(&form, "SBsi")->click();
        QCOMPARE(program->boxes.texts(), (QStringList{QString::fromUtf8(MsgNomeNonValido), QString::fromUtf8(MsgNomeNonValido),
                                                      QString::fromUtf8(MsgSquadraGiaInserita).arg(QStringLiteral("Roma"))}));
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Attenzione."));
        QCOMPARE(istantanea(), prima);
        QVERIFY(form.isVisible());

        // Another team's name in another case or with other blanks is that team.
        program->boxes.clear();
        for (const char *doppio : {"ROMA", " roma  volley "}) {
            nuovo->setText(QString::fromUtf8(doppio));
            Figlio<QPushButton>(&form, "SBsi")->click();
            QCOMPARE(program->boxes.last().testo,
                     QString::fromUtf8(MsgSquadraGiaInserita).arg(QString::fromUtf8(doppio).trimmed()));
        }
        QCOMPARE(program->boxes.count(), 2);
        QCOMPARE(istantanea(), prima);

        program->boxes.clear();
        nuovo->setText(QStringLiteral("  Lazio "));
        Figlio<QPushButton>(&form, "SBsi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{QStringLiteral("La squadra 'L'Aquila' è stata rinominata in 'Lazio'")});
        QVERIFY(!form.isVisible());
        QCOMPARE(posti("Lazio"), 10);
        QCOMPARE(posti("L'Aquila"), 0);
        QCOMPARE(Colonna(QStringLiteral("squadre.db"), QStringLiteral("Squadre")).at(2), QStringLiteral("Lazio"));
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestRinomina)
#include "test_rinomina.moc"
