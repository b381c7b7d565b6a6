// Packing a backup for the maker: the archive read back with libzip (every file of the backup,
// without folder names), the mail hand-off and its absence, a second backup replacing the first,
// the entries that choose nothing, an archive that cannot be replaced, an empty backup.
#include "core/cartella.h"
#include "custodia_prova.h"
#include "support/recordingshell.h"
#include "support/testprogram.h"
#include "utilities/archiviozip.h"
#include "utilities/cartellebackup.h"
#include "utilities/frminviodaticasamadre.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrlQuery>
#include <QtTest>
#include <memory>
#include <zip.h>

namespace {

// The archive's entries, name to content.
QMap<QString, QByteArray> leggiArchivio(const QString &percorso)
{
    QMap<QString, QByteArray> voci;
    int errore = 0;
    zip_t *z = zip_open(QFile::encodeName(percorso).constData(), ZIP_RDONLY, &errore);
    if (!z)
        return voci;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        QByteArray dati(qsizetype(st.size), Qt::Uninitialized);
        zip_file_t *f = zip_fopen_index(z, zip_uint64_t(i), 0);
        zip_fread(f, dati.data(), st.size);
        zip_fclose(f);
        voci.insert(QString::fromUtf8(st.name), dati);
    }
    zip_close(z);
    return voci;
}

void backup(const QString &nome, const QMap<QString, QByteArray> &file)
{
    QDir().mkpath(CartellaBackup() + nome);
    for (auto it = file.cbegin(); it != file.cend(); ++it)
        prova::scrivi(CartellaBackup() + nome + QLatin1Char('/') + it.key(), it.value());
}

void scegli(QObject *form, const QString &voce)
{
    auto *lista = form->findChild<QListWidget *>(QStringLiteral("ListBoxCartelle"));
    lista->setCurrentItem(lista->findItems(voce, Qt::MatchExactly).value(0));
}

} // namespace

class TestFrmInvioDati : public QObject {
    Q_OBJECT
    std::unique_ptr<TestProgram> program;

    template <typename T> static T *c(QObject *f, const char *n) { return f->findChild<T *>(QLatin1String(n)); }

private slots:
    void init() { program = std::make_unique<TestProgram>(); }
    void cleanup() { program.reset(); }

    void aBackupIsPackedAndTheMailAsksForIt()
    {
        const QMap<QString, QByteArray> file{{"giornate.db", "giornate"}, {"Class.db", QByteArray(5000, 'c')},
                                             {"note è.txt", "accenti"}};
        backup(QStringLiteral("20240305"), file);
        QDir().mkpath(CartellaBackup() + QStringLiteral("20240305/sotto")); // folders are not packed
        RecordingShell shell;
        TFrmInvioDatiCasaMadre form;
        QCOMPARE(c<QLineEdit>(&form, "EditPathCompresso")->text(), QString());
        QVERIFY(!c<QPushButton>(&form, "ButtonOk")->isEnabled());
        scegli(&form, QStringLiteral("[20240305]"));
        QVERIFY(c<QPushButton>(&form, "ButtonOk")->isEnabled());
        QCOMPARE(c<QLabel>(&form, "LabelDettaglioBackup")->text(), QStringLiteral("Backup del 05/03/2024 - File presenti: 3"));
        const QString archivio = CartellaProgramma() + QStringLiteral("backup/dati_Brivo_Rotaset.zip");
        QCOMPARE(c<QLineEdit>(&form, "EditPathCompresso")->text(), QDir::toNativeSeparators(archivio));
        program->boxes.setNextAnswer(true);
        form.ButtonOkClick();
        QCOMPARE(program->boxes.last().testo,
                 QStringLiteral("Si intende eseguire il compattamento della copia di backup selezionata?"));
        QVERIFY(form.riuscito());
        QVERIFY(!c<QLabel>(&form, "LabelDone")->isHidden());
        QCOMPARE(leggiArchivio(archivio), file);
        QCOMPARE(shell.urls.size(), 1);
        const QUrl mail = shell.urls.first();
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QCOMPARE(mail.path(), QStringLiteral("supporto@brivo.example"));
        const QUrlQuery query(mail);
        QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("Dati: Brivo_Rotaset, 04.2002-66"));
        QCOMPARE(query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Allegare il file: ") + QDir::toNativeSeparators(archivio));
    }

