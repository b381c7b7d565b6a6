// The shell backend of the running program: hands every address to the desktop. On Linux and the
// other free desktops it runs xdg-open itself, so that an opener that ends in failure (no mail
// program, no browser, no viewer for the file) is heard of and the user warned; elsewhere it asks
// Qt's desktop services.
#pragma once

#include "core/shell.h"

class DesktopShell : public ShellBackend {
public:
    bool openUrl(const QUrl &url) override;
};
