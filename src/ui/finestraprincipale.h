// What forms may ask of the main window, without knowing it: the menu state, the rotation menu and
// the end of the program. The main window implements it and registers itself at start.
#pragma once

class InterfacciaPrincipale {
public:
    virtual ~InterfacciaPrincipale() = default;
    virtual void AbilitaMenuCalendario() = 0;
    virtual void DisabilitaMenuCalendario() = 0;
    virtual void MostraModuloRotazioni() = 0;
    // Ends the program (after a discarded calendar or a restore).
    virtual void TerminaProgramma() = 0;
};

// The registered main window; nullptr when there is none (the calls are then skipped).
InterfacciaPrincipale *FinestraPrincipale();
void ImpostaFinestraPrincipale(InterfacciaPrincipale *finestra);
