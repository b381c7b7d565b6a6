#include "championship/stampe.h"

#include "core/configurazione.h"

#include <QFontMetricsF>

namespace {
constexpr qreal AltezzaPiede = 36;
constexpr qreal XCredito = 16;
} // namespace

QFont CarattereStampa(const char *famiglia, int punti, bool grassetto)
{
    QFont f{QString::fromLatin1(famiglia)};
    f.setPointSize(punti);
    f.setBold(grassetto);
    return f;
}

QFont CarattereCheEntra(const QFont &carattere, const QString &testo, qreal larghezza)
{
    QFont f = carattere;
    // Report units are pixels at 96 dpi; a point is 96/72 of them.
    const auto misura = [&](const QFont &font) {
        QFont g = font;
        g.setPixelSize(qRound(font.pointSizeF() * ReportDpi / 72.0 * 8)); // measured eight times larger
        return QFontMetricsF(g).horizontalAdvance(testo) / 8;
    };
    while (f.pointSize() > 6 && misura(f) > larghezza)
        f.setPointSize(f.pointSize() - 1);
    return f;
}

QString ContattiStampa()
{
    return QLatin1String(IndirizzoSitoBrivo) + QStringLiteral("  -  ") + QLatin1String(MailSupportoBrivo);
}

ReportBand PiedeStampa(const QString &credito, const QString &contatti, const QString &nomeCredito,
                       const QString &nomeContatti, const QString &nomeRiga)
{
    const qreal larghezza = ReportDocument().area().width();
    ReportBand piede(AltezzaPiede);
    const QFont piccolo = CarattereStampa("Arial", 8);
    piede.addLine(nomeRiga, QPointF(0, 8), QPointF(larghezza, 8));
    piede.addText(nomeCredito, XCredito, 14, credito, piccolo);
    piede.addText(nomeContatti, QRectF(larghezza / 2, 14, larghezza / 2 - 24, 16), contatti, piccolo,
                  Qt::AlignRight | Qt::AlignTop);
    return piede;
}

QString ParolaRiposo(const QString &riposo, int squadre)
{
    if (squadre % 2 == 0)
        return QString();
    return riposo == QLatin1String("True") ? QStringLiteral("Fatto") : QStringLiteral("Da fare");
}
