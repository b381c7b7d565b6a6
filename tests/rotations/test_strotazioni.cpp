// The two prints of the rotation board, read on their pages' items: what they copy from the board
// (texts, circles, colours, reception spots, the small courts' cells), the ticks choosing the halves,
// the captions of the six courts, the paper, the translation of the design captions only, and both
// prints written into PDF files and read back.
#include "rotations/campodisegnato.h"
#include "rotations/strotazioni.h"
#include "store/impostazioni.h"
#include "ui/modale.h"

#include "tabellone_prova.h"

#include <QDir>
#include <QCheckBox>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace prova;
using namespace rotazioni;

namespace {

const ReportItem &voce(const ReportDocument &d, const QString &nome)
{
    const ReportItem *i = d.pages.first().item(nome);
    if (!i)
        qFatal("no item %s", qPrintable(nome));
    return *i;
}
QString testoVoce(const ReportDocument &d, const QString &nome) { return voce(d, nome).text; }

// The places of a team printed on the big court, as "place:number".
QStringList stampati(const ReportDocument &d, const char *squadra)
{
    QStringList l;
    for (int p = 1; p <= 13; ++p) {
        const QString base = QStringLiteral("%1%2GENE").arg(QLatin1String(squadra)).arg(p);
        const bool testo = voce(d, QStringLiteral("QRLab") + base).visible;
        if (testo != voce(d, QStringLiteral("QRNum_") + base).visible ||
            testo != voce(d, QStringLiteral("QRShape_") + base).visible)
            return {QStringLiteral("parts of %1 disagree").arg(p)};
        if (testo)
            l << QStringLiteral("%1:%2").arg(p).arg(testoVoce(d, QStringLiteral("QRNum_") + base));
    }
    return l;
}

void spunta(QWidget *f, const char *nome, bool si) { figlio<QCheckBox>(f, nome)->setChecked(si); }

ReportDocument dettaglio(TFrmRTrotazioni &f) { return TStRotazioni(f.StatoPerStampa()).Pagine(); }
ReportDocument piccoli(TFrmRTrotazioni &f) { return TStRotazioniPic(f.StatoPerStampa()).Pagine(); }

bool dentro(const QRectF &interno, const QRectF &esterno) { return esterno.contains(interno); }

QString pdftotext(const QString &file)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestStRotazioni : public QObject {
    Q_OBJECT
private slots:
    void dettaglio_con_ricezione();
    void dettaglio_senza_colori();
    void una_squadra_sola_o_nessuna();
    void prima_di_ogni_rotazione();
    void squadra_chiamata_squadra_a();
    void sei_rotazioni();
    void sei_rotazioni_senza_grassetto_ne_colore();
    void traduzione_inglese();
    void pdf_delle_due_stampe();
    void posizioni_e_giocatori_spostati();
};

void TestStRotazioni::dettaglio_con_ricezione()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    clicca(&f, "ButROTA6"); // the second rotation: A serves a jump serve, B receives
    const ReportDocument d = dettaglio(f);
    QCOMPARE(d.pageLayout.orientation(), QPageLayout::Portrait);
    QCOMPARE(d.pages.size(), 1);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabTitolo")), QStringLiteral("ZP6 Dettaglio seconda rotazione ZP2"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QStringLiteral("Volley Sant'Anna"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraB")), QStringLiteral("Pallavolo Riva"));
    // Each team's own setter zone beside the caption.
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaA")), QStringLiteral("Posizione partenza palleggiatore:"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaAVal")), QStringLiteral("6"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaBVal")), QStringLiteral("2"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabAmetodo")), QStringLiteral("Metodo: P-S-C-O-S-C"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA3")), QStringLiteral("3 - Gianni D'Amico (FLOAT)"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabBlibe")), QStringLiteral("27 - Tino Vago (FLOAT)"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabAbattuta")), QStringLiteral("SALTO"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabBbattuta")), QString());
    // A as on the board, names over three lines.
    QCOMPARE(stampati(d, "A"), L("1:1 2:4 3:3 4:5 5:7 6:2"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA6GENE")), QStringLiteral("b2\r\nLuca\r\nBianchi"));
    // B in reception: a player moved to a spot prints only at the spot.
    QCOMPARE(stampati(d, "B"), L("2:21 3:22 7:24 10:23 12:27 13:26"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabB10GENE")), QStringLiteral("23\r\nEnzo\r\nFerri"));
    QVERIFY(!voce(d, QStringLiteral("QRLabB4GENE")).visible);
    // The circles' colours are the board's.
    QCOMPARE(voce(d, QStringLiteral("QRShape_A1GENE")).fill, QColor(0xFF, 0x00, 0xFF));
    QCOMPARE(voce(d, QStringLiteral("QRShape_A2GENE")).fill, QColor(0x00, 0x80, 0x00));
    QCOMPARE(voce(d, QStringLiteral("QRShape_B10GENE")).fill, QColor(0xFF, 0x00, 0x00));
    QCOMPARE(voce(d, QStringLiteral("QRShape_A5GENE")).fill, QColor(Qt::white));
    // The court: A's back court 210 by 315, its front 105 by 315; zones and spots in their halves.
    const QRectF fondoA = voce(d, QStringLiteral("QRShapeCampo1")).rect, avantiA = voce(d, QStringLiteral("QRShapeCampo2")).rect;
    const QRectF avantiB = voce(d, QStringLiteral("QRShapeCampo3")).rect, fondoB = voce(d, QStringLiteral("QRShapeCampo4")).rect;
    QCOMPARE(fondoA.size(), QSizeF(210, 315));
    QCOMPARE(avantiA.size(), QSizeF(105, 315));
    QVERIFY(dentro(voce(d, QStringLiteral("QRShape_A4GENE")).rect, avantiA));
    QVERIFY(dentro(voce(d, QStringLiteral("QRShape_A1GENE")).rect, fondoA));
    QVERIFY(dentro(voce(d, QStringLiteral("QRShape_B2GENE")).rect, avantiB));
    QVERIFY(dentro(voce(d, QStringLiteral("QRShape_B10GENE")).rect, fondoB));
    // A's zone 4 faces B's zone 2 across the net; A's zone 1 is at the bottom, B's at the top.
    QCOMPARE(voce(d, QStringLiteral("QRShape_A4GENE")).rect.center().y(), voce(d, QStringLiteral("QRShape_B2GENE")).rect.center().y());
    QVERIFY(voce(d, QStringLiteral("QRShape_A1GENE")).rect.y() > voce(d, QStringLiteral("QRShape_B1GENE")).rect.y());
    // The caption of the translation table over the court, and the notes.
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel7")), QStringLiteral("Dettaglio rotazione :"));
    QVERIFY(voce(d, QStringLiteral("QRLabel7")).y() < fondoA.y());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel1")), QStringLiteral("Note:"));
    QVERIFY(d.pages.first().item(QStringLiteral("QRLineaNote5")));
}

void TestStRotazioni::dettaglio_senza_colori()
{
    Tabellone c;
    impostazione("COLOR_GIOCATORI", false);
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButROTA6");
    const ReportDocument d = dettaglio(f);
    for (const char *s : {"A", "B"})
        for (int p = 1; p <= 13; ++p)
            QCOMPARE(voce(d, QStringLiteral("QRShape_%1%2GENE").arg(QLatin1String(s)).arg(p)).fill, QColor(Qt::white));
    QCOMPARE(stampati(d, "B"), L("2:21 3:22 7:24 10:23 12:27 13:26"));
}

void TestStRotazioni::una_squadra_sola_o_nessuna()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    clicca(&f, "ButROTA1");
    spunta(&f, "cbStampaSqB", false);
    ReportDocument d = dettaglio(f);
    // Team A's half with its circles; team B's without circles, texts or numbers, and its heading.
    QCOMPARE(stampati(d, "A"), L("1:1 2:4 3:3 4:2 5:7 6:5"));
    QCOMPARE(stampati(d, "B"), QStringList());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraB")), QStringLiteral("SQUADRA B"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaB")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaBVal")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabBmetodo")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabB1")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabB1GENE")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaAVal")), QStringLiteral("1"));
    // The six courts with B unticked: A's cells only, the captions still there.
    d = piccoli(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA1R1")), QStringLiteral("b1p"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabB2R1")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPRIMA")), QStringLiteral("ZP1 - Prima rotazione - ZP3"));
    // Both unticked: headings as designed, captions, cells and lists empty, no circle at all.
    spunta(&f, "cbStampaSqA", false);
    d = piccoli(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QStringLiteral("SQUADRA A"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraB")), QStringLiteral("SQUADRA B"));
    for (int posto = 0; posto < 6; ++posto)
        QCOMPARE(testoVoce(d, TStRotazioniPic::EtichettaRotazione(posto)), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA1R1")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA1")), QString());
    d = dettaglio(f);
    QCOMPARE(stampati(d, "A"), QStringList());
}

