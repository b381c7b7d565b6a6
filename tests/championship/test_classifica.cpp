// The standings: the printed report's items (title, headers, one line per team in points order, the
// rest-turn words, the footer), its English captions, the report in a PDF read back as text, and the
// form's grid, translation, refresh and print button.
#include "championship/frmclassifica.h"
#include "championship/stclassifica.h"
#include "core/configurazione.h"
#include "store/database.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/dbgrid.h"
#include "ui/modale.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using store::Table;

namespace {

// A team of Class.db; a null `riposo` leaves the field blank.
void addTeam(const QString &name, int punti, int setV, int setP, const QVariant &riposo)
{
    prova::RigaClassifica(name, punti, setV, setP, riposo);
}

void setPoints(const QString &team, int punti)
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    QVERIFY(t.locate(QStringLiteral("Squadre"), team));
    t.edit();
    t.fieldByName(QStringLiteral("Punti")).setAsInteger(punti);
    t.post();
}

void setLanguage(const QString &lingua)
{
    Table t(QStringLiteral("impostazioni.db"));
    t.open();
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("LINGUA")).setAsString(lingua);
    t.post();
}

// Three teams stored out of order: the report must list them by points.
void threeTeams()
{
    addTeam(QStringLiteral("Brivio"), 3, 4, 7, QVariant());
    addTeam(QStringLiteral("Alfa"), 9, 9, 2, true);
    addTeam(QStringLiteral("L'Aquila"), 6, 7, 5, false);
}

QStringList texts(const ReportPage &page, const char *name)
{
    QStringList list;
    for (const ReportItem *item : page.itemsNamed(QLatin1String(name)))
        list << item->text;
    return list;
}

QStringList headers(const ReportPage &page)
{
    QStringList list;
    for (int i = 2; i <= 7; ++i)
        list << page.item(QStringLiteral("QRLabel%1").arg(i))->text;
    return list;
}

QStringList gridColumn(DBGrid *grid, int column)
{
    QStringList list;
    for (int row = 0; row < grid->dataModel()->rowCount(); ++row)
        list << grid->dataModel()->index(row, column).data().toString();
    return list;
}

QStringList gridTitles(DBGrid *grid)
{
    QStringList list;
    for (int c = 0; c < grid->dataModel()->columnCount(); ++c)
        list << grid->columnTitle(c);
    return list;
}

} // namespace

