#include "store/impostazioni.h"

#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/segnalazioni.h"
#include "store/table.h"

QString LeggiImpostazione(const QString &campo)
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
        return QString();
    }
}

namespace {
// The three languages are the three columns of the translation table; nothing else is a column.
bool ColonnaLingua(const QString &lingua)
{
    return lingua == QLatin1String("Italiano") || lingua == QLatin1String("English") ||
           lingua == QStringLiteral("Français");
}
} // namespace

QString Traduci(const QString &testo, const QString &lingua)
{
    QString pulito = testo;
    if (pulito.startsWith(QLatin1Char('&')))
        pulito.remove(0, 1);
    pulito.remove(QLatin1Char('\''));
    // Only a language column ever reaches the query; any other value means no translation.
    if (!ColonnaLingua(lingua))
        return pulito;
    store::Query query(QStringLiteral("select \"") + lingua + QStringLiteral("\" from lingua where ITALIANO = ? "));
    query.addBindValue(pulito.left(100)); // the table keeps only the first 100 characters of a longer text
    query.open();
    if (query.isEmpty())
        return pulito;
    query.first();
    return query.field(0).asString();
}

bool LinguaDaTradurre(const QString &lingua)
{
    return ColonnaLingua(lingua) && lingua != QLatin1String("Italiano");
}
