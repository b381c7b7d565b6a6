#include "championship/stclassifica.h"

#include "championship/ordineclassifica.h"
#include "championship/stampe.h"
#include "store/impostazioni.h"

namespace {

// The captions as designed, in Italian; each print translates them afresh.
const char *const TitoloItaliano = "C L A S S I F I C A";
const char *const IntestazioniItaliane[] = {"Nome squadra", "Punti", "Set giocati", "SetVinti", "SetPersi", "Riposo"};
const qreal XIntestazioni[] = {24, 264, 344, 440, 512, 600};

// The detail line: field, item name and position.
struct Colonna {
    const char *campo;
    const char *nome;
    qreal x;
};
const Colonna ColonneDettaglio[] = {{"Squadre", "QRDBText1", 24}, {"Punti", "QRDBText2", 264},
                                    {"SetG", "QRDBText3", 376},    {"SetV", "QRDBText4", 459},
                                    {"SetP", "QRDBText5", 531},    {"Riposo", "QRDBText6", 601}};

// Heights of the bands and where their texts stand, in report units.
constexpr qreal AltezzaTitolo = 56;
constexpr qreal YTitolo = 12;
constexpr qreal AltezzaIntestazione = 30;
constexpr qreal YIntestazione = 6;
constexpr qreal AltezzaDettaglio = 22;
constexpr qreal YDettaglio = 3;

} // namespace

TStClassifica::TStClassifica() : QueryClassifica(QStringLiteral("select * from class.db order by punti desc")) {}

TStClassifica::~TStClassifica() { QueryClassifica.close(); }

QString TStClassifica::QRDBText6Print(const QString &riposo, int squadre)
{
    return ParolaRiposo(riposo, squadre);
}

void TStClassifica::StClassificaBeforePrint()
{
    // The standings as they are now, even when the same report printed before.
    QueryClassifica.close();
    QueryClassifica.open();
    OrdinaClassifica(QueryClassifica);

    titolo = QLatin1String(TitoloItaliano);
    intestazioni.clear();
    for (const char *testo : IntestazioniItaliane)
        intestazioni.append(QString::fromUtf8(testo));
    piedeProgramma = QLatin1String(CreditoStampa);
    piedeContatti = ContattiStampa();

    const Lingua lingua = LinguaImpostata();
    if (lingua == Lingua::Italiano)
        return;
    titolo = Traduci(titolo, lingua);
    for (QString &testo : intestazioni)
        testo = Traduci(testo, lingua);
    piedeProgramma = Traduci(piedeProgramma, lingua);
    piedeContatti = Traduci(piedeContatti, lingua);
}

ReportBand TStClassifica::bandaDettaglio()
{
    ReportBand banda(AltezzaDettaglio);
    const QFont f = CarattereStampa("Arial", 10);
    for (const Colonna &c : ColonneDettaglio) {
        QString testo = QueryClassifica.fieldByName(QLatin1String(c.campo)).asString();
        if (qstrcmp(c.campo, "Riposo") == 0)
            testo = QRDBText6Print(testo, QueryClassifica.recordCount());
        banda.addText(QLatin1String(c.nome), c.x, YDettaglio, testo, f);
    }
    return banda;
}

ReportDocument TStClassifica::Pagine()
{
    StClassificaBeforePrint();

    ReportBuilder pagine;
    const qreal larghezza = ReportDocument().area().width();

    ReportBand bandaTitolo(AltezzaTitolo);
    bandaTitolo.addText(QStringLiteral("QRLabel1"), 256, YTitolo, titolo, CarattereStampa("Verdana", 16, true));
    pagine.setTitle(bandaTitolo);

    ReportBand bandaIntestazione(AltezzaIntestazione);
    const QFont f = CarattereStampa("Arial", 10);
    for (int i = 0; i < intestazioni.size(); ++i) {
        // A translated header longer than its column prints smaller, never into the next one.
        const qreal spazio = (i + 1 < intestazioni.size() ? XIntestazioni[i + 1] : larghezza) - XIntestazioni[i] - 4;
        bandaIntestazione.addText(QStringLiteral("QRLabel%1").arg(i + 2), XIntestazioni[i], YIntestazione,
                                  intestazioni[i], CarattereCheEntra(f, intestazioni[i], spazio));
    }
    bandaIntestazione.addLine(QStringLiteral("QRShape1"), QPointF(0, AltezzaIntestazione - 3),
                              QPointF(larghezza, AltezzaIntestazione - 3));
    pagine.setColumnHeader(bandaIntestazione);

    pagine.setPageFooter(PiedeStampa(piedeProgramma, piedeContatti, QStringLiteral("QRLabel8"),
                                     QStringLiteral("QRLabel9"), QStringLiteral("QRShape2")));

    for (QueryClassifica.first(); !QueryClassifica.eof(); QueryClassifica.next())
        pagine.addDetail(bandaDettaglio());

    ReportDocument documento = pagine.finish();
    documento.title = titolo;
    return documento;
}

void TStClassifica::Anteprima(QWidget *parent)
{
    const ReportDocument documento = Pagine();
    previewReport(documento, parent);
}

bool TStClassifica::SalvaPdf(const QString &file) { return writeReportPdf(Pagine(), file); }
