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
    QString cartella = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QDir::currentPath();
    return conSeparatore(cartella);
}

void ImpostaCartellaProgramma(const QString &cartella)
{
    cartellaImpostata() = cartella.isEmpty() ? QString() : conSeparatore(QDir(cartella).absolutePath());
}
