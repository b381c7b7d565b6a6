#include "store/database.h"
#include "store/istruzionicreazione.h"

#include "core/cartella.h"
#include "store/engineerror.h"
#include "store/sqltranslator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>
#include <utility>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store {

std::unique_ptr<Database> Database::current;

namespace {

QString key(const QString &resolvedName) { return resolvedName.toLower(); }

QString notReadable(const QString &path)
{
    return QStringLiteral("Il file '%1' non è una tabella leggibile: è danneggiato o non è una tabella del programma.")
        .arg(path);
}

void syncFolder(const QString &folder)
{
#ifndef _WIN32
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

} // namespace

// ---- Statement ---------------------------------------------------------------------------------

Statement::Statement(Database &database, const QString &sql) : db(&database)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(database.handle(), utf8.constData(), int(utf8.size()), &st, &tail) != SQLITE_OK)
        database.fail(QStringLiteral("Interrogazione non valida"), HcQuery);
    if (tail && QByteArray(tail).trimmed().size() > 0) {
        sqlite3_finalize(st);
        st = nullptr;
        throw EngineError(QStringLiteral("È ammessa una sola istruzione per interrogazione."), HcReadOnlyQuery);
    }
}

Statement::~Statement()
{
    if (st)
        sqlite3_finalize(st);
}

Statement::Statement(Statement &&other) noexcept : db(other.db), st(other.st), texts(std::move(other.texts))
{
    other.st = nullptr;
}

Statement &Statement::operator=(Statement &&other) noexcept
{
    if (this != &other) {
        if (st)
            sqlite3_finalize(st);
        db = other.db;
        st = other.st;
        texts = std::move(other.texts);
        other.st = nullptr;
    }
    return *this;
}

void Statement::bind(int index, const QVariant &value)
{
    // A text is bound from its UTF-8 bytes, kept here until the next bind or reset.
    const auto bindText = [&](const QString &text) {
        if (texts.size() < index)
            texts.resize(index);
        QByteArray &utf8 = texts[index - 1];
        utf8 = text.toUtf8();
        return sqlite3_bind_text(st, index, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
    };
    int rc;
    const int type = value.typeId();
    if (type == QMetaType::QString) { // the common text, looked at once
        const QString &text = *static_cast<const QString *>(value.constData());
        rc = text.isNull() ? sqlite3_bind_null(st, index) : bindText(text);
    } else {
        switch (type) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(st, index);
            break;
        // Numbers are never null: they are bound without asking.
        case QMetaType::LongLong: // what the engine stores in a row
            rc = sqlite3_bind_int64(st, index, *static_cast<const qlonglong *>(value.constData()));
            break;
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(st, index, integerOf(value));
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(st, index, value.toDouble());
            break;
        default:
            rc = value.isNull() ? sqlite3_bind_null(st, index) : bindText(value.toString());
        }
    }
    if (rc != SQLITE_OK)
        db->fail(QStringLiteral("Parametro non valido"));
}

bool Statement::step()
{
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(db->handle());
    sqlite3_reset(st);
    if ((code & 0xff) == SQLITE_CONSTRAINT)
        throw EngineError(QStringLiteral("Violazione di chiave: %1").arg(QString::fromUtf8(sqlite3_errmsg(db->handle()))),
                          HcKeyViolation);
    db->fail(QStringLiteral("Errore del motore delle tabelle"), HcWrite);
}

void Statement::reset() { sqlite3_reset(st); }

int Statement::columnCount() const { return sqlite3_column_count(st); }

QVariant Statement::column(int index) const
{
    switch (sqlite3_column_type(st, index)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, index)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, index));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, index)),
                                          sqlite3_column_bytes(st, index)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(st, index)),
                                   sqlite3_column_bytes(st, index)));
    default:
        return QVariant();
    }
}

QString Statement::columnName(int index) const { return QString::fromUtf8(sqlite3_column_name(st, index)); }

QString Statement::columnDeclType(int index) const
{
    const char *t = sqlite3_column_decltype(st, index);
    return t ? QString::fromUtf8(t) : QString();
}

bool Statement::readOnly() const { return sqlite3_stmt_readonly(st) != 0; }

// ---- Database ----------------------------------------------------------------------------------

Database &Database::instance()
{
    const QString folder = CartellaProgramma();
    if (!current || current->folderPath != folder)
        current.reset(new Database(folder));
    return *current;
}

