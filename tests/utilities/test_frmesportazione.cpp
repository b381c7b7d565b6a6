// The export form driven by its component names: a query built by double clicks and run, the text
// and spreadsheet exports read back from disk, the presets saved, changed, loaded and deleted,
// the refusals of bad input, the progress during an export and the English captions.
#include "letturaxlsx.h"
#include "store/query.h"
#include "store/table.h"
#include "support/recordingshell.h"
#include "support/testprogram.h"
#include "ui/dbgrid.h"
#include "ui/inputbox.h"
#include "ui/modale.h"
#include "ui/radiogroup.h"
#include "utilities/frmesportazionetabelle.h"
#include "utilities/inputdate.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>
#include <QtTest>
#include <memory>

using store::Table;

namespace {
const QString DatiNonCorretti = QStringLiteral("Dati non corretti, correggere la situazione e ripetere l'operazione!");
const QString TabellaChiusa = QStringLiteral(
    "Tabella chiusa, scegliere un modello da esportare e premere su esegui per attivare la tabella.");
const QString MoltiDati = QStringLiteral("L'archivio che si è richiesto di esportare contiene molti dati, l'operazione "
                                         "richiederà alcuni minuti di tempo...");

template <typename T> T *figlio(QWidget *form, const char *nome)
{
    T *w = form->findChild<T *>(QLatin1String(nome));
    if (!w)
        qFatal("no control %s", nome);
    return w;
}

void aggiungiSquadra(const QString &nome, int punti, const QVariant &riposo = QVariant())
{
    Table t(QStringLiteral("Class.db"));
    t.open();
    t.append();
    t.fieldByName(QStringLiteral("Squadre")).setAsString(nome);
    t.fieldByName(QStringLiteral("Punti")).setAsInteger(punti);
    t.fieldByName(QStringLiteral("SetV")).setAsInteger(punti / 3);
    t.fieldByName(QStringLiteral("SetP")).setAsInteger(1);
    t.fieldByName(QStringLiteral("SetG")).setAsInteger(punti / 3 + 1);
    t.fieldByName(QStringLiteral("Riposo")).setValue(riposo);
    t.post();
}

int righe(const QString &sql)
{
    store::Query q(sql);
    q.open();
    return q.recordCount();
}

void imposta(QWidget *form, const char *memo, const QString &testo)
{
    figlio<QPlainTextEdit>(form, memo)->setPlainText(testo);
}

void scegliTabella(QWidget *form, const QString &tabella)
{
    auto *lista = figlio<QListWidget>(form, "LBTableName");
    const auto trovate = lista->findItems(tabella, Qt::MatchExactly);
    QVERIFY2(!trovate.isEmpty(), qPrintable(tabella));
    lista->setCurrentItem(trovate.first());
}

void doppioClic(QWidget *form, const QString &campo)
{
    auto *lista = figlio<QListWidget>(form, "LBFieldName");
    const auto trovati = lista->findItems(campo, Qt::MatchExactly);
    QVERIFY2(!trovati.isEmpty(), qPrintable(campo));
    lista->setCurrentItem(trovati.first());
    emit lista->itemDoubleClicked(trovati.first());
}

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestFrmEsportazione : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> programma;
    std::unique_ptr<TfrmEsportazioneTabelle> form;
    QString uscita; // a folder outside the program folder for the exported files
    QTemporaryDir cartellaUscita;

    ScriptedMessages &boxes() { return programma->boxes; }
    QWidget *f() { return form.get(); }

    // An export table without the ready presets, as one from before them.
    void senzaModelli()
    {
        form.reset();
        {
            Table t(QStringLiteral("tabexport.db"));
            t.open();
            t.first();
            while (!t.isEmpty())
                t.remove();
        }
        nuovaForm();
    }

    void nuovaForm()
    {
        form.reset();
        form = std::make_unique<TfrmEsportazioneTabelle>();
    }

    // The standings as a ready query: all of Class.db by points, best first.
    void queryClassifica()
    {
        imposta(f(), "MemoCampi", QStringLiteral("*"));
        imposta(f(), "MemoDBSelected", QStringLiteral("\"Class.db\""));
        figlio<QLineEdit>(f(), "EditOrdinamento")->setText(QStringLiteral("\"Class.db\".\"Punti\" desc"));
        form->buttEseguiClick();
        QVERIFY(form->query()->isOpen());
    }

    void destinazione(int tipo, const QString &nome)
    {
        figlio<RadioGroup>(f(), "rgTIPO")->setItemIndex(tipo);
        figlio<QLineEdit>(f(), "EditEsportaPath")->setText(uscita);
        figlio<QLineEdit>(f(), "EditNomeFEsportaz")->setText(nome);
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        programma = std::make_unique<TestProgram>();
        uscita = cartellaUscita.path() + QLatin1Char('/');
        for (const QString &n : QDir(uscita).entryList(QDir::Files | QDir::Hidden))
            QFile::remove(uscita + n);
        nuovaForm();
    }
    void cleanup()
    {
        form.reset();
        setModalBackend(nullptr);
        setInputBoxBackend(nullptr);
        programma.reset();
    }

