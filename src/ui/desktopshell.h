// The shell backend of the running program: hands every address to the desktop.
#pragma once

#include "core/shell.h"

class DesktopShell : public ShellBackend {
public:
    bool openUrl(const QUrl &url) override;
};
