// What the safekeeping tests share: rows written into the tables, the rows read back, a file's
// bytes, and a table damaged on purpose.
#pragma once

#include "store/table.h"

#include <QFile>
#include <QStringList>

namespace prova {

inline void aggiungiSquadre(const QStringList &nomi, const QString &tabella = QStringLiteral("squadre.db"))
{
    store::Table t(tabella);
    t.open();
    for (const QString &n : nomi) {
        t.append();
        t.fieldByName(QStringLiteral("Squadre")).setAsString(n);
        t.post();
    }
}

inline QStringList squadre(const QString &tabella = QStringLiteral("squadre.db"))
{
    store::Table t(tabella);
    t.open();
    QStringList nomi;
    for (t.first(); !t.eof(); t.next())
        nomi << t.fieldByName(QStringLiteral("Squadre")).asString();
    return nomi;
}

inline QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void scrivi(const QString &percorso, const QByteArray &byte)
{
    QFile f(percorso);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(byte);
}

// Fills the table with enough rows for several pages, then overwrites its second page.
inline void danneggia(const QString &percorso)
{
    QByteArray byte = contenuto(percorso);
    if (byte.size() < 3 * 4096)
        qFatal("table too small to damage: %s", qPrintable(percorso));
    for (int i = 4096; i < 2 * 4096; ++i)
        byte[i] = char(0x5a);
    scrivi(percorso, byte);
}

inline QStringList molteSquadre(int n)
{
    QStringList nomi;
    for (int i = 0; i < n; ++i)
        nomi << QStringLiteral("Squadra d'esempio numero %1 con un nome lungo").arg(i);
    return nomi;
}

} // namespace prova