void TestStRotazioni::prima_di_ogni_rotazione()
{
    Tabellone c;
    TFrmRTrotazioni f;
    // Nothing chosen yet: empty headings for the ticked teams, empty courts, no "0" for the zone.
    ReportDocument d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaAVal")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabAmetodo")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabTitolo")), QStringLiteral("Dettaglio rotazione:"));
    QCOMPARE(stampati(d, "A"), L("1: 2: 3: 4: 5: 6:"));
    QCOMPARE(voce(d, QStringLiteral("QRShape_A1GENE")).fill, QColor(Qt::white));
    d = piccoli(f);
    QCOMPARE(d.pageLayout.orientation(), QPageLayout::Landscape);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA1R1")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPRIMA")), QStringLiteral("Prima rotazione"));
    // After a generation, before a rotation button: the names, still no zone.
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QStringLiteral("Volley Sant'Anna"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaAVal")), QString());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaA")), QStringLiteral("Posizione partenza palleggiatore:"));
}

void TestStRotazioni::squadra_chiamata_squadra_a()
{
    // A team really named "Squadra A" prints its name; in English no team prints "Team A".
    Tabellone c;
    aggiungiSquadra(3, QStringLiteral("Squadra A"));
    impostaFormazione(3, QStringLiteral("P-S-C-O-S-C"), {1, 2, 3, 4, 5, 6}, 7);
    impostazione("LINGUA", QStringLiteral("English"));
    TFrmRTrotazioni f;
    QCOMPARE(testo(&f, "LabSquadraA"), QStringLiteral("Team A"));
    ReportDocument d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QString());
    prepara(&f, QStringLiteral("Squadra A"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QStringLiteral("Squadra A"));
    d = piccoli(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSquadraA")), QStringLiteral("Squadra A"));
}

void TestStRotazioni::sei_rotazioni()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    const ReportDocument d = piccoli(f);
    QCOMPARE(d.pageLayout.orientation(), QPageLayout::Landscape);
    QCOMPARE(d.pages.size(), 1);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabTitolo")), QStringLiteral("Dettaglio 6 rotazioni:"));
    // The captions: QRLabSESTA, second over the top row, carries the second rotation's caption.
    QCOMPARE(TStRotazioniPic::EtichettaRotazione(1), QStringLiteral("QRLabSESTA"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSESTA")), figlio<QPushButton>(&f, "ButROTA6")->text());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSESTA")), QStringLiteral("ZP6 - Seconda rotazione - ZP2"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPRIMA")), figlio<QPushButton>(&f, "ButROTA1")->text());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabQUINTA")), figlio<QPushButton>(&f, "ButROTA5")->text());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabQUARTA")), figlio<QPushButton>(&f, "ButROTA4")->text());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabTERZA")), figlio<QPushButton>(&f, "ButROTA3")->text());
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabSECONDA")), QStringLiteral("ZP2 - Sesta rotazione - ZP4"));
    // Each caption over its court, the first row above the second.
    const ReportItem &sesta = voce(d, QStringLiteral("QRLabSESTA"));
    QVERIFY(sesta.y() < voce(d, QStringLiteral("QRLabSECONDA")).y());
    QVERIFY(voce(d, QStringLiteral("QRLabPRIMA")).x() < sesta.x());
    const QRectF avantiA6 = voce(d, QStringLiteral("QRShapeCampo6_2")).rect; // offset 5, A's front court
    QCOMPARE(avantiA6.size(), QSizeF(50, 150));
    QCOMPARE(voce(d, QStringLiteral("QRShapeCampo6_1")).rect.size(), QSizeF(100, 150));
    QVERIFY(dentro(voce(d, QStringLiteral("QRLabA4R6")).rect, avantiA6));
    QVERIFY(qAbs(avantiA6.center().x() - sesta.rect.center().x()) < 200);
    QVERIFY(sesta.rect.bottom() <= avantiA6.top());
    // The cells: the board's texts; the server bold, the setter's cells coloured, the rest white.
    for (int k = 0; k < 6; ++k)
        for (int z = 1; z <= 6; ++z)
            for (const char *s : {"A", "B"}) {
                const QString nome = QStringLiteral("%1%2R%3").arg(QLatin1String(s)).arg(z).arg(k + 1);
                const ReportItem &cell = voce(d, QStringLiteral("QRLab") + nome);
                QCOMPARE(cell.text, testoDi(&f, nome));
                QCOMPARE(cell.font.pointSize(), 12);
                QCOMPARE(cell.font.bold(), cell.text.startsWith(QLatin1Char('b')));
                QCOMPARE(cell.fill, cell.text.endsWith(QLatin1Char('p')) ? QColor(0xFF, 0x00, 0xFF) : QColor(Qt::white));
            }
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA1R1")), QStringLiteral("b1p"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabB2R1")), QStringLiteral("21p"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabBmetodo")), QStringLiteral("Metodo: P-C-S-O-C-S"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel7")), QStringLiteral("Dettaglio rotazione :"));
    QVERIFY(d.pages.first().item(QStringLiteral("QRLineaCentro6")));
    QVERIFY(d.pages.first().item(QStringLiteral("QRLineaNote3")));
}

