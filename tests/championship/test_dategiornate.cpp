// The matchdays' dates: the tenth table joining an existing folder with the nine left byte for byte,
// the date field's rules, the save all or nothing, the table restored from a backup with and
// without it (an old backup leaves no stale dates), the proposal of the dates and the times typed,
// and the dates form: proposing, saving, refusing a bad time, out-of-order dates kept, its ways out.
#include "championship/dategiornate.h"
#include "championship/frmdategiornate.h"
#include "core/cartella.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "store/verificatabella.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/modale.h"
#include "store/query.h"
#include "utilities/esportazione.h"
#include "utilities/recuperotabelle.h"

#include <QDateEdit>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {
const QString Date = QStringLiteral("date_giornate.db");

QByteArray leggi(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The nine tables of a folder made before the dates existed, byte for byte.
QHash<QString, QByteArray> nove()
{
    store::Database::shutdown();
    QHash<QString, QByteArray> t;
    for (const QString &n : store::NomiTabelle())
        if (n != Date)
            t.insert(n, leggi(CartellaProgramma() + n));
    return t;
}

// Copies the program folder's tables (all, or without the dates) into a backup folder.
QString backup(const QString &nome, bool conDate)
{
    store::Database::shutdown();
    const QString cartella = CartellaProgramma() + nome + QLatin1Char('/');
    QDir().mkpath(cartella);
    for (const QString &t : store::NomiTabelle())
        if (conDate || t != Date)
            QFile::copy(CartellaProgramma() + t, cartella + t);
    return cartella;
}

QString cella(QTableWidget *g, int r, int c) { return g->item(r, c) ? g->item(r, c)->text() : QString(); }
} // namespace

