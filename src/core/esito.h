// What a routine that shows its own box on failure returns, so that its caller knows the user has
// been told already.
#pragma once

// Fatto when the routine went through, Segnalato when it stopped after showing the box that says
// why (the caller shows nothing more).
enum class [[nodiscard]] Esito { Fatto, Segnalato };
