#include "app/applicazione.h"

#include "core/messaggi.h"
#include "store/engineerror.h"

bool Applicazione::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    } catch (const std::exception &e) {
        MostraErrore(QString::fromUtf8(e.what()));
    }
    return false;
}
