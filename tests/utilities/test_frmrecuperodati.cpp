// The restore form: the folder list chosen by name, the detail line, a restore of the nine tables
// that ends the program when the form closes, all or nothing when a file is damaged, foreign or
// cannot be put in place, a table open elsewhere, and the deletion of a backup by its name only.
#include "core/cartella.h"
#include "core/copiaatomica.h"
#include "utilities/recuperotabelle.h"
#include "custodia_prova.h"
#include "store/consegnatabelle.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/verificatabella.h"
#include "support/testprogram.h"
#include "ui/finestraprincipale.h"
#include "utilities/cartellebackup.h"
#include "utilities/frmrecuperodati.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {
const QString NonValida = QStringLiteral("Nessuna cartella selezionata o cartella selezionata non valida.");
const QString Fine = QStringLiteral(
    "Dopo ogni recupero dati è necessario uscire dal programma e rientrare, la procedura si autoterminerà.");

struct Principale : InterfacciaPrincipale {
    Principale() { ImpostaFinestraPrincipale(this); }
    ~Principale() override { ImpostaFinestraPrincipale(nullptr); }
    void AbilitaMenuCalendario() override {}
    void DisabilitaMenuCalendario() override {}
    void MostraModuloRotazioni() override {}
    void TerminaProgramma() override { ++terminato; }
    int terminato = 0;
};

// Copies the nine tables into backup/<nome>, as a backup of that day would.
void faiBackup(const QString &nome)
{
    store::Database::shutdown();
    QDir().mkpath(CartellaBackup() + nome);
    for (const QString &t : store::NomiTabelle())
        QVERIFY(QFile::copy(CartellaProgramma() + t, CartellaBackup() + nome + QLatin1Char('/') + t));
}

void scegli(QObject *form, const QString &voce)
{
    auto *lista = form->findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"));
    const QList<QListWidgetItem *> trovate = lista->findItems(voce, Qt::MatchExactly);
    if (trovate.isEmpty())
        qFatal("no entry %s", qPrintable(voce));
    lista->setCurrentItem(trovate.first());
}

QHash<QString, QByteArray> tabelleVive()
{
    store::Database::shutdown();
    QHash<QString, QByteArray> t;
    for (const QString &n : store::NomiTabelle())
        t.insert(n, prova::contenuto(CartellaProgramma() + n));
    return t;
}
} // namespace

namespace {
// Hidden files of the program folder other than the engine's own connection file: a restore leaves none.
QStringList avanzi()
{
    QStringList nascosti = QDir(CartellaProgramma()).entryList({QStringLiteral(".*.*")}, QDir::Files | QDir::Hidden);
    nascosti.removeAll(QLatin1String(store::MainFileName));
    if (QFileInfo::exists(CartellaProgramma() + QLatin1String(SegnoRecuperoInCorso)))
        nascosti << QLatin1String(SegnoRecuperoInCorso);
    return nascosti;
}
} // namespace

