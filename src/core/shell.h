// The shell service: opens a web address, a mail hand-off (mailto:) or a file with the desktop's
// default program. Every request goes through one replaceable backend: the program installs the
// desktop one at start, tests install one that records the addresses instead of opening them.
#pragma once

#include <QString>
#include <QUrl>

class ShellBackend {
public:
    virtual ~ShellBackend() = default;
    // Opens the address; true when the desktop accepted it. A backend that learns of a failure only
    // later (the opener ends with an error) reports it through AvvisaNonAperto.
    virtual bool openUrl(const QUrl &url) = 0;
};

// Installs the backend (not owned). nullptr restores the fallback, which writes the address to the
// standard error stream and answers false.
void setShellBackend(ShellBackend *backend);
ShellBackend *shellBackend();

// Opens a web address (http, https, mailto) as it is, anything else as a local file path. When the
// desktop cannot open it, a warning says what and where, so that the user can open it by hand.
bool ApriDocumento(const QString &destinazione);

// The warning for an address the desktop could not open: the mail address (and subject) of a
// mailto:, the web address of a page, the full path of a file.
void AvvisaNonAperto(const QUrl &url);
QString TestoNonAperto(const QUrl &url);

// Opens the mail program on a new message to the address with the subject and body filled in
// (the warning above when there is no mail program).
// Subject and body are percent-encoded (UTF-8, line breaks as CR LF), so that "&", "#", "?", "%",
// "+" and line breaks reach the mail program as typed.
bool InviaMail(const QString &indirizzo, const QString &oggetto, const QString &testo);

// The mailto: address InviaMail hands to the shell.
QUrl IndirizzoMail(const QString &indirizzo, const QString &oggetto, const QString &testo);
