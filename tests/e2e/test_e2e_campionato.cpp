// A small championship through the real forms, from the main menu: four teams, six matchdays,
// every result entered; the final standings against points worked out by hand, and the standings
// print saved as PDF from its preview and read back. Then one result corrected and one team renamed,
// the standings and the calendar checked on disk, and the statistics print read back.
#include "app/comandi.h"
#include "app/frmmain.h"
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "championship/frmmodnomisquadre.h"
#include "championship/frmmodrisultati.h"
#include "championship/frmrisultati.h"
#include "support/campionato.h"
#include "store/table.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "ui/modale.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

namespace {

// The first leg as composed; the return legs swap home and away.
const QList<QStringList> FirstLeg = {{"Alfa", "L'Aquila", "Beta", "Gamma"},
                                     {"Gamma", "Alfa", "L'Aquila", "Beta"},
                                     {"Alfa", "Beta", "Gamma", "L'Aquila"}};

// Sets of every match, home first.
const QHash<QString, QPair<QString, QString>> Results = {
    {"Alfa|L'Aquila", {"3", "0"}}, {"Beta|Gamma", {"3", "2"}},     {"L'Aquila|Alfa", {"3", "1"}},
    {"Gamma|Beta", {"2", "3"}},    {"Gamma|Alfa", {"0", "3"}},     {"L'Aquila|Beta", {"3", "2"}},
    {"Alfa|Gamma", {"3", "2"}},    {"Beta|L'Aquila", {"1", "3"}},  {"Alfa|Beta", {"3", "1"}},
    {"Gamma|L'Aquila", {"3", "0"}}, {"Beta|Alfa", {"3", "0"}},     {"L'Aquila|Gamma", {"2", "3"}}};

template <typename T> T *child(QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

} // namespace

class TestE2eCampionato : public QObject {
    Q_OBJECT
private slots:
    void aWholeChampionship()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        boxes.setDefaultAnswer(true);
        TFrmMain main;
        CollegaComandi(main);
        TFrmGiornata composer(&main);
        FrmGiornata = &composer;
        TFrmCalendario builder(&main);
        FrmCalendario = &builder;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QString pdf = folder.file(QStringLiteral("classifica.pdf"));
        int resultForms = 0;

