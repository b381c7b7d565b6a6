#include "championship/ststatistichesquadra.h"

#include "championship/ordineclassifica.h"
#include "championship/stampe.h"
#include "store/impostazioni.h"

#include <QLocale>

namespace {
const char *const TitoloItaliano = "S t a t i s t i c h e   p e r   s q u a d r a";
// The column headers in the order they stand; the quotient's header is the sixth.
const char *const Intestazioni[] = {"Nome squadra", "Punti", "Set giocati", "Set vinti", "Set persi", "Quoz.set", "Riposo"};
const qreal XIntestazioni[] = {24, 264, 309, 389, 449, 520, 616};
constexpr int IndiceQuoziente = 5;

struct Colonna {
    const char *campo; // empty for the quotient
    const char *nome;
    qreal x;
};
const Colonna Dettaglio[] = {{"Squadre", "QRDBText1", 24}, {"Punti", "QRDBText2", 264}, {"SetG", "QRDBText3", 344},
                             {"SetV", "QRDBText4", 392},    {"SetP", "QRDBText5", 451},  {"", "GeneQuozienteSet", 521},
                             {"Riposo", "QRDBText6", 617}};

constexpr qreal AltezzaTitolo = 56;
constexpr qreal YTitolo = 12;
constexpr qreal AltezzaIntestazione = 30;
constexpr qreal YIntestazione = 6;
constexpr qreal AltezzaDettaglio = 22;
constexpr qreal YDettaglio = 3;
} // namespace

QString QuozienteSet(int setV, int setP)
{
    if (setP == 0)
        return QStringLiteral("Nullo");
    return QLocale().toString(double(setV) / double(setP), 'f', 2);
}

TStStatisticheSquadra::TStStatisticheSquadra() : Query1(QStringLiteral("select * from class.db order by punti desc")) {}

TStStatisticheSquadra::~TStStatisticheSquadra() { Query1.close(); }

void TStStatisticheSquadra::StClassificaBeforePrint()
{
    Query1.close();
    Query1.open();
    OrdinaClassifica(Query1);
    titolo = QLatin1String(TitoloItaliano);
    intestazioni.clear();
    for (const char *t : Intestazioni)
        intestazioni << QString::fromUtf8(t);
    credito = QLatin1String(CreditoStampa);
    const Lingua lingua = LinguaImpostata();
    if (lingua == Lingua::Italiano)
        return;
    // "Fatto", "Da fare", "Nullo" and the addresses stay as they are.
    titolo = Traduci(titolo, lingua);
    for (QString &t : intestazioni)
        t = Traduci(t, lingua);
    credito = Traduci(credito, lingua);
}

ReportDocument TStStatisticheSquadra::Pagine()
{
    StClassificaBeforePrint();
    ReportBuilder pagine;
    const qreal larghezza = ReportDocument().area().width();
    const QFont f = CarattereStampa("Arial", 10);

    ReportBand bandaTitolo(AltezzaTitolo);
    bandaTitolo.addText(QStringLiteral("QRLabel1"), 168, YTitolo, titolo, CarattereStampa("Verdana", 16, true));
    pagine.setTitle(bandaTitolo);

    ReportBand intestazione(AltezzaIntestazione);
    for (int i = 0; i < intestazioni.size(); ++i) {
        // QRLabel10 is the quotient's header, printed empty when quotients are left out.
        const QString nome = i == IndiceQuoziente ? QStringLiteral("QRLabel10") : QStringLiteral("QRLabel%1").arg(i + 2);
        const QString testo = i == IndiceQuoziente && !Quozienti ? QString() : intestazioni[i];
        const qreal spazio = (i + 1 < intestazioni.size() ? XIntestazioni[i + 1] : larghezza) - XIntestazioni[i] - 4;
        intestazione.addText(nome, XIntestazioni[i], YIntestazione, testo, CarattereCheEntra(f, testo, spazio));
    }
    intestazione.addLine(QStringLiteral("QRShape1"), QPointF(0, AltezzaIntestazione - 3),
                         QPointF(larghezza, AltezzaIntestazione - 3));
    pagine.setColumnHeader(intestazione);
    pagine.setPageFooter(PiedeStampa(credito, ContattiStampa(), QStringLiteral("QRLabel11"), QStringLiteral("QRLabel12"),
                                     QStringLiteral("QRShape2")));

    for (Query1.first(); !Query1.eof(); Query1.next()) {
        ReportBand banda(AltezzaDettaglio);
        for (const Colonna &c : Dettaglio) {
            QString testo;
            if (*c.campo == '\0')
                testo = Quozienti ? QuozienteSet(Query1.fieldByName(QStringLiteral("SetV")).asInteger(),
                                                 Query1.fieldByName(QStringLiteral("SetP")).asInteger())
                                  : QString();
            else if (qstrcmp(c.campo, "Riposo") == 0)
                testo = ParolaRiposo(Query1.fieldByName(QStringLiteral("Riposo")).asString(), Query1.recordCount());
            else
                testo = Query1.fieldByName(QLatin1String(c.campo)).asString();
            banda.addText(QLatin1String(c.nome), c.x, YDettaglio, testo, f);
        }
        pagine.addDetail(banda);
    }
    ReportDocument documento = pagine.finish();
    documento.title = titolo;
    return documento;
}

void TStStatisticheSquadra::Anteprima(QWidget *parent) { previewReport(Pagine(), parent); }

bool TStStatisticheSquadra::SalvaPdf(const QString &file) { return writeReportPdf(Pagine(), file); }
