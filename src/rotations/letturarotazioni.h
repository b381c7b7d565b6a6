// What the rotation board reads from the tables for the engine: the players by id (each read once
// per computation), a team's line-up row and the rotation settings.
#pragma once

#include "rotations/motore.h"

#include <optional>

namespace rotazioni {

// Players read from rt_giocatori on first use, each at most once in the object's life; one object
// serves one computation, so that edits made meanwhile are seen by the next one.
class ElencoDaTabelle : public ElencoGiocatori {
public:
    const Giocatore *giocatore(int id) const override;
    int letture() const { return lette; }

private:
    mutable QHash<int, std::optional<Giocatore>> letti;
    mutable int lette = 0;
};

// The team's line-up row ("select * from rt_formazioni where idsquadra = ..."); an empty row when the
// team has none.
RigaFormazione CaricaFormazione(int idSquadra);

// The settings of the rotation board.
struct ImpostazioniRotazioni {
    OpzioniCampo campo;
    bool scambioAutomatico = false; // PROPONISCAMBIOAUTOM
    int carattereCampoGrande = 0;   // CAR_CAMPO_GRANDE
    RegolaPosizioni regola = RegolaPosizioni::Fivb2025; // REGOLA_POSIZIONI
};
ImpostazioniRotazioni LeggiImpostazioniRotazioni();

} // namespace rotazioni
