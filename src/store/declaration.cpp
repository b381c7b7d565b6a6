#include "store/declaration.h"

#include <QRegularExpression>

namespace store {

QString sqlType(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(field.size);
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Logical:
        return QStringLiteral("BOOLEAN");
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Date:
        return QStringLiteral("DATE");
    }
    return QString();
}

bool parseSqlType(const QString &declared, FieldType &type, int &size)
{
    static const QRegularExpression varchar(QStringLiteral("^\\s*VARCHAR\\s*\\(\\s*(\\d+)\\s*\\)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString upper = declared.trimmed().toUpper();
    size = 0;
    if (auto m = varchar.match(declared); m.hasMatch()) {
        type = FieldType::Text;
        size = m.captured(1).toInt();
        return true;
    }
    if (upper == QLatin1String("INTEGER") || upper == QLatin1String("INT")) {
        type = FieldType::Integer;
        return true;
    }
    if (upper == QLatin1String("BOOLEAN")) {
        type = FieldType::Logical;
        return true;
    }
    if (upper == QLatin1String("DATE")) {
        type = FieldType::Date;
        return true;
    }
    if (upper == QLatin1String("TEXT")) {
        type = FieldType::Memo;
        return true;
    }
    return false;
}

} // namespace store