class TestClassifica : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        program.reset();
    }

    void reportListsTheTeamsByPoints()
    {
        threeTeams();
        TStClassifica stampa;
        const ReportDocument doc = stampa.Pagine();
        QCOMPARE(doc.pages.size(), 1);
        const ReportPage &page = doc.pages.first();

        const ReportItem *title = page.item(QStringLiteral("QRLabel1"));
        QCOMPARE(title->text, QStringLiteral("C L A S S I F I C A"));
        QCOMPARE(title->x(), 256.0);
        QCOMPARE(title->font.family(), QStringLiteral("Verdana"));
        QCOMPARE(title->font.pointSize(), 16);
        QVERIFY(title->font.bold());

        QCOMPARE(headers(page),
                 (QStringList{"Nome squadra", "Punti", "Set giocati", "SetVinti", "SetPersi", "Riposo"}));
        const qreal headerX[] = {24, 264, 344, 440, 512, 600};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(page.item(QStringLiteral("QRLabel%1").arg(i + 2))->pos(),
                     QPointF(headerX[i], page.item(QStringLiteral("QRLabel2"))->y()));

        QCOMPARE(texts(page, "QRDBText1"), (QStringList{"Alfa", "L'Aquila", "Brivio"}));
        QCOMPARE(texts(page, "QRDBText2"), (QStringList{"9", "6", "3"}));
        QCOMPARE(texts(page, "QRDBText3"), (QStringList{"11", "12", "11"})); // played, then won and lost
        QCOMPARE(texts(page, "QRDBText5"), (QStringList{"2", "5", "7"}));
        // The rest turn as a word: a blank field has not rested either.
        QCOMPARE(texts(page, "QRDBText6"), (QStringList{"Fatto", "Da fare", "Da fare"}));

        // Every field of a line on the same row, at its column; the lines one below the other.
        const qreal detailX[] = {24, 264, 376, 459, 531, 601};
        qreal previous = page.item(QStringLiteral("QRLabel2"))->y();
        for (int line = 0; line < 3; ++line) {
            const qreal y = page.itemsNamed(QStringLiteral("QRDBText1"))[line]->y();
            QVERIFY(y > previous + 10);
            previous = y;
            for (int f = 0; f < 6; ++f) {
                const ReportItem *item = page.itemsNamed(QStringLiteral("QRDBText%1").arg(f + 1))[line];
                QCOMPARE(item->pos(), QPointF(detailX[f], y));
                QCOMPARE(item->font.pointSize(), 10);
            }
        }

        // The footer at the bottom of the page: the program and maker, the web site and mailbox.
        const ReportItem *maker = page.item(QStringLiteral("QRLabel8"));
        const ReportItem *contacts = page.item(QStringLiteral("QRLabel9"));
        QCOMPARE(maker->text, QStringLiteral("Brivo_Rotaset, realizzato da Brivo"));
        QVERIFY(contacts->text.contains(QLatin1String(IndirizzoSitoBrivo)));
        QVERIFY(contacts->text.contains(QLatin1String(MailSupportoBrivo)));
        QVERIFY(maker->y() > doc.area().height() - 50);
        QVERIFY(contacts->rect.right() <= doc.area().width());
        QCOMPARE(program->boxes.count(), 0);
    }

    void emptyStandingsStillPrintTitleHeadersAndFooter()
    {
        TStClassifica stampa;
        const ReportDocument doc = stampa.Pagine();
        QCOMPARE(doc.pages.size(), 1);
        const ReportPage &page = doc.pages.first();
        QVERIFY(page.item(QStringLiteral("QRLabel1")));
        QCOMPARE(headers(page).size(), 6);
        QVERIFY(page.item(QStringLiteral("QRLabel8")));
        QVERIFY(page.item(QStringLiteral("QRLabel9")));
        QVERIFY(page.itemsNamed(QStringLiteral("QRDBText1")).isEmpty());
    }

    void englishCaptionsAndItalianWords()
    {
        threeTeams();
        setLanguage(QStringLiteral("English"));
        TStClassifica stampa;
        for (int print = 1; print <= 2; ++print) {
            // A second print of the same report translates from the Italian captions again.
            const ReportPage page = stampa.Pagine().pages.first();
            QCOMPARE(page.item(QStringLiteral("QRLabel1"))->text, QStringLiteral("R A N K I N G"));
            QCOMPARE(headers(page),
                     (QStringList{"Team name", "Points", "Sets played", "Sets won", "Sets lost", "Bye"}));
            QCOMPARE(page.item(QStringLiteral("QRLabel8"))->text, QStringLiteral("Brivo_Rotaset, made by Brivo"));
            QVERIFY(page.item(QStringLiteral("QRLabel9"))->text.contains(QLatin1String(MailSupportoBrivo)));
            QCOMPARE(texts(page, "QRDBText6"), (QStringList{"Fatto", "Da fare", "Da fare"}));
            QCOMPARE(texts(page, "QRDBText1"), (QStringList{"Alfa", "L'Aquila", "Brivio"}));
        }
    }

    void eachPrintReadsTheStandingsAgain()
    {
        threeTeams();
        TStClassifica stampa;
        QCOMPARE(texts(stampa.Pagine().pages.first(), "QRDBText1").first(), QStringLiteral("Alfa"));
        setPoints(QStringLiteral("L'Aquila"), 12);
        QCOMPARE(texts(stampa.Pagine().pages.first(), "QRDBText1"), (QStringList{"L'Aquila", "Alfa", "Brivio"}));
    }

    void pdfReadsBackAsTheStandings()
    {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (tool.isEmpty())
            QSKIP("pdftotext is not installed");
        threeTeams();
        TStClassifica stampa;
        const QString pdf = program->folder.file(QStringLiteral("classifica.pdf"));
        QVERIFY(stampa.SalvaPdf(pdf));
        QProcess p;
        p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
        auto lineWith = [&](const QString &start) {
            for (const QString &l : lines)
                if (l.trimmed().startsWith(start))
                    return l.simplified();
            return QString();
        };
        // The title's letters are spaced out: the text reader may or may not keep the spaces.
        QVERIFY(lines.indexOf(QRegularExpression(QStringLiteral("^\\s*C ?L ?A ?S ?S ?I ?F ?I ?C ?A\\s*$"))) >= 0);
        QCOMPARE(lineWith(QStringLiteral("Nome squadra")),
                 QStringLiteral("Nome squadra Punti Set giocati SetVinti SetPersi Riposo"));
        QCOMPARE(lineWith(QStringLiteral("Alfa")), QStringLiteral("Alfa 9 11 9 2 Fatto"));
        QCOMPARE(lineWith(QStringLiteral("L'Aquila")), QStringLiteral("L'Aquila 6 12 7 5 Da fare"));
        QCOMPARE(lineWith(QStringLiteral("Brivio")), QStringLiteral("Brivio 3 11 4 7 Da fare"));
        const QString footer = lineWith(QStringLiteral("Brivo_Rotaset"));
        QVERIFY2(footer.contains(QLatin1String(MailSupportoBrivo)), qPrintable(footer));
        QVERIFY(footer.contains(QLatin1String(IndirizzoSitoBrivo)));
        // Alfa's line comes before L'Aquila's, which comes before Brivio's.
        QVERIFY(lines.indexOf(QRegularExpression(QStringLiteral("\\s*Alfa .*"))) <
                lines.indexOf(QRegularExpression(QStringLiteral("\\s*L'Aquila .*"))));
    }

    void formShowsTheStandingsAndFollowsThem()
    {
        threeTeams();
        TStClassifica stampa;
        TFrmClassifica form(&stampa);
        QCOMPARE(form.windowTitle(), QStringLiteral("Visualizzazione situazione classifica"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Situazione della classifica aggiornata all'ultima giornata giocata."));
        auto *stampaButton = form.findChild<QPushButton *>(QStringLiteral("BTSstampa"));
        QCOMPARE(stampaButton->text(), QStringLiteral("Stampa"));
        QCOMPARE(stampaButton->toolTip(), QStringLiteral("Anteprima di stampa"));
        auto *grid = form.findChild<DBGrid *>(QStringLiteral("DBGrid1"));
        QCOMPARE(gridTitles(grid),
                 (QStringList{"Punti", "Squadre", "Set vinti", "Set persi", "Set giocati", "Riposo"}));
        // The designed widths, widened where a title would be cut short.
        const int widths[] = {40, 250, 50, 50, 60, 50};
        const QFontMetrics fm(grid->horizontalHeader()->font());
        for (int c = 0; c < 6; ++c) {
            QVERIFY(grid->columnWidth(c) >= widths[c]);
            QVERIFY(grid->columnWidth(c) > fm.horizontalAdvance(grid->columnTitle(c)));
        }
        QCOMPARE(grid->columnWidth(1), 250);
        QCOMPARE(gridColumn(grid, 1), (QStringList{"Alfa", "L'Aquila", "Brivio"}));
        QCOMPARE(gridColumn(grid, 0), (QStringList{"9", "6", "3"}));
        // The rest turn in the report's words, not the stored logical.
        QCOMPARE(gridColumn(grid, 5), (QStringList{"Fatto", "Da fare", "Da fare"}));

        // Results saved elsewhere show at the next activation without anything else.
        setPoints(QStringLiteral("Brivio"), 15);
        form.FormActivate();
        QCOMPARE(gridColumn(grid, 1), (QStringList{"Brivio", "Alfa", "L'Aquila"}));

        // The print button opens the preview of the report, whose pages hold the new order.
        QStringList shown;
        setModalBackend([&](QDialog &dialog) {
            if (qobject_cast<QPrintPreviewDialog *>(&dialog))
                shown << dialog.windowTitle();
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(stampaButton, Qt::LeftButton);
        QCOMPARE(shown, QStringList{"C L A S S I F I C A"});
        QCOMPARE(program->boxes.count(), 0);

        form.show();
        QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("BTSesci")), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }

    void formInEnglish()
    {
        setLanguage(QStringLiteral("English"));
        TStClassifica stampa;
        TFrmClassifica form(&stampa);
        QCOMPARE(form.windowTitle(), QStringLiteral("Visualizzazione situazione classifica"));
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Situation of the league last updated all day play."));
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("BTSstampa"))->text(), QStringLiteral("Print"));
        QCOMPARE(form.findChild<QPushButton *>(QStringLiteral("BTSesci"))->text(), QStringLiteral("Exit"));
        QCOMPARE(gridTitles(form.findChild<DBGrid *>(QStringLiteral("DBGrid1"))),
                 (QStringList{"Points", "Teams", "Sets won", "Sets lost", "Sets played", "Bye"}));
    }

    // Among an even number of teams nobody rests: neither the grid nor the print says "Da fare".
    void noRestWordAmongAnEvenNumberOfTeams()
    {
        threeTeams();
        TStClassifica stampa;
        TFrmClassifica form(&stampa);
        auto *grid = form.findChild<DBGrid *>(QStringLiteral("DBGrid1"));
        QCOMPARE(texts(stampa.Pagine().pages.first(), "QRDBText6"), (QStringList{"Fatto", "Da fare", "Da fare"}));
        addTeam(QStringLiteral("Delta"), 0, 0, 0, QVariant());
        form.FormActivate();
        QCOMPARE(gridColumn(grid, 5), (QStringList{"", "", "", ""}));
        QCOMPARE(texts(stampa.Pagine().pages.first(), "QRDBText6"), (QStringList{"", "", "", ""}));
        // The headers shrink, not run into each other, in French.
        setLanguage(QStringLiteral("Français"));
        const ReportPage page = stampa.Pagine().pages.first();
        QCOMPARE(headers(page), (QStringList{"Nom de l'équipe", "Points", "Sets joués", "Sets gagnés", "Sets perdus", "Exempt"}));
        for (int i = 2; i <= 6; ++i) {
            const ReportItem *h = page.item(QStringLiteral("QRLabel%1").arg(i));
            const ReportItem *next = page.item(QStringLiteral("QRLabel%1").arg(i + 1));
            QFont f = h->font; // report units are pixels at 96 dpi
            f.setPixelSize(qRound(h->font.pointSizeF() * 96 / 72));
            QVERIFY2(h->x() + QFontMetricsF(f).horizontalAdvance(h->text) <= next->x(), qPrintable(h->text));
        }
        // The credit line stands at the left of the footer.
        QCOMPARE(page.item(QStringLiteral("QRLabel8"))->x(), 16.0);
    }

    void aFailingPrintIsToldAndTheFormStays()
    {
        threeTeams();
        TStClassifica stampa;
        TFrmClassifica form(&stampa);
        int previews = 0;
        setModalBackend([&](QDialog &) { return ++previews, int(QDialog::Accepted); });
        // The standings' table is gone: the report cannot read it.
        store::Database::instance().deleteTable(QStringLiteral("Class.db"));
        QSignalSpy closed(&form, &QDialog::finished);
        form.findChild<QPushButton *>(QStringLiteral("BTSstampa"))->click();
        QCOMPARE(previews, 0);
        QCOMPARE(program->boxes.count(), 1);
        QCOMPARE(program->boxes.last().titolo, QStringLiteral("Errore"));
        QCOMPARE(program->boxes.last().testo,
                 QStringLiteral("Errore irreversibile in fase di stampa elenco prodotti contattare Brivo."));
        QCOMPARE(closed.count(), 0);
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestClassifica)
#include "test_classifica.moc"
