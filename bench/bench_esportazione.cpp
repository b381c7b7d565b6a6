// The table export with 10 000 rows: the query, the fixed-width text file and the .xlsx workbook,
// first through the export's own pieces, then through the form as the user runs it (progress bar
// and repaints included). Prints the times; the target is under one second for each file.
// Never part of the test run's pass or fail.
#include "core/cartella.h"
#include "core/messaggi.h"
#include "core/shell.h"
#include "store/database.h"
#include "store/query.h"
#include "store/table.h"
#include "store/tabelle.h"
#include "ui/radiogroup.h"
#include "utilities/esportazione.h"
#include "utilities/frmesportazionetabelle.h"
#include "utilities/scritturaesportazione.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <cstdio>

namespace {
class Silenzio : public MessageBackend {
public:
    bool show(const Messaggio &) override { return true; }
};
class NessunaApertura : public ShellBackend {
public:
    bool openUrl(const QUrl &) override { return true; }
};

constexpr int Righe = 10000;

void riempi()
{
    store::Table t(QStringLiteral("rt_giocatori.db"));
    t.open();
    store::Transaction tr;
    for (int i = 1; i <= Righe; ++i) {
        t.append();
        t.fieldByName(QStringLiteral("idgiocatore")).setAsInteger(i);
        t.fieldByName(QStringLiteral("idsquadra")).setAsInteger(i % 40 + 1);
        t.fieldByName(QStringLiteral("numeromaglia")).setAsInteger(i % 99 + 1);
        t.fieldByName(QStringLiteral("nome")).setAsString(QStringLiteral("Niccolò %1").arg(i));
        t.fieldByName(QStringLiteral("cognome")).setAsString(QStringLiteral("D'Àlessandro-Gómez %1").arg(i));
        t.fieldByName(QStringLiteral("ruolo")).setAsString(QStringLiteral("PSCOL").mid(i % 5, 1));
        t.fieldByName(QStringLiteral("battuta")).setAsString(QStringLiteral("SALTOFLOAT"));
        t.post();
    }
    tr.commit();
}

double ms(QElapsedTimer &t) { return double(t.nsecsElapsed()) / 1e6; }
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Silenzio silenzio;
    setMessageBackend(&silenzio);
    NessunaApertura shell;
    setShellBackend(&shell);
    QTemporaryDir cartella;
    QTemporaryDir uscita;
    ImpostaCartellaProgramma(cartella.path());
    CreaTabellaEsportazione();
    CreaTabelle();
    riempi();

    // The export's pieces.
    QElapsedTimer t;
    t.start();
    store::Query q(QStringLiteral("select * from rt_giocatori order by \"rt_giocatori.db\".\"cognome\""));
    q.open();
    QList<QList<QVariant>> righe;
    for (q.first(); !q.eof(); q.next()) {
        QList<QVariant> r;
        for (int i = 0; i < q.fieldCount(); ++i)
            r << q.field(i).value();
        righe << r;
    }
    const double tQuery = ms(t);
    const QList<CampoEsportazione> campi = CampiEsportazione(q);

    t.restart();
    const QList<FormatoCampo> formati = PreparaFormati(campi, QStringLiteral("Lunghezza cognome=30\nFormato idgiocatore=%06d"));
    QByteArray testo;
    for (const QList<QVariant> &r : righe) {
        testo += InWindows1252(RigaTesto(formati, r));
        testo += "\r\n";
    }
    const bool scritto = ScriviArchivioTesto(uscita.filePath(QStringLiteral("giocatori.txt")), testo);
    const double tTesto = ms(t);

    t.restart();
    const EsitoFoglio esito =
        ScriviCartellaDiLavoro(uscita.filePath(QStringLiteral("giocatori.xlsx")), QStringLiteral("Giocatori"), campi, righe);
    const double tFoglio = ms(t);

    std::printf("righe: %d\n", Righe);
    std::printf("query e lettura delle righe: %8.1f ms\n", tQuery);
    std::printf("testo a larghezza fissa:     %8.1f ms  (%s, %lld byte)\n", tTesto, scritto ? "scritto" : "NON scritto",
                qlonglong(QFileInfo(uscita.filePath(QStringLiteral("giocatori.txt"))).size()));
    std::printf("cartella .xlsx:              %8.1f ms  (%s, %lld byte)\n", tFoglio,
                esito.stato == EsitoFoglio::Fatto ? "scritta" : "NON scritta",
                qlonglong(QFileInfo(uscita.filePath(QStringLiteral("giocatori.xlsx"))).size()));

    // Through the form: Esegui, then Esporta, as the user does.
    TfrmEsportazioneTabelle form;
    form.show();
    auto *campiBox = form.findChild<QPlainTextEdit *>(QStringLiteral("MemoCampi"));
    auto *tabelleBox = form.findChild<QPlainTextEdit *>(QStringLiteral("MemoDBSelected"));
    auto *tipo = form.findChild<RadioGroup *>(QStringLiteral("rgTIPO"));
    form.findChild<QLineEdit *>(QStringLiteral("EditEsportaPath"))->setText(uscita.path());
    double perForma[2] = {0, 0};
    double esegui[2] = {0, 0};
    for (int k = 0; k < 2; ++k) {
        campiBox->setPlainText(QStringLiteral("*"));
        tabelleBox->setPlainText(QStringLiteral("\"rt_giocatori.db\""));
        form.findChild<QLineEdit *>(QStringLiteral("EditNomeFEsportaz"))->setText(QStringLiteral("forma%1.txt").arg(k));
        t.restart();
        form.buttEseguiClick();
        esegui[k] = ms(t);
        tipo->setItemIndex(k);
        t.restart();
        form.bbExportClick();
        perForma[k] = ms(t);
    }
    std::printf("dalla maschera, Esegui:      %8.1f ms\n", esegui[0]);
    std::printf("dalla maschera, testo:       %8.1f ms\n", perForma[0]);
    std::printf("dalla maschera, .xlsx:       %8.1f ms\n", perForma[1]);
    std::printf("obiettivo: ogni archivio sotto 1000 ms\n");
    setMessageBackend(nullptr);
    setShellBackend(nullptr);
    store::Database::shutdown();
    return 0;
}
