// Choosing and viewing a matchday, and its print: the dialog's checks and its box emptied once per
// showing; the read-only view on the composer's table, which it leaves unfiltered and unchanged; the
// report's ten lines, its English captions, and the print read back from a PDF.
#include "championship/frmcaricagiornata.h"
#include "championship/frmgiornata.h"
#include "championship/stgiornata.h"
#include "store/table.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/datacontrols.h"
#include "ui/modale.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

using namespace prova;

namespace {
const QStringList Sette = {"Sant'Antioco", "Forlì & Cesena", "100% Bari", "Dervio", "Empoli", "Fano", "L'Aquila"};

// Two matchdays of seven teams; the first played, the resting team's sets "*".
void dueGiornate()
{
    AggiungiGiornata(1, Sette, true, {{1, "3"}, {2, "0"}, {3, "2"}, {4, "3"}, {5, "*"}, {6, "*"}, {7, "*"}});
    AggiungiGiornata(2, {"L'Aquila", "Sant'Antioco", "Dervio", "Forlì & Cesena", "Fano", "Empoli", "100% Bari"});
}

QStringList testi(const ReportPage &pagina, const char *prefisso, int da, int a)
{
    QStringList l;
    for (int k = da; k <= a; ++k)
        l << pagina.item(QStringLiteral("%1%2").arg(QLatin1String(prefisso)).arg(k))->text;
    return l;
}
} // namespace

