#include "store/impostazioni.h"

#include "core/messaggi.h"
#include "store/engineerror.h"
#include "store/query.h"
#include "store/table.h"

QString LeggiImpostazione(const QString &campo)
{
    try {
        store::Table impostazioni(QStringLiteral("impostazioni.db"));
        impostazioni.open();
        impostazioni.first();
        return impostazioni.fieldByName(campo).asString();
    } catch (const store::EngineError &) {
        MostraErrore(QStringLiteral("Errore di lettura in parametri di impostazione, campo: ") + campo);
        return QString();
    }
}

QString Traduci(const QString &testo, const QString &lingua)
{
    QString pulito = testo;
    if (pulito.startsWith(QLatin1Char('&')))
        pulito.remove(0, 1);
    pulito.remove(QLatin1Char('\''));
    // The table keeps only the first 100 characters of a longer text: that is its key.
    store::Query query(QStringLiteral("select ") + lingua + QStringLiteral(" from lingua where ITALIANO = '") +
                       pulito.left(100) + QStringLiteral("' "));
    query.open();
    if (query.isEmpty())
        return pulito;
    query.first();
    return query.field(0).asString();
}

bool LinguaDaTradurre(const QString &lingua)
{
    return !lingua.isEmpty() && lingua != QLatin1String("Italiano");
}
