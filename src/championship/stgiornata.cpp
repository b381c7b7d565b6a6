#include "championship/stgiornata.h"

#include "championship/dategiornate.h"
#include "championship/stampe.h"
#include "store/campigiornata.h"
#include "store/impostazioni.h"

namespace {
constexpr qreal AltezzaTitolo = 50;
constexpr qreal YTitolo = 12;
constexpr qreal AltezzaIntestazione = 30;
constexpr qreal YIntestazione = 6;
constexpr qreal PassoRiga = 24; // one match line below the other
constexpr qreal YDettaglio = 4;

QString campo(const char *prefisso, int k) { return QLatin1String(prefisso) + QString::number(k); }
} // namespace

TStGiornata::TStGiornata() : Query1(QStringLiteral("select * from giornate.db where giornata = ?")) {}

TStGiornata::~TStGiornata() { Query1.close(); }

void TStGiornata::StGiornataBeforePrint(int numero)
{
    // The matchday as it is now; the number goes in as a value.
    Query1.close();
    Query1.setSql(QStringLiteral("select * from giornate.db where giornata = ?"));
    Query1.addBindValue(numero);
    Query1.open();

    titolo = QStringLiteral("Stampa dei risultati della giornata numero");
    localeIntestazione = QStringLiteral("Nome squadra locale");
    ospiteIntestazione = QStringLiteral("Nome squadra ospite");
    credito = QLatin1String(CreditoStampa);
    const Lingua lingua = LinguaImpostata();
    if (lingua == Lingua::Italiano)
        return;
    // The "Set" headers and the web line stay as they are.
    titolo = Traduci(titolo, lingua);
    localeIntestazione = Traduci(localeIntestazione, lingua);
    ospiteIntestazione = Traduci(ospiteIntestazione, lingua);
    credito = Traduci(credito, lingua);
}

ReportDocument TStGiornata::Pagine(int numero)
{
    StGiornataBeforePrint(numero);
    Query1.first();
    const bool trovata = !Query1.eof();

    ReportBuilder pagine;
    const qreal larghezza = ReportDocument().area().width();
    const QFont f = CarattereStampa("Arial", 10);

    ReportBand bandaTitolo(AltezzaTitolo);
    const QFont grande = CarattereStampa("Arial", 14, true);
    bandaTitolo.addText(QStringLiteral("QRLabel1"), 120, YTitolo, titolo, grande);
    bandaTitolo.addText(QStringLiteral("QRLabNumGiornata"), 544, YTitolo,
                        trovata ? Query1.fieldByName(QStringLiteral("Giornata")).asString() : QString(), grande);
    // The matchday's date below the title, when one is stored; without it the page is as before.
    if (const QString data = trovata ? DataDellaGiornata(numero) : QString(); !data.isEmpty()) {
        bandaTitolo.addText(QStringLiteral("QRLabData"), QRectF(120, YTitolo + 26, larghezza - 120, 18), data,
                            CarattereStampa("Arial", 11), Qt::AlignLeft | Qt::AlignTop);
        bandaTitolo.setHeight(AltezzaTitolo + 14);
    }
    pagine.setTitle(bandaTitolo);

    ReportBand intestazione(AltezzaIntestazione);
    intestazione.addText(QStringLiteral("QRLabel2"), 24, YIntestazione, localeIntestazione, f);
    intestazione.addText(QStringLiteral("QRLabel3"), 312, YIntestazione, ospiteIntestazione, f);
    intestazione.addText(QStringLiteral("QRLabel4"), 592, YIntestazione, QStringLiteral("Set"), f);
    intestazione.addText(QStringLiteral("QRLabel5"), 656, YIntestazione, QStringLiteral("Set"), f);
    intestazione.addLine(QStringLiteral("QRShape1"), QPointF(0, AltezzaIntestazione - 3),
                         QPointF(larghezza, AltezzaIntestazione - 3));
    pagine.setColumnHeader(intestazione);

    pagine.setPageFooter(PiedeStampa(credito, ContattiStampa(), QStringLiteral("QRLabel6"), QStringLiteral("QRLabel7"),
                                     QStringLiteral("QRShape2")));

    if (trovata) {
        // One record: one detail band with its ten match lines.
        ReportBand dettaglio(PassoRiga * PartiteGiornata + YDettaglio);
        const auto testo = [this](const QString &nome) { return Query1.fieldByName(nome).asString(); };
        for (int partita = 1; partita <= PartiteGiornata; ++partita) {
            const qreal y = YDettaglio + PassoRiga * (partita - 1);
            const int casa = 2 * partita - 1;
            const int ospite = 2 * partita;
            dettaglio.addText(campo("QRDBSquadra", casa), 24, y, testo(CampoSquadra(casa)), f);
            dettaglio.addText(campo("QRDBSquadra", ospite), 312, y, testo(CampoSquadra(ospite)), f);
            dettaglio.addText(campo("QRDBSet", casa), 592, y, testo(CampoSet(casa)), f);
            dettaglio.addText(campo("QRDBSet", ospite), 658, y, testo(CampoSet(ospite)), f);
        }
        pagine.addDetail(dettaglio);
    }

    ReportDocument documento = pagine.finish();
    // The preview's title names the matchday, as the page does.
    documento.title = titolo + QLatin1Char(' ') + QString::number(numero);
    return documento;
}

void TStGiornata::Anteprima(int numero, QWidget *parent) { previewReport(Pagine(numero), parent); }

bool TStGiornata::SalvaPdf(int numero, const QString &file) { return writeReportPdf(Pagine(numero), file); }
