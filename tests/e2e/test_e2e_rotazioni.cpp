// The rotation module through the real forms, from the main menu: two teams, their players and
// line-ups typed in the registry forms, then the board: a generation, one rotation in detail and
// both prints saved as PDF from their previews and read back.
#include "app/comandi.h"
#include "app/frmmain.h"
#include "rotations/frmrtformazioni.h"
#include "rotations/frmrtgiocatori.h"
#include "rotations/frmrtrotazioni.h"
#include "rotations/frmrtsquadre.h"
#include "rotations/moduli_prova.h"
#include "ui/modale.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>

using namespace prova;

namespace {

struct Giocatore {
    const char *numero, *nome, *cognome, *ruolo, *battuta;
};
// In line-up order: setter, the slot-2 player, ..., the slot-6 player, the libero.
const Giocatore Primi[7] = {{"7", "Marco", "Rossi", "P", "FLOAT"},     {"12", "Luca", "Bianchi", "S", "SALTO"},
                            {"3", "Gianni", "D'Amico", "C", "FLOAT"},  {"18", "Paolo", "Verdi", "O", "SALTOFLOAT"},
                            {"5", "Ugo", "Neri", "S", "SALTO"},        {"9", "Aldo", "Gialli", "C", "FLOAT"},
                            {"1", "Oscar", "Mori", "L", "FLOAT"}};
const Giocatore Secondi[7] = {{"2", "Nino", "Lodi", "P", "FLOAT"},     {"14", "Dario", "Conti", "C", "SALTO"},
                              {"10", "Enzo", "Ferri", "S", "FLOAT"},   {"4", "Fabio", "Galli", "O", "SALTO"},
                              {"16", "Piero", "Pace", "C", "FLOAT"},   {"8", "Remo", "Sala", "S", "SALTOFLOAT"},
                              {"6", "Tino", "Vago", "L", "FLOAT"}};
const char *const Liste[7] = {"cb_pos1", "cb_pos2", "cb_pos3", "cb_pos4", "cb_pos5", "cb_pos6", "cb_libe"};
const char *const Pulsanti[7] = {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7"};

QString pdftotext(const QString &file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestE2eRotazioni : public QObject {
    Q_OBJECT
private slots:
    void dueSquadreSulTabellone()
    {
        TempProgramFolder folder;
        ScriptedMessages boxes;
        boxes.setDefaultAnswer(true);
        TFrmMain main;
        CollegaComandi(main);
        const QStringList squadre{QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva")};
        int giocatori = 0, formazioni = 0, anteprime = 0;
        const QString pdfDettaglio = folder.file(QStringLiteral("dettaglio.pdf"));
        const QString pdfSei = folder.file(QStringLiteral("sei.pdf"));

        setModalBackend([&](QDialog &d) -> int {
            if (auto *f = qobject_cast<TFrmRTsquadre *>(&d)) {
                for (const QString &s : squadre)
                    nuovaSquadra(*f, s);
                return 0;
            }
            if (auto *f = qobject_cast<TFrmRTgiocatori *>(&d)) {
                const Giocatore(&rosa)[7] = giocatori == 0 ? Primi : Secondi;
                auto *lista = figlio<QComboBox>(f, "cbSquadre");
                lista->setCurrentIndex(lista->findText(squadre[giocatori++]));
                for (const Giocatore &g : rosa)
                    nuovoGiocatore(*f, QLatin1String(g.numero), QString::fromUtf8(g.nome), QString::fromUtf8(g.cognome),
                                   QLatin1String(g.ruolo), QLatin1String(g.battuta));
                return 0;
            }
            if (auto *f = qobject_cast<TFrmRTformazioni *>(&d)) {
                const int squadra = formazioni++;
                const Giocatore(&rosa)[7] = squadra == 0 ? Primi : Secondi;
                scegli(f, "cbSquadre", squadre[squadra]);
                scegli(f, "cb_metodo", squadra == 0 ? QStringLiteral("P-S-C-O-S-C") : QStringLiteral("P-C-S-O-C-S"));
                clicca(f, "BitBtn0");
                for (int i = 0; i < 7; ++i) {
                    const int id = squadra * 7 + i + 1;
                    const QString voce = QStringLiteral("%1-%2 %3 n.%4")
                                             .arg(id)
                                             .arg(QString::fromUtf8(rosa[i].nome), QString::fromUtf8(rosa[i].cognome),
                                                  QLatin1String(rosa[i].numero));
                    if (!scegli(f, Liste[i], voce))
                        qWarning("no entry %s", qPrintable(voce));
                    clicca(f, Pulsanti[i]);
                }
                clicca(f, "nbPost");
                return 0;
            }
            if (auto *f = qobject_cast<TFrmRTrotazioni *>(&d)) {
                scegli(f, "cbSquadraA", squadre[0]);
                scegli(f, "cbSquadraB", squadre[1]);
                scegli(f, "cbPallA", QStringLiteral("1"));
                scegli(f, "cbPallB", QStringLiteral("3"));
                figlio<QCheckBox>(f, "cbScambioAutomatico")->setChecked(true);
                clicca(f, "ButtGenera");
                clicca(f, TFrmRTrotazioni::NomePulsanteRotazione(2).toLatin1().constData());
                clicca(f, "BTSstampa");
                clicca(f, "BitBtn1");
                return 0;
            }
            if (auto *preview = qobject_cast<QPrintPreviewDialog *>(&d)) {
                // "Print to PDF" from the preview.
                preview->printer()->setOutputFormat(QPrinter::PdfFormat);
                preview->printer()->setOutputFileName(anteprime++ == 0 ? pdfDettaglio : pdfSei);
                emit preview->paintRequested(preview->printer());
                return 1;
            }
            return 0;
        });

        for (const char *voce : {"N2", "Giocaotir1", "Giocaotir1", "Formazioni1", "Formazioni1", "Rotazioni2"})
            main.Voce(QLatin1String(voce))->trigger();
        setModalBackend(nullptr);
        // The one question: the second team's new row had the other method already.
        QCOMPARE(boxes.count(), 1);
        QVERIFY(boxes.last().testo.startsWith(QStringLiteral("Il metodo era già stato definito.")));
        QCOMPARE(righe(QStringLiteral("select metodo, pos1, pos6, libe from rt_formazioni order by idsquadra")),
                 (QStringList{QStringLiteral("P-S-C-O-S-C|1|6|7"), QStringLiteral("P-C-S-O-C-S|8|13|14")}));
        QCOMPARE(anteprime, 2);

        const QString dettaglio = pdftotext(pdfDettaglio), sei = pdftotext(pdfSei);
        if (dettaglio.isEmpty())
            QSKIP("pdftotext is not installed");
        // Rotation 2: A serves from zone 6 after the switch (Bianchi, "b12"), B receives.
        for (const char *atteso : {"ZP6 Dettaglio seconda rotazione ZP2", "Volley Sant'Anna", "Pallavolo Riva", "b12", "D'Amico",
                                   "Metodo: P-C-S-O-C-S", "SALTO"})
            QVERIFY2(dettaglio.contains(QString::fromUtf8(atteso)), atteso);
        for (const char *atteso : {"Dettaglio 6 rotazioni:", "ZP1 - Prima rotazione - ZP3", "ZP2 - Sesta rotazione - ZP4", "b7p"})
            QVERIFY2(sei.contains(QString::fromUtf8(atteso)), atteso);
    }
};

QTEST_MAIN(TestE2eRotazioni)
#include "test_e2e_rotazioni.moc"
