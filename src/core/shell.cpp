#include "core/shell.h"

#include "core/messaggi.h"

#include <QDir>
#include <QFileInfo>
#include <QUrlQuery>

#include <cstdio>

namespace {
class StderrShell : public ShellBackend {
public:
    bool openUrl(const QUrl &url) override
    {
        std::fprintf(stderr, "[shell] %s\n", url.toEncoded().constData());
        return false;
    }
};

StderrShell fallback;
ShellBackend *current = nullptr;

bool indirizzoWeb(const QString &destinazione)
{
    const QString testo = destinazione.trimmed();
    for (const char *schema : {"http://", "https://", "mailto:"}) {
        if (testo.startsWith(QLatin1String(schema), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Line breaks of any kind become CR LF, as a mail body wants them.
QString interruzioniCrLf(QString testo)
{
    testo.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    testo.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return testo;
}

QByteArray codificato(const QString &testo)
{
    // Everything but the unreserved characters is encoded, "+" and "'" included.
    return QUrl::toPercentEncoding(interruzioniCrLf(testo));
}
} // namespace

void setShellBackend(ShellBackend *backend) { current = backend; }

ShellBackend *shellBackend() { return current ? current : &fallback; }

namespace {
bool apri(const QUrl &url)
{
    if (shellBackend()->openUrl(url))
        return true;
    AvvisaNonAperto(url);
    return false;
}
} // namespace

QString TestoNonAperto(const QUrl &url)
{
    if (url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0) {
        const QUrlQuery query(url);
        const QString oggetto = query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
        const QString corpo = query.queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded);
        QString testo = QStringLiteral("Non è stato possibile aprire il programma di posta.\n"
                                       "Scrivere a mano all'indirizzo: %1")
                            .arg(url.path(QUrl::FullyDecoded));
        if (!oggetto.isEmpty())
            testo += QStringLiteral("\ncon oggetto: %1").arg(oggetto);
        // The body may name a file to attach (the packed backup).
        if (!corpo.isEmpty())
            testo += QStringLiteral("\ne testo: %1").arg(corpo);
        return testo;
    }
    if (url.isLocalFile()) {
        const QString file = QDir::toNativeSeparators(url.toLocalFile());
        return QStringLiteral("Non è stato possibile aprire il file:\n%1\n"
                              "Nessun programma del sistema lo ha aperto: aprirlo a mano dalla cartella %2")
            .arg(file, QDir::toNativeSeparators(QFileInfo(url.toLocalFile()).absolutePath()));
    }
    return QStringLiteral("Non è stato possibile aprire il browser sull'indirizzo:\n%1\n"
                          "Copiarlo nella barra degli indirizzi di un browser.")
        .arg(url.toString(QUrl::FullyDecoded));
}

void AvvisaNonAperto(const QUrl &url) { MostraAttenzione(TestoNonAperto(url)); }

bool ApriDocumento(const QString &destinazione)
{
    if (indirizzoWeb(destinazione))
        return apri(QUrl(destinazione.trimmed(), QUrl::TolerantMode));
    return apri(QUrl::fromLocalFile(QFileInfo(destinazione).absoluteFilePath()));
}

QUrl IndirizzoMail(const QString &indirizzo, const QString &oggetto, const QString &testo)
{
    QByteArray url = "mailto:";
    url += QUrl::toPercentEncoding(indirizzo.trimmed(), "@+,");
    url += "?subject=";
    url += codificato(oggetto);
    url += "&body=";
    url += codificato(testo);
    return QUrl::fromEncoded(url, QUrl::StrictMode);
}

bool InviaMail(const QString &indirizzo, const QString &oggetto, const QString &testo)
{
    return apri(IndirizzoMail(indirizzo, oggetto, testo));
}
