#include "app/comandi.h"

#include "app/frmimpostazioni.h"
#include "championship/frmcalendario.h"
#include "app/frmmain.h"
#include "ui/modale.h"

namespace {
// A form created with the main window as owner, shown modally and destroyed when it closes.
template <typename Form> void registraForm(TFrmMain &finestra, const char *voce)
{
    finestra.RegistraComando(QLatin1String(voce), [&finestra] {
        Form form(&finestra);
        MostraModale(form);
    });
}
} // namespace

void CollegaComandi(TFrmMain &finestra)
{
    registraForm<TFrmImpostazioni>(finestra, "Impostazioni1");
    // The resident calendar builder.
    finestra.RegistraComando(QStringLiteral("Calendario"), [] {
        if (FrmCalendario)
            MostraModale(*FrmCalendario);
    });
}
