// A shell backend for tests: records the addresses instead of opening them, for as long as it lives;
// `opens` false plays a desktop with nothing to open them.
#pragma once

#include "core/shell.h"

#include <QList>
#include <QUrl>

class RecordingShell : public ShellBackend {
public:
    RecordingShell() : previous(shellBackend()) { setShellBackend(this); }
    ~RecordingShell() override { setShellBackend(previous); }
    bool openUrl(const QUrl &url) override
    {
        urls.append(url);
        return opens;
    }
    QList<QUrl> urls;
    bool opens = true;

private:
    ShellBackend *previous;
};