void Database::shutdown() { current.reset(); }

// One connection, used by the user-interface thread only: no mutexes.
// Its main database is a small file of ours in the program folder. SQLite makes a commit that spans
// several attached files atomic only when the main database is a real file: the super-journal that
// ties the tables' journals together lives beside it. With an in-memory main database each table
// would commit on its own, and a crash between two of them would leave the tables disagreeing.
Database::Database(const QString &folder) : folderPath(folder)
{
    const QString mainPath = folderPath + QLatin1String(MainFileName);
    const QFileInfo mainInfo(mainPath);
    if (mainInfo.isSymLink() || (mainInfo.exists() && !mainInfo.isFile()))
        throw EngineError(QStringLiteral("Impossibile avviare il motore delle tabelle: '%1' non è un file del programma.")
                              .arg(mainPath),
                          HcWrite);
    // Links are never followed, for this file and for every table attached later.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_NOFOLLOW;
    auto openMain = [&] {
        if (db) {
            sqlite3_close_v2(db);
            db = nullptr;
        }
        if (sqlite3_open_v2(QFile::encodeName(mainPath).constData(), &db, flags, nullptr) != SQLITE_OK)
            return false;
        sqlite3_extended_result_codes(db, 1);
        // It holds nothing; reading its header tells whether it is a database at all.
        return sqlite3_exec(db, "PRAGMA main.journal_mode = DELETE; PRAGMA main.synchronous = FULL; "
                                "SELECT count(*) FROM main.sqlite_master",
                            nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    bool ok = openMain();
    if (!ok && !mainInfo.exists() && !QFileInfo(folderPath).isWritable()) {
        // A folder where nothing can be created: the tables can be read, and no save can start
        // (its journals could not be created either), so no commit needs the super-journal.
        sqlite3_close_v2(db);
        db = nullptr;
        ok = sqlite3_open_v2(":memory:", &db, flags, nullptr) == SQLITE_OK;
        if (ok)
            sqlite3_extended_result_codes(db, 1);
    }
    if (!ok && mainInfo.exists()) {
        // Our own file, damaged: it never holds data, so a new one replaces it.
        sqlite3_close_v2(db);
        db = nullptr;
        QFile::remove(mainPath);
        ok = openMain();
    }
    if (!ok) {
        const QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        if (db)
            sqlite3_close_v2(db);
        db = nullptr;
        throw EngineError(QStringLiteral("Impossibile avviare il motore delle tabelle nella cartella '%1': %2")
                              .arg(folderPath, why),
                          HcWrite);
    }
    // A double-quoted name is always a name: an unknown field is an error, never a string.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_busy_timeout(db, 2000);
    maxAttached = sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, -1);
}

Database::~Database()
{
    if (db)
        sqlite3_close_v2(db);
}

void Database::fail(const QString &context, int helpContext) const
{
    const int code = sqlite3_extended_errcode(db);
    // A damaged file is always told as such, whatever the step that found it.
    int hc = helpContext ? helpContext : HcGeneric;
    if ((code & 0xff) == SQLITE_NOTADB || (code & 0xff) == SQLITE_CORRUPT)
        hc = HcNotATable;
    throw EngineError(QStringLiteral("%1: %2").arg(context, QString::fromUtf8(sqlite3_errmsg(db))), hc);
}

void Database::exec(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
        const int code = sqlite3_extended_errcode(db) & 0xff;
        throw EngineError(QStringLiteral("Errore del motore delle tabelle: %1").arg(msg),
                          code == SQLITE_NOTADB || code == SQLITE_CORRUPT ? HcNotATable : HcWrite);
    }
}

QString Database::resolve(const QString &fileName) const
{
    // A table is a file of the program folder, named without any path: nothing outside is reached.
    if (!isPlainFileName(fileName))
        throw EngineError(QStringLiteral("Nome di tabella non valido: '%1'. Le tabelle sono solo i file della cartella del "
                                         "programma, indicati senza percorso.")
                              .arg(fileName),
                          HcTableNotFound);
    if (QFileInfo::exists(folderPath + fileName) || QFileInfo(folderPath + fileName).isSymLink())
        return fileName;
    // Broken links are listed as well: a link is found, and refused, whatever the case of its name;
    // and so are folders, so that a folder in a table's place is told by its name as on disk.
    const QStringList entries =
        QDir(folderPath).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return entry;
    return fileName;
}