void TestStRotazioni::sei_rotazioni_senza_grassetto_ne_colore()
{
    Tabellone c;
    impostazione("GRASSETTO_BATTUTA_PIC", false);
    impostazione("LETTERA_P_COLORE_PALL", false);
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    const ReportDocument d = piccoli(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabA1R1")), QStringLiteral("b1"));
    QVERIFY(!voce(d, QStringLiteral("QRLabA1R1")).font.bold());
    QCOMPARE(voce(d, QStringLiteral("QRLabA1R1")).fill, QColor(Qt::white));
}

void TestStRotazioni::traduzione_inglese()
{
    Tabellone c;
    // The libero is a D'Amico; team B has no libero.
    cambiaGiocatore(7, "cognome", QStringLiteral("D'Amico"));
    impostaFormazione(2, QStringLiteral("P-C-S-O-C-S"), {11, 12, 13, 14, 15, 16}, 0);
    impostazione("LINGUA", QStringLiteral("English"));
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    clicca(&f, "ButROTA1");
    ReportDocument d = dettaglio(f);
    // Data print as they are: the apostrophe stays, "Da inserire" is not looked up.
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabAlibe")), QStringLiteral("7 - Oscar D'Amico (FLOAT)"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabBlibe")), QStringLiteral("Da inserire"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabTitolo")), QStringLiteral("ZP1 First rotation ZP3")); // the board's
    // The design captions in English, the credit line too.
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPiede1")), QStringLiteral("Brivo_Rotaset, made by Brivo"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel1")), QStringLiteral("Notes:"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel7")), QStringLiteral("Rotation details:"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPartenzaA")), Traduci(QStringLiteral("Posizione partenza palleggiatore:"),
                                                                     QStringLiteral("English")));
    QVERIFY(testoVoce(d, QStringLiteral("QRLabPartenzaB")) != QStringLiteral("Posizione partenza palleggiatore:"));
    // A second print of the same board translates from the Italian again.
    d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel1")), QStringLiteral("Notes:"));
    d = piccoli(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabTitolo")), QStringLiteral("Details of the 6 rotations:"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabel1")), QStringLiteral("Notes:"));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabAlibe")), QStringLiteral("7 - Oscar D'Amico (FLOAT)"));
    // The rotation captions are the board's.
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPRIMA")), QStringLiteral("ZP1 - First rotation - ZP3"));
}

