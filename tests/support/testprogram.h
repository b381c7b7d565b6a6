// One test case's program: a fresh temporary folder holding the nine tables, the message boxes
// scripted, and no fault injected. Made in init(), dropped in cleanup().
#pragma once

#include "store/database.h"
#include "store/tabelle.h"
#include "support/scriptedmessages.h"
#include "support/tempfolder.h"

class TestProgram {
public:
    TestProgram()
    {
        CreaTabellaEsportazione();
        CreaTabelle();
    }
    ~TestProgram() { store::Database::faultHook() = nullptr; }

    TempProgramFolder folder; // destroyed last: it closes the engine's connection
    ScriptedMessages boxes;
};
