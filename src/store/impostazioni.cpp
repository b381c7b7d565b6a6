#include "store/impostazioni.h"

#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/segnalazioni.h"
#include "store/table.h"

std::optional<QString> LetturaImpostazione(const QString &campo)
{
    try {
        store::Table impostazioni(QStringLiteral("impostazioni.db"));
        impostazioni.open();
        impostazioni.first();
        return impostazioni.fieldByName(campo).asString();
    } catch (const store::EngineError &e) {
        // A damaged settings table is told once, naming its file; a missing field every time.
        const QString testo = QStringLiteral("Errore di lettura in parametri di impostazione, campo: ") + campo;
        SegnalaErroreTabella(e, e.file().isEmpty() ? testo : testo + QLatin1Char('\n') + e.message());
        return std::nullopt;
    }
}

QString LeggiImpostazione(const QString &campo) { return LetturaImpostazione(campo).value_or(QString()); }

std::optional<Lingua> LinguaDaTesto(const QString &testo)
{
    for (const Lingua l : Lingue)
        if (testo == TestoLingua(l))
            return l;
    return std::nullopt;
}

QString TestoLingua(Lingua lingua)
{
    switch (lingua) {
    case Lingua::English:
        return QStringLiteral("English");
    case Lingua::Francais:
        return QStringLiteral("Français");
    case Lingua::Italiano:
        break;
    }
    return QStringLiteral("Italiano");
}

Lingua LinguaImpostata()
{
    // A settings record that cannot be read leaves the captions in Italian, as a blank LINGUA does.
    return LinguaDaTesto(LetturaImpostazione(QStringLiteral("LINGUA")).value_or(QString())).value_or(Lingua::Italiano);
}

namespace {
// A caption and a key are the same text when they differ only by blanks (a run-together word,
// the blank a removed apostrophe left in the key, blanks around), by case, or by a final colon.
QString FormaConfronto(QString testo)
{
    testo = testo.trimmed();
    if (testo.endsWith(QLatin1Char(':')))
        testo.chop(1);
    testo.remove(QLatin1Char('\''));
    QString out;
    out.reserve(testo.size());
    for (const QChar c : std::as_const(testo))
        if (!c.isSpace())
            out.append(c.toCaseFolded());
    return out;
}

bool FiniscePerDuePunti(const QString &testo) { return testo.trimmed().endsWith(QLatin1Char(':')); }

// The translation of a row found through FormaConfronto, its final colon as the caption has it
// (French sets a blank before the colon).
QString ConDuePuntiDelTesto(QString traduzione, const QString &testo, Lingua lingua)
{
    if (traduzione.isEmpty())
        return traduzione;
    const bool vuole = FiniscePerDuePunti(testo);
    if (FiniscePerDuePunti(traduzione) == vuole)
        return traduzione;
    if (vuole) {
        return traduzione.trimmed() +
               (lingua == Lingua::Francais ? QStringLiteral(" :") : QStringLiteral(":"));
    }
    traduzione = traduzione.trimmed();
    traduzione.chop(1);
    return traduzione.trimmed();
}

// The text as the translation table keys it: without a leading "&" and without apostrophes.
QString Pulito(const QString &testo)
{
    QString pulito = testo;
    if (pulito.startsWith(QLatin1Char('&')))
        pulito.remove(0, 1);
    pulito.remove(QLatin1Char('\''));
    return pulito;
}
} // namespace

QString Traduci(const QString &testo, const QString &lingua)
{
    // Only a language column ever reaches the query; any other value means no translation.
    const std::optional<Lingua> l = LinguaDaTesto(lingua);
    return l ? Traduci(testo, *l) : Pulito(testo);
}

QString Traduci(const QString &testo, Lingua lingua)
{
    const QString pulito = Pulito(testo);
    const QString colonna = QStringLiteral("\"") + TestoLingua(lingua) + QLatin1Char('"');
    {
        store::Query query(QStringLiteral("select ") + colonna + QStringLiteral(" from lingua where ITALIANO = ? "));
        query.addBindValue(pulito.left(100)); // the table keeps only the first 100 characters of a longer text
        query.open();
        if (!query.isEmpty()) {
            query.first();
            return query.field(0).asString();
        }
    }
    // No row for the text as it stands: the first row that differs from it only by blanks, case or
    // a final colon. An Italian caption is never replaced by a key.
    const QString cercato = FormaConfronto(pulito.left(100));
    if (cercato.isEmpty() || lingua == Lingua::Italiano)
        return pulito;
    store::Query tutte(QStringLiteral("select ITALIANO, ") + colonna + QStringLiteral(" from lingua"));
    tutte.open();
    for (tutte.first(); !tutte.eof(); tutte.next())
        if (FormaConfronto(tutte.field(0).asString()) == cercato)
            return ConDuePuntiDelTesto(tutte.field(1).asString(), pulito, lingua);
    return pulito;
}

bool LinguaDaTradurre(const QString &lingua)
{
    const std::optional<Lingua> l = LinguaDaTesto(lingua);
    return l && *l != Lingua::Italiano;
}