void TestStRotazioni::pdf_delle_due_stampe()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
    clicca(&f, "ButtGenera");
    clicca(&f, "ButROTA6");
    QTemporaryDir dir;
    const QString uno = dir.filePath(QStringLiteral("dettaglio.pdf")), sei = dir.filePath(QStringLiteral("sei.pdf"));
    QVERIFY(TStRotazioni(f.StatoPerStampa()).SalvaPdf(uno));
    QVERIFY(TStRotazioniPic(f.StatoPerStampa()).SalvaPdf(sei));
    // ROTASET_SCREENSHOTS names a folder that receives both prints in English and French, to look at.
    if (const QString cartella = qEnvironmentVariable("ROTASET_SCREENSHOTS"); !cartella.isEmpty()) {
        for (const QString &lingua : {QStringLiteral("English"), QStringLiteral("Français")}) {
            impostazione("LINGUA", lingua);
            TFrmRTrotazioni g;
            prepara(&g, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 3);
            clicca(&g, "ButtGenera");
            clicca(&g, "ButROTA6");
            const QString suffisso = QLatin1Char('-') + lingua.left(2) + QStringLiteral(".pdf");
            QVERIFY(TStRotazioni(g.StatoPerStampa()).SalvaPdf(QDir(cartella).filePath(QStringLiteral("rotazione") + suffisso)));
            QVERIFY(TStRotazioniPic(g.StatoPerStampa()).SalvaPdf(QDir(cartella).filePath(QStringLiteral("rotazioni") + suffisso)));
        }
        impostazione("LINGUA", QStringLiteral("Italiano"));
    }
    QVERIFY(!TStRotazioni(f.StatoPerStampa()).SalvaPdf(dir.path()));
    const QString t1 = pdftotext(uno), t6 = pdftotext(sei);
    if (t1.isEmpty())
        QSKIP("pdftotext is not installed");
    for (const char *atteso : {"ZP6 Dettaglio seconda rotazione ZP2", "Volley Sant'Anna", "Bianchi", "Ferri", "Note:"})
        QVERIFY2(t1.contains(QString::fromUtf8(atteso)), atteso);
    for (const char *atteso : {"Dettaglio 6 rotazioni:", "ZP6 - Seconda rotazione - ZP2", "b1p", "21p"})
        QVERIFY2(t6.contains(QString::fromUtf8(atteso)), atteso);
    // The print buttons open the previews.
    QStringList mostrate;
    setModalBackend([&](QDialog &d) {
        mostrate << d.windowTitle();
        return 0;
    });
    clicca(&f, "BTSstampa");
    clicca(&f, "BitBtn1");
    setModalBackend(nullptr);
    QCOMPARE(mostrate, (QStringList{QStringLiteral("ZP6 Dettaglio seconda rotazione ZP2"), QStringLiteral("Dettaglio 6 rotazioni:")}));
}

