// The tables' safekeeping through the real forms, from the main menu: part of a season played,
// backed up, more results entered, the backup restored (the program ends), the program started
// again on the backed-up season, the tables rebuilt by Indicizza e ripara, and the backup packed
// for the maker and read back from the archive.
#include "app/comandi.h"
#include "app/frmmain.h"
#include "championship/frmcalendario.h"
#include "championship/frmgiornata.h"
#include "championship/frmrisultati.h"
#include "core/cartella.h"
#include "store/database.h"
#include "store/table.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "ui/modale.h"
#include "utilities/cartellebackup.h"
#include "utilities/indicizza.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <zip.h>

namespace {

const QList<QStringList> FirstLeg = {{"Alfa", "L'Aquila", "Beta", "Gamma"},
                                     {"Gamma", "Alfa", "L'Aquila", "Beta"},
                                     {"Alfa", "Beta", "Gamma", "L'Aquila"}};

template <typename T> T *child(QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no %s", qPrintable(name));
    return found;
}

// Team, points, sets won, lost, played; and the matchdays played.
QStringList situazione()
{
    QStringList righe;
    store::Table classifica(QStringLiteral("Class.db"));
    classifica.open();
    for (classifica.first(); !classifica.eof(); classifica.next()) {
        QStringList r;
        for (const char *f : {"Squadre", "Punti", "SetV", "SetP", "SetG"})
            r << classifica.fieldByName(QLatin1String(f)).asString();
        righe << r.join(QLatin1Char('|'));
    }
    store::Table giornate(QStringLiteral("giornate.db"));
    giornate.open();
    int giocate = 0;
    for (giornate.first(); !giornate.eof(); giornate.next())
        giocate += giornate.fieldByName(QStringLiteral("Giocata")).asBoolean() ? 1 : 0;
    righe << QStringLiteral("giocate %1").arg(giocate);
    return righe;
}

void scegli(QDialog &d, const QString &voce)
{
    auto *lista = child<QListWidget>(&d, QStringLiteral("ListBoxCartelle"));
    lista->setCurrentItem(lista->findItems(voce, Qt::MatchExactly).value(0));
}

} // namespace

class TestE2eCustodia : public QObject {
    Q_OBJECT
private slots:
    void aSeasonBackedUpRestoredRebuiltAndPacked()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        boxes.setDefaultAnswer(true);
        const QString giorno = VoceCartella(NomeCartellaGiorno(QDate::currentDate()));
        QStringList salvata;
        int risultati = 0;

        // Whatever form opens from the menu is answered here.
        setModalBackend([&](QDialog &d) -> int {
            if (d.objectName() == QLatin1String("FrmCalendario")) {
                child<QLineEdit>(&d, "EDTnSQ")->setText(QStringLiteral("4"));
                child<QLineEdit>(&d, "EDTnGIORN")->setText(QStringLiteral("6"));
                child<QLineEdit>(&d, "EDTmySQ")->setText(QStringLiteral("Alfa"));
                child<QPushButton>(&d, "ButSalva")->click();
                for (int i = 1; i < 4; ++i)
                    child<QLineEdit>(&d, QStringLiteral("SQ%1").arg(i + 1))->setText(FirstLeg[0][i]);
                child<QPushButton>(&d, "BTMsquadre")->click();
                return 1;
            }
            if (auto *composer = qobject_cast<TFrmGiornata *>(&d)) {
                composer->show();
                for (const QStringList &day : FirstLeg) {
                    for (int k = 1; k <= 4; ++k) {
                        composer->BoxEnter(k);
                        auto *box = child<QComboBox>(composer, QStringLiteral("Box%1").arg(k));
                        const int index = box->findText(day[k - 1]);
                        box->setCurrentIndex(index);
                        emit box->activated(index);
                        composer->BoxExit(k);
                    }
                    child<QPushButton>(composer, "BTMpost")->click();
                }
                return 1;
            }
            if (qobject_cast<TFrmRisultati *>(&d)) {
                ++risultati;
                d.show();
                // The home side wins 3-1 in every match.
                for (int p = 1; p <= 2; ++p) {
                    child<QLineEdit>(&d, QStringLiteral("P%1").arg(2 * p - 1))->setText(QStringLiteral("3"));
                    child<QLineEdit>(&d, QStringLiteral("P%1").arg(2 * p))->setText(QStringLiteral("1"));
                }
                child<QPushButton>(&d, "SBsi")->click();
                d.hide();
                return 1;
            }
            if (d.objectName() == QLatin1String("FrmSalvataggioDati")) {
                child<QPushButton>(&d, "BitBtn2")->click();
                return 1;
            }
            if (d.objectName() == QLatin1String("FrmRecuperoDati")) {
                scegli(d, giorno);
                child<QPushButton>(&d, "ButtonOk")->click();
                return 1;
            }
            if (d.objectName() == QLatin1String("FrmInvioDatiCasaMadre")) {
                child<QCheckBox>(&d, "cbNonInviare")->setChecked(true);
                scegli(d, giorno);
                child<QPushButton>(&d, "ButtonOk")->click();
                return 1;
            }
            return 0;
        });

