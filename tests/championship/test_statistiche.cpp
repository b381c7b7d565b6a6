// Team statistics: the set quotient (no set lost, rounding halves up, thousands separators, the
// locale's decimal comma), the print with the quotient column on and off read back from a PDF, and
// the form's grid, refresh and check box.
#include "championship/frmstatistichesquadra.h"
#include "championship/ststatistichesquadra.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/dbgrid.h"
#include "ui/modale.h"

#include <QCheckBox>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {
// Three teams stored out of order; Gamma has not lost a set, Delta has not played.
void squadre()
{
    RigaClassifica(QStringLiteral("Beta & Figli"), 3, 7, 4, false);
    RigaClassifica(QStringLiteral("L'Aquila"), 9, 9, 3, true);
    RigaClassifica(QStringLiteral("Gamma 100%"), 6, 6, 0);
    prova::SquadreInClassifica({QStringLiteral("Delta")});
}
} // namespace

class TestStatistiche : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        program = std::make_unique<TestProgram>();
        squadre();
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        program.reset();
        QLocale::setDefault(QLocale::c());
    }

    void quotient_data()
    {
        QTest::addColumn<int>("v");
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("italiano");
        QTest::addColumn<QString>("inglese");
        QTest::newRow("0/0") << 0 << 0 << "Nullo" << "Nullo";
        QTest::newRow("5/0") << 5 << 0 << "Nullo" << "Nullo";
        QTest::newRow("2/3 rounded, not cut") << 2 << 3 << "0,67" << "0.67";
        QTest::newRow("1/8 half up") << 1 << 8 << "0,13" << "0.13";
        QTest::newRow("9/3") << 9 << 3 << "3,00" << "3.00";
        QTest::newRow("7/4") << 7 << 4 << "1,75" << "1.75";
        QTest::newRow("1234/1 thousands") << 1234 << 1 << "1.234,00" << "1,234.00";
        QTest::newRow("0/5") << 0 << 5 << "0,00" << "0.00";
    }
    void quotient()
    {
        QFETCH(int, v);
        QFETCH(int, p);
        QFETCH(QString, italiano);
        QFETCH(QString, inglese);
        QCOMPARE(QuozienteSet(v, p), italiano);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(QuozienteSet(v, p), inglese);
    }

    void theReportWithAndWithoutQuotients()
    {
        TStStatisticheSquadra stampa;
        ReportPage pagina = stampa.Pagine().pages.first();
        QCOMPARE(pagina.item(QStringLiteral("QRLabel1"))->text,
                 QStringLiteral("S t a t i s t i c h e   p e r   s q u a d r a"));
        QCOMPARE(pagina.item(QStringLiteral("QRLabel10"))->text, QStringLiteral("Quoz.set"));
        QCOMPARE(pagina.item(QStringLiteral("QRLabel10"))->x(), 520.0);
        auto colonna = [](const ReportPage &p, const char *nome) {
            QStringList l;
            for (const ReportItem *i : p.itemsNamed(QLatin1String(nome)))
                l << i->text;
            return l;
        };
        QCOMPARE(colonna(pagina, "QRDBText1"), (QStringList{"L'Aquila", "Gamma 100%", "Beta & Figli", "Delta"}));
        QCOMPARE(colonna(pagina, "GeneQuozienteSet"), (QStringList{"3,00", "Nullo", "1,75", "Nullo"}));
        // Four teams: nobody rests, the rest column says nothing; with a fifth it says who has.
        QCOMPARE(colonna(pagina, "QRDBText6"), QStringList(4, QString()));
        prova::RigaClassifica(QStringLiteral("Epsilon"), 0, 0, 0, QVariant());
        QCOMPARE(colonna(stampa.Pagine().pages.first(), "QRDBText6"),
                 (QStringList{"Fatto", "Da fare", "Da fare", "Da fare", "Da fare"}));
        {
            store::Table c(QStringLiteral("Class.db"));
            c.open();
            QVERIFY(c.locate(QStringLiteral("Squadre"), QStringLiteral("Epsilon")));
            c.remove();
        }
        const qreal xPunti = pagina.itemsNamed(QStringLiteral("QRDBText2")).first()->x();

        stampa.Quozienti = false;
        pagina = stampa.Pagine().pages.first();
        QCOMPARE(pagina.item(QStringLiteral("QRLabel10"))->text, QString());
        QCOMPARE(colonna(pagina, "GeneQuozienteSet"), QStringList(4, QString()));
        QCOMPARE(pagina.itemsNamed(QStringLiteral("QRDBText2")).first()->x(), xPunti); // the other columns stay

        // English captions; "Nullo", "Fatto", "Da fare" stay Italian.
        Impostazione("LINGUA", QStringLiteral("English"));
        stampa.Quozienti = true;
        pagina = stampa.Pagine().pages.first();
        QCOMPARE(pagina.item(QStringLiteral("QRLabel10"))->text, QStringLiteral("Set ratio"));
        QCOMPARE(pagina.item(QStringLiteral("QRLabel11"))->text, QStringLiteral("Brivo_Rotaset, made by Brivo"));
        QCOMPARE(colonna(pagina, "GeneQuozienteSet").at(1), QStringLiteral("Nullo"));
    }

    void theFormPrintsWhatTheCheckBoxSays()
    {
        TFrmStatisticheSquadra form;
        auto *griglia = Figlio<DBGrid>(&form, "DBGrid1");
        QStringList titoli;
        for (int c = 0; c < griglia->dataModel()->columnCount(); ++c)
            titoli << griglia->columnTitle(c);
        QCOMPARE(titoli, (QStringList{"Punti", "Squadre", "SetV", "SetP", "SetG", "Riposo"}));
        QCOMPARE(griglia->dataModel()->rowCount(), 4);
        QVERIFY(Figlio<QCheckBox>(&form, "cbQuozienti")->isChecked());

        // A team added elsewhere shows at the next activation.
        RigaClassifica(QStringLiteral("Epsilon"), 1, 2, 3);
        form.FormActivate();
        QCOMPARE(griglia->dataModel()->rowCount(), 5);

        int stampe = 0;
        setModalBackend([&](QDialog &d) -> int {
            if (auto *anteprima = qobject_cast<QPrintPreviewDialog *>(&d)) {
                anteprima->printer()->setOutputFormat(QPrinter::PdfFormat);
                anteprima->printer()->setOutputFileName(program->folder.file(QStringLiteral("stat%1.pdf").arg(++stampe)));
                emit anteprima->paintRequested(anteprima->printer());
            }
            return 0;
        });
        Figlio<QPushButton>(&form, "BTSstampa")->click();
        Figlio<QCheckBox>(&form, "cbQuozienti")->setChecked(false);
        Figlio<QPushButton>(&form, "BTSstampa")->click();
        QCOMPARE(stampe, 2);
        QCOMPARE(program->boxes.count(), 0);

        const QStringList con = RighePdf(program->folder.file(QStringLiteral("stat1.pdf")));
        const QStringList senza = RighePdf(program->folder.file(QStringLiteral("stat2.pdf")));
        if (con.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(con.contains(QStringLiteral("Nome squadra Punti Set giocati Set vinti Set persi Quoz.set Riposo")));
        QVERIFY(con.contains(QStringLiteral("L'Aquila 9 12 9 3 3,00 Fatto")));
        QVERIFY(con.contains(QStringLiteral("Gamma 100% 6 6 6 0 Nullo Da fare")));
        QVERIFY(con.contains(QStringLiteral("Beta & Figli 3 11 7 4 1,75 Da fare")));
        QVERIFY(con.contains(QStringLiteral("Epsilon 1 5 2 3 0,67 Da fare")));
        QVERIFY(senza.contains(QStringLiteral("Nome squadra Punti Set giocati Set vinti Set persi Riposo")));
        QVERIFY(senza.contains(QStringLiteral("L'Aquila 9 12 9 3 Fatto")));
        QVERIFY(!senza.join(QLatin1Char(' ')).contains(QStringLiteral("Nullo")));
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestStatistiche)
#include "test_statistiche.moc"
