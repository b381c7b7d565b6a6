#include "ricostruzione.h"

#include "core/copiaatomica.h"
#include "store/verificatabella.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <sqlite3.h>
#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

namespace pdxrbld {

namespace {

// Test hook: PDXRBLD_ARRESTO=n kills the process at its n-th step (a table's temporary file
// written, a table renamed), the way a power cut or a kill would stop it.
void passo()
{
    static int contati = 0;
    static const int arresto = qEnvironmentVariableIntValue("PDXRBLD_ARRESTO");
    if (arresto > 0 && ++contati == arresto) {
#ifndef _WIN32
        ::kill(::getpid(), SIGKILL);
#endif
        std::_Exit(137);
    }
}

QString errore(sqlite3 *db) { return QString::fromUtf8(sqlite3_errmsg(db)); }

bool esegui(sqlite3 *db, const QString &sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString nomeSql(const QString &nome) { return QLatin1Char('"') + QString(nome).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"'); }

qint64 interoDa(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    qint64 valore = 0;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        valore = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return valore;
}

// Copies the rows of one table, rowids included, from a connection to another.
bool copiaRighe(sqlite3 *da, sqlite3 *a, const QString &tabella, QString &motivo)
{
    sqlite3_stmt *lettura = nullptr;
    const QByteArray conRowid = QStringLiteral("SELECT rowid, * FROM main.%1").arg(nomeSql(tabella)).toUtf8();
    const QByteArray senza = QStringLiteral("SELECT * FROM main.%1").arg(nomeSql(tabella)).toUtf8();
    int primo = 1; // the first column that is a field
    if (sqlite3_prepare_v2(da, conRowid.constData(), -1, &lettura, nullptr) != SQLITE_OK) {
        primo = 0; // a table without rowid
        if (sqlite3_prepare_v2(da, senza.constData(), -1, &lettura, nullptr) != SQLITE_OK) {
            motivo = errore(da);
            return false;
        }
    }
    const int colonne = sqlite3_column_count(lettura);
    QStringList nomi, segnaposti;
    if (primo == 1) {
        nomi << QStringLiteral("rowid");
        segnaposti << QStringLiteral("?1");
    }
    for (int i = primo; i < colonne; ++i) {
        nomi << nomeSql(QString::fromUtf8(sqlite3_column_name(lettura, i)));
        segnaposti << QStringLiteral("?%1").arg(i + 1);
    }
    sqlite3_stmt *scrittura = nullptr;
    const QByteArray inserimento = QStringLiteral("INSERT INTO main.%1 (%2) VALUES (%3)")
                                       .arg(nomeSql(tabella), nomi.join(QStringLiteral(", ")),
                                            segnaposti.join(QStringLiteral(", ")))
                                       .toUtf8();
    bool ok = sqlite3_prepare_v2(a, inserimento.constData(), -1, &scrittura, nullptr) == SQLITE_OK;
    if (!ok)
        motivo = errore(a);
    int rc = SQLITE_DONE;
    while (ok && (rc = sqlite3_step(lettura)) == SQLITE_ROW) {
        for (int i = 0; i < colonne; ++i)
            sqlite3_bind_value(scrittura, i + 1, sqlite3_column_value(lettura, i));
        if (sqlite3_step(scrittura) != SQLITE_DONE) {
            motivo = errore(a);
            ok = false;
        }
        sqlite3_reset(scrittura);
    }
    if (ok && rc != SQLITE_DONE) {
        motivo = errore(da);
        ok = false;
    }
    sqlite3_finalize(lettura);
    sqlite3_finalize(scrittura);
    return ok;
}

// Writes the table open (and locked) on da into a new file: its page size, its schema texts
// exactly as stored, its rows with their rowids, its user version.
bool ricostruisci(sqlite3 *da, const QString &temporaneo, QString &motivo)
{
    QFile::remove(temporaneo);
    sqlite3 *a = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(temporaneo).constData(), &a, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        motivo = a ? errore(a) : QStringLiteral("impossibile creare il file");
        sqlite3_close_v2(a);
        return false;
    }
    // The new file is checked as a whole before it replaces anything, and forced to disk then.
    bool ok = esegui(a, QStringLiteral("PRAGMA page_size = %1").arg(interoDa(da, "PRAGMA main.page_size"))) &&
              esegui(a, QStringLiteral("PRAGMA journal_mode = OFF")) && esegui(a, QStringLiteral("PRAGMA synchronous = OFF")) &&
              esegui(a, QStringLiteral("BEGIN"));
    QStringList tabelle;
    if (ok) {
        sqlite3_stmt *schema = nullptr;
        ok = sqlite3_prepare_v2(da,
                                "SELECT type, name, sql FROM main.sqlite_master WHERE sql IS NOT NULL AND name NOT "
                                "LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type <> 'table', rowid",
                                -1, &schema, nullptr) == SQLITE_OK;
        while (ok && sqlite3_step(schema) == SQLITE_ROW) {
            const QString tipo = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(schema, 0)));
            const QString nome = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(schema, 1)));
            if (sqlite3_exec(a, reinterpret_cast<const char *>(sqlite3_column_text(schema, 2)), nullptr, nullptr,
                             nullptr) != SQLITE_OK)
                ok = false;
            else if (tipo == QLatin1String("table"))
                tabelle << nome;
        }
        if (!ok)
            motivo = errore(a);
        sqlite3_finalize(schema);
    }
    for (const QString &t : std::as_const(tabelle))
        if (ok)
            ok = copiaRighe(da, a, t, motivo);
    if (ok)
        ok = esegui(a, QStringLiteral("PRAGMA user_version = %1").arg(interoDa(da, "PRAGMA main.user_version"))) &&
             esegui(a, QStringLiteral("COMMIT"));
    if (!ok && motivo.isEmpty())
        motivo = errore(a);
    if (sqlite3_close(a) != SQLITE_OK) {
        ok = false;
        sqlite3_close_v2(a);
    }
    if (ok && !ScriviSuDisco(temporaneo)) {
        ok = false;
        motivo = QStringLiteral("impossibile scrivere il file su disco");
    }
    return ok;
}

