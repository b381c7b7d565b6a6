// The import form: the nine tables listed for a folder, the import confirmed or declined, a table
// open elsewhere, a folder without Paradox tables, the end of the program after an import, and the
// ways out with the focus in the folder field.
#include "core/cartella.h"
#include "custodia_prova.h"
#include "stagioneparadox.h"
#include "store/database.h"
#include "store/consegnatabelle.h"
#include "store/verificatabella.h"
#include "support/campionato.h"
#include "support/testprogram.h"
#include "ui/finestraprincipale.h"
#include "utilities/frmimportaparadox.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {
const QString Conferma = QStringLiteral("Le tabelle attuali verranno sostituite da quelle trovate nella cartella "
                                        "scelta (quelle assenti restano come sono), si intende continuare?");
const QString Fine = QStringLiteral("Dopo ogni importazione è necessario uscire dal programma e rientrare, la "
                                    "procedura si autoterminerà.");

struct Principale : InterfacciaPrincipale {
    Principale() { ImpostaFinestraPrincipale(this); }
    ~Principale() override { ImpostaFinestraPrincipale(nullptr); }
    void AbilitaMenuCalendario() override {}
    void DisabilitaMenuCalendario() override {}
    void MostraModuloRotazioni() override {}
    void TerminaProgramma() override { ++terminato; }
    int terminato = 0;
};

QStringList voci(QObject *form)
{
    auto *lista = form->findChild<QListWidget *>(QStringLiteral("ListBoxTabelle"));
    QStringList v;
    for (int i = 0; i < lista->count(); ++i)
        v << lista->item(i)->text();
    return v;
}

QPushButton *bottone(QObject *f, const char *n) { return f->findChild<QPushButton *>(QLatin1String(n)); }
} // namespace

class TestFrmImportaParadox : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;
    std::unique_ptr<QTemporaryDir> origine;

private slots:
    void init()
    {
        program = std::make_unique<TestProgram>();
        origine = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        program.reset();
        origine.reset();
    }

    void aFolderFoundIsListedAndImportedThenTheProgramEnds()
    {
        ScriviStagioneParadox(origine->path(), 8);
        QVERIFY(QFile::remove(origine->filePath(QStringLiteral("rt_formazioni.db"))));
        Principale principale;
        {
            TFrmImportaParadox form;
            QVERIFY(!bottone(&form, "ButtonImporta")->isEnabled());
            form.ImpostaCartella(origine->path());
            const QStringList righe = voci(&form);
            QCOMPARE(righe.size(), 10);
            QCOMPARE(righe[0], QStringLiteral("tabexport.db: 2 righe, campi corrispondenti"));
            QCOMPARE(righe[1], QStringLiteral("giornate.db: 14 righe, campi corrispondenti"));
            QCOMPARE(righe[4], QStringLiteral("lingua.db: non viene importata (le traduzioni sono quelle del programma)"));
            QCOMPARE(righe[8], QStringLiteral("rt_formazioni.db: assente, resta com'è"));
            QCOMPARE(righe[9], QStringLiteral("date_giornate.db: assente, le giornate importate restano senza date"));
            QVERIFY(bottone(&form, "ButtonImporta")->isEnabled());
            program->boxes.setNextAnswer(true);
            bottone(&form, "ButtonImporta")->click();
            QCOMPARE(program->boxes.texts(), QStringList{Conferma});
            QVERIFY(form.riuscito());
            QVERIFY(!form.findChild<QLabel *>(QStringLiteral("LabelDone"))->isHidden());
            QVERIFY(!bottone(&form, "ButtonImporta")->isEnabled());
            QCOMPARE(principale.terminato, 0);
        }
        QCOMPARE(program->boxes.last().testo, Fine);
        QCOMPARE(principale.terminato, 1);
        QCOMPARE(prova::squadre().size(), 8);
        QCOMPARE(prova::squadre().first(), QStringLiteral("L'Aquila Volley"));
    }

    void answeringNoOrATableInUseImportsNothing()
    {
        prova::aggiungiSquadre({QStringLiteral("Attuale")});
        ScriviStagioneParadox(origine->path(), 6);
        Principale principale;
        {
            TFrmImportaParadox form;
            form.ImpostaCartella(origine->path());
            program->boxes.setNextAnswer(false);
            form.ButtonImportaClick();
            QVERIFY(!form.riuscito());
            QCOMPARE(prova::squadre(), QStringList{"Attuale"});

            store::Table aperta(QStringLiteral("squadre.db"));
            aperta.open();
            program->boxes.setNextAnswer(true);
            form.ButtonImportaClick();
            QCOMPARE(program->boxes.last().testo, store::MessaggioTabelleInUso);
            QVERIFY(!form.riuscito());
        }
        QCOMPARE(principale.terminato, 0);
        QCOMPARE(prova::squadre(), QStringList{"Attuale"});
    }

    void aFolderWithoutParadoxTablesOrWithADamagedOneOffersNothingOrRefuses()
    {
        TFrmImportaParadox form;
        form.ImpostaCartella(origine->path());
        QVERIFY(!bottone(&form, "ButtonImporta")->isEnabled());
        QVERIFY(voci(&form).first().endsWith(QStringLiteral("assente, resta com'è")));
        // Our own tables in a folder are not Paradox tables.
        store::Database::shutdown();
        QVERIFY(QFile::copy(CartellaProgramma() + QStringLiteral("squadre.db"), origine->filePath(QStringLiteral("squadre.db"))));
        form.ImpostaCartella(origine->path());
        QCOMPARE(voci(&form)[2], QStringLiteral("squadre.db: il file non è una tabella Paradox"));
        QVERIFY(!bottone(&form, "ButtonImporta")->isEnabled());

        // With one Paradox table beside it, the import is offered and refused naming the other file.
        ScriviStagioneParadox(origine->path(), 6);
        QVERIFY(QFile::remove(origine->filePath(QStringLiteral("Class.db"))));
        QVERIFY(QFile::copy(CartellaProgramma() + QStringLiteral("Class.db"), origine->filePath(QStringLiteral("Class.db"))));
        form.ImpostaCartella(origine->path());
        QVERIFY(bottone(&form, "ButtonImporta")->isEnabled());
        const auto prima = prova::contenuto(CartellaProgramma() + QStringLiteral("giornate.db"));
        program->boxes.setNextAnswer(true);
        form.ButtonImportaClick();
        QVERIFY(!form.riuscito());
        QVERIFY(program->boxes.last().testo.contains(origine->filePath(QStringLiteral("Class.db"))));
        store::Database::shutdown();
        QCOMPARE(prova::contenuto(CartellaProgramma() + QStringLiteral("giornate.db")), prima);
    }

    void theWaysOutCloseTheFormWithTheFocusInTheFolderField()
    {
        ScriviStagioneParadox(origine->path(), 6);
        for (int via = 0; via < 3; ++via) {
            TFrmImportaParadox form;
            form.show();
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            form.ImpostaCartella(origine->path());
            auto *campo = form.findChild<QLineEdit *>(QStringLiteral("EditCartella"));
            campo->setFocus();
            QTest::mouseClick(campo, Qt::LeftButton);
            if (via == 0)
                QTest::mouseClick(bottone(&form, "sbEsci"), Qt::LeftButton);
            else if (via == 1)
                QTest::keyClick(campo, Qt::Key_Escape);
            else
                form.close();
            QVERIFY(!form.isVisible());
            QVERIFY(!form.riuscito());
        }
        QCOMPARE(program->boxes.count(), 0);
    }
};

QTEST_MAIN(TestFrmImportaParadox)
#include "test_frmimportaparadox.moc"
