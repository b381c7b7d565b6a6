#include "championship/calendarioics.h"

#include <QCryptographicHash>

QString EscapeIcs(const QString &testo)
{
    QString out;
    out.reserve(testo.size() + 8);
    for (int i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            out += QLatin1Char('\\') + QString(c);
        else if (c == QLatin1Char('\r'))
            continue;
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QLatin1Char(' '); // control characters have no place in a text value
        else
            out += c;
    }
    return out;
}

QByteArray PiegaRigaIcs(const QString &riga)
{
    const QByteArray utf8 = riga.toUtf8();
    QByteArray out;
    int inizio = 0;
    int limite = 75; // the first line holds 75 octets, the next ones a space and 74
    while (utf8.size() - inizio > limite) {
        int fine = inizio + limite;
        while (fine > inizio && (quint8(utf8.at(fine)) & 0xC0) == 0x80) // a continuation byte
            --fine;
        out += utf8.mid(inizio, fine - inizio);
        out += "\r\n ";
        inizio = fine;
        limite = 74;
    }
    out += utf8.mid(inizio);
    out += "\r\n";
    return out;
}

QString UidPartita(const QString &annata, const QString &categoria, int giornata, int slot)
{
    const QByteArray chiave = (annata.trimmed() + QLatin1Char('\x1f') + categoria.trimmed() + QLatin1Char('\x1f') +
                               QString::number(giornata) + QLatin1Char('\x1f') + QString::number(slot))
                                  .toUtf8();
    const QByteArray hash = QCryptographicHash::hash(chiave, QCryptographicHash::Sha1).toHex().left(32);
    return QStringLiteral("%1-g%2-p%3@rotaset").arg(QString::fromLatin1(hash)).arg(giornata).arg(slot);
}

QString NomeFileIcs(const QString &annata)
{
    QString nome = QStringLiteral("Calendario %1").arg(annata.trimmed()).trimmed();
    for (QChar &c : nome)
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('-');
    return nome + QStringLiteral(".ics");
}