class TestDateGiornate : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        program = std::make_unique<TestProgram>();
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        program.reset();
        QLocale::setDefault(QLocale::c());
    }

    void theTenthTableJoinsAnExistingFolder()
    {
        Calendario(Nomi("Squadra", 4));
        store::Database::instance().deleteTable(Date);
        const QHash<QString, QByteArray> prima = nove();
        QVERIFY(!QFile::exists(CartellaProgramma() + Date));

        CreaTabelle();
        QCOMPARE(nove(), prima);
        const store::TableDeclaration letta = store::Database::instance().readStructure(Date);
        QCOMPARE(letta.fields, DichiarazioneDateGiornate().fields);
        QCOMPARE(LeggiDateGiornate(), DateGiornate());

        // A damaged tenth table is reported at start and left as it is, as the others are.
        store::Database::shutdown();
        QFile f(CartellaProgramma() + Date);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        program->boxes.clear();
        CreaTabelle();
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().icona, IconaMessaggio::Errore);
        QVERIFY(program->boxes.last().testo.contains(Date));
        QCOMPARE(leggi(CartellaProgramma() + Date), QByteArray(4096, 'x'));
    }

    void theDateFieldKeepsDatesAndRefusesTheRest()
    {
        store::Table t(Date);
        t.open();
        t.append();
        t.fieldByName(QStringLiteral("Giornata")).setAsInteger(1);
        t.fieldByName(QStringLiteral("Data")).setValue(QDate(2024, 2, 29));
        t.post();
        QCOMPARE(t.fieldByName(QStringLiteral("Data")).asString(), QStringLiteral("2024-02-29"));
        QCOMPARE(t.fieldByName(QStringLiteral("Data")).asDate(), QDate(2024, 2, 29));
        t.edit();
        QVERIFY_THROWS_EXCEPTION(store::EngineError, t.fieldByName(QStringLiteral("Data")).setAsString("2023-02-29"));
        QVERIFY_THROWS_EXCEPTION(store::EngineError, t.fieldByName(QStringLiteral("Data")).setAsString("12/10/2024"));
        t.fieldByName(QStringLiteral("Data")).setAsString(QString());
        t.post();
        QVERIFY(t.fieldByName(QStringLiteral("Data")).isNull());
        QVERIFY(!t.fieldByName(QStringLiteral("Data")).asDate().isValid());
        t.close();

        // The export reads the field as a date, through the export's own query on the table.
        SalvaDateGiornate({{3, {QDate(2024, 10, 12), QStringLiteral("20:30")}}});
        store::Query q(QStringLiteral("select * from date_giornate.db where Data >= '2024-01-01'"));
        q.open();
        QCOMPARE(q.recordCount(), 1);
        const QList<CampoEsportazione> campi = CampiEsportazione(q);
        QCOMPARE(campi.at(1).nome, QStringLiteral("Data"));
        QCOMPARE(campi.at(1).tipo, TipoEsportazione::Data);
        QCOMPARE(campi.at(2).tipo, TipoEsportazione::Testo);
    }

    void savingIsAllOrNothing()
    {
        const DateGiornate prima{{1, {QDate(2024, 10, 12), QStringLiteral("20:30")}}, {2, {QDate(2024, 10, 5), {}}}};
        SalvaDateGiornate(prima);
        QCOMPARE(LeggiDateGiornate(), prima); // out of order, as stored

        const DateGiornate dopo{{1, {QDate(2024, 11, 2), {}}}, {2, {QDate(2024, 11, 9), {}}}, {3, {QDate(2024, 11, 16), {}}}};
        for (const char *passo : {"date: vecchie date eliminate", "date: data scritta"}) {
            // The old dates gone, or the second new one written: then the fault.
            const int quando = QString::fromLatin1(passo).contains(QLatin1String("eliminate")) ? 1 : 2;
            int volte = 0;
            store::Database::faultHook() = [&](const QString &s) {
                if (s == QLatin1String(passo) && ++volte == quando)
                    throw store::EngineError(QStringLiteral("guasto"));
            };
            QVERIFY_THROWS_EXCEPTION(store::EngineError, SalvaDateGiornate(dopo));
            store::Database::faultHook() = nullptr;
            QCOMPARE(LeggiDateGiornate(), prima);
        }
        SalvaDateGiornate(dopo);
        QCOMPARE(LeggiDateGiornate(), dopo);
    }

    void restoringBringsTheDatesBackOrEmptiesThem()
    {
        Calendario(Nomi("Squadra", 4));
        const DateGiornate vecchie{{1, {QDate(2023, 9, 30), {}}}};
        SalvaDateGiornate(vecchie);
        const QString conDate = backup(QStringLiteral("con"), true);
        const QString senzaDate = backup(QStringLiteral("senza"), false);
        SalvaDateGiornate({{1, {QDate(2024, 10, 12), {}}}, {4, {QDate(2024, 11, 2), {}}}});

        store::Database::shutdown();
        QStringList file = QDir(conDate).entryList(QDir::Files);
        QVERIFY(TabelleDaRecuperare(file).contains(Date));
        EsitoRecupero esito = RecuperaTabelle(TabelleDaRecuperare(file), conDate);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(esito.copiati, 10);
        CreaTabelle();
        QCOMPARE(LeggiDateGiornate(), vecchie);

        // A backup from before the dates: the matchdays come back, and none of today's dates with them.
        SalvaDateGiornate({{2, {QDate(2024, 10, 19), {}}}});
        store::Database::shutdown();
        file = QDir(senzaDate).entryList(QDir::Files);
        esito = RecuperaTabelle(TabelleDaRecuperare(file), senzaDate);
        QVERIFY2(esito.riuscito, qPrintable(esito.errore));
        QCOMPARE(esito.copiati, 9);
        QVERIFY(!QFile::exists(CartellaProgramma() + Date));
        QVERIFY(QDir(CartellaProgramma()).entryList({QStringLiteral(".date_giornate*")}, QDir::Files | QDir::Hidden).isEmpty());
        CreaTabelle();
        QCOMPARE(LeggiDateGiornate(), DateGiornate());
        QCOMPARE(GiornataDi(1).squadre.first(), QStringLiteral("Squadra 1"));

        // A restore that fails after the dates were set aside puts them back with everything else.
        SalvaDateGiornate({{2, {QDate(2024, 10, 19), {}}}});
        store::Database::shutdown();
        int volte = 0;
        store::Database::faultHook() = [&](const QString &s) {
            // The tenth step is the dates set aside, after every table of the backup is in place.
            if (s == QLatin1String("recupero: tabella messa da parte") && ++volte == 10)
                throw store::EngineError(QStringLiteral("guasto"));
        };
        esito = RecuperaTabelle(TabelleDaRecuperare(file), senzaDate);
        store::Database::faultHook() = nullptr;
        QVERIFY(!esito.riuscito);
        QCOMPARE(LeggiDateGiornate(), (DateGiornate{{2, {QDate(2024, 10, 19), {}}}}));
    }

    void proposalsAndTimes()
    {
        // 38 matchdays weekly from a Saturday: the first leg crosses 29 February 2024.
        const DateGiornate d = ProponiDate(38, QDate(2023, 9, 30), 7, QDate(2024, 3, 2));
        QCOMPARE(d.size(), 38);
        QCOMPARE(d.value(1).data, QDate(2023, 9, 30));
        QCOMPARE(d.value(19).data, QDate(2024, 2, 3));
        QCOMPARE(d.value(20).data, QDate(2024, 3, 2));
        QCOMPARE(d.value(38).data, QDate(2024, 7, 6));
        QCOMPARE(PrimoRitornoPredefinito(38, QDate(2023, 9, 30), 7), QDate(2024, 2, 10));
        // Every other day from 27 February: 29 February is a matchday.
        QCOMPARE(ProponiDate(4, QDate(2024, 2, 27), 2, QDate(2024, 3, 10)).value(2).data, QDate(2024, 2, 29));
        // The times already typed stay with their matchday.
        QCOMPARE(ProponiDate(4, QDate(2024, 2, 27), 2, QDate(2024, 3, 10), {{3, {QDate(), QStringLiteral("18:00")}}})
                     .value(3)
                     .ora,
                 QStringLiteral("18:00"));

        QCOMPARE(NormalizzaOra(QString()), QString());
        QCOMPARE(NormalizzaOra(QStringLiteral(" 7:30 ")), QStringLiteral("07:30"));
        QCOMPARE(NormalizzaOra(QStringLiteral("23:59")), QStringLiteral("23:59"));
        for (const char *cattiva : {"25:00", "7", "7.30", "12:60", "-1:00", "12:00:00", "ore 9"})
            QVERIFY2(!NormalizzaOra(QLatin1String(cattiva)), cattiva);

        const QLocale it(QLocale::Italian, QLocale::Italy);
        QCOMPARE(TitoloGiornata(QStringLiteral("Giornata numero"), 7, {{7, {QDate(2024, 10, 12), {}}}}, it),
                 QStringLiteral("Giornata numero 7 - sabato 12 ottobre 2024"));
        QCOMPARE(TitoloGiornata(QStringLiteral("Giornata numero"), 7, {}, it), QStringLiteral("Giornata numero 7"));
        QCOMPARE(TestoData({QDate(2024, 10, 12), QStringLiteral("20:30")}, QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 QStringLiteral("Saturday 12 October 2024 20:30"));
        // Typed dates read with the locale: four-digit and two-digit years, never the 1900s.
        QCOMPARE(LeggiDataDigitata(QStringLiteral("12/10/2024"), it), QDate(2024, 10, 12));
        QCOMPARE(LeggiDataDigitata(QStringLiteral("29/02/24"), it), QDate(2024, 2, 29));
        QVERIFY(!LeggiDataDigitata(QStringLiteral("29/02/2023"), it).isValid());
        QVERIFY(!LeggiDataDigitata(QStringLiteral("domani"), it).isValid());
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QCOMPARE(LeggiDataDigitata(us.toString(QDate(2024, 10, 12), FormatoDataBreve(us)), us), QDate(2024, 10, 12));
    }

    void theFormProposesAndSaves()
    {
        Calendario(Nomi("Squadra", 4)); // 6 matchdays, 1 ... 3 first leg
        TFrmDateGiornate form;
        auto *g = Figlio<QTableWidget>(&form, "GRDdate");
        QCOMPARE(g->rowCount(), 6);
        QCOMPARE(cella(g, 0, 0), QStringLiteral("1"));
        QCOMPARE(cella(g, 5, 0), QStringLiteral("6"));

        int domande = 0;
        int passo = 0;
        QDate ritornoPredefinito, ritornoSeguito;
        setModalBackend([&](QDialog &d) {
            ++domande;
            auto *proposta = qobject_cast<TFrmProponiDate *>(&d);
            if (!proposta)
                return int(QDialog::Rejected);
            Figlio<QDateEdit>(proposta, "DTPandata")->setDate(QDate(2024, 2, 17));
            passo = Figlio<QSpinBox>(proposta, "SPNpasso")->value();
            // The return leg follows the first date and the step until the user changes it.
            ritornoPredefinito = Figlio<QDateEdit>(proposta, "DTPritorno")->date();
            Figlio<QSpinBox>(proposta, "SPNpasso")->setValue(5);
            ritornoSeguito = proposta->PrimoRitorno();
            Figlio<QDateEdit>(proposta, "DTPritorno")->setDate(QDate(2024, 3, 30));
            Figlio<QSpinBox>(proposta, "SPNpasso")->setValue(6);
            return int(QDialog::Accepted);
        });
        g->item(2, 2)->setText(QStringLiteral("18:00"));
        Figlio<QPushButton>(&form, "BTSproponi")->click();
        QCOMPARE(program->boxes.count(), 0); // a time still without its date is no fault here
        QCOMPARE(domande, 1);
        QCOMPARE(passo, 7);
        QCOMPARE(ritornoPredefinito, QDate(2024, 3, 9));
        QCOMPARE(ritornoSeguito, QDate(2024, 3, 3));
        QCOMPARE(cella(g, 0, 1), QStringLiteral("17/02/2024"));
        QCOMPARE(cella(g, 1, 1), QStringLiteral("23/02/2024"));
        QCOMPARE(cella(g, 2, 1), QStringLiteral("29/02/2024"));
        QCOMPARE(cella(g, 2, 2), QStringLiteral("18:00"));
        QCOMPARE(cella(g, 3, 1), QStringLiteral("30/03/2024"));
        QCOMPARE(cella(g, 5, 1), QStringLiteral("11/04/2024"));
        QCOMPARE(LeggiDateGiornate(), DateGiornate()); // nothing stored before "Salva"

        // A matchday postponed by hand: stored as typed, not sorted away.
        g->item(1, 1)->setText(QStringLiteral("20/04/2024"));
        g->item(1, 2)->setText(QStringLiteral("9:15"));
        g->item(4, 1)->setText(QString());
        program->boxes.clear();
        Figlio<QPushButton>(&form, "BTSsalva")->click();
        QCOMPARE(program->boxes.texts(), QStringList{QStringLiteral("Date salvate.")});
        const DateGiornate salvate = LeggiDateGiornate();
        QCOMPARE(salvate.size(), 5);
        QCOMPARE(salvate.value(2), (DataGiornata{QDate(2024, 4, 20), QStringLiteral("09:15")}));
        QCOMPARE(salvate.value(3), (DataGiornata{QDate(2024, 2, 29), QStringLiteral("18:00")}));
        QVERIFY(!salvate.contains(5));

        // A second form shows them as stored.
        TFrmDateGiornate altro;
        auto *g2 = Figlio<QTableWidget>(&altro, "GRDdate");
        QCOMPARE(cella(g2, 1, 1), QStringLiteral("20/04/2024"));
        QCOMPARE(cella(g2, 1, 2), QStringLiteral("09:15"));
        QCOMPARE(cella(g2, 4, 1), QString());
    }

    void badInputIsRefusedAndNothingSaved()
    {
        Calendario(Nomi("Squadra", 4));
        SalvaDateGiornate({{1, {QDate(2024, 10, 12), {}}}});
        TFrmDateGiornate form;
        auto *g = Figlio<QTableWidget>(&form, "GRDdate");
        for (const auto &[data, ora] : {std::pair{"13/10/2024", "25:00"}, {"13/10/2024", "7"}, {"31/02/2024", ""},
                                        {"", "20:00"}}) {
            g->item(0, 1)->setText(QLatin1String(data));
            g->item(0, 2)->setText(QLatin1String(ora));
            program->boxes.clear();
            QVERIFY(!form.BTSsalvaClick());
            QCOMPARE(program->boxes.count(), 1);
            QCOMPARE(program->boxes.last().icona, IconaMessaggio::Errore);
            QCOMPARE(LeggiDateGiornate(), (DateGiornate{{1, {QDate(2024, 10, 12), {}}}}));
        }
        // No calendar at all: an empty grid, and nothing to propose.
        store::Database::instance().deleteTable(QStringLiteral("giornate.db"));
        CreaTabelle();
        TFrmDateGiornate vuoto;
        QCOMPARE(Figlio<QTableWidget>(&vuoto, "GRDdate")->rowCount(), 0);
        program->boxes.clear();
        Figlio<QPushButton>(&vuoto, "BTSproponi")->click();
        QCOMPARE(program->boxes.texts(), QStringList{QStringLiteral("Il calendario non ha giornate.")});
    }

    void theWaysOutAskBeforeDroppingChanges()
    {
        Calendario(Nomi("Squadra", 4));
        enum Via { Esci, Escape, Chiusura };
        for (Via via : {Esci, Escape, Chiusura}) {
            TFrmDateGiornate form;
            auto *g = Figlio<QTableWidget>(&form, "GRDdate");
            form.show();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            g->setFocus();
            g->setCurrentCell(0, 2);
            g->item(0, 2)->setText(QStringLiteral("25:00")); // changed, and not even valid
            auto esci = [&] {
                if (via == Esci)
                    QTest::mouseClick(Figlio<QPushButton>(&form, "BTSesci"), Qt::LeftButton);
                else if (via == Escape)
                    QTest::keyClick(g, Qt::Key_Escape);
                else
                    form.close();
            };
            program->boxes.clear();
            program->boxes.setNextAnswer(false);
            esci();
            QCOMPARE(program->boxes.count(), 1);
            QVERIFY(program->boxes.last().noPredefinito);
            QVERIFY2(form.isVisible(), qPrintable(QString::number(via)));
            program->boxes.setNextAnswer(true);
            esci();
            QVERIFY(!form.isVisible());
            QCOMPARE(program->boxes.count(), 2);
            QCOMPARE(LeggiDateGiornate(), DateGiornate());
        }
        // Unchanged: out without a question.
        TFrmDateGiornate form;
        form.show();
        program->boxes.clear();
        Figlio<QPushButton>(&form, "BTSesci")->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(program->boxes.count(), 0);
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestDateGiornate)
#include "test_dategiornate.moc"
