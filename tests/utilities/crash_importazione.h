// The import of Paradox tables as a save that spans tables, for the crash harness: a played
// championship is written out as Paradox tables into a folder below the program folder, then more
// results and a team rename are saved, and the child imports the Paradox tables back.
#pragma once

#include "crash_salvataggi.h"

SalvataggioProva ImportazioneParadox(int squadre);