namespace {
QString dataIcs(const QDate &d) { return d.toString(QStringLiteral("yyyyMMdd")); }
QString oraLocaleIcs(const QDateTime &t) { return t.toString(QStringLiteral("yyyyMMdd'T'HHmmss")); }

QString offsetIcs(int secondi)
{
    const QChar segno = secondi < 0 ? QLatin1Char('-') : QLatin1Char('+');
    const int s = qAbs(secondi);
    QString t = QStringLiteral("%1%2%3").arg(segno).arg(s / 3600, 2, 10, QLatin1Char('0')).arg((s % 3600) / 60, 2, 10, QLatin1Char('0'));
    if (s % 60)
        t += QStringLiteral("%1").arg(s % 60, 2, 10, QLatin1Char('0'));
    return t;
}

// The zone's description for the years the events span: its changes between standard and summer
// time as they happen, or one fixed offset.
QStringList vtimezone(const QTimeZone &zona, const QString &tzid, int daAnno, int aAnno)
{
    QStringList righe{QStringLiteral("BEGIN:VTIMEZONE"), QStringLiteral("TZID:") + tzid};
    const QDateTime inizio(QDate(daAnno, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime fine(QDate(aAnno + 1, 1, 1), QTime(0, 0), Qt::UTC);
    const QTimeZone::OffsetDataList cambi = zona.hasTransitions() ? zona.transitions(inizio, fine)
                                                                  : QTimeZone::OffsetDataList();
    if (cambi.isEmpty()) {
        const int offset = zona.offsetFromUtc(inizio);
        righe << QStringLiteral("BEGIN:STANDARD") << QStringLiteral("DTSTART:19700101T000000")
              << QStringLiteral("TZOFFSETFROM:") + offsetIcs(offset) << QStringLiteral("TZOFFSETTO:") + offsetIcs(offset)
              << QStringLiteral("END:STANDARD");
    } else {
        int prima = zona.offsetFromUtc(cambi.first().atUtc.addSecs(-1));
        for (const QTimeZone::OffsetData &c : cambi) {
            const QString tipo = c.daylightTimeOffset != 0 ? QStringLiteral("DAYLIGHT") : QStringLiteral("STANDARD");
            // The moment of the change in the local time that was running until then.
            const QDateTime locale = c.atUtc.addSecs(prima);
            righe << QStringLiteral("BEGIN:") + tipo
                  << QStringLiteral("DTSTART:") + oraLocaleIcs(QDateTime(locale.date(), locale.time(), Qt::UTC))
                  << QStringLiteral("TZOFFSETFROM:") + offsetIcs(prima)
                  << QStringLiteral("TZOFFSETTO:") + offsetIcs(c.offsetFromUtc);
            if (!c.abbreviation.isEmpty())
                righe << QStringLiteral("TZNAME:") + EscapeIcs(c.abbreviation);
            righe << QStringLiteral("END:") + tipo;
            prima = c.offsetFromUtc;
        }
    }
    righe << QStringLiteral("END:VTIMEZONE");
    return righe;
}
} // namespace

CalendarioIcs ComponiIcs(const QList<GiornataCalendario> &calendario, const DateGiornate &date,
                         const OpzioniIcs &opzioni)
{
    CalendarioIcs esito;
    const QString stamp = opzioni.adesso.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    const QString tzid = opzioni.zona.isValid() ? QString::fromUtf8(opzioni.zona.id()) : QStringLiteral("UTC");
    const QString squadra = opzioni.squadra.trimmed();
    QStringList eventi;
    bool conOra = false;
    int daAnno = 9999, aAnno = 0;
    for (const GiornataCalendario &g : calendario) {
        QList<PartitaCalendario> partite;
        for (const PartitaCalendario &p : g.partite)
            if (squadra.isEmpty() || p.casa.compare(squadra, Qt::CaseInsensitive) == 0 ||
                p.ospite.compare(squadra, Qt::CaseInsensitive) == 0)
                partite << p;
        if (partite.isEmpty())
            continue;
        const auto d = date.constFind(g.numero);
        if (d == date.cend() || !d->data.isValid()) {
            esito.senzaData << g.numero;
            continue;
        }
        for (const PartitaCalendario &p : std::as_const(partite)) {
            eventi << QStringLiteral("BEGIN:VEVENT")
                   << QStringLiteral("UID:") + UidPartita(opzioni.annata, opzioni.categoria, g.numero, p.slot)
                   << QStringLiteral("DTSTAMP:") + stamp;
            if (d->ora.isEmpty()) {
                eventi << QStringLiteral("DTSTART;VALUE=DATE:") + dataIcs(d->data)
                       << QStringLiteral("DTEND;VALUE=DATE:") + dataIcs(d->data.addDays(1));
            } else {
                conOra = true;
                daAnno = qMin(daAnno, d->data.year());
                aAnno = qMax(aAnno, d->data.year());
                const QTime ora = QTime::fromString(d->ora, QStringLiteral("HH:mm"));
                eventi << QStringLiteral("DTSTART;TZID=%1:%2").arg(tzid, oraLocaleIcs(QDateTime(d->data, ora, Qt::UTC)))
                       << QStringLiteral("DURATION:PT2H");
            }
            QString sommario = p.casa + QStringLiteral(" - ") + p.ospite;
            if (p.giocata())
                sommario += QStringLiteral(" %1-%2").arg(p.setCasa, p.setOspite);
            eventi << QStringLiteral("SUMMARY:") + EscapeIcs(sommario);
            QStringList descrizione{QStringLiteral("%1 %2").arg(opzioni.parolaGiornata).arg(g.numero)};
            if (!opzioni.categoria.trimmed().isEmpty())
                descrizione << opzioni.categoria.trimmed();
            if (!opzioni.annata.trimmed().isEmpty())
                descrizione << opzioni.annata.trimmed();
            eventi << QStringLiteral("DESCRIPTION:") + EscapeIcs(descrizione.join(QStringLiteral(" - ")))
                   << QStringLiteral("END:VEVENT");
            ++esito.eventi;
        }
    }

    // No METHOD: a file to import, not an invitation to answer.
    QStringList righe{QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:2.0"),
                      QStringLiteral("PRODID:-//Brivo//Rotaset//IT"), QStringLiteral("CALSCALE:GREGORIAN")};
    if (conOra)
        righe << vtimezone(opzioni.zona.isValid() ? opzioni.zona : QTimeZone::utc(), tzid, daAnno - 1, aAnno);
    righe << eventi << QStringLiteral("END:VCALENDAR");
    for (const QString &r : std::as_const(righe))
        esito.testo += PiegaRigaIcs(r);
    return esito;
}
