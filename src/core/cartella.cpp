#include "core/cartella.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &cartellaImpostata()
{
    static QString cartella;
    return cartella;
}

QString conSeparatore(QString cartella)
{
    cartella = QDir::fromNativeSeparators(cartella);
    if (!cartella.endsWith(QLatin1Char('/')))
        cartella += QLatin1Char('/');
    return cartella;
}
} // namespace

QString CartellaProgramma()
{
    if (!cartellaImpostata().isEmpty())
        return cartellaImpostata();
    // The executable's folder does not change while it runs: asked once (the engine asks at every
    // table operation).
    if (QCoreApplication::instance()) {
        static const QString cartellaEseguibile = conSeparatore(QCoreApplication::applicationDirPath());
        return cartellaEseguibile;
    }
    return conSeparatore(QDir::currentPath());
}

void ImpostaCartellaProgramma(const QString &cartella)
{
    cartellaImpostata() = cartella.isEmpty() ? QString() : conSeparatore(QDir(cartella).absolutePath());
}
