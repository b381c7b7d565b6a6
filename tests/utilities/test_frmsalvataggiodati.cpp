// The backup form: the backup folder made on opening, every table's files copied into today's
// folder and counted, the engine's transient files and the program's own extensions passed over,
// the second backup of a day after the question, a day folder that cannot be made, a failed
// re-copy that keeps the earlier copy, and a table open elsewhere.
#include "core/cartella.h"
#include "custodia_prova.h"
#include "store/consegnatabelle.h"
#include "support/testprogram.h"
#include "utilities/cartellebackup.h"
#include "utilities/frmrecuperodati.h"
#include "utilities/frmsalvataggiodati.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {
const QString ErroreCartella = QStringLiteral("Errore in creazione directory backup.");
const QString Sovrascrivi =
    QStringLiteral("Oggi è già stato effettuato un salvataggio dati, si intende sovrascrivere quello esistente?");

QString oggi() { return CartellaBackup() + NomeCartellaGiorno(QDate::currentDate()) + QLatin1Char('/'); }

QStringList fileIn(const QString &cartella) { return QDir(cartella).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

QStringList nove()
{
    return {"Class.db",        "date_giornate.db", "giornate.db", "impostazioni.db", "lingua.db",
            "rt_formazioni.db", "rt_giocatori.db", "rt_squadre.db", "squadre.db",     "tabexport.db"};
}
} // namespace