bool Database::exists(const QString &fileName) const
{
    const QFileInfo info(path(fileName));
    return info.exists() || info.isSymLink();
}

bool Database::isPlainFileName(const QString &fileName)
{
    return !fileName.isEmpty() && !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\')) &&
           !fileName.contains(QLatin1String("..")) && !fileName.contains(QLatin1Char(':')) &&
           !fileName.contains(QChar(0));
}

void Database::refuseLink(const QString &resolvedName) const
{
    if (QFileInfo(folderPath + resolvedName).isSymLink())
        throw EngineError(QStringLiteral("Il file '%1' è un collegamento ad un altro file e non una tabella del programma: "
                                         "non viene né letto né modificato.")
                              .arg(folderPath + resolvedName),
                          HcNotATable, folderPath + resolvedName);
}

QString Database::schemaFor(const QString &resolvedName) const
{
    QString schema = QStringLiteral("t_");
    for (QChar c : resolvedName.toLower())
        schema += (c.isLetterOrNumber() && c.unicode() < 0x80) ? c : QLatin1Char('_');
    return schema;
}

void Database::attachFile(const QString &resolvedName, const QString &schema)
{
    // Also inside a save: SQLite attaches within a transaction, and the file joins the save when
    // first read or written.
    makeRoom();
    Statement attach(*this, QStringLiteral("ATTACH DATABASE ?1 AS ") + quoteIdentifier(schema));
    attach.bind(1, folderPath + resolvedName);
    attach.step();
}

void Database::syncFully(const QString &schema)
{
    Statement level(*this, QStringLiteral("PRAGMA %1.synchronous").arg(quoteIdentifier(schema)));
    if (level.step() && level.column(0).toInt() >= 2) // FULL, as SQLite attaches files when built as usual
        return;
    // SQLite changes the level only between transactions.
    if (inTransaction())
        throw EngineError(QStringLiteral("La tabella non può essere aperta durante un salvataggio."), HcBusy);
    exec(QStringLiteral("PRAGMA %1.synchronous = FULL").arg(quoteIdentifier(schema)));
}

bool Database::inThisSave(const QString &schema) const
{
    return sqlite3_txn_state(db, schema.toUtf8().constData()) != SQLITE_TXN_NONE;
}

void Database::makeRoom()
{
    while (attached.size() + leftAttached.size() >= maxAttached) {
        QString oldest;
        quint64 oldestUse = ~quint64(0);
        for (auto it = attached.cbegin(); it != attached.cend(); ++it)
            if (it->users == 0 && it->lastUse < oldestUse && !inThisSave(it->schema)) {
                oldest = it.key();
                oldestUse = it->lastUse;
            }
        if (oldest.isEmpty())
            throw EngineError(QStringLiteral("Troppe tabelle aperte contemporaneamente."), HcBusy);
        detach(oldest);
    }
}

void Database::detach(const QString &k)
{
    auto it = attached.find(k);
    if (it == attached.end())
        return;
    const QString schema = it->schema;
    attached.erase(it);
    if (!detachSchema(schema))
        leftAttached << schema; // read during the running save: it goes when the save ends
}

bool Database::detachSchema(const QString &schema)
{
    return sqlite3_exec(db, QStringLiteral("DETACH DATABASE %1").arg(quoteIdentifier(schema)).toUtf8().constData(),
                        nullptr, nullptr, nullptr) == SQLITE_OK;
}

void Database::detachLeftovers()
{
    const QStringList schemas = std::exchange(leftAttached, {});
    for (const QString &schema : schemas)
        detachSchema(schema);
}

void Database::verifyTable(const QString &schema, const QString &fileName)
{
    const QString notATable = notReadable(folderPath + fileName);
    sqlite3_stmt *st = nullptr;
    const QByteArray sql =
        QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type = 'table' AND name = '%2'")
            .arg(quoteIdentifier(schema), QLatin1String(InnerTableName))
            .toUtf8();
    bool ok = sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK &&
              sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) == 1;
    sqlite3_finalize(st);
    if (!ok)
        throw EngineError(notATable, HcNotATable, folderPath + fileName);
}

