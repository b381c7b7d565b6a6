// The program folder's tables: one SQLite file per table, attached to one connection as they are
// opened, with transactions that span several tables and the file operations on whole tables.
#pragma once

#include "store/declaration.h"

#include <QHash>
#include <QStringList>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Database;

// One prepared SQLite statement; finalized when destroyed.
class Statement {
public:
    Statement() = default;
    Statement(Database &db, const QString &sql);
    ~Statement();
    Statement(Statement &&other) noexcept;
    Statement &operator=(Statement &&other) noexcept;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    bool isValid() const { return st != nullptr; }
    void bind(int index, const QVariant &value); // 1-based
    bool step();                                 // true while a row is available
    void reset();
    int columnCount() const;
    QVariant column(int index) const; // 0-based
    QString columnName(int index) const;
    QString columnDeclType(int index) const;
    bool readOnly() const;
    sqlite3_stmt *raw() const { return st; }

private:
    Database *db = nullptr;
    sqlite3_stmt *st = nullptr;
    // The texts bound, kept until bound again or finalized, so SQLite reads them in place.
    QList<QByteArray> texts;
};

// The table stored inside each file is always named "dati".
inline constexpr const char *InnerTableName = "dati";
// The connection's own file in the program folder: hidden, and not named like a table, so that no
// table list, backup or repair ever takes it. Its super-journals are named after it, plus "-mj".
inline constexpr const char *MainFileName = ".rotaset.sqlite";

class Database {
public:
    // The connection for the current program folder (reopened when the folder changes).
    static Database &instance();
    // Closes the connection (at program end, or when a test's folder goes away).
    static void shutdown();
    // True while this connection is the open one (a cursor's statements belong to it).
    static bool isOpen(const Database *db) { return db && current.get() == db; }

    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &folder() const { return folderPath; }
    sqlite3 *handle() const { return db; }

    // The name under which a table file exists in the folder, matched without regard to case;
    // the name as given when no such file exists. Throws EngineError for a name with a path in it
    // ("/", "\\", "..", a drive): tables are files of the program folder only.
    QString resolve(const QString &fileName) const;
    static bool isPlainFileName(const QString &fileName);
    QString path(const QString &fileName) const { return folderPath + resolve(fileName); }
    bool exists(const QString &fileName) const;

    // Attaches the table's file (kept while used) and returns the SQL reference of its table,
    // "schema"."dati". Throws EngineError when the file is missing or is not a readable table.
    QString acquire(const QString &fileName);
    void release(const QString &fileName);
    // The version of a table's rows: it changes with every write through this connection, so that
    // cursors on the same table know when to read it again.
    // The counter is shared with the cursors, which compare it without asking the folder again.
    std::shared_ptr<quint64> version(const QString &fileName);
    void touch(const QString &fileName);
    quint64 nextVersion() { return ++versionCounter; }

    // Structure.
    void createTable(const TableDeclaration &declaration); // replaces nothing: the file must not exist
    TableDeclaration readStructure(const QString &fileName);
    void deleteTable(const QString &fileName);
    // Moves a table file onto another name in one atomic step, replacing what was there.
    void renameTable(const QString &from, const QString &to);
    // Detaches every table no cursor uses (before files are copied or replaced from outside).
    void detachIdle();
    // Hands every table to work outside the engine (see consegnatabelle.h): false, with nothing
    // done, while a cursor has a table open or a transaction runs; otherwise detaches them all.
    bool detachAll();
    // Every cursor reads its table's file again (after the files were replaced from outside).
    void reloadAll();
    // Reads every page of the table's file: false, with SQLite's first complaint in why, when the
    // file is damaged. Throws EngineError when the file is missing or not a table at all.
    bool checkIntegrity(const QString &fileName, QString *why = nullptr);
    // After the start-up check, when every table has been opened (and so every interrupted save
    // rolled back): a journal SQLite left because it never became hot (killed before its header was
    // complete) is removed, and so are the super-journals once no table journal is left.
    void removeStaleJournals();

    // Transactions over the tables; nested calls join the outer one. A table may be opened (and
    // its file attached) before or during a save: a file joins the save when the save first reads
    // or writes it, and stays attached until the save ends.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return depth > 0; }

    void exec(const QString &sql);
    [[noreturn]] void fail(const QString &context, int helpContext = 0) const;

    // Test hook: called with a step name at the points where a table swap or a multi-table save
    // could be interrupted; a test throws from it to simulate a crash at that point.
    static std::function<void(const QString &step)> &faultHook();
    static void faultPoint(const QString &step);

private:
    explicit Database(const QString &folder);
    struct Attachment {
        QString schema;
        int users = 0;
        quint64 lastUse = 0;
    };
    QString schemaFor(const QString &resolvedName) const;
    void attachFile(const QString &resolvedName, const QString &schema);
    // Forgets an attached table; a file that joined the running save stays attached under its
    // schema until the save ends (SQLite refuses to detach it sooner), as one of leftAttached.
    void detach(const QString &key);
    bool detachSchema(const QString &schema);
    void detachLeftovers();
    // True when the running save has read or written the schema's file.
    bool inThisSave(const QString &schema) const;
    // Detaches the table used least recently, and not yet by the running save, while the
    // connection holds as many as it can.
    void makeRoom();
    // Every write of the table's file is synced to disk (a file attached during a save already must be).
    void syncFully(const QString &schema);
    void verifyTable(const QString &schema, const QString &fileName);
    // A table file that is a symbolic link is not one of our tables: never read or written through.
    void refuseLink(const QString &resolvedName) const;

    QString folderPath;
    sqlite3 *db = nullptr;
    QHash<QString, Attachment> attached; // key: resolved file name, lower case
    QStringList leftAttached;            // schemas detached from `attached`, still attached in SQLite
    QHash<QString, std::shared_ptr<quint64>> versions; // key: resolved file name, lower case
    quint64 useCounter = 0;
    quint64 versionCounter = 0;
    int depth = 0;
    int maxAttached = 10;

    static std::unique_ptr<Database> current;
};

// Commits on commit(), rolls back when it goes out of scope without it.
class Transaction {
public:
    explicit Transaction(Database &db = Database::instance()) : db(db) { db.begin(); }
    ~Transaction();
    void commit();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Database &db;
    bool done = false;
};

} // namespace store
