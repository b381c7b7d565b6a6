#include "ui/finestraprincipale.h"

namespace {
InterfacciaPrincipale *registrata = nullptr;
}

InterfacciaPrincipale *FinestraPrincipale() { return registrata; }

void ImpostaFinestraPrincipale(InterfacciaPrincipale *finestra) { registrata = finestra; }
