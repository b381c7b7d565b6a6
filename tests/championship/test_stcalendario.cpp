// The printed calendar: a 20-team season of 38 matchdays, every match on the page of its block,
// first and return leg side by side, blocks never split, nothing below 8 points, the footer on every
// page, results and the resting team where there are; English captions; the PDF's text read back
// page by page. And the date after the number in the matchday's print.
#include "championship/dategiornate.h"
#include "championship/frmcaricagiornata.h"
#include "championship/stcalendario.h"
#include "championship/stgiornata.h"
#include "store/table.h"
#include "support/campionato.h"
#include "support/testprogram.h"

#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {
// The text of one page of a PDF, blanks squeezed; empty when pdftotext is missing.
QString paginaPdf(const QString &file, int pagina)
{
    const QString programma = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (programma.isEmpty())
        return QString();
    QProcess p;
    p.start(programma, {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(pagina), QStringLiteral("-l"),
                        QString::number(pagina), file, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput()).simplified();
}

// On which page the text item of that name and text is; -1 when none.
int paginaDi(const ReportDocument &d, const QString &nome, const QString &testo)
{
    for (int p = 0; p < d.pages.size(); ++p)
        for (const ReportItem *i : d.pages[p].itemsNamed(nome))
            if (i->text == testo)
                return p;
    return -1;
}
} // namespace

