#include "core/shell.h"

#include <QFileInfo>

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

bool ApriDocumento(const QString &destinazione)
{
    if (indirizzoWeb(destinazione))
        return shellBackend()->openUrl(QUrl(destinazione.trimmed(), QUrl::TolerantMode));
    return shellBackend()->openUrl(QUrl::fromLocalFile(QFileInfo(destinazione).absoluteFilePath()));
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
    return shellBackend()->openUrl(IndirizzoMail(indirizzo, oggetto, testo));
}
