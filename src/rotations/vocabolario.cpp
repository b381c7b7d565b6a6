#include "rotations/vocabolario.h"

namespace rotazioni {

QString RuoloDelPosto(const QString &metodo, int posto)
{
    if ((metodo != MetodoPSCOSC && metodo != MetodoPCSOCS) || posto < 1 || posto > 6)
        return QString();
    return metodo.split(QLatin1Char('-')).at(posto - 1);
}

} // namespace rotazioni
