#include "app/comandi.h"

#include "app/frmimpostazioni.h"
#include "championship/frmcalendario.h"
#include "championship/frmcaricagiornata.h"
#include "championship/frmclassifica.h"
#include "championship/frmdategiornate.h"
#include "championship/frmmodnomisquadre.h"
#include "championship/frmmodrisultati.h"
#include "championship/frmprevisionegiornata.h"
#include "championship/frmrisultati.h"
#include "championship/frmstatistichesquadra.h"
#include "championship/stcalendario.h"
#include "championship/stclassifica.h"
#include "app/frmmain.h"
#include "rotations/frmrtformazioni.h"
#include "rotations/frmrtgiocatori.h"
#include "rotations/frmrtrotazioni.h"
#include "rotations/frmrtsquadre.h"
#include "core/messaggi.h"
#include "store/engineerror.h"
#include "ui/modale.h"
#include "utilities/frmesportazionetabelle.h"
#include "utilities/frmimportaparadox.h"
#include "utilities/frminviodaticasamadre.h"
#include "utilities/frmrecuperodati.h"
#include "utilities/frmsalvataggiodati.h"
#include "utilities/indicizza.h"
#include "utilities/frmbug.h"
#include "utilities/frmcontrollaversione.h"

namespace {
// A form created with the main window as owner, shown modally and destroyed when it closes.
template <typename Form> void registraForm(TFrmMain &finestra, const char *voce)
{
    finestra.RegistraComando(QLatin1String(voce), [&finestra] {
        Form form(&finestra);
        MostraModale(form);
    });
}

// The standings: the report lives exactly as long as the form that prints it.
void VisualizzaclassificaClick(TFrmMain &finestra)
{
    TStClassifica stampa;
    TFrmClassifica form(&stampa, &finestra);
    MostraModale(form);
}

// The whole calendar: its print preview, or the reason it cannot be read.
void StampacalendarioClick(TFrmMain &finestra)
{
    try {
        TStCalendario stampa;
        stampa.Anteprima(&finestra);
    } catch (const store::EngineError &e) {
        MostraErrore(e.message());
    }
}
} // namespace

void CollegaComandi(TFrmMain &finestra)
{
    registraForm<TFrmImpostazioni>(finestra, "Impostazioni1");
    registraForm<TFrmRTsquadre>(finestra, "N2");
    registraForm<TFrmRTgiocatori>(finestra, "Giocaotir1");
    registraForm<TFrmRTformazioni>(finestra, "Formazioni1");
    registraForm<TFrmRTrotazioni>(finestra, "Rotazioni2");
    registraForm<TFrmRisultati>(finestra, "FrmRisultati");
    registraForm<TfrmEsportazioneTabelle>(finestra, "Esportazioneasciiexcel1");
    registraForm<TFrmModRisultati>(finestra, "Risultati1");
    registraForm<TFrmModNomiSquadre>(finestra, "Modificanomisquadre");
    registraForm<TFrmStatisticheSquadra>(finestra, "Persquadra1");
    registraForm<TFrmPrevisioneGiornata>(finestra, "Previsionegiornata1");
    registraForm<TFrmDateGiornate>(finestra, "Dategiornate1");
    finestra.RegistraComando(QStringLiteral("Stampacalendario1"), [&finestra] { StampacalendarioClick(finestra); });
    finestra.RegistraComando(QStringLiteral("Richiamagiornata1"), [&finestra] { CaricaGiornata(&finestra); });
    registraForm<TFrmControllaVersione>(finestra, "Aggiornaversione1");
    registraForm<TfrmBug>(finestra, "Segnalabug1");
    finestra.RegistraComando(QStringLiteral("Visualizzaclassifica"), [&finestra] { VisualizzaclassificaClick(finestra); });
    registraForm<TFrmSalvataggioDati>(finestra, "Salvataggiodati1");
    registraForm<TFrmRecuperoDati>(finestra, "Recuperodati1");
    registraForm<TFrmImportaParadox>(finestra, "Importatabelleparadox1");
    registraForm<TFrmInvioDatiCasaMadre>(finestra, "InviodatiaBrivo1");
    finestra.RegistraComando(QStringLiteral("mnuIndicizza"), [&finestra] {
        IndicizzaERipara();
        finestra.repaint();
    });
    // The resident calendar builder.
    finestra.RegistraComando(QStringLiteral("Calendario"), [] {
        if (FrmCalendario)
            MostraModale(*FrmCalendario);
    });
}
