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
    EngineError(const QString &message, int helpContext = HcGeneric)
        : std::runtime_error(message.toStdString()), msg(message), hc(helpContext)
    {
    }
    const QString &message() const { return msg; }
    int helpContext() const { return hc; }

private:
    QString msg;
    int hc;
};

} // namespace store
