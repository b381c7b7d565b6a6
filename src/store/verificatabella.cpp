#include "store/verificatabella.h"

#include "store/tabelle.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace store {

namespace {
QString ultimoErrore(sqlite3 *db) { return QString::fromUtf8(sqlite3_errmsg(db)); }
} // namespace

EsitoVerifica VerificaConnessione(sqlite3 *db)
{
    EsitoVerifica esito;
    sqlite3_stmt *st = nullptr;
    auto leggiIntero = [&](const char *sql, qint64 &valore) {
        st = nullptr;
        bool ok = sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW;
        if (ok)
            valore = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        return ok;
    };
    qint64 tabelle = 0;
    if (!leggiIntero("SELECT count(*) FROM main.sqlite_master WHERE type = 'table' AND name = 'dati'", tabelle)) {
        esito.motivo = ultimoErrore(db);
        return esito;
    }
    if (tabelle != 1) {
        esito.motivo = QStringLiteral("manca la tabella dei dati");
        return esito;
    }
    // The whole check, not the quick one: a damaged index would otherwise pass.
    st = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA main.integrity_check(1)", -1, &st, nullptr) != SQLITE_OK ||
        sqlite3_step(st) != SQLITE_ROW) {
        esito.motivo = ultimoErrore(db);
        sqlite3_finalize(st);
        return esito;
    }
    const QString risposta = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (risposta != QLatin1String("ok")) {
        esito.motivo = risposta;
        return esito;
    }
    if (!leggiIntero("SELECT count(*) FROM main.dati", esito.righe)) {
        esito.motivo = ultimoErrore(db);
        return esito;
    }
    esito.valida = true;
    return esito;
}

EsitoVerifica VerificaTabella(const QString &percorso)
{
    EsitoVerifica esito;
    const QFileInfo info(percorso);
    if (!info.isFile()) {
        esito.motivo = QStringLiteral("non è un file");
        return esito;
    }
    sqlite3 *db = nullptr;
    const QByteArray nome = QFile::encodeName(percorso);
    if (sqlite3_open_v2(nome.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        esito.motivo = db ? ultimoErrore(db) : QStringLiteral("impossibile aprire il file");
        sqlite3_close_v2(db);
        return esito;
    }
    esito = VerificaConnessione(db);
    sqlite3_close_v2(db);
    return esito;
}

bool EFileTransitorio(const QString &nomeFile)
{
    const QString n = nomeFile.toLower();
    return n.endsWith(QLatin1String("-journal")) || n.contains(QLatin1String("-mj")) ||
           n.endsWith(QLatin1String("-wal")) || n.endsWith(QLatin1String("-shm")) ||
           n.contains(QLatin1String("appoggio")) || n.endsWith(QLatin1String(SuffissoRicostruzione));
}

QStringList NomiTabelle()
{
    QStringList nomi;
    for (const TableDeclaration &d : TabelleProgramma())
        nomi << d.fileName;
    return nomi;
}

} // namespace store
