// The program's message boxes on screen: QMessageBox without an owner window, and the hourglass.
#pragma once

#include "core/messaggi.h"

class MessageBoxBackend : public MessageBackend {
public:
    bool show(const Messaggio &messaggio) override;
};

// Installs the QMessageBox backend, the desktop shell and the hourglass cursor for the program.
void InstallaServiziInterfaccia();
