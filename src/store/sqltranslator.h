// Turns a query in the program's local SQL (tables named by file name, dates between double quotes,
// the literal false) into SQLite SQL, token by token: nothing inside a string literal is ever
// rewritten. Anything but one SELECT statement is refused.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace store {

struct TranslatedQuery {
    QString sql;
    QStringList tables; // the table files the query reads, as written, each with its ".db" extension
};

// tableReference maps a table file name ("Class.db") to the SQLite text that names its table.
// Throws EngineError for a text that is not one SELECT or that cannot be read.
TranslatedQuery translateLocalSql(const QString &localSql,
                                  const std::function<QString(const QString &fileName)> &tableReference);

// A name between double quotes, quotes inside doubled: safe for any field or table name.
QString quoteIdentifier(const QString &name);

// The table file a name written in a query stands for: "class" and "Class.db" both give "Class.db"
// spelled as written plus ".db" when it has no extension.
QString tableFileName(const QString &written);

} // namespace store
