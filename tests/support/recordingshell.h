// A shell backend for tests: records the addresses instead of opening them, for as long as it lives.
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
        return true;
    }
    QList<QUrl> urls;

private:
    ShellBackend *previous;
};
