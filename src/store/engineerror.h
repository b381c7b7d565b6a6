// The error the table engine raises: a message and a help-context number, as the restructure log
// records them.
#pragma once

#include <QString>
#include <stdexcept>

namespace store {

// Help-context numbers of the engine's errors.
enum HelpContext : int {
    HcGeneric = 8449,
    HcTableNotFound = 10024,
    HcNotATable = 8962,
    HcRequired = 9732,
    HcKeyViolation = 9729,
    HcInvalidValue = 9730,
    HcNotEditing = 10245,
    HcUnknownField = 9998,
    HcQuery = 10759,
    HcReadOnlyQuery = 10760,
    HcWrite = 10253,
    HcBusy = 10243,
};

class EngineError : public std::runtime_error {
public:
    EngineError(const QString &message, int helpContext = HcGeneric, const QString &file = QString())
        : std::runtime_error(message.toStdString()), msg(message), hc(helpContext), path(file)
    {
    }
    const QString &message() const { return msg; }
    int helpContext() const { return hc; }
    // The table file the error comes from (its full path), when it comes from one.
    const QString &file() const { return path; }

private:
    QString msg;
    int hc;
    QString path;
};

// The same error told about a table file: the message names the file, unless it already does.
inline EngineError onTableFile(const EngineError &e, const QString &filePath)
{
    if (!e.file().isEmpty())
        return e;
    const QString message = e.message().contains(filePath)
                                ? e.message()
                                : QStringLiteral("Tabella '%1': %2").arg(filePath, e.message());
    return EngineError(message, e.helpContext(), filePath);
}

} // namespace store