    void opensWithTheEditorClearAndTheDocumentsFolder()
    {
        QCOMPARE(form->size(), QSize(770, 720));
        QCOMPARE(figlio<QLineEdit>(f(), "EditNomeFEsportaz")->text(), QStringLiteral("Export.txt"));
        QCOMPARE(figlio<QLineEdit>(f(), "EdtNomeFoglioLavoro")->text(), QStringLiteral("Foglio n.1"));
        QVERIFY(!figlio<QLineEdit>(f(), "EditEsportaPath")->text().isEmpty());
        QCOMPARE(figlio<RadioGroup>(f(), "rgTIPO")->itemIndex(), -1);
        QCOMPARE(figlio<RadioGroup>(f(), "rgDestinaz")->itemIndex(), 0);
        QVERIFY(!figlio<QPushButton>(f(), "bbExport")->isEnabled());
        const QStringList tabelle = [&] {
            QStringList l;
            auto *lista = figlio<QListWidget>(f(), "LBTableName");
            for (int i = 0; i < lista->count(); ++i)
                l << lista->item(i)->text();
            return l;
        }();
        QVERIFY(tabelle.contains(QStringLiteral("Class.db")));
        QVERIFY(tabelle.contains(QStringLiteral("tabexport.db")));
        // Pressing Esporta with no type chosen.
        form->bbExportClick();
        QCOMPARE(boxes().last().testo, QStringLiteral("Non è stato selezionato nessun tipo di formato d'esportazione, "
                                                      "selezionarlo uno e riprovare."));
    }