class TestFrmSalvataggioDati : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

    static QLabel *label(QObject *f, const char *n) { return f->findChild<QLabel *>(QLatin1String(n)); }

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void openingMakesTheBackupFolderAndShowsTodaysPath()
    {
        QVERIFY(!QFileInfo::exists(CartellaBackup()));
        TFrmSalvataggioDati form;
        QVERIFY(QFileInfo(CartellaBackup()).isDir());
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditPathSalvataggio"))->text(),
                 QDir::toNativeSeparators(CartellaBackup() + NomeCartellaGiorno(QDate::currentDate())));
        QCOMPARE(form.findChild<QListWidget *>(QStringLiteral("ListBoxTabelle"))->count(), 10);
        QVERIFY(label(&form, "LabelWork")->isHidden());
        QVERIFY(label(&form, "LabelDone")->isHidden());
        QCOMPARE(label(&form, "LabelCopiati")->text(), QStringLiteral("0"));
        QCOMPARE(program->boxes.count(), 0);
    }

    void everyTableFileIsCopiedOnceAndTransientFilesAreNot()
    {
        prova::aggiungiSquadre({QStringLiteral("L'Aquila")});
        store::Database::shutdown();
        const QString p = program->folder.path();
        // Files of a table's base name are copied; the engine's own and the program's are not.
        prova::scrivi(p + QStringLiteral("squadre.px"), "indice");
        prova::scrivi(p + QStringLiteral("giornate.db-journal"), "giornale");
        prova::scrivi(p + QStringLiteral("Class.dbAPPOGGIO.db"), "ricostruzione");
        prova::scrivi(p + QStringLiteral("lingua.db.ricostruzione"), "ricostruzione");
        prova::scrivi(p + QStringLiteral("squadre.pas"), "sorgente");
        prova::scrivi(p + QStringLiteral("squadre.exe"), "programma");
        prova::scrivi(p + QStringLiteral("dberrori.log"), "log");
        TFrmSalvataggioDati form;
        form.BitBtn2Click();
        QCOMPARE(program->boxes.count(), 0); // the first backup of the day asks nothing
        QStringList attesi = nove();
        attesi << QStringLiteral("squadre.px");
        attesi.sort();
        QStringList copiati = fileIn(oggi());
        copiati.sort();
        QCOMPARE(copiati, attesi);
        QCOMPARE(form.copiati(), 11);
        QCOMPARE(form.nonCopiati(), 0);
        QCOMPARE(label(&form, "LabelCopiati")->text(), QStringLiteral("11"));
        QVERIFY(!label(&form, "LabelDone")->isHidden());
        QVERIFY(label(&form, "LabelWork")->isHidden());
        QVERIFY(!form.inCorso());
        for (const QString &f : nove())
            QCOMPARE(prova::contenuto(oggi() + f), prova::contenuto(p + f));
    }

    void aProgramFolderWithBlanksAndAccentsIsBackedUpAndRestored()
    {
        const QString base = CartellaProgramma();
        const QString dentro = base + QStringLiteral("Dati della società è/");
        QVERIFY(QDir().mkpath(dentro));
        store::Database::shutdown();
        ImpostaCartellaProgramma(dentro);
        CreaTabellaEsportazione();
        CreaTabelle();
        prova::aggiungiSquadre({QStringLiteral("Città d'Arte")});
        {
            TFrmSalvataggioDati form;
            form.BitBtn2Click();
            QCOMPARE(form.copiati(), 10);
        }
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        {
            TFrmRecuperoDati form;
            auto *lista = form.findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"));
            lista->setCurrentItem(
                lista->findItems(VoceCartella(NomeCartellaGiorno(QDate::currentDate())), Qt::MatchExactly).value(0));
            program->boxes.setNextAnswer(true);
            form.ButtonOkClick();
            QVERIFY(form.riuscito());
        }
        QCOMPARE(prova::squadre(), QStringList{"Città d'Arte"});
        store::Database::shutdown();
        ImpostaCartellaProgramma(base);
    }

    void aSecondBackupOfTheDayAsksFirst()
    {
        {
            TFrmSalvataggioDati form;
            form.BitBtn2Click();
        }
        prova::aggiungiSquadre({QStringLiteral("Dopo")});
        store::Database::shutdown();
        const QByteArray prima = prova::contenuto(oggi() + QStringLiteral("squadre.db"));
        TFrmSalvataggioDati form;
        program->boxes.setNextAnswer(false);
        form.BitBtn2Click();
        QCOMPARE(program->boxes.last().testo, Sovrascrivi);
        QCOMPARE(prova::contenuto(oggi() + QStringLiteral("squadre.db")), prima);
        QCOMPARE(form.copiati(), 0);

        program->boxes.setNextAnswer(true);
        form.BitBtn2Click();
        QCOMPARE(form.copiati(), 10); // counted again from 0
        QCOMPARE(prova::contenuto(oggi() + QStringLiteral("squadre.db")),
                 prova::contenuto(program->folder.file("squadre.db")));
    }

    void aDayFolderThatCannotBeMadeStopsAfterOneMessage()
    {
        prova::scrivi(program->folder.file("backup"), "un file al posto della cartella");
        TFrmSalvataggioDati form;
        QCOMPARE(program->boxes.texts(), QStringList{ErroreCartella});
        form.BitBtn2Click();
        QCOMPARE(program->boxes.texts(), (QStringList{ErroreCartella, ErroreCartella}));
        QCOMPARE(form.copiati(), 0);
        QCOMPARE(form.nonCopiati(), 0);
        QVERIFY(!form.riuscito());
        QVERIFY(label(&form, "LabelDone")->isHidden());
    }

    void aFailedRecopyKeepsTheEarlierCopyAndNoSuccessIsShown()
    {
        TFrmSalvataggioDati form;
        form.BitBtn2Click();
        const QByteArray prima = prova::contenuto(oggi() + QStringLiteral("giornate.db"));
        QVERIFY(!prima.isEmpty());
        // The copy's temporary name is taken by a folder: this file's copy fails.
        QVERIFY(QDir(oggi()).mkdir(QStringLiteral(".giornate.db.copia")));
        program->boxes.setNextAnswer(true);
        form.BitBtn2Click();
        QCOMPARE(form.nonCopiati(), 1);
        QCOMPARE(form.copiati(), 9);
        QCOMPARE(program->boxes.last().testo,
                 QStringLiteral("Errore durante la copia del file \"%1\"").arg(program->folder.file("giornate.db")));
        QCOMPARE(prova::contenuto(oggi() + QStringLiteral("giornate.db")), prima);
        QVERIFY(label(&form, "LabelDone")->isHidden());
        QCOMPARE(label(&form, "LabelConErrore")->text(), QStringLiteral("1"));
    }

    void aTableOpenElsewhereStopsTheBackup()
    {
        store::Table aperta(QStringLiteral("squadre.db"));
        aperta.open();
        TFrmSalvataggioDati form;
        form.BitBtn2Click();
        QCOMPARE(program->boxes.last().testo, store::MessaggioTabelleInUso);
        QCOMPARE(fileIn(oggi()), QStringList());
        QVERIFY(!form.riuscito());
    }

    void theFormCannotBeClosedWhileItRuns()
    {
        TFrmSalvataggioDati form;
        form.show();
        bool chiusoDurante = true;
        // A question box is shown on the second run; while it is open the run has not started, so
        // check from inside the copy loop through the message of a failed copy instead.
        QVERIFY(QDir().mkpath(oggi() + QStringLiteral(".squadre.db.copia")));
        struct Osserva : ScriptedMessages {
            TFrmSalvataggioDati *f = nullptr;
            bool *chiuso = nullptr;
            bool show(const Messaggio &m) override
            {
                if (!m.siNo && f->inCorso()) {
                    f->reject();
                    *chiuso = !f->isVisible();
                }
                return ScriptedMessages::show(m);
            }
        } osserva;
        osserva.f = &form;
        osserva.chiuso = &chiusoDurante;
        osserva.setDefaultAnswer(true);
        form.BitBtn2Click();
        QVERIFY(!chiusoDurante);
        QVERIFY(form.isVisible());
        QVERIFY(form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->isEnabled());
    }
};

QTEST_MAIN(TestFrmSalvataggioDati)
#include "test_frmsalvataggiodati.moc"