QString Database::acquire(const QString &fileName)
{
    const QString resolved = resolve(fileName);
    const QString k = key(resolved);
    auto it = attached.find(k);
    if (it == attached.end()) {
        refuseLink(resolved);
        if (!QFileInfo::exists(folderPath + resolved))
            throw EngineError(QStringLiteral("Tabella non trovata: %1").arg(folderPath + resolved), HcTableNotFound);
        const QString schema = schemaFor(resolved);
        try {
            attachFile(resolved, schema);
        } catch (const EngineError &e) {
            if (e.helpContext() == HcBusy)
                throw;
            throw EngineError(notReadable(folderPath + resolved), HcNotATable, folderPath + resolved);
        }
        attached.insert(k, {schema, 0, 0});
        try {
            verifyTable(schema, resolved);
            syncFully(schema);
            exec(QStringLiteral("PRAGMA %1.journal_mode = DELETE").arg(quoteIdentifier(schema)));
        } catch (const EngineError &e) {
            detach(k);
            throw onTableFile(e, folderPath + resolved);
        }
        it = attached.find(k);
    }
    ++it->users;
    it->lastUse = ++useCounter;
    return quoteIdentifier(it->schema) + QLatin1Char('.') + quoteIdentifier(QLatin1String(InnerTableName));
}

void Database::release(const QString &fileName)
{
    auto it = attached.find(key(resolve(fileName)));
    if (it != attached.end() && it->users > 0)
        --it->users;
}

std::shared_ptr<quint64> Database::version(const QString &fileName)
{
    std::shared_ptr<quint64> &v = versions[key(resolve(fileName))];
    if (!v)
        v = std::make_shared<quint64>(0);
    return v;
}

void Database::touch(const QString &fileName) { *version(fileName) = ++versionCounter; }

void Database::detachIdle()
{
    if (inTransaction())
        return;
    const QStringList keys = attached.keys();
    for (const QString &k : keys)
        if (attached.value(k).users == 0)
            detach(k);
}

bool Database::detachAll()
{
    if (inTransaction())
        return false;
    for (const Attachment &a : std::as_const(attached))
        if (a.users > 0)
            return false;
    const QStringList keys = attached.keys();
    for (const QString &k : keys)
        detach(k);
    return true;
}

void Database::reloadAll()
{
    for (const auto &v : std::as_const(versions))
        *v = ++versionCounter;
}

bool Database::checkIntegrity(const QString &fileName, QString *why)
{
    const QString resolved = resolve(fileName);
    const QString ref = acquire(resolved);
    const QString schema = ref.left(ref.indexOf(QLatin1Char('.')));
    QString found;
    try {
        Statement check(*this, QStringLiteral("PRAGMA %1.quick_check(1)").arg(schema));
        if (check.step())
            found = check.column(0).toString();
    } catch (const EngineError &e) {
        found = e.message();
    }
    release(resolved);
    if (found == QLatin1String("ok"))
        return true;
    if (why)
        *why = found;
    return false;
}

void Database::removeStaleJournals()
{
    if (inTransaction())
        return;
    const QDir folder(folderPath);
    bool journalsLeft = false;
    const QStringList journals = folder.entryList({QStringLiteral("*-journal")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &journal : journals) {
        const QString table = journal.chopped(8);
        try {
            acquire(table); // reading the table rolls a hot journal back and removes it
            if (QFileInfo::exists(folderPath + journal)) {
                // Still there, so not hot. Under a write lock no other program is writing the table.
                if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) {
                    QFile::remove(folderPath + journal);
                    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
                }
            }
            release(table);
        } catch (const EngineError &) {
            // not a readable table: its journal stays, and so do the super-journals
        }
        journalsLeft = journalsLeft || QFileInfo::exists(folderPath + journal);
    }
    if (journalsLeft)
        return;
    const QStringList stale =
        folder.entryList({QLatin1String(MainFileName) + QStringLiteral("-mj*")}, QDir::Files | QDir::Hidden);
    for (const QString &name : stale)
        QFile::remove(folderPath + name);
}