        {
            TFrmMain main;
            CollegaComandi(main);
            TFrmGiornata composer(&main);
            FrmGiornata = &composer;
            TFrmCalendario builder(&main);
            FrmCalendario = &builder;
            QSignalSpy fine(&main, &TFrmMain::programmaTerminato);

            main.FormActivate();
            main.Voce(QStringLiteral("Calendario"))->trigger();
            main.FormActivate();
            for (int i = 0; i < 2; ++i)
                main.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
            QCOMPARE(risultati, 2);
            salvata = situazione();
            QVERIFY(salvata.contains(QStringLiteral("giocate 2")));

            main.Voce(QStringLiteral("Salvataggiodati1"))->trigger();
            for (int i = 0; i < 2; ++i)
                main.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
            QCOMPARE(risultati, 4);
            QVERIFY(situazione() != salvata);

            main.Voce(QStringLiteral("Recuperodati1"))->trigger();
            QCOMPARE(boxes.last().testo,
                     QStringLiteral("Dopo ogni recupero dati è necessario uscire dal programma e rientrare, la procedura "
                                    "si autoterminerà."));
            QCOMPARE(fine.count(), 1);
            FrmCalendario = nullptr;
            FrmGiornata = nullptr;
        }

        // The next start finds the backed-up season.
        store::Database::shutdown();
        TFrmMain main;
        CollegaComandi(main);
        main.FormActivate();
        QCOMPARE(situazione(), salvata);
        QVERIFY(main.Voce(QStringLiteral("Inseriscirisultati1"))->isEnabled());

        // Rebuilt by the utility, the season is still the same and can be written.
        QVERIFY(QFile::copy(QStringLiteral(PDXRBLD_EXE), PercorsoPdxrbld()));
        const int primaDiIndicizzare = boxes.count();
        main.Voce(QStringLiteral("mnuIndicizza"))->trigger();
        QCOMPARE(boxes.count(), primaDiIndicizzare + 1); // the question, then silence
        QCOMPARE(situazione(), salvata);
        main.Voce(QStringLiteral("Inseriscirisultati1"))->trigger();
        QCOMPARE(risultati, 5);

        // Packed for the maker: the archive holds the backup's tables as they were saved.
        main.Voce(QStringLiteral("InviodatiaBrivo1"))->trigger();
        const QString archivio = CartellaProgramma() + QStringLiteral("backup/dati_Brivo_Rotaset.zip");
        int errore = 0;
        zip_t *z = zip_open(QFile::encodeName(archivio).constData(), ZIP_RDONLY, &errore);
        QVERIFY(z);
        QCOMPARE(zip_get_num_entries(z, 0), 10);
        zip_stat_t st;
        QCOMPARE(zip_stat(z, "giornate.db", 0, &st), 0);
        QByteArray dati(qsizetype(st.size), Qt::Uninitialized);
        zip_file_t *f = zip_fopen(z, "giornate.db", 0);
        QCOMPARE(zip_fread(f, dati.data(), st.size), zip_int64_t(st.size));
        zip_fclose(f);
        zip_close(z);
        QFile copia(CartellaBackup() + NomeCartellaGiorno(QDate::currentDate()) + QStringLiteral("/giornate.db"));
        QVERIFY(copia.open(QIODevice::ReadOnly));
        QCOMPARE(dati, copia.readAll());

        setModalBackend(nullptr);
    }
};

QTEST_MAIN(TestE2eCustodia)
#include "test_e2e_custodia.moc"
