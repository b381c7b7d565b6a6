#include "core/cartella.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

// The user's own data folder for this program (~/.local/share/rotaset on Linux).
QString cartellaDatiUtente()
{
    return conSeparatore(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/rotaset"));
}
} // namespace

QString CartellaEseguibile()
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

QString CartellaDatiPer(const QString &cartellaEseguibile)
{
    const QString eseguibile = conSeparatore(cartellaEseguibile);
    const QFileInfo info(eseguibile);
    if (info.isDir() && info.isWritable() && !QFileInfo::exists(eseguibile + QLatin1String(SegnoInstallazione)))
        return eseguibile;
    return cartellaDatiUtente();
}

QString CartellaProgramma()
{
    if (!cartellaImpostata().isEmpty())
        return cartellaImpostata();
    if (!QCoreApplication::instance())
        return CartellaEseguibile();
    // Decided once per run, and the user's data folder made the first time it is chosen.
    static const QString dati = [] {
        const QString cartella = CartellaDatiPer(CartellaEseguibile());
        QDir().mkpath(cartella);
        return cartella;
    }();
    return dati;
}

void ImpostaCartellaProgramma(const QString &cartella)
{
    cartellaImpostata() = cartella.isEmpty() ? QString() : conSeparatore(QDir(cartella).absolutePath());
}
