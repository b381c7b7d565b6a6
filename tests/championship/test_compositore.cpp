// The matchday composer used the way a person uses it: real clicks on the open lists, the arrow
// keys and Return in them, Tab between the boxes, a typed initial; the keys and the close box that
// must not throw a championship away; and the builder's team fields that hand over to it.
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "store/table.h"
#include "support/testprogram.h"
#include "ui/finestraprincipale.h"
#include "ui/modale.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

class FakeMain : public InterfacciaPrincipale {
public:
    void AbilitaMenuCalendario() override { ++enabled; }
    void DisabilitaMenuCalendario() override {}
    void MostraModuloRotazioni() override {}
    void TerminaProgramma() override { ++ended; }
    int enabled = 0;
    int ended = 0;
};

// The teams of one stored row of giornate.db, after its matchday number.
QStringList row(int recNo)
{
    store::Table t(QStringLiteral("giornate.db"));
    t.open();
    t.setRecNo(recNo);
    QStringList out{t.fieldByName(QStringLiteral("Giornata")).asString()};
    for (int k = 1; k <= 20; ++k)
        out << t.fieldByName(QStringLiteral("Squadra%1").arg(k)).asString();
    while (out.size() > 1 && out.last().isEmpty())
        out.removeLast();
    return out;
}

const QStringList Squadre = {"Alfa", "Beta", "Gamma", "L'Aquila", "Omega", "Zeta"};

} // namespace