QStringList createStatements(const TableDeclaration &decl, const QString &schema)
{
    QStringList columns;
    QStringList primary;
    for (const FieldDef &f : decl.fields)
        columns << quoteIdentifier(f.name) + QLatin1Char(' ') + sqlType(f) + (f.required ? QStringLiteral(" NOT NULL") : QString());
    for (const IndexDef &ix : decl.indexes)
        if (ix.options & IxPrimary)
            for (const QString &f : ix.fields)
                primary << quoteIdentifier(f);
    if (!primary.isEmpty())
        columns << QStringLiteral("PRIMARY KEY (%1)").arg(primary.join(QStringLiteral(", ")));
    const QString prefix = schema.isEmpty() ? QString() : quoteIdentifier(schema) + QLatin1Char('.');
    QStringList statements;
    statements << QStringLiteral("CREATE TABLE %1%2 (%3)")
                      .arg(prefix, quoteIdentifier(QLatin1String(InnerTableName)), columns.join(QStringLiteral(", ")));
    for (const IndexDef &ix : decl.indexes) {
        if (ix.options & IxPrimary)
            continue;
        QStringList fields;
        for (const QString &f : ix.fields)
            fields << quoteIdentifier(f) + ((ix.options & IxDescending) ? QStringLiteral(" DESC") : QString());
        statements << QStringLiteral("CREATE %1INDEX %2%3 ON %4 (%5)")
                          .arg((ix.options & IxUnique) ? QStringLiteral("UNIQUE ") : QString(), prefix,
                               quoteIdentifier(ix.name), quoteIdentifier(QLatin1String(InnerTableName)),
                               fields.join(QStringLiteral(", ")));
    }
    return statements;
}

void Database::createTable(const TableDeclaration &decl)
{
    const QString resolved = resolve(decl.fileName);
    refuseLink(resolved);
    if (QFileInfo::exists(folderPath + resolved))
        throw EngineError(QStringLiteral("La tabella '%1' esiste già.").arg(resolved), HcWrite);
    const QString schema = schemaFor(resolved) + QStringLiteral("_new");
    if (inTransaction())
        throw EngineError(QStringLiteral("La tabella '%1' non può essere creata durante un salvataggio.").arg(resolved),
                          HcBusy);
    makeRoom();
    Statement attach(*this, QStringLiteral("ATTACH DATABASE ?1 AS ") + quoteIdentifier(schema));
    attach.bind(1, folderPath + resolved);
    bool ok = true;
    QString why;
    try {
        attach.step();
        exec(QStringLiteral("PRAGMA %1.journal_mode = DELETE").arg(quoteIdentifier(schema)));
        exec(QStringLiteral("BEGIN"));
        for (const QString &statement : createStatements(decl, schema))
            exec(statement);
        exec(QStringLiteral("COMMIT"));
    } catch (const EngineError &e) {
        ok = false;
        why = e.message();
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, QStringLiteral("DETACH DATABASE %1").arg(quoteIdentifier(schema)).toUtf8().constData(), nullptr, nullptr,
                 nullptr);
    if (!ok) {
        // Never leave a half-made file behind under a table's name.
        QFile::remove(folderPath + resolved);
        throw EngineError(QStringLiteral("Impossibile creare la tabella '%1': %2").arg(folderPath + resolved, why),
                          HcWrite);
    }
    touch(resolved);
}

TableDeclaration Database::readStructure(const QString &fileName)
{
    const QString resolved = resolve(fileName);
    const QString ref = acquire(resolved);
    const QString schema = ref.left(ref.indexOf(QLatin1Char('.')));
    TableDeclaration decl;
    decl.fileName = resolved;
    QStringList primaryFields;
    QList<int> primaryOrder;
    try {
        Statement info(*this, QStringLiteral("PRAGMA %1.table_info(%2)").arg(schema, quoteIdentifier(QLatin1String(InnerTableName))));
        while (info.step()) {
            FieldDef f;
            f.name = info.column(1).toString();
            if (!parseSqlType(info.column(2).toString(), f.type, f.size))
                throw EngineError(QStringLiteral("Tipo di campo sconosciuto '%1' nella tabella '%2'.")
                                      .arg(info.column(2).toString(), resolved),
                                  HcNotATable);
            f.required = info.column(3).toInt() != 0;
            decl.fields << f;
            if (const int pk = info.column(5).toInt(); pk > 0) {
                primaryFields << f.name;
                primaryOrder << pk;
            }
        }
        if (!primaryFields.isEmpty()) {
            QStringList ordered(primaryFields.size());
            for (int i = 0; i < primaryFields.size(); ++i)
                ordered[primaryOrder[i] - 1] = primaryFields[i];
            decl.indexes << IndexDef{QString(), ordered, QString(), unsigned(IxPrimary | IxUnique)};
        }
        Statement list(*this, QStringLiteral("PRAGMA %1.index_list(%2)").arg(schema, quoteIdentifier(QLatin1String(InnerTableName))));
        QList<IndexDef> others;
        while (list.step()) {
            if (list.column(3).toString() != QLatin1String("c"))
                continue; // the primary key's own index is already listed
            IndexDef ix;
            ix.name = list.column(1).toString();
            ix.options = list.column(2).toInt() ? unsigned(IxUnique) : 0u;
            others << ix;
        }
        for (IndexDef &ix : others) {
            Statement cols(*this, QStringLiteral("PRAGMA %1.index_xinfo(%2)").arg(schema, quoteIdentifier(ix.name)));
            while (cols.step()) {
                if (cols.column(5).toInt() == 0)
                    continue; // not a key column
                ix.fields << cols.column(2).toString();
                if (cols.column(3).toInt())
                    ix.options |= IxDescending;
            }
            decl.indexes << ix;
        }
    } catch (const EngineError &e) {
        release(resolved);
        throw onTableFile(e, folderPath + resolved);
    }
    release(resolved);
    return decl;
}