class TestStCalendario : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        Impostazione("ANNATA", QStringLiteral("2024/2025"));
        Impostazione("CATEGORIA", QStringLiteral("Serie B1 femminile"));
    }
    void cleanup() { program.reset(); }

    void twentyTeamsOnA4()
    {
        const QStringList squadre = Nomi("Squadra", 20);
        Calendario(squadre); // 38 matchdays: k and k + 19
        SalvaDateGiornate(ProponiDate(38, QDate(2024, 10, 12), 7, QDate(2025, 2, 22)));
        AggiungiGiornata(40, {}); // a stray empty record does not change the legs
        store::Table g(QStringLiteral("giornate.db"));
        g.open();
        QVERIFY(g.locate(QStringLiteral("Giornata"), 1));
        g.edit();
        g.fieldByName(QStringLiteral("Set1")).setAsString(QStringLiteral("3"));
        g.fieldByName(QStringLiteral("Set2")).setAsString(QStringLiteral("1"));
        g.post();
        g.close();

        TStCalendario stampa;
        const QList<GiornataCalendario> calendario = LeggiCalendario();
        const ReportDocument d =
            stampa.Pagine(calendario, LeggiDateGiornate(), QStringLiteral("2024/2025"), QStringLiteral("Serie B1"), Lingua::Italiano);
        QVERIFY(d.pages.size() >= 4);
        QVERIFY(d.pages.size() <= 8);
        const QSizeF area = d.area();
        int partite = 0;
        for (int p = 0; p < d.pages.size(); ++p) {
            const ReportPage &pagina = d.pages[p];
            QVERIFY2(pagina.item(QStringLiteral("QRLabel6")), "footer on every page");
            for (const ReportItem &i : pagina.items) {
                QVERIFY(i.rect.left() >= 0 && i.rect.top() >= 0);
                QVERIFY2(i.rect.right() <= area.width() + 0.5 && i.rect.bottom() <= area.height() + 0.5,
                         qPrintable(i.name + i.text));
                if (i.kind == ReportItem::Kind::Text && i.visible)
                    QVERIFY2(i.font.pointSizeF() >= 8, qPrintable(i.name + i.text));
            }
            partite += int(pagina.itemsNamed(QStringLiteral("QRAndataCasa")).size() +
                           pagina.itemsNamed(QStringLiteral("QRRitornoCasa")).size());
            // Blocks unsplit: every block on this page has its ten matches a side here.
            QCOMPARE(pagina.itemsNamed(QStringLiteral("QRAndataCasa")).size(),
                     10 * pagina.itemsNamed(QStringLiteral("QRAndataGiornata")).size());
            QCOMPARE(pagina.itemsNamed(QStringLiteral("QRRitornoOspite")).size(),
                     10 * pagina.itemsNamed(QStringLiteral("QRRitornoGiornata")).size());
        }
        QCOMPARE(partite, 380);
        QCOMPARE(d.pages[0].item(QStringLiteral("QRLabAnnata"))->text, QStringLiteral("Serie B1 - 2024/2025"));

        // Each first-leg matchday beside its return leg, with their dates, on one page.
        const QLocale it(QLocale::Italian, QLocale::Italy);
        for (int k = 1; k <= 19; ++k) {
            const int p = paginaDi(d, QStringLiteral("QRAndataGiornata"), QStringLiteral("Andata - Giornata %1").arg(k));
            QVERIFY2(p >= 0, qPrintable(QString::number(k)));
            QCOMPARE(paginaDi(d, QStringLiteral("QRRitornoGiornata"), QStringLiteral("Ritorno - Giornata %1").arg(k + 19)), p);
            QCOMPARE(paginaDi(d, QStringLiteral("QRAndataData"), TestoData({QDate(2024, 10, 12).addDays(7 * (k - 1)), {}}, it)), p);
            // Every match of the block on that page.
            for (const PartitaCalendario &m : calendario[k - 1].partite) {
                QVERIFY(paginaDi(d, QStringLiteral("QRAndataCasa"), m.casa) >= 0);
                bool trovata = false;
                const QList<const ReportItem *> casa = d.pages[p].itemsNamed(QStringLiteral("QRAndataCasa"));
                const QList<const ReportItem *> ospite = d.pages[p].itemsNamed(QStringLiteral("QRAndataOspite"));
                for (int i = 0; i < casa.size(); ++i)
                    trovata = trovata || (casa[i]->text == m.casa && ospite[i]->text == m.ospite &&
                                          qFuzzyCompare(casa[i]->y(), ospite[i]->y()));
                QVERIFY2(trovata, qPrintable(m.casa + " - " + m.ospite));
            }
        }
        QCOMPARE(d.pages[0].itemsNamed(QStringLiteral("QRAndataSet")).first()->text, QStringLiteral("3-1"));

        // The PDF says the same, page by page.
        const QString pdf = QDir::temp().filePath(QStringLiteral("calendario-%1.pdf").arg(QCoreApplication::applicationPid()));
        QVERIFY(writeReportPdf(d, pdf));
        if (paginaPdf(pdf, 1).isEmpty()) {
            QFile::remove(pdf);
            QSKIP("pdftotext is not installed");
        }
        for (int k = 1; k <= 19; ++k) {
            const int p = paginaDi(d, QStringLiteral("QRAndataGiornata"), QStringLiteral("Andata - Giornata %1").arg(k));
            const QString testo = paginaPdf(pdf, p + 1);
            QVERIFY2(testo.contains(QStringLiteral("Andata - Giornata %1 ").arg(k)), qPrintable(testo.left(200)));
            QVERIFY(testo.contains(QStringLiteral("Ritorno - Giornata %1 ").arg(k + 19)));
            for (const PartitaCalendario &m : calendario[k - 1].partite)
                QVERIFY2(testo.contains(m.casa + QStringLiteral(" - ") + m.ospite), qPrintable(m.casa + " " + testo.left(300)));
            for (const PartitaCalendario &m : calendario[k + 18].partite)
                QVERIFY(testo.contains(m.casa + QStringLiteral(" - ") + m.ospite));
        }
        QString prima = paginaPdf(pdf, 1);
        QFile::remove(pdf);
        QVERIFY2(prima.remove(QLatin1Char(' ')).startsWith(QStringLiteral("CALENDARIOSerieB1-2024/2025")), qPrintable(prima.left(80)));
    }

    void oddTeamsLongNamesAndEnglish()
    {
        // Five teams: one rests each matchday; a 30-character name keeps to its column at 8 points or more.
        const QStringList squadre = {QStringLiteral("Polisportiva Sant'Antioco Wxy"), QStringLiteral("B"),
                                     QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E")};
        AggiungiGiornata(1, {squadre[0], squadre[1], squadre[2], squadre[3], squadre[4]});
        AggiungiGiornata(2, {squadre[1], squadre[0], squadre[3], squadre[2], squadre[4]});
        TStCalendario stampa;
        const ReportDocument d = stampa.Pagine(LeggiCalendario(), {{2, {QDate(2024, 10, 12), QStringLiteral("20:30")}}},
                                               QStringLiteral("2024/2025"), QString(), Lingua::English);
        QCOMPARE(d.pages.size(), 1);
        const ReportPage &p = d.pages[0];
        QCOMPARE(p.item(QStringLiteral("QRAndataGiornata"))->text, QStringLiteral("First leg - Matchday 1"));
        QCOMPARE(p.item(QStringLiteral("QRRitornoGiornata"))->text, QStringLiteral("Return leg - Matchday 2"));
        QCOMPARE(p.item(QStringLiteral("QRAndataData"))->text, QString());
        QVERIFY(p.item(QStringLiteral("QRRitornoData"))->text.endsWith(QStringLiteral("12 October 2024 20:30")));
        QCOMPARE(p.item(QStringLiteral("QRAndataRiposo"))->text, QStringLiteral("Bye: E"));
        QCOMPARE(p.item(QStringLiteral("QRLabAnnata"))->text, QStringLiteral("2024/2025"));
        const ReportItem *lungo = p.item(QStringLiteral("QRAndataCasa"));
        QVERIFY(lungo->font.pointSizeF() >= 8);
        QVERIFY(lungo->text.startsWith(QStringLiteral("Polisportiva")));
        QVERIFY(lungo->rect.right() < p.item(QStringLiteral("QRAndataOspite"))->rect.left());
        QCOMPARE(d.title, QStringLiteral("Calendario 2024-2025"));

        // No calendar: the title and the footer, no block.
        store::Database::instance().deleteTable(QStringLiteral("giornate.db"));
        CreaTabelle();
        const ReportDocument vuoto = stampa.Pagine();
        QCOMPARE(vuoto.pages.size(), 1);
        QVERIFY(vuoto.pages[0].itemsNamed(QStringLiteral("QRAndataGiornata")).isEmpty());
    }

    void theMatchdayPrintShowsItsDate()
    {
        AggiungiGiornata(1, {QStringLiteral("A"), QStringLiteral("B")});
        AggiungiGiornata(2, {QStringLiteral("B"), QStringLiteral("A")});
        SalvaDateGiornate({{2, {QDate(2024, 10, 12), {}}}});
        TStGiornata stampa;
        const ReportDocument senza = stampa.Pagine(1);
        QVERIFY(!senza.pages[0].item(QStringLiteral("QRLabData")));
        const ReportDocument con = stampa.Pagine(2);
        QCOMPARE(con.pages[0].item(QStringLiteral("QRLabData"))->text, QStringLiteral("sabato 12 ottobre 2024"));
        // The rest of the page moves down by the date's line, no more.
        QVERIFY(con.pages[0].item(QStringLiteral("QRLabel2"))->y() > senza.pages[0].item(QStringLiteral("QRLabel2"))->y());
        QCOMPARE(DataDellaGiornata(1), QString());
        QCOMPARE(DataDellaGiornata(2), QStringLiteral("sabato 12 ottobre 2024"));

        // The view of the matchday: the date after the number, nothing without one.
        store::Table tabella(QStringLiteral("giornate.db"));
        for (int numero : {1, 2}) {
            TFrmCaricaGiornata vista(&tabella, &stampa, numero);
            QCOMPARE(Figlio<QLabel>(&vista, "LabData")->text(),
                     numero == 2 ? QStringLiteral("- sabato 12 ottobre 2024") : QString());
        }
        // The English program writes the date in English.
        Impostazione("LINGUA", QStringLiteral("English"));
        QVERIFY(DataDellaGiornata(2).endsWith(QStringLiteral("12 October 2024")));
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestStCalendario)
#include "test_stcalendario.moc"