        setModalBackend([&](QDialog &d) -> int {
            if (&d == &builder) {
                child<QLineEdit>(&d, "EDTnSQ")->setText(QStringLiteral("4"));
                child<QLineEdit>(&d, "EDTnGIORN")->setText(QStringLiteral("6"));
                child<QLineEdit>(&d, "EDTmySQ")->setText(QStringLiteral("Alfa"));
                child<QPushButton>(&d, "ButSalva")->click();
                for (int i = 1; i < 4; ++i)
                    child<QLineEdit>(&d, QStringLiteral("SQ%1").arg(i + 1))->setText(FirstLeg[0][i]);
                child<QPushButton>(&d, "BTMsquadre")->click(); // shows the composer
                return 1;
            }
            if (&d == &composer) {
                composer.show();
                for (const QStringList &day : FirstLeg) {
                    for (int k = 1; k <= 4; ++k) {
                        composer.BoxEnter(k);
                        auto *box = child<QComboBox>(&composer, QStringLiteral("Box%1").arg(k));
                        const int index = box->findText(day[k - 1]);
                        box->setCurrentIndex(index);
                        emit box->activated(index);
                        composer.BoxExit(k);
                    }
                    child<QPushButton>(&composer, "BTMpost")->click();
                }
                return 1;
            }
            if (qobject_cast<TFrmRisultati *>(&d)) {
                ++resultForms;
                d.show();
                for (int p = 1; p <= 2; ++p) {
                    const QString home = child<QLineEdit>(&d, QStringLiteral("SQ%1").arg(2 * p - 1))->text();
                    const QString away = child<QLineEdit>(&d, QStringLiteral("SQ%1").arg(2 * p))->text();
                    const auto sets = Results.value(home + QLatin1Char('|') + away);
                    child<QLineEdit>(&d, QStringLiteral("P%1").arg(2 * p - 1))->setText(sets.first);
                    child<QLineEdit>(&d, QStringLiteral("P%1").arg(2 * p))->setText(sets.second);
                }
                child<QPushButton>(&d, "SBsi")->click();
                d.hide();
                return 1;
            }
            if (qobject_cast<TFrmModRisultati *>(&d)) {
                // Matchday 1, Alfa - L'Aquila: 3-0 becomes 2-3.
                d.show();
                auto *giornate = child<QComboBox>(&d, "CboxGiornate");
                giornate->setEditText(QStringLiteral("1"));
                QTest::keyClick(giornate->lineEdit(), Qt::Key_Return);
                auto *partite = child<QComboBox>(&d, "cBoxPartita");
                partite->setEditText(QStringLiteral("01 * Alfa - L'Aquila"));
                QTest::keyClick(partite->lineEdit(), Qt::Key_Return);
                child<QLineEdit>(&d, "P1")->setText(QStringLiteral("2"));
                child<QLineEdit>(&d, "P2")->setText(QStringLiteral("3"));
                child<QPushButton>(&d, "Button1")->click();
                child<QPushButton>(&d, "SBsi")->click();
                d.hide();
                return d.result();
            }
            if (qobject_cast<TFrmModNomiSquadre *>(&d)) {
                auto *vecchio = child<QComboBox>(&d, "cbNomeVecchio");
                vecchio->setCurrentIndex(vecchio->findText(QStringLiteral("L'Aquila")));
                child<QLineEdit>(&d, "EditNomeNuovo")->setText(QStringLiteral("L'Aquila & Co. 100%"));
                child<QPushButton>(&d, "SBsi")->click();
                return d.result();
            }
            if (d.objectName() == QLatin1String("FrmStatisticheSquadra")) {
                child<QPushButton>(&d, "BTSstampa")->click();
                return 1;
            }
            if (d.objectName() == QLatin1String("FrmClassifica")) {
                child<QPushButton>(&d, "BTSstampa")->click(); // the preview
                return 1;
            }
            if (auto *preview = qobject_cast<QPrintPreviewDialog *>(&d)) {
                // "Print to PDF" from the preview.
                preview->printer()->setOutputFormat(QPrinter::PdfFormat);
                preview->printer()->setOutputFileName(pdf);
                emit preview->paintRequested(preview->printer());
                return 1;
            }
            return 0;
        });

        main.FormActivate();
        main.Voce(QStringLiteral("Calendario"))->trigger();
        QVERIFY(composer.Completo());
        main.FormActivate();
        QVERIFY(main.Voce(QStringLiteral("Inseriscirisultati1"))->isEnabled());
        for (int i = 0; i < 6; ++i)
            main.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
        QCOMPARE(resultForms, 6);
        // A seventh time: every matchday is played.
        main.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
        QCOMPARE(resultForms, 6);
        QCOMPARE(boxes.last().testo, QStringLiteral("Sono già stati inseriti tutti i risultati!"));

        // Worked out by hand: points, sets won, lost, played.
        const QHash<QString, QList<int>> expected = {{"Alfa", {11, 13, 9, 22}},
                                                     {"L'Aquila", {9, 11, 13, 24}},
                                                     {"Beta", {8, 13, 13, 26}},
                                                     {"Gamma", {8, 12, 14, 26}}};
        store::Table standings(QStringLiteral("Class.db"));
        standings.open();
        QCOMPARE(standings.recordCount(), 4);
        for (standings.first(); !standings.eof(); standings.next()) {
            const QString team = standings.fieldByName(QStringLiteral("Squadre")).asString();
            QList<int> got;
            for (const char *f : {"Punti", "SetV", "SetP", "SetG"})
                got << standings.fieldByName(QLatin1String(f)).asInteger();
            QCOMPARE(got, expected.value(team));
        }
        standings.close();