void Database::deleteTable(const QString &fileName)
{
    const QString resolved = resolve(fileName);
    refuseLink(resolved);
    const auto it = attached.constFind(key(resolved));
    if (it != attached.cend() && it->users > 0)
        throw EngineError(QStringLiteral("La tabella '%1' è in uso e non può essere eliminata.").arg(resolved), HcBusy);
    if (inTransaction())
        throw EngineError(QStringLiteral("La tabella '%1' non può essere eliminata durante un salvataggio.").arg(resolved),
                          HcBusy);
    detach(key(resolved));
    const QString full = folderPath + resolved;
    if (QFileInfo::exists(full) && !QFile::remove(full))
        throw EngineError(QStringLiteral("Impossibile eliminare la tabella '%1'.").arg(full), HcWrite);
    QFile::remove(full + QStringLiteral("-journal"));
    touch(resolved);
}

void Database::renameTable(const QString &from, const QString &to)
{
    const QString source = resolve(from);
    const QString target = resolve(to);
    refuseLink(source);
    refuseLink(target);
    for (const QString &name : {source, target}) {
        const auto it = attached.constFind(key(name));
        if (it != attached.cend() && it->users > 0)
            throw EngineError(QStringLiteral("La tabella '%1' è in uso e non può essere rinominata.").arg(name), HcBusy);
    }
    if (inTransaction())
        throw EngineError(QStringLiteral("La tabella '%1' non può essere rinominata durante un salvataggio.").arg(source),
                          HcBusy);
    detach(key(source));
    detach(key(target));
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(folderPath + source).toStdString(),
                            QFile::encodeName(folderPath + target).toStdString(), ec);
    if (ec)
        throw EngineError(QStringLiteral("Impossibile rinominare la tabella '%1' in '%2': %3")
                              .arg(source, target, QString::fromStdString(ec.message())),
                          HcWrite);
    syncFolder(folderPath);
    // A rollback journal of the replaced table no longer belongs to anything.
    QFile::remove(folderPath + target + QStringLiteral("-journal"));
    touch(source);
    touch(target);
}

void Database::begin()
{
    if (depth++ == 0) {
        try {
            // Deferred: only the tables a save writes join it, so a save of one table commits
            // without a super-journal, and a save of several ties exactly those together.
            exec(QStringLiteral("BEGIN"));
        } catch (...) {
            depth = 0;
            throw;
        }
    }
}

void Database::commit()
{
    if (depth == 0) // an inner part of this save was rolled back, and the whole save with it
        throw EngineError(QStringLiteral("Il salvataggio è stato annullato."), HcWrite);
    if (depth > 1) {
        --depth;
        return;
    }
    exec(QStringLiteral("COMMIT"));
    depth = 0;
    detachLeftovers();
}

void Database::rollback()
{
    if (depth == 0)
        return;
    depth = 0;
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    detachLeftovers();
    // Every cursor reads its table again: what it saw may have been undone.
    for (const auto &v : std::as_const(versions))
        *v = ++versionCounter;
}

std::function<void(const QString &)> &Database::faultHook()
{
    static std::function<void(const QString &)> hook;
    return hook;
}

void Database::faultPoint(const QString &step)
{
    if (faultHook())
        faultHook()(step);
}

Transaction::~Transaction()
{
    if (!done)
        db.rollback();
}

void Transaction::commit()
{
    db.commit();
    done = true;
}

} // namespace store