class TestGiornataVista : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        dueGiornate();
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        program.reset();
    }

    void theDialogChecksTheNumber()
    {
        TFrmAfterCaricaGiornata d;
        auto *edit = Figlio<QLineEdit>(&d, "EDTgiornata");
        QCOMPARE(edit->maxLength(), 2);
        edit->setText(QStringLiteral("7"));
        d.show();
        QCOMPARE(edit->text(), QString()); // emptied when shown

        for (const char *testo : {"x", "", "-"}) {
            edit->setText(QLatin1String(testo));
            Figlio<QPushButton>(&d, "BTSconferma")->click();
            QCOMPARE(program->boxes.last().testo, QStringLiteral("immettere un valore valido!"));
        }
        for (const char *testo : {"0", "99", "3"}) {
            edit->setText(QLatin1String(testo));
            Figlio<QPushButton>(&d, "BTSconferma")->click();
            QCOMPARE(program->boxes.last().testo, QStringLiteral("La giornata richiesta non esiste!"));
            QCOMPARE(edit->text(), QLatin1String(testo)); // the box is not emptied by the message's closing
            QVERIFY(d.isVisible());
        }
        QCOMPARE(d.Giornata(), 0);
        edit->setText(QStringLiteral("2"));
        Figlio<QPushButton>(&d, "BTSconferma")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Giornata(), 2);
        d.show();
        QCOMPARE(edit->text(), QString()); // a new showing starts empty
    }

    void theViewIsReadOnlyAndLeavesTheComposersTableAsItWas()
    {
        TFrmGiornata composer;
        store::Table *tabella = composer.TblGiornate;
        const Giornata prima = GiornataDi(1);
        {
            TStGiornata stampa;
            TFrmCaricaGiornata vista(tabella, &stampa, 1);
            vista.show();
            QVERIFY(tabella->filtered());
            QCOMPARE(tabella->recordCount(), 1);
            QCOMPARE(Figlio<DBEdit>(&vista, "DBNumGiornata")->text(), QStringLiteral("1"));
            QCOMPARE(Figlio<DBEdit>(&vista, "SQ1")->text(), QStringLiteral("Sant'Antioco"));
            QCOMPARE(Figlio<DBEdit>(&vista, "P1")->text(), QStringLiteral("3"));
            // The resting team on the home side with "*", an empty visitor.
            QCOMPARE(Figlio<DBEdit>(&vista, "SQ7")->text(), QStringLiteral("L'Aquila"));
            QCOMPARE(Figlio<DBEdit>(&vista, "P7")->text(), QStringLiteral("*"));
            QCOMPARE(Figlio<DBEdit>(&vista, "SQ8")->text(), QString());
            for (int k = 1; k <= 20; ++k) {
                QVERIFY(Figlio<DBEdit>(&vista, QStringLiteral("SQ%1").arg(k))->isReadOnly());
                QVERIFY(Figlio<DBEdit>(&vista, QStringLiteral("P%1").arg(k))->isReadOnly());
            }
            // Typing into a box changes nothing.
            QTest::keyClicks(Figlio<DBEdit>(&vista, "P1"), "0");
            QVERIFY(!tabella->isEditing());
            Figlio<QPushButton>(&vista, "SBesci")->click();
        }
        QVERIFY(!tabella->filtered());
        QVERIFY(tabella->filter().isEmpty());
        QVERIFY(!tabella->isOpen()); // closed, as the finished composer leaves it
        const Giornata dopo = GiornataDi(1);
        QCOMPARE(dopo.sets, prima.sets);
        QVERIFY(dopo.giocata); // the composer's before-post handler never ran
        QCOMPARE(Colonna(QStringLiteral("giornate.db"), QStringLiteral("Giornata")), (QStringList{"1", "2"}));
    }

    void theMenuCommandOpensTheViewOnTheChosenMatchday()
    {
        TFrmGiornata composer;
        FrmGiornata = &composer;
        QStringList aperte;
        setModalBackend([&](QDialog &d) -> int {
            aperte << d.objectName();
            if (auto *scelta = qobject_cast<TFrmAfterCaricaGiornata *>(&d)) {
                d.show();
                Figlio<QLineEdit>(&d, "EDTgiornata")->setText(QStringLiteral("2"));
                scelta->BTSconfermaClick();
                return d.result();
            }
            if (d.objectName() == QLatin1String("FrmCaricaGiornata")) {
                // A matchday not played: its teams, no sets.
                const QString titolo = Figlio<DBEdit>(&d, "DBNumGiornata")->text();
                const QString casa = Figlio<DBEdit>(&d, "SQ1")->text();
                const QString set = Figlio<DBEdit>(&d, "P1")->text();
                aperte << titolo + QLatin1Char('|') + casa + QLatin1Char('|') + set;
            }
            return 0;
        });
        CaricaGiornata(nullptr);
        FrmGiornata = nullptr;
        QCOMPARE(aperte, (QStringList{"FrmAfterCaricaGiornata", "FrmCaricaGiornata", "2|L'Aquila|"}));
        QVERIFY(!composer.TblGiornate->filtered());
    }

    void theReportHasTenLines()
    {
        TStGiornata stampa;
        const ReportDocument doc = stampa.Pagine(1);
        QCOMPARE(doc.pages.size(), 1);
        const ReportPage &pagina = doc.pages.first();
        QCOMPARE(pagina.item(QStringLiteral("QRLabel1"))->text, QStringLiteral("Stampa dei risultati della giornata numero"));
        QCOMPARE(pagina.item(QStringLiteral("QRLabel1"))->x(), 120.0);
        QCOMPARE(pagina.item(QStringLiteral("QRLabNumGiornata"))->text, QStringLiteral("1"));
        QCOMPARE(pagina.item(QStringLiteral("QRLabNumGiornata"))->x(), 544.0);
        QCOMPARE(testi(pagina, "QRLabel", 2, 5),
                 (QStringList{"Nome squadra locale", "Nome squadra ospite", "Set", "Set"}));
        for (int partita = 1; partita <= 10; ++partita) {
            const ReportItem *casa = pagina.item(QStringLiteral("QRDBSquadra%1").arg(2 * partita - 1));
            const ReportItem *ospite = pagina.item(QStringLiteral("QRDBSquadra%1").arg(2 * partita));
            const ReportItem *set1 = pagina.item(QStringLiteral("QRDBSet%1").arg(2 * partita - 1));
            const ReportItem *set2 = pagina.item(QStringLiteral("QRDBSet%1").arg(2 * partita));
            QCOMPARE(casa->x(), 24.0);
            QCOMPARE(ospite->x(), 312.0);
            QCOMPARE(set1->x(), 592.0);
            QCOMPARE(set2->x(), 658.0);
            QCOMPARE(ospite->y(), casa->y());
            if (partita > 1)
                QCOMPARE(casa->y() - pagina.item(QStringLiteral("QRDBSquadra%1").arg(2 * partita - 3))->y(), 24.0);
        }
        QCOMPARE(testi(pagina, "QRDBSquadra", 1, 8),
                 (QStringList{"Sant'Antioco", "Forlì & Cesena", "100% Bari", "Dervio", "Empoli", "Fano", "L'Aquila", ""}));
        QCOMPARE(testi(pagina, "QRDBSet", 1, 8), (QStringList{"3", "0", "2", "3", "*", "*", "*", ""}));
        QCOMPARE(pagina.item(QStringLiteral("QRLabel6"))->text, QStringLiteral("Brivo_Rotaset, realizzato da Brivo"));
        QCOMPARE(pagina.item(QStringLiteral("QRLabel6"))->x(), 16.0);
        QCOMPARE(doc.title, QStringLiteral("Stampa dei risultati della giornata numero 1")); // the preview's title
        QVERIFY(pagina.item(QStringLiteral("QRLabel7"))->text.contains(QStringLiteral("supporto@brivo.example")));

        // English: the title, the team headers and the credit; "Set" and the addresses stay.
        Impostazione("LINGUA", QStringLiteral("English"));
        const ReportPage inglese = stampa.Pagine(1).pages.first();
        QCOMPARE(testi(inglese, "QRLabel", 1, 6),
                 (QStringList{"Results of matchday", "Home team", "Away team",
                              "Set", "Set", "Brivo_Rotaset, made by Brivo"}));
        QCOMPARE(stampa.Pagine(1).title, QStringLiteral("Results of matchday 1"));

        // A matchday that is not there prints its frame only.
        const ReportDocument nessuna = stampa.Pagine(42);
        QCOMPARE(nessuna.pages.size(), 1);
        QVERIFY(!nessuna.pages.first().item(QStringLiteral("QRDBSquadra1")));
    }

    void thePrintReadsBackFromAPdf()
    {
        TStGiornata stampa;
        const QString pdf = program->folder.file(QStringLiteral("giornata.pdf"));
        QVERIFY(stampa.SalvaPdf(1, pdf));
        const QStringList righe = RighePdf(pdf);
        if (righe.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(righe.contains(QStringLiteral("Stampa dei risultati della giornata numero 1")));
        QVERIFY(righe.contains(QStringLiteral("Nome squadra locale Nome squadra ospite Set Set")));
        QVERIFY(righe.contains(QStringLiteral("Sant'Antioco Forlì & Cesena 3 0")));
        QVERIFY(righe.contains(QStringLiteral("100% Bari Dervio 2 3")));
        QVERIFY(righe.contains(QStringLiteral("Empoli Fano * *")));
        QVERIFY(righe.contains(QStringLiteral("L'Aquila *")));
    }

private:
    std::unique_ptr<TestProgram> program;
};

QTEST_MAIN(TestGiornataVista)
#include "test_giornata_vista.moc"
