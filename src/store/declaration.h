// A table's declaration: its file name, fields and indexes, as the engine creates and reads them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace store {

// A date is stored as its ISO text ("2024-10-12"), declared DATE.
enum class FieldType { Text, Integer, Logical, Memo, Date };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // characters for a text field; 0 for the others
    bool required = false;
    bool operator==(const FieldDef &) const = default;
};

enum IndexOption : unsigned {
    IxPrimary = 1,
    IxUnique = 2,
    IxDescending = 4,
    IxCaseInsensitive = 8,
};

struct IndexDef {
    QString name;
    QStringList fields;
    QString expression;
    unsigned options = 0;
    bool operator==(const IndexDef &) const = default;
};

struct TableDeclaration {
    QString fileName;     // relative to the program folder, with its ".db" extension
    QString databaseName; // alias; empty for every table of this program
    QList<FieldDef> fields;
    QList<IndexDef> indexes;
};

// Declaration helpers that keep the table lists short.
inline FieldDef textField(const QString &name, int size, bool required = false)
{
    return {name, FieldType::Text, size, required};
}
inline FieldDef integerField(const QString &name, bool required = false)
{
    return {name, FieldType::Integer, 0, required};
}
inline FieldDef logicalField(const QString &name) { return {name, FieldType::Logical, 0, false}; }
inline FieldDef memoField(const QString &name) { return {name, FieldType::Memo, 0, false}; }
inline FieldDef dateField(const QString &name) { return {name, FieldType::Date, 0, false}; }

// The SQL column type a field is stored with, and back.
// A number held in a QVariant, read without the general conversion for the kinds the engine
// makes itself.
inline qint64 integerOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return *static_cast<const qlonglong *>(value.constData());
    case QMetaType::Int:
        return *static_cast<const int *>(value.constData());
    case QMetaType::Bool:
        return *static_cast<const bool *>(value.constData()) ? 1 : 0;
    default:
        return value.toLongLong();
    }
}

// The text a QVariant holds, read in place; null when it holds something else.
inline const QString *textIn(const QVariant &value)
{
    return value.typeId() == QMetaType::QString ? static_cast<const QString *>(value.constData()) : nullptr;
}

QString sqlType(const FieldDef &field);
// Parses a declared SQL type ("VARCHAR(30)", "INTEGER", "BOOLEAN", "TEXT", "DATE"); false if unknown.
bool parseSqlType(const QString &declared, FieldType &type, int &size);

} // namespace store