// The detail print shows the places as the board shows them, moved or not, with the board's label
// and a red line for each pair at fault.
void TestStRotazioni::posizioni_e_giocatori_spostati()
{
    Tabellone c;
    TFrmRTrotazioni f;
    prepara(&f, QStringLiteral("Volley Sant'Anna"), QStringLiteral("Pallavolo Riva"), 1, 4);
    clicca(&f, "rgBattutaB");
    clicca(&f, "ButROTA1"); // A receives in legal positions
    ReportDocument d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPosizioni")), QStringLiteral("Posizioni regolari"));
    QVERIFY(!d.pages.first().item(QStringLiteral("QRLineaFalloA_1")));
    // Rotation 5: 2-3 (C2 in zone 3 left of P in zone 2) and 1-6 (O at spot 7 right of L at spot 13).
    clicca(&f, "ButROTA3");
    // S2 (rot 5) dragged from spot 12 up to the net: 4-5 as well.
    auto *cerchio = figlio<QWidget>(&f, "FAN_Shape_A12GENE");
    const QPointF verso = f.campoDettaglio()->misure().inDisegno(Squadra::A, {8.0, 1.0});
    const QPointF scarto = f.campoDettaglio()->misure().inDisegno(Squadra::A, PostoNelCampo(12)) - f.centroCerchio(Squadra::A, 12);
    QTest::mousePress(cerchio, Qt::LeftButton);
    QTest::mouseRelease(cerchio, Qt::LeftButton, {}, cerchio->mapFromParent((verso - scarto).toPoint()));
    const QString atteso = QStringLiteral("Fallo di posizione squadra A: 4-5, 2-3, 1-6");
    QCOMPARE(testo(&f, "LabelPosizioni"), atteso);
    d = dettaglio(f);
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPosizioni")), atteso);
    QCOMPARE(voce(d, QStringLiteral("QRLabPosizioni")).color, QColor(0xE0, 0x00, 0x00));
    // The moved player prints in A's front court; each line joins the printed circles of its pair.
    QVERIFY(dentro(voce(d, QStringLiteral("QRShape_A12GENE")).rect, voce(d, QStringLiteral("QRShapeCampo2")).rect));
    auto centro = [&d](const char *nome) { return voce(d, QLatin1String(nome)).rect.center(); };
    const QLineF attese[3] = {{centro("QRShape_A10GENE"), centro("QRShape_A12GENE")},
                              {centro("QRShape_A2GENE"), centro("QRShape_A3GENE")},
                              {centro("QRShape_A7GENE"), centro("QRShape_A13GENE")}};
    for (int i = 0; i < 3; ++i) {
        const ReportItem &linea = voce(d, QStringLiteral("QRLineaFalloA_%1").arg(i + 1));
        QCOMPARE(linea.kind, ReportItem::Kind::Line);
        QCOMPARE(linea.line(), attese[i]);
        QCOMPARE(linea.color, QColor(0xE0, 0x00, 0x00));
    }
    QVERIFY(!d.pages.first().item(QStringLiteral("QRLineaFalloA_4")));
    QVERIFY(!d.pages.first().item(QStringLiteral("QRLineaFalloB_1")));
    // Team A not ticked: no circles, so no lines; the board's verdict still prints.
    spunta(&f, "cbStampaSqA", false);
    d = dettaglio(f);
    QVERIFY(!d.pages.first().item(QStringLiteral("QRLineaFalloA_1")));
    QCOMPARE(testoVoce(d, QStringLiteral("QRLabPosizioni")), atteso);
    // The six-courts print knows nothing of it.
    const ReportDocument sei = piccoli(f);
    QVERIFY(!sei.pages.first().item(QStringLiteral("QRLabPosizioni")));
}

QTEST_MAIN(TestStRotazioni)
#include "test_strotazioni.moc"
