#include "utilities/versione.h"

#include <limits>

CriterioEstrazione CriterioVersione()
{
    CriterioEstrazione c;
    c.chiave = QStringLiteral("Versione");
    c.marcatoreOccorrenza = QStringLiteral("-");
    c.occorrenzeDaSaltare = 0;
    c.marcatoreInizio = QStringLiteral("-");
    c.marcatoreFine = QStringLiteral("<");
    return c;
}

namespace {
// The value of one text already cut at its occurrence; false when a marker is missing.
bool valoreDi(QString testo, const CriterioEstrazione &c, QString &valore)
{
    if (!c.marcatoreInizio.isEmpty()) {
        const qsizetype inizio = testo.indexOf(c.marcatoreInizio);
        if (inizio < 0)
            return false;
        testo.remove(0, c.mantieniInizio ? inizio : inizio + c.marcatoreInizio.size());
    }
    if (!c.marcatoreFine.isEmpty()) {
        const qsizetype fine = testo.indexOf(c.marcatoreFine);
        if (fine < 0)
            return false;
        testo.truncate(c.includiFine ? fine + c.marcatoreFine.size() : fine);
    }
    while (!testo.isEmpty() && c.caratteriDaTogliere.contains(testo.back()))
        testo.chop(1);
    valore = testo;
    return true;
}
} // namespace

void EstraiURLConCriterio(const QStringList &testi, QStringList &destinazione, const CriterioEstrazione &c)
{
    if (c.chiave.isEmpty())
        return;
    qsizetype i = 0;
    while (i < testi.size()) {
        const qsizetype chiave = testi[i].indexOf(c.chiave);
        if (chiave < 0) {
            ++i;
            continue;
        }
        // From the key's text on, each text with the occurrence marker is one occurrence.
        int occorrenze = 0;
        qsizetype trovato = -1;
        for (qsizetype j = i; j < testi.size() && trovato < 0; ++j) {
            const QString testo = j == i ? testi[j].mid(chiave) : testi[j];
            const qsizetype occorrenza = c.marcatoreOccorrenza.isEmpty() ? 0 : testo.indexOf(c.marcatoreOccorrenza);
            if (occorrenza < 0)
                continue;
            if (++occorrenze <= c.occorrenzeDaSaltare)
                continue;
            QString valore;
            if (valoreDi(testo.mid(occorrenza), c, valore)) {
                destinazione.append(valore);
                trovato = j;
            }
        }
        if (trovato < 0)
            return; // no value after this key: none after any later key either
        i = trovato + 1;
    }
}

QString CorpoPagina(const QString &html)
{
    const qsizetype inizio = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    if (inizio >= 0) {
        const qsizetype fine = html.indexOf(QLatin1String("</body"), inizio, Qt::CaseInsensitive);
        if (fine < 0)
            return html.mid(inizio);
        const qsizetype chiusa = html.indexOf(QLatin1Char('>'), fine);
        return html.mid(inizio, chiusa < 0 ? -1 : chiusa + 1 - inizio);
    }
    const qsizetype testa = html.indexOf(QLatin1String("<head"), 0, Qt::CaseInsensitive);
    if (testa < 0)
        return html;
    const qsizetype fineTesta = html.indexOf(QLatin1String("</head>"), testa, Qt::CaseInsensitive);
    QString corpo = html;
    corpo.remove(testa, fineTesta < 0 ? -1 : fineTesta + 7 - testa);
    return corpo;
}

int NumeroBuild(const QString &versione)
{
    bool ok = false;
    const int numero = versione.mid(8).trimmed().toInt(&ok);
    return ok ? numero : -1;
}

int NumeroPubblicato(const QStringList &valori)
{
    if (valori.isEmpty())
        return -1;
    bool ok = false;
    const qlonglong numero = valori.first().trimmed().toLongLong(&ok);
    if (!ok || numero < 0 || numero > std::numeric_limits<int>::max())
        return -1;
    return int(numero);
}

VerdettoVersione ConfrontaVersioni(int propria, int pubblicata)
{
    if (pubblicata < 0)
        return VerdettoVersione::NonDeterminabile;
    return propria < pubblicata ? VerdettoVersione::Nuova : VerdettoVersione::NessunaNuova;
}
