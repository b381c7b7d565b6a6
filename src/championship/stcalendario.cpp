#include "championship/stcalendario.h"

#include "championship/stampe.h"
#include "store/engineerror.h"
#include "store/impostazioni.h"

#include <QFontMetricsF>

namespace {
constexpr qreal AltezzaTitolo = 64;
constexpr qreal Colonna = 354;  // the width of each leg's column
constexpr qreal XRitorno = 364; // where the return leg's column starts
constexpr qreal AltezzaTesta = 36; // the leg's caption and its date
constexpr qreal PassoRiga = 16;
constexpr qreal LarghezzaSet = 34;
constexpr qreal Spazio = 14; // below each block

// The text's width in report units (pixels at 96 dpi) in that font.
qreal larghezzaTesto(const QFont &font, const QString &testo)
{
    QFont g = font;
    g.setPixelSize(qRound(font.pointSizeF() * ReportDpi / 72.0 * 8));
    return QFontMetricsF(g).horizontalAdvance(testo) / 8;
}

// The font made smaller, never below the reports' readable 8 points, and the text shortened with an
// ellipsis only when even that does not fit.
std::pair<QFont, QString> cheEntra(const QFont &carattere, const QString &testo, qreal larghezza)
{
    QFont f = carattere;
    while (f.pointSize() > TStCalendario::PuntiMinimi && larghezzaTesto(f, testo) > larghezza)
        f.setPointSize(f.pointSize() - 1);
    if (larghezzaTesto(f, testo) <= larghezza)
        return {f, testo};
    QString corto = testo;
    while (!corto.isEmpty() && larghezzaTesto(f, corto + QChar(0x2026)) > larghezza)
        corto.chop(1);
    return {f, corto + QChar(0x2026)};
}

struct Parole {
    QString titolo = QStringLiteral("C A L E N D A R I O");
    QString andata = QStringLiteral("Andata");
    QString ritorno = QStringLiteral("Ritorno");
    QString giornata = QStringLiteral("Giornata");
    QString riposa = QStringLiteral("Riposa");
    QString credito = QLatin1String(CreditoStampa);
};

void colonnaGiornata(ReportBand &banda, const QString &prefisso, qreal x, const QString &gamba, int numero,
                     const GiornataCalendario *g, const DateGiornate &date, const QLocale &locale, const Parole &p)
{
    const QFont testa = CarattereStampa("Arial", 10, true);
    const QFont normale = CarattereStampa("Arial", 9);
    const QFont data = CarattereStampa("Arial", 9, false);
    banda.addRectangle(prefisso + QStringLiteral("Fondo"), QRectF(x, 0, Colonna, AltezzaTesta - 4), QColor(200, 200, 200),
                       QColor(235, 235, 235));
    const auto [fTesta, tTesta] = cheEntra(testa, QStringLiteral("%1 - %2 %3").arg(gamba, p.giornata).arg(numero), Colonna - 8);
    banda.addText(prefisso + QStringLiteral("Giornata"), QRectF(x + 4, 2, Colonna - 8, 16), tTesta, fTesta,
                  Qt::AlignLeft | Qt::AlignTop);
    const QString testoData = TestoData(date.value(numero), locale);
    banda.addText(prefisso + QStringLiteral("Data"), QRectF(x + 4, 17, Colonna - 8, 14), testoData, data,
                  Qt::AlignLeft | Qt::AlignTop);
    if (!g)
        return;
    qreal y = AltezzaTesta;
    const qreal nome = (Colonna - LarghezzaSet - 16) / 2;
    for (const PartitaCalendario &partita : g->partite) {
        const auto [fCasa, tCasa] = cheEntra(normale, partita.casa, nome - 6); // a gap before the dash
        const auto [fOspite, tOspite] = cheEntra(normale, partita.ospite, nome);
        banda.addText(prefisso + QStringLiteral("Casa"), QRectF(x + 4, y, nome - 6, PassoRiga), tCasa, fCasa,
                      Qt::AlignLeft | Qt::AlignVCenter);
        banda.addText(prefisso + QStringLiteral("Trattino"), QRectF(x + 4 + nome, y, 8, PassoRiga), QStringLiteral("-"),
                      normale, Qt::AlignHCenter | Qt::AlignVCenter);
        banda.addText(prefisso + QStringLiteral("Ospite"), QRectF(x + 12 + nome, y, nome, PassoRiga), tOspite, fOspite,
                      Qt::AlignLeft | Qt::AlignVCenter);
        banda.addText(prefisso + QStringLiteral("Set"), QRectF(x + Colonna - LarghezzaSet - 4, y, LarghezzaSet, PassoRiga),
                      partita.giocata() ? QStringLiteral("%1-%2").arg(partita.setCasa, partita.setOspite) : QString(),
                      CarattereStampa("Arial", 9, true), Qt::AlignRight | Qt::AlignVCenter);
        y += PassoRiga;
    }
    if (!g->riposo.isEmpty()) {
        const auto [f, t] = cheEntra(CarattereStampa("Arial", 9), QStringLiteral("%1: %2").arg(p.riposa, g->riposo),
                                     Colonna - 8);
        QFont corsivo = f;
        corsivo.setItalic(true);
        banda.addText(prefisso + QStringLiteral("Riposo"), QRectF(x + 4, y, Colonna - 8, PassoRiga), t, corsivo,
                      Qt::AlignLeft | Qt::AlignVCenter);
    }
}

int righe(const GiornataCalendario *g) { return g ? int(g->partite.size()) + (g->riposo.isEmpty() ? 0 : 1) : 0; }
} // namespace

