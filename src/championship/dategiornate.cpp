#include "championship/dategiornate.h"

#include "store/campigiornata.h"
#include "store/database.h"
#include "store/engineerror.h"
#include "store/table.h"
#include "store/impostazioni.h"
#include "store/tabelle.h"

#include <QRegularExpression>
#include <algorithm>
#include <QTime>

namespace {
const QString Tabella = QStringLiteral("date_giornate.db");
} // namespace

DateGiornate LeggiDateGiornate()
{
    DateGiornate date;
    store::Table tabella(Tabella);
    tabella.open();
    for (tabella.first(); !tabella.eof(); tabella.next()) {
        const int numero = tabella.fieldByName(QStringLiteral("Giornata")).asInteger();
        const QDate data = tabella.fieldByName(QStringLiteral("Data")).asDate();
        if (numero < 1 || !data.isValid())
            continue;
        const QString ora = NormalizzaOra(tabella.fieldByName(QStringLiteral("Ora")).asString()).value_or(QString());
        date.insert(numero, {data, ora});
    }
    tabella.close();
    return date;
}

void SalvaDateGiornate(const DateGiornate &date)
{
    store::Table tabella(Tabella);
    tabella.open();
    store::Transaction transazione;
    while (!tabella.isEmpty()) {
        tabella.first();
        if (!tabella.remove())
            throw store::EngineError(QStringLiteral("Impossibile eliminare le date delle giornate."));
    }
    store::Database::faultPoint(QStringLiteral("date: vecchie date eliminate"));
    for (auto it = date.cbegin(); it != date.cend(); ++it) {
        if (!it->data.isValid() || it.key() < 1)
            continue;
        tabella.append();
        tabella.fieldByName(QStringLiteral("Giornata")).setAsInteger(it.key());
        tabella.fieldByName(QStringLiteral("Data")).setValue(it->data);
        tabella.fieldByName(QStringLiteral("Ora")).setAsString(it->ora);
        tabella.post();
        store::Database::faultPoint(QStringLiteral("date: data scritta"));
    }
    transazione.commit();
    tabella.close();
}

std::optional<QString> NormalizzaOra(const QString &testo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty())
        return QString();
    static const QRegularExpression forma(QStringLiteral("^\\d{1,2}:\\d{2}$"));
    if (!forma.match(t).hasMatch())
        return std::nullopt;
    const QTime ora = QTime::fromString(t.size() == 4 ? QLatin1Char('0') + t : t, QStringLiteral("HH:mm"));
    if (!ora.isValid())
        return std::nullopt;
    return ora.toString(QStringLiteral("HH:mm"));
}

DateGiornate ProponiDate(int giornate, const QDate &primaAndata, int passo, const QDate &primoRitorno,
                         const DateGiornate &esistenti)
{
    DateGiornate date;
    const int meta = giornate / 2;
    for (int k = 1; k <= giornate; ++k) {
        const QDate data = k <= meta ? primaAndata.addDays(qint64(k - 1) * passo)
                                     : primoRitorno.addDays(qint64(k - 1 - meta) * passo);
        if (data.isValid())
            date.insert(k, {data, esistenti.value(k).ora});
    }
    return date;
}

QDate PrimoRitornoPredefinito(int giornate, const QDate &primaAndata, int passo)
{
    const int meta = giornate / 2;
    return primaAndata.addDays(qint64(qMax(meta, 1)) * passo);
}

QLocale LocaleDate(Lingua lingua)
{
    QLocale::Language voluta = QLocale::Italian;
    QLocale::Territory paese = QLocale::Italy;
    if (lingua == Lingua::English) {
        voluta = QLocale::English;
        paese = QLocale::UnitedKingdom;
    } else if (lingua == Lingua::Francais) {
        voluta = QLocale::French;
        paese = QLocale::France;
    }
    const QLocale utente;
    return utente.language() == voluta ? utente : QLocale(voluta, paese);
}

QString TestoData(const DataGiornata &d, const QLocale &locale)
{
    if (!d.data.isValid())
        return QString();
    QString testo = locale.toString(d.data, QStringLiteral("dddd d MMMM yyyy"));
    if (!d.ora.isEmpty())
        testo += QLatin1Char(' ') + d.ora;
    return testo;
}

QString TitoloGiornata(const QString &prefisso, int numero, const DateGiornate &date, const QLocale &locale)
{
    QString titolo = QStringLiteral("%1 %2").arg(prefisso).arg(numero);
    const auto it = date.constFind(numero);
    if (it != date.cend() && it->data.isValid())
        titolo += QStringLiteral(" - ") + TestoData(*it, locale);
    return titolo;
}

QString FormatoDataBreve(const QLocale &locale)
{
    QString formato = locale.dateFormat(QLocale::ShortFormat);
    if (!formato.contains(QLatin1String("yyyy")))
        formato.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return formato;
}

QDate LeggiDataDigitata(const QString &testo, const QLocale &locale)
{
    const QString t = testo.trimmed();
    if (t.isEmpty())
        return QDate();
    QDate d = locale.toDate(t, FormatoDataBreve(locale));
    if (d.isValid())
        return d;
    // Two digits of the year mean this century, not the 1900s the locale's short format gives.
    d = locale.toDate(t, QLocale::ShortFormat);
    if (d.isValid() && !locale.dateFormat(QLocale::ShortFormat).contains(QLatin1String("yyyy")) && d.year() < 2000)
        d = d.addYears(100);
    if (d.isValid())
        return d;
    d = locale.toDate(t, QLocale::LongFormat);
    if (d.isValid())
        return d;
    return QDate::fromString(t, Qt::ISODate);
}

QList<GiornataCalendario> LeggiCalendario()
{
    QList<GiornataCalendario> calendario;
    store::Table giornate(QStringLiteral("giornate.db"));
    giornate.open();
    for (giornate.first(); !giornate.eof(); giornate.next()) {
        GiornataCalendario g;
        g.numero = giornate.fieldByName(QStringLiteral("Giornata")).asInteger();
        for (int slot = 1; slot <= PartiteGiornata; ++slot) {
            auto campo = [&](const QString &nome) { return giornate.fieldByName(nome).asString().trimmed(); };
            PartitaCalendario p;
            p.slot = slot;
            p.casa = campo(CampoSquadra(2 * slot - 1));
            p.ospite = campo(CampoSquadra(2 * slot));
            p.setCasa = campo(CampoSet(2 * slot - 1));
            p.setOspite = campo(CampoSet(2 * slot));
            if (!p.casa.isEmpty() && !p.ospite.isEmpty())
                g.partite << p;
            else if (g.riposo.isEmpty() && !(p.casa + p.ospite).isEmpty())
                g.riposo = p.casa.isEmpty() ? p.ospite : p.casa;
        }
        calendario << g;
    }
    giornate.close();
    std::stable_sort(calendario.begin(), calendario.end(),
                     [](const GiornataCalendario &a, const GiornataCalendario &b) { return a.numero < b.numero; });
    return calendario;
}

QString DataDellaGiornata(int numero)
{
    try {
        const DateGiornate date = LeggiDateGiornate();
        if (!date.contains(numero))
            return QString();
        return TestoData(date.value(numero), LocaleDate(LinguaImpostata()));
    } catch (const std::exception &) {
        return QString();
    }
}