class TestFrmRecuperoDati : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

    static QPushButton *bottone(QObject *f, const char *n) { return f->findChild<QPushButton *>(QLatin1String(n)); }
    static QLabel *label(QObject *f, const char *n) { return f->findChild<QLabel *>(QLatin1String(n)); }

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    // The list offers the backups only: never "." or "..", so that "Elimina" can never reach the
    // backup folder itself or the program folder.
    void theListOffersBackupsOnly()
    {
        {
            TFrmRecuperoDati vuota;
            QCOMPARE(vuota.findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"))->count(), 0);
            QCOMPARE(label(&vuota, "LabelDettaglioBackup")->text(), QStringLiteral("Nessun dettaglio."));
            QVERIFY(!bottone(&vuota, "ButtonOk")->isEnabled());
            QVERIFY(!bottone(&vuota, "ButtonElimina")->isEnabled());
        }
        faiBackup(QStringLiteral("20240305"));
        QDir(CartellaBackup()).mkdir(QStringLiteral("altro"));
        TFrmRecuperoDati form;
        auto *lista = form.findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"));
        QStringList voci;
        for (int i = 0; i < lista->count(); ++i)
            voci << lista->item(i)->text();
        QCOMPARE(voci, QStringList{"[20240305]"});
        QVERIFY(!bottone(&form, "ButtonElimina")->isEnabled());
        // Pressed with nothing chosen, "Elimina" deletes nothing.
        program->boxes.setDefaultAnswer(true);
        form.ButtonEliminaClick();
        QVERIFY(QFileInfo(CartellaBackup() + QStringLiteral("20240305")).isDir());
        QVERIFY(QFileInfo(CartellaBackup()).isDir());
        QVERIFY(QFileInfo::exists(CartellaProgramma() + QStringLiteral("giornate.db")));
    }

    void aRestoreBringsTheTablesBackAndEndsTheProgramOnClosing()
    {
        prova::aggiungiSquadre({QStringLiteral("L'Aquila"), QStringLiteral("Beta")});
        faiBackup(QStringLiteral("20240305"));
        prova::scrivi(CartellaBackup() + QStringLiteral("20240305/rotaset"), "il programma");
        prova::scrivi(CartellaBackup() + QStringLiteral("20240305/squadre.pas"), "sorgente");
        const auto salvate = tabelleVive();
        prova::aggiungiSquadre({QStringLiteral("Dopo il backup")});
        prova::scrivi(CartellaProgramma() + QStringLiteral("nuova.db"), "creata dopo");
        // A journal left by the live table must never be played back into the restored one.
        store::Database::shutdown();
        prova::scrivi(CartellaProgramma() + QStringLiteral("squadre.db-journal"), QByteArray(2048, 'j'));
        Principale principale;
        {
            TFrmRecuperoDati form;
            scegli(&form, QStringLiteral("[20240305]"));
            QCOMPARE(label(&form, "LabelDettaglioBackup")->text(),
                     QStringLiteral("Backup del 05/03/2024 - File presenti: 12"));
            QVERIFY(bottone(&form, "ButtonOk")->isEnabled());
            program->boxes.setNextAnswer(true);
            form.ButtonOkClick();
            QVERIFY(form.riuscito());
            QCOMPARE(form.copiati(), 10);
            QCOMPARE(form.nonCopiati(), 0);
            QVERIFY(!label(&form, "LabelDone")->isHidden());
            QCOMPARE(principale.terminato, 0); // the form stays open
        }
        QCOMPARE(program->boxes.last().testo, Fine);
        QCOMPARE(principale.terminato, 1);
        QCOMPARE(tabelleVive(), salvate);
        QVERIFY(!QFile::exists(CartellaProgramma() + QStringLiteral("rotaset")));
        QVERIFY(!QFile::exists(CartellaProgramma() + QStringLiteral("squadre.pas")));
        QVERIFY(QFile::exists(CartellaProgramma() + QStringLiteral("nuova.db"))); // left as it was
        QVERIFY(!QFile::exists(CartellaProgramma() + QStringLiteral("squadre.db-journal")));
        QCOMPARE(prova::squadre(), (QStringList{"L'Aquila", "Beta"}));
        prova::aggiungiSquadre({QStringLiteral("Ancora")}); // the restored file is written normally
        // No temporary or safety copy left behind.
        QCOMPARE(avanzi(), QStringList());
    }

    void aTableWhoseNameDiffersInCaseReplacesTheLiveOne()
    {
        prova::aggiungiSquadre({QStringLiteral("Salvata")});
        faiBackup(QStringLiteral("20240305"));
        const QString cartella = CartellaBackup() + QStringLiteral("20240305/");
        QVERIFY(QFile::rename(cartella + QStringLiteral("squadre.db"), cartella + QStringLiteral("SQUADRE.DB")));
        // A second copy under another case is passed over, never swapped in after the first.
        prova::scrivi(cartella + QStringLiteral("Squadre.db"), "non una tabella");
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        TFrmRecuperoDati form;
        scegli(&form, QStringLiteral("[20240305]"));
        program->boxes.setNextAnswer(true);
        form.ButtonOkClick();
        QVERIFY(form.riuscito());
        QCOMPARE(form.copiati(), 10);
        QVERIFY(!QFileInfo::exists(CartellaProgramma() + QStringLiteral("SQUADRE.DB")));
        QCOMPARE(prova::squadre(), QStringList{"Salvata"});
    }

    void answeringNoRestoresNothingAndDoesNotEndTheProgram()
    {
        faiBackup(QStringLiteral("20240305"));
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        Principale principale;
        {
            TFrmRecuperoDati form;
            scegli(&form, QStringLiteral("[20240305]"));
            program->boxes.setNextAnswer(false);
            form.ButtonOkClick();
            QVERIFY(!form.riuscito());
        }
        QCOMPARE(principale.terminato, 0);
        QCOMPARE(prova::squadre(), QStringList{"Dopo"});
    }

    void aDamagedOrForeignTableRestoresNothingAndNamesTheFile()
    {
        prova::aggiungiSquadre(prova::molteSquadre(400));
        faiBackup(QStringLiteral("20240305"));
        const QString rotta = CartellaBackup() + QStringLiteral("20240305/squadre.db");
        prova::danneggia(rotta);
        prova::scrivi(CartellaBackup() + QStringLiteral("20240305/Class.db"), "non una tabella");
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        const auto prima = tabelleVive();
        Principale principale;
        {
            TFrmRecuperoDati form;
            scegli(&form, QStringLiteral("[20240305]"));
            program->boxes.setNextAnswer(true);
            form.ButtonOkClick();
            QVERIFY(!form.riuscito());
            QCOMPARE(form.copiati(), 0);
            QCOMPARE(form.nonCopiati(), 2);
            QVERIFY(label(&form, "LabelDone")->isHidden());
        }
        QVERIFY(program->boxes.last().testo.contains(rotta));
        QVERIFY(program->boxes.last().testo.contains(CartellaBackup() + QStringLiteral("20240305/Class.db")));
        QCOMPARE(principale.terminato, 0);
        QCOMPARE(tabelleVive(), prima);
    }

    void aFailureWhileSwappingPutsEveryTableBack()
    {
        prova::aggiungiSquadre({QStringLiteral("Prima")});
        faiBackup(QStringLiteral("20240305"));
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        const auto prima = tabelleVive();
        const QList<QPair<QString, int>> guasti = {{QStringLiteral("recupero: copiata accanto"), 4},
                                                   {QStringLiteral("recupero: segno scritto"), 1},
                                                   {QStringLiteral("recupero: tabella messa da parte"), 4},
                                                   {QStringLiteral("recupero: tabella sostituita"), 4}};
        for (const auto &[passo, quando] : guasti) {
            int visti = 0;
            QStringList senzaTabella;
            store::Database::faultHook() = [&](const QString &s) {
                // Whenever the restore could stop, every table name holds a complete table.
                for (const QString &t : store::NomiTabelle())
                    if (!store::VerificaTabella(CartellaProgramma() + t).valida)
                        senzaTabella << s + QStringLiteral(": ") + t;
                if (s == passo && ++visti == quando)
                    throw store::EngineError(QStringLiteral("interrotto"));
                if (s == QLatin1String("recupero: annullamento")) // a second failure never stops the undoing
                    throw store::EngineError(QStringLiteral("ancora"));
            };
            TFrmRecuperoDati form;
            scegli(&form, QStringLiteral("[20240305]"));
            program->boxes.setNextAnswer(true);
            form.ButtonOkClick();
            store::Database::faultHook() = nullptr;
            QVERIFY2(!form.riuscito(), qPrintable(passo));
            QCOMPARE(senzaTabella, QStringList());
            QVERIFY(program->boxes.last().testo.startsWith(QStringLiteral("Errore durante la copia del file")));
            QCOMPARE(tabelleVive(), prima);
            QCOMPARE(avanzi(), QStringList());
        }
        QCOMPARE(prova::squadre(), (QStringList{"Prima", "Dopo"}));
    }

    // Once every table is in place the restore has succeeded: stopped while tidying up, it says so,
    // and the next start removes what is left.
    void aFailureWhileTidyingUpIsFinishedAtTheNextStart()
    {
        prova::aggiungiSquadre({QStringLiteral("Prima")});
        faiBackup(QStringLiteral("20240305"));
        const auto salvate = tabelleVive();
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        int visti = 0;
        store::Database::faultHook() = [&](const QString &s) {
            if (s == QLatin1String("recupero: copia di sicurezza rimossa") && ++visti == 3)
                throw store::EngineError(QStringLiteral("interrotto"));
        };
        {
            TFrmRecuperoDati form;
            scegli(&form, QStringLiteral("[20240305]"));
            program->boxes.setNextAnswer(true);
            form.ButtonOkClick();
            store::Database::faultHook() = nullptr;
            QVERIFY(form.riuscito());
            QCOMPARE(form.copiati(), 10);
            QCOMPARE(program->boxes.count(), 1); // the question only
        }
        QCOMPARE(tabelleVive(), salvate);
        QVERIFY(!avanzi().isEmpty());
        QVERIFY(CompletaRecuperoInterrotto(CartellaProgramma()));
        QCOMPARE(avanzi(), QStringList());
        QCOMPARE(tabelleVive(), salvate);
    }

    void aTemporaryNameTakenByAFolderChangesNothing()
    {
        faiBackup(QStringLiteral("20240305"));
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        const auto prima = tabelleVive();
        QVERIFY(QDir(CartellaProgramma()).mkdir(QStringLiteral(".rt_squadre.db.recupero")));
        TFrmRecuperoDati form;
        scegli(&form, QStringLiteral("[20240305]"));
        program->boxes.setNextAnswer(true);
        form.ButtonOkClick();
        QVERIFY(!form.riuscito());
        QCOMPARE(program->boxes.last().testo.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("Errore durante la copia del file \"%1\"").arg(CartellaProgramma() + QStringLiteral("rt_squadre.db")));
        QCOMPARE(tabelleVive(), prima);
    }

    void aTableOpenElsewhereStopsTheRestore()
    {
        faiBackup(QStringLiteral("20240305"));
        store::Table aperta(QStringLiteral("squadre.db"));
        aperta.open();
        TFrmRecuperoDati form;
        scegli(&form, QStringLiteral("[20240305]"));
        program->boxes.setNextAnswer(true);
        form.ButtonOkClick();
        QCOMPARE(program->boxes.last().testo, store::MessaggioTabelleInUso);
        QVERIFY(!form.riuscito());
    }

    void aBackupThatCannotBeDeletedIsTold()
    {
        QVERIFY(QDir().mkpath(CartellaBackup() + QStringLiteral("20240305")));
        const QString bloccato = CartellaBackup() + QStringLiteral("20240305/giornate.db");
        prova::scrivi(bloccato, "x");
        // Root removes read-only files: an immutable file is what stops the deletion here.
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), bloccato}) != 0)
            QSKIP("the file system cannot make a file immutable");
        TFrmRecuperoDati form;
        scegli(&form, QStringLiteral("[20240305]"));
        program->boxes.setNextAnswer(true);
        form.ButtonEliminaClick();
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), bloccato});
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Impossibile eliminare la cartella, file in uso?"));
        QCOMPARE(label(&form, "LabelDettaglioBackup")->text(), QStringLiteral("Nessun dettaglio"));
        QVERIFY(!bottone(&form, "ButtonOk")->isEnabled());
        QVERIFY(QFileInfo::exists(bloccato));
    }

    void deletionGoesByTheEntrysNameNeverItsPlace()
    {
        QVERIFY(CreaCartellaBackup());
        QDir backup(CartellaBackup());
        backup.mkdir(QStringLiteral("20240301"));
        backup.mkdir(QStringLiteral("20240305"));
        // Outside the backup folder: a linked backup entry and a link inside a backup lead here.
        QDir(CartellaProgramma()).mkdir(QStringLiteral("fuori"));
        prova::scrivi(CartellaProgramma() + QStringLiteral("fuori/prezioso"), "da non perdere");
        QVERIFY(QFile::link(CartellaProgramma() + QStringLiteral("fuori"), CartellaBackup() + QStringLiteral("collegata")));
        QVERIFY(QFile::link(CartellaProgramma() + QStringLiteral("fuori"), CartellaBackup() + QStringLiteral("20240301/dentro")));
        prova::scrivi(CartellaBackup() + QStringLiteral("20240301/giornate.db"), "x");

        TFrmRecuperoDati form;
        QVERIFY(form.findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"))->findItems(QStringLiteral("[collegata]"), Qt::MatchExactly).isEmpty());
        program->boxes.setDefaultAnswer(true);
        form.ButtonEliminaClick(); // nothing chosen
        QCOMPARE(program->boxes.last().testo, NonValida);
        QVERIFY(QFileInfo::exists(CartellaProgramma() + QStringLiteral("fuori/prezioso")));
        QVERIFY(QFileInfo(CartellaBackup()).isDir());

        scegli(&form, QStringLiteral("[20240301]"));
        QVERIFY(bottone(&form, "ButtonElimina")->isEnabled());
        form.ButtonEliminaClick();
        QVERIFY(!QFileInfo::exists(CartellaBackup() + QStringLiteral("20240301")));
        QVERIFY(QFileInfo::exists(CartellaProgramma() + QStringLiteral("fuori/prezioso")));
        QVERIFY(QFileInfo::exists(CartellaBackup() + QStringLiteral("20240305")));
        QVERIFY(!bottone(&form, "ButtonOk")->isEnabled());
        QVERIFY(!bottone(&form, "ButtonElimina")->isEnabled());
        QCOMPARE(form.findChild<QListWidget *>(QStringLiteral("ListBoxFile"))->count(), 0);
        QCOMPARE(label(&form, "LabelDettaglioBackup")->text(), QStringLiteral("Nessun dettaglio"));
        auto *lista = form.findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"));
        QVERIFY(lista->findItems(QStringLiteral("[+old]"), Qt::MatchExactly).isEmpty());
        // Nothing selected any more: Elimina refuses.
        form.ButtonEliminaClick();
        QCOMPARE(program->boxes.last().testo, NonValida);
    }
};

QTEST_MAIN(TestFrmRecuperoDati)
#include "test_frmrecuperodati.moc"