    void withoutSendingNoMailAndASecondBackupReplacesTheFirst()
    {
        backup(QStringLiteral("20240305"), {{"giornate.db", "primo"}, {"squadre.db", "solo nel primo"}});
        backup(QStringLiteral("20240306"), {{"giornate.db", "secondo"}});
        RecordingShell shell;
        TFrmInvioDatiCasaMadre form;
        c<QCheckBox>(&form, "cbNonInviare")->setChecked(true);
        program->boxes.setDefaultAnswer(true);
        scegli(&form, QStringLiteral("[20240305]"));
        form.ButtonOkClick();
        scegli(&form, QStringLiteral("[20240306]"));
        form.ButtonOkClick();
        QVERIFY(shell.urls.isEmpty());
        QCOMPARE(leggiArchivio(PercorsoArchivio()), (QMap<QString, QByteArray>{{"giornate.db", "secondo"}}));
        QVERIFY(!QFileInfo::exists(CartellaBackup() + QStringLiteral(".dati_Brivo_Rotaset.zip.parziale")));
    }

    // Only backups are offered: no "." or "..", no other folder.
    void theListOffersBackupsOnly()
    {
        backup(QStringLiteral("20240305"), {{"giornate.db", "x"}});
        QDir(CartellaBackup()).mkdir(QStringLiteral("altro"));
        TFrmInvioDatiCasaMadre form;
        auto *lista = c<QListWidget>(&form, "ListBoxCartelle");
        QCOMPARE(lista->count(), 1);
        QCOMPARE(lista->item(0)->text(), QStringLiteral("[20240305]"));
        QVERIFY(!c<QPushButton>(&form, "ButtonOk")->isEnabled());
        QCOMPARE(c<QLineEdit>(&form, "EditPathCompresso")->text(), QString());
        scegli(&form, QStringLiteral("[20240305]"));
        QVERIFY(c<QPushButton>(&form, "ButtonOk")->isEnabled());
    }

    void anArchiveThatCannotBeReplacedOrAnEmptyBackupSendsNoMail()
    {
        backup(QStringLiteral("20240305"), {{"giornate.db", "x"}});
        QDir().mkpath(CartellaBackup() + QStringLiteral("20240306"));
        QVERIFY(QDir().mkpath(PercorsoArchivio())); // a folder where the archive should be
        RecordingShell shell;
        TFrmInvioDatiCasaMadre form;
        program->boxes.setDefaultAnswer(true);
        scegli(&form, QStringLiteral("[20240305]"));
        form.ButtonOkClick();
        QCOMPARE(program->boxes.last().testo, QStringLiteral("Impossibile eliminare il vecchio file di compressione."));
        QVERIFY(!form.riuscito());
        QVERIFY(c<QLabel>(&form, "LabelDone")->isHidden());
        QVERIFY(QFileInfo(PercorsoArchivio()).isDir());

        QDir(PercorsoArchivio()).removeRecursively();
        scegli(&form, QStringLiteral("[20240306]"));
        form.ButtonOkClick();
        QVERIFY(program->boxes.last().testo.startsWith(QStringLiteral("Impossibile creare il file compresso")));
        QVERIFY(!form.riuscito());
        QVERIFY(!QFileInfo::exists(PercorsoArchivio()));
        QVERIFY(shell.urls.isEmpty());
    }

    void aFailingWriteKeepsTheEarlierArchive()
    {
        backup(QStringLiteral("20240305"), {{"giornate.db", "primo"}});
        QVERIFY(CreaArchivio(PercorsoArchivio(), PercorsoBackup(QStringLiteral("20240305")), {"giornate.db"}).creato);
        const QByteArray prima = prova::contenuto(PercorsoArchivio());
        // A file that vanished since it was listed.
        const EsitoArchivio esito =
            CreaArchivio(PercorsoArchivio(), PercorsoBackup(QStringLiteral("20240305")), {"giornate.db", "sparito.db"});
        QVERIFY(!esito.creato);
        QVERIFY(!esito.errore.isEmpty());
        QCOMPARE(prova::contenuto(PercorsoArchivio()), prima);
    }
};

QTEST_MAIN(TestFrmInvioDati)
#include "test_frminviodati.moc"