struct Tabella {
    QString nome;
    sqlite3 *db = nullptr;
};

void chiudi(QList<Tabella> &tabelle)
{
    for (Tabella &t : tabelle) {
        if (t.db) {
            sqlite3_exec(t.db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(t.db);
        }
        t.db = nullptr;
    }
}

} // namespace

Esito LeggiSwitch(const QStringList &argomenti, QString &cartella)
{
    bool q = false, r = false, f = false;
    for (const QString &a : argomenti) {
        if (a == QLatin1String("-Q+") && !q)
            q = true;
        else if (a == QLatin1String("-R1") && !r)
            r = true;
        else if (a.startsWith(QLatin1String("/F"), Qt::CaseInsensitive) && !f) {
            f = true;
            cartella = a.mid(2);
        } else
            return SwitchErrati;
    }
    if (!q || !r)
        return SwitchErrati;
    if (!f || cartella.isEmpty() || !QFileInfo(cartella).isDir())
        return CartellaMancante;
    return Riuscito;
}

Esito RicostruisciCartella(const QString &percorso, QStringList &rapporto)
{
    QDir cartella(percorso);
    const QString base = cartella.absolutePath() + QLatin1Char('/');
    // What a run killed half-way left behind.
    const QStringList tutti = cartella.entryList(QDir::Files | QDir::Hidden);
    for (const QString &f : tutti)
        if (f.endsWith(QLatin1String(store::SuffissoRicostruzione), Qt::CaseInsensitive))
            QFile::remove(base + f);

    QList<Tabella> tabelle;
    const QStringList file = cartella.entryList({QStringLiteral("*.db")}, QDir::Files, QDir::Name);
    for (const QString &f : file)
        if (!store::EFileTransitorio(f))
            tabelle.append({f, nullptr});

    // Every table locked first: one in use, and nothing is touched.
    bool danneggiate = false;
    for (Tabella &t : tabelle) {
        const QString percorsoTabella = base + t.nome;
        if (sqlite3_open_v2(QFile::encodeName(percorsoTabella).constData(), &t.db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK) {
            rapporto << QStringLiteral("%1: %2").arg(percorsoTabella, t.db ? errore(t.db) : QString());
            sqlite3_close_v2(t.db);
            t.db = nullptr;
            danneggiate = true;
            continue;
        }
        sqlite3_busy_timeout(t.db, 0);
        const int rc = sqlite3_exec(t.db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            continue;
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) {
            chiudi(tabelle);
            rapporto.clear();
            rapporto << QStringLiteral("Tabella in uso: %1").arg(percorsoTabella);
            return InUso;
        }
        rapporto << QStringLiteral("%1: %2").arg(percorsoTabella, errore(t.db));
        sqlite3_close_v2(t.db);
        t.db = nullptr;
        danneggiate = true;
    }

    bool fallito = false;
    for (Tabella &t : tabelle) {
        if (!t.db)
            continue;
        const QString percorsoTabella = base + t.nome;
        const store::EsitoVerifica prima = store::VerificaConnessione(t.db);
        if (!prima.valida) {
            rapporto << QStringLiteral("%1: %2").arg(percorsoTabella, prima.motivo);
            danneggiate = true;
            continue;
        }
        const QString temporaneo = percorsoTabella + QLatin1String(store::SuffissoRicostruzione);
        QString motivo;
        bool ok = ricostruisci(t.db, temporaneo, motivo);
        passo();
        if (ok) {
            const store::EsitoVerifica dopo = store::VerificaTabella(temporaneo);
            ok = dopo.valida && dopo.righe == prima.righe;
            if (!ok)
                motivo = dopo.valida ? QStringLiteral("le righe ricostruite non sono tutte") : dopo.motivo;
        }
        if (ok && !SpostaSopra(temporaneo, percorsoTabella)) {
            ok = false;
            motivo = QStringLiteral("impossibile sostituire la tabella");
        }
        if (!ok) {
            QFile::remove(temporaneo);
            rapporto << QStringLiteral("%1: %2").arg(percorsoTabella, motivo);
            fallito = true;
            continue;
        }
        passo();
    }
    chiudi(tabelle);
    if (fallito)
        return Fallito;
    return danneggiate ? Danneggiate : Riuscito;
}

} // namespace pdxrbld
