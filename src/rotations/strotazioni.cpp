#include "rotations/strotazioni.h"

#include "core/configurazione.h"
#include "rotations/geometriacampo.h"
#include "store/impostazioni.h"

namespace rotazioni {

namespace {

constexpr qreal AltezzaPiede = 36;
const QColor LineaCampo(0x30, 0x30, 0x30);
const QColor FondoCampo(0xFF, 0xE8, 0xCC); // the board's orange, light enough for paper

QFont carattere(const char *famiglia, qreal punti, bool grassetto = false)
{
    QFont f{QString::fromLatin1(famiglia)};
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    return f;
}

QString lettera(Squadra s) { return s == Squadra::A ? QStringLiteral("A") : QStringLiteral("B"); }

// A design caption as it prints: translated when LINGUA asks for it. Data (names, players, the
// board's own captions) never pass through here.
class Didascalie {
public:
    Didascalie() : lingua(LinguaImpostata()) {}
    QString operator()(const char *italiano) const
    {
        const QString testo = QString::fromUtf8(italiano);
        return lingua != Lingua::Italiano ? Traduci(testo, lingua) : testo;
    }

private:
    Lingua lingua;
};

// A team's heading: the name the board shows for a ticked team (empty while the board shows
// none), the design heading "SQUADRA A" for a team not ticked.
QString intestazione(const StatoTabellone::Lato &l, Squadra s)
{
    if (!l.spuntata)
        return QStringLiteral("SQUADRA ") + lettera(s);
    return l.mostrata ? l.nome : QString();
}

QString metodo(const StatoTabellone::Lato &l)
{
    return l.spuntata && !l.metodo.isEmpty() ? QStringLiteral("Metodo: ") + l.metodo : QString();
}

// The line-up lists, A's at the left and B's right-aligned at the right, from y on.
void liste(ReportBand &banda, const StatoTabellone &stato, qreal y, qreal passo, qreal larghezza)
{
    const QFont f = carattere("Arial", 9);
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const StatoTabellone::Lato &l = stato.lato(s);
        const QString t = lettera(s);
        const Qt::Alignment a = (s == Squadra::A ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop;
        const qreal x = s == Squadra::A ? 0 : larghezza * 0.6;
        const qreal w = larghezza * 0.4;
        banda.addText(QStringLiteral("QRLab%1metodo").arg(t), QRectF(x, y, w, passo), metodo(l), f, a);
        for (int i = 0; i < 7; ++i) {
            const QString nome = i < 6 ? QStringLiteral("QRLab%1%2").arg(t).arg(i + 1) : QStringLiteral("QRLab%1libe").arg(t);
            banda.addText(nome, QRectF(x, y + (i + 1) * passo, w, passo), l.spuntata ? l.lista[i] : QString(), f, a);
        }
    }
}

void intestazioni(ReportBand &banda, const StatoTabellone &stato, qreal y, qreal larghezza)
{
    const QFont f = carattere("Verdana", 11, true);
    banda.addText(QStringLiteral("QRLabSquadraA"), QRectF(0, y, larghezza / 2, 20), intestazione(stato.lato(Squadra::A), Squadra::A),
                  f, Qt::AlignLeft | Qt::AlignTop);
    banda.addText(QStringLiteral("QRLabSquadraB"), QRectF(larghezza / 2, y, larghezza / 2, 20),
                  intestazione(stato.lato(Squadra::B), Squadra::B), f, Qt::AlignRight | Qt::AlignTop);
}

// The four rectangles and the net of a court drawing at the origin.
void disegnaCampo(ReportBand &banda, const QString &nome, const MisureCampo &m, const QPointF &origine)
{
    const auto rett = m.rettangoli();
    for (int i = 0; i < 4; ++i) {
        ReportItem &r = banda.addRectangle(nome + QString::number(i + 1), rett[i].translated(origine), LineaCampo, FondoCampo);
        r.penWidth = 1.5;
    }
    banda.addRectangle(nome + QStringLiteral("Rete"), m.reteRett().translated(origine), LineaCampo, LineaCampo);
}

void note(ReportBand &banda, const Didascalie &tr, qreal y, int righe, qreal larghezza)
{
    banda.addText(QStringLiteral("QRLabel1"), 0, y, tr("Note:"), carattere("Arial", 10, true));
    for (int i = 1; i <= righe; ++i)
        banda.addLine(QStringLiteral("QRLineaNote%1").arg(i), QPointF(0, y + i * 26), QPointF(larghezza, y + i * 26),
                      QColor(0x80, 0x80, 0x80), 0.8);
}

ReportBand piede(qreal larghezza)
{
    ReportBand banda(AltezzaPiede);
    const QFont piccolo = carattere("Arial", 8);
    banda.addLine(QStringLiteral("QRShapePiede"), QPointF(0, 8), QPointF(larghezza, 8));
    // The credit line reads in the print's language, as on the championship's prints.
    banda.addText(QStringLiteral("QRLabPiede1"), 0, 14, Didascalie()("Brivo_Rotaset, realizzato da Brivo"), piccolo);
    banda.addText(QStringLiteral("QRLabPiede2"), QRectF(larghezza / 2, 14, larghezza / 2, 16),
                  QLatin1String(IndirizzoSitoBrivo) + QStringLiteral("  -  ") + QLatin1String(MailSupportoBrivo), piccolo,
                  Qt::AlignRight | Qt::AlignTop);
    return banda;
}

ReportDocument componi(const QPageLayout &carta, ReportBand titolo, const QString &nome)
{
    ReportBuilder pagine(carta);
    ReportDocument vuoto;
    vuoto.pageLayout = carta;
    const QSizeF area = vuoto.area();
    titolo.setHeight(area.height() - AltezzaPiede);
    pagine.setTitle(titolo);
    pagine.setPageFooter(piede(area.width()));
    ReportDocument d = pagine.finish();
    d.title = nome;
    return d;
}

// The big court's half of a team before any rotation is shown: zones with empty texts and white
// circles, the spots hidden.
MetaCampo metaVuota()
{
    MetaCampo m;
    for (int p = 7; p <= 13; ++p)
        m.posto(p).visibile = false;
    return m;
}

} // namespace

ReportDocument TStRotazioni::Pagine() const
{
    const Didascalie tr;
    ReportDocument carta;
    const qreal W = carta.area().width();
    ReportBand b;
    b.addText(QStringLiteral("QRLabTitolo"), QRectF(0, 0, W, 26), stato.titoloDettaglio, carattere("Verdana", 14, true),
              Qt::AlignHCenter | Qt::AlignTop);
    intestazioni(b, stato, 36, W);

    const QFont f = carattere("Arial", 9);
    const QFont grassetto = carattere("Arial", 9, true);
    const StatoTabellone::Lato &a = stato.lato(Squadra::A), &bb = stato.lato(Squadra::B);
    auto zona = [](const StatoTabellone::Lato &l) {
        return l.spuntata && l.zonaPalleggiatore != 0 ? QString::number(l.zonaPalleggiatore) : QString();
    };
    const QString partenza = tr("Posizione partenza palleggiatore:");
    b.addText(QStringLiteral("QRLabPartenzaA"), QRectF(0, 60, 200, 16), a.spuntata ? partenza : QString(), f,
              Qt::AlignLeft | Qt::AlignTop);
    b.addText(QStringLiteral("QRLabPartenzaAVal"), QRectF(204, 60, 30, 16), zona(a), grassetto,
              Qt::AlignLeft | Qt::AlignTop);
    b.addText(QStringLiteral("QRLabPartenzaB"), QRectF(W / 2, 60, W / 2 - 24, 16), bb.spuntata ? partenza : QString(), f,
              Qt::AlignRight | Qt::AlignTop);
    b.addText(QStringLiteral("QRLabPartenzaBVal"), QRectF(W - 20, 60, 20, 16), zona(bb), grassetto,
              Qt::AlignRight | Qt::AlignTop);
    liste(b, stato, 84, 16, W);

    // The big court, as on the board, scaled to the page.
    const MisureCampo m{210, 105, 315, 2};
    const QPointF origine((W - m.larghezza()) / 2, 270);
    b.addText(QStringLiteral("QRLabel7"), origine.x(), 222, tr("Dettaglio rotazione :"), carattere("Arial", 10, true));
    disegnaCampo(b, QStringLiteral("QRShapeCampo"), m, origine);
    const QSizeF box(102, 48);
    const QFont nomi = carattere("Arial", stato.puntiCampoGrande > 0 ? stato.puntiCampoGrande : 8);
    const QFont numeri = carattere("Arial", 8, true);
    for (Squadra s : {Squadra::A, Squadra::B}) {
        const StatoTabellone::Lato &l = stato.lato(s);
        const QString t = lettera(s);
        const MetaCampo meta = stato.dettaglio ? stato.dettaglio->squadra(s) : metaVuota();
        const bool destra = s == Squadra::B;
        const qreal xBattuta = destra ? origine.x() + m.larghezza() / 2 : origine.x();
        b.addText(QStringLiteral("QRLab%1battuta").arg(t), QRectF(xBattuta, 248, m.larghezza() / 2, 18),
                  l.spuntata ? meta.battuta : QString(), carattere("Arial", 10, true),
                  (destra ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
        std::array<int, 7> dove{}; // the place of each rotational position, for the lines
        for (int p = 13; p >= 1; --p)
            if (meta.posto(p).visibile && meta.posto(p).rotazionale >= 1 && meta.posto(p).rotazionale <= 6)
                dove[meta.posto(p).rotazionale] = p;
        auto centro = [&](int p) { return CerchioNelPosto(m.box(s, meta.punti[p - 1], box).translated(origine)).center(); };
        // The red lines first, so that the circles cover their ends as on the board.
        if (l.spuntata && stato.dettaglio) {
            int i = 0;
            for (const CoppiaPosizioni &c : stato.falli[int(s)]) {
                if (dove[c.prima] == 0 || dove[c.seconda] == 0)
                    continue;
                b.addLine(QStringLiteral("QRLineaFallo%1_%2").arg(t).arg(++i), centro(dove[c.prima]), centro(dove[c.seconda]),
                          QColor(0xE0, 0x00, 0x00), 2.5);
            }
        }
        for (int p = 1; p <= 13; ++p) {
            const PostoGrande &dati = meta.posto(p);
            const QRectF posto = m.box(s, meta.punti[p - 1], box).translated(origine);
            const bool mostra = l.spuntata && dati.visibile;
            const QString base = t + QString::number(p) + QStringLiteral("GENE");
            ReportItem &cerchio = b.addEllipse(QStringLiteral("QRShape_") + base, CerchioNelPosto(posto), Qt::black,
                                               stato.opzioni.coloraGiocatori ? dati.cerchio : QColor(Qt::white));
            // A team not ticked prints no circles at all.
            cerchio.visible = mostra;
            ReportItem &numero = b.addText(QStringLiteral("QRNum_") + base, CerchioNelPosto(posto), l.spuntata ? dati.numero : QString(),
                                           numeri, Qt::AlignCenter);
            numero.visible = mostra;
            ReportItem &testo = b.addText(QStringLiteral("QRLab") + base, NomeNelPosto(posto), l.spuntata ? dati.testo : QString(),
                                          nomi, Qt::AlignLeft | Qt::AlignVCenter);
            testo.visible = mostra;
        }
    }
    // The board's verdict on the places, under the court.
    QFont verdetto = carattere("Arial", 10, true);
    ReportItem &posizioni = b.addText(QStringLiteral("QRLabPosizioni"), QRectF(0, origine.y() + m.altezza + 6, W, 34),
                                      stato.testoPosizioni, verdetto, Qt::AlignHCenter | Qt::AlignTop);
    const bool regolari = stato.falli[0].isEmpty() && stato.falli[1].isEmpty();
    posizioni.color = regolari ? QColor(0x00, 0x70, 0x00) : QColor(0xE0, 0x00, 0x00);
    note(b, tr, origine.y() + m.altezza + 44, 5, W);
    return componi(ReportDocument::a4Portrait(), b, stato.titoloDettaglio);
}

int TStRotazioni::Anteprima(QWidget *parent) const { return previewReport(Pagine(), parent); }

bool TStRotazioni::SalvaPdf(const QString &file) const { return writeReportPdf(Pagine(), file); }

QString TStRotazioniPic::EtichettaRotazione(int posto)
{
    static const char *const Nomi[6] = {"QRLabPRIMA", "QRLabSESTA", "QRLabQUINTA", "QRLabQUARTA", "QRLabTERZA", "QRLabSECONDA"};
    return posto >= 0 && posto < 6 ? QLatin1String(Nomi[posto]) : QString();
}

ReportDocument TStRotazioniPic::Pagine() const
{
    const Didascalie tr;
    ReportDocument carta;
    carta.pageLayout = ReportDocument::a4Landscape();
    const qreal W = carta.area().width();
    ReportBand b;
    const QString titolo = tr("Dettaglio 6 rotazioni:");
    b.addText(QStringLiteral("QRLabTitolo"), QRectF(0, 0, W, 26), titolo, carattere("Verdana", 14, true),
              Qt::AlignHCenter | Qt::AlignTop);
    intestazioni(b, stato, 30, W);
    liste(b, stato, 52, 15, W);
    for (int i = 1; i <= 6; ++i)
        b.addLine(QStringLiteral("QRLineaCentro%1").arg(i), QPointF(W * 0.42, 52 + i * 18), QPointF(W * 0.58, 52 + i * 18),
                  QColor(0x80, 0x80, 0x80), 0.8);

    const MisureCampo m{100, 50, 150, 2};
    const qreal spazio = (W - 3 * m.larghezza()) / 4;
    b.addText(QStringLiteral("QRLabel7"), spazio, 184, tr("Dettaglio rotazione :"), carattere("Arial", 10, true));
    const bool qualcuna = stato.lato(Squadra::A).spuntata || stato.lato(Squadra::B).spuntata;
    const QSizeF cella(40, 22);
    for (int posto = 0; posto < 6; ++posto) {
        const int n = posto + 1; // top row rotations 1, 2, 3; bottom row 4, 5, 6
        const int k = OffsetDiRotazione(n);
        const QPointF origine(spazio + (posto % 3) * (m.larghezza() + spazio), posto < 3 ? 226 : 410);
        b.addText(EtichettaRotazione(posto), QRectF(origine.x(), origine.y() - 20, m.larghezza(), 18),
                  qualcuna ? stato.didascalie[n - 1] : QString(), carattere("Arial", 9, true), Qt::AlignHCenter | Qt::AlignTop);
        disegnaCampo(b, QStringLiteral("QRShapeCampo%1_").arg(k + 1), m, origine);
        for (Squadra s : {Squadra::A, Squadra::B}) {
            const StatoTabellone::Lato &l = stato.lato(s);
            for (int z = 1; z <= 6; ++z) {
                const QString nome = lettera(s) + QStringLiteral("%1R%2").arg(z).arg(k + 1);
                const QRectF box = m.posto(s, z, cella).translated(origine);
                CellaPiccola c;
                if (l.spuntata && stato.panoramica)
                    c = stato.panoramica->cella(s, z, k);
                QFont f = carattere("Arial", 12);
                f.setBold(stato.opzioni.grassettoBattuta && c.grassetto);
                ReportItem &t = b.addText(QStringLiteral("QRLab") + nome, box, c.testo, f, Qt::AlignCenter);
                t.fill = stato.opzioni.letteraP ? c.sfondo : QColor(Qt::white);
                b.addRectangle(QStringLiteral("QRBordo") + nome, box, LineaCampo);
            }
        }
    }
    note(b, tr, 580, 3, W);
    return componi(ReportDocument::a4Landscape(), b, titolo);
}

int TStRotazioniPic::Anteprima(QWidget *parent) const { return previewReport(Pagine(), parent); }

bool TStRotazioniPic::SalvaPdf(const QString &file) const { return writeReportPdf(Pagine(), file); }

} // namespace rotazioni