    // At the size it opens, on a 1280 x 800 screen, every control lies inside the window's
    // visible client area, with the Italian captions and the wider English ones.
    void everyControlIsVisibleAtTheOpeningSize()
    {
        for (const char *lingua : {"Italiano", "English", "Français"}) {
            {
                Table t(QStringLiteral("impostazioni.db"));
                t.open();
                t.first();
                t.edit();
                t.fieldByName(QStringLiteral("LINGUA")).setAsString(QLatin1String(lingua));
                t.post();
            }
            nuovaForm();
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            QVERIFY2(form->width() <= 1280 && form->height() <= 760, lingua);
            auto *area = figlio<QScrollArea>(f(), "ScrollEsportazione");
            const QRect visibile(area->viewport()->mapTo(f(), QPoint(0, 0)), area->viewport()->size());
            QVERIFY(f()->rect().contains(visibile));
            int controlli = 0;
            for (QWidget *w : f()->findChildren<QWidget *>()) {
                if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) ||
                    !w->isVisibleTo(f()) || w == area)
                    continue;
                const QRect r(w->mapTo(f(), QPoint(0, 0)), w->size());
                QVERIFY2(visibile.contains(r), qPrintable(QStringLiteral("%1 %2 at %3,%4 %5x%6 outside %7x%8")
                                                              .arg(QLatin1String(lingua), w->objectName())
                                                              .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                                                              .arg(visibile.width()).arg(visibile.height())));
                QVERIFY2(r.width() > 0 && r.height() > 0, qPrintable(w->objectName()));
                ++controlli;
            }
            QVERIFY(controlli > 30);
        }
    }

    // A fresh program offers the standings and the calendar: chosen, run and exported at once;
    // being fixed, they are neither changed nor deleted.
    void theReadyPresetsRunAtOnce()
    {
        RecordingShell shell;
        aggiungiSquadra(QStringLiteral("L'Aquila"), 3);
        aggiungiSquadra(QStringLiteral("Beta"), 9);
        auto *modelli = figlio<QComboBox>(f(), "cbPreimpostati");
        QCOMPARE(modelli->count(), 2);
        QCOMPARE(modelli->itemText(0), QStringLiteral("Classifica"));
        QCOMPARE(modelli->itemText(1), QStringLiteral("Calendario"));

        form->cbPreimpostatiChange(0);
        QCOMPARE(figlio<QLineEdit>(f(), "EditNomeFEsportaz")->text(), QStringLiteral("Classifica.txt"));
        QVERIFY(!figlio<QLineEdit>(f(), "EditEsportaPath")->text().isEmpty());
        QCOMPARE(figlio<RadioGroup>(f(), "rgTIPO")->itemIndex(), 0);
        figlio<QPushButton>(f(), "buttEsegui")->click();
        QCOMPARE(boxes().count(), 0);
        QAbstractItemModel *griglia = figlio<DBGrid>(f(), "DBGrid1")->model();
        QCOMPARE(griglia->rowCount(), 2);
        QCOMPARE(griglia->index(0, 0).data().toString(), QStringLiteral("Beta")); // best first
        figlio<QLineEdit>(f(), "EditEsportaPath")->setText(uscita);
        figlio<QPushButton>(f(), "bbExport")->click();
        QCOMPARE(boxes().count(), 0);
        QVERIFY(contenuto(uscita + QStringLiteral("Classifica.txt")).startsWith("Beta"));

        // Neither changed nor deleted.
        form->Button4Click();
        QCOMPARE(boxes().last().testo, QStringLiteral("Modello non impostato o non modificabile!"));
        form->buttEliminaClick();
        QCOMPARE(boxes().last().testo, QStringLiteral("Modello non impostato o non eliminabile!"));
        QCOMPARE(righe(QStringLiteral("select * from tabexport")), 2);

        // The calendar, as a workbook.
        boxes().clear();
        {
            Table g(QStringLiteral("giornate.db"));
            g.open();
            for (int n : {1, 2}) {
                g.append();
                g.fieldByName(QStringLiteral("Giornata")).setAsInteger(n);
                g.fieldByName(QStringLiteral("Squadra1")).setAsString(n == 1 ? QStringLiteral("L'Aquila") : QStringLiteral("Beta"));
                g.fieldByName(QStringLiteral("Squadra2")).setAsString(n == 1 ? QStringLiteral("Beta") : QStringLiteral("L'Aquila"));
                g.post();
            }
        }
        form->cbPreimpostatiChange(1);
        QCOMPARE(figlio<RadioGroup>(f(), "rgTIPO")->itemIndex(), 1);
        figlio<QPushButton>(f(), "buttEsegui")->click();
        QCOMPARE(griglia->rowCount(), 2);
        figlio<QLineEdit>(f(), "EditEsportaPath")->setText(uscita);
        figlio<QPushButton>(f(), "bbExport")->click();
        QCOMPARE(boxes().count(), 0);
        QCOMPARE(shell.urls.size(), 1);
        QCOMPARE(shell.urls.first().toLocalFile(), uscita + QStringLiteral("Calendario.xlsx"));
    }

    // A query the engine refuses says what the engine found wrong after the usual words.
    void aRefusedQueryNamesTheFault()
    {
        imposta(f(), "MemoCampi", QStringLiteral("\"Class.db\".\"Puntii\""));
        imposta(f(), "MemoDBSelected", QStringLiteral("\"Class.db\""));
        form->buttEseguiClick();
        QCOMPARE(boxes().count(), 1);
        QVERIFY(boxes().last().testo.startsWith(DatiNonCorretti + QLatin1Char('\n')));
        QVERIFY2(boxes().last().testo.contains(QStringLiteral("Puntii")), qPrintable(boxes().last().testo));
        QVERIFY(!form->query()->isOpen());
    }

    void aQueryIsBuiltByDoubleClicksAndRun()
    {
        aggiungiSquadra(QStringLiteral("Alfa"), 9);
        aggiungiSquadra(QStringLiteral("Beta"), 12);
        aggiungiSquadra(QStringLiteral("Gamma"), 3);
        scegliTabella(f(), QStringLiteral("Class.db"));
        auto *campi = figlio<QListWidget>(f(), "LBFieldName");
        QCOMPARE(campi->item(0)->text(), QStringLiteral("*"));
        QCOMPARE(campi->count(), 7);
        doppioClic(f(), QStringLiteral("Squadre"));
        doppioClic(f(), QStringLiteral("Punti"));
        figlio<RadioGroup>(f(), "rgDestinaz")->setItemIndex(3);
        doppioClic(f(), QStringLiteral("Punti"));
        figlio<RadioGroup>(f(), "rgDestinaz")->setItemIndex(1);
        doppioClic(f(), QStringLiteral("Punti"));
        QCOMPARE(figlio<QPlainTextEdit>(f(), "MemoCampi")->toPlainText(),
                 QStringLiteral("\"Class.db\".\"Squadre\", \"Class.db\".\"Punti\""));
        QCOMPARE(figlio<QPlainTextEdit>(f(), "MemoDBSelected")->toPlainText(), QStringLiteral("\"Class.db\""));
        QCOMPARE(figlio<QLineEdit>(f(), "EditOrdinamento")->text(), QStringLiteral("\"Class.db\".\"Punti\""));
        // The condition gets the field; the user completes it with an OR.
        auto *condizione = figlio<QPlainTextEdit>(f(), "MemoCondizione");
        QCOMPARE(condizione->toPlainText(), QStringLiteral(" \"Class.db\".\"Punti\""));
        condizione->setPlainText(condizione->toPlainText() + QStringLiteral(" > 5 OR \"Class.db\".\"Squadre\" = 'Gamma'"));

        form->buttEseguiClick();
        QCOMPARE(boxes().count(), 0);
        QVERIFY(figlio<QPushButton>(f(), "bbExport")->isEnabled());
        auto *griglia = figlio<DBGrid>(f(), "DBGrid1");
        QCOMPARE(griglia->model()->columnCount(), 2);
        QCOMPARE(griglia->model()->rowCount(), 3);
        QCOMPARE(griglia->model()->index(0, 0).data().toString(), QStringLiteral("Gamma"));
        QCOMPARE(griglia->model()->index(2, 0).data().toString(), QStringLiteral("Beta"));

        // A period on a field: a day that does not exist is refused, Annulla runs without a period,
        // both sides left open add nothing.
        figlio<QLineEdit>(f(), "EditData")->setText(QStringLiteral("\"Class.db\".\"Punti\""));
        QString inizio = QStringLiteral("31/02/2024"), fine;
        int risposta = QDialog::Accepted;
        setModalBackend([&](QDialog &d) {
            d.findChild<QLineEdit *>(QStringLiteral("EDdaData"))->setText(inizio);
            d.findChild<QLineEdit *>(QStringLiteral("EDaData"))->setText(fine);
            if (risposta == QDialog::Accepted)
                d.findChild<QPushButton *>(QStringLiteral("BTok"))->click();
            return risposta;
        });
        form->buttEseguiClick();
        QCOMPARE(boxes().last().testo, DatiNonCorretti);
        risposta = QDialog::Rejected;
        form->buttEseguiClick();
        QCOMPARE(griglia->model()->rowCount(), 3);
        risposta = QDialog::Accepted;
        inizio = QStringLiteral("01/01/1000");
        form->buttEseguiClick();
        QCOMPARE(form->query()->sql(),
                 QStringLiteral("SELECT \"Class.db\".\"Squadre\", \"Class.db\".\"Punti\" FROM \"Class.db\"  WHERE "
                                "(\"Class.db\".\"Punti\" > 5 OR \"Class.db\".\"Squadre\" = 'Gamma') ORDER BY "
                                "\"Class.db\".\"Punti\""));
        inizio = QStringLiteral("5/3/2024");
        form->buttEseguiClick();
        QVERIFY(form->query()->sql().contains(
            QStringLiteral("'Gamma') AND \"Class.db\".\"Punti\" >= \"03/05/2024\" ORDER BY")));

        // A preset with "*" still gathers new tables; squadre.db is not rt_squadre.db.
        form->buttClearClick();
        QVERIFY(!figlio<QPushButton>(f(), "bbExport")->isEnabled());
        figlio<RadioGroup>(f(), "rgDestinaz")->setItemIndex(0);
        scegliTabella(f(), QStringLiteral("rt_squadre.db"));
        doppioClic(f(), QStringLiteral("*"));
        scegliTabella(f(), QStringLiteral("squadre.db"));
        doppioClic(f(), QStringLiteral("Squadre"));
        QCOMPARE(figlio<QPlainTextEdit>(f(), "MemoCampi")->toPlainText(), QStringLiteral("*"));
        QCOMPARE(figlio<QPlainTextEdit>(f(), "MemoDBSelected")->toPlainText(),
                 QStringLiteral("\"rt_squadre.db\", \"squadre.db\""));
    }

    void whatIsNotOneReadOnlySelectIsRefusedAndChangesNothing()
    {
        aggiungiSquadra(QStringLiteral("Alfa"), 9);
        const QStringList tabelle = {
            QStringLiteral("\"Class.db\"; DELETE FROM \"Class.db\""),
            QStringLiteral("\"Class.db\"; ATTACH DATABASE 'spia.db' AS spia"),
            QStringLiteral("\"Class.db\"; PRAGMA writable_schema = 1"),
            QStringLiteral("\"Class.db\"; INSERT INTO \"Class.db\" (Punti) VALUES (1)"),
        };
        for (const QString &t : tabelle) {
            boxes().clear();
            imposta(f(), "MemoCampi", QStringLiteral("*"));
            imposta(f(), "MemoDBSelected", t);
            form->buttEseguiClick();
            QCOMPARE(boxes().count(), 1);
            QVERIFY(boxes().last().testo.startsWith(DatiNonCorretti + QLatin1Char('\n')));
            QVERIFY(!form->query()->isOpen());
            QVERIFY(!figlio<QPushButton>(f(), "bbExport")->isEnabled());
        }
        // A second statement hidden in the condition, after its parentheses.
        imposta(f(), "MemoDBSelected", QStringLiteral("\"Class.db\""));
        imposta(f(), "MemoCondizione", QStringLiteral("1 = 1); DELETE FROM \"Class.db\" WHERE (1 = 1"));
        form->buttEseguiClick();
        QVERIFY(boxes().last().testo.startsWith(DatiNonCorretti + QLatin1Char('\n')));
        QCOMPARE(righe(QStringLiteral("select * from Class")), 1);
        QVERIFY(!QFile::exists(programma->folder.file(QStringLiteral("spia.db"))));

        // A condition of blanks is no condition.
        boxes().clear();
        imposta(f(), "MemoCondizione", QStringLiteral("  \n  "));
        form->buttEseguiClick();
        QCOMPARE(boxes().count(), 0);
        QCOMPARE(figlio<DBGrid>(f(), "DBGrid1")->model()->rowCount(), 1);
    }

    void aTableOutsideTheProgramFolderIsRefused()
    {
        const QString fuori = QDir(programma->folder.path() + QStringLiteral("..")).absoluteFilePath(
            QStringLiteral("fuori_%1.db").arg(QCoreApplication::applicationPid()));
        QVERIFY(QFile::copy(programma->folder.file(QStringLiteral("Class.db")), fuori));
        imposta(f(), "MemoCampi", QStringLiteral("*"));
        imposta(f(), "MemoDBSelected", QStringLiteral("\"../%1\"").arg(QFileInfo(fuori).fileName()));
        form->buttEseguiClick();
        QFile::remove(fuori);
        QCOMPARE(boxes().count(), 1);
        QVERIFY(boxes().last().testo.startsWith(DatiNonCorretti + QLatin1Char('\n')));
        QVERIFY(!form->query()->isOpen());
    }

    void theTextExportWritesFixedWidthLines()
    {
        aggiungiSquadra(QStringLiteral("Città di Castello"), 12, true);
        aggiungiSquadra(QStringLiteral("Beta"), 3);
        queryClassifica();
        imposta(f(), "MemoFormattazione", QStringLiteral("Lunghezza Squadre = 10\nFormato SetG=%-3d"));
        destinazione(0, QStringLiteral("classifica.txt"));
        form->bbExportClick();
        QCOMPARE(boxes().count(), 0);
        const QByteArray testo = contenuto(uscita + QStringLiteral("classifica.txt"));
        const QByteArray attesa = QByteArray("            12Citt\xE0 di C             4             15  True \r\n"
                                             "             3Beta                   1             12       \r\n");
        QCOMPARE(testo, attesa);
        // The result stays: a second Esporta, to another file, needs no Esegui again.
        QVERIFY(form->query()->isOpen());
        figlio<QLineEdit>(f(), "EditNomeFEsportaz")->setText(QStringLiteral("ancora.txt"));
        form->bbExportClick();
        QCOMPARE(boxes().count(), 0);
        QCOMPARE(contenuto(uscita + QStringLiteral("ancora.txt")), attesa);
    }

    void theTextExportRefusesBadInputAndWritesNothing()
    {
        aggiungiSquadra(QStringLiteral("Alfa"), 9);
        queryClassifica();
        destinazione(0, QStringLiteral("uscita.txt"));

        imposta(f(), "MemoFormattazione", QStringLiteral("Formato Punti=%s%s%n"));
        form->bbExportClick();
        QVERIFY(boxes().last().testo.contains(QStringLiteral("campo Punti")));
        imposta(f(), "MemoFormattazione", QStringLiteral("Lunghezza Squadre=dieci"));
        form->bbExportClick();
        QVERIFY(boxes().last().testo.contains(QStringLiteral("Squadre")));
        imposta(f(), "MemoFormattazione", QString());

        figlio<QLineEdit>(f(), "EditNomeFEsportaz")->setText(QStringLiteral("../uscita.txt"));
        form->bbExportClick();
        QVERIFY(boxes().last().testo.startsWith(QStringLiteral("Il nome dell'archivio non può contenere")));

        // Onto one of our tables.
        const QByteArray classe = contenuto(programma->folder.file(QStringLiteral("Class.db")));
        figlio<QLineEdit>(f(), "EditEsportaPath")->setText(programma->folder.path());
        figlio<QLineEdit>(f(), "EditNomeFEsportaz")->setText(QStringLiteral("Class.db"));
        form->bbExportClick();
        QVERIFY(boxes().last().testo.startsWith(QStringLiteral("L'archivio non può essere scritto su una tabella")));
        QCOMPARE(contenuto(programma->folder.file(QStringLiteral("Class.db"))), classe);

        // A folder that does not exist; a folder where the file should be.
        figlio<QLineEdit>(f(), "EditEsportaPath")->setText(uscita + QStringLiteral("manca"));
        figlio<QLineEdit>(f(), "EditNomeFEsportaz")->setText(QStringLiteral("uscita.txt"));
        form->bbExportClick();
        QCOMPARE(boxes().last().testo, QStringLiteral("Non riesco a scrivere l'archivio nel percorso indicato! "
                                                      "Controllare e ripetere l'operazione."));
        QDir(uscita).mkdir(QStringLiteral("uscita.txt"));
        figlio<QLineEdit>(f(), "EditEsportaPath")->setText(uscita);
        form->bbExportClick();
        QCOMPARE(boxes().last().testo.left(26), QStringLiteral("Non riesco a scrivere l'ar"));
        QVERIFY(form->query()->isOpen()); // nothing was exported: the result is still there

        figlio<QLineEdit>(f(), "EditNomeFEsportaz")->clear();
        form->bbExportClick();
        QCOMPARE(boxes().last().testo, QStringLiteral("Definire il percorso ed il nome dell' archivio da esportare!"));
        QCOMPARE(QDir(uscita).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void theSpreadsheetExportWritesTheWorkbookAndOpensIt()
    {
        RecordingShell shell;
        aggiungiSquadra(QStringLiteral("=1+1"), 12, true);
        aggiungiSquadra(QStringLiteral("Beta"), 3);
        queryClassifica();
        destinazione(1, QStringLiteral("classifica.txt"));
        QVERIFY(!figlio<QLineEdit>(f(), "EdtNomeFoglioLavoro")->isHidden());
        QCOMPARE(figlio<QGroupBox>(f(), "gbNome")->title(), QStringLiteral("Nome foglio di lavoro"));

        figlio<QLineEdit>(f(), "EdtNomeFoglioLavoro")->setText(QStringLiteral("Classifica/2024"));
        form->bbExportClick();
        QVERIFY(boxes().last().testo.startsWith(QStringLiteral("Il nome del foglio di lavoro")));
        figlio<QLineEdit>(f(), "EdtNomeFoglioLavoro")->clear();
        form->bbExportClick();
        QCOMPARE(boxes().last().testo,
                 QStringLiteral("Definire il nome del foglio di excel dell' archivio da esportare!"));
        QCOMPARE(QDir(uscita).entryList(QDir::Files | QDir::Hidden), QStringList());

        boxes().clear();
        figlio<QLineEdit>(f(), "EdtNomeFoglioLavoro")->setText(QStringLiteral("Classifica 2024"));
        form->bbExportClick();
        QCOMPARE(boxes().count(), 0);
        const QString percorso = uscita + QStringLiteral("classifica.xlsx");
        QCOMPARE(shell.urls.size(), 1);
        QCOMPARE(shell.urls.first().toLocalFile(), percorso);
        QVERIFY(form->query()->isOpen());

        const CartellaLetta x = LeggiCartella(percorso);
        QVERIFY(x.aperta);
        QVERIFY(x.workbook.contains(QStringLiteral("<sheet name=\"Classifica 2024\"")));
        // Row 1: the names in the bold style (the second cell format of the styles).
        QVERIFY(x.stili.contains(QStringLiteral("<b/>")));
        QVERIFY(x.foglio.contains(QStringLiteral("<row r=\"1\"")));
        QVERIFY(x.foglio.contains(QStringLiteral("<c r=\"A1\" s=\"1\" t=\"s\">")));
        QVERIFY(x.foglio.contains(QStringLiteral("<c r=\"F1\" s=\"1\" t=\"s\">")));
        QVERIFY(!x.foglio.contains(QStringLiteral("<row r=\"2\"")));
        QVERIFY(x.foglio.contains(QStringLiteral("<row r=\"3\"")));
        QVERIFY(x.foglio.contains(QStringLiteral("<row r=\"4\"")));
        QVERIFY(!x.foglio.contains(QStringLiteral("<row r=\"5\"")));
        QVERIFY(x.foglio.contains(QStringLiteral("<c r=\"A3\"><v>12</v></c>")));
        QVERIFY(!x.foglio.contains(QStringLiteral("<f>")));
        QVERIFY(x.stringhe.contains(QStringLiteral("<t>=1+1</t>")));
        QVERIFY(x.stringhe.contains(QStringLiteral("<t>Squadre</t>")));
        QVERIFY(x.foglio.contains(QStringLiteral("width=\"30.")));

        // An existing workbook is replaced only when the user says so (no Esegui needed again).
        const QByteArray prima = contenuto(percorso);
        programma->boxes.setNextAnswer(false);
        form->bbExportClick();
        QCOMPARE(boxes().last().testo,
                 QStringLiteral("Il file '%1' esiste già, sostituirlo?").arg(QDir::toNativeSeparators(percorso)));
        QCOMPARE(contenuto(percorso), prima);
        QCOMPARE(shell.urls.size(), 1);
        programma->boxes.setNextAnswer(true);
        form->bbExportClick();
        QCOMPARE(shell.urls.size(), 2);
    }

    void manyRowsWarnAndTheExportHoldsTheFormWhileItRuns()
    {
        RecordingShell shell;
        {
            Table t(QStringLiteral("Class.db"));
            t.open();
            store::Transaction tr;
            for (int i = 1; i <= 200; ++i) {
                t.append();
                t.fieldByName(QStringLiteral("Squadre")).setAsString(QStringLiteral("Squadra %1").arg(i));
                t.fieldByName(QStringLiteral("Punti")).setAsInteger(i);
                t.post();
            }
            tr.commit();
        }
        queryClassifica();
        destinazione(1, QStringLiteral("tante.xlsx"));
        form->bbExportClick();
        QVERIFY(!boxes().texts().contains(MoltiDati));

        aggiungiSquadra(QStringLiteral("Squadra 201"), 201);
        queryClassifica();
        bool controllato = false;
        QTimer::singleShot(0, form.get(), [&] {
            controllato = true;
            QVERIFY(form->esportazioneInCorso());
            QVERIFY(!figlio<QPushButton>(f(), "bbExport")->isEnabled());
            QVERIFY(!figlio<QPushButton>(f(), "buttEsegui")->isEnabled());
            auto *barra = figlio<QProgressBar>(f(), "PrgBar");
            QCOMPARE(barra->maximum(), 201);
            QVERIFY(barra->value() >= 64);
            form->reject();
            QVERIFY(form->isVisible());
        });
        form->show();
        programma->boxes.setNextAnswer(true); // replace tante.xlsx
        form->bbExportClick();
        QVERIFY(controllato);
        QVERIFY(boxes().texts().contains(MoltiDati));
        QVERIFY(!form->esportazioneInCorso());
        QVERIFY(figlio<QPushButton>(f(), "bbExport")->isEnabled());
        QCOMPARE(figlio<QProgressBar>(f(), "PrgBar")->value(), 0);
        QCOMPARE(shell.urls.size(), 2);
        const CartellaLetta x = LeggiCartella(uscita + QStringLiteral("tante.xlsx"));
        QVERIFY(x.foglio.contains(QStringLiteral("<row r=\"203\"")));
    }

    void presetsAreAddedChangedLoadedAndDeleted()
    {
        senzaModelli();
        QString risposta = QStringLiteral("Classifica");
        setInputBoxBackend([&](const QString &titolo, const QString &richiesta, const QString &) {
            if (titolo != QLatin1String("Nuovo modello di ricerca") || richiesta != QLatin1String("Descrizione:"))
                return QString();
            return risposta;
        });
        imposta(f(), "MemoCampi", QStringLiteral("*"));
        imposta(f(), "MemoDBSelected", QStringLiteral("\"Class.db\""));
        imposta(f(), "MemoCondizione", QStringLiteral("\"Class.db\".\"Punti\" > 3"));
        imposta(f(), "MemoFormattazione", QStringLiteral("Lunghezza Squadre=10"));
        figlio<QLineEdit>(f(), "EditOrdinamento")->setText(QStringLiteral("\"Class.db\".\"Punti\""));
        destinazione(1, QStringLiteral("punti.txt"));
        figlio<QLineEdit>(f(), "EdtNomeFoglioLavoro")->setText(QStringLiteral("Punti"));

        // A period field longer than the preset can keep: nothing is saved.
        figlio<QLineEdit>(f(), "EditData")->setText(QStringLiteral("\"giornate.db\".\"Giornata\""));
        form->Button3Click();
        QVERIFY(boxes().last().testo.contains(QStringLiteral("\"Campo richiesta periodo\"")));
        QCOMPARE(righe(QStringLiteral("select * from tabexport")), 0);
        figlio<QLineEdit>(f(), "EditData")->clear();

        risposta = QString();
        form->Button3Click();
        QCOMPARE(boxes().last().testo, QStringLiteral("Il modello non è stato aggiunto!"));
        QCOMPARE(righe(QStringLiteral("select * from tabexport")), 0);

        risposta = QStringLiteral("Classifica");
        form->Button3Click();
        risposta = QStringLiteral("Secondo");
        form->Button3Click();
        auto *modelli = figlio<QComboBox>(f(), "cbPreimpostati");
        QCOMPARE(modelli->count(), 2);
        QCOMPARE(modelli->currentText(), QStringLiteral("Secondo"));
        {
            Table t(QStringLiteral("tabexport.db"));
            t.open();
            t.first();
            QCOMPARE(t.fieldByName(QStringLiteral("PROGR")).asInteger(), 1);
            QCOMPARE(t.fieldByName(QStringLiteral("DESCR")).asString(), QStringLiteral("Classifica"));
            QCOMPARE(t.fieldByName(QStringLiteral("CONDIZIONE")).asString(), QStringLiteral("\"Class.db\".\"Punti\" > 3"));
            QCOMPARE(t.fieldByName(QStringLiteral("NOMEFILE")).asString(), uscita + QStringLiteral("punti.txt"));
            QCOMPARE(t.fieldByName(QStringLiteral("NOMEFOGLIOEXCEL")).asString(), QStringLiteral("Punti"));
            QCOMPARE(t.fieldByName(QStringLiteral("txtOxls")).asInteger(), 1);
            t.last();
            QCOMPARE(t.fieldByName(QStringLiteral("PROGR")).asInteger(), 2);
        }

        // Loading fills the editor; a change is saved onto the chosen preset only.
        nuovaForm();
        modelli = figlio<QComboBox>(f(), "cbPreimpostati");
        QCOMPARE(modelli->count(), 2);
        form->cbPreimpostatiChange(0);
        QCOMPARE(figlio<QPlainTextEdit>(f(), "MemoCondizione")->toPlainText(),
                 QStringLiteral("\"Class.db\".\"Punti\" > 3"));
        QCOMPARE(figlio<QLineEdit>(f(), "EditEsportaPath")->text(), uscita);
        QCOMPARE(figlio<QLineEdit>(f(), "EditNomeFEsportaz")->text(), QStringLiteral("punti.txt"));
        QCOMPARE(figlio<RadioGroup>(f(), "rgTIPO")->itemIndex(), 1);
        QCOMPARE(modelli->currentText(), QStringLiteral("Classifica"));
        imposta(f(), "MemoCondizione", QStringLiteral("\"Class.db\".\"Punti\" > 6"));
        figlio<QLineEdit>(f(), "EditOrdinamento")->setText(QString(31, QLatin1Char('x')));
        form->Button4Click();
        QVERIFY(boxes().last().testo.contains(QStringLiteral("\"Ordine per\"")));
        figlio<QLineEdit>(f(), "EditOrdinamento")->setText(QStringLiteral("Order by x"));
        emit figlio<QLineEdit>(f(), "EditOrdinamento")->editingFinished();
        QCOMPARE(boxes().last().testo, QStringLiteral("Non è necessario inserire la clausola \"order\", va inserito "
                                                      "solo il campo della tabella."));
        figlio<QLineEdit>(f(), "EditOrdinamento")->setText(QStringLiteral("\"Class.db\".\"Punti\""));
        form->Button4Click();
        QCOMPARE(boxes().last().testo,
                 QStringLiteral("Le modifiche al modello 'Classifica' sono state salvate correttamente."));
        QCOMPARE(righe(QStringLiteral("select * from tabexport where CONDIZIONE = '\"Class.db\".\"Punti\" > 6'")), 1);
        QCOMPARE(righe(QStringLiteral("select * from tabexport where CONDIZIONE = '\"Class.db\".\"Punti\" > 3'")), 1);

        // A fixed preset is loaded but neither changed nor deleted.
        {
            Table t(QStringLiteral("tabexport.db"));
            t.open();
            t.last();
            t.edit();
            t.fieldByName(QStringLiteral("FISSO")).setAsBoolean(true);
            t.post();
        }
        form->cbPreimpostatiChange(1);
        form->Button4Click();
        QCOMPARE(boxes().last().testo, QStringLiteral("Modello non impostato o non modificabile!"));
        form->buttEliminaClick();
        QCOMPARE(boxes().last().testo, QStringLiteral("Modello non impostato o non eliminabile!"));
        form->buttClearClick();
        form->buttEliminaClick();
        QCOMPARE(boxes().last().testo, QStringLiteral("Modello non impostato o non eliminabile!"));

        // Deleting asks first.
        form->cbPreimpostatiChange(0);
        programma->boxes.setNextAnswer(false);
        form->buttEliminaClick();
        QCOMPARE(righe(QStringLiteral("select * from tabexport")), 2);
        programma->boxes.setNextAnswer(true);
        form->buttEliminaClick();
        QCOMPARE(boxes().last().testo,
                 QStringLiteral("Sicuro di voler eliminare il modello di esportazione selezionato?"));
        QCOMPARE(righe(QStringLiteral("select * from tabexport")), 1);
        QCOMPARE(modelli->count(), 1);
        QCOMPARE(modelli->currentIndex(), -1);
        QCOMPARE(figlio<QPlainTextEdit>(f(), "MemoCampi")->toPlainText(), QString());
    }

    void thePeriodDialogOpensTheSidesLeftEmpty()
    {
        TInputDate d;
        auto *inizio = d.findChild<QLineEdit *>(QStringLiteral("EDdaData"));
        auto *fine = d.findChild<QLineEdit *>(QStringLiteral("EDaData"));
        QFocusEvent uscita(QEvent::FocusOut);
        QCoreApplication::sendEvent(inizio, &uscita);
        QCOMPARE(inizio->text(), QStringLiteral("01/01/1000"));
        fine->setText(QStringLiteral("12/05/2024"));
        QCoreApplication::sendEvent(fine, &uscita);
        QCOMPARE(fine->text(), QStringLiteral("12/05/2024"));
        fine->clear();
        d.findChild<QPushButton *>(QStringLiteral("BTok"))->click();
        QCOMPARE(fine->text(), QStringLiteral("31/12/9999"));
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void captionsInEnglish()
    {
        Table t(QStringLiteral("impostazioni.db"));
        t.open();
        t.first();
        t.edit();
        t.fieldByName(QStringLiteral("LINGUA")).setAsString(QStringLiteral("English"));
        t.post();
        t.close();
        nuovaForm();
        QCOMPARE(figlio<QLabel>(f(), "Label11")->text(),
                 QStringLiteral("Field names to format on output must match the column headers shown in the template's "
                                "result."));
        QCOMPARE(figlio<QPushButton>(f(), "bbExport")->text(), QStringLiteral("Export"));
        QCOMPARE(figlio<QLabel>(f(), "Label13")->text(), QStringLiteral("File path"));
        QCOMPARE(figlio<RadioGroup>(f(), "rgTIPO")->button(1)->text(), QStringLiteral("Excel format"));
        QCOMPARE(figlio<RadioGroup>(f(), "rgDestinaz")->title(), QStringLiteral("Send fields to"));
        // The name box's caption follows the type in the same language.
        figlio<RadioGroup>(f(), "rgTIPO")->setItemIndex(1);
        figlio<RadioGroup>(f(), "rgTIPO")->setItemIndex(0);
        QCOMPARE(figlio<QGroupBox>(f(), "gbNome")->title(), QStringLiteral("File name"));
    }
};

QTEST_MAIN(TestFrmEsportazione)
#include "test_frmesportazione.moc"