class TestCompositore : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        main = FakeMain();
        ImpostaFinestraPrincipale(&main);
        composer = new TFrmGiornata;
        FrmGiornata = composer;
        builder = new TFrmCalendario;
        FrmCalendario = builder;
        builder->EDTnSQ->setText(QString::number(Squadre.size()));
        builder->EDTnGIORN->setText(QStringLiteral("6"));
        builder->EDTmySQ->setText(Squadre.first());
        builder->ButSalva->click();
        for (int i = 1; i < Squadre.size(); ++i)
            builder->SQ[i]->setText(Squadre[i]);
    }
    void cleanup()
    {
        setModalBackend(nullptr);
        delete builder;
        delete composer;
        FrmCalendario = nullptr;
        FrmGiornata = nullptr;
        ImpostaFinestraPrincipale(nullptr);
        program.reset();
    }

    // Every box of two matchdays filled by clicking the box and then the team in its open list;
    // the third matchday too, so that the calendar completes. Matchday 2 starts with empty boxes.
    void everyBoxByMouse()
    {
        const QList<QStringList> giornate = {{"Gamma", "Alfa", "Zeta", "L'Aquila", "Beta", "Omega"},
                                             {"Alfa", "Zeta", "Omega", "Gamma", "L'Aquila", "Beta"},
                                             {"Zeta", "Omega", "Alfa", "Beta", "Gamma", "L'Aquila"}};
        QStringList primoMostrato;
        componi([&] {
            for (int g = 0; g < giornate.size(); ++g) {
                if (g == 1)
                    primoMostrato << composer->Box[0]->currentText() << composer->Box[1]->currentText();
                for (int k = 1; k <= 6; ++k) {
                    scegliColMouse(k, giornate[g][k - 1]);
                    if (QTest::currentTestFailed())
                        return;
                }
                QVERIFY(composer->BTMpost->isEnabled());
                QTest::mouseClick(composer->BTMpost, Qt::LeftButton);
            }
        });
        QCOMPARE(primoMostrato, (QStringList{QString(), QString()}));
        QVERIFY(composer->Completo());
        QCOMPARE(row(1), QStringList{"1"} + giornate[0]);
        QCOMPARE(row(3), QStringList{"2"} + giornate[1]);
        QCOMPARE(row(4), (QStringList{"5", "Zeta", "Alfa", "Gamma", "Omega", "Beta", "L'Aquila"}));
        QCOMPARE(row(5), QStringList{"3"} + giornate[2]);
        QCOMPARE(main.enabled, 1);
    }

    // The keyboard: Tab into the box, Alt+Down opens the list, the arrow keys move in it, Return
    // chooses; on two matchdays.
    void everyBoxByArrowsAndReturn()
    {
        const QList<QStringList> giornate = {{"Beta", "Alfa", "Zeta", "Gamma", "Omega", "L'Aquila"},
                                             {"L'Aquila", "Alfa", "Omega", "Zeta", "Beta", "Gamma"}};
        componi([&] {
            for (const QStringList &giornata : giornate) {
                QVERIFY(composer->focusWidget() == composer->Box[0]);
                for (int k = 1; k <= 6; ++k) {
                    QComboBox *box = composer->Box[k - 1];
                    if (k > 1)
                        QTest::keyClick(composer->Box[k - 2], Qt::Key_Tab);
                    QVERIFY2(box->hasFocus(), qPrintable(box->objectName()));
                    QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
                    QAbstractItemView *view = box->view();
                    QVERIFY(view->isVisible());
                    // Down until the team is highlighted (the list never holds more than six).
                    for (int i = 0; i < 8 && view->currentIndex().data().toString() != giornata[k - 1]; ++i)
                        QTest::keyClick(view, Qt::Key_Down);
                    if (view->currentIndex().data().toString() != giornata[k - 1])
                        QTest::keyClick(view, Qt::Key_Home);
                    for (int i = 0; i < 8 && view->currentIndex().data().toString() != giornata[k - 1]; ++i)
                        QTest::keyClick(view, Qt::Key_Down);
                    QTest::keyClick(view, Qt::Key_Return);
                    QVERIFY(!view->isVisible());
                    QCOMPARE(box->currentText(), giornata[k - 1]);
                }
                QVERIFY(composer->BTMpost->isEnabled());
                QTest::keyClick(composer->Box[5], Qt::Key_Tab);
                QVERIFY(composer->BTMpost->hasFocus());
                QTest::keyClick(composer->BTMpost, Qt::Key_Space);
            }
        });
        QCOMPARE(row(1), QStringList{"1"} + giornate[0]);
        QCOMPARE(row(3), QStringList{"2"} + giornate[1]);
    }

    // After "Annulla giornata corrente" the first box still shows its team: typing that team's
    // initial (no other team has it) chooses it again; clicking the shown team in the list too.
    void typedInitialOfTheShownTeam()
    {
        componi([&] {
            scegliColMouse(1, QStringLiteral("Omega"));
            scegliColMouse(2, QStringLiteral("Beta"));
            QTest::mouseClick(composer->BBannullaTutto, Qt::LeftButton);
            QComboBox *primo = composer->Box[0];
            QCOMPARE(primo->currentText(), QStringLiteral("Omega"));
            QVERIFY(!composer->Box[1]->isEnabled());
            primo->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(primo, Qt::Key_O);
            QCOMPARE(primo->currentText(), QStringLiteral("Omega"));
            QVERIFY(composer->Box[1]->isEnabled());
            // The shown team of box 2 is still in its list: clicking it in the list chooses it.
            scegliColMouse(2, QStringLiteral("Beta"));
            QVERIFY(composer->Box[2]->isEnabled());
            QVERIFY(!primo->isEnabled());
        });
    }

    // A team field holds its caption: clicking into it or tabbing to it selects the caption, so
    // that typing replaces it instead of running on after it ("Nome squadra n.2Virtus").
    void teamFieldCaptionIsReplaced()
    {
        builder->sbAnnullaClick();
        for (int i = 1; i < 4; ++i)
            builder->SQ[i]->setText(QStringLiteral("Nome squadra n.%1").arg(i + 1));
        builder->EDTnSQ->setText(QStringLiteral("4"));
        builder->show();
        QVERIFY(QTest::qWaitForWindowActive(builder));
        builder->ButSalva->click();
        QLineEdit *second = builder->SQ[1];
        QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(second->width() - 4, second->height() / 2));
        QCoreApplication::processEvents();
        QVERIFY(second->hasFocus());
        QTest::keyClicks(second, QStringLiteral("Virtus"));
        QCOMPARE(second->text(), QStringLiteral("Virtus"));
        QTest::keyClick(second, Qt::Key_Tab);
        QVERIFY(builder->SQ[2]->hasFocus());
        QTest::keyClicks(builder->SQ[2], QStringLiteral("Libertas"));
        QCOMPARE(builder->SQ[2]->text(), QStringLiteral("Libertas"));
        builder->hide();
    }

    // Escape (pressed to dismiss a list) and the close box answered No keep everything; the close
    // box answered Yes discards the championship. The question has No as its default button.
    void noChampionshipLostToOneKey()
    {
        componi([&] {
            scegliColMouse(1, QStringLiteral("Alfa"));
            QTest::keyClick(composer->Box[0], Qt::Key_Escape);
            QTest::keyClick(composer, Qt::Key_Escape);
            QVERIFY(composer->isVisible());
            QCOMPARE(program->boxes.count(), 0);

            program->boxes.setNextAnswer(false);
            QVERIFY(!composer->close());
            QVERIFY(composer->isVisible());
            QCOMPARE(program->boxes.count(), 1);
            const Messaggio domanda = program->boxes.last();
            QVERIFY(domanda.siNo && domanda.noPredefinito);
            QVERIFY(domanda.testo.endsWith(QStringLiteral("Abbandonare il calendario?")));
            QVERIFY(QFile::exists(program->folder.file(QStringLiteral("squadre.db"))));
            QCOMPARE(main.ended, 0);
            // Still usable where the user left it.
            scegliColMouse(2, QStringLiteral("Beta"));

            program->boxes.setNextAnswer(true);
            QVERIFY(composer->close());
        });
        QCOMPARE(program->boxes.last().testo,
                 QStringLiteral("Il calendario non è stato compilato completamente, perciò "
                                "verrà rimosso e il programma verrà chiuso."));
        QVERIFY(!QFile::exists(program->folder.file(QStringLiteral("squadre.db"))));
        QCOMPARE(main.ended, 1);
    }