        main.Voce(QStringLiteral("Visualizzaclassifica"))->trigger();
        QVERIFY(QFile::exists(pdf));
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess text;
        text.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QStringList lines = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\n'));
        QStringList teamsInOrder;
        for (const QString &line : lines)
            for (const QString &team : {QStringLiteral("Alfa"), QStringLiteral("L'Aquila"), QStringLiteral("Beta"),
                                        QStringLiteral("Gamma")})
                if (line.contains(team) && line.contains(QString::number(expected.value(team).first())))
                    teamsInOrder << team;
        QCOMPARE(teamsInOrder.size(), 4);
        QCOMPARE(teamsInOrder.mid(0, 2), (QStringList{"Alfa", "L'Aquila"}));
        const QString all = lines.join(QLatin1Char(' '));
        QVERIFY(QString(all).remove(QLatin1Char(' ')).contains(QStringLiteral("CLASSIFICA"))); // a spaced-out title
        QVERIFY(all.contains(QStringLiteral("supporto@brivo.example")));

        // One result corrected, one team renamed, through the menu.
        boxes.clear();
        main.Voce(QStringLiteral("Risultati1"))->trigger();
        main.Voce(QStringLiteral("Modificanomisquadre"))->trigger();
        QCOMPARE(boxes.texts(),
                 (QStringList{QStringLiteral("I punteggi immessi sono stati archiviati e la classifica è stata aggiornata "
                                             "in modo automatico!"),
                              QStringLiteral("La squadra 'L'Aquila' è stata rinominata in 'L'Aquila & Co. 100%'")}));
        const QString nuovo = QStringLiteral("L'Aquila & Co. 100%");
        // Alfa loses 3 points and gains 1, L'Aquila gains 2; the sets follow the difference.
        QCOMPARE(prova::RigaDi(QStringLiteral("Alfa")), (prova::Riga{9, 12, 12, 24, false}));
        QCOMPARE(prova::RigaDi(nuovo), (prova::Riga{11, 14, 12, 26, false}));
        QCOMPARE(prova::RigaDi(QStringLiteral("Beta")), (prova::Riga{8, 13, 13, 26, false}));
        QCOMPARE(prova::RigaDi(QStringLiteral("L'Aquila")).punti, -1);
        const prova::Giornata prima = prova::GiornataDi(1);
        QCOMPARE(prima.sets.mid(0, 4), (QStringList{"2", "3", "3", "2"}));
        QCOMPARE(prima.squadre.mid(0, 2), (QStringList{"Alfa", nuovo}));
        for (int g = 1; g <= 6; ++g) {
            const prova::Giornata giornata = prova::GiornataDi(g);
            QCOMPARE(giornata.squadre.count(nuovo), 1);
            QCOMPARE(giornata.squadre.count(QStringLiteral("L'Aquila")), 0);
            QVERIFY(giornata.giocata);
        }
        QVERIFY(prova::Colonna(QStringLiteral("squadre.db"), QStringLiteral("Squadre")).contains(nuovo));

        pdf = folder.file(QStringLiteral("statistiche.pdf"));
        main.Voce(QStringLiteral("Persquadra1"))->trigger();
        QVERIFY(QFile::exists(pdf));
        const QStringList statistiche = prova::RighePdf(pdf);
        QVERIFY(statistiche.contains(QStringLiteral("L'Aquila & Co. 100% 11 26 14 12 1,17")));
        QVERIFY(statistiche.contains(QStringLiteral("Alfa 9 24 12 12 1,00")));

        QLocale::setDefault(QLocale::c());
        FrmCalendario = nullptr;
        setModalBackend(nullptr);
    }
};

QTEST_MAIN(TestE2eCampionato)
#include "test_e2e_campionato.moc"