ReportDocument TStCalendario::Pagine(const QList<GiornataCalendario> &calendario, const DateGiornate &date,
                                     const QString &annata, const QString &categoria, Lingua lingua)
{
    Parole p;
    if (lingua != Lingua::Italiano) {
        for (QString *parola : {&p.titolo, &p.andata, &p.ritorno, &p.giornata, &p.riposa, &p.credito})
            *parola = Traduci(*parola, lingua);
    }
    const QLocale locale = LocaleDate(lingua);
    const qreal larghezza = ReportDocument().area().width();

    ReportBuilder pagine;
    ReportBand titolo(AltezzaTitolo);
    titolo.addText(QStringLiteral("QRLabel1"), QRectF(0, 4, larghezza, 26), p.titolo, CarattereStampa("Arial", 16, true),
                   Qt::AlignHCenter | Qt::AlignTop);
    QStringList sotto;
    if (!categoria.trimmed().isEmpty())
        sotto << categoria.trimmed();
    if (!annata.trimmed().isEmpty())
        sotto << annata.trimmed();
    titolo.addText(QStringLiteral("QRLabAnnata"), QRectF(0, 32, larghezza, 20), sotto.join(QStringLiteral(" - ")),
                   CarattereStampa("Arial", 11), Qt::AlignHCenter | Qt::AlignTop);
    titolo.addLine(QStringLiteral("QRShape1"), QPointF(0, AltezzaTitolo - 6), QPointF(larghezza, AltezzaTitolo - 6));
    pagine.setTitle(titolo);
    pagine.setPageFooter(PiedeStampa(p.credito, ContattiStampa(), QStringLiteral("QRLabel6"), QStringLiteral("QRLabel7"),
                                     QStringLiteral("QRShape2")));

    // The number of matchdays is the highest stored; the first half is the first leg.
    int ultima = 0;
    QMap<int, const GiornataCalendario *> perNumero;
    for (const GiornataCalendario &g : calendario) {
        if (g.partite.isEmpty() && g.riposo.isEmpty())
            continue; // a record without teams is no matchday of the calendar
        ultima = qMax(ultima, g.numero);
        perNumero.insert(g.numero, &g);
    }
    const int meta = (ultima + 1) / 2;
    for (int k = 1; k <= meta; ++k) {
        const GiornataCalendario *andata = perNumero.value(k);
        const GiornataCalendario *ritorno = perNumero.value(k + meta);
        ReportBand blocco(AltezzaTesta + PassoRiga * qMax(righe(andata), righe(ritorno)) + Spazio);
        colonnaGiornata(blocco, QStringLiteral("QRAndata"), 0, p.andata, k, andata, date, locale, p);
        if (k + meta <= ultima)
            colonnaGiornata(blocco, QStringLiteral("QRRitorno"), XRitorno, p.ritorno, k + meta, ritorno, date, locale, p);
        pagine.addDetail(blocco);
    }

    ReportDocument documento = pagine.finish();
    // The preview names the PDF after it: a "2024/2025" season is no folder.
    documento.title = QStringLiteral("Calendario %1").arg(annata.trimmed()).trimmed().replace(QLatin1Char('/'), QLatin1Char('-'));
    return documento;
}

ReportDocument TStCalendario::Pagine()
{
    const QList<GiornataCalendario> calendario = LeggiCalendario();
    DateGiornate date;
    date = LeggiDateGiornate();
    return Pagine(calendario, date, LeggiImpostazione(QStringLiteral("ANNATA")),
                  LeggiImpostazione(QStringLiteral("CATEGORIA")), LinguaImpostata());
}

void TStCalendario::Anteprima(QWidget *parent) { previewReport(Pagine(), parent); }

bool TStCalendario::SalvaPdf(const QString &file) { return writeReportPdf(Pagine(), file); }