private:
    // Stores the teams and shows the composer as a real window, then runs the user's moves.
    void componi(const std::function<void()> &mosse)
    {
        setModalBackend([&](QDialog &d) -> int {
            if (&d != composer)
                return 0;
            composer->show();
            composer->activateWindow();
            if (!QTest::qWaitForWindowActive(composer)) {
                QTest::qFail("the composer did not become the active window", __FILE__, __LINE__);
                return 0;
            }
            mosse();
            composer->hide();
            return composer->result();
        });
        builder->BTMsquadreClick();
    }

    // A click on box k opens its list; a click on the team in the list chooses it.
    void scegliColMouse(int k, const QString &squadra)
    {
        QComboBox *box = composer->Box[k - 1];
        QVERIFY2(box->isEnabled(), qPrintable(box->objectName()));
        // Under a window system the previous list's closing and the focus moves arrive as events
        // of their own: let them land before the next click, as they would before a hand moves.
        QCoreApplication::processEvents();
        QAbstractItemView *view = box->view();
        // Under a window manager on a busy machine the list's window may show a little after the
        // click, and now and then a synthetic click reaches the box as a replay of the previous
        // list's closing, not as the user's own press, and opens nothing (clicks from the real
        // pointer always do): wait for the list to show, and click again, as the user would.
        for (int prova = 0; prova < 5 && !view->isVisible(); ++prova) {
            QCoreApplication::processEvents();
            QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
            if (QTest::qWaitFor([view] { return view->isVisible(); }, 500))
                break;
        }
        QVERIFY2(view->isVisible(), qPrintable(box->objectName()));
        const int riga = box->findText(squadra);
        QVERIFY2(riga >= 0, qPrintable(squadra));
        const QPoint punto = view->visualRect(view->model()->index(riga, 0)).center();
        // The pointer travels to the team before the click, as a hand does (moves given to the
        // list's window as the window system gives them, not by warping the screen's pointer).
        QWidget *lista = view->viewport()->window();
        for (const QPoint &p : {punto - QPoint(0, 12), punto})
            QTest::mouseMove(lista->windowHandle(), view->viewport()->mapTo(lista, p));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, punto);
        QVERIFY2(!view->isVisible(), qPrintable(box->objectName()));
        QCOMPARE(box->currentText(), squadra);
    }

    std::unique_ptr<TestProgram> program;
    FakeMain main;
    TFrmCalendario *builder = nullptr;
    TFrmGiornata *composer = nullptr;
};

QTEST_MAIN(TestCompositore)
#include "test_compositore.moc"
