// The offer at start: Paradox tables in the program folder are recognised by their header and
// offered for import in one box; Yes imports them and keeps the originals beside as
// "<name>.paradox", No (or an import that fails) leaves every file as found and the start-up check
// reports none of them as damaged.
#include "core/cartella.h"
#include "custodia_prova.h"
#include "paradox/tabellaparadox.h"
#include "stagioneparadox.h"
#include "store/database.h"
#include "store/righelingua.h"
#include "store/tabelle.h"
#include "store/verificatabella.h"
#include "support/campionato.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"
#include "utilities/importazioneparadox.h"

#include <QDir>
#include <QtTest>
#include <memory>

namespace {
QHash<QString, QByteArray> fileDellaCartella()
{
    store::Database::shutdown();
    QHash<QString, QByteArray> f;
    for (const QString &n : QDir(CartellaProgramma()).entryList(QDir::Files | QDir::Hidden))
        f.insert(n, prova::contenuto(CartellaProgramma() + n));
    return f;
}

void avvio()
{
    OffriImportazioneAllAvvio();
    CreaTabellaEsportazione();
    CreaTabelle();
}
} // namespace

class TestAvvioParadox : public QObject {
    Q_OBJECT
    std::unique_ptr<TempProgramFolder> folder;
    std::unique_ptr<ScriptedMessages> boxes;

private slots:
    void init()
    {
        folder = std::make_unique<TempProgramFolder>();
        boxes = std::make_unique<ScriptedMessages>();
    }
    void cleanup()
    {
        boxes.reset();
        folder.reset();
    }

    void yesImportsAndKeepsTheOriginalsBeside()
    {
        ScriviStagioneParadox(CartellaProgramma(), 10, 437, QStringLiteral("English"));
        const auto originali = fileDellaCartella();
        boxes->setNextAnswer(true);
        avvio();
        QCOMPARE(boxes->count(), 2);
        QVERIFY(boxes->shown[0].siNo);
        QVERIFY(boxes->shown[0].noPredefinito);
        QVERIFY(boxes->shown[0].testo.contains(QStringLiteral("giornate.db")));
        QVERIFY(boxes->shown[1].testo.startsWith(QStringLiteral("Importazione completata")));
        QCOMPARE(prova::squadre().size(), 10);
        QCOMPARE(prova::squadre()[1], QStringLiteral("Città di Forlì"));
        QCOMPARE(prova::Colonna(QStringLiteral("impostazioni.db"), QStringLiteral("LINGUA")), QStringList{"English"});
        QCOMPARE(prova::Colonna(QStringLiteral("lingua.db"), QStringLiteral("Italiano")).size(), NumeroRigheLingua);
        QVERIFY(prova::Colonna(QStringLiteral("tabexport.db"), QStringLiteral("CONDIZIONE")).first().size() > 1000);
        const auto dopo = fileDellaCartella();
        for (auto it = originali.cbegin(); it != originali.cend(); ++it)
            QCOMPARE(dopo.value(it.key() + QStringLiteral(".paradox")), it.value());
        QVERIFY(!dopo.contains(QStringLiteral("tabexport.mb")));
        for (const QString &t : store::NomiTabelle())
            QVERIFY2(!paradox::EFileParadox(CartellaProgramma() + t), qPrintable(t));
        // The next start asks nothing.
        boxes->clear();
        avvio();
        QCOMPARE(boxes->count(), 0);
    }

    void noLeavesEveryFileAsFoundAndReportsNothingDamaged()
    {
        ScriviStagioneParadox(CartellaProgramma(), 6);
        QVERIFY(QFile::remove(CartellaProgramma() + QStringLiteral("rt_squadre.db")));
        const auto originali = fileDellaCartella();
        for (int volta = 0; volta < 2; ++volta) {
            boxes->clear();
            boxes->setNextAnswer(false);
            avvio();
            QCOMPARE(boxes->count(), 1); // the offer only: no box about a damaged table
            auto dopo = fileDellaCartella();
            for (auto it = originali.cbegin(); it != originali.cend(); ++it)
                QCOMPARE(dopo.value(it.key()), it.value());
            // Only the missing tables were created, as at any start.
            dopo.remove(QStringLiteral("rt_squadre.db"));
            dopo.remove(QStringLiteral("date_giornate.db"));
            dopo.remove(QLatin1String(store::MainFileName));
            QCOMPARE(dopo.size(), originali.size());
        }
    }

    void onlyTheParadoxTablesAreImportedAndAFailureChangesNothing()
    {
        CreaTabellaEsportazione();
        CreaTabelle();
        prova::aggiungiSquadre({QStringLiteral("Nostra")});
        store::Database::shutdown();
        // One table of the earlier format copied in, beside our own.
        ScritturaParadox s = ParadoxDaDichiarazione(DichiarazioneClassifica());
        s.righe << QList<QVariant>{3, QStringLiteral("Sant'Elpidio"), 3, 1, 4, QVariant()};
        s.scrivi();
        QVERIFY(s.salva(CartellaProgramma(), QStringLiteral("class.db")));
        QVERIFY(QFile::remove(CartellaProgramma() + QStringLiteral("Class.db")));
        // First a damaged copy: the import fails and names it, nothing changes.
        QByteArray rotta = s.db;
        rotta[s.inizioBlocco(1)] = char(0x77);
        prova::scrivi(CartellaProgramma() + QStringLiteral("class.db"), rotta);
        const auto prima = fileDellaCartella();
        boxes->setNextAnswer(true);
        avvio();
        QCOMPARE(boxes->count(), 2);
        QVERIFY(boxes->last().testo.contains(CartellaProgramma() + QStringLiteral("class.db")));
        QCOMPARE(fileDellaCartella(), prima);

        prova::scrivi(CartellaProgramma() + QStringLiteral("class.db"), s.db);
        boxes->clear();
        boxes->setNextAnswer(true);
        avvio();
        QCOMPARE(boxes->count(), 2);
        QCOMPARE(prova::RigaDi(QStringLiteral("Sant'Elpidio")), (prova::Riga{3, 3, 1, 4, false}));
        QCOMPARE(prova::squadre(), QStringList{"Nostra"});
        QCOMPARE(prova::contenuto(CartellaProgramma() + QStringLiteral("class.db.paradox")), s.db);
        QVERIFY(!QFile::exists(CartellaProgramma() + QStringLiteral("squadre.db.paradox")));
    }
};

QTEST_MAIN(TestAvvioParadox)
#include "test_avvioparadox.moc"
